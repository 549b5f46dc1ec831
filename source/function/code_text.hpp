// Escaping of text for rich-text (RTF) output and back.
#pragma once

#include <string>
#include <string_view>

namespace wl {

// Every byte above 126 as \'hh (lower-case hexadecimal), and "{", "}" and
// backslash preceded by a backslash; other bytes unchanged.
std::string CODETEXT(std::string_view text);

// The reverse: \'hh (either case) becomes the byte, \\ \{ \} the second
// character; any other backslash sequence, and a \' without two
// hexadecimal digits after it, stays as it is.
std::string DECODETEXT(std::string_view text);

}  // namespace wl
