// The table browse's closures: a whole table and a key range walked by the
// browse's own moves (the range ends latch, the count follows the range and
// nMaxFilter), UpStable, the line made from the fields, the edited text
// stored as the field's type, and the icon view's hit test.
#include "browse_table.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"
#include "text.hpp"

namespace {

using namespace wl;

// CODE: A1 A2 B1 B2 B3 C1 (in that order), AMOUNT 1..6, a date, a flag, a memo.
std::shared_ptr<DbfArea> tableOfCodes(const zrtest::TempDir& dir) {
    const std::string path = dir.file("CODES.DBF");
    auto t = DbfFile::create(path, {{"CODE", 'C', 4, 0},
                                    {"AMOUNT", 'N', 8, 2},
                                    {"DOS", 'D', 8, 0},
                                    {"PAID", 'L', 1, 0},
                                    {"NOTE", 'M', 10, 0}});
    const char* codes[] = {"A1", "A2", "B1", "B2", "B3", "C1"};
    int n = 0;
    for (const char* c : codes) {
        ++n;
        t->append({Value(c), Value(n * 1.0), Value(Date{2024, 1, n}), Value(n % 2 == 0), Value(n == 1 ? "seen" : "")});
    }
    return DbfArea::open(path);
}

std::string tableCodeAt(DbfArea& a) { return alltrim(a.FieldGet(1).text()); }

TEST(BrowseTable, TheRangeWalkStaysWithinTheKeyRange) {
    zrtest::TempDir dir;
    auto a = tableOfCodes(dir);
    struct Case {
        Value start, end;
        int count;
        const char *top, *bottom;
    };
    const Case cases[] = {
        {Value(), Value(), 6, "A1", "C1"},
        {Value("B"), Value("B"), 3, "B1", "B3"},
        {Value("A2"), Value("B2"), 3, "A2", "B2"},
        {Value("B3"), Value("C"), 2, "B3", "C1"},
        {Value("D"), Value("D"), 0, "", ""},
    };
    for (const Case& c : cases) {
        BrowseFilter f{c.start.isNil() ? 0 : 1, c.start, c.end};
        const BrowseSource src = tableBrowseSource(a, f);
        a->GoTo(2);
        EXPECT_EQ(src.count(), c.count) << CVALTOCHAR(c.start);
        EXPECT_EQ(a->RecNo(), 2u) << "the count keeps the position";
        if (c.count == 0) continue;
        src.top();
        EXPECT_EQ(tableCodeAt(*a), c.top);
        EXPECT_EQ(src.Skip(-1), 0) << "nothing above the range";
        EXPECT_EQ(tableCodeAt(*a), c.top);
        EXPECT_EQ(src.Skip(100), c.count - 1);
        EXPECT_EQ(tableCodeAt(*a), c.bottom);
        EXPECT_FALSE(a->Eof()) << "never left on the phantom record";
        EXPECT_EQ(src.Skip(1), 0);
        src.bottom();
        EXPECT_EQ(tableCodeAt(*a), c.bottom);
        EXPECT_EQ(src.Skip(-100), -(c.count - 1));
        EXPECT_EQ(tableCodeAt(*a), c.top);
    }
}

TEST(BrowseTable, TheCountStopsAtTheLargestFilterCount) {
    zrtest::TempDir dir;
    auto a = tableOfCodes(dir);
    BrowseFilter f{1, Value("A"), Value("C")};
    f.maxCount = 4;
    EXPECT_EQ(browseRecCount(*a, f), 4);
}

TEST(BrowseTable, FilterTypesMustMatchTheKeyField) {
    const DbfField code{"CODE", 'C', 4, 0}, amount{"AMOUNT", 'N', 8, 2};
    EXPECT_TRUE(browseFilterTypesAgree(code, Value(), Value()));
    EXPECT_TRUE(browseFilterTypesAgree(code, Value("A"), Value("B")));
    EXPECT_FALSE(browseFilterTypesAgree(code, Value(1), Value(2)));
    EXPECT_FALSE(browseFilterTypesAgree(amount, Value(1), Value("B")));
    EXPECT_TRUE(browseFilterTypesAgree(amount, Value(1.5), Value()));
}

TEST(BrowseTable, UpStableFindsTheRecordOnTheFirstPageOrKeepsIt) {
    zrtest::TempDir dir;
    auto a = tableOfCodes(dir);
    const BrowseSource src = tableBrowseSource(a, {});
    BrowseState s;
    s.nRowCount = 4;
    s.nRowPos = 1;
    a->GoTo(3);
    browseUpStable(s, src, *a);
    EXPECT_EQ(s.nRowPos, 3);
    EXPECT_EQ(a->RecNo(), 3u);
    s.nRowPos = 2;
    a->GoTo(6);  // beyond the first page
    const BrowseEffects e = browseUpStable(s, src, *a);
    EXPECT_EQ(s.nRowPos, 2);
    EXPECT_EQ(a->RecNo(), 6u);
    EXPECT_EQ(e.back().kind, BrowseEffect::Kind::Changed);
}

TEST(BrowseTable, TheLineShowsTheFieldsAndEditsComeBackInTheirTypes) {
    zrtest::TempDir dir;
    auto a = tableOfCodes(dir);
    a->GoTo(2);
    const ValueList line = browseFieldLine(*a, 1, 5);
    ASSERT_EQ(line.size(), 5u);
    EXPECT_EQ(line[0].text(), "A2  ");
    EXPECT_EQ(line[1].text(), "2.00");
    EXPECT_EQ(line[2].text(), "01/02/24");
    EXPECT_EQ(line[3].text(), ".T.");
    EXPECT_EQ(line[4].text(), "<memo>");
    a->GoTo(1);
    EXPECT_EQ(browseFieldLine(*a, 1, 5)[4].text(), "<Memo>");
    // Only what is seen is converted.
    const ValueList part = browseFieldLine(*a, 2, 3);
    EXPECT_EQ(part[0].text(), "");
    EXPECT_EQ(part[1].text(), "1.00");
    EXPECT_EQ(part[4].text(), "");

    const auto& f = a->fields();
    EXPECT_EQ(browseFieldFromText(f[0], "ZZ").text(), "ZZ");
    EXPECT_DOUBLE_EQ(browseFieldFromText(f[1], " 12.5 ").number(), 12.5);
    const Date d = std::get<Date>(browseFieldFromText(f[2], "03/04/24").storage());
    EXPECT_EQ(d.year * 10000 + d.month * 100 + d.day, 20240304);
    EXPECT_TRUE(browseFieldFromText(f[3], " .t. ").logical());
    EXPECT_FALSE(browseFieldFromText(f[3], "T").logical());
}

TEST(BrowseTable, IconHitTestByFiftyPixelCells) {
    struct Case {
        int row, col, width, icon;
    };
    // 210 pixels hold 4 icons to a line.
    const Case cases[] = {{5, 30, 210, 0},   {30, 5, 210, 0},    {10, 10, 210, 1},  {58, 58, 210, 2},
                          {30, 60, 210, 2},  {30, 160, 210, 4},  {30, 205, 210, 0}, {70, 30, 210, 5},
                          {120, 110, 210, 11}, {30, 30, 20, 1}};
    for (const Case& c : cases) EXPECT_EQ(browseIconAt(c.row, c.col, c.width), c.icon) << c.row << "," << c.col;
    EXPECT_EQ(browseIconCorner(1, 210), std::make_pair(10, 10));
    EXPECT_EQ(browseIconCorner(6, 210), std::make_pair(60, 60));
}

TEST(BrowseTable, SizesListing) {
    EXPECT_EQ(browseSizesText({"Claim", "Amount"}, {120, 60}), "Claim: 120\r\nAmount: 60");
    EXPECT_EQ(browseSizesText({}, {15}), "1: 15");
}

}  // namespace
