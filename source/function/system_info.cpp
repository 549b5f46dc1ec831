#include "system_info.hpp"

#include <ctime>
#include <filesystem>
#include <system_error>

namespace wl {

std::string compilerText() {
#if defined(__clang__)
    return std::string("clang ") + __clang_version__;
#elif defined(__GNUC__)
    return std::string("GCC ") + __VERSION__;
#else
    return "C++ compiler";
#endif
}

std::tm localParts(std::time_t t) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    return local;
}

std::string localTimeText(const char* format) {
    const std::tm local = localParts(std::time(nullptr));
    char buf[64];
    std::strftime(buf, sizeof buf, format, &local);
    return buf;
}

std::string currentDateText() { return localTimeText("%m/%d/%y"); }

std::string currentFolder() {
    std::error_code ec;
    return std::filesystem::current_path(ec).string();
}

std::string currentDrive() {
    std::string folder = currentFolder();
    return folder.size() >= 2 && folder[1] == ':' ? folder.substr(0, 2) : std::string();
}

}  // namespace wl
