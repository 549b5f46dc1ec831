#include <gtest/gtest.h>

#include "programs.hpp"

namespace {

// Waits up to ten seconds for the condition.
template <class F>
bool waitFor(F condition) {
    for (int i = 0; i < 500; ++i) {
        if (condition()) return true;
        Sleep(20);
    }
    return false;
}

TEST(Programs, WinExecStartsNotepadWhichIsFoundByItsClassAndClosed) {
    HWND before = FindWindowA("Notepad", nullptr);
    ASSERT_EQ(before, nullptr) << "a notepad is already open";
    EXPECT_GT(wl::WINEXEC("C:\\windows\\notepad.exe"), 31u);
    HWND notepad = nullptr;
    ASSERT_TRUE(waitFor([&] { return (notepad = FindWindowA("Notepad", nullptr)) != nullptr; }));
    EXPECT_TRUE(IsWindowVisible(notepad));
    PostMessageA(notepad, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(notepad); }));
}

TEST(Programs, RunAndWaitAnswersTheExitCode) {
    EXPECT_EQ(wl::RUNANDWAIT("C:\\windows\\system32\\cmd.exe /c exit 3", SW_HIDE), 3);
    EXPECT_EQ(wl::RUNANDWAIT("C:\\no\\such\\program.exe"), -1);
}

TEST(Programs, ShellExecuteOpensAProgram) {
    EXPECT_GT(wl::SHELLEXECUTE(nullptr, "open", "C:\\windows\\system32\\cmd.exe", "/c exit 0", "", SW_HIDE), 32);
    EXPECT_LE(wl::SHELLEXECUTE(nullptr, "open", "C:\\no\\such\\document.zzz"), 32);
}

TEST(Programs, IsRunningFindsTheMutexOfAnEarlierStart) {
    std::string name = "zrtest-running-" + std::to_string(GetCurrentProcessId());
    EXPECT_FALSE(wl::ISRUNNING(name));
    EXPECT_TRUE(wl::ISRUNNING(name));
    EXPECT_FALSE(wl::SETWALLPAPER(std::nullopt));
}

}  // namespace
