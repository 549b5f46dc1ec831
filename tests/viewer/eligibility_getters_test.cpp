// The 270/271 getters over a 271 with three subscribers (one with a
// dependent, one rejected), item, file and benefit fields.
#include "eligibility_getters.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "x12_fixtures.hpp"

namespace {

using namespace zr;

const SegmentTable& eligibilityResponseTable() {
    static const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("271_three_subscribers.x12"));
    return t;
}

struct EligibilityFieldCase {
    std::size_t item;
    const char* name;
    const char* expected;
};

TEST(EligibilityGetters, ItemFields) {
    const EligibilityFieldCase cases[] = {
        {1, "SUBLNAME", "SMITH"},
        {1, "SUBFNAME", "JOHN"},
        {1, "SUBMI", "Q"},
        {1, "SUBIDQUAL", "MI"},
        {1, "SUBIDQUALIFIER", "MI"},  // any name that begins with SUBIDQUAL
        {1, "SUBID", "W123"},
        {1, "SUBADDR1", "12 MAIN ST"},
        {1, "SUBADDR2", "APT 4"},
        {1, "SUBCITY", "SPRINGFIELD"},
        {1, "SUBST", "IL"},
        {1, "SUBZIP", "62701"},
        {1, "SUBADDIDCODE", "SY"},
        {1, "SUBADDID", "123456789"},
        {1, "SUBDOB", "19700101"},
        {1, "SUBGENDER", "M"},
        {1, "ELIGIBILITYDATE", "20261201"},  // as it stands
        {1, "TRACEREFID", "TR1"},
        {1, "TRACEORGID", "9ORIGIN"},
        {1, "TRACEREFRENCEID", "REF1"},
        {1, "DEPLNAME", ""},
        {1, "REQVALRESPONSECODE", ""},
        {1, "NOSUCHFIELD", ""},
        {2, "SUBIDQUAL", "ZZ"},
        {2, "SUBADDR1", ""},
        {2, "SUBGENDER", "F"},
        {2, "DEPLNAME", "JONES"},
        {2, "DEPFNAME", "TIMMY"},
        {2, "DEPID", "D1"},
        {2, "TRACEREFID", ""},
        {3, "SUBLNAME", "BROWN"},
        {3, "REQVALRESPONSECODE", "N"},
        {3, "REQVALREJECTREASONCODE", "72"},
        {3, "REQVALFOLLOWUPCODE", "C"},
        {4, "SUBLNAME", ""},
    };
    const EligibilityReader r(eligibilityResponseTable());
    for (const EligibilityFieldCase& c : cases)
        EXPECT_EQ(r.itemField(c.item, c.name), c.expected) << c.item << " " << c.name;
    EXPECT_EQ(CTL39412AA(eligibilityResponseTable()), 3u);
    EXPECT_EQ(CTL39412AB(eligibilityResponseTable(), 2, "DEPID"), "D1");
}

TEST(EligibilityGetters, FileFieldsTakeTheLastReceiverKindPresent) {
    const std::pair<const char*, const char*> cases[] = {
        {"INFORMATIONRECEIVERNAME", "WELBY MARCUS A"},  // a person: last, first and middle name
        {"INFORMATIONRECEIVERIDTYPECODE", "XX"},
        {"INFORMATIONRECEIVERIDCODE", "1234567893"},
        {"INFORMATIONRECEIVERIDTYPEDESC", "National Provider Identifier"},
        {"LINE", "------------------------------------------------------------------------------------------"},
        {"SUBLNAME", ""},
    };
    for (const auto& [name, value] : cases) EXPECT_EQ(CTL39412AC(eligibilityResponseTable(), name), value) << name;

    zrtest::TempDir dir;
    const SegmentTable t = zrtest::loadX12(dir.write(
        "270.x12", zrtest::x12Text({"GS*HS*A*B*1*1*1*X*1", "ST*270*1", "NM1*80*2*CITY HOSPITAL*****ZZ*H1",
                                    "NM1*FA*2*CLINIC ONE*X*Y***34*999", "NM1*1P*1*DOE*JOHN", "SE*5*1", "GE*1*1",
                                    "IEA*1*1"})));
    EXPECT_EQ(CTL39412AC(t, "INFORMATIONRECEIVERNAME"), "CLINIC ONE");  // FA comes after 1P and 80
    EXPECT_EQ(CTL39412AC(t, "INFORMATIONRECEIVERIDTYPEDESC"), "Social Security Number");
    const SegmentTable odd = zrtest::loadX12(
        dir.write("odd.x12", zrtest::x12Text({"ST*270*1", "NM1*GP*2*GATEWAY*****QQ*1", "SE*2*1", "IEA*1*1"})));
    EXPECT_EQ(CTL39412AC(odd, "INFORMATIONRECEIVERIDTYPEDESC"), "Code Error = QQ");
}

