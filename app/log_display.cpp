#include "log_display.hpp"

#include "dbf_area.hpp"
#include "file_io.hpp"
#include "main_menu.hpp"
#include "paths.hpp"
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

std::string tableModeFile(LogMode mode) {
    switch (mode) {
    case LogMode::CommandLog: return "command.log";
    case LogMode::XvqData: return "xvq.dbf";
    case LogMode::QvwData: return "qvwdata.dbf";
    default: return "";
    }
}

std::string tableModeField(LogMode mode) {
    switch (mode) {
    case LogMode::CommandLog: return "ZQK07E";
    case LogMode::XvqData: return "JKZ00A";
    default: return "";
    }
}

std::string CTLD35500C(long long number, const std::string& text) { return std::to_string(number) + ">" + text; }

std::uint32_t CTLD35500B(const std::string& text, const std::string& field) {
    const std::shared_ptr<wl::DbfArea> area = wl::dbfSelected();
    if (!area) return 0;
    const std::uint32_t started = area->RecNo();
    const int pos = area->FieldPos(field);
    const std::string wanted = wl::upper(wl::alltrim(text));
    if (pos == 0 || wanted.empty()) return started;
    for (; !area->Eof(); area->Skip(1)) {
        const wl::Value v = area->FieldGet(pos);
        if (v.isText() && wl::upper(v.text()).find(wanted) != std::string::npos) return area->RecNo();
    }
    area->GoTo(started);
    return area->RecNo();
}

std::vector<std::string> wordPositionItems(const std::string& text, long long record) {
    std::vector<std::string> items{"Line  : " + std::to_string(record)};
    std::size_t total = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        const std::size_t end = std::min(text.find(' ', at), text.size());
        const std::string word = text.substr(at, end - at);
        items.push_back(wl::padRight("Column : " + std::to_string(at + 1), 16) +
                        wl::padRight("Length : " + std::to_string(word.size()), 36) + word);
        total += word.size();
        at = end;
    }
    if (items.size() > 1) items.push_back("Total : " + std::to_string(total));
    return items;
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

std::string viewFileName(const std::string& chosenPath) { return wl::fileNamePart(chosenPath); }

std::string viewFileContent(const std::string& name, const std::string& currentFolder) {
    const std::string trimmed = wl::alltrim(name);
    if (trimmed.empty()) return "";
    const bool plain = wl::lastSeparator(trimmed) == std::string::npos;
    return CTL39400AY(plain ? wl::joinPath(currentFolder, trimmed) : trimmed);
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

}  // namespace zr
