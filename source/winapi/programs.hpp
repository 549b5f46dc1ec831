// Starting other programs and documents, and process-wide switches.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace wl {

// WinExec; the call's result (above 31 on success).
UINT WINEXEC(const std::string& command, UINT nShow = SW_SHOWNORMAL);
// ShellExecuteA; the call's result (above 32 on success).
INT_PTR SHELLEXECUTE(HWND hWnd, const std::string& operation, const std::string& file,
                     const std::string& parameters = "", const std::string& directory = "",
                     int nShow = SW_SHOWNORMAL);
// Starts the program in a new console and waits for it, running pending
// window messages every 2 milliseconds; its exit code, -1 when it could not
// be started.
long RUNANDWAIT(const std::string& commandLine, WORD nShow = SW_SHOWNA);
bool EXITWINDOWS();
// True when a mutex of that name already existed; the mutex made here stays
// open for the life of the program, so a later start finds it.
bool ISRUNNING(const std::string& name);
bool SETWALLPAPER(const std::optional<std::string>& file);
bool ALLOCCONSOLE();
bool SETCONSOLETITLE(const std::string& title);

}  // namespace wl
