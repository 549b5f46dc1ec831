#include "window_geometry.hpp"

#include <gtest/gtest.h>

namespace {

using wl::RectArray;

TEST(WindowGeometry, CentringTruncatesEachHalf) {
    // Desktop 1024 x 768, window 301 x 201: 512 - 150, 384 - 100.
    EXPECT_EQ(wl::centredOrigin({0, 0, 201, 301}, {0, 0, 768, 1024}), (wl::RowCol{284, 362}));
    // Reference at an offset, odd sizes on both.
    EXPECT_EQ(wl::centredOrigin({0, 0, 11, 11}, {100, 50, 201, 151}), (wl::RowCol{100 + 50 - 5, 50 + 50 - 5}));
    // A window larger than the reference goes above and left of it.
    EXPECT_EQ(wl::centredOrigin({0, 0, 400, 400}, {0, 0, 100, 100}), (wl::RowCol{-150, -150}));
}

TEST(WindowGeometry, RowsAndRowAtPixel) {
    EXPECT_EQ(wl::rowsInHeight(300, 17), 17);
    EXPECT_EQ(wl::rowsInHeight(16, 17), 0);
    EXPECT_EQ(wl::rowsInHeight(17 * 70000, 17), 70000 & 0xFFFF);  // taken as 16 bits
    EXPECT_EQ(wl::rowsInHeight(100, 0), 0);
    EXPECT_EQ(wl::rowAtPixel(0, 0, 17), 0);
    EXPECT_EQ(wl::rowAtPixel(16, 0, 17), 0);
    EXPECT_EQ(wl::rowAtPixel(17, 0, 17), 1);
    EXPECT_EQ(wl::rowAtPixel(50, 10, 20), 2);
}

TEST(WindowGeometry, BrowseCellRectangles) {
    const RectArray window{100, 200, 400, 600};  // 400 pixels wide
    const std::vector<int> widths{50, 80, 120};
    struct Case {
        int row, firstCol, col;
        std::optional<RectArray> cell;
    } cases[] = {
        {0, 1, 0, std::nullopt},                    // column 0: nothing
        {0, 1, 4, std::nullopt},                    // past the widths: nothing
        {0, 1, 1, RectArray{100, 200, 117, 250}},   // first column
        {2, 1, 2, RectArray{134, 250, 151, 330}},   // row 2
        {0, 1, 3, RectArray{100, 330, 117, 582}},   // last column: to the edge, less 18
        {0, 2, 2, RectArray{100, 200, 117, 280}},   // scrolled: column 2 first
        {0, 2, 3, RectArray{100, 280, 117, 582}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wl::browseCellRect(window, 17, c.row, widths, c.firstCol, c.col), c.cell)
            << c.row << "," << c.firstCol << "," << c.col;
}

TEST(WindowGeometry, BrowseCellStopsAtTheWindowEdge) {
    // Column 2 already reaches the right edge: the walk stops there.
    const RectArray window{0, 0, 100, 100};
    EXPECT_EQ(wl::browseCellRect(window, 10, 0, {60, 60, 60}, 1, 2), (RectArray{0, 60, 10, 82}));
    EXPECT_EQ(wl::browseCellRect(window, 10, 0, {60, 60, 60}, 1, 3), (RectArray{0, 60, 10, 82}));
}

TEST(WindowGeometry, RowScrollBandKeepsWholeRowsBelowTheHeader) {
    EXPECT_EQ(wl::rowScrollBand({0, 0, 100, 300}, 17, true), (RectArray{17, 0, 17 + 68, 300}));
    EXPECT_EQ(wl::rowScrollBand({0, 0, 100, 300}, 17, false), (RectArray{0, 0, 85, 300}));
    EXPECT_EQ(wl::rowScrollBand({0, 0, 10, 300}, 17, true), (RectArray{17, 0, 17, 300}));
}

}  // namespace
