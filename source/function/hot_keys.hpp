// Hot keys of captions: the character after a single "&" ("&&" shows an
// ampersand), and which of a parent's controls an Alt key reaches.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace wl {

// The hot key of a caption, upper case; none without one.
std::optional<char> hotKeyOf(std::string_view caption);
// Whether the caption's hot key is `ch` (either case).
bool hasHotKey(std::string_view caption, char ch);

// A child window as the hot-key search sees it, in the parent's order.
struct HotKeyCandidate {
    std::string_view caption;
    bool enabled = true;
    bool label = false;  // a label hands its hot key to the next control
};

// The position of the control an Alt key `ch` reaches: the first enabled
// one whose caption has the hot key; a label's hot key reaches the next
// enabled control that is not a label. None when no caption has it.
std::optional<std::size_t> hotKeyTarget(const std::vector<HotKeyCandidate>& children, char ch);

}  // namespace wl
