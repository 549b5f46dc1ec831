#include <gtest/gtest.h>

#include "main_menu.hpp"

namespace {

TEST(MainMenu, FunctionsEntriesInOrder) {
    std::vector<std::string> captions;
    for (const auto& e : zr::functionsMenu())
        if (!e.caption.empty()) captions.push_back(e.caption);
    const std::vector<std::string> expected = {
        "X12 Parser", "View X12 File", "Clear Viewer File List", "View CSV File", "View XML File",
        "View Parse Log", "View Map Log", "Mapping Tool", "X12 File Information", "X12 File Compare",
        "X12 File De-Identifier", "X12 Torvel Parser Examples", "X12 Torvel Parser Projects", "Data Dictionary",
        "Information", "Documentation"};
    EXPECT_EQ(captions, expected);
    // The recently-used list follows the viewer entry; the separator follows "Clear".
    const auto& m = zr::functionsMenu();
    EXPECT_EQ(m[2].command, zr::MainCommand::ViewerFiles);
    EXPECT_EQ(m[2].message, "X12 Viewer Most Recently Used Files..");
    EXPECT_EQ(m[4].command, zr::MainCommand::Separator);
    EXPECT_EQ(zr::quitEntry().caption, "Quit Application");
    EXPECT_EQ(zr::quitEntry().message, "Terminate This Application");
}

TEST(MainMenu, EveryEntryHasAMessageAndGreyedOnesSayWhatTheyWillDo) {
    for (const auto& e : zr::functionsMenu()) {
        if (e.command == zr::MainCommand::Separator || e.command == zr::MainCommand::ClearViewerList) continue;
        EXPECT_FALSE(e.message.empty()) << e.caption;
        if (!e.built) {
            EXPECT_NE(e.message.find("not built yet"), std::string::npos) << e.caption;
        }
    }
    EXPECT_EQ(zr::menuEntry(zr::MainCommand::Documentation)->message, "Complete System Reference Manual ");
    EXPECT_EQ(zr::menuEntry(zr::MainCommand::ViewXml)->message, "View XML File");
    EXPECT_TRUE(zr::menuEntry(zr::MainCommand::ViewXml)->built);
    EXPECT_EQ(zr::menuEntry(zr::MainCommand::ViewCsv)->message, "View CSV File");
    EXPECT_TRUE(zr::menuEntry(zr::MainCommand::ViewCsv)->built);
    EXPECT_EQ(zr::menuEntry(zr::MainCommand::DataDictionary)->message, "Data Dictionary");
    EXPECT_TRUE(zr::menuEntry(zr::MainCommand::DataDictionary)->built);
    for (auto command : {zr::MainCommand::Examples, zr::MainCommand::Projects}) {
        const zr::MenuEntry& e = *zr::menuEntry(command);
        EXPECT_TRUE(e.built) << e.caption;
        EXPECT_EQ(e.message, e.caption);
    }
}

TEST(MainMenu, ToolbarButtons) {
    const auto& b = zr::toolbarButtons();
    ASSERT_EQ(b.size(), 5u);
    const int resources[] = {13, 7, 6, 11, 3};
    const char* texts[] = {"Torvel Parser", "View X12 File", "Documentation", "Information", "Exit"};
    for (std::size_t i = 0; i < b.size(); ++i) {
        EXPECT_EQ(b[i].resource, resources[i]);
        EXPECT_EQ(b[i].text, texts[i]);
    }
    EXPECT_EQ(b[4].tooltip, "End Application");
    EXPECT_EQ(b[0].dropDown, "Database-Files");
    EXPECT_EQ(b[1].dropDown, "Viewer-Files");
    EXPECT_EQ(b[4].command, zr::MainCommand::Quit);
}

TEST(MainMenu, StandardFonts) {
    const auto& f = zr::standardFonts();
    ASSERT_EQ(f.size(), 5u);
    const double widths[] = {9, 9.6, 8, 6, 8};
    const int heights[] = {16, 16, 14, 12, 14};
    const bool bold[] = {true, false, true, false, false};
    for (std::size_t i = 0; i < f.size(); ++i) {
        EXPECT_DOUBLE_EQ(f[i].width, widths[i]) << i;
        EXPECT_EQ(f[i].height, heights[i]) << i;
        EXPECT_EQ(f[i].bold, bold[i]) << i;
    }
}

TEST(MainMenu, TitleAndDocumentationPage) {
    EXPECT_EQ(zr::ZRTITLE("ZRK7W315"), "X12 Parser");
    EXPECT_EQ(zr::ZRTITLE("ZRK7W999"), "");
    EXPECT_EQ(zr::documentationPage("ZRK7W315"), "zrk7w315.htm");
}

}  // namespace
