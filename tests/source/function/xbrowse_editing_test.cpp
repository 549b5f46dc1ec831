// Which editor a grid cell's edit type asks for, the list entry chosen for a
// value, the keys that start an edit, and where the selection goes after
// the edit ends.
#include "xbrowse_editing.hpp"

#include <gtest/gtest.h>

namespace {

using namespace wl;

constexpr int kEditEnter = 13, kEditTab = 9, kEditDown = 0x28, kEditUp = 0x26, kEditEsc = 27;

// Rows of {name, amount, note}; columns editable as each test sets.
// Filled in place: the model's closures hold its address.
void editingGrid(XBrowseModel& b) {
    b.SetArray({Value(ValueList{"Ann", 10, "one"}), Value(ValueList{"Bob", 20, "two\r\nlines"}),
                Value(ValueList{"Cy", 30, "three"})});
    b.nDataRows = 10;
    b.KeyCount();
    b.GoTop();
}

TEST(XBrowseEditing, EditTypeChoosesTheEditor) {
    struct Case {
        const char* name;
        int col, type, row, key;
        XbrEditor kind;
        const char* error;
    };
    const Case cases[] = {
        {"type 0 edits nothing", 1, 0, 1, 0, XbrEditor::None, ""},
        {"text field", 1, 1, 1, 0, XbrEditor::Get, ""},
        {"multi-line text in the memo editor", 3, 1, 2, 0, XbrEditor::Memo, ""},
        {"list without texts", 1, 2, 1, 0, XbrEditor::None, "oCol:aEditListTxt not defined"},
        {"button without closure", 1, 3, 1, 0, XbrEditor::None, "oCol:bEditBlock not defined"},
        {"field with button without closure", 1, 5, 1, 0, XbrEditor::None, "oCol:bEditBlock not defined"},
        {"date picker", 2, 6, 1, 0, XbrEditor::Date, ""},
        {"time picker", 2, 7, 1, 0, XbrEditor::Time, ""},
        {"time picker above 7", 2, 9, 1, 0, XbrEditor::Time, ""},
        {"picture file column", 1, -1, 1, 0, XbrEditor::None, ""},
    };
    for (const Case& c : cases) {
        XBrowseModel b;
        editingGrid(b);
        b.GoToRow(c.row);
        TXBrwColumn& col = b.aCols[size_t(c.col) - 1];
        col.nEditType = c.type;
        const XbrEditPlan plan = xbrEditPlan(b, col, c.key);
        EXPECT_EQ(plan.kind, c.kind) << c.name;
        EXPECT_EQ(plan.error, c.error) << c.name;
    }
}

TEST(XBrowseEditing, MemoButtonColumnsOpenTheDialogTheirContentAsksFor) {
    XBrowseModel b;
    editingGrid(b);
    TXBrwColumn& note = b.aCols[2];
    note.nEditType = 3;
    note.cDataType = 'M';
    EXPECT_EQ(xbrEditPlan(b, note, 0).kind, XbrEditor::MemoDialog);
    note.bEditBlock = [](int, int, TXBrwColumn&, int) { return Value(); };
    EXPECT_EQ(xbrEditPlan(b, note, 0).kind, XbrEditor::Button);  // its own closure wins

    struct Case {
        std::string data;
        XbrMemoKind kind;
    };
    const Case cases[] = {
        {"plain note\r\n\tindented", XbrMemoKind::Text},
        {"{\\rtf1\\ansi rich}", XbrMemoKind::Text},
        {"", XbrMemoKind::Text},
        {std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), XbrMemoKind::Image},
        {std::string("\xFF\xD8\xFF\xE0\0\x10JFIF", 10), XbrMemoKind::Image},
        {"GIF89a\x01\0\x01\0", XbrMemoKind::Image},
        {"BM" + std::string(60, '\0'), XbrMemoKind::Image},
        {"BM short", XbrMemoKind::Text},  // too short to be a bitmap file
        {std::string("ab\0cd", 5), XbrMemoKind::Binary},
        {"\x01\x02\x03", XbrMemoKind::Binary},
    };
    for (const Case& c : cases) EXPECT_EQ(xbrMemoKind(c.data), c.kind) << c.data;
}

TEST(XBrowseEditing, ReadOnlyOrRefusedCellsDoNotEdit) {
    XBrowseModel b;
        editingGrid(b);
    TXBrwColumn& col = b.aCols[0];
    col.nEditType = 1;
    EXPECT_TRUE(xbrCanEdit(b, col));
    col.bEditWhen = [] { return false; };
    EXPECT_FALSE(xbrCanEdit(b, col));
    col.bEditWhen = {};
    col.lReadOnly = true;
    EXPECT_EQ(xbrEditPlan(b, col, 0).kind, XbrEditor::None);
    col.lReadOnly = false;
    b.lReadOnly = true;
    EXPECT_FALSE(xbrCanEdit(b, col));
}

