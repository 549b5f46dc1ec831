#include "log_display.hpp"

#include "file_io.hpp"
#include "main_menu.hpp"
#include "paths.hpp"
#include "tagged_text.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

std::string logTitle(LogMode mode) {
    switch (mode) {
    case LogMode::ViewFile: return "View File";
    case LogMode::CommandLog: return "View Command Log";
    case LogMode::XvqData: return "View XVQ Imported Data";
    case LogMode::StatusLog: return "View Status Log";
    case LogMode::OdbcData: return "View ODBC Data";
    case LogMode::SuspendLog: return "View Suspend Log";
    case LogMode::QvwData: return "View QVW Imported Data";
    case LogMode::ConversionLog: return "Conversion Log";
    default: return "";
    }
}

bool opensNotepad(LogMode mode) {
    return mode == LogMode::ParseLog || mode == LogMode::MapLog || mode == LogMode::BuildLog;
}

std::string notepadFile(LogMode mode, const std::string& lastRunLog) {
    switch (mode) {
    case LogMode::ParseLog: return lastRunLog.empty() ? "parse.log" : lastRunLog;
    case LogMode::MapLog: return "zrmap.log";
    case LogMode::BuildLog: return "build.log";
    default: return "";
    }
}

std::string notepadCommand(const std::string& windowsFolder, const std::string& file) {
    return windowsFolder + "\\notepad.exe \"" + file + "\"";
}

std::string textModeFile(LogMode mode) {
    switch (mode) {
    case LogMode::StatusLog: return "status.log";
    case LogMode::SuspendLog: return "suspend.log";
    case LogMode::ConversionLog: return "conv.log";
    default: return "";
    }
}

std::string textModeContent(LogMode mode, const std::string& currentFolder) {
    const std::string name = textModeFile(mode);
    if (name.empty()) return "";
    const std::string path = wl::joinPath(currentFolder, name);
    if (mode == LogMode::ConversionLog && !wl::fileExists(path)) return name + "  Not found " + currentFolder;
    return CTL39400AY(path);
}

InformationTexts informationTexts(const std::string& modelCode, const std::string& currentFolder,
                                  const std::string& workingFolder, const std::string& x12Folder) {
    InformationTexts t;
    // The title words of this model's product.
    if (!ZRTITLE(modelCode).empty()) t.titleWords = {"Torvel", "Parser"};
    t.model = "     Model: " + modelCode;
    t.version = "   Version:" + std::string(kVersion);
    t.subversion = "Subversion:" + std::string(" 1.23B-22");
    t.baseFolder = "Base Directory : " + currentFolder;
    t.dataFolder = "Data Directory : " + workingFolder;
    t.x12Folder = " X12 Directory : " + x12Folder;
    return t;
}

namespace {

// The comma-separated items of the options.
std::vector<std::string> optionItems(const std::string& options) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = options.find(',', start);
        items.push_back(options.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) return items;
        start = comma + 1;
    }
}

}  // namespace

bool CTL48400AI(const ParseSpec& spec, const FieldTable& fields) {
    for (const std::string& item : optionItems(spec.parseOptions)) {
        if (!wl::prefixMatch(wl::upper(item), "FIELD(")) continue;
        const std::size_t close = item.find(')', 6);
        // One separator character follows the name's bracket.
        if (close == std::string::npos || close + 1 >= item.size()) continue;
        const std::string name = wl::upper(item.substr(6, close - 6));
        const std::string value = item.substr(close + 2);
        for (std::size_t f = 0; f < fields.size(); ++f)
            if (wl::prefixMatch(wl::upper(fields.rows[f].name), name) &&
                wl::prefixMatch(fields.value(static_cast<int>(f)), value))
                return true;
    }
    return false;
}

std::optional<std::string> CTL48400R(int mode, int what, const std::string& value, const std::string& folder) {
    const std::string path = wl::joinPath(folder, "zr.ctl");
    std::string series = ZQK_0001A(CTL39400AY(path), "SERIES");
    if (mode == 1) {
        series = value;
        wl::writeFileAtomically(path, ZQK_0001B(series, "SERIES"));
    }
    if (what != 1) return std::nullopt;
    return series;
}

}  // namespace zr
