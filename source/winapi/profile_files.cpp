#include "profile_files.hpp"

#include <windows.h>

namespace wl {

namespace {
constexpr DWORD kBufferSize = 4095;

const char* orNull(const std::optional<std::string>& s) { return s ? s->c_str() : nullptr; }

// The text of the answered length (taken as unsigned 16-bit), name lists
// with their zero bytes.
std::string answered(const char* buffer, DWORD length) {
    return std::string(buffer, length & 0xFFFF);
}
}  // namespace

int GETPROFINT(const std::string& section, const std::string& entry, int nDefault) {
    return static_cast<int>(GetProfileIntA(section.c_str(), entry.c_str(), nDefault));
}

std::string GETPROFSTRING(const std::optional<std::string>& section, const std::optional<std::string>& entry,
                          const std::string& cDefault) {
    char buffer[kBufferSize + 1] = {};
    DWORD n = GetProfileStringA(orNull(section), orNull(entry), cDefault.c_str(), buffer, kBufferSize);
    return answered(buffer, n);
}

bool WRITEPROFSTRING(const std::string& section, const std::optional<std::string>& entry,
                     const std::optional<std::string>& value) {
    return WriteProfileStringA(section.c_str(), orNull(entry), orNull(value)) != FALSE;
}

int GETPVPROFINT(const std::string& section, const std::string& entry, int nDefault, const std::string& file) {
    return static_cast<int>(GetPrivateProfileIntA(section.c_str(), entry.c_str(), nDefault, file.c_str()));
}

std::string GETPVPROFSTRING(const std::optional<std::string>& section, const std::optional<std::string>& entry,
                            const std::string& cDefault, const std::string& file) {
    char buffer[kBufferSize + 1] = {};
    DWORD n = GetPrivateProfileStringA(orNull(section), orNull(entry), cDefault.c_str(), buffer, kBufferSize,
                                       file.c_str());
    return answered(buffer, n);
}

bool WRITEPPROSTRING(const std::string& section, const std::optional<std::string>& entry,
                     const std::optional<std::string>& value, const std::string& file) {
    return WritePrivateProfileStringA(section.c_str(), orNull(entry), orNull(value), file.c_str()) != FALSE;
}

bool DELINISECTION(const std::string& section, const std::string& file) {
    return WritePrivateProfileStringA(section.c_str(), nullptr, "", file.c_str()) != FALSE;
}

bool DELINIENTRY(const std::string& section, const std::string& entry, const std::string& file) {
    return WritePrivateProfileStringA(section.c_str(), entry.c_str(), nullptr, file.c_str()) != FALSE;
}

}  // namespace wl
