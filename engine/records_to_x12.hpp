// CSV rows or XML records to X12: each record fills the map's fields, the
// map's segment templates turn them into segments, and one ISA/GS/ST
// envelope wraps the whole run.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine_request.hpp"
#include "line_expansion.hpp"
#include "map_file.hpp"
#include "record_readers.hpp"
#include "run_log.hpp"
#include "segment_templates.hpp"
#include "x12_envelope.hpp"

namespace zr {

struct X12BuildRequest {
    bool xml = false;        // XML source (else CSV)
    std::string source;
    std::string output;
    std::string mapPath;
    bool crlf = false;       // "CR"
    bool multiLine = false;  // "ML"
    bool lineRows = false;   // "SL" or "ML": a CSV row per service line, as X12 to CSV writes them
    bool merge = false;      // "MF": append to an existing X12 output
    MeterMode meterMode = MeterMode::None;
    std::string date;        // CCYYMMDD; "" for today
    std::string time;        // HHMM; "" for now
    // Threads building parts of a CSV source side by side (0: one per
    // processor, at most 6, for a source of some megabytes; 1: this thread
    // alone) and the parts' size (0: 1 MB). The output is the same whatever
    // they are.
    unsigned threads = 0;
    std::size_t partBytes = 0;
};

struct X12BuildResult {
    bool failed = false;
    std::size_t records = 0;
    std::string reason;  // why it failed
    // Records left out (a claim map's record without a claim id), one line each.
    std::vector<std::string> problems;
};

// Converts one CSV or XML source with a loaded map.
X12BuildResult buildX12(MapFile& map, const X12BuildRequest& request, RunLog& log);

// The engine's CSV/XML-to-X12 direction: the request's source through the
// map found at `mapPath`.
DirectionResult convertToX12(const EngineRequest& request, MapFile& map, const std::string& mapPath, RunLog& log);

}  // namespace zr
