// The combo box's items and selection as one state, its incremental search
// and the completion of its edit part.
#include "combo_box_model.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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

namespace {

using wl::ComboEffect;
using wl::ComboEffects;
using wl::ComboState;

ComboState comboFruit(int sel = 0) {
    ComboState s{wl::ItemList({"apple", "banana", "cherry"}), sel};
    return s;
}

std::vector<std::string> comboItems(const ComboState& s) { return s.items.items(); }

TEST(ComboState, ChangesKeepTheSelectionOnItsItemAndAnswerTheWindowsSteps) {
    using K = ComboEffect::Kind;
    struct Case {
        const char* name;
        int sel;
        std::function<ComboEffects(ComboState&)> change;
        std::vector<std::string> items;
        int selAfter;
        ComboEffects effects;
    };
    const Case cases[] = {
        {"append", 2, [](ComboState& s) { return wl::comboAdd(s, "date", 0); },
         {"apple", "banana", "cherry", "date"}, 2, {{K::Append, 4, "date"}}},
        {"insert before the selection", 2, [](ComboState& s) { return wl::comboAdd(s, "avocado", 1); },
         {"avocado", "apple", "banana", "cherry"}, 3, {{K::Insert, 1, "avocado"}}},
        {"insert after the selection", 1, [](ComboState& s) { return wl::comboAdd(s, "blueberry", 3); },
         {"apple", "banana", "blueberry", "cherry"}, 1, {{K::Insert, 3, "blueberry"}}},
        {"insert outside", 1, [](ComboState& s) { return wl::comboAdd(s, "x", 9); },
         {"apple", "banana", "cherry"}, 1, {}},
        {"modify the selected item", 2, [](ComboState& s) { return wl::comboModify(s, "BANANA", 2); },
         {"apple", "BANANA", "cherry"}, 2, {{K::Delete, 2, ""}, {K::Insert, 2, "BANANA"}, {K::Select, 2, ""}}},
        {"modify another item", 1, [](ComboState& s) { return wl::comboModify(s, "CHERRY", 3); },
         {"apple", "banana", "CHERRY"}, 1, {{K::Delete, 3, ""}, {K::Insert, 3, "CHERRY"}}},
        {"delete the selected item", 2, [](ComboState& s) { return wl::comboDel(s, 2); },
         {"apple", "cherry"}, 0, {{K::Delete, 2, ""}}},
        {"delete before the selection", 3, [](ComboState& s) { return wl::comboDel(s, 1); },
         {"banana", "cherry"}, 2, {{K::Delete, 1, ""}}},
        {"delete outside", 3, [](ComboState& s) { return wl::comboDel(s, 0); },
         {"apple", "banana", "cherry"}, 3, {}},
        {"select outside clears", 2, [](ComboState& s) { return wl::comboSelect(s, 7); },
         {"apple", "banana", "cherry"}, 0, {{K::Select, 0, ""}}},
        {"show a number", 0, [](ComboState& s) { return wl::comboShow(s, wl::Value(3)); },
         {"apple", "banana", "cherry"}, 3, {{K::Select, 3, ""}}},
        {"show a known text", 0, [](ComboState& s) { return wl::comboShow(s, wl::Value(std::string("Banana "))); },
         {"apple", "banana", "cherry"}, 2, {{K::Select, 2, ""}}},
        {"show an unknown text", 1, [](ComboState& s) { return wl::comboShow(s, wl::Value(std::string("kiwi"))); },
         {"apple", "banana", "cherry"}, 0, {{K::Select, 0, ""}, {K::Text, 0, "kiwi"}}},
        {"commit a prefix", 0, [](ComboState& s) { return wl::comboCommit(s, "ch"); },
         {"apple", "banana", "cherry"}, 3, {{K::Select, 3, ""}, {K::Text, 0, "ch"}}},
        {"reset", 2, [](ComboState& s) { return wl::comboReset(s); }, {}, 0, {{K::Clear, 0, ""}}},
        {"new items", 2, [](ComboState& s) { return wl::comboSetItems(s, {"x", "y"}); },
         {"x", "y"}, 0, {{K::Clear, 0, ""}, {K::Append, 1, "x"}, {K::Append, 2, "y"}, {K::Select, 0, ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComboState s = comboFruit(c.sel);
        EXPECT_EQ(c.change(s), c.effects);
        EXPECT_EQ(comboItems(s), c.items);
        EXPECT_EQ(s.sel, c.selAfter);
    }
}

TEST(ComboState, FillShowsEveryItemAndTheSelection) {
    const ComboState s = comboFruit(2);
    using K = ComboEffect::Kind;
    EXPECT_EQ(wl::comboFill(s), (ComboEffects{{K::Clear, 0, ""},
                                              {K::Append, 1, "apple"},
                                              {K::Append, 2, "banana"},
                                              {K::Append, 3, "cherry"},
                                              {K::Select, 2, ""}}));
}

}  // namespace
