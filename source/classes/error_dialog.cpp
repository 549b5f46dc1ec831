#include "error_dialog.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

#include <psapi.h>

#include "button.hpp"
#include "bitmaps.hpp"
#include "dialog.hpp"
#include "drawing.hpp"
#include "listbox.hpp"
#include "message_loop.hpp"
#include "system_facts.hpp"  // GETCPUSPEED
#include "system_info.hpp"
#include "window.hpp"
#include "process_state.hpp"

namespace wl {

namespace {

struct HandlerModule {
    ErrorExit exit = [](int code) {
        PostQuitMessage(code);
        ExitProcess(static_cast<UINT>(code));
    };
    bool running = false;
    bool networkError = false;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

HandlerModule& module() {
    return processState().errorHandler.get<HandlerModule>();
}

std::string elapsedText() {
    const auto s = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - module().start)
                       .count();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld", static_cast<long long>(s / 3600),
                  static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
    return buf;
}

BOOL CALLBACK listApplication(HWND h, LPARAM data) {
    if (!IsWindowVisible(h) || GetWindow(h, GW_OWNER)) return TRUE;
    char title[256] = {};
    if (!GetWindowTextA(h, title, sizeof title)) return TRUE;
    reinterpret_cast<std::vector<std::string>*>(data)->push_back(title);
    return TRUE;
}

}  // namespace

namespace {
INT_PTR showErrorDialog(const ErrorInfo& e);
}  // namespace

namespace {
PROCESS_MEMORY_COUNTERS memoryCounters() {
    PROCESS_MEMORY_COUNTERS c{};
    c.cb = sizeof c;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c)) c = PROCESS_MEMORY_COUNTERS{};
    return c;
}
// The free share of a per-process object quota (10000 objects by default).
int freePercent(DWORD kind) {
    const DWORD used = GetGuiResources(GetCurrentProcess(), kind);
    return static_cast<int>(100 - std::min<DWORD>(used, 10000) / 100);
}
}  // namespace

unsigned long long MEMUSED() { return memoryCounters().PagefileUsage; }
unsigned long long MEMMAX() { return memoryCounters().PeakPagefileUsage; }

ErrorExit setErrorExit(ErrorExit exit) { return std::exchange(module().exit, std::move(exit)); }
bool networkErrorFlag() { return module().networkError; }

ReportFacts currentReportFacts() {
    ReportFacts f;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    f.programPath = path;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        f.programSize = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    f.compiler = compilerText();
    f.windowsVersion = operatingSystemText();
    f.timeFromStart = elapsedText();
    f.date = currentDateText();
    f.time = localTimeText("%H:%M:%S");
    f.cpu = cpuText();
    // Only the 32-bit report shows the CPU line; measuring takes a moment.
    if (!f.wide) f.cpuSpeedMHz = GETCPUSPEED();
    f.memoryMB = installedMemoryMB();
    EnumWindows(listApplication, reinterpret_cast<LPARAM>(&f.applications));
    std::sort(f.applications.begin(), f.applications.end());
    f.freeGdiPercent = freePercent(GR_GDIOBJECTS);
    f.freeUserPercent = freePercent(GR_USEROBJECTS);
    f.freeSystemPercent = std::min(f.freeGdiPercent, f.freeUserPercent);
    for (const TWindow* w : GETALLWIN()) {
        if (!w) continue;
        const std::string name = w->ClassName();
        if (std::find(f.classes.begin(), f.classes.end(), name) == f.classes.end()) f.classes.push_back(name);
    }
    f.memoryInUse = MEMUSED();
    f.memoryHighest = MEMMAX();
    return f;
}

ErrorChoice ERRORDIALOG(const ErrorInfo& e) {
    if (e.genCode == 5) return ErrorChoice::Default;  // division by zero yields 0
    if ((e.genCode == 21 && (e.osCode == 32 || e.osCode == 5) && e.canDefault) || (e.genCode == 40 && e.canDefault)) {
        module().networkError = true;
        return ErrorChoice::Default;
    }
    HandlerModule& m = module();
    if (m.running) {  // an error inside the handler
        m.exit(1);
        return ErrorChoice::Quit;
    }
    // Cleared on every way out, so that a failed dialog does not turn the
    // next error into "an error inside the handler".
    struct Running {
        HandlerModule& m;
        explicit Running(HandlerModule& module) : m(module) { m.running = true; }
        ~Running() { m.running = false; }
    } running(m);
    const std::string report = errorReport(e, callFrames(), currentReportFacts());
    writeErrorLog(report);
    INT_PTR result = 2;
    try {
        result = showErrorDialog(e);
    } catch (...) {
        // The dialog itself failed: the report is written, the program ends.
        result = 11;
    }
    if (result == 10 && LWRUNNING()) return ErrorChoice::Retry;
    if (result == 12) return ErrorChoice::Default;
    m.exit(1);
    return ErrorChoice::Quit;
}

