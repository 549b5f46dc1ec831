// The grid browse's hex editor (XBRHEXEDIT) apart from its window: binary
// data as lines of 16 bytes, each shown as its offset, its text and its
// bytes in hex, and the edited hex texts read back into bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wl {

struct XbrHexLine {
    std::string cLineHex;  // the line's first byte offset, eight hex digits
    std::string cText;     // the bytes as text, control characters as "."
    std::string cHexChar;  // the bytes as upper-case hex pairs joined by blanks
};

// One line per 16 bytes (the last may be shorter); none for no bytes.
std::vector<XbrHexLine> xbrHexLines(std::string_view bytes);

// The bytes a line's hex text gives: pairs of hex digits, blanks between
// them ignored; nothing when a character is not a hex digit, a pair is
// left open, or the count differs from `expected`.
std::optional<std::string> xbrHexBytes(std::string_view hexChar, std::size_t expected);

// The text column of bytes: printable characters as they are, the others
// as ".".
std::string xbrHexText(std::string_view bytes);

}  // namespace wl
