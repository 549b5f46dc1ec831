#include "code_text.hpp"

#include "text.hpp"

namespace wl {


std::string CODETEXT(std::string_view text) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b > 126) {
            out += "\\'";
            out += digits[b >> 4];
            out += digits[b & 15];
        } else {
            if (c == '{' || c == '}' || c == '\\') out += '\\';
            out += c;
        }
    }
    return out;
}

std::string DECODETEXT(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\\' || i + 1 >= text.size()) {
            out += c;
            ++i;
            continue;
        }
        const char next = text[i + 1];
        if (next == '\\' || next == '{' || next == '}') {
            out += next;
            i += 2;
        } else if (next == '\'' && i + 3 < text.size() && hexDigit(text[i + 2]) >= 0 &&
                   hexDigit(text[i + 3]) >= 0) {
            out += static_cast<char>(hexDigit(text[i + 2]) * 16 + hexDigit(text[i + 3]));
            i += 4;
        } else {
            // Bounds are checked before the digits are read: a trailing \' or
            // \'h is kept as it stands.
            out += c;
            ++i;
        }
    }
    return out;
}

}  // namespace wl
