// The conversion engine's entry: one source converted through one map, in
// either direction. The driver calls it once per source file.
#pragma once

#include <string>

#include "parse_spec.hpp"

namespace zr {

struct EngineRequest {
    std::string modelCode = "ZRK7W315";
    ParseSpec spec;                // type, source, options, output path (item 5)
    bool debug = false;            // "DEBUG"
    std::string mapOption;         // "MAP="
    bool mapLog = false;           // "MAPLOG"
    int meterMode = -1;            // 0 show the meter, 2 set it only, -1 none
    std::string mapFolder;         // "MAPPATH="
    bool renameWithMap = false;    // "RPMN"
    std::string pathSeparator = "\\";
    std::string destination;       // the destination parameter
    std::string defaultMapFolder;  // "DEFAULTMAPPATH="
    bool deleteSource = false;     // "DS"
    bool crlf = false;             // "CR"
    bool merge = false;            // "MF"
    std::string tableConfiguration;  // always empty here
};

struct EngineResult {
    std::string log;               // run-log lines
    bool failed = false;           // missing map, unreadable source, output not written
    bool outputWritten = false;    // an output file exists for this source
    int highestLine = 0;           // "Maximum Service Line Count"
};

// CTL48400A: converts request.spec.sourceFile into request.spec.destinationFile.
EngineResult CTL48400A(const EngineRequest& request);

}  // namespace zr
