// List and combo boxes on a live window: the item model kept one with the
// control's list, the selection stored as position or text, type-ahead search.
#include "listbox.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "parent_window.hpp"
#include "visual_styles.hpp"

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

TEST(ListBox, MultipleSelectionReadsBackPositionsAndTexts) {
    ListParent p;
    Value v = Value(1);
    ListNew n = list(&p.w, v, {"apple", "banana", "cherry", "date"});
    n.lMultiSelect = true;
    TListBox many;
    many.New(n);
    EXPECT_TRUE(many.IsMultipleSel());
    EXPECT_EQ(many.GetSelItems(), (std::vector<int>{1}));  // the value's item
    many.SetSelItems({3, 4});
    EXPECT_EQ(many.GetSelCount(), 3);
    EXPECT_EQ(many.GetSelItems(), (std::vector<int>{1, 3, 4}));
    many.SetSel(1, false);
    many.Select(2);  // adds to the selection here
    EXPECT_EQ(many.aSelections(), (std::vector<std::string>{"banana", "cherry", "date"}));
    EXPECT_EQ(many.GetSel(), 1);  // the first item is not selected
    many.SetSel(9);               // past the end: nothing
    EXPECT_EQ(many.GetSelCount(), 3);

    Value one = Value(2);
    TListBox single;
    single.New(list(&p.w, one, {"apple", "banana"}));
    EXPECT_FALSE(single.IsMultipleSel());
    EXPECT_EQ(single.GetSelCount(), 0);
    EXPECT_TRUE(single.GetSelItems().empty());
    EXPECT_EQ(single.aSelections(), std::vector<std::string>{"banana"});
    single.SetSel(1);
    EXPECT_EQ(single.aSelections(), std::vector<std::string>{"apple"});
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

TEST(ComboBox, DroppedStateAndLeastVisibleItems) {
    ListParent p;
    Value v = Value(1);
    ListNew n = list(&p.w, v, {"a", "b", "c", "d", "e", "f", "g"});
    n.nHeight = 150;
    TComboBox c;
    c.New(n);
    ShowWindow(p.w.hWnd, SW_SHOW);
    EXPECT_EQ(c.State(), 0);
    EXPECT_TRUE(c.IsClosed());
    c.Open();
    EXPECT_EQ(c.State(), 1);
    EXPECT_FALSE(c.IsClosed());
    c.Close();
    EXPECT_EQ(c.State(), 0);
    ShowWindow(p.w.hWnd, SW_HIDE);
    if (wl::ISAPPTHEMED()) {
        EXPECT_TRUE(c.SetMinVisible(4));
        EXPECT_EQ(c.GetMinVisible(), 4);
    } else {
        EXPECT_FALSE(c.SetMinVisible(4));
        EXPECT_EQ(c.GetMinVisible(), 0);
    }
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

// The edit part of an editable combo box completes from the items while
// typing and commits its text (and the item it begins) when it is left.
TEST(ComboBox, EditPartCompletesAndCommitsOnFocusLoss) {
    ListParent p;
    SetWindowPos(p.w.hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    Value v("alpha"), other("x");
    TComboBox c;
    auto n = list(&p.w, v, {"alpha", "beta", "bravo"});
    n.nComboStyle = CBS_DROPDOWN;
    c.New(n);
    TListBox next;
    next.New(list(&p.w, other, {"x"}));
    ASSERT_NE(c.oGet, nullptr);
    HWND edit = c.oGet->hWnd;
    SetFocus(edit);
    ASSERT_EQ(GetFocus(), edit);
    SendMessageA(edit, EM_SETSEL, 0, 0);
    SendMessageA(edit, WM_CHAR, 'b', 0);
    EXPECT_EQ(c.oGet->GetText().substr(0, 4), "beta");
    SendMessageA(edit, WM_CHAR, 'r', 0);
    EXPECT_EQ(c.oGet->GetText().substr(0, 5), "bravo");
    int s = 0, e = 0;
    c.oGet->GetSelPos(s, e);
    EXPECT_EQ(s, 2);
    SendMessageA(edit, WM_CHAR, 8, 0);  // Backspace: back to the shorter prefix
    EXPECT_EQ(c.oGet->GetText().substr(0, 4), "beta");
    SetFocus(next.hWnd);
    EXPECT_EQ(v.text(), "beta");
    EXPECT_EQ(SendMessageA(c.hWnd, CB_GETCURSEL, 0, 0), 1);
}


std::vector<std::string> comboWindowItems(HWND combo) {
    std::vector<std::string> out;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        out.push_back(text);
    }
    return out;
}

int comboWindowSel(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)) + 1; }

