#include "error_report.hpp"

#include <cstdio>
#include <utility>

#include "file_io.hpp"
#include "paths.hpp"
#include "text.hpp"
#include "process_state.hpp"

namespace wl {

namespace {

struct ErrorModule {
    std::string folder = ".\\";
    std::string file = "error.log";
    PostErrorAction post;
};

ErrorModule& module() {
    return processState().errorReport.get<ErrorModule>();
}

std::vector<FrameRecord>& frames() {
    thread_local std::vector<FrameRecord> f;
    return f;
}

std::string withThousands(unsigned long long n) {
    std::string digits = std::to_string(n), out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

}  // namespace

std::optional<ErrorInfo> _WLGENERROR(int nCode, const std::string& cOperation) {
    struct Row {
        const char* description;
        int severity;
        const char* subSystem;
        int subCode;
    };
    static const Row rows[] = {
        {"Non defined Id", 3, "GUILIB", 1},          {"Duplicated Id", 3, "GUILIB", 2},
        {"Cannot create Dialog Box", 3, "GUILIB", 3}, {"Memory Low", 1, "BASE", 5300},
        {"GPF occurred", 3, "GUILIB", 5},            {"Cannot create window or control", 3, "GUILIB", 6},
    };
    if (nCode < 1 || nCode > 6) return std::nullopt;
    const Row& r = rows[nCode - 1];
    ErrorInfo e;
    e.severity = r.severity;
    e.canDefault = r.severity < 3;
    e.subSystem = r.subSystem;
    e.subCode = r.subCode;
    e.description = r.description;
    e.operation = cOperation;
    return e;
}

std::string ERRORMESSAGE(const ErrorInfo& e) {
    std::string s;
    if (e.osCode) {
        s.append("(DOS Error ").append(std::to_string(e.osCode)).append(") ");
    } else {
        s.append(e.severity > 1 ? "Error " : "Warning ");
    }
    s.append(e.subSystem.empty() ? std::string("???") : e.subSystem);
    s.append("/").append(e.subCode ? std::to_string(e.subCode) : std::string("???"));
    if (!e.description.empty()) s += "  " + e.description;
    if (!e.filename.empty())
        s += ": " + e.filename;
    else if (!e.operation.empty())
        s += ": " + e.operation;
    return s;
}

CallFrame::CallFrame(SourcePlace where) {
    frames().push_back({where.file, where.function, static_cast<int>(where.line)});
}
CallFrame::~CallFrame() { frames().pop_back(); }

std::vector<FrameRecord> callFrames() { return {frames().rbegin(), frames().rend()}; }

std::string errorReport(const ErrorInfo& e, const std::vector<FrameRecord>& stack, const ReportFacts& f) {
    std::string s;
    auto line = [&s](const std::string& text) { s += text + "\r\n"; };
    line("Application");
    line("===========");
    line("   Path and name: " + f.programPath + (f.wide ? " (64 bits)" : " (32 bits)"));
    line("   Size: " + withThousands(f.programSize) + " bytes");
    line("   Compiler version: " + f.compiler);
    line("   Library  Version: 13.07");
    line("   Windows version: " + f.windowsVersion);
    line("");
    line("   Time from start: " + f.timeFromStart);
    line("   Error occurred at: " + f.date + ", " + f.time);
    line("   Error description: " + ERRORMESSAGE(e));
    if (!e.args.empty()) {
        line("   Args:");
        for (std::size_t i = 0; i < e.args.size(); ++i) {
            const Value& a = e.args[i];
            const char type = a.isNil() ? 'U' : a.isLogical() ? 'L' : a.isNumber() ? 'N' : a.isText() ? 'C'
                              : a.isDate() ? 'D' : a.isList() ? 'A' : 'B';
            line("     [" + rightAligned(static_cast<std::int64_t>(i + 1), 4) + "] = " + type + "   " + CVALTOCHAR(a));
        }
    }
    line("");
    line("Stack Calls");
    line("===========");
    for (const FrameRecord& r : stack)
        line("   Called from: " + r.file + " => " + r.routine + "( " + std::to_string(r.line) + " )");
    line("");
    line("System");
    line("======");
    if (!f.wide) line("   CPU type: " + f.cpu + " " + std::to_string(f.cpuSpeedMHz) + " Mhz");
    line("   Hardware memory: " + std::to_string(f.memoryMB + 1) + " megs");
    line("");
    line("   Free System resources: " + std::to_string(f.freeSystemPercent) + " %");
    line("        GDI    resources: " + std::to_string(f.freeGdiPercent) + " %");
    line("        User   resources: " + std::to_string(f.freeUserPercent) + " %");
    line("");
    line("   Windows total applications running: " + std::to_string(f.applications.size()));
    for (std::size_t i = 0; i < f.applications.size(); ++i)
        line("    " + rightAligned(static_cast<std::int64_t>(i + 1), 3) + " " + f.applications[i]);
    // Compiled code keeps no parameter or local values to show: each level
    // is named by its routine.
    line("");
    line("Variables in use");
    line("================");
    line("   Procedure     Type   Value");
    line("   ==========================");
    for (const FrameRecord& r : stack) line("   " + r.routine);
    line("");
    line("Linked RDDs");
    line("===========");
    for (const std::string& d : f.drivers) line("   " + d);
    // The program's tables are opened by the screens that use them, not in
    // numbered work areas: there is no area to list.
    line("");
    line("DataBases in use");
    line("================");
    line("");
    line("Classes in use:");
    line("===============");
    for (std::size_t i = 0; i < f.classes.size(); ++i)
        line("   " + rightAligned(static_cast<std::int64_t>(i + 1), 3) + " " + f.classes[i]);
    line("");
    line("Memory Analysis");
    line("===============");
    line("      0 Static variables");
    line("");
    line("   Dynamic memory consume:");
    line("      Actual  Value: " + std::to_string(f.memoryInUse) + " bytes");
    line("      Highest Value: " + std::to_string(f.memoryHighest) + " bytes");
    return s;
}

std::string SETERRORPATH(const std::optional<std::string>& path) {
    return path ? std::exchange(module().folder, *path) : module().folder;
}

std::string SETERRORFILENAME(const std::optional<std::string>& name) {
    return name ? std::exchange(module().file, *name) : module().file;
}

std::string errorLogPath() { return joinPath(module().folder, module().file); }

bool writeErrorLog(const std::string& report) { return writeFileAtomically(errorLogPath(), report) == 0; }

PostErrorAction SETPOSTERRORACTION(PostErrorAction action) {
    if (!action) return module().post;
    return std::exchange(module().post, std::move(action));
}

const PostErrorAction& postErrorAction() { return module().post; }

std::string CGETINFO(const Value& v) {
    if (v.isText()) return "\"" + v.text() + "\"";
    if (v.isList()) return "Len: " + rightAligned(static_cast<std::int64_t>(v.list().size()), 4);
    return CVALTOCHAR(v);
}

}  // namespace wl
