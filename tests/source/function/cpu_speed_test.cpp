#include <gtest/gtest.h>

#include "cpu_speed.hpp"

namespace {

TEST(CpuSpeed, RoundsToMarketedSpeeds) {
    struct Case {
        double raw;
        int mhz;
    };
    const Case cases[] = {
        {2993.4, 3000}, {1995.0, 2000}, {1000.0, 1000},
        {266.0, 266},   // 266.67 shows as 267, sold as 266
        {166.5, 166},   // the same below 200 MHz
        {667.2, 667},   // the one speed really sold as 667
        {100.0, 100},
        {75.3, 75},     // 75 MHz parts
        {40.2, 40},     // below 50 the raw rate, rounded
        {0.0, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(wl::roundCpuSpeed(c.raw), c.mhz) << c.raw;
}

TEST(CpuSpeed, RawRateFromCyclesOverCounterTicks) {
    // 93.75 million cycles over 1/32 s of a 10 MHz counter: 3000 MHz.
    EXPECT_DOUBLE_EQ(wl::rawCpuRateMHz(93750000, 312500, 10000000), 3000.0);
    EXPECT_EQ(wl::rawCpuRateMHz(1000, 0, 10000000), 0.0);
}

}  // namespace
