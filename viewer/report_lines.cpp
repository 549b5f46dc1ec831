#include "report_lines.hpp"

namespace zr {

std::string htmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string rtfEscape(std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += c;
        } else if (byte >= 0x80) {
            out += "\\'";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

std::string reportEscaped(std::string_view line, int mode) {
    if (mode == 101) return htmlEscape(line);
    if (mode == 102) return rtfEscape(line);
    return std::string(line);
}

std::optional<std::string> reportLines(const std::vector<std::string>& lines, int mode) {
    std::string_view end;
    switch (mode) {
    case 100: end = "\r\n"; break;
    case 101: end = "<BR>"; break;
    case 102: end = "\\par\r\n"; break;
    default: return std::nullopt;
    }
    std::size_t n = lines.size();
    if (n > 0 && lines[n - 1].empty()) --n;
    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
        out += reportEscaped(lines[i], mode);
        out += end;
    }
    return out;
}

std::string fillToColumn(std::string_view text, std::size_t column) {
    std::string out(text);
    if (out.size() < column) out.append(column - out.size(), ' ');
    return out;
}

}  // namespace zr

namespace zr {

int listNumber(const std::vector<std::string>& list, std::size_t n) {
    if (n >= list.size()) return 0;
    try {
        return std::stoi(list[n]);
    } catch (...) {
        return 0;
    }
}

std::string fitToWidth(std::string_view value, std::string_view width) {
    const int w = listNumber({std::string(width)}, 0);
    if (w <= 0) return std::string(value) + " ";
    const auto n = static_cast<std::size_t>(w);
    if (value.size() > n) return std::string(value.substr(0, n)) + " ";
    return fillToColumn(value, n);
}

}  // namespace zr
