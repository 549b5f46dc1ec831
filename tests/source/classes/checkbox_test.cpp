// Check boxes and radio menus on a live window: value binding, clicks, the
// reset of a logical, option changes and wrapping.
#include "checkbox.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "parent_window.hpp"

namespace {

using namespace wl;

using Parent = wltest::Parent;

bool checkedOnScreen(HWND h) { return SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED; }

TEST(CheckBox, NonLogicalValueStartsFalseAndClicksNegate) {
    Parent p;
    Value v("not logical");
    TCheckBox c;
    CheckBoxNew n;
    n.oWnd = &p.w;
    n.bSetGet = bindTo(v);
    int changes = 0;
    n.bChange = [&](const Value&, TControl&) { ++changes; };
    c.New(n);
    ASSERT_TRUE(v.isLogical());
    EXPECT_FALSE(v.logical());
    EXPECT_FALSE(checkedOnScreen(c.hWnd));
    SendMessageA(c.hWnd, LM_CLICK, 0, 0);
    EXPECT_TRUE(v.logical());
    EXPECT_TRUE(checkedOnScreen(c.hWnd));
    EXPECT_EQ(changes, 1);
    // A reset keeps a logical: the next click negates it again.
    c.Reset();
    ASSERT_TRUE(v.isLogical());
    EXPECT_FALSE(v.logical());
    SendMessageA(c.hWnd, LM_CLICK, 0, 0);
    EXPECT_TRUE(v.isLogical());
    EXPECT_TRUE(v.logical());
}

TEST(CheckBox, TextUnitsMakeItNarrower) {
    Parent p;
    TCheckBox a, b;
    CheckBoxNew n;
    n.oWnd = &p.w;
    n.cCaption = "Twelve chars";
    n.nRow = 1;
    n.nCol = 1;
    a.New(n);
    EXPECT_EQ(a.nRight - a.nLeft, 12 * 7 - 24);
    n.lPixel = true;
    b.New(n);
    EXPECT_EQ(b.nRight - b.nLeft, 12 * 7);
}

TEST(RadMenu, OptionsMoveChecksAndWrap) {
    Parent p;
    Value option("x");
    int changes = 0;
    TRadMenu m;
    RadMenuNew n;
    n.oWnd = &p.w;
    n.aCaptions = {"All", "Current page", "Pages"};
    n.bSetGet = bindTo(option);
    n.bChange = [&](TRadMenu&) { ++changes; };
    m.New(n);
    EXPECT_EQ(option.number(), 1);
    EXPECT_EQ(changes, 1);  // the non-numeric value became 1
    ASSERT_EQ(m.aItems.size(), 3u);
    EXPECT_TRUE(checkedOnScreen(m.aItems[0]->hWnd));
    m.SetOption(3);
    EXPECT_EQ(option.number(), 3);
    EXPECT_FALSE(checkedOnScreen(m.aItems[0]->hWnd));
    EXPECT_TRUE(checkedOnScreen(m.aItems[2]->hWnd));
    m.GoNext();  // wraps
    EXPECT_EQ(option.number(), 1);
    m.aItems[1]->bWhen = [] { return false; };
    m.GoNext();  // skips the refused radio
    EXPECT_EQ(option.number(), 3);
    SendMessageA(m.aItems[1]->hWnd, LM_CLICK, 0, 0);
    EXPECT_EQ(option.number(), 2);
}

TEST(RadioAndCheckKeys, ArrowsMoveBetweenRadiosAndControlsAndEnterGoesOn) {
    Parent p;
    ShowWindow(p.w.hWnd, SW_SHOW);
    SetForegroundWindow(p.w.hWnd);
    Value option(1);
    TRadMenu m;
    RadMenuNew n;
    n.oWnd = &p.w;
    n.aCaptions = {"All", "Current page", "Pages"};
    n.bSetGet = bindTo(option);
    m.New(n);
    TCheckBox a, b;
    CheckBoxNew c;
    c.oWnd = &p.w;
    c.nRow = 5;
    a.New(c);
    c.nRow = 7;
    b.New(c);
    HWND radio1 = m.aItems[0]->hWnd, radio3 = m.aItems[2]->hWnd;
    struct Step {
        HWND to;
        UINT msg;
        WPARAM key;
        HWND focus;
        int option;
    };
    const Step steps[] = {
        {radio1, WM_KEYDOWN, VK_DOWN, m.aItems[1]->hWnd, 2},
        {m.aItems[1]->hWnd, WM_KEYDOWN, VK_RIGHT, radio3, 3},
        {radio3, WM_KEYDOWN, VK_RIGHT, radio1, 1},  // wraps
        {radio1, WM_KEYDOWN, VK_LEFT, radio3, 3},
        {a.hWnd, WM_KEYDOWN, VK_DOWN, b.hWnd, 3},
        {b.hWnd, WM_KEYDOWN, VK_UP, a.hWnd, 3},
        {a.hWnd, WM_CHAR, VK_RETURN, b.hWnd, 3},
    };
    for (const Step& s : steps) {
        SetFocus(s.to);
        SendMessageA(s.to, s.msg, s.key, 0);
        EXPECT_EQ(GetFocus(), s.focus) << s.key;
        EXPECT_EQ(option.number(), s.option) << s.key;
    }
    ShowWindow(p.w.hWnd, SW_HIDE);
}

TEST(RadMenu, OneRadioNeverChanges) {
    Parent p;
    Value option(1);
    TRadMenu m;
    RadMenuNew n;
    n.oWnd = &p.w;
    n.aCaptions = {"Only"};
    n.bSetGet = bindTo(option);
    m.New(n);
    m.SetOption(2);
    m.SetOption(0);
    EXPECT_EQ(option.number(), 1);
}

}  // namespace

