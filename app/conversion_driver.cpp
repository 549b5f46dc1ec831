#include "conversion_driver.hpp"

#include <algorithm>
#include <exception>
#include <mutex>
#include <filesystem>
#include <deque>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <set>
#include <system_error>
#include <thread>

#include "command_line.hpp"
#include "delimiters.hpp"
#include "file_bytes.hpp"
#include "file_io.hpp"
#include "messages.hpp"
#include "module_state.hpp"
#include "paths.hpp"
#include "progress_meter.hpp"
#include "system_info.hpp"
#include "text.hpp"
#include "text_files.hpp"
#include "work_pool.hpp"

namespace zr {

namespace fs = std::filesystem;

namespace {

const char kRule[] = "--------------------------------";
constexpr unsigned kFolderThreadsMost = 64;  // a bound on the processors a folder run uses

const ConversionTypeInfo* typeRow(const std::string& type) {
    const std::optional<ConversionType> t = conversionTypeOf(type);
    return t ? &infoOf(*t) : nullptr;
}

std::string fileHeader(const DriverRequest& r, const std::string& date, const std::string& time) {
    std::string h;
    auto line = [&](const std::string& s) { h.append(s).append("\r\n"); };
    line("Zarn Software Model " + r.modelCode + " X12 Parser Log");
    line("Torvel Parser ");
    line("Started " + date + "  " + time);
    line(kRule);
    line("   Parser Version Number : " + std::string(" 1.22C-01"));
    line("      Sub Version Number : " + std::string(" 1.23B-22"));
    line("       Current Directory : " + wl::currentFolder());
    line("           Current Drive : " + wl::currentDrive());
    line("                CPU type : " + wl::cpuText());
    line("         Hardware memory : " + std::to_string(wl::installedMemoryMB() + 1) + " megs");
    line("   Free System resources : 90 %");
    line("        GDI    resources : 90 %");
    line("        User   resources : 90 %");
    line("        Compiler version : " + wl::compilerText());
    line("        Operating System : " + wl::operatingSystemText());
    line(kRule);
    return h;
}

class UnattendedPrompts;

// The state of one driver run.
struct Run {
    Run(const DriverRequest& r, const DriverHooks& h)
        : request(r), hooks(h), log(h.clock ? RunLog(h.clock) : RunLog()), type(typeRow(r.type)) {}

    const DriverRequest& request;
    const DriverHooks& hooks;
    RunLog log;
    ParseOptions options;
    const ConversionTypeInfo* type = nullptr;
    DriverResult result;
    std::vector<std::string> sources;  // every source the run may read
    std::vector<std::string> notX12;   // files of a folder passed over: no "ISA" in them
    std::string map;                   // the map given by "MAP=" ("" when none)
    std::vector<std::string> written;  // the complete outputs of this run
    std::string logPath;               // where the run log goes ("" nowhere)
    std::string debugText;             // the last debug text an engine call wrote
    UnattendedPrompts* prompts = nullptr;  // an unattended run's messages
    bool sideBySide = false;               // a source converted on a worker of a folder run
    // The maps parsed in this run, shared with the runs of its sources.
    std::shared_ptr<ParsedMaps> maps = std::make_shared<ParsedMaps>();

    std::set<std::string> writtenKeys;
    // Every path this run compares: a folder's sources and outputs resolve
    // their folder once.
    wl::PathKeys pathKeys;

    bool wrote(const std::string& path) { return !writtenKeys.empty() && writtenKeys.count(pathKeys.key(path)) > 0; }
    void addWritten(const std::string& path) {
        written.push_back(path);
        writtenKeys.insert(pathKeys.key(path));
    }
};

// An unattended run waits for no click: every message of the run (the
// driver's, the engine's, the maps') goes to the run log and the meter's
// text instead of a box. A question (an existing output without "OW", a
// rename onto an existing file) is answered No, the safe answer that
// changes no file, and the log says so: a scheduled run with nobody at
// the screen would otherwise wait for ever.
class UnattendedPrompts {
public:
    explicit UnattendedPrompts(RunLog& log)
        : log_(log), outer_(wl::promptHook()), scope_([this](const wl::Prompt& p) { return answer(p); }) {}

