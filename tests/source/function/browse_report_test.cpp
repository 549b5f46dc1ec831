// The record browse's report written to a text file: the title, the date
// and page lines, one column per browse column headed by its header and as
// wide as its size in letters, every item of a list or of a table once.
#include "browse_report.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "report_text_file.hpp"
#include "test_support.hpp"

namespace {

using namespace wl;

std::string reportFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(BrowseReport, AListPrintsEachItemOnceUnderItsHeaders) {
    zrtest::TempDir dir;
    const std::string path = dir.file("report.txt");
    int at = 1;
    const BrowseSource src = arrayBrowseSource(at, [] { return 3; });
    at = 2;
    BrowseReportSpec spec;
    spec.cTitle = "Claims";
    spec.aHeaders = {"Claim"};  // the second column has no header
    spec.aColSizes = {80, 40};
    spec.nLetterWidth = 8;
    const int printed = browseReport(std::make_unique<TRFile>(path), spec, src, [&] {
        return ValueList{Value("CLM" + std::to_string(at)), Value(at * 100)};
    });
    EXPECT_EQ(printed, 3);
    EXPECT_EQ(at, 1) << "left on the first item";
    const std::string text = reportFileText(path);
    for (const char* want : {"Claims", "Date: ", ", Time: ", "Page:   1", "Claim", "CLM1", "CLM2", "CLM3"})
        EXPECT_NE(text.find(want), std::string::npos) << want << "\n" << text;
    // A number in a cell is a picture: blanks are printed, not the number.
    EXPECT_EQ(text.find("200"), std::string::npos) << text;
    EXPECT_EQ(text.find("CLM4"), std::string::npos);
}

TEST(BrowseReport, WithoutADeviceNothingRuns) {
    int at = 1;
    bool asked = false;
    const BrowseSource src = arrayBrowseSource(at, [] { return 3; });
    EXPECT_EQ(browseReport(std::make_unique<TRFile>("/nonexistent-folder/x/report.txt"), {}, src,
                           [&] {
                               asked = true;
                               return ValueList{};
                           }),
              -1);
    EXPECT_FALSE(asked);
}

}  // namespace
