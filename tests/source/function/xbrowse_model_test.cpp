// The grid browse's state over arrays and dBASE tables: where keys land,
// selection, totals, sorting, seek and filter, clipboard text, saved
// layouts, merged rows and the export to a table another reader opens.
#include "xbrowse_model.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "messages.hpp"
#include "tree_building.hpp"
#include "xbr_row.hpp"
#include "test_support.hpp"
#include "text.hpp"

namespace {

using namespace wl;

constexpr int VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_UP = 0x26, VK_DOWN = 0x28;

ValueList numbers(int n) {
    ValueList rows;
    for (int i = 1; i <= n; ++i) rows.emplace_back(ValueList{Value(i), Value("r" + std::to_string(i))});
    return rows;
}

ValueList claims() {
    return {Value(ValueList{"C3", 30.0, Date{2024, 3, 1}, true}), Value(ValueList{"a1", 10.0, Date{2024, 1, 5}, false}),
            Value(ValueList{"B2", 20.0, Date{}, true}), Value(ValueList{"b22", 5.5, Date{2023, 12, 31}, false})};
}

TEST(XBrowseModel, EmptyArrayHasNoRowsAndOneColumn) {
    XBrowseModel b;
    b.SetArray({});
    b.GoTop();
    EXPECT_EQ(b.KeyNo(), 0);
    EXPECT_TRUE(b.src.bBof());
    EXPECT_TRUE(b.src.bEof());
    EXPECT_EQ(b.nLen, 0);
    ASSERT_EQ(b.aCols.size(), 1u);
    EXPECT_EQ(b.aCols[0].cHeader, "A");
    b.GoDown();
    b.PageDown();
    b.GoBottom();
    EXPECT_EQ(b.KeyNo(), 0);
    EXPECT_EQ(b.nRowSel, 1);
}

TEST(XBrowseModel, KeysLandOnTheRowAimedAt) {
    struct Step {
        int vk;
        bool ctrl;
        int key, rowSel;
    };
    struct Case {
        int rows, lines;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {3, 10, {{VK_DOWN, false, 2, 2}, {VK_NEXT, false, 3, 3}, {VK_DOWN, false, 3, 3}, {VK_HOME, false, 1, 1}}},
        {3, 10, {{VK_END, false, 3, 3}, {VK_PRIOR, false, 1, 1}, {VK_UP, false, 1, 1}}},
        // A short last page: the row moves by what the skip moved, never past the end.
        {25, 10, {{VK_NEXT, false, 11, 1}, {VK_NEXT, false, 21, 6}, {VK_NEXT, false, 25, 10}, {VK_PRIOR, false, 15, 10}}},
        {25, 10, {{VK_NEXT, true, 25, 10}, {VK_UP, false, 24, 9}, {VK_PRIOR, true, 1, 1}}},
        {100000, 30, {{VK_END, false, 100000, 30}, {VK_DOWN, false, 100000, 30}, {VK_HOME, false, 1, 1}}},
    };
    for (const Case& c : cases) {
        XBrowseModel b;
        b.nDataRows = c.lines;
        b.SetArray(numbers(c.rows));
        for (const Step& s : c.steps) {
            EXPECT_TRUE(b.KeyDown(s.vk, s.ctrl, false));
            EXPECT_EQ(b.KeyNo(), s.key) << c.rows << " key " << s.vk;
            EXPECT_EQ(b.nRowSel, s.rowSel) << c.rows << " key " << s.vk;
        }
    }
}

TEST(XBrowseModel, DownAtTheLastRowRunsPastEof) {
    XBrowseModel b;
    b.SetArray(numbers(2));
    int appended = 0;
    b.src.bPastEof = [&] {
        ++appended;
        b.aArrayData.emplace_back(ValueList{3, "new"});
    };
    b.GoDown();
    b.GoDown();
    EXPECT_EQ(appended, 1);
    EXPECT_EQ(b.nLen, 3);
}

TEST(XBrowseModel, SelectionModes) {
    XBrowseModel b;
    b.nDataRows = 10;
    b.nMarqueeStyle = 6;
    b.SetArray(numbers(8));
    b.Select(1);
    // Shift+Down three times and Shift+Up once: three rows selected.
    for (int i = 0; i < 3; ++i) b.KeyDown(VK_DOWN, false, true);
    b.KeyDown(VK_UP, false, true);
    EXPECT_EQ(b.aSelected.size(), 3u);
    b.GoToRow(6);
    b.Select(3);  // from the last selected (3) to 6
    EXPECT_EQ(b.aSelected.size(), 6u);
    EXPECT_EQ(b.KeyNo(), 6);
    b.Select(2);
    EXPECT_EQ(b.aSelected.size(), 5u);
    EXPECT_FALSE(b.IsSelected());
    b.Select(4);
    EXPECT_EQ(b.aSelected.size(), 8u);
    EXPECT_EQ(b.KeyNo(), 6);
    b.Select(0);
    EXPECT_TRUE(b.aSelected.empty());
}

TEST(XBrowseModel, TotalsSortAndSeek) {
    XBrowseModel b;
    b.nDataRows = 2;
    b.SetArray(claims(), true, true);
    // Auto sort sorts the first column at once, ascending, ignoring case.
    EXPECT_EQ(b.aCols[0].cOrder, "A");
    b.GoTop();
    EXPECT_EQ(b.aCols[0].GetValue().text(), "a1");
    b.aCols[1].lTotal = true;
    b.MakeTotals();
    EXPECT_EQ(b.aCols[1].FooterStr(), "65.50");
    EXPECT_EQ(b.KeyNo(), 1);

    // The second click sorts descending, the third ascending again.
    EXPECT_TRUE(b.SetOrder(1));
    EXPECT_EQ(b.aCols[0].cOrder, "D");
    b.GoTop();
    EXPECT_EQ(b.aCols[0].GetValue().text(), "C3");
    EXPECT_TRUE(b.SetOrder(1));
    EXPECT_EQ(b.aCols[0].cOrder, "A");
    // Another column takes the indicator; blank dates sort first.
    EXPECT_TRUE(b.SetOrder(3));
    EXPECT_EQ(b.aCols[0].cOrder, "");
    b.GoTop();
    EXPECT_EQ(b.aCols[0].GetValue().text(), "B2");
    // Sorting keeps the current row.
    b.GoToRow(3);
    const std::string before = b.aCols[0].GetValue().text();
    b.SetOrder(2);
    EXPECT_EQ(b.aCols[0].GetValue().text(), before);

    b.SetOrder(1);  // back to the names, ascending
    EXPECT_TRUE(b.Seek("b2"));
    EXPECT_EQ(b.aCols[0].GetValue().text(), "B2");
    EXPECT_EQ(b.cSeek, "b2");
    EXPECT_TRUE(b.Seek("b22"));
    EXPECT_EQ(b.aCols[0].GetValue().text(), "b22");
    const int at = b.KeyNo();
    EXPECT_FALSE(b.Seek("zz"));
    EXPECT_EQ(b.KeyNo(), at);
    b.lSeekWild = true;
    EXPECT_TRUE(b.Seek("3"));
    EXPECT_EQ(b.aCols[0].GetValue().text(), "C3");
}

TEST(XBrowseModel, ArrayFilterNarrowsAndRestores) {
    XBrowseModel b;
    b.SetArray(claims(), true, true);
    b.lIncrFilter = true;
    EXPECT_TRUE(b.Seek("b"));
    EXPECT_EQ(b.nLen, 2);
    EXPECT_TRUE(b.Seek("b2"));
    EXPECT_EQ(b.nLen, 2);
    EXPECT_TRUE(b.Seek("b22"));
    EXPECT_EQ(b.nLen, 1);
    b.GoBottom();
    EXPECT_EQ(b.aCols[0].GetValue().text(), "b22");
    EXPECT_FALSE(b.Seek("x"));
    EXPECT_EQ(b.nLen, 1);
    EXPECT_TRUE(b.Seek(""));
    EXPECT_EQ(b.nLen, 4);
    b.GoTop();
    EXPECT_EQ(b.aCols[0].GetValue().text(), "a1");  // sorted again
}

TEST(XBrowseModel, CopyIsTabSeparatedCrLfAndCtrlCOnlyCopies) {
    ValueList rows = claims();
    rows.emplace_back(ValueList{"\"quoted\"\r\nline", 1.0, Date{}, false});
    XBrowseModel b;
    b.nDataRows = 3;
    b.nMarqueeStyle = 6;
    b.SetArray(rows);
    EXPECT_TRUE(b.KeyDown('C', true, false));
    EXPECT_EQ(b.copied(), "C3\t30.00\t2024-03-01\tTRUE");
    EXPECT_EQ(b.KeyNo(), 1);  // Ctrl+C does not page down
    EXPECT_EQ(b.nRowSel, 1);
    b.Select(1);
    b.GoBottom();
    b.Select(1);
    EXPECT_EQ(b.Copy(), "C3\t30.00\t2024-03-01\tTRUE\r\n \"quoted\" ; line\t1.00\t\tFALSE");
}

TEST(XBrowseModel, PasteIntoArrays) {
    // Into an empty array browse the rows become the array.
    XBrowseModel b;
    b.SetArray({});
    EXPECT_TRUE(b.Paste("a\t1\r\nb\t2\r\n"));
    EXPECT_EQ(b.nLen, 2);
    ASSERT_EQ(b.aCols.size(), 2u);
    b.GoBottom();
    EXPECT_EQ(b.aCols[1].GetValue().text(), "2");

    // Into typed columns from the selected cell, growing the array from column 1.
    XBrowseModel t;
    t.SetArray(claims());
    t.aCols[1].lTotal = true;
    t.GoBottom();
    EXPECT_TRUE(t.Paste("Z9\t1,250.5\t2025-02-03\tTRUE\r\nZ10\t4\t\tFALSE"));
    EXPECT_EQ(t.nLen, 5);
    t.GoBottom();
    EXPECT_EQ(t.aCols[0].GetValue().text(), "Z10");
    t.GoUp();
    EXPECT_DOUBLE_EQ(t.aCols[1].GetValue().number(), 1250.5);
    EXPECT_EQ(std::get<Date>(t.aCols[2].GetValue().storage()).month, 2);
    EXPECT_TRUE(t.aCols[3].GetValue().logical());
    EXPECT_EQ(t.aCols[1].FooterStr(), "1314.50");  // totals follow: 30 + 10 + 20 + 1250.5 + 4
    t.lReadOnly = true;
    EXPECT_FALSE(t.Paste("x"));
}

TEST(XBrowseModel, DefaultPostEditWritesOnlyWithALockAndNotAfterEscape) {
    struct Case {
        int key;
        bool lock;
        double want;
    };
    const Case cases[] = {{13, true, 99}, {27, true, 10}, {13, false, 10}, {27, false, 10}};
    for (const Case& c : cases) {
        XBrowseModel b;
        b.SetArray(claims());
        b.GoToRow(2);
        b.aCols[1].lTotal = true;
        b.MakeTotals();
        b.src.bLock = [&] { return c.lock; };
        EXPECT_EQ(b.PostEdit(b.aCols[1], Value(99.0), c.key), c.want == 99) << c.key << c.lock;
        EXPECT_EQ(b.aCols[1].GetValue().number(), c.want) << c.key << c.lock;
        EXPECT_EQ(b.aCols[1].FooterValue(), 65.5 - 10 + c.want);
    }
}

TEST(XBrowseModel, SpreadsheetExportAnswersWithItsAlert) {
    std::vector<std::string> said;
    setPromptHook([&](const Prompt& p) {
        said.push_back(p.text);
        return PromptAnswer{};
    });
    XBrowseModel b;
    b.SetArray(claims());
    EXPECT_FALSE(b.ToExcel());
    EXPECT_FALSE(b.ToCalc());
    setPromptHook({});
    EXPECT_EQ(said, (std::vector<std::string>{"Excel not installed", "No spreadsheet software installed"}));
}

TEST(XBrowseModel, FormulaCellsTakeOnlyArithmetic) {
    XBrowseModel b;
    b.SetArray(claims());
    b.lFormulaEdit = true;
    EXPECT_TRUE(b.PostEdit(b.aCols[1], Value("=(2+3)*10%"), 13));
    EXPECT_DOUBLE_EQ(b.aCols[1].GetValue().number(), 0.5);
    EXPECT_FALSE(b.PostEdit(b.aCols[1], Value("=FERASE(\"zr.ini\")"), 13));
    EXPECT_DOUBLE_EQ(b.aCols[1].GetValue().number(), 0.5);
}

TEST(XBrowseModel, TreeModeShowsOneVisibleItemPerRow) {
    TreeBuilder tb;
    tb.TREEBEGIN();
    tb.TREEITEM("837");
    tb.TREEBEGIN();
    for (int i = 1; i <= 3; ++i) tb.TREEITEM("claim " + std::to_string(i));
    tb.TREEEND();
    tb.TREEITEM("835");
    tb.TREEEND();
    XBrowseModel b;
    b.SetArray({}, false);
    b.aCols.clear();
    b.aDisplay.clear();
    std::vector<std::string> visited;
    b.SetTree(tb.Take(), [&](TTreeItem& it) { visited.push_back(it.cPrompt); });
    EXPECT_EQ(b.nLen, 2);
    ASSERT_EQ(b.aCols.size(), 1u);
    EXPECT_EQ(b.aCols[0].cHeader, "Item");
    EXPECT_EQ(b.aCols[0].GetValue().text(), "837");
    b.oTreeItem->Toggle();
    b.KeyCount();
    EXPECT_EQ(b.nLen, 5);
    b.GoBottom();
    EXPECT_EQ(b.aCols[0].GetValue().text(), "835");
    EXPECT_EQ(b.KeyNo(), 5);
    b.GoUp(2);
    EXPECT_EQ(b.aCols[0].GetValue().text(), "claim 2");
    EXPECT_EQ(visited.back(), "claim 2");
    b.GoToRow(2);
    EXPECT_EQ(b.aCols[0].GetValue().text(), "claim 1");
}

TEST(XBrowseModel, EvalWalksRowsAndReturns) {
    XBrowseModel b;
    b.SetArray(numbers(10));
    b.GoToRow(4);
    int sum = 0;
    b.Eval([&] { sum += int(b.aCols[0].GetValue().number()); },
           [&] { return int(b.aCols[0].GetValue().number()) % 2 == 0; },
           [&] { return b.aCols[0].GetValue().number() < 9; });
    EXPECT_EQ(sum, 2 + 4 + 6 + 8);
    EXPECT_EQ(b.KeyNo(), 4);
    sum = 0;
    b.Eval([&] { ++sum; }, {}, {}, 3);
    EXPECT_EQ(sum, 3);
}

TEST(XBrowseModel, SavedStateRestoresLayoutAndRefusesCode) {
    XBrowseModel b;
    b.SetArray(claims());
    b.MoveCol(3, 1);
    b.aCols[1].nWidth = 77;
    b.aCols[3].lHide = true;
    b.aCols[0].cHeader = "Claim";
    b.SetGroupHeader("Money", 2, 3);
    const std::string saved = b.SaveState();

    XBrowseModel c;
    c.SetArray(claims());
    ASSERT_TRUE(c.RestoreState(saved));
    EXPECT_EQ(c.aDisplay, b.aDisplay);
    EXPECT_EQ(c.aCols[1].nWidth, 77);
    EXPECT_TRUE(c.aCols[3].lHide);
    EXPECT_EQ(c.aCols[0].cHeader, "Claim");
    EXPECT_EQ(c.aCols[0].cGrpHdr, "Money");
    EXPECT_EQ(c.Display().size(), 3u);

    for (const char* hostile : {"XS1:{{\"_nCreationOrders\",{9,1}}}", "XS1:{{\"_nWidths\",QUIT()}}", "XSS:00"}) {
        XBrowseModel d;
        d.SetArray(claims());
        EXPECT_FALSE(d.RestoreState(hostile)) << hostile;
        EXPECT_EQ(d.aDisplay, (std::vector<int>{1, 2, 3, 4}));
    }
}

TEST(XBrowseModel, MergedRowsCountNilAsBlank) {
    XBrowseModel b;
    b.SetArray({Value(ValueList{"x"}), Value(ValueList{"x"}), Value(ValueList{Value()}), Value(ValueList{Value()}),
                Value(ValueList{"y"})});
    b.WorkMergeData(b.aCols[0]);
    ASSERT_EQ(b.aCols[0].aMerge.size(), 5u);
    EXPECT_EQ(b.aCols[0].aMerge[0].below, 1);
    EXPECT_EQ(b.aCols[0].aMerge[1].above, 1);
    EXPECT_EQ(b.aCols[0].aMerge[2].below, 1);
    EXPECT_EQ(b.aCols[0].aMerge[3].above, 1);
    EXPECT_EQ(b.aCols[0].aMerge[4].above, 0);
}

// What Debian's python3-dbf reads from a table: one line per record, fields
// joined by "|".
std::string readWithPythonDbf(const std::string& path) {
#ifdef _WIN32
    (void)path;
    return {};
#else
    const std::string script = path + ".py";
    std::ofstream(script) << "import dbf, sys\n"
                             "t = dbf.Table(sys.argv[1])\n"
                             "t.open()\n"
                             "print(','.join(t.field_names))\n"
                             "for r in t:\n"
                             "    print('|'.join((v.strip() if isinstance(v, str) else ('' if v is None else str(v))) for v in r))\n"
                             "t.close()\n";
    const std::string command = "/usr/bin/python3 " + script + " " + path + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    char buf[512];
    while (pipe && fgets(buf, sizeof buf, pipe.get())) out += buf;
    return out;
#endif
}

TEST(XBrowseModel, ToDbfWritesValidUniqueNamesAndAsksBeforeReplacing) {
#ifdef _WIN32
    GTEST_SKIP() << "python3-dbf reads the table in the native build";
#endif
    zrtest::TempDir dir;
    const std::string path = dir.file("OUT.DBF");
    XBrowseModel b;
    b.SetArray(claims());
    b.aCols[0].cHeader = "Claim No.";
    b.aCols[1].cHeader = "claim no.";
    b.aCols[2].cHeader = "1st date";
    b.aCols[3].cHeader = "";
    b.GoToRow(2);
    ASSERT_EQ(b.ToDbf(path), "");
    EXPECT_EQ(b.KeyNo(), 2);
    EXPECT_EQ(readWithPythonDbf(path),
              "claim_no_,claim_no_2,f1st_date,col04\n"
              "C3|30.0|2024-03-01|True\n"
              "a1|10.0|2024-01-05|False\n"
              "B2|20.0||True\n"
              "b22|5.5|2023-12-31|False\n");

    // Replacing asks; "no" leaves the file as it was.
    std::vector<std::string> asked;
    bool answer = false;
    setPromptHook([&](const Prompt& p) {
        asked.push_back(p.text);
        PromptAnswer a;
        a.yes = answer;
        return a;
    });
    b.SetArray(numbers(1));
    EXPECT_NE(b.ToDbf(path), "");
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_NE(readWithPythonDbf(path).find("b22"), std::string::npos);
    answer = true;
    EXPECT_EQ(b.ToDbf(path), "");
    EXPECT_EQ(readWithPythonDbf(path), "a,b\n1|r1\n");
    setPromptHook({});
}

TEST(XBrowseModel, ToDbfMakesAnEditedStructureWritable) {
#ifdef _WIN32
    GTEST_SKIP() << "python3-dbf reads the table in the native build";
#endif
    zrtest::TempDir dir;
    const std::string path = dir.file("EDITED.DBF");
    XBrowseModel b;
    b.SetArray({Value(ValueList{"C1", 10.5, true}), Value(ValueList{"C2", 20.25, false})});
    // As a user might leave it: a name twice, one with blanks, a type
    // letter the format does not know, a numeric field too long.
    const std::vector<DbfField> edited = {{"pay er", 'x', 300, 4}, {"pay er", 'n', 99, 40}, {"", 'L', 7, 0}};
    ASSERT_EQ(b.ToDbf(path, edited), "");
    EXPECT_EQ(readWithPythonDbf(path),
              "pay_er,pay_er_2,col03\n"
              "C1|10.5|True\n"
              "C2|20.25|False\n");
    // A structure of another width is not this browse's: its own is used.
    ASSERT_EQ(b.ToDbf(dir.file("OWN.DBF"), {{"ONLY", 'C', 5, 0}}), "");
    EXPECT_EQ(readWithPythonDbf(dir.file("OWN.DBF")).substr(0, 6), "a,b,c\n");
}

TEST(XBrowseModel, DbfTableBrowsesEditsAndDeletes) {
#ifdef _WIN32
    GTEST_SKIP() << "python3-dbf reads the table in the native build";
#endif
    zrtest::TempDir dir;
    const std::string path = dir.file("T.DBF");
    auto t = DbfFile::create(path, {{"NAME", 'C', 8, 0}, {"AMT", 'N', 8, 2}});
    ASSERT_TRUE(t);
    for (int i = 1; i <= 5; ++i) t->append({Value("N" + std::to_string(i)), Value(i * 1.5)});
    XBrowseModel b;
    b.nDataRows = 3;
    b.SetDbf(std::make_shared<DbfFile>(std::move(*t)));
    EXPECT_EQ(b.nLen, 5);
    EXPECT_EQ(b.aCols[1].cHeader, "AMT");
    b.KeyDown(VK_NEXT, false, false);
    EXPECT_EQ(b.KeyNo(), 4);
    b.aCols[1].lTotal = true;
    b.MakeTotals();
    EXPECT_EQ(b.aCols[1].FooterStr(), "22.50");
    EXPECT_TRUE(b.aCols[0].SetValue(Value("EDITED")));
    b.src.bDelete();
    b.KeyCount();
    EXPECT_EQ(b.nLen, 4);
    EXPECT_EQ(readWithPythonDbf(path), "name,amt\nN1|1.5\nN2|3.0\nN3|4.5\nN5|7.5\n");
}

TEST(XBrowseModel, GroupTotalSumsTheGroupInEachRow) {
    XBrowseModel b;
    b.SetArray({Value(ValueList{"a", 1, 2, 9}), Value(ValueList{"b", 5, -1, 0})});
    b.nDataRows = 5;
    b.KeyCount();
    b.SetGroupHeader("Paid", 2, 3);
    TXBrwColumn& total = b.SetGroupTotal("Paid", "Paid total");
    EXPECT_EQ(b.aDisplay, (std::vector<int>{1, 2, 3, 5, 4}));  // right after the group
    EXPECT_TRUE(total.lReadOnly);
    b.GoTop();
    EXPECT_EQ(b.aCols[4].GetValue().number(), 3);
    b.GoDown();
    EXPECT_EQ(b.aCols[4].GetValue().number(), 4);
    EXPECT_EQ(b.SumOfCols({2, 3}, AGGR_MIN), -1);
    EXPECT_EQ(b.SumOfCols({2, 3, 4}, AGGR_MAX), 5);
    EXPECT_EQ(b.SumOfCols({1}), 0);  // text counts for nothing
    b.SetGroupTotal(std::vector<int>{4, 2}, "Max", AGGR_MAX);
    EXPECT_EQ(b.aDisplay.back(), 6);  // after column 4, the furthest right
    EXPECT_EQ(b.aCols[5].GetValue().number(), 5);
}

TEST(XBrowseModel, MergedRunsSpanTheirRowsAndStackedColumnsShareACell) {
    XBrowseModel b;
    b.SetArray({Value(ValueList{"A", 1}), Value(ValueList{"A", 2}), Value(ValueList{"A", 3}),
                Value(ValueList{"B", 4}), Value(ValueList{"C", 5})});
    b.nDataRows = 10;
    b.KeyCount();
    TXBrwColumn& payer = b.aCols[0];
    payer.lMergeVert = true;
    b.WorkMergeData(payer);
    struct Case {
        int keyNo;
        bool topLine;
        int rowsLeft, spans;
    };
    const Case cases[] = {
        {1, true, 10, 3},  // the run of three "A"
        {1, true, 2, 2},   // cut by the bottom of the window
        {2, false, 9, 0},  // covered by the run painted above
        {2, true, 9, 2},   // the top line of the window paints the rest of the run
        {4, false, 7, 1},  {5, false, 1, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(payer.MergeRows(c.keyNo, c.topLine, c.rowsLeft), c.spans) << c.keyNo;
    EXPECT_EQ(b.aCols[1].MergeRows(2, false, 5), 1);  // not merged

    b.aCols[0].nWidth = 30;
    b.aCols[1].nWidth = 50;
    EXPECT_FALSE(b.SetColsAsRows({1, 9}));
    EXPECT_TRUE(b.SetColsAsRows({1, 2}));
    EXPECT_EQ(b.Display(), (std::vector<int>{1}));
    EXPECT_EQ(b.aCols[0].nWidth, 50);
    EXPECT_EQ(b.StackedRows(), 2);
}

TEST(XBrowseModel, ColumnMovesScrollingAndStretching) {
    XBrowseModel b;
    b.SetArray({Value(ValueList{1, 2, 3, 4, 5})});
    for (TXBrwColumn& c : b.aCols) c.nWidth = 100;
    b.nClientWidth = 250;
    b.nFreeze = 1;
    b.GoRightMost();
    EXPECT_EQ(b.nColSel, 5);
    EXPECT_EQ(b.ColLeft(5), 100);  // right after the frozen column
    EXPECT_EQ(b.ColLeft(2), -1);   // scrolled away
    EXPECT_EQ(b.nColOffset, 4);
    b.GoLeftMost();
    EXPECT_EQ(b.nColSel, 1);
    EXPECT_EQ(b.nColOffset, 1);
    EXPECT_TRUE(b.GoToCol(Value("D")));
    EXPECT_EQ(b.nColSel, 4);
    EXPECT_EQ(b.ColLeft(4) + 100, 300 - 100);  // fully visible
    b.aCols[2].lHide = true;
    EXPECT_FALSE(b.GoToCol(Value("C")));
    EXPECT_FALSE(b.GoToCol(Value("Z")));
    b.aCols[2].lHide = false;
    b.nMarqueeStyle = 5;  // whole rows: the columns scroll instead
    b.SelectCol(3);
    EXPECT_EQ(b.nColOffset, 2);

    EXPECT_TRUE(b.SwapCols(1, 5));
    EXPECT_EQ(b.aDisplay, (std::vector<int>{5, 2, 3, 4, 1}));
    b.ReArrangeCols({4, 2});
    EXPECT_EQ(b.aDisplay, (std::vector<int>{4, 2, 5, 3, 1}));
    b.ReArrangeCols({3}, false);
    EXPECT_EQ(b.aDisplay, (std::vector<int>{3}));
    b.ReArrangeCols({1, 2, 3, 4, 5});
    TXBrwColumn& added = b.InsCol(2);
    added.cHeader = "New";
    EXPECT_EQ(b.aCols[1].cHeader, "New");
    EXPECT_EQ(b.aCols[2].cHeader, "B");  // the later ones renumbered
    EXPECT_EQ(b.aCols[2].nCreationOrder, 3);
    EXPECT_EQ(b.aDisplay, (std::vector<int>{1, 2, 3, 4, 5, 6}));

    XBrowseModel s;
    s.SetArray({Value(ValueList{"abc", 1})});
    s.aCols[0].nWidth = 50, s.aCols[1].nWidth = 40;
    s.nClientWidth = 200;
    s.nStretchCol = -1;
    s.ColStretch();
    EXPECT_EQ(s.aCols[1].nWidth, 150);
    s.aCols[1].nWidth = 40;
    s.nStretchCol = -2;  // the widest text column
    s.ColStretch();
    EXPECT_EQ(s.aCols[0].nWidth, 160);
    auto row = s.CurrentRow();
    EXPECT_EQ(row->aValues[0].text(), "abc");
}

TEST(XBrowseModel, SourceServicesThroughTheBrowse) {
    XBrowseModel b;
    b.SetArray({Value(ValueList{"a", 1}), Value(ValueList{"b", 2})});
    b.GoBottom();
    EXPECT_EQ(b.aRow().list()[0].text(), "b");
    EXPECT_FALSE(b.Bof());
    EXPECT_TRUE(b.Lock());
    EXPECT_TRUE(b.SaveData());
    b.nColSel = 2;
    EXPECT_EQ(b.nAt(), 2);
    b.nStretchCol = -1;
    b.ClearBlocks();
    EXPECT_EQ(b.nStretchCol, 0);
    EXPECT_TRUE(b.BookMark().isNil());
    EXPECT_TRUE(b.Eof());  // no source any more
    XBrowseModel t;
    t.SetTree(std::make_unique<TLinkList>());
    EXPECT_TRUE(t.aRow().isNil());
}

TEST(XBrowseModel, WorkAreaBrowsesLocksAndWritesTheCurrentRecord) {
    zrtest::TempDir dir;
    const std::string path = dir.file("AREA.DBF");
    {
        auto t = DbfFile::create(path, {{"CLAIM", 'C', 4, 0}, {"PAID", 'N', 6, 2}});
        ASSERT_TRUE(t);
        for (int i = 1; i <= 3; ++i) t->append({Value("C" + std::to_string(i)), Value(i * 10.0)});
    }
    auto area = USEAREA(path, "AREA");
    ASSERT_TRUE(area);
    XBrowseModel b;
    b.SetRDD();  // the selected area
    b.nDataRows = 2;
    EXPECT_EQ(b.nLen, 3);
    EXPECT_EQ(b.aCols[1].cHeader, "PAID");
    b.GoBottom();
    EXPECT_EQ(b.KeyNo(), 3);
    b.GoDown();  // never onto the phantom record
    EXPECT_EQ(b.KeyNo(), 3);
    EXPECT_FALSE(area->Eof());
    b.GoTop();
    b.GoUp();
    EXPECT_EQ(b.KeyNo(), 1);
    // The default post-edit locks the record; a lock held through another
    // area on the same file refuses it.
    auto other = DbfArea::open(path, "OTHER");
    ASSERT_TRUE(other);
    other->GoTo(1);
    ASSERT_TRUE(other->RLock());
    EXPECT_FALSE(b.PostEdit(b.aCols[1], Value(99.5), 13));
    other->UnLock();
    EXPECT_TRUE(b.PostEdit(b.aCols[1], Value(99.5), 13));
    EXPECT_DOUBLE_EQ(area->FieldGet(2).number(), 99.5);
    b.src.bDelete();
    EXPECT_TRUE(area->file().deleted(1));

    // Over a list of record numbers: the rows put the area on their records.
    XBrowseModel r;
    r.SetRDD(area, true, {Value(3), Value(ValueList{1, "first"})});
    EXPECT_EQ(r.nDataType, DATATYPE_RDD | DATATYPE_ARRAY);
    EXPECT_EQ(r.nLen, 2);
    r.GoTop();
    EXPECT_EQ(area->RecNo(), 3u);
    EXPECT_EQ(rtrim(r.aCols[0].GetValue().text()), "C3");
    r.GoDown();
    EXPECT_EQ(area->RecNo(), 1u);
    EXPECT_DOUBLE_EQ(r.aCols[1].GetValue().number(), 99.5);
    dbfCloseArea("AREA");
}

// Five claims in record order C5 A1 D4 B2 E3, tagged by claim and amount.
struct TaggedArea {
    zrtest::TempDir dir;
    std::shared_ptr<DbfArea> area;
    TaggedArea() {
        const std::string path = dir.file("TAGGED.DBF");
        {
            auto t = DbfFile::create(path, {{"CLAIM", 'C', 4, 0}, {"AMOUNT", 'N', 6, 2}, {"NOTE", 'C', 8, 0}});
            const std::pair<const char*, double> rows[] = {{"C5", 50}, {"A1", 10}, {"D4", 40}, {"B2", 20}, {"E3", 30}};
            for (const auto& [claim, amount] : rows) t->append({Value(claim), Value(amount), Value("n" + std::string(claim))});
        }
        area = USEAREA(path, "TAGGED");
        area->OrdCreate("CLAIM", "UPPER(CLAIM)");
        area->OrdCreate("AMOUNT", "AMOUNT");
        area->SetOrder(0);
    }
    ~TaggedArea() { dbfCloseArea("TAGGED"); }
};

std::string claimsInOrder(XBrowseModel& b) {
    std::string out;
    b.Eval([&] { out += rtrim(b.aCols[0].GetValue().text()) + " "; });
    return out;
}

TEST(XBrowseModel, WorkAreaColumnsSortByTheirTagsAndTurnRound) {
    TaggedArea t;
    XBrowseModel b;
    b.lAutoSort = true;
    b.SetRDD(t.area);
    b.nDataRows = 3;
    // Headers named like tags sort by them; NOTE has no tag.
    EXPECT_EQ(b.aCols[0].cSortOrder.text(), "CLAIM");
    EXPECT_EQ(b.aCols[1].cSortOrder.text(), "AMOUNT");
    EXPECT_TRUE(b.aCols[2].cSortOrder.isNil());
    EXPECT_EQ(claimsInOrder(b), "C5 A1 D4 B2 E3 ");
    b.GoTop();
    b.GoDown(2);  // D4, record 3
    ASSERT_TRUE(b.SetOrder(1));
    EXPECT_EQ(b.aCols[0].cOrder, "A");
    EXPECT_EQ(claimsInOrder(b), "A1 B2 C5 D4 E3 ");
    EXPECT_EQ(t.area->RecNo(), 3u);  // the row stays
    EXPECT_EQ(b.KeyNo(), 4);
    ASSERT_TRUE(b.SetOrder(1));  // the same tag turns round
    EXPECT_EQ(b.aCols[0].cOrder, "D");
    EXPECT_EQ(claimsInOrder(b), "E3 D4 C5 B2 A1 ");
    EXPECT_EQ(b.KeyNo(), 2);
    ASSERT_TRUE(b.SetOrder(2));  // another tag: ascending, the first loses its mark
    EXPECT_EQ(b.aCols[0].cOrder, "");
    EXPECT_EQ(b.aCols[1].cOrder, "A");
    EXPECT_EQ(claimsInOrder(b), "A1 B2 E3 D4 C5 ");
    EXPECT_FALSE(b.SetOrder(3));
    b.lSortDescend = false;  // an ascending column then refuses
    EXPECT_FALSE(b.SetOrder(2));
}

TEST(XBrowseModel, WorkAreaSeeksAndFiltersOnTheActiveOrder) {
    TaggedArea t;
    XBrowseModel b;
    b.lAutoSort = true;
    b.SetRDD(t.area);
    b.nDataRows = 10;
    EXPECT_FALSE(b.Seek("B"));  // no active order
    ASSERT_TRUE(b.SetOrder(1));
    b.GoTop();
    struct Case {
        const char* text;
        bool found;
        const char* at;
    };
    // Upper-cased keys: a lower-case text finds them; a miss stays put.
    const Case cases[] = {{"d", true, "D4"}, {"B2", true, "B2"}, {"X", false, "B2"}, {"c", true, "C5"}};
    for (const Case& c : cases) {
        EXPECT_EQ(b.Seek(c.text), c.found) << c.text;
        EXPECT_EQ(rtrim(b.aCols[0].GetValue().text()), c.at) << c.text;
    }
    EXPECT_EQ(b.cSeek, "c");
    EXPECT_EQ(b.nRowSel, 3);  // every row on screen: the row moved within it
    // Numbers land on the nearest amount at or above the value.
    ASSERT_TRUE(b.SetOrder(2));
    EXPECT_TRUE(b.Seek("25"));
    EXPECT_EQ(rtrim(b.aCols[0].GetValue().text()), "E3");
    EXPECT_FALSE(b.Seek("99"));
    EXPECT_EQ(rtrim(b.aCols[0].GetValue().text()), "E3");
    // The filter keeps the keys that begin with the text (or, wild, hold it).
    ASSERT_TRUE(b.SetOrder(1));
    b.lIncrFilter = true;
    EXPECT_TRUE(b.Seek("b"));
    EXPECT_EQ(b.nLen, 1);
    EXPECT_EQ(claimsInOrder(b), "B2 ");
    EXPECT_FALSE(b.Seek("Q"));  // nothing would be left: the filter before stays
    EXPECT_EQ(claimsInOrder(b), "B2 ");
    b.lSeekWild = true;
    EXPECT_TRUE(b.Seek("3"));
    EXPECT_EQ(claimsInOrder(b), "E3 ");
    EXPECT_TRUE(b.Seek(""));
    EXPECT_EQ(b.nLen, 5);
}

TEST(XBrowseModel, ColumnFieldsAcrossAllColumnsAndJustification) {
    XBrowseModel b;
    b.SetArray(claims());
    ASSERT_EQ(b.aCols.size(), 4u);
    b.aCols[0].nWidth = 40, b.aCols[1].nWidth = 50, b.aCols[2].nWidth = 60, b.aCols[3].nWidth = 70;
    b.ReArrangeCols({3, 1});  // shown: C, A, B, D
    auto widths = [](const std::optional<ValueList>& l) {
        std::string out;
        for (const Value& v : *l) out += CVALTOCHAR(v) + " ";
        return out;
    };
    EXPECT_EQ(widths(b.GetColsData("nWidth")), "40 50 60 70 ");
    EXPECT_EQ(widths(b.GetColsData("nWidth", true)), "60 40 50 70 ");
    EXPECT_FALSE(b.GetColsData("nope"));
    EXPECT_TRUE(b.SetColsData("cHeader", {Value("Claim"), Value("Paid")}, true));
    EXPECT_EQ(b.aCols[2].cHeader, "Claim");
    EXPECT_EQ(b.aCols[0].cHeader, "Paid");
    EXPECT_EQ(b.aCols[1].cHeader, "B");  // past the values: unchanged
    EXPECT_FALSE(b.SetColsData("nWidth", {Value(10), Value("x")}));
    EXPECT_EQ(b.aCols[0].nWidth, 10);
    EXPECT_EQ(b.aCols[1].nWidth, 50);
    EXPECT_FALSE(b.SetColsData("nope", {Value(1)}));

    // Text left, numbers and dates right, by type until set.
    EXPECT_EQ(widths(b.aJustify()), ".F. .T. .T. .F. ");
    b.aJustify({Value(true), Value(false), Value(2), Value(3)});
    EXPECT_EQ(widths(b.aJustify()), ".T. .F. 2 2 ");
    EXPECT_EQ(b.aCols[0].DataStrAlign(), 1);
}

TEST(XBrowseModel, TheBoundSourceByPrecedence) {
    XBrowseModel b;  // a new browse shows an empty array
    ASSERT_TRUE(std::holds_alternative<const ValueList*>(b.uDataSource()));
    EXPECT_TRUE(std::get<const ValueList*>(b.uDataSource())->empty());
    b.SetArray(claims());
    ASSERT_TRUE(std::holds_alternative<const ValueList*>(b.uDataSource()));
    EXPECT_EQ(std::get<const ValueList*>(b.uDataSource())->size(), 4u);
    TaggedArea t;
    b.SetRDD(t.area);
    EXPECT_EQ(std::get<std::string>(b.uDataSource()), "TAGGED");
    auto tree = std::make_unique<TLinkList>();
    tree->Add("one");
    TLinkList* raw = tree.get();
    b.SetTree(std::move(tree));
    EXPECT_EQ(std::get<TLinkList*>(b.uDataSource()), raw);
}

TEST(XBrowseModel, MovingColumnsKeepsFrozenColumnsAndGroups) {
    XBrowseModel b;
    b.SetArray({Value(ValueList{1, 2, 3, 4})});
    b.SetGroupHeader("Paid", 3, 4);
    std::vector<std::pair<int, int>> moves;
    b.bOnSwapCol = [&](int from, int to) { moves.emplace_back(from, to); };
    b.nFreeze = 1;
    EXPECT_FALSE(b.MoveCol(2, 1, true));  // across the frozen column
    EXPECT_TRUE(b.MoveCol(2, 1));         // allowed when not asked to respect it
    EXPECT_FALSE(b.MoveCol(3, 1));        // out of its group
    EXPECT_TRUE(b.MoveCol(4, 3));         // within the group
    EXPECT_EQ(b.aDisplay, (std::vector<int>{2, 1, 4, 3}));
    b.lAllowColReGroup = true;
    EXPECT_TRUE(b.MoveCol(4, 1));  // takes the target's (empty) group header
    EXPECT_EQ(b.aCols[2].cGrpHdr, "");
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{2, 1}, {4, 3}, {4, 1}}));
}

}  // namespace
