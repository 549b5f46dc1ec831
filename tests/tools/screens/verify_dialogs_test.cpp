// The map verify tool under Wine: the source-type dialog, and a run whose
// first file choice is cancelled.
#include "verify_dialogs.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialog_acts.hpp"
#include "test_support.hpp"
#include "user_script.hpp"
#include "viewer_dialog.hpp"

namespace {

TEST(VerifyDialogs, TheSourceTypeDialogOffersFourTypes) {
    std::vector<std::string> buttons;
    zrtest::UserScript script({
        {"Set Source File Type",
         [&](HWND w) {
             buttons = zrtest::childTexts(w, "Button");
             zr::pressButton(w, "837D");
         }},
        {"Set Source File Type", [](HWND w) { PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    });
    EXPECT_EQ(zr::CTL48600Y(), "837D");
    EXPECT_EQ(zr::CTL48600Y(), "");
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_EQ(buttons, (std::vector<std::string>{"837I", "837P", "837D", "835"}));
}

TEST(VerifyDialogs, ACancelledChoiceStillWritesTheReport) {
    namespace fs = std::filesystem;
    zrtest::TempDir dir;
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path());
    {
        zrtest::PromptRecorder prompts;
        zr::CTL48600V();
        ASSERT_EQ(prompts.prompts().size(), 1u);
        EXPECT_EQ(prompts.prompts()[0].caption, "Select a map file you wish to verify.");
    }
    const std::string log = zrtest::readBytes(dir.file("verify.log"));
    fs::current_path(previous);
    EXPECT_EQ(log.rfind("Verify Log\r\nDate:", 0), 0u);
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 3);
}

}  // namespace
