#include <gtest/gtest.h>

#include <set>

#include "builtin_images.hpp"

namespace {

TEST(BuiltinImages, EveryNamedBitmapIsItsOwnPicture) {
    const auto& names = wl::builtinBitmapNames();
    ASSERT_EQ(names.size(), 29u);
    std::set<std::vector<std::uint32_t>> distinct;
    for (const auto& n : names) {
        auto img = wl::builtinBitmap(n);
        ASSERT_TRUE(img) << n;
        EXPECT_EQ(img->width, 16) << n;
        EXPECT_EQ(img->height, 16) << n;
        // Something is drawn over the transparent corner colour.
        std::set<std::uint32_t> colours(img->pixels.begin(), img->pixels.end());
        EXPECT_GE(colours.size(), 2u) << n;
        EXPECT_EQ(img->at(0, 0), img->at(15, 0)) << n << ": top corners keep the background";
        distinct.insert(img->pixels);
    }
    // "printer" and "printer16" share their picture; every other one differs.
    EXPECT_EQ(distinct.size(), 28u);
}

TEST(BuiltinImages, NamesCompareAfterLowerCasing) {
    auto a = wl::builtinBitmap("Save16"), b = wl::builtinBitmap("save16");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->pixels, b->pixels);
    EXPECT_FALSE(wl::builtinBitmap("save1"));
    EXPECT_FALSE(wl::builtinBitmap(" save16"));
}

TEST(BuiltinImages, BrushesAndSmallMarks) {
    for (int i = 1; i <= 4; ++i) {
        auto b = wl::builtinBrush(i);
        ASSERT_TRUE(b) << i;
        EXPECT_EQ(b->width, 8);
        EXPECT_EQ(b->height, 8);
    }
    EXPECT_FALSE(wl::builtinBrush(0));
    EXPECT_FALSE(wl::builtinBrush(5));
    const std::tuple<const char*, wl::PixelImage, int, int> sizes[] = {
        {"logo", wl::builtinLogo(), 32, 32},
        {"right arrow", wl::builtinRightArrow(), 9, 14},
        {"down arrow", wl::builtinDownArrow(), 11, 7},
        {"ascending", wl::builtinSortMark(true), 10, 9},
        {"descending", wl::builtinSortMark(false), 10, 9},
        {"off", wl::builtinSwitch(false), 16, 16},
        {"on", wl::builtinSwitch(true), 16, 16},
        {"bar 2007", wl::builtinMessageBar(1), 26, 23},
        {"bar 2010", wl::builtinMessageBar(2), 103, 22},
        {"check 2007", wl::builtinCheckMark(1), 20, 20},
        {"check 2010", wl::builtinCheckMark(2), 20, 20},
    };
    for (const auto& [name, img, w, h] : sizes) {
        EXPECT_EQ(img.width, w) << name;
        EXPECT_EQ(img.height, h) << name;
    }
    EXPECT_NE(wl::builtinSortMark(true).pixels, wl::builtinSortMark(false).pixels);
    EXPECT_NE(wl::builtinSwitch(true).pixels, wl::builtinSwitch(false).pixels);
    EXPECT_NE(wl::builtinCheckMark(1).pixels, wl::builtinCheckMark(2).pixels);
    EXPECT_EQ(wl::pixelAlpha(wl::builtinSwitch(true).at(0, 0)), 0);
    EXPECT_EQ(wl::pixelAlpha(wl::builtinSwitch(true).at(8, 8)), 255);
}

TEST(BuiltinImages, TreeLinesAndFurtherPictures) {
    auto lines = wl::builtinTreeLines();
    ASSERT_EQ(lines.size(), 7u);
    std::set<std::vector<std::uint32_t>> distinct;
    for (const auto& l : lines) {
        EXPECT_EQ(l.width, 16);
        distinct.insert(l.pixels);
    }
    EXPECT_EQ(distinct.size(), 7u);
    // The last-item pictures stop the vertical line at the branch.
    EXPECT_NE(lines[1].at(7, 14), lines[2].at(7, 14));
    const int sizes[14][2] = {{8, 15}, {15, 26}, {23, 26}, {9, 26}, {36, 3}, {8, 12}, {17, 18},
                              {17, 18}, {10, 11}, {10, 11}, {10, 11}, {10, 11}, {5, 4}, {8, 8}};
    for (int n = 1; n <= 14; ++n) {
        auto img = wl::builtinEmbedded(n);
        EXPECT_EQ(img.width, sizes[n - 1][0]) << n;
        EXPECT_EQ(img.height, sizes[n - 1][1]) << n;
    }
    EXPECT_TRUE(wl::builtinEmbedded(15).empty());
}

}  // namespace
