// The utility windows' shared parts under Wine: the window's title, the
// read-only report of its text, the tree and the button row's place and
// action.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "tool_tree_view.hpp"
#include "utility_window_parts.hpp"

namespace {

std::string utilityPartText(HWND h) {
    char text[256] = {};
    GetWindowTextA(h, text, sizeof text);
    return text;
}

// A child's rectangle in its parent's client pixels.
RECT utilityPartPlace(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

TEST(UtilityWindowParts, BuildTheWindowItsReportTreeAndButtons) {
    const std::shared_ptr<wl::TFont> font = zr::toolFont();
    wl::TWindow window;
    zr::newUtilityWindow(window, "Utility Parts", font);
    ASSERT_TRUE(IsWindow(window.hWnd));
    EXPECT_EQ(utilityPartText(window.hWnd), "Utility Parts");

    std::string text = "first line";
    wl::TMultiGet report;
    zr::newUtilityReport(window, font, report, {16, 9, 200, 60}, text);
    EXPECT_EQ(utilityPartText(report.hWnd), "first line");
    SendMessageA(report.hWnd, WM_CHAR, 'x', 1);  // read-only: typing changes nothing
    EXPECT_EQ(utilityPartText(report.hWnd), "first line");
    const RECT at = utilityPartPlace(report.hWnd);
    EXPECT_EQ(at.left, 9);
    EXPECT_EQ(at.top, 16);

    // The test program carries the tools' bitmaps as the program does.
    wl::TImageList pictures;
    zr::loadFolderPictures(pictures);
    EXPECT_EQ(pictures.Count(), 1);
    wl::TTreeView tree;
    zr::newUtilityTree(window, tree, {1, 4, 100, 80}, pictures);
    EXPECT_TRUE(IsWindow(tree.hWnd));
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(tree.hWnd, TVM_GETIMAGELIST, TVSIL_NORMAL, 0)),
              pictures.hImageList);

    int pressed = 0;
    wl::TButton button;
    zr::newUtilityButton(window, font, button, 300, 64, "Press", [&pressed] { ++pressed; });
    EXPECT_EQ(utilityPartText(button.hWnd), "Press");
    const RECT b = utilityPartPlace(button.hWnd);
    EXPECT_EQ(b.left, 300);
    EXPECT_EQ(b.top, 16);
    SendMessageA(window.hWnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button.hWnd), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button.hWnd));
    EXPECT_EQ(pressed, 1);

    const HWND h = window.hWnd;
    zr::endUtilityWindow(window, font);
    EXPECT_FALSE(IsWindow(h));
}
