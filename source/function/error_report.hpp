// Run-time errors and their report: the error type every failing operation
// throws (severity, retry and default allowed), the library's own numbered
// errors, a light record of the call frames for "Called from", and the
// report written to "error.log".
#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "source_place.hpp"
#include "value.hpp"

namespace wl {

struct ErrorInfo {
    int genCode = 0;
    std::string subSystem;
    int subCode = 0;
    int osCode = 0;
    int severity = 2;  // 1 warning, above 1 error
    bool canRetry = false;
    bool canDefault = false;
    std::string description;
    std::string operation;
    std::string filename;
    ValueList args;
};

// The error type of run-time failures.
class RunError : public std::runtime_error {
public:
    explicit RunError(ErrorInfo info) : std::runtime_error(info.description), info_(std::move(info)) {}
    const ErrorInfo& info() const { return info_; }

private:
    ErrorInfo info_;
};

// The library's error number 1 to 6 as an error record; none for others.
std::optional<ErrorInfo> _WLGENERROR(int nCode, const std::string& cOperation = {});

// The one-line description of an error.
std::string ERRORMESSAGE(const ErrorInfo& e);

// A routine's frame, kept while the routine runs, for the report's
// "Called from" lines. Declare one at the top of a routine worth naming.
class CallFrame {
public:
    explicit CallFrame(SourcePlace where = SourcePlace::current());
    ~CallFrame();
    CallFrame(const CallFrame&) = delete;
    CallFrame& operator=(const CallFrame&) = delete;
};
struct FrameRecord {
    std::string file, routine;
    int line = 0;
};
// The frames now open, innermost first.
std::vector<FrameRecord> callFrames();

// What the report says of the program and the machine.
struct ReportFacts {
    std::string programPath;
    unsigned long long programSize = 0;
    bool wide = sizeof(void*) == 8;
    std::string compiler;
    std::string windowsVersion;
    std::string timeFromStart;
    std::string date, time;
    std::string cpu;
    int cpuSpeedMHz = 0;  // measured for the 32-bit report only
    unsigned long long memoryMB = 0;
    // Free shares of the process's GDI and user object quotas; the system
    // figure is the lower of the two.
    int freeSystemPercent = 100, freeGdiPercent = 100, freeUserPercent = 100;
    std::vector<std::string> applications;  // "title, module" of each top-level application
    std::vector<std::string> drivers;       // table drivers linked in
    std::vector<std::string> classes;       // window classes the program has built, in order
    unsigned long long memoryInUse = 0, memoryHighest = 0;  // bytes
};

// The report text (CR LF lines).
std::string errorReport(const ErrorInfo& e, const std::vector<FrameRecord>& frames, const ReportFacts& facts);

// Where the report goes: folder (".\" at start) and file ("error.log").
std::string SETERRORPATH(const std::optional<std::string>& path = std::nullopt);
std::string SETERRORFILENAME(const std::optional<std::string>& name = std::nullopt);
std::string errorLogPath();
// Writes the report whole, replacing an earlier one; false when it failed.
bool writeErrorLog(const std::string& report);

using PostErrorAction = std::function<void(const std::string& path, const ErrorInfo&)>;
PostErrorAction SETPOSTERRORACTION(PostErrorAction action);
const PostErrorAction& postErrorAction();

// A value as the report shows it: a text in double quotation marks,
// "Len: " and the length (right-aligned in 4) for a list, else its text.
std::string CGETINFO(const Value& v);
// An object as the report shows it: "Class: " and its class name.
template <class Object>
    requires requires(const Object& o) { o.ClassName(); }
std::string CGETINFO(const Object& object) {
    return "Class: " + std::string(object.ClassName());
}

// The run-time's hooks for linking its error system in: a compiled
// program has nothing to link, so they do nothing.
inline void ERRORLINK() {}
inline void RT_GTSYS() {}
inline void WL_GT() {}

// Division where the callers want 0 for a zero divisor.
inline double safeDivide(double a, double b) { return b == 0 ? 0 : a / b; }

}  // namespace wl
