// The built-in maps of the payment transactions: 835 remittance advice and
// 820 premium payment.
//
// 835: one record per claim payment (CLP); payment, payer and payee come
// before the first CLP and are kept for the whole set (level 1); service
// lines are the SVC loops; provider adjustments (PLB) follow the last claim
// and land in its record.
// 820: its keys name HL and SV2, which a premium payment never carries, so
// the whole set is one record; the remittances are read by occurrence (the
// k-th ENT, name and RMR), as many as the map provides service lines for.
#include <string>

#include "map_rows.hpp"

namespace zr::maprows {

namespace {

constexpr Ver B = Ver::Both, V4 = Ver::V4010, V5 = Ver::V5010;
constexpr Part A = Part::Always, Sb = Part::Subscriber, Pt = Part::Patient, SP = Part::ServiceProvider;

std::string twoDigits(int n) { return std::string(n < 10 ? "0" : "").append(std::to_string(n)); }

// The payment (BPR) and its trace (TRN), shared by 835 and 820.
const Row kPayment[] = {
    {B, A, "PAYMENTHANDLING,2,BPR,,,1,,,,1"},
    {B, A, "PAYMENTAMOUNT,18,BPR,,,2,,,,1"},
    {B, A, "PAYMENTCREDITDEBIT,1,BPR,,,3,,,,1"},
    {B, A, "PAYMENTMETHOD,3,BPR,,,4,,,,1"},
    {B, A, "PAYMENTFORMAT,10,BPR,,,5,,,,1"},
    {B, A, "SENDERDFIQUAL,2,BPR,,,6,,,,1"},
    {B, A, "SENDERDFIID,12,BPR,,,7,,,,1"},
    {B, A, "SENDERACCTQUAL,3,BPR,,,8,,,,1"},
    {B, A, "SENDERACCOUNT,35,BPR,,,9,,,,1"},
    {B, A, "ORIGINATORID,10,BPR,,,10,,,,1"},
    {B, A, "ORIGINATORSUPPLEMENTAL,9,BPR,,,11,,,,1"},
    {B, A, "RECEIVERDFIQUAL,2,BPR,,,12,,,,1"},
    {B, A, "RECEIVERDFIID,12,BPR,,,13,,,,1"},
    {B, A, "RECEIVERACCTQUAL,3,BPR,,,14,,,,1"},
    {B, A, "RECEIVERACCOUNT,35,BPR,,,15,,,,1"},
    {B, A, "PAYMENTDATE,8,BPR,,,16,,,,1"},
    {B, A, "TRACETYPE,2,TRN,,,1,,,,1"},
    {B, A, "TRACENUMBER,50,TRN,,,2,,,,1"},
    {B, A, "TRACEORIGINATORID,10,TRN,,,3,,,,1"},
    {B, A, "TRACESUPPLEMENTAL,50,TRN,,,4,,,,1"},
};

const Row kPaymentTemplates[] = {
    {B, A,
     "1,BPR,$PAYMENTHANDLING,$PAYMENTAMOUNT,$PAYMENTCREDITDEBIT,$PAYMENTMETHOD,$PAYMENTFORMAT,$SENDERDFIQUAL,"
     "$SENDERDFIID,$SENDERACCTQUAL,$SENDERACCOUNT,$ORIGINATORID,$ORIGINATORSUPPLEMENTAL,$RECEIVERDFIQUAL,"
     "$RECEIVERDFIID,$RECEIVERACCTQUAL,$RECEIVERACCOUNT,$PAYMENTDATE"},
    {B, A, "1,TRN,$TRACETYPE,$TRACENUMBER,$TRACEORIGINATORID,$TRACESUPPLEMENTAL"},
};

// ------------------------------------------------------------------ 835

const Row kFields835[] = {
    {B, A, "CLAIMID,38,CLP,,,1"},
    // Payee (the provider paid) and payer of the set.
    {B, A, "PAYEENAME,60,N1,PE,2,2,,,,1"},
    {B, A, "PAYEEIDQUAL,2,N1,PE,2,3,,,,1"},
    {B, A, "PAYEEID,80,N1,PE,2,4,,,,1"},
    {B, A, "PAYEEADDR1,55,N3,,,1,,PAYEENAME,,1|N1,PE,2"},
    {B, A, "PAYEEADDR2,55,N3,,,2,,PAYEENAME,,1|N1,PE,2"},
    {B, A, "PAYEECITY,30,N4,,,1,,PAYEENAME,,1|N1,PE,2"},
    {B, A, "PAYEESTATE,2,N4,,,2,,PAYEENAME,,1|N1,PE,2"},
    {B, A, "PAYEEZIP,15,N4,,,3,,PAYEENAME,,1|N1,PE,2"},
    {B, A, "PAYEETAXID,50,REF,TJ,2,2,,PAYEENAME,,1"},
    {B, Sb, "PAYERNAME,60,N1,PR,2,2,,,,1"},
    {V4, Sb, "PAYERIDQUAL,2,N1,PR,2,3,,,,1"},
    {V4, Sb, "PAYERID,80,N1,PR,2,4,,,,1"},
    {B, Sb, "PAYERADDR1,55,N3,,,1,,PAYERNAME,,1|N1,PR,2"},
    {B, Sb, "PAYERADDR2,55,N3,,,2,,PAYERNAME,,1|N1,PR,2"},
    {B, Sb, "PAYERCITY,30,N4,,,1,,PAYERNAME,,1|N1,PR,2"},
    {B, Sb, "PAYERSTATE,2,N4,,,2,,PAYERNAME,,1|N1,PR,2"},
    {B, Sb, "PAYERZIP,15,N4,,,3,,PAYERNAME,,1|N1,PR,2"},
    {B, Sb, "PAYERADDITIONALID,50,REF,2U,2,2,,PAYERNAME,,1"},
    {B, Sb, "PAYERCONTACT,60,PER,CX,2,2,,PAYERNAME,,1"},
    {B, Sb, "PAYERCOMMQUAL,2,PER,CX,2,3,,PAYERNAME,,1"},
    {B, Sb, "PAYERCOMMNUMBER,256,PER,CX,2,4,,PAYERNAME,,1"},
    {B, Sb, "PAYERTECHCONTACT,60,PER,BL,2,2,,PAYERNAME,,1"},
    {B, Sb, "PAYERTECHQUAL,2,PER,BL,2,3,,PAYERNAME,,1"},
    {B, Sb, "PAYERTECHNUMBER,256,PER,BL,2,4,,PAYERNAME,,1"},
    // The insured and the patient of the claim.
    {B, Sb, "SUBLNAME,60,NM1,IL,2,3,,CLAIMID"},
    {B, Sb, "SUBFNAME,35,NM1,IL,2,4,,CLAIMID"},
    {B, Sb, "SUBMNAME,25,NM1,IL,2,5,,CLAIMID"},
    {B, Sb, "SUBIDQUAL,2,NM1,IL,2,8,,CLAIMID"},
    {B, Sb, "SUBID,80,NM1,IL,2,9,,CLAIMID"},
    {B, Pt, "PATLNAME,60,NM1,QC,2,3,,CLAIMID"},
    {B, Pt, "PATFNAME,35,NM1,QC,2,4,,CLAIMID"},
    {B, Pt, "PATMNAME,25,NM1,QC,2,5,,CLAIMID"},
    {B, Pt, "PATIDQUAL,2,NM1,QC,2,8,,CLAIMID"},
    {B, Pt, "PATID,80,NM1,QC,2,9,,CLAIMID"},
    // The claim payment.
    {B, A, "CLAIMSTATUS,2,CLP,,,2,,CLAIMID"},
    {B, A, "CLAIMCHARGE,18,CLP,,,3,,CLAIMID"},
    {B, A, "CLAIMPAID,18,CLP,,,4,,CLAIMID"},
    {B, A, "PATIENTRESP,18,CLP,,,5,,CLAIMID"},
    {B, A, "CLAIMFILINGCODE,2,CLP,,,6,,CLAIMID"},
    {B, A, "PAYERCLAIMID,50,CLP,,,7,,CLAIMID"},
    {B, A, "FACILITYCODE,2,CLP,,,8,,CLAIMID"},
    {B, A, "CLAIMFREQUENCY,1,CLP,,,9,,CLAIMID"},
    {B, A, "DRGCODE,4,CLP,,,11,,CLAIMID"},
    {B, A, "DRGWEIGHT,15,CLP,,,12,,CLAIMID"},
    {B, A, "DISCHARGEFRACTION,10,CLP,,,13,,CLAIMID"},
    // Claim adjustments: the CAS before the first service line.
    {B, A, "CLAIMADJGROUP,2,CAS,,,1,,CLAIMID|,,,PROCEDURE1"},
    {B, A, "CLAIMADJREASON01,5,CAS,,,2,,CLAIMID|,,,PROCEDURE1"},
    {B, A, "CLAIMADJAMOUNT01,18,CAS,,,3,,CLAIMID|,,,PROCEDURE1"},
    {B, A, "CLAIMADJQTY01,15,CAS,,,4,,CLAIMID|,,,PROCEDURE1"},
    {B, A, "CLAIMADJREASON02,5,CAS,,,5,,CLAIMID|,,,PROCEDURE1"},
    {B, A, "CLAIMADJAMOUNT02,18,CAS,,,6,,CLAIMID|,,,PROCEDURE1"},
    {B, A, "CLAIMADJREASON03,5,CAS,,,8,,CLAIMID|,,,PROCEDURE1"},
    {B, A, "CLAIMADJAMOUNT03,18,CAS,,,9,,CLAIMID|,,,PROCEDURE1"},
    {B, SP, "RENDERINGENTITYTYPE,1,NM1,82,2,2,,CLAIMID"},
    {B, SP, "RENDERINGLNAME,60,NM1,82,2,3,,CLAIMID"},
    {B, SP, "RENDERINGFNAME,35,NM1,82,2,4,,CLAIMID"},
    {B, SP, "RENDERINGIDQUAL,2,NM1,82,2,8,,CLAIMID"},
    {B, SP, "RENDERINGID,80,NM1,82,2,9,,CLAIMID"},
    {B, A, "CROSSOVERCARRIERNAME,60,NM1,TT,2,3,,CLAIMID"},
    {B, A, "CROSSOVERCARRIERIDQUAL,2,NM1,TT,2,8,,CLAIMID"},
    {B, A, "CROSSOVERCARRIERID,80,NM1,TT,2,9,,CLAIMID"},
    {B, A, "CLAIMREMARK01,30,MOA,,,3,,CLAIMID"},
    {B, A, "CLAIMREMARK02,30,MOA,,,4,,CLAIMID"},
    {B, A, "CLAIMREMARK03,30,MOA,,,5,,CLAIMID"},
    {B, A, "CLAIMREMARK04,30,MOA,,,6,,CLAIMID"},
    {B, A, "CLAIMREMARK05,30,MOA,,,7,,CLAIMID"},
    {B, A, "POLICYNUMBER,50,REF,1L,2,2,,CLAIMID"},
    {B, A, "MEDICALRECORDNUMBER,50,REF,EA,2,2,,CLAIMID"},
    {B, A, "ORIGINALREFNUMBER,50,REF,F8,2,2,,CLAIMID"},
    {B, A, "PRIORAUTH,50,REF,G1,2,2,,CLAIMID"},
    {B, A, "CLAIMSTATEMENTFROM,8,DTM,232,2,2,,CLAIMID"},
    {B, A, "CLAIMSTATEMENTTO,8,DTM,233,2,2,,CLAIMID"},
    {B, A, "CLAIMRECEIVEDDATE,8,DTM,050,2,2,,CLAIMID"},
    {B, A, "COVERAGEAMOUNT,18,AMT,AU,2,2,,CLAIMID"},
    {B, A, "CLAIMINTEREST,18,AMT,I,2,2,,CLAIMID"},
    {B, A, "PATIENTPAIDAMT,18,AMT,F5,2,2,,CLAIMID"},
    {B, A, "COVEREDDAYS,15,QTY,CA,2,2,,CLAIMID"},
};

// SVC06 (the procedure as submitted, when it differs) is optional, so it is
// kept and written back whole.
const Row kLine835[] = {
    {B, A, "PROCEDURE#,48,SVC,,,1,2,CLAIMID"},
    {B, A, "PROCEDUREQUAL#,2,SVC,,,1,1,CLAIMID"},
    {B, A, "PROCEDUREMODA#,2,SVC,,,1,3,CLAIMID"},
    {B, A, "PROCEDUREMODB#,2,SVC,,,1,4,CLAIMID"},
    {B, A, "PROCEDUREMODC#,2,SVC,,,1,5,CLAIMID"},
    {B, A, "PROCEDUREMODD#,2,SVC,,,1,6,CLAIMID"},
    {B, A, "LINECHARGE#,18,SVC,,,2,,CLAIMID"},
    {B, A, "LINEPAID#,18,SVC,,,3,,CLAIMID"},
    {B, A, "LINEREVCODE#,48,SVC,,,4,,CLAIMID"},
    {B, A, "LINEUNITS#,15,SVC,,,5,,CLAIMID"},
    {B, A, "ORIGPROCEDURE#,60,SVC,,,6,,CLAIMID"},
    {B, A, "ORIGUNITS#,15,SVC,,,7,,CLAIMID"},
    {B, A, "LINEDATE#,8,DTM,472,2,2,,CLAIMID"},
    {B, A, "LINEFROMDATE#,8,DTM,150,2,2,,CLAIMID"},
    {B, A, "LINETODATE#,8,DTM,151,2,2,,CLAIMID"},
    {B, A, "LINEADJGROUP#,2,CAS,,,1,,CLAIMID"},
    {B, A, "LINEADJREASON#,5,CAS,,,2,,CLAIMID"},
    {B, A, "LINEADJAMOUNT#,18,CAS,,,3,,CLAIMID"},
    {B, A, "LINEADJQTY#,15,CAS,,,4,,CLAIMID"},
    {B, A, "LINEADJREASONB#,5,CAS,,,5,,CLAIMID"},
    {B, A, "LINEADJAMOUNTB#,18,CAS,,,6,,CLAIMID"},
    {B, A, "LINEOTHERADJGROUP#,2,CAS,,,1,,CLAIMID,2"},
    {B, A, "LINEOTHERADJREASON#,5,CAS,,,2,,CLAIMID,2"},
    {B, A, "LINEOTHERADJAMOUNT#,18,CAS,,,3,,CLAIMID,2"},
    {B, A, "LINECONTROLNUMBER#,50,REF,6R,2,2,,CLAIMID"},
    {B, A, "LINEALLOWED#,18,AMT,B6,2,2,,CLAIMID"},
    {B, A, "LINEREMARK#,30,LQ,HE,2,2,,CLAIMID"},
    {B, A, "LINEREMARKB#,30,LQ,HE,2,2,,CLAIMID,2"},
};

const Row kTail835[] = {
    {B, A, "RECEIVERID,50,REF,EV,2,2,,,,1"},
    {B, A, "PRODUCTIONDATE,8,DTM,405,2,2,,,,1"},
};

// The set's control number (ST02) tells apart sets whose payment and
// trace are alike, so that each is rebuilt as a set of its own.
const Row kLater835[] = {
    {B, A, "SETCONTROLNUMBER,9,ST,,,2,,,,1"},
};

const Row kTemplates835[] = {
    {B, A, "1,REF:$RECEIVERID,EV,$RECEIVERID"},
    {B, A, "1,DTM:$PRODUCTIONDATE,405,$PRODUCTIONDATE"},
    {V5, Sb, "1,N1,PR,$PAYERNAME"},
    {V4, Sb, "1,N1,PR,$PAYERNAME,$PAYERIDQUAL,$PAYERID"},
    {B, Sb, "1,N3,$PAYERADDR1,$PAYERADDR2"},
    {B, Sb, "1,N4,$PAYERCITY,$PAYERSTATE,$PAYERZIP"},
    {B, Sb, "1,REF:$PAYERADDITIONALID,2U,$PAYERADDITIONALID"},
    {B, Sb, "1,PER:$PAYERCOMMNUMBER,CX,$PAYERCONTACT,$PAYERCOMMQUAL,$PAYERCOMMNUMBER"},
    {B, Sb, "1,PER:$PAYERTECHNUMBER,BL,$PAYERTECHCONTACT,$PAYERTECHQUAL,$PAYERTECHNUMBER"},
    {B, A, "1,N1,PE,$PAYEENAME,$PAYEEIDQUAL,$PAYEEID"},
    {B, A, "1,N3,$PAYEEADDR1,$PAYEEADDR2"},
    {B, A, "1,N4,$PAYEECITY,$PAYEESTATE,$PAYEEZIP"},
    {B, A, "1,REF:$PAYEETAXID,TJ,$PAYEETAXID"},
    // A CSV written before the header number was kept has one LX.
    {B, A, "1,LX:!$HEADERNUMBER,1"},
    {B, A, "2,LX:^$HEADERNUMBER,$HEADERNUMBER"},
    {B, A,
     "2,CLP,!CLAIMID,$CLAIMSTATUS,$CLAIMCHARGE,$CLAIMPAID,$PATIENTRESP,$CLAIMFILINGCODE,$PAYERCLAIMID,$FACILITYCODE,"
     "$CLAIMFREQUENCY,,$DRGCODE,$DRGWEIGHT,$DISCHARGEFRACTION"},
    {B, A,
     "2,CAS:$CLAIMADJGROUP,$CLAIMADJGROUP,$CLAIMADJREASON01,$CLAIMADJAMOUNT01,$CLAIMADJQTY01,$CLAIMADJREASON02,"
     "$CLAIMADJAMOUNT02,,$CLAIMADJREASON03,$CLAIMADJAMOUNT03"},
    {B, Pt, "2,NM1:$PATLNAME,QC,1,$PATLNAME,$PATFNAME,$PATMNAME,,,$PATIDQUAL,$PATID"},
    {B, Sb, "2,NM1:$SUBLNAME,IL,1,$SUBLNAME,$SUBFNAME,$SUBMNAME,,,$SUBIDQUAL,$SUBID"},
    {B, SP,
     "2,NM1:$RENDERINGID,82,$RENDERINGENTITYTYPE,$RENDERINGLNAME,$RENDERINGFNAME,,,,$RENDERINGIDQUAL,$RENDERINGID"},
    {B, A,
     "2,NM1:$CROSSOVERCARRIERNAME,TT,2,$CROSSOVERCARRIERNAME,,,,,$CROSSOVERCARRIERIDQUAL,$CROSSOVERCARRIERID"},
    {B, A,
     "2,MOA:$CLAIMREMARK01,,,$CLAIMREMARK01,$CLAIMREMARK02,$CLAIMREMARK03,$CLAIMREMARK04,$CLAIMREMARK05"},
    {B, A, "2,REF:$POLICYNUMBER,1L,$POLICYNUMBER"},
    {B, A, "2,REF:$MEDICALRECORDNUMBER,EA,$MEDICALRECORDNUMBER"},
    {B, A, "2,REF:$ORIGINALREFNUMBER,F8,$ORIGINALREFNUMBER"},
    {B, A, "2,REF:$PRIORAUTH,G1,$PRIORAUTH"},
    {B, A, "2,DTM:$CLAIMSTATEMENTFROM,232,$CLAIMSTATEMENTFROM"},
    {B, A, "2,DTM:$CLAIMSTATEMENTTO,233,$CLAIMSTATEMENTTO"},
    {B, A, "2,DTM:$CLAIMRECEIVEDDATE,050,$CLAIMRECEIVEDDATE"},
    {B, A, "2,AMT:$COVERAGEAMOUNT,AU,$COVERAGEAMOUNT"},
    {B, A, "2,AMT:$CLAIMINTEREST,I,$CLAIMINTEREST"},
    {B, A, "2,AMT:$PATIENTPAIDAMT,F5,$PATIENTPAIDAMT"},
    {B, A, "2,QTY:$COVEREDDAYS,CA,$COVEREDDAYS"},
    {B, A,
     "3,SVC,%$PROCEDUREQUAL;$PROCEDURE;$PROCEDUREMODA;$PROCEDUREMODB;$PROCEDUREMODC;$PROCEDUREMODD,$LINECHARGE,"
     "$LINEPAID,$LINEREVCODE,$LINEUNITS,$ORIGPROCEDURE,$ORIGUNITS"},
    {B, A, "3,DTM:$LINEDATE,472,$LINEDATE"},
    {B, A, "3,DTM:$LINEFROMDATE,150,$LINEFROMDATE"},
    {B, A, "3,DTM:$LINETODATE,151,$LINETODATE"},
    {B, A,
     "3,CAS:$LINEADJGROUP,$LINEADJGROUP,$LINEADJREASON,$LINEADJAMOUNT,$LINEADJQTY,$LINEADJREASONB,$LINEADJAMOUNTB"},
    {B, A, "3,CAS:$LINEOTHERADJGROUP,$LINEOTHERADJGROUP,$LINEOTHERADJREASON,$LINEOTHERADJAMOUNT"},
    {B, A, "3,REF:$LINECONTROLNUMBER,6R,$LINECONTROLNUMBER"},
    {B, A, "3,AMT:$LINEALLOWED,B6,$LINEALLOWED"},
    {B, A, "3,LQ:$LINEREMARK,HE,$LINEREMARK"},
    {B, A, "3,LQ:$LINEREMARKB,HE,$LINEREMARKB"},
};

// Provider adjustments: one PLB with up to six reason / reference / amount
// sets; more segments read the k-th PLB.
std::string plbSuffix(int k, int segments) { return segments > 1 ? std::string("_").append(std::to_string(k)) : ""; }

void plbFields(std::vector<std::string>& lines, const MapAnswers& a) {
    if (!a.providerAdjustments) return;
    const int segments = a.providerAdjustmentSegments;
    for (int k = 1; k <= segments; ++k) {
        const std::string s = plbSuffix(k, segments);
        const std::string occurrence = segments > 1 ? std::string(",").append(std::to_string(k)) : "";
        auto field = [&](const std::string& name, int width, int element, int component) {
            lines.push_back("FIELD=" + name + s + "," + std::to_string(width) + ",PLB,,," + std::to_string(element) +
                            "," + (component ? std::to_string(component) : "") + (occurrence.empty() ? "" : ",") +
                            occurrence);
        };
        field("PLBPROVIDERID", 50, 1, 0);
        field("PLBFISCALDATE", 8, 2, 0);
        for (int set = 1; set <= 6; ++set) {
            field("PLBREASON" + twoDigits(set), 2, 1 + 2 * set, 1);
            field("PLBREFID" + twoDigits(set), 50, 1 + 2 * set, 2);
            field("PLBAMOUNT" + twoDigits(set), 18, 2 + 2 * set, 0);
        }
    }
}

// Each set after the first ends the segment when its reason is empty.
void plbTemplates(std::vector<std::string>& lines, const MapAnswers& a) {
    if (!a.providerAdjustments) return;
    const int segments = a.providerAdjustmentSegments;
    for (int k = 1; k <= segments; ++k) {
        const std::string s = plbSuffix(k, segments);
        std::string line = "SEGMENT=4,PLB,!PLBPROVIDERID" + s + ",$PLBFISCALDATE" + s;
        for (int set = 1; set <= 6; ++set) {
            const std::string n = twoDigits(set) + s;
            line += ",%$PLBREASON" + n + ";$PLBREFID" + n;
            if (set > 1) line += ":$PLBREASON" + n;
            line += ",$PLBAMOUNT" + n;
        }
        lines.push_back(line);
    }
}

// The header number (LX) of the claims that follow it: each LX ends the
// claim before it (the header key), so that the claims after it, and not
// the one before, carry its number.
const Row kLast835[] = {
    {B, A, "HEADERNUMBER,6,LX,,,1,,,,2"},
};

constexpr const char* kKeys835[] = {"KEYHEADERFIELD=LX", "KEYFIELD=CLP", "KEYLINEFIELD=SVC"};

// ------------------------------------------------------------------ 820

const Row kParties820[] = {
    {B, A, "RECEIVERIDKEY,50,REF,38,2,2,,,,1"},
    {B, A, "COVERAGEPERIODFORMAT,3,DTM,582,2,5,,,,1"},
    {B, A, "COVERAGEPERIOD,35,DTM,582,2,6,,,,1"},
    {B, A, "PAYEENAME,60,N1,PE,2,2,,,,1"},
    {B, A, "PAYEEIDQUAL,2,N1,PE,2,3,,,,1"},
    {B, A, "PAYEEID,80,N1,PE,2,4,,,,1"},
    {B, A, "PAYEEADDR1,55,N3,,,1,,PAYEENAME,,1|N1,PE,2"},
    {B, A, "PAYEECITY,30,N4,,,1,,PAYEENAME,,1|N1,PE,2"},
    {B, A, "PAYEESTATE,2,N4,,,2,,PAYEENAME,,1|N1,PE,2"},
    {B, A, "PAYEEZIP,15,N4,,,3,,PAYEENAME,,1|N1,PE,2"},
    {B, A, "PAYERNAME,60,N1,PR,2,2,,,,1"},
    {B, A, "PAYERIDQUAL,2,N1,PR,2,3,,,,1"},
    {B, A, "PAYERID,80,N1,PR,2,4,,,,1"},
    {B, A, "PAYERADDR1,55,N3,,,1,,PAYERNAME,,1|N1,PR,2"},
    {B, A, "PAYERCITY,30,N4,,,1,,PAYERNAME,,1|N1,PR,2"},
    {B, A, "PAYERSTATE,2,N4,,,2,,PAYERNAME,,1|N1,PR,2"},
    {B, A, "PAYERZIP,15,N4,,,3,,PAYERNAME,,1|N1,PR,2"},
    // An ADX before the first remittance; a remittance's own ADX is its own.
    {B, A, "ADJUSTMENTAMOUNT,18,ADX,,,1,,TRACENUMBER|,,,REMITENTITY01"},
    {B, A, "ADJUSTMENTREASON,2,ADX,,,2,,TRACENUMBER|,,,REMITENTITY01"},
};

// Remittance k: the k-th entity, name and remittance detail of the set.
void remittanceFields(std::vector<std::string>& lines, const MapAnswers& a) {
    for (int k = 1; k <= a.serviceLines; ++k) {
        const std::string n = twoDigits(k), occurrence = std::to_string(k);
        auto field = [&](const std::string& name, const std::string& rest, const std::string& condition) {
            lines.push_back("FIELD=REMIT" + name + n + "," + rest + "," + condition + "," + occurrence);
        };
        field("ENTITY", "6,ENT,,,1,", "TRACENUMBER");
        field("ENTITYCODE", "3,ENT,,,2,", "TRACENUMBER");
        field("ENTITYQUAL", "3,ENT,,,3,", "TRACENUMBER");
        field("ENTITYID", "80,ENT,,,4,", "TRACENUMBER");
        field("NAMEQUAL", "3,NM1,EY:IL:QE,2,1,", "TRACENUMBER");
        field("LNAME", "60,NM1,EY:IL:QE,2,3,", "TRACENUMBER");
        field("FNAME", "35,NM1,EY:IL:QE,2,4,", "TRACENUMBER");
        field("IDQUAL", "2,NM1,EY:IL:QE,2,8,", "TRACENUMBER");
        field("ID", "80,NM1,EY:IL:QE,2,9,", "TRACENUMBER");
        field("REFQUAL", "3,RMR,,,1,", "TRACENUMBER");
        field("REFID", "80,RMR,,,2,", "TRACENUMBER");
        field("PAID", "18,RMR,,,4,", "TRACENUMBER");
        field("BILLED", "18,RMR,,,5,", "TRACENUMBER");
        // Coverage periods after the first remittance detail (the set's own
        // period comes before it).
        field("PERIODFORMAT", "3,DTM,582,2,5,", "REMITREFID01");
        field("PERIOD", "35,DTM,582,2,6,", "REMITREFID01");
    }
}

// Remittance k's adjustment: the ADX after its entity and before the next
// entity (these came after the usage indicator; the last remittance has no
// next one to stop at).
void remittanceAdjustmentFields(std::vector<std::string>& lines, const MapAnswers& a) {
    for (int k = 1; k <= a.serviceLines; ++k) {
        const std::string n = twoDigits(k),
                          rule = ",,REMITENTITY" + n + ",," +
                                 (k < a.serviceLines ? "|,,,REMITENTITY" + twoDigits(k + 1) : std::string());
        lines.push_back(fieldLine("REMITADJAMOUNT" + n + ",18,ADX,,,1" + rule));
        lines.push_back(fieldLine("REMITADJREASON" + n + ",2,ADX,,,2" + rule));
    }
}

void remittanceTemplates(std::vector<std::string>& lines, const MapAnswers& a) {
    for (int k = 1; k <= a.serviceLines; ++k) {
        const std::string n = twoDigits(k);
        auto r = [&](const std::string& name) { return "$REMIT" + name + n; };
        lines.push_back("SEGMENT=2,ENT:" + r("ENTITY") + "," + r("ENTITY") + "," + r("ENTITYCODE") + "," +
                        r("ENTITYQUAL") + "," + r("ENTITYID"));
        // A member may be named by its id alone (NM1*QE*1).
        lines.push_back("SEGMENT=2,NM1:" + r("NAMEQUAL") + "," + r("NAMEQUAL") + ",1," + r("LNAME") + "," + r("FNAME") +
                        ",,,," + r("IDQUAL") + "," + r("ID"));
        lines.push_back("SEGMENT=2,RMR:" + r("REFID") + "," + r("REFQUAL") + "," + r("REFID") + ",," + r("PAID") +
                        "," + r("BILLED"));
        lines.push_back("SEGMENT=2,DTM:" + r("PERIOD") + ",582,,,," + r("PERIODFORMAT") + "," + r("PERIOD"));
        lines.push_back("SEGMENT=2,ADX:" + r("ADJAMOUNT") + "," + r("ADJAMOUNT") + "," + r("ADJREASON"));
    }
}

const Row kTemplates820[] = {
    {B, A, "1,REF:$RECEIVERIDKEY,38,$RECEIVERIDKEY"},
    {B, A, "1,DTM:$COVERAGEPERIOD,582,,,,$COVERAGEPERIODFORMAT,$COVERAGEPERIOD"},
    {B, A, "1,N1,PE,$PAYEENAME,$PAYEEIDQUAL,$PAYEEID"},
    {B, A, "1,N3,$PAYEEADDR1"},
    {B, A, "1,N4,$PAYEECITY,$PAYEESTATE,$PAYEEZIP"},
    {B, A, "1,N1,PR,$PAYERNAME,$PAYERIDQUAL,$PAYERID"},
    {B, A, "1,N3,$PAYERADDR1"},
    {B, A, "1,N4,$PAYERCITY,$PAYERSTATE,$PAYERZIP"},
    {B, A, "4,ADX:$ADJUSTMENTAMOUNT,$ADJUSTMENTAMOUNT,$ADJUSTMENTREASON"},
};

constexpr const char* kScreens820[] = {
    "1,TITLE,Premium Payment,1,PAYMENTAMOUNT",
    "1,FIELD,PAYMENTAMOUNT,,1",
    "1,FIELD,PAYMENTDATE,,1",
    "1,FIELD,TRACENUMBER,,1",
    "1,FIELD,PAYERNAME,,1",
    "1,FIELD,PAYEENAME,,1",
    "1,BUTTON1,Remittances,2",
    "2,TITLE,Remittances,2,REMITREFID01",
    "2,FIELD,REMITLNAME01,,1",
    "2,FIELD,REMITREFID01,,1",
    "2,FIELD,REMITPAID01,,1",
};

constexpr const char* kKeys820[] = {"KEYHEADERFIELD=HL,,,20", "KEYFIELD=HL,,,22", "KEYLINEFIELD=SV2"};

}  // namespace

const TransactionText& text835() {
    static const std::vector<Row> tail = joinRows({kPayment, kTail835});
    static const std::vector<Row> templates = joinRows({kPaymentTemplates, kTemplates835});
    static const TransactionText text{"835", kKeys835, kFields835, {}, plbFields, kLine835, tail, templates, {},
                                      plbTemplates, kLater835, {}, kLast835};
    return text;
}

const TransactionText& text820() {
    static const std::vector<Row> fields = joinRows({kPayment, kParties820});
    static const std::vector<Row> templates = joinRows({kPaymentTemplates, kTemplates820});
    static const TransactionText text{"820",     kKeys820,    fields, {}, remittanceFields, {}, {},
                                      templates, kScreens820, remittanceTemplates, {}, {}, {},
                                      remittanceAdjustmentFields};
    return text;
}

}  // namespace zr::maprows