    // While it lives, the messages of this thread go to `log` (a worker's
    // source keeps its lines together, and in their place).
    class Route {
    public:
        Route(UnattendedPrompts* prompts, RunLog& log) : prompts_(prompts) {
            if (!prompts_) return;
            std::lock_guard<std::mutex> lock(prompts_->mutex_);
            prompts_->routes_[std::this_thread::get_id()] = &log;
        }
        ~Route() {
            if (!prompts_) return;
            std::lock_guard<std::mutex> lock(prompts_->mutex_);
            prompts_->routes_.erase(std::this_thread::get_id());
        }
        Route(const Route&) = delete;
        Route& operator=(const Route&) = delete;

    private:
        UnattendedPrompts* prompts_;
    };

    // A run without a type starts the user interface: somebody is there
    // to answer from now on.
    void attended() { attended_ = true; }

private:
    wl::PromptAnswer answer(const wl::Prompt& p) {
        if (p.isQuestion() && attended_) return outer_ ? outer_(p) : wl::PromptAnswer{wl::platformMessageBox(p), {}, 0};
        if (p.kind != wl::PromptKind::Info && p.kind != wl::PromptKind::Alert && p.kind != wl::PromptKind::Stop &&
            !p.isQuestion())
            return outer_ ? outer_(p) : wl::PromptAnswer{};
        const std::string text =
            p.isQuestion() ? "Unattended Run, Answered No : " + oneLine(p.text) : oneLine(p.text);
        {
            // Worker threads of a conversion may speak too.
            std::lock_guard<std::mutex> lock(mutex_);
            const auto route = routes_.find(std::this_thread::get_id());
            (route == routes_.end() ? log_ : *route->second).timed(text);
        }
        // The meter belongs to the window thread: a worker never reaches it
        // (the window thread may be waiting for that worker).
        if (std::this_thread::get_id() == thread_) CTL394MTRD(text);
        return {};
    }
    // WQOUT puts CR LF before each value: the log line has them as blanks.
    static std::string oneLine(const std::string& text) {
        std::string line;
        for (char c : text) {
            if (c == '\r' || c == '\n') {
                if (!line.empty() && line.back() != ' ') line += ' ';
            } else {
                line += c;
            }
        }
        return wl::alltrim(line);
    }

