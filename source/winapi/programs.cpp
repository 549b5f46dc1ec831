#include "programs.hpp"

#include <shellapi.h>

#include "message_pump.hpp"

#include <vector>

namespace wl {

UINT WINEXEC(const std::string& command, UINT nShow) { return WinExec(command.c_str(), nShow); }

INT_PTR SHELLEXECUTE(HWND hWnd, const std::string& operation, const std::string& file, const std::string& parameters,
                     const std::string& directory, int nShow) {
    auto orNull = [](const std::string& s) { return s.empty() ? nullptr : s.c_str(); };
    return reinterpret_cast<INT_PTR>(ShellExecuteA(hWnd, orNull(operation), file.c_str(), orNull(parameters),
                                                   orNull(directory), nShow));
}

long RUNANDWAIT(const std::string& commandLine, WORD nShow) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = nShow;
    PROCESS_INFORMATION pi{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &si, &pi))
        return -1;
    CloseHandle(pi.hThread);
    while (WaitForSingleObject(pi.hProcess, 2) == WAIT_TIMEOUT) PumpPendingMessages();
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    return static_cast<long>(code);
}

bool EXITWINDOWS() { return ExitWindowsEx(0, 0) != FALSE; }

bool ISRUNNING(const std::string& name) {
    HANDLE mutex = CreateMutexA(nullptr, TRUE, name.c_str());
    bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    if (mutex) ReleaseMutex(mutex);
    // The handle stays open on purpose: it marks this program as running.
    return existed;
}

bool SETWALLPAPER(const std::optional<std::string>& file) {
    if (!file) return false;
    return SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(file->c_str()), 0) != FALSE;
}

bool ALLOCCONSOLE() { return AllocConsole() != FALSE; }
bool SETCONSOLETITLE(const std::string& title) { return SetConsoleTitleA(title.c_str()) != FALSE; }

}  // namespace wl
