#include "elements.hpp"

namespace zr {

namespace {
// Piece `index` (0-based) of the text cut at the one-byte separator.
std::string_view piece(std::string_view text, int index, char sep) {
    if (index < 0) return {};
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        std::size_t p = text.find(sep, start);
        if (p == std::string_view::npos) return {};
        start = p + 1;
    }
    std::size_t end = text.find(sep, start);
    return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}
}  // namespace

std::string_view CTL39400AU(std::string_view text, int n, std::string_view separator) {
    if (separator.empty()) return n == 0 ? text : std::string_view();
    return piece(text, n, separator[0]);
}

std::string_view CTL39400AX(std::string_view text, int n, std::string_view separator) {
    return CTL39400AU(text, n - 1, separator);
}

std::string_view CTL39400AG(std::string_view text, std::string_view separator, int, int, int n) {
    return CTL39400AX(text, n, separator);
}

int CTL39400F(std::string_view text, std::string_view separator) {
    if (separator.empty() || text.empty()) return 1;
    int count = 1;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == separator[0]) ++count;
    return count;
}

std::string CTL39400AF(const std::string& value, const std::string& kind) {
    if (kind == "$") {
        if (value.empty()) return ".00";
        // In a short value the first character stands in for the missing ones.
        const std::size_t n = value.size();
        char third = value[n >= 3 ? n - 3 : 0];
        char second = value[n >= 2 ? n - 2 : 0];
        if (third == '.') return value;
        if (second == '.') return value + "0";
        return value + ".00";
    }
    if (kind == "D") {
        if (value.size() != 8) return value;
        return value.substr(4, 2) + "/" + value.substr(6, 2) + "/" + value.substr(0, 4);
    }
    return value;
}

}  // namespace zr
