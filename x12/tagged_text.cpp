#include "tagged_text.hpp"

#include <functional>

#include "text.hpp"

namespace zr {

namespace {

// Walks the text once; calls `onValueChar` for each character inside a
// pair and `onClose` at each closing tag (with whether a value was open).
// `onClose` answers true to stop the walk.
void walkPairs(const std::string& text, const std::string& tag, const std::function<void(char)>& onValueChar,
               const std::function<bool()>& onClose) {
    const std::string up = wl::upper(text);
    const std::string name = wl::upper(tag);
    const std::string open = std::string("<").append(name).append(">");
    const std::string close = std::string("</").append(name).append(">");
    bool inside = false;
    for (std::size_t i = 0; i < text.size();) {
        if (up.compare(i, close.size(), close) == 0) {
            inside = false;
            if (onClose()) return;
            i += close.size();
        } else if (up.compare(i, open.size(), open) == 0) {
            inside = true;
            i += open.size();
        } else {
            if (inside) onValueChar(text[i]);
            ++i;
        }
    }
}

}  // namespace

std::string ZQK_0001A(const std::string& text, const std::string& tag) {
    std::string out;
    walkPairs(text, tag, [&](char c) { out += c; }, [] { return false; });
    return out;
}

std::string ZQK_0001H(const std::string& text, const std::string& tag, int n) {
    std::string value, result;
    int count = 0;
    walkPairs(
        text, tag, [&](char c) { value += c; },
        [&] {
            if (++count == n) {
                result = value;
                return true;
            }
            value.clear();
            return false;
        });
    return result;
}

int ZQK_0001G(const std::string& text, const std::string& tag) {
    int count = 0;
    walkPairs(text, tag, [](char) {}, [&] {
        ++count;
        return false;
    });
    return count;
}

std::string ZQK_0001B(const std::string& value, const std::string& tag) {
    const std::string name = wl::upper(tag);
    return "<" + name + ">" + value + "</" + name + ">";
}

int ZQK_0001C(const std::string& text, const std::string& name) {
    const std::string up = wl::upper(text);
    const std::string head = "<!ELEMENT";
    const std::string want = wl::upper(name);
    const std::string tail = "(#PCDATA)>";
    for (std::size_t p = up.find(head); p != std::string::npos; p = up.find(head, p + 1)) {
        std::size_t q = p + head.size() + 1;  // one character after the keyword
        std::size_t t = q + want.size() + 1;  // one character after the name
        if (t + tail.size() > up.size()) break;
        if (up.compare(q, want.size(), want) == 0 && up.compare(t, tail.size(), tail) == 0) return 1;
    }
    return 0;
}

std::string ZQK_0001I(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, 3, "%3E") == 0) {
            out += '>';
            i += 3;
        } else if (text.compare(i, 3, "%3C") == 0) {
            out += '<';
            i += 3;
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string ZQK_0001J(const std::string& text) {
    struct Entity {
        const char* from;
        const char* to;
    };
    // Tested in this order at each position.
    static const Entity entities[] = {
        {"&LT;BR&GT;", "<BR>"}, {"&AMP;GT;", "&GT;"}, {"&AMP;LT;", "&LT;"}, {"&GT;", ">"},
        {"&LT;", "<"},          {";GT;", "&gt;"},     {";LT;", "&lt;"},
    };
    const std::string up = wl::upper(text);
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool matched = false;
        for (const auto& e : entities) {
            std::string_view from(e.from);
            if (up.compare(i, from.size(), from) == 0) {
                out += e.to;
                i += from.size();
                matched = true;
                break;
            }
        }
        if (!matched) out += text[i++];
    }
    return out;
}

}  // namespace zr
