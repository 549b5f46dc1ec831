// The multi-line field's window-free rules: the go-to row, the range a
// line cut takes, the longest line handed out and the printed pages.
#include "multiget_model.hpp"

#include <gtest/gtest.h>

namespace {

using namespace wl;

// The dialog shows the current row 1-based: Ok on it must stay on it.
TEST(MultiGetModel, TheRowShownIsTheRowGoneTo) {
    const struct {
        int entered, line;
    } cases[] = {{1, 0}, {2, 1}, {40, 39}, {0, 0}, {-3, 0}};
    for (const auto& c : cases) EXPECT_EQ(multiGetGoToLine(c.entered), c.line) << c.entered;
}

TEST(MultiGetModel, ALineCutRunsToTheNextLineOrTheEnd) {
    const struct {
        int start, next, length;
        CharRange want;
    } cases[] = {
        {0, 5, 12, {0, 5}},    // "abc\r\n" of "abc\r\ndefghij"
        {5, -1, 12, {5, 12}},  // the last line: to the end of the text
        {12, -1, 12, {12, 12}},
        {3, 99, 10, {3, 10}},
    };
    for (const auto& c : cases) {
        const CharRange r = multiGetLineRange(c.start, c.next, c.length);
        EXPECT_EQ(r.start, c.want.start);
        EXPECT_EQ(r.end, c.want.end);
    }
}

TEST(MultiGetModel, LinesAreHandedOutUpTo255Characters) {
    EXPECT_EQ(multiGetLineText("short\r\nnext"), "short");
    EXPECT_EQ(multiGetLineText(std::string(300, 'x')), std::string(255, 'x'));
    EXPECT_EQ(multiGetLineText(""), "");
}

TEST(MultiGetModel, PrintedPagesHoldSixtyLinesEach) {
    const auto pages = multiGetPrintPages(121, 6000);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].size(), 60u);
    EXPECT_EQ(pages[1].front().line, 61);
    EXPECT_EQ(pages[1].front().top, 0);
    EXPECT_EQ(pages[0][59].top, 59 * 100);
    ASSERT_EQ(pages[2].size(), 1u);
    EXPECT_EQ(pages[2][0].line, 121);
    EXPECT_TRUE(multiGetPrintPages(0, 6000).empty());
}

}  // namespace
