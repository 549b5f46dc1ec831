// Word and byte helpers of the message parameters: the halves of a 32-bit
// value read as signed 16-bit numbers, and the bytes of a 16-bit value.
#pragma once

#include <cstdint>

namespace wl {

// Low 16 bits, signed: 65535 answers -1.
int NLOWORD(std::int64_t n);
// High 16 bits (bits 16 to 31), signed.
int NHIWORD(std::int64_t n);
// Bits 0 to 7 and 8 to 15, unsigned.
int NLOBYTE(std::int64_t n);
int NHIBYTE(std::int64_t n);

// The unsigned halves, as most messages read them.
inline unsigned loWordU(std::uint64_t n) { return static_cast<unsigned>(n & 0xFFFFu); }
inline unsigned hiWordU(std::uint64_t n) { return static_cast<unsigned>((n >> 16) & 0xFFFFu); }

}  // namespace wl
