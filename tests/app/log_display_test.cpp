// The log display's files and Notepad command, and the Information texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "log_display.hpp"
#include "paths.hpp"
#include "test_support.hpp"

namespace {

using zr::LogMode;

TEST(LogDisplay, NotepadModesOpenTheirFileQuoted) {
    struct Case {
        LogMode mode;
        std::string lastRunLog, file;
    };
    const Case cases[] = {
        {LogMode::ParseLog, "", "parse.log"},
        // The last run wrote another run log ("PARSELOG="): that one opens.
        {LogMode::ParseLog, "C:\\runs\\night run.log", "C:\\runs\\night run.log"},
        {LogMode::MapLog, "C:\\runs\\x.log", "zrmap.log"},
        {LogMode::BuildLog, "", "build.log"},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(zr::opensNotepad(c.mode));
        EXPECT_EQ(zr::notepadFile(c.mode, c.lastRunLog), c.file);
    }
    // A path with a blank reaches Notepad whole.
    EXPECT_EQ(zr::notepadCommand("C:\\windows", "C:\\my logs\\parse.log"),
              "C:\\windows\\notepad.exe \"C:\\my logs\\parse.log\"");
    for (LogMode m : {LogMode::ViewFile, LogMode::StatusLog, LogMode::OdbcData, LogMode::ConversionLog})
        EXPECT_FALSE(zr::opensNotepad(m));
}

TEST(LogDisplay, TextModesReadTheirFileOrSayItIsMissing) {
    zrtest::TempDir dir;
    EXPECT_EQ(zr::logTitle(LogMode::StatusLog), "View Status Log");
    EXPECT_EQ(zr::logTitle(LogMode::SuspendLog), "View Suspend Log");
    EXPECT_EQ(zr::logTitle(LogMode::ConversionLog), "Conversion Log");
    EXPECT_EQ(zr::logTitle(LogMode::OdbcData), "View ODBC Data");
    EXPECT_EQ(zr::textModeContent(LogMode::ConversionLog, dir.path()), "conv.log  Not found " + dir.path());
    EXPECT_EQ(zr::textModeContent(LogMode::StatusLog, dir.path()), "");
    std::ofstream(wl::joinPath(dir.path(), "conv.log"), std::ios::binary) << "line 1\r\nline 2\r\n";
    std::ofstream(wl::joinPath(dir.path(), "status.log"), std::ios::binary) << "ok\r\n";
    EXPECT_EQ(zr::textModeContent(LogMode::ConversionLog, dir.path()), "line 1\r\nline 2\r\n");
    EXPECT_EQ(zr::textModeContent(LogMode::StatusLog, dir.path()), "ok\r\n");
    EXPECT_EQ(zr::textModeContent(LogMode::ParseLog, dir.path()), "");
}

TEST(LogDisplay, InformationTexts) {
    const zr::InformationTexts t = zr::informationTexts("ZRK7W315", "C:\\zr", "C:\\data", "");
    EXPECT_EQ(t.titleWords, (std::vector<std::string>{"Torvel", "Parser"}));
    EXPECT_EQ(t.model, "     Model: ZRK7W315");
    EXPECT_EQ(t.version, "   Version: 1.22C-01");
    EXPECT_EQ(t.subversion, "Subversion: 1.23B-22");
    EXPECT_EQ(t.baseFolder, "Base Directory : C:\\zr");
    EXPECT_EQ(t.dataFolder, "Data Directory : C:\\data");
    EXPECT_EQ(t.x12Folder, " X12 Directory : ");
}

TEST(LogDisplay, ViewFileReadsTheNamedFileFromTheCurrentFolder) {
    zrtest::TempDir dir;
    const std::string path = dir.write("notes.txt", "line 1\r\nline 2\r\n");
    EXPECT_EQ(zr::viewFileName(path), "notes.txt");
    EXPECT_EQ(zr::viewFileName("notes.txt"), "notes.txt");
    struct Case {
        std::string name, text;
    };
    const Case cases[] = {
        {"notes.txt", "line 1\r\nline 2\r\n"},
        {"  notes.txt   ", "line 1\r\nline 2\r\n"},  // the field's blanks
        {path, "line 1\r\nline 2\r\n"},
        {"missing.txt", ""},
        {"   ", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(zr::viewFileContent(c.name, dir.path()), c.text) << c.name;
}

}  // namespace
