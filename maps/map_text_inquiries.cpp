// The built-in maps of the inquiry and enrollment transactions, which are
// read only (no templates): 276/277 claim status, 270/271 eligibility, 278
// review request and response, 834 enrollment. One record per subscriber
// HL 22 (834: per member INS).
//
// The information source (payer, UMO), receiver and provider stand above
// the subscriber: with a header key (277, 271) they live until the next
// HL 20 (level 2), otherwise for the whole set (level 1). The subscriber's
// NM1 IL sets SUBID, which opens everything below it; in 276/277 claims
// may stand under a patient whose subscriber loop has no NM1 IL, and there
// the patient's NM1 QC sets it.
#include <string>

#include "map_rows.hpp"

namespace zr::maprows {

namespace {

constexpr Ver B = Ver::Both, V4 = Ver::V4010, V5 = Ver::V5010;
constexpr Part A = Part::Always;

const Row kTransactionHeader[] = {
    {B, A, "TRANSACTIONSETCODE,2,BHT,,,2,,,,1"},
    {B, A, "TRANSACTIONID,20,BHT,,,3,,,,1"},
    {B, A, "TRANSACTIONDATE,8,BHT,,,4,,,,1"},
    {B, A, "TRANSACTIONTIME,8,BHT,,,5,,,,1"},
    {B, A, "TRANSACTIONTYPECODE,2,BHT,,,6,,,,1"},
};

// ------------------------------------------------------------- 276 / 277

// Payer, receiver and provider above the claims; the level is written in
// by the family's own tables below.
#define ZR_STATUS_PARTIES(L)                                     \
    {B, A, "PAYERNAME,60,NM1,PR,2,3,,,," L},                     \
    {B, A, "PAYERIDQUAL,2,NM1,PR,2,8,,,," L},                    \
    {B, A, "PAYERID,80,NM1,PR,2,9,,,," L},                       \
    {B, A, "RECEIVERNAME,60,NM1,41,2,3,,,," L},                  \
    {B, A, "RECEIVERIDQUAL,2,NM1,41,2,8,,,," L},                 \
    {B, A, "RECEIVERID,80,NM1,41,2,9,,,," L},                    \
    {B, A, "PROVIDERNAME,60,NM1,1P,2,3,,,," L},                  \
    {B, A, "PROVIDERFNAME,35,NM1,1P,2,4,,,," L},                 \
    {B, A, "PROVIDERIDQUAL,2,NM1,1P,2,8,,,," L},                 \
    {B, A, "PROVIDERID,80,NM1,1P,2,9,,,," L}

const Row kStatusSubscriber[] = {
    {B, A, "SUBLNAME,60,NM1,IL,2,3,,SUBID"},
    {B, A, "SUBFNAME,35,NM1,IL,2,4,,SUBID"},
    {B, A, "SUBMNAME,25,NM1,IL,2,5,,SUBID"},
    {B, A, "SUBIDQUAL,2,NM1,IL,2,8,,SUBID"},
    {B, A, "PATLNAME,60,NM1,QC,2,3,,SUBID"},
    {B, A, "PATFNAME,35,NM1,QC,2,4,,SUBID"},
    {B, A, "PATIDQUAL,2,NM1,QC,2,8,,SUBID"},
    {B, A, "PATID,80,NM1,QC,2,9,,SUBID"},
};

// The request: demographics stand before the name in the HL 22 and HL 23
// loops, so the first DMG of the record is the subscriber's.
const Row kFields276[] = {
    {B, A, "SUBID,80,NM1,IL:QC,2,9"},
    {B, A, "SUBDOB,8,DMG,D8,2,2"},
    {B, A, "SUBGENDER,1,DMG,D8,2,3"},
    ZR_STATUS_PARTIES("1"),
    {B, A, "PATDOB,8,DMG,D8,2,2,,SUBID"},
    {B, A, "PATGENDER,1,DMG,D8,2,3,,SUBID"},
    {B, A, "CLAIMID,50,TRN,,,2,,SUBID"},
    {B, A, "PAYERCLAIMID,50,REF,1K,2,2,,SUBID"},
    {B, A, "BILLTYPE,3,REF,BLT,2,2,,SUBID"},
    {B, A, "PATIENTACCOUNT,50,REF,EJ,2,2,,SUBID"},
    {B, A, "MEDICALRECORDNUMBER,50,REF,EA,2,2,,SUBID"},
    {B, A, "CLAIMCHARGE,18,AMT,T3,2,2,,SUBID"},
    {V4, A, "SERVICEDATE,17,DTP,232,2,3,,SUBID"},
    {V5, A, "SERVICEDATE,17,DTP,472,2,3,,SUBID"},
    // The inquiry has no line key: the first service asked about.
    {B, A, "SERVICECODE,48,SVC,,,1,2,SUBID"},
    {B, A, "SERVICEAMT,18,SVC,,,2,,SUBID"},
    {B, A, "SERVICEREVENUECODE,48,SVC,,,4,,SUBID"},
    {B, A, "SERVICEUNITS,15,SVC,,,7,,SUBID"},
    {B, A, "SERVICECONTROLNUMBER,50,REF,FJ,2,2,,SUBID"},
};

// An STC sets the line number back to 0, so a line's fields are its SVC and
// the STC that follows it.
const Row kFields277[] = {
    {B, A, "SUBID,80,NM1,IL:QC,2,9"},
    ZR_STATUS_PARTIES("2"),
    {B, A, "CLAIMID,50,TRN,,,2,,SUBID"},
    {B, A, "STATUSCATEGORY,3,STC,,,1,1,SUBID"},
    {B, A, "STATUSCODE,3,STC,,,1,2,SUBID"},
    {B, A, "STATUSENTITY,3,STC,,,1,3,SUBID"},
    {B, A, "STATUSDATE,8,STC,,,2,,SUBID"},
    {B, A, "CLAIMCHARGE,18,STC,,,4,,SUBID"},
    {B, A, "CLAIMPAID,18,STC,,,5,,SUBID"},
    {B, A, "ADJUDICATIONDATE,8,STC,,,6,,SUBID"},
    {B, A, "PAYMENTMETHOD,3,STC,,,7,,SUBID"},
    {B, A, "CHECKDATE,8,STC,,,8,,SUBID"},
    {B, A, "CHECKNUMBER,16,STC,,,9,,SUBID"},
    {B, A, "STATUSCATEGORYB,3,STC,,,10,1,SUBID"},
    {B, A, "STATUSCODEB,3,STC,,,10,2,SUBID"},
    {B, A, "PAYERCLAIMID,50,REF,1K,2,2,,SUBID"},
    {B, A, "BILLTYPE,3,REF,BLT,2,2,,SUBID"},
    {B, A, "PATIENTACCOUNT,50,REF,EJ,2,2,,SUBID"},
    {B, A, "MEDICALRECORDNUMBER,50,REF,EA,2,2,,SUBID"},
    {V4, A, "SERVICEDATE,17,DTP,232,2,3,,SUBID"},
    {V5, A, "SERVICEDATE,17,DTP,472,2,3,,SUBID"},
};

const Row kLine277[] = {
    {B, A, "SERVICELINEREVENUECODE#,48,SVC,,,4,,SUBID"},
    {B, A, "SERVICELINEPAYAMT#,18,SVC,,,3,,SUBID"},
    {B, A, "SERVICELINEAMT#,18,SVC,,,2,,SUBID"},
    {B, A, "SERVICELINECODE#,48,SVC,,,1,2,SUBID"},
    {B, A, "SERVICELINEQUAL#,2,SVC,,,1,1,SUBID"},
    {B, A, "SERVICELINEUNITS#,15,SVC,,,7,,SUBID"},
    {B, A, "SERVICELINESTATUSCATEGORY#,3,STC,,,1,1,SUBID"},
    {B, A, "SERVICELINESTATUS#,3,STC,,,1,2,SUBID"},
};

#undef ZR_STATUS_PARTIES

constexpr const char* kKeys276[] = {"KEYFIELD=HL,,,22"};
// A claim acknowledgement (277CA) puts its claims under the patient level
// (HL PT) and has no subscriber level.
constexpr const char* kKeys277[] = {"KEYHEADERFIELD=HL,,,20", "KEYFIELD=HL,,,22:PT", "KEYLINEFIELD=SVC"};

// ------------------------------------------------------------- 270 / 271

#define ZR_ELIGIBILITY_PARTIES(L)                                       \
    {B, A, "PAYERNAME,60,NM1,PR,2,3,,,," L},                            \
    {B, A, "PAYERIDQUAL,2,NM1,PR,2,8,,,," L},                           \
    {B, A, "PAYERID,80,NM1,PR,2,9,,,," L},                              \
    {B, A, "RECEIVERNAME,60,NM1,1P:FA:2B:36:80:GP:P5,2,3,,,," L},       \
    {B, A, "RECEIVERFNAME,35,NM1,1P:FA:2B:36:80:GP:P5,2,4,,,," L},      \
    {B, A, "RECEIVERIDQUAL,2,NM1,1P:FA:2B:36:80:GP:P5,2,8,,,," L},      \
    {B, A, "RECEIVERID,80,NM1,1P:FA:2B:36:80:GP:P5,2,9,,,," L}

// The dependent is NM1 03; demographics follow the name.
const Row kEligibilityPersons[] = {
    {B, A, "SUBLNAME,60,NM1,IL,2,3,,SUBID"},
    {B, A, "SUBFNAME,35,NM1,IL,2,4,,SUBID"},
    {B, A, "SUBMNAME,25,NM1,IL,2,5,,SUBID"},
    {B, A, "SUBIDQUAL,2,NM1,IL,2,8,,SUBID"},
    {B, A, "SUBADDR1,55,N3,,,1,,SUBID|NM1,IL,2"},
    {B, A, "SUBADDR2,55,N3,,,2,,SUBID|NM1,IL,2"},
    {B, A, "SUBCITY,30,N4,,,1,,SUBID|NM1,IL,2"},
    {B, A, "SUBSTATE,2,N4,,,2,,SUBID|NM1,IL,2"},
    {B, A, "SUBZIP,15,N4,,,3,,SUBID|NM1,IL,2"},
    {B, A, "SUBDOB,8,DMG,,,2,,SUBID|NM1,IL,2"},
    {B, A, "SUBGENDER,1,DMG,,,3,,SUBID|NM1,IL,2"},
    {B, A, "SUBSSN,50,REF,SY,2,2,,SUBID"},
    {B, A, "SUBGROUPNUMBER,50,REF,6P:1L,2,2,,SUBID"},
    {B, A, "TRACENUMBER,50,TRN,,,2"},
    {B, A, "PATLNAME,60,NM1,03,2,3,,SUBID"},
    {B, A, "PATFNAME,35,NM1,03,2,4,,SUBID"},
    {B, A, "PATDOB,8,DMG,,,2,,SUBID|NM1,03,2"},
    {B, A, "PATGENDER,1,DMG,,,3,,SUBID|NM1,03,2"},
};

// The inquiry asks with EQ; its line key (EB) belongs to the response, so
// the first service type asked about is a record field.
const Row kFields270[] = {
    {B, A, "SUBID,80,NM1,IL,2,9"},
    ZR_ELIGIBILITY_PARTIES("1"),
    {V4, A, "ELIGIBILITYDATE,17,DTP,307:291,2,3,,SUBID"},
    {V5, A, "ELIGIBILITYDATE,17,DTP,291:307,2,3,,SUBID"},
    {B, A, "INQUIRYSERVICETYPE,3,EQ,,,1,,SUBID"},
    {B, A, "INQUIRYPROCEDURE,48,EQ,,,2,2,SUBID"},
    {B, A, "INQUIRYCOVERAGELEVEL,3,EQ,,,3,,SUBID"},
};

const Row kFields271[] = {
    {B, A, "SUBID,80,NM1,IL,2,9"},
    ZR_ELIGIBILITY_PARTIES("2"),
    {B, A, "PAYERCONTACT,60,PER,IC,2,2,,PAYERNAME,,2"},
    {B, A, "PAYERCOMMQUAL,2,PER,IC,2,3,,PAYERNAME,,2"},
    {B, A, "PAYERCOMMNUMBER,256,PER,IC,2,4,,PAYERNAME,,2"},
    {B, A, "ELIGIBILITYDATE,17,DTP,291:346:356:307,2,3,,SUBID"},
    {B, A, "ELIGIBILITYENDDATE,17,DTP,347:357,2,3,,SUBID"},
    {B, A, "REQUESTVALID,1,AAA,,,1,,SUBID"},
    {B, A, "REJECTREASON,2,AAA,,,3,,SUBID"},
    {B, A, "FOLLOWUPACTION,1,AAA,,,4,,SUBID"},
};

#undef ZR_ELIGIBILITY_PARTIES

// A request rejected above the subscriber, by the payer or at the
// information receiver, carries its AAA before any subscriber id: read
// once the party's name is known and until a subscriber's id is.
const Row kLater271[] = {
    {B, A, "PAYERREQUESTVALID,1,AAA,,,1,,PAYERNAME,,2|,,,RECEIVERNAME"},
    {B, A, "PAYERREJECTREASON,2,AAA,,,3,,PAYERNAME,,2|,,,RECEIVERNAME"},
    {B, A, "PAYERFOLLOWUPACTION,1,AAA,,,4,,PAYERNAME,,2|,,,RECEIVERNAME"},
    {B, A, "RECEIVERREQUESTVALID,1,AAA,,,1,,RECEIVERNAME,,2|,,,SUBID"},
    {B, A, "RECEIVERREJECTREASON,2,AAA,,,3,,RECEIVERNAME,,2|,,,SUBID"},
    {B, A, "RECEIVERFOLLOWUPACTION,1,AAA,,,4,,RECEIVERNAME,,2|,,,SUBID"},
};

const Row kLineEligibility[] = {
    {B, A, "BENEFIT#,2,EB,,,1,,SUBID"},
    {B, A, "COVERAGELEVEL#,3,EB,,,2,,SUBID"},
    {B, A, "SERVICETYPE#,3,EB,,,3,,SUBID"},
    {B, A, "INSURANCETYPE#,3,EB,,,4,,SUBID"},
    {B, A, "DESCRIPTION#,50,EB,,,5,,SUBID"},
    {B, A, "TIMEPERIOD#,2,EB,,,6,,SUBID"},
    {B, A, "AMOUNT#,18,EB,,,7,,SUBID"},
    {B, A, "PERCENT#,10,EB,,,8,,SUBID"},
    {B, A, "QUANTITYQUAL#,2,EB,,,9,,SUBID"},
    {B, A, "QUANTITY#,15,EB,,,10,,SUBID"},
    {B, A, "AUTHREQUIRED#,1,EB,,,11,,SUBID"},
    {B, A, "INPLAN#,1,EB,,,12,,SUBID"},
    {B, A, "BENEFITPROCEDURE#,48,EB,,,13,2,SUBID"},
    {B, A, "BENEFITDATEQUAL#,3,DTP,,,1,,SUBID"},
    {B, A, "BENEFITDATE#,17,DTP,,,3,,SUBID"},
    {B, A, "BENEFITMESSAGE#,264,MSG,,,1,,SUBID"},
};

// Free-form messages: the first MSG of the record, or the k-th of several.
void messageFields(std::vector<std::string>& lines, const MapAnswers& a) {
    const int segments = a.messageSegments;
    for (int k = 1; k <= segments; ++k) {
        if (segments == 1) lines.push_back("FIELD=MESSAGETEXT,264,MSG,,,1,,SUBID");
        else lines.push_back("FIELD=MESSAGETEXT_" + std::to_string(k) + ",264,MSG,,,1,,SUBID," + std::to_string(k));
    }
}

constexpr const char* kKeys270[] = {"KEYFIELD=HL,,,22", "KEYLINEFIELD=EB"};
constexpr const char* kKeys271[] = {"KEYHEADERFIELD=HL,,,20", "KEYFIELD=HL,,,22", "KEYLINEFIELD=EB"};

// ------------------------------------------------------------------ 278

const Row kFields278[] = {
    {B, A, "SUBID,80,NM1,IL,2,9"},
    {B, A, "UMONAME,60,NM1,X3,2,3,,,,1"},
    {B, A, "UMOIDQUAL,2,NM1,X3,2,8,,,,1"},
    {B, A, "UMOID,80,NM1,X3,2,9,,,,1"},
    {B, A, "REQUESTERNAME,60,NM1,1P:FA,2,3,,,,1"},
    {B, A, "REQUESTERFNAME,35,NM1,1P:FA,2,4,,,,1"},
    {B, A, "REQUESTERIDQUAL,2,NM1,1P:FA,2,8,,,,1"},
    {B, A, "REQUESTERID,80,NM1,1P:FA,2,9,,,,1"},
    {B, A, "SUBLNAME,60,NM1,IL,2,3,,SUBID"},
    {B, A, "SUBFNAME,35,NM1,IL,2,4,,SUBID"},
    {B, A, "SUBIDQUAL,2,NM1,IL,2,8,,SUBID"},
    {B, A, "SUBDOB,8,DMG,,,2,,SUBID|NM1,IL,2"},
    {B, A, "SUBGENDER,1,DMG,,,3,,SUBID|NM1,IL,2"},
    {B, A, "PATLNAME,60,NM1,QC,2,3,,SUBID"},
    {B, A, "PATFNAME,35,NM1,QC,2,4,,SUBID"},
    {B, A, "PATDOB,8,DMG,,,2,,SUBID|NM1,QC,2"},
    {B, A, "PATGENDER,1,DMG,,,3,,SUBID|NM1,QC,2"},
    {B, A, "TRACENUMBER,50,TRN,,,2,,SUBID"},
    {B, A, "REQUESTCATEGORY,2,UM,,,1,,SUBID"},
    {B, A, "CERTIFICATIONTYPE,1,UM,,,2,,SUBID"},
    {B, A, "SERVICETYPE,3,UM,,,3,,SUBID"},
    {B, A, "FACILITYCODE,2,UM,,,4,1,SUBID"},
    {B, A, "AUTHNUMBER,50,REF,BB,2,2,,SUBID"},
    {B, A, "EVENTDATE,35,DTP,AAH,2,3,,SUBID"},
    {B, A, "ADMISSIONDATE,35,DTP,435,2,3,,SUBID"},
    {B, A, "DISCHARGEDATE,35,DTP,096,2,3,,SUBID"},
    {B, A, "DX01,30,HI,,,1,2,SUBID"},
    {B, A, "DX02,30,HI,,,2,2,SUBID"},
    {B, A, "DX03,30,HI,,,3,2,SUBID"},
    {B, A, "DX04,30,HI,,,4,2,SUBID"},
    {B, A, "SERVICEPROVIDERNAME,60,NM1,SJ,2,3,,SUBID"},
    {B, A, "SERVICEPROVIDERFNAME,35,NM1,SJ,2,4,,SUBID"},
    {B, A, "SERVICEPROVIDERIDQUAL,2,NM1,SJ,2,8,,SUBID"},
    {B, A, "SERVICEPROVIDERID,80,NM1,SJ,2,9,,SUBID"},
    {B, A, "FACILITYNAME,60,NM1,FA,2,3,,SUBID"},
    {B, A, "FACILITYID,80,NM1,FA,2,9,,SUBID"},
    {B, A, "MESSAGETEXT,264,MSG,,,1,,SUBID"},
};

// The review decision of the response.
const Row kDecision278[] = {
    {B, A, "ACTIONCODE,2,HCR,,,1,,SUBID"},
    {B, A, "CERTIFICATIONNUMBER,50,HCR,,,2,,SUBID"},
    {B, A, "DECISIONREASON,2,HCR,,,3,,SUBID"},
    {B, A, "CERTIFICATIONBEGIN,35,DTP,AAH:472,2,3,,ACTIONCODE"},
};

const Row kLine278[] = {
    {B, A, "PROCEDURE#,48,SV2,,,2,2,SUBID"},
    {B, A, "PROCEDUREQUAL#,2,SV2,,,2,1,SUBID"},
    {B, A, "PROCEDUREREVCODE#,48,SV2,,,1,,SUBID"},
    {B, A, "PROCEDUREAMT#,18,SV2,,,3,,SUBID"},
    {B, A, "PROCEDUREUNITS#,2,SV2,,,4,,SUBID"},
    {B, A, "PROCEDUREQTY#,15,SV2,,,5,,SUBID"},
};

constexpr const char* kKeys278[] = {"KEYFIELD=HL,,,22", "KEYLINEFIELD=SV2"};

// ------------------------------------------------------------------ 834

// INS opens the member record; everything after it waits for the
// subscriber identifier REF 0F.
const Row kFields834[] = {
    {B, A, "SUBID,80,REF,0F,2,2"},
    {B, A, "MEMBERINDICATOR,1,INS,,,1"},
    {B, A, "RELATIONSHIP,2,INS,,,2"},
    {B, A, "MAINTENANCETYPE,3,INS,,,3"},
    {B, A, "MAINTENANCEREASON,3,INS,,,4"},
    {B, A, "BENEFITSTATUS,1,INS,,,5"},
    {B, A, "MEDICAREPLAN,1,INS,,,6,1"},
    {B, A, "COBRAEVENT,2,INS,,,7"},
    {B, A, "EMPLOYMENTSTATUS,2,INS,,,8"},
    {B, A, "STUDENTSTATUS,1,INS,,,9"},
    {B, A, "HANDICAP,1,INS,,,10"},
    {B, A, "DEATHDATE,35,INS,,,12"},
    {B, A, "GROUPPOLICYNUMBER,50,REF,1L,2,2,,SUBID"},
    {B, A, "ELIGIBILITYBEGIN,35,DTP,356,2,3,,SUBID"},
    {B, A, "ELIGIBILITYEND,35,DTP,357,2,3,,SUBID"},
    {B, A, "MAINTENANCEEFFECTIVE,35,DTP,303,2,3,,SUBID"},
    {B, A, "MEMBERLNAME,60,NM1,IL:74,2,3,,SUBID"},
    {B, A, "MEMBERFNAME,35,NM1,IL:74,2,4,,SUBID"},
    {B, A, "MEMBERMNAME,25,NM1,IL:74,2,5,,SUBID"},
    {B, A, "MEMBERIDQUAL,2,NM1,IL:74,2,8,,SUBID"},
    {B, A, "MEMBERIDNUMBER,80,NM1,IL:74,2,9,,SUBID"},
    {B, A, "MEMBERPHONE,256,PER,IP,2,4,,SUBID"},
    {B, A, "MEMBERADDR1,55,N3,,,1,,SUBID|NM1,IL,2"},
    {B, A, "MEMBERADDR2,55,N3,,,2,,SUBID|NM1,IL,2"},
    {B, A, "MEMBERCITY,30,N4,,,1,,SUBID|NM1,IL,2"},
    {B, A, "MEMBERSTATE,2,N4,,,2,,SUBID|NM1,IL,2"},
    {B, A, "MEMBERZIP,15,N4,,,3,,SUBID|NM1,IL,2"},
    {B, A, "MEMBERDOB,35,DMG,D8,2,2,,SUBID"},
    {B, A, "MEMBERGENDER,1,DMG,D8,2,3,,SUBID"},
    {B, A, "MEMBERMARITAL,1,DMG,D8,2,4,,SUBID"},
    {B, A, "EMPLOYERNAME,60,NM1,36,2,3,,SUBID"},
};

const Row kLine834[] = {
    {B, A, "COVERAGETYPECODE#,3,HD,,,1,,SUBID"},
    {B, A, "COVERAGELINECODE#,3,HD,,,3,,SUBID"},
    {B, A, "COVERAGEPLANCODE#,50,HD,,,4,,SUBID"},
    {B, A, "COVERAGELEVELCODE#,3,HD,,,5,,SUBID"},
    {B, A, "COVERAGEBEGIN#,35,DTP,348,2,3,,SUBID"},
    {B, A, "COVERAGEEND#,35,DTP,349,2,3,,SUBID"},
};

const Row kTail834[] = {
    {B, A, "SPONSORNAME,60,N1,P5,2,2,,,,1"},
    {B, A, "SPONSORIDQUAL,2,N1,P5,2,3,,,,1"},
    {B, A, "SPONSORID,80,N1,P5,2,4,,,,1"},
    {B, A, "INSURERNAME,60,N1,IN,2,2,,,,1"},
    {B, A, "INSURERIDQUAL,2,N1,IN,2,3,,,,1"},
    {B, A, "INSURERID,80,N1,IN,2,4,,,,1"},
    {B, A, "MASTERPOLICY,50,REF,38,2,2,,,,1"},
    {B, A, "TRANSACTIONSETCODE,2,BGN,,,1,,,,1"},
    {B, A, "TRANSACTIONID,50,BGN,,,2,,,,1"},
    {B, A, "TRANSACTIONDATE,8,BGN,,,3,,,,1"},
    {B, A, "TRANSACTIONTIME,8,BGN,,,4,,,,1"},
    {B, A, "TRANSACTIONACTION,2,BGN,,,8,,,,1"},
    {B, A, "FILEEFFECTIVEDATE,35,DTP,007,2,3,,,,1"},
};

constexpr const char* kKeys834[] = {"KEYFIELD=INS", "KEYLINEFIELD=HD"};

}  // namespace

const TransactionText& text276() {
    static const std::vector<Row> fields = joinRows({kFields276, kStatusSubscriber});
    static const TransactionText text{"276", kKeys276, fields, {}, nullptr, {}, kTransactionHeader, {}, {}};
    return text;
}

const TransactionText& text277() {
    static const std::vector<Row> fields = joinRows({kFields277, kStatusSubscriber});
    static const TransactionText text{"277", kKeys277, fields, {}, nullptr, kLine277, kTransactionHeader, {}, {}};
    return text;
}

const TransactionText& text270() {
    static const std::vector<Row> fields = joinRows({kFields270, kEligibilityPersons});
    static const TransactionText text{"270", kKeys270, fields, {}, nullptr, kLineEligibility, kTransactionHeader,
                                      {},    {}};
    return text;
}

const TransactionText& text271() {
    static const std::vector<Row> fields = joinRows({kFields271, kEligibilityPersons});
    static const TransactionText text{"271", kKeys271, fields, {}, messageFields, kLineEligibility,
                                      kTransactionHeader, {}, {}, nullptr, kLater271};
    return text;
}

const TransactionText& text278Request() {
    static const TransactionText text{"278", kKeys278, kFields278, {}, nullptr, kLine278, kTransactionHeader, {}, {}};
    return text;
}

const TransactionText& text278Response() {
    static const std::vector<Row> fields = joinRows({kFields278, kDecision278});
    static const TransactionText text{"278", kKeys278, fields, {}, nullptr, kLine278, kTransactionHeader, {}, {}};
    return text;
}

const TransactionText& text834() {
    static const TransactionText text{"834", kKeys834, kFields834, {}, nullptr, kLine834, kTail834, {}, {}};
    return text;
}

}  // namespace zr::maprows
