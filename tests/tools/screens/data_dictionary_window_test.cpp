// The "Data Dictionary" window under Wine, over a scratch folder's own
// profile file: a first table created, its field table built, a map
// imported through the table dialog's "Import Map", a field shown, edited
// and added through the field dialog, and the field dialog's refusals.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "data_dictionary_window.hpp"
#include "dialog_acts.hpp"
#include "paths.hpp"
#include "profile_files.hpp"
#include "test_support.hpp"
#include "user_script.hpp"

namespace {

using Texts = std::vector<std::string>;

// The texts of an item list (a tree's roots or an item's children).
Texts dictionaryTexts(const std::vector<std::unique_ptr<wl::TTVItem>>& items) {
    Texts texts;
    for (const auto& item : items) texts.push_back(item->cPrompt);
    return texts;
}

// The item of a tree with that text, depth first; null when none.
const wl::TTVItem* dictionaryItem(const std::vector<std::unique_ptr<wl::TTVItem>>& items, const std::string& text) {
    for (const auto& item : items) {
        if (item->cPrompt == text) return item.get();
        if (const wl::TTVItem* found = dictionaryItem(item->aItems, text)) return found;
    }
    return nullptr;
}

// The handle of the tree-view item with that text in a dialog's tree.
HTREEITEM dictionaryDialogItem(HWND tree, HTREEITEM item, const std::string& text) {
    for (; item; item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT,
                                                                 reinterpret_cast<LPARAM>(item)))) {
        char buffer[128] = {};
        TVITEMA tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = buffer;
        tv.cchTextMax = sizeof buffer;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        if (text == buffer) return item;
        const auto child = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        if (HTREEITEM found = dictionaryDialogItem(tree, child, text)) return found;
    }
    return nullptr;
}

// Selects the entry of the table dialog's "Additional Functions" tree, as
// a click on it does.
void selectAdditionalFunction(HWND dialog, const std::string& text) {
    HWND tree = zrtest::childOf(dialog, WC_TREEVIEWA);
    const auto root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(dictionaryDialogItem(tree, root, text)));
}

HWND dictionaryEdit(HWND dialog, int n) { return zrtest::childOf(dialog, "Edit", nullptr, n); }

class DataDictionaryWindow : public ::testing::Test {
protected:
    void SetUp() override {
        char here[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, here);
        before_ = here;
        SetCurrentDirectoryA(dir.path().c_str());
    }
    void TearDown() override { SetCurrentDirectoryA(before_.c_str()); }
    zrtest::TempDir dir;
    std::string before_;
};

