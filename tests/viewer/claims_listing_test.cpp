// The 837 claims screen's rows, footer, title, error form, search and
// subscriber-order filters, without its window.
#include "claims_listing.hpp"

#include <gtest/gtest.h>

#include "x12_fixtures.hpp"

namespace {

using namespace zr;

struct ListingFile {
    SegmentTable table;
    ClaimIndex index;
    explicit ListingFile(const std::string& fixture)
        : table(zrtest::loadX12(zrtest::x12Fixture(fixture))), index(CTL39400C(table, 2)) {}
};

std::string listingRow(const std::string& names, const std::string& rest) {
    return names + std::string(32 - names.size(), ' ') + rest;
}

TEST(ClaimsListing, DefaultRowsFooterAndTitle) {
    const ListingFile f("claims_837p.x12");
    const ClaimFields fields(f.table, f.index);
    const ClaimsListing l = CTL39406B(fields);
    ASSERT_EQ(l.rows.size(), 3u);
    EXPECT_EQ(l.rows[0], listingRow("P SMITH JOHN Q.", "100.00    CLAIM001"));
    // Several CLMs in one loop: their count and exact total.
    EXPECT_EQ(l.rows[1], listingRow("P BROWN ALICE ", "Total 2 Claims $0.30"));
    EXPECT_EQ(l.rows[2], listingRow("S JONES MARY ", "Total 3 Claims $60.00"));
    EXPECT_EQ(l.clmTotal, 6u);
    EXPECT_EQ(l.footer, "6 claims with a total of $160.30");
    EXPECT_EQ(l.claimType, "PROFESSIONAL");
    EXPECT_EQ(claimsScreenTitle("837", "5010", l.claimType), "View X12 837 Version 5010 PROFESSIONAL");
}

TEST(ClaimsListing, OneClaimAndNoClaims) {
    const ListingFile dental("claims_837d.x12");
    const ClaimsListing one = CTL39406B(ClaimFields(dental.table, dental.index));
    EXPECT_EQ(one.footer, "1 claim with a total of $150.00");
    EXPECT_EQ(one.claimType, "DENTAL");

    zrtest::TempDir dir;
    const std::string file = dir.write(
        "none.x12", zrtest::x12Text({"GS*HC*A*B*20261210*1253*1*X*005010X222A1", "ST*837*0001", "BHT*0019*00*X",
                                     "SE*3*0001", "GE*1*1", "IEA*1*000000001"}));
    const SegmentTable t = zrtest::loadX12(file);
    const ClaimIndex index = CTL39400C(t, 2);
    const ClaimsListing none = CTL39406B(ClaimFields(t, index));
    EXPECT_EQ(none.rows, std::vector<std::string>{"No Claims Detected"});
    EXPECT_EQ(none.footer, "");
    EXPECT_EQ(claimsScreenTitle("837", "5010", none.claimType), "View X12 837 Version 5010 ");
}

TEST(ClaimsListing, ConfiguredFieldsFitTheirWidths) {
    const ListingFile f("claims_837p.x12");
    const ClaimFields fields(f.table, f.index);
    ViewerFieldLists lists;
    lists.viewerNames = {"CLAIMID", "SUBLNAME", "CLAIMAMT"};
    lists.viewerWidths = {"5", "0", "10"};
    const ClaimsListing l = CTL39406B(fields, &lists);
    EXPECT_EQ(l.rows[0], "CLAIM SMITH 100       ");
    // The claim's CLM count is the sub-claim the fields are read with.
    EXPECT_EQ(l.rows[2], "MULTI JONES 30        ");
    lists.viewerNames = {"C"};
    EXPECT_EQ(CTL39406B(fields, &lists).rows[0], listingRow("P SMITH JOHN Q.", "100.00    CLAIM001"));
}

TEST(ClaimsListing, FittedValues) {
    const std::vector<std::tuple<std::string, long long, std::string>> cases = {
        {"ABCDEF", 3, "ABC "}, {"AB", 4, "AB  "}, {"ABC", 3, "ABC"}, {"AB", 0, "AB "}, {"AB", -2, "AB "}, {"", 2, "  "}};
    for (const auto& [value, width, out] : cases) EXPECT_EQ(fittedValue(value, width), out) << value << width;
}

TEST(ClaimsListing, ErrorFormAfterAnAcknowledgement) {
    ListingFile f("claims_837p.x12");
    // A note on a row of claim 1 (both kinds) and of claim 2 (segment only).
    f.table.setSegmentNote(f.index[0] + 2, "Segment Has Data Element Errors");
    f.table.setElementNote(f.index[0] + 2, "Invalid Code Value");
    f.table.setSegmentNote(f.index[1] + 4, "Segment Not In Proper Sequence");
    const ClaimFields fields(f.table, f.index);
    const std::vector<std::string> rows = CTL39406E(fields);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], listingRow("P SMITH JOHN Q.", "Segment/Element Error "));
    EXPECT_EQ(rows[1], listingRow("P BROWN ALICE ", "Segment Error Segment Not In Proper Sequence"));
    EXPECT_EQ(rows[2], listingRow("S JONES MARY ", "No Errors Noted "));
}

TEST(ClaimsListing, SearchFindsTheFirstRowToo) {
    const std::vector<std::string> rows = {"P SMITH JOHN   ", "P BROWN ALICE", "S JONES MARY $60.00   "};
    struct SearchCase {
        std::size_t current;
        std::string text;
        std::size_t row;
        bool found;
    };
    const std::vector<SearchCase> cases = {
        {0, "smith", 1, true},   {1, "smith", 1, false}, {0, "60.00", 3, true}, {1, "MARY", 3, true},
        {2, "", 2, true},        {0, "MARY $60.00 ", 0, false},  // trailing blanks of a row do not count
        {0, "nowhere", 0, false},
    };
    for (const SearchCase& c : cases) {
        const ClaimsSearch s = CTL39406AI(rows, c.current, c.text);
        EXPECT_EQ(s.row, c.row) << c.text;
        EXPECT_EQ(s.found, c.found) << c.text;
    }
}

TEST(ClaimsListing, SubscriberOrderFilters) {
    const ListingFile f("claims_837p.x12");
    const ClaimFields fields(f.table, f.index);
    const std::vector<std::string> rows = {"one", "two", "three"};
    EXPECT_EQ(CTL39406DD("P", fields, 3), 2u);
    EXPECT_EQ(CTL39406DD("S", fields, 3), 1u);
    EXPECT_EQ(CTL39406DC("S", fields, 3, rows), std::vector<std::string>{"three"});
    EXPECT_EQ(CTL39406DC("T", fields, 3, rows), std::vector<std::string>{""});
    EXPECT_EQ(CTL39406DE("P", fields, 3, 2), 2u);
    EXPECT_EQ(CTL39406DE("S", fields, 3, 1), 3u);
    // Fewer claims of the order than asked: none, not the last claim.
    EXPECT_EQ(CTL39406DE("S", fields, 3, 2), 0u);
    EXPECT_EQ(CTL39406DF("S", fields, 3, 2, false), 2u);
    EXPECT_EQ(CTL39406DF("S", fields, 3, 1, true), 3u);
}

}  // namespace
