#include "conversion_dialog_model.hpp"

#include "text.hpp"
#include "text_files.hpp"

namespace zr {

namespace {
bool beginsUpper(const std::string& text, const char* prefix) { return wl::prefixMatch(wl::upper(text), prefix); }
}  // namespace

std::string padItem(const std::string& text) {
    return text.size() >= kItemWidth ? text : text + std::string(kItemWidth - text.size(), ' ');
}

ConversionItems editedItems(ConversionItems items) {
    items.source = padItem(items.source);
    items.destination = padItem(items.destination);
    items.options = padItem(items.options);
    return items;
}

std::string CTLD48401H(const std::string& path) {
    if (wl::alltrim(path).find(' ') == std::string::npos) return path;
    wl::WQOUT({wl::Value("WARNING : Folder contains a SPACE in it's name. Your selection cannot be used")});
    return std::string(kItemWidth, ' ');
}

std::string sourceFormatChosen(const std::string& type, const std::optional<std::string>& chosen) {
    return chosen ? *chosen : type;
}

bool asksOutputType(const std::string& type) { return beginsUpper(type, "X12"); }

std::string outputTypeAppended(const std::string& type, const std::optional<std::string>& chosen) {
    if (!asksOutputType(type)) return type + ",X12";
    return chosen ? type + "," + *chosen : type;
}

void chooseSourceFolder(ConversionItems& items, const ConversionChoosers& choose) {
    const std::string folder = choose.folder ? choose.folder("Source Folder") : "";
    if (folder.empty()) return;
    items.source = padItem(CTLD48401H(folder));
}

void chooseSourceFile(ConversionItems& items, const ConversionChoosers& choose, const std::string& workingFolder) {
    wl::FileDialogRequest r;
    r.filter = "*.*";
    r.title = "Select X12 File";
    r.initialDir = workingFolder;
    const std::string file = choose.file ? choose.file(r) : "";
    if (file.empty()) return;
    items.source = CTLD48401H(file);
}

std::string CTLD48401F(const std::string& type, const ConversionChoosers& choose) {
    if (beginsUpper(type, "ODBC")) return "";
    return choose.folder ? choose.folder("Destination Folder") : "";
}

void chooseDestinationFolder(ConversionItems& items, const ConversionChoosers& choose) {
    if (beginsUpper(items.type, "ODBC")) return;
    const std::string folder = CTLD48401F(items.type, choose);
    if (folder.empty()) return;
    items.destination = padItem(CTLD48401H(folder));
}

ConversionItems endedItems(ConversionItems items, DialogEnding ending) {
    if (ending != DialogEnding::Begin) items.type.clear();
    return items;
}

std::string CTLD48401A(const std::string& text) { return text == "YES" ? "NO" : "YES"; }

std::string CTLD48401B(const ConversionItems& header, const OptionAnswers& answers) {
    if (wl::alltrim(header.type).empty()) wl::WQOUT({wl::Value("Parser Output Type Required.")});
    else if (wl::alltrim(header.source).empty()) wl::WQOUT({wl::Value("Source File or Folder Required.")});
    std::string options;
    auto add = [&options](const std::string& word) {
        if (word.empty()) return;
        if (!options.empty()) options += ",";
        options += word;
    };
    if (answers.ignoreCase) add("IC");
    if (answers.overwrite) add("OW");
    if (answers.header) add("HO");
    if (answers.fileLoop) add("FL");
    if (answers.merge) add("MF");
    add(wl::alltrim(answers.extra));
    return options;
}

std::string CTLD48401C(const std::string& code) {
    if (code == "DM") return "Mapped Format";
    if (code == "FL") return "File Loop Format";
    return "";
}

std::string CTLD48401D(const std::string& value, const std::string& type) { return type == "837" ? "YES" : value; }

std::string CTLD48401E(const std::string& kind, const std::string& folder, const ConversionChoosers& choose) {
    if (beginsUpper(kind, "ODBC")) return choose.dataSource ? choose.dataSource() : "";
    wl::FileDialogRequest r;
    r.filter = "*.*";
    r.title = "Destination File";
    r.initialDir = folder;
    return choose.file ? choose.file(r) : "";
}

void CTL48401(int /*mode*/, const std::string& file) {
    bool inConfig = false;
    for (const std::string& line : wl::crLines(CTL39400AY(file))) {
        const std::string trimmed = wl::alltrim(line);
        if (!trimmed.empty() && trimmed.front() == '[') inConfig = wl::upper(trimmed) == "[CONFIG]";
        // The section's lines were read into a scratch table that nothing reads.
        (void)inConfig;
    }
}

}  // namespace zr
