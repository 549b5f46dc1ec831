// The browses' shared window jobs: letters measured in a font, a solid
// fill, and the fling's wait (which clicks stop it, what it runs).
#include "browse_window.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace wl;

constexpr UINT kBrowseWindowProbe = WM_APP + 7;
int browseWindowProbes = 0;

LRESULT CALLBACK browseWindowProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == kBrowseWindowProbe) ++browseWindowProbes;
    return DefWindowProcA(h, m, w, l);
}

// A bare window of its own class, counting the probes it is sent.
struct BrowseWindowHost {
    HWND hWnd = nullptr;
    BrowseWindowHost() {
        WNDCLASSA c{};
        c.lpfnWndProc = browseWindowProc;
        c.hInstance = GetModuleHandleA(nullptr);
        c.lpszClassName = "BrowseWindowTestHost";
        RegisterClassA(&c);
        hWnd = CreateWindowA("BrowseWindowTestHost", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                             c.hInstance, nullptr);
        MSG m{};
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        browseWindowProbes = 0;
    }
    ~BrowseWindowHost() {
        if (IsWindow(hWnd)) DestroyWindow(hWnd);
    }
};

// A font of that pixel height, deleted with the holder.
struct BrowseWindowFont {
    HFONT h;
    explicit BrowseWindowFont(int height)
        : h(CreateFontA(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial")) {}
    ~BrowseWindowFont() { DeleteObject(h); }
};

TEST(BrowseWindow, LettersAreMeasuredInTheFontGiven) {
    BrowseWindowHost host;
    BrowseWindowFont small(12), large(24);
    const int one = browseLettersWidth(host.hWnd, small.h, 1);
    EXPECT_GT(one, 0);
    EXPECT_EQ(browseLettersWidth(host.hWnd, small.h, 0), one);  // never fewer than one letter
    EXPECT_EQ(browseLettersWidth(host.hWnd, small.h, 10), 10 * one);
    EXPECT_GT(browseLettersWidth(host.hWnd, large.h, 10), browseLettersWidth(host.hWnd, small.h, 10));
}

TEST(BrowseWindow, FillsTheRectangleAlone) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 10, 10);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    const RECT all{0, 0, 10, 10}, part{2, 2, 5, 5};
    browseFillSolid(dc, all, RGB(255, 255, 255));
    browseFillSolid(dc, part, RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 4, 4), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 255, 255));
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
}

TEST(BrowseWindow, TheFlingWaitRunsOtherMessagesAndGoesOn) {
    BrowseWindowHost host;
    auto alive = std::make_shared<bool>(true);
    PostMessageA(host.hWnd, kBrowseWindowProbe, 0, 0);
    EXPECT_TRUE(browseFlingWait(alive, host.hWnd, WM_LBUTTONDOWN, WM_LBUTTONUP, PM_REMOVE)(1));
    EXPECT_EQ(browseWindowProbes, 1);
}

TEST(BrowseWindow, AClickForTheBrowseStopsTheFlingTakenOrLeftAsAsked) {
    struct Case {
        UINT first, last, peek;
        UINT posted;
        bool stops, leftQueued;
    };
    const Case cases[] = {
        {WM_LBUTTONDOWN, WM_LBUTTONUP, PM_REMOVE, WM_LBUTTONDOWN, true, false},
        {WM_LBUTTONDOWN, WM_LBUTTONUP, PM_REMOVE, WM_LBUTTONUP, true, false},
        {WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE, WM_LBUTTONDOWN, true, true},
        {WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE, WM_LBUTTONUP, false, false},
    };
    for (const Case& c : cases) {
        BrowseWindowHost host;
        auto alive = std::make_shared<bool>(true);
        PostMessageA(host.hWnd, c.posted, 0, 0);
        EXPECT_EQ(browseFlingWait(alive, host.hWnd, c.first, c.last, c.peek)(1), !c.stops) << c.posted;
        MSG m{};
        EXPECT_EQ(PeekMessageA(&m, host.hWnd, c.posted, c.posted, PM_REMOVE) != FALSE, c.leftQueued) << c.posted;
    }
}

TEST(BrowseWindow, TheFlingStopsWhenTheBrowseIsClosedOrGone) {
    BrowseWindowHost host;
    auto alive = std::make_shared<bool>(false);
    EXPECT_FALSE(browseFlingWait(alive, host.hWnd, WM_LBUTTONDOWN, WM_LBUTTONUP, PM_REMOVE)(1));
    *alive = true;
    DestroyWindow(host.hWnd);
    EXPECT_FALSE(browseFlingWait(alive, host.hWnd, WM_LBUTTONDOWN, WM_LBUTTONUP, PM_REMOVE)(1));
}

}  // namespace
