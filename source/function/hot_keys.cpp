#include "hot_keys.hpp"

#include "text.hpp"

namespace wl {

std::optional<char> hotKeyOf(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;  // a shown ampersand
            continue;
        }
        return upperChar(caption[i + 1]);
    }
    return std::nullopt;
}

bool hasHotKey(std::string_view caption, char ch) {
    const auto key = hotKeyOf(caption);
    return key && *key == upperChar(ch);
}

std::optional<std::size_t> hotKeyTarget(const std::vector<HotKeyCandidate>& children, char ch) {
    for (std::size_t i = 0; i < children.size(); ++i) {
        const HotKeyCandidate& c = children[i];
        if (!c.enabled || !hasHotKey(c.caption, ch)) continue;
        if (!c.label) return i;
        for (std::size_t j = i + 1; j < children.size(); ++j)
            if (!children[j].label && children[j].enabled) return j;
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace wl
