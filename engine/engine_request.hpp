// What the conversion driver hands to the engine for one source file, and
// what it gets back. Both directions of the engine (X12 to CSV/XML and
// CSV/XML to X12) take the same request: the words as given, and their
// type and options parsed once.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "conversion_type.hpp"
#include "map_file.hpp"
#include "parse_options.hpp"
#include "parse_spec.hpp"
#include "progress_meter.hpp"
#include "run_log.hpp"

namespace zr {

struct EngineRequest {
    std::string modelCode = "ZRK7W315";
    // The words as given: type, source path, destination parameter, option
    // words and, in destinationFile, the output path of this source.
    ParseSpec spec;
    std::optional<ConversionType> type;  // spec.parseType parsed; none: no such type
    ParseOptions options;                // spec.parseOptions parsed
    // Show: the run's own progress meter; SetOnly: the caller's meter, set
    // through its unconditional setter; None: no meter at all.
    MeterMode meterMode = MeterMode::None;
    // Files a rename ("RPMN") never replaces: the run's sources, its map and
    // what the run wrote so far.
    std::vector<std::string> keepFiles;
    std::string tableConfiguration;  // table-configuration file; the driver passes ""
    RunLog::Clock clock;             // time of the log lines; empty: the current time
    // How a conversion spreads its work: threads converting transaction
    // sets (X12 -> CSV/XML) or parts of a CSV source (CSV -> X12) side by
    // side (0: one per processor, at most 6; 1: this thread alone) and the
    // size of the parts of the source they take (0: the engine's choice).
    // The output is the same whatever they are.
    unsigned threads = 0;
    std::size_t partBytes = 0;
    // The bytes, input and output, that the parts converted side by side
    // may hold at once (0: the engine's choice).
    std::size_t partsBudget = 0;
    // The maps the run parsed so far, shared by its sources (null: this
    // conversion parses its map itself).
    ParsedMaps* parsedMaps = nullptr;
};

// A request for one source whose type and options are parsed from the
// words (for callers without a driver run).
EngineRequest engineRequest(const ParseSpec& spec);

struct EngineResult {
    std::string log;      // the lines for "parse.log"
    bool failed = false;  // no map, or a file error: the output is missing or incomplete
    // An output written but not whole: what was lost or cut short, one line
    // each (already in `log`).
    std::vector<std::string> problems;
    std::string reason;  // why it failed, briefly ("" when it did not)
    std::string output;  // where the complete output ended ("RPMN" may move it)
    // The text of "debug.log" this conversion wrote ("" without "DEBUG").
    std::string debugText;
};

// What one direction of the engine answers.
struct DirectionResult {
    bool complete = false;  // the output is whole and committed
    int highestLine = 0;    // the most service lines of a record
    std::vector<std::string> problems;
    std::string failure;  // why it failed ("" when it did not)
};

}  // namespace zr
