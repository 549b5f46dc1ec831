#include "native_lists.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(NativeItemList, GrowthStepAndCapacityFollowTheItemSize) {
    struct Case {
        std::size_t size, count, itemSize, step, capacity;
    } cases[] = {
        {0, 0, 2, 64, 128},    // size 0 means 2
        {4, 0, 4, 32, 128},    {32, 0, 32, 4, 128},  {33, 0, 33, 15, 495},
        {128, 0, 128, 4, 512}, {129, 0, 129, 2, 258},  // no step above 128: at least 2
        {4, 100, 4, 32, 400},  // the initial count wins when larger
    };
    for (const auto& c : cases) {
        wl::NativeItemList list(c.size, c.count);
        EXPECT_EQ(list.itemSize(), c.itemSize) << c.size;
        EXPECT_EQ(list.growthStep(), c.step) << c.size;
        EXPECT_EQ(list.capacityBytes(), c.capacity) << c.size;
        EXPECT_EQ(list.count(), c.count) << c.size;
    }
}

TEST(NativeItemList, ItemsAreCountedFromOneAndOutOfRangeChangesNothing) {
    wl::NativeItemList list(4);
    EXPECT_EQ(list.append("abcd"), 1u);
    EXPECT_EQ(list.append("ef"), 2u);
    EXPECT_EQ(list.item(1), "abcd");
    EXPECT_EQ(list.item(2), std::string("ef\0\0", 4));  // short items are zero-filled
    EXPECT_FALSE(list.setItem(0, "zzzz"));
    EXPECT_FALSE(list.setItem(3, "zzzz"));
    EXPECT_EQ(list.item(0), "");
    EXPECT_EQ(list.item(3), "");
    EXPECT_EQ(list.count(), 2u);
}

TEST(NativeItemList, SettingTheCountZeroFillsNewItems) {
    wl::NativeItemList list(2);
    list.append("xy");
    list.setCount(5);
    EXPECT_EQ(list.item(5), std::string(2, '\0'));
    EXPECT_EQ(list.capacityBytes(), 2u * (5 + 5 % 64));
    list.setCount(1);
    EXPECT_EQ(list.item(1), "xy");
    EXPECT_EQ(list.item(2), "");
}

TEST(NativeItemList, GrowsPast65535ItemsWithoutWrapping) {
    wl::NativeItemList list(4);
    list.setCount(70000);
    ASSERT_EQ(list.count(), 70000u);
    EXPECT_TRUE(list.setItem(70000, "last"));
    EXPECT_TRUE(list.setItem(1, "1st!"));
    EXPECT_EQ(list.item(70000), "last");
    EXPECT_EQ(list.item(1), "1st!");
    EXPECT_EQ(list.append("next"), 70001u);
}

TEST(NativeItemList, ScanFindsTheFirstAcceptedItemInTheWindow) {
    wl::NativeItemList list(1);
    for (char c : std::string("abcabc")) list.append(std::string(1, c));
    auto isC = [](std::string_view item) { return item == "c"; };
    EXPECT_EQ(list.scan(isC), 3u);
    EXPECT_EQ(list.scan(isC, 4), 6u);
    EXPECT_EQ(list.scan(isC, 4, 2), 0u);  // only items 4 and 5
    EXPECT_EQ(list.scan(isC, 1, 3), 3u);
    EXPECT_EQ(list.scan([](std::string_view) { return false; }), 0u);
}

TEST(NativeHandleList, ReusesFreeEntriesAndGrowsBySixteen) {
    wl::NativeHandleList list;
    EXPECT_EQ(list.add(0), 0u);
    EXPECT_EQ(list.add(100), 1u);
    EXPECT_EQ(list.size(), 16u);
    EXPECT_EQ(list.add(200), 2u);
    EXPECT_EQ(list.add(100), 1u);  // already present
    EXPECT_TRUE(list.remove(100));
    EXPECT_FALSE(list.remove(100));
    EXPECT_EQ(list.add(300), 1u);  // the first free entry
    for (std::uintptr_t v = 1000; v < 1014; ++v) list.add(v);
    EXPECT_EQ(list.size(), 16u);
    EXPECT_EQ(list.add(5000), 17u);
    EXPECT_EQ(list.size(), 32u);
    EXPECT_EQ(list.at(17), 5000u);
    EXPECT_EQ(list.find(200), 2u);
}

}  // namespace
