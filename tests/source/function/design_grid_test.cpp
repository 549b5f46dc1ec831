// Design mode arithmetic: grid snapping, where the eight handles sit, the
// frame of a move or a resize, arrow-key steps and the drag threshold.
#include "design_grid.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace wl;

TEST(DesignGrid, StartsAtEightAndIgnoresStepsBelowOne) {
    const GridSize before = GETGRIDSIZE();
    EXPECT_EQ(before.width, 8);
    EXPECT_EQ(before.height, 8);
    SETGRIDSIZE(10, 4);
    EXPECT_EQ(GETGRIDSIZE().width, 10);
    EXPECT_EQ(GETGRIDSIZE().height, 4);
    // A zero step would make every snap divide by zero.
    SETGRIDSIZE(0, -3);
    EXPECT_EQ(GETGRIDSIZE().width, 10);
    EXPECT_EQ(GETGRIDSIZE().height, 4);
    SETGRIDSIZE(8, 8);
}

TEST(DesignGrid, SnapCutsDownToWholeSteps) {
    struct Case {
        int value, step, expected;
    } cases[] = {{0, 8, 0}, {7, 8, 0}, {8, 8, 8}, {23, 8, 16}, {-7, 8, 0}, {-9, 8, -8}, {5, 0, 5}};
    for (const auto& c : cases) EXPECT_EQ(snapToGrid(c.value, c.step), c.expected) << c.value << "/" << c.step;
}

TEST(DesignHandles, PlacedClockwiseFromTheTopLeftCorner) {
    const auto dots = dotPlaces(80, 30);
    const int expected[8][2] = {{-3, -2}, {38, -2}, {77, -2}, {77, 13}, {77, 27}, {38, 27}, {-3, 27}, {-3, 13}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(dots[i].x, expected[i][0]) << "dot " << i + 1;
        EXPECT_EQ(dots[i].y, expected[i][1]) << "dot " << i + 1;
    }
    // Odd sizes: the halves are whole parts.
    EXPECT_EQ(dotPlaces(81, 31)[1].x, 38);
    EXPECT_EQ(dotPlaces(81, 31)[3].y, 13);
}

TEST(DesignHandles, CursorsFollowTheDirectionOfEachHandle) {
    const std::string expected[] = {"", "SIZENWSE", "SIZENS", "SIZENESW", "SIZEWE",
                                    "SIZENWSE", "SIZENS", "SIZENESW", "SIZEWE", ""};
    for (int n = 0; n <= 9; ++n) EXPECT_EQ(dotCursorName(n), expected[n]) << n;
}

TEST(DesignFrame, MoveShiftsAndEachHandleMovesItsEdges) {
    const RectList r{10, 20, 40, 100};  // top, left, bottom, right
    EXPECT_EQ(designFrame(r, 0, 5, -4, 99, 99), (RectList{15, 16, 45, 96}));
    struct Case {
        int handle;
        RectList expected;
        bool movesOrigin;
    } cases[] = {
        {1, {2, 3, 40, 100}, true},  {2, {2, 20, 40, 100}, true},  {3, {2, 20, 40, 3}, true},
        {4, {10, 20, 40, 3}, false}, {5, {10, 20, 2, 3}, false},   {6, {10, 20, 2, 100}, false},
        {7, {10, 3, 2, 100}, true},  {8, {10, 3, 40, 100}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(designFrame(r, c.handle, 0, 0, 2, 3), c.expected) << "handle " << c.handle;
        EXPECT_EQ(handleMovesOrigin(c.handle), c.movesOrigin) << "handle " << c.handle;
    }
}

TEST(DesignKeys, ArrowsMoveOneGridStep) {
    const GridSize g{8, 6};
    EXPECT_EQ(arrowKeyStep(37, g)->cols, -8);
    EXPECT_EQ(arrowKeyStep(39, g)->cols, 8);
    EXPECT_EQ(arrowKeyStep(38, g)->rows, -6);
    EXPECT_EQ(arrowKeyStep(40, g)->rows, 6);
    EXPECT_EQ(arrowKeyStep(40, g)->cols, 0);
    EXPECT_FALSE(arrowKeyStep(46, g));
}

TEST(DragStart, OnlyAfterMoreThanFivePixels) {
    EXPECT_FALSE(dragThresholdPassed(10, 10, 15, 5));
    EXPECT_TRUE(dragThresholdPassed(10, 10, 16, 10));
    EXPECT_TRUE(dragThresholdPassed(10, 10, 10, 4));
}

}  // namespace
