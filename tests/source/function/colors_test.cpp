#include "colors.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using wl::NRGB;

TEST(Colors, ComponentsAreCutToEightBits) {
    EXPECT_EQ(NRGB(255, 0, 0), 255u);
    EXPECT_EQ(NRGB(0, 0, 255), 16711680u);
    EXPECT_EQ(NRGB(256 + 1, 2, 3), NRGB(1, 2, 3));
    EXPECT_EQ(wl::NRGBRED(NRGB(1, 2, 3)), 1);
    EXPECT_EQ(wl::NRGBGREEN(NRGB(1, 2, 3)), 2);
    EXPECT_EQ(wl::NRGBBLUE(NRGB(1, 2, 3)), 3);
}

TEST(Colors, AttributeTexts) {
    struct Case {
        const char* text;
        wl::Color fore;
        wl::Color back;
    };
    const Case cases[] = {
        {"W+/B", NRGB(255, 255, 255), NRGB(0, 0, 128)},
        {"N", NRGB(0, 0, 0), NRGB(0, 0, 0)},
        {"w/n", NRGB(192, 192, 192), NRGB(0, 0, 0)},
        {"GR+/RB", NRGB(255, 255, 0), NRGB(128, 0, 128)},
        {"BG/R", NRGB(0, 128, 128), NRGB(128, 0, 0)},
        {"+/W+", NRGB(128, 128, 128), NRGB(255, 255, 255)},
        {"rb+/gr", NRGB(255, 0, 255), NRGB(128, 128, 0)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wl::NGETFORERGB(c.text), c.fore) << c.text;
        EXPECT_EQ(wl::NGETBACKRGB(c.text), c.back) << c.text;
    }
    EXPECT_EQ(wl::COLORATTRIBUTE("W+/B"), 0x1F);
    EXPECT_EQ(wl::COLORATTRIBUTE("R*"), 0x84);
}

TEST(Colors, LighterColorMovesTowardsWhite) {
    EXPECT_EQ(wl::LIGHTERCOLOR(255, NRGB(10, 20, 30)), NRGB(255, 255, 255));
    EXPECT_EQ(wl::LIGHTERCOLOR(0, NRGB(10, 20, 30)), NRGB(10, 20, 30));
    EXPECT_EQ(wl::LIGHTERCOLOR(128, NRGB(0, 0, 0)), NRGB(128, 128, 128));
}

TEST(GradientPlan, EmptyExtentPaintsNothing) {
    EXPECT_TRUE(wl::gradientBands(5, 0, 5, 10, 0, 0xFFFFFF, true).empty());
    EXPECT_TRUE(wl::gradientBands(0, 7, 10, 7, 0, 0xFFFFFF, false).empty());
}

TEST(GradientPlan, TwoRowsBlackToWhiteReachOneRowPastTheRectangle) {
    auto bands = wl::gradientBands(0, 0, 2, 10, NRGB(0, 0, 0), NRGB(255, 255, 255), true);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0].start, 0);
    EXPECT_EQ(bands[0].end, 1);
    EXPECT_EQ(bands[0].color, NRGB(0, 0, 0));
    EXPECT_EQ(bands[1].start, 1);
    EXPECT_EQ(bands[1].end, 2);  // the bottom coordinate itself
    EXPECT_EQ(bands[1].color, NRGB(127, 127, 127));
}

TEST(GradientPlan, FixedPointStepsAndSharedEdges) {
    // 100 columns from red to blue: step i carries 255*256 - i * 652 for red.
    auto bands = wl::gradientBands(0, 10, 20, 110, NRGB(255, 0, 0), NRGB(0, 0, 255), false);
    ASSERT_EQ(bands.size(), 100u);
    const int delta = (-255 * 256) / 100;
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const int red = (255 * 256 + static_cast<int>(i) * delta) >> 8;
        const int blue = (static_cast<int>(i) * ((255 * 256) / 100)) >> 8;
        EXPECT_EQ(bands[i].color, NRGB(red, 0, blue)) << i;
        EXPECT_EQ(bands[i].start, 10 + static_cast<int>(i));
        if (i > 0) {
            EXPECT_EQ(bands[i].start, bands[i - 1].end);
        }
    }
    EXPECT_EQ(bands.back().end, 110);
}

}  // namespace
