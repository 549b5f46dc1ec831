// The 837 field getters over hand-written professional, institutional and
// dental claims: a table of name and claim to value, the dictionary's
// groups, and the [X12UDF] fields.
#include "claim_getters.hpp"

#include <gtest/gtest.h>

#include "x12_fixtures.hpp"

namespace {

using namespace zr;

struct GetterFile {
    SegmentTable table;
    ClaimIndex index;
    explicit GetterFile(const std::string& fixture)
        : table(zrtest::loadX12(zrtest::x12Fixture(fixture))), index(CTL39400C(table, 2)) {}
};

struct GetterCase {
    long long claim;
    int subClaim;
    std::string name;
    std::string expected;
};

void expectClaimValues(const std::string& fixture, const std::vector<GetterCase>& cases) {
    const GetterFile f(fixture);
    const ClaimFields fields(f.table, f.index);
    for (const GetterCase& c : cases) {
        const int group = fields.groupOf(c.name);
        const std::string value = (group >= 201 && group <= 246 && !(group >= 239 && group <= 244))
                                      ? fields.claim(c.subClaim, c.claim, c.name)
                                      : fields.header(c.claim, c.name);
        EXPECT_EQ(value, c.expected) << fixture << " claim " << c.claim << "." << c.subClaim << " " << c.name;
    }
}

TEST(ClaimGetters, ProfessionalHeaderNames) {
    expectClaimValues("claims_837p.x12", {
        {1, 1, "TSCONTROLNUMBER", "0001"},
        {1, 1, "BHTREFID", "BATCH42"},
        {1, 1, "SUBMITTERNAME", "ACME BILLING"},
        {1, 1, "SUBMITTERID", "SUB123"},
        {1, 1, "SUBMITTERCONTACT", "JANE DOE"},
        {1, 1, "SUBMITTERPHONE", "5551234567"},
        {1, 1, "SUBMITTERCOMMQUALB", "FX"},
        {1, 1, "SUBMITTERCOMMNUMBERC", "JANE@X.COM"},
        {1, 1, "SUBMITTERADDR1", ""},  // the receiver's NM1 comes first
        {1, 1, "RECEIVERNAME", "BIG PAYER CLEARING"},
        {1, 1, "RECEIVERID", "REC987"},
        {1, 1, "BILLINGPROVIDERTYPE", "2"},
        {1, 1, "BILLINGPROVIDERNAME", "FIRST CLINIC"},
        {1, 1, "BILLINGPROVIDERIDCODE", "XX"},
        {1, 1, "BILLINGPROVIDERIDTYPE", "National Provider ID"},
        {1, 1, "BILLINGPROVIDERID", "1111111111"},
        {1, 1, "BILLINGPROVIDERADDR2", "SUITE 2"},
        {1, 1, "BILLINGPROVIDERCITY", "SPRINGFIELD"},
        {1, 1, "BILLINGPROVIDERZIP", "62701"},
        {1, 1, "BILLINGPROVIDERCONTACT", "BILLING DESK"},
        {1, 1, "BILLINGPROVIDERSECONDARYIDCODE1", "EI"},
        {1, 1, "BILLINGPROVIDERSECONDARYID2", "PROV77"},
        {1, 1, "PAYTOPROVIDERNAME", "PAYTO CLINIC"},
        {1, 1, "PAYTOPROVIDERCITY", "CAPITAL"},
        {1, 1, "PAYTOPROVIDERSECONDARYIDCODE1", "EI"},
        {1, 1, "HIERARCHIALCLAIMBILLINGPROVIDERNAME", "FIRST CLINIC"},
        {1, 1, "HIERARCHIALCLAIMBILLINGPROVIDERCITY", "SPRINGFIELD"},
        {1, 1, "HIERARCHIALCLAIMBILLINGPROVIDERSECONDARYID2", "PROV77"},
        {1, 1, "HIERARCHIALCLAIMPAYTOPROVIDERNAME", "PAYTO CLINIC"},
        {1, 1, "HIERARCHIALCLAIMBILLINGPROVIDERIDTYPE", "National Provider ID"},
        {2, 1, "HIERARCHIALCLAIMBILLINGPROVIDERNAME", "FIRST CLINIC"},
        {3, 1, "HIERARCHIALCLAIMBILLINGPROVIDERNAME", "SECOND CLINIC"},
        {3, 1, "HIERARCHIALCLAIMBILLINGPROVIDERSECONDARYID1", "PROV88"},
        {3, 1, "HIERARCHIALCLAIMBILLINGPROVIDERSECONDARYIDCODE2", "EI"},
        {1, 1, "PATMSTAT", ""},
        {1, 1, "NOSUCHNAME", ""},
    });
}

TEST(ClaimGetters, ProfessionalClaimNames) {
    expectClaimValues("claims_837p.x12", {
        {1, 1, "CLAIMID", "CLAIM001"},
        {1, 1, "CLAIMAMT", "100"},
        {1, 1, "CLAIMAMTDDDDDD_CC", "100 00"},
        {1, 1, "PATSIGNATURESOURCE", "P"},
        {1, 1, "RELATEDCAUSECODE", "AA:::IL"},
        {1, 1, "RELATEDCAUSE", "Auto Accident"},
        {1, 1, "CLEARINGIDNUMBER", "CLEAR01"},
        {1, 1, "MULTICLAIMTOTAL", "100"},
        {1, 1, "ONSETOFILLNESDATE", "20261101"},
        {1, 1, "ACCIDENTDATE", "20261102"},
        {1, 1, "RETURNTOWORKDATE", "20261120"},
        {1, 1, "RETURNTOWORK", ""},
        {1, 1, "PROVSIGNATUREONFILE", "Yes"},
        {1, 1, "PROVACCEPTASSIGNMENTCODE", "Assigned"},
        {1, 1, "RELEASEOFINFORMATION", "Yes"},
        {1, 1, "PRIORAUTHORIZATIONNUMBER", "AUTH01"},
        {1, 1, "CLAIMNOTEADD", "SEE ATTACHED"},
        {1, 1, "CLAIMNOTECER", ""},
        {1, 1, "K3DATA", "ABCDEFGHIJ"},
        {1, 1, "K3DATA_3_4", "CDEF"},
        // Qualifiers compare whole: AMT*D is not AMT*D8 or AMT*DY, AMT*T not AMT*T2.
        {1, 1, "COBPAYERPAIDAMT", "12.34"},
        {1, 1, "COBDISCOUNTAMT", "7.00"},
        {1, 1, "COBPERDAYLIMIT", "8.00"},
        {1, 1, "COBTAX", "1.50"},
        {1, 1, "COBCLMTOTTAX", "3.00"},
        {1, 1, "OISUBLNAME", "SMITH"},
        {1, 1, "OISUBFNAME", "JANE"},
        {1, 1, "OISUBID", "OTHER01"},
        {1, 1, "OIPAYERNAME", "SECOND PAYER"},
        {1, 1, "OIPAYERID", "PAYER02"},
        {1, 1, "POSCODE", "11"},
        {1, 1, "FACILITYCODEQUALIFIER", "B"},
        {1, 1, "FREQUENCYCODE", "1"},
        {1, 1, "TYPEOFBILL", "111"},
        {1, 1, "PRINCIPALDX", "J449"},
        {1, 1, "DX1", "J449"},
        {1, 1, "DX2", "E119"},
        {1, 1, "DX3", "I10"},
        {1, 1, "DX4", ""},
        {1, 1, "DX1_XX", "J44 9"},
        {1, 1, "DX3_XX", "I10"},
        {1, 1, "SUBLNAME", "SMITH"},
        {1, 1, "SUBFNAME", "JOHN"},
        {1, 1, "SUBMI", "Q"},
        {1, 1, "SUBMIX", ""},
        {1, 1, "SUBNAMEPREFIX", "DR"},
        {1, 1, "SUBNAMESUFIX", "JR"},
        {1, 1, "SUBID", "SUB001"},
        {1, 1, "SUBADDR1", "5 ELM ST"},
        {1, 1, "SUBCITY", "SPRINGFIELD"},
        {1, 1, "SUBZIP", "62704"},
        {1, 1, "SUBDOB", "19800101"},
        {1, 1, "SUBSEX", "M"},
        {1, 1, "SUBMSTATUS", "M"},
        {1, 1, "SUBSSN", "123456789"},
        {1, 1, "SUBORDERCODE", "P"},
        {1, 1, "SUBORDER", "Primary"},
        {1, 1, "POSDESC", "Office"},
        {1, 1, "SUBGROUPID", "GRP1"},
        {1, 1, "SUBGROUPNAME", "GROUP ONE"},
        {1, 1, "SUBCLMTYPECODE", "CI"},
        {1, 1, "PAYERNAME", "ACME INSURANCE"},
        {1, 1, "PAYERID", "PAYER01"},
        {1, 1, "PAYERCITY", "HARTFORD"},
        {1, 1, "PAYERSTATE", "CT"},
        {1, 1, "PAYERST", ""},
        {1, 1, "PATLNAME", ""},  // the patient of the next claim is not this claim's
        {1, 1, "REFLNAME", "REFERRER"},
        {1, 1, "REFFNAME", "RITA"},
        {1, 1, "REFID", "3333333333"},
        {1, 1, "REFSECONDARYIDCODE1", "0B"},
        {1, 1, "REFSECONDARYIDCODE2", "1G"},
        {1, 1, "RENLNAME", "RENDER"},
        {1, 1, "RENIDTYPECODE", "XX"},
        {1, 1, "FACILITYNAME", "NORTH LAB"},
        {1, 1, "FACILITYCITY", "LABTOWN"},
        {1, 1, "SERVICELOCATIONNAME", "NORTH LAB"},
        {1, 1, "PRIMARYGROUPID", "GRP1"},
        {1, 1, "PRIMARYSUBLNAME", "SMITH"},
        {1, 1, "PRIMARYSUBADDR1", "5 ELM ST"},
        {1, 1, "PRIMARYPAYERNAME", "ACME INSURANCE"},
        {1, 1, "PRIMARYPAYERCITY", "HARTFORD"},
        {1, 1, "SECONDARYGROUPID", "GRP2"},
        {1, 1, "SECONDARYSUBFNAME", "JANE"},
        {1, 1, "SECONDARYPAYERNAME", "SECOND PAYER"},
        {1, 1, "TERTIARYGROUPID", ""},
        {1, 1, "CLAIMTYPE", "Professional"},
        {1, 1, "CLAIMBILLINGPROVIDERNAME", ""},  // no HL after the CLM within the claim
        {1, 1, "SUBMITTERNAME", "ACME BILLING"},
    });
}

TEST(ClaimGetters, ProfessionalServiceLines) {
    expectClaimValues("claims_837p.x12", {
        {1, 1, "PROC1", "99213"},
        {1, 1, "PPROC1", "99213"},
        {1, 1, "MODA1", "25"},
        {1, 1, "MODB1", "59"},
        {1, 1, "MODC1", ""},
        {1, 1, "AMT1", "60"},
        {1, 1, "DDDDDD_CC1", "60 00"},
        {1, 1, "UNITS1", "1"},
        {1, 1, "POSLINECODE1", "11"},
        {1, 1, "DXLINK1", "1"},
        {1, 1, "SUPDXLINKB1", "2"},
        {1, 1, "SUPDXLINKD1", "4"},
        {1, 1, "DOS1", "20120105-20120107"},
        {1, 1, "MM_DD_YY_DOSF1", "01 05 12"},
        {1, 1, "MM_DD_YY_DOST1", "01 07 12"},
        {1, 1, "LINEITEMCONTROLNUMBER1", "LINE1"},
        {1, 1, "PRICEAMT1", "55"},
        {1, 1, "PRICEREF1", "REPRICE1"},
        {1, 1, "PROC2", "85025"},
        {1, 1, "DOS2", "20261103"},
        {1, 1, "MM_DD_YY_DOSF2", "11 03 26"},
        {1, 1, "MM_DD_YY_DOST2", ""},
        {1, 1, "LINEITEMCONTROLNUMBER2", ""},
        {1, 1, "AMT3", ""},
        // A line number compares as a number: LX*01 is line 1.
        {3, 1, "PROC1", "11111"},
        {3, 1, "PROC10", "10101"},
        {3, 1, "PROC12", "12121"},
        {3, 1, "AMT12", "12"},
        {3, 2, "PROC1", "20000"},
        {3, 3, "PROC1", "30000"},
        {3, 2, "PROC2", ""},
    });
}

TEST(ClaimGetters, SubClaimsPatientsAndSeveralProviders) {
    expectClaimValues("claims_837p.x12", {
        {2, 1, "SUBLNAME", "BROWN"},
        {2, 1, "SUBFNAME", "ALICE"},
        {2, 1, "SUBMI", ""},
        {2, 2, "SUBLNAME", "BROWN"},
        {2, 1, "CLAIMID", "KID-A"},
        {2, 2, "CLAIMID", "KID-B"},
        {2, 2, "CLAIMAMT", "0.20"},
        {2, 1, "MULTICLAIMTOTAL", "0.30"},
        {2, 1, "PATLNAME", "BROWN"},
        {2, 1, "PATFNAME", "BOBBY"},
        {2, 1, "PATMI", "K"},
        {2, 2, "PATCITY", "RIVERTON"},
        {2, 1, "PATDOB", "20100505"},
        {2, 1, "PROC1", "99212"},
        {2, 2, "PROC1", "99211"},
        {2, 1, "REFLNAME", ""},
        {2, 1, "RENIDTYPE", ""},  // no NM1*82: an empty NM108 has no words
        // The billing provider after the claim's CLM, with its own
        // secondary identifiers, not those of the file's first provider.
        {2, 1, "CLAIMBILLINGPROVIDERNAME", "SECOND CLINIC"},
        {2, 1, "CLAIMBILLINGPROVIDERCITY", "SHELBYVILLE"},
        {2, 1, "CLAIMBILLINGPROVIDERID", "6666666666"},
        {2, 1, "CLAIMBILLINGPROVIDERSECONDARYID1", "PROV88"},
        {2, 1, "CLAIMBILLINGPROVIDERSECONDARYIDCODE2", "EI"},
        {2, 2, "CLAIMBILLINGPROVIDERSECONDARYID2", "444555666"},
        {2, 1, "CLAIMPAYTOPROVIDERNAME", ""},
        {3, 1, "CLAIMID", "MULTI-1"},
        {3, 2, "CLAIMID", "MULTI-2"},
        {3, 1, "MULTICLAIMTOTAL", "60"},
        {3, 1, "SUBORDERCODE", "S"},
        {3, 1, "SUBORDER", "Secondary"},
        {2, 1, "CLAIMBILLINGPROVIDERIDTYPE", "National Provider ID"},
        {3, 1, "SUBLNAME", "JONES"},
        {3, 1, "DX1", "A01"},
        {3, 1, "DX10", "B09"},
        {3, 1, "DX12", "B11"},
        {3, 1, "DX13", ""},
        {3, 1, "OTHERDX01", "C01"},
        {3, 1, "OTHERDX02", "C02"},
        {3, 1, "OTHERDXA02", "C02"},
        {3, 1, "OTHERDXB01", ""},
        {3, 1, "OTHERDX13", ""},
        // A claim number past the index reads the last claim; 0 reads none.
        {4, 1, "CLAIMID", "MULTI-1"},
        {0, 1, "CLAIMID", ""},
        {-1, 1, "SUBLNAME", ""},
    });
}

// A party's address and identifiers are those of its own loop: a payer
// without N3 and N4 has no address (never the next party's), and the
// billing provider's REFs end where the pay-to provider's loop begins.
TEST(ClaimGetters, PartiesReadOnlyTheirOwnLoop) {
    expectClaimValues("claims_837p.x12", {
        {1, 1, "BILLINGPROVIDERSECONDARYIDCODE2", "G2"},
        {1, 1, "BILLINGPROVIDERSECONDARYIDCODE3", ""},
        {1, 1, "BILLINGPROVIDERSECONDARYID3", ""},
        {1, 1, "BILLINGPROVIDERSECONDARYIDTYPE3", ""},
        {1, 1, "PAYTOPROVIDERSECONDARYIDCODE1", "EI"},
        {1, 1, "PRIMARYPAYERADDR1", "100 INSURER WAY"},
        {1, 1, "PRIMARYPAYERZIP", "06101"},
        {1, 1, "SECONDARYPAYERADDR1", ""},  // not the next claim's patient's
        {1, 1, "SECONDARYPAYERCITY", ""},
        {1, 1, "OIPAYERADDR1", ""},  // not the other subscriber's
        {1, 1, "OIPAYERCITY", ""},
        {1, 1, "OISUBLNAME", "SMITH"},
    });
    expectClaimValues("claims_837i.x12", {
        {1, 1, "PRIMARYPAYERADDR1", ""},  // not the facility's
        {1, 1, "PRIMARYPAYERCITY", ""},
        {1, 1, "HIERARCHIALCLAIMBILLINGPROVIDERADDR1", "10 HOSPITAL DR"},
    });

    // A payer with its own address, after an other subscriber with one.
    zrtest::TempDir dir;
    dir.write("payer.x12", zrtest::x12Text({"GS*HC*S*R*20261210*1253*1*X*005010X222A1", "ST*837*0001",
                                            "HL*1**20*1", "NM1*85*2*CLINIC", "HL*2*1*22*0", "SBR*P*18",
                                            "NM1*IL*1*DOE*JOHN", "NM1*PR*2*PAYER A", "CLM*C1*10", "SBR*S*01",
                                            "OI***Y", "NM1*IL*1*DOE*JANE", "N3*1 SUBSCRIBER RD",
                                            "NM1*PR*2*PAYER B*****PI*B1", "N3*2 PAYER RD", "N4*PAYERTOWN*CT*06000",
                                            "LX*1", "SV1*HC:99213*10", "SE*18*0001", "GE*1*1", "IEA*1*000000001"}));
    const SegmentTable table = zrtest::loadX12(dir.path() + "/payer.x12");
    const ClaimIndex index = CTL39400C(table, 2);
    const ClaimFields fields(table, index);
    EXPECT_EQ(fields.claim(1, 1, "SECONDARYPAYERADDR1"), "2 PAYER RD");
    EXPECT_EQ(fields.claim(1, 1, "OIPAYERADDR1"), "2 PAYER RD");
    EXPECT_EQ(fields.claim(1, 1, "OIPAYERCITY"), "PAYERTOWN");
    EXPECT_EQ(fields.claim(1, 1, "OIPAYERZIP"), "06000");
    EXPECT_EQ(fields.claim(1, 1, "PRIMARYPAYERADDR1"), "");
}

TEST(ClaimGetters, InstitutionalNames) {
    expectClaimValues("claims_837i.x12", {
        {1, 1, "TSCONTROLNUMBER", "0002"},
        {1, 1, "RECEIVERADDITIONALNAME", "CLAIMS DIVISION"},
        {1, 1, "RECEIVERADDR1", "1 STATE PLAZA"},
        {1, 1, "RECEIVERCITY", "CAPITOL"},
        {1, 1, "BILLINGPROVIDERNAME", "GENERAL HOSPITAL"},
        {1, 1, "CLAIMID", "INST-1"},
        {1, 1, "CLAIMAMTDDDDDD_CC", "1500 5"},
        {1, 1, "FACILITYCODEVALUE", "13"},
        {1, 1, "TYPEOFBILL", "131"},
        {1, 1, "STATEMENTDATE", "20261101-20261105"},
        {1, 1, "ADMISSIONDATETIME", "202611010800"},
        {1, 1, "DISCHARGEHOUR", "1130"},
        {1, 1, "DISCHARGEDATE", "1130"},
        {1, 1, "ADMISSIONTYPECODE", "2"},
        {1, 1, "ADMISSIONTYPE", "Urgent"},
        {1, 1, "ADMISSIONSOURCE", "Emergency Room"},
        {1, 1, "PATIENTSTATUSCODE", "01"},
        {1, 1, "PATIENTSTATUS", "Discharged to home or self care (routine discharge)"},
        {1, 1, "PRINCIPALDX", "4280"},
        {1, 1, "ADMITDX", "7865"},
        {1, 1, "OTHERDX01", "4019"},
        {1, 1, "OTHERDX02", "25000"},
        {1, 1, "PRINCIPLEPROC", "3722"},
        {1, 1, "PRINCIPLEPROCDATE", "20261102"},
        {1, 1, "OCCURRENCECODE01", "11"},
        {1, 1, "OCCURRENCEDATE01", "20261031"},
        {1, 1, "VALUECODE01", "01"},
        {1, 1, "VALUEAMOUNT01", "250.00"},
        {1, 1, "VALUECODE02", "80"},
        {1, 1, "CONDITIONCODE01", "17"},
        {1, 1, "TREATMENTCODE01", ""},
        {1, 1, "ATTENDLNAME", "ATTENDING"},
        {1, 1, "ATTENDSECONDARYID1", "ATT1"},
        {1, 1, "ATTENDSECONDARYIDCODE1", "1G"},
        {1, 1, "FACILITYNAME", "GENERAL HOSPITAL ER"},  // NM1*FA before 5010
        {1, 1, "FACILITYZIP", "60601"},
        {1, 1, "ILINE1", "SV2"},
        {1, 1, "IREVCODE1", "0450"},
        {1, 1, "IPROCTYPE1", "HC"},
        {1, 1, "IPROC1", "99284"},
        {1, 1, "IMODA1", "25"},
        {1, 1, "IAMT1", "500"},
        {1, 1, "IUNITSTYPE1", "Unit"},
        {1, 1, "IUNITS1", "2"},
        {1, 1, "IUNITSQTY1", "2"},
        {1, 1, "IUNITSRATE1", "250"},
        {1, 1, "IDOS1", "20261101"},
        {1, 1, "NDCCODE1", "00093726501"},
        {1, 1, "NDCUNITS1", "2"},
        {1, 1, "IADJUDID1", "00451"},
        {1, 1, "IADJUDAMT1", "450"},
        {1, 1, "IADJUDDATE1", "20261120"},
        {1, 1, "IUNITSTYPE2", "Days"},
        {1, 1, "IAMT2", "1000.5"},
        {1, 1, "IDOS2", ""},
        {1, 1, "CLAIMTYPE", "Institutional"},
    });
}

TEST(ClaimGetters, DentalNames) {
    expectClaimValues("claims_837d.x12", {
        {1, 1, "CLAIMTYPE", "Dental"},
        {1, 1, "CLAIMAMTDDDDDD_CC", "150 00"},
        {1, 1, "DPROC1", "D2391"},
        {1, 1, "DMODA1", "MA"},
        {1, 1, "DMODC1", "MC"},
        {1, 1, "DAMT1", "150"},
        {1, 1, "TOOTH1", "3"},
        {1, 1, "TOOTHSURFACE1", "Mesial"},
        {1, 1, "TOOTHSURFACE2", "Occlusal"},
        {1, 1, "TOOTHSURFACE3", "Distal"},
        {1, 1, "DLINEITEMCONTROLNUMBER1", ""},
        {1, 1, "SUBLNAME", "WHITE"},
    });
}

TEST(ClaimGetters, DictionaryGroups) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"SUBMI", 216},           {"SUBMITTERNAME", 102},     {"SUBMIX", 0},
        {"RETURNTOWORKDATE", 202}, {"CLAIMAMTDDDDDD_CC", 201}, {"CLAIMAMT", 201},
        {"DX10", 227},            {"DX1_XX", 227},            {"PAYERST", 999},
        {"PAYERSTATE", 217},      {"OTHERPROCDATE01", 206},   {"OTHERPROC01", 245},
        {"VALUEAMOUNTB03", 211},  {"PROC7", 229},             {"IUNITSTYPE1", 230},
        {"DAMT1", 228},           {"REFSECONDARYIDCODE2", 219}, {"RENIDTYPE", 222},
        {"HIERARCHIALCLAIMPAYTOPROVIDERID", 243},           {"CLAIMPAYTOPROVIDERZIP", 235},
        {"PRIMARYSUBDOB", 238},   {"PAYERPRIORPAYMENT", 246}, {"NOSUCHNAME", 0},
        {"", 0},
    };
    for (const auto& [name, group] : cases) EXPECT_EQ(CTL39406AJ(name), group) << name;
}

