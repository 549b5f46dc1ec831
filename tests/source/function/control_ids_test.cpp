// Control identifiers.
#include "control_ids.hpp"

#include <gtest/gtest.h>

namespace {

using namespace wl;

TEST(ControlIds, RunFrom101To30000ThenRestartAt100) {
    EXPECT_EQ(nextControlId(100), 101);
    EXPECT_EQ(nextControlId(29999), 30000);
    EXPECT_EQ(nextControlId(30000), 100);
    EXPECT_EQ(nextControlId(nextControlId(30000)), 101);
}

}  // namespace
