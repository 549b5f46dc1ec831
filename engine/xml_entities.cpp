#include "xml_entities.hpp"

#include <algorithm>

#include "text.hpp"

namespace zr {

std::string decodeXmlText(std::string_view s) {
    struct Entity {
        std::string_view text;
        char c;
    };
    static const Entity entities[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] != '&') {
            const std::size_t amp = std::min(s.find('&', i), s.size());
            out.append(s.substr(i, amp - i));
            i = amp;
            continue;
        }
        bool matched = false;
        for (const Entity& e : entities)
            if (s.substr(i, e.text.size()) == e.text) {
                out += e.c;
                i += e.text.size();
                matched = true;
                break;
            }
        if (!matched && s.substr(i, 2) == "&#") {
            const bool hex = i + 2 < s.size() && (s[i + 2] == 'x' || s[i + 2] == 'X');
            std::size_t j = i + (hex ? 3 : 2);
            unsigned long code = 0;
            std::size_t digits = 0;
            for (; j < s.size() && digits < 8; ++j, ++digits) {
                const int d = wl::hexDigit(s[j]);
                if (d < 0 || (!hex && d > 9)) break;
                code = code * (hex ? 16 : 10) + static_cast<unsigned long>(d);
            }
            if (digits > 0 && j < s.size() && s[j] == ';') {
                out += code <= 0xFF ? static_cast<char>(code) : '?';
                i = j + 1;
                matched = true;
            }
        }
        if (!matched) out += s[i++];
    }
    return out;
}

}  // namespace zr
