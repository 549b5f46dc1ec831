#include "mapping_tool.hpp"

#include <array>
#include <filesystem>

#include "log_display.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

namespace {

// A mask "*.ext" or a plain name; other wildcards are not used by the tool.
bool matchesMask(const std::string& name, const std::string& mask) {
    if (mask.rfind("*.", 0) == 0) {
        const std::string ext = mask.substr(1);
        if (ext == ".*") return true;
        return name.size() >= ext.size() && wl::upper(name.substr(name.size() - ext.size())) == wl::upper(ext);
    }
    return wl::upper(name) == wl::upper(mask);
}

// The items of a "FIELD=" row: split at commas, the item after the last
// comma counting only when not empty.
std::vector<std::string> fieldItems(const std::string& text) {
    std::vector<std::string> items(1);
    for (char c : text) {
        if (c == ',') items.emplace_back();
        else items.back() += c;
    }
    if (items.size() > 1 && items.back().empty()) items.pop_back();
    return items;
}

struct ItemLabel {
    const char* label;
    bool always;
    const char* beforeItem;  // between the label and the item
};

constexpr std::array<ItemLabel, 19> kItemLabels = {{
    {"Field Name ", true, "\n\r  "},
    {"Width : ", true, ""},
    {"Segment Type : ", true, ""},
    {"Qualifier : ", false, ""},
    {"Qulifier Position : ", false, ""},
    {"Element Position : ", true, ""},
    {"Sub Element Position:", false, ""},
    {"Conditional Field", false, "\n\r  "},
    {"Occurence:", false, ""},
    {"Level:", false, ""},
    {"Service Line : ", false, ""},
    {"Description", false, "\n\r"},
    {"Data Starting Position :", false, ""},
    {"Length of Data:", false, ""},
    {"Function ", false, "\n\r  "},
    {"Previous Segment :", false, ""},
    {"Segment Qualifier :", false, ""},
    {"Qualifier Position :", false, ""},
    {"Toggle Off Field :", false, ""},
}};

// Lines of the description end with LF CR.
constexpr const char* kBreak = "\n\r";

}  // namespace

std::vector<std::string> CTLD48600J(const std::string& mask, std::vector<std::string> list) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (fs::directory_iterator it(".", ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(ec) && matchesMask(name, mask)) list.push_back(name);
    }
    return list;
}

std::string CTLD48600K(const std::string& /*name*/, const std::vector<std::string>& list, std::size_t index) {
    return index >= 1 && index <= list.size() ? wl::alltrim(list[index - 1]) : std::string();
}

std::vector<std::string> CTLD48600N(const std::string& file, std::vector<std::string> list) {
    std::string line;
    for (char c : CTLD48600L(file)) {
        if (c == '\v') continue;
        if (c == '\r') {
            list.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    return list;
}

std::string unlistedLastLineNote(const std::string& file) {
    const std::string text = CTLD48600L(file);
    std::string tail = text.substr(text.find_last_of('\r') == std::string::npos ? 0 : text.find_last_of('\r') + 1);
    // The LF of a final CR LF belongs to no line.
    std::erase(tail, '\v');
    std::erase(tail, '\n');
    if (tail.empty()) return "";
    return "The last line has no line break and is not listed.";
}

std::string CTLD48600P(int number, const std::string& item, const std::string& text) {
    if (number < 1 || number > static_cast<int>(kItemLabels.size())) return text;
    const ItemLabel& label = kItemLabels[static_cast<std::size_t>(number - 1)];
    if (item.empty() && !label.always) return text;
    return text + label.label + label.beforeItem + item + kBreak;
}

std::string CTLD48600O(const std::vector<std::string>& rows, std::size_t index) {
    if (index < 1 || index > rows.size()) return "";
    const std::string row = wl::alltrim(rows[index - 1]);
    if (wl::upper(row).rfind("FIELD", 0) != 0) return "";
    const std::vector<std::string> items = fieldItems(row.size() > 6 ? row.substr(6) : "");
    std::string text;
    for (std::size_t k = 0; k < items.size(); ++k) text = CTLD48600P(static_cast<int>(k + 1), items[k], text);
    return text;
}

std::string CTLD48600M(const std::vector<std::string>& list, std::size_t index) {
    return index >= 1 && index <= list.size() ? list[index - 1] : std::string();
}

std::string CTL48600F(const std::vector<std::string>& list, std::size_t index) { return CTLD48600M(list, index); }

std::string CTL48600G(const std::string& name) { return name.empty() ? "" : "Selected File : " + name; }

std::string CTLD48600L(const std::string& file) { return wl::fileExists(file) ? CTL39400AY(file) : ""; }

std::string CTL48600A(const std::string& text) {
    if (!wl::MSGYESNO(wl::Value("Replace current configuration?"), wl::Value("WARNING "))) return text;
    wl::FileDialogRequest r;
    r.filter = "*.cfg";
    r.title = "Select configuration to use.";
    const std::string chosen = wl::CGETFILE(r);
    // Cancelling the choice keeps the configuration.
    if (chosen.empty() || !wl::fileExists(chosen)) return text;
    return CTL39400AY(chosen);
}

std::string mapNotepadCommand(const std::string& windowsFolder, const std::string& name) {
    return notepadCommand(windowsFolder, name);
}

}  // namespace zr
