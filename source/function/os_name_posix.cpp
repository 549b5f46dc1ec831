#include <sys/utsname.h>

#include <fstream>
#include <string>

#include "system_info.hpp"

namespace wl {

std::string operatingSystemText() {
    utsname u{};
    if (uname(&u) != 0) return "Unknown";
    return std::string(u.sysname) + " " + u.release;
}

}  // namespace wl

namespace wl {

std::string cpuText() {
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("model name", 0) == 0) {
            auto colon = line.find(':');
            return colon == std::string::npos ? line : line.substr(colon + 2);
        }
    return "Unknown";
}

unsigned long long installedMemoryMB() {
    std::ifstream in("/proc/meminfo");
    std::string key;
    unsigned long long kb = 0;
    while (in >> key >> kb)
        if (key == "MemTotal:") return kb / 1024;
    return 0;
}

}  // namespace wl
