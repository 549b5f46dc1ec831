#include "scrolling.hpp"

#include <gtest/gtest.h>

#include "test_windows.hpp"
#include "window_coordinates.hpp"

namespace {

using wl::RectArray;
using wltest::TestWindow;

class BrowseRows : public ::testing::Test {
protected:
    TestWindow w{WS_POPUP | WS_VISIBLE, nullptr, 30, 20, 300, 200};
    HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    int rowHeight = 0;
    void SetUp() override { rowHeight = wl::fontTextHeight(w, nullptr, font) + 1; }
    void TearDown() override { DeleteObject(font); }
};

TEST_F(BrowseRows, RowsCountAndRowAtPixelUseTheFontsHeightPlusOne) {
    ASSERT_GT(rowHeight, 10);
    int clientHeight = wl::GETCLIENTRECT(w).height();
    EXPECT_EQ(wl::NWROWS(w, nullptr, font), clientHeight / rowHeight);
    HDC dc = GetDC(w);
    EXPECT_EQ(wl::NWROWS(w, dc, font), clientHeight / rowHeight);
    EXPECT_EQ(wl::NWROW(w, dc, rowHeight * 3 + 1, font), 3);
    EXPECT_EQ(wl::NWROW(w, dc, rowHeight - 1, font), 0);
    ReleaseDC(w, dc);
}

TEST_F(BrowseRows, CellRectanglesOnTheScreen) {
    RectArray win = wl::GETWNDRECT(w);
    auto first = wl::ABRWPOSRECT(w, 1, {40, 60, 80}, 1, 1, font);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(*first, (RectArray{win.top + rowHeight, win.left, win.top + 2 * rowHeight, win.left + 40}));
    auto last = wl::ABRWPOSRECT(w, 0, {40, 60, 80}, 1, 3, font);
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(last->right, win.right - 18);  // room for the vertical scroll bar
    EXPECT_FALSE(wl::ABRWPOSRECT(w, 0, {40, 60, 80}, 1, 0, font).has_value());
    EXPECT_FALSE(wl::ABRWPOSRECT(w, 0, {40, 60, 80}, 1, 4, font).has_value());
}

TEST_F(BrowseRows, ScrollingRowsMovesPixelsUpBelowTheHeader) {
    // Paint a marker in row 2 and scroll one row: it must arrive in row 1,
    // and the header row must not move.
    HDC dc = GetDC(w);
    RECT whole{0, 0, 300, 200};
    FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetPixel(dc, 5, 2 * rowHeight + 2, RGB(255, 0, 0));
    SetPixel(dc, 5, 2, RGB(0, 0, 255));
    wl::WBRWSCROLL(w, 1, font);
    EXPECT_EQ(GetPixel(dc, 5, rowHeight + 2), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 5, 2), RGB(0, 0, 255));
    ReleaseDC(w, dc);
}

TEST(ScrollBars, RangePositionAndPage) {
    TestWindow w(WS_POPUP | WS_VSCROLL, nullptr, 0, 0, 200, 200);
    wl::SETSCROLLRANGE(w, SB_VERT, 0, 50, false);
    EXPECT_EQ(wl::GETSCROLLRANGE(w, SB_VERT), (std::vector<int>{0, 50}));
    wl::SETSCROLLPOS(w, SB_VERT, 20, false);
    EXPECT_EQ(wl::SETSCROLLPOS(w, SB_VERT, 30, false), 20);
    EXPECT_EQ(wl::GETSCROLLPOS(w, SB_VERT), 30);
    EXPECT_TRUE(wl::SETSCROLLINFO(w, SB_VERT, 10, false));
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_PAGE;
    GetScrollInfo(w, SB_VERT, &si);
    EXPECT_EQ(si.nPage, 10u);
    wl::SETSCROLLRANGE2(w, SB_VERT, 5, 9, false);
    EXPECT_EQ(wl::GETSCROLLRANGE(w, SB_VERT), (std::vector<int>{5, 9}));
}

}  // namespace

namespace {

// Pixels of a white window with red markers, read back after a scroll.
class ScrollPixels : public ::testing::Test {
protected:
    TestWindow w{WS_POPUP | WS_VISIBLE, nullptr, 30, 20, 300, 200};
    HDC dc = nullptr;
    void SetUp() override {
        dc = GetDC(w);
        RECT whole{0, 0, 300, 200};
        FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        for (int y : {10, 40, 75}) SetPixel(dc, 5, y, RGB(255, 0, 0));
        ValidateRect(w, nullptr);
    }
    void TearDown() override { ReleaseDC(w, dc); }
    bool red(int y) { return GetPixel(dc, 5, y) == RGB(255, 0, 0); }
};

TEST_F(ScrollPixels, ABandOfRowsScrollsAlone) {
    wl::XBRWSCROLLROW(w, 10, 20, 50);  // rows 20 to 69 move up by 10
    EXPECT_TRUE(red(30));
    EXPECT_TRUE(red(10));   // above the band: untouched
    EXPECT_TRUE(red(75));   // below the band: untouched
    EXPECT_FALSE(red(65));  // nothing comes in from below the band
}

TEST_F(ScrollPixels, ARectangleScrollsOnlyItself) {
    wl::SCROLLWINDOW(w, 0, -10, RectArray{20, 0, 70, 300});
    EXPECT_TRUE(red(30));
    EXPECT_FALSE(red(65));
}

TEST_F(ScrollPixels, TheWholeClientAreaScrollsClippedToTheBand) {
    wl::SCROLLWINDOW(w, 0, -10, std::nullopt, RectArray{20, 0, 70, 300});
    EXPECT_TRUE(red(30));
    EXPECT_TRUE(red(10));  // outside the clip nothing changes
    EXPECT_TRUE(red(75));
}

TEST_F(ScrollPixels, LinesScrollByTheBareTextHeightAndInvalidate) {
    HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    int line = wl::fontTextHeight(w, nullptr, font);
    SetPixel(dc, 5, line + 3, RGB(0, 0, 255));
    wl::SCROLLLINES(w, 1, font);
    EXPECT_EQ(GetPixel(dc, 5, 3), RGB(0, 0, 255));
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(w, &update, FALSE));  // the uncovered rows wait for painting
    DeleteObject(font);
}

}  // namespace
