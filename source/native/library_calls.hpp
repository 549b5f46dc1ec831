// Calls into Windows libraries loaded by name for the one call: load the
// library, find the entry point, call it, free the library. A library that
// cannot be loaded is reported ("Error code: " + code + " loading " + name)
// and the call answers nothing.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <type_traits>

namespace wl {

// Reports a library that could not be loaded.
void reportLibraryLoadError(DWORD code, const char* library);

// The library freed when the object goes.
class LoadedLibrary {
public:
    explicit LoadedLibrary(const char* name) : module_(LoadLibraryA(name)) {
        if (!module_) reportLibraryLoadError(GetLastError(), name);
    }
    ~LoadedLibrary() {
        if (module_) FreeLibrary(module_);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    explicit operator bool() const { return module_ != nullptr; }
    template <class Fn>
    Fn entry(const char* name) const {
        return module_ ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name))) : nullptr;
    }

private:
    HMODULE module_;
};

// Calls `entry` of `library` (a function of type Fn) with the arguments;
// nothing when the library or the entry is missing.
template <class Fn, class... Args>
auto callLibrary(const char* library, const char* entry, Args... args)
    -> std::optional<std::invoke_result_t<Fn, Args...>> {
    LoadedLibrary lib(library);
    Fn fn = lib.template entry<Fn>(entry);
    if (!fn) return std::nullopt;
    return fn(args...);
}

// WinHelpA from user32.
bool SPWINHELP(HWND hwnd, const std::string& file, UINT command, ULONG_PTR data);
// GetPrivateProfileSectionA from kernel32: the section's "key=value" lines.
std::optional<std::string> GETPVPRFSE(const std::string& section, const std::string& file);
// RegSetValueA from advapi32: the default value of a subkey as text.
std::optional<LONG> REGSETVALUE(HKEY key, const std::string& subKey, const std::string& value);
// GetWindowModuleFileNameA from user32: the module that made the window.
std::optional<std::string> GETWINDOWMODULEFILENAME(HWND hwnd);

// Load and free a library.
inline HMODULE LOADLIB32(const std::string& file) { return LoadLibraryA(file.c_str()); }
inline bool FREELIB32(HMODULE module) { return module && FreeLibrary(module); }

}  // namespace wl
