// TReg32: reads and writes the values of one registry key. The key is
// closed when the object goes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "value.hpp"

namespace wl {

class TReg32 {
public:
    // Opens the key with full access (the 64-bit view under 64-bit
    // Windows), else for reading; nError keeps the result code.
    TReg32(HKEY nKey, const std::string& cSubKey);
    // Creates the key, then opens it with full access.
    static TReg32 Create(HKEY nKey, const std::string& cSubKey);
    ~TReg32();
    TReg32(const TReg32&) = delete;
    TReg32& operator=(const TReg32&) = delete;
    TReg32(TReg32&& other) noexcept;
    TReg32& operator=(TReg32&&) = delete;

    // A numeric default reads a 32-bit value (the default when missing);
    // otherwise the value is read as text without its zero bytes ("" when
    // missing) and converted to the default's type.
    Value Get(const std::string& cValue, const Value& xDefault = Value());
    // The raw bytes, "" when missing.
    std::string GetBinary(const std::string& cValue);
    // Numbers as 32-bit values (type 4 unless given), everything else as
    // text (type 1 unless given) without a terminating zero.
    void Set(const std::string& cValue, const Value& xValue, std::optional<DWORD> nType = std::nullopt);
    void Close();
    // Deletes a sub-key of this key.
    LONG Delete(const std::string& cSubKey);

    std::string cRegKey;
    HKEY nKey = nullptr;
    HKEY nHandle = nullptr;
    LONG nError = 0;
    bool lError = false;  // when set, Get, Set and Close do nothing

private:
    TReg32() = default;
    void open();
    std::optional<std::string> readBytes(const std::string& cValue);
};

}  // namespace wl
