// The HL7 viewer under Wine: a file's delimiters and lines, a chosen line's
// fields in the segment dialog, and a file that is not HL7.
#include "hl7_viewer.hpp"

#include <gtest/gtest.h>

#include "dialog_acts.hpp"
#include "test_support.hpp"
#include "user_script.hpp"

namespace {

using Texts = std::vector<std::string>;

TEST(Hl7Viewer, ShowsDelimitersLinesAndAChosenLinesFields) {
    zrtest::TempDir dir;
    const std::string file = dir.write("adt.hl7", "MSH|^~\\&|APP\r\nPID|1||123\r\n");
    std::vector<zr::ShownDialog> shown;
    zr::ViewerUi ui;
    ui.shown = [&](const zr::ShownDialog& s) { shown.push_back(s); };
    Texts labels, segmentLabels;
    zrtest::UserScript script({
        {"HL7 Viewer",
         [&](HWND w) {
             labels = zrtest::childTexts(w, "Static");
             HWND list = FindWindowExA(w, nullptr, "TWBROWSE", nullptr);
             if (list) SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
             zr::pressButton(w, "Select");
         }},
        {"HL7 Viewer",
         [&](HWND w) {
             segmentLabels = zrtest::childTexts(w, "Static");
             zr::pressButton(w, "Exit");
         }},
        {"HL7 Viewer", [](HWND w) { zr::pressButton(w, "Exit"); }},
    });
    zr::CTLD48700("", file, ui);
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_EQ(labels, (Texts{"(|)", "- Composite Delimiter", "(^)", "- Sub Composite Delimiter", "(&)",
                             "- Sub-sub Composite Delimiter", "(~)", "- Repeat Field Seperator", "(\\)",
                             "- Escape Character"}));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].lines, (Texts{"1>MSH|^~\\&|APP", "2>PID|1||123"}));
    EXPECT_EQ(shown[1].lines, zr::hl7FieldList("PID|1||123", '|'));
    EXPECT_EQ(segmentLabels, (Texts{"- Segment Type : PID", "Patient Information"}));
}

TEST(Hl7Viewer, AFileThatIsNotHl7AsksAndDoesNotOpen) {
    zrtest::TempDir dir;
    zrtest::PromptRecorder prompts;
    prompts.answerNext(true);   // continue?
    prompts.answerNext(false);  // Notepad? no
    std::vector<zr::ShownDialog> shown;
    zr::ViewerUi ui;
    ui.shown = [&](const zr::ShownDialog& s) { shown.push_back(s); };
    zr::CTLD48700("", dir.write("x.hl7", "ISA*00\r"), ui);
    EXPECT_TRUE(shown.empty());
    ASSERT_EQ(prompts.prompts().size(), 3u);
    EXPECT_NE(prompts.prompts()[0].text.find(" MSH segment is unreadable. This may not be a standard HL7 file."),
              std::string::npos);
    EXPECT_EQ(prompts.prompts()[1].caption, " WARNING : This may not be a standard HL7 file.");
    EXPECT_EQ(prompts.prompts()[2].text, "Do you wish to use Notepad?");
}

TEST(Hl7Viewer, WithoutAFileTheChooserAsksAndCancelEnds) {
    zrtest::PromptRecorder prompts;
    zr::CTLD48700("C:\\", "");
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].kind, wl::PromptKind::File);
    EXPECT_EQ(prompts.prompts()[0].caption, "Select HL7 File");
}

}  // namespace
