// The grid browse on a live window: keys, wheel, thumb and clicks move the
// model and the current row is read back; the header and the selected row
// are painted in their colours; Ctrl+C puts tab-separated rows on the
// clipboard without moving.
#include "xbrowse.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "dialog.hpp"
#include "font.hpp"
#include "parent_window.hpp"
#include "window_picture.hpp"
#include "test_support.hpp"
#include "timer_steps.hpp"
#include "popup_menus.hpp"
#include "tooltips.hpp"
#include "tree_building.hpp"

namespace {

using namespace wl;

struct XbParent : wltest::Parent {
    XbParent() : wltest::Parent(400, 400) {}
};

ValueList xbRowsOf(int n) {
    ValueList rows;
    rows.reserve(size_t(n));
    for (int i = 1; i <= n; ++i) rows.emplace_back(ValueList{Value("Claim " + std::to_string(i)), Value(i)});
    return rows;
}

struct XbBrowse {
    TXBrowse b;
    XbBrowse(TWindow& parent, int n) {
        b.model().SetArray(xbRowsOf(n));
        b.model().aCols[0].cHeader = "Claim";
        b.model().aCols[1].cHeader = "Lines";
        b.New(&parent, 0, 0, 300, 200, TFont::New(FontSpec{"Arial", 0, -14}));
    }
    void key(WPARAM vk) { SendMessageA(b.hWnd, WM_KEYDOWN, vk, 0); }
    int at() const { return b.model().KeyNo(); }
};

// Holds Ctrl for the keys sent meanwhile.
struct XbCtrlHeld {
    BYTE saved[256]{};
    XbCtrlHeld() {
        GetKeyboardState(saved);
        BYTE now[256];
        std::copy(saved, saved + 256, now);
        now[VK_CONTROL] = 0x80;
        SetKeyboardState(now);
    }
    ~XbCtrlHeld() { SetKeyboardState(saved); }
};

std::string xbClipboardText(HWND h) {
    std::string text;
    if (!OpenClipboard(h)) return text;
    if (HANDLE m = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(m));
        GlobalUnlock(m);
    }
    CloseClipboard();
    return text;
}

TEST(XBrowse, KeysWheelThumbAndClicksLandOnTheAimedRow) {
    XbParent p;
    XbBrowse br(p.w, 50000);
    const int rows = br.b.model().nDataRows;
    ASSERT_GT(rows, 3);
    const int h = br.b.nRowHeight();
    struct Step {
        const char* name;
        std::function<void()> act;
        int at, rowSel;
    };
    const Step steps[] = {
        {"down", [&] { br.key(VK_DOWN); }, 2, 2},
        {"page down", [&] { br.key(VK_NEXT); }, 2 + rows, 2},
        {"wheel up", [&] { SendMessageA(br.b.hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0); }, 2 + rows - 3, 1},
        {"thumb 25000", [&] { SendMessageA(br.b.hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 25000), 0); }, 25000, 1},
        {"click row 3", [&] { SendMessageA(br.b.hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(20, h * 3 + h / 2)); }, 25002, 3},
        {"end", [&] { br.key(VK_END); }, 50000, rows},
        {"up", [&] { br.key(VK_UP); }, 49999, rows - 1},
        {"home", [&] { br.key(VK_HOME); }, 1, 1},
    };
    for (const Step& s : steps) {
        s.act();
        EXPECT_EQ(br.at(), s.at) << s.name;
        EXPECT_EQ(br.b.model().nRowSel, s.rowSel) << s.name;
        EXPECT_EQ(GetScrollPos(br.b.hWnd, SB_VERT), s.at) << s.name;
    }
}

TEST(XBrowse, HeaderClickSortsAndCtrlCCopiesWithoutMoving) {
    XbParent p;
    XbBrowse br(p.w, 30);
    br.b.model().lAutoSort = true;
    for (TXBrwColumn& c : br.b.model().aCols) c.cSortOrder = Value(c.nArrayCol);
    const int lines = br.b.model().aCols[0].nWidth + 5;  // inside the second column
    for (int i = 0; i < 2; ++i) {
        SendMessageA(br.b.hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(lines, 3));
        SendMessageA(br.b.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(lines, 3));
    }
    EXPECT_EQ(br.b.model().aCols[1].cOrder, "D");
    br.key(VK_HOME);
    br.key(VK_DOWN);
    {
        XbCtrlHeld ctrl;
        br.key('C');
    }
    EXPECT_EQ(br.at(), 2);
    EXPECT_EQ(br.b.model().nRowSel, 2);
    br.b.model().nMarqueeStyle = 4;  // whole rows
    {
        XbCtrlHeld ctrl;
        br.key('C');
    }
    EXPECT_EQ(xbClipboardText(br.b.hWnd), "Claim 29\t29");
}

TEST(XBrowse, HeaderSelectedRowAndFooterArePaintedInTheirColours) {
    XbParent p;
    XbBrowse br(p.w, 20);
    br.b.lFooter = true;
    br.b.nClrHeaderBack = RGB(0, 128, 0);
    br.b.nClrSelFocusBack = RGB(0, 0, 200);
    br.b.nClrPane = RGB(255, 255, 255);
    br.b.model().nMarqueeStyle = 5;  // the whole row
    br.b.model().aCols[1].lTotal = true;
    br.b.model().MakeTotals();
    SetFocus(br.b.hWnd);
    br.key(VK_DOWN);
    const int h = br.b.nRowHeight();
    const int x = br.b.model().aCols[0].nWidth - 4;  // right of the text in the first column
    zrtest::WindowPicture pic(br.b.hWnd);
    EXPECT_EQ(pic.at(x, h / 2), RGB(0, 128, 0));              // header
    EXPECT_EQ(pic.at(x, h + h + h / 2), RGB(0, 0, 200));      // second data row, current
    EXPECT_EQ(pic.at(x, h + h / 2), RGB(255, 255, 255));      // first data row
    RECT c{};
    GetClientRect(br.b.hWnd, &c);
    EXPECT_EQ(pic.at(x, c.bottom - h / 2), RGB(0, 128, 0));   // footer
    EXPECT_EQ(br.b.model().aCols[1].FooterStr(), "210");
}

