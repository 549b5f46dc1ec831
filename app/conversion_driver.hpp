// The conversion driver: one request (type, source, destination, options)
// converted file by file through the engine, with "parse.log" written at
// the end of every run.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "application.hpp"
#include "conversion_engine.hpp"
#include "conversion_type.hpp"
#include "engine_request.hpp"
#include "parse_options.hpp"
#include "run_log.hpp"

namespace zr {

// Who asked for the run.
enum class DriverMode {
    Menu,         // the menu: no meter of the driver's own
    Batch,        // the command line: the meter is shown
    DialogFirst,  // the run's dialog comes first
};

struct DriverRequest {
    std::string modelCode = "ZRK7W315";
    std::string type;         // "X12,CSV" ...
    std::string source;       // a file or a folder
    std::string destination;  // a folder, or a file
    std::string options;
    std::string currentFolder;  // where "parse.log" goes by default
    DriverMode mode = DriverMode::Menu;
    // The menu's run shows the meter too: the user waits at the screen.
    bool showMeter = false;
};

// What the driver needs from outside; the defaults are the real ones.
struct DriverHooks {
    std::function<EngineResult(const EngineRequest&)> engine;  // default CTL48400A
    RunLog::Clock clock;                                        // default: now
    std::function<std::string()> date;                          // default: today, MM/DD/YY
    // CTLD48401, the conversion dialog: edits the request in place (an
    // emptied type cancels). Opened with DriverMode::DialogFirst, and when
    // a run at the screen starts without a type or a source; none: no
    // dialog (the run ends with "Parameter 1 empty. ").
    std::function<void(DriverRequest&)> dialog;
    // Sources of a folder converted side by side: 0 one per processor (at
    // most 6), 1 one at a time. The outputs and the run log are the same.
    unsigned folderThreads = 0;
    // The program's state the run changes (the viewer state); start-up and
    // the main window hand theirs down.
    Application* app = &application();
};

struct DriverResult {
    std::string log;      // the run log text, as written to the log file
    std::string logPath;  // where it was written
    int converted = 0;    // sources converted without error
    int failed = 0;       // sources (or the request itself) that failed
    int lostData = 0;     // sources converted, but with data lost or cut short
    int skipped = 0;      // sources passed over (not X12, output kept)
    // One line per source that did not convert cleanly, for the terminal.
    std::vector<std::string> notes;
    // Why the run log could not be written ("" when it was): an unattended
    // run says it on the error output.
    std::string logError;
};

// The closing count of a run, the run log's last line:
// "N converted, N converted with lost data, N failed, N skipped".
std::string countLine(const DriverResult& result);

// The exit status of a batch run: 0 only when every source converted
// whole; a source failed, converted with lost data or passed over (an
// output kept, not X12) makes it 1.
int batchExitStatus(const DriverResult& result);

// The batch request of the command line's words (the meter shown).
struct CommandLine;
DriverRequest batchRequest(const CommandLine& line);

// CTLD48403: runs one request.
DriverResult CTLD48403(const DriverRequest& request, const DriverHooks& hooks = {});

// CTLD48403A: the plain files of the folder, in directory order ({""} when none).
std::vector<std::string> CTLD48403A(const std::string& folder);
// CTL48403D: the output name: with `rename`, the name up to its first "."
// followed by "." and the type's output extension.
std::string CTL48403D(const std::string& fileName, const std::string& type, bool rename);
// CTL48400Q: with `keep`, the path unchanged; otherwise its extension replaced.
std::string CTL48400Q(const std::string& path, const std::string& extension, bool keep);
// CTL48400L: 1 when an item of the options begins with "SO" (any case).
int CTL48400L(const std::string& options, int mode);

}  // namespace zr
