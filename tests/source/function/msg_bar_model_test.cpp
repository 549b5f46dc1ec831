// Message bars: panel places and the resource line.
#include "msg_bar_model.hpp"

#include <gtest/gtest.h>

namespace {

using namespace wl;

TEST(MsgItemLeft, PanelsStandRightAlignedAndTheLastIsRightmost) {
    const std::vector<int> widths = {40, 60};
    // Bar right edge 500: the last panel ends 13 pixels in.
    EXPECT_EQ(msgItemLeft(500, widths, 1), 500 - 13 - 58);
    EXPECT_EQ(msgItemLeft(500, widths, 0), 500 - 13 - 64 - 38);
    EXPECT_LT(msgItemLeft(500, widths, 0), msgItemLeft(500, widths, 1));
    EXPECT_EQ(msgItemLeft(500, widths, 1, true), 500 - 16 - 58);
}

TEST(MsgItemIsOver, ColumnsFromLeftLessOneAndRowsBelowFive) {
    struct Case {
        int row, col;
        bool over;
    };
    const Case cases[] = {{10, 99, true}, {10, 98, false}, {10, 133, true}, {10, 134, false},
                          {5, 110, false}, {0, 110, false}, {6, 110, true}};
    for (const Case& c : cases) EXPECT_EQ(msgItemIsOver(100, 40, c.row, c.col), c.over) << c.row << "," << c.col;
}

TEST(RunningSeconds, SameDayEarlierDaysAndAClockSetBack) {
    EXPECT_EQ(runningSeconds(10, 3600, 10, 3725), 125);
    EXPECT_EQ(runningSeconds(10, 86000, 11, 100), 500);
    EXPECT_EQ(runningSeconds(10, 86000, 13, 100), 500 + 2 * 86400);
    EXPECT_EQ(runningSeconds(10, 5000, 10, 4000), 0);
    EXPECT_EQ(runningSeconds(10, 5000, 9, 4000), 0);
}

TEST(ResourceLine, FiguresWithSeparatorsAndTheRunningTime) {
    EXPECT_EQ(thousands(0), "0");
    EXPECT_EQ(thousands(999), "999");
    EXPECT_EQ(thousands(1000), "1,000");
    EXPECT_EQ(thousands(123456789012ULL), "123,456,789,012");
    EXPECT_EQ(runningTimeText(3725), "1 hours 2 mins 5 secs ");
    EXPECT_EQ(resourceLine(32, 1234567, 2000000000, 87, 61),
              "(32 bits) MemUsed: 1,234,567 MemMax: 2,000,000,000 Resources: 87% Running time: 0 hours 1 mins 1 secs ");
}

}  // namespace