TEST_F(DataDictionaryWindow, ATableIsCreatedBuiltFilledFromAMapAndItsFieldsEdited) {
    std::vector<zr::ShownDialog> shown;
    zr::ViewerUi ui;
    ui.shown = [&](const zr::ShownDialog& s) { shown.push_back(s); };
    zr::DataDictionaryWindow dictionary(dir.path(), zr::systemDictionaryProfile(), ui);
    ASSERT_TRUE(IsWindow(dictionary.window().hWnd));
    EXPECT_EQ(zrtest::textOf(dictionary.window().hWnd), "Data Dictionary");
    const auto& left = dictionary.left().aItems;
    ASSERT_EQ(dictionaryTexts(left), (Texts{"Primary Table"}));
    EXPECT_EQ(dictionaryTexts(left[0]->aItems), (Texts{"Create a Primary Table", "Options"}));
    EXPECT_TRUE(left[0]->IsExpanded());
    EXPECT_EQ(dictionaryTexts(dictionary.right().aItems), (Texts{""}));

    // The first table, under its default name.
    {
        zrtest::UserScript script({{"Create a Primary Table", [](HWND w) { zr::pressButton(w, "Create Table"); }}});
        dictionary.choose("Create a Primary Table", zr::DictionaryTree::Left);
        EXPECT_TRUE(zrtest::UserScript::done());
    }
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].lines, (Texts{"Data_Dictionary", "Data_Dictionary", "Create a Primary Table A"}));
    EXPECT_EQ(wl::GETPVPROFSTRING("Tables", "1", "", zr::kDictionaryProfile), "Data_Dictionary");
    EXPECT_EQ(wl::GETPVPROFSTRING("Data_Dictionary", "File Name", "", zr::kDictionaryProfile), "Data_Dictionary");
    EXPECT_EQ(dictionaryTexts(left[0]->aItems), (Texts{"Data_Dictionary", "Options"}));
    EXPECT_EQ(dictionaryTexts(left[0]->aItems[0]->aItems), (Texts{"Build Table for Data_Dictionary"}));

    dictionary.choose("Build Table for Data_Dictionary", zr::DictionaryTree::Left);
    EXPECT_TRUE(wl::fileExists(dir.file("Data_Dictionary.dbf")));
    EXPECT_EQ(dictionaryTexts(left[0]->aItems[0]->aItems),
              (Texts{"Available Fields (0)", "Add Field to Data_Dictionary"}));

    // The table dialog's "Import Map", then "Exit".
    const std::string map = dir.write("p.cfg", "FIELD=CLAIMID,38,CLM,,,1\nFIELD=PAYER,60,NM1,PR,2,3,,,,,,Payer\n");
    {
        zrtest::PromptRecorder prompts;
        prompts.answerNext(true);
        prompts.answerFile(map);
        zrtest::UserScript script({{"Data_Dictionary", [](HWND w) {
                                        selectAdditionalFunction(w, "Import Map");
                                        zr::pressButton(w, "Exit");
                                    }}});
        dictionary.choose("Data_Dictionary", zr::DictionaryTree::Left);
        EXPECT_TRUE(zrtest::UserScript::done());
        EXPECT_EQ(prompts.texts(), (Texts{"Import Map?", "*.cfg"}));
    }
    EXPECT_EQ(dictionaryTexts(left[0]->aItems[0]->aItems[0]->aItems),
              (Texts{"(1-Data_Dictionary) CLAIMID", "(2-Data_Dictionary) PAYER"}));

    // A field chosen on the left heads the right tree.
    dictionary.choose("(2-Data_Dictionary) PAYER", zr::DictionaryTree::Left);
    const auto& right = dictionary.right().aItems;
    ASSERT_EQ(dictionaryTexts(right), (Texts{"(2-Data_Dictionary) PAYER"}));
    EXPECT_EQ(dictionaryTexts(right[0]->aItems),
              (Texts{"Field Name", "Field Description", "Field Width", "Segment", "Segment Qualifier",
                     "Segment Qulaifier Position", "Element Position"}));

    // Chosen on the right, it opens in the field dialog.
    {
        zrtest::UserScript script({{"Edit Field in Data_Dictionary", [](HWND w) {
                                        zrtest::retypeInto(dictionaryEdit(w, 2), "The payer's name");
                                        zr::pressButton(w, "Update");
                                    }}});
        dictionary.choose("(2-Data_Dictionary) PAYER", zr::DictionaryTree::Right);
        EXPECT_TRUE(zrtest::UserScript::done());
    }
    const wl::TTVItem* description = dictionaryItem(right, "Field Description");
    ASSERT_TRUE(description);
    EXPECT_EQ(dictionaryTexts(description->aItems), (Texts{"The payer's name"}));

    // A field added by hand; a blank name is refused first.
    {
        zrtest::PromptRecorder prompts;
        zrtest::UserScript script({{"Add Field", [](HWND w) { zr::pressButton(w, "Add"); }},
                                   {"Add Field", [](HWND w) {
                                        zrtest::retypeInto(dictionaryEdit(w, 0), "AMOUNT");
                                        zr::pressButton(w, "Add");
                                    }}});
        dictionary.choose("Add Field to Data_Dictionary", zr::DictionaryTree::Left);
        EXPECT_TRUE(zrtest::UserScript::done());
        EXPECT_EQ(prompts.texts(), (Texts{"Can't add Blank Field Name"}));
    }
    EXPECT_NE(dictionaryItem(left, "(3-Data_Dictionary) AMOUNT"), nullptr);
    EXPECT_NE(dictionaryItem(left, "Available Fields (3)"), nullptr);
}

TEST_F(DataDictionaryWindow, FieldDialogRefusesAMissingTableOrARecordOfAnotherName) {
    ASSERT_TRUE(zr::CTLD51300G(dir.path(), "T"));
    zrtest::PromptRecorder prompts;
    zr::CTLD51303(dir.path(), "None", zr::FieldWrite::Append);
    zr::CTLD51303(dir.path(), "(1-T) NAME", zr::FieldWrite::Rewrite);
    zr::CTLD51303(dir.path(), "(1-None) NAME", zr::FieldWrite::Rewrite);
    EXPECT_EQ(prompts.texts(), (Texts{"Cant find " + dir.file("None.dbf"), "Error db#xfld",
                                      "Error Can't find " + dir.file("None.dbf")}));
}

TEST_F(DataDictionaryWindow, OptionsShowsADialogWithExitAlone) {
    std::vector<zr::ShownDialog> shown;
    zr::ViewerUi ui;
    ui.shown = [&](const zr::ShownDialog& s) { shown.push_back(s); };
    Texts buttons;
    zrtest::UserScript script({{"Options", [&](HWND w) {
                                    buttons = zrtest::childTexts(w, "Button");
                                    zr::pressButton(w, "Exit");
                                }}});
    zr::DataDictionaryWindow dictionary(dir.path(), zr::systemDictionaryProfile(), ui);
    dictionary.choose("Options", zr::DictionaryTree::Left);
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_EQ(buttons, (Texts{"Exit"}));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Options");
}

}  // namespace
