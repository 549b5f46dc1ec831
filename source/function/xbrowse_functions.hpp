// Helper functions of the grid browse that need no browse: spreadsheet
// column letters, the date a typed seek text means, and two array shapers.
#pragma once

#include <cstdint>
#include <string>
#include <optional>
#include <string_view>

#include "value.hpp"

namespace wl {

// The spreadsheet column name of n (from 1): 1 "A", 26 "Z", 27 "AA",
// 52 "AZ", 53 "BA"; "" for n below 1.
std::string MAKECOLALPHABET(long long n);

// The date a seek text means. A text whose third character is a digit is
// read as year-first digits: eight as year, month and day, six as year and
// month (day 1), four as a year (1 January). Any other text longer than six
// characters is padded with zeros to ten and read in `dateFormat` (letters
// D, M, Y mark the digits). An unreadable text gives `current`.
Date SEEKDATE(std::string_view text, const Date& current, std::string_view dateFormat = "MM/DD/YYYY");

// Black (0) or white (0xFFFFFF) text for a background colour (0xBBGGRR):
// black when its luminance 0.299 R + 0.587 G + 0.114 B is above 150.
std::uint32_t CONTRASTCOLOR(std::uint32_t background);

// The library-wide kinetic-scroll switch new grid browses start from
// (initially on): sets it when given; answers the previous setting.
bool SETKINETIC(std::optional<bool> on = std::nullopt);

// The library-wide switch (initially on) by which an edit of a text cell
// started by a typed key selects the cell's text whole, so that the key
// replaces it; off, the key is added at the end. Sets it when given;
// answers the previous setting.
bool XBRGETSELECTALL(std::optional<bool> on = std::nullopt);

// Rows become columns: element [i][j] becomes [j][i]; a row shorter than
// the longest gives nil there, and a single value counts as a row of one.
ValueList ARRTRANSPOSE(const ValueList& rows);

// The description of a code in a list of code/description pairs (each
// entry a list {code, description}), matched as a list column's editor
// matches its bound values: same type and same text. The first matching
// entry wins; a value no entry holds (or a malformed entry) gives the
// value itself, so an unknown code still shows.
Value XBRLBXLOOKUP(const Value& value, const ValueList& pairs);

// Side by side: row i of the result is row i of `left` followed by row i
// of `right`; the shorter list gives rows of nils as wide as its widest.
ValueList ARRMERGE(const ValueList& left, const ValueList& right);

}  // namespace wl
