// The grid browse printed as a text-file report: its visible columns, the
// totals, the groups, only the selected rows when several are selected, and
// the browse back on its row afterwards.
#include "xbrowse_report.hpp"

#include <gtest/gtest.h>

#include "report_text_file.hpp"
#include "tree_building.hpp"
#include "test_support.hpp"

namespace {

using namespace wl;

void xrClaims(XBrowseModel& b) {
    b.SetArray({Value(ValueList{"AETNA", "C1", 10}), Value(ValueList{"AETNA", "C2", 20}),
                Value(ValueList{"CIGNA", "C3", 30}), Value(ValueList{"HUMANA", "C4", 40})});
    b.aCols[0].cHeader = "Payer";
    b.aCols[1].cHeader = "Claim";
    b.aCols[2].cHeader = "Paid";
    b.aCols[2].lTotal = true;
    b.nDataRows = 10;
    b.KeyCount();
}

std::string xrPrint(XBrowseModel& b, const zrtest::TempDir& dir, XbrReportOptions o = {}) {
    const std::string path = dir.file("browse.txt");
    EXPECT_TRUE(XbrReport(b, std::make_unique<TRFile>(path, "Browse"), o));
    return zrtest::readBytes(path);
}

int xrCount(const std::string& text, const std::string& word) {
    int n = 0;
    for (size_t p = text.find(word); p != std::string::npos; p = text.find(word, p + 1)) ++n;
    return n;
}

TEST(XBrowseReport, VisibleColumnsTotalsAndTheRowKept) {
    zrtest::TempDir dir;
    XBrowseModel b;
    xrClaims(b);
    b.aCols[1].lHide = true;
    b.GoToRow(3);
    XbrReportOptions o;
    o.cTitle = "Claims";
    const std::string text = xrPrint(b, dir, o);
    EXPECT_NE(text.find("Claims"), std::string::npos);
    EXPECT_NE(text.find("Payer"), std::string::npos);
    EXPECT_EQ(text.find("Claim "), std::string::npos);  // the hidden column
    EXPECT_EQ(text.find("C3"), std::string::npos);
    EXPECT_EQ(xrCount(text, "HUMANA"), 1);
    EXPECT_NE(text.find("100"), std::string::npos);  // the total
    EXPECT_NE(text.find("Page : 1"), std::string::npos);
    EXPECT_EQ(b.KeyNo(), 3);
}

TEST(XBrowseReport, SelectedRowsOnlyAndGroups) {
    zrtest::TempDir dir;
    XBrowseModel b;
    xrClaims(b);
    b.lMultiSelect = true;
    b.GoToRow(1);
    b.Select(1);
    b.GoToRow(4);
    b.Select(2);
    XbrReportOptions o;
    o.aGroupCols = {1};
    const std::string text = xrPrint(b, dir, o);
    EXPECT_NE(text.find("Payer AETNA"), std::string::npos);
    EXPECT_NE(text.find("Payer HUMANA"), std::string::npos);
    EXPECT_EQ(text.find("CIGNA"), std::string::npos);
    EXPECT_EQ(text.find("C2"), std::string::npos);
    EXPECT_NE(text.find("C4"), std::string::npos);
}

TEST(XBrowseReport, SetUpMayReplaceTheLayoutAndEmptyBrowsesPrintNothing) {
    zrtest::TempDir dir;
    XBrowseModel b;
    xrClaims(b);
    std::vector<int> calls;
    XbrReportOptions o;
    o.bSetUp = [&](TReport&, XBrowseModel&, int step) {
        calls.push_back(step);
        ColumnOptions c;
        c.aTitle = {[] { return Value("Only"); }};
        c.aData = {[] { return Value("x"); }};
        c.nSize = 4;
        RPTADDCOLUMN(c);
        return 1;
    };
    const std::string text = xrPrint(b, dir, o);
    EXPECT_EQ(calls, (std::vector<int>{1}));
    EXPECT_NE(text.find("Only"), std::string::npos);
    EXPECT_EQ(text.find("Payer"), std::string::npos);
    XBrowseModel empty;
    empty.SetArray({});
    EXPECT_FALSE(XbrReport(empty, std::make_unique<TRFile>(dir.file("empty.txt"))));
}

TEST(XBrowseReport, AnOutlinePrintsWholeGroupedByLevelAndClosesAgain) {
    zrtest::TempDir dir;
    TreeBuilder tb;
    tb.TREEBEGIN();
    tb.TREEITEM("AETNA");
    tb.TREEBEGIN();
    tb.TREEITEM("CLAIM-1");
    tb.TREEITEM("CLAIM-2");
    tb.TREEEND();
    tb.TREEITEM("CIGNA");
    tb.TREEBEGIN();
    tb.TREEITEM("CLAIM-3");
    tb.TREEEND();
    tb.TREEEND();
    XBrowseModel b;
    b.SetTree(tb.Take());
    b.nDataRows = 10;
    b.KeyCount();
    EXPECT_EQ(b.nLen, 2);  // closed
    b.GoDown();
    const std::string text = xrPrint(b, dir);
    for (const char* item : {"CLAIM-1", "CLAIM-2", "CLAIM-3"}) EXPECT_NE(text.find(item), std::string::npos) << item;
    EXPECT_LT(text.find("AETNA"), text.find("CLAIM-1"));
    EXPECT_LT(text.find("CIGNA"), text.find("CLAIM-3"));
    EXPECT_EQ(b.nLen, 2);  // closed again
    EXPECT_EQ(b.oTreeItem->cPrompt, "CIGNA");
}

}  // namespace
