// Registry wrappers. Each answers the Windows error code, 0 on success;
// arguments passed by reference receive what Windows answered.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "value.hpp"

namespace wl {

LONG REGOPENKEYEX(HKEY hKey, const std::string& subKey, REGSAM access, HKEY& result);
LONG REGOPENKEY(HKEY hKey, const std::string& subKey, HKEY& result);
LONG REGCREATEKEY(HKEY hKey, const std::string& subKey, HKEY& result);

// Reads the value (up to 1,024 bytes) as a text of its bytes, whatever its
// type; type and size receive the value's type and size.
LONG REGQUERYVALUEEX(HKEY hKey, const std::string& valueName, DWORD& type, std::string& value, DWORD& size);

// A text is written as `size` bytes of the text, a number as its 4 bytes
// (32-bit little-endian) with size `size`; bytes beyond the value are zeros.
// Any other value writes nothing and answers nothing.
std::optional<LONG> REGSETVALUEEX(HKEY hKey, const std::string& valueName, DWORD type, const Value& value,
                                  DWORD size);

LONG REGDELETEKEY(HKEY hKey, const std::string& subKey);
LONG REGCLOSEKEY(HKEY hKey);

// The default value of a sub-key (1,024-byte buffer).
LONG REGQUERYVALUE(HKEY hKey, const std::string& subKey, std::string& value);
// The name of sub-key number `index` (256-byte buffer).
LONG REGENUMKEY(HKEY hKey, DWORD index, std::string& name);
// Value number `index`: REG_SZ values as text, REG_DWORD values as a number.
LONG REGENUMVALUE(HKEY hKey, DWORD index, std::string& name, Value& value);

}  // namespace wl
