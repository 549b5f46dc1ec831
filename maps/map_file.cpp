#include "map_file.hpp"

#include <filesystem>
#include <system_error>

#include "paths.hpp"
#include "system_info.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

namespace {

constexpr std::size_t kFieldItems = 19;
constexpr std::size_t kTemplateCells = 30;

std::string trimLine(std::string_view s) { return wl::rtrim(wl::ltrim(s)); }

// The item slots of a "FIELD=" line, in item order: items 1..14 go to
// columns 1..14, items 15..19 to columns 17 and 19..22.
std::string* fieldSlot(FieldRow& f, std::size_t item) {
    switch (item) {
        case 1: return &f.name;
        case 2: return &f.width;
        case 3: return &f.segment;
        case 4: return &f.qualifier;
        case 5: return &f.qualifierPosition;
        case 6: return &f.elementPosition;
        case 7: return &f.subelementPosition;
        case 8: return &f.conditionField;
        case 9: return &f.occurrence;
        case 10: return &f.level;
        case 11: return &f.serviceLine;
        case 12: return &f.description;
        case 13: return &f.dataStart;
        case 14: return &f.dataLength;
        case 15: return &f.function;
        case 16: return &f.previousSegment;
        case 17: return &f.previousQualifier;
        case 18: return &f.previousQualifierPosition;
        case 19: return &f.toggleOffField;
        default: return nullptr;
    }
}

const char* const kFieldLabels[kFieldItems] = {
    "   Field Name =",
    "   Field width =",
    "   Segment  =",
    "   Segment Qualifier =",
    "   Qualifier Position =",
    "   Element Position =",
    "   Subelement Position =",
    "   Condition Field =",
    "   Occurence =",
    "   Level =",
    "   Service Line Number =",
    "   Field Description =",
    "   Data Starting Position Within the Field =",
    "   Length of Data =",
    "   Function =",
    "   Previous Segment =",
    "   Previous Segment Qualifier =",
    "   Previous Segment Qualifier Position =",
    "   Toggle Off Field =",
};

struct KeyLine {
    const char* key;
    std::string MapFile::*single;          // X12TRANSACTIONTYPE=, VERSION=
    std::vector<std::string> MapKeys::*list;  // the key lists
    const char* logLabel;
};

// In the order the loader tests them.
const KeyLine kKeyLines[] = {
    {"KEYFIELD=", nullptr, &MapKeys::record, "- Key Field = "},
    {"KEYHEADERFIELD=", nullptr, &MapKeys::header, "- Key Header Field = "},
    {"KEYDOCFIELD=", nullptr, &MapKeys::document, "- Key Doc Field = "},
    {"KEYLINEFIELD=", nullptr, &MapKeys::line, "- Key Line Field = "},
    {"KEYTRAILERFIELD=", nullptr, &MapKeys::trailer, "- Key Trailer Field = "},
    {"X12TRANSACTIONTYPE=", &MapFile::transactionType, nullptr, "- X12 Transaction Type = "},
    {"VERSION=", &MapFile::version, nullptr, "- X12 Version = "},
};

TemplateRow templateRow(std::string_view items) {
    TemplateRow row;
    auto parts = splitMapItems(items);
    for (std::size_t i = 0; i < parts.size() && i < kTemplateCells; ++i) row[i] = parts[i];
    return row;
}

}  // namespace

std::string FieldRow::cell(int column) const {
    switch (column) {
        case 15: return value;
        case 16: return trace;
        case 18: return std::to_string(occurrenceCounter);
        default: break;
    }
    static const int kItemOfColumn[23] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 0, 15, 0, 16, 17, 18, 19};
    if (column < 1 || column > 22) return "";
    auto* self = const_cast<FieldRow*>(this);
    std::string* slot = fieldSlot(*self, static_cast<std::size_t>(kItemOfColumn[column]));
    return slot ? *slot : "";
}

int mapNumber(std::string_view item) {
    std::size_t i = 0;
    while (i < item.size() && item[i] == ' ') ++i;
    int n = 0;
    while (i < item.size() && item[i] >= '0' && item[i] <= '9' && n < 100'000'000) n = n * 10 + (item[i++] - '0');
    return n;
}

std::vector<std::string> splitMapItems(std::string_view value) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t comma = value.find(','); comma != std::string_view::npos; comma = value.find(',', start)) {
        items.emplace_back(value.substr(start, comma - start));
        start = comma + 1;
    }
    std::string_view last = value.substr(start);
    // The item after the last comma counts only when it is not blank.
    if (items.empty() || !wl::alltrim(last).empty()) items.emplace_back(last);
    return items;
}

std::vector<std::string> mapLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r') {
            lines.push_back(trimLine(line));
            line.clear();
        } else if (c != '\v') {
            line += c;
        }
    }
    std::string last = trimLine(line);
    if (!last.empty()) lines.push_back(last);
    return lines;
}

