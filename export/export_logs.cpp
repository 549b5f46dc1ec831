#include "export_logs.hpp"

#include <filesystem>

#include "file_io.hpp"
#include "paths.hpp"
#include "system_info.hpp"
#include "text_files.hpp"

namespace zr {

namespace {

const char* const kCrLf = "\r\n";

}  // namespace

std::string ExportClock::today() const {
    return date ? date() : wl::localTimeText("%Y/%m/%d");
}

std::string ExportClock::now() const {
    return time ? time() : wl::localTimeText("%H:%M:%S");
}

std::string exportFilePath(const std::string& folder, const std::string& name) {
    return wl::joinPath(folder, name);
}

void writeExportLog(const std::string& folder, const std::string& name, const std::string& text) {
    (void)wl::writeFileAtomically(exportFilePath(folder, name), text);
}

std::string readExportLog(const std::string& folder, const std::string& name) {
    return CTL39400AY(exportFilePath(folder, name));
}

bool exportLogExists(const std::string& folder, const std::string& name) {
    return wl::fileExists(exportFilePath(folder, name));
}

void eraseExportLog(const std::string& folder, const std::string& name) {
    std::error_code ignored;
    std::filesystem::remove(exportFilePath(folder, name), ignored);
}

std::string exportRunLogHeader(const std::string& modelCode, const ExportClock& clock) {
    std::string t;
    t += "Zarn Software Model " + modelCode + " X12 Export Log" + kCrLf;
    t += "Started " + clock.today() + "  " + clock.now() + kCrLf;
    t += std::string("Parser Version Number : ") + " 1.22C-01" + kCrLf;
    t += std::string("   Sub Version Number : ") + " 1.23B-22" + kCrLf;
    t += "     Operating System : " + wl::operatingSystemText() + kCrLf;
    t += "     Compiler Version : " + wl::compilerText() + kCrLf;
    t += kCrLf;
    return t;
}

void CTL39404Y(const std::string& modelCode, const std::string& folder, const ExportClock& clock) {
    eraseExportLog(folder, "temp.log");
    eraseExportLog(folder, "zrdebug.log");
    writeExportLog(folder, "temp.log", exportRunLogHeader(modelCode, clock));
}

void CTL39404Z(const std::string& modelCode, const std::string& folder, const ExportClock& clock) {
    std::string t = "Zarn Software Model " + modelCode + " X12 Export Log" + kCrLf;
    if (exportLogExists(folder, "temp.log")) t += readExportLog(folder, "temp.log");
    t += "Ended   " + clock.today() + "  " + clock.now() + kCrLf;
    t += std::string("Current Operating Directory:") + kCrLf;
    t += "   " + (folder.empty() ? wl::currentFolder() : folder) + kCrLf + kCrLf;
    if (exportLogExists(folder, "zrmap.log")) {
        t += std::string(kCrLf) + "Map Log Data." + kCrLf + readExportLog(folder, "zrmap.log") + kCrLf;
        eraseExportLog(folder, "zrmap.log");
    } else {
        t += std::string(kCrLf) + "No Map Log Available.";
    }
    if (exportLogExists(folder, "zrdebug.log")) t += std::string(kCrLf) + kCrLf + readExportLog(folder, "zrdebug.log");
    eraseExportLog(folder, "temp.log");
    writeExportLog(folder, "export.log", t);
}

void ExportDebugLog::header(int function, const std::string& st01) {
    text_ += std::string("Zarn Software Model Export Debug Log") + kCrLf;
    text_ += "Started   " + clock_.today() + "  " + clock_.now() + kCrLf + kCrLf;
    text_ += " - XFunction=" + std::to_string(function) + kCrLf;
    text_ += " - XType=" + st01 + kCrLf;
}

void ExportDebugLog::line(const std::string& text) {
    if (collecting_) text_ += text + kCrLf;
}

void ExportDebugLog::timedLine(const std::string& text) {
    if (collecting_) line(text + "  " + clock_.now());
}

void ExportDebugLog::continueFile() {
    if (exportLogExists(folder_, "zrdebug.log")) text_ = readExportLog(folder_, "zrdebug.log") + text_;
}

void ExportDebugLog::hand() {
    if (handed_ == 0) {
        writeExportLog(folder_, "zrdebug.log", text_);
    } else {
        (void)wl::appendToFile(exportFilePath(folder_, "zrdebug.log"), text_);
    }
    handed_ += text_.size();
    text_.clear();
    text_.shrink_to_fit();
}

void ExportDebugLog::spillWhenLong(std::size_t limit) {
    if (!collecting_ || handed_ + text_.size() <= limit) return;
    if (keptOn_) return flushWhenLong();
    hand();
    collecting_ = false;
}

void ExportDebugLog::flushWhenLong(std::size_t piece) {
    if (collecting_ && text_.size() > piece) hand();
}

void ExportDebugLog::finish() {
    if (!collecting_ || handed_ + text_.size() <= 10) return;
    text_ += "Ended   " + clock_.today() + "  " + clock_.now() + kCrLf + kCrLf;
    hand();
}

}  // namespace zr
