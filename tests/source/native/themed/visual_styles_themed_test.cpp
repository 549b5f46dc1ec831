// The themed path: this test program holds the program's manifest, so under
// a themed system the library draws through the theme: grippers, header
// items whose ANSI texts reach the theme as the same characters, and the
// themed painting of labels and check boxes.
#include "visual_styles.hpp"

#include <windows.h>
#include <uxtheme.h>

#include <gtest/gtest.h>

#include <string>

#include "control_host.hpp"
#include "memory_canvas.hpp"

namespace {

using namespace wl;

// A memory picture of w x h pixels, white, to draw on and compare.
struct Canvas : wltest::MemoryCanvas {
    using MemoryCanvas::MemoryCanvas;
    int changedPixels() const {
        int n = 0;
        for (int x = 0; x < width(); ++x)
            for (int y = 0; y < height(); ++y)
                if (at(x, y) != RGB(255, 255, 255)) ++n;
        return n;
    }
    bool sameAs(const Canvas& o) const {
        for (int x = 0; x < width(); ++x)
            for (int y = 0; y < height(); ++y)
                if (at(x, y) != o.at(x, y)) return false;
        return true;
    }
};

// The header item drawn straight through the theme with a wide text.
void referenceHeader(HWND hWnd, HDC dc, const wchar_t* text) {
    HMODULE lib = LoadLibraryA("uxtheme.dll");
    ASSERT_NE(lib, nullptr);
    auto open = reinterpret_cast<HTHEME(WINAPI*)(HWND, LPCWSTR)>(
        reinterpret_cast<void*>(GetProcAddress(lib, "OpenThemeData")));
    auto back = reinterpret_cast<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*)>(
        reinterpret_cast<void*>(GetProcAddress(lib, "DrawThemeBackground")));
    auto draw = reinterpret_cast<HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*)>(
        reinterpret_cast<void*>(GetProcAddress(lib, "DrawThemeText")));
    auto close = reinterpret_cast<HRESULT(WINAPI*)(HTHEME)>(
        reinterpret_cast<void*>(GetProcAddress(lib, "CloseThemeData")));
    HTHEME theme = open(hWnd, L"Header");
    ASSERT_NE(theme, nullptr);
    RECT r{0, 0, 120, 24};
    back(theme, dc, 1, 1, &r, nullptr);
    RECT t{4, 1, 120, 25};
    draw(theme, dc, 1, 1, text, static_cast<int>(wcslen(text)), 0, 0, &t);
    close(theme);
    FreeLibrary(lib);
}

TEST(ThemedStyles, TheProgramIsThemed) {
    EXPECT_TRUE(APPHASMANIFEST());
    EXPECT_TRUE(ISTHEMEACTIVE());
    EXPECT_TRUE(ISAPPTHEMED());
}

TEST(ThemedStyles, GrippersAreDrawnByTheTheme) {
    wltest::ControlHost host("STATIC", 0, 120, 30);
    Canvas bar(120, 30), status(120, 30);
    EXPECT_TRUE(DRAWBARGRIPPERTHEMED(host.control, bar.dc(), true));
    EXPECT_TRUE(DRAWSTATUSGRIPPERTHEMED(host.control, status.dc()));
}

TEST(ThemedStyles, HeaderTextsAreAnsi) {
    wltest::ControlHost host("STATIC", 0, 120, 24);
    // 0xC9 is "É" in the ANSI code page (and a box-drawing corner in OEM).
    Canvas drawn(120, 24), ansi(120, 24), oem(120, 24);
    DRAWHEADER(host.control, drawn.dc(), 0, 0, 24, 120, "\xC9TAT", false);
    referenceHeader(host.control, ansi.dc(), L"\u00C9TAT");
    referenceHeader(host.control, oem.dc(), L"\u2554TAT");
    EXPECT_GT(drawn.changedPixels(), 0);
    EXPECT_TRUE(drawn.sameAs(ansi));
    EXPECT_FALSE(drawn.sameAs(oem));
}

TEST(ThemedStyles, ThemedCheckBoxPaintsItsOwnText) {
    wltest::ControlHost host("STATIC", 0, 10, 10);
    HWND group = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 20, 200, 100, host.parent, nullptr,
                                 nullptr, nullptr);
    HWND check = CreateWindowExA(0, "BUTTON", "Paid", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 10, 120, 20,
                                 group, nullptr, nullptr, nullptr);
    const LONG_PTR before = GetWindowLongPtrA(check, GWLP_WNDPROC);
    THEMECONTROLS(group);
    EXPECT_NE(GetWindowLongPtrA(check, GWLP_WNDPROC), before);
    SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    InvalidateRect(check, nullptr, TRUE);
    EXPECT_TRUE(UpdateWindow(check));
    // DRAWTHEMED copies the window under a check box into the context.
    Canvas c(120, 20);
    EXPECT_EQ(DRAWTHEMED(check, c.dc()), GetStockObject(NULL_BRUSH));
}

TEST(ThemedStyles, ParentBackgroundEditBorderAndWindowThemes) {
    wltest::ControlHost host("STATIC", 0, 120, 30);
    Canvas parent(120, 30), edit(120, 30);
    DRAWPBACK(host.control, parent.dc());
    EXPECT_GT(parent.changedPixels(), 0);
    EXPECT_FALSE(NOTABTHEME());
    DRAWEDITBORDER(host.control, edit.dc());
    EXPECT_GT(edit.changedPixels(), 0);
    EXPECT_TRUE(SETWINDOWTHEME(host.control, std::string("Explorer"), std::string("TreeView")));
}

TEST(ThemedStyles, FocusFrameAroundACheckBoxText) {
    wltest::ControlHost host("STATIC", 0, 10, 10);
    ShowWindow(host.parent, SW_SHOWNOACTIVATE);
    HWND group = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 20, 200, 100, host.parent, nullptr,
                                 nullptr, nullptr);
    HWND check = CreateWindowExA(0, "BUTTON", "Paid", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 10, 120, 20,
                                 group, nullptr, nullptr, nullptr);
    THEMECONTROLS(group);
    UpdateWindow(host.parent);
    HDC dc = GetDC(check);
    // Pixels of the frame's left edge (x = 15) that differ from their
    // neighbour to the left.
    auto edge = [dc] {
        int n = 0;
        for (int y = 2; y < 17; ++y)
            if (GetPixel(dc, 15, y) != GetPixel(dc, 14, y)) ++n;
        return n;
    };
    const int before = edge();
    THEMEDFOCUS(check, nullptr);
    const int after = edge();
    ReleaseDC(check, dc);
    EXPECT_GT(after, before);
}

}  // namespace
