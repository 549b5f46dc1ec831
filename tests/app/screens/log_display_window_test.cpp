// The log display under Wine: the run log in Wine's own Notepad (a path
// with a blank reaches it whole), and a plain-text log in its dialog.
#include "log_display_window.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "dialog_acts.hpp"
#include "paths.hpp"
#include "test_support.hpp"

namespace {

// Notepad's main window showing the file, waited for up to fifteen seconds.
HWND notepadShowing(const std::string& fileName) {
    for (int i = 0; i < 750; ++i) {
        for (HWND h = FindWindowExA(nullptr, nullptr, "Notepad", nullptr); h;
             h = FindWindowExA(nullptr, h, "Notepad", nullptr))
            if (zrtest::textOf(h).find(fileName) != std::string::npos) return h;
        Sleep(20);
    }
    return nullptr;
}

TEST(LogDisplayWindow, TheLastRunLogOpensInNotepadWithItsBlankedPathWhole) {
    zrtest::TempDir dir;
    const std::string folder = dir.file("night runs");
    std::filesystem::create_directory(folder);
    const std::string log = wl::joinPath(folder, "run one.log");
    std::ofstream(log, std::ios::binary) << "Zarn Software Model ZRK7W315 X12 Parser Log\r\n";

    // The program's own way: WinExec on the Windows folder's notepad.exe.
    zr::CTLD33500(zr::LogMode::ParseLog, nullptr, {dir.path(), log, {}});

    HWND notepad = notepadShowing("run one.log");
    ASSERT_NE(notepad, nullptr);
    HWND edit = zrtest::childOf(notepad, "Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(zrtest::textOf(edit), "Zarn Software Model ZRK7W315 X12 Parser Log\r\n");
    PostMessageA(notepad, WM_CLOSE, 0, 0);
    EXPECT_TRUE(zrtest::waitGone(notepad));
}

TEST(LogDisplayWindow, TheConversionLogShowsInItsDialogUntilExit) {
    zrtest::TempDir dir;
    dir.write("conv.log", "first line\r\nsecond line\r\n");
    std::string shown;
    std::thread user([&] {
        HWND box = zrtest::waitForDialog("Conversion Log");
        ASSERT_NE(box, nullptr);
        shown = zrtest::textOf(zrtest::childOf(box, "Edit"));
        zrtest::postClick(zrtest::childOf(box, "Button", "Exit"));
    });
    zr::CTLD33500(zr::LogMode::ConversionLog, nullptr, {dir.path(), "", {}});
    user.join();
    EXPECT_EQ(shown, "first line\r\nsecond line\r\n");
}

}  // namespace
