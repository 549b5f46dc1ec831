#include "slot_registry.hpp"

#include <gtest/gtest.h>

namespace {

TEST(SlotRegistry, FreedSlotIsReusedAndTheListNeverShrinks) {
    int a = 1, b = 2, c = 3, d = 4;
    wl::SlotRegistry<int> reg;
    EXPECT_EQ(reg.link(&a), 1u);
    EXPECT_EQ(reg.link(&b), 2u);
    EXPECT_EQ(reg.link(&c), 3u);
    EXPECT_EQ(reg.unlink(&b), 2u);
    EXPECT_EQ(reg.size(), 3u);
    EXPECT_EQ(reg.at(2), nullptr);
    EXPECT_EQ(reg.link(&d), 2u);
    EXPECT_EQ(reg.size(), 3u);
    EXPECT_EQ(reg.at(3), &c);  // numbers of the others stay valid
    EXPECT_EQ(reg.unlink(&b), 0u);
    EXPECT_EQ(reg.at(0), nullptr);
    EXPECT_EQ(reg.at(4), nullptr);
    EXPECT_EQ(reg.find([](int v) { return v == 4; }), &d);
}

}  // namespace
