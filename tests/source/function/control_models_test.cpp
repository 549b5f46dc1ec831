// The window-free parts of the controls: identifiers, dialog units, item
// lists, the values selections and resets store, and the meter's arithmetic.
#include "control_models.hpp"

#include <gtest/gtest.h>

namespace {

using namespace wl;

TEST(ControlIds, RunFrom101To30000ThenRestartAt100) {
    EXPECT_EQ(nextControlId(100), 101);
    EXPECT_EQ(nextControlId(29999), 30000);
    EXPECT_EQ(nextControlId(30000), 100);
    EXPECT_EQ(nextControlId(nextControlId(30000)), 101);
}

TEST(DialogUnits, WholePartOfScaledPixels) {
    EXPECT_EQ(pixelsToDialogUnits(40, 8, 16), 20);
    EXPECT_EQ(pixelsToDialogUnits(41, 8, 16), 20);
    EXPECT_EQ(pixelsToDialogUnits(60, 4, 8), 30);
    EXPECT_EQ(pixelsToDialogUnits(60, 4, 0), 0);
}

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

TEST(ItemList, IncrementalSearchText) {
    EXPECT_EQ(incrementalSearchText("AB", 'c', false), "ABC");
    EXPECT_EQ(incrementalSearchText("AB", 'c', true), "ABc");
    EXPECT_EQ(incrementalSearchText("AB", 8, false), "A");
    EXPECT_EQ(incrementalSearchText("", 8, false), "");
    EXPECT_EQ(incrementalSearchText("A", 190, false), "A.");
}

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
