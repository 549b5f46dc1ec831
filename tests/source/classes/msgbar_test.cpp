// Message bars, their panels and status bars, read back through messages
// and the objects' own state.
#include "msgbar.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu.hpp"
#include "parent_window.hpp"
#include "popup_menus.hpp"
#include "test_support.hpp"
#include "toolbar.hpp"

namespace {

using namespace wl;

class MsgBarTest : public ::testing::Test {
protected:
    wltest::Parent p{200, 500};
    TMsgBar bar;
    void SetUp() override {
        MsgBarNew n;
        n.oWnd = &p.w;
        n.cPrompt = "X12 tool ready";
        bar.New(n);
    }
    LRESULT click(UINT msg, int row, int col) { return SendMessageA(bar.hWnd, msg, 0, MAKELPARAM(col, row)); }
};

TEST_F(MsgBarTest, DocksAtTheBottomOfItsWindow) {
    EXPECT_EQ(p.w.oMsgBar, &bar);
    EXPECT_EQ(GETMSGBARDEFAULT(), &bar);
    EXPECT_EQ(bar.Height(), p.w.nGetChrHeight() + 8 + 2 * GetSystemMetrics(SM_CYBORDER));
    RECT pc{}, br{};
    GetClientRect(p.w.hWnd, &pc);
    GetWindowRect(bar.hWnd, &br);
    MapWindowPoints(nullptr, p.w.hWnd, reinterpret_cast<POINT*>(&br), 2);
    EXPECT_EQ(br.bottom, pc.bottom);
    EXPECT_EQ(br.left, -1);
    EXPECT_EQ(br.right, pc.right + 1);
    // The window's layout keeps it there when the window grows.
    SetWindowPos(p.w.hWnd, nullptr, 0, 0, 600, 300, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(p.w.hWnd, &pc);
    GetWindowRect(bar.hWnd, &br);
    MapWindowPoints(nullptr, p.w.hWnd, reinterpret_cast<POINT*>(&br), 2);
    EXPECT_EQ(br.bottom, pc.bottom);
    EXPECT_EQ(br.right, pc.right + 1);
}

TEST_F(MsgBarTest, NewTextsReplaceTheShownOneByExactComparison) {
    struct Step {
        std::string set, shown;
    };
    // Each text replaces the one before, also a shorter text that the shown
    // one begins with; "" goes back to the default prompt.
    const Step steps[] = {{"Open file", "Open file"}, {"Open", "Open"}, {"Open file", "Open file"},
                          {"", ""},                   {"Rec 1", "Rec 1"}, {"Rec 12", "Rec 12"}};
    for (const Step& s : steps) {
        bar.SetMsg(s.set);
        EXPECT_EQ(bar.cMsg, s.shown) << "after \"" << s.set << "\"";
    }
    EXPECT_EQ(bar.cMsgDef, "X12 tool ready");
}

TEST_F(MsgBarTest, WindowsAndTheirControlsShowTheirMessagesInIt) {
    p.w.SetMsg("From the window");
    EXPECT_EQ(bar.cMsg, "From the window");
    TToolBar tb;
    tb.New(&p.w);
    tb.AddButton(nullptr, "tip", "Go", nullptr, "Converts an X12 file");
    tb.AddButton(nullptr, "tip2", "Stop");
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageA(tb.hWnd, TB_GETTOOLTIPS, 0, 0));
    info.hdr.idFrom = 1;
    info.hdr.code = TTN_GETDISPINFOW;
    SendMessageA(p.w.hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(bar.cMsg, "Converts an X12 file");
    info.hdr.idFrom = 2;
    SendMessageA(p.w.hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(bar.cMsg, "") << "a button without a message clears it";
}

TEST_F(MsgBarTest, PanelsStandRightAlignedAndTakeClicksOnThemOnly) {
    std::vector<std::string> clicks;
    TMsgItem a, b;
    MsgItemNew na;
    na.oMsgBar = &bar;
    na.cMsg = "First";
    na.nWidth = 60;
    na.lAdd = true;
    na.bAction = [&](int, int) { clicks.push_back("First"); };
    a.New(na);
    MsgItemNew nb = na;
    nb.cMsg = "Second";
    nb.nWidth = 50;
    nb.bAction = [&](int, int) { clicks.push_back("Second"); };
    b.New(nb);
    ASSERT_EQ(bar.GetItems(), 2);
    RECT c{};
    GetClientRect(bar.hWnd, &c);
    EXPECT_EQ(b.nLeft(), c.right - 13 - 48) << "the last panel added is rightmost";
    EXPECT_EQ(a.nLeft(), c.right - 13 - 54 - 58);
    const int row = bar.Height() - 4;
    click(WM_LBUTTONDOWN, row, b.nLeft() + 5);
    click(WM_LBUTTONDOWN, row, a.nLeft());
    click(WM_LBUTTONDOWN, row, 5);             // the message pane
    click(WM_LBUTTONDOWN, 3, a.nLeft() + 5);   // above the panels' rows
    EXPECT_EQ(clicks, (std::vector<std::string>{"Second", "First"}));
    bar.DelItem(a);
    EXPECT_EQ(bar.GetItems(), 1);
    {
        TMsgItem gone;
        MsgItemNew ng = na;
        gone.New(ng);
        EXPECT_EQ(bar.GetItems(), 2);
    }
    EXPECT_EQ(bar.GetItems(), 1) << "a panel leaves its bar when it goes";
}

TEST_F(MsgBarTest, APanelsTooltipShowsWhileTheMouseIsOverIt) {
    TMsgItem save, plain;
    MsgItemNew n;
    n.oMsgBar = &bar;
    n.cMsg = "Save";
    n.nWidth = 60;
    n.lAdd = true;
    n.bAction = [](int, int) {};
    n.cToolTip = "Saves the file";
    save.New(n);
    n.cMsg = "Plain";
    n.cToolTip.clear();
    plain.New(n);
    const int row = bar.Height() - 4;
    SendMessageA(bar.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(save.nLeft() + 5, row));
    HWND tip = openToolTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(toolTipText(tip), "Saves the file");
    // Shown at once above the bar at the panel's left.
    EXPECT_TRUE(IsWindowVisible(tip));
    RECT shown{}, barRect{};
    GetWindowRect(tip, &shown);
    GetWindowRect(bar.hWnd, &barRect);
    POINT panel{save.nLeft(), 0};
    ClientToScreen(bar.hWnd, &panel);
    // The control may shift its frame by a pixel.
    EXPECT_NEAR(shown.left, panel.x, 2);
    EXPECT_NEAR(shown.top, panel.y - 16, 2);
    SendMessageA(bar.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(plain.nLeft() + 5, row));
    EXPECT_EQ(openToolTip(), nullptr) << "a panel without one closes it";
    SendMessageA(bar.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(save.nLeft() + 5, row));
    EXPECT_NE(openToolTip(), nullptr);
    SendMessageA(bar.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, row));
    EXPECT_EQ(openToolTip(), nullptr) << "the message pane closes it";
}

TEST_F(MsgBarTest, TheSkinIsPaintedOverTheColumnsAskedOnly) {
    bar.l2007 = true;
    RECT c{};
    GetClientRect(bar.hWnd, &c);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, c.right, c.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    FillRect(mem, &c, black);
    bar.PaintBar(mem, 10, 20);
    const int y = c.bottom / 2;
    EXPECT_EQ(GetPixel(mem, 9, y), RGB(0, 0, 0));
    EXPECT_NE(GetPixel(mem, 10, y), RGB(0, 0, 0));
    EXPECT_NE(GetPixel(mem, 29, y), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(mem, 30, y), RGB(0, 0, 0));
    bar.lPainting = true;  // panels being painted: the skin is there already
    FillRect(mem, &c, black);
    bar.PaintBar(mem);
    EXPECT_EQ(GetPixel(mem, 15, y), RGB(0, 0, 0));
    bar.lPainting = false;
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
}

TEST_F(MsgBarTest, APanelSavedAndLoadedKeepsItsTextAndWidth) {
    TMsgItem saved, loaded;
    MsgItemNew n;
    n.oMsgBar = &bar;
    n.cMsg = "Claims";
    n.nWidth = 72;
    n.lAdd = true;
    saved.New(n);
    n.cMsg = "x";
    n.nWidth = 40;
    loaded.New(n);
    ASSERT_TRUE(loaded.Load(saved.Save()));
    EXPECT_EQ(loaded.cMsg, "Claims");
    EXPECT_EQ(loaded.nWidth, 72);
    EXPECT_FALSE(loaded.Load(TWindow().Save())) << "a window's record is not a panel's";
    // A new panel's values are not written.
    TMsgItem plain;
    EXPECT_EQ(plain.Save(), std::string("O\x0C\x00\x08\x00TMSGITEM\x00\x00", 15));
}

TEST_F(MsgBarTest, TheDesignMenuTogglesThePanelsAndShowsTheSource) {
    zrtest::PromptRecorder prompts;
    std::string choose;
    std::vector<std::vector<std::string>> shown;  // each menu: its prompts, checked ones marked
    setPopupMenuHook([&](HMENU m, HWND, int, int) {
        TMenu* menu = TMenu::GetPopup(m);
        if (!menu) return;
        std::vector<std::string> items;
        for (const auto& item : menu->aItems()) items.push_back(item->cPrompt + (item->lChecked ? " *" : ""));
        shown.push_back(items);
        for (const auto& item : menu->aItems())
            if (item->cPrompt == choose) menu->Command(item->nId);
    });
    bar.lDrag = true;
    choose = "Clock";
    click(WM_RBUTTONDOWN, 5, 5);  // design mode: the right button opens it
    EXPECT_NE(bar.oClock, nullptr);
    bar.FastEdit(5, 5);
    EXPECT_EQ(bar.oClock, nullptr);
    choose = "Source code...";
    bar.FastEdit(5, 5);
    setPopupMenuHook(nullptr);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], (std::vector<std::string>{"Prompt...", "", "Date", "Clock", "Keyboard", "", "Source code..."}));
    EXPECT_EQ(shown[1][3], "Clock *");
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].caption, "Source code");
}

