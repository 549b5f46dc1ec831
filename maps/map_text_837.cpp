// The built-in maps of the three claims: 837 institutional, professional
// and dental, in their 4010 and 5010 forms. One record per subscriber
// (HL 22); billing provider values live until the next HL 20.
//
// How the rows find their data:
// - the subscriber's NM1 IL sets SUBID, which opens every other subscriber,
//   payer, patient and claim field; address and demographic segments,
//   which carry no qualifier, also need the NM1 they follow;
// - the SBR flags PRIMARYCOV / SECONDARYCOV / TERTIARYCOV open the coverage
//   fields, so the subscriber loop and each other-payer loop fill the group
//   of their own payer responsibility;
// - the patient's HL 23 sets PATID (the patient's hierarchical id);
// - claim notes stop at the first service line (toggle on its procedure).
// Templates rebuild the same loops; HL numbers come from the counter, the
// patient's parent from the source's value.
#include "map_rows.hpp"

namespace zr::maprows {

namespace {

constexpr Ver B = Ver::Both, V4 = Ver::V4010, V5 = Ver::V5010;
constexpr Part A = Part::Always, Bl = Part::Billing, BA = Part::BillingAddress, Sb = Part::Subscriber,
               Pt = Part::Patient, Cv = Part::Coverage, SP = Part::ServiceProvider;

// ---------------------------------------------------------------- fields

const Row kIdentification[] = {
    {B, A, "SUBID,80,NM1,IL,2,9"},
    {B, A, "SUBHLCHILDCODE,1,HL,22,4,4"},
};

const Row kBillingProvider[] = {
    {B, Bl, "BILLINGPROVIDERNAME,32,NM1,85,2,3,,,,2"},
    {B, Bl, "BILLINGPROVIDERFNAME,35,NM1,85,2,4,,,,2"},
    {B, Bl, "BILLINGPROVIDERENTITYTYPE,1,NM1,85,2,2,,,,2"},
    {B, Bl, "BILLINGPROVIDERIDQUAL,2,NM1,85,2,8,,,,2"},
    {B, Bl, "BILLINGPROVIDERID,80,NM1,85,2,9,,,,2"},
    {B, Bl, "BILLINGPROVIDERTAXONOMY,50,PRV,BI,2,3,,,,2"},
    // The provider's tax id (the first REF) and contact: read near its NM1
    // and only until the subscriber is met, since a qualifier alone would
    // also take the subscriber's REF SY or PER IC.
    {B, Bl, "BILLINGPROVIDERTAXIDQUAL,3,REF,,,1,,BILLINGPROVIDERNAME,,2|NM1,85,2,SUBID"},
    {B, Bl, "BILLINGPROVIDERTAXID,50,REF,,,2,,BILLINGPROVIDERNAME,,2|NM1,85,2,SUBID"},
    {B, Bl, "BILLINGPROVIDERCONTACT,60,PER,,,2,,BILLINGPROVIDERNAME,,2|NM1,85,2,SUBID"},
    {B, Bl, "BILLINGPROVIDERCOMMQUAL,2,PER,,,3,,BILLINGPROVIDERNAME,,2|NM1,85,2,SUBID"},
    {B, Bl, "BILLINGPROVIDERCOMMNUMBER,256,PER,,,4,,BILLINGPROVIDERNAME,,2|NM1,85,2,SUBID"},
    {B, BA, "BILLINGPROVIDERADDR1,55,N3,,,1,,BILLINGPROVIDERNAME,,2|NM1,85,2"},
    {B, BA, "BILLINGPROVIDERADDR2,55,N3,,,2,,BILLINGPROVIDERNAME,,2|NM1,85,2"},
    {B, BA, "BILLINGPROVIDERCITY,30,N4,,,1,,BILLINGPROVIDERNAME,,2|NM1,85,2"},
    {B, BA, "BILLINGPROVIDERSTATE,2,N4,,,2,,BILLINGPROVIDERNAME,,2|NM1,85,2"},
    {B, BA, "BILLINGPROVIDERZIP,15,N4,,,3,,BILLINGPROVIDERNAME,,2|NM1,85,2"},
    // 5010 keeps only the pay-to address; 4010 also names the pay-to provider.
    {B, BA, "PAYTOPROVIDERENTITYTYPE,1,NM1,87,2,2,,,,2"},
    {V4, BA, "PAYTOPROVIDERNAME,60,NM1,87,2,3,,,,2"},
    {V4, BA, "PAYTOPROVIDERIDQUAL,2,NM1,87,2,8,,,,2"},
    {V4, BA, "PAYTOPROVIDERID,80,NM1,87,2,9,,,,2"},
    {B, BA, "PAYTOPROVIDERADDR1,55,N3,,,1,,PAYTOPROVIDERENTITYTYPE,,2|NM1,87,2"},
    {B, BA, "PAYTOPROVIDERADDR2,55,N3,,,2,,PAYTOPROVIDERENTITYTYPE,,2|NM1,87,2"},
    {B, BA, "PAYTOPROVIDERCITY,30,N4,,,1,,PAYTOPROVIDERENTITYTYPE,,2|NM1,87,2"},
    {B, BA, "PAYTOPROVIDERSTATE,2,N4,,,2,,PAYTOPROVIDERENTITYTYPE,,2|NM1,87,2"},
    {B, BA, "PAYTOPROVIDERZIP,15,N4,,,3,,PAYTOPROVIDERENTITYTYPE,,2|NM1,87,2"},
};

const Row kCoverageFlags[] = {
    {B, Cv, "PRIMARYCOV,1,SBR,P,2,1"},
    {B, Cv, "SECONDARYCOV,1,SBR,S,2,1"},
    {B, Cv, "TERTIARYCOV,1,SBR,T,2,1"},
};

const Row kSubscriberAndPayer[] = {
    {B, Sb, "SUBENTITYTYPE,1,NM1,IL,2,2,,SUBID"},
    {B, Sb, "SUBLNAME,60,NM1,IL,2,3,,SUBID"},
    {B, Sb, "SUBFNAME,35,NM1,IL,2,4,,SUBID"},
    {B, Sb, "SUBMNAME,25,NM1,IL,2,5,,SUBID"},
    {B, Sb, "SUBSUFFIX,10,NM1,IL,2,7,,SUBID"},
    {B, Sb, "SUBIDQUAL,2,NM1,IL,2,8,,SUBID"},
    {B, Sb, "SUBADDR1,30,N3,,,1,,SUBID|NM1,IL,2,PAYERID"},
    {B, Sb, "SUBADDR2,30,N3,,,2,,SUBID|NM1,IL,2,PAYERID"},
    {B, Sb, "SUBCITY,30,N4,,,1,,SUBID|NM1,IL,2,PAYERID"},
    {B, Sb, "SUBSTATE,2,N4,,,2,,SUBID|NM1,IL,2,PAYERID"},
    {B, Sb, "SUBZIP,15,N4,,,3,,SUBID|NM1,IL,2,PAYERID"},
    {B, Sb, "SUBDOB,8,DMG,,,2,,SUBID|NM1,IL,2,PAYERID"},
    {B, Sb, "SUBGENDER,1,DMG,,,3,,SUBID|NM1,IL,2,PAYERID"},
    {B, Sb, "SUBSSN,50,REF,SY,2,2,,SUBID"},
    {B, Sb, "PAYERID,80,NM1,PR,2,9,,SUBID"},
    {B, Sb, "PAYERIDQUAL,2,NM1,PR,2,8,,PAYERID"},
    {B, Sb, "PAYERNAME,60,NM1,PR,2,3,,PAYERID"},
    {B, Sb, "PAYERADDR1,55,N3,,,1,,PAYERID|NM1,PR,2"},
    {B, Sb, "PAYERADDR2,55,N3,,,2,,PAYERID|NM1,PR,2"},
    {B, Sb, "PAYERCITY,30,N4,,,1,,PAYERID|NM1,PR,2"},
    {B, Sb, "PAYERSTATE,2,N4,,,2,,PAYERID|NM1,PR,2"},
    {B, Sb, "PAYERZIP,15,N4,,,3,,PAYERID|NM1,PR,2"},
};

// One coverage group: the SBR of that responsibility, the subscriber and
// payer named after it, and what that payer adjusted and paid (other-payer
// loop: CAS and AMT follow its SBR closely).
#define ZR_COVERAGE(X, Q)                                                      \
    {B, Cv, X "RELATIONSHIP,2,SBR," Q ",2,2,," X "COV"},                      \
    {B, Cv, X "GROUPNUMBER,50,SBR," Q ",2,3,," X "COV"},                       \
    {B, Cv, X "GROUPNAME,60,SBR," Q ",2,4,," X "COV"},                         \
    {B, Cv, X "INSURANCETYPE,3,SBR," Q ",2,5,," X "COV"},                      \
    {B, Cv, X "FILINGCODE,2,SBR," Q ",2,9,," X "COV"},                         \
    {B, Cv, X "SUBLNAME,60,NM1,IL,2,3,," X "COV|SBR," Q ",2," X "PAYERID"},    \
    {B, Cv, X "SUBFNAME,35,NM1,IL,2,4,," X "COV|SBR," Q ",2," X "PAYERID"},    \
    {B, Cv, X "SUBID,16,NM1,IL,2,9,," X "COV|SBR," Q ",2," X "PAYERID"},       \
    {B, Cv, X "PAYERNAME,60,NM1,PR,2,3,," X "COV"},                            \
    {B, Cv, X "PAYERID,80,NM1,PR,2,9,," X "COV"},                              \
    {B, Cv, X "ADJGROUP,2,CAS,,,1,," X "COV|SBR," Q ",2"},                     \
    {B, Cv, X "ADJREASON,5,CAS,,,2,," X "COV|SBR," Q ",2"},                    \
    {B, Cv, X "ADJAMOUNT,18,CAS,,,3,," X "COV|SBR," Q ",2"},                   \
    {B, Cv, X "PAIDAMT,18,AMT,,,2,," X "COV|SBR," Q ",2"}

const Row kCoverage[] = {
    ZR_COVERAGE("PRIMARY", "P"),
    ZR_COVERAGE("SECONDARY", "S"),
    ZR_COVERAGE("TERTIARY", "T"),
};
#undef ZR_COVERAGE

const Row kPatient[] = {
    {B, Pt, "PATID,12,HL,23,4,1,,SUBID"},
    {B, Pt, "PATHLPARENT,12,HL,23,4,2,,SUBID"},
    {B, Pt, "PATRELATIONSHIP,2,PAT,,,1,,PATID"},
    {B, Pt, "PATLNAME,60,NM1,QC,2,3,,PATID"},
    {B, Pt, "PATFNAME,35,NM1,QC,2,4,,PATID"},
    {B, Pt, "PATMNAME,25,NM1,QC,2,5,,PATID"},
    {B, Pt, "PATSUFFIX,10,NM1,QC,2,7,,PATID"},
    {V4, Pt, "PATMEMBERIDQUAL,2,NM1,QC,2,8,,PATID"},
    {V4, Pt, "PATMEMBERID,80,NM1,QC,2,9,,PATID"},
    {B, Pt, "PATADDR1,55,N3,,,1,,PATID|NM1,QC,2"},
    {B, Pt, "PATADDR2,55,N3,,,2,,PATID|NM1,QC,2"},
    {B, Pt, "PATCITY,30,N4,,,1,,PATID|NM1,QC,2"},
    {B, Pt, "PATSTATE,2,N4,,,2,,PATID|NM1,QC,2"},
    {B, Pt, "PATZIP,15,N4,,,3,,PATID|NM1,QC,2"},
    {B, Pt, "PATDOB,8,DMG,,,2,,PATID|NM1,QC,2"},
    {B, Pt, "PATGENDER,1,DMG,,,3,,PATID|NM1,QC,2"},
};

const Row kClaimReferences[] = {
    {B, A, "PRIORAUTH,50,REF,G1,2,2,,SUBID"},
    {B, A, "REFERRALNUMBER,50,REF,9F,2,2,,SUBID"},
    {B, A, "ORIGINALREFNUMBER,50,REF,F8,2,2,,SUBID"},
    {B, A, "CLEARINGHOUSECLAIMID,50,REF,D9,2,2,,SUBID"},
    {B, A, "MEDICALRECORDNUMBER,50,REF,EA,2,2,,SUBID"},
};

const Row kReferringProvider[] = {
    {B, A, "REFERRINGLNAME,60,NM1,DN,2,3,,SUBID"},
    {B, A, "REFERRINGFNAME,35,NM1,DN,2,4,,SUBID"},
    {B, A, "REFERRINGIDQUAL,2,NM1,DN,2,8,,SUBID"},
    {B, A, "REFERRINGID,80,NM1,DN,2,9,,SUBID"},
};

const Row kRenderingProvider[] = {
    {B, SP, "RENDERINGENTITYTYPE,1,NM1,82,2,2,,SUBID"},
    {B, SP, "RENDERINGLNAME,60,NM1,82,2,3,,SUBID"},
    {B, SP, "RENDERINGFNAME,35,NM1,82,2,4,,SUBID"},
    {B, SP, "RENDERINGIDQUAL,2,NM1,82,2,8,,SUBID"},
    {B, SP, "RENDERINGID,80,NM1,82,2,9,,SUBID"},
    {B, SP, "RENDERINGTAXONOMY,50,PRV,PE,2,3,,SUBID"},
};

const Row kServiceFacility[] = {
    {B, A, "FACILITYNAME,60,NM1,77,2,3,,SUBID"},
    {B, A, "FACILITYIDQUAL,2,NM1,77,2,8,,SUBID"},
    {B, A, "FACILITYID,80,NM1,77,2,9,,SUBID"},
    {B, A, "FACILITYADDR1,55,N3,,,1,,FACILITYNAME|NM1,77,2"},
    {B, A, "FACILITYADDR2,55,N3,,,2,,FACILITYNAME|NM1,77,2"},
    {B, A, "FACILITYCITY,30,N4,,,1,,FACILITYNAME|NM1,77,2"},
    {B, A, "FACILITYSTATE,2,N4,,,2,,FACILITYNAME|NM1,77,2"},
    {B, A, "FACILITYZIP,15,N4,,,3,,FACILITYNAME|NM1,77,2"},
};

const Row kSupervisingProvider[] = {
    {B, A, "SUPERVISINGLNAME,60,NM1,DQ,2,3,,SUBID"},
    {B, A, "SUPERVISINGFNAME,35,NM1,DQ,2,4,,SUBID"},
    {B, A, "SUPERVISINGIDQUAL,2,NM1,DQ,2,8,,SUBID"},
    {B, A, "SUPERVISINGID,80,NM1,DQ,2,9,,SUBID"},
};

const Row kTail[] = {
    {B, A, "RECEIVERNAME,60,NM1,40,2,3,,,,1"},
    {B, A, "RECEIVERID,80,NM1,40,2,9,,,,1"},
    {B, A, "SUBMITTERENTITYTYPE,1,NM1,41,2,2,,,,1"},
    {B, A, "SUBMITTERNAME,32,NM1,41,2,3,,,,1"},
    {B, A, "SUBMITTERID,80,NM1,41,2,9,,,,1"},
    {B, A, "SUBMITTERCONTACT,60,PER,IC,2,2,,,,1"},
    {B, A, "SUBMITTERCOMMQUAL,2,PER,IC,2,3,,,,1"},
    {B, A, "SUBMITTERCOMMNUMBER,256,PER,IC,2,4,,,,1"},
    {B, A, "TRANSACTIONSETCODE,2,BHT,,,2,,,,1"},
    {B, A, "TRANSACTIONID,20,BHT,,,3,,,,1"},
    {B, A, "TRANSACTIONDATE,8,BHT,,,4,,,,1"},
    {B, A, "TRANSACTIONTIME,8,BHT,,,5,,,,1"},
    {B, A, "TRANSACTIONTYPECODE,2,BHT,,,6,,,,1"},
};

// --- 837 professional

const Row kClaim837P[] = {
    {B, A, "CLAIMID,38,CLM,,,1,,SUBID"},
    {B, A, "CLAIMAMT,18,CLM,,,2,,SUBID"},
    {B, A, "FACILITYCODEVALUE,3,CLM,,,5,1,SUBID"},
    {B, A, "FACILITYCODEQUAL,2,CLM,,,5,2,SUBID"},
    {B, A, "CLAIMFREQUENCY,1,CLM,,,5,3,SUBID"},
    {B, A, "PROVIDERSIGNATURE,1,CLM,,,6,,SUBID"},
    {B, A, "ASSIGNMENTCODE,1,CLM,,,7,,SUBID"},
    {B, A, "BENEFITSASSIGNMENT,1,CLM,,,8,,SUBID"},
    {B, A, "RELEASEOFINFO,1,CLM,,,9,,SUBID"},
    {B, A, "CLAIMSIGNATURESOURCE,1,CLM,,,10,,SUBID"},
    {B, A, "ACCIDENTCAUSE01,3,CLM,,,11,1,SUBID"},
    {B, A, "ACCIDENTCAUSE02,3,CLM,,,11,2,SUBID"},
    {B, A, "ACCIDENTSTATE,2,CLM,,,11,4,SUBID"},
    {B, A, "SPECIALPROGRAM,3,CLM,,,12,,SUBID"},
    {B, A, "DELAYREASON,2,CLM,,,20,,SUBID"},
    {B, A, "ONSETDATE,35,DTP,431,2,3,,SUBID"},
    {B, A, "INITIALTREATMENTDATE,35,DTP,454,2,3,,SUBID"},
    {B, A, "LASTSEENDATE,35,DTP,304,2,3,,SUBID"},
    {B, A, "ACUTEMANIFESTATIONDATE,35,DTP,453,2,3,,SUBID"},
    {B, A, "ACCIDENTDATE,35,DTP,439,2,3,,SUBID"},
    {B, A, "LMPDATE,35,DTP,484,2,3,,SUBID"},
    {B, A, "LASTXRAYDATE,35,DTP,455,2,3,,SUBID"},
    {B, A, "DISABILITYFROMDATE,35,DTP,360,2,3,,SUBID"},
    {B, A, "DISABILITYTODATE,35,DTP,361,2,3,,SUBID"},
    {B, A, "LASTWORKEDDATE,35,DTP,297,2,3,,SUBID"},
    {B, A, "RETURNTOWORKDATE,35,DTP,296,2,3,,SUBID"},
    {B, A, "ADMISSIONDATE,35,DTP,435,2,3,,SUBID"},
    {B, A, "DISCHARGEDATE,35,DTP,096,2,3,,SUBID"},
    {B, A, "PATIENTPAIDAMT,18,AMT,F5,2,2,,SUBID"},
};

const Row kClaimTail837P[] = {
    {B, A, "CLIANUMBER,50,REF,X4,2,2,,SUBID"},
    {B, A, "CLAIMNOTEREF,3,NTE,,,1,,SUBID|,,,PROC1"},
    {B, A, "CLAIMNOTE,80,NTE,,,2,,SUBID|,,,PROC1"},
};

// Principal diagnosis first, then the others, all read from the HI whose
// first code is the principal one.
#define ZR_DX(V, Q, N, E) {V, A, "DX" N ",30,HI," Q ",2," E ",2,SUBID"}
#define ZR_DX12(V, Q)                                                                                  \
    ZR_DX(V, Q, "01", "1"), ZR_DX(V, Q, "02", "2"), ZR_DX(V, Q, "03", "3"), ZR_DX(V, Q, "04", "4"),      \
        ZR_DX(V, Q, "05", "5"), ZR_DX(V, Q, "06", "6"), ZR_DX(V, Q, "07", "7"), ZR_DX(V, Q, "08", "8"),  \
        ZR_DX(V, Q, "09", "9"), ZR_DX(V, Q, "10", "10"), ZR_DX(V, Q, "11", "11"), ZR_DX(V, Q, "12", "12")

const Row kDiagnoses837P[] = {ZR_DX12(V4, "BK"), ZR_DX12(V5, "ABK:BK")};
const Row kDiagnoses837D[] = {ZR_DX(V5, "ABK:BK", "01", "1"), ZR_DX(V5, "ABK:BK", "02", "2"),
                              ZR_DX(V5, "ABK:BK", "03", "3"), ZR_DX(V5, "ABK:BK", "04", "4")};
#undef ZR_DX12
#undef ZR_DX

const Row kLine837P[] = {
    {B, A, "PROC#,48,SV1,,,1,2,SUBID"},
    {B, A, "PROCQUAL#,2,SV1,,,1,1,SUBID"},
    {B, A, "MODA#,2,SV1,,,1,3,SUBID"},
    {B, A, "MODB#,2,SV1,,,1,4,SUBID"},
    {B, A, "MODC#,2,SV1,,,1,5,SUBID"},
    {B, A, "MODD#,2,SV1,,,1,6,SUBID"},
    {B, A, "AMT#,18,SV1,,,2,,SUBID"},
    {B, A, "UNITS#,2,SV1,,,3,,SUBID"},
    {B, A, "QTY#,15,SV1,,,4,,SUBID"},
    {B, A, "POS#,2,SV1,,,5,,SUBID"},
    {B, A, "DXPTRA#,2,SV1,,,7,1,SUBID"},
    {B, A, "DXPTRB#,2,SV1,,,7,2,SUBID"},
    {B, A, "DXPTRC#,2,SV1,,,7,3,SUBID"},
    {B, A, "DXPTRD#,2,SV1,,,7,4,SUBID"},
    {B, A, "EMERGENCY#,1,SV1,,,9,,SUBID"},
    {B, A, "EPSDT#,1,SV1,,,11,,SUBID"},
    {B, A, "DOSQUAL#,3,DTP,472,2,2,,SUBID"},
    {B, A, "DOS#,35,DTP,472,2,3,,SUBID"},
    {B, A, "LINEPRIORAUTH#,50,REF,G1,2,2,,SUBID"},
    {B, A, "LINECONTROLNUMBER#,50,REF,6R,2,2,,SUBID"},
    {B, A, "LINENOTEREF#,3,NTE,,,1,,SUBID"},
    {B, A, "LINENOTE#,80,NTE,,,2,,SUBID"},
    {B, A, "NDC#,48,LIN,,,3,,SUBID"},
    {B, A, "NDCQTY#,15,CTP,,,4,,SUBID"},
    {B, A, "NDCUNIT#,2,CTP,,,5,1,SUBID"},
    {B, SP, "LINERENDERINGLNAME#,60,NM1,82,2,3,,SUBID"},
    {B, SP, "LINERENDERINGFNAME#,35,NM1,82,2,4,,SUBID"},
    {B, SP, "LINERENDERINGID#,80,NM1,82,2,9,,SUBID"},
    {B, A, "LINEPAYERID#,80,SVD,,,1,,SUBID"},
    {B, A, "LINEPAIDAMT#,18,SVD,,,2,,SUBID"},
    {B, A, "LINEPAIDUNITS#,15,SVD,,,5,,SUBID"},
    {B, A, "ADJGRPCODE#,2,CAS,,,1,,SUBID"},
    {B, A, "ADJREASONCODE#,5,CAS,,,2,,SUBID"},
    {B, A, "ADJAMOUNT#,18,CAS,,,3,,SUBID"},
    {B, A, "ADJQTY#,15,CAS,,,4,,SUBID"},
    {B, A, "ADJDATE#,35,DTP,573,2,3,,SUBID"},
};

// --- 837 institutional

const Row kClaim837I[] = {
    {B, A, "CLAIMID,38,CLM,,,1,,SUBID"},
    {B, A, "CLAIMAMT,18,CLM,,,2,,SUBID"},
    {B, A, "FACILITYCODEVALUE,3,CLM,,,5,1,SUBID"},
    {B, A, "FACILITYCODEQUAL,2,CLM,,,5,2,SUBID"},
    {B, A, "CLAIMFREQUENCY,1,CLM,,,5,3,SUBID"},
    {B, A, "ASSIGNMENTCODE,1,CLM,,,7,,SUBID"},
    {B, A, "BENEFITSASSIGNMENT,1,CLM,,,8,,SUBID"},
    {B, A, "RELEASEOFINFO,1,CLM,,,9,,SUBID"},
    {B, A, "DELAYREASON,2,CLM,,,20,,SUBID"},
    {B, A, "DISCHARGEHOUR,4,DTP,096,2,3,,SUBID"},
    {B, A, "STATEMENTDATES,17,DTP,434,2,3,,SUBID"},
    {B, A, "ADMISSIONDATEQUAL,3,DTP,435,2,2,,SUBID"},
    {B, A, "ADMISSIONDATE,35,DTP,435,2,3,,SUBID"},
    {B, A, "ADMISSIONTYPE,1,CL1,,,1,,SUBID"},
    {B, A, "ADMISSIONSOURCE,1,CL1,,,2,,SUBID"},
    {B, A, "PATIENTSTATUS,2,CL1,,,3,,SUBID"},
    {B, A, "PATIENTAMTDUE,18,AMT,F3,2,2,,SUBID"},
};

const Row kClaimTail837I[] = {
    {B, A, "CLAIMNOTEREF,3,NTE,,,1,,SUBID|,,,IREVCODE1"},
    {B, A, "CLAIMNOTE,80,NTE,,,2,,SUBID|,,,IREVCODE1"},
    {V4, A, "PRINCIPALDX,30,HI,BK,2,1,2,SUBID"},
    {V5, A, "PRINCIPALDX,30,HI,ABK:BK,2,1,2,SUBID"},
    {V5, A, "PRINCIPALDXPOA,1,HI,ABK:BK,2,1,9,SUBID"},
    // 4010 carries the admitting diagnosis beside the principal one.
    {V4, A, "ADMITDX,30,HI,BJ,3,2,2,SUBID"},
    {V5, A, "EXTERNALCAUSEDX,30,HI,ABN:BN,2,1,2,SUBID"},
    {B, A, "DRGCODE,4,HI,DR,2,1,2,SUBID"},
    {V4, A, "PRINCIPALPROC,30,HI,BR,2,1,2,SUBID"},
    {V4, A, "PRINCIPALPROCDATE,35,HI,BR,2,1,4,SUBID"},
    {V5, A, "PRINCIPALPROC,30,HI,BBR:BR,2,1,2,SUBID"},
    {V5, A, "PRINCIPALPROCDATE,35,HI,BBR:BR,2,1,4,SUBID"},
};

const Row kProviders837I[] = {
    {B, SP, "ATTENDINGLNAME,60,NM1,71,2,3,,SUBID"},
    {B, SP, "ATTENDINGFNAME,35,NM1,71,2,4,,SUBID"},
    {B, SP, "ATTENDINGIDQUAL,2,NM1,71,2,8,,SUBID"},
    {B, SP, "ATTENDINGID,80,NM1,71,2,9,,SUBID"},
    {B, SP, "ATTENDINGTAXONOMY,50,PRV,AT,2,3,,SUBID"},
    {B, SP, "OPERATINGLNAME,60,NM1,72,2,3,,SUBID"},
    {B, SP, "OPERATINGFNAME,35,NM1,72,2,4,,SUBID"},
    {B, SP, "OPERATINGIDQUAL,2,NM1,72,2,8,,SUBID"},
    {B, SP, "OPERATINGID,80,NM1,72,2,9,,SUBID"},
    {V4, SP, "OTHEROPERATINGLNAME,60,NM1,73,2,3,,SUBID"},
    {V4, SP, "OTHEROPERATINGFNAME,35,NM1,73,2,4,,SUBID"},
    {V4, SP, "OTHEROPERATINGIDQUAL,2,NM1,73,2,8,,SUBID"},
    {V4, SP, "OTHEROPERATINGID,80,NM1,73,2,9,,SUBID"},
    {V5, SP, "OTHEROPERATINGLNAME,60,NM1,ZZ,2,3,,SUBID"},
    {V5, SP, "OTHEROPERATINGFNAME,35,NM1,ZZ,2,4,,SUBID"},
    {V5, SP, "OTHEROPERATINGIDQUAL,2,NM1,ZZ,2,8,,SUBID"},
    {V5, SP, "OTHEROPERATINGID,80,NM1,ZZ,2,9,,SUBID"},
    {B, SP, "RENDERINGLNAME,60,NM1,82,2,3,,SUBID"},
    {B, SP, "RENDERINGFNAME,35,NM1,82,2,4,,SUBID"},
    {B, SP, "RENDERINGIDQUAL,2,NM1,82,2,8,,SUBID"},
    {B, SP, "RENDERINGID,80,NM1,82,2,9,,SUBID"},
    // The service facility is 77 in 5010, FA in 4010.
    {V4, A, "FACILITYNAME,60,NM1,FA,2,3,,SUBID"},
    {V4, A, "FACILITYIDQUAL,2,NM1,FA,2,8,,SUBID"},
    {V4, A, "FACILITYID,80,NM1,FA,2,9,,SUBID"},
    {V4, A, "FACILITYADDR1,55,N3,,,1,,FACILITYNAME|NM1,FA,2"},
    {V4, A, "FACILITYADDR2,55,N3,,,2,,FACILITYNAME|NM1,FA,2"},
    {V4, A, "FACILITYCITY,30,N4,,,1,,FACILITYNAME|NM1,FA,2"},
    {V4, A, "FACILITYSTATE,2,N4,,,2,,FACILITYNAME|NM1,FA,2"},
    {V4, A, "FACILITYZIP,15,N4,,,3,,FACILITYNAME|NM1,FA,2"},
    {V5, A, "FACILITYNAME,60,NM1,77,2,3,,SUBID"},
    {V5, A, "FACILITYIDQUAL,2,NM1,77,2,8,,SUBID"},
    {V5, A, "FACILITYID,80,NM1,77,2,9,,SUBID"},
    {V5, A, "FACILITYADDR1,55,N3,,,1,,FACILITYNAME|NM1,77,2"},
    {V5, A, "FACILITYADDR2,55,N3,,,2,,FACILITYNAME|NM1,77,2"},
    {V5, A, "FACILITYCITY,30,N4,,,1,,FACILITYNAME|NM1,77,2"},
    {V5, A, "FACILITYSTATE,2,N4,,,2,,FACILITYNAME|NM1,77,2"},
    {V5, A, "FACILITYZIP,15,N4,,,3,,FACILITYNAME|NM1,77,2"},
};

const CodeList kCodeLists837I[] = {
    {V5, "ADMITDX", "ABJ:BJ", 30, 2, &MapAnswers::admittingDiagnosisSegments, "%ABJ;$ADMITDX@"},
    {V5, "VISITREASON", "APR:PR", 30, 2, &MapAnswers::visitReasonSegments, "%APR;$VISITREASON@"},
    {V4, "OTHERDX", "BF", 30, 2, &MapAnswers::otherDiagnosisSegments, "%BF;$OTHERDX@"},
    {V5, "OTHERDX", "ABF:BF", 30, 2, &MapAnswers::otherDiagnosisSegments, "%ABF;$OTHERDX@"},
    {V5, "OTHERDXPOA", "ABF:BF", 1, 9, &MapAnswers::otherDiagnosisSegments},
    {V4, "OTHERPROC", "BBQ:BQ:BO", 30, 2, &MapAnswers::otherProcedureSegments, "%BQ;$OTHERPROC@;D8;$OTHERPROCDATE@"},
    {V4, "OTHERPROCDATE", "BBQ:BQ:BO", 35, 4, &MapAnswers::otherProcedureSegments},
    {V5, "OTHERPROC", "BBQ:BQ", 30, 2, &MapAnswers::otherProcedureSegments, "%BBQ;$OTHERPROC@;D8;$OTHERPROCDATE@"},
    {V5, "OTHERPROCDATE", "BBQ:BQ", 35, 4, &MapAnswers::otherProcedureSegments},
    {B, "OCCURRENCESPAN", "BI", 30, 2, &MapAnswers::occurrenceSpanSegments,
     "%BI;$OCCURRENCESPAN@;RD8;$OCCURRENCESPANDATES@"},
    {B, "OCCURRENCESPANDATES", "BI", 35, 4, &MapAnswers::occurrenceSpanSegments},
    {B, "OCCURRENCECODE", "BH", 30, 2, &MapAnswers::occurrenceCodeSegments, "%BH;$OCCURRENCECODE@;D8;$OCCURRENCEDATE@"},
    {B, "OCCURRENCEDATE", "BH", 35, 4, &MapAnswers::occurrenceCodeSegments},
    {B, "VALUECODE", "BE", 30, 2, &MapAnswers::valueCodeSegments, "%BE;$VALUECODE@;;;$VALUEAMOUNT@"},
    {B, "VALUEAMOUNT", "BE", 18, 5, &MapAnswers::valueCodeSegments},
    {B, "CONDITIONCODE", "BG", 30, 2, &MapAnswers::conditionCodeSegments, "%BG;$CONDITIONCODE@"},
    {B, "TREATMENTCODE", "TC", 30, 2, &MapAnswers::treatmentCodeSegments, "%TC;$TREATMENTCODE@"},
};

// SV202 is optional (revenue-code-only lines), so the template writes the
// whole composite as read rather than a qualifier without a code.
const Row kLine837I[] = {
    {B, A, "IREVCODE#,10,SV2,,,1,,SUBID"},
    {B, A, "IPROC#,48,SV2,,,2,2,SUBID"},
    {B, A, "IPROCQUAL#,2,SV2,,,2,1,SUBID"},
    {B, A, "IMODA#,2,SV2,,,2,3,SUBID"},
    {B, A, "IMODB#,2,SV2,,,2,4,SUBID"},
    {B, A, "IMODC#,2,SV2,,,2,5,SUBID"},
    {B, A, "IMODD#,2,SV2,,,2,6,SUBID"},
    {B, A, "IAMT#,18,SV2,,,3,,SUBID"},
    {B, A, "IUNITS#,2,SV2,,,4,,SUBID"},
    {B, A, "IQTY#,15,SV2,,,5,,SUBID"},
    {B, A, "IRATE#,10,SV2,,,6,,SUBID"},
    {B, A, "IAMTNCC#,18,SV2,,,7,,SUBID"},
    {B, A, "IDOS#,35,DTP,472,2,3,,SUBID"},
    {B, A, "IADJGRPCODE#,2,CAS,,,1,,SUBID"},
    {B, A, "IADJREASONCODE#,5,CAS,,,2,,SUBID"},
    {B, A, "IADJAMOUNT#,18,CAS,,,3,,SUBID"},
    {B, A, "IADJQTY#,15,CAS,,,4,,SUBID"},
    {B, A, "IPROCCOMPOSITE#,60,SV2,,,2,,SUBID"},
    {B, A, "IDOSQUAL#,3,DTP,472,2,2,,SUBID"},
    {B, A, "ILINECONTROLNUMBER#,50,REF,6R,2,2,,SUBID"},
    {B, A, "ILINENOTEREF#,3,NTE,,,1,,SUBID"},
    {B, A, "ILINENOTE#,80,NTE,,,2,,SUBID"},
    {B, A, "INDC#,48,LIN,,,3,,SUBID"},
    {B, A, "INDCQTY#,15,CTP,,,4,,SUBID"},
    {B, A, "INDCUNIT#,2,CTP,,,5,1,SUBID"},
    {B, A, "ILINEPAYERID#,80,SVD,,,1,,SUBID"},
    {B, A, "ILINEPAIDAMT#,18,SVD,,,2,,SUBID"},
    {B, A, "ILINEPAIDUNITS#,15,SVD,,,5,,SUBID"},
    {B, A, "IADJDATE#,35,DTP,573,2,3,,SUBID"},
};

// --- 837 dental

const Row kClaim837D[] = {
    {B, A, "CLAIMID,38,CLM,,,1,,SUBID"},
    {B, A, "CLAIMAMT,18,CLM,,,2,,SUBID"},
    {B, A, "FACILITYCODEVALUE,3,CLM,,,5,1,SUBID"},
    {B, A, "FACILITYCODEQUAL,2,CLM,,,5,2,SUBID"},
    {B, A, "CLAIMFREQUENCY,1,CLM,,,5,3,SUBID"},
    {B, A, "PROVIDERSIGNATURE,1,CLM,,,6,,SUBID"},
    {B, A, "ASSIGNMENTCODE,1,CLM,,,7,,SUBID"},
    {B, A, "BENEFITSASSIGNMENT,1,CLM,,,8,,SUBID"},
    {B, A, "RELEASEOFINFO,1,CLM,,,9,,SUBID"},
    {B, A, "CLAIMSIGNATURESOURCE,1,CLM,,,10,,SUBID"},
    {B, A, "ACCIDENTCAUSE01,3,CLM,,,11,1,SUBID"},
    {B, A, "ACCIDENTCAUSE02,3,CLM,,,11,2,SUBID"},
    {B, A, "ACCIDENTSTATE,2,CLM,,,11,4,SUBID"},
    {B, A, "SPECIALPROGRAM,3,CLM,,,12,,SUBID"},
    {B, A, "PREDETERMINATION,2,CLM,,,19,,SUBID"},
    {B, A, "DELAYREASON,2,CLM,,,20,,SUBID"},
    {B, A, "ACCIDENTDATE,35,DTP,439,2,3,,SUBID"},
    {B, A, "APPLIANCEPLACEMENTDATE,35,DTP,452,2,3,,SUBID"},
    {B, A, "CLAIMSERVICEDATE,35,DTP,472,2,3,,SUBID"},
    {B, A, "ORTHOTREATMENTMONTHS,15,DN1,,,1,,SUBID"},
    {B, A, "ORTHOREMAININGMONTHS,15,DN1,,,2,,SUBID"},
    {B, A, "MISSINGTOOTH,2,DN2,,,1,,SUBID"},
    {B, A, "MISSINGTOOTHSTATUS,2,DN2,,,2,,SUBID"},
    {B, A, "PATIENTPAIDAMT,18,AMT,F5,2,2,,SUBID"},
    {B, A, "PREDETERMINATIONID,50,REF,G3,2,2,,SUBID"},
};

const Row kClaimTail837D[] = {
    {B, A, "CLAIMNOTEREF,3,NTE,,,1,,SUBID|,,,DPROC1"},
    {B, A, "CLAIMNOTE,80,NTE,,,2,,SUBID|,,,DPROC1"},
};

const Row kAssistantSurgeon[] = {
    {B, SP, "ASSISTANTSURGEONLNAME,60,NM1,DD,2,3,,SUBID"},
    {B, SP, "ASSISTANTSURGEONFNAME,35,NM1,DD,2,4,,SUBID"},
    {B, SP, "ASSISTANTSURGEONIDQUAL,2,NM1,DD,2,8,,SUBID"},
    {B, SP, "ASSISTANTSURGEONID,80,NM1,DD,2,9,,SUBID"},
};

const Row kLine837D[] = {
    {B, A, "DPROC#,48,SV3,,,1,2,SUBID"},
    {B, A, "DPROCQUAL#,2,SV3,,,1,1,SUBID"},
    {B, A, "DMODA#,2,SV3,,,1,3,SUBID"},
    {B, A, "DMODB#,2,SV3,,,1,4,SUBID"},
    {B, A, "DMODC#,2,SV3,,,1,5,SUBID"},
    {B, A, "DMODD#,2,SV3,,,1,6,SUBID"},
    {B, A, "DAMT#,18,SV3,,,2,,SUBID"},
    {B, A, "DPOS#,2,SV3,,,3,,SUBID"},
    {B, A, "DORALCAVITY#,3,SV3,,,4,1,SUBID"},
    {B, A, "DPROSTHESIS#,1,SV3,,,5,,SUBID"},
    {B, A, "DQTY#,15,SV3,,,6,,SUBID"},
    {B, A, "DTOOTH#,2,TOO,,,2,,SUBID"},
    {B, A, "DSURFACES#,15,TOO,,,3,,SUBID"},
    {B, A, "DDOS#,35,DTP,472,2,3,,SUBID"},
    {B, A, "DLINECONTROLNUMBER#,50,REF,6R,2,2,,SUBID"},
    {B, SP, "DLINERENDERINGLNAME#,60,NM1,82,2,3,,SUBID"},
    {B, SP, "DLINERENDERINGFNAME#,35,NM1,82,2,4,,SUBID"},
    {B, SP, "DLINERENDERINGID#,80,NM1,82,2,9,,SUBID"},
    {B, A, "DLINEPAYERID#,80,SVD,,,1,,SUBID"},
    {B, A, "DLINEPAIDAMT#,18,SVD,,,2,,SUBID"},
    {B, A, "DADJGRPCODE#,2,CAS,,,1,,SUBID"},
    {B, A, "DADJREASONCODE#,5,CAS,,,2,,SUBID"},
    {B, A, "DADJAMOUNT#,18,CAS,,,3,,SUBID"},
    {B, A, "DADJQTY#,15,CAS,,,4,,SUBID"},
    {B, A, "DADJDATE#,35,DTP,573,2,3,,SUBID"},
};

// ------------------------------------------------------------- templates

const Row kHeaderTemplates[] = {
    {B, A, "1,BHT,0019,$TRANSACTIONSETCODE,$TRANSACTIONID,$TRANSACTIONDATE,$TRANSACTIONTIME,$TRANSACTIONTYPECODE"},
};

const Row kSubmitterTemplates[] = {
    {B, A, "1,NM1,41,$SUBMITTERENTITYTYPE,$SUBMITTERNAME,,,,,46,$SUBMITTERID"},
    {B, A,
     "1,PER:$SUBMITTERCOMMNUMBER,IC,$SUBMITTERCONTACT,$SUBMITTERCOMMQUAL,$SUBMITTERCOMMNUMBER,$SUBMITTERCOMMQUALB,"
     "$SUBMITTERCOMMNUMBERB"},
    {B, A,
     "1,PER:$SUBMITTERCOMMNUMBER2,IC,$SUBMITTERCONTACT2,$SUBMITTERCOMMQUAL2,$SUBMITTERCOMMNUMBER2,"
     "$SUBMITTERCOMMQUAL2B,$SUBMITTERCOMMNUMBER2B"},
    {B, A, "1,NM1,40,2,$RECEIVERNAME,,,,,46,$RECEIVERID"},
    {B, A, "1,HL,&HL,,20,1"},
    {V4, Bl, "1,PRV:$BILLINGPROVIDERTAXONOMY,BI,ZZ,$BILLINGPROVIDERTAXONOMY"},
    {V5, Bl, "1,PRV:$BILLINGPROVIDERTAXONOMY,BI,PXC,$BILLINGPROVIDERTAXONOMY"},
    {B, Bl,
     "1,NM1,85,$BILLINGPROVIDERENTITYTYPE,$BILLINGPROVIDERNAME,$BILLINGPROVIDERFNAME,,,,$BILLINGPROVIDERIDQUAL,"
     "$BILLINGPROVIDERID"},
    {B, BA, "1,N3,$BILLINGPROVIDERADDR1,$BILLINGPROVIDERADDR2"},
    {B, BA, "1,N4,$BILLINGPROVIDERCITY,$BILLINGPROVIDERSTATE,$BILLINGPROVIDERZIP"},
    {B, Bl, "1,REF:$BILLINGPROVIDERTAXID,$BILLINGPROVIDERTAXIDQUAL,$BILLINGPROVIDERTAXID"},
    {B, Bl,
     "1,PER:$BILLINGPROVIDERCOMMNUMBER,IC,$BILLINGPROVIDERCONTACT,$BILLINGPROVIDERCOMMQUAL,$BILLINGPROVIDERCOMMNUMBER"},
    {V4, BA,
     "1,NM1:$PAYTOPROVIDERENTITYTYPE,87,$PAYTOPROVIDERENTITYTYPE,$PAYTOPROVIDERNAME,,,,,$PAYTOPROVIDERIDQUAL,"
     "$PAYTOPROVIDERID"},
    {V5, BA, "1,NM1:$PAYTOPROVIDERENTITYTYPE,87,$PAYTOPROVIDERENTITYTYPE"},
    {B, BA, "1,N3,$PAYTOPROVIDERADDR1,$PAYTOPROVIDERADDR2"},
    {B, BA, "1,N4,$PAYTOPROVIDERCITY,$PAYTOPROVIDERSTATE,$PAYTOPROVIDERZIP"},
};

// The subscriber's own SBR with its own payer responsibility; a record
// without it (a CSV written before those columns) has it written as the
// primary one.
const Row kSubscriberTemplates[] = {
    {B, A, "2,HL,&HL,1,22,$SUBHLCHILDCODE"},
    {B, Cv,
     "2,SBR:$SUBPAYERRESPONSIBILITY,$SUBPAYERRESPONSIBILITY,$SUBRELATIONSHIP,$SUBGROUPNUMBER,$SUBGROUPNAME,"
     "$SUBINSURANCETYPE,,,,$SUBFILINGCODE"},
    {B, Cv,
     "2,SBR:!$SUBPAYERRESPONSIBILITY,P,$PRIMARYRELATIONSHIP,$PRIMARYGROUPNUMBER,$PRIMARYGROUPNAME,"
     "$PRIMARYINSURANCETYPE,,,,$PRIMARYFILINGCODE"},
    {B, Sb, "2,NM1,IL,$SUBENTITYTYPE,$SUBLNAME,$SUBFNAME,$SUBMNAME,,$SUBSUFFIX,$SUBIDQUAL,$SUBID"},
    {B, Sb, "2,N3,$SUBADDR1,$SUBADDR2"},
    {B, Sb, "2,N4,$SUBCITY,$SUBSTATE,$SUBZIP"},
    {B, Sb, "2,DMG:$SUBDOB,D8,$SUBDOB,$SUBGENDER"},
    {B, Sb, "2,REF:$SUBSSN,SY,$SUBSSN"},
    {B, Sb, "2,NM1,PR,2,$PAYERNAME,,,,,$PAYERIDQUAL,$PAYERID"},
    {B, Sb, "2,N3,$PAYERADDR1,$PAYERADDR2"},
    {B, Sb, "2,N4,$PAYERCITY,$PAYERSTATE,$PAYERZIP"},
    {B, Pt, "2,HL:$PATID,&HL,$PATHLPARENT,23,0"},
    {B, Pt, "2,PAT:$PATID,$PATRELATIONSHIP"},
    {V4, Pt, "2,NM1:$PATID,QC,1,$PATLNAME,$PATFNAME,$PATMNAME,,$PATSUFFIX,$PATMEMBERIDQUAL,$PATMEMBERID"},
    {V5, Pt, "2,NM1:$PATID,QC,1,$PATLNAME,$PATFNAME,$PATMNAME,,$PATSUFFIX"},
    {B, Pt, "2,N3,$PATADDR1,$PATADDR2"},
    {B, Pt, "2,N4,$PATCITY,$PATSTATE,$PATZIP"},
    {B, Pt, "2,DMG:$PATDOB,D8,$PATDOB,$PATGENDER"},
};

const Row kClaimReferenceTemplates[] = {
    {B, A, "2,REF:$REFERRALNUMBER,9F,$REFERRALNUMBER"},
    {B, A, "2,REF:$PRIORAUTH,G1,$PRIORAUTH"},
    {B, A, "2,REF:$ORIGINALREFNUMBER,F8,$ORIGINALREFNUMBER"},
    {B, A, "2,REF:$CLEARINGHOUSECLAIMID,D9,$CLEARINGHOUSECLAIMID"},
    {B, A, "2,REF:$MEDICALRECORDNUMBER,EA,$MEDICALRECORDNUMBER"},
};

const Row kNoteTemplate[] = {
    {B, A, "2,NTE:$CLAIMNOTE,$CLAIMNOTEREF,$CLAIMNOTE"},
};

const Row kReferringTemplate[] = {
    {B, A, "2,NM1:$REFERRINGLNAME,DN,1,$REFERRINGLNAME,$REFERRINGFNAME,,,,$REFERRINGIDQUAL,$REFERRINGID"},
};

const Row kRenderingTemplates[] = {
    {B, SP,
     "2,NM1:$RENDERINGLNAME,82,$RENDERINGENTITYTYPE,$RENDERINGLNAME,$RENDERINGFNAME,,,,$RENDERINGIDQUAL,"
     "$RENDERINGID"},
    {V4, SP, "2,PRV:$RENDERINGTAXONOMY,PE,ZZ,$RENDERINGTAXONOMY"},
    {V5, SP, "2,PRV:$RENDERINGTAXONOMY,PE,PXC,$RENDERINGTAXONOMY"},
};

const Row kFacilityTemplates[] = {
    {B, A, "2,NM1:$FACILITYNAME,77,2,$FACILITYNAME,,,,,$FACILITYIDQUAL,$FACILITYID"},
    {B, A, "2,N3,$FACILITYADDR1,$FACILITYADDR2"},
    {B, A, "2,N4,$FACILITYCITY,$FACILITYSTATE,$FACILITYZIP"},
};

const Row kSupervisingTemplate[] = {
    {B, A, "2,NM1:$SUPERVISINGLNAME,DQ,1,$SUPERVISINGLNAME,$SUPERVISINGFNAME,,,,$SUPERVISINGIDQUAL,$SUPERVISINGID"},
};

// The other-payer loops: one per coverage whose SBR follows the claim,
// with that payer's own amount qualifier and OI answers.
#define ZR_OTHER_PAYER(X, Q)                                                                                    \
    {B, Cv,                                                                                                     \
     "2,SBR:$" X "OTHERPAYER," Q ",$" X "RELATIONSHIP,$" X "GROUPNUMBER,$" X "GROUPNAME,$" X             \
     "INSURANCETYPE,,,,$" X "FILINGCODE"},                                                                      \
        {B, Cv, "2,CAS:$" X "OTHERPAYER:$" X "ADJGROUP,$" X "ADJGROUP,$" X "ADJREASON,$" X "ADJAMOUNT"},     \
        {B, Cv, "2,AMT:$" X "OTHERPAYER:$" X "PAIDAMT,$" X "PAIDAMTQUAL,$" X "PAIDAMT"},                     \
        {B, Cv, "2,OI:$" X "OTHERPAYER,,,$" X "OIBENEFITS,,,$" X "OIRELEASE"},                               \
        {B, Cv, "2,NM1:$" X "OTHERPAYER,IL,1,$" X "SUBLNAME,$" X "SUBFNAME,,,,MI,$" X "SUBID"},              \
        {B, Cv, "2,NM1:$" X "OTHERPAYER,PR,2,$" X "PAYERNAME,,,,,PI,$" X "PAYERID"}

// A record without the subscriber's own responsibility (a CSV written
// before those columns) keeps the loops it was rebuilt with then: one per
// secondary and tertiary coverage.
#define ZR_OTHER_PAYER_BEFORE(X, Q)                                                                             \
    {B, Cv,                                                                                                     \
     "2,SBR:$" X "COV:!$SUBPAYERRESPONSIBILITY," Q ",$" X "RELATIONSHIP,$" X "GROUPNUMBER,$" X             \
     "GROUPNAME,$" X "INSURANCETYPE,,,,$" X "FILINGCODE"},                                                      \
        {B, Cv,                                                                                                 \
         "2,CAS:$" X "ADJGROUP:!$SUBPAYERRESPONSIBILITY,$" X "ADJGROUP,$" X "ADJREASON,$" X "ADJAMOUNT"},    \
        {B, Cv, "2,AMT:$" X "PAIDAMT:!$SUBPAYERRESPONSIBILITY,D,$" X "PAIDAMT"},                              \
        {B, Cv, "2,OI:$" X "COV:!$SUBPAYERRESPONSIBILITY,,,$BENEFITSASSIGNMENT,,,$RELEASEOFINFO"},            \
        {B, Cv, "2,NM1:$" X "COV:!$SUBPAYERRESPONSIBILITY,IL,1,$" X "SUBLNAME,$" X "SUBFNAME,,,,MI,$" X      \
                "SUBID"},                                                                                       \
        {B, Cv, "2,NM1:$" X "COV:!$SUBPAYERRESPONSIBILITY,PR,2,$" X "PAYERNAME,,,,,PI,$" X "PAYERID"}

const Row kOtherPayerTemplates[] = {
    ZR_OTHER_PAYER("PRIMARY", "P"),
    ZR_OTHER_PAYER("SECONDARY", "S"),
    ZR_OTHER_PAYER("TERTIARY", "T"),
    ZR_OTHER_PAYER_BEFORE("SECONDARY", "S"),
    ZR_OTHER_PAYER_BEFORE("TERTIARY", "T"),
};
#undef ZR_OTHER_PAYER_BEFORE
#undef ZR_OTHER_PAYER

const Row kClaimTemplates837P[] = {
    {B, A,
     "2,CLM,!CLAIMID,$CLAIMAMT,,,%$FACILITYCODEVALUE;$FACILITYCODEQUAL;$CLAIMFREQUENCY,$PROVIDERSIGNATURE,"
     "$ASSIGNMENTCODE,$BENEFITSASSIGNMENT,$RELEASEOFINFO,$CLAIMSIGNATURESOURCE,"
     "%$ACCIDENTCAUSE01;$ACCIDENTCAUSE02;;$ACCIDENTSTATE,$SPECIALPROGRAM,,,,,,,,$DELAYREASON"},
    {B, A, "2,DTP:$ONSETDATE,431,D8,$ONSETDATE"},
    {B, A, "2,DTP:$INITIALTREATMENTDATE,454,D8,$INITIALTREATMENTDATE"},
    {B, A, "2,DTP:$LASTSEENDATE,304,D8,$LASTSEENDATE"},
    {B, A, "2,DTP:$ACUTEMANIFESTATIONDATE,453,D8,$ACUTEMANIFESTATIONDATE"},
    {B, A, "2,DTP:$ACCIDENTDATE,439,D8,$ACCIDENTDATE"},
    {B, A, "2,DTP:$LMPDATE,484,D8,$LMPDATE"},
    {B, A, "2,DTP:$LASTXRAYDATE,455,D8,$LASTXRAYDATE"},
    {B, A, "2,DTP:$DISABILITYFROMDATE,360,D8,$DISABILITYFROMDATE"},
    {B, A, "2,DTP:$DISABILITYTODATE,361,D8,$DISABILITYTODATE"},
    {B, A, "2,DTP:$LASTWORKEDDATE,297,D8,$LASTWORKEDDATE"},
    {B, A, "2,DTP:$RETURNTOWORKDATE,296,D8,$RETURNTOWORKDATE"},
    {B, A, "2,DTP:$ADMISSIONDATE,435,D8,$ADMISSIONDATE"},
    {B, A, "2,DTP:$DISCHARGEDATE,096,D8,$DISCHARGEDATE"},
    {B, A, "2,AMT:$PATIENTPAIDAMT,F5,$PATIENTPAIDAMT"},
};

const Row kClaimTemplateTail837P[] = {
    {B, A, "2,REF:$CLIANUMBER,X4,$CLIANUMBER"},
};

// Each further code ends the segment when it is empty.
const Row kDiagnosisTemplates837P[] = {
    {V4, A,
     "2,HI:$DX01,%BK;$DX01,%BF;$DX02:$DX02,%BF;$DX03:$DX03,%BF;$DX04:$DX04,%BF;$DX05:$DX05,%BF;$DX06:$DX06,"
     "%BF;$DX07:$DX07,%BF;$DX08:$DX08,%BF;$DX09:$DX09,%BF;$DX10:$DX10,%BF;$DX11:$DX11,%BF;$DX12:$DX12"},
    {V5, A,
     "2,HI:$DX01,%ABK;$DX01,%ABF;$DX02:$DX02,%ABF;$DX03:$DX03,%ABF;$DX04:$DX04,%ABF;$DX05:$DX05,%ABF;$DX06:$DX06,"
     "%ABF;$DX07:$DX07,%ABF;$DX08:$DX08,%ABF;$DX09:$DX09,%ABF;$DX10:$DX10,%ABF;$DX11:$DX11,%ABF;$DX12:$DX12"},
};

const Row kLineTemplates837P[] = {
    {B, A, "3,LX,&LX"},
    {B, A,
     "3,SV1,%HC;$PROC;$MODA;$MODB;$MODC;$MODD;$PROCDESC,$AMT,$UNITS,$QTY,$POS,,%$DXPTRA;$DXPTRB;$DXPTRC;$DXPTRD,,"
     "$EMERGENCY,,$EPSDT,$FAMILYPLANNING"},
    {B, A, "3,DTP:$DOS,472,$DOSQUAL,$DOS"},
    {B, A, "3,REF:$LINEPRIORAUTH,G1,$LINEPRIORAUTH"},
    {B, A, "3,REF:$LINECONTROLNUMBER,6R,$LINECONTROLNUMBER"},
    {B, A, "3,NTE:$LINENOTE,$LINENOTEREF,$LINENOTE"},
    {B, A, "3,LIN:$NDC,,N4,$NDC"},
    {B, A, "3,CTP:$NDCQTY,,,,$NDCQTY,%$NDCUNIT"},
    {B, SP,
     "3,NM1:$LINERENDERINGID,82,1,$LINERENDERINGLNAME,$LINERENDERINGFNAME,,,,XX,$LINERENDERINGID"},
    {B, A, "3,SVD:$LINEPAIDAMT,$LINEPAYERID,$LINEPAIDAMT,%HC;$PROC;$MODA;$MODB;$MODC;$MODD,,$LINEPAIDUNITS"},
    {B, A, "3,CAS:$ADJGRPCODE,$ADJGRPCODE,$ADJREASONCODE,$ADJAMOUNT,$ADJQTY"},
    {B, A, "3,DTP:$ADJDATE,573,D8,$ADJDATE"},
};

const Row kClaimTemplates837I[] = {
    {B, A,
     "2,CLM,!CLAIMID,$CLAIMAMT,,,%$FACILITYCODEVALUE;$FACILITYCODEQUAL;$CLAIMFREQUENCY,$PROVIDERSIGNATURE,"
     "$ASSIGNMENTCODE,$BENEFITSASSIGNMENT,$RELEASEOFINFO,,,,,,,,,,,$DELAYREASON"},
    {B, A, "2,DTP:$DISCHARGEHOUR,096,TM,$DISCHARGEHOUR"},
    {B, A, "2,DTP:$STATEMENTDATES,434,RD8,$STATEMENTDATES"},
    {B, A, "2,DTP:$ADMISSIONDATE,435,$ADMISSIONDATEQUAL,$ADMISSIONDATE"},
    {B, A, "2,CL1:$PATIENTSTATUS,$ADMISSIONTYPE,$ADMISSIONSOURCE,$PATIENTSTATUS"},
    {B, A, "2,AMT:$PATIENTAMTDUE,F3,$PATIENTAMTDUE"},
};

const Row kCodeTemplates837I[] = {
    {V4, A, "2,HI:$PRINCIPALDX,%BK;$PRINCIPALDX,%BJ;$ADMITDX:$ADMITDX"},
    {V5, A, "2,HI:$PRINCIPALDX,%ABK;$PRINCIPALDX;;;;;;;$PRINCIPALDXPOA"},
    {B, A, "@HI:ADMITDX"},
    {B, A, "@HI:VISITREASON"},
    {V5, A, "2,HI:$EXTERNALCAUSEDX,%ABN;$EXTERNALCAUSEDX"},
    {B, A, "2,HI:$DRGCODE,%DR;$DRGCODE"},
    {B, A, "@HI:OTHERDX"},
    {V4, A, "2,HI:$PRINCIPALPROC,%BR;$PRINCIPALPROC;D8;$PRINCIPALPROCDATE"},
    {V5, A, "2,HI:$PRINCIPALPROC,%BBR;$PRINCIPALPROC;D8;$PRINCIPALPROCDATE"},
    {B, A, "@HI:OTHERPROC"},
    {B, A, "@HI:OCCURRENCESPAN"},
    {B, A, "@HI:OCCURRENCECODE"},
    {B, A, "@HI:VALUECODE"},
    {B, A, "@HI:CONDITIONCODE"},
    {B, A, "@HI:TREATMENTCODE"},
};

const Row kProviderTemplates837I[] = {
    {B, SP, "2,NM1:$ATTENDINGLNAME,71,1,$ATTENDINGLNAME,$ATTENDINGFNAME,,,,$ATTENDINGIDQUAL,$ATTENDINGID"},
    {V4, SP, "2,PRV:$ATTENDINGTAXONOMY,AT,ZZ,$ATTENDINGTAXONOMY"},
    {V5, SP, "2,PRV:$ATTENDINGTAXONOMY,AT,PXC,$ATTENDINGTAXONOMY"},
    {B, SP, "2,NM1:$OPERATINGLNAME,72,1,$OPERATINGLNAME,$OPERATINGFNAME,,,,$OPERATINGIDQUAL,$OPERATINGID"},
    {V4, SP,
     "2,NM1:$OTHEROPERATINGLNAME,73,1,$OTHEROPERATINGLNAME,$OTHEROPERATINGFNAME,,,,$OTHEROPERATINGIDQUAL,"
     "$OTHEROPERATINGID"},
    {V5, SP,
     "2,NM1:$OTHEROPERATINGLNAME,ZZ,1,$OTHEROPERATINGLNAME,$OTHEROPERATINGFNAME,,,,$OTHEROPERATINGIDQUAL,"
     "$OTHEROPERATINGID"},
    {B, SP, "2,NM1:$RENDERINGLNAME,82,1,$RENDERINGLNAME,$RENDERINGFNAME,,,,$RENDERINGIDQUAL,$RENDERINGID"},
    {V4, A, "2,NM1:$FACILITYNAME,FA,2,$FACILITYNAME,,,,,$FACILITYIDQUAL,$FACILITYID"},
    {V5, A, "2,NM1:$FACILITYNAME,77,2,$FACILITYNAME,,,,,$FACILITYIDQUAL,$FACILITYID"},
    {B, A, "2,N3,$FACILITYADDR1,$FACILITYADDR2"},
    {B, A, "2,N4,$FACILITYCITY,$FACILITYSTATE,$FACILITYZIP"},
};

const Row kLineTemplates837I[] = {
    {B, A, "3,LX,&LX"},
    {B, A, "3,SV2,$IREVCODE,$IPROCCOMPOSITE,$IAMT,$IUNITS,$IQTY,$IRATE,$IAMTNCC"},
    {B, A, "3,DTP:$IDOS,472,$IDOSQUAL,$IDOS"},
    {B, A, "3,REF:$ILINECONTROLNUMBER,6R,$ILINECONTROLNUMBER"},
    {B, A, "3,NTE:$ILINENOTE,$ILINENOTEREF,$ILINENOTE"},
    {B, A, "3,LIN:$INDC,,N4,$INDC"},
    {B, A, "3,CTP:$INDCQTY,,,,$INDCQTY,%$INDCUNIT"},
    {B, A, "3,SVD:$ILINEPAIDAMT,$ILINEPAYERID,$ILINEPAIDAMT,%HC;$IPROC;$IMODA;$IMODB;$IMODC;$IMODD,$IREVCODE,"
           "$ILINEPAIDUNITS"},
    {B, A, "3,CAS:$IADJGRPCODE,$IADJGRPCODE,$IADJREASONCODE,$IADJAMOUNT,$IADJQTY"},
    {B, A, "3,DTP:$IADJDATE,573,D8,$IADJDATE"},
};

const Row kClaimTemplates837D[] = {
    {B, A,
     "2,CLM,!CLAIMID,$CLAIMAMT,,,%$FACILITYCODEVALUE;$FACILITYCODEQUAL;$CLAIMFREQUENCY,$PROVIDERSIGNATURE,"
     "$ASSIGNMENTCODE,$BENEFITSASSIGNMENT,$RELEASEOFINFO,$CLAIMSIGNATURESOURCE,"
     "%$ACCIDENTCAUSE01;$ACCIDENTCAUSE02;;$ACCIDENTSTATE,$SPECIALPROGRAM,,,,,,,$PREDETERMINATION,"
     "$DELAYREASON"},
    {B, A, "2,DTP:$ACCIDENTDATE,439,D8,$ACCIDENTDATE"},
    {B, A, "2,DTP:$APPLIANCEPLACEMENTDATE,452,D8,$APPLIANCEPLACEMENTDATE"},
    {B, A, "2,DTP:$CLAIMSERVICEDATE,472,D8,$CLAIMSERVICEDATE"},
    {B, A, "2,DN1:$ORTHOTREATMENTMONTHS,$ORTHOTREATMENTMONTHS,$ORTHOREMAININGMONTHS"},
    {B, A, "2,DN2:$MISSINGTOOTH,$MISSINGTOOTH,$MISSINGTOOTHSTATUS"},
    {B, A, "2,AMT:$PATIENTPAIDAMT,F5,$PATIENTPAIDAMT"},
    {B, A, "2,REF:$PREDETERMINATIONID,G3,$PREDETERMINATIONID"},
};

const Row kDiagnosisTemplates837D[] = {
    {V5, A, "2,HI:$DX01,%ABK;$DX01,%ABF;$DX02:$DX02,%ABF;$DX03:$DX03,%ABF;$DX04:$DX04"},
};

const Row kAssistantSurgeonTemplate[] = {
    {B, SP,
     "2,NM1:$ASSISTANTSURGEONLNAME,DD,1,$ASSISTANTSURGEONLNAME,$ASSISTANTSURGEONFNAME,,,,$ASSISTANTSURGEONIDQUAL,"
     "$ASSISTANTSURGEONID"},
};

const Row kLineTemplates837D[] = {
    {B, A, "3,LX,&LX"},
    {B, A, "3,SV3,%AD;$DPROC;$DMODA;$DMODB;$DMODC;$DMODD,$DAMT,$DPOS,$DORALCAVITY,$DPROSTHESIS,$DQTY"},
    {B, A, "3,TOO:$DTOOTH,JP,$DTOOTH,$DSURFACES"},
    {B, A, "3,DTP:$DDOS,472,D8,$DDOS"},
    {B, A, "3,REF:$DLINECONTROLNUMBER,6R,$DLINECONTROLNUMBER"},
    {B, SP, "3,NM1:$DLINERENDERINGID,82,1,$DLINERENDERINGLNAME,$DLINERENDERINGFNAME,,,,XX,$DLINERENDERINGID"},
    {B, A, "3,SVD:$DLINEPAIDAMT,$DLINEPAYERID,$DLINEPAIDAMT,%AD;$DPROC;$DMODA;$DMODB;$DMODC;$DMODD"},
    {B, A, "3,CAS:$DADJGRPCODE,$DADJGRPCODE,$DADJREASONCODE,$DADJAMOUNT,$DADJQTY"},
    {B, A, "3,DTP:$DADJDATE,573,D8,$DADJDATE"},
};

const Row kTransmission837I[] = {{V4, A, "1,REF,87,004010X096A1"}};
const Row kTransmission837P[] = {{V4, A, "1,REF,87,004010X098A1"}};
const Row kTransmission837D[] = {{V4, A, "1,REF,87,004010X097A1"}};

constexpr const char* kKeys837I[] = {"KEYHEADERFIELD=HL,,,20", "KEYFIELD=HL,,,22", "KEYDOCFIELD=CLM",
                                     "KEYLINEFIELD=SV2"};
// Fields added after CSVs of these maps were in use (their columns come
// last): the provider's signature of an institutional claim (CLM06), a
// professional line's description (SV101-7) and family planning (SV112).
const Row kLater837I[] = {
    {B, A, "PROVIDERSIGNATURE,1,CLM,,,6,,SUBID"},
};

const Row kLaterLine837P[] = {
    {B, A, "PROCDESC#,80,SV1,,,1,7,SUBID"},
    {B, A, "FAMILYPLANNING#,1,SV1,,,12,,SUBID"},
};

// Fields added after the usage indicator:
// - the subscriber's own SBR (the record's first), so that it is rebuilt
//   with its own payer responsibility;
// - per coverage: whether its SBR follows the claim (an other-payer loop),
//   and that loop's amount qualifier and OI answers;
// - the submitter's second contact: a PER right after its first PER, before
//   the receiver is named; and each contact's second number (PER05, PER06).
#define ZR_OTHER_PAYER_FIELDS(X, Q)                                              \
    {B, Cv, X "OTHERPAYER,1,SBR," Q ",2,1,,CLAIMID"},                            \
    {B, Cv, X "PAIDAMTQUAL,3,AMT,,,1,," X "COV|SBR," Q ",2"},                    \
    {B, Cv, X "OIBENEFITS,1,OI,,,3,," X "OTHERPAYER"},                           \
    {B, Cv, X "OIRELEASE,1,OI,,,6,," X "OTHERPAYER"}

const Row kLast837[] = {
    {B, Cv, "SUBPAYERRESPONSIBILITY,1,SBR,,,1"},
    // Its other elements from that SBR alone, an empty one included: the
    // subscriber's name (SUBID) follows it.
    {B, Cv, "SUBRELATIONSHIP,2,SBR,,,2,,SUBPAYERRESPONSIBILITY|,,,SUBID"},
    {B, Cv, "SUBGROUPNUMBER,50,SBR,,,3,,SUBPAYERRESPONSIBILITY|,,,SUBID"},
    {B, Cv, "SUBGROUPNAME,60,SBR,,,4,,SUBPAYERRESPONSIBILITY|,,,SUBID"},
    {B, Cv, "SUBINSURANCETYPE,3,SBR,,,5,,SUBPAYERRESPONSIBILITY|,,,SUBID"},
    {B, Cv, "SUBFILINGCODE,2,SBR,,,9,,SUBPAYERRESPONSIBILITY|,,,SUBID"},
    ZR_OTHER_PAYER_FIELDS("PRIMARY", "P"),
    ZR_OTHER_PAYER_FIELDS("SECONDARY", "S"),
    ZR_OTHER_PAYER_FIELDS("TERTIARY", "T"),
    {B, A, "SUBMITTERCONTACT2,60,PER,,,2,,SUBMITTERCOMMNUMBER,,1|PER,IC,2,RECEIVERNAME"},
    {B, A, "SUBMITTERCOMMQUAL2,2,PER,,,3,,SUBMITTERCOMMNUMBER,,1|PER,IC,2,RECEIVERNAME"},
    {B, A, "SUBMITTERCOMMNUMBER2,256,PER,,,4,,SUBMITTERCOMMNUMBER,,1|PER,IC,2,RECEIVERNAME"},
    {B, A, "SUBMITTERCOMMQUALB,2,PER,IC,2,5,,,,1"},
    {B, A, "SUBMITTERCOMMNUMBERB,256,PER,IC,2,6,,,,1"},
    {B, A, "SUBMITTERCOMMQUAL2B,2,PER,,,5,,SUBMITTERCOMMNUMBER,,1|PER,IC,2,RECEIVERNAME"},
    {B, A, "SUBMITTERCOMMNUMBER2B,256,PER,,,6,,SUBMITTERCOMMNUMBER,,1|PER,IC,2,RECEIVERNAME"},
};
#undef ZR_OTHER_PAYER_FIELDS

constexpr const char* kKeys837P[] = {"KEYHEADERFIELD=HL,,,20", "KEYFIELD=HL,,,22", "KEYDOCFIELD=CLM",
                                     "KEYLINEFIELD=SV1"};
constexpr const char* kKeys837D[] = {"KEYHEADERFIELD=HL,,,20", "KEYFIELD=SBR", "KEYDOCFIELD=CLM",
                                     "KEYLINEFIELD=SV3"};

}  // namespace

const TransactionText& text837P() {
    static const std::vector<Row> fields =
        joinRows({kIdentification, kBillingProvider, kCoverageFlags, kSubscriberAndPayer, kCoverage, kPatient,
                  kClaim837P, kClaimReferences, kClaimTail837P, kDiagnoses837P, kReferringProvider,
                  kRenderingProvider, kServiceFacility, kSupervisingProvider});
    static const std::vector<Row> templates = joinRows(
        {kHeaderTemplates, kTransmission837P, kSubmitterTemplates, kSubscriberTemplates, kClaimTemplates837P,
         kClaimReferenceTemplates, kClaimTemplateTail837P, kNoteTemplate, kDiagnosisTemplates837P,
         kReferringTemplate, kRenderingTemplates, kFacilityTemplates, kSupervisingTemplate, kOtherPayerTemplates,
         kLineTemplates837P});
    static const TransactionText text{"837P", kKeys837P, fields,    {}, nullptr, kLine837P, kTail,
                                      templates, {},        nullptr, {}, kLaterLine837P, kLast837};
    return text;
}

const TransactionText& text837I() {
    static const std::vector<Row> fields =
        joinRows({kIdentification, kBillingProvider, kCoverageFlags, kSubscriberAndPayer, kCoverage, kPatient,
                  kClaim837I, kClaimReferences, kClaimTail837I, kReferringProvider, kProviders837I});
    static const std::vector<Row> templates = joinRows(
        {kHeaderTemplates, kTransmission837I, kSubmitterTemplates, kSubscriberTemplates, kClaimTemplates837I,
         kClaimReferenceTemplates, kNoteTemplate, kCodeTemplates837I, kProviderTemplates837I, kReferringTemplate,
         kOtherPayerTemplates, kLineTemplates837I});
    static const TransactionText text{"837I", kKeys837I, fields, kCodeLists837I, nullptr, kLine837I, kTail,
                                      templates, {}, nullptr, kLater837I, {}, kLast837};
    return text;
}

const TransactionText& text837D() {
    static const std::vector<Row> fields =
        joinRows({kIdentification, kBillingProvider, kCoverageFlags, kSubscriberAndPayer, kCoverage, kPatient,
                  kClaim837D, kClaimReferences, kClaimTail837D, kDiagnoses837D, kReferringProvider,
                  kRenderingProvider, kServiceFacility, kAssistantSurgeon, kSupervisingProvider});
    static const std::vector<Row> templates = joinRows(
        {kHeaderTemplates, kTransmission837D, kSubmitterTemplates, kSubscriberTemplates, kClaimTemplates837D,
         kClaimReferenceTemplates, kNoteTemplate, kDiagnosisTemplates837D, kReferringTemplate, kRenderingTemplates,
         kFacilityTemplates, kAssistantSurgeonTemplate, kSupervisingTemplate, kOtherPayerTemplates,
         kLineTemplates837D});
    static const TransactionText text{"837D", kKeys837D, fields, {}, nullptr, kLine837D, kTail, templates, {},
                                      nullptr, {}, {}, kLast837};
    return text;
}

}  // namespace zr::maprows
