// The 277 getters over a two-set response: subscriber and patient claims,
// service lines, and the claims of the whole file, of the merged table and
// of a set picked out of it.
#include "claim_status_getters.hpp"

#include <gtest/gtest.h>

#include "set_pickers.hpp"
#include "table_rewriters.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;

const SegmentTable& statusTable() {
    static const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("277_two_sets.x12"));
    return t;
}

struct StatusFieldCase {
    std::size_t claim;
    const char* name;
    const char* expected;
};

TEST(ClaimStatusGetters, ClaimFields) {
    const StatusFieldCase cases[] = {
        {1, "SUBLNAME", "SMITH"},
        {1, "SUBFNAME", "JOHN"},
        {1, "SUBMI", "Q"},
        {1, "SUBIDCODE", "W123"},
        {1, "SUBADDR1", "12 MAIN ST"},
        {1, "SUBADDR2", "APT 4"},
        {1, "SUBCITY", "SPRINGFIELD"},
        {1, "SUBST", "IL"},
        {1, "SUBZIP", "62701"},
        {1, "SUBDOB", "19700101"},
        {1, "SUBSEX", "M"},
        {1, "SUBPAYERCLAIMID", "PCN1"},
        {1, "SUBBILLTYPEID", "131"},
        {1, "SUBMRNO", "MRN1"},
        {1, "TRACEID", "TRACE1"},
        {1, "DATEOFSERVICE", "11/15/2026"},
        {1, "CLAIMPERIODDATESTART", "11/01/2026"},
        {1, "DATERECEIVED", "11/20/2026"},
        {1, "CLAIMTOTALAMOUNT", "100.00"},
        {1, "CLAIMPAYMENTAMOUNT", "80.00"},
        {1, "CLAIMPAYMENTMETHODCODE", "CHK"},
        {1, "CLAIMCHECKDATE", "20261210"},
        {1, "CLAIMCHECKNUMBER", "12345"},  // as it stands: no ".00"
        {1, "CLAIMSTATUSCODE1", "F1"},
        {1, "CLAIMSTATUSCODE2", "1"},
        {1, "CLAIMSTATUSCODE3", "PR"},
        {1, "CLAIMSTATUS1", "Finalized Payment"},
        {1, "CLAIMSTATUS2", "For more detail information, see Remittance Advice"},
        {1, "PATLNAME", ""},
        {1, "NOSUCHFIELD", ""},
        // No N3 after this claim's NM1*IL: no address, though a later claim has one.
        {2, "SUBADDR1", ""},
        {2, "SUBCITY", ""},
        {2, "CLAIMTOTALAMOUNT", "75.5"},
        {2, "CLAIMPAYMENTAMOUNT", "0.00"},
        {2, "CLAIMSTATUS2", "Duplicate of a previously processed claim/line."},
        {2, "CLAIMCHECKNUMBER", ""},
        {2, "DATEOFSERVICE", ""},  // a range is no CCYYMMDD date
        // The second set's claim, with its patient loop.
        {3, "SUBLNAME", "BROWN"},
        {3, "SUBADDR1", "5 OAK AVE"},
        {3, "PATLNAME", "BROWN"},
        {3, "PATFNAME", "BOB"},
        {3, "PATMI", "T"},
        {3, "PATADDR1", "7 PINE RD"},
        {3, "PATZIP", "61603"},
        {3, "PATPAYERCLAIMID", "PCN3"},
        {3, "CLAIMTOTALAMOUNT", "200.00"},
        {3, "CLAIMSTATUS1", "Pending In Process"},
        {3, "CLAIMSTATUS2", "999 F2 Industry Status Code Not Found"},
        {4, "SUBLNAME", ""},
        {0, "SUBLNAME", ""},
    };
    const ClaimStatusReader reader(statusTable());
    for (const StatusFieldCase& c : cases)
        EXPECT_EQ(reader.claimField(c.claim, c.name), c.expected) << c.claim << " " << c.name;
    EXPECT_EQ(CTL39410AB(statusTable(), 3, "PATFNAME"), "BOB");
}

TEST(ClaimStatusGetters, ServiceLines) {
    const StatusFieldCase cases[] = {
        {1, "SERVICELINECODE1", "99213"},   {1, "SERVICELINEAMT1", "60"},       {1, "SERVICELINEPAYAMT1", "50"},
        {1, "SERVICELINEREVENUECODE1", ""}, {1, "SERVICELINECODE2", "85025"},   {1, "SERVICELINEREVENUECODE2", "0450"},
        {1, "SERVICELINECODE3", ""},        {1, "SERVICELINECODE", ""},         {2, "SERVICELINECODE1", ""},
        {3, "SERVICELINECODE1", "0300"},    {3, "SERVICELINEREVENUECODE1", "0300"},
    };
    const ClaimStatusReader reader(statusTable());
    for (const StatusFieldCase& c : cases)
        EXPECT_EQ(reader.serviceField(c.claim, c.name), c.expected) << c.claim << " " << c.name;
    EXPECT_EQ(CTL39410O(statusTable(), 1), 2u);
    EXPECT_EQ(CTL39410O(statusTable(), 2), 0u);
    EXPECT_EQ(CTL39410AD(statusTable(), 3, "SERVICELINEAMT1"), "200");
}