TEST(XBrowse, HeaderEdgeResizesAndHeaderDragMovesTheColumn) {
    XbParent p;
    XbBrowse br(p.w, 10);
    TXBrwColumn& first = br.b.model().aCols[0];
    const int edge = first.nWidth - 1;
    const int h = br.b.nRowHeight();
    SendMessageA(br.b.hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(edge, h / 2));
    EXPECT_EQ(br.b.nCaptured, 3);
    SendMessageA(br.b.hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(edge + 40, h / 2));
    SendMessageA(br.b.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(edge + 40, h / 2));
    EXPECT_EQ(first.nWidth, edge + 41);
    // Never narrower than 10 pixels.
    SendMessageA(br.b.hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(first.nWidth - 1, h / 2));
    SendMessageA(br.b.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(2, h / 2));
    EXPECT_EQ(first.nWidth, 10);
    // Dragging the second header onto the first moves it there; no sort.
    const int second = first.nWidth + 8;
    SendMessageA(br.b.hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(second, h / 2));
    EXPECT_EQ(br.b.nCaptured, 1);
    SendMessageA(br.b.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(3, h / 2));
    EXPECT_EQ(br.b.model().Display(), (std::vector<int>{2, 1}));
    EXPECT_EQ(br.b.model().aCols[1].cOrder, "");
    EXPECT_EQ(br.b.nAtCol(3), 2);
}

TEST(XBrowse, GroupBandMarqueeStylesAndDividersArePainted) {
    XbParent p;
    XbBrowse br(p.w, 20);
    br.b.nClrHeaderBack = RGB(0, 128, 0);
    br.b.nClrSelFocusBack = RGB(0, 0, 200);
    br.b.nClrPane = RGB(255, 255, 255);
    br.b.model().SetGroupHeader("Claim data", 1, 2);
    br.b.Refresh();
    SetFocus(br.b.hWnd);
    const int h = br.b.nRowHeight();
    EXPECT_EQ(br.b.nHeaderHeight(), 2 * h);
    const int w1 = br.b.model().aCols[0].nWidth;
    const int inFirst = w1 - 4, inSecond = w1 + br.b.model().aCols[1].nWidth - 4;
    struct Case {
        int style;
        COLORREF first, second;  // the current row's cells, first column selected
    };
    const Case cases[] = {
        {3, RGB(0, 0, 200), RGB(255, 255, 255)},  // the selected cell only
        {5, RGB(0, 0, 200), RGB(0, 0, 200)},      // the whole row
        {2, RGB(255, 255, 255), RGB(255, 255, 255)},  // a box only
    };
    for (const Case& c : cases) {
        br.b.model().nMarqueeStyle = c.style;
        const int y = br.b.aCellCoor(1, 1).top + h / 2;
        zrtest::WindowPicture pic(br.b.hWnd);
        EXPECT_EQ(pic.at(2, 2), RGB(0, 128, 0)) << "group band";
        EXPECT_EQ(pic.at(inFirst, y), c.first) << c.style;
        EXPECT_EQ(pic.at(inSecond, y), c.second) << c.style;
        if (c.style == 2) {
            EXPECT_EQ(pic.at(1, br.b.aCellCoor(1, 1).top), RGB(0, 0, 200)) << "the box";
        }
    }
    // Dividers: style 2 grey, a row divider at each row's last pixel line.
    br.b.nColDividerStyle = 2;
    br.b.nRowDividerStyle = 4;
    zrtest::WindowPicture pic(br.b.hWnd);
    const RECT cellRect = br.b.aCellCoor(3, 1);
    EXPECT_EQ(pic.at(cellRect.right, cellRect.top + 3), RGB(128, 128, 128));
    EXPECT_EQ(pic.at(cellRect.left + 3, cellRect.bottom), RGB(192, 192, 192));
}

TEST(XBrowse, MergedRunsPaintAsOneCellAndStackedColumnsShareARow) {
    XbParent p;
    TXBrowse b;
    b.model().SetArray({Value(ValueList{"AETNA", 1}), Value(ValueList{"AETNA", 2}), Value(ValueList{"CIGNA", 3})});
    b.New(&p.w, 0, 0, 300, 200, TFont::New(FontSpec{"Arial", 0, -14}));
    b.nClrPane = RGB(255, 255, 255);
    b.nRowDividerStyle = 4;
    b.model().nMarqueeStyle = 0;
    TXBrwColumn& payer = b.model().aCols[0];
    payer.lMergeVert = true;
    b.model().WorkMergeData(payer);
    b.Refresh();
    const RECT first = b.aCellCoor(1, 1), second = b.aCellCoor(1, 2);
    {
        zrtest::WindowPicture pic(b.hWnd);
        EXPECT_EQ(pic.at(first.left + 3, first.bottom), RGB(255, 255, 255));   // inside the run
        EXPECT_EQ(pic.at(second.left + 3, second.bottom), RGB(192, 192, 192));  // another column
        const RECT row2 = b.aCellCoor(2, 1);
        EXPECT_EQ(pic.at(row2.left + 3, row2.bottom), RGB(192, 192, 192));  // the run ends
    }
    const int single = b.nRowHeight();
    ASSERT_TRUE(b.model().SetColsAsRows({1, 2}));
    b.Refresh();
    EXPECT_EQ(b.nRowHeight(), 2 * single);
    EXPECT_EQ(b.model().Display().size(), 1u);
}

