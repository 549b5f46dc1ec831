// The examples and projects download: the lists the examples server offers
// ("/manifest.xml", "/projects.xml"), the trees of what it offers and of
// what is installed, installing an example or a project into the local
// folder and running it through the conversion driver. The two windows are
// on top (tools/screens/examples_window.*, projects_window.*).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "conversion_driver.hpp"
#include "tool_tree.hpp"

namespace zr {

inline constexpr const char* kManifestPath = "/manifest.xml";
inline constexpr const char* kProjectsPath = "/projects.xml";
// The local folder both windows start with: a folder of the current drive.
inline constexpr const char* kDefaultExamplesFolder = "\\qa";
inline constexpr const char* kProjectsRootName = "qa";

enum class ExampleVariant { Basic, SL, ML };

// One example variant the user picked: the example number (1 to 8) and
// the variant.
struct ExampleChoice {
    int number = 0;
    ExampleVariant variant = ExampleVariant::Basic;
};

// CTLD51100D: the example's name of the table, "" for another number.
std::string CTLD51100D(int n);
// The transaction text of example n used in file names and questions ("835", "837I" ...).
std::string exampleTransaction(int n);
// " Basic", " using the SL option", " using the ML option".
std::string variantLabel(ExampleVariant v);
// "qat" + n + "a.cfg" / "b.cfg" / "c.cfg".
std::string variantMapFile(int n, ExampleVariant v);
// The variant's option words: "", "sl,", "ml,".
std::string variantOptions(ExampleVariant v);
// The example's folder name, "qat" + n.
std::string exampleFolderName(int n);

// One "QATEST" element of the manifest, its tags read inside it.
struct ManifestExample {
    std::string name, mapA, mapB, mapC;
};
// Each "QATEST" element with the tags it holds (an element lacking a tag
// has it empty; a tag is never taken from another element).
std::vector<ManifestExample> parseManifest(const std::string& text);

// CTLD51100A: the available-examples tree of a manifest text.
void CTLD51100A(ToolTree& tree, const std::string& manifest);
// CTLD51100B: the local-examples tree: the variants whose map stands in
// folder\qatN\.
void CTLD51100B(const std::string& folder, ToolTree& tree);
// The example variant a node names: its text begins with an example's
// name and a variant label; nullopt for any other text.
std::optional<ExampleChoice> exampleOfNode(const std::string& text);

// Where the windows work: the local folder, the program's current folder
// (where "parse.log" goes) and the examples server ("host[:port]").
struct DownloadPlaces {
    std::string folder = kDefaultExamplesFolder;
    std::string currentFolder;
    std::string server;
    std::string modelCode = "ZRK7W315";
};

// What a run opens: the conversion (the driver with its dialog first), the
// CSV viewer and the X12 viewer. Every one must be given.
struct DownloadActions {
    std::function<void(const DriverRequest&)> convert;
    std::function<void(const std::string&)> viewCsv;
    std::function<void(const std::string&)> viewX12;
};

// The body of a GET of `path` when the server answered 2xx; "" otherwise,
// with the reason shown ("Error: oHttp:open(): " + the error text, "Error:
// HTTP " + status).
std::string fetchServerText(const std::string& server, const std::string& path);
// CTLD51100C: the manifest text ("" on failure).
std::string CTLD51100C(const std::string& server);
// CTLD51400C: the projects list text ("" on failure).
std::string CTLD51400C(const std::string& server);

// The folder question and creation shared by both installs: asks "Create
// folder " + folder + " ?" when it is missing and creates the local
// folder, then `folder`. Answers whether `folder` exists afterwards.
bool ensureDownloadFolder(const std::string& localFolder, const std::string& folder);

// The requests a run of example variant `c` hands to the driver: X12 to
// CSV, and CSV back to X12.
DriverRequest exampleToCsvRequest(const DownloadPlaces& places, ExampleChoice c);
DriverRequest exampleToX12Request(const DownloadPlaces& places, ExampleChoice c);
// The run (action 1): converts, then offers to view the CSV, to convert it
// back and to view the new X12 file.
void runExample(const DownloadPlaces& places, ExampleChoice c, const DownloadActions& actions);
// The install (action 2) after "Download and install the ... example?":
// the example's source and the variant's map. Answers whether both arrived.
bool installExampleVariant(const DownloadPlaces& places, ExampleChoice c, const std::string& nodeText);
// CTLD51100E: runs (1) or installs (2) the example a node names; other
// nodes do nothing.
void CTLD51100E(const std::string& nodeText, int action, const DownloadPlaces& places,
                const DownloadActions& actions);

// One "QAPROJECT" element of the projects list.
struct ProjectEntry {
    std::string name, description;
};
std::vector<ProjectEntry> parseProjects(const std::string& text);
// A description as tree lines: once 40 or more characters are collected
// the next blank ends the line (the blank dropped); the rest is the last.
std::vector<std::string> wrapDescription(const std::string& text);

struct AvailableProjects {
    std::vector<std::string> names, descriptions;
};
// CTLD51400A: the available-projects tree of a projects list text.
AvailableProjects CTLD51400A(ToolTree& tree, const std::string& projects);

struct LocalProjects {
    std::vector<std::string> names, folders;
};
// The folder of project k: folder\projectK.
std::string projectFolder(const std::string& folder, int k);
// CTLD51400B: the local-projects tree: "Project " + K for each of the
// first four project folders holding "cmd.xml", with its description.
LocalProjects CTLD51400B(const std::string& folder, ToolTree& tree);

// The project's command file "cmd.xml".
struct ProjectCommand {
    std::string type, source, destination, options;
    std::vector<std::string> files;
};
ProjectCommand parseProjectCommand(const std::string& text);

// CTLD51400E: installs the first project whose name the node text begins
// with: "desc.txt", "cmd.xml" and each file it names, all in
// folder\projectK. A file name that is not a plain name (a separator, "..",
// a drive) is refused. Answers whether the install ran to its end.
bool CTLD51400E(const std::string& nodeText, const AvailableProjects& available, const DownloadPlaces& places);

// The conversion request of a project's command file with every path
// resolved in the project folder (a relative name is taken there); nullopt
// with the reason when a path leads out of it.
std::optional<DriverRequest> projectRequest(const ProjectCommand& command, const std::string& folder,
                                            const std::string& currentFolder, std::string& why);
// CTLD51400G: runs the first local project the node text names, after the
// question "Run Project?" that shows its request.
void CTLD51400G(const std::string& nodeText, const LocalProjects& local, const DownloadPlaces& places,
                const DownloadActions& actions);

}  // namespace zr
