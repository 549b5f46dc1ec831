#include "examples_installer.hpp"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "file_io.hpp"
#include "http_get.hpp"
#include "ini_lines.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "tagged_text.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

namespace {

void showError(const std::string& text) { wl::WQOUT({wl::Value(text)}); }

std::string trimBlanks(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    s.erase(0, s.find_first_not_of(' ') == std::string::npos ? s.size() : s.find_first_not_of(' '));
    return s;
}

bool deleteFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::remove(path, ec);
}

}  // namespace

std::string examplesServer(const std::string& folder) {
    std::string server;
    IniSectionWalker walker({{"[EXAMPLES]", 1, SectionEnd::NextSection}});
    walkZrIni(folder, [&](const std::string& line) {
        if (walker.keyLine(line) && walker.current() == 1 && wl::prefixMatch(line, "SERVER="))
            server = trimBlanks(line.substr(7));
    });
    return server.empty() ? kDefaultExamplesServer : server;
}

std::vector<ExampleEntry> parseExamplesList(const std::string& text) {
    const int count = std::max(1, ZQK_0001G(text, "TITLE"));
    std::vector<ExampleEntry> list;
    for (int k = 1; k <= count; ++k) {
        ExampleEntry e;
        e.title = ZQK_0001H(text, "TITLE", k);
        e.title.erase(std::remove_if(e.title.begin(), e.title.end(), [](char c) { return c == '\r' || c == '\n'; }),
                      e.title.end());
        e.description = ZQK_0001H(text, "DESCRIPTION", k);
        e.remoteFile = ZQK_0001H(text, "REMOTE_FILE", k);
        list.push_back(std::move(e));
    }
    return list;
}

std::vector<ExampleEntry> readExamplesList(const std::string& file) { return parseExamplesList(CTL39400AY(file)); }

std::optional<bool> downloadToFile(const std::string& server, std::string_view serverPath,
                                   const std::string& localFile) {
    const auto url = parseHttpUrl(joinServerPath(server, serverPath));
    if (!url) {
        showError("Error: oHttp:open(): bad server address " + server);
        return std::nullopt;
    }
    const HttpGetResult got = httpGet(*url);
    if (!got.connected) {
        showError("Error: oHttp:open(): " + got.error);
        return std::nullopt;
    }
    if (!got.reply) {
        showError("Error: HTTP reply cut short or malformed");
        return false;
    }
    // An error page is not the file asked for: it must not become a map,
    // a source file or a list.
    if (!httpSuccess(got.reply->status)) {
        showError("Error: HTTP " + std::to_string(got.reply->status));
        return false;
    }
    if (const int rc = wl::writeFileAtomically(localFile, got.reply->body); rc != 0) {
        showError("Error: cannot write " + localFile + " (" + std::to_string(rc) + ")");
        return false;
    }
    return true;
}

std::string fetchPage(const std::string& url) {
    const auto parsed = parseHttpUrl(url);
    if (!parsed) {
        wl::WQOUT({wl::Value("Connection error:"), wl::Value("bad address " + url)});
        return "";
    }
    const HttpGetResult got = httpGet(*parsed);
    if (!got.connected) {
        // Reported, and the program goes on: a missing network is no reason to end it.
        wl::WQOUT({wl::Value("Connection error:"), wl::Value(got.error)});
        return "";
    }
    if (!got.reply || !httpSuccess(got.reply->status)) return "";
    return got.reply->body;
}

std::string siblingProgramFolder(const std::string& programName, const std::string& currentFolder) {
    const std::filesystem::path root = std::filesystem::path(currentFolder).root_path();
    return wl::joinPath(root.string(), programName);
}

std::vector<ExampleEntry> downloadExamplesList(const ExamplesInstallerPlaces& places) {
    const std::string file = wl::joinPath(places.currentFolder, kExamplesListFile);
    downloadToFile(places.server, kExamplesListPath, file);
    return readExamplesList(file);
}

std::string exampleCode(const std::string& remoteFile) {
    return remoteFile.size() > 12 ? remoteFile.substr(12, 6) : std::string();
}

std::string installExample(const ExamplesInstallerPlaces& places, const ExampleEntry& example) {
    static const std::string kError = "Download Example Error";
    const std::string code = exampleCode(example.remoteFile);
    // The code comes from the server and becomes a folder name: it must not
    // lead out of the sibling program's folder.
    if (!wl::isPlainFileName(code) || code.find(':') != std::string::npos) {
        showError("The example code \"" + code + "\" is not a folder name");
        return kError;
    }
    const std::string exe = wl::joinPath(places.siblingFolder, places.programName + ".exe");
    if (!wl::fileExists(exe)) {
        showError(places.programName + " is not installed in " + places.siblingFolder);
        return kError;
    }
    const std::string folder = wl::joinPath(places.siblingFolder, code);
    if (!wl::folderExists(folder)) {
        if (wl::MSGYESNO(wl::Value("There is not a " + folder + " subdirectory. Create it?"),
                         wl::Value(std::string("Create Subdirectory")))) {
            std::error_code ec;
            std::filesystem::create_directory(folder, ec);
        }
        if (!wl::folderExists(folder)) return kError;
    }
    if (!wl::MSGYESNO(wl::Value(std::string("Download and install this example")),
                      wl::Value(std::string("Download and install"))))
        return kError;
    clearExamples(places);
    const std::string archive = wl::joinPath(places.currentFolder, kExampleArchive);
    downloadToFile(places.server, example.remoteFile, archive);
    if (!wl::fileExists(archive)) return "Missing " + archive;
    return "UnZip Failure.";
}

bool clearExamples(const ExamplesInstallerPlaces& places) {
    if (!wl::MSGYESNO(wl::Value(std::string("This process will delete any existing configuration files.\r Proceed?")),
                      wl::Value(std::string("Are You Sure?"))))
        return false;
    // Only what the installer itself put there goes: the maps, logs and
    // "zr.ini" of the folder are the user's.
    deleteFile(wl::joinPath(places.currentFolder, kExampleArchive));
    return true;
}

bool confirmRestart(const ExamplesInstallerPlaces& places) {
    if (!wl::MSGYESNO(wl::Value(std::string("Restart this program?")), wl::Value(std::string("Restart Program"))))
        return false;
    deleteFile(wl::joinPath(places.currentFolder, kExamplesListFile));
    return true;
}

std::string chooseExampleArchive(const std::string& startFolder) {
    wl::FileDialogRequest request;
    request.filter = "*.zip";
    request.title = "Select an example to install.";
    request.initialDir = startFolder;
    const std::string file = wl::CGETFILE(request);
    if (file.size() < 4 || !wl::fileExists(file)) return "";
    std::string ext = file.substr(file.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext != ".zip") return "";
    const std::string name = wl::fileNamePart(file);
    const std::string base = name.substr(0, name.size() - 4);
    if (!wl::MSGYESNO(wl::Value(base + "\r\rInstall this example?"), wl::Value(std::string("Install Example"))))
        return "";
    return file;
}

}  // namespace zr
