#include "picker_texts.hpp"

#include <charconv>
#include <ctime>

#include "system_info.hpp"
#include "text.hpp"
#include "value_conversion.hpp"

namespace wl {
namespace {

// The whole number at the start of a piece ("9" of "9:"); 0 for none.
int leadingNumber(std::string_view piece) {
    int n = 0;
    const auto start = piece.find_first_not_of(' ');
    if (start == std::string_view::npos) return 0;
    std::from_chars(piece.data() + start, piece.data() + piece.size(), n);
    return n;
}

std::string twoDigits(int n) {
    std::string s = std::to_string(n < 0 ? 0 : n % 100);
    return s.size() < 2 ? "0" + s : s;
}

}  // namespace

std::optional<TimeOfDay> timeFromText(std::string_view text) {
    if (text.empty()) return std::nullopt;
    TimeOfDay t;
    if (text.find(':') != std::string_view::npos) {
        const auto parts = WL_LISTASARRAY(text, ":");
        if (parts.size() > 0) t.hour = leadingNumber(parts[0]);
        if (parts.size() > 1) t.minute = leadingNumber(parts[1]);
        if (parts.size() > 2) t.second = leadingNumber(parts[2]);
        return t;
    }
    t.hour = leadingNumber(text.substr(0, 2));
    if (text.size() > 2) t.minute = leadingNumber(text.substr(2, 2));
    if (text.size() > 4) t.second = leadingNumber(text.substr(text.size() - 2));
    return t;
}

std::string timeDigits(const TimeOfDay& t) { return twoDigits(t.hour) + twoDigits(t.minute) + twoDigits(t.second); }

std::string timeWithColons(std::string_view digits) {
    std::string out;
    for (std::size_t i = 0; i < digits.size() && i < 6; ++i) {
        if (i == 2 || i == 4) out += ':';
        out += digits[i];
    }
    return out;
}

std::string horaText(long secondsSinceMidnight) {
    const long s = secondsSinceMidnight < 0 ? 0 : secondsSinceMidnight % 86400;
    return timeDigits({static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60), static_cast<int>(s % 60)});
}

std::string HORA() {
    const std::tm local = localParts(std::time(nullptr));
    return horaText(local.tm_hour * 3600L + local.tm_min * 60L + local.tm_sec);
}

std::string datePickFormat(std::string_view picture, std::string_view dateSetting) {
    if (picture.empty()) return {};
    std::string format;
    const std::string pic = upper(picture);
    if (pic == "@D") {
        format = std::string(dateSetting);
    } else if (pic == "@E") {
        const std::string setting = lower(dateSetting);
        format = setting.find('-') != std::string::npos ? "dd-mm-yy" : "dd/mm/yy";
        if (setting.find("yyyy") != std::string::npos) format += "yy";
    } else {
        format = std::string(picture);
    }
    format = lower(format);
    for (char& c : format)
        if (c == 'm') c = 'M';
    return format;
}

}  // namespace wl
