// The option words of a request, parsed once: the driver parses them and
// hands the result to the engine with every source.
#pragma once

#include <string>

#include "run_log.hpp"

namespace zr {

// The words, compared upper-cased by prefix; values keep their case.
struct ParseOptions {
    bool retainExtension = false;   // RE
    bool merge = false;             // MF
    bool overwrite = false;         // OW
    bool renameWithMap = false;     // RPMN
    bool mapLog = false;            // MAPLOG
    bool header = false;            // HO: CSV title line
    bool deleteSource = false;      // DS
    bool convertExtension = false;  // CE
    bool crlf = false;              // CR
    bool errorFiles = false;        // ERR
    bool debug = false;             // DEBUG
    bool multiLine = false;         // ML: one record per document, lines side by side
    bool lineMode = false;          // SL: one row per service line
    std::string defaultMapPath, mapPath, map, outFile, parseLog;
    // "OUTFILE=" or "PARSELOG=" followed by a word that is no option
    // ("OUTFILE=a,b.csv"): a comma cut the path. The two words as given;
    // the run is refused.
    std::string cutValue;
};

// Parses the words split at commas (not trimmed): the first word of the
// list that a word begins with applies. Each recognised word logs its line;
// "ML" and "SL", the engine's own, log none.
ParseOptions parseOptions(const std::string& words, RunLog& log);
// The same without the log lines.
ParseOptions parseOptions(const std::string& words);

}  // namespace zr
