// The values that the application's functions share for the whole process:
// the main window, the viewer state, the progress meter's parts and a few
// objects and flags that one subsystem sets and another reads.
//
// There is one instance, held by the application object (application.hpp)
// and created on first use with the initial values below; nothing is saved.
// One thread uses it, without locks.
// Window and other objects of the screen layers are held as std::any so that
// this portable header needs none of their types: the main window as a
// non-owning pointer to its window object (the window registry owns it),
// objects made here for later use (clipboard, ODBC connection) as a
// std::shared_ptr so that the state keeps them alive.
#pragma once

#include <any>
#include <cstdint>
#include <string>

namespace zr {

enum class ViewerState : int {
    Interactive = 0,  // the viewer asks its questions
    Unattended = 1,   // after a conversion run, or after the user declined to
                      // see the sets one by one: no questions, no set list
    Request = 2,      // the viewer was given a request: questions take No
};

struct ModuleState {
    std::any mainWindow;  // empty until start-up creates the main window
    ViewerState viewerState = ViewerState::Interactive;
    // Not 0: the progress meter functions do nothing. The export sets it
    // for the option "MO"; nothing sets it back.
    int silentMeter = 0;

    // The progress meter's window parts, while the meter is open.
    std::any meterControl;
    double meterValue = 0;
    std::any meterSecondLineLabel;
    std::string meterSecondLineText;

    std::any clipboard;       // made by the paged print functions
    std::any odbcConnection;  // made by the ODBC outputs of the export and the converter
    std::string exportMapName;  // the export's "MAP=" option
    int write835Flag = 0;       // the file writers' flag
    // One line per control character met by the X12 File Information and
    // File Compare tools; never cleared, so a later run shows earlier lines.
    std::string controlCharacterReport;
    // Printed headers date YYYY/MM/DD once an X12 report has been written
    // (MM/DD/YY before).
    bool reportDateForm = false;
};

// The process's module state.
ModuleState& moduleState();

}  // namespace zr
