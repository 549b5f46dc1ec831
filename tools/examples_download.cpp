#include "examples_download.hpp"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "examples_installer.hpp"
#include "file_io.hpp"
#include "http_get.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "tagged_text.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

namespace {

struct ExampleRow {
    const char* name;
    const char* transaction;
};
constexpr ExampleRow kExamples[] = {
    {"835 Remittance", "835"},          {"837I Institutional Claims", "837I"}, {"837P Professional Claims", "837P"},
    {"271 Eligibility Response", "271"}, {"837D Dental Claims", "837D"},        {"270 Eligibility Inquiry", "270"},
    {"834 Benefit Enrollment", "834"},   {"277 Claim Status Response", "277"},
};
constexpr int kExampleCount = static_cast<int>(std::size(kExamples));
constexpr ExampleVariant kVariants[] = {ExampleVariant::Basic, ExampleVariant::SL, ExampleVariant::ML};
constexpr int kLocalProjects = 4;

void show(const std::string& text) { wl::WQOUT({wl::Value(text)}); }

bool ask(const std::string& text, const std::string& caption) {
    return wl::MSGYESNO(wl::Value(text), wl::Value(caption));
}

std::string trimmedText(const std::string& s) { return wl::alltrim(s); }

// The contents of each pair of `tag` in the text, in order.
std::vector<std::string> elements(const std::string& text, const std::string& tag) {
    std::vector<std::string> out;
    const int count = ZQK_0001G(text, tag);
    for (int k = 1; k <= count; ++k) out.push_back(ZQK_0001H(text, tag, k));
    return out;
}

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> commaItems(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        if (comma > start) items.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return items;
}

bool beginsWith(const std::string& text, const std::string& prefix) {
    return !prefix.empty() && text.compare(0, prefix.size(), prefix) == 0;
}

// A plain name of a file the server names: it stays in the folder it is
// joined to.
bool safeServerName(const std::string& name) {
    return wl::isPlainFileName(name) && name.find(':') == std::string::npos;
}

// Descriptions as child nodes of `parent`.
void addDescription(ToolTree& tree, ToolNode parent, const std::string& text) {
    for (const std::string& line : wrapDescription(text)) tree.addChild(parent, line);
}

std::string exampleFolder(const DownloadPlaces& places, int n) {
    return wl::joinPath(places.folder, exampleFolderName(n));
}

}  // namespace

std::string CTLD51100D(int n) { return n >= 1 && n <= kExampleCount ? kExamples[n - 1].name : ""; }

std::string exampleTransaction(int n) { return n >= 1 && n <= kExampleCount ? kExamples[n - 1].transaction : ""; }

std::string variantLabel(ExampleVariant v) {
    switch (v) {
    case ExampleVariant::SL: return " using the SL option";
    case ExampleVariant::ML: return " using the ML option";
    default: return " Basic";
    }
}

std::string variantMapFile(int n, ExampleVariant v) {
    const char letter = v == ExampleVariant::SL ? 'b' : v == ExampleVariant::ML ? 'c' : 'a';
    return exampleFolderName(n) + letter + ".cfg";
}

std::string variantOptions(ExampleVariant v) {
    return v == ExampleVariant::SL ? "sl," : v == ExampleVariant::ML ? "ml," : "";
}

std::string exampleFolderName(int n) { return "qat" + std::to_string(n); }

std::vector<ManifestExample> parseManifest(const std::string& text) {
    std::vector<ManifestExample> list;
    for (const std::string& element : elements(text, "QATEST"))
        list.push_back({ZQK_0001A(element, "NAME"), ZQK_0001A(element, "MAPA"), ZQK_0001A(element, "MAPB"),
                        ZQK_0001A(element, "MAPC")});
    return list;
}

void CTLD51100A(ToolTree& tree, const std::string& manifest) {
    const ToolNode root = tree.addRoot("Available Examples");
    const std::vector<ManifestExample> list = parseManifest(manifest);
    for (std::size_t k = 0; k < list.size(); ++k) {
        const ManifestExample& e = list[k];
        std::string name = CTLD51100D(static_cast<int>(k + 1));
        if (name.empty()) name = trimmedText(e.name);  // beyond the known examples: shown, never installed
        const ToolNode node = tree.addChild(root, name);
        if (!trimmedText(e.mapC).empty()) tree.addChild(node, name + variantLabel(ExampleVariant::ML));
        if (!trimmedText(e.mapB).empty()) tree.addChild(node, name + variantLabel(ExampleVariant::SL));
        if (!trimmedText(e.mapA).empty()) tree.addChild(node, name + variantLabel(ExampleVariant::Basic));
    }
}

