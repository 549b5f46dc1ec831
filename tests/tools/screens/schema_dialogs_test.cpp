// The schema generator's dialogs under Wine: a table added with fields
// chosen from a map and saved, a table edited and deleted, and the
// transaction chooser's Exit.
#include "schema_dialogs.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialog_acts.hpp"
#include "test_support.hpp"
#include "text.hpp"
#include "user_script.hpp"

namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

class SchemaDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(dir.path());
        dir.write("p.cfg", "FIELD=CLAIMNO,CLM,01\r\nFIELD=AMOUNT,CLM,02\r\n");
        dir.write("schema.ini", "[transactions]\r\n837P=p.cfg\r\n");
        ui.shown = [this](const zr::ShownDialog& s) { shown.push_back(s); };
    }
    void TearDown() override { fs::current_path(previous_); }
    zrtest::TempDir dir;
    zr::ViewerUi ui;
    std::vector<zr::ShownDialog> shown;

private:
    fs::path previous_;
};

HWND schemaEdit(HWND dialog, int n) { return zrtest::childOf(dialog, "Edit", nullptr, n); }

// Presses "Continue" of "Add Table" a moment later. The table dialog takes
// input again as soon as the field chooser ends, while the chooser's own
// loop still runs; a click posted then would be taken by that loop, before
// the chosen fields reach the table.
void CALLBACK schemaContinueLater(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (HWND w = FindWindowA(nullptr, "Add Table")) zr::pressButton(w, "Continue");
}

TEST_F(SchemaDialogs, ATableWithMapFieldsIsAddedAndSaved) {
    Texts boxes, addBoxes;
    zrtest::UserScript script({
        {"Schema Generator", [&](HWND w) {
             boxes = zrtest::childTexts(w, "Button");
             zr::pressButton(w, "Edit Schema");
         }},
        {"Schema Editor", [](HWND w) { zr::pressButton(w, "Add Table"); }},
        {"Add Table", [&](HWND w) {
             addBoxes = zrtest::childTexts(w, "Button");
             zrtest::retypeInto(schemaEdit(w, 0), "Claims");
             zrtest::retypeInto(schemaEdit(w, 1), "DBF");
             zr::pressButton(w, "Add Field");
         }},
        {"Select a Transaction Type", [](HWND w) { zr::pressButton(w, "Select"); }},
        {"Add Field to Table", [](HWND w) {
             zr::pressButton(w, "Select All");
             zr::pressButton(w, "Add Field(s)");
         }},
        {"Add Table", [](HWND) { SetTimer(nullptr, 0, 300, schemaContinueLater); }},
        {"Schema Editor", [](HWND w) { zr::pressButton(w, "Exit"); }},
        {"Schema Generator", [](HWND w) { zr::pressButton(w, "Exit"); }},
    });
    zr::CTLD50900(dir.file("schema.ini"), ui);
    EXPECT_TRUE(zrtest::UserScript::done());
    ASSERT_GE(boxes.size(), 12u);
    EXPECT_EQ(boxes[0], "837I Institutional Claims");
    EXPECT_EQ(boxes[1], "837P Professional Claims : Map=p.cfg");
    EXPECT_EQ(boxes[4], "276 Claim Status Inquiry");
    EXPECT_EQ(addBoxes.front(), "837P Professional Claims");
    const zr::SchemaTables tables = zr::schemaTables(dir.file("schema.ini"));
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0], (zr::SchemaRow{"Claims", "837P", "DBF", "", "", "", "", "CLAIMNO\r\nAMOUNT\r\n"}));
    const std::string text = zrtest::readBytes(dir.file("schema.ini"));
    EXPECT_EQ(text.rfind("************************** Transaction List\r\n[transactions]\r\n837P=p.cfg\r\n"
                         "************************** Database 1\r\n[database]\r\nTABLE=Claims",
                         0),
              0u);
    EXPECT_NE(text.find("DIRECTORY="), std::string::npos);
    EXPECT_EQ(text.find("PASSWORD="), std::string::npos);
}

TEST_F(SchemaDialogs, EditingUpdatesAndDeletingTheOnlyTableLeavesAnEmptyRow) {
    zr::SchemaFlags flags{};
    flags[1] = true;
    zr::SchemaMaps maps;
    maps[1] = "p.cfg";
    const zr::SchemaTables one = {{"Old", "837P", "SQL", "ds", "srv", "u", "p", "F\r\n"}};
    zrtest::PromptRecorder prompts;
    zrtest::UserScript script({
        {"Edit Table", [](HWND w) {
             zrtest::retypeInto(schemaEdit(w, 0), "New");
             zr::pressButton(w, "Update");
         }},
        {"Edit Table", [](HWND w) { zr::pressButton(w, "Delete"); }},
    });
    const zr::SchemaTables updated = zr::CTLD50900E({"837P"}, 1, zr::TableDialogMode::Edit, "", one, flags, maps,
                                                    zr::schemaLabels(), ui);
    ASSERT_EQ(updated.size(), 1u);
    EXPECT_EQ(wl::rtrim(updated[0][zr::kTableName]), "New");  // the field's blanks stay until read back
    EXPECT_EQ(wl::rtrim(updated[0][zr::kDriver]), "SQL");
    EXPECT_EQ(updated[0][zr::kFieldNames], "F\r\n");
    EXPECT_EQ(zr::CTLD50900E({"837P"}, 1, zr::TableDialogMode::Edit, "", updated, flags, maps, zr::schemaLabels(),
                             ui),
              zr::SchemaTables(1));
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_TRUE(prompts.prompts().empty());  // the only table: no message
}

TEST_F(SchemaDialogs, TransactionChooserListsTheCodesAndExitChoosesNone) {
    zrtest::UserScript script({
        {"Select a Transaction Type", [](HWND w) { zr::pressButton(w, "Exit"); }},
    });
    EXPECT_EQ(zr::CTLD50900P({"837P", "835"}, ui), "");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].lines, (Texts{"837P", "835"}));
}

}  // namespace
