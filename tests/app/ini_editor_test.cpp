// The "ZR.INI Editor"'s file and its replacement question, answered through
// the prompt hook.
#include "ini_editor.hpp"

#include <gtest/gtest.h>

#include "paths.hpp"
#include "test_support.hpp"

namespace {

TEST(IniEditor, EditsZrIniOfTheCurrentFolder) {
    EXPECT_EQ(zr::iniEditorFile("C:\\work"), wl::joinPath("C:\\work", "zr.ini"));
}

TEST(IniEditor, ReplacementTakesTheChosenFileOnlyAfterYes) {
    zrtest::TempDir dir;
    const std::string other = dir.write("other.ini", "[X12]\r\nFILEMASK=*.edi\r\n");
    struct Case {
        bool yes;
        std::string file;  // "" cancels the file dialog
        std::string result;
    };
    const Case cases[] = {
        {true, other, "[X12]\r\nFILEMASK=*.edi\r\n"},
        {false, other, "current"},
        {true, "", "current"},
        {true, dir.file("missing.ini"), "current"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + (c.yes ? " yes" : " no"));
        zrtest::PromptRecorder prompts;
        prompts.answerNext(c.yes);
        prompts.answerFile(c.file);
        EXPECT_EQ(zr::CTLD28100A("current"), c.result);
        ASSERT_FALSE(prompts.prompts().empty());
        EXPECT_EQ(prompts.prompts()[0].text, "Replace current initialization file");
        EXPECT_EQ(prompts.prompts()[0].caption, "WARNING ");
        if (c.yes) {
            ASSERT_EQ(prompts.prompts().size(), 2u);
            EXPECT_EQ(prompts.prompts()[1].kind, wl::PromptKind::File);
            EXPECT_EQ(prompts.prompts()[1].caption, "Select initialization file to use.");
        } else {
            EXPECT_EQ(prompts.prompts().size(), 1u);
        }
    }
}

}  // namespace
