// The log display under Wine: the run log in Wine's own Notepad (a path
// with a blank reaches it whole), and a plain-text log in its dialog.
#include "log_display_window.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "dbf_area.hpp"
#include "dialog_acts.hpp"
#include "paths.hpp"
#include "test_support.hpp"
#include "unix_tools.hpp"
#include "wbrowse.hpp"
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

// The browse on a dialog now up.
wl::TWBrowse* logDisplayBrowseOf(HWND dialog) {
    for (HWND child = FindWindowExA(dialog, nullptr, nullptr, nullptr); child;
         child = FindWindowExA(dialog, child, nullptr, nullptr))
        if (auto* w = dynamic_cast<wl::TWBrowse*>(wl::OWNDFROMHWND(child))) return w;
    return nullptr;
}

// The command log written by the dBASE engine: its records listed as
// "n>text", "Search" stands on the first record from the current one that
// holds the text; the table is closed when the dialog ends.
TEST(LogDisplayWindow, TheCommandLogListsItsRecordsAndSearches) {
    zrtest::TempDir dir;
    {
        auto t = wl::DbfFile::create(dir.file("command.log"), {{"ZQK07E", 'C', 40, 0}});
        for (const char* line : {"X12,CSV claims.x12 out", "CSV,X12 back.csv out", "X12,XML claims.x12 out"})
            t->append({wl::Value(line)});
    }
    std::vector<std::string> lines;
    int found = 0;
    zrtest::UserScript script({
        {"View Command Log",
         [&](HWND w) {
             wl::TWBrowse* b = logDisplayBrowseOf(w);
             ASSERT_NE(b, nullptr);
             for (b->nAt = 1; b->nAt <= 3; ++b->nAt) lines.push_back(b->bLine()[0].text());
             b->nAt = 2;
             zr::pressButton(w, "Search");
         }},
        {"Command Log Search for String",
         [](HWND w) {
             zrtest::retypeInto(FindWindowExA(w, nullptr, "Edit", nullptr), "CLAIMS");
             zr::pressButton(w, "Locate");
         }},
        {"View Command Log",
         [&](HWND w) {
             found = logDisplayBrowseOf(w)->nAt;
             zr::pressButton(w, "Exit");
         }},
    });
    zr::CTLD33500(zr::LogMode::CommandLog, nullptr, {dir.path(), "", {}});
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_EQ(lines, (std::vector<std::string>{"1>X12,CSV claims.x12 out", "2>CSV,X12 back.csv out",
                                               "3>X12,XML claims.x12 out"}));
    EXPECT_EQ(found, 3);
    EXPECT_FALSE(wl::dbfAreaOf("COMMAND"));
}

// The QVW data in the table browse: "New" appends a blank record, read
// back by python3-dbf once the dialog has closed the table. A missing
// table is said.
TEST(LogDisplayWindow, TheQvwDataOpensInTheTableBrowseWhichWritesIt) {
    zrtest::ScratchDir dir("log-display-qvw");
    {
        auto t = wl::DbfFile::create(dir.file("qvwdata.dbf"), {{"CLAIM", 'C', 6, 0}, {"AMOUNT", 'N', 8, 2}});
        t->append({wl::Value("Q1"), wl::Value(12.5)});
    }
    zrtest::UserScript script({
        {"View QVW Imported Data", [](HWND w) { zrtest::postClick(zrtest::childOf(w, "Button", "&New")); }},
        {"View QVW Imported Data", [](HWND w) { zrtest::postClick(zrtest::childOf(w, "Button", "E&xit")); }},
    });
    zr::CTLD33500(zr::LogMode::QvwData, nullptr, {dir.path(), "", {}});
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_FALSE(wl::dbfAreaOf("QVWDATA"));
    std::ofstream(dir.file("read.py")) << "import dbf, sys\n"
                                          "t = dbf.Table(sys.argv[1])\n"
                                          "t.open()\n"
                                          "for r in t:\n"
                                          "    print('|'.join((v.strip() if isinstance(v, str) else str(v)) for v in r))\n"
                                          "t.close()\n";
    EXPECT_EQ(zrtest::runUnix(dir.path(), "/usr/bin/python3 read.py qvwdata.dbf").output, "Q1|12.5\n|None\n");

    zrtest::PromptRecorder prompts;
    for (zr::LogMode mode : {zr::LogMode::QvwData, zr::LogMode::XvqData}) {
        std::filesystem::remove(dir.file("qvwdata.dbf"));
        zr::CTLD33500(mode, nullptr, {dir.path(), "", {}});
    }
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{"File Not Present", "File Not Present"}));
}

}  // namespace
