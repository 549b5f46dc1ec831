#include "ini_lines.hpp"

#include <utility>

#include "application.hpp"
#include "paths.hpp"
#include "text.hpp"

namespace zr {

namespace {

CloseAllTablesHook& closeAllHook() { return application().closeAllTables; }

void closeAllTables() {
    if (closeAllHook()) closeAllHook()();
}

constexpr std::size_t kMinLineWidth = 5;

}  // namespace

std::string findZrIni(const std::string& folder) {
    std::string path = wl::findFileNoCase(wl::joinPath(folder, "zr.ini"));
    return wl::fileExists(path) ? path : std::string();
}

std::string normaliseIniLine(std::string_view stored) {
    std::string line = wl::ltrim(wl::upper(wl::rtrim(stored)));
    if (line.size() < kMinLineWidth) line.resize(kMinLineWidth, ' ');
    return line;
}

std::int64_t iniNumber(std::string_view value) {
    std::size_t i = 0;
    while (i < value.size() && value[i] == ' ') ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
    std::int64_t n = 0;
    // Settings are small numbers; digits past the 18th are ignored rather
    // than overflowing.
    for (int digits = 0; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
        if (++digits <= 18) n = n * 10 + (value[i] - '0');
    return negative ? -n : n;
}

CloseAllTablesHook setCloseAllTablesHook(CloseAllTablesHook hook) {
    return std::exchange(closeAllHook(), std::move(hook));
}

IniLineTable::IniLineTable(const std::string& iniPath) : table_(LineTable::iniScratch()) {
    closeAllTables();
    // Load errors (control characters and the like) are not shown.
    ZQK_0026(iniPath, 1, table_);
}

IniLineTable::~IniLineTable() { closeAllTables(); }

std::string IniLineTable::line(std::size_t record) const {
    return normaliseIniLine(table_.value(record, "JKZ00A"));
}

bool walkZrIni(const std::string& folder, const std::function<void(const std::string&)>& visit) {
    const std::string path = findZrIni(folder);
    if (path.empty()) return false;
    IniLineTable table(path);
    for (std::size_t r = 0; r < table.size(); ++r) visit(table.line(r));
    return true;
}

bool isSectionLine(std::string_view line) { return wl::prefixMatch(line, "["); }

bool isCommandZero(std::string_view line) { return wl::prefixMatch(line, "COMMAND=0"); }

bool IniSectionWalker::keyLine(const std::string& line) {
    if (current_ >= 0 && rules_[current_].end == SectionEnd::CommandZeroOnly) {
        if (!isCommandZero(line)) return true;
        current_ = -1;
        return false;
    }
    if (isSectionLine(line)) {
        current_ = -1;
        for (std::size_t i = 0; i < rules_.size(); ++i)
            if (wl::prefixMatch(line, rules_[i].header)) {
                current_ = static_cast<int>(i);
                break;
            }
        return false;
    }
    if (current_ < 0) return false;
    if (rules_[current_].end == SectionEnd::NextSectionOrCommandZero && isCommandZero(line)) {
        current_ = -1;
        return false;
    }
    return true;
}

}  // namespace zr
