// The examples and projects download: the manifest and projects list read
// element by element, the trees, the installs against a loopback server
// with hostile answers, and the runs handed to the conversion driver.
#include "examples_download.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "loopback_http_server.hpp"
#include "paths.hpp"
#include "test_support.hpp"

namespace {

using zrtest::LoopbackHttpServer;
using Texts = std::vector<std::string>;

bool downloadSaw(const zrtest::PromptRecorder& r, const std::string& part) {
    for (const auto& t : r.texts())
        if (t.find(part) != std::string::npos) return true;
    return false;
}

// The texts of every node of a text tree, each prefixed by its depth in blanks.
Texts downloadTreeLines(const zr::TextToolTree& tree) {
    Texts out;
    for (const auto& n : tree.nodes()) {
        int depth = 0;
        for (zr::ToolNode p = n.parent; p != zr::kNoToolNode; p = tree.node(p).parent) ++depth;
        out.push_back(std::string(static_cast<std::size_t>(depth), ' ') + n.text);
    }
    return out;
}

// A local folder under a temporary folder, and a server.
struct DownloadFixture {
    zrtest::TempDir dir;
    LoopbackHttpServer server;
    zr::DownloadPlaces places;
    DownloadFixture() {
        places.folder = dir.file("qa");
        places.currentFolder = dir.path();
        places.server = server.address();
    }
    std::string local(const std::string& rel) const { return wl::joinPath(places.folder, rel); }
    void make(const std::string& rel, const std::string& bytes) const {
        const std::filesystem::path p(local(rel));
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
};

TEST(ExamplesDownload, ManifestIsReadElementByElement) {
    // The second example has no MAPC: the third keeps its own.
    const std::string manifest =
        "<manifest><QATEST><NAME>835 Remittance</NAME><MAPA>a</MAPA><MAPB>b</MAPB><MAPC>c</MAPC></QATEST>"
        "<qatest><name>837I</name><mapa>a</mapa><mapb> </mapb></qatest>"
        "<QATEST><NAME>837P</NAME><MAPC>c</MAPC></QATEST></manifest>";
    const auto list = zr::parseManifest(manifest);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].mapC, "");
    EXPECT_EQ(list[2].mapC, "c");
    EXPECT_EQ(list[2].mapA, "");

    zr::TextToolTree tree;
    zr::CTLD51100A(tree, manifest);
    EXPECT_EQ(downloadTreeLines(tree),
              (Texts{"Available Examples", " 835 Remittance", "  835 Remittance using the ML option",
                     "  835 Remittance using the SL option", "  835 Remittance Basic", " 837I Institutional Claims",
                     "  837I Institutional Claims Basic", " 837P Professional Claims",
                     "  837P Professional Claims using the ML option"}));

    zr::TextToolTree empty;
    zr::CTLD51100A(empty, "");
    EXPECT_EQ(downloadTreeLines(empty), Texts{"Available Examples"});
}

TEST(ExamplesDownload, NodeTextsNameExampleVariants) {
    struct Case {
        std::string text;
        int number;
        zr::ExampleVariant variant;
    };
    const Case named[] = {
        {"835 Remittance Basic", 1, zr::ExampleVariant::Basic},
        {"837I Institutional Claims using the SL option", 2, zr::ExampleVariant::SL},
        {"277 Claim Status Response using the ML option", 8, zr::ExampleVariant::ML},
        {"837D Dental Claims Basic and more", 5, zr::ExampleVariant::Basic},
    };
    for (const Case& c : named) {
        const auto choice = zr::exampleOfNode(c.text);
        ASSERT_TRUE(choice) << c.text;
        EXPECT_EQ(choice->number, c.number) << c.text;
        EXPECT_EQ(choice->variant, c.variant) << c.text;
    }
    for (const char* none : {"835 Remittance", "Available Examples", "", " Basic", "835 remittance basic"})
        EXPECT_FALSE(zr::exampleOfNode(none)) << none;
    EXPECT_EQ(zr::CTLD51100D(9), "");
    EXPECT_EQ(zr::variantMapFile(3, zr::ExampleVariant::SL), "qat3b.cfg");
}

