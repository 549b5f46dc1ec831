#include "elements.hpp"

#include "pieces.hpp"

namespace zr {

std::string_view CTL39400AU(std::string_view text, int n, std::string_view separator) {
    if (separator.empty()) return n == 0 ? text : std::string_view();
    return wl::pieceAt(text, n, separator[0]);
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
