#include "export_settings.hpp"

#include <array>
#include <cstdlib>

#include "export_logs.hpp"
#include "ini_lines.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

namespace {

const std::array<const char*, 12> kSwitchKeys = {
    "LOOP1000A=OFF",      "LOOP1000B=OFF", "LOOP2010AABATCH=OFF", "LOOP2010ABBATCH=OFF",
    "LOOP2010AACLAIM=ON", "LOOP2010ABCLAIM=ON", "LOOP2000=OFF",   "LOOP2300=OFF",
    "LOOP2400=OFF",       "NAMEMERGE=ON",  "XML=DROPEMPTYFIELDS", "DEBUG=ON",
};

const std::array<const char*, 11> kCountKeys = {
    "servicelinecount=",   "otherdiagnosiscount=", "otherprocedurecount=", "occurancespancount=",
    "occurancecodecount=", "valuecodecount=",      "conditioncodecount=",  "treatmentcodecount=",
    "dbffieldcount=",      "maxfieldcount=",       "xmlencoding=",
};

// The lines of the text: they end at CR; LF is dropped; the last line
// counts without a line break.
std::vector<std::string> settingsLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\n') {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

long long countOf(const std::string& text, int n, long long fallback) {
    return iniNumber(CTL39404R(text, n, std::to_string(fallback)));
}

}  // namespace

std::string CTL39404Q(const std::string& iniText, std::string switches) {
    switches.resize(16, 'A');
    for (const std::string& line : settingsLines(iniText)) {
        const std::string key = wl::upper(wl::alltrim(line));
        for (std::size_t i = 0; i < kSwitchKeys.size(); ++i)
            if (wl::prefixMatch(key, kSwitchKeys[i])) switches[i] = 'B';
    }
    return switches;
}

std::string exportSwitchPresets(std::size_t billingProviders) {
    std::string s(16, 'A');
    if (billingProviders == 1) {
        s[4] = s[5] = 'B';
    } else {
        for (int i = 0; i < 4; ++i) s[i] = 'B';
    }
    return s;
}

std::string CTL39404R(const std::string& iniText, int count, const std::string& fallback) {
    if (count < 1 || count > static_cast<int>(kCountKeys.size())) return fallback;
    const std::string key = kCountKeys[count - 1];
    for (const std::string& line : settingsLines(iniText)) {
        if (!wl::prefixMatch(wl::lower(line), key)) continue;
        const std::string value = line.substr(key.size());
        if (count == 11) return value;
        return std::to_string(iniNumber(value));
    }
    return fallback;
}

ExportSettings readExportSettings(const std::string& folder, std::size_t billingProviders) {
    ExportSettings s;
    s.switches = exportSwitchPresets(billingProviders);
    const std::string path = findZrIni(folder);
    if (path.empty()) return s;
    const std::string text = CTL39400AY(path);
    s.switches = CTL39404Q(text, s.switches);
    s.serviceLineCount = countOf(text, 1, s.serviceLineCount);
    s.otherDiagnosisCount = countOf(text, 2, s.otherDiagnosisCount);
    s.otherProcedureCount = countOf(text, 3, s.otherProcedureCount);
    s.occurrenceSpanCount = countOf(text, 4, s.occurrenceSpanCount);
    s.occurrenceCodeCount = countOf(text, 5, s.occurrenceCodeCount);
    s.valueCodeCount = countOf(text, 6, s.valueCodeCount);
    s.conditionCodeCount = countOf(text, 7, s.conditionCodeCount);
    s.treatmentCodeCount = countOf(text, 8, s.treatmentCodeCount);
    s.dbfFieldCount = countOf(text, 9, s.dbfFieldCount);
    s.maxFieldCount = countOf(text, 10, s.maxFieldCount);
    s.xmlEncoding = CTL39404R(text, 11, s.xmlEncoding);
    return s;
}

std::string exportSeparator(const std::string& folder) {
    if (!exportLogExists(folder, "separate.dat")) return ",";
    std::string text = readExportLog(folder, "separate.dat");
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text.empty() ? "," : text;
}

}  // namespace zr
