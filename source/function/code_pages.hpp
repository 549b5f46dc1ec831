// OEM (code page 437) and ANSI (code page 1252) conversion and the system's
// character case of code page 1252. Both are kept here as data, the same
// tables the system uses, so the two builds convert alike.
#pragma once

#include <string>
#include <string_view>

namespace wl {

// OEM text to ANSI text and back, byte for byte (same length).
std::string OEMTOANSI(std::string_view text = {});
std::string ANSITOOEM(std::string_view text = {});

// Upper and lower case of code page 1252: a-z, the accented letters and
// the letters with a caron; the sharp s and the micro sign have no other case.
char upperAnsi(char c);
char lowerAnsi(char c);

// CharUpperA of the text, or of the one-character text of a character code.
std::string CHARUPPER(std::string_view text);
std::string CHARUPPER(int charCode);
std::string CHARUPPER2(std::string_view text);
std::string CHARLOWER(std::string_view text);
// True when the first character equals its upper (lower) form; false for "".
bool ISUPPERFIRST(std::string_view text);
bool ISLOWERFIRST(std::string_view text);

}  // namespace wl
