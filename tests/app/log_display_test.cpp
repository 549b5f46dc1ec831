// The log display's files and Notepad command, and the Information texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "dbf_area.hpp"
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

namespace {

// A command log of four records written by the dBASE engine, open in its
// work area and selected.
struct LogDisplayCommandLog {
    zrtest::TempDir dir;
    std::string path = dir.file("command.log");
    std::shared_ptr<wl::DbfArea> area;
    LogDisplayCommandLog() {
        auto t = wl::DbfFile::create(path, {{"ZQK07E", 'C', 40, 0}});
        for (const char* line : {"X12,CSV claims.x12 out OW", "CSV,X12 back.csv out", "x12,xml Claims.x12 out",
                                 "X12,CSV other.x12 out HO"})
            t->append({wl::Value(line)});
        t.reset();
        area = wl::USEAREA(path, "COMMAND");
        wl::dbfSelect("COMMAND");
    }
    ~LogDisplayCommandLog() { wl::dbfCloseArea("COMMAND"); }
};

TEST(LogDisplay, TableModesNameTheirTableAndField) {
    EXPECT_EQ(zr::tableModeFile(LogMode::CommandLog), "command.log");
    EXPECT_EQ(zr::tableModeFile(LogMode::XvqData), "xvq.dbf");
    EXPECT_EQ(zr::tableModeFile(LogMode::QvwData), "qvwdata.dbf");
    EXPECT_EQ(zr::tableModeFile(LogMode::StatusLog), "");
    EXPECT_EQ(zr::tableModeField(LogMode::CommandLog), "ZQK07E");
    EXPECT_EQ(zr::tableModeField(LogMode::XvqData), "JKZ00A");
    EXPECT_EQ(zr::tableModeField(LogMode::QvwData), "");
    EXPECT_EQ(zr::CTLD35500C(12, "X12,CSV a b"), "12>X12,CSV a b");
}

TEST(LogDisplay, CommandLogSearchStandsOnTheFirstRecordFromTheCurrentOn) {
    LogDisplayCommandLog log;
    struct Case {
        std::uint32_t from;
        std::string text;
        std::uint32_t found;
    };
    const Case cases[] = {
        {1, "claims.x12", 1},  // the current record counts
        {2, "CLAIMS.X12", 3},  // case does not matter
        {2, "  csv  ", 2},     // blanks around the text do not either
        {4, "back.csv", 4},    // before the current record: not found, stays
        {1, "nowhere", 1},
        {3, "", 3},
    };
    for (const Case& c : cases) {
        log.area->GoTo(c.from);
        EXPECT_EQ(zr::CTLD35500B(c.text), c.found) << c.text;
        EXPECT_EQ(log.area->RecNo(), c.found) << c.text;
        EXPECT_FALSE(log.area->Eof()) << c.text;
    }
    // Another field name, or no area selected: nothing moves.
    log.area->GoTo(2);
    EXPECT_EQ(zr::CTLD35500B("claims", "NOSUCH"), 2u);
    wl::dbfCloseArea("COMMAND");
    EXPECT_EQ(zr::CTLD35500B("claims"), 0u);
}

TEST(LogDisplay, WordPositionsOfALine) {
    EXPECT_EQ(zr::wordPositionItems("AB  CDE F", 7),
              (std::vector<std::string>{"Line  : 7", "Column : 1      Length : 2                          AB",
                                        "Column : 5      Length : 3                          CDE",
                                        "Column : 9      Length : 1                          F", "Total : 6"}));
    EXPECT_EQ(zr::wordPositionItems("   ", 3), std::vector<std::string>{"Line  : 3"});
}

}  // namespace