TEST(XBrowseEditing, ReadOnlyMemoButtonColumnsOpenTheirDialogForViewing) {
    struct Case {
        const char* name;
        bool browseReadOnly, colReadOnly, editWhen, ownClosure, memo;
        int type;
        XbrEditor kind;
        bool readOnly;
    };
    const Case cases[] = {
        {"writable memo edits", false, false, true, false, true, 3, XbrEditor::MemoDialog, false},
        {"read-only column views", false, true, true, false, true, 3, XbrEditor::MemoDialog, true},
        {"read-only browse views", true, false, true, false, true, 3, XbrEditor::MemoDialog, true},
        {"refused by bEditWhen views", false, false, false, false, true, 3, XbrEditor::MemoDialog, true},
        {"own closure does not run read-only", false, true, true, true, true, 3, XbrEditor::None, false},
        {"read-only text column", false, true, true, false, false, 3, XbrEditor::None, false},
        {"read-only memo without a button", false, true, true, false, true, 1, XbrEditor::None, false},
        {"read-only memo of type 0", false, true, true, false, true, 0, XbrEditor::None, false},
    };
    for (const Case& c : cases) {
        XBrowseModel b;
        editingGrid(b);
        b.lReadOnly = c.browseReadOnly;
        TXBrwColumn& note = b.aCols[2];
        note.nEditType = c.type;
        note.lReadOnly = c.colReadOnly;
        if (c.memo) note.cDataType = 'M';
        if (!c.editWhen) note.bEditWhen = [] { return false; };
        if (c.ownClosure) note.bEditBlock = [](int, int, TXBrwColumn&, int) { return Value(); };
        const XbrEditPlan plan = xbrEditPlan(b, note, 0);
        EXPECT_EQ(plan.kind, c.kind) << c.name;
        EXPECT_EQ(plan.readOnly, c.readOnly) << c.name;
        EXPECT_EQ(xbrCanOpen(b, note), c.kind != XbrEditor::None) << c.name;
        if (c.kind == XbrEditor::MemoDialog) {
            EXPECT_EQ(plan.start.text(), "one") << c.name;
        }
        // A typed key never opens a dialog only to look.
        if (c.readOnly) {
            EXPECT_EQ(xbrEditPlan(b, note, 'x').kind, XbrEditor::None) << c.name;
        }
    }
    // No rows: nothing to view.
    XBrowseModel empty;
    empty.SetArray({});
    ASSERT_FALSE(empty.aCols.empty());
    empty.aCols[0].nEditType = 3;
    empty.aCols[0].cDataType = 'M';
    empty.aCols[0].lReadOnly = true;
    EXPECT_FALSE(xbrCanOpen(empty, empty.aCols[0]));
}

TEST(XBrowseEditing, FormulaStartsAWideField) {
    XBrowseModel b;
        editingGrid(b);
    TXBrwColumn& amount = b.aCols[1];
    amount.nEditType = 1;
    amount.nWidth = 80;
    EXPECT_FALSE(xbrEditPlan(b, amount, '=').formula);  // formulas switched off
    b.lFormulaEdit = true;
    const XbrEditPlan plan = xbrEditPlan(b, amount, '=');
    EXPECT_TRUE(plan.formula);
    EXPECT_EQ(plan.kind, XbrEditor::Get);
    EXPECT_EQ(plan.start.text().size(), 128u);
    EXPECT_EQ(plan.picture, "@S10");
    // The edit posts "=10%", which stores 0.1.
    EXPECT_TRUE(b.PostEdit(amount, Value("=10%"), kEditEnter));
    EXPECT_DOUBLE_EQ(amount.GetValue().number(), 0.1);
}

TEST(XBrowseEditing, ListEntryForAValue) {
    TXBrwColumn col;
    col.aEditListTxt = {"Active", "Closed", "Pending"};
    struct Case {
        Value value;
        int index;
    };
    const Case byText[] = {{Value("Closed"), 2}, {Value("Pxx"), 3}, {Value("clo"), 2}, {Value("Bz"), 2},
                           {Value("Zed"), 1}};
    for (const Case& c : byText) EXPECT_EQ(xbrListIndexOf(col, c.value), c.index) << c.value.text();
    col.aEditListBound = {Value(1), Value(2), Value(3)};
    EXPECT_EQ(xbrListIndexOf(col, Value(3)), 3);
    EXPECT_EQ(xbrListValue(col, 2).number(), 2);
    col.aEditListBound.clear();
    EXPECT_EQ(xbrListValue(col, 3).text(), "Pending");
    EXPECT_TRUE(xbrListValue(col, 4).isNil());
}

