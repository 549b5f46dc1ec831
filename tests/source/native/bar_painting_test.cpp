// Bar painters checked on pixels of memory bitmaps, and bar docking.
#include "bar_painting.hpp"

#include <gtest/gtest.h>

#include "memory_canvas.hpp"

namespace {

using namespace wl;

using Canvas = wltest::MemoryCanvas;

// A borderless window whose client area is w by h: the painters take their
// sizes from it.
struct Host {
    HWND h = nullptr;
    Host(int w, int hgt, HWND parent = nullptr, int x = 0, int y = 0) {
        h = CreateWindowExA(0, "STATIC", "", parent ? WS_CHILD : WS_POPUP, x, y, w, hgt, parent, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    }
    ~Host() { DestroyWindow(h); }
};

const COLORREF kShadow = GetSysColor(COLOR_BTNSHADOW);
const COLORREF kLight = GetSysColor(COLOR_BTNHIGHLIGHT);
const COLORREF kFace = GetSysColor(COLOR_BTNFACE);

TEST(GradientFill, BandsOfSolidColoursMeetWhereTheirSharesSay) {
    Canvas c(10, 100);
    GRADIENTFILL(c.dc(), 0, 0, 99, 9, {{0.25, RGB(255, 0, 0), RGB(255, 0, 0)}, {0.75, RGB(0, 0, 255), RGB(0, 0, 255)}});
    EXPECT_EQ(c.at(5, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.at(5, 24), RGB(255, 0, 0));
    EXPECT_EQ(c.at(5, 25), RGB(0, 0, 255));
    EXPECT_EQ(c.at(5, 99), RGB(0, 0, 255));
    Canvas untouched(10, 10);
    GRADIENTFILL(untouched.dc(), 0, 0, 9, 9, {});
    EXPECT_EQ(untouched.at(5, 5), RGB(255, 255, 255));
}

TEST(BarAdjust, DocksToTheParentAndFloatingBarsStay) {
    Host parent(400, 300);
    Host bar(28, 30, parent.h, 50, 50);
    auto placed = [&] {
        RECT r{};
        GetWindowRect(bar.h, &r);
        MapWindowPoints(nullptr, parent.h, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    BARADJUST(bar.h, 5, false, 0);
    EXPECT_EQ(placed().left, 50);
    BARADJUST(bar.h, 4, true, 22);
    RECT r = placed();
    EXPECT_EQ(r.left, -1);
    EXPECT_EQ(r.top, 300 - 30 - 21 - 2);
    EXPECT_EQ(r.right - r.left, 402);
    EXPECT_EQ(r.bottom - r.top, 32);
    BARADJUST(bar.h, 1, true, 22);
    r = placed();
    EXPECT_EQ(r.top, -1);
    EXPECT_EQ(r.bottom - r.top, 34) << "the bar's client height grew by two at the last docking";
}

// An 8 x 8 red bitmap whose top-left pixel (the transparent colour) is white.
HBITMAP redSquare() {
    HDC screen = GetDC(nullptr);
    HBITMAP b = CreateCompatibleBitmap(screen, 8, 8);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, b);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{0, 0, 8, 8};
    FillRect(mem, &r, red);
    SetPixel(mem, 0, 0, RGB(255, 255, 255));
    DeleteObject(red);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return b;
}

TEST(PalBtnPaint, PressedWithoutAPressedBitmapShiftsTheNormalOneInASunkenFrame) {
    Host button(28, 28);
    HBITMAP bmp = redSquare();
    struct Case {
        bool pressed, border;
        int firstRed;  // the bitmap's (1, 1) pixel lands on (firstRed, firstRed)
        bool sunken, raised;
    };
    const Case cases[] = {{true, false, 12, true, false}, {false, false, 11, false, false}, {false, true, 11, false, true}};
    for (const Case& k : cases) {
        Canvas c(28, 28, RGB(10, 20, 30));
        PALBTNPAINT(button.h, {bmp, nullptr}, {}, {}, k.pressed, false, k.border, false, RGB(255, 255, 255),
                    std::nullopt, 0, nullptr, 0, c.dc());
        EXPECT_EQ(c.at(k.firstRed, k.firstRed), RGB(255, 0, 0)) << k.pressed;
        EXPECT_EQ(c.at(k.firstRed + 6, k.firstRed + 6), RGB(255, 0, 0)) << k.pressed;
        EXPECT_NE(c.at(k.firstRed + 7, k.firstRed + 7), RGB(255, 0, 0)) << k.pressed;
        EXPECT_EQ(c.at(0, 10) == kShadow, k.sunken) << k.pressed << k.border;
        EXPECT_EQ(c.at(0, 10) == kLight, k.raised) << k.pressed << k.border;
    }
    DeleteObject(bmp);
}

TEST(BtnDisable, InkIsEmbossedAndTheFaceKept) {
    Host button(20, 20);
    Canvas c(20, 20, kFace);
    SetPixel(c.dc(), 5, 5, RGB(0, 0, 0));
    BTNDISABLE(button.h, c.dc());
    EXPECT_EQ(c.at(5, 5), kShadow);
    EXPECT_EQ(c.at(6, 6), kLight);
    EXPECT_EQ(c.at(10, 10), kFace);
}

TEST(MsgPaint3L, SizeGripLinesAtTheRightEnd) {
    Host bar(100, 20);
    Canvas c(100, 20);
    MSGPAINT3L(bar.h, false, c.dc());
    // x0 = 98, y0 = 19: per step two shadow lines and one highlight line.
    EXPECT_EQ(c.at(98, 16), kShadow);
    EXPECT_EQ(c.at(98, 17), kShadow);
    EXPECT_EQ(c.at(98, 15), kLight);
    EXPECT_EQ(c.at(98, 12), kShadow);
    EXPECT_EQ(c.at(90, 2), kFace) << "the grip area is filled";
    EXPECT_EQ(c.at(80, 2), RGB(255, 255, 255)) << "left of the grip nothing is painted";
}

TEST(DrawMsgItem, FillsItsRectangleOnly) {
    Canvas c(100, 30);
    DRAWMSGITEM(c.dc(), "", {5, 10, 15, 60}, 0, RGB(1, 2, 3));
    EXPECT_EQ(c.at(30, 10), RGB(1, 2, 3));
    EXPECT_EQ(c.at(30, 20), RGB(255, 255, 255));
    EXPECT_EQ(c.at(70, 10), RGB(255, 255, 255));
    Canvas d(100, 30);
    DRAWMSGITEM(d.dc(), "", {5, 10, 15, 60});
    EXPECT_EQ(d.at(30, 10), RGB(192, 192, 192)) << "the default background";
}

TEST(BarPaint, TopLineFrameAndGripper) {
    Host bar(200, 28);
    Canvas c(200, 28);
    BARPAINT(bar.h, c.dc());
    EXPECT_EQ(c.at(50, 0), kShadow);
    // Gripper frames at columns 4..6 and 7..9 below the line.
    EXPECT_EQ(c.at(4, 10), kLight);
    EXPECT_EQ(c.at(6, 10), kShadow);
    EXPECT_EQ(c.at(7, 10), kLight);
    EXPECT_EQ(c.at(9, 10), kShadow);
}

}  // namespace
