// The start and the end that both directions of the conversion engine
// share: choosing and loading the map (or reporting that there is none),
// renaming the output with the map name, deleting the source and writing
// the debug log.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "debug_trace.hpp"
#include "engine_request.hpp"
#include "map_file.hpp"
#include "run_log.hpp"

namespace zr {

struct ConversionStart {
    std::optional<MapFile> map;  // no value: no map, the conversion ends
    std::string mapPath;         // the path chosen ("" when none)
    std::string rpmnPrefix;      // derived map name + "_" ("" when the map was given)
};

// The debug text begins: an empty line and the start line.
void beginDebugTrace(DebugTrace& trace);

// Map choice (table configuration, then "MAP=" or GS08) and map load, with
// their run-log lines. Without a map file, logs the missing-map report
// (when a map was named: otherwise the choice has logged why none was).
ConversionStart startConversion(const EngineRequest& request, RunLog& log, DebugTrace& trace);

// The missing-map report: " Mapping Error : .CFG Missing or Empty." without
// time, then the time directly followed by " - Error File  = " + the path.
void reportMissingMap(const std::string& mapPath, const RunLog::Clock& clock, RunLog& log);

// A file error shown to the user and logged, so that "parse.log" tells the
// truth: "Cfile <ERROR> " + what + " #" + code right-aligned in two.
void reportFileError(std::string_view what, int code, const std::string& path, RunLog& log);

// The end of a conversion: "RPMN" and "DS" when the output is complete
// (a failed run keeps its source and leaves the output where it is), then
// the debug log. Answers where the complete output is ("" when failed).
std::string finishConversion(const EngineRequest& request, const std::string& outputPath, const std::string& rpmnPrefix,
                      bool succeeded, RunLog& log, DebugTrace& trace);

// Writes "debug.log" (closing the text first) when the trace is on.
void writeDebugLog(DebugTrace& trace);

}  // namespace zr
