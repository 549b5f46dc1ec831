// The log display CTLD33500: the run, map and build logs in Notepad, the
// plain-text logs in a dialog of their own, the command log and the
// imported data tables in browses.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "log_display.hpp"

namespace wl {
class TWBrowse;
}

namespace zr {

struct LogDisplayContext {
    std::string currentFolder;
    // The run log the last conversion of this session wrote ("" for none:
    // "parse.log").
    std::string lastRunLog;
    // Starts a program; answers WinExec's result. None: WINEXEC.
    std::function<UINT(const std::string& command)> start;
};

void CTLD33500(LogMode mode, HWND owner, const LogDisplayContext& context);

// CTLD33500A: "Command Log Search for String": the text typed; "Locate"
// positions the selected table on the first record from the current one
// on that holds it (CTLD35500B).
std::string CTLD33500A(const std::string& text);
// CTLD35500D: a pop-up menu of one item, the text.
void CTLD35500D(wl::TWBrowse& browse, int row, int col, const std::string& text);
// CTLD35500E: a pop-up menu of the line's words and their columns.
void CTLD35500E(wl::TWBrowse& browse, int row, int col, const std::string& text, long long record);

// CTLD33501: "Enter File Name": the name typed or chosen with "Browse"
// (without its folder) on "Continue", "" on "Exit".
std::string CTLD33501(const std::string& fileName);

}  // namespace zr