TEST(XBrowse, OutlineRowsShowTheirLinePicturesThenThePrompt) {
    XbParent p;
    TXBrowse b;
    TreeBuilder tb;
    tb.TREEBEGIN();
    tb.TREEITEM("AETNA", true);
    tb.TREEBEGIN();
    tb.TREEITEM("C1");
    tb.TREEITEM("C2");
    tb.TREEEND();
    tb.TREEITEM("CIGNA");
    tb.TREEEND();
    b.model().SetTree(tb.Take());
    b.New(&p.w, 0, 0, 300, 200, TFont::New(FontSpec{"Arial", 0, -14}));
    b.nClrPane = RGB(255, 255, 255);
    b.model().nMarqueeStyle = 0;
    b.Refresh();
    EXPECT_EQ(b.model().nLen, 4);
    zrtest::WindowPicture pic(b.hWnd);
    const int h = b.nRowHeight();
    auto blackIn = [&](int row, int x0, int x1) {
        const RECT r = b.aCellCoor(row, 1);
        for (int x = x0; x < x1; ++x)
            for (int y = r.top; y < r.bottom; ++y)
                if (pic.at(x, y) == RGB(0, 0, 0)) return true;
        return false;
    };
    // C1 (level 2): a line in the first cell, its connector in the second,
    // no picture of its own, and the text after the three cells.
    EXPECT_TRUE(blackIn(2, 0, 16));
    EXPECT_TRUE(blackIn(2, 16, 32));
    EXPECT_FALSE(blackIn(2, 32, 48));
    EXPECT_TRUE(blackIn(2, 48, 80));  // "C1"
    // AETNA (level 1, opened): the boxed minus in the first cell.
    const RECT top = b.aCellCoor(1, 1);
    EXPECT_EQ(pic.at(9, top.top + (h - 16) / 2 + 8), RGB(0, 0, 0));   // the minus
    EXPECT_EQ(pic.at(8, top.top + (h - 16) / 2 + 6), RGB(255, 255, 255));  // no upright: not a plus
}

TEST(XBrowse, DraggedRowsFollowThePointerAndAFastReleaseFlings) {
    XbParent p;
    TXBrowse b;
    b.model().SetArray(xbRowsOf(1000));
    b.New(&p.w, 0, 0, 300, 380, TFont::New(FontSpec{"Arial", 0, -14}));
    std::int64_t now = 0;
    b.bClock = [&] { return now; };
    ASSERT_GE(b.model().nDataRows, 12);
    const int h = b.nRowHeight();
    auto at = [&](int line) { return MAKELPARAM(20, b.nHeaderHeight() + (line - 1) * h + h / 2); };
    SendMessageA(b.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at(12));
    EXPECT_EQ(b.model().KeyNo(), 12);
    SendMessageA(b.hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(2));  // ten rows up
    EXPECT_EQ(b.model().KeyNo(), 22);
    now = 200;  // ten rows in 200 milliseconds: 25 rows more
    SendMessageA(b.hWnd, WM_LBUTTONUP, 0, at(2));
    EXPECT_EQ(b.model().KeyNo(), 47);
    EXPECT_EQ(GetScrollPos(b.hWnd, SB_VERT), 47);

    // A slow drag does not fling; a press waiting for the browse stops one.
    SendMessageA(b.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at(12));
    SendMessageA(b.hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(2));
    const int dragged = b.model().KeyNo();
    now += 5000;
    SendMessageA(b.hWnd, WM_LBUTTONUP, 0, at(2));
    EXPECT_EQ(b.model().KeyNo(), dragged);
    SendMessageA(b.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at(12));
    SendMessageA(b.hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(2));
    const int before = b.model().KeyNo();
    now += 200;
    PostMessageA(b.hWnd, WM_LBUTTONDOWN, 0, at(5));
    SendMessageA(b.hWnd, WM_LBUTTONUP, 0, at(2));
    EXPECT_EQ(b.model().KeyNo(), before + 1);
    MSG m{};
    while (PeekMessageA(&m, b.hWnd, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE)) {
    }
}

TEST(XBrowse, AFlingStopsWhenAMessageItRunsClosesTheBrowse) {
    XbParent p;
    auto b = std::make_unique<TXBrowse>();
    b->model().SetArray(xbRowsOf(1000));
    b->New(&p.w, 0, 0, 300, 380, TFont::New(FontSpec{"Arial", 0, -14}));
    std::int64_t now = 0;
    b->bClock = [&] { return now; };
    const HWND h = b->hWnd;
    const int rh = b->nRowHeight(), top = b->nHeaderHeight();
    auto at = [&](int line) { return MAKELPARAM(20, top + (line - 1) * rh + rh / 2); };
    // The parent closes the browse when the fling's message drain reaches it.
    p.w.bKeyChar = [&](WPARAM, LPARAM) -> Answer {
        b.reset();
        return 0;
    };
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at(12));
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, at(2));
    now = 200;
    PostMessageA(p.w.hWnd, WM_CHAR, 'x', 0);
    SendMessageA(h, WM_LBUTTONUP, 0, at(2));  // must not touch the browse once it is gone
    EXPECT_EQ(b, nullptr);
    EXPECT_FALSE(IsWindow(h));
}

