// The mapping tool under Wine: the folder's maps listed, one reviewed with
// the description of the field row under the cursor, Notepad started on a
// name with a blank, and the list read again after the generator.
#include "mapping_tool_window.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialog_acts.hpp"
#include "test_support.hpp"
#include "user_script.hpp"
#include "viewer_dialog.hpp"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> mappingToolLabels(HWND dialog) { return zrtest::childTexts(dialog, "Static"); }

bool mappingToolShows(HWND dialog, const std::string& text) {
    for (const std::string& t : mappingToolLabels(dialog))
        if (t == text) return true;
    return false;
}

// Notepad's main window showing the file, waited for up to fifteen seconds.
HWND mappingToolNotepad(const std::string& fileName) {
    for (int i = 0; i < 750; ++i) {
        for (HWND h = FindWindowExA(nullptr, nullptr, "Notepad", nullptr); h;
             h = FindWindowExA(nullptr, h, "Notepad", nullptr))
            if (zrtest::textOf(h).find(fileName) != std::string::npos) return h;
        Sleep(20);
    }
    return nullptr;
}

class MappingToolWindow : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = dir.file("map folder");
        fs::create_directory(folder_);
        previous_ = fs::current_path();
        fs::current_path(folder_);
    }
    void TearDown() override { fs::current_path(previous_); }
    zrtest::TempDir dir;

private:
    std::string folder_;
    fs::path previous_;
};

TEST_F(MappingToolWindow, ReviewsAMapDescribesItsRowsAndOpensItInNotepad) {
    const std::string map = "X12TRANSACTIONTYPE=837P\r\nFIELD=CLAIMID,38,CLM,,,1\r\nFIELD=LAST,1,X,,,1";
    dir.write("map folder/one map.cfg", map);
    dir.write("map folder/notes.txt", "not a map");
    bool reviewed = false, described = false;
    zrtest::UserScript script({
        {"Parser Mapping Tool", [](HWND w) { zr::pressButton(w, "Review"); }},
        {"Parser Mapping Tool",
         [&](HWND w) {
             // The last line has no line break: left out, and said so.
             reviewed = mappingToolShows(
                 w, "Selected File : one map.cfg  (The last line has no line break and is not listed.)");
             HWND rows = zrtest::childOf(w, "TWBROWSE", nullptr, 1);
             ASSERT_NE(rows, nullptr);
             SendMessageA(rows, WM_KEYDOWN, VK_DOWN, 0);
             described = mappingToolShows(w, "Field Name \r\n  CLAIMID\r\nWidth : 38\r\nSegment Type : CLM\r\n"
                                             "Element Position : 1\r\n");
             zr::pressButton(w, "Notepad");
         }},
    });
    zr::CTLD48600("", "X12N");
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_TRUE(reviewed);
    EXPECT_TRUE(described);
    // Wine's own Notepad, on the name with its blank whole.
    HWND notepad = mappingToolNotepad("one map.cfg");
    ASSERT_NE(notepad, nullptr);
    HWND edit = zrtest::childOf(notepad, "Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(zrtest::textOf(edit), map);
    PostMessageA(notepad, WM_CLOSE, 0, 0);
    EXPECT_TRUE(zrtest::waitGone(notepad));
}

TEST_F(MappingToolWindow, AnEmptyFolderSelectsNothingAndGenerateReadsTheListAgain) {
    std::string started, asked;
    bool nothingSelected = false, generated = false;
    zr::MappingToolHooks hooks;
    hooks.start = [&started](const std::string& command) { started = command; };
    hooks.generate = [&](const std::string&, const std::string& current, const std::string& kind) {
        asked = current + "|" + kind;
        dir.write("map folder/837p.cfg", "FIELD=CLAIMID,38,CLM,,,1\r\n");
        return std::string("837p.cfg");
    };
    zrtest::UserScript script({
        {"Parser Mapping Tool", [](HWND w) { zr::pressButton(w, "Review"); }},
        {"Parser Mapping Tool",
         [&](HWND w) {
             nothingSelected = true;
             for (const std::string& t : mappingToolLabels(w))
                 if (t.rfind("Selected File", 0) == 0) nothingSelected = false;
             zr::pressButton(w, "Generate");
         }},
        {"Parser Mapping Tool",
         [&](HWND w) {
             generated = mappingToolShows(w, "Selected File : 837p.cfg");
             zr::pressButton(w, "Review");
         }},
        {"Parser Mapping Tool", [](HWND w) { zr::pressButton(w, "Exit"); }},
    });
    zr::CTLD48600("", "X12M", hooks);
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_TRUE(nothingSelected);
    EXPECT_TRUE(generated);
    // The kind is X12N whatever the caller passed.
    EXPECT_EQ(asked, "|X12N");
    EXPECT_EQ(started, "");
}

}  // namespace