TEST(ClaimGetters, HeaderNamesAskedOfTheClaimGetterGiveNothing) {
    const GetterFile f("claims_837p.x12");
    EXPECT_EQ(CTL39406AB(1, f.index, f.table, 1, "SUBMITTERNAME"), "");
    EXPECT_EQ(CTL39406AB(1, f.index, f.table, 1, "PATMSTAT"), "");
    EXPECT_EQ(CTL39406AA(f.index, f.table, 1, "CLAIMID"), "");
    EXPECT_EQ(CTL39406AA(f.index, f.table, 1, "SUBMITTERNAME"), "ACME BILLING");
    EXPECT_EQ(CTL39406AB(1, f.index, f.table, 1, "CLAIMID"), "CLAIM001");
}

TEST(ClaimGetters, GroupGettersAnswerOnlyTheirOwnNames) {
    const GetterFile f("claims_837p.x12");
    const ClaimFields fields(f.table, f.index);
    EXPECT_EQ(CTL39406AO(fields, 1, "CLAIMID", 1), "CLAIM001");
    EXPECT_EQ(CTL39406AO(fields, 1, "SUBLNAME", 1), "");
    EXPECT_EQ(CTL39406BD(fields, 2, "CLAIMID", 2), "");
    // The subscriber is the claim's whatever CLM is asked.
    EXPECT_EQ(CTL39406BD(fields, 2, "SUBLNAME", 2), "BROWN");
    EXPECT_EQ(CTL39406BY(fields, 1, "BILLINGPROVIDERNAME", 1), "FIRST CLINIC");
    EXPECT_EQ(CTL39406CP(fields, 3, "HIERARCHIALCLAIMBILLINGPROVIDERNAME", 1), "SECOND CLINIC");
    // The copies of the pay-to and billing-provider identifier getters.
    EXPECT_EQ(CTL39406AN(fields, 1, "PAYTOPROVIDERCITY", 1), "CAPITAL");
    EXPECT_EQ(CTL39406AN(fields, 1, "PAYTOPROVIDERSECONDARYIDCODE1", 1), "EI");
    EXPECT_EQ(CTL39406AN(fields, 1, "BILLINGPROVIDERNAME", 1), "");
    EXPECT_EQ(CTL39406CA(fields, 1, "BILLINGPROVIDERSECONDARYID2", 1), "PROV77");
    EXPECT_EQ(CTL39406CA(fields, 1, "BILLINGPROVIDERSECONDARYIDTYPE1", 1), "Employer's Identification Number");
    EXPECT_EQ(CTL39406CA(fields, 1, "BILLINGPROVIDERNAME", 1), "");
}