TEST(XBrowseEditing, TypedKeysThatStartAnEdit) {
    XBrowseModel b;
        editingGrid(b);
    for (TXBrwColumn& c : b.aCols) c.nEditType = 1;
    struct Case {
        int col, ch;
        bool fast, formula, starts;
    };
    const Case cases[] = {
        {1, 'a', false, false, false},  // without fast edit no key starts
        {1, 'a', true, false, true},   {1, '-', true, false, false}, {2, '7', true, false, true},
        {2, '-', true, false, true},   {2, 'x', true, false, false}, {2, '=', false, true, true},
        {2, '=', false, false, false}, {1, '=', false, true, false},
    };
    for (const Case& c : cases) {
        b.lFormulaEdit = c.formula;
        EXPECT_EQ(xbrKeyStartsEdit(b, b.aCols[size_t(c.col) - 1], c.ch, c.fast), c.starts) << c.col << " " << char(c.ch);
    }
    b.aCols[0].cEditKeys = "XY";
    EXPECT_TRUE(xbrKeyStartsEdit(b, b.aCols[0], 'X', true));
    EXPECT_FALSE(xbrKeyStartsEdit(b, b.aCols[0], 'a', true));
    b.nMarqueeStyle = 5;  // whole rows: typing seeks instead
    EXPECT_FALSE(xbrKeyStartsEdit(b, b.aCols[1], '7', true));
}

TEST(XBrowseEditing, MoveAfterTheEdit) {
    struct Case {
        const char* name;
        int key, moveType;
        bool fast;
        int startCol, startRow, col, row;
    };
    const Case cases[] = {
        {"escape stays", kEditEsc, 1, true, 1, 1, 1, 1},
        {"down moves a row", kEditDown, 5, false, 2, 1, 2, 2},
        {"up moves a row", kEditUp, 5, false, 2, 2, 2, 1},
        {"enter without fast edit stays for type 6", kEditEnter, 6, false, 1, 1, 1, 1},
        {"enter moves right for type 1", kEditEnter, 1, false, 1, 1, 2, 1},
        {"tab counts as enter", kEditTab, 4, true, 1, 1, 1, 2},
        {"next editable column", kEditEnter, 6, true, 1, 1, 3, 1},
        {"next row's first editable column", kEditEnter, 6, true, 3, 1, 1, 2},
        {"last cell stays", kEditEnter, 6, true, 3, 3, 3, 3},
        {"previous editable column", kEditEnter, 7, true, 3, 2, 1, 2},
        {"previous row's last editable column", kEditEnter, 7, true, 1, 2, 3, 1},
    };
    for (const Case& c : cases) {
        XBrowseModel b;
        editingGrid(b);
        b.aCols[0].nEditType = 1;
        b.aCols[2].nEditType = 1;  // the middle column is not editable
        b.GoToRow(c.startRow);
        b.nColSel = c.startCol;
        xbrGoNextCtrl(b, c.key, c.moveType, c.fast);
        EXPECT_EQ(b.nColSel, c.col) << c.name;
        EXPECT_EQ(b.KeyNo(), c.row) << c.name;
    }
}

TEST(XBrowseEditing, TypingOutOfTheFieldOnlyWhenAsked) {
    XBrowseModel b;
    editingGrid(b);
    TXBrwColumn& name = b.aCols[0];
    name.nEditType = 1;
    struct Case {
        bool typeOut, fast;
        bool exits, passes;
    };
    const Case cases[] = {{false, true, false, false}, {true, false, true, false}, {true, true, true, true}};
    for (const Case& c : cases) {
        b.lExitGetOnTypeOut = c.typeOut;
        b.lFastEdit = c.fast;
        const XbrEditPlan plan = xbrEditPlan(b, name, 0);
        EXPECT_EQ(plan.exitOnTypeOut, c.exits);
        EXPECT_EQ(plan.passKeyOn, c.passes);
    }
    b.GoToRow(2);  // a multi-line note edits in the memo editor: no typing out
    b.aCols[2].nEditType = 1;
    EXPECT_FALSE(xbrEditPlan(b, b.aCols[2], 0).exitOnTypeOut);
}

}  // namespace
