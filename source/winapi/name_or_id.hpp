// An argument that Windows takes as a name or as a 16-bit identifier
// (procedure ordinals, resource names and types).
#pragma once

#include <windows.h>

#include <string>
#include <variant>

namespace wl {

class NameOrId {
public:
    NameOrId(const char* name) : v_(std::string(name)) {}
    NameOrId(std::string name) : v_(std::move(name)) {}
    NameOrId(int id) : v_(static_cast<WORD>(id)) {}

    bool isId() const { return std::holds_alternative<WORD>(v_); }
    // What Windows expects: the text, or the identifier in the low 16 bits
    // of the pointer with the high bits zero.
    LPCSTR get() const {
        if (auto* id = std::get_if<WORD>(&v_)) return reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(*id));
        return std::get<std::string>(v_).c_str();
    }

private:
    std::variant<std::string, WORD> v_;
};

}  // namespace wl