TEST(ExamplesDownload, LocalTreeListsInstalledVariants) {
    DownloadFixture f;
    zr::TextToolTree none;
    zr::CTLD51100B(f.places.folder, none);
    EXPECT_EQ(downloadTreeLines(none), Texts{"Your local X12 Examples"});

    f.make("qat1/qat1c.cfg", "map");
    f.make("qat1/qat1a.cfg", "map");
    f.make("qat4/qat4b.cfg", "map");
    f.make("qat4/source.x12", "ISA");
    zr::TextToolTree tree;
    zr::CTLD51100B(f.places.folder, tree);
    EXPECT_EQ(downloadTreeLines(tree),
              (Texts{"Your local X12 Examples", " 835 Remittance Basic", " 835 Remittance using the ML option",
                     " 271 Eligibility Response using the SL option"}));
}

TEST(ExamplesDownload, ListsComeOnlyFromWholeSuccessfulReplies) {
    DownloadFixture f;
    const std::string manifest = "<QATEST><NAME>835</NAME><MAPA>x</MAPA></QATEST>";
    struct Case {
        const char* what;
        LoopbackHttpServer::Answer answer;
        std::string text;
        std::string shown;
    };
    const Case cases[] = {
        {"ok", {LoopbackHttpServer::reply(200, manifest)}, manifest, ""},
        {"slow", {LoopbackHttpServer::reply(200, manifest), 400}, manifest, ""},
        {"404", {LoopbackHttpServer::reply(404, "<QATEST><MAPA>page</MAPA></QATEST>")}, "", "Error: HTTP 404"},
        {"500", {LoopbackHttpServer::reply(500, manifest)}, "", "Error: HTTP 500"},
        {"cut", {LoopbackHttpServer::reply(200, manifest), 0, true}, "", "cut short"},
    };
    for (const Case& c : cases) {
        f.server.set("/manifest.xml", c.answer);
        zrtest::PromptRecorder prompts;
        EXPECT_EQ(zr::CTLD51100C(f.places.server), c.text) << c.what;
        if (!c.shown.empty()) EXPECT_TRUE(downloadSaw(prompts, c.shown)) << c.what;
        else EXPECT_TRUE(prompts.prompts().empty()) << c.what;
    }
    zrtest::PromptRecorder prompts;
    EXPECT_EQ(zr::CTLD51400C("127.0.0.1:1"), "");
    EXPECT_TRUE(downloadSaw(prompts, "Error: oHttp:open(): "));
}

TEST(ExamplesDownload, InstallingAnExampleFetchesItsSourceAndVariantMap) {
    DownloadFixture f;
    f.server.set("/qat3/source.x12", 200, "ISA*source~");
    f.server.set("/qat3/qat3b.cfg", 200, "X12TRANSACTIONTYPE=837\r\n");
    {
        zrtest::PromptRecorder prompts(false);
        EXPECT_FALSE(zr::installExampleVariant(f.places, {3, zr::ExampleVariant::SL}, "837P Professional Claims using the SL option"));
        EXPECT_EQ(prompts.texts(), Texts{"Download and install the 837P Professional Claims using the SL option example?"});
        EXPECT_FALSE(wl::folderExists(f.places.folder));
    }
    zrtest::PromptRecorder prompts(true);
    zr::CTLD51100E("837P Professional Claims using the SL option", 2, f.places, {});
    EXPECT_EQ(prompts.prompts().at(1).text, "Create folder " + f.local("qat3") + " ?");
    EXPECT_EQ(prompts.prompts().at(1).caption, "Create folder?");
    EXPECT_EQ(zrtest::readBytes(f.local("qat3/source.x12")), "ISA*source~");
    EXPECT_EQ(zrtest::readBytes(f.local("qat3/qat3b.cfg")), "X12TRANSACTIONTYPE=837\r\n");
    EXPECT_FALSE(wl::fileExists(f.local("qat3/qat3a.cfg"))) << "only the chosen variant's map";

    // A map the server has lost: its error page never becomes the map.
    f.server.set("/qat3/qat3c.cfg", 404, "<html>Not Found</html>");
    EXPECT_FALSE(zr::installExampleVariant(f.places, {3, zr::ExampleVariant::ML}, "x"));
    EXPECT_FALSE(wl::fileExists(f.local("qat3/qat3c.cfg")));
    EXPECT_TRUE(downloadSaw(prompts, "Error: HTTP 404"));
}

