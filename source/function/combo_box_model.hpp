// The window-free part of a combo box: its items and selection (one
// state, changed by free functions that answer the changes the window must
// make to match), its incremental search and the completion of its edit
// part.
#pragma once

#include <string>
#include <vector>

#include "item_list.hpp"
#include "value.hpp"

namespace wl {

// The combo box keeps one ComboState, sends every change of its items and
// selection through the functions below and applies their effects in one
// place; the selection the user makes is read back from the window first.
struct ComboState {
    ItemList items;
    int sel = 0;  // 1-based selected item (nAt), 0 for none
};

// One change for the window, applied in order. Positions are 1-based; a
// Select of 0 clears the selection; Text puts a text in the field.
struct ComboEffect {
    enum class Kind { Clear, Append, Insert, Delete, Select, Text };
    Kind kind = Kind::Clear;
    int index = 0;
    std::string text;
    bool operator==(const ComboEffect&) const = default;
};
using ComboEffects = std::vector<ComboEffect>;

// The window emptied, filled with every item and the selection shown.
ComboEffects comboFill(const ComboState& s);
// New items, no selection, and the fill that shows them.
ComboEffects comboSetItems(ComboState& s, std::vector<std::string> items);
// No items and no selection.
ComboEffects comboReset(ComboState& s);
// Selects item n (0 or a position outside the list clears it).
ComboEffects comboSelect(ComboState& s, int n);
// Shows a value: a number selects that position (at least 1); a text
// selects the item equal to it, or clears the selection and shows the text.
ComboEffects comboShow(ComboState& s, const Value& v);
// Position 0 appends; otherwise inserts before item pos (nothing outside
// the list). The selection stays on its item.
ComboEffects comboAdd(ComboState& s, const std::string& text, int pos);
// Replaces item pos; a selected item stays selected.
ComboEffects comboModify(ComboState& s, const std::string& text, int pos);
// Removes item pos; the selection stays on its item, or is cleared with it.
ComboEffects comboDel(ComboState& s, int pos);
// The edit part's text committed: the first item it begins is selected
// (none when no item does) and the field keeps the text.
ComboEffects comboCommit(ComboState& s, const std::string& text);

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
