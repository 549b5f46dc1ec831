#include "x12_file_names.hpp"

#include <string_view>

namespace zr {

namespace {
// The n-th piece (0-based) of the text split at `sep`; "" past the end.
std::string piece(std::string_view text, char sep, int n) {
    std::size_t start = 0;
    for (int i = 0; i < n; ++i) {
        std::size_t p = text.find(sep, start);
        if (p == std::string_view::npos) return "";
        start = p + 1;
    }
    std::size_t end = text.find(sep, start);
    return std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}
}  // namespace

std::string CTL39400AT(const std::string& fileName) { return piece(fileName, '.', 0); }

bool CTL39400AS(const std::string& fileName) { return fileName.find('.') != std::string::npos; }

std::string CTL39400AW(const std::string& name, int n) {
    if (n < 0 || n > 2) return "";
    return piece(name, '.', n);
}

std::string CTL39400AE(const std::string& text, int n) {
    if (n < 1 || n > 4) return "";
    return piece(text, ',', n - 1);
}

std::string CTL39400AI(const std::string& text) {
    std::size_t p = text.find('\r');
    return p == std::string::npos ? "" : text.substr(p + 1);
}

}  // namespace zr
