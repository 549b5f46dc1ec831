// The "EDIT" dialog under Wine: a value typed into the grid reaches the
// row and turns "&Close" into "Cancel"; "&Save" writes it to the caller's
// list; closing with changes asks "Exit without save?"; a read-only row
// has no Undo or Save button.
#include "data_row_dialog.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"
#include "user_script.hpp"
#include "window.hpp"
#include "xbrowse.hpp"

namespace {

using zrtest::UserScript;

// The dialog's grid browse.
wl::TXBrowse* dataRowDialogGrid(HWND dialog) {
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (auto* b = dynamic_cast<wl::TXBrowse*>(wl::OWNDFROMHWND(c))) return b;
    return nullptr;
}

std::string dataRowButtonText(HWND dialog, int index) {
    int seen = 0;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(c, cls, sizeof cls);
        if (std::string(cls) != "Button") continue;
        if (seen++ == index) {
            char text[64] = {};
            GetWindowTextA(c, text, sizeof text);
            return text;
        }
    }
    return "";
}

void dataRowPress(HWND dialog, const std::string& caption) {
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char text[64] = {};
        GetWindowTextA(c, text, sizeof text);
        if (caption == text) {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), BN_CLICKED), reinterpret_cast<LPARAM>(c));
            return;
        }
    }
    ADD_FAILURE() << "no button " << caption;
}

TEST(DataRowDialog, ATypedValueIsSavedIntoTheRowsList) {
    wl::TDataBaseRow pairs{{"Claim", wl::Value("C1"), true, ""}, {"Charge", wl::Value(12.5), true, ""}};
    wl::TDataRow row(pairs);
    zrtest::PromptRecorder prompts(true);
    std::string closeBefore, closeAfter, closeSaved;
    UserScript script({{"EDIT", [&](HWND w) {
                            wl::TXBrowse* grid = dataRowDialogGrid(w);
                            ASSERT_TRUE(grid);
                            EXPECT_EQ(grid->model().aCols[0].cHeader, "Field");
                            EXPECT_EQ(grid->model().aCols[1].cHeader, "Value");
                            closeBefore = dataRowButtonText(w, 0);
                            grid->model().GoDown();  // Charge
                            grid->model().PostEdit(grid->model().aCols[1], wl::Value("40.75"), 13);
                            closeAfter = dataRowButtonText(w, 0);
                            dataRowPress(w, "&Save");
                            closeSaved = dataRowButtonText(w, 0);
                            dataRowPress(w, "Close");
                        }}});
    EXPECT_TRUE(wl::EditDataRow(row));
    EXPECT_TRUE(UserScript::done());
    EXPECT_EQ(closeBefore, "Close");
    EXPECT_EQ(closeAfter, "Cancel");
    EXPECT_EQ(closeSaved, "Close");
    EXPECT_EQ(pairs[1].value.number(), 40.75);
    EXPECT_TRUE(prompts.prompts().empty());  // saved: no question on closing
}

TEST(DataRowDialog, ClosingWithChangesAsksAndReadOnlyRowsHaveNoSave) {
    wl::TDataBaseRow pairs{{"Claim", wl::Value("C1"), true, ""}};
    wl::TDataRow row(pairs);
    zrtest::PromptRecorder prompts(false);
    prompts.answerNext(false);
    prompts.answerNext(true);
    UserScript script({{"EDIT", [&](HWND w) {
                            wl::TXBrowse* grid = dataRowDialogGrid(w);
                            ASSERT_TRUE(grid);
                            grid->model().PostEdit(grid->model().aCols[1], wl::Value("C9"), 13);
                            dataRowPress(w, "Cancel");  // answered No: stays open
                            EXPECT_TRUE(IsWindow(w));
                            dataRowPress(w, "Cancel");  // answered Yes
                        }}});
    EXPECT_FALSE(wl::EditDataRow(row));
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{"Exit without save?", "Exit without save?"}));
    EXPECT_EQ(pairs[0].value.text(), "C9");  // the list is edited in place; nothing else was written

    wl::TDataBaseRow other{{"Claim", wl::Value("C1"), true, ""}};
    wl::TDataRow readOnlyRow(other);
    std::vector<std::string> buttons;
    UserScript readOnlyScript({{"EDIT", [&](HWND w) {
                                    for (int i = 0; i < 3; ++i) buttons.push_back(dataRowButtonText(w, i));
                                    dataRowPress(w, "Close");
                                }}});
    EXPECT_FALSE(wl::EditDataRow(readOnlyRow, true));
    EXPECT_EQ(buttons, (std::vector<std::string>{"Close", "", ""}));
}

TEST(DataRowDialog, TheDialogFitsItsRows) {
    wl::TDataBaseRow pairs{{"Claim", wl::Value("C1"), true, ""}, {"Charge", wl::Value(12.5), true, ""}};
    wl::TDataRow row(pairs);
    RECT dialog{}, grid{}, close{}, save{};
    HWND focus = nullptr, gridWindow = nullptr;
    UserScript script({{"EDIT", [&](HWND w) {
                            wl::TXBrowse* b = dataRowDialogGrid(w);
                            ASSERT_TRUE(b);
                            gridWindow = b->hWnd;
                            focus = GetFocus();
                            GetWindowRect(w, &dialog);
                            GetWindowRect(b->hWnd, &grid);
                            for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                                char text[32] = {};
                                GetWindowTextA(c, text, sizeof text);
                                if (std::string(text) == "Close") GetWindowRect(c, &close);
                                if (std::string(text) == "&Save") GetWindowRect(c, &save);
                            }
                            dataRowPress(w, "Close");
                        }}});
    wl::EditDataRow(row);
    ASSERT_TRUE(UserScript::done());
    EXPECT_LT(dialog.bottom - dialog.top, 600);  // two rows need less than the first height
    EXPECT_LT(dialog.right - dialog.left, 900);
    EXPECT_GE(grid.right - grid.left, 300);
    EXPECT_EQ(close.left, grid.right - 80);  // the last button from the browse's right
    EXPECT_EQ(save.left, close.left - 86);
    EXPECT_GT(close.top, grid.bottom);
    EXPECT_LT(close.bottom, dialog.bottom);
    EXPECT_EQ(focus, gridWindow);
}

}  // namespace
