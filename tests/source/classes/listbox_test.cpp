// List and combo boxes on a live window: the item model kept beside the
// control, the selection stored as position or text, type-ahead search.
#include "listbox.hpp"

#include <gtest/gtest.h>

#include "parent_window.hpp"

namespace {

using namespace wl;

struct ListParent : wltest::Parent {
    ListParent() : wltest::Parent(300, 300) {}
};

ListNew list(TWindow* parent, Value& v, std::vector<std::string> items) {
    ListNew n;
    n.oWnd = parent;
    n.bSetGet = bindTo(v);
    n.aItems = std::move(items);
    n.lPixel = true;
    n.nWidth = 120;
    n.nHeight = 100;
    return n;
}

TEST(ListBox, ValueSelectsByPositionOrTextElseTheFirst) {
    ListParent p;
    struct Case {
        Value value;
        int selected;
    };
    const Case cases[] = {{Value(2), 2}, {Value(" CHERRY "), 3}, {Value("none"), 1}};
    for (const Case& c : cases) {
        Value v = c.value;
        TListBox l;
        l.New(list(&p.w, v, {"apple", "banana", "cherry"}));
        EXPECT_EQ(l.GetPos(), c.selected);
        EXPECT_EQ(l.Len(), 3);
    }
}

TEST(ListBox, ChangesStorePositionOrTextAndDeletingTheLastSelectsTheNewLast) {
    ListParent p;
    Value text("apple"), number(1);
    TListBox a, b;
    a.New(list(&p.w, text, {"apple", "banana", "cherry"}));
    b.New(list(&p.w, number, {"apple", "banana", "cherry"}));
    a.Select(3);
    b.Select(3);
    EXPECT_EQ(text.text(), "cherry");
    EXPECT_EQ(number.number(), 3);
    a.Del();
    EXPECT_EQ(a.GetPos(), 2);
    EXPECT_EQ(a.GetItem(2), "banana");
    a.Add("date");
    EXPECT_EQ(a.GetPos(), 3);
    EXPECT_EQ(a.aItems.at(3), "date");
    a.SwapUp();
    EXPECT_EQ(a.GetItem(2), "date");
    EXPECT_EQ(a.GetPos(), 2);
    EXPECT_EQ(text.text(), "date");
    a.Reset();
    EXPECT_EQ(text.text(), "");
    EXPECT_EQ(a.Len(), 0);
}

TEST(ComboBox, NothingStoresTheFirstItemAndUnknownTextIsKept) {
    ListParent p;
    Value v;
    TComboBox c;
    auto n = list(&p.w, v, {"alpha", "beta"});
    n.nComboStyle = CBS_DROPDOWN;
    c.New(n);
    EXPECT_EQ(v.text(), "alpha");
    c.Set(Value("gamma"));
    EXPECT_EQ(v.text(), "gamma");
    EXPECT_EQ(c.GetText(), "gamma");
}

TEST(ComboBox, NumericEditableComboStoresThePositionOnEveryPath) {
    ListParent p;
    Value v(1);
    TComboBox c;
    auto n = list(&p.w, v, {"alpha", "beta", "gamma"});
    n.nComboStyle = CBS_DROPDOWN;
    c.New(n);
    SendMessageA(c.hWnd, CB_SETCURSEL, 2, 0);
    c.Change();
    EXPECT_TRUE(v.isNumber());
    EXPECT_EQ(v.number(), 3);
    SendMessageA(c.hWnd, CB_SETCURSEL, 1, 0);
    c.LostFocus(nullptr);
    EXPECT_TRUE(v.isNumber());
    EXPECT_EQ(v.number(), 2);
}

TEST(ComboBox, IncrementalSearchFindsByPrefix) {
    ListParent p;
    Value v("alpha");
    TComboBox c;
    c.New(list(&p.w, v, {"alpha", "beta", "bravo", "charlie"}));
    c.lIncSearch = true;
    c.KeyChar('b', 0);
    EXPECT_EQ(v.text(), "beta");
    c.KeyChar('r', 0);
    EXPECT_EQ(v.text(), "bravo");
    EXPECT_EQ(c.cSearchKey, "BR");
    EXPECT_EQ(c.FindString("ch"), 4);
}

}  // namespace
