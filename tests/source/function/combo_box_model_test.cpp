// The combo box's incremental search and the completion of its edit part.
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

TEST(ComboBoxModel, EditPartCompletesFromTheItems) {
    const ItemList items({"Alpha", "beta", "Bravo", "charlie"});
    using K = ComboCompletion::Kind;
    const struct {
        std::string text;
        int caret;
        int key;
        K kind;
        std::string shown;
        int caretAfter;
    } cases[] = {
        {"", 0, 'b', K::Fill, "beta", 1},
        {"beta", 1, 'R', K::Fill, "Bravo", 2},   // case ignored
        {"Bravo", 2, 8, K::Fill, "beta", 1},     // Backspace: the shorter prefix
        {"b", 1, 8, K::Clear, "", 0},            // nothing left
        {"beta", 1, 'z', K::PassOn, "", 0},      // no item: typed as usual
        {"", 0, '\t', K::PassOn, "", 0},         // not a completing key
        {"", 0, '(', K::PassOn, "", 0},
    };
    for (const auto& c : cases) {
        const ComboCompletion r = comboComplete(items, c.text, c.caret, c.key);
        EXPECT_EQ(r.kind, c.kind) << c.text << " + " << c.key;
        EXPECT_EQ(r.text, c.shown);
        EXPECT_EQ(r.caret, c.caretAfter);
    }
}

}  // namespace