TEST(XBrowse, ColumnMenuShowsAndHidesColumnsButNeverTheLastShown) {
    XbParent p;
    XbBrowse br(p.w, 10);
    std::vector<std::pair<std::string, bool>> items;
    UINT grayed = 0;
    int pick = 0;
    setPopupMenuHook([&](HMENU menu, HWND owner, int, int) {
        items.clear();
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[64] = {};
            GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
            const UINT state = GetMenuState(menu, UINT(i), MF_BYPOSITION);
            items.emplace_back(text, (state & MF_CHECKED) != 0);
            if (state & MF_GRAYED) grayed |= 1u << i;
        }
        if (pick) SendMessageA(owner, WM_COMMAND, GetMenuItemID(menu, pick - 1), 0);
    });
    const int h = br.b.nRowHeight();
    pick = 2;  // hide "Lines"
    SendMessageA(br.b.hWnd, WM_RBUTTONDOWN, 0, MAKELPARAM(5, h / 2));
    EXPECT_EQ(items, (std::vector<std::pair<std::string, bool>>{{"Claim", true}, {"Lines", true}}));
    EXPECT_EQ(br.b.model().Display(), (std::vector<int>{1}));
    pick = 1;  // "Claim" is the only one shown: it stays
    SendMessageA(br.b.hWnd, WM_RBUTTONDOWN, 0, MAKELPARAM(5, h / 2));
    EXPECT_EQ(grayed, 1u);
    EXPECT_EQ(br.b.model().Display(), (std::vector<int>{1}));
    pick = 2;  // shown again
    SendMessageA(br.b.hWnd, WM_RBUTTONDOWN, 0, MAKELPARAM(5, h / 2));
    EXPECT_EQ(br.b.model().Display(), (std::vector<int>{1, 2}));
    setPopupMenuHook({});
}

TEST(XBrowse, HitTestsFontSizeAndProgressBars) {
    XbParent p;
    XbBrowse br(p.w, 3);
    const int h = br.b.nRowHeight();
    const int w1 = br.b.model().aCols[0].nWidth;
    struct Case {
        int y, row;
    };
    for (const Case& c : {Case{h / 2, 0}, Case{h + 2, 1}, Case{3 * h + 2, 3}, Case{4 * h + 2, 0}})
        EXPECT_EQ(br.b.MouseRowPos(c.y), c.row) << c.y;
    EXPECT_EQ(br.b.MouseColPos(-3), -1);
    EXPECT_EQ(br.b.MouseColPos(w1 + 1), 2);
    EXPECT_EQ(br.b.MouseColPos(290), 0);
    EXPECT_TRUE(br.b.MouseAtHeader(2));
    EXPECT_FALSE(br.b.MouseAtHeader(h + 2));
    EXPECT_FALSE(br.b.MouseAtFooter(199));

    {
        XbCtrlHeld ctrl;
        br.key(VK_ADD);
    }
    EXPECT_GT(br.b.nRowHeight(), h);

    TXBrwColumn& lines = br.b.model().aCols[1];
    lines.SetProgBar(3, 100, RGB(0, 0, 255), RGB(255, 255, 0));
    br.b.model().nMarqueeStyle = 0;
    br.b.Refresh();
    zrtest::WindowPicture pic(br.b.hWnd);
    const RECT cell = br.b.aCellCoor(1, 2);  // the value 1 of 3: a third of the cell
    EXPECT_EQ(pic.at(cell.left + 3, cell.bottom - 2), RGB(0, 0, 255));
    EXPECT_EQ(pic.at(cell.right - 3, cell.bottom - 2), RGB(255, 255, 0));
}

TEST(XBrowse, CellsShowTheirColumnsBitmapsAtTheAlignment) {
    XbParent p;
    XbBrowse br(p.w, 3);
    br.b.nClrPane = RGB(255, 255, 255);
    br.b.model().nMarqueeStyle = 0;
    // A red 8 x 8 picture for even lines, none for odd ones.
    HDC screen = GetDC(nullptr);
    HBITMAP red = CreateCompatibleBitmap(screen, 8, 8);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, red);
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    RECT all{0, 0, 8, 8};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    TXBrwColumn& lines = br.b.model().aCols[1];
    lines.AddBmpHandle(reinterpret_cast<TreePicture>(red));
    lines.bBmpData = [&] { return int(lines.GetValue().number()) % 2 == 0 ? 1 : 0; };
    lines.nWidth = 60;
    lines.lBmpTransparent = false;  // all red: its corner colour is the picture
    br.b.Refresh();
    const RECT odd = br.b.aCellCoor(1, 2), even = br.b.aCellCoor(2, 2);
    {
        zrtest::WindowPicture pic(br.b.hWnd);
        EXPECT_EQ(pic.at(even.left + 4, (even.top + even.bottom) / 2), RGB(255, 0, 0));
        EXPECT_EQ(pic.at(odd.left + 4, (odd.top + odd.bottom) / 2), RGB(255, 255, 255));
    }
    lines.nDataBmpAlign = 1;  // at the right
    zrtest::WindowPicture pic(br.b.hWnd);
    EXPECT_EQ(pic.at(even.right - 5, (even.top + even.bottom) / 2), RGB(255, 0, 0));
    EXPECT_EQ(pic.at(even.left + 4, (even.top + even.bottom) / 2), RGB(255, 255, 255));
    lines.ReleaseBitmaps();  // a handle of ours: not released by the column
    BITMAP info{};
    EXPECT_NE(GetObjectA(red, sizeof info, &info), 0);
    DeleteObject(red);
}

