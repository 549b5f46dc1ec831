// The message screen's title and message lines over a hand-written 864.
#include "message_screen.hpp"

#include <gtest/gtest.h>

#include "x12_fixtures.hpp"

namespace {

using namespace zr;

TEST(MessageScreen, TitleAndMessagesOfAn864) {
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("864_message.x12"));
    EXPECT_EQ(CTL39409AA(t), 3u);
    EXPECT_EQ(CTL39409AC(t), "Quarterly notice");
    EXPECT_EQ(messageTitleLine(t), "      Quarterly notice");
    const std::vector<std::pair<std::size_t, std::string>> lines = {
        {1, "First line of the notice"}, {2, "Second line"}, {3, "Third line"}, {4, ""}, {0, ""}};
    for (const auto& [n, text] : lines) EXPECT_EQ(CTL39409AB(t, n), text) << n;
}

TEST(MessageScreen, AnEmptyTitleLeavesTheSixBlanks) {
    zrtest::TempDir dir;
    const SegmentTable t = zrtest::loadX12(dir.write(
        "864.x12", zrtest::x12Text({"GS*TX*A*B*1*1*1*X*004010", "ST*864*1", "MIT*M2", "MSG*Only", "SE*4*1", "GE*1*1",
                                    "IEA*1*1"})));
    EXPECT_EQ(messageTitleLine(t), "      ");
    EXPECT_EQ(CTL39409AA(t), 1u);
}

TEST(MessageScreen, ReportModesGiveNothingAndShowNothing) {
    for (int mode : {100, 101, 102, 103, 109}) EXPECT_EQ(messageOutput(mode), "") << mode;
    for (int mode : {1, 2, 104, 110}) EXPECT_FALSE(messageOutput(mode)) << mode;
}

}  // namespace