MapFile parseMapText(std::string_view text) {
    MapFile m;
    m.text = std::string(text);
    const std::vector<std::string> lines = mapLines(text);
    m.lineCount = lines.size();
    std::string keyValues[5];
    for (const std::string& line : lines) {
        const std::string up = wl::upper(line);
        for (const KeyLine& k : kKeyLines) {
            if (!wl::prefixMatch(up, k.key)) continue;
            std::string value = up.substr(std::string_view(k.key).size());
            if (k.single) m.*(k.single) = value;
            else (m.keys.*(k.list)) = splitMapItems(value);
        }
        if (wl::prefixMatch(up, "SEGMENT=")) m.templates.push_back(templateRow(std::string_view(line).substr(8)));
        if (wl::prefixMatch(up, "SCREEN=")) m.screens.push_back(templateRow(std::string_view(line).substr(7)));
        if (wl::prefixMatch(up, "FIELD=")) {
            FieldRow f;
            auto items = splitMapItems(std::string_view(line).substr(6));
            // Items past the nineteenth have no column; they are ignored.
            for (std::size_t i = 0; i < items.size() && i < kFieldItems; ++i) *fieldSlot(f, i + 1) = items[i];
            m.fieldNames.push_back(f.name);
            m.fieldSegments.push_back(f.segment);
            m.fields.push_back(std::move(f));
        }
    }
    return m;
}

namespace {

std::string countLine(const char* label, std::size_t n) { return std::string(label) + std::to_string(n); }

void appendLoadLines(const MapFile& m, const std::string& mapPath, RunLog& log) {
    log.timed("Mapping Load Complete");
    log.timed("Map File Used : " + mapPath);
    log.timed(countLine("Key Header Field Items : ", m.keys.header.size()));
    log.timed(countLine("Key Field Items : ", m.keys.record.size()));
    log.timed(countLine("Key Doc Field Items : ", m.keys.document.size()));
    log.timed(countLine("Key Line Field Items : ", m.keys.line.size()));
    log.timed(countLine("Key Trailer Field Items : ", m.keys.trailer.size()));
    log.timed(countLine("Map Fields : ", m.fields.size()));
    log.timed(countLine("Map Segments : ", m.templates.size()));
}

void writeFile(const std::string& path, const std::string& text) {
    ZQK_0001E("", path, 1);
    ZQK_0001E(text, path, 2);
}

}  // namespace

namespace {

// The map log of a map whose text and tables are already at hand (none for
// a missing map).
std::string mapLogOf(const std::string& mapPath, const std::string* text, const MapFile* m,
                     const std::string& modelCode) {
    std::string out;
    auto line = [&](const std::string& s) { out.append(s).append("\r\n"); };
    line("Zarn Software " + modelCode + " Map Log");
    line("Started " + wl::currentDateText() + "  " + currentTimeText());
    line("Parser Version Number : " + std::string(" 1.22C-01"));
    line("   Sub Version Number : " + std::string(" 1.23B-22"));
    line("     Operating System : " + wl::operatingSystemText());
    line("     Compiler Version : " + wl::compilerText());
    line("");
    std::size_t fieldCount = 1;
    if (text && m) {
        fieldCount = m->fields.size();
        line("- " + mapPath + " Present");
        line("- Files Size " + std::to_string(text->size()) + " Bytes ");
        line("- " + std::to_string(m->lineCount) + " Lines ");
        line("- " + std::to_string(m->fields.size()) + " Fields ");
        line("- " + std::to_string(m->templates.size()) + " Segments ");
        line("- " + std::to_string(m->screens.size()) + " Screen Elements ");
        std::size_t fieldRow = 0;
        for (const std::string& l : mapLines(*text)) {
            const std::string up = wl::upper(l);
            for (const KeyLine& k : kKeyLines)
                if (wl::prefixMatch(up, k.key)) line(k.logLabel + up.substr(std::string_view(k.key).size()));
            auto items = [&](std::size_t skip, const char* head) {
                line(head);
                for (const auto& item : splitMapItems(std::string_view(l).substr(skip))) line(" " + item);
            };
            if (wl::prefixMatch(up, "SEGMENT=")) items(8, "- Segment =");
            if (wl::prefixMatch(up, "SCREEN=")) items(7, "- Screen =");
            if (wl::prefixMatch(up, "FIELD=")) {
                line("- Field " + wl::rightAligned(static_cast<std::int64_t>(++fieldRow), 10));
                auto parts = splitMapItems(std::string_view(l).substr(6));
                for (std::size_t i = 0; i < parts.size() && i < kFieldItems; ++i) {
                    line(std::string(kFieldLabels[i]) + " " + parts[i]);
                    if (i == 14 && !wl::alltrim(parts[i]).empty()) {
                        bool present = wl::fileExists(wl::alltrim(parts[i]));
                        line(present ? "  - - (File Present) = " + parts[i]
                                     : "  - - (File NOT Present) = " + parts[i] + "  **");
                    }
                }
            }
        }
        const std::pair<const char*, const std::vector<std::string>*> lists[] = {
            {" Key Header Field ", &m->keys.header}, {" Key Field ", &m->keys.record},
            {" Key Doc Field ", &m->keys.document},  {" Key Line Field ", &m->keys.line},
            {" Key Trailer Field ", &m->keys.trailer},
        };
        for (const auto& [label, list] : lists)
            for (std::size_t i = 0; i < list->size(); ++i)
                line(label + std::to_string(i + 1) + " = " + (*list)[i]);
    }
    line("   Segement Map Array = " + wl::rightAligned(static_cast<std::int64_t>(fieldCount), 10));
    for (std::size_t n = 1; n <= fieldCount; ++n)
        line("   SEGMAP = " + wl::rightAligned(static_cast<std::int64_t>(n), 10));
    return out;
}

}  // namespace