namespace {
// The "Window Library" dialog: 10 Retry, 11 Quit, 12 Default, 2 closed.
INT_PTR showErrorDialog(const ErrorInfo& e) {
    TDialog d;
    DialogNew n;
    n.cCaption = "Window Library";
    n.nWidth = 450;
    n.nHeight = 350;
    d.New(n);
    TSay description, stackLabel;
    SayNew s;
    s.oWnd = &d;
    s.lPixel = true;
    s.nRow = 8;
    s.nCol = 46;  // beside the logo
    s.nWidth = 382;
    s.nHeight = 32;
    // The description is ANSI text already: shown as it is, "&" included.
    const std::string line = ERRORMESSAGE(e);
    s.bText = [line] { return Value(line); };
    description.New(s);
    description.nStyle |= SS_NOPREFIX;
    s.nRow = 48;
    s.nCol = 8;
    s.nHeight = 16;
    s.nWidth = 100;
    s.bText = [] { return Value("&Stack List"); };
    stackLabel.New(s);
    TListBox stack;
    std::vector<std::string> called;
    for (const FrameRecord& r : callFrames())
        called.push_back("Called from: " + r.file + " => " + r.routine + "( " + std::to_string(r.line) + " )");
    Value none;
    ListNew l;
    l.oWnd = &d;
    l.lPixel = true;
    l.nRow = 66;
    l.nCol = 8;
    l.nWidth = 420;
    l.nHeight = 180;
    l.bSetGet = bindTo(none);
    l.aItems = called;
    stack.New(l);

    std::vector<std::unique_ptr<TButton>> buttons;
    int col = 8;
    auto button = [&](const std::string& caption, std::function<void(TWindow&)> action, bool isDefault) {
        ButtonNew b;
        b.oWnd = &d;
        b.lPixel = true;
        b.nRow = 260;
        b.nCol = col;
        b.nWidth = caption.size() > 10 ? 150 : 90;
        b.nHeight = 26;
        b.cCaption = caption;
        b.bAction = std::move(action);
        b.lDefault = isDefault;
        col += b.nWidth + 10;
        buttons.push_back(std::make_unique<TButton>());
        buttons.back()->New(b);
    };
    const bool quitDefault = (!e.canRetry && !e.canDefault) || (e.canRetry && e.canDefault);
    if (e.canRetry) button("&Retry", [&](TWindow&) { d.End(10); }, false);
    button("&Quit", [&](TWindow&) { d.End(11); }, quitDefault);
    if (e.canDefault) button("&Default", [&](TWindow&) { d.End(12); }, !quitDefault && !e.canRetry);
    const std::string file = SETERRORFILENAME();
    button("See " + file + " file", [](TWindow&) {
        const std::string command = "Notepad.exe " + errorLogPath();
        WinExec(command.c_str(), SW_SHOWNORMAL);
    }, false);
    HBITMAP logo = WLLOGOBITMAP(nullptr);
    d.bPainted = [logo](HDC dc, const PAINTSTRUCT*, TWindow&) { DRAWMASKED(dc, logo, 6, 6); };
    DialogActivate a;
    a.lCentered = true;
    struct LogoRelease {
        HBITMAP b;
        ~LogoRelease() { DELETEOBJECT(b); }
    } release{logo};
    d.Activate(a);
    if (postErrorAction()) postErrorAction()(errorLogPath(), e);
    return d.nResult.value_or(2);
}
}  // namespace

void ERRORSYS() {
    setEventErrorHook([](const EventError& error) {
        // A library error carries its number into the report.
        std::optional<ErrorInfo> numbered = _WLGENERROR(error.libraryError, error.operation);
        ErrorInfo e = numbered.value_or(ErrorInfo{});
        if (!numbered) {
            e.subSystem = "GUILIB";
            e.description = error.what;
        }
        ERRORDIALOG(e);
    });
}

}  // namespace wl
