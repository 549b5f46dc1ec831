// The combo box's incremental search.
#include "combo_box_model.hpp"

#include <gtest/gtest.h>

namespace {

using namespace wl;

TEST(ComboBoxModel, IncrementalSearchText) {
    EXPECT_EQ(incrementalSearchText("AB", 'c', false), "ABC");
    EXPECT_EQ(incrementalSearchText("AB", 'c', true), "ABc");
    EXPECT_EQ(incrementalSearchText("AB", 8, false), "A");
    EXPECT_EQ(incrementalSearchText("", 8, false), "");
    EXPECT_EQ(incrementalSearchText("A", 190, false), "A.");
}

}  // namespace
