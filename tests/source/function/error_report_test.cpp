// The error records, their one-line description, the call frames and the
// report written to the error file.
#include "error_report.hpp"

#include <gtest/gtest.h>

#include "file_io.hpp"
#include "test_support.hpp"

namespace {

using namespace wl;

TEST(ErrorReport, LibraryErrorsOneToSix) {
    EXPECT_FALSE(_WLGENERROR(0));
    EXPECT_FALSE(_WLGENERROR(7));
    const auto e3 = _WLGENERROR(3, "Title: x");
    ASSERT_TRUE(e3);
    EXPECT_EQ(e3->description, "Cannot create Dialog Box");
    EXPECT_EQ(e3->severity, 3);
    EXPECT_FALSE(e3->canDefault);
    EXPECT_EQ(ERRORMESSAGE(*e3), "Error GUILIB/3  Cannot create Dialog Box: Title: x");
    const auto e4 = _WLGENERROR(4);
    ASSERT_TRUE(e4);
    EXPECT_TRUE(e4->canDefault);
    EXPECT_EQ(ERRORMESSAGE(*e4), "Warning BASE/5300  Memory Low");
}

TEST(ErrorReport, MessageLineForms) {
    ErrorInfo e;
    e.osCode = 2;
    e.description = "Open error";
    e.filename = "a.dbf";
    e.operation = "ignored when a file is named";
    EXPECT_EQ(ERRORMESSAGE(e), "(DOS Error 2) ?\?\?/?\?\?  Open error: a.dbf");
}

void inner(std::vector<FrameRecord>& seen) {
    CallFrame frame;
    seen = callFrames();
}

TEST(ErrorReport, FramesAndReportSections) {
    std::vector<FrameRecord> seen;
    {
        CallFrame outer;
        inner(seen);
    }
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NE(seen[0].routine.find("inner"), std::string::npos);
    EXPECT_TRUE(callFrames().empty());

    ErrorInfo e = *_WLGENERROR(1, "No:    602");
    e.args = {Value(5), Value("x")};
    ReportFacts f;
    f.programPath = "C:\\zr\\zrk7w315.exe";
    f.programSize = 1234567;
    f.wide = false;
    f.date = "12/10/26";
    f.time = "10:11:12";
    f.cpu = "Test CPU";
    f.cpuSpeedMHz = 2400;
    f.freeSystemPercent = 97;
    f.freeGdiPercent = 97;
    f.freeUserPercent = 99;
    f.drivers = {"DBFNTX"};
    f.classes = {"TWINDOW", "TDIALOG"};
    f.memoryInUse = 4096;
    f.memoryHighest = 8192;
    const std::string r = errorReport(e, seen, f);
    const std::string tail =
        "   Free System resources: 97 %\r\n        GDI    resources: 97 %\r\n        User   resources: 99 %\r\n"
        "\r\n   Windows total applications running: 0\r\n"
        "\r\nVariables in use\r\n================\r\n   Procedure     Type   Value\r\n"
        "   ==========================\r\n   " + seen[0].routine + "\r\n   " + seen[1].routine + "\r\n"
        "\r\nLinked RDDs\r\n===========\r\n   DBFNTX\r\n"
        "\r\nDataBases in use\r\n================\r\n"
        "\r\nClasses in use:\r\n===============\r\n     1 TWINDOW\r\n     2 TDIALOG\r\n"
        "\r\nMemory Analysis\r\n===============\r\n      0 Static variables\r\n\r\n"
        "   Dynamic memory consume:\r\n      Actual  Value: 4096 bytes\r\n      Highest Value: 8192 bytes\r\n";
    ASSERT_GE(r.size(), tail.size());
    EXPECT_EQ(r.substr(r.size() - tail.size()), tail);
    for (const char* wanted :
         {"Application\r\n===========\r\n", "   Path and name: C:\\zr\\zrk7w315.exe (32 bits)\r\n",
          "   Size: 1,234,567 bytes\r\n", "   Library  Version: 13.07\r\n",
          "   Error occurred at: 12/10/26, 10:11:12\r\n",
          "   Error description: Error GUILIB/1  Non defined Id: No:    602\r\n", "   Args:\r\n",
          "     [   1] = N   5\r\n", "     [   2] = C   x\r\n", "Stack Calls\r\n===========\r\n",
          "   Called from: ", "System\r\n======\r\n", "   CPU type: Test CPU 2400 Mhz\r\n"})
        EXPECT_NE(r.find(wanted), std::string::npos) << wanted;
}

TEST(ErrorReport, TheFileKeepsOnlyTheLastReport) {
    zrtest::TempDir tmp;
    const std::string before = SETERRORPATH(tmp.path());
    EXPECT_EQ(SETERRORFILENAME(), "error.log");
    EXPECT_TRUE(writeErrorLog("first\r\n"));
    EXPECT_TRUE(writeErrorLog("second\r\n"));
    EXPECT_EQ(zrtest::readBytes(errorLogPath()), "second\r\n");
    SETERRORPATH(before);
}

TEST(ErrorReport, SafeDivide) {
    EXPECT_EQ(safeDivide(5, 0), 0);
    EXPECT_EQ(safeDivide(6, 3), 2);
}

// A class of the library as the report sees it.
struct ErrorReportSampleClass {
    const char* ClassName() const { return "TSAMPLE"; }
};

TEST(ErrorReport, ValuesAsTheReportShowsThem) {
    struct Case {
        Value v;
        const char* shown;
    } const cases[] = {
        {Value("abc"), "\"abc\""},
        {Value(ValueList{Value(1), Value(2), Value(3)}), "Len:    3"},
        {Value(12), "12"},
        {Value(true), ".T."},
        {Value(), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CGETINFO(c.v), c.shown) << c.shown;
    EXPECT_EQ(CGETINFO(ErrorReportSampleClass{}), "Class: TSAMPLE");
}

}  // namespace
