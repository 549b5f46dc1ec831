// Proves that window code runs and can be driven in-process under Wine:
// a real top-level window and a child edit control, read back through
// messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string windowText(HWND h) {
    char buf[256] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

TEST(WindowSmoke, CreatesAWindowAndReadsItsCaptionBack) {
    HWND w = CreateWindowExA(0, "STATIC", "X12 Parser", WS_OVERLAPPEDWINDOW, 10, 10, 320, 200, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(windowText(w), "X12 Parser");

    SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Changed"));
    EXPECT_EQ(windowText(w), "Changed");

    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 5, 5, 200, 20, w, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ISA*00*"));
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), 7);
    EXPECT_EQ(GetParent(edit), w);

    EXPECT_TRUE(DestroyWindow(w));
    EXPECT_FALSE(IsWindow(edit));  // children go with their parent
}

}  // namespace
