// The projects window under Wine: the projects this program serves listed
// from a loopback server, one installed by choosing it, and run by choosing
// it in the installed tree once the question is answered.
#include "projects_window.hpp"

#include <gtest/gtest.h>

#include "conversion_driver.hpp"
#include "loopback_http_server.hpp"
#include "test_support.hpp"

namespace {

using Texts = std::vector<std::string>;

void projectsTreeTexts(const wl::TTVItem& item, int depth, Texts& out) {
    out.push_back(std::string(static_cast<std::size_t>(depth), ' ') + item.GetText());
    for (const auto& child : item.aItems) projectsTreeTexts(*child, depth + 1, out);
}

Texts projectsTree(const wl::TTreeView& tree) {
    Texts out;
    for (const auto& item : tree.aItems) projectsTreeTexts(*item, 0, out);
    return out;
}

wl::TTVItem* projectsItemUnder(const std::vector<std::unique_ptr<wl::TTVItem>>& items, const std::string& text) {
    for (const auto& item : items) {
        if (item->GetText() == text) return item.get();
        if (wl::TTVItem* found = projectsItemUnder(item->aItems, text)) return found;
    }
    return nullptr;
}

wl::TTVItem* projectsItem(wl::TTreeView& tree, const std::string& text) { return projectsItemUnder(tree.aItems, text); }

TEST(ProjectsWindow, InstallsAServedProjectAndRunsItAfterTheQuestion) {
    zrtest::LoopbackHttpServer server;
    server.serveFolder(std::string(ZR_FIXTURES) + "/../../examples/served");
    zrtest::TempDir dir;
    zr::DownloadPlaces places;
    places.folder = dir.file("qa");
    places.currentFolder = dir.path();
    places.server = server.address();
    std::vector<zr::DriverRequest> runs;
    zr::DownloadWindowHooks hooks;
    hooks.actions.convert = [&](const zr::DriverRequest& r) {
        runs.push_back(r);
        zr::DriverHooks driver;
        driver.dialog = [](zr::DriverRequest&) {};
        zr::CTLD48403(r, driver);
    };

    auto w = std::make_unique<zr::ProjectsWindow>(places, hooks);
    EXPECT_EQ(projectsTree(w->availableTree()), Texts{"Available Sample Projects"});
    EXPECT_EQ(projectsTree(w->localTree()), Texts{"Your local Sample Projects"});
    w->downloadList();
    EXPECT_EQ(projectsTree(w->availableTree()),
              (Texts{"Available Sample Projects", " Professional Claims to CSV",
                     "  Converts a file of professional claims (837P)", "  to one CSV row per claim with a title line,",
                     "  using the project's own map.", " Remittance to XML",
                     "  Converts a remittance file of two transaction", "  sets (835) to XML records, one per claim",
                     "  payment."}));

    zrtest::PromptRecorder prompts(true);
    wl::TTVItem* offered = projectsItem(w->availableTree(), "Professional Claims to CSV");
    ASSERT_TRUE(offered);
    w->availableTree().Select(*offered);
    const std::string folder = wl::joinPath(places.folder, "project1");
    EXPECT_TRUE(wl::fileExists(wl::joinPath(folder, "claims.x12")));
    EXPECT_TRUE(wl::fileExists(wl::joinPath(folder, "project.cfg")));
    const Texts local = projectsTree(w->localTree());
    ASSERT_GE(local.size(), 3u);
    EXPECT_EQ(local[1], " Project 1");
    EXPECT_EQ(local[2], "  Converts a file of professional claims (837P)");
    EXPECT_TRUE(runs.empty());

    wl::TTVItem* installed = projectsItem(w->localTree(), "Project 1");
    ASSERT_TRUE(installed);
    w->localTree().Select(*installed);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(prompts.prompts().back().caption, "Run Project?");
    EXPECT_EQ(runs[0].source, wl::joinPath(folder, "claims.x12"));
    EXPECT_FALSE(zrtest::readBytes(wl::joinPath(folder, "claims.csv")).empty());
    w->window().End();
}

}  // namespace
