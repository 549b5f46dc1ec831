// The error handler's Windows half: the report of a run-time error written
// to "error.log" and the "Window Library" dialog with Retry, Quit, Default
// and the button that opens the report.
#pragma once

#include <functional>

#include "error_report.hpp"

namespace wl {

enum class ErrorChoice { Retry, Default, Quit };

// Handles one error: silent answers for division by zero and sharing
// violations, else the report and the dialog. Quit (or a retry outside the
// main loop) ends the program through the exit action.
ErrorChoice ERRORDIALOG(const ErrorInfo& e);

// Routes errors caught at the window message boundary to the handler.
void ERRORSYS();

// How the program ends after Quit: frees, posts the quit message and exits
// with the code. Tests replace it.
using ErrorExit = std::function<void(int)>;
ErrorExit setErrorExit(ErrorExit exit);

// The network-error flag a silent sharing violation sets.
bool networkErrorFlag();

// What the report says of this program and machine now.
ReportFacts currentReportFacts();

// The process's committed memory now and at its highest, in bytes.
unsigned long long MEMUSED();
unsigned long long MEMMAX();

}  // namespace wl
