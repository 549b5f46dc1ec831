// The examples installer: the list of downloadable examples ("examples.xml"),
// the download routine that fetches a server path into a local file, the
// install of one example, the clearing, the restart question, the archive
// installer and the page fetcher. The "Download Examples" dialog is on top
// (tools/screens/examples_installer_window.*).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zr {

// The server the installer asks when "zr.ini" names none.
inline constexpr const char* kDefaultExamplesServer = "127.0.0.1:8418";

// [EXAMPLES] SERVER= of "zr.ini" in the folder ("" for the current folder):
// "host[:port]"; kDefaultExamplesServer without one.
std::string examplesServer(const std::string& folder = "");

struct ExampleEntry {
    std::string title;  // CR and LF removed
    std::string description;
    std::string remoteFile;
};

// The examples of a list text: one per closing "TITLE" tag, the k-th taking
// the k-th value of each tag. No "TITLE" tag gives one empty entry.
std::vector<ExampleEntry> parseExamplesList(const std::string& text);
// The list file read and parsed (a missing file: one empty entry).
std::vector<ExampleEntry> readExamplesList(const std::string& file);

// The download routine: GET of `serverPath` on `server`, the body written
// whole in place of `localFile` when the server answered 2xx. Nullopt when
// the connection could not be opened ("Error: oHttp:open(): " + the error
// text is shown), false when the reply was not 2xx ("Error: HTTP " + status
// is shown), was cut short, or could not be written; the local file then
// stays as it was.
std::optional<bool> downloadToFile(const std::string& server, std::string_view serverPath,
                                   const std::string& localFile);

// The page fetcher: the body of a GET of the URL. When the connection
// cannot be opened, "Connection error:" and the error text are shown and the
// answer is "" (the program goes on); a reply that is not 2xx or is cut
// short also gives "".
std::string fetchPage(const std::string& url);

// Everything an install needs to know about where things are.
struct ExamplesInstallerPlaces {
    std::string programName;    // the sibling program: its executable is programName + ".exe"
    std::string siblingFolder;  // that program's folder
    std::string currentFolder;  // where "examples.xml" and "example.zip" live
    std::string server;         // the examples server, "host[:port]"
};

// The sibling program's folder: a folder named after it at the root of the
// drive (or file system) of `currentFolder`.
std::string siblingProgramFolder(const std::string& programName, const std::string& currentFolder);

inline constexpr const char* kExamplesListFile = "examples.xml";
inline constexpr const char* kExampleArchive = "example.zip";
inline constexpr const char* kExamplesListPath = "/examples/examples.xml";

// "Get Example List": fetches the list into the current folder's
// "examples.xml" and reads it again.
std::vector<ExampleEntry> downloadExamplesList(const ExamplesInstallerPlaces& places);

// The example code: characters 13 to 18 of the remote file name.
std::string exampleCode(const std::string& remoteFile);

// Installs one example and answers the result text shown in the dialog:
// "Download Example Error", "Missing " + archive path, or "UnZip
// Failure." (this system does not unpack archives).
std::string installExample(const ExamplesInstallerPlaces& places, const ExampleEntry& example);

// The clearing: after "Are You Sure?" it deletes the archive the installer
// downloaded, the only file it installs. Answers whether it was confirmed.
bool clearExamples(const ExamplesInstallerPlaces& places);

// The restart question; on Yes "examples.xml" is deleted and true tells the
// caller to start the program again and end this one.
bool confirmRestart(const ExamplesInstallerPlaces& places);

// The archive installer: the file chooser ("*.zip", "Select an example to
// install.") and the question; answers the chosen archive when confirmed,
// "" otherwise. Unpacking it is not part of this system.
std::string chooseExampleArchive(const std::string& startFolder);

}  // namespace zr