// A size x size picture: `outside` everywhere, `inside` in the middle half.
HBITMAP xbFramedBitmap(int size, COLORREF outside, COLORREF inside) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, size, size);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    auto fill = [&](RECT r, COLORREF c) {
        HBRUSH b = CreateSolidBrush(c);
        FillRect(dc, &r, b);
        DeleteObject(b);
    };
    fill(RECT{0, 0, size, size}, outside);
    fill(RECT{size / 4, size / 4, size * 3 / 4, size * 3 / 4}, inside);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bmp;
}

// A 32-bit picture with an alpha channel: the left half opaque blue, the
// right half fully transparent.
HBITMAP xbHalfTransparentBitmap(int size) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size;
    bi.bmiHeader.biHeight = -size;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* px = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) px[y * size + x] = x < size / 2 ? 0xFF0000FFu : 0u;  // premultiplied
    return bmp;
}

TEST(XBrowse, CellBitmapsLeaveOutTheirCornerColourOrBlendTheirAlpha) {
    XbParent p;
    XbBrowse br(p.w, 2);
    br.b.nClrPane = RGB(255, 255, 255);
    br.b.model().nMarqueeStyle = 0;
    HBITMAP framed = xbFramedBitmap(12, RGB(0, 255, 0), RGB(255, 0, 0));
    HBITMAP alpha = xbHalfTransparentBitmap(12);
    TXBrwColumn& lines = br.b.model().aCols[1];
    lines.AddBmpHandle(reinterpret_cast<TreePicture>(framed));
    lines.AddBmpHandle(reinterpret_cast<TreePicture>(alpha));
    lines.bBmpData = [&] { return int(lines.GetValue().number()); };  // row 1 framed, row 2 alpha
    lines.nWidth = 60;
    br.b.Refresh();
    auto centreOf = [&](int row) {
        const RECT r = br.b.aCellCoor(row, 2);
        return POINT{r.left + 2, (r.top + r.bottom) / 2 - 6};  // the picture's top-left
    };
    const POINT f = centreOf(1), a = centreOf(2);
    {
        zrtest::WindowPicture pic(br.b.hWnd);
        EXPECT_EQ(pic.at(f.x + 1, f.y + 1), RGB(255, 255, 255));  // the green frame left out
        EXPECT_EQ(pic.at(f.x + 6, f.y + 6), RGB(255, 0, 0));
        EXPECT_EQ(pic.at(a.x + 2, a.y + 6), RGB(0, 0, 255));        // opaque half
        EXPECT_EQ(pic.at(a.x + 9, a.y + 6), RGB(255, 255, 255));    // transparent half
    }
    lines.lBmpTransparent = false;
    {
        zrtest::WindowPicture pic(br.b.hWnd);
        EXPECT_EQ(pic.at(f.x + 1, f.y + 1), RGB(0, 255, 0));
    }
    DeleteObject(framed);
    DeleteObject(alpha);
}

TEST(XBrowse, RowsAreAsTallAsTheirTallestBitmapOrPicture) {
    XbParent p;
    XbBrowse br(p.w, 3);
    const int plain = br.b.nRowHeight();
    HBITMAP tall = xbFramedBitmap(40, RGB(0, 255, 0), RGB(255, 0, 0));
    br.b.model().aCols[1].AddBmpHandle(reinterpret_cast<TreePicture>(tall));
    br.b.Refresh();
    EXPECT_LT(plain, 44);
    EXPECT_EQ(br.b.nRowHeight(), 44);  // the bitmap + 4
    br.b.model().aCols[1].lHide = true;  // a hidden column sets nothing
    br.b.Refresh();
    EXPECT_EQ(br.b.nRowHeight(), plain);
    DeleteObject(tall);
}

TEST(XBrowse, WidthsInCharactersAndFootersRecomputed) {
    XbParent p;
    XbBrowse br(p.w, 4);
    TXBrwColumn& claim = br.b.model().aCols[0];
    br.b.nWidthChr(claim, 12);
    EXPECT_EQ(br.b.nWidthChr(claim), 12);
    br.b.nWidthChr(claim, 1);  // at least 3
    EXPECT_EQ(br.b.nWidthChr(claim), 3);
    TXBrwColumn& lines = br.b.model().aCols[1];
    lines.lTotal = true;
    br.b.RefreshFooter(lines);
    EXPECT_EQ(lines.FooterStr(), "10");
    EXPECT_EQ(br.b.model().ClpText(lines), "1");
}

