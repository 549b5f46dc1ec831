#include <gtest/gtest.h>

#include "menu_ids.hpp"

namespace {

TEST(MenuIds, EndedItemsNeverGiveTheirIdToALiveOne) {
    wl::MenuIdAllocator ids;
    unsigned a = ids.allocate(), b = ids.allocate(), c = ids.allocate();
    EXPECT_EQ(a, 20000u);
    EXPECT_EQ(b, 20001u);
    EXPECT_EQ(c, 20002u);
    // Ending the first item must not let the next item take the third's id
    // (lowering the counter did exactly that).
    ids.release(a);
    unsigned d = ids.allocate();
    EXPECT_NE(d, b);
    EXPECT_NE(d, c);
    EXPECT_EQ(d, 20003u);
    EXPECT_TRUE(ids.inUse(c));
    EXPECT_FALSE(ids.inUse(a));
}

TEST(MenuIds, SkipsTakenValuesAndWrapsWithinTheRange) {
    wl::MenuIdAllocator ids;
    // Values equal to live menu handles are skipped.
    unsigned first = ids.allocate([](unsigned v) { return v == 20000 || v == 20001; });
    EXPECT_EQ(first, 20002u);

    wl::MenuIdAllocator all;
    std::vector<unsigned> got;
    for (unsigned i = wl::MenuIdAllocator::kFirst; i <= wl::MenuIdAllocator::kLast; ++i) got.push_back(all.allocate());
    EXPECT_EQ(got.back(), wl::MenuIdAllocator::kLast);
    EXPECT_EQ(all.allocate(), 0u);  // full: no id rather than a duplicate
    all.release(20005);
    all.release(30000);
    EXPECT_EQ(all.allocate(), 20005u);  // wrapped round to the first free one
    EXPECT_EQ(all.allocate(), 30000u);
    EXPECT_EQ(all.allocate(), 0u);
}

}  // namespace
