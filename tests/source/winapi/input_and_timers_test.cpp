#include "input_and_timers.hpp"

#include <gtest/gtest.h>

#include "test_windows.hpp"

namespace {

using wltest::TestWindow;

TEST(InputAndTimers, TimerMessagesArrive) {
    TestWindow w;
    wltest::received().clear();
    EXPECT_EQ(wl::SETTIMER(w, 9, 10), 9u);
    DWORD start = GetTickCount();
    while (wltest::countOf(w, WM_TIMER) == 0 && GetTickCount() - start < 2000) {
        wltest::pump();
        Sleep(5);
    }
    EXPECT_GE(wltest::countOf(w, WM_TIMER), 1);
    EXPECT_TRUE(wl::KILLTIMER(w, 9));
    EXPECT_FALSE(wl::KILLTIMER(w, 9));
}

TEST(InputAndTimers, KeyToggleFlipsTheThreadsToggleBit) {
    bool before = (GetKeyState(VK_SCROLL) & 1) != 0;
    wl::KEYTOGGLE(VK_SCROLL);
    EXPECT_EQ((GetKeyState(VK_SCROLL) & 1) != 0, !before);
    EXPECT_EQ(wl::GETKEYTOGGLE(VK_SCROLL), !before);
    wl::KEYTOGGLE(VK_SCROLL);
    EXPECT_EQ((GetKeyState(VK_SCROLL) & 1) != 0, before);
    EXPECT_FALSE(wl::GETKEYSTATE(VK_SCROLL));  // toggled is not down
}

TEST(InputAndTimers, CaptureAndCaret) {
    TestWindow w(WS_POPUP | WS_VISIBLE);
    wl::SETCAPTURE(w);
    EXPECT_EQ(wl::GETCAPTURE(), w.hwnd());
    wl::RELEASECAPTURE();
    EXPECT_EQ(wl::GETCAPTURE(), nullptr);

    wl::CREATECARET(w, nullptr, 2, 14);
    wl::SETCARETPOS(12, 7);
    POINT p = wl::GETCARETPOS();
    EXPECT_EQ(p.x, 12);
    EXPECT_EQ(p.y, 7);
    wl::SHOWCARET(w);
    wl::HIDECARET(w);
    wl::DESTROYCARET();
    EXPECT_TRUE(wl::TRACKMOUSEEVENT(w, TME_LEAVE));
}

TEST(InputAndTimers, TypeTextTypesPunctuationAndCapitalsIntoTheFocusedEdit) {
    TestWindow w(WS_POPUP | WS_VISIBLE);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, w.hwnd(), nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(w.hwnd());
    SetFocus(edit);
    wl::TYPETEXT("Ab.c,D-1");
    wltest::pump();
    char text[64] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "Ab.c,D-1");
    DestroyWindow(edit);
}

}  // namespace
