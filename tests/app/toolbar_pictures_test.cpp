#include <gtest/gtest.h>

#include <set>

#include "toolbar_pictures.hpp"

namespace {

TEST(ToolbarPictures, FiveDistinctPicturesOnTheWhiteMask) {
    const std::uint32_t white = wl::makePixel(255, 255, 255);
    std::set<std::vector<std::uint32_t>> seen;
    for (int resource : {13, 7, 6, 11, 3}) {
        const wl::PixelImage p = zr::toolbarPicture(resource);
        ASSERT_EQ(p.width, 32) << resource;
        ASSERT_EQ(p.height, 32) << resource;
        // The top-left corner is mask, and the picture covers a good part of
        // the square, so it reads at 32 x 32.
        EXPECT_EQ(p.at(0, 0), white) << resource;
        std::size_t drawn = 0;
        for (auto px : p.pixels) drawn += px != white;
        EXPECT_GT(drawn, 32u * 32u / 4) << resource;
        EXPECT_LT(drawn, 32u * 32u) << resource;
        seen.insert(p.pixels);
    }
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_TRUE(zr::toolbarPicture(99).empty());
}

}  // namespace
