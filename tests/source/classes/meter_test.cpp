// Meters read back from pixels, scroll-bar steps and group boxes.
#include "meter.hpp"

#include <gtest/gtest.h>

#include "parent_window.hpp"

#include "painting.hpp"

namespace {

using namespace wl;

struct MeterParent : wltest::Parent {
    MeterParent() : wltest::Parent(200, 400) {}
};

// Paints the meter into a memory bitmap and reads pixels on its middle row.
struct Snapshot {
    HDC dc = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ old = nullptr;
    Snapshot(HWND h, int percent, const std::string& text, bool pct) {
        HDC screen = GetDC(h);
        dc = CreateCompatibleDC(screen);
        RECT r{};
        GetClientRect(h, &r);
        bmp = CreateCompatibleBitmap(screen, r.right, r.bottom);
        ReleaseDC(h, screen);
        old = SelectObject(dc, bmp);
        METERPAINT(h, dc, percent, text, pct, RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 255), RGB(255, 255, 255),
                   nullptr);
    }
    ~Snapshot() {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
};

TEST(Meter, FillWidthReadFromPixelsAndClamped) {
    MeterParent p;
    TMeter m;
    MeterNew n;
    n.oWnd = &p.w;
    n.lPixel = true;
    n.nWidth = 201;
    n.nHeight = 20;
    m.New(n);
    RECT r{};
    GetClientRect(m.hWnd, &r);
    const int y = r.bottom / 2;
    struct Case {
        int percent;
        int filledUpTo;  // last blue column
    };
    for (const Case c : {Case{50, (r.right - 1) * 50 / 100 - 1}, Case{250, r.right - 3}}) {
        Snapshot s(m.hWnd, c.percent, "", false);
        EXPECT_EQ(s.at(c.filledUpTo, y), RGB(0, 0, 255)) << c.percent;
        if (c.percent < 100) {
            EXPECT_EQ(s.at(c.filledUpTo + 3, y), RGB(255, 255, 255)) << c.percent;
        }
    }
    Snapshot none(m.hWnd, -20, "", false);
    EXPECT_EQ(none.at(5, y), RGB(255, 255, 255));
}

TEST(Meter, LabelIsDrawnInBothHalves) {
    MeterParent p;
    TMeter m;
    MeterNew n;
    n.oWnd = &p.w;
    n.lPixel = true;
    n.nWidth = 300;
    n.nHeight = 24;
    m.New(n);
    // A label over the middle: text pixels in bar colours on the left half
    // (white on blue) and pane colours on the right (black on white).
    Snapshot s(m.hWnd, 50, std::string(60, 'W'), true);
    RECT r{};
    GetClientRect(m.hWnd, &r);
    int whiteOnLeft = 0, blackOnRight = 0;
    for (int x = 2; x < r.right - 2; ++x)
        for (int y = 2; y < r.bottom - 2; ++y) {
            const COLORREF c = s.at(x, y);
            if (x < (r.right - 1) / 2 - 1 && c == RGB(255, 255, 255)) ++whiteOnLeft;
            if (x > (r.right - 1) / 2 + 1 && c == RGB(0, 0, 0)) ++blackOnRight;
        }
    EXPECT_GT(whiteOnLeft, 10);
    EXPECT_GT(blackOnRight, 10);
}

TEST(Meter, SetClampsAndRepaintsFromOnePercent) {
    MeterParent p;
    Value v(0);
    TMeter m;
    MeterNew n;
    n.oWnd = &p.w;
    n.bSetGet = bindTo(v);
    n.nTotal = 1000;
    m.New(n);
    m.Set(5000);
    EXPECT_EQ(v.number(), 1000);
    m.Set(-1);
    EXPECT_EQ(v.number(), 0);
    m.nRefresh = 0;
    m.Set(9);
    EXPECT_EQ(m.nRefresh, 0);
    m.Set(10);
    EXPECT_DOUBLE_EQ(m.nRefresh, 1);
    TMeter zero;
    n.nTotal = 0;
    zero.New(n);
    zero.Set(5);
    EXPECT_EQ(zero.nRefresh, 0);
}

TEST(ScrollBar, StepsStayInRangeAndRunTheirActions) {
    MeterParent p;
    TScrollBar s;
    s.New(0, 0, 0, 10, 3, true, &p.w);
    int ups = 0;
    s.bGoUp = [&] { ++ups; };
    s.GoUp();
    EXPECT_EQ(s.GetPos(), 0);
    EXPECT_EQ(ups, 1);
    s.GoDown();
    s.PageDown();
    EXPECT_EQ(s.GetPos(), 4);
    s.GoBottom();
    s.GoDown();
    EXPECT_EQ(s.GetPos(), 10);
    int pos = -1;
    s.bPos = [&](int n) { pos = n; };
    SendMessageA(s.hWnd, LM_THUMBPOS, 7, 0);
    EXPECT_EQ(pos, 7);
}

// GetRange reads the bar itself, so a range set behind the object's back
// shows; nOrientation follows and changes the style's vertical bit.
TEST(ScrollBar, RangeAndOrientationReadTheWindow) {
    MeterParent p;
    TScrollBar s;
    s.New(0, 0, 2, 40, 5, true, &p.w);
    EXPECT_EQ(s.GetRange(), std::make_pair(2, 40));
    SetScrollRange(s.hWnd, SB_CTL, 3, 9, FALSE);
    EXPECT_EQ(s.GetRange(), std::make_pair(3, 9));
    EXPECT_EQ(s.nOrientation(), 1);
    s.nOrientation(2);
    EXPECT_EQ(GetWindowLongPtrA(s.hWnd, GWL_STYLE) & SBS_VERT, 0);
    EXPECT_EQ(s.nOrientation(), 2);
    s.nOrientation(1);
    EXPECT_EQ(GetWindowLongPtrA(s.hWnd, GWL_STYLE) & SBS_VERT, SBS_VERT);
    EXPECT_EQ(s.nOrientation(), 1);

    TScrollBar own;
    own.WinNew(0, 20, 2, false, &p.w);
    EXPECT_EQ(own.GetRange(), std::make_pair(0, 20));
    EXPECT_EQ(own.nOrientation(), 2);
}

TEST(Group, WidthAndHeightWinOverBottomAndRight) {
    MeterParent p;
    TGroup g;
    g.New(1, 1, 30, 30, "Range", &p.w, false, 100, 50);
    EXPECT_EQ(g.nRight - g.nLeft, 100);
    EXPECT_EQ(g.nBottom - g.nTop, 50);
    EXPECT_EQ(g.GetText(), "Range");
}

TEST(Group, CaptionDrawnAgainInItsOwnColourOverWhatIsThere) {
    MeterParent p;
    ShowWindow(p.w.hWnd, SW_SHOW);
    TGroup g;
    g.New(10, 10, 0, 0, "Totals", &p.w, true, 120, 60);
    g.nClrText = RGB(200, 0, 0);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 120, 60);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT all{0, 0, 120, 60};
    HBRUSH green = CreateSolidBrush(RGB(0, 160, 0));
    FillRect(mem, &all, green);
    DeleteObject(green);
    g.PaintCaption(mem);
    int red = 0, other = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 120; ++x) {
            const COLORREF c = GetPixel(mem, x, y);
            if (c == RGB(200, 0, 0)) ++red;
            else if (c != RGB(0, 160, 0)) ++other;
        }
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 9; ++x) EXPECT_EQ(GetPixel(mem, x, y), RGB(0, 160, 0)) << "nothing left of x 9";
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    EXPECT_GT(red, 20) << "the caption in the group's colour";
    EXPECT_EQ(other, 0) << "transparent: no background of its own";
    ShowWindow(p.w.hWnd, SW_HIDE);
}

TEST(Group, TransparentGroupsHaveTheEmptyBrushAndDesignerLines) {
    MeterParent p;
    p.w.cVarName = "oWnd";
    TGroup g;
    g.New(8, 16, 0, 0, "&Range", &p.w, true, 100, 50, true);
    ASSERT_TRUE(g.oBrush);
    EXPECT_EQ(g.oBrush->hBrush, GetStockObject(HOLLOW_BRUSH));
    EXPECT_EQ(g.cGenPRG(), "\r\n   @ 8, 16 GROUP oGrp PROMPT \"&Range\" SIZE 100, 50 PIXEL OF oWnd \r\n");
    EXPECT_EQ(g.SaveToRC(4), "    GROUPBOX \"&Range\", " + std::to_string(g.nId) + ", 8, 16, " +
                                 std::to_string(g.nWidth()) + ", " + std::to_string(g.nHeight()) + ", BS_GROUPBOX");
}

}  // namespace