TEST(ExamplesDownload, ProjectListAndDescriptions) {
    struct Case {
        std::string text;
        Texts lines;
    };
    const Case cases[] = {
        {"", {}},
        {"Short one.", {"Short one."}},
        {"This description runs on past forty characters and is cut at blanks only",
         {"This description runs on past forty characters", "and is cut at blanks only"}},
        {std::string(45, 'x') + " tail", {std::string(45, 'x'), "tail"}},
    };
    for (const Case& c : cases) EXPECT_EQ(zr::wrapDescription(c.text), c.lines) << c.text;

    const std::string list =
        "<QAPROJECT><PROJECT>Claims to CSV</PROJECT><DESCRIPTION>Short one.</DESCRIPTION></QAPROJECT>"
        "<qaproject><project>Remittance</project></qaproject>";
    zr::TextToolTree tree;
    const auto available = zr::CTLD51400A(tree, list);
    EXPECT_EQ(available.names, (Texts{"Claims to CSV", "Remittance"}));
    EXPECT_EQ(available.descriptions, (Texts{"Short one.", ""}));
    EXPECT_EQ(downloadTreeLines(tree), (Texts{"Available Sample Projects", " Claims to CSV", "  Short one.", " Remittance"}));

    DownloadFixture f;
    f.make("project2/cmd.xml", "<TYPE>X12,CSV</TYPE>");
    f.make("project2/desc.txt", "Local one.");
    f.make("project5/cmd.xml", "<TYPE>X12,CSV</TYPE>");
    f.make("project3/desc.txt", "no command file");
    zr::TextToolTree local;
    const auto found = zr::CTLD51400B(f.places.folder, local);
    EXPECT_EQ(found.names, Texts{"Project 2"});
    EXPECT_EQ(found.folders, Texts{f.local("project2")});
    EXPECT_EQ(downloadTreeLines(local), (Texts{"Your local Sample Projects", " Project 2", "  Local one."}));
}

TEST(ExamplesDownload, CommandFileTags) {
    const auto c = zr::parseProjectCommand(
        "<TYPE>X12,</TYPE><TYPE>CSV</TYPE><SOURCE>claims.x12</SOURCE><DESTINATION>out</DESTINATION>"
        "<OPTIONS>ow,ho</OPTIONS><FILE>claims.x12</FILE><file> map.cfg </file>");
    EXPECT_EQ(c.type, "X12,CSV");
    EXPECT_EQ(c.source, "claims.x12");
    EXPECT_EQ(c.destination, "out");
    EXPECT_EQ(c.options, "ow,ho");
    EXPECT_EQ(c.files, (Texts{"claims.x12", "map.cfg"}));
}

TEST(ExamplesDownload, ProjectInstallRefusesNamesLeavingItsFolder) {
    DownloadFixture f;
    f.server.set("/project1/cmd.xml", 200,
                 "<TYPE>X12,CSV</TYPE><SOURCE>claims.x12</SOURCE><DESTINATION>.</DESTINATION>"
                 "<FILE>claims.x12</FILE><FILE>../evil.txt</FILE><FILE>..\\evil.txt</FILE><FILE>C:evil.txt</FILE>"
                 "<FILE>sub/evil.txt</FILE><FILE>..</FILE><FILE>gone.cfg</FILE><FILE>map.cfg</FILE>");
    f.server.set("/project1/claims.x12", 200, "ISA*claims~");
    f.server.set("/project1/map.cfg", 200, "FIELD=x\r\n");
    f.server.set("/project1/gone.cfg", 500, "Internal error");
    f.server.set("/project1/../evil.txt", 200, "evil");
    zr::AvailableProjects available{{"Claims to CSV", "Other"}, {"Claims of a clinic.", ""}};

    zrtest::PromptRecorder prompts(true);
    EXPECT_FALSE(zr::CTLD51400E("Claims of a clinic.", available, f.places)) << "a description line names no project";
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_FALSE(zr::CTLD51400E("Claims to CSV", available, f.places)) << "refused names and the 500 leave it partial";
    EXPECT_EQ(prompts.prompts().at(0).text, "Would you like to download Claims to CSV?");
    EXPECT_EQ(prompts.prompts().at(0).caption, "Download Project?");
    const std::string dir = f.local("project1");
    EXPECT_EQ(zrtest::readBytes(wl::joinPath(dir, "desc.txt")), "Claims of a clinic.");
    EXPECT_EQ(zrtest::readBytes(wl::joinPath(dir, "claims.x12")), "ISA*claims~");
    EXPECT_EQ(zrtest::readBytes(wl::joinPath(dir, "map.cfg")), "FIELD=x\r\n");
    EXPECT_FALSE(wl::fileExists(wl::joinPath(dir, "gone.cfg")));
    EXPECT_FALSE(wl::fileExists(f.local("evil.txt")));
    EXPECT_FALSE(wl::fileExists(f.dir.file("evil.txt")));
    EXPECT_FALSE(wl::folderExists(wl::joinPath(dir, "sub")));
    EXPECT_TRUE(downloadSaw(prompts, "not a plain file name: ../evil.txt"));
    EXPECT_TRUE(downloadSaw(prompts, "not a plain file name: C:evil.txt"));
    EXPECT_TRUE(downloadSaw(prompts, "Error: HTTP 500"));
    for (const auto& r : f.server.requests()) EXPECT_EQ(r.find(".."), std::string::npos) << r;
}

