#include "engine_common.hpp"

#include <filesystem>
#include <system_error>

#include "file_bytes.hpp"
#include "file_io.hpp"
#include "map_choice.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "table_config.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

namespace fs = std::filesystem;

// ---------------------------------------------------------------------------
// Debug trace

void DebugTrace::line(std::string_view text) {
    if (on_) text_.append(text).append("\r\n");
}

void DebugTrace::counted(std::string_view text) {
    if (!open()) return;
    ++counted_;
    text_.append(text).append("\r\n");
}

void DebugTrace::raw(std::string_view text) {
    if (on_) text_.append(text);
}

void beginDebugTrace(DebugTrace& trace) {
    trace.line("");
    trace.line("Start Debug Log ------------------------");
}

void writeDebugLog(DebugTrace& trace) {
    if (!trace.on()) return;
    trace.line("End Debug Log ------------------------");
    wl::writeFileAtomically("debug.log", trace.text());
}

// ---------------------------------------------------------------------------
// Start

namespace {

RunLog::Clock clockOf(const EngineRequest& request) {
    return request.clock ? request.clock : RunLog::Clock(currentTimeText);
}

// The map detection's own trace joins the debug text when it found no
// name; its file has then served and goes.
void takeDetectionTrace(DebugTrace& trace, const std::string& text) {
    trace.raw("\r\n");
    trace.raw(text);
    std::error_code ec;
    fs::remove(wl::findFileNoCase("tdebug.log"), ec);
}

}  // namespace

void reportMissingMap(const std::string& mapPath, const RunLog::Clock& clock, RunLog& log) {
    log.plain(" Mapping Error : .CFG Missing or Empty.");
    log.raw(clock() + " - Error File  = " + mapPath + "\r\n");
    if (!mapPath.empty()) {
        std::error_code ec;
        const fs::path looked = fs::absolute(mapPath, ec);
        log.timed("Map File Looked For : " + (ec ? mapPath : looked.string()));
    }
}

void reportFileError(std::string_view what, int code, const std::string& path, RunLog& log) {
    const std::string text = wl::fileErrorText(what, code);
    wl::WQOUT({text});
    log.timed(text + " : " + path);
}

ConversionStart startConversion(const EngineRequest& request, RunLog& log, DebugTrace& trace) {
    ConversionStart start;
    const std::string& source = request.spec.sourceFile;
    std::string mapOption = request.options.map;
    if (!request.tableConfiguration.empty()) mapOption = CTLD48400AE(request.tableConfiguration, mapOption, source);
    std::string detection, unsaved;
    start.mapPath = ChooseMap(mapOption, request.options.mapPath, request.options.defaultMapPath, source, log,
                              &start.rpmnPrefix, request.options.debug, &detection, &unsaved);
    if (trace.on() && wl::alltrim(mapOption).empty() && start.rpmnPrefix.empty())
        takeDetectionTrace(trace, detection);
    const std::string path = start.mapPath.empty() ? start.mapPath : wl::findFileNoCase(start.mapPath);
    trace.line("- Map File = " + path);
    start.map = loadMap(path, request.options.mapLog, request.modelCode, log, unsaved.empty() ? nullptr : &unsaved,
                        request.parsedMaps);
    if (!start.map) {
        // Without a map name the choice has said why ("No Map Known ..."):
        // the report of a missing file would name none.
        if (!start.mapPath.empty()) reportMissingMap(start.mapPath, clockOf(request), log);
        return start;
    }
    trace.line("- Map Fields = " + std::to_string(start.map->fields.size()) +
               "  Map Segments = " + std::to_string(start.map->templates.size()));
    return start;
}

// ---------------------------------------------------------------------------
// End

namespace {

// The output's name below the destination, or its own file name when it
// lies elsewhere (an "OUTFILE=" path); its new path carries the prefix.
std::string prefixedPath(const std::string& output, const std::string& destination, const std::string& prefix) {
    if (!destination.empty() && output.size() > destination.size() + 1 &&
        wl::prefixMatch(output, destination) && wl::isPathSeparator(output[destination.size()])) {
        const std::string name = output.substr(destination.size() + 1);
        if (name.find_first_of("\\/") == std::string::npos) return wl::joinPath(destination, prefix + name);
    }
    return wl::joinPath(wl::folderPart(output), prefix + wl::fileNamePart(output));
}

bool isKept(const EngineRequest& request, const std::string& path) {
    for (const std::string& kept : request.keepFiles)
        if (wl::sameFile(kept, path)) return true;
    return false;
}

// Whether a rename may land on `target`: a free name; an existing plain
// file only when neither a source, the map nor an output of this run, and
// with "OW" or the user's yes.
bool mayRenameOnto(const EngineRequest& request, const std::string& target) {
    switch (wl::targetKind(target)) {
        case wl::TargetKind::Missing: return true;
        case wl::TargetKind::Regular: break;
        default: return false;
    }
    if (isKept(request, target)) return false;
    return request.options.overwrite ||
           wl::MSGNOYES(target + " already exists. Overwrite it?", wl::Value("Overwite File?"));
}

// "RPMN": the output moves to its prefixed name. A move that cannot be made
// leaves the output where it is: it is never copied away and lost. Answers
// where the output is now.
std::string renameWithMapPrefix(const EngineRequest& request, const std::string& output, const std::string& prefix,
                                RunLog& log) {
    const std::string target = prefixedPath(output, request.spec.destinationFolder, prefix);
    if (target != output) {
        std::error_code ec;
        if (!mayRenameOnto(request, target)) {
            log.timed("RPMN : Not Renamed, " + target + " Kept");
            log.timed("RPMN : " + output);
            return output;
        }
        fs::rename(output, target, ec);
        if (ec) {
            log.timed("RPMN : " + output);
            return output;
        }
    }
    log.timed("RPMN : " + target);
    return target;
}

}  // namespace

std::string finishConversion(const EngineRequest& request, const std::string& outputPath,
                             const std::string& rpmnPrefix, bool succeeded, RunLog& log, DebugTrace& trace) {
    std::string output = outputPath;
    if (succeeded && request.options.renameWithMap && wl::fileExists(outputPath))
        output = renameWithMapPrefix(request, outputPath, rpmnPrefix, log);
    // The source goes only when its output is there: never the only copy.
    if (succeeded && request.options.deleteSource && wl::fileExists(output) &&
        !wl::sameFile(output, request.spec.sourceFile)) {
        std::error_code ec;
        if (!fs::remove(request.spec.sourceFile, ec) || ec) {
            const std::string text = "DS : Source Not Deleted : " + request.spec.sourceFile;
            wl::WQOUT({text});
            log.timed(text);
        }
    }
    writeDebugLog(trace);
    return succeeded ? output : std::string();
}

}  // namespace zr
