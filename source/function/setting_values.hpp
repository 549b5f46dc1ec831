// Conversions shared by the profile-file and registry classes: values are
// stored as text (dates in the date form, logicals ".T." / ".F.") and read
// back as the type of the caller's default.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "value.hpp"

namespace wl {

// A profile file name: a name without "." gets ".ini"; "" stays "" (WIN.INI).
std::string iniFileName(const std::string& name);

// The text a setting is stored as.
std::string settingText(const Value& v);
// The stored text read as a value of the default's type: a date in the date
// form, a logical true only for ".T." (any case), a number, else the text.
Value settingFromText(const std::string& text, const Value& like);

// A date from the date form MM/DD/YY (or MM/DD/YYYY); blank when the text
// holds no such date. Two-digit years below 50 are in the 2000s.
Date dateFromText(std::string_view text);

// The names of a Windows name list: each ended by a zero byte, the list by
// an empty name (or the end of the text).
std::vector<std::string> zeroSeparatedNames(std::string_view buffer);

}  // namespace wl
