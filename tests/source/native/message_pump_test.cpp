#include "message_pump.hpp"

#include <gtest/gtest.h>

#include "wide_text.hpp"

namespace {

TEST(MessagePump, RunsWaitingMessagesAndRemembersTheLastCharacter) {
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    ASSERT_NE(w, nullptr);
    PostMessageA(w, WM_CHAR, 'q', 0);
    EXPECT_TRUE(wl::PumpPendingMessages());
    EXPECT_EQ(wl::LASTKEYCHAR(), 'q');
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_TRUE(wl::PumpPendingMessages());  // an empty queue answers true at once
    DestroyWindow(w);
}

TEST(MessagePump, AQuitMessageIsKeptForTheLoopThatWaitsForIt) {
    PostQuitMessage(3);
    EXPECT_FALSE(wl::PumpPendingMessages());
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST(MessagePump, LoopRunningFlag) {
    EXPECT_FALSE(wl::setLoopRunning(true));
    EXPECT_TRUE(wl::LWRUNNING());
    EXPECT_TRUE(wl::setLoopRunning(false));
    EXPECT_FALSE(wl::LWRUNNING());
}

TEST(WideText, AnsiToWide) {
    EXPECT_EQ(wl::AnsiToWideAlloc("A\x80\xE9"), std::wstring(L"A\u20AC\u00E9"));
    EXPECT_EQ(wl::AnsiToWideAlloc(""), std::wstring());
}

}  // namespace