TEST(XBrowse, ColumnClosuresPopUpsAndFittingSizes) {
    XbParent p;
    XbBrowse br(p.w, 30);
    TXBrwColumn& claim = br.b.model().aCols[0];
    TXBrwColumn& lines = br.b.model().aCols[1];
    std::vector<std::string> events;
    claim.bLClickHeader = [&](int, int, unsigned) { events.push_back("header"); };
    claim.bRClickHeader = [&](int, int, unsigned) { events.push_back("right header"); };
    claim.bLDClickData = [&](int, int, unsigned) { events.push_back("double"); };
    claim.bRClickData = [&](int, int, unsigned) { events.push_back("right data"); };
    int popups = 0;
    lines.bPopUp = [&](TXBrwColumn&) {
        HMENU m = CreatePopupMenu();
        AppendMenuA(m, MF_STRING, 1, "Details");
        return reinterpret_cast<std::uintptr_t>(m);
    };
    setPopupMenuHook([&](HMENU, HWND, int, int) { ++popups; });
    const int h = br.b.nRowHeight();
    const int inLines = claim.nWidth + 5;
    SendMessageA(br.b.hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(5, h / 2));
    SendMessageA(br.b.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, h / 2));
    SendMessageA(br.b.hWnd, WM_RBUTTONDOWN, 0, MAKELPARAM(5, h / 2));
    SendMessageA(br.b.hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(5, h + h / 2));
    SendMessageA(br.b.hWnd, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, h + h / 2));
    SendMessageA(br.b.hWnd, WM_RBUTTONDOWN, 0, MAKELPARAM(5, 3 * h + h / 2));
    EXPECT_EQ(br.b.model().nRowSel, 3);  // the right click selected its row first
    SendMessageA(br.b.hWnd, WM_RBUTTONDOWN, 0, MAKELPARAM(inLines, 2 * h + h / 2));
    EXPECT_EQ(br.b.model().nColSel, 2);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(events, (std::vector<std::string>{"header", "right header", "double", "right data"}));
    setPopupMenuHook({});

    // Four rows of the thirty and both columns, with the header.
    const SIZE fit = br.b.BrwFitSize(true, 4);
    RECT c{};
    GetClientRect(br.b.hWnd, &c);
    EXPECT_EQ(c.bottom, br.b.nHeaderHeight() + 4 * h);
    EXPECT_EQ(c.right, claim.nWidth + lines.nWidth);
    EXPECT_GT(fit.cx, c.right);  // with the frame and the scroll bar
    br.b.nBottomMargin = 10;
    br.b.CheckSize();
    GetWindowRect(br.b.hWnd, &c);
    MapWindowPoints(nullptr, p.w.hWnd, reinterpret_cast<POINT*>(&c), 2);
    RECT parent{};
    GetClientRect(p.w.hWnd, &parent);
    EXPECT_EQ(c.bottom, parent.bottom - 10);
}

TEST(XBrowse, ToolTipsOncePerColumnOverHeadersAndCells) {
    XbParent p;
    XbBrowse br(p.w, 5);
    TXBrwColumn& claim = br.b.model().aCols[0];
    claim.cToolTip = "The claim number";
    int asked = 0;
    br.b.model().aCols[1].bToolTip = [&](int, int) {
        ++asked;
        return std::string("Service lines");
    };
    const int h = br.b.nRowHeight();
    auto tipText = [] { return toolTipText(openToolTip()); };
    SendMessageA(br.b.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, h / 2));
    EXPECT_EQ(tipText(), "The claim number");
    const int inLines = claim.nWidth + 5;
    SendMessageA(br.b.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(inLines, h + 2));
    SendMessageA(br.b.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(inLines + 2, h + 4));
    EXPECT_EQ(asked, 1);  // once for the column
    EXPECT_EQ(tipText(), "Service lines");
    SendMessageA(br.b.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, h + 2));  // a cell without a tip
    EXPECT_EQ(tipText(), "");
}

// A 24-bit bitmap file of one colour.
// A 24-bit BMP file in one colour, or split: its right half in `right`.
void xbWriteBmp(const std::string& path, int w, int h, COLORREF colour, COLORREF right = CLR_INVALID) {
    const int stride = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biSizeImage = DWORD(stride * h);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + ih.biSizeImage;
    std::string pixels(size_t(stride * h), '\0');
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            char* p = &pixels[size_t(y * stride + x * 3)];
            const COLORREF c = right != CLR_INVALID && x >= w / 2 ? right : colour;
            p[0] = char(GetBValue(c)), p[1] = char(GetGValue(c)), p[2] = char(GetRValue(c));
        }
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fwrite(&fh, sizeof fh, 1, f);
    fwrite(&ih, sizeof ih, 1, f);
    fwrite(pixels.data(), 1, pixels.size(), f);
    fclose(f);
}

TEST(XBrowse, PictureColumnsShowTheImageScaledIntoTheCell) {
    zrtest::TempDir dir;
    const std::string big = dir.file("big.bmp");
    xbWriteBmp(big, 200, 200, RGB(0, 0, 255));
    XbParent p;
    TXBrowse b;
    b.model().SetArray({Value(ValueList{"scan", Value(big)}), Value(ValueList{"none", Value("")})});
    b.New(&p.w, 0, 0, 390, 390, TFont::New(FontSpec{"Arial", 0, -14}));
    b.nClrPane = RGB(255, 255, 255);
    b.model().nMarqueeStyle = 0;
    b.model().aCols[1].cDataType = 'F';
    b.model().aCols[1].nWidth = 300;
    b.Refresh();
    // The row follows the picture: its height + 4, at most a tenth of the
    // screen, + 4.
    EXPECT_EQ(b.nRowHeight(), std::min(204, GetSystemMetrics(SM_CYSCREEN) / 10) + 4);
    zrtest::WindowPicture pic(b.hWnd);
    const RECT withImage = b.aCellCoor(1, 2), without = b.aCellCoor(2, 2);
    const int midX = (withImage.left + withImage.right) / 2;
    EXPECT_EQ(pic.at(midX, (withImage.top + withImage.bottom) / 2), RGB(0, 0, 255));
    EXPECT_EQ(pic.at(withImage.left + 2, (withImage.top + withImage.bottom) / 2), RGB(255, 255, 255));  // scaled: square
    EXPECT_EQ(pic.at(midX, (without.top + without.bottom) / 2), RGB(255, 255, 255));
}

