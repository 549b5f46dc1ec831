// The item list of list and combo boxes.
#include "item_list.hpp"

#include <gtest/gtest.h>

namespace {

using namespace wl;

TEST(ItemList, AddInsertModifyDeleteAndSwap) {
    ItemList l({"one", "two", "three"});
    EXPECT_EQ(l.add("four", 99), 4);  // past the end: appended
    EXPECT_EQ(l.add("zero", 0), 1);
    EXPECT_EQ(l.at(1), "zero");
    EXPECT_EQ(l.insert("half", 2), 2);
    EXPECT_EQ(l.at(3), "one");
    EXPECT_EQ(l.insert("x", 0), 0);
    EXPECT_EQ(l.insert("x", 99), 0);
    EXPECT_TRUE(l.modify("ONE", 3));
    EXPECT_FALSE(l.modify("x", 0));
    EXPECT_EQ(l.at(3), "ONE");
    EXPECT_EQ(l.at(0), "");
    EXPECT_EQ(l.at(100), "");
    // Deleting the last item selects the new last one.
    const int last = l.size();
    EXPECT_EQ(l.del(last), last - 1);
    EXPECT_EQ(l.del(1), 1);
    EXPECT_EQ(l.del(42), 0);
    EXPECT_EQ(l.swap(1, -1), 0);
    EXPECT_EQ(l.swap(1, +1), 2);
    EXPECT_EQ(l.at(2), "half");
    ItemList one({"a"});
    EXPECT_EQ(one.del(1), 0);
    EXPECT_TRUE(one.empty());
}

TEST(ItemList, ExactFindTrimsAndIgnoresCasePrefixFindStartsAfter) {
    ItemList l({"Apple ", "banana", "Apricot", "cherry"});
    EXPECT_EQ(l.findExact("  apple"), 1);
    EXPECT_EQ(l.findExact("BANANA"), 2);
    EXPECT_EQ(l.findExact("ban"), 0);
    EXPECT_EQ(l.findPrefix("ap"), 1);
    EXPECT_EQ(l.findPrefix("ap", 1), 3);
    EXPECT_EQ(l.findPrefix("Ap", 0, true), 1);
    EXPECT_EQ(l.findPrefix("ap", 0, true), 0);
    EXPECT_EQ(l.findPrefix(""), 0);
    EXPECT_EQ(l.findPrefix("z"), 0);
}

}  // namespace
