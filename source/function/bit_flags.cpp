#include "bit_flags.hpp"

#include <cstdio>
#include <cstring>

namespace wl {

std::int32_t NOR(std::initializer_list<std::int32_t> values) {
    std::int32_t r = 0;
    for (auto v : values) r |= v;
    return r;
}

std::int32_t NAND(std::initializer_list<std::int32_t> values) {
    std::int32_t r = -1;
    for (auto v : values) r &= v;
    return r;
}

std::int32_t NXOR(std::initializer_list<std::int32_t> values) {
    std::int32_t r = 0;
    for (auto v : values) r ^= v;
    return r;
}

std::int32_t NNOT(std::int32_t value) { return ~value; }
bool LAND(std::int32_t value1, std::int32_t value2) { return (value1 & value2) != 0; }
bool LXOR(std::int32_t value1, std::int32_t value2) { return (value1 ^ value2) != 0; }

int UTOS(std::int64_t value) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF)); }

std::int32_t PACKWORD10(std::int32_t low, std::int32_t high) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(high & 0xFFFF) * 1024u) |
                                     static_cast<std::uint32_t>(low & 0xFFFF));
}

std::string HEX4(std::int64_t value) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(value & 0xFFFF));
    return buf;
}

std::string HEX8(std::int64_t value) {
    const auto v = static_cast<std::uint32_t>(value & 0xFFFFFFFF);
    return HEX4(v >> 16) + HEX4(v & 0xFFFF);
}

unsigned PEEKWORD(std::uintptr_t address) {
    std::uint16_t w = 0;
    std::memcpy(&w, reinterpret_cast<const void*>(address), sizeof w);
    return w;
}

unsigned PEEKPOKEBYTE(std::int64_t index, std::uintptr_t address) {
    return *reinterpret_cast<const unsigned char*>(address + static_cast<std::uintptr_t>(index - 1));
}

unsigned PEEKPOKEBYTE(std::int64_t index, std::uintptr_t address, unsigned byte) {
    *reinterpret_cast<unsigned char*>(address + static_cast<std::uintptr_t>(index - 1)) =
        static_cast<unsigned char>(byte);
    return byte;
}

std::uintptr_t COPYTOADDRESS(std::uintptr_t source, std::uintptr_t target) {
    auto* to = reinterpret_cast<char*>(target);
    const std::size_t n = std::strlen(to);
    std::memcpy(to, reinterpret_cast<const char*>(source), n);
    return source + n;
}

}  // namespace wl