TEST(XBrowse, BackgroundPictureTiledStretchedOrCentredUnderTheData) {
    zrtest::TempDir dir;
    const std::string split = dir.file("split.bmp");
    const COLORREF blue = RGB(0, 0, 255), red = RGB(255, 0, 0), white = RGB(255, 255, 255), green = RGB(0, 128, 0);
    xbWriteBmp(split, 20, 10, blue, red);  // left half blue, right half red
    XbParent p;
    XbBrowse br(p.w, 3);
    br.b.nClrPane = white;
    br.b.nClrHeaderBack = green;
    br.b.model().nMarqueeStyle = 0;
    br.b.model().aCols[0].nWidth = 120;
    br.b.Refresh();
    RECT c{};
    GetClientRect(br.b.hWnd, &c);
    const int top = br.b.nHeaderHeight();
    const int dataH = int(c.bottom) - top;
    const int cx = int(c.right) / 2, cy = top + dataH / 2;
    const int x0 = 100;                    // inside the first column, right of its text
    const int below = int(c.bottom) - 3;   // below the last row
    {
        zrtest::WindowPicture pic(br.b.hWnd);
        EXPECT_EQ(pic.at(x0, top + 4), white);  // no picture yet
    }
    struct Case {
        int mode;
        std::vector<std::pair<POINT, COLORREF>> want;
    };
    const Case cases[] = {
        // Tiled from the data area's top-left: 10 blue, 10 red, again.
        {0, {{{x0 + 5, top + 4}, blue}, {{x0 + 15, top + 4}, red}, {{x0 + 15, below}, red}, {{4, below}, blue}}},
        // Stretched: the left half blue, the right half red.
        {1, {{{4, top + 4}, blue}, {{cx - 20, below}, blue}, {{cx + 20, top + 4}, red}, {{int(c.right) - 4, below}, red}}},
        // Centred at its own size: the pane around it.
        {2, {{{cx - 5, cy}, blue}, {{cx + 5, cy}, red}, {{cx - 15, cy}, white}, {{4, top + 4}, white}}},
    };
    for (const Case& k : cases) {
        br.b.SetBackGround(split, k.mode);
        ASSERT_TRUE(br.b.HasBackGround());
        zrtest::WindowPicture pic(br.b.hWnd);
        for (const auto& [pt, colour] : k.want) EXPECT_EQ(pic.at(pt.x, pt.y), colour) << k.mode << " " << pt.x << "," << pt.y;
        EXPECT_EQ(pic.at(x0 + 15, top / 2), green) << k.mode;  // the header keeps its colour
    }
    // The selected cell still shows selected over the picture.
    br.b.model().nMarqueeStyle = 5;
    br.b.nClrSelFocusBack = br.b.nClrSelBack = RGB(0, 0, 200);
    br.b.SetBackGround(split, 0);
    {
        zrtest::WindowPicture pic(br.b.hWnd);
        EXPECT_EQ(pic.at(x0, top + br.b.nRowHeight() / 2), RGB(0, 0, 200));
        EXPECT_EQ(pic.at(x0 + 15, top + br.b.nRowHeight() + 4), red);  // the second row shows the picture
    }
    // No picture, or one that does not load, clears it.
    br.b.SetBackGround();
    EXPECT_FALSE(br.b.HasBackGround());
    br.b.SetBackGround(split, 0);
    br.b.SetBackGround(dir.file("missing.bmp"), 0);
    EXPECT_FALSE(br.b.HasBackGround());
    zrtest::WindowPicture pic(br.b.hWnd);
    EXPECT_EQ(pic.at(x0 + 15, top + br.b.nRowHeight() + 4), white);
}

TEST(XBrowse, MemoButtonColumnsEditInTheMemoDialog) {
    XbParent p;
    TXBrowse b;
    b.model().SetArray({Value(ValueList{"C1", "first note"}), Value(ValueList{"C2", "second"})});
    TXBrwColumn& note = b.model().aCols[1];
    note.cHeader = "Note";
    note.cDataType = 'M';
    note.nEditType = 3;
    b.New(&p.w, 0, 0, 300, 200, TFont::New(FontSpec{"Arial", 0, -14}));
    b.model().nColSel = 2;
    std::string shown;
    zrtest::TimerSteps s({
        [&] {
            HWND box = FindWindowA(nullptr, "Note");
            HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
            ASSERT_NE(edit, nullptr);
            char text[64] = {};
            GetWindowTextA(edit, text, sizeof text);
            shown = text;
            SetWindowTextA(edit, "rewritten");
            PostMessageA(FindWindowExA(box, nullptr, "Button", "&Ok"), BM_CLICK, 0, 0);
        },
    });
    EXPECT_TRUE(b.EditCell());
    EXPECT_EQ(shown, "first note");
    EXPECT_EQ(b.model().aArrayData[0].list()[1].text(), "rewritten");
    EXPECT_EQ(b.Editor(), nullptr);  // no in-place field was opened
}

TEST(XBrowse, ReadOnlyMemoColumnsOpenTheMemoDialogForViewing) {
    XbParent p;
    TXBrowse b;
    b.model().SetArray({Value(ValueList{"C1", "first note"}), Value(ValueList{"C2", "second"})});
    TXBrwColumn& note = b.model().aCols[1];
    note.cHeader = "Note";
    note.cDataType = 'M';
    note.nEditType = 3;
    note.lReadOnly = true;
    b.New(&p.w, 0, 0, 300, 200, TFont::New(FontSpec{"Arial", 0, -14}));
    b.model().nColSel = 2;
    std::vector<std::string> shown;
    auto look = [&] {
        HWND box = FindWindowA(nullptr, "Note");
        HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
        ASSERT_NE(edit, nullptr);
        char text[64] = {};
        GetWindowTextA(edit, text, sizeof text);
        shown.push_back(text);
        SetWindowTextA(edit, "rewritten");
        PostMessageA(FindWindowExA(box, nullptr, "Button", "&Ok"), BM_CLICK, 0, 0);
    };
    {
        zrtest::TimerSteps s({look});
        SendMessageA(b.hWnd, WM_CHAR, VK_RETURN, 0);  // Enter opens it
    }
    {
        zrtest::TimerSteps s({look});
        const RECT r = b.aCellCoor(b.model().nRowSel, 2);
        SendMessageA(b.hWnd, WM_LBUTTONDBLCLK, 0, MAKELPARAM(r.left + 3, r.top + 3));  // so does a double click
    }
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "first note");
    EXPECT_EQ(shown[1], "first note");
    EXPECT_EQ(b.model().aArrayData[0].list()[1].text(), "first note");  // nothing written
    EXPECT_EQ(b.Editor(), nullptr);
}

