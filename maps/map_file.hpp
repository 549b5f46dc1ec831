// Map files (".cfg"): the plain text that drives a conversion, and the
// tables the engine holds it as.
//
// FieldTable columns (item k of a "FIELD=" line lands in column k for
// k = 1..14, items 15..19 in columns 17 and 19..22):
//    1 name                 8 condition field      15 value (run time)
//    2 width                9 occurrence           16 trace (run time)
//    3 segment             10 level                17 function file
//    4 qualifier(s) a:b    11 service line number  18 occurrence counter (run time)
//    5 qualifier position  12 description          19 previous segment
//    6 element position    13 data start           20 previous segment qualifier
//    7 component position  14 data length          21 its position
//                                                  22 toggle-off field
#pragma once

#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "file_io.hpp"
#include "run_log.hpp"

namespace zr {

struct FieldRow {
    std::string name;                       // 1
    std::string width;                      // 2
    std::string segment;                    // 3
    std::string qualifier;                  // 4
    std::string qualifierPosition;          // 5
    std::string elementPosition;            // 6
    std::string subelementPosition;         // 7
    std::string conditionField;             // 8
    std::string occurrence;                 // 9
    std::string level;                      // 10
    std::string serviceLine;                // 11
    std::string description;                // 12
    std::string dataStart;                  // 13
    std::string dataLength;                 // 14
    std::string value;                      // 15
    std::string trace;                      // 16
    std::string function;                   // 17
    int occurrenceCounter = 0;              // 18
    std::string previousSegment;            // 19
    std::string previousQualifier;          // 20
    std::string previousQualifierPosition;  // 21
    std::string toggleOffField;             // 22

    // Column k (1..22) as text; column 18 as its digits.
    std::string cell(int column) const;
};

using TemplateRow = std::array<std::string, 30>;  // SEGMENT= / SCREEN= items, cell k = item k

// The five key lists; an absent key line leaves its list as one empty item.
struct MapKeys {
    std::vector<std::string> header{""};   // KEYHEADERFIELD=
    std::vector<std::string> record{""};   // KEYFIELD=
    std::vector<std::string> document{""}; // KEYDOCFIELD=
    std::vector<std::string> line{""};     // KEYLINEFIELD=
    std::vector<std::string> trailer{""};  // KEYTRAILERFIELD=
};

struct MapFile {
    std::vector<FieldRow> fields;
    std::vector<TemplateRow> templates;
    std::vector<TemplateRow> screens;
    MapKeys keys;
    std::string transactionType;  // X12TRANSACTIONTYPE=, upper case
    std::string version;          // VERSION=, upper case
    std::vector<std::string> fieldNames;     // item 1 of each field, in order
    std::vector<std::string> fieldSegments;  // item 3 of each field, in order
    std::size_t lineCount = 0;
    std::string text;  // the map file as read, where its envelope defaults are looked up
};

// A numeric item: its leading digits after leading blanks; 0 otherwise.
int mapNumber(std::string_view item);

// Splits an item list at every comma, without quoting. Inner empty items
// stay; an item after the last comma counts only when not blank.
std::vector<std::string> splitMapItems(std::string_view value);

// The trimmed lines of a map text: CR ends a line, LF is trimmed away at a
// line start, vertical tabs are dropped; text after the last CR is a line
// when not empty.
std::vector<std::string> mapLines(std::string_view text);

// Builds the tables from a map text.
MapFile parseMapText(std::string_view text);

// The maps a run has parsed, by their text: the sources of a folder share
// one parse of their map (a fifth of a small source's time), each taking
// its own copy, since a conversion changes its fields. A map whose text
// changed during the run is parsed again. Safe to share between threads.
class ParsedMaps {
public:
    MapFile parse(const std::string& text);
    // The map file at `path` (nothing when it is not a file): read again
    // only when its size or time of change differ from when this run last
    // read it, so that a folder's sources do not each read the same map.
    std::optional<MapFile> load(const std::string& path);

private:
    struct Seen {
        wl::FileStamp stamp;
        std::shared_ptr<const MapFile> map;
    };
    std::shared_ptr<const MapFile> parsed(const std::string& text);

    std::mutex mutex_;
    std::unordered_map<std::string, std::shared_ptr<const MapFile>> maps_;
    std::unordered_map<std::string, Seen> files_;  // by the path as given
};

// Loads a map file: nothing when it does not exist. Appends the closing
// lines to the run log; with `mapLog` writes "zrmap.log" in the current
// folder. With `text`, the map is that text (a map not saved at `mapPath`).
// With `parsed`, a text parsed before in the run is not parsed again.
std::optional<MapFile> loadMap(const std::string& mapPath, bool mapLog, const std::string& modelCode,
                               RunLog& runLog, const std::string* text = nullptr, ParsedMaps* parsed = nullptr);

// The "zrmap.log" text of a map (missing map: the header and one SEGMAP line).
std::string mapLogText(const std::string& mapPath, const std::string& modelCode);

// Envelope defaults asked for by number (1 ISA06 ... 15 ISA07); "" for a
// missing map, key or number.
std::string EnvelopeDefault(const std::string& mapPath, int number);
std::string envelopeDefaultFromText(std::string_view mapText, int number);

}  // namespace zr
