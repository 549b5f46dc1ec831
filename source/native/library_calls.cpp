#include "library_calls.hpp"

#include <vector>

#include "messages.hpp"

namespace wl {

void reportLibraryLoadError(DWORD code, const char* library) {
    MSGALERT(Value("Error code: " + std::to_string(code) + " loading " + library));
}

bool SPWINHELP(HWND hwnd, const std::string& file, UINT command, ULONG_PTR data) {
    using Fn = BOOL(WINAPI*)(HWND, LPCSTR, UINT, ULONG_PTR);
    return callLibrary<Fn>("user32.dll", "WinHelpA", hwnd, file.c_str(), command, data).value_or(FALSE) != FALSE;
}

std::optional<std::string> GETPVPRFSE(const std::string& section, const std::string& file) {
    using Fn = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD, LPCSTR);
    std::vector<char> buffer(32767);
    const auto n = callLibrary<Fn>("kernel32.dll", "GetPrivateProfileSectionA", section.c_str(), buffer.data(),
                                   static_cast<DWORD>(buffer.size()), file.c_str());
    if (!n) return std::nullopt;
    return std::string(buffer.data(), *n);
}

std::optional<LONG> REGSETVALUE(HKEY key, const std::string& subKey, const std::string& value) {
    using Fn = LONG(WINAPI*)(HKEY, LPCSTR, DWORD, LPCSTR, DWORD);
    return callLibrary<Fn>("advapi32.dll", "RegSetValueA", key, subKey.c_str(), static_cast<DWORD>(REG_SZ),
                           value.c_str(), static_cast<DWORD>(value.size()));
}

std::optional<std::string> GETWINDOWMODULEFILENAME(HWND hwnd) {
    using Fn = UINT(WINAPI*)(HWND, LPSTR, UINT);
    char name[MAX_PATH] = {};
    const auto n = callLibrary<Fn>("user32.dll", "GetWindowModuleFileNameA", hwnd, name, static_cast<UINT>(MAX_PATH));
    if (!n) return std::nullopt;
    return std::string(name, *n);
}

}  // namespace wl