TEST(XBrowse, DividerPensAndCellBrushes) {
    struct Case {
        int style;
        COLORREF colour;  // CLR_INVALID: no pen
        int width;
    };
    const COLORREF own = RGB(10, 20, 30), text = RGB(40, 50, 60);
    const Case cases[] = {{0, CLR_INVALID, 0},          {1, own, 3},
                          {2, RGB(128, 128, 128), 1},   {3, text, 1},
                          {4, RGB(192, 192, 192), 1},   {5, own, 3},
                          {6, own, 3},                  {9, CLR_INVALID, 0}};
    for (const Case& c : cases) {
        HPEN pen = CREATELINEPEN(c.style, own, text, 3);
        if (c.colour == CLR_INVALID) {
            EXPECT_EQ(pen, nullptr) << c.style;
            continue;
        }
        ASSERT_NE(pen, nullptr) << c.style;
        LOGPEN lp{};
        GetObjectA(pen, sizeof lp, &lp);
        EXPECT_EQ(lp.lopnColor, c.colour) << c.style;
        EXPECT_EQ(lp.lopnWidth.x, c.width) << c.style;
        DeleteObject(pen);
    }
    // A gradient brush repeats its bands down: the top and bottom of each
    // 20-pixel strip take the two ends' colours.
    HBRUSH solid = CREATECOLORBRUSH(RGB(1, 2, 3));
    LOGBRUSH lb{};
    GetObjectA(solid, sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
    DeleteObject(solid);
    EXPECT_EQ(CREATECOLORBRUSH(GradientSpec{}, 20), nullptr);
    HBRUSH grad = CREATECOLORBRUSH(GradientSpec{{1.0, RGB(255, 0, 0), RGB(0, 0, 255)}}, 20);
    ASSERT_NE(grad, nullptr);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 40);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT all{0, 0, 16, 40};
    FillRect(dc, &all, grad);
    EXPECT_GT(GetRValue(GetPixel(dc, 3, 0)), 200);
    EXPECT_GT(GetBValue(GetPixel(dc, 3, 19)), 200);
    EXPECT_EQ(GetPixel(dc, 3, 21), GetPixel(dc, 3, 1));  // the strip again
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    DeleteObject(grad);
}

TEST(XBrowse, SelFontTakesTheChosenFontAndTheColumnsTheirWidths) {
    XbParent p;
    XbBrowse br(p.w, 3);
    const HFONT before = br.b.oFont->hFont;
    const int width = br.b.model().aCols[0].nWidth;
    // The font dialog: the size 28 points chosen, then OK.
    zrtest::TimerSteps s({
        [&] {
            HWND box = FindWindowA(nullptr, "Font");
            ASSERT_NE(box, nullptr);
            HWND size = GetDlgItem(box, 0x472);  // the size combo box
            ASSERT_NE(size, nullptr);
            SendMessageA(size, CB_SELECTSTRING, WPARAM(-1), LPARAM("28"));
            SendMessageA(box, WM_COMMAND, MAKEWPARAM(0x472, CBN_SELCHANGE), LPARAM(size));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        },
    });
    br.b.SelFont();
    EXPECT_TRUE(zrtest::TimerSteps::done());
    ASSERT_NE(br.b.oFont->hFont, before);
    EXPECT_GT(br.b.model().aCols[0].nWidth, width);
    EXPECT_GT(br.b.nRowHeight(), 30);
}

TEST(XBrowse, CreatedFromADialogItem) {
    TDialog d;
    DialogNew n;
    n.cCaption = "Browse item";
    n.nWidth = 320;
    n.nHeight = 240;
    d.New(n);
    TXBrowse b;
    b.model().SetArray(xbRowsOf(4));
    b.CreateFromResource(801, &d);
    HWND made = nullptr;
    int rows = 0;
    DialogActivate a;
    a.bInit = [&](TWindow&) {
        made = GetDlgItem(d.hWnd, 801);
        rows = b.model().nLen;
        d.End(1);
    };
    d.Activate(a);
    EXPECT_NE(made, nullptr);
    EXPECT_EQ(rows, 4);
    EXPECT_EQ(b.model().aCols.size(), 2u);
}

TEST(XBrowse, DesignerSourceLine) {
    XbParent p;
    p.w.cVarName = "oWnd";
    TXBrowse b;
    b.New(&p.w, 12, 8, 300, 150);
    EXPECT_EQ(b.cVarName.rfind("oBrw", 0), 0u);
    EXPECT_EQ(b.cGenPrg(), "\r\n   @  12,   8 XBROWSE " + b.cVarName + " OF oWnd; \r\n      SIZE 300, 150 PIXEL DESIGN\r\n\r\n   " +
                               b.cVarName + ":CreateFromCode()\r\n");
}

}  // namespace
