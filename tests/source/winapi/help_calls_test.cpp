#include "help_calls.hpp"
#include "help_keys.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

TEST(Help, WithoutAHelpFileEveryEntrySaysSo) {
    zrtest::PromptRecorder recorder;
    wl::SETHELPFILE("");
    wl::HELPTOPIC(wl::Value("intro"));
    wl::HELPINDEX();
    wl::HELPSEARCH("claims");
    ASSERT_EQ(recorder.prompts().size(), 3u);
    for (const auto& p : recorder.prompts()) EXPECT_EQ(p.text, "No Help file defined with SetHelpFile()");
    wl::removeHelpKeyHook();
}

TEST(Help, HtmlHelpFilesAreNotSentToWindowsHelp) {
    EXPECT_FALSE(wl::WINHELP("c:\\zr\\zr.chm"));
}

TEST(Help, HtmlPopupWithoutPopupFileSaysSo) {
    zrtest::PromptRecorder recorder;
    wl::SETHELPFILE("zr.chm");
    wl::SETHELPPOPUP("");
    wl::HELPPOPUP(wl::Value(3));
    wl::SETHELPFILE("");
    wl::removeHelpKeyHook();
    EXPECT_EQ(recorder.texts(), (std::vector<std::string>{"No Help popup file defined"}));
}

TEST(Help, EngineLoadsByNameAndIsFreed) {
    // Closing all help windows needs no help file.
    ASSERT_EQ(GetModuleHandleA("hhctrl.ocx"), nullptr);
    wl::HTML_HELP(nullptr, "", 0x0012 /* HH_CLOSE_ALL */, 0);
    EXPECT_NE(GetModuleHandleA("hhctrl.ocx"), nullptr);  // loaded by name at first use
    wl::FREEHTMLDLL();
    EXPECT_EQ(GetModuleHandleA("hhctrl.ocx"), nullptr);
    wl::FREEHTMLDLL();  // a second free does nothing
    EXPECT_EQ(GetModuleHandleA("hhctrl.ocx"), nullptr);
}

}  // namespace