void CTLD51100B(const std::string& folder, ToolTree& tree) {
    const ToolNode root = tree.addRoot("Your local X12 Examples");
    for (int n = 1; n <= kExampleCount; ++n) {
        const std::string dir = wl::joinPath(folder, exampleFolderName(n));
        for (ExampleVariant v : kVariants)
            if (wl::fileExists(wl::joinPath(dir, variantMapFile(n, v))))
                tree.addChild(root, CTLD51100D(n) + variantLabel(v));
    }
}

std::optional<ExampleChoice> exampleOfNode(const std::string& text) {
    for (int n = 1; n <= kExampleCount; ++n)
        for (ExampleVariant v : kVariants)
            if (beginsWith(text, CTLD51100D(n) + variantLabel(v))) return ExampleChoice{n, v};
    return std::nullopt;
}

std::string fetchServerText(const std::string& server, const std::string& path) {
    const auto url = parseHttpUrl(joinServerPath(server, path));
    if (!url) {
        show("Error: oHttp:open(): bad server address " + server);
        return "";
    }
    const HttpGetResult got = httpGet(*url);
    if (!got.connected) {
        show("Error: oHttp:open(): " + got.error);
        return "";
    }
    if (!got.reply) {
        show("Error: HTTP reply cut short or malformed");
        return "";
    }
    // An error page is no list: the tree stays with its root alone.
    if (!httpSuccess(got.reply->status)) {
        show("Error: HTTP " + std::to_string(got.reply->status));
        return "";
    }
    return got.reply->body;
}

std::string CTLD51100C(const std::string& server) { return fetchServerText(server, kManifestPath); }

std::string CTLD51400C(const std::string& server) { return fetchServerText(server, kProjectsPath); }

bool ensureDownloadFolder(const std::string& localFolder, const std::string& folder) {
    if (wl::folderExists(folder)) return true;
    if (!ask("Create folder " + folder + " ?", "Create folder?")) return false;
    std::error_code ec;
    if (!wl::folderExists(localFolder)) std::filesystem::create_directory(localFolder, ec);
    if (!ec) std::filesystem::create_directory(folder, ec);
    if (ec) show("DOS error " + std::to_string(ec.value()));
    return wl::folderExists(folder);
}

DriverRequest exampleToCsvRequest(const DownloadPlaces& places, ExampleChoice c) {
    const std::string dir = exampleFolder(places, c.number);
    DriverRequest r;
    r.modelCode = places.modelCode;
    r.type = "X12,CSV";
    r.source = wl::joinPath(dir, "source.x12");
    r.destination = dir;
    r.options = variantOptions(c.variant) + "ow,ho,outfile=" + wl::joinPath(dir, "output.csv") +
                ",map=" + wl::joinPath(dir, variantMapFile(c.number, c.variant));
    r.currentFolder = places.currentFolder;
    r.mode = DriverMode::DialogFirst;
    r.showMeter = true;
    return r;
}

DriverRequest exampleToX12Request(const DownloadPlaces& places, ExampleChoice c) {
    DriverRequest r = exampleToCsvRequest(places, c);
    const std::string dir = r.destination;
    r.type = "CSV,X12";
    r.source = wl::joinPath(dir, "output.csv");
    r.options = variantOptions(c.variant) + "ow,outfile=" +
                wl::joinPath(dir, "new" + exampleTransaction(c.number) + ".x12") + ",map=" +
                wl::joinPath(dir, variantMapFile(c.number, c.variant));
    return r;
}

void runExample(const DownloadPlaces& places, ExampleChoice c, const DownloadActions& actions) {
    const std::string dir = exampleFolder(places, c.number);
    const std::string csv = wl::joinPath(dir, "output.csv");
    std::error_code ec;
    std::filesystem::remove(csv, ec);
    actions.convert(exampleToCsvRequest(places, c));
    if (!wl::fileExists(csv)) return;
    if (ask("View the " + csv + " CSV file?", "View CSV File?")) actions.viewCsv(csv);
    const std::string t = exampleTransaction(c.number);
    if (!ask("Convert the " + csv + " CSV file back to an X12 " + t + " file?", "Convert Back to CSV File?")) return;
    // The new file of an earlier run must not pass for this run's.
    const std::string x12 = wl::joinPath(dir, "new" + t + ".x12");
    std::filesystem::remove(x12, ec);
    actions.convert(exampleToX12Request(places, c));
    if (wl::fileExists(x12) && ask("View the " + wl::joinPath(dir, "new" + t) + ".x12 file?", "View new" + t + ".x12 File?"))
        actions.viewX12(x12);
}

