#include "print_units.hpp"

#include <gtest/gtest.h>

namespace {

// A 600 dpi A4 printer: 4960 x 7016 pixels on 210 x 297 mm, with a
// quarter-inch unprintable margin (150 pixels).
const wl::DeviceMetrics kA4{4960, 7016, 210, 297, 600, 600, 150, 150};

TEST(PrintUnits, PositionsScaleByThePageAndLoseTheOffsetNeverBelowZero) {
    struct Case {
        wl::PrintUnit unit;
        double row, col;
        double wantRow, wantCol;
    };
    const double perMmY = 7016.0 / 297, perMmX = 4960.0 / 210;
    const Case cases[] = {
        {wl::PrintUnit::Centimetre, 2, 3, 20 * perMmY - 150, 30 * perMmX - 150},
        {wl::PrintUnit::Millimetre, 20, 30, 20 * perMmY - 150, 30 * perMmX - 150},
        {wl::PrintUnit::Inch, 1, 2, 25.4 * perMmY - 150, 50.8 * perMmX - 150},
        {wl::PrintUnit::Centimetre, 0, 0, 0, 0},       // row 0 stays at pixel 0, not -150
        {wl::PrintUnit::Millimetre, 1, 1, 0, 0},       // inside the margin
    };
    for (const Case& c : cases) {
        const auto [row, col] = wl::unitToPixels(kA4, c.unit, c.row, c.col);
        EXPECT_NEAR(row, c.wantRow, 1e-6);
        EXPECT_NEAR(col, c.wantCol, 1e-6);
    }
}

TEST(PrintUnits, AWidthIsALengthWithoutAnyOffset) {
    EXPECT_NEAR(wl::unitWidthToPixels(kA4, wl::PrintUnit::Centimetre, 2), 20 * 4960.0 / 210, 1e-6);
    EXPECT_NEAR(wl::unitWidthToPixels(kA4, wl::PrintUnit::Inch, 1), 25.4 * 4960.0 / 210, 1e-6);
    EXPECT_EQ(wl::unitWidthToPixels(kA4, wl::PrintUnit::Millimetre, 0), 0);
}

TEST(PrintUnits, PixelsBackToUnitsUseTheLogicalPixelsPerInch) {
    const wl::DeviceMetrics d{1000, 1000, 100, 100, 300, 600, 0, 0};
    const auto [cmX, cmY] = wl::pixelsToUnit(d, wl::PrintUnit::Centimetre, 300, 600);
    EXPECT_NEAR(cmX, 2.54, 1e-9);
    EXPECT_NEAR(cmY, 2.54, 1e-9);
    const auto [in, _] = wl::pixelsToUnit(d, wl::PrintUnit::Inch, 150, 0);
    EXPECT_NEAR(in, 0.5, 1e-9);
    EXPECT_EQ(wl::sizeInchToPixels(d, 0, 0), (std::pair<int, int>{0, 0}));
    EXPECT_EQ(wl::sizeInchToPixels(d, 1, 2), (std::pair<int, int>{508, 254}));
    // A device that reports no size converts nothing rather than dividing by zero.
    EXPECT_EQ(wl::unitToPixels(wl::DeviceMetrics{}, wl::PrintUnit::Centimetre, 3, 3), (std::pair<double, double>{0, 0}));
}

TEST(PrintUnits, SayPadsWithoutAWidth) {
    EXPECT_EQ(wl::sayColumn(500, 120, 0), 500);
    EXPECT_EQ(wl::sayColumn(500, 120, 1), 380);  // ends at the column
    EXPECT_EQ(wl::sayColumn(500, 120, 2), 440);
    EXPECT_EQ(wl::sayColumn(100, 300, 1), 0);  // wider than the column: starts at 0
    EXPECT_EQ(wl::sayColumn(100, 300, 2), 0);
}

TEST(PrintUnits, ImagesKeepTheirProportionsWhereAsked) {
    struct Case {
        int w, h;
        bool stretch;
        int align;
        wl::ImagePlacement want;
    };
    // A 200 x 100 image at row 10, column 20.
    const Case cases[] = {
        {0, 100, true, 1, {10, 20, 200, 100}},
        {100, 0, true, 1, {10, 20, 100, 50}},
        {300, 300, true, 1, {10, 20, 300, 300}},     // stretched
        {300, 300, false, 1, {10, 20, 300, 150}},    // fitted, centred needs bit 4 for rows
        {300, 300, false, 4, {85, 20, 300, 150}},
        {300, 300, false, 8, {160, 20, 300, 150}},
        {400, 100, false, 1, {10, 120, 200, 100}},   // fitted by height, centred across
        {400, 100, false, 2, {10, 220, 200, 100}},
    };
    for (const Case& c : cases) {
        const wl::ImagePlacement p = wl::placeImage(10, 20, 200, 100, c.w, c.h, c.stretch, c.align);
        EXPECT_EQ(p.row, c.want.row);
        EXPECT_EQ(p.col, c.want.col);
        EXPECT_EQ(p.width, c.want.width);
        EXPECT_EQ(p.height, c.want.height);
    }
}

}  // namespace