TEST(ExamplesDownload, ProjectRequestKeepsEveryPathInItsFolder) {
    zrtest::TempDir dir;
    const std::string folder = dir.file("project1");
    std::filesystem::create_directory(folder);
    const std::string inside = wl::joinPath(folder, "claims.x12");
    struct Case {
        zr::ProjectCommand command;
        bool runs;
    };
    const Case cases[] = {
        {{"X12,CSV", "claims.x12", ".", "ow,outfile=out.csv,map=m.cfg,mappath=maps,parselog=run.log", {}}, true},
        {{"X12,CSV", inside, folder, "ho", {}}, true},
        {{"X12,CSV", "../claims.x12", ".", "", {}}, false},
        {{"X12,CSV", "/etc/passwd", ".", "", {}}, false},
        {{"X12,CSV", "claims.x12", "..", "", {}}, false},
        {{"X12,CSV", "claims.x12", ".", "ow,OUTFILE=../../victim.csv", {}}, false},
        {{"X12,CSV", "claims.x12", ".", "Map=/tmp/m.cfg", {}}, false},
        {{"X12,CSV", "claims.x12", ".", "parselog=sub/../../x.log", {}}, false},
        {{"X12,CSV", "claims.x12", ".", "defaultmappath=..", {}}, false},
        {{"X12,CSV", "", ".", "", {}}, false},
    };
    for (const Case& c : cases) {
        std::string why;
        const auto r = zr::projectRequest(c.command, folder, dir.path(), why);
        EXPECT_EQ(r.has_value(), c.runs) << c.command.source << " " << c.command.destination << " " << c.command.options;
        EXPECT_EQ(why.empty(), c.runs) << why;
    }
    std::string why;
    const auto r = zr::projectRequest(cases[0].command, folder, dir.path(), why);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->source, inside);
    EXPECT_EQ(r->options, "ow,outfile=" + wl::joinPath(folder, "out.csv") + ",map=" + wl::joinPath(folder, "m.cfg") +
                              ",mappath=" + wl::joinPath(folder, "maps") + ",parselog=" +
                              wl::joinPath(folder, "run.log"));
    EXPECT_EQ(r->mode, zr::DriverMode::DialogFirst);
    EXPECT_EQ(r->currentFolder, dir.path());
}

TEST(ExamplesDownload, ProjectRunsOnlyAfterTheQuestion) {
    DownloadFixture f;
    f.make("project1/cmd.xml", "<TYPE>X12,CSV</TYPE><SOURCE>a.x12</SOURCE><DESTINATION>.</DESTINATION><OPTIONS>ow,ds</OPTIONS>");
    f.make("project2/cmd.xml", "<TYPE>X12,CSV</TYPE><SOURCE>a.x12</SOURCE><DESTINATION>..</DESTINATION>");
    zr::TextToolTree tree;
    const auto local = zr::CTLD51400B(f.places.folder, tree);
    std::vector<zr::DriverRequest> runs;
    zr::DownloadActions actions;
    actions.convert = [&](const zr::DriverRequest& r) { runs.push_back(r); };
    {
        zrtest::PromptRecorder prompts(false);
        zr::CTLD51400G("Project 1", local, f.places, actions);
        ASSERT_EQ(prompts.prompts().size(), 1u);
        EXPECT_EQ(prompts.prompts()[0].caption, "Run Project?");
        EXPECT_NE(prompts.prompts()[0].text.find("Options: ow,ds"), std::string::npos);
        EXPECT_TRUE(runs.empty());
    }
    {
        zrtest::PromptRecorder prompts(true);
        zr::CTLD51400G("Project 2", local, f.places, actions);
        EXPECT_TRUE(runs.empty());
        EXPECT_TRUE(downloadSaw(prompts, "Project 2 was not run."));
        zr::CTLD51400G("Project 1", local, f.places, actions);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].type, "X12,CSV");
        EXPECT_EQ(runs[0].source, wl::joinPath(f.local("project1"), "a.x12"));
    }
}

