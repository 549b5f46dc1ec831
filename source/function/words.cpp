#include "words.hpp"

namespace wl {

int NLOWORD(std::int64_t n) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(n & 0xFFFF)); }
int NHIWORD(std::int64_t n) { return static_cast<std::int16_t>(static_cast<std::uint16_t>((n >> 16) & 0xFFFF)); }
int NLOBYTE(std::int64_t n) { return static_cast<int>(n & 0xFF); }
int NHIBYTE(std::int64_t n) { return static_cast<int>((n >> 8) & 0xFF); }

}  // namespace wl
