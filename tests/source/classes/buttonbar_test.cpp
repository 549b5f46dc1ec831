// Button bars and their bitmap buttons: clicks through mouse and key
// messages, drop-down arrows, groups, docking, floating and the profile.
#include "buttonbar.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "parent_window.hpp"
#include "menu.hpp"
#include "popup_menus.hpp"
#include "test_support.hpp"
#include "window_natives.hpp"

namespace {

using namespace wl;

std::vector<std::string> menuTexts(HMENU m) {
    std::vector<std::string> out;
    for (int i = 0; i < GetMenuItemCount(m); ++i) {
        char text[64] = {};
        GetMenuStringA(m, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const UINT state = GetMenuState(m, static_cast<UINT>(i), MF_BYPOSITION);
        if (state & MF_SEPARATOR)
            out.push_back("-");
        else
            out.push_back(std::string(text) + ((state & MF_GRAYED) ? " (off)" : ""));
    }
    return out;
}

class ButtonBarTest : public ::testing::Test {
protected:
    wltest::Parent p{200, 400};
    TBar bar;
    std::vector<std::unique_ptr<TBtnBmp>> buttons;
    std::vector<std::string> log;
    int shown = 0;
    std::vector<std::string> shownItems;

    void SetUp() override {
        setPopupMenuHook([this](HMENU m, HWND, int, int) {
            ++shown;
            // A drop-down's TMenu draws its own items: read their prompts.
            if (TMenu* menu = TMenu::GetPopup(m)) {
                shownItems.clear();
                for (const auto& item : menu->aItems()) shownItems.push_back(item->cPrompt);
            } else {
                shownItems = menuTexts(m);
            }
        });
        BarNew n;
        n.oWnd = &p.w;
        n.l3D = true;
        bar.New(n);
    }
    void TearDown() override { setPopupMenuHook(nullptr); }

    TBtnBmp& add(const std::string& name, bool group = false, bool popup = false) {
        buttons.push_back(std::make_unique<TBtnBmp>());
        BarBtnNew a;
        a.oBar = &bar;
        a.cMsg = name;
        a.lGroup = group;
        a.bAction = [this, name](TBtnBmp&) { log.push_back(name); };
        if (popup)
            a.oPopup = [](TBtnBmp&) {
                auto m = MENUBEGIN(true);
                MenuItemNew recent;
                recent.cPrompt = "Recent";
                MENUADDITEM(recent);
                return MENUEND();
            };
        return buttons.back()->NewBar(a);
    }
    static void press(TBtnBmp& b, int col, int row = 5) {
        SendMessageA(b.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(col, row));
        SendMessageA(b.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(col, row));
    }
};

TEST_F(ButtonBarTest, TakesTheTopSlotsAndLaysButtonsOutInGroups) {
    EXPECT_EQ(p.w.oBar, &bar);
    EXPECT_EQ(p.w.oTop, &bar);
    add("Open");
    add("Save");
    add("Print", true);
    ASSERT_EQ(bar.count(), 3);
    EXPECT_EQ(bar.nGroups, 1);
    bar.BtnAdjust();
    const int w = WNDWIDTH(bar.button(1)->hWnd);
    const auto places = barButtonPlaces(kBarTop, bar.look(), {{w}, {w}, {w, true}});
    for (int i = 1; i <= 3; ++i) {
        RECT r{};
        GetWindowRect(bar.button(i)->hWnd, &r);
        MapWindowPoints(nullptr, bar.hWnd, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, places[static_cast<std::size_t>(i - 1)].second) << i;
        EXPECT_EQ(r.top, places[static_cast<std::size_t>(i - 1)].first) << i;
    }
}

TEST_F(ButtonBarTest, ClicksRunTheActionAndTheArrowOpensTheMenuInstead) {
    TBtnBmp& open = add("Open");
    TBtnBmp& view = add("View", false, true);
    press(open, 5);
    RECT r{};
    GetClientRect(view.hWnd, &r);
    press(view, r.right - 5);  // on the arrow
    press(view, 3);
    EXPECT_EQ(log, (std::vector<std::string>{"Open", "View"}));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(shownItems, std::vector<std::string>{"Recent"});
    EXPECT_FALSE(open.lPressed) << "released after the click";
    // A release outside the button clicks nothing.
    SendMessageA(open.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(open.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    EXPECT_EQ(log.size(), 2u);
}

TEST_F(ButtonBarTest, KeysClickAtKeyUp) {
    TBtnBmp& b = add("Key");
    SendMessageA(b.hWnd, WM_CHAR, VK_SPACE, 0);
    EXPECT_TRUE(b.lPressed);
    EXPECT_TRUE(log.empty());
    SendMessageA(b.hWnd, WM_KEYUP, VK_SPACE, 0);
    EXPECT_FALSE(b.lPressed);
    EXPECT_EQ(log, std::vector<std::string>{"Key"});
}

TEST_F(ButtonBarTest, AnActionRunsOnceWhileItIsRunning) {
    TBtnBmp& b = add("Busy");
    int runs = 0;
    b.bAction = [&](TBtnBmp& self) {
        ++runs;
        EXPECT_TRUE(self.lProcessing);
        self.Click();  // a second click while the first is handled
    };
    b.Click();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(b.lProcessing);
    b.Click();
    EXPECT_EQ(runs, 2) << "the guard is cleared after the action";
    b.bAction = [](TBtnBmp&) { throw std::runtime_error("failed"); };
    EXPECT_THROW(b.Click(), std::runtime_error);
    EXPECT_FALSE(b.lProcessing) << "cleared when the action fails too";
}

TEST_F(ButtonBarTest, WhenClosuresDisableAndRefuseClicks) {
    bool allowed = false;
    BarBtnNew a;
    a.oBar = &bar;
    a.bWhen = [&] { return allowed; };
    int runs = 0;
    a.bAction = [&](TBtnBmp&) { ++runs; };
    TBtnBmp b;
    b.NewBar(a);
    EXPECT_FALSE(IsWindowEnabled(b.hWnd));
    b.Click();
    EXPECT_EQ(runs, 0);
    allowed = true;
    b.Click();
    EXPECT_EQ(runs, 1);
}

TEST_F(ButtonBarTest, DeletingTheFirstButtonOfAGroupPassesTheGap) {
    add("A");
    add("B", true);
    add("C");
    bar.Del(2);
    ASSERT_EQ(bar.count(), 2);
    EXPECT_EQ(bar.button(2)->cMsg, "C");
    EXPECT_TRUE(bar.button(2)->lGroup);
    bar.DelGroup(2);
    EXPECT_FALSE(bar.button(2)->lGroup);
    bar.AddGroup(2);
    EXPECT_TRUE(bar.button(2)->lGroup);
}

TEST_F(ButtonBarTest, RightClickOffersTheFreeEdgesAndRedocks) {
    add("A");
    SendMessageA(bar.hWnd, WM_RBUTTONDOWN, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(shownItems, (std::vector<std::string>{"&Left", "&Right", "&Bottom", "-", "&Float"}));
    bar.GoLeft();
    EXPECT_EQ(p.w.oLeft, &bar);
    EXPECT_EQ(p.w.oTop, nullptr);
    EXPECT_EQ(p.w.oBar, nullptr);
    RECT r{};
    GetWindowRect(bar.hWnd, &r);
    EXPECT_EQ(r.right - r.left, 28 + 5) << "button width + 5 in the classic 3-D look";
    // A chosen item arrives as a command of the bar.
    SendMessageA(bar.hWnd, WM_COMMAND, kBarBottom, 0);
    EXPECT_EQ(p.w.oBottom, &bar);
    EXPECT_EQ(p.w.oLeft, nullptr);
}

TEST_F(ButtonBarTest, FloatsInAToolWindowAndDocksBack) {
    TBtnBmp& a = add("A");
    add("B");
    bar.Float();
    ASSERT_TRUE(bar.oFloat);
    EXPECT_EQ(bar.nMode, kBarFloat);
    EXPECT_EQ(GetParent(a.hWnd), bar.oFloat->hWnd);
    auto shown = [&] { return (GetWindowLongPtrA(bar.hWnd, GWL_STYLE) & WS_VISIBLE) != 0; };
    EXPECT_FALSE(shown());
    EXPECT_EQ(p.w.oTop, nullptr);
    bar.FloatClick(kBarBottom);
    EXPECT_EQ(bar.oFloat, nullptr);
    EXPECT_EQ(GetParent(a.hWnd), bar.hWnd);
    EXPECT_EQ(p.w.oBottom, &bar);
    EXPECT_TRUE(shown());
    press(a, 3);
    EXPECT_EQ(log, std::vector<std::string>{"A"});
}

TEST_F(ButtonBarTest, SaveIniWritesTheBarAndItsButtons) {
    zrtest::TempDir dir;
    const std::string ini = dir.file("bars.ini");
    bar.SaveIni("Main", ini);
    EXPECT_EQ(GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES) << "a bar without buttons writes nothing";
    TBtnBmp& b = add("Open a file", true);
    b.cToolTip = "Open";
    b.cAction = "OpenFile()";
    bar.SaveIni("Main", ini);
    char v[256] = {};
    GetPrivateProfileStringA("ButtonBar", "1", "", v, sizeof v, ini.c_str());
    EXPECT_STREQ(v, "Main,1");
    GetPrivateProfileStringA("ButtonBar.Main", "Button1", "", v, sizeof v, ini.c_str());
    EXPECT_STREQ(v, ",,,,Open a file,OpenFile(),T,F,Open,F");
}

TEST(BtnBmp, StandAloneButtonsClickAndLayoutWords) {
    EXPECT_EQ(btnLayoutOf("top"), 1);
    EXPECT_EQ(btnLayoutOf("RIGHT"), 4);
    EXPECT_EQ(btnLayoutOf("MIDDLE"), 0);
    wltest::Parent p;
    int runs = 0;
    BtnBmpNew n;
    n.oWnd = &p.w;
    n.nTop = 10;
    n.nLeft = 10;
    n.nWidth = 40;
    n.nHeight = 30;
    n.cCaption = "Go";
    n.bAction = [&](TBtnBmp&) { ++runs; };
    TBtnBmp b;
    b.New(n);
    EXPECT_TRUE(GetWindowLongPtrA(b.hWnd, GWL_STYLE) & WS_TABSTOP);
    SendMessageA(b.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(b.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(runs, 1);
    b.Toggle();
    EXPECT_TRUE(b.lPressed && b.lBtnDown);
    b.GoUp();
    EXPECT_FALSE(b.lPressed || b.lBtnDown);
}

}  // namespace

#include "dialog.hpp"

namespace {

BtnBmpNew btnBmpOffice(TWindow* parent) {
    BtnBmpNew n;
    n.oWnd = parent;
    n.nTop = 10;
    n.nLeft = 10;
    n.nWidth = 60;
    n.nHeight = 40;
    n.lOffice = true;
    return n;
}

// The colour at the middle of the button's top inset `y` rows.
COLORREF btnBmpTopPixel(TBtnBmp& b, int y) {
    RedrawWindow(b.hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(b.hWnd);
    const COLORREF c = GetPixel(dc, 30, y);
    ReleaseDC(b.hWnd, dc);
    return c;
}

TEST(BtnBmp, OfficeButtonsTakeTheirShapeAndShowTheMouseOverBox) {
    wltest::Parent p;
    ShowWindow(p.w.hWnd, SW_SHOW);
    struct Case {
        const char* what;
        bool round, ellipse;
        int regionType;
    } const cases[] = {{"round", true, false, COMPLEXREGION}, {"elliptic", false, true, COMPLEXREGION},
                       {"square", false, false, ERROR}};
    for (const Case& c : cases) {
        BtnBmpNew n = btnBmpOffice(&p.w);
        n.lRound = c.round;
        TBtnBmp b;
        b.lEllipse = c.ellipse;
        b.New(n);
        RedrawWindow(b.hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HRGN probe = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetWindowRgn(b.hWnd, probe), c.regionType) << c.what;
        DeleteObject(probe);
        EXPECT_EQ(b.hRgn != nullptr, c.round || c.ellipse) << c.what;
        const int boxRow = c.ellipse ? 2 : c.round ? 2 : 3;
        EXPECT_NE(btnBmpTopPixel(b, boxRow), RGB(221, 207, 155)) << c.what;
        b.lMOver = true;
        EXPECT_EQ(btnBmpTopPixel(b, boxRow), RGB(221, 207, 155)) << c.what << ": the mouse-over box";
        b.lBoxSelect = false;
        EXPECT_NE(btnBmpTopPixel(b, boxRow), RGB(221, 207, 155)) << c.what << ": switched off";
    }
    ShowWindow(p.w.hWnd, SW_HIDE);
}

TEST(BtnBmp, EllipsesAlphaSlotsBorderAndDesignerText) {
    wltest::Parent p;
    TBtnBmp b;
    b.New(btnBmpOffice(&p.w));
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 60, 40);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT all{0, 0, 60, 40};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    b.DrawEllipse(mem, RGB(0, 0, 200), 3);
    EXPECT_EQ(GetPixel(mem, 30, 3), RGB(0, 0, 200)) << "top of the ellipse, 3 in";
    EXPECT_EQ(GetPixel(mem, 30, 20), RGB(255, 255, 255)) << "unfilled";
    EXPECT_EQ(GetPixel(mem, 30, 2), RGB(255, 255, 255));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);

    EXPECT_FALSE(b.HasAlpha(nullptr, 9));  // slot clamped to 4
    EXPECT_FALSE(b.aHasAlpha[3]);
    b.bAlphaLevel = [](TBtnBmp&) { return 90; };
    EXPECT_EQ(b.nAlphaLevel(), 90);
    EXPECT_EQ(b.nAlphaLevel(30), 30);
    EXPECT_TRUE(b.lBorder);
    b.ResetBorder();
    EXPECT_FALSE(b.lBorder);
    EXPECT_EQ(b.cGenPRG(), "\r\n\r\n   DEFINE BTNBMP OF oBar ACTION MsgInfo( \"Not defined yet\" )");
}

TEST(BtnBmp, ReDefineBindsTheDialogItem) {
    TDialog d;
    DialogNew dn;
    dn.nWidth = 200;
    dn.nHeight = 120;
    d.New(dn);
    int runs = 0;
    BtnBmpNew n;
    n.oWnd = &d;
    n.cCaption = "Run";
    n.cToolTip = "Runs it";
    n.bAction = [&](TBtnBmp&) { ++runs; };
    TBtnBmp b;
    b.ReDefine(320, n);
    b.nRight = 50;
    b.nBottom = 30;
    EXPECT_EQ(b.hWnd, nullptr);
    DialogActivate a;
    a.lModal = false;
    d.Activate(a);
    ASSERT_EQ(b.hWnd, GetDlgItem(d.hWnd, 320));
    EXPECT_EQ(toolTipString(b.cToolTip), "Runs it");
    b.Click();
    EXPECT_EQ(runs, 1);
    d.End(1);
}

}  // namespace

namespace {

TEST_F(ButtonBarTest, ASystemCommandReleasesButtonsHeldDownButNotToggledOnes) {
    TBtnBmp& held = add("held");
    TBtnBmp& toggled = add("toggled");
    held.lPressed = true;  // the mouse went down on it
    toggled.Toggle();      // down until toggled again
    SendMessageA(p.w.hWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(held.lPressed);
    EXPECT_TRUE(toggled.lPressed && toggled.lBtnDown);
}

}  // namespace
