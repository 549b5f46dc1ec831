// The 835 getters over a hand-written remittance: three claims (claim and
// line adjustment runs, a reversal, a claim with no control number) and two
// provider adjustments.
#include "remittance_getters.hpp"

#include <gtest/gtest.h>

#include "remittance_codes.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;

struct GetterCase {
    std::size_t claim;
    std::string name;
    std::string want;
};

const SegmentTable& remittanceGetterTable() {
    static const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("835_remittance.x12"));
    return t;
}

TEST(RemittanceGetters, ClaimFields) {
    const SegmentTable& t = remittanceGetterTable();
    const ClaimIndex index = CTL39400C(t, 1);
    const std::vector<GetterCase> cases{
        {1, "CLAIMPATCTL", "PAT001"},
        {1, "CLAIMSTATUSCODE", "1"},
        {1, "CLAIMTOTALCHARGE", "300"},
        {1, "PATRESPONSIBLE", "40"},
        {1, "FACILITYTYPECODE", "11"},
        {1, "PRIMARYCLAIMPATCTL", "PAT001"},
        {1, "SECONDARYCLAIMPATCTL", ""},
        {2, "CLAIMSTATUSCODE", "22"},
        {2, "SECONDARYCLAIMPATCTL", "PAT002"},  // "22" begins with 2
        {2, "CLAIMTOTALPAID", "-100"},
        {3, "CLAIMPATCTL", ""},
        {3, "CLAIMSTATUSCODE", "19"},
        {3, "PRIMARYCLAIMTOTALCHARGE", "80"},  // "19" begins with 1
        // The claim adjustments: the first CAS run before the first SVC.
        {1, "CLMADJGRPCODE", "CO"},
        {1, "CLMADJCODE", "45"},
        {1, "CLMADJAMT", "50"},
        {1, "CLMADJQTY", "1"},
        {1, "CLMADJCODE2", "23"},
        {1, "CLMADJAMT2", "10.5"},
        {1, "CLMADJCODE3", ""},  // the next CAS is a service line's
        {1, "XCLMADJAMT1", "60"},
        {1, "XCLMADJQTY1", "1"},
        {1, "XCLMADJQTY2", ""},
        {2, "CLMADJAMT", "-50"},
        {3, "CLMADJCODE", ""},
        {1, "CLMREMARKCODE", "N130"},
        {1, "CLAIMDATEREC", "20261105"},
        {1, "CLAIMMSTATEMENTPERIODSTART", "20261101"},
        {1, "CLAIMDATEEXP", ""},
        {1, "PATFNAME", "JOHN"},
        {1, "PATMI", "Q"},
        {1, "PATID", "M123"},
        {1, "PATIDQUALCODE", "MI"},
        {1, "SUBLNAME", "SMITH"},
        {1, "SUBFNAME", "JANE"},
        {1, "SERVICEPROVIDERID", "1111111112"},
        {2, "SUBLNAME", ""},
        {1, "GROUPPOLICYNUMBER", "GRP77"},
        {1, "CLAIMSUPPLEMENTALAMTAU", "300"},
        {1, "MOAREMARK1", "MA01"},
        {1, "MOAMIATYPE", "O"},
        {2, "MOAMIATYPE", "N"},
        {1, "NOSUCHFIELD", ""},
        {4, "CLAIMPATCTL", ""},
        {0, "CLAIMPATCTL", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CTL39407AB(1, index, t, c.claim, c.name, 1), c.want) << c.claim << " " << c.name;
    // The words of the claim's own status code, never those of a code it
    // begins with.
    EXPECT_EQ(CTL39407AB(1, index, t, 3, "CLAIMSTATUS", 1), remittanceCodeText(20, 2, "19"));
    EXPECT_NE(CTL39407AB(1, index, t, 3, "CLAIMSTATUS", 1), CTL39407AB(1, index, t, 1, "CLAIMSTATUS", 1));
    EXPECT_EQ(CTL39407AB(1, index, t, 1, "PATIDQUAL", 1), remittanceCodeText(22, 8, "MI"));
}

TEST(RemittanceGetters, ClaimRowsNeedTheIndexToPointAtTheClaim) {
    const SegmentTable& t = remittanceGetterTable();
    ClaimIndex shifted = CTL39400C(t, 1);
    std::swap(shifted[0], shifted[1]);
    EXPECT_EQ(CTL39407AB(1, shifted, t, 1, "CLAIMPATCTL", 1), "");
    EXPECT_EQ(CTL39407AB(1, CTL39400C(t, 2), t, 2, "CLAIMPATCTL", 2), "PAT002");
}

TEST(RemittanceGetters, TransactionAndProviderAdjustmentFields) {
    const SegmentTable& t = remittanceGetterTable();
    const std::vector<std::pair<std::string, std::string>> cases{
        {"SETCONTROLNUMBER", "0005"},
        {"TRANSTOTALPAYAMT", "460"},
        {"TRANSDATE", "20261215"},
        {"TRACEREFID", "TRACE55"},
        {"TRACEREFRENCEID", "SUPP9"},
        {"RECEIVERID", "RECV01"},
        {"PRODDATE", "20261214"},
        {"PAYERNAME", "ACME HEALTH"},
        {"PAYERADDRESS1", "1 PAYER WAY"},
        {"PAYERADDRESS2", ""},  // the payee's second line is not the payer's
        {"PAYERZIPCODE", "62701"},
        {"PAYEENAME", "FAMILY CLINIC"},
        {"PAYEEID", "1234567893"},
        {"PAYEEADDRESS2", "SUITE 2"},
        {"PAYEECITY", "CAPITAL"},
        {"PAYEEADID", "999888777"},
        {"PROVADJREFID", "1234567893"},
        {"PROVADJPERIOD", "20261231"},
        {"PROVADJREASONCODE1", "WO"},
        {"PROVADJREASONID1", "REF1"},
        {"PROVADJAMT1", "-20"},
        {"PROVADJREASONCODE2", "72"},
        {"PROVADJAMT2", "-30"},
        {"PROVADJAMT3", ""},
        {"PROVADJREASONCODEA2", "L6"},
        {"PROVADJREASONIDA2", "INT"},
        {"PROVADJAMTA2", "5"},
        {"PROVADJAMTB1", "-30"},
        {"PROVADJREFID3", ""},
        {"PROVADJAMT7", ""},
        {"NOSUCHFIELD", ""},
    };
    for (const auto& [name, want] : cases) EXPECT_EQ(CTL39407AC(1, t, name), want) << name;
}

TEST(RemittanceGetters, ServiceLineFields) {
    const SegmentTable& t = remittanceGetterTable();
    const ClaimIndex index = CTL39400C(t, 1);
    const std::vector<GetterCase> cases{
        {1, "PROCBILLEDAMT1", "200"},
        {1, "PROCPAYAMT1", "150"},
        {1, "PROCUNITSPAID1", "1"},
        {1, "PROCEDURE1", "99213"},
        {1, "PROCEDURECODE2", "99214"},
        {1, "PROCEDUREMODA1", "25"},
        {1, "PROCEDUREMODB1", "59"},
        {1, "PROCEDUREMODC1", ""},
        {1, "PROCEDUREMODA2", ""},
        {1, "PROCALLOWEDAMT1", "180"},
        {1, "PROCTAXAMT1", "3"},  // AMT*T, not the AMT*T2 before it
        {1, "PROCTOTALBEFORETAXESAMT1", "183"},
        {1, "DATEOFSERVICE2", "20261102"},
        {1, "PROCCTLNUMBER1", "LINE1"},
        {1, "PROCREMARKCODE1", "N130"},
        {1, "PROCCOADJAMT1", "20"},
        {1, "PROCDEDUCTAMT1", "20"},
        {1, "PROCCOINSAMT1", "10"},  // CAS06 when CAS05 is 2
        {1, "PROCCOPAYAMT1", ""},
        {1, "PROCCOPAYAMT2", "15"},
        {1, "PROCPROTHERAMT1", ""},
        {1, "PROCADJGRPCODE1", "PR"},
        {1, "PROCADJCODE1", "1"},
        {1, "PROCADJAMT1", "20"},
        {1, "PROCADJQTY1", "1"},
        {1, "PROCADJAMT1.2.1", "20"},
        {1, "PROCADJAMT1.1.2", "10"},
        {1, "PROCADJCODE1.3.2", "96"},
        {1, "PROCADJAMT1.3.2", "15"},
        {1, "PROCADJAMT1.2.3", ""},
        {1, "XPROCADJAMT1.1", "30"},
        {1, "XPROCADJAMT1.3", "20"},
        {1, "XPROCADJQTY1.2", ""},
        {2, "PROCBILLEDAMT1", "-150"},
        {1, "PROCBILLEDAMT3", ""},
        {3, "PROCBILLEDAMT1", ""},
        {1, "PROCBILLEDAMT", ""},  // no line number
    };
    for (const auto& c : cases) EXPECT_EQ(CTL39407AE(1, index, t, c.claim, c.name, 1), c.want) << c.claim << " " << c.name;
}

TEST(RemittanceGetters, GeneratorFieldsTakeTheFirstLineThatHasOne) {
    const SegmentTable& t = remittanceGetterTable();
    const ClaimIndex index = CTL39400C(t, 1);
    EXPECT_EQ(CTL39407AL(1, index, t, 1, "PROCEDUREMODA"), "25");
    EXPECT_EQ(CTL39407AL(1, index, t, 1, "PROCCTLNUMBER"), "LINE1");
    EXPECT_EQ(CTL39407AL(1, index, t, 1, "CLMADJCODE"), "1");
    EXPECT_EQ(CTL39407AL(1, index, t, 2, "PROCEDURE"), "99213");
    EXPECT_EQ(CTL39407AL(1, index, t, 1, "PROCBILLEDAMT"), "");  // not one of its names
}

TEST(RemittanceGetters, ServiceLineNamesOfTheExport) {
    for (const char* name : {"ICLAIMPATCTLSEQSERVLINE", "PROCCTLNUMBER", "PROCEDURECODE", "PROCADJCODE"})
        EXPECT_TRUE(CTL39407AO(name)) << name;
    for (const char* name : {"PROCEDURE", "PROCADJCODE1", "procctlnumber", "", "CLAIMPATCTL"})
        EXPECT_FALSE(CTL39407AO(name)) << name;
}

TEST(RemittanceGetters, Counters) {
    const SegmentTable& t = remittanceGetterTable();
    EXPECT_EQ(CTL39407AA(1, "CLP", t), 3u);
    EXPECT_EQ(CTL39407AA(20, "CLP", t), 2u);
    EXPECT_EQ(CTL39407A(1, 1, t, 1), 2u);
    EXPECT_EQ(CTL39407A(1, 2, t, 1), 1u);
    EXPECT_EQ(CTL39407A(1, 3, t, 1), 0u);
    EXPECT_EQ(CTL39407O(1, 3, t, 1), 2u);
    EXPECT_EQ(CTL39407O(1, 1, t, 1), 0u);
    EXPECT_EQ(CTL39407D(1, 0, 1, 1, t, 1), "2");
    EXPECT_EQ(CTL39407D(1, 1, 1, 1, t, 1), "25");
    EXPECT_EQ(CTL39407D(1, 2, 1, 1, t, 1), "59");
    EXPECT_EQ(CTL39407D(1, 3, 1, 1, t, 1), "");
    EXPECT_EQ(CTL39407D(1, 0, 2, 1, t, 1), "0");
    EXPECT_EQ(CTL39407D(1, 0, 3, 1, t, 1), "0");
    EXPECT_EQ(CTL39407D(1, 1, 3, 1, t, 1), "");
}

TEST(RemittanceGetters, TheFamilysUncalledHelpers) {
    const SegmentTable& t = remittanceGetterTable();
    const ClaimIndex index = CTL39400C(t, 1);
    EXPECT_EQ(CTL39407AJ(1, index, t, 1, "PROCBILLEDAMT1", 1), "200");
    EXPECT_EQ(CTL39407AJ(1, index, t, 1, "PROCFED1CAT1", 1), "7");
    EXPECT_EQ(CTL39407AJ(1, index, t, 1, "PROCFED2CAT1", 1), "");
    EXPECT_EQ(CTL39407AJ(1, index, t, 1, "PROCFED1CAT2", 1), "");
    EXPECT_EQ(CTL39407B(index, t, 1, 1, 3, 1), "25");
    EXPECT_EQ(CTL39407B(index, t, 1, 2, 2, 1), "99214");
    EXPECT_EQ(CTL39407B(index, t, 1, 3, 2, 1), "");
    EXPECT_EQ(CTL39407F("A*B*", "*"), 2);
    EXPECT_EQ(CTL39407AQ(t, "CLP", 2), 43u);
    EXPECT_EQ(CTL39407AQ(t, "CLP", 4), 0u);
    EXPECT_GT(CTL39407AD(t, 1), 0u);
    EXPECT_EQ(CTL39407AD(t, 4), 0u);
    EXPECT_EQ(CTL39407G("CLP*X1*1", 2, "*"), "X1");
    EXPECT_EQ(CTL39407AI(), "");
}

TEST(RemittanceGetters, DescriptionLinesWrapAfter28Characters) {
    struct Case {
        std::string text;
        std::vector<std::string> want;
    };
    const std::string indent(21, ' ');
    const std::vector<Case> cases{
        {"", {"Reason Description = "}},
        {std::string(30, 'x'), {"Reason Description = " + std::string(30, 'x')}},
        {"Charges exceed your contracted fee arrangement.",
         {"Reason Description = Charges exceed your contracted", indent + "fee arrangement."}},
        {"aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkkk llll mmmm",
         {"Reason Description = aaaa bbbb cccc dddd eeee ffff", indent + "gggg hhhh iiii jjjj kkkk llll",
          indent + "mmmm"}},
        {std::string(40, 'y'), {"Reason Description = " + std::string(40, 'y')}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines{"kept"};
        appendDescriptionLines("Reason Description = ", c.text, lines);
        std::vector<std::string> want{"kept"};
        want.insert(want.end(), c.want.begin(), c.want.end());
        EXPECT_EQ(lines, want) << c.text;
    }
}

TEST(RemittanceGetters, SumsAreWrittenWithoutBlanks) {
    EXPECT_EQ(remittanceSumText(0), "");
    EXPECT_EQ(remittanceSumText(60), "60");
    EXPECT_EQ(remittanceSumText(70.5), "70.5");
    EXPECT_EQ(remittanceSumText(-12.25), "-12.25");
}

}  // namespace
