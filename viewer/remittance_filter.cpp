#include "remittance_filter.hpp"

#include <cstddef>

#include "ini_lines.hpp"
#include "text.hpp"

namespace zr {

bool CTL39404AA(int mode, const std::string& filter, const std::string& value) {
    if (mode == 1) return !filter.empty() && (filter[0] == '#' || filter[0] == '>' || filter[0] == '<');
    if (filter.empty()) return false;
    const std::string v = wl::upper(value);
    if (filter[0] == '#') {
        // #start:length:text, start from 1.
        const std::size_t a = filter.find(':', 1);
        const std::size_t b = a == std::string::npos ? a : filter.find(':', a + 1);
        if (b == std::string::npos) return false;
        const long long start = iniNumber(filter.substr(1, a - 1));
        const long long length = iniNumber(filter.substr(a + 1, b - a - 1));
        const std::string text = wl::upper(filter.substr(b + 1));
        if (start < 1 || length < 0 || static_cast<std::size_t>(start) > v.size()) return text.empty();
        return wl::prefixMatch(v.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length)), text);
    }
    // ">M" keeps the values after M, "<M" those before it.
    const std::string text = wl::upper(filter.substr(1));
    if (filter[0] == '>') return v > text;
    if (filter[0] == '<') return v < text;
    return false;
}

}  // namespace zr
