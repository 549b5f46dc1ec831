#include "window_natives.hpp"

#include <gtest/gtest.h>

#include "window_units.hpp"

namespace {

HWND makeWindow(const char* cls, DWORD style, HWND parent, int x, int y, int w, int h) {
    return CreateWindowExA(0, cls, "", style, x, y, w, h, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

RECT placeOf(HWND h) { return wl::windowRectInParent(h); }

TEST(WindowNatives, SizesAndPositions) {
    HWND w = makeWindow("STATIC", WS_POPUP, nullptr, 10, 20, 100, 50);
    EXPECT_EQ(wl::WNDWIDTH(w), 100);
    EXPECT_EQ(wl::WNDHEIGHT(w), 50);
    EXPECT_EQ(wl::WNDTOP(w), 20);
    EXPECT_EQ(wl::WNDLEFT(w), 10);
    EXPECT_TRUE(wl::MOVEWINDOW(w, 30, 40, 0, 0));  // width 0 keeps the size
    EXPECT_EQ(wl::WNDLEFT(w), 40);
    EXPECT_EQ(wl::WNDWIDTH(w), 100);
    EXPECT_EQ(wl::WNDWIDTH(w, 120), 120);
    EXPECT_EQ(wl::WNDHEIGHT(w), 50);
    EXPECT_EQ(wl::WNDTOP(w, 5), 5);
    EXPECT_EQ(wl::WNDWIDTH(w), 120);
    EXPECT_EQ(wl::GETCLASSNAME(w), "Static");
    DestroyWindow(w);
    EXPECT_FALSE(wl::MOVEWINDOW(w, 0, 0, 10, 10));  // not a window
    EXPECT_EQ(wl::WNDWIDTH(w), 0);
}

TEST(WindowNatives, DockedControlsFillTheClientArea) {
    HWND parent = makeWindow("STATIC", WS_POPUP, nullptr, 0, 0, 400, 300);
    HWND top = makeWindow("STATIC", WS_CHILD, parent, 0, 0, 10, 28);
    HWND bottom = makeWindow("STATIC", WS_CHILD, parent, 0, 0, 10, 20);
    HWND left = makeWindow("STATIC", WS_CHILD, parent, 0, 0, 51, 10);
    HWND client = makeWindow("STATIC", WS_CHILD, parent, 0, 0, 10, 10);
    ASSERT_TRUE(wl::WNDADJTOP(top));
    ASSERT_TRUE(wl::WNDADJBOTTOM(bottom));
    ASSERT_TRUE(wl::WNDADJLEFT(left, top, bottom));
    ASSERT_TRUE(wl::WNDADJCLIENT(client, top, bottom, left, nullptr, false, 0));
    RECT cr{};
    GetClientRect(parent, &cr);
    const wl::DockParent p{cr.right, cr.bottom, true};
    const auto expectAt = [](HWND h, const wl::DockPlace& d) {
        RECT r = placeOf(h);
        EXPECT_EQ(r.left, d.x);
        EXPECT_EQ(r.top, d.y);
        EXPECT_EQ(r.right - r.left, d.width);
        EXPECT_EQ(r.bottom - r.top, d.height);
    };
    expectAt(top, wl::WNDADJTOP(p, false, 28));
    expectAt(bottom, wl::WNDADJBOTTOM(p, 20));
    expectAt(left, wl::WNDADJLEFT(p, 28, 20, 51));
    wl::DockClientEdges e;
    e.topHeight = 28;
    e.bottomHeight = 20;
    e.leftWidth = 51;
    expectAt(client, wl::WNDADJCLIENT(p, e, false, 0));
    // The client control covers the area between the bars.
    RECT c = placeOf(client);
    EXPECT_LE(c.left, placeOf(left).right);
    EXPECT_LE(c.top, placeOf(top).bottom);
    EXPECT_GE(c.bottom, placeOf(bottom).top);
    EXPECT_GE(c.right, cr.right);
    DestroyWindow(parent);
}

TEST(WindowNatives, MinMaxRecord) {
    MINMAXINFO mm{};
    const int v[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(wl::SETMINMAX(&mm, v), 0);
    EXPECT_EQ(mm.ptMaxSize.x, 1);
    EXPECT_EQ(mm.ptMaxSize.y, 2);
    EXPECT_EQ(mm.ptMaxPosition.x, 3);
    EXPECT_EQ(mm.ptMinTrackSize.y, 6);
    EXPECT_EQ(mm.ptMaxTrackSize.x, 7);
}

TEST(WindowNatives, ErrorTextOfASystemError) {
    EXPECT_FALSE(wl::GETERRMSG(ERROR_FILE_NOT_FOUND).empty());
}

}  // namespace
