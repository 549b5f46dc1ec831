// What the conversion driver hands to the engine for one source file, and
// what it gets back. Both directions of the engine (X12 to CSV/XML and
// CSV/XML to X12) take the same request.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "parse_spec.hpp"
#include "run_log.hpp"

namespace zr {

struct EngineRequest {
    std::string modelCode = "ZRK7W315";
    // Type (X12,CSV / X12,XML ...), source path, option words and, in
    // destinationFile, the output path of this source.
    ParseSpec spec;
    bool debug = false;            // the debug word "DEBUG": build "debug.log"
    std::string mapOption;         // value of "MAP=" ("" when not given)
    bool mapLog = false;           // "MAPLOG": write "zrmap.log"
    // 0 shows the progress meter; 2 sets the caller's meter through its
    // unconditional setter; no value: no meter at all.
    std::optional<int> meterMode;
    std::string mapFolder;         // value of "MAPPATH="
    bool rename = false;           // "RPMN": prefix the output's name with the map name
    std::string pathSeparator = "\\";
    std::string destination;       // the destination parameter of the driver
    std::string defaultMapFolder;  // value of "DEFAULTMAPPATH="
    bool deleteSource = false;     // "DS"
    bool crlf = false;             // "CR": CR LF after every X12 segment (X12 output only)
    bool merge = false;            // "MF": append to an existing output
    bool overwrite = false;        // "OW": replace an existing file without asking
    // Files a rename ("RPMN") never replaces: the run's sources, its map and
    // what the run wrote so far.
    std::vector<std::string> keepFiles;
    std::string tableConfiguration;  // table-configuration file; the driver passes ""
    RunLog::Clock clock;           // time of the log lines; empty: the current time
};

struct EngineResult {
    std::string log;      // the lines for "parse.log"
    bool failed = false;  // no map, or a file error: the output is missing or incomplete
    // An output written but not whole: what was lost or cut short, one line
    // each (already in `log`).
    std::vector<std::string> problems;
    std::string reason;  // why it failed, briefly ("" when it did not)
    std::string output;   // where the complete output ended ("RPMN" may move it)
};

}  // namespace zr
