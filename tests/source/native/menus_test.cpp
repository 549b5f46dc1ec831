// Owner-drawn menu painters on memory device contexts with filled-in
// draw-item records.
#include <windows.h>

#include <gtest/gtest.h>

#include "bitmaps.hpp"
#include "drawing.hpp"
#include "memory_canvas.hpp"
#include "menus.hpp"

namespace {

const COLORREF kCanvas = RGB(1, 2, 3);

struct MenuCanvas : wltest::MemoryCanvas {
    MenuCanvas(int w, int h) : MemoryCanvas(w, h, kCanvas) {}
    // Whether any pixel in the columns [x0, x1) of the row band is dark (text).
    bool darkIn(int x0, int x1, int y0, int y1) {
        GdiFlush();
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                COLORREF c = GetPixel(dc(), x, y);
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) return true;
            }
        return false;
    }
};

DRAWITEMSTRUCT record(HDC dc, RECT rc, UINT state, HMENU menu = nullptr, UINT id = 1, UINT action = ODA_DRAWENTIRE) {
    DRAWITEMSTRUCT di{};
    di.CtlType = ODT_MENU;
    di.itemID = id;
    di.itemAction = action;
    di.itemState = state;
    di.hwndItem = reinterpret_cast<HWND>(menu);
    di.hDC = dc;
    di.rcItem = rc;
    return di;
}

class MenuPainting : public ::testing::Test {
protected:
    void TearDown() override { wl::DELCHECK2007(); }
};

TEST_F(MenuPainting, FocusOnlyAnswersFalse) {
    MenuCanvas c(100, 20);
    auto di = record(c.dc(), {0, 0, 100, 20}, 0, nullptr, 1, ODA_FOCUS);
    EXPECT_FALSE(wl::MENUDRAWITEM(&di, "Open", nullptr, nullptr));
    wl::SET2007SKINMENU();
    EXPECT_FALSE(wl::MENUDRAW2007(&di, "Open", nullptr, nullptr, nullptr));
    EXPECT_EQ(c.at(50, 10), kCanvas);
}

TEST_F(MenuPainting, PopupItemBackgroundInBothLooks) {
    for (int look : {1, 2}) {
        look == 1 ? wl::SET2007SKINMENU() : wl::SET2010SKINMENU();
        MenuCanvas c(150, 20);
        auto di = record(c.dc(), {0, 0, 150, 20}, 0);
        EXPECT_TRUE(wl::MENUDRAW2007(&di, "", nullptr, nullptr, nullptr));
        EXPECT_EQ(c.at(5, 10), wl::currentMenuSkin().iconColumn) << look;
        EXPECT_EQ(c.at(24, 10), wl::currentMenuSkin().line1) << look;
        EXPECT_EQ(c.at(100, 10), wl::currentMenuSkin().textArea) << look;
        // An empty prompt draws the separator's two lines.
        EXPECT_EQ(c.at(100, 4), wl::currentMenuSkin().line1) << look;
        EXPECT_EQ(c.at(100, 5), wl::currentMenuSkin().line2) << look;
    }
}

TEST_F(MenuPainting, GreyedSelectionOnlyInThe2010Look) {
    wl::SET2007SKINMENU();
    MenuCanvas a(120, 20);
    auto di = record(a.dc(), {0, 0, 120, 20}, ODS_SELECTED | ODS_GRAYED);
    EXPECT_TRUE(wl::MENUDRAW2007(&di, "", nullptr, nullptr, nullptr));
    EXPECT_EQ(a.at(60, 3), kCanvas);

    wl::SET2010SKINMENU();
    MenuCanvas b(120, 20);
    di = record(b.dc(), {0, 0, 120, 20}, ODS_SELECTED | ODS_GRAYED);
    EXPECT_TRUE(wl::MENUDRAW2007(&di, "", nullptr, nullptr, nullptr));
    COLORREF inside = b.at(60, 3);
    EXPECT_NE(inside, kCanvas);
    EXPECT_NEAR(GetRValue(inside), GetBValue(inside), 1);  // grey, not coloured
    EXPECT_GE(GetRValue(inside), 235);  // the grey gradient
    EXPECT_EQ(b.at(60, 0), wl::currentMenuSkin().grayFrame);

    // A selected, enabled item in the 2007 look gets its golden selection.
    wl::SET2007SKINMENU();
    MenuCanvas s(120, 20);
    di = record(s.dc(), {0, 0, 120, 20}, ODS_SELECTED);
    wl::MENUDRAW2007(&di, "", nullptr, nullptr, nullptr);
    EXPECT_EQ(s.at(60, 0), wl::currentMenuSkin().selectionFrame);
    COLORREF lower = s.at(60, 15);  // in the lower gradient, RGB(255,215,84) to RGB(255,233,162)
    EXPECT_EQ(GetRValue(lower), 255);
    EXPECT_GE(GetGValue(lower), 215);
    EXPECT_LE(GetGValue(lower), 233);
    EXPECT_GE(GetBValue(lower), 84);
}

TEST_F(MenuPainting, TabPromptRightAlignsTheKey) {
    MenuCanvas c(200, 20);
    auto di = record(c.dc(), {0, 0, 200, 20}, 0);
    EXPECT_TRUE(wl::MENUDRAWITEM(&di, "Open\tCtrl+O", nullptr, nullptr));
    EXPECT_TRUE(c.darkIn(21, 60, 0, 20));      // the word at the left
    EXPECT_TRUE(c.darkIn(120, 179, 0, 20));    // the key name up to the edge
    EXPECT_FALSE(c.darkIn(180, 200, 0, 20));   // nothing past 21 pixels in
    EXPECT_FALSE(c.darkIn(80, 110, 0, 20));    // a gap between the two
}

