// The "Download Examples" dialog under Wine: the list fetched from a
// loopback server, an example's description, its install, and the clearing.
#include "examples_installer_window.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialog_acts.hpp"
#include "loopback_http_server.hpp"
#include "paths.hpp"
#include "test_support.hpp"
#include "user_script.hpp"

namespace {

using Texts = std::vector<std::string>;

std::string examplesWindowMemo(HWND dialog) {
    HWND edit = FindWindowExA(dialog, nullptr, "Edit", nullptr);
    char text[512] = {};
    if (edit) SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(ExamplesInstallerWindow, ListsDownloadsAndInstallsFromLoopbackServer) {
    zrtest::LoopbackHttpServer server;
    server.set("/examples/examples.xml", 200,
               "<TITLE>837P Claims</TITLE><DESCRIPTION>Claims to CSV</DESCRIPTION>"
               "<REMOTE_FILE>examples/zr/ZRX001.zip</REMOTE_FILE>"
               "<TITLE>835 Remittance</TITLE><DESCRIPTION>Payments</DESCRIPTION>"
               "<REMOTE_FILE>examples/zr/ZRX002.zip</REMOTE_FILE>");
    server.set("/examples/zr/ZRX001.zip", 200, "PK\x03\x04");
    zrtest::TempDir dir;
    zr::ExamplesInstallerPlaces places{"sibling", dir.file("Sibling"), dir.path(), server.address()};
    std::filesystem::create_directory(places.siblingFolder);
    dir.write("Sibling/sibling.exe", "MZ");
    dir.write("zr.ini", "[SYSTEM]\r\n");

    zrtest::PromptRecorder prompts(true);
    std::vector<zr::ShownDialog> shown;
    zr::ViewerUi ui;
    ui.shown = [&](const zr::ShownDialog& s) { shown.push_back(s); };
    Texts labels;
    std::string firstMemo, afterList, afterInstall;
    zrtest::UserScript script({
        {"Download Examples",
         [&](HWND w) {
             labels = zrtest::childTexts(w, "Static");
             firstMemo = examplesWindowMemo(w);
             zr::pressButton(w, "Get Example List");
         }},
        {"Download Examples",
         [&](HWND w) {
             afterList = examplesWindowMemo(w);
             zr::pressButton(w, "Download and Install");
         }},
        {"Download Examples",
         [&](HWND w) {
             afterInstall = examplesWindowMemo(w);
             zr::pressButton(w, "Exit");
         }},
    });
    bool restart = true;
    EXPECT_EQ(zr::examplesInstallerWindow(places, &restart, ui), "");
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_FALSE(restart);
    EXPECT_EQ(labels, (Texts{"Select the example that you wish to work with.",
                             "select it and it will install the example ",
                             "in your system. Find out more details about", "", "", ""}));
    EXPECT_EQ(firstMemo, "");
    EXPECT_EQ(afterList, "Claims to CSV");
    EXPECT_EQ(afterInstall, "UnZip Failure.");
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown.back().lines, (Texts{"837P Claims", "835 Remittance", "Claims to CSV"}));
    EXPECT_EQ(zrtest::readBytes(dir.file("example.zip")), "PK\x03\x04");
    EXPECT_TRUE(wl::folderExists(dir.file("Sibling/ZRX001")));
    EXPECT_TRUE(wl::fileExists(dir.file("zr.ini"))) << "the clearing keeps the user's settings";
}

TEST(ExamplesInstallerWindow, ClearingAsksToRestart) {
    zrtest::TempDir dir;
    zr::ExamplesInstallerPlaces places{"sibling", dir.file("Sibling"), dir.path(), "127.0.0.1:1"};
    dir.write("examples.xml", "<TITLE>One</TITLE><DESCRIPTION>first</DESCRIPTION>");
    dir.write("example.zip", "PK");
    dir.write("map.cfg", "user");
    zrtest::PromptRecorder prompts(true);
    std::string memo;
    zrtest::UserScript script({
        {"Download Examples",
         [&](HWND w) {
             memo = examplesWindowMemo(w);
             zr::pressButton(w, "Clear Examples");
         }},
    });
    bool restart = false;
    zr::examplesInstallerWindow(places, &restart);
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_EQ(memo, "first");
    EXPECT_TRUE(restart);
    EXPECT_FALSE(wl::fileExists(dir.file("example.zip")));
    EXPECT_FALSE(wl::fileExists(dir.file("examples.xml")));
    EXPECT_TRUE(wl::fileExists(dir.file("map.cfg")));
    ASSERT_EQ(prompts.prompts().size(), 2u);
    EXPECT_EQ(prompts.prompts()[1].caption, "Restart Program");
}

}  // namespace
