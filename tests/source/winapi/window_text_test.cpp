#include "window_text.hpp"

#include <gtest/gtest.h>

#include "test_windows.hpp"

namespace {

using wltest::TestWindow;

TEST(WindowText, ReadAndWrite) {
    TestWindow w;
    wl::SETWINDOWTEXT(w, "X12 Viewer");
    EXPECT_EQ(wl::GETWINDOWTEXT(w), "X12 Viewer");
    EXPECT_EQ(wl::GETWINTXTLENGHT(w), 10);
    wl::SETWINDOWTEXT(w);  // no text: emptied
    EXPECT_EQ(wl::GETWINDOWTEXT(w), "");
    EXPECT_EQ(wl::GETWINDOWTEXT(nullptr), "");
    std::string longText(5000, 'x');
    wl::SETWINDOWTEXT(w, longText);
    EXPECT_EQ(wl::GETWINDOWTEXT(w), longText);
}

TEST(WindowText, EditLinesAndReplacement) {
    TestWindow parent;
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL, 0, 0, 300, 200, parent,
                                nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, "ISA*00\r\nGS*HC\r\n");
    EXPECT_EQ(wl::MGETLINE(edit, 1), "ISA*00");
    EXPECT_EQ(wl::MGETLINE(edit, 2), "GS*HC");
    std::string longLine(400, 'a');
    SetWindowTextA(edit, longLine.c_str());
    EXPECT_EQ(wl::MGETLINE(edit, 1), std::string(255, 'a'));  // at most 255 bytes

    SetWindowTextA(edit, "abc");
    SendMessageA(edit, EM_SETSEL, 1, 2);
    wl::MGETREPLACE(edit, "XYZ");
    EXPECT_EQ(wl::GETWINDOWTEXT(edit), "aXYZc");
    EXPECT_TRUE(SendMessageA(edit, EM_CANUNDO, 0, 0));  // replaced with undo allowed
    wl::MOVEGET(edit);
    RECT r{};
    SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    RECT client{};
    GetClientRect(edit, &client);
    EXPECT_EQ(r.right, client.right);
}

}  // namespace