    RunLog& log_;
    std::mutex mutex_;
    std::thread::id thread_ = std::this_thread::get_id();
    std::map<std::thread::id, RunLog*> routes_;
    wl::PromptHook outer_;
    bool attended_ = false;
    wl::ScopedPromptHook scope_;
};

// Paths by their keys, so that a folder of thousands of sources is checked
// in one pass.
struct PathSet {
    explicit PathSet(wl::PathKeys& keysOf) : pathKeys(keysOf) {}
    wl::PathKeys& pathKeys;
    std::set<std::string> keys;
    void add(const std::string& path) { keys.insert(pathKeys.key(path)); }
    bool has(const std::string& path) const { return !path.empty() && keys.count(pathKeys.key(path)) > 0; }
};

// A message of the driver's own: a box for the user at the screen, and
// always a log line (an unattended run has only the line).
void tell(Run& run, const std::string& text) {
    if (run.request.mode != DriverMode::Batch) wl::WQOUT({text});
    run.log.timed(text);
}

void callEngine(Run& run, const std::string& source, const std::string& output, bool replacing) {
    EngineRequest e;
    e.modelCode = run.request.modelCode;
    e.spec.parseType = run.request.type;
    e.spec.sourceFile = source;
    e.spec.destinationFolder = run.request.destination;
    e.spec.parseOptions = run.request.options;
    e.spec.destinationFile = output;
    e.type = run.type->type;
    e.options = run.options;
    if (run.request.mode != DriverMode::Menu || run.request.showMeter) e.meterMode = MeterMode::Show;
    if (run.sideBySide) {
        // The meter is the window thread's; the folder already keeps every
        // processor busy.
        e.meterMode = MeterMode::None;
        e.threads = 1;
    }
    e.clock = run.hooks.clock;  // one clock for every line of the run log
    e.parsedMaps = run.maps.get();
    // Only a rename needs them.
    if (e.options.renameWithMap) {
        e.keepFiles = run.sources;
        if (!run.map.empty()) e.keepFiles.push_back(run.map);
        e.keepFiles.insert(e.keepFiles.end(), run.written.begin(), run.written.end());
    }
    EngineResult r = run.hooks.engine ? run.hooks.engine(e) : CTL48400A(e);
    if (!r.debugText.empty()) run.debugText = r.debugText;
    run.log.raw(r.log);
    if (r.failed) {
        ++run.result.failed;
        const std::string line = "Failed : " + source + (r.reason.empty() ? std::string() : " : " + r.reason);
        run.log.timed(line);
        run.result.notes.push_back(line);
        return;
    }
    if (replacing) run.log.timed(" Erased : " + output);
    run.addWritten(r.output.empty() ? output : r.output);
    // Every source ends with a line that says how it went.
    if (!r.problems.empty()) {
        ++run.result.lostData;
        const std::string line = "Converted With Lost Data : " + source;
        run.log.timed(line);
        run.result.notes.push_back(line);
        for (const std::string& p : r.problems) run.result.notes.push_back("   " + p);
    } else {
        ++run.result.converted;
        run.log.timed("Converted : " + source);
    }
}

std::string notCreatedLine(const std::string& type) {
    const std::string up = wl::upper(type);
    if (up.size() >= 3 && up.compare(up.size() - 3, 3, "X12") == 0) return "X12 file Not Created ";
    if (up.size() >= 3 && up.compare(up.size() - 3, 3, "HL7") == 0) return "HL7 file Not Created ";
    return outputExtension(type) == "xml" ? "XML Not Created " : "CSV Not Created ";
}

// The output path of one source as the engine gets it: "OUTFILE=" in
// place of the derived one, and "CE" for the X12-to-CSV/XML types.
std::string finalOutput(const Run& run, std::string output) {
    if (!run.options.outFile.empty()) output = run.options.outFile;
    if (run.type->direction != Direction::ToX12)
        output = CTL48400Q(output, outputExtension(run.request.type), !run.options.convertExtension);
    return output;
}

// The question for an existing output names what Yes will do: with "MF"
// the records are added to it, otherwise it is replaced.
bool existingOutputQuestion(const Run& run, const std::string& output) {
    if (run.options.merge) return wl::MSGNOYES(output + " already exists. Add to it?", wl::Value("Add to File?"));
    return wl::MSGNOYES(output + " already exists. Overwrite it?", wl::Value("Overwite File?"));
}

// What a source's output is before its conversion: written earlier in
// this run, or a file that stands there. Looked at once per source.
struct OutputSeen {
    bool ours = false;
    bool exists = false;
};

OutputSeen seeOutput(Run& run, const std::string& output) { return {run.wrote(output), wl::fileExists(output)}; }

// Steps shared by both source kinds once the output path is known.
void convertTo(Run& run, const std::string& source, const std::string& output, const OutputSeen& seen) {
    run.log.timed(run.type->logLine);
    const bool ours = seen.ours;
    if (ours && !run.options.merge) {
        // Nothing this run wrote is replaced by a later source of the run.
        tell(run, "Output Clash : " + output + " was written earlier in this run.");
        ++run.result.failed;
        run.log.stamp();
        return;
    }
    const bool exists = seen.exists;
    // The run's own output is merged into without a question; any other
    // existing file only with "OW" or the user's yes, merged or replaced.
    bool convert = ours || run.options.overwrite || !exists ||
                   existingOutputQuestion(run, output);
    if (convert) {
        callEngine(run, source, output, exists && !ours && !run.options.merge && run.options.overwrite);
    } else {
        run.log.timed(notCreatedLine(run.request.type));
        ++run.result.skipped;
    }
    run.log.stamp();
}

// The output of a source file (kind 1) before "OUTFILE=" and "CE".
std::string fileOutput(const Run& run, const std::string& source, bool destinationIsFile) {
    const DriverRequest& r = run.request;
    // The destination names the output file itself.
    if (destinationIsFile) return r.destination;
    const std::string folder = wl::alltrim(r.destination).empty() ? wl::folderPart(source) : r.destination;
    return wl::joinPath(folder, CTL48403D(wl::fileNamePart(source), r.type, !run.options.retainExtension));
}

// The sources of a folder (kind 2): its plain files, X12 sources only when
// they hold an ISA, as a single source must (a byte-order mark, a blank
// line or text before it does not make a file less X12; CSV and XML
// sources hold none).
std::vector<std::string> folderSources(Run& run) {
    std::vector<std::string> paths;
    for (const std::string& name : CTLD48403A(run.request.source)) {
        if (name.empty()) continue;
        const std::string path = wl::joinPath(run.request.source, name);
        if (run.type && run.type->direction == Direction::FromX12 && !CTL39400AJ(path)) {
            run.notX12.push_back(path);
            continue;
        }
        paths.push_back(path);
    }
    return paths;
}

std::string folderOutput(const Run& run, const std::string& source) {
    return wl::joinPath(run.request.destination,
                        CTL48403D(wl::fileNamePart(source), run.request.type, !run.options.retainExtension));
}

// Converts one source; an exception from anywhere in it stops that source
// only: it is logged, counted as failed, and the run goes on.
template <class Convert>
void guarded(Run& run, const std::string& source, Convert convert) {
    std::string why;
    try {
        convert();
        return;
    } catch (const std::bad_alloc&) {
        why = "Out of Memory";
    } catch (const std::exception& e) {
        why = std::string("Conversion Stopped (") + e.what() + ")";
    } catch (...) {
        why = "Conversion Stopped";
    }
    const std::string line = "Failed : " + source + " : " + why;
    run.log.timed(line);
    run.result.notes.push_back(line);
    ++run.result.failed;
}

// A source file (kind 1).
void convertFile(Run& run, const std::string& source, bool destinationIsFile) {
    guarded(run, source, [&] {
        const std::string output = fileOutput(run, source, destinationIsFile);
        run.log.timed("Reading File : " + source);
        run.log.timed("Writing File : " + output);
        const std::string target = finalOutput(run, output);
        convertTo(run, source, target, seeOutput(run, target));
    });
}

// One source of a folder.
void convertFolderSource(Run& run, const std::string& path) {
    guarded(run, path, [&] {
        run.log.timed(" Dir/ File: " + path);
        const std::string output = folderOutput(run, path);
        const std::string target = finalOutput(run, output);
        const OutputSeen seen = seeOutput(run, target);
        if (run.options.outFile.empty() && !run.options.overwrite && !run.options.merge && !seen.ours && seen.exists) {
            run.log.timed("File Exists : " + target);
            run.log.timed("Skipped : Output Exists : " + path);
            ++run.result.skipped;
            return;
        }
        run.log.timed("Reading File : " + path);
        run.log.timed("Writing File : " + output);
        convertTo(run, path, target, seen);
    });
}

// The workers for a folder's sources; 1 (one at a time) unless every
// source stands alone: an unattended run (no box waits on a worker), one
// map named for all (no default map written on the way), an output of its
// own for each, and no option that shares a file between sources
// ("OUTFILE=", "MF", "RPMN", "MAPLOG", "ERR", "DEBUG"). Then one worker
// per processor: each converts its source on one thread.

unsigned folderThreads(Run& run) {
    const ParseOptions& o = run.options;
    if (run.request.mode != DriverMode::Batch || !run.prompts || run.sources.size() < 2 || run.map.empty() ||
        run.hooks.folderThreads == 1)
        return 1;
    if (!o.outFile.empty() || o.merge || o.renameWithMap || o.mapLog || o.errorFiles || o.debug) return 1;
    PathSet targets(run.pathKeys);
    for (const std::string& source : run.sources) {
        const std::string target = finalOutput(run, folderOutput(run, source));
        if (targets.has(target)) return 1;
        targets.add(target);
    }
    const unsigned most =
        run.hooks.folderThreads > 0 ? run.hooks.folderThreads : wl::WorkPool::usefulThreads(kFolderThreadsMost);
    return static_cast<unsigned>(std::min<std::size_t>(most, run.sources.size()));
}

// The sources of a folder on workers, each with a run of its own; their
// log lines, counts and outputs join the run in the folder's order, as a
// run one at a time gives them.
void convertSideBySide(Run& run, unsigned threads) {
    struct Source {
        std::unique_ptr<Run> run;
        std::shared_ptr<wl::WorkPool::Job> job;
    };
    std::deque<Source> flight;
    auto join = [&run](Run& done) {
        run.log.raw(done.log.text());
        run.result.converted += done.result.converted;
        run.result.failed += done.result.failed;
        run.result.lostData += done.result.lostData;
        run.result.skipped += done.result.skipped;
        run.result.notes.insert(run.result.notes.end(), done.result.notes.begin(), done.result.notes.end());
        for (const std::string& path : done.written) run.addWritten(path);
    };
    wl::WorkPool pool(threads);  // last: it finishes its tasks before the rest goes
    std::size_t next = 0;
    auto submit = [&] {
        Source s;
        s.run = std::make_unique<Run>(run.request, run.hooks);
        Run& own = *s.run;
        own.options = run.options;
        own.type = run.type;
        own.map = run.map;
        own.maps = run.maps;
        own.prompts = run.prompts;
        own.sideBySide = true;
        const std::string& path = run.sources[next++];
        s.job = pool.submit([&own, &path](unsigned) {
            UnattendedPrompts::Route route(own.prompts, own.log);
            convertFolderSource(own, path);
        });
        flight.push_back(std::move(s));
    };
    // A few sources ahead of the one joined next: memory holds their logs only.
    while (next < run.sources.size() && flight.size() < 2 * threads) submit();
    while (!flight.empty()) {
        pool.wait(flight.front().job);
        join(*flight.front().run);
        flight.pop_front();
        if (next < run.sources.size()) submit();
    }
}

// A folder of sources (kind 2).
void convertFolder(Run& run) {
    // Files passed over get their line too.
    for (const std::string& path : run.notX12) {
        run.log.timed(" Dir/ File: " + path);
        run.log.timed("Skipped : Not X12 (does not begin with ISA) : " + path);
        ++run.result.skipped;
    }
    const int before = run.result.converted + run.result.failed + run.result.lostData;
    if (const unsigned threads = folderThreads(run); threads > 1) {
        convertSideBySide(run, threads);
    } else {
        for (const std::string& path : run.sources) convertFolderSource(run, path);
    }
    // A folder that gave nothing to convert is no success.
    if (run.result.converted + run.result.failed + run.result.lostData == before) {
        const std::string line = "No Source Converted in Folder : " + run.request.source;
        run.log.timed(line);
        run.result.notes.push_back(line);
        ++run.result.failed;
    }
}

// A destination that is neither an existing file nor an existing folder:
// a new file when its name carries an extension, otherwise a folder that
// does not exist.
bool namesNewFile(const std::string& destination) {
    const std::string name = wl::fileNamePart(destination);
    const std::size_t dot = name.find('.');
    return dot != std::string::npos && dot > 0 && dot + 1 < name.size();
}

std::string defaultLogPath(const DriverRequest& request, const std::string& name) {
    return wl::folderPart(name).empty() && !request.currentFolder.empty() ? wl::joinPath(request.currentFolder, name)
                                                                         : name;
}

void refuse(Run& run, const std::string& text) { tell(run, text); }

// wl::sameFile through the run's keys: the map's own path in any form, or
// a hard link of it.
bool isTheMap(Run& run, const std::string& output, const std::string& mapKey) {
    if (run.pathKeys.key(output) == mapKey) return true;
    std::error_code ec;
    return fs::equivalent(fs::path(output), fs::path(run.map), ec) && !ec;
}

// Before anything is touched: no output, run log or debug log may be one
// of the run's sources or its map, and no log may be an output. Answers
// whether the run may go on; the run log is moved to "parse.log" when its
// given name is what it must not replace.
bool safeToRun(Run& run, bool destinationIsFile, int kind) {
    std::vector<std::string> outputs;
    for (const std::string& source : run.sources)
        outputs.push_back(finalOutput(run, kind == 1 ? fileOutput(run, source, destinationIsFile)
                                                     : folderOutput(run, source)));
    PathSet sources(run.pathKeys), taken(run.pathKeys);
    for (const std::string& source : run.sources) {
        sources.add(source);
        taken.add(source);
    }
    const std::string mapKey = run.map.empty() ? std::string() : run.pathKeys.key(run.map);
    if (!run.map.empty()) taken.keys.insert(mapKey);
    bool safe = true;
    for (const std::string& output : outputs) {
        if (sources.has(output)) {
            refuse(run, "Run Refused : Output is a Source : " + output);
            safe = false;
        } else if (!run.map.empty() && isTheMap(run, output, mapKey)) {
            refuse(run, "Run Refused : Output is the Map : " + output);
            safe = false;
        }
    }
    for (const std::string& output : outputs) taken.add(output);
    if (taken.has(run.logPath)) {
        refuse(run, "Run Refused : Parse Log is a Source, the Map or an Output : " + run.logPath);
        run.logPath = defaultLogPath(run.request, "parse.log");
        if (taken.has(run.logPath)) run.logPath.clear();
        safe = false;
    }
    if (run.options.debug && taken.has("debug.log")) {
        refuse(run, "Run Refused : Debug Log is a Source, the Map or an Output : debug.log");
        safe = false;
    }
    return safe;
}

void finish(Run& run, const std::string& date) {
    run.log.plain(kRule);
    run.log.plain("");
    run.log.plain("Parse Ended   " + date + "  " + run.log.now());
    // Nowhere to write the log is a failure the closing count includes.
    if (run.logPath.empty()) ++run.result.failed;
    run.log.plain(countLine(run.result));
    std::string text = run.log.text();
    // The debug text as "debug.log" holds it after the run's last conversion.
    if (run.options.debug && !run.debugText.empty()) text += run.debugText + "\r\n\r\n";
    run.result.logPath = run.logPath;
    if (run.logPath.empty()) {
        run.result.logError = "No Parse Log written";
    } else if (int error = wl::writeFileAtomically(run.result.logPath, text); error != 0) {
        // Unattended, the caller says it on the error output.
        run.result.logError = wl::fileErrorText("FC-Create", error) + " " + run.result.logPath;
        if (run.request.mode != DriverMode::Batch) wl::WQOUT({run.result.logError});
        // The log is lost: the terminal is the one place left to say why.
        run.result.notes.push_back(error == wl::kErrorPipeNotConnected
                                       ? "Parse Log Not Written, Nobody Reads the Pipe : " + run.result.logPath
                                       : "Parse Log Not Written : " + run.result.logPath);
        ++run.result.failed;
    }
    run.result.log = text;
}

}  // namespace

std::string countLine(const DriverResult& r) {
    return std::to_string(r.converted) + " converted, " + std::to_string(r.lostData) + " converted with lost data, " +
           std::to_string(r.failed) + " failed, " + std::to_string(r.skipped) + " skipped";
}

int batchExitStatus(const DriverResult& result) {
    return result.failed == 0 && result.lostData == 0 && result.skipped == 0 ? 0 : 1;
}

DriverRequest batchRequest(const CommandLine& line) {
    DriverRequest request;
    request.type = line.type;
    request.source = line.source;
    request.destination = line.destination;
    request.options = line.options;
    request.currentFolder = line.workingFolder;
    request.mode = DriverMode::Batch;
    return request;
}

DriverResult CTLD48403(const DriverRequest& given, const DriverHooks& hooks) {
    // Source and destination lose their trailing blanks (the command line
    // pads missing words with them).
    DriverRequest request = given;
    auto settle = [&request] {
        request.source = wl::rtrim(request.source);
        request.destination = wl::rtrim(request.destination);
    };
    settle();
    const std::string& type = request.type;
    const std::string& source = request.source;
    const std::string& destination = request.destination;

    Run main(request, hooks);
    const std::string date = hooks.date ? hooks.date() : wl::currentDateText();
    main.logPath = defaultLogPath(request, "parse.log");
    main.log.raw(fileHeader(request, date, main.log.now()));
    hooks.app->module.viewerState = ViewerState::Unattended;
    std::optional<UnattendedPrompts> unattended;
    if (request.mode == DriverMode::Batch) main.prompts = &unattended.emplace(main.log);

    // The prepared request is shown first; the dialog's answer is the run.
    auto openDialog = [&] {
        if (!hooks.dialog) return;
        hooks.dialog(request);
        settle();
        main.type = typeRow(request.type);
    };
    if (request.mode == DriverMode::DialogFirst) openDialog();
    else if (wl::alltrim(type).empty() || wl::alltrim(source).empty()) {
        main.log.timed("Parameter 1 and 2 are empty. Start User Interface ");
        const std::string old = wl::joinPath(request.currentFolder, "parse.log");
        // A batch type without a source starts no user interface: nobody
        // would answer.
        const bool attended = wl::alltrim(type).empty() || request.mode != DriverMode::Batch;
        if (attended && main.prompts) main.prompts->attended();
        if (attended && wl::fileExists(old) && wl::MSGYESNO("There is already a Parse.log. Add to it?", wl::Value("Merge Parse Log?")))
            main.log.raw("\r\n" + CTL39400AY(old) + "\r\n");
        if (attended) openDialog();
    }
    if (wl::alltrim(type).empty() || wl::alltrim(source).empty()) {
        main.log.timed(wl::alltrim(type).empty() ? "Parameter 1 empty. " : "Parameter 2 empty.");
        // A conversion type without a source is a run that converted nothing.
        if (!wl::alltrim(type).empty()) {
            const std::string line = "No Source Given for " + type;
            main.log.timed(line);
            main.result.notes.push_back(line);
            ++main.result.failed;
        }
        finish(main, date);
        return main.result;
    }
    main.options = parseOptions(request.options, main.log);
    if (!main.options.cutValue.empty()) {
        // Writing to the cut path would put the output or log elsewhere.
        refuse(main, "Run Refused : A Comma Cuts the Option Value : " + main.options.cutValue +
                         " (a path in the options cannot hold a comma)");
        ++main.result.failed;
        finish(main, date);
        return main.result;
    }
    if (!main.options.parseLog.empty()) main.logPath = defaultLogPath(request, main.options.parseLog);
    if (!wl::alltrim(main.options.map).empty())
        main.map = wl::alltrim(main.options.defaultMapPath).empty()
                       ? main.options.map
                       : wl::joinPath(main.options.defaultMapPath, main.options.map);

    int kind = 0;
    const bool isFile = wl::fileExists(source), isFolder = wl::folderExists(source);
    if (isFile && isFolder) {
        main.log.timed("Folder and File have same Name.");
        main.log.timed("Source : " + source);
    } else if (isFile) {
        main.log.timed("The source is a file.");
        main.log.timed("Source File : " + source);
        kind = 1;
    } else if (isFolder) {
        main.log.timed("The source is a Folder.");
        main.log.timed("Source Folder : " + source);
        kind = 2;
    } else {
        const std::string line = "Source Not Found : " + source;
        main.log.timed(line);
        main.result.notes.push_back(line);
    }

    bool destinationIsFile = false;
    if (!wl::alltrim(destination).empty()) {
        if (wl::fileExists(destination)) {
            main.log.timed("The destination file exists.");
            main.log.timed("File : " + destination);
            destinationIsFile = true;
        } else if (wl::folderExists(destination)) {
            main.log.timed("Destination Folder exists.");
            main.log.timed("Destination : " + destination);
        } else if (namesNewFile(destination) && (wl::folderPart(destination).empty() ||
                                                 wl::folderExists(wl::folderPart(destination)))) {
            main.log.timed("The Destination File to Create.");
            main.log.timed("Destination : " + destination);
            destinationIsFile = true;
        } else {
            main.log.timed("The Destination Folder does Not exist.");
            main.log.timed("Destination : " + destination);
            kind = 0;
        }
    }
    // A folder of sources goes to a folder, never into one file.
    if (kind == 2 && destinationIsFile && main.options.outFile.empty()) kind = 0;
    if (!main.type) kind = 0;

    main.log.timed("Type Paramter : " + type);
    main.log.timed("Source Parameter : " + source);
    main.log.timed("Destination Parameter : " + destination);
    main.log.timed("Options Paramter : " + request.options);
    main.log.timed("Destination Control : " + std::to_string(kind));
    if (kind == 1) main.sources = {source};
    if (kind == 2) main.sources = folderSources(main);
    if (kind != 0 && !safeToRun(main, destinationIsFile, kind)) {
        ++main.result.failed;
        finish(main, date);
        return main.result;
    }
    if (kind == 0) ++main.result.failed;
    if (kind == 1) convertFile(main, source, destinationIsFile);
    if (kind == 2) convertFolder(main);
    finish(main, date);
    return main.result;
}

std::vector<std::string> CTLD48403A(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec)) names.push_back(it->path().filename().string());
    // Directory order differs between systems; a stable order keeps runs repeatable.
    std::sort(names.begin(), names.end());
    if (names.empty()) names.push_back("");
    return names;
}

std::string CTL48403D(const std::string& fileName, const std::string& type, bool rename) {
    if (!rename) return fileName;
    const std::size_t dot = fileName.find('.');
    if (dot == std::string::npos) return fileName;
    return fileName.substr(0, dot) + "." + outputExtension(type);
}

std::string CTL48400Q(const std::string& path, const std::string& extension, bool keep) {
    if (keep) return path;
    const std::size_t dot = path.rfind('.');
    const std::size_t sep = path.find_last_of("/\\");
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return path + "." + extension;
    return path.substr(0, dot + 1) + extension;
}

int CTL48400L(const std::string& options, int mode) {
    if (mode != 1) return 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = options.find(',', start);
        if (wl::prefixMatch(wl::upper(options.substr(start, comma - start)), "SO")) return 1;
        if (comma == std::string::npos) return 0;
        start = comma + 1;
    }
}

}  // namespace zr
