// The segment list's lines in their five views, the numbered lines, the
// element lines and the search over segment texts.
#include "segment_lines.hpp"

#include <gtest/gtest.h>

#include "text.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;

// ISA, GS, ST, a level-3 row of loop 2300 ... of the realistic 837.
SegmentTable table837() { return zrtest::loadX12(zrtest::x12Fixture("837p_two_claims.x12")); }

std::size_t rowOf(const SegmentTable& t, std::string_view id) {
    for (std::size_t r = 1; r <= t.size(); ++r)
        if (t.id(r) == id) return r;
    return 0;
}

TEST(SegmentLines, ViewsNumberRowsFromTheSetAndShowLoopsAndNotes) {
    SegmentTable t = table837();
    const std::size_t clm = rowOf(t, "CLM");
    ASSERT_GT(clm, 3u);
    ASSERT_EQ(t.loopId(clm), "2300");
    t.setSegmentNote(clm, "bad");
    const std::string text(t.text(clm));
    const std::string number = zr::CTL39400A(t, 0, clm, 2).substr(0, 7);
    EXPECT_EQ(number, wl::padLeft(std::to_string(clm - 2), 6) + ">");
    const std::string level(static_cast<std::size_t>(t.levelNumber(clm)), '-');
    struct Case {
        std::size_t row;
        int view;
        std::string line;
    };
    const std::vector<Case> cases = {
        {1, 2, "        - " + std::string(t.text(1))},             // ISA: seven blanks for a number
        {2, 3, "        - GS "},                                    // GS: no number, no note
        {3, 2, "     1> - " + std::string(t.text(3))},              // ST is 1
        {clm, 1, "*" + number + "2300  " + level + " " + text + "  Segment Error"},
        {clm, 3, number + " - CLM bad"},
        {clm, 4, number + " - CLM "},
        {clm, 5, wl::padLeft(std::to_string(clm), 6) + "> - " + text},  // the table's own number
    };
    for (const Case& c : cases) EXPECT_EQ(CTL39400A(t, 0, c.row, c.view), c.line) << c.row << " view " << c.view;
    t.setElementNote(clm, "worse");
    EXPECT_EQ(CTL39400A(t, 0, clm, 1), "**" + number + "2300  " + level + " " + text + "  Error");
}

// The older builders: four views, the loop id in 16 characters, notes as
// they are, every row numbered minus 2.
TEST(SegmentLines, OlderBuildersKeepFourViewsAndNumberEveryTableFromMinusTwo) {
    SegmentTable t = table837();
    const std::size_t clm = rowOf(t, "CLM");
    const std::string text(t.text(clm));
    const std::string number = wl::padLeft(std::to_string(clm - 2), 6) + ">";
    const std::string level(static_cast<std::size_t>(t.levelNumber(clm)), '-');
    t.setElementNote(clm, "  ");  // two blanks: a note to these builders
    struct Case {
        std::size_t row;
        int view;
        std::string line;
    };
    const std::vector<Case> cases = {
        {1, 2, "        - " + std::string(t.text(1))},
        {3, 2, "     1> - " + std::string(t.text(3))},
        {clm, 1, "*" + number + "2300            " + level + " " + text + "  Element Error"},
        {clm, 4, number + " - CLM   "},
        {clm, 5, number + " - " + text},  // no fifth view: numbered as the others
    };
    using Builder = std::string (*)(const SegmentTable&, int, std::size_t, int);
    for (Builder older : {Builder{CTL39408A}, Builder{CTL39409A}, Builder{CTL39410A}, Builder{CTL39411A}})
        for (const Case& c : cases) EXPECT_EQ(older(t, 0, c.row, c.view), c.line) << c.row << " view " << c.view;
    // The segment list trims the note: no error there.
    EXPECT_EQ(CTL39400A(t, 0, clm, 1).find("Error"), std::string::npos);

    // A table that begins with its ST: the list shows the rows' own numbers,
    // the older builders the numbers minus 2.
    zrtest::TempDir dir;
    const SegmentTable st = loadSegmentTable(dir.write("st.x12", "ST*276*0001~BHT*0010*13~SE*3*0001~"),
                                             X12Delimiters{"~", "*", ":"});
    ASSERT_EQ(st.size(), 3u);
    EXPECT_EQ(CTL39400A(st, 0, 1, 2), "     1> - ST*276*0001");
    EXPECT_EQ(CTL39408A(st, 0, 1, 2), "    -1> - ST*276*0001");
    EXPECT_EQ(CTL39411A(st, 0, 3, 2), "     1> - SE*3*0001");
}

TEST(SegmentLines, LineBreaksBetweenSegmentsAreNotShown) {
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("837p_two_claims_crlf.x12"));
    ASSERT_GT(t.size(), 3u);
    for (int view : {1, 2, 5}) EXPECT_EQ(CTL39400A(t, 0, 3, view).find_first_of("\r\n"), std::string::npos) << view;
    EXPECT_EQ(CTL39400A(t, 0, 3, 2), "     1> - ST*837*0001*005010X222A1");
}

