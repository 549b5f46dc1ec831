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
