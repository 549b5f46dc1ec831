#include "value_conversion.hpp"

#include <gtest/gtest.h>

namespace {

TEST(ScreenText, WidthsGrowWithTheTextAndPaddingFillsThePixels) {
    const int one = wl::screenTextWidth("W");
    EXPECT_GT(one, 0);
    EXPECT_GT(wl::screenTextWidth("WWWW"), wl::screenTextWidth("WW"));
    const std::string padded = wl::XPADR("Claim", 200);
    EXPECT_LE(wl::screenTextWidth(padded), 200);
    EXPECT_GT(wl::screenTextWidth(padded + " "), 200);
}

}  // namespace
