#include "library_texts.hpp"

#include <gtest/gtest.h>

#include <string>

#include "test_support.hpp"

namespace {

class LibraryTexts : public testing::Test {
protected:
    void SetUp() override { wl::resetLibraryTexts(); }
    void TearDown() override { wl::resetLibraryTexts(); }
};

TEST_F(LibraryTexts, EnglishIsTheIdentityAndNeverReports) {
    zrtest::PromptRecorder recorder;
    EXPECT_EQ(wl::LANGUAGEID(), 1);
    EXPECT_EQ(wl::WLSTRING("Print"), "Print");
    EXPECT_EQ(wl::WLSTRING("no such library text"), "no such library text");
    EXPECT_TRUE(recorder.prompts().empty());
    EXPECT_EQ(wl::WLMISSINGSTRINGS(), "");
}

TEST_F(LibraryTexts, SpanishLooksUpWithoutCaseAndAroundAmpersands) {
    zrtest::PromptRecorder recorder;
    EXPECT_EQ(wl::WLSETLANGUAGE(2), 1);
    EXPECT_EQ(wl::WLSTRING("&Print"), "&Imprimir");
    EXPECT_EQ(wl::WLSTRING("attention"), "Atenci\xF3n");
    EXPECT_EQ(wl::WLSTRING("Two pages"), "Dos p\xE1ginas");
    EXPECT_EQ(wl::WLSTRING("Cascade"), "Cascade");  // a row without that column
    EXPECT_TRUE(recorder.prompts().empty());
    EXPECT_EQ(wl::WLSETLANGUAGE(99), 2);
    EXPECT_EQ(wl::LANGUAGEID(), 6);  // kept within the first row's columns
    EXPECT_EQ(wl::WLSTRING("NON DELETED"), "NON CANCELLATO");
}

TEST_F(LibraryTexts, MissingTextIsReportedRememberedAndAnsweredUnchanged) {
    zrtest::PromptRecorder recorder;
    wl::WLSETLANGUAGE(5);
    EXPECT_EQ(wl::WLSTRING("Frobnicate"), "Frobnicate");
    ASSERT_EQ(recorder.prompts().size(), 1u);
    const std::string& text = recorder.prompts()[0].text;
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "Der Text: \"Frobnicate\" f\xFCr die Sprache DE");
    EXPECT_NE(text.find("library_texts_test.cpp"), std::string::npos);  // the caller's file
    EXPECT_NE(text.find("\r\nPlease add it to source\\function\\strings"), std::string::npos);

    const std::string lines = wl::WLMISSINGSTRINGS();
    EXPECT_EQ(lines, "       {\"Frobnicate\",\"\"},;\r\n");
    ASSERT_EQ(recorder.prompts().size(), 2u);
    EXPECT_EQ(recorder.prompts()[1].caption, "Copy and paste in source\\function\\strings");
}

TEST_F(LibraryTexts, AddedLanguagesAndRows) {
    zrtest::PromptRecorder recorder;
    const int n = wl::WLADDLANGUAGE({"Aandacht"});
    EXPECT_EQ(n, 7);
    EXPECT_EQ(wl::LANGUAGEID(), 7);
    EXPECT_EQ(wl::WLSTRING("Attention"), "Aandacht");
    EXPECT_EQ(wl::WLSTRING("Exit"), "Exit");  // no text given for that row
    wl::WLADDSTRING({"Claim", "", "", "", "", "", "Declaratie"});
    EXPECT_EQ(wl::WLSTRING("claim"), "Declaratie");
    EXPECT_TRUE(recorder.prompts().empty());
}

}  // namespace
