// The rich edit control's portable rules: which links it opens, the source
// colouring of one line, font size conversions and the version rule.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "colors.hpp"

namespace wl {

// A clicked link is handed to the shell only for web and mail addresses
// (http, https, mailto; case-insensitive): a "file:" or program link in a
// loaded document must not start anything.
bool linkOpensInShell(std::string_view url);

// The colours and word lists of the source colouring.
struct HighlightScheme {
    std::vector<std::string> aKeywords1{"CLASS",  "FROM",        "ENDCLASS", "DATA",   "AS",       "METHOD",
                                        "CONSTRUCTOR", "function", "return", "OBJECT", "ENDOBJECT"};
    std::vector<std::string> aKeywords2{"#include", "Self", "nil", "public", "local", "Super"};
    std::string cSeparators = " +-()[]:*/{},=";
    Color nClrNumber = 16711935;
    Color nClrString = 65535;
    Color nClrComment = 16711680;
    Color nClrSeparator = 16777215;
    Color nClrText = 0;
    Color nClrKey1 = 65280;
    Color nClrKey2 = 16776960;
};

// One coloured range of a line: characters [start, end) counted in the line.
struct ColorRange {
    int start = 0;
    int end = 0;
    Color color = 0;
    bool operator==(const ColorRange&) const = default;
};

// The ranges of one line (carriage returns already removed): strings with
// their quotes, a "//" comment to the end, words by their kind, each
// separator apart.
std::vector<ColorRange> highlightLine(std::string_view line, const HighlightScheme& scheme = {});

// Size conversions of the rich edit control.
int Font2RTF(int n);          // integer part of n x 10 / 13
int Font2Size(int points);    // a font height from points
int Size2Font(int height);    // points from a font height

// The library is version 3.0 or later when its version resource's second
// number (5.30.x) is at least 30.
bool richEdit30(int versionMinor);

}  // namespace wl
