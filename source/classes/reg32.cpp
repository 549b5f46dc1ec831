#include "reg32.hpp"

#include <algorithm>
#include <cstring>
#include <utility>

#include "registry.hpp"
#include "setting_values.hpp"
#include "system_facts.hpp"

namespace wl {

TReg32::TReg32(HKEY key, const std::string& subKey) : cRegKey(subKey), nKey(key) { open(); }

TReg32 TReg32::Create(HKEY key, const std::string& subKey) {
    TReg32 reg;
    reg.cRegKey = subKey;
    reg.nKey = key;
    HKEY created = nullptr;
    reg.nError = REGCREATEKEY(key, subKey, created);
    if (reg.nError == ERROR_SUCCESS) REGCLOSEKEY(created);
    reg.open();
    return reg;
}

TReg32::TReg32(TReg32&& other) noexcept
    : cRegKey(std::move(other.cRegKey)),
      nKey(other.nKey),
      nHandle(std::exchange(other.nHandle, nullptr)),
      nError(other.nError),
      lError(other.lError) {}

TReg32::~TReg32() {
    if (nHandle) RegCloseKey(nHandle);
}

void TReg32::open() {
    const REGSAM view = ISWOW64() ? KEY_WOW64_64KEY : 0;
    nError = REGOPENKEYEX(nKey, cRegKey, KEY_ALL_ACCESS | view, nHandle);
    if (nError != ERROR_SUCCESS) nError = REGOPENKEYEX(nKey, cRegKey, KEY_READ | view, nHandle);
    if (nError != ERROR_SUCCESS) nHandle = nullptr;
}

std::optional<std::string> TReg32::readBytes(const std::string& cValue) {
    DWORD size = 0;
    nError = RegQueryValueExA(nHandle, cValue.c_str(), nullptr, nullptr, nullptr, &size);
    if (nError != ERROR_SUCCESS) return std::nullopt;
    std::string bytes(size, '\0');
    nError = RegQueryValueExA(nHandle, cValue.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(bytes.data()), &size);
    if (nError != ERROR_SUCCESS) return std::nullopt;
    bytes.resize(size);
    return bytes;
}

Value TReg32::Get(const std::string& cValue, const Value& xDefault) {
    if (lError) return xDefault;
    if (xDefault.isNumber()) {
        auto bytes = readBytes(cValue);
        if (!bytes || bytes->size() < 4) return xDefault;
        std::int32_t n = 0;
        std::memcpy(&n, bytes->data(), sizeof n);
        return Value(static_cast<std::int64_t>(n));
    }
    std::string text = readBytes(cValue).value_or("");
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return xDefault.isNil() ? Value(text) : settingFromText(text, xDefault);
}

std::string TReg32::GetBinary(const std::string& cValue) { return readBytes(cValue).value_or(""); }

void TReg32::Set(const std::string& cValue, const Value& xValue, std::optional<DWORD> nType) {
    if (lError) return;
    if (xValue.isNumber()) {
        nError = REGSETVALUEEX(nHandle, cValue, nType.value_or(REG_DWORD), xValue, 4).value_or(nError);
        return;
    }
    std::string text = settingText(xValue);
    nError = REGSETVALUEEX(nHandle, cValue, nType.value_or(REG_SZ), Value(text), static_cast<DWORD>(text.size()))
                 .value_or(nError);
}

void TReg32::Close() {
    if (lError || !nHandle) return;
    nError = REGCLOSEKEY(nHandle);
    nHandle = nullptr;
}

LONG TReg32::Delete(const std::string& cSubKey) {
    nError = REGDELETEKEY(nHandle, cSubKey);
    return nError;
}

}  // namespace wl