bool installExampleVariant(const DownloadPlaces& places, ExampleChoice c, const std::string& nodeText) {
    if (!ask("Download and install the " + nodeText + " example?", "Set up this example?")) return false;
    const std::string dir = exampleFolder(places, c.number);
    if (!ensureDownloadFolder(places.folder, dir)) return false;
    const std::string name = exampleFolderName(c.number), map = variantMapFile(c.number, c.variant);
    const bool source = downloadToFile(places.server, name + "/source.x12", wl::joinPath(dir, "source.x12")).value_or(false);
    const bool mapped = source && downloadToFile(places.server, name + "/" + map, wl::joinPath(dir, map)).value_or(false);
    return source && mapped;
}

void CTLD51100E(const std::string& nodeText, int action, const DownloadPlaces& places,
                const DownloadActions& actions) {
    const auto choice = exampleOfNode(nodeText);
    if (!choice) return;
    if (action == 1)
        runExample(places, *choice, actions);
    else if (action == 2)
        installExampleVariant(places, *choice, nodeText);
}

std::vector<ProjectEntry> parseProjects(const std::string& text) {
    std::vector<ProjectEntry> list;
    for (const std::string& element : elements(text, "QAPROJECT"))
        list.push_back({ZQK_0001A(element, "PROJECT"), ZQK_0001A(element, "DESCRIPTION")});
    return list;
}

std::vector<std::string> wrapDescription(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == ' ' && line.size() >= 40) {
            lines.push_back(line);
            line.clear();
            continue;
        }
        line += c;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

AvailableProjects CTLD51400A(ToolTree& tree, const std::string& projects) {
    AvailableProjects out;
    const ToolNode root = tree.addRoot("Available Sample Projects");
    for (const ProjectEntry& p : parseProjects(projects)) {
        const ToolNode node = tree.addChild(root, p.name);
        addDescription(tree, node, p.description);
        out.names.push_back(p.name);
        out.descriptions.push_back(p.description);
    }
    return out;
}

std::string projectFolder(const std::string& folder, int k) {
    return wl::joinPath(folder, "project" + std::to_string(k));
}

LocalProjects CTLD51400B(const std::string& folder, ToolTree& tree) {
    LocalProjects out;
    const ToolNode root = tree.addRoot("Your local Sample Projects");
    for (int k = 1; k <= kLocalProjects; ++k) {
        const std::string dir = projectFolder(folder, k);
        if (!wl::fileExists(wl::joinPath(dir, "cmd.xml"))) continue;
        const std::string name = "Project " + std::to_string(k);
        const ToolNode node = tree.addChild(root, name);
        const std::string desc = wl::joinPath(dir, "desc.txt");
        if (wl::fileExists(desc)) addDescription(tree, node, CTL39400AY(desc));
        out.names.push_back(name);
        out.folders.push_back(dir);
    }
    return out;
}

ProjectCommand parseProjectCommand(const std::string& text) {
    ProjectCommand c;
    c.type = ZQK_0001A(text, "TYPE");
    c.source = ZQK_0001A(text, "SOURCE");
    c.destination = ZQK_0001A(text, "DESTINATION");
    c.options = ZQK_0001A(text, "OPTIONS");
    for (const std::string& f : elements(text, "FILE")) c.files.push_back(trimmedText(f));
    return c;
}

bool CTLD51400E(const std::string& nodeText, const AvailableProjects& available, const DownloadPlaces& places) {
    std::size_t index = 0;
    while (index < available.names.size() && !beginsWith(nodeText, available.names[index])) ++index;
    if (index == available.names.size()) return false;
    const std::string& name = available.names[index];
    if (!ask("Would you like to download " + name + "?", "Download Project?")) return false;
    const int k = static_cast<int>(index + 1);
    const std::string dir = projectFolder(places.folder, k);
    if (!ensureDownloadFolder(places.folder, dir)) return false;
    wl::writeFileAtomically(wl::joinPath(dir, "desc.txt"), available.descriptions[index]);
    const std::string remote = "project" + std::to_string(k);
    const std::string cmd = wl::joinPath(dir, "cmd.xml");
    if (!downloadToFile(places.server, remote + "/cmd.xml", cmd).value_or(false)) return false;
    bool whole = true;
    for (const std::string& file : parseProjectCommand(CTL39400AY(cmd)).files) {
        // The names come from the server and become local paths.
        if (!safeServerName(file)) {
            show("Project file refused, not a plain file name: " + file);
            whole = false;
            continue;
        }
        whole = downloadToFile(places.server, remote + "/" + file, wl::joinPath(dir, file)).value_or(false) && whole;
    }
    return whole;
}