TEST_F(MenuPainting, ClassicSelectionUsesTheHighlight) {
    MenuCanvas c(150, 20);
    auto di = record(c.dc(), {0, 0, 150, 20}, ODS_SELECTED);
    EXPECT_TRUE(wl::MENUDRAWITEM(&di, "", nullptr, nullptr));
    EXPECT_EQ(c.at(100, 10), GetSysColor(COLOR_HIGHLIGHT));
    auto plain = record(c.dc(), {0, 0, 150, 20}, 0);
    EXPECT_TRUE(wl::MENUDRAWITEM(&plain, "", nullptr, nullptr));
    EXPECT_EQ(c.at(100, 10), GetSysColor(COLOR_MENU));
    // An item that starts in from the pop-up's frame is one bar from its
    // left edge on, with no gap between the icon column and the text.
    MenuCanvas in(150, 20);
    auto shifted = record(in.dc(), {3, 0, 150, 20}, ODS_SELECTED);
    EXPECT_TRUE(wl::MENUDRAWITEM(&shifted, "", nullptr, nullptr));
    for (int x = 3; x < 150; ++x) ASSERT_EQ(in.at(x, 10), GetSysColor(COLOR_HIGHLIGHT)) << x;
}

TEST_F(MenuPainting, LastBarItemPaintsToTheWindowEdge) {
    wl::SET2007SKINMENU();
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    RECT client{};
    GetClientRect(w, &client);
    HMENU bar = CreateMenu();
    MenuCanvas c(client.right + 40, 22);
    auto di = record(c.dc(), {0, 0, 50, 20}, 0, bar);
    EXPECT_TRUE(wl::MENUDRAW2007(&di, "File", bar, nullptr, w));
    EXPECT_NE(c.at(client.right - 5, 12), kCanvas);
    EXPECT_EQ(c.at(client.right - 5, 19), RGB(182, 188, 204));
    DestroyMenu(bar);
    DestroyWindow(w);
}

TEST_F(MenuPainting, BarBackgroundIsTheLibraryGradient) {
    wl::SET2007SKINMENU();
    HMENU bar = CreateMenu();
    MenuCanvas c(60, 22), expected(60, 22);
    // A bar neighbour's colour to the right: the item is not the last.
    SetPixel(c.dc(), 52, 0, RGB(255, 255, 255));
    auto di = record(c.dc(), {0, 0, 50, 20}, 0, bar);
    EXPECT_TRUE(wl::MENUDRAW2007(&di, "", bar, nullptr, nullptr));
    wl::GRADIENT(expected.dc(), {0, 0, 8, 50}, wl::currentMenuSkin().barFrom, wl::currentMenuSkin().barTo, true);
    wl::GRADIENT(expected.dc(), {9, 0, 20, 50}, RGB(212, 219, 237), RGB(225, 230, 246), true);
    for (int y = 0; y < 19; ++y) EXPECT_EQ(c.at(10, y), expected.at(10, y)) << y;
    DestroyMenu(bar);
}

TEST(MenuRecords, MeasureSeparatorsAndTexts) {
    MEASUREITEMSTRUCT mi{};
    mi.CtlType = ODT_MENU;
    wl::MENUMEASUREITEM(&mi, 120, true);
    EXPECT_EQ(mi.itemWidth, 120u);
    EXPECT_EQ(mi.itemHeight, 10u);
    wl::MENUMEASUREITEM(&mi, 80, false);
    EXPECT_EQ(mi.itemHeight, static_cast<UINT>(GetSystemMetrics(SM_CYMENU)));
    EXPECT_FALSE(wl::ISMISEPARATOR(&mi));  // item data 0
    EXPECT_TRUE(wl::ISMENUITEM(&mi));
    EXPECT_FALSE(wl::ISMENUITEM(nullptr));

    HMENU m = wl::CREATEPOPUPMENU();
    ASSERT_TRUE(wl::APPENDMENU(m, MF_STRING, 20001, "&Open\tCtrl+O"));
    ASSERT_TRUE(wl::APPENDMENU(m, MF_SEPARATOR, 20002, ""));
    EXPECT_EQ(wl::GETMITEMCOUNT(m), 2);
    EXPECT_EQ(wl::GETMENUSTRING(m, 20001, MF_BYCOMMAND), "&Open\tCtrl+O");
    wl::MITEMS2007(m);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoA(m, 20001, FALSE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(m));

    DRAWITEMSTRUCT di{};
    di.CtlType = ODT_MENU;
    di.hwndItem = reinterpret_cast<HWND>(m);
    di.itemID = 20002;
    EXPECT_TRUE(wl::ISSEPARATOR(&di));
    EXPECT_EQ(wl::GETDRAWMENU(&di), m);
    di.itemID = 20001;
    EXPECT_FALSE(wl::ISSEPARATOR(&di));
    EXPECT_EQ(wl::GETDRAWITEM(&di), 20001u);
    mi.itemData = reinterpret_cast<ULONG_PTR>(m);
    mi.itemID = 20002;
    EXPECT_TRUE(wl::ISMISEPARATOR(&mi));
    EXPECT_TRUE(wl::DESTROYMENU(m));
    EXPECT_FALSE(wl::ISMENU(m));
}

}  // namespace