TEST(ClaimStatusGetters, ClaimsAreTheSubscriberLoopsOfEveryWayTheTableComes) {
    EXPECT_EQ(CTL39410AA(statusTable()), 3u);
    // The merged table and the second set picked alone show each claim's
    // own values: the patient and status of BROWN stay with BROWN.
    const SegmentTable merged = CTL39400AH(statusTable(), 2);
    const SegmentTable second = CTL39424A(2, statusTable());
    const ClaimStatusReader whole(statusTable()), m(merged), picked(second);
    EXPECT_EQ(m.claimCount(), 3u);
    EXPECT_EQ(picked.claimCount(), 1u);
    for (const char* name : {"SUBLNAME", "PATFNAME", "CLAIMTOTALAMOUNT", "CLAIMSTATUS1", "TRACEID"}) {
        EXPECT_EQ(m.claimField(3, name), whole.claimField(3, name)) << name;
        EXPECT_EQ(picked.claimField(1, name), whole.claimField(3, name)) << name;
    }
    EXPECT_EQ(picked.claimField(1, "TRACEID"), "TRACE3");
    EXPECT_EQ(picked.serviceLineCount(1), 1u);
}

// A service line runs from its SVC to the next SVC or the claim's end, so
// the STC after the first line is that line's and the second line has none.
TEST(ClaimStatusGetters, ServiceLineLocatorReadsWithinOneLine) {
    struct LocatorCase {
        std::size_t claim, line;
        const char* id;
        const char* qualifier;
        int element;
        const char* expected;
    };
    const LocatorCase cases[] = {
        {1, 1, "SVC", "", 2, "60"},
        {1, 1, "STC", "", 1, "F1:12"},
        {1, 2, "SVC", "", 4, "0450"},
        {1, 2, "STC", "", 1, ""},          // the line's own rows only
        {1, 1, "SVC", "HC:99213", 3, "50"},
        {1, 1, "SVC", "HC", 3, ""},        // qualifiers compare whole
        {1, 1, "ST", "", 1, ""},           // and ids too
        {1, 3, "SVC", "", 2, ""},          // no third line
        {1, 0, "SVC", "", 2, ""},
        {2, 1, "SVC", "", 2, ""},          // a claim without lines
        {3, 1, "SVC", "", 1, "NU:0300"},   // the second set's claim
        {3, 1, "STC", "", 1, ""},          // its STC stands before the line
        {9, 1, "SVC", "", 1, ""},
    };
    for (const LocatorCase& c : cases)
        EXPECT_EQ(CTL39410X(statusTable(), c.claim, c.line, c.id, c.qualifier, c.element), c.expected)
            << c.claim << "." << c.line << " " << c.id << "*" << c.qualifier << " " << c.element;
}

TEST(ClaimStatusGetters, StatusRowsAreCounted) {
    EXPECT_EQ(CTL39410AC(statusTable()), 4u);
    EXPECT_EQ(CTL39410AC(SegmentTable()), 0u);
}

TEST(ClaimStatusGetters, DatesBecomeMonthDayYearOrNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"20261115", "11/15/2026"}, {"2026111", ""}, {"202611150", ""}, {"", ""}, {"20261101-20261105", ""}};
    for (const auto& [in, out] : cases) EXPECT_EQ(CTL39410B(in), out) << in;
}

TEST(ClaimStatusGetters, AResponseWithoutSubscriberLoopsHasNoClaims) {
    zrtest::TempDir dir;
    const SegmentTable t = zrtest::loadX12(dir.write(
        "277ca.x12", zrtest::x12Text({"GS*HN*A*B*1*1*1*X*1", "ST*277*1", "HL*1**20*1", "HL*2*1*21*1", "HL*3*2*19*1",
                                      "HL*4*3*PT", "NM1*QC*1*DOE*JANE", "STC*A1:20", "SE*8*1", "GE*1*1",
                                      "IEA*1*1"})));
    EXPECT_EQ(CTL39410AA(t), 0u);
    EXPECT_EQ(CTL39410AB(t, 1, "PATLNAME"), "");
}

}  // namespace