namespace {

std::filesystem::path normalPath(const std::string& path) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(std::filesystem::path(path), ec);
    return (ec ? std::filesystem::path(path) : p).lexically_normal();
}

std::string comparable(const std::filesystem::path& p) {
    std::string s = p.generic_string();
#ifdef _WIN32
    s = upper(s);  // Windows names carry no case
#endif
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

// `value` taken in the project folder when relative; "" when it leads out of it.
std::string insideFolder(const std::string& value, const std::string& folder, bool folderItself) {
    const std::string v = trimmedText(value);
    if (v.empty()) return "";
    const std::filesystem::path given(v);
    const bool rooted = given.has_root_directory() || given.has_root_name();
    const std::string resolved = rooted ? v : wl::joinPath(folder, v);
    const std::string base = comparable(normalPath(folder)), path = comparable(normalPath(resolved));
    std::string tidy = std::filesystem::path(resolved).lexically_normal().string();
    while (tidy.size() > 1 && wl::isPathSeparator(tidy.back())) tidy.pop_back();
    if (path == base) return folderItself ? tidy : "";
    return path.compare(0, base.size() + 1, base + "/") == 0 ? tidy : "";
}

constexpr const char* kPathOptions[] = {"OUTFILE=", "PARSELOG=", "MAP=", "MAPPATH=", "DEFAULTMAPPATH="};

}  // namespace

std::optional<DriverRequest> projectRequest(const ProjectCommand& command, const std::string& folder,
                                            const std::string& currentFolder, std::string& why) {
    DriverRequest r;
    r.type = trimmedText(command.type);
    r.currentFolder = currentFolder;
    r.mode = DriverMode::DialogFirst;
    r.showMeter = true;
    r.source = insideFolder(command.source, folder, false);
    r.destination = insideFolder(command.destination, folder, true);
    if (r.source.empty()) why = "The source is not a file of the project folder: " + command.source;
    else if (r.destination.empty()) why = "The destination is not in the project folder: " + command.destination;
    if (!why.empty()) return std::nullopt;
    std::string options;
    for (std::string item : commaItems(command.options)) {
        const std::string key = upper(trimmedText(item));
        for (const char* p : kPathOptions) {
            if (!beginsWith(key, p) || (std::string(p) == "MAP=" && beginsWith(key, "MAPPATH="))) continue;
            const std::string value = trimmedText(item).substr(std::string(p).size());
            const std::string inside = insideFolder(value, folder, std::string(p).find("PATH") != std::string::npos);
            if (inside.empty()) {
                why = "The option " + trimmedText(item) + " leads out of the project folder";
                return std::nullopt;
            }
            item = trimmedText(item).substr(0, std::string(p).size()) + inside;
            break;
        }
        if (!options.empty()) options += ",";
        options += item;
    }
    r.options = options;
    return r;
}

void CTLD51400G(const std::string& nodeText, const LocalProjects& local, const DownloadPlaces& places,
                const DownloadActions& actions) {
    std::size_t index = 0;
    while (index < local.names.size() && !beginsWith(nodeText, local.names[index])) ++index;
    if (index == local.names.size()) return;
    const std::string cmd = wl::joinPath(local.folders[index], "cmd.xml");
    if (!wl::fileExists(cmd)) return;
    std::string why;
    auto request = projectRequest(parseProjectCommand(CTL39400AY(cmd)), local.folders[index], places.currentFolder, why);
    if (!request) {
        show(local.names[index] + " was not run. " + why);
        return;
    }
    request->modelCode = places.modelCode;
    // The request comes from the server: its options may replace files or
    // delete the source, so the user sees it before it runs.
    if (!ask("Run " + local.names[index] + "?\r\nType: " + request->type + "\r\nSource: " + request->source +
                 "\r\nDestination: " + request->destination + "\r\nOptions: " + request->options,
             "Run Project?"))
        return;
    actions.convert(*request);
}

}  // namespace zr
