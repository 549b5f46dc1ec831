// The values selections and resets store.
#include "selection_values.hpp"

#include <gtest/gtest.h>

namespace {

using namespace wl;

TEST(SelectionValues, ResetKeepsTheKindAndSelectionStoresPositionOrText) {
    // A logical stays logical on reset: the next click must negate a logical.
    EXPECT_TRUE(resetValue(Value(true)).isLogical());
    EXPECT_FALSE(resetValue(Value(true)).logical());
    EXPECT_TRUE(resetValue(Value(7)).isNumber());
    EXPECT_EQ(resetValue(Value("abc")).text(), "");
    EXPECT_EQ(resetValue(Value()).text(), "");
    EXPECT_EQ(selectionValue(Value(1), 3, "c").number(), 3);
    EXPECT_EQ(selectionValue(Value(2.5), 2, "b").number(), 2);
    EXPECT_EQ(selectionValue(Value("x"), 3, "c").text(), "c");
}

}  // namespace
