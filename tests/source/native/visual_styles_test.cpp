// The unthemed path: this test program holds no manifest, so the library
// paints its own look; the manifest check itself; CTL3D where the library or
// its entries are absent.
#include "visual_styles.hpp"

#include <gtest/gtest.h>

#include "control_host.hpp"
#include "test_support.hpp"

namespace {

using namespace wl;

TEST(VisualStyles, WithoutAManifestTheProgramIsNotThemed) {
    EXPECT_FALSE(APPHASMANIFEST());
    EXPECT_FALSE(ISAPPTHEMED());
    wltest::ControlHost host("STATIC", 0, 100, 30);
    HDC dc = GetDC(host.control);
    EXPECT_FALSE(DRAWBARGRIPPERTHEMED(host.control, dc, true));
    EXPECT_FALSE(DRAWSTATUSGRIPPERTHEMED(host.control, dc));
    // Nothing of the parent's themed background is painted either.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, 20, 20);
    HGDIOBJ old = SelectObject(memory, bmp);
    SetPixel(memory, 5, 5, RGB(1, 2, 3));
    DRAWPBACK(host.control, memory);
    EXPECT_EQ(GetPixel(memory, 5, 5), RGB(1, 2, 3));
    SelectObject(memory, old);
    DeleteObject(bmp);
    DeleteDC(memory);
    ReleaseDC(host.control, dc);
}

TEST(VisualStyles, ManifestFoundAsAFileBesideTheProgram) {
    zrtest::TempDir dir;
    const std::string program = dir.file("tool.exe");
    EXPECT_FALSE(hasManifest(nullptr, nullptr, program));
    dir.write("tool.exe.Manifest", "<assembly/>");
    EXPECT_TRUE(hasManifest(nullptr, nullptr, program));
    // This program holds no manifest resource.
    EXPECT_FALSE(hasManifest(GetModuleHandleA(nullptr), nullptr, dir.file("other.exe")));
}

TEST(VisualStyles, MissingThemeLibraryIsNotActive) {
    EXPECT_FALSE(isThemeActiveIn("ZRNOTHEME.DLL"));
}

TEST(VisualStyles, DrawThemedBrushesByControlKind) {
    struct Case {
        const char* cls;
        DWORD style;
        int stock;
    };
    const Case cases[] = {
        {"BUTTON", BS_GROUPBOX, WHITE_BRUSH},
        {"BUTTON", BS_AUTOCHECKBOX, NULL_BRUSH},
        {"STATIC", SS_LEFT, NULL_BRUSH},
    };
    for (const Case& c : cases) {
        wltest::ControlHost host(c.cls, c.style, 120, 30);
        HDC dc = GetDC(host.control);
        SetBkMode(dc, OPAQUE);
        EXPECT_EQ(DRAWTHEMED(host.control, dc), GetStockObject(c.stock)) << c.cls << " " << c.style;
        if (std::string(c.cls) == "STATIC") {
            EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
        }
        ReleaseDC(host.control, dc);
    }
}

TEST(VisualStyles, LabelsAndCheckBoxesKeepTheirOwnPaintingWhileUnthemed) {
    wltest::ControlHost host("STATIC", 0, 10, 10);
    HWND label = CreateWindowExA(0, "STATIC", "Payer", WS_CHILD | WS_VISIBLE, 0, 20, 80, 20, host.parent, nullptr,
                                 nullptr, nullptr);
    HWND check = CreateWindowExA(0, "BUTTON", "Paid", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 50, 80, 20,
                                 host.parent, nullptr, nullptr, nullptr);
    HWND push = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 80, 80, 20,
                                host.parent, nullptr, nullptr, nullptr);
    const LONG_PTR pushProc = GetWindowLongPtrA(push, GWLP_WNDPROC);
    const LONG_PTR labelProc = GetWindowLongPtrA(label, GWLP_WNDPROC);
    THEMECONTROLS(host.parent);
    EXPECT_NE(GetWindowLongPtrA(label, GWLP_WNDPROC), labelProc);
    EXPECT_EQ(GetWindowLongPtrA(push, GWLP_WNDPROC), pushProc);
    // Everything but painting still reaches the controls' own procedures.
    SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(label, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Payee"));
    char text[16] = {};
    GetWindowTextA(label, text, sizeof text);
    EXPECT_STREQ(text, "Payee");
    InvalidateRect(label, nullptr, TRUE);
    EXPECT_TRUE(UpdateWindow(label));
}

TEST(Ctl3d, AbsentLibraryAnswersNotAvailable) {
    wltest::ControlHost host("BUTTON", BS_PUSHBUTTON, 80, 20);
    Ctl3dLink absent("ZRNOCTL3D.DLL");
    EXPECT_FALSE(absent.use(true));
    EXPECT_FALSE(absent.loaded());
    EXPECT_FALSE(absent.look(host.control, true));
    EXPECT_FALSE(absent.look(host.control, false));
}

TEST(Ctl3d, UseCountLoadsAndFreesTheLibrary) {
    // Any loadable library stands in: the count, not the entries, is tested.
    Ctl3dLink link("version.dll");
    EXPECT_FALSE(link.use(true));
    EXPECT_TRUE(link.loaded());
    EXPECT_TRUE(link.use(true));
    EXPECT_EQ(link.uses(), 2);
    link.use(false);
    EXPECT_TRUE(link.loaded());
    link.use(false);
    EXPECT_FALSE(link.loaded());
    link.use(false);  // never below 0
    EXPECT_EQ(link.uses(), 0);
}

TEST(Ctl3d, MissingUnsubclassEntryIsReported) {
    wltest::ControlHost host("BUTTON", BS_PUSHBUTTON, 80, 20);
    zrtest::PromptRecorder prompts;
    Ctl3dLink link("version.dll");  // loads, but has no CTL3D entries
    EXPECT_FALSE(link.look(host.control, true));
    EXPECT_FALSE(link.look(host.control, false));
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, "no aparece");
    EXPECT_EQ(prompts.prompts()[0].caption, "ok");
}

}  // namespace
