// Text helpers shared by the whole program. Texts are single-byte
// (Windows code page 1252) strings; case folding touches ASCII letters only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wl {

// Prefix comparison: true when `text` begins with `prefix` (always when
// `prefix` is empty). Configuration keys, option words and segment ids use
// this one; ids are a few bytes long, so a plain loop beats a library call.
inline bool prefixMatch(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (text[i] != prefix[i]) return false;
    return true;
}
// Exact comparison: same length and same bytes.
bool exactMatch(std::string_view a, std::string_view b);

// Left trim removes blanks, tabs, carriage returns and line feeds.
std::string ltrim(std::string_view s);
// Right trim removes blanks only.
std::string rtrim(std::string_view s);
// Both sides, each by its own rule.
std::string alltrim(std::string_view s);
// The same, as a view into s.
std::string_view alltrimView(std::string_view s);

std::string upper(std::string_view s);
std::string lower(std::string_view s);
char upperChar(char c);
// The value of a hexadecimal digit, -1 for any other character.
int hexDigit(char c);

// A whole number right-aligned in `width` characters, as the error
// messages show codes and positions. Numbers wider than the field are
// shown whole rather than cut, so no digit is ever lost.
std::string rightAligned(std::int64_t n, std::size_t width);

// The lines of a text whose lines end with CR: LF characters are dropped,
// and text after the last CR is a line when it is not empty.
std::vector<std::string> crLines(std::string_view text);

// Pads on the right to `width` characters, cutting a longer text.
std::string padRight(std::string_view s, std::size_t width, char fill = ' ');
// Pads on the left to `width` characters; a longer text is kept whole.
std::string padLeft(std::string_view s, std::size_t width, char fill = ' ');

}  // namespace wl
