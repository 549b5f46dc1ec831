// The examples window under Wine: the examples this program serves listed
// from a loopback server, one installed by choosing it in the offered tree,
// run by choosing it in the installed tree (the real conversion there and
// back), and its new X12 file opened in the viewer.
#include "examples_window.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "conversion_driver.hpp"
#include "loopback_http_server.hpp"
#include "test_support.hpp"
#include "user_script.hpp"
#include "viewer_windows.hpp"

namespace {

using Texts = std::vector<std::string>;

std::string servedExamples() { return std::string(ZR_FIXTURES) + "/../../examples/served"; }

void examplesTreeTexts(const wl::TTVItem& item, int depth, Texts& out) {
    out.push_back(std::string(static_cast<std::size_t>(depth), ' ') + item.GetText());
    for (const auto& child : item.aItems) examplesTreeTexts(*child, depth + 1, out);
}

Texts examplesTree(const wl::TTreeView& tree) {
    Texts out;
    for (const auto& item : tree.aItems) examplesTreeTexts(*item, 0, out);
    return out;
}

wl::TTVItem* examplesItemUnder(const std::vector<std::unique_ptr<wl::TTVItem>>& items, const std::string& text) {
    for (const auto& item : items) {
        if (item->GetText() == text) return item.get();
        if (wl::TTVItem* found = examplesItemUnder(item->aItems, text)) return found;
    }
    return nullptr;
}

wl::TTVItem* examplesItem(wl::TTreeView& tree, const std::string& text) { return examplesItemUnder(tree.aItems, text); }

TEST(ExamplesWindow, InstallsAServedExampleRunsItAndViewsItsNewX12) {
    zrtest::LoopbackHttpServer server;
    server.serveFolder(servedExamples());
    zrtest::TempDir dir;
    zr::DownloadPlaces places;
    places.folder = dir.file("qa");
    places.currentFolder = dir.path();
    places.server = server.address();

    std::vector<zr::DriverRequest> runs;
    Texts csvViewed;
    std::vector<zr::ShownDialog> shown;
    zr::DownloadWindowHooks hooks;
    hooks.actions.convert = [&](const zr::DriverRequest& r) {
        runs.push_back(r);
        zr::DriverHooks driver;
        driver.dialog = [](zr::DriverRequest&) {};  // the dialog's "Begin" on the request as prepared
        zr::CTLD48403(r, driver);
    };
    hooks.actions.viewCsv = [&](const std::string& f) { csvViewed.push_back(f); };
    hooks.actions.viewX12 = [&](const std::string& f) {
        zr::viewX12File("ZRK7W315", f, "", zr::ViewerUi{[&](const zr::ShownDialog& d) { shown.push_back(d); }});
    };

    auto w = std::make_unique<zr::ExamplesWindow>(places, hooks);
    EXPECT_EQ(examplesTree(w->availableTree()), Texts{"Available Examples"});
    EXPECT_EQ(examplesTree(w->localTree()), Texts{"Your local X12 Examples"});
    w->downloadList();
    const Texts offered = examplesTree(w->availableTree());
    ASSERT_EQ(offered.size(), 1u + 8u + 3u * 4u + 4u);
    EXPECT_EQ(Texts(offered.begin(), offered.begin() + 6),
              (Texts{"Available Examples", " 835 Remittance", "  835 Remittance using the ML option",
                     "  835 Remittance using the SL option", "  835 Remittance Basic", " 837I Institutional Claims"}));
    EXPECT_EQ(offered.back(), "  277 Claim Status Response Basic");

    // Chosen in the offered tree: asked, installed, listed as installed.
    zrtest::PromptRecorder prompts;
    prompts.answerNext(true);   // download and install
    prompts.answerNext(true);   // create the folder
    prompts.answerNext(false);  // no CSV view
    prompts.answerNext(true);   // convert back
    prompts.answerNext(true);   // view the new X12 file
    wl::TTVItem* basic = examplesItem(w->availableTree(), "837P Professional Claims Basic");
    ASSERT_TRUE(basic);
    w->availableTree().Select(*basic);
    EXPECT_EQ(examplesTree(w->localTree()), (Texts{"Your local X12 Examples", " 837P Professional Claims Basic"}));
    EXPECT_TRUE(runs.empty());

    // Chosen in the installed tree: it runs, and the new file opens in the viewer.
    zrtest::UserScript script({{"View X12 837 Version 5010 PROFESSIONAL",
                                [](HWND d) { EXPECT_TRUE(zr::pressButton(d, "Exit")); }}});
    wl::TTVItem* installed = examplesItem(w->localTree(), "837P Professional Claims Basic");
    ASSERT_TRUE(installed);
    w->localTree().Select(*installed);
    EXPECT_TRUE(zrtest::UserScript::done());
    const std::string folder = wl::joinPath(places.folder, "qat3");
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].type, "X12,CSV");
    EXPECT_EQ(runs[1].type, "CSV,X12");
    EXPECT_TRUE(csvViewed.empty());
    const std::string csv = zrtest::readBytes(wl::joinPath(folder, "output.csv"));
    EXPECT_NE(csv.find("CLAIM"), std::string::npos) << csv.substr(0, 200);
    EXPECT_TRUE(wl::fileExists(wl::joinPath(folder, "new837P.x12")));
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front().caption, "View X12 837 Version 5010 PROFESSIONAL");
    const Texts asked = prompts.texts();
    ASSERT_EQ(asked.size(), 5u);
    EXPECT_EQ(asked[0], "Download and install the 837P Professional Claims Basic example?");
    EXPECT_EQ(asked[4], "View the " + wl::joinPath(folder, "new837P") + ".x12 file?");
    w->window().End();
}

TEST(ExamplesWindow, AServerThatFailsLeavesTheOfferedTreeBare) {
    zrtest::LoopbackHttpServer server;
    server.set("/manifest.xml", 500, "<QATEST><MAPA>x</MAPA></QATEST>");
    zrtest::TempDir dir;
    zr::DownloadPlaces places;
    places.folder = dir.file("qa");
    places.currentFolder = dir.path();
    places.server = server.address();
    auto w = std::make_unique<zr::ExamplesWindow>(places, zr::DownloadWindowHooks{});
    zrtest::PromptRecorder prompts;
    w->downloadList();
    EXPECT_EQ(examplesTree(w->availableTree()), Texts{"Available Examples"});
    EXPECT_EQ(prompts.texts(), Texts{"\r\nError: HTTP 500"});
    // A name node is no variant: nothing is asked.
    w->selectAvailable("835 Remittance");
    EXPECT_EQ(prompts.texts().size(), 1u);
    w->window().End();
}

}  // namespace
