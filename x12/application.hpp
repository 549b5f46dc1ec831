// The program's own state for the whole process, in one object: what the
// subsystems share (ModuleState), the progress meter's seam and the hook
// that closes the viewer's tables. The object lives in the library's
// process state (wl::processState().application), which owns it; the
// existing functions (moduleState(), setMeterObserver(), ...) read and
// write it, and only they do.
#pragma once

#include "ini_lines.hpp"
#include "module_state.hpp"
#include "process_state.hpp"
#include "progress_meter.hpp"

namespace zr {

struct Application {
    ModuleState module;

    // The progress meter is one window on the screen, so its seam is one per
    // process: the observer is installed at start-up (the meter window, the
    // terminal or a test); the last opened id only tells whether a meter was
    // opened.
    MeterObserver meterObserver;
    int lastMeterOpened = 0;
    // The meter's window while it is shown (Windows only; its type is the
    // screen's own).
    wl::ProcessPart meterWindow{wl::processState()};

    // Set once by the viewer at start-up (tests install their own and
    // restore it); a run never changes it.
    CloseAllTablesHook closeAllTables;
};

// The process's application object.
Application& application();

}  // namespace zr
