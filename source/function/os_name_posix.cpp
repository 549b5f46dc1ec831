#include <sys/utsname.h>

#include "system_info.hpp"

namespace wl {

std::string operatingSystemText() {
    utsname u{};
    if (uname(&u) != 0) return "Unknown";
    return std::string(u.sysname) + " " + u.release;
}

}  // namespace wl
