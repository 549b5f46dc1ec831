// The "DBF STRUCTURE" dialog under Wine: its six columns, names refused
// and accepted, a type chosen by caption setting the length, a length
// refused beyond its limit; "OK" hands the rows back (names trimmed),
// closing without it leaves them as they were.
#include "dbf_structure_dialog.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"
#include "user_script.hpp"
#include "window.hpp"
#include "xbrowse.hpp"

namespace {

using zrtest::UserScript;

wl::TXBrowse* structureGrid(HWND dialog) {
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (auto* b = dynamic_cast<wl::TXBrowse*>(wl::OWNDFROMHWND(c))) return b;
    return nullptr;
}

void structurePress(HWND dialog, const std::string& caption) {
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

std::vector<wl::DbfStructRow> structureRows() {
    return {{"PAYER", 'C', 20, 0, 200, true}, {"AMOUNT", 'N', 12, 2, 131, true}};
}

TEST(DbfStructureDialog, EditsAreCheckedAndHandedBackOnOk) {
    std::vector<wl::DbfStructRow> rows = structureRows();
    std::vector<std::string> headers;
    UserScript script({{"DBF STRUCTURE", [&](HWND w) {
                            wl::TXBrowse* grid = structureGrid(w);
                            ASSERT_TRUE(grid);
                            wl::XBrowseModel& m = grid->model();
                            for (const auto& c : m.aCols) headers.push_back(c.cHeader);
                            m.PostEdit(m.aCols[0], wl::Value("AMOUNT"), 13);  // another field's name: refused
                            m.PostEdit(m.aCols[2], wl::Value(300), 13);       // beyond 255: refused
                            m.PostEdit(m.aCols[2], wl::Value(30), 13);
                            m.GoDown();
                            m.PostEdit(m.aCols[0], wl::Value("COPAY"), 13);
                            m.PostEdit(m.aCols[1], wl::Value("Date"), 13);  // length 8, no decimals
                            structurePress(w, "OK");
                        }}});
    ASSERT_TRUE(wl::EDITDBFSTRUCT(rows));
    EXPECT_TRUE(UserScript::done());
    EXPECT_EQ(headers, (std::vector<std::string>{"FieldName", "Type", "Len", "Dec", "ADO", "Include"}));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "PAYER");
    EXPECT_EQ(rows[0].length, 30);
    EXPECT_EQ(rows[1].name, "COPAY");
    EXPECT_EQ(rows[1].type, 'D');
    EXPECT_EQ(rows[1].length, 8);
    EXPECT_EQ(rows[1].decimals, 0);
}

TEST(DbfStructureDialog, CancelLeavesTheRowsAsTheyWere) {
    std::vector<wl::DbfStructRow> rows = structureRows();
    UserScript script({{"DBF STRUCTURE", [&](HWND w) {
                            wl::TXBrowse* grid = structureGrid(w);
                            ASSERT_TRUE(grid);
                            grid->model().PostEdit(grid->model().aCols[0], wl::Value("CLAIM"), 13);
                            structurePress(w, "Cancel");
                        }}});
    EXPECT_FALSE(wl::EDITDBFSTRUCT(rows));
    EXPECT_EQ(rows[0].name, "PAYER");
}

}  // namespace
