#include "resources.hpp"

#include <cstring>

#include "library_registry.hpp"

namespace wl {

namespace {

// The bytes of a resource of a module; "" when it is not found.
std::string resourceBytes(HMODULE module, const NameOrId& name, LPCSTR type) {
    HRSRC info = FindResourceA(module, name.get(), type);
    if (!info) return {};
    HGLOBAL data = LoadResource(module, info);
    DWORD size = SizeofResource(module, info);
    const void* p = data ? LockResource(data) : nullptr;
    return p ? std::string(static_cast<const char*>(p), size) : std::string();
}

}  // namespace

HMODULE GETRESOURCES() { return GetResourceInstance(); }

HMODULE SETRESOURCES(const std::variant<std::string, HMODULE>& library) {
    if (auto* name = std::get_if<std::string>(&library))
        SetResourceInstance(LoadLibraryOnce(*name));
    else
        SetResourceInstance(std::get<HMODULE>(library));
    return GETRESOURCES();
}

void FREERESOURCES() {
    FreeAllLibraries();
    SetResourceInstance(nullptr);
}

HRSRC FINDRESOURCE(HMODULE hModule, const NameOrId& name, const NameOrId& type) {
    return FindResourceA(hModule, name.get(), type.get());
}

HGLOBAL LOADRESOURCE(HMODULE hModule, HRSRC hResInfo) { return LoadResource(hModule, hResInfo); }
void* LOCKRESOURCE(HGLOBAL hResData) { return LockResource(hResData); }
void FREERESOURCE(HGLOBAL hResData) { FreeResource(hResData); }

std::string CRESTOSTR(const NameOrId& name, const NameOrId& type) {
    return resourceBytes(GETRESOURCES(), name, type.get());
}

bool HASICONRESOURCE(const NameOrId& name) { return FindResourceA(GETRESOURCES(), name.get(), RT_ICON) != nullptr; }

void RESOURCETOFILE(HMODULE hModule, const NameOrId& name, const std::string& file) {
    std::string bytes = resourceBytes(hModule ? hModule : GETRESOURCES(), name, RT_RCDATA);
    HANDLE f = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

std::string HTMLRESOURCE(HMODULE hModule, const NameOrId& name) {
    std::string bytes = resourceBytes(hModule, name, MAKEINTRESOURCEA(23));
    bytes.resize(strnlen(bytes.c_str(), bytes.size()));
    return bytes;
}

}  // namespace wl
