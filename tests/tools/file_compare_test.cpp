// X12 File Compare: the listing of both files and the comparison position by
// position, through the portable trees.
#include <gtest/gtest.h>

#include "file_compare.hpp"
#include "test_support.hpp"

namespace {

const std::string kCompareIsa =
    "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261210*1253*^*00501*000000101*0*P*:~";
const std::string kCompareBody = "ST*837*0001~NM1*IL*1*DOE*JOHN~CLM*A1*100***11:B:1*Y~SE*4*0001~";

struct CompareRun {
    zr::TextToolTree left, right;
    std::string report;
};

CompareRun compareFiles(const std::string& base, const std::string& other) {
    CompareRun run;
    run.report = zr::CTLD51200A(base, other, run.left, run.right).report;
    return run;
}

// Every comparison node's text, in the order added.
std::vector<std::string> compareTexts(const zr::TextToolTree& tree) {
    std::vector<std::string> out;
    for (const auto& n : tree.nodes()) out.push_back(n.text);
    return out;
}

}  // namespace

TEST(FileCompare, IdenticalFilesGiveAnEmptyReportAndOnlyMatches) {
    zrtest::TempDir dir;
    const CompareRun run = compareFiles(dir.write("a.x12", kCompareIsa + kCompareBody), dir.write("b.x12", kCompareIsa + kCompareBody));
    EXPECT_EQ(run.report, "");
    for (const std::string& text : compareTexts(run.right)) {
        EXPECT_TRUE(text.find(" Match ") != std::string::npos || text.rfind("Segment ", 0) == 0 || text == "Element" ||
                    text == "File Segment Comparison")
            << text;
    }
    EXPECT_NE(run.right.find(zr::kNoToolNode, "File Segment Comparison"), zr::kNoToolNode);
}

TEST(FileCompare, DifferentElementsCountsAndIdsAreReported) {
    struct Case {
        std::string otherBody;
        std::string report;
    };
    const Case cases[] = {
        {"ST*837*0001~NM1*IL*1*ROE*JOHN~CLM*A1*100***11:B:1*Y~SE*4*0001~", "NM14 Source DOE Comparison ROE\r\n"},
        {"ST*837*0001~NM1*IL*1*DOE~CLM*A1*100***11:B:1*Y~SE*4*0001~", "NM1 Element Count is Off - Source:5 - Comparison:4\r\n"},
        // One inserted segment: every later position differs (no re-alignment),
        // and the segment pushed past the end is reported too.
        {"ST*837*0001~REF*EA*1~NM1*IL*1*DOE*JOHN~CLM*A1*100***11:B:1*Y~SE*4*0001~",
         "Missing Segment NM1 - REF\r\nMissing Segment CLM - NM1\r\nMissing Segment SE - CLM\r\nMissing Segment  - SE\r\n"},
        // Blanks around values are not differences.
        {"ST*837*0001~NM1*IL*1* DOE *JOHN~CLM*A1*100***11:B:1*Y~SE*4*0001~", ""},
    };
    for (const Case& c : cases) {
        zrtest::TempDir dir;
        const CompareRun run = compareFiles(dir.write("a.x12", kCompareIsa + kCompareBody), dir.write("b.x12", kCompareIsa + c.otherBody));
        EXPECT_EQ(run.report, c.report) << c.otherBody;
    }
}

TEST(FileCompare, ATruncatedFileIsNotEqual) {
    zrtest::TempDir dir;
    const std::string base = dir.write("a.x12", kCompareIsa + kCompareBody);
    const std::string cut = dir.write("b.x12", kCompareIsa + "ST*837*0001~NM1*IL*1*DOE*JOHN~");
    EXPECT_EQ(compareFiles(base, cut).report, "Missing Segment CLM - \r\nMissing Segment SE - \r\n");
    EXPECT_EQ(compareFiles(cut, base).report, "Missing Segment  - CLM\r\nMissing Segment  - SE\r\n");
    const CompareRun run = compareFiles(base, cut);
    const zr::ToolNode data = run.right.find(run.right.find(zr::kNoToolNode, "File Segment Comparison"), "Segment Data");
    const std::vector<std::string> nodes = run.right.childTexts(data);
    EXPECT_EQ(nodes.back(), "Missing Segment SE - ");
}

TEST(FileCompare, MatchedSegmentsCompareEveryElementFromTheId) {
    zrtest::TempDir dir;
    const CompareRun run = compareFiles(dir.write("a.x12", kCompareIsa + "ST*837~"), dir.write("b.x12", kCompareIsa + "ST*835~"));
    const zr::ToolNode data = run.right.find(run.right.find(zr::kNoToolNode, "File Segment Comparison"), "Segment Data");
    const zr::ToolNode st = run.right.find(data, "Segment ST");
    EXPECT_EQ(run.right.childTexts(run.right.find(st, "Element")),
              (std::vector<std::string>{"ST1 Match ST", "ST2 Source 837", "Comparison 835"}));
    EXPECT_EQ(run.report, "ST2 Source 837 Comparison 835\r\n");
}