TEST(ComboBox, ItemsAndSelectionStayOneWithTheWindowThroughEveryChange) {
    ListParent p;
    Value v(std::string("beta"));
    TComboBox c;
    c.New(list(&p.w, v, {"alpha", "beta", "gamma"}));
    ASSERT_EQ(c.nAt, 2);
    struct Step {
        const char* name;
        std::function<void()> change;
        int sel;
    };
    const Step steps[] = {
        {"insert before the selection", [&] { c.Insert("aardvark", 1); }, 3},
        {"modify the selected item", [&] { c.Modify("BETA", 3); }, 3},
        {"append", [&] { c.Add("omega"); }, 3},
        {"delete before the selection", [&] { c.Del(1); }, 2},
        {"the user picks another", [&] {
             SendMessageA(c.hWnd, CB_SETCURSEL, 2, 0);
             c.Change();
         }, 3},
        {"delete the selected item", [&] { c.Del(3); }, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        s.change();
        EXPECT_EQ(comboWindowItems(c.hWnd), c.aItems.items());
        EXPECT_EQ(c.nAt, s.sel);
        EXPECT_EQ(comboWindowSel(c.hWnd), s.sel);
    }
}

}  // namespace

#include <fstream>

#include "test_support.hpp"

namespace {

// A 24-bit picture file of one colour inside a white border (the border
// colour is the transparent one).
void listBoxWriteBmp(const std::string& file, int width, int height, COLORREF inside) {
    const int row = (width * 3 + 3) / 4 * 4;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = width;
    ih.biHeight = height;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(row * height);
    std::string pixels(static_cast<std::size_t>(row * height), '\0');
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            const COLORREF c = border ? RGB(255, 255, 255) : inside;
            char* p = &pixels[static_cast<std::size_t>(y * row + x * 3)];
            p[0] = static_cast<char>(GetBValue(c));
            p[1] = static_cast<char>(GetGValue(c));
            p[2] = static_cast<char>(GetRValue(c));
        }
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&ih), sizeof ih);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
}

TEST(ListBox, OwnerDrawnItemsShowTheirPictureBeforeTheText) {
    zrtest::TempDir tmp;
    const std::string red = tmp.path() + "/red.bmp", blue = tmp.path() + "/blue.bmp";
    listBoxWriteBmp(red, 16, 14, RGB(255, 0, 0));
    listBoxWriteBmp(blue, 16, 14, RGB(0, 0, 255));
    ListParent p;
    ShowWindow(p.w.hWnd, SW_SHOW);
    Value v(1);
    ListNew n = list(&p.w, v, {"first", "second"});
    n.aBitmaps = {red, blue};
    TListBox l;
    l.New(n);
    EXPECT_TRUE(l.lOwnerDraw);
    EXPECT_EQ(l.nBmpWidth, 16);
    EXPECT_EQ(l.nBmpHeight, 14);
    EXPECT_TRUE(GetWindowLongPtrA(l.hWnd, GWL_STYLE) & LBS_OWNERDRAWFIXED);
    EXPECT_EQ(SendMessageA(l.hWnd, LB_GETITEMHEIGHT, 0, 0), 14);
    MEASUREITEMSTRUCT mi{};
    EXPECT_EQ(l.FillMeasure(reinterpret_cast<LPARAM>(&mi)), 1);
    EXPECT_EQ(mi.itemHeight, 14u);
    RedrawWindow(l.hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT second{};
    SendMessageA(l.hWnd, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    HDC dc = GetDC(l.hWnd);
    EXPECT_EQ(GetPixel(dc, second.left + 8, second.top + 7), RGB(0, 0, 255));
    // Pictures by another rule: every item shows the red one.
    l.bDrawItem = [](int) { return 1; };
    RedrawWindow(l.hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(GetPixel(dc, second.left + 8, second.top + 7), RGB(255, 0, 0));
    ReleaseDC(l.hWnd, dc);
    ShowWindow(p.w.hWnd, SW_HIDE);
}

TEST(ListBox, FilesFittingTheMaskJoinTheItemsLowerCased) {
    zrtest::TempDir tmp;
    for (const char* name : {"B.MAP", "a.map", "c.txt"}) std::ofstream(tmp.path() + "/" + name) << "x";
    ListParent p;
    Value v(1);
    TListBox l;
    l.cFileSpec = tmp.path() + "/*.map";
    l.New(list(&p.w, v, {"x"}));
    EXPECT_EQ(l.aItems.items(), (std::vector<std::string>{"a.map", "b.map", "x"}));
    EXPECT_EQ(l.Len(), 3);
    l.Default();  // shown again: no file twice
    EXPECT_EQ(l.Len(), 3);
}

TEST(ComboBox, DropDownPartsTakeTheComboBoxsColours) {
    ListParent p;
    Value v(1);
    struct Case {
        int style;
        bool coloured;
    } const cases[] = {{CBS_DROPDOWNLIST, true}, {CBS_DROPDOWN, true}, {CBS_SIMPLE, false}};
    for (const Case& c : cases) {
        ListNew n = list(&p.w, v, {"one", "two"});
        n.nComboStyle = c.style;
        TComboBox box;
        box.New(n);
        box.SetColor(RGB(0, 0, 128), RGB(255, 255, 200));
        HDC dc = GetDC(box.hWnd);
        const LRESULT brush = SendMessageA(box.hWnd, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), 0);
        if (c.coloured) {
            EXPECT_EQ(brush, reinterpret_cast<LRESULT>(box.oBrush->hBrush)) << c.style;
            EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 200)) << c.style;
            EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 128)) << c.style;
        } else {
            EXPECT_NE(brush, reinterpret_cast<LRESULT>(box.oBrush->hBrush)) << c.style;
        }
        ReleaseDC(box.hWnd, dc);
    }
}

}  // namespace
