// The examples installer: the list file, the server setting, the download
// routine and page fetcher against a loopback server, the install, the
// clearing, the restart and the archive installer.
#include "examples_installer.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "loopback_http_server.hpp"
#include "paths.hpp"
#include "test_support.hpp"

namespace {

using zrtest::LoopbackHttpServer;

bool examplesSawText(const zrtest::PromptRecorder& r, const std::string& part) {
    for (const auto& t : r.texts())
        if (t.find(part) != std::string::npos) return true;
    return false;
}

// A current folder with the sibling program installed beside it.
struct ExamplesPlacesFixture {
    zrtest::TempDir dir;
    zr::ExamplesInstallerPlaces places;
    explicit ExamplesPlacesFixture(const std::string& server) {
        places.programName = "sibling";
        places.currentFolder = dir.path();
        places.siblingFolder = dir.file("Sibling");
        places.server = server;
        std::filesystem::create_directory(places.siblingFolder);
        dir.write("Sibling/sibling.exe", "MZ");
    }
};

TEST(ExamplesInstaller, ListFile) {
    const auto two = zr::parseExamplesList(
        "<EXAMPLE><TITLE>First\r\n one</TITLE><DESCRIPTION>D1</DESCRIPTION>"
        "<REMOTE_FILE>examples/zr/ZRX001.zip</REMOTE_FILE></EXAMPLE>"
        "<example><title>Second</title><description>D2</description></example>");
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].title, "First one");
    EXPECT_EQ(two[0].description, "D1");
    EXPECT_EQ(two[0].remoteFile, "examples/zr/ZRX001.zip");
    EXPECT_EQ(two[1].title, "Second");
    EXPECT_EQ(two[1].remoteFile, "");

    zrtest::TempDir dir;
    const auto none = zr::readExamplesList(dir.file("examples.xml"));
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].title, "");
    EXPECT_EQ(none[0].description, "");

    EXPECT_EQ(zr::exampleCode("examples/zr/ZRX001.zip"), "ZRX001");
    EXPECT_EQ(zr::exampleCode("short"), "");
}

TEST(ExamplesInstaller, ServerComesFromZrIni) {
    zrtest::TempDir dir;
    EXPECT_EQ(zr::examplesServer(dir.path()), zr::kDefaultExamplesServer);
    dir.write("zr.ini", "[SYSTEM]\r\nSERVER=wrong:1\r\n[Examples]\r\n  server=127.0.0.1:9123  \r\n[X12]\r\n");
    EXPECT_EQ(zr::examplesServer(dir.path()), "127.0.0.1:9123");
}

TEST(ExamplesInstaller, DownloadWritesOnlyWholeSuccessfulBodies) {
    LoopbackHttpServer server;
    server.set("/qat1/source.x12", 200, "ISA*00~");
    server.set("/cut", LoopbackHttpServer::Answer{LoopbackHttpServer::reply(200, std::string(100, 'z')), 0, true});
    zrtest::TempDir dir;
    const std::string file = dir.write("local.cfg", "the user's map");

    zrtest::PromptRecorder recorder;
    EXPECT_EQ(zr::downloadToFile(server.address(), "qat1/source.x12", file), std::optional<bool>(true));
    EXPECT_EQ(zrtest::readBytes(file), "ISA*00~");

    dir.write("local.cfg", "the user's map");
    struct Case {
        std::string path;
        std::string message;
    };
    for (const Case& c : {Case{"/nothing.cfg", "Error: HTTP 404"}, Case{"/cut", "cut short"}}) {
        EXPECT_EQ(zr::downloadToFile(server.address(), c.path, file), std::optional<bool>(false)) << c.path;
        EXPECT_EQ(zrtest::readBytes(file), "the user's map") << c.path;
        EXPECT_TRUE(examplesSawText(recorder, c.message)) << c.path;
    }

    int closedPort = 0;
    {
        LoopbackHttpServer gone;
        closedPort = gone.port();
    }
    EXPECT_EQ(zr::downloadToFile("127.0.0.1:" + std::to_string(closedPort), "x", file), std::nullopt);
    EXPECT_TRUE(examplesSawText(recorder, "Error: oHttp:open(): "));
    EXPECT_EQ(zrtest::readBytes(file), "the user's map");
}

TEST(ExamplesInstaller, PageFetcherGoesOnWhenConnectionFails) {
    LoopbackHttpServer server;
    server.set("/page.html", 200, "<html>page</html>");
    zrtest::PromptRecorder recorder;
    EXPECT_EQ(zr::fetchPage("http://" + server.address() + "/page.html"), "<html>page</html>");
    EXPECT_EQ(zr::fetchPage("http://" + server.address() + "/other.html"), "");

    int closedPort = 0;
    {
        LoopbackHttpServer gone;
        closedPort = gone.port();
    }
    EXPECT_EQ(zr::fetchPage("http://127.0.0.1:" + std::to_string(closedPort) + "/"), "");
    ASSERT_EQ(recorder.prompts().size(), 1u);
    EXPECT_EQ(recorder.prompts()[0].function, "WQOUT");
    EXPECT_TRUE(examplesSawText(recorder, "\r\nConnection error:\r\n"));
}

