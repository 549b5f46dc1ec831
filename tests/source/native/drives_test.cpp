#include "file_names.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(Drives, FloppiesApartFromTheOthers) {
    const auto floppies = wl::ADRIVES(1);
    const auto others = wl::ADRIVES(2);
    const auto all = wl::ADRIVES(0);
    for (const auto& d : floppies) EXPECT_TRUE(d == "A:" || d == "B:") << d;
    EXPECT_NE(std::find(others.begin(), others.end(), "C:"), others.end());
    EXPECT_EQ(all.size(), floppies.size() + others.size());
}

}  // namespace
