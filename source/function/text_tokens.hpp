// Tokens, words and single characters of texts, and the byte-range tests
// that tell ANSI from OEM text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wl {

// The nToken-th token (from 1; 0 gives the first) of the text. The separator
// is the first character of `separator`, a blank when it is empty. A blank
// separator is passed over as a run; any other once, so two in a row enclose
// an empty token. "" when the text ends before that token.
std::string STRTOKEN(std::string_view text, int nToken, std::string_view separator = " ");

// The next word from `pos` (counted from 0): a run of blanks, the text up to
// the next delimiter (pos moves to the delimiter), a delimiter alone (pos
// moves past it), or the rest of the text (pos becomes its length + 1).
std::string CSTRWORD(std::string_view text, std::size_t& pos, std::string_view delimiters = " ");

// The position (from 1) of the first place in `text` where one of `texts`
// begins, trying each text in turn at each position; 0 when none does.
std::size_t AAT(const std::vector<std::string>& texts, std::string_view text);

// The one-character text at position `pos` (from 1); "" outside the text.
std::string STRCHAR(std::string_view text, std::int64_t pos);

// The first character up-cased (a-z) and every later one down-cased (A-Z).
std::string STRCAPFIRST(std::string_view text);

// How many bytes of the text equal the first character of `ch` (0 when
// `ch` is empty).
std::size_t CHARCOUNT(std::string_view text, std::string_view ch);

// True when some byte is above 223 or equals 128.
bool ISANSI(std::string_view text);
// True when some byte lies from 129 to 168.
bool ISOEM(std::string_view text);

}  // namespace wl
