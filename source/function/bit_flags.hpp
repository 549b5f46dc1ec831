// Flag arithmetic on 32-bit values, the hexadecimal formatters, and the few
// routines that read or write memory by address. Addresses are std::uintptr_t
// so that they hold a whole pointer in the 64-bit build too.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace wl {

// Bitwise or, and, exclusive or of all the values (0, -1 and 0 with none).
std::int32_t NOR(std::initializer_list<std::int32_t> values = {});
std::int32_t NAND(std::initializer_list<std::int32_t> values = {});
std::int32_t NXOR(std::initializer_list<std::int32_t> values = {});
std::int32_t NNOT(std::int32_t value);
// True when the two values have a bit in common.
bool LAND(std::int32_t value1, std::int32_t value2);
// True when the two values differ in some bit.
bool LXOR(std::int32_t value1, std::int32_t value2);
// The low 16 bits read as a signed number (65529 gives -7).
int UTOS(std::int64_t value);
// (high and 0xFFFF) x 1,024 or (low and 0xFFFF).
std::int32_t PACKWORD10(std::int32_t low, std::int32_t high);
// Its argument as a number.
inline double NUMBERARG(double value) { return value; }

// The low 16 bits as 4 upper-case hexadecimal digits.
std::string HEX4(std::int64_t value);
// The low 32 bits as 8 upper-case hexadecimal digits, high half first.
std::string HEX8(std::int64_t value);

// The address of the text's bytes, valid only while the text lives.
inline std::uintptr_t STRPTR(std::string_view text) { return reinterpret_cast<std::uintptr_t>(text.data()); }
// The unsigned 16-bit value stored at the address.
unsigned PEEKWORD(std::uintptr_t address);
// The byte at address + index - 1 (unsigned).
unsigned PEEKPOKEBYTE(std::int64_t index, std::uintptr_t address);
// Sets that byte to `byte` and answers `byte`.
unsigned PEEKPOKEBYTE(std::int64_t index, std::uintptr_t address, unsigned byte);
// Copies bytes from `source` over the zero-terminated text at `target`, as
// many as that text is long; answers the source address after the last byte.
std::uintptr_t COPYTOADDRESS(std::uintptr_t source, std::uintptr_t target);

}  // namespace wl
