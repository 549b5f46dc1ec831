// The meter's arithmetic.
#include "meter_model.hpp"

#include <gtest/gtest.h>

namespace {

using namespace wl;

TEST(Meter, ValuesClampPercentagesClampAndLabelsHaveNoFixedLimit) {
    struct Case {
        double value, total;
        double stored;
        int percent;
    };
    const Case cases[] = {
        {5, 10, 5, 50}, {15, 10, 10, 100}, {-3, 10, 0, 0}, {0, 0, 0, 0}, {1, 3, 1, 33}, {1000, 1000, 1000, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(meterValue(c.value, c.total), c.stored);
        EXPECT_EQ(meterPercent(meterValue(c.value, c.total), c.total), c.percent);
    }
    // Out-of-range percentages given straight to the painter are clamped.
    EXPECT_EQ(meterPercent(250, 100), 100);
    EXPECT_EQ(meterPercent(-5, 100), 0);
    EXPECT_EQ(meterFillWidth(300, 50), 150);
    EXPECT_EQ(meterFillWidth(300, 250), 300);
    EXPECT_EQ(meterFillWidth(300, -1), 0);
    EXPECT_EQ(meterLabel("Complete", true, 5), "Complete   5%");
    EXPECT_EQ(meterLabel("", true, 100), "100%");
    EXPECT_EQ(meterLabel(std::string(1, '\0'), true, 50), " 50%");
    EXPECT_EQ(meterLabel("Done", false, 50), "Done ");
    EXPECT_EQ(meterLabel("x", true, 1234), "x 100%");
    const std::string longText(500, 'w');
    EXPECT_EQ(meterLabel(longText, true, 7), longText + "   7%");
}

TEST(Meter, RepaintsFromOnePercentAndNeverWithoutTotal) {
    EXPECT_FALSE(meterRepaints(9, 1000));
    EXPECT_TRUE(meterRepaints(10, 1000));
    EXPECT_FALSE(meterRepaints(5, 0));
    EXPECT_FALSE(meterRepaints(0, 10));
}

}  // namespace
