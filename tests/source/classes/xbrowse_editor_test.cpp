// Cells of a live grid browse edited in place: the editor each edit type
// opens over the cell, committed by Enter, dropped by Escape, and the value
// read back from the bound rows; check columns toggle; a misconfigured
// column answers its message instead of editing.
#include "xbrowse_editor.hpp"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

#include "font.hpp"
#include "parent_window.hpp"
#include "test_support.hpp"
#include "text.hpp"
#include "xbrowse.hpp"

namespace {

using namespace wl;

// Rows {claim, amount, status, paid, note, date}, one browse over them.
struct XbeGrid {
    wltest::Parent p{500, 400};
    TXBrowse b;
    XbeGrid() {
        ValueList rows;
        for (int i = 1; i <= 5; ++i)
            rows.emplace_back(ValueList{Value("C" + std::to_string(i)), Value(i * 10), Value("Open"), Value(i % 2 == 0),
                                        Value(i == 2 ? "two\r\nlines" : "note"), Value(Date{2024, 1, i})});
        b.model().SetArray(rows);
        b.New(&p.w, 0, 0, 480, 300, TFont::New(FontSpec{"Arial", 0, -14}));
        SetFocus(b.hWnd);
    }
    TXBrwColumn& col(int n) { return b.model().aCols[size_t(n) - 1]; }
    Value cell(int row, int c) const { return b.model().aArrayData[size_t(row) - 1].list()[size_t(c) - 1]; }
    void select(int row, int c) {
        b.model().GoToRow(row);
        b.model().nColSel = c;
    }
    void key(HWND h, WPARAM vk) { SendMessageA(h, WM_KEYDOWN, vk, 0); }
    void chars(HWND h, const std::string& text) {
        for (char ch : text) SendMessageA(h, WM_CHAR, WPARAM(static_cast<unsigned char>(ch)), 0);
    }
    HWND editor() const { return b.Editor() ? b.Editor()->hWnd() : nullptr; }
    std::string editorClass() const {
        char name[64] = {};
        if (HWND h = editor()) GetClassNameA(h, name, sizeof name);
        return name;
    }
};

TEST(XBrowseEditor, EnterEditsTheCellInPlaceAndCommits) {
    XbeGrid g;
    g.col(1).nEditType = 1;
    g.select(3, 1);
    SendMessageA(g.b.hWnd, WM_CHAR, VK_RETURN, 0);
    ASSERT_NE(g.editor(), nullptr);
    EXPECT_EQ(g.editorClass(), "Edit");
    // Over the cell, inside its margin.
    RECT er{};
    GetWindowRect(g.editor(), &er);
    MapWindowPoints(nullptr, g.b.hWnd, reinterpret_cast<POINT*>(&er), 2);
    const RECT cr = g.b.aCellCoor(g.b.model().nRowSel, 1);
    EXPECT_EQ(er.top, cr.top + 2);
    EXPECT_EQ(er.left, cr.left + 2);
    EXPECT_EQ(GetFocus(), g.editor());
    g.chars(g.editor(), "Z9");  // the whole text was selected: typing replaces it
    g.key(g.editor(), VK_RETURN);
    EXPECT_EQ(g.cell(3, 1).text(), "Z9");
    EXPECT_EQ(g.b.Editor(), nullptr);
    EXPECT_EQ(GetFocus(), g.b.hWnd);
    EXPECT_EQ(g.b.model().KeyNo(), 3);  // without fast edit Enter stays
}

TEST(XBrowseEditor, EscapeCancelsAndDownMovesOn) {
    XbeGrid g;
    g.col(1).nEditType = 1;
    g.select(1, 1);
    SendMessageA(g.b.hWnd, WM_CHAR, VK_RETURN, 0);
    ASSERT_NE(g.editor(), nullptr);
    g.chars(g.editor(), "XX");
    g.key(g.editor(), VK_ESCAPE);
    EXPECT_EQ(g.cell(1, 1).text(), "C1");
    SendMessageA(g.b.hWnd, WM_CHAR, VK_RETURN, 0);
    ASSERT_NE(g.editor(), nullptr);
    g.chars(g.editor(), "Nw");  // the field is as wide as the value
    g.key(g.editor(), VK_DOWN);
    EXPECT_EQ(g.cell(1, 1).text(), "Nw");
    EXPECT_EQ(g.b.model().KeyNo(), 2);
}

TEST(XBrowseEditor, FastEditStartsWithTheTypedKeyAndMovesToTheNextEditableCell) {
    XbeGrid g;
    g.col(2).nEditType = 1;
    g.col(5).nEditType = 1;
    g.b.model().lFastEdit = true;
    g.select(1, 2);
    SendMessageA(g.b.hWnd, WM_CHAR, '7', 0);
    ASSERT_NE(g.editor(), nullptr);
    g.chars(g.editor(), "5");
    g.key(g.editor(), VK_RETURN);
    EXPECT_EQ(g.cell(1, 2).number(), 75);
    EXPECT_EQ(g.b.model().nColSel, 5);  // the next editable column
}

// A typed key replaces a text cell's value, or, with the library's
// select-all switch off, follows its last non-blank character.
TEST(XBrowseEditor, TheSelectAllSwitchDecidesWhereATypedKeyGoes) {
    struct Case {
        bool selectAll;
        const char* stored;
    };
    for (const Case& c : {Case{true, "C"}, Case{false, "ABC"}}) {
        XbeGrid g;
        ValueList row = g.b.model().aArrayData[0].list();
        row[2] = Value("AB    ");
        g.b.model().aArrayData[0] = Value(row);
        g.col(3).nEditType = 1;
        g.b.model().lFastEdit = true;
        g.select(1, 3);
        const bool was = XBRGETSELECTALL(c.selectAll);
        SendMessageA(g.b.hWnd, WM_CHAR, 'C', 0);
        XBRGETSELECTALL(was);
        ASSERT_NE(g.editor(), nullptr);
        g.key(g.editor(), VK_RETURN);
        EXPECT_EQ(rtrim(g.cell(1, 3).text()), c.stored) << "select all " << c.selectAll;
    }
}

TEST(XBrowseEditor, FormulaStoresItsArithmetic) {
    XbeGrid g;
    g.col(2).nEditType = 1;
    g.b.model().lFormulaEdit = true;
    g.select(2, 2);
    SendMessageA(g.b.hWnd, WM_CHAR, '=', 0);
    ASSERT_NE(g.editor(), nullptr);
    g.chars(g.editor(), "10%");
    g.key(g.editor(), VK_RETURN);
    EXPECT_DOUBLE_EQ(g.cell(2, 2).number(), 0.1);
}

TEST(XBrowseEditor, MultiLineTextOpensTheMemoEditor) {
    XbeGrid g;
    g.col(5).nEditType = 1;
    g.select(2, 5);
    SendMessageA(g.b.hWnd, WM_LBUTTONDBLCLK, 0, MAKELPARAM(g.b.aCellCoor(g.b.model().nRowSel, 5).left + 3,
                                                           g.b.aCellCoor(g.b.model().nRowSel, 5).top + 3));
    ASSERT_NE(g.editor(), nullptr);
    EXPECT_NE(GetWindowLongA(g.editor(), GWL_STYLE) & ES_MULTILINE, 0);
    g.key(g.editor(), VK_DOWN);  // moves the caret, does not end the edit
    EXPECT_NE(g.b.Editor(), nullptr);
    SetWindowTextA(g.editor(), "one\r\ntwo\r\nthree");
    g.key(g.editor(), VK_RETURN);
    EXPECT_EQ(g.cell(2, 5).text(), "one\r\ntwo\r\nthree");
}

TEST(XBrowseEditor, ListPostsTheBoundValueOfTheChosenEntry) {
    XbeGrid g;
    TXBrwColumn& status = g.col(3);
    status.nEditType = 2;
    status.aEditListTxt = {"Open", "Paid", "Denied"};
    status.aEditListBound = {Value("O"), Value("P"), Value("D")};
    g.select(4, 3);
    status.SetValue(Value("P"));
    SendMessageA(g.b.hWnd, WM_CHAR, VK_RETURN, 0);
    ASSERT_NE(g.editor(), nullptr);
    EXPECT_EQ(g.editorClass(), "ListBox");
    EXPECT_EQ(SendMessageA(g.editor(), LB_GETCURSEL, 0, 0), 1);  // the entry of "P"
    SendMessageA(g.editor(), LB_SETCURSEL, 2, 0);
    g.key(g.editor(), VK_RETURN);
    EXPECT_EQ(g.cell(4, 3).text(), "D");
    // Escape posts nothing.
    SendMessageA(g.b.hWnd, WM_CHAR, VK_RETURN, 0);
    ASSERT_NE(g.editor(), nullptr);
    SendMessageA(g.editor(), LB_SETCURSEL, 0, 0);
    g.key(g.editor(), VK_ESCAPE);
    EXPECT_EQ(g.cell(4, 3).text(), "D");
}

TEST(XBrowseEditor, DatePickerCommitsTheChosenDate) {
    XbeGrid g;
    g.col(6).nEditType = 6;
    g.select(1, 6);
    SendMessageA(g.b.hWnd, WM_CHAR, VK_RETURN, 0);
    ASSERT_NE(g.editor(), nullptr);
    EXPECT_EQ(g.editorClass(), "SysDateTimePick32");
    SYSTEMTIME st{};
    st.wYear = 2025, st.wMonth = 7, st.wDay = 14;
    SendMessageA(g.editor(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    g.key(g.editor(), VK_RETURN);
    const Date d = std::get<Date>(g.cell(1, 6).storage());
    EXPECT_EQ(d.year, 2025);
    EXPECT_EQ(d.month, 7);
    EXPECT_EQ(d.day, 14);
}

TEST(XBrowseEditor, ButtonColumnTakesTheClosuresValue) {
    XbeGrid g;
    TXBrwColumn& note = g.col(5);
    note.nEditType = 3;
    int calls = 0;
    note.bEditBlock = [&](int, int, TXBrwColumn& c, int) {
        ++calls;
        return Value(c.GetValue().text() + "!");
    };
    g.select(1, 5);
    SendMessageA(g.b.hWnd, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(g.cell(1, 5).text(), "note!");
    // A click on the selected cell's button runs it again.
    const RECT r = g.b.aCellCoor(g.b.model().nRowSel, 5);
    SendMessageA(g.b.hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(r.right - 4, r.top + 4));
    SendMessageA(g.b.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(r.right - 4, r.top + 4));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(g.cell(1, 5).text(), "note!!");
}

TEST(XBrowseEditor, MisconfiguredColumnsAnswerTheirMessage) {
    XbeGrid g;
    zrtest::PromptRecorder prompts;
    g.col(3).nEditType = 2;  // a list without texts
    g.col(1).nEditType = 3;  // a button without a closure
    g.select(1, 3);
    EXPECT_FALSE(g.b.EditCell());
    g.select(1, 1);
    EXPECT_FALSE(g.b.EditCell());
    ASSERT_EQ(prompts.prompts().size(), 2u);
    EXPECT_EQ(prompts.texts()[0], "oCol:aEditListTxt not defined");
    EXPECT_EQ(prompts.texts()[1], "oCol:bEditBlock not defined");
    EXPECT_EQ(prompts.prompts()[0].caption, "Class TXBrwColumn");
    EXPECT_EQ(g.editor(), nullptr);
}

TEST(XBrowseEditor, CheckColumnTogglesBySpaceAndDoubleClick) {
    XbeGrid g;
    g.col(4).SetCheck({}, 1);
    g.select(1, 4);
    EXPECT_FALSE(g.cell(1, 4).logical());
    SendMessageA(g.b.hWnd, WM_CHAR, VK_SPACE, 0);
    EXPECT_TRUE(g.cell(1, 4).logical());
    const RECT r = g.b.aCellCoor(g.b.model().nRowSel, 4);
    SendMessageA(g.b.hWnd, WM_LBUTTONDBLCLK, 0, MAKELPARAM(r.left + 3, r.top + 3));
    EXPECT_FALSE(g.cell(1, 4).logical());
    g.col(4).lReadOnly = true;
    SendMessageA(g.b.hWnd, WM_CHAR, VK_SPACE, 0);
    EXPECT_FALSE(g.cell(1, 4).logical());
}

TEST(XBrowseEditor, FieldWithAListButtonTypesOrChoosesFromTheList) {
    XbeGrid g;
    TXBrwColumn& status = g.col(3);
    status.nEditType = 4;
    status.aEditListTxt = {"Open", "Paid"};
    g.select(1, 3);
    SendMessageA(g.b.hWnd, WM_CHAR, VK_RETURN, 0);  // Enter: the edit field, narrowed for the button
    ASSERT_NE(g.editor(), nullptr);
    EXPECT_EQ(g.editorClass(), "Edit");
    RECT er{};
    GetWindowRect(g.editor(), &er);
    const RECT cr = g.b.aCellCoor(g.b.model().nRowSel, 3);
    EXPECT_EQ(er.right - er.left, cr.right - cr.left - 4 - 16);
    g.key(g.editor(), VK_ESCAPE);
    // A click on the button opens the list.
    SendMessageA(g.b.hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(cr.right - 4, cr.top + 4));
    SendMessageA(g.b.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(cr.right - 4, cr.top + 4));
    ASSERT_NE(g.editor(), nullptr);
    EXPECT_EQ(g.editorClass(), "ListBox");
    SendMessageA(g.editor(), LB_SETCURSEL, 1, 0);
    g.key(g.editor(), VK_RETURN);
    EXPECT_EQ(g.cell(1, 3).text(), "Paid");
}

// Runs the messages waiting for this thread (the posted ones included).
void xbePump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

TEST(XBrowseEditor, AnOpenFieldsOwnButtonOpensTheListOrRunsTheClosure) {
    XbeGrid g;
    TXBrwColumn& status = g.col(3);
    status.nEditType = 4;
    status.aEditListTxt = {"Open", "Paid", "Void"};
    g.select(1, 3);
    SendMessageA(g.b.hWnd, WM_CHAR, VK_RETURN, 0);
    ASSERT_NE(g.editor(), nullptr);
    HWND button = g.b.Editor()->hButton();
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE);
    // In the strip the field left free at the cell's right.
    RECT br{}, er{};
    GetWindowRect(button, &br);
    GetWindowRect(g.editor(), &er);
    EXPECT_EQ(br.right - br.left, 16);
    EXPECT_GE(br.left, er.right);
    g.chars(g.editor(), "Vo");
    SendMessageA(button, BM_CLICK, 0, 0);  // takes the focus: the edit goes on until the click is handled
    xbePump();
    ASSERT_NE(g.editor(), nullptr);
    EXPECT_EQ(g.editorClass(), "ListBox");
    EXPECT_EQ(SendMessageA(g.editor(), LB_GETCURSEL, 0, 0), 2);  // at the typed entry
    g.key(g.editor(), VK_RETURN);
    EXPECT_EQ(g.cell(1, 3).text(), "Void");

    TXBrwColumn& note = g.col(5);
    note.nEditType = 5;
    note.cBtnCaption = "...";
    std::vector<Value> answers{Value(), Value("picked")};
    int calls = 0;
    note.bEditBlock = [&](int, int, TXBrwColumn&, int) { return answers[size_t(calls++)]; };
    g.select(1, 5);
    SendMessageA(g.b.hWnd, WM_CHAR, VK_RETURN, 0);
    ASSERT_NE(g.editor(), nullptr);
    HWND field = g.editor();
    SendMessageA(g.b.Editor()->hButton(), BM_CLICK, 0, 0);
    xbePump();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(g.editor(), field);  // nil: still editing, the focus back in the field
    EXPECT_EQ(GetFocus(), field);
    const int row = g.b.model().KeyNo(), colSel = g.b.model().nColSel;
    SendMessageA(g.b.Editor()->hButton(), BM_CLICK, 0, 0);
    xbePump();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(g.editor(), nullptr);
    EXPECT_EQ(g.cell(1, 5).text(), "picked");
    EXPECT_EQ(g.b.model().KeyNo(), row);  // the selection stays
    EXPECT_EQ(g.b.model().nColSel, colSel);
}

TEST(XBrowseEditor, TypingPastTheEndMovesOnToTheNextCell) {
    XbeGrid g;
    g.col(1).nEditType = 1;
    g.col(3).nEditType = 1;
    g.b.model().lFastEdit = true;
    g.b.model().lExitGetOnTypeOut = true;
    g.select(1, 1);
    SendMessageA(g.b.hWnd, WM_CHAR, 'A', 0);  // "C1" is two places wide
    ASSERT_NE(g.editor(), nullptr);
    g.chars(g.editor(), "BZ");  // "Z" no longer fits
    EXPECT_EQ(g.cell(1, 1).text(), "AB");
    EXPECT_EQ(g.b.model().nColSel, 3);
    // The key waits in the queue for the browse: it starts the next edit.
    MSG m{};
    while (PeekMessageA(&m, g.b.hWnd, WM_CHAR, WM_CHAR, PM_REMOVE)) DispatchMessageA(&m);
    ASSERT_NE(g.editor(), nullptr);
    g.key(g.editor(), VK_RETURN);
    EXPECT_EQ(g.cell(1, 3).text(), "Z   ");  // "Open" replaced, as wide as it was
}

}  // namespace
