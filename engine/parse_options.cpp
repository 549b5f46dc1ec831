#include "parse_options.hpp"

#include <string_view>

#include "text.hpp"

namespace zr {

ParseOptions parseOptions(const std::string& words, RunLog& log) {
    ParseOptions o;
    struct Word {
        const char* word;
        bool ParseOptions::*flag;
        std::string ParseOptions::*value;
        const char* logLine;
    };
    static const Word table[] = {
        {"RE", &ParseOptions::retainExtension, nullptr, "Retain File Extension."},
        {"MF", &ParseOptions::merge, nullptr, "Merge Files Set to Yes."},
        {"OW", &ParseOptions::overwrite, nullptr, "Overwrite Files Set to Yes."},
        {"RPMN", &ParseOptions::renameWithMap, nullptr, "Rename with Prefix Map Name."},
        {"MAPLOG", &ParseOptions::mapLog, nullptr, "Map Log ON."},
        {"HO", &ParseOptions::header, nullptr, "Header On File Set to Yes."},
        {"DS", &ParseOptions::deleteSource, nullptr, "Delete Source File Set to Yes."},
        {"CE", &ParseOptions::convertExtension, nullptr, "Convert destination File Extesion."},
        {"CR", &ParseOptions::crlf, nullptr, "Add CR/LF to end of X12 Segment."},
        {"ERR", &ParseOptions::errorFiles, nullptr, "Error Files Set to Yes."},
        {"DEBUG", &ParseOptions::debug, nullptr, "Debug is on."},
        {"DEFAULTMAPPATH=", nullptr, &ParseOptions::defaultMapPath, "DefaultMapPath = "},
        {"MAPPATH=", nullptr, &ParseOptions::mapPath, "MapPath = "},
        {"MAP=", nullptr, &ParseOptions::map, "Map = "},
        {"OUTFILE=", nullptr, &ParseOptions::outFile, "OutFile = "},
        {"PARSELOG=", nullptr, &ParseOptions::parseLog, "Parselog = "},
        // The engine's own words: known, but without a log line.
        {"ML", &ParseOptions::multiLine, nullptr, nullptr},
        {"SL", &ParseOptions::lineMode, nullptr, nullptr},
    };
    std::size_t start = 0;
    std::string lastValueWord;  // the word before, when it gave a value
    for (;;) {
        const std::size_t comma = words.find(',', start);
        const std::string word = words.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const std::string up = wl::upper(word);
        bool known = false;
        for (const Word& w : table) {
            if (!wl::prefixMatch(up, w.word)) continue;
            known = true;
            if (w.flag) o.*(w.flag) = true;
            if (w.value) o.*(w.value) = wl::alltrim(std::string_view(word).substr(std::string_view(w.word).size()));
            if (w.logLine) log.timed(w.logLine);
            if (w.value == &ParseOptions::parseLog) log.timed("Parse Log Set to : " + o.parseLog);
            break;
        }
        if (!known && !wl::alltrim(word).empty()) {
            log.timed("Unknown option : " + word);
            // Most likely the rest of a path that held a comma.
            if (!lastValueWord.empty() && o.cutValue.empty()) o.cutValue = lastValueWord + "," + word;
        }
        // Only the paths a run writes to: a cut map path finds no map anyway.
        lastValueWord = wl::prefixMatch(up, "OUTFILE=") || wl::prefixMatch(up, "PARSELOG=") ? word : "";
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return o;
}

ParseOptions parseOptions(const std::string& words) {
    RunLog unused([] { return std::string(); });
    return parseOptions(words, unused);
}

}  // namespace zr
