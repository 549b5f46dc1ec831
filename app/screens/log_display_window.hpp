// The log display CTLD33500: the run, map and build logs in Notepad, the
// plain-text logs in a dialog of their own.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "log_display.hpp"

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

// CTLD33501: "Enter File Name": the name typed or chosen with "Browse"
// (without its folder) on "Continue", "" on "Exit".
std::string CTLD33501(const std::string& fileName);

}  // namespace zr
