// The generic browse dialog driven by a scripted user: keys and typed seek
// text move the browse, Enter selects, the buttons close it, and an
// unopenable file name is shown as the only cell.
#include "xbrowse_dialog.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"
#include "user_script.hpp"

namespace {

using namespace wl;

ValueList xbdClaims() {
    return {Value(ValueList{"C10", "AETNA", 10}), Value(ValueList{"C20", "CIGNA", 20}),
            Value(ValueList{"C30", "HUMANA", 30}), Value(ValueList{"C40", "KAISER", 40})};
}

HWND xbdChild(HWND dlg, const char* cls, const char* text = nullptr) { return FindWindowExA(dlg, nullptr, cls, text); }

TEST(XBrowseDialog, TypedSeekAndEnterSelectTheRow) {
    std::string picked, column, seekShown;
    bool wildOn = false;
    zrtest::UserScript script({{"Claims", [&](HWND dlg) {
                                    HWND b = xbdChild(dlg, "TXBROWSE");
                                    ASSERT_NE(b, nullptr);
                                    EXPECT_EQ(GetFocus(), b);
                                    SendMessageA(b, WM_KEYDOWN, VK_DOWN, 0);
                                    for (char ch : std::string("c3")) SendMessageA(b, WM_CHAR, WPARAM(ch), 0);
                                    char text[64] = {};
                                    GetWindowTextA(xbdChild(dlg, "Static", "c3") ? xbdChild(dlg, "Static", "c3") : b, text,
                                                   sizeof text);
                                    seekShown = text;
                                    HWND wild = xbdChild(dlg, "Button", "WildSeek");
                                    ASSERT_NE(wild, nullptr);
                                    SendMessageA(wild, BM_CLICK, 0, 0);
                                    wildOn = SendMessageA(wild, BM_GETCHECK, 0, 0) == BST_CHECKED;
                                    SendMessageA(b, WM_CHAR, VK_RETURN, 0);
                                }}});
    XBrowseArgs a;
    a.uData = Value(xbdClaims());
    a.cTitle = "Claims";
    a.lAutoSearch = true;
    a.bSelect = [&](TXBrowse& brw, TXBrwColumn* col) {
        picked = brw.model().aCols[0].GetValue().text();
        column = col ? col->cHeader : "";
    };
    XBROWSE(a);
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_EQ(picked, "C30");
    EXPECT_EQ(column, "A");
    EXPECT_EQ(seekShown, "c3");
    EXPECT_TRUE(wildOn);
}

TEST(XBrowseDialog, CloseEndsItAndAFileThatDoesNotOpenIsTheOnlyCell) {
    std::string cell;
    int rows = -1;
    bool hasExcel = false, hasSelect = true;
    zrtest::UserScript script({{"Missing", [&](HWND dlg) {
                                    hasExcel = xbdChild(dlg, "Button", "Excel") != nullptr;
                                    hasSelect = xbdChild(dlg, "Button", "Select") != nullptr;
                                    HWND close = xbdChild(dlg, "Button", "Close");
                                    ASSERT_NE(close, nullptr);
                                    EXPECT_EQ(GetWindowLongA(close, GWL_STYLE) & WS_TABSTOP, 0);
                                    SendMessageA(close, BM_CLICK, 0, 0);
                                }}});
    XBrowseArgs a;
    a.uData = Value("no-such-table.dbf");
    a.cTitle = "Missing";
    a.bSetUp = [&](TXBrowse& brw) {
        rows = brw.model().nLen;
        brw.model().GoTop();
        cell = brw.model().aCols[0].GetValue().text();
    };
    XBROWSE(a);
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(cell, "no-such-table.dbf");
    EXPECT_TRUE(hasExcel);
    EXPECT_FALSE(hasSelect);
}

TEST(XBrowseDialog, ExportAnswersThatNoSpreadsheetIsInstalled) {
    zrtest::PromptRecorder prompts;
    zrtest::UserScript script({{"Export", [&](HWND dlg) {
                                    SendMessageA(xbdChild(dlg, "Button", "Calc"), BM_CLICK, 0, 0);
                                    SendMessageA(xbdChild(dlg, "Button", "Close"), BM_CLICK, 0, 0);
                                }}});
    XBrowseArgs a;
    a.uData = Value(xbdClaims());
    a.cTitle = "Export";
    a.lExcel = false;
    XBROWSE(a);
    ASSERT_EQ(prompts.texts().size(), 1u);
    EXPECT_EQ(prompts.texts()[0], "No spreadsheet software installed");
}

TEST(XBrowseDialog, ToDbfOffersTheStructureForEditingAndThenTheNewTable) {
    zrtest::TempDir dir;
    const std::string path = dir.file("CLAIMS.DBF");
    TXBrowse source;
    source.model().SetArray(xbdClaims());
    source.model().aCols[0].cHeader = "Claim";
    zrtest::PromptRecorder prompts;
    prompts.answerNext(true);  // View it
    bool viewed = false;
    zrtest::UserScript script({{path + ":STRUCTURE",
                                [&](HWND dlg) {
                                    HWND b = xbdChild(dlg, "TXBROWSE");
                                    ASSERT_NE(b, nullptr);
                                    // Typing starts an edit of the first name.
                                    SendMessageA(b, WM_CHAR, 'x', 0);
                                    HWND edit = GetFocus();
                                    for (char ch : std::string("id")) SendMessageA(edit, WM_CHAR, WPARAM(ch), 0);
                                    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
                                    SendMessageA(xbdChild(dlg, "Button", "Close"), BM_CLICK, 0, 0);
                                }},
                               {path, [&](HWND dlg) {
                                    viewed = true;
                                    SendMessageA(xbdChild(dlg, "Button", "Close"), BM_CLICK, 0, 0);
                                }}});
    EXPECT_EQ(source.ToDbf(path, true), "");
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_TRUE(viewed);
    EXPECT_EQ(dbfAreaOf("CLAI"), nullptr);  // the table viewed is closed again
    ASSERT_EQ(prompts.texts().size(), 1u);
    EXPECT_EQ(prompts.texts()[0], "View " + path + " ?");
    auto table = DbfFile::open(path);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->fields()[0].name, "XID");  // typed in upper case through "@!"
    EXPECT_EQ(table->recordCount(), 4u);
}

}  // namespace
