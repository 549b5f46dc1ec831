#include "help_files.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

TEST(HelpFiles, UsableOnlyWhenNamedAndPresent) {
    zrtest::TempDir dir;
    zrtest::PromptRecorder recorder;
    EXPECT_FALSE(wl::ISHELPFILE(""));
    const std::string missing = dir.file("zr.hlp");
    EXPECT_FALSE(wl::ISHELPFILE(missing));
    EXPECT_TRUE(wl::ISHELPFILE(dir.write("zr.chm", "x")));
    ASSERT_EQ(recorder.prompts().size(), 2u);
    EXPECT_EQ(recorder.prompts()[0].text, "No Help file defined with SetHelpFile()");
    EXPECT_EQ(recorder.prompts()[0].caption, "Attention");
    EXPECT_EQ(recorder.prompts()[1].text,
              "Help file '" + missing + "' does not exist\r\nor its name (with path) is too long");
}

TEST(HelpFiles, KindByName) {
    EXPECT_TRUE(wl::isHtmlHelpFile("c:\\zr\\ZR.CHM"));
    EXPECT_TRUE(wl::isHtmlHelpFile("zr.chm::/intro.htm"));
    EXPECT_FALSE(wl::isHtmlHelpFile("zr.hlp"));
}

TEST(HelpPopups, NumberedTopicsOfThePopupFile) {
    const std::string content = "header\r\n.Topic 1\r\nFirst text\r\n.topic 22\r\nSecond\r\n.Topic 3\r\nLast";
    EXPECT_EQ(wl::helpPopupText(content, 1), "First text");
    EXPECT_EQ(wl::helpPopupText(content, 22), "Second");
    EXPECT_EQ(wl::helpPopupText(content, 3), "Last");
    EXPECT_EQ(wl::helpPopupText(content, 2), std::nullopt);
}

TEST(HelpPopups, WithoutTheFileTheyExplainWhy) {
    zrtest::TempDir dir;
    zrtest::PromptRecorder recorder;
    wl::SETHELPPOPUP("");
    EXPECT_EQ(wl::helpPopupTopicText(1), std::nullopt);
    wl::SETHELPPOPUP(dir.file("popups.txt"));
    EXPECT_EQ(wl::helpPopupTopicText(1), std::nullopt);
    EXPECT_EQ(recorder.texts(), (std::vector<std::string>{"No Help popup file defined", "No Help popup file available"}));
    dir.write("popups.txt", ".Topic 7\r\nSeven\r\n");
    EXPECT_EQ(wl::helpPopupTopicText(7), "Seven");
    EXPECT_EQ(wl::helpPopupSettings().row, 20);
    wl::SETHELPPOPUP("");
}

}  // namespace
