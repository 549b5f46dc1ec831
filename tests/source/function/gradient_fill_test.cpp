// Gradient bands.
#include "gradient_fill.hpp"

#include <gtest/gtest.h>

namespace {

using namespace wl;

TEST(GradientFillSpans, BandsTakeTheirShareAndTheLastRunsToTheEnd) {
    const GradientSpec office = {{0.25, 1, 2}, {0.75, 3, 4}};
    // Rows 0..99: 100 rows, the first band 25 of them.
    EXPECT_EQ(gradientFillSpans(0, 0, 99, 10, office),
              (std::vector<GradientSpan>{{0, 24, 1, 2}, {25, 99, 3, 4}}));
    // Horizontal: the same over columns, from the left edge.
    EXPECT_EQ(gradientFillSpans(0, 10, 5, 29, office, false),
              (std::vector<GradientSpan>{{10, 14, 1, 2}, {15, 29, 3, 4}}));
    // A first band that would pass the end is cut there and the rest is not filled.
    EXPECT_EQ(gradientFillSpans(0, 0, 9, 0, {{2.0, 1, 2}, {0.5, 3, 4}}),
              (std::vector<GradientSpan>{{0, 9, 1, 2}}));
    EXPECT_TRUE(gradientFillSpans(0, 0, 9, 9, {}).empty());
    // Thirds of 28 rows: truncated shares, the last band takes the remainder.
    EXPECT_EQ(gradientFillSpans(0, 0, 27, 0, {{1.0 / 3, 1, 2}, {2.0 / 3, 3, 4}}),
              (std::vector<GradientSpan>{{0, 8, 1, 2}, {9, 27, 3, 4}}));
}

}  // namespace
