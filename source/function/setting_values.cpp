#include "setting_values.hpp"

#include <cstdlib>

#include "paths.hpp"
#include "text.hpp"

namespace wl {

std::string iniFileName(const std::string& name) {
    // Only the name itself counts: folders may hold dots.
    if (name.empty() || fileNamePart(name).find('.') != std::string::npos) return name;
    return name + ".ini";
}

std::string settingText(const Value& v) { return CVALTOCHAR(v); }

Value settingFromText(const std::string& text, const Value& like) {
    if (like.isDate()) return Value(dateFromText(text));
    if (like.isLogical()) return Value(upper(alltrim(text)) == ".T.");
    if (like.isNumber()) {
        std::string t = alltrim(text);
        if (like.isWhole() && t.find_first_of(".eE") == std::string::npos)
            return Value(static_cast<std::int64_t>(std::strtoll(t.c_str(), nullptr, 10)));
        return Value(std::strtod(t.c_str(), nullptr));
    }
    return Value(text);
}

Date dateFromText(std::string_view text) {
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int k = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            parts[k] = parts[k] * 10 + (c - '0');
            ++digits[k];
        } else if (c == '/' || c == '-' || c == '.') {
            if (++k == 3) return Date{};
        } else if (c != ' ') {
            return Date{};
        }
    }
    if (k != 2 || digits[0] == 0 || digits[1] == 0 || digits[2] == 0) return Date{};
    int year = parts[2];
    if (digits[2] <= 2) year += year < 50 ? 2000 : 1900;
    int month = parts[0], day = parts[1];
    if (month < 1 || month > 12 || day < 1 || day > 31) return Date{};
    return Date{year, month, day};
}

std::vector<std::string> zeroSeparatedNames(std::string_view buffer) {
    std::vector<std::string> names;
    std::size_t at = 0;
    while (at < buffer.size()) {
        std::size_t end = buffer.find('\0', at);
        if (end == std::string_view::npos) end = buffer.size();
        if (end == at) break;
        names.emplace_back(buffer.substr(at, end - at));
        at = end + 1;
    }
    return names;
}

}  // namespace wl