TEST(EligibilityGetters, BenefitFields) {
    const EligibilityReader r(eligibilityResponseTable());
    EXPECT_EQ(r.benefitCount(1), 3u);
    EXPECT_EQ(r.benefitCount(2), 1u);
    EXPECT_EQ(CTL39412A(eligibilityResponseTable(), 3), 0u);
    const std::tuple<std::size_t, const char*, std::size_t, const char*> cases[] = {
        {1, "BENEFITCODE", 1, "1"},   {1, "COVERAGECODE", 1, "IND"}, {1, "SERVICECODE", 1, "30"},
        {1, "INSURANCECODE", 1, ""},  {1, "DESCRIPTION", 1, "GOLD PLAN"}, {1, "AMOUNT", 2, "500"},
        {1, "BENEFITCODE", 3, "B"},   {1, "AMOUNT", 3, "0"},         {1, "BENEFITCODE", 4, ""},
        {2, "BENEFITCODE", 1, "6"},   {1, "NOSUCH", 1, ""},
    };
    for (const auto& [k, name, n, value] : cases) EXPECT_EQ(r.benefitField(k, name, n), value) << name << n;
    const std::pair<const char*, const char*> numbered[] = {
        {"BENEFITCODE2", "C"}, {"AMOUNT2", "500"}, {"SERVICECODE3", "98"}, {"AMOUNT", ""}, {"BENEFITCODE9", ""}};
    for (const auto& [name, value] : numbered) EXPECT_EQ(CTL39412AF(eligibilityResponseTable(), 1, name), value) << name;
    EXPECT_EQ(CTL39412AE(eligibilityResponseTable(), 1, "DESCRIPTION", 1), "GOLD PLAN");
}

// Item 1 holds three EBs and one REF: values come in row order, ids and
// qualifiers compare whole.
TEST(EligibilityGetters, MatchingValuesOfAnItem) {
    struct MatchCase {
        std::size_t item;
        const char* id;
        const char* qualifier;
        int element;
        std::vector<std::string> expected;
    };
    const MatchCase cases[] = {
        {1, "EB", "", 1, {"1", "C", "B"}},
        {1, "EB", "C", 7, {"500"}},
        {1, "EB", "", 7, {"", "500", "0"}},
        {1, "REF", "SY", 2, {"123456789"}},
        {1, "REF", "S", 2, {}},          // not a prefix match
        {1, "E", "", 1, {}},             // ids compare whole too
        {2, "EB", "", 1, {"6"}},         // the dependent's EB is in item 2
        {3, "AAA", "N", 3, {"72"}},
        {4, "EB", "", 1, {}},
        {0, "EB", "", 1, {}},
    };
    for (const MatchCase& c : cases)
        EXPECT_EQ(CTL39412Z(eligibilityResponseTable(), c.item, c.id, c.qualifier, c.element), c.expected)
            << c.item << " " << c.id << "*" << c.qualifier;
}

// The 835-shaped readers this family keeps under its own names answer as
// the 835's own functions on a remittance.
TEST(EligibilityGetters, ServiceLineReadersAreTheRemittanceOnes) {
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("835_remittance.x12"));
    const ClaimIndex index = CTL39400C(t, 1);
    for (std::size_t k = 0; k <= 4; ++k) {
        EXPECT_EQ(CTL39412AD(t, k), CTL39407AD(t, k)) << k;
        for (std::size_t s = 1; s <= 3; ++s)
            for (int n = 0; n <= 4; ++n) {
                EXPECT_EQ(CTL39412B(index, t, k, s, n, 1), CTL39407B(index, t, k, s, n, 1)) << k << s << n;
                EXPECT_EQ(CTL39412D(1, n, s, k, t, 1), CTL39407D(1, n, s, k, t, 1)) << k << s << n;
            }
    }
    EXPECT_EQ(CTL39412D(1, 1, 1, 1, t, 1), "25");  // the comparisons above met real values
    EXPECT_GT(CTL39412AD(t, 1), 0u);
    CTL39412Y();
}

}  // namespace