TEST(ExamplesDownload, RunningAnExampleConvertsThenOffersTheViews) {
    DownloadFixture f;
    f.make("qat2/source.x12", "ISA");
    f.make("qat2/output.csv", "stale");
    std::vector<zr::DriverRequest> runs;
    Texts csvViewed, x12Viewed;
    zr::DownloadActions actions;
    actions.convert = [&](const zr::DriverRequest& r) {
        runs.push_back(r);
        f.make(r.type == "X12,CSV" ? "qat2/output.csv" : "qat2/new837I.x12", "made");
    };
    actions.viewCsv = [&](const std::string& p) { csvViewed.push_back(p); };
    actions.viewX12 = [&](const std::string& p) { x12Viewed.push_back(p); };
    zrtest::PromptRecorder prompts(true);
    zr::CTLD51100E("837I Institutional Claims using the ML option", 1, f.places, actions);
    const std::string dir = f.local("qat2"), csv = wl::joinPath(dir, "output.csv");
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].type, "X12,CSV");
    EXPECT_EQ(runs[0].source, wl::joinPath(dir, "source.x12"));
    EXPECT_EQ(runs[0].destination, dir);
    EXPECT_EQ(runs[0].options, "ml,ow,ho,outfile=" + csv + ",map=" + wl::joinPath(dir, "qat2c.cfg"));
    EXPECT_EQ(runs[0].mode, zr::DriverMode::DialogFirst);
    EXPECT_EQ(runs[1].type, "CSV,X12");
    EXPECT_EQ(runs[1].source, csv);
    EXPECT_EQ(runs[1].options, "ml,ow,outfile=" + wl::joinPath(dir, "new837I.x12") + ",map=" + wl::joinPath(dir, "qat2c.cfg"));
    EXPECT_EQ(prompts.texts(), (Texts{"View the " + csv + " CSV file?",
                                      "Convert the " + csv + " CSV file back to an X12 837I file?",
                                      "View the " + wl::joinPath(dir, "new837I") + ".x12 file?"}));
    EXPECT_EQ(csvViewed, Texts{csv});
    EXPECT_EQ(x12Viewed, Texts{wl::joinPath(dir, "new837I.x12")});

    // A conversion that makes no CSV asks nothing: the stale CSV went first.
    runs.clear();
    actions.convert = [&](const zr::DriverRequest& r) { runs.push_back(r); };
    zrtest::PromptRecorder quiet(true);
    zr::CTLD51100E("837I Institutional Claims Basic", 1, f.places, actions);
    EXPECT_EQ(runs.size(), 1u);
    EXPECT_TRUE(quiet.prompts().empty());
    EXPECT_FALSE(wl::fileExists(csv));
}

std::string servedFolder() { return std::string(ZR_FIXTURES) + "/../../examples/served"; }

