#include "table_config.hpp"

#include <string_view>

#include "map_choice.hpp"
#include "paths.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

namespace {

// Lines end at CR; LF is dropped; each line is trimmed.
std::vector<std::string> configLines(std::string_view text) {
    std::vector<std::string> lines = wl::crLines(text);
    for (std::string& line : lines) line = wl::alltrim(line);
    return lines;
}

struct EntryKey {
    const char* key;
    std::string TableConfigEntry::*slot;
};

const EntryKey kEntryKeys[] = {
    {"TRANSACTIONTYPE=", &TableConfigEntry::transactionType},
    {"DRIVER=", &TableConfigEntry::transactionType},
    {"DSN=", &TableConfigEntry::transactionType},
    {"DIRECTORY=", &TableConfigEntry::transactionType},
    {"SERVER=", &TableConfigEntry::server},
    {"DRIVE=", &TableConfigEntry::server},
    {"USER=", &TableConfigEntry::user},
    {"PASSWORD=", &TableConfigEntry::password},
    {"KEYFIELD=", &TableConfigEntry::keyField},
    {"OPTIONS=", &TableConfigEntry::options},
};

}  // namespace

TableConfig CTLD48400AD(const std::string& fileName) {
    TableConfig config;
    const std::string path = wl::findFileNoCase(fileName);
    if (!wl::fileExists(path)) return config;
    config.lines = configLines(CTL39400AY(path));
    for (const std::string& line : config.lines) {
        const std::string up = wl::upper(line);
        if (wl::prefixMatch(up, "TABLE=")) {
            config.entries.push_back({});
            config.entries.back().name = line.substr(6);
            continue;
        }
        if (config.entries.empty()) continue;
        TableConfigEntry& entry = config.entries.back();
        if (wl::prefixMatch(up, "FIELD=")) {
            entry.fields += line.substr(6) + "\r\n";
            continue;
        }
        for (const EntryKey& k : kEntryKeys) {
            const std::string_view key = k.key;
            if (wl::prefixMatch(up, key)) {
                entry.*(k.slot) = line.substr(key.size());
                break;
            }
        }
    }
    return config;
}

std::string CTLD48400AE(const std::string& configFile, const std::string& mapName, const std::string& source) {
    if (configFile.empty() || !wl::fileExists(wl::findFileNoCase(configFile)) || !wl::alltrim(mapName).empty())
        return mapName;
    const TableConfig config = CTLD48400AD(configFile);
    std::string type = identifySource(source).st01;
    for (const TableConfigEntry& entry : config.entries) {
        if (wl::prefixMatch(wl::upper(entry.transactionType), wl::upper(type))) {
            type = entry.transactionType;
            break;
        }
    }
    const std::string upType = wl::upper(type);
    for (const std::string& line : config.lines)
        if (wl::prefixMatch(wl::upper(line), upType))
            return line.size() > type.size() + 1 ? line.substr(type.size() + 1) : "";
    return mapName;
}

}  // namespace zr
