// The window-free part of a combo box: its incremental search.
#pragma once

#include <string>

#include "item_list.hpp"

namespace wl {

// The incremental search of a combo box: the typed key changes the search
// text (Backspace drops a character, 190 adds ".", others are added,
// upper-cased unless case-sensitive).
std::string incrementalSearchText(const std::string& search, int key, bool caseSensitive);

// Completion in the edit part of an editable combo box. The typed prefix
// is the edit text up to the caret plus the key (Backspace: without the
// last character). An empty prefix clears the field; a prefix that begins
// an item (case ignored) shows that item with the caret one further
// (Backspace: where it was); otherwise the key is typed as usual.
struct ComboCompletion {
    enum class Kind { Clear, Fill, PassOn } kind = Kind::PassOn;
    std::string text;  // Fill: the item shown
    int caret = 0;     // Fill: the 0-based caret
};
// Whether the key takes part in completion: letters, digits, the
// characters of "+-/=?$*&%() " and Backspace.
bool comboCompletes(int key);
ComboCompletion comboComplete(const ItemList& items, const std::string& text, int caret0, int key);

}  // namespace wl