TEST(FileCompare, TheListingShowsElementsAndComponents) {
    zrtest::TempDir dir;
    const std::string file = dir.write("a.x12", kCompareIsa + "\r\nCLM*A1*100*11:B:1*X:~");
    zr::TextToolTree tree;
    const auto list = zr::listSegments(file, "Base File:" + file, tree);
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ(list->segment(1), "\r\nCLM*A1*100*11:B:1*X:~");
    const zr::ToolNode root = tree.find(zr::kNoToolNode, "Base File:" + file);
    const zr::ToolNode clm = tree.find(root, "Segment CLM");
    EXPECT_EQ(tree.childTexts(clm), (std::vector<std::string>{"Element CLM1 Value=A1", "Element CLM2 Value=100",
                                                              "Element CLM3", "Element CLM4 Value=X:"}));
    EXPECT_EQ(tree.childTexts(tree.find(clm, "Element CLM3")),
              (std::vector<std::string>{"Sub Element CLM3-1 Value=11", "Sub Element CLM3-2 Value=B",
                                        "Sub Element CLM3-3 Value=1"}));
}

TEST(FileCompare, EachFileIsReadOnceAndTheSameFileOnlyOnce) {
    zrtest::TempDir dir;
    const std::string a = dir.write("a.x12", kCompareIsa + kCompareBody + "\r\nIEA*1"), b = dir.write("b.x12", kCompareIsa + kCompareBody);
    zr::CountingToolTree left, right;
    const zr::CompareResult self = zr::CTLD51200A(a, a, left, right);
    EXPECT_EQ(self.base, self.compare);
    EXPECT_EQ(self.report, "");
    // Bytes after the last terminator are no segment.
    EXPECT_EQ(self.base->size(), 5u);
    EXPECT_EQ(self.base->segment(4), "SE*4*0001~");
    const zr::CompareResult two = zr::CTLD51200A(a, b, left, right);
    EXPECT_NE(two.base, two.compare);
    EXPECT_EQ(two.compare->size(), 5u);
    EXPECT_EQ(two.report, "");
}

TEST(FileCompare, TheLeftListingIsFilledWhenItsRootIsOpened) {
    zrtest::TempDir dir;
    const std::string a = dir.write("a.x12", kCompareIsa + kCompareBody);
    zr::CountingToolTree left, right;
    zr::CTLD51200A(a, "/no/such/b.x12", left, right);
    // Two roots: the file's segments wait for its root to be opened; the
    // missing file has none to wait for.
    EXPECT_EQ(left.count(), 2u);
    EXPECT_EQ(left.lazyCount(), 1u);
}

TEST(FileCompare, FilesThatDifferOnlyInDelimitersAreEqual) {
    zrtest::TempDir dir;
    std::string otherIsa = kCompareIsa;
    otherIsa[3] = '|';
    for (char& c : otherIsa)
        if (c == '*') c = '|';
    otherIsa.back() = '\n';
    std::string otherBody = kCompareBody;
    for (char& c : otherBody) c = c == '*' ? '|' : c == '~' ? '\n' : c;
    const CompareRun run = compareFiles(dir.write("a.x12", kCompareIsa + kCompareBody), dir.write("b.x12", otherIsa + otherBody));
    EXPECT_EQ(run.report, "");
}

TEST(FileCompare, MissingFilesListOnlyTheirRootsAndCompareNothing) {
    const CompareRun run = compareFiles("/no/such/a.x12", "/no/such/b.x12");
    EXPECT_EQ(compareTexts(run.left), (std::vector<std::string>{"Base File:/no/such/a.x12", "Compare File:/no/such/b.x12"}));
    EXPECT_EQ(compareTexts(run.right), (std::vector<std::string>{"File Segment Comparison", "Segment Data"}));
    EXPECT_EQ(run.report, "");
}

TEST(FileCompare, ElementRuleAndComposites) {
    EXPECT_EQ(zr::CTLD51200B("CLM*A1*100~", '*', 2), "A1");
    EXPECT_EQ(zr::CTLD51200C("CLM*A1*100~", '*'), 3u);
    EXPECT_TRUE(zr::isCompositeElement("11:B", ':'));
    EXPECT_FALSE(zr::isCompositeElement("11:", ':'));
    EXPECT_FALSE(zr::isCompositeElement("11", ':'));
}
