#include <windows.h>

#include "system_info.hpp"

namespace wl {

std::string operatingSystemText() {
    // GetVersionEx answers what the program is told; that is what it runs as.
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&v)) return "Windows";
#pragma GCC diagnostic pop
    return "Windows " + std::to_string(v.dwMajorVersion) + "." + std::to_string(v.dwMinorVersion) + " (build " +
           std::to_string(v.dwBuildNumber) + ")";
}

}  // namespace wl

namespace wl {

std::string cpuText() {
    char name[256] = {};
    DWORD size = sizeof name;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                     "ProcessorNameString", RRF_RT_REG_SZ, nullptr, name, &size) == ERROR_SUCCESS)
        return name;
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    return "x86 family processor, " + std::to_string(info.dwNumberOfProcessors) + " cores";
}

unsigned long long installedMemoryMB() {
    MEMORYSTATUSEX m{};
    m.dwLength = sizeof m;
    return GlobalMemoryStatusEx(&m) ? m.ullTotalPhys / (1024 * 1024) : 0;
}

}  // namespace wl
