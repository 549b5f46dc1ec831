// The texts of the date and time pickers: time texts read into hours,
// minutes and seconds, the six-digit time, and the display format a date
// picker gets from its picture.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wl {

struct TimeOfDay {
    int hour = 0, minute = 0, second = 0;
    bool operator==(const TimeOfDay&) const = default;
};

// A time text "HH:MM:SS" or "HHMMSS". With colons the text is split on them,
// so a one-digit part ("9:15:30") reads right; without, the hours are the
// first two characters, the minutes the next two and the seconds the last
// two. Nothing for an empty text (the caller takes the current time).
std::optional<TimeOfDay> timeFromText(std::string_view text);

// Six digits: hours, minutes, seconds, each zero-padded to two.
std::string timeDigits(const TimeOfDay& t);
// Six digits as "HH:MM:SS" (the picture "@R 99:99:99").
std::string timeWithColons(std::string_view digits);

// The time of day as six digits, from the seconds since midnight.
std::string horaText(long secondsSinceMidnight);
// The current time of day as six digits.
std::string HORA();

// The date picker's format for a picture: "@d" takes the program's date
// setting, "@e" the days-first form of it, any other picture stays; the
// result is lower case with every "m" (month) in upper case. "" for no
// picture (the control keeps its own format).
std::string datePickFormat(std::string_view picture, std::string_view dateSetting);

}  // namespace wl
