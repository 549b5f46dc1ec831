// File-name pieces and item splitting.
#pragma once

#include <string>

namespace zr {

// The part before the first "." (the whole name when there is none).
std::string CTL39400AT(const std::string& fileName);
// True when the name holds a ".".
bool CTL39400AS(const std::string& fileName);
// The n-th dot-separated piece for n = 0, 1 or 2; "" for other n.
std::string CTL39400AW(const std::string& name, int n);
// The n-th comma-separated item for n = 1 to 4; "" for other n or when the
// text has fewer items.
std::string CTL39400AE(const std::string& text, int n);
// Everything after the first carriage return; "" when there is none.
std::string CTL39400AI(const std::string& text);

}  // namespace zr
