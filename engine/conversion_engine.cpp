#include "conversion_engine.hpp"

#include <exception>
#include <new>

#include "engine_common.hpp"
#include "map_choice.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "records_to_x12.hpp"
#include "text.hpp"
#include "x12_to_csv.hpp"

namespace zr {

namespace {

// Why no map was chosen for an X12 source, from what its head says.
std::string noMapReason(const std::string& source) {
    const SourceIdentity id = identifySource(source);
    if (wl::alltrim(id.st01).empty()) return "No Map: No ST Segment Found (no transaction set, or delimiters unreadable)";
    return "No Map Known for ST01 " + id.st01 + " (GS08 '" + id.gs08 + "')";
}

EngineResult convertOne(const EngineRequest& request, Direction direction, RunLog& log) {
    EngineResult result;
    DebugTrace trace(request.options.debug);
    beginDebugTrace(trace);
    ConversionStart start = startConversion(request, log, trace);
    if (!start.map) {
        writeDebugLog(trace);
        result.debugText = trace.text();
        result.log = log.text();
        result.failed = true;
        result.reason = start.mapPath.empty() ? noMapReason(request.spec.sourceFile)
                                              : "Map Missing or Empty : " + start.mapPath;
        return result;
    }
    DirectionResult done = direction == Direction::FromX12
                               ? convertFromX12(request, *start.map, log, trace)
                               : convertToX12(request, *start.map, wl::findFileNoCase(start.mapPath), log);
    EngineRequest finishing = request;
    if (done.complete && !done.problems.empty() && request.options.deleteSource) {
        // "DS" never erases a source whose conversion lost data: it is the
        // only whole copy.
        finishing.options.deleteSource = false;
        log.timed("Source Kept (data lost in conversion) : " + request.spec.sourceFile);
    }
    result.output =
        finishConversion(finishing, request.spec.destinationFile, start.rpmnPrefix, done.complete, log, trace);
    result.debugText = trace.text();
    log.timed("Maximum Service Line Count : " + wl::rightAligned(done.highestLine, 10));
    result.log = log.text();
    result.failed = !done.complete;
    if (done.complete) result.problems = std::move(done.problems);
    else result.reason = done.failure;
    return result;
}

// A conversion stopped by an exception: the output was never committed, so
// an earlier file of that name and the source stay as they were, and the
// run log says why.
EngineResult stopped(const EngineRequest& request, const std::string& why, RunLog& log) {
    const std::string text = why + " : " + request.spec.sourceFile;
    wl::WQOUT({text});
    log.timed(text);
    EngineResult result;
    result.failed = true;
    result.log = log.text();
    result.reason = text;
    return result;
}

}  // namespace

EngineRequest engineRequest(const ParseSpec& spec) {
    EngineRequest r;
    r.spec = spec;
    r.type = conversionTypeOf(spec.parseType);
    r.options = parseOptions(spec.parseOptions);
    return r;
}

EngineResult CTL48400A(const EngineRequest& request) {
    const Direction direction = request.type ? infoOf(*request.type).direction : Direction::None;
    RunLog log(request.clock ? request.clock : RunLog::Clock(currentTimeText));
    // The HL7 sources have no engine: nothing is converted, nothing touched,
    // and the run says so rather than counting a conversion.
    if (direction == Direction::None) {
        const std::string& type = request.spec.parseType;
        log.timed("No Converter for " + type + " : Nothing Written for " + request.spec.sourceFile);
        EngineResult result;
        result.failed = true;
        result.log = log.text();
        result.reason = "No Converter for " + type;
        return result;
    }
    try {
        return convertOne(request, direction, log);
    } catch (const std::bad_alloc&) {
        return stopped(request, "Out of Memory", log);
    } catch (const std::exception& e) {
        return stopped(request, std::string("Conversion Stopped (") + e.what() + ")", log);
    } catch (...) {
        return stopped(request, "Conversion Stopped", log);
    }
}

}  // namespace zr