TEST(ExamplesInstaller, InstallsArchiveAndListsExamples) {
    LoopbackHttpServer server;
    server.set("/examples/examples.xml", 200,
               "<TITLE>One</TITLE><DESCRIPTION>first</DESCRIPTION><REMOTE_FILE>examples/zr/ZRX001.zip</REMOTE_FILE>");
    server.set("/examples/zr/ZRX001.zip", 200, "PK\x03\x04");
    ExamplesPlacesFixture f(server.address());

    const auto list = zr::downloadExamplesList(f.places);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].title, "One");
    EXPECT_TRUE(wl::fileExists(f.dir.file("examples.xml")));

    zrtest::PromptRecorder recorder(true);
    EXPECT_EQ(zr::installExample(f.places, list[0]), "UnZip Failure.");
    EXPECT_TRUE(wl::folderExists(f.dir.file("Sibling/ZRX001")));
    EXPECT_EQ(zrtest::readBytes(f.dir.file("example.zip")), "PK\x03\x04");
    const std::vector<std::string> captions = {"Create Subdirectory", "Download and install", "Are You Sure?"};
    ASSERT_EQ(recorder.prompts().size(), captions.size());
    for (std::size_t i = 0; i < captions.size(); ++i) EXPECT_EQ(recorder.prompts()[i].caption, captions[i]);
    EXPECT_EQ(recorder.prompts()[0].text,
              "There is not a " + wl::joinPath(f.places.siblingFolder, "ZRX001") + " subdirectory. Create it?");
}

TEST(ExamplesInstaller, InstallRefusals) {
    LoopbackHttpServer server;
    ExamplesPlacesFixture f(server.address());
    const zr::ExampleEntry good{"One", "", "examples/zr/ZRX001.zip"};
    struct Case {
        std::string name;
        zr::ExampleEntry example;
        std::vector<bool> answers;
        bool removeExe;
        std::string result;
    };
    const Case cases[] = {
        {"no sibling program", good, {true, true, true}, true, "Download Example Error"},
        {"folder refused", good, {false}, false, "Download Example Error"},
        {"download refused", good, {true, false}, false, "Download Example Error"},
        {"archive missing on server", good, {true, true, true}, false, "Missing " + f.dir.file("example.zip")},
        {"code leaving the folder", {"Bad", "", "examples/zr/../../x"}, {true, true, true}, false,
         "Download Example Error"},
        {"code with a drive", {"Bad", "", "examples/zr/C:evil"}, {true, true, true}, false, "Download Example Error"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(f.dir.file("Sibling/ZRX001"));
        if (c.removeExe) std::filesystem::remove(f.dir.file("Sibling/sibling.exe"));
        zrtest::PromptRecorder recorder;
        for (bool a : c.answers) recorder.answerNext(a);
        EXPECT_EQ(zr::installExample(f.places, c.example), c.result) << c.name;
        if (c.removeExe) f.dir.write("Sibling/sibling.exe", "MZ");
    }
    EXPECT_FALSE(std::filesystem::exists(f.dir.file("Sibling/x")));
}

TEST(ExamplesInstaller, ClearingKeepsTheUsersFiles) {
    LoopbackHttpServer server;
    ExamplesPlacesFixture f(server.address());
    const std::vector<std::string> kept = {"zr.ini", "837p.cfg", "parse.log", "run.cmd", "form.tcf"};
    for (const auto& name : kept) f.dir.write(name, "user");
    f.dir.write("example.zip", "PK");

    {
        zrtest::PromptRecorder no;
        EXPECT_FALSE(zr::clearExamples(f.places));
        ASSERT_EQ(no.prompts().size(), 1u);
        EXPECT_EQ(no.prompts()[0].text, "This process will delete any existing configuration files.\r Proceed?");
        EXPECT_EQ(no.prompts()[0].caption, "Are You Sure?");
    }
    EXPECT_TRUE(wl::fileExists(f.dir.file("example.zip")));

    zrtest::PromptRecorder yes(true);
    EXPECT_TRUE(zr::clearExamples(f.places));
    EXPECT_FALSE(wl::fileExists(f.dir.file("example.zip")));
    for (const auto& name : kept) EXPECT_TRUE(wl::fileExists(f.dir.file(name))) << name;
}

TEST(ExamplesInstaller, RestartAndArchiveChoice) {
    LoopbackHttpServer server;
    ExamplesPlacesFixture f(server.address());
    f.dir.write("examples.xml", "<TITLE>x</TITLE>");
    const std::string zip = f.dir.write("Demo Set.ZIP", "PK");
    const std::string text = f.dir.write("notes.txt", "x");

    zrtest::PromptRecorder recorder;
    recorder.answerNext(false);
    recorder.answerNext(true);
    recorder.answerFile(zip);
    recorder.answerNext(true);
    recorder.answerFile(text);
    recorder.answerFile("");
    EXPECT_FALSE(zr::confirmRestart(f.places));
    EXPECT_TRUE(wl::fileExists(f.dir.file("examples.xml")));
    EXPECT_TRUE(zr::confirmRestart(f.places));
    EXPECT_FALSE(wl::fileExists(f.dir.file("examples.xml")));

    EXPECT_EQ(zr::chooseExampleArchive(f.dir.path()), zip);
    EXPECT_EQ(zr::chooseExampleArchive(f.dir.path()), "");
    EXPECT_EQ(zr::chooseExampleArchive(f.dir.path()), "");
    const auto& p = recorder.prompts();
    ASSERT_EQ(p.size(), 6u);
    EXPECT_EQ(p[2].kind, wl::PromptKind::File);
    EXPECT_EQ(p[3].text, "Demo Set\r\rInstall this example?");
    EXPECT_EQ(p[3].caption, "Install Example");
}

}  // namespace