// One reader asked every line of several sub-claims in turn, back and
// forth, reads what a reader made for each single value reads.
TEST(ClaimGetters, ServiceLinesOfSubClaimsReadInTurn) {
    const GetterFile f("claims_837p.x12");
    const ClaimFields reader(f.table, f.index);
    int answered = 0;
    for (const int j : {1, 2, 3, 1, 3, 2}) {
        for (const char* name : {"PROC1", "PROC2", "PROC12", "PROC13", "AMT1", "MODA1", "UNITS2", "DOS1", "DXLINK1"}) {
            const std::string fresh = CTL39406AB(j, f.index, f.table, 3, name);
            EXPECT_EQ(reader.claim(j, 3, name), fresh) << j << " " << name;
            answered += !fresh.empty();
        }
    }
    EXPECT_GT(answered, 10);
    EXPECT_EQ(reader.claim(1, 3, "PROC12"), "12121");
    EXPECT_EQ(reader.claim(1, 3, "PROC1"), "11111");  // LX*01 is line 1
    EXPECT_EQ(reader.claim(2, 3, "PROC1"), "20000");
}

TEST(ClaimGetters, ServiceLineNames) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"PROC1", true},    {"IREVCODE3", true}, {"ADJUDID", true}, {"SUPDXLINKC2", true},
        {"CLAIMID", false}, {"SUBLNAME", false}, {"DX1", false},    {"", false},
    };
    for (const auto& [name, line] : cases) EXPECT_EQ(CTL39406DB(name), line) << name;
}

