// The list box model: every change answers the window changes that keep the
// window equal to the state.
#include "list_box_model.hpp"

#include <gtest/gtest.h>

namespace {

using namespace wl;
using K = ListEffect::Kind;

// Plays effects on a plain vector the way the window would, so a test can
// check that state and window agree after any sequence.
struct FakeWindow {
    std::vector<std::string> rows;
    int sel = 0;
    void apply(const ListEffects& effects) {
        for (const ListEffect& e : effects) {
            switch (e.kind) {
            case K::Clear: rows.clear(), sel = 0; break;
            case K::Append: rows.push_back(e.text); break;
            case K::Insert:
                rows.insert(rows.begin() + (e.index - 1), e.text);
                if (sel >= e.index) ++sel;
                break;
            case K::Delete:
                rows.erase(rows.begin() + (e.index - 1));
                if (sel == e.index) sel = 0;
                else if (sel > e.index) --sel;
                break;
            case K::Select: sel = e.index >= 1 && e.index <= static_cast<int>(rows.size()) ? e.index : 0; break;
            }
        }
    }
};

void expectSame(const ListState& s, const FakeWindow& w) {
    EXPECT_EQ(s.items.items(), w.rows);
    EXPECT_EQ(s.sel, w.sel);
}

TEST(ListBoxModel, EveryChangeKeepsWindowAndStateEqual) {
    ListState s;
    FakeWindow w;
    w.apply(listSetItems(s, {"b", "c", "a"}));
    expectSame(s, w);
    w.apply(listSetSel(s, 2));
    expectSame(s, w);
    w.apply(listInsert(s, "x", 1));  // before the selection: it moves down
    expectSame(s, w);
    EXPECT_EQ(s.sel, 3);
    w.apply(listAdd(s, "end", 99));
    expectSame(s, w);
    w.apply(listModify(s, "B", 3));
    expectSame(s, w);
    w.apply(listSwap(s, -1));
    expectSame(s, w);
    EXPECT_EQ(s.items.at(2), "B");
    w.apply(listDel(s, 5));  // the last: the new last is selected
    expectSame(s, w);
    EXPECT_EQ(s.sel, 4);
    w.apply(listSort(s));
    expectSame(s, w);
    EXPECT_EQ(s.items.items(), (std::vector<std::string>{"B", "a", "b", "x"}));
    w.apply(listReset(s));
    expectSame(s, w);
}

TEST(ListBoxModel, OutOfRangeChangesLeaveTheWindowAlone) {
    ListState s;
    listSetItems(s, {"a", "b"});
    s.sel = 1;
    EXPECT_TRUE(listInsert(s, "x", 0).empty());
    EXPECT_TRUE(listInsert(s, "x", 3).empty());
    EXPECT_TRUE(listModify(s, "x", 3).empty());
    EXPECT_TRUE(listDel(s, 0).empty());
    EXPECT_TRUE(listDel(s, 3).empty());
    EXPECT_TRUE(listSwap(s, -1).empty()) << "the first item cannot move up";
    s.sel = 2;
    EXPECT_TRUE(listSwap(s, +1).empty()) << "the last item cannot move down";
    EXPECT_EQ(s.items.items(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(s.sel, 2);
}

TEST(ListBoxModel, EffectsInTheOrderTheWindowNeeds) {
    ListState s;
    EXPECT_EQ(listSetItems(s, {"a", "b"}),
              (ListEffects{{K::Clear, 0, {}}, {K::Append, 1, "a"}, {K::Append, 2, "b"}}));
    EXPECT_EQ(listModify(s, "B", 2), (ListEffects{{K::Delete, 2, {}}, {K::Insert, 2, "B"}, {K::Select, 2, {}}}));
    EXPECT_EQ(listAdd(s, "z", 0), (ListEffects{{K::Insert, 1, "z"}, {K::Select, 1, {}}}));
    // Deleting the only item leaves no selection to make.
    ListState one;
    listSetItems(one, {"a"});
    one.sel = 1;
    EXPECT_EQ(listDel(one, 1), (ListEffects{{K::Delete, 1, {}}}));
    EXPECT_EQ(one.sel, 0);
    // A selection the list lacks is still asked of the window, which refuses it.
    EXPECT_EQ(listSetSel(s, 9), (ListEffects{{K::Select, 9, {}}}));
    EXPECT_EQ(s.sel, 0);
}

TEST(ListBoxModel, PositionOfAValue) {
    ListState s;
    listSetItems(s, {"Apple", "Pear"});
    struct Case {
        Value v;
        int pos;
    };
    const Case cases[] = {{Value(2), 2}, {Value(7), 1}, {Value(0), 1}, {Value(" pear"), 2},
                          {Value("plum"), 1}, {Value(), 1}};
    for (const Case& c : cases) EXPECT_EQ(listPositionOf(s, c.v), c.pos);
}

}  // namespace