TEST_F(MsgBarTest, TimerPanelsTakeEveryNewTextExactly) {
    TMsgItem item;
    MsgItemNew n;
    n.oMsgBar = &bar;
    n.lAdd = true;
    item.New(n);
    std::string next = "Rec 1";
    item.bMsg = [&] { return next; };
    item.lTimer = true;
    for (const char* text : {"Rec 1", "Rec 12", "Rec 1", "Rec 10"}) {
        next = text;
        bar.TimerEval();
        EXPECT_EQ(item.cMsg, text);
    }
}

TEST_F(MsgBarTest, BuiltInPanelsComeAndGo) {
    bar.KeybOn();
    bar.DateOn();
    bar.ClockOn();
    ASSERT_EQ(bar.GetItems(), 5);
    ASSERT_TRUE(bar.oClock && bar.oDate && bar.oKeyCaps);
    EXPECT_EQ(bar.oKeyNum->cMsg, "Num");
    EXPECT_EQ(bar.oKeyCaps->cMsg, "Caps");
    EXPECT_EQ(bar.oKeyIns->cMsg, "Ins");
    EXPECT_EQ(bar.oClock->cMsg.size(), 8u);  // HH:MM:SS
    EXPECT_EQ(bar.oClock->cMsg[2], ':');
    EXPECT_EQ(bar.oDate->cMsg.size(), 8u);  // MM/DD/YY
    EXPECT_EQ(bar.oDate->cMsg[2], '/');
    EXPECT_EQ(bar.aItems.back(), bar.oClock) << "the clock is added last";
    bar.KeybOff();
    bar.ClockOff();
    EXPECT_EQ(bar.GetItems(), 1);
    EXPECT_EQ(bar.oClock, nullptr);
    EXPECT_EQ(bar.aItems.front(), bar.oDate);
}

