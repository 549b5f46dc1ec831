// The generic segment list's moves (views, go-to, search) and its report
// and footer texts.
#include "segment_list.hpp"

#include <gtest/gtest.h>

#include "x12_fixtures.hpp"

namespace {

using namespace zr;

TEST(SegmentList, ViewsStartAtTwoAndCycle) {
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("837p_two_claims.x12"));
    SegmentListModel m(t);
    EXPECT_EQ(m.view(), 2);
    EXPECT_EQ(m.heading(), "- ");
    m.changeView();
    EXPECT_EQ(m.view(), 3);
    EXPECT_EQ(m.heading(), "ID   Segment Error Note");
    for (int i = 0; i < 4; ++i) m.changeView();
    EXPECT_EQ(m.view(), 2);
}

TEST(SegmentList, GoToCountsFromTheSetAndRefusesRowsOutside) {
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("837p_two_claims.x12"));
    SegmentListModel m(t);
    const std::vector<std::pair<long long, std::size_t>> cases = {
        {0, 2}, {1, 3}, {static_cast<long long>(t.size()) - 2, t.size()}, {static_cast<long long>(t.size()), 1},
        {-1, 1}, {-5, 1}};
    for (const auto& [answer, row] : cases) {
        m.setCurrent(5);
        m.goTo(answer);
        EXPECT_EQ(m.current(), row) << answer;
    }
}

TEST(SegmentList, SearchIgnoresCaseAndIncludesTheFirstRow) {
    zrtest::TempDir dir;
    const SegmentTable t = zrtest::loadX12(dir.write(
        "835.x12", zrtest::x12Text({"GS*HP*A*B*20261210*1253*1*X*005010X221A1", "ST*835*0001", "CLP*1*1*10*10",
                                    "SE*3*0001", "GE*1*1", "IEA*1*000000001"})));
    SegmentListModel m(t);
    EXPECT_TRUE(m.search("clp  "));
    EXPECT_EQ(m.current(), 4u);
    EXPECT_EQ(m.searchText(), "clp");
    // Row 1 (the ISA) is looked at too.
    m.setCurrent(5);
    EXPECT_TRUE(m.search("submitter"));
    EXPECT_EQ(m.current(), 1u);
    // Not found: the list stays on its first row and the text is kept.
    m.setCurrent(5);
    EXPECT_FALSE(m.search("NOWHERE"));
    EXPECT_EQ(m.current(), 1u);
    EXPECT_EQ(m.searchText(), "NOWHERE");
    // An empty text changes nothing but the list's position.
    EXPECT_TRUE(m.search("   "));
}

TEST(SegmentList, SkipIsClampedAndReportsTheRealMove) {
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("837p_two_claims.x12"));
    SegmentListModel m(t);
    EXPECT_EQ(m.skip(-3), 0);
    EXPECT_EQ(m.skip(4), 4);
    EXPECT_EQ(m.current(), 5u);
    EXPECT_EQ(m.skip(1'000'000), static_cast<int>(t.size()) - 5);
    m.goTop();
    EXPECT_EQ(m.current(), 1u);
}

TEST(SegmentList, ReportsLeaveOutTheLastRow) {
    zrtest::TempDir dir;
    const SegmentTable t = zrtest::loadX12(dir.write("three.x12", zrtest::x12Text({"GS*X", "ST*276*1"})));
    ASSERT_EQ(t.size(), 3u);
    const std::string isa = "        - " + std::string(t.text(1));
    const std::string gs = "        - GS*X";
    EXPECT_EQ(segmentListReport(t, 100), isa + "\r\n" + gs + "\r\n");
    EXPECT_EQ(segmentListReport(t, 101), isa + "<BR>" + gs + "<BR>");
    EXPECT_EQ(segmentListReport(t, 102), isa + "\\par \r\n" + gs + "\\par \r\n");
    EXPECT_FALSE(segmentListReport(t, 1));
    EXPECT_EQ(segmentListOutput(t, 103), "");
    EXPECT_EQ(segmentListOutput(t, 109), "");
    EXPECT_EQ(segmentListOutput(t, 100), segmentListReport(t, 100));
    for (int shows : {1, 2, 104, 150}) EXPECT_FALSE(segmentListOutput(t, shows)) << shows;
    EXPECT_EQ(segmentListFooter(25, {"~", "*", ":"}), "25 Segments\r\nST=CHR(126) DS=CHR(42) SS=CHR(58) ");
}

TEST(SegmentList, ReportsEscapeValuesForHtmlAndRtf) {
    zrtest::TempDir dir;
    const SegmentTable t = zrtest::loadX12(dir.write("markup.x12", zrtest::x12Text({"NM1*IL*1*A&B<C>{D}", "SE"})));
    EXPECT_NE(segmentListReport(t, 100)->find("NM1*IL*1*A&B<C>{D}\r\n"), std::string::npos);
    EXPECT_NE(segmentListReport(t, 101)->find("NM1*IL*1*A&amp;B&lt;C&gt;{D}<BR>"), std::string::npos);
    EXPECT_NE(segmentListReport(t, 102)->find("NM1*IL*1*A&B<C>\\{D\\}\\par \r\n"), std::string::npos);
}

}  // namespace