namespace {

TEST(RadMenu, DefinedEmptyThenRadiosAddedAndAllShownHiddenAndEnded) {
    Parent p;
    Value option("none");
    int changes = 0;
    TRadMenu menu;
    menu.Define(bindTo(option), [&](TRadMenu&) { ++changes; }, "Pick one", true);
    EXPECT_TRUE(menu.aItems.empty());
    EXPECT_EQ(option.number(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(menu.cMsg, "Pick one");
    for (int i = 0; i < 3; ++i) {
        auto r = std::make_unique<TRadio>();
        r->New(i * 20, 10, "Option " + std::to_string(i + 1), i == 0, i == 0, 0, &p.w, nullptr, true, 80, 16);
        TRadio& added = menu.AddRadio(std::move(r));
        EXPECT_EQ(added.nPos, i + 1);
        EXPECT_EQ(added.oRadMenu, &menu);
    }
    menu.SetOption(3);
    EXPECT_EQ(option.number(), 3);
    EXPECT_TRUE(checkedOnScreen(menu.aItems[2]->hWnd));
    menu.Hide();
    for (auto& r : menu.aItems) EXPECT_FALSE(IsWindowVisible(r->hWnd) && GetWindowLongPtrA(r->hWnd, GWL_STYLE) & WS_VISIBLE);
    menu.Show();
    for (auto& r : menu.aItems) EXPECT_TRUE(GetWindowLongPtrA(r->hWnd, GWL_STYLE) & WS_VISIBLE);
    auto font = TFont::New(FontSpec{});
    menu.SetFont(font);
    for (auto& r : menu.aItems)
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(r->hWnd, WM_GETFONT, 0, 0)), font->hFont);
    std::vector<HWND> windows;
    for (auto& r : menu.aItems) windows.push_back(r->hWnd);
    menu.End();
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    for (HWND h : windows) EXPECT_FALSE(IsWindow(h));
}

TEST(CheckAndRadioDesign, SourceLocalsAndResourceLines) {
    Parent p;
    p.w.cVarName = "oWnd";
    Value on(true);
    TCheckBox c;
    CheckBoxNew n;
    n.oWnd = &p.w;
    n.lPixel = true;
    n.nRow = 4;
    n.nCol = 6;
    n.nWidth = 70;
    n.cCaption = "&Keep";
    n.bSetGet = bindTo(on);
    c.New(n);
    EXPECT_EQ(c.cVarName, "oChk1");
    EXPECT_EQ(c.GenLocals(), ", oChk1, lChk1 := .T.");
    EXPECT_EQ(c.cGenPrg(), "\r\n   @ 4, 6 CHECKBOX oChk1 VAR lChk1 PROMPT \"&Keep\" SIZE " +
                               std::to_string(c.nRight - c.nLeft + 1) + ", " + std::to_string(c.nBottom - c.nTop + 1) +
                               " PIXEL OF oWnd\r\n");
    EXPECT_EQ(c.SaveToRC(0), "CHECKBOX \"&Keep\", " + std::to_string(c.nId) + ", 4, 6, " + std::to_string(c.nWidth()) +
                                 ", " + std::to_string(c.nHeight()) + ", BS_AUTOCHECKBOX | WS_TABSTOP");
    TRadio r;
    r.New(30, 6, "&One", true, false, 1, &p.w, nullptr, true, 50, 16);
    EXPECT_EQ(r.SaveToRC(1), " CONTROL \"&One\", " + std::to_string(r.nId) +
                                 ", \"BUTTON\", BS_AUTORADIOBUTTON | WS_CHILD | WS_VISIBLE, 30, 6, " +
                                 std::to_string(r.nWidth()) + ", " + std::to_string(r.nHeight()));
}

}  // namespace
