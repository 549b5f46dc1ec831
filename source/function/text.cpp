#include "text.hpp"

namespace wl {

bool exactMatch(std::string_view a, std::string_view b) { return a == b; }

namespace {
bool isLeftBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
}  // namespace

std::string ltrim(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isLeftBlank(s[i])) ++i;
    return std::string(s.substr(i));
}

std::string rtrim(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return std::string(s.substr(0, n));
}

std::string_view alltrimView(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isLeftBlank(s[i])) ++i;
    std::size_t n = s.size();
    while (n > i && s[n - 1] == ' ') --n;
    return s.substr(i, n - i);
}

std::string alltrim(std::string_view s) { return std::string(alltrimView(s)); }

char upperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = upperChar(c);
    return out;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string rightAligned(std::int64_t n, std::size_t width) {
    return padLeft(std::to_string(n), width);
}

std::vector<std::string> crLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r') {
            lines.push_back(std::move(line));
            line.clear();
        } else if (c != '\n') {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

std::string padRight(std::string_view s, std::size_t width, char fill) {
    std::string out(s.substr(0, width));
    out.resize(width, fill);
    return out;
}

std::string padLeft(std::string_view s, std::size_t width, char fill) {
    if (s.size() >= width) return std::string(s);
    return std::string(width - s.size(), fill) + std::string(s);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace wl
