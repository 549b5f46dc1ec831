// The window-free part of a combo box: its incremental search.
#pragma once

#include <string>

namespace wl {

// The incremental search of a combo box: the typed key changes the search
// text (Backspace drops a character, 190 adds ".", others are added,
// upper-cased unless case-sensitive).
std::string incrementalSearchText(const std::string& search, int key, bool caseSensitive);

}  // namespace wl