TEST_F(MsgBarTest, DoubleClicksShowTheResourceLineAndPutTheTitleBack) {
    p.w.SetText("Main window");
    click(WM_LBUTTONDBLCLK, 5, 5);
    EXPECT_TRUE(bar.lCheckRes);
    bar.TimerEval();
    const std::string title = p.w.GetText();
    const std::string bits = sizeof(void*) == 8 ? "(64 bits)" : "(32 bits)";
    EXPECT_EQ(title.rfind(bits + " MemUsed: ", 0), 0u) << title;
    EXPECT_NE(title.find(" Running time: 0 hours "), std::string::npos) << title;
    click(WM_LBUTTONDBLCLK, 5, 5);
    EXPECT_FALSE(bar.lCheckRes);
    bar.TimerEval();
    EXPECT_EQ(p.w.GetText(), "Main window");
    bar.lInfoRes = false;
    click(WM_LBUTTONDBLCLK, 5, 5);
    EXPECT_FALSE(bar.lCheckRes) << "the monitor can be locked off";
}

TEST(StatusBar, PartsTextsAndTheClock) {
    wltest::Parent p(200, 500);
    TStatusBar sb;
    StatusBarNew n;
    n.oWnd = &p.w;
    n.cMsgDef = "Ready";
    sb.New(n);
    EXPECT_EQ(p.w.oBottom, &sb);
    EXPECT_EQ(sb.GetText(), "Ready");
    ASSERT_TRUE(sb.SetParts({100, 250, -1}));
    EXPECT_EQ(sb.GetParts(), (std::vector<int>{100, 250, -1}));
    {
        // The caller's text goes at once: the control must have its copy.
        std::string text = "Claims: 12";
        EXPECT_TRUE(sb.SetPartText(2, text));
        text.assign(text.size(), '#');
    }
    EXPECT_EQ(sb.GetPartText(2), "Claims: 12");
    sb.SetPrompts({"one", "two"});
    EXPECT_EQ(sb.GetPartText(1), "one");
    sb.SetMsg("Converting");
    EXPECT_EQ(sb.GetPartText(1), "Converting");
    sb.SetMsg("");
    EXPECT_EQ(sb.GetPartText(1), "Ready");

    TStatusBar clock;
    StatusBarNew c;
    c.oWnd = &p.w;
    c.lClock = true;
    clock.New(c);
    ASSERT_TRUE(clock.nPartTime.has_value());
    RECT r{};
    GetClientRect(clock.hWnd, &r);
    const auto parts = clock.GetParts();
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0], r.right - 70);
    EXPECT_EQ(parts[1], r.right);
    clock.TimerEval();
    const std::string t = clock.GetPartText(*clock.nPartTime);
    EXPECT_EQ(t.size(), 9u);
    EXPECT_EQ(t[0], ' ');
    EXPECT_EQ(t[3], ':');
}

}  // namespace
