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
#include "user_script.hpp"
#include "viewer_dialog.hpp"

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

// "View File": "Browse" keeps the chosen file's name, which is read from
// the current folder; "Exit" in "Enter File Name" shows nothing.
TEST(LogDisplayWindow, ViewFileShowsTheFileNamedInEnterFileName) {
    zrtest::TempDir dir;
    const std::string file = dir.write("notes.txt", "first\r\nsecond\r\n");
    zrtest::PromptRecorder prompts;
    prompts.answerFile(file);
    std::string field, shown;
    zrtest::UserScript script({
        {"Enter File Name", [](HWND w) { zr::pressButton(w, "Browse"); }},
        {"Enter File Name",
         [&](HWND w) {
             field = zrtest::textOf(FindWindowExA(w, nullptr, "Edit", nullptr));
             zr::pressButton(w, "Continue");
         }},
        {"View File",
         [&](HWND w) {
             shown = zrtest::textOf(FindWindowExA(w, nullptr, "Edit", nullptr));
             zr::pressButton(w, "Exit");
         }},
    });
    zr::CTLD33500(zr::LogMode::ViewFile, nullptr, {dir.path(), "", {}});
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_EQ(field.substr(0, 10), "notes.txt ");
    EXPECT_EQ(shown, "first\r\nsecond\r\n");
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].caption, "Select File");

    zrtest::UserScript leave({{"Enter File Name", [](HWND w) { zr::pressButton(w, "Exit"); }}});
    EXPECT_EQ(zr::CTLD33501("notes.txt"), "");
}

}  // namespace
