#include "message_loop.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

void clearQuit() {
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

TEST(SysRefresh, EmptyQueueAnswersTrue) {
    clearQuit();
    while (wl::SYSREFRESH()) {
        MSG m;
        if (!PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) break;
    }
    EXPECT_TRUE(wl::SYSREFRESH());
}

TEST(SysRefresh, StopsAtQuitAndKeepsItForTheLoop) {
    clearQuit();
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    PostQuitMessage(0);
    EXPECT_FALSE(wl::SYSREFRESH());
    // The quit is still there: the main loop ends at once.
    EXPECT_FALSE(wl::LWRUNNING());
    wl::WINRUN(w);
    EXPECT_FALSE(wl::LWRUNNING());
    EXPECT_TRUE(wl::SYSREFRESH());  // consumed by the loop
    DestroyWindow(w);
}

TEST(SysRefresh, KeepsTheCodeOfTheQuitItPostsAgain) {
    clearQuit();
    PostQuitMessage(7);
    EXPECT_FALSE(wl::SYSREFRESH());
    MSG m{};
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(m.wParam, 7u);
}

HWND* g_seen = nullptr;
bool* g_seenRunning = nullptr;

void CALLBACK lookInsideTheLoop(HWND h, UINT, UINT_PTR id, DWORD) {
    KillTimer(h, id);
    *g_seen = wl::GETWNDAPP();
    *g_seenRunning = wl::LWRUNNING();
    PostQuitMessage(0);
}

TEST(WinRun, SetsTheMainWindowOnlyWhileItRuns) {
    clearQuit();
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    const HWND before = wl::GETWNDAPP();
    HWND during = nullptr;
    bool running = false;
    // A timer looks at the state from inside the loop and ends it.
    g_seen = &during;
    g_seenRunning = &running;
    SetTimer(w, 1, 1, lookInsideTheLoop);
    EXPECT_EQ(wl::WINRUN(w), before);
    EXPECT_EQ(during, w);
    EXPECT_TRUE(running);
    EXPECT_EQ(wl::GETWNDAPP(), before);
    DestroyWindow(w);
}

TEST(ModelessRegistry, FifteenHundredSlotsAndTheHighestSlot) {
    std::vector<HWND> fake;
    for (std::size_t i = 0; i < wl::kModelessDialogSlots; ++i) fake.push_back(reinterpret_cast<HWND>(0x10000 + i * 4));
    for (HWND h : fake) ASSERT_TRUE(wl::REGDIALOG(h));
    EXPECT_FALSE(wl::CANREGDIALOG());
    EXPECT_FALSE(wl::REGDIALOG(reinterpret_cast<HWND>(0x9999990)));
    EXPECT_EQ(wl::modelessHighestSlot(), wl::kModelessDialogSlots - 1);
    EXPECT_TRUE(wl::DEREGDIALOG(fake.back()));
    EXPECT_EQ(wl::modelessHighestSlot(), wl::kModelessDialogSlots - 2);
    EXPECT_TRUE(wl::CANREGDIALOG());
    for (std::size_t i = 0; i + 1 < fake.size(); ++i) wl::DEREGDIALOG(fake[i]);
    EXPECT_EQ(wl::modelessHighestSlot(), 0u);
    EXPECT_FALSE(wl::DEREGDIALOG(fake[0]));
}

TEST(Accelerators, TableTranslatesForItsWindow) {
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    HACCEL table = wl::SETACCTABLE({{'F', FCONTROL, 501}});
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(wl::processAccelTable(), table);
    // Without Ctrl held the key does not match.
    EXPECT_EQ(wl::TRANSLATEACCELERATOR(w, table, w, WM_KEYDOWN, 'G', 0), 0);
    wl::SETACCTABLE();
    EXPECT_EQ(wl::processAccelTable(), nullptr);
    DestroyWindow(w);
}

}  // namespace
