#include "export_logs.hpp"

#include <gtest/gtest.h>

#include "system_info.hpp"
#include "test_support.hpp"

namespace {

zr::ExportClock logsClock() {
    return {[] { return std::string("2026/12/10"); }, [] { return std::string("12:53:00"); }};
}

TEST(ExportLogs, RunLogHeaderAndSummary) {
    zrtest::TempDir dir;
    dir.write("zrdebug.log", "OLD");
    zr::CTL39404Y("M1", dir.path(), logsClock());
    EXPECT_EQ(zrtest::readBytes(dir.file("zrdebug.log")), "");
    const std::string header = zrtest::readBytes(dir.file("temp.log"));
    EXPECT_EQ(header, "Zarn Software Model M1 X12 Export Log\r\nStarted 2026/12/10  12:53:00\r\n"
                      "Parser Version Number :  1.22C-01\r\n   Sub Version Number :  1.23B-22\r\n"
                      "     Operating System : " + wl::operatingSystemText() + "\r\n     Compiler Version : " +
                          wl::compilerText() + "\r\n\r\n");
    zr::CTL39404Z("M1", dir.path(), logsClock());
    EXPECT_EQ(zrtest::readBytes(dir.file("export.log")),
              "Zarn Software Model M1 X12 Export Log\r\n" + header + "Ended   2026/12/10  12:53:00\r\n"
              "Current Operating Directory:\r\n   " + dir.path() + "\r\n\r\n\r\nNo Map Log Available.");
    EXPECT_EQ(zrtest::readBytes(dir.file("temp.log")), "");
}

TEST(ExportLogs, MapLogFoldedIntoOneSummaryOnly) {
    zrtest::TempDir dir;
    dir.write("zrmap.log", "MAPLINES");
    dir.write("zrdebug.log", "TRACE");
    zr::CTL39404Z("M1", dir.path(), logsClock());
    const std::string first = zrtest::readBytes(dir.file("export.log"));
    EXPECT_NE(first.find("\r\nMap Log Data.\r\nMAPLINES\r\n\r\n\r\nTRACE"), std::string::npos) << first;
    zr::CTL39404Z("M1", dir.path(), logsClock());
    const std::string second = zrtest::readBytes(dir.file("export.log"));
    EXPECT_NE(second.find("No Map Log Available.\r\n\r\nTRACE"), std::string::npos) << second;
}

TEST(ExportLogs, DebugTraceWrittenAtTheEndOrWhenLong) {
    zrtest::TempDir dir;
    zr::ExportDebugLog log(dir.path(), logsClock());
    log.header(65, "835");
    log.line(" - X");
    log.finish();
    EXPECT_EQ(zrtest::readBytes(dir.file("zrdebug.log")),
              "Zarn Software Model Export Debug Log\r\nStarted   2026/12/10  12:53:00\r\n\r\n - XFunction=65\r\n"
              " - XType=835\r\n - X\r\nEnded   2026/12/10  12:53:00\r\n\r\n");
    zr::ExportDebugLog longLog(dir.path(), logsClock());
    longLog.line(std::string(40, 'x'));
    longLog.spillWhenLong(20);
    longLog.line("LATER");
    EXPECT_FALSE(longLog.collecting());
    longLog.finish();
    EXPECT_EQ(zrtest::readBytes(dir.file("zrdebug.log")), std::string(40, 'x') + "\r\n");
    zr::ExportDebugLog shortLog(dir.path(), logsClock());
    shortLog.line("AB");
    shortLog.finish();  // 4 characters: nothing written
    EXPECT_EQ(zrtest::readBytes(dir.file("zrdebug.log")), std::string(40, 'x') + "\r\n");
}

// Kept on, a long trace goes on past the limit; handed to the file in
// pieces, it ends as one write at the end would have left it.
TEST(ExportLogs, KeptOnTraceGoesToTheFileInPieces) {
    zrtest::TempDir dir;
    dir.write("zrdebug.log", "EARLIER RUN\r\n");
    zr::ExportDebugLog log(dir.path(), logsClock());
    log.keepOn();
    std::string expected;
    for (int i = 0; i < 5; ++i) {
        const std::string l = std::string(30, static_cast<char>('a' + i));
        log.line(l);
        expected += l + "\r\n";
        log.spillWhenLong(40);
        log.flushWhenLong(40);
        EXPECT_TRUE(log.collecting());
    }
    EXPECT_LT(log.text().size(), 80u);  // the rest is in the file already
    log.timedLine("Claim : 1");
    log.finish();
    EXPECT_EQ(zrtest::readBytes(dir.file("zrdebug.log")),
              expected + "Claim : 1  12:53:00\r\nEnded   2026/12/10  12:53:00\r\n\r\n");
}

}  // namespace
