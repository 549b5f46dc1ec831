#include "window_coordinates.hpp"

#include <gtest/gtest.h>

#include "dialog_template.hpp"
#include "dialogs.hpp"
#include "test_windows.hpp"

namespace {

using wl::RectArray;
using wltest::TestWindow;

TEST(WindowCoordinates, HandleZeroGivesZeroRectangles) {
    EXPECT_EQ(wl::GETCLIENTRECT(nullptr), RectArray{});
    EXPECT_EQ(wl::GETWNDRECT(nullptr), RectArray{});
    EXPECT_EQ(wl::GETCOORS(nullptr), RectArray{});
}

TEST(WindowCoordinates, RectanglesInTheLibrarysOrder) {
    TestWindow parent(WS_POPUP, nullptr, 100, 50, 400, 300);
    TestWindow child(WS_CHILD, parent, 10, 20, 30, 40);
    EXPECT_EQ(wl::GETWNDRECT(parent), (RectArray{50, 100, 350, 500}));
    EXPECT_EQ(wl::GETCLIENTRECT(parent), (RectArray{0, 0, 300, 400}));
    EXPECT_EQ(wl::GETCOORS(child), (RectArray{20, 10, 60, 40}));
    EXPECT_EQ(wl::GETWNDRECT(child), (RectArray{70, 110, 110, 140}));
}

TEST(WindowCoordinates, PointConversionChangesTheArgumentAndAnswersACopy) {
    TestWindow w(WS_POPUP, nullptr, 100, 50, 400, 300);
    wl::RowCol p{5, 7};
    wl::RowCol answer = wl::CLIENTTOSCREEN(w, p);
    EXPECT_EQ(p, (wl::RowCol{55, 107}));
    EXPECT_EQ(answer, p);
    wl::RowCol back = wl::SCREENTOCLIENT(w, p);
    EXPECT_EQ(p, (wl::RowCol{5, 7}));
    EXPECT_EQ(back, p);

    TestWindow child(WS_CHILD | WS_VISIBLE, w, 10, 20, 30, 40);
    EXPECT_EQ(wl::MAPWINDOWPOINT(child, w, {1, 2}), (wl::RowCol{21, 12}));
    EXPECT_EQ(wl::CHILDFROMPOINT(w, {25, 15}), child.hwnd());
}

class EraseCounting : public ::testing::Test {
protected:
    TestWindow w{WS_POPUP | WS_VISIBLE, nullptr, 0, 0, 200, 100};
    void SetUp() override {
        UpdateWindow(w);
        ValidateRect(w, nullptr);
        wltest::received().clear();
    }
    int erasesOnUpdate() {
        UpdateWindow(w);
        return wltest::countOf(w, WM_ERASEBKGND);
    }
    RectArray updateRect() {
        RECT r{};
        GetUpdateRect(w, &r, FALSE);
        return wl::toRectArray(r);
    }
};

TEST_F(EraseCounting, FalseInvalidatesTheWholeClientAreaWithoutErasing) {
    wl::INVALIDATERECT(w, false);
    EXPECT_EQ(updateRect(), (RectArray{0, 0, 100, 200}));
    EXPECT_EQ(erasesOnUpdate(), 0);
}

TEST_F(EraseCounting, ARectangleIsInvalidatedAndErased) {
    wl::INVALIDATERECT(w, RectArray{10, 10, 20, 20});
    EXPECT_EQ(updateRect(), (RectArray{10, 10, 20, 20}));
    EXPECT_EQ(erasesOnUpdate(), 1);
}

TEST_F(EraseCounting, TheLastLogicalDecidesTheErasing) {
    wl::INVALIDATERECT(w, true, false);
    EXPECT_EQ(updateRect(), (RectArray{0, 0, 100, 200}));
    EXPECT_EQ(erasesOnUpdate(), 0);
    wl::INVALIDATERECT(w, RectArray{0, 0, 5, 5}, false);
    EXPECT_EQ(erasesOnUpdate(), 0);
    wl::INVALIDATERECT(w);
    EXPECT_EQ(erasesOnUpdate(), 1);
    wl::INVALIDATERECT(nullptr);  // nothing happens
}

TEST(WindowCoordinates, PointsOverTheWindowAndScrollStyles) {
    TestWindow w(WS_POPUP | WS_VSCROLL, nullptr, 0, 0, 200, 100);
    RectArray client = wl::GETCLIENTRECT(w);
    EXPECT_TRUE(wl::ISOVERWND(w, 0, 0));
    EXPECT_TRUE(wl::ISOVERWND(w, client.bottom - 1, client.right - 1));
    EXPECT_FALSE(wl::ISOVERWND(w, client.bottom, 0));
    EXPECT_FALSE(wl::ISOVERWND(w, 0, -1));
    EXPECT_TRUE(wl::WNDHASSCROLLS(w));
    TestWindow plain(WS_POPUP);
    EXPECT_FALSE(wl::WNDHASSCROLLS(plain));
}

TEST(WindowCoordinates, DialogUnitsToPixels) {
    // A dialog without a font of its own uses the system base units:
    // 4 horizontal units and 8 vertical units are one base unit each.
    HWND dlg = wl::CREATEDLGINDIRECT(GetModuleHandleA(nullptr), wl::CDLG2CHR(0, 0, 0, 50, 50, "", WS_POPUP), nullptr);
    ASSERT_NE(dlg, nullptr);
    RectArray r{8, 4, 16, 8};
    wl::MAPDIALOGRECT(dlg, r);
    long units = GetDialogBaseUnits();
    EXPECT_EQ(r, (RectArray{HIWORD(units), LOWORD(units), 2 * HIWORD(units), 2 * LOWORD(units)}));
    DestroyWindow(dlg);
}

}  // namespace
