#include "registry.hpp"

#include <cstring>
#include <vector>

namespace wl {

LONG REGOPENKEYEX(HKEY hKey, const std::string& subKey, REGSAM access, HKEY& result) {
    return RegOpenKeyExA(hKey, subKey.c_str(), 0, access, &result);
}

LONG REGOPENKEY(HKEY hKey, const std::string& subKey, HKEY& result) {
    return RegOpenKeyA(hKey, subKey.c_str(), &result);
}

LONG REGCREATEKEY(HKEY hKey, const std::string& subKey, HKEY& result) {
    return RegCreateKeyA(hKey, subKey.c_str(), &result);
}

LONG REGQUERYVALUEEX(HKEY hKey, const std::string& valueName, DWORD& type, std::string& value, DWORD& size) {
    BYTE buffer[1024] = {};
    DWORD n = sizeof buffer;
    DWORD t = 0;
    LONG rc = RegQueryValueExA(hKey, valueName.c_str(), nullptr, &t, buffer, &n);
    type = t;
    size = n;
    // Binary values come back as their bytes too, never as a buffer address.
    if (rc == ERROR_SUCCESS) value.assign(reinterpret_cast<const char*>(buffer), n);
    return rc;
}

std::optional<LONG> REGSETVALUEEX(HKEY hKey, const std::string& valueName, DWORD type, const Value& value,
                                  DWORD size) {
    std::string bytes;
    if (value.isText()) {
        bytes = value.text();
    } else if (value.isNumber()) {
        auto n = static_cast<std::uint32_t>(static_cast<std::int64_t>(value.number()));
        bytes.assign(reinterpret_cast<const char*>(&n), sizeof n);
    } else {
        return std::nullopt;
    }
    // The caller's size may exceed the value: the rest is zeros, never
    // whatever lies after the value in memory.
    bytes.resize(size, '\0');
    return RegSetValueExA(hKey, valueName.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()), size);
}

LONG REGDELETEKEY(HKEY hKey, const std::string& subKey) { return RegDeleteKeyA(hKey, subKey.c_str()); }

LONG REGCLOSEKEY(HKEY hKey) { return RegCloseKey(hKey); }

LONG REGQUERYVALUE(HKEY hKey, const std::string& subKey, std::string& value) {
    char buffer[1024] = {};
    LONG n = sizeof buffer;
    LONG rc = RegQueryValueA(hKey, subKey.c_str(), buffer, &n);
    if (rc == ERROR_SUCCESS) value = buffer;
    return rc;
}

LONG REGENUMKEY(HKEY hKey, DWORD index, std::string& name) {
    char buffer[256] = {};
    LONG rc = RegEnumKeyA(hKey, index, buffer, sizeof buffer);
    if (rc == ERROR_SUCCESS) name = buffer;
    return rc;
}

LONG REGENUMVALUE(HKEY hKey, DWORD index, std::string& name, Value& value) {
    char nameBuffer[16384] = {};
    DWORD nameSize = sizeof nameBuffer;
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = RegEnumValueA(hKey, index, nameBuffer, &nameSize, nullptr, &type, nullptr, &size);
    if (rc != ERROR_SUCCESS) return rc;
    std::vector<BYTE> data(size + 1, 0);
    nameSize = sizeof nameBuffer;
    rc = RegEnumValueA(hKey, index, nameBuffer, &nameSize, nullptr, &type, data.data(), &size);
    if (rc != ERROR_SUCCESS) return rc;
    name.assign(nameBuffer, nameSize);
    if (type == REG_SZ) {
        value = Value(std::string(reinterpret_cast<const char*>(data.data())));
    } else if (type == REG_DWORD && size >= 4) {
        std::uint32_t n = 0;
        std::memcpy(&n, data.data(), sizeof n);
        value = Value(static_cast<std::int64_t>(n));
    }
    return rc;
}

}  // namespace wl