std::shared_ptr<const MapFile> ParsedMaps::parsed(const std::string& text) {
    {
        std::lock_guard lock(mutex_);
        if (auto found = maps_.find(text); found != maps_.end()) return found->second;
    }
    // Parsed outside the lock: two threads meeting a new map both parse it.
    auto m = std::make_shared<const MapFile>(parseMapText(text));
    std::lock_guard lock(mutex_);
    return maps_.try_emplace(text, m).first->second;
}

MapFile ParsedMaps::parse(const std::string& text) { return *parsed(text); }

std::optional<MapFile> ParsedMaps::load(const std::string& path) {
    const wl::FileStamp stamp = wl::fileStamp(path);
    if (stamp.kind != wl::TargetKind::Regular) return std::nullopt;
    {
        std::lock_guard lock(mutex_);
        if (auto found = files_.find(path); found != files_.end() && found->second.stamp == stamp)
            return *found->second.map;
    }
    // Stamped before the read: a change made while it is read is seen at
    // the next look.
    std::shared_ptr<const MapFile> m = parsed(CTL39400AY(path));
    std::lock_guard lock(mutex_);
    files_.insert_or_assign(path, Seen{stamp, m});
    return *m;
}

std::optional<MapFile> loadMap(const std::string& mapPath, bool mapLog, const std::string& modelCode,
                               RunLog& runLog, const std::string* text, ParsedMaps* parsed) {
    auto parse = [parsed](const std::string& t) { return parsed ? parsed->parse(t) : parseMapText(t); };
    std::optional<MapFile> m;
    if (text && !text->empty()) m = parse(*text);
    else if (!mapPath.empty() && parsed) m = parsed->load(mapPath);
    else if (!mapPath.empty() && wl::fileExists(mapPath)) m = parse(CTL39400AY(mapPath));
    if (mapLog) writeFile("zrmap.log", mapLogOf(mapPath, m ? &m->text : nullptr, m ? &*m : nullptr, modelCode));
    if (m) appendLoadLines(*m, mapPath, runLog);
    return m;
}

std::string mapLogText(const std::string& mapPath, const std::string& modelCode) {
    if (mapPath.empty() || !wl::fileExists(mapPath)) return mapLogOf(mapPath, nullptr, nullptr, modelCode);
    const MapFile m = parseMapText(CTL39400AY(mapPath));
    return mapLogOf(mapPath, &m.text, &m, modelCode);
}

std::string envelopeDefaultFromText(std::string_view mapText, int number) {
    struct Default {
        int number;
        const char* key;
        std::size_t width;  // 0: as written
    };
    static const Default defaults[] = {
        {1, "ISA06=", 15}, {2, "ISA08=", 15}, {3, "ISA13=", 9}, {4, "ISA15=", 0}, {5, "GS1=", 0},
        {6, "GS2=", 0},    {7, "GS3=", 0},    {8, "GS6=", 0},   {9, "ST2=", 0},   {10, "ST3=", 0},
        {11, "GS8=", 0},   {14, "ISA05=", 2}, {15, "ISA07=", 2},
    };
    const Default* d = nullptr;
    for (const auto& candidate : defaults)
        if (candidate.number == number) d = &candidate;
    if (!d) return "";
    // Lines split at CR with LF dropped; the key must stand at the very start.
    for (const std::string& l : wl::crLines(mapText)) {
        if (!wl::prefixMatch(l, d->key)) continue;
        std::string value = l.substr(std::string_view(d->key).size());
        // An over-long id is cut to the field's width rather than replaced,
        // so the user's id is never silently lost.
        return d->width ? wl::padRight(value, d->width) : value;
    }
    return "";
}

std::string EnvelopeDefault(const std::string& mapPath, int number) {
    if (mapPath.empty() || !wl::fileExists(mapPath)) return "";
    return envelopeDefaultFromText(CTL39400AY(mapPath), number);
}

}  // namespace zr