// Every example variant the served manifest offers converts its served
// source to CSV with its served map and back to X12, as a run from the
// window does (here without the dialog).
TEST(ExamplesDownload, ServedExamplesConvertThereAndBack) {
    DownloadFixture f;
    f.server.serveFolder(servedFolder());
    const std::string manifest = zr::CTLD51100C(f.places.server);
    const auto list = zr::parseManifest(manifest);
    ASSERT_EQ(list.size(), 8u);
    int variants = 0;
    for (int n = 1; n <= 8; ++n) {
        const auto& e = list[static_cast<std::size_t>(n - 1)];
        EXPECT_EQ(e.name, zr::CTLD51100D(n));
        const std::pair<std::string, zr::ExampleVariant> offered[] = {
            {e.mapA, zr::ExampleVariant::Basic}, {e.mapB, zr::ExampleVariant::SL}, {e.mapC, zr::ExampleVariant::ML}};
        for (const auto& [map, variant] : offered) {
            if (map.empty()) continue;
            ++variants;
            const zr::ExampleChoice c{n, variant};
            EXPECT_EQ(map, zr::variantMapFile(n, variant));
            zrtest::PromptRecorder prompts(true);
            ASSERT_TRUE(zr::installExampleVariant(f.places, c, "x")) << map;
            const std::string dir = f.local(zr::exampleFolderName(n));
            const auto there = zr::CTLD48403(zr::exampleToCsvRequest(f.places, c));
            EXPECT_EQ(there.converted, 1) << map << "\n" << there.log;
            const std::string csv = zrtest::readBytes(wl::joinPath(dir, "output.csv"));
            EXPECT_GT(std::count(csv.begin(), csv.end(), '\n'), 1) << map << ": a title line and records";
            // The claim and remittance maps build X12 again; the inquiry,
            // response and enrollment maps hold no segment templates.
            const bool buildsX12 = n == 1 || n == 2 || n == 3 || n == 5;
            EXPECT_EQ(zrtest::readBytes(wl::joinPath(dir, map)).find("SEGMENT=") != std::string::npos, buildsX12) << map;
            const auto back = zr::CTLD48403(zr::exampleToX12Request(f.places, c));
            const std::string x12 = zrtest::readBytes(wl::joinPath(dir, "new" + zr::exampleTransaction(n) + ".x12"));
            if (buildsX12) {
                EXPECT_EQ(back.converted, 1) << map << "\n" << back.log;
                EXPECT_EQ(x12.rfind("ISA", 0), 0u) << map;
            } else {
                EXPECT_EQ(back.failed, 1) << map;
                EXPECT_NE(back.log.find("No Segment Templates"), std::string::npos) << map;
                EXPECT_EQ(x12, "") << map;
            }
        }
    }
    EXPECT_EQ(variants, 16);
}

TEST(ExamplesDownload, ServedProjectsInstallAndRun) {
    DownloadFixture f;
    f.server.serveFolder(servedFolder());
    zr::TextToolTree tree;
    const auto available = zr::CTLD51400A(tree, zr::CTLD51400C(f.places.server));
    ASSERT_EQ(available.names.size(), 2u);
    const char* outputs[] = {"claims.csv", "payments.xml"};
    for (std::size_t k = 0; k < available.names.size(); ++k) {
        zrtest::PromptRecorder prompts(true);
        EXPECT_TRUE(zr::CTLD51400E(available.names[k], available, f.places)) << available.names[k];
        const std::string dir = zr::projectFolder(f.places.folder, static_cast<int>(k + 1));
        std::string why;
        auto request = zr::projectRequest(zr::parseProjectCommand(zrtest::readBytes(wl::joinPath(dir, "cmd.xml"))),
                                          dir, f.dir.path(), why);
        ASSERT_TRUE(request) << why;
        const auto run = zr::CTLD48403(*request);
        EXPECT_EQ(run.converted, 1) << run.log;
        EXPECT_FALSE(zrtest::readBytes(wl::joinPath(dir, outputs[k])).empty()) << outputs[k];
    }
}

#ifndef _WIN32
// scripts/examples-server answers the program on a port of its own.
TEST(ExamplesDownload, TheServingScriptAnswersTheManifest) {
    const std::string script = std::string(ZR_FIXTURES) + "/../../scripts/examples-server";
    int port = 0;
    {
        LoopbackHttpServer probe;  // a port free a moment ago
        port = probe.port();
    }
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const std::string portText = std::to_string(port);
        execl("/bin/bash", "bash", script.c_str(), portText.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::string manifest;
    for (int i = 0; i < 100 && manifest.empty(); ++i) {
        zrtest::PromptRecorder quiet;
        manifest = zr::CTLD51100C("127.0.0.1:" + std::to_string(port));
        if (manifest.empty()) usleep(100 * 1000);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    EXPECT_EQ(manifest, zrtest::readBytes(servedFolder() + "/manifest.xml"));
}
#endif

}  // namespace