TEST(ClaimGetters, UserDefinedFieldsFromZrIni) {
    const GetterFile f("claims_837p.x12");
    zrtest::TempDir dir;
    dir.write("zr.ini",
              "[X12VIEWER]\r\nSETEXTENSION=*.X12\r\n[X12UDF]\r\nudf=AuthNo\r\nSEGMENT=REF\r\nQUALIFIER=G1\r\n"
              "LOOP=2300\r\nRETURN=3\r\nUDF=SENDERCODE\r\nSEGMENT=GS\r\nQUALIFIER=HC\r\nLOOP=1000\r\nRETURN=3\r\n");
    const std::vector<UserDefinedField> declared = CTL39404V(dir.path());
    ASSERT_EQ(declared.size(), 2u);
    EXPECT_EQ(declared[0].name, "AuthNo");
    EXPECT_EQ(declared[1].loop, "1000");

    const ClaimFields fields(f.table, f.index, dir.path());
    EXPECT_EQ(fields.groupOf("AUTHNO"), 300);
    EXPECT_EQ(CTL39406AJ("AUTHNO", dir.path()), 300);
    EXPECT_EQ(fields.groupOf("SENDERCODE"), 0);
    EXPECT_EQ(fields.claim(1, 1, "AUTHNO"), "AUTH01");
    EXPECT_EQ(fields.claim(1, 2, "AUTHNO"), "");
    EXPECT_EQ(fields.header(1, "SENDERCODE"), "SENDER");
    EXPECT_EQ(fields.header(1, "OTHERNAME"), "");
    // Without the section nothing is declared.
    zrtest::TempDir empty;
    empty.write("zr.ini", "[X12]\r\nISA06=ME\r\n");
    EXPECT_TRUE(CTL39404V(empty.path()).empty());
    EXPECT_TRUE(CTL39404V(empty.path() + "/none").empty());
}

}  // namespace