TEST(SegmentLines, HeadingsCycleThroughFiveViews) {
    const std::vector<std::string> headings = {"", "Loop     Segment ID", "Data Segment", "ID   Segment Error Note",
                                               "ID   Element Error Note", "Data Segment +2", ""};
    for (int v = 0; v <= 6; ++v) EXPECT_EQ(CTL39400N(v), headings[static_cast<std::size_t>(v)]) << v;
    std::vector<int> order;
    for (int v = 1, i = 0; i < 6; ++i, v = CTL39400M(v)) order.push_back(v);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 5, 1}));
}

TEST(SegmentLines, NumberedLinesOfEachFamily) {
    const std::vector<std::string> list = {"alpha", "beta"};
    EXPECT_EQ(CTL39405V(list, 2), "2 beta");
    EXPECT_EQ(CTL39400V(list, 1), "1 alpha");
    EXPECT_EQ(CTL39406V(list, 2), "2     beta");
    EXPECT_EQ(CTL39410V(list, 1), "1     alpha");
    EXPECT_EQ(CTL39406V(std::vector<std::string>(123456, "x"), 123456), "123456 x");  // never cut
    EXPECT_EQ(CTL39408V(list, 1), "alpha");
    EXPECT_EQ(CTL39412V(list, 1, 1), "  alpha");
    EXPECT_EQ(CTL39412V(list, 2, 0), "2 beta");
    EXPECT_EQ(CTL39405V(list, 3), "3 ");  // past the list: an empty item
}

TEST(SegmentLines, ElementLinesCountComponents) {
    const X12Delimiters d{"~", "*", ":"};
    EXPECT_EQ(elementLines("SV1*HC:99213:25*100*UN*1***1:2", d),
              (std::vector<std::string>{"Element 1 = 3 Subelements HC:99213:25", "Element 2 = 100", "Element 3 = UN",
                                        "Element 4 = 1", "Element 5 = ", "Element 6 = ",
                                        "Element 7 = 2 Subelements 1:2"}));
    EXPECT_TRUE(elementLines("SE", d).empty());
}

TEST(SegmentLines, SearchFindsLaterRowsInAnyCase) {
    const SegmentTable t = table837();
    const std::size_t clm = rowOf(t, "CLM");
    EXPECT_EQ(CTL39400R(t, t.size(), 1, "  clm*"), clm);
    std::size_t second = clm + 1;
    while (second <= t.size() && t.id(second) != "CLM") ++second;
    ASSERT_LE(second, t.size());
    EXPECT_EQ(CTL39400R(t, t.size(), clm, "CLM*"), second);  // never the start row itself
    EXPECT_EQ(CTL39400R(t, t.size(), 4, ""), 4u);
    EXPECT_EQ(CTL39400R(t, t.size(), 4, "NO SUCH TEXT"), 4u);
    EXPECT_EQ(seekPromptText("abc"), "abc" + std::string(37, ' '));
    EXPECT_EQ(seekPromptText(std::string(50, 'x')), std::string(50, 'x'));
}

// Each screen family's copy searches as CTL39400R does and keeps the first
// four views of the segment list.
TEST(SegmentLines, FamilyCopiesSearchAndCycleFourViews) {
    struct Copy {
        const char* family;
        std::size_t (*search)(const SegmentTable&, std::size_t, std::size_t, const std::string&);
        std::string (*heading)(int);
        int (*next)(int);
    };
    const std::vector<Copy> copies = {
        {"05", CTL39405R, CTL39405N, CTL39405M},
        {"06", CTL39406R, CTL39406N, CTL39406M},
        {"07", CTL39407R, CTL39407N, CTL39407M},
        {"08", CTL39408R, CTL39408N, CTL39408M},
        {"09", CTL39409R, CTL39409N, CTL39409M},
        {"10", CTL39410R, CTL39410N, CTL39410M},
        {"11", CTL39411R, CTL39411N, CTL39411M},
        {"12", CTL39412R, CTL39412N, CTL39412M},
    };
    const SegmentTable t = table837();
    const std::vector<std::string> texts = {"clm*", " CLM* ", "", "NO SUCH TEXT", "nm1"};
    for (const Copy& c : copies) {
        for (std::size_t start : {std::size_t{1}, rowOf(t, "CLM"), t.size()})
            for (const std::string& text : texts)
                EXPECT_EQ(c.search(t, t.size(), start, text), CTL39400R(t, t.size(), start, text)) << c.family;
        for (int v = 0; v <= 6; ++v)
            EXPECT_EQ(c.heading(v), v >= 1 && v <= 4 ? CTL39400N(v) : std::string()) << c.family << " " << v;
        std::vector<int> order;
        for (int v = 1, i = 0; i < 5; ++i, v = c.next(v)) order.push_back(v);
        EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 1})) << c.family;
        EXPECT_EQ(c.next(5), 1) << c.family;
    }
}

}  // namespace
