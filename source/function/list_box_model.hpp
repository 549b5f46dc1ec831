// The window-free part of a list box: its items and selection, changed by
// free functions that answer the changes the window must make to match.
// The list box class keeps one ListState, sends every change through these
// functions and applies their effects, so the window and the state never
// part; the selection the user makes is read back from the window first.
#pragma once

#include <string>
#include <vector>

#include "item_list.hpp"
#include "value.hpp"

namespace wl {

struct ListState {
    ItemList items;
    int sel = 0;  // 1-based selected position, 0 for none
};

// One change for the window, applied in order. Positions are 1-based; a
// Select of 0 clears the selection.
struct ListEffect {
    enum class Kind { Clear, Append, Insert, Delete, Select };
    Kind kind = Kind::Clear;
    int index = 0;
    std::string text;
    bool operator==(const ListEffect&) const = default;
};
using ListEffects = std::vector<ListEffect>;

// The window emptied and filled with every item in order.
ListEffects listFill(const ListState& s);
// New items (the selection is dropped) and the fill that shows them.
ListEffects listSetItems(ListState& s, std::vector<std::string> items);
// No items and no selection.
ListEffects listReset(ListState& s);
// Sorted items and the fill that shows them.
ListEffects listSort(ListState& s);
// Selects item n (0 or a position outside the list clears it).
ListEffects listSetSel(ListState& s, int n);
// Adds at 0-based pos0 (past the end appends) and selects the new item.
ListEffects listAdd(ListState& s, const std::string& text, int pos0);
// Inserts before item n; nothing outside the list.
ListEffects listInsert(ListState& s, const std::string& text, int n);
// Replaces item n and selects it; nothing outside the list.
ListEffects listModify(ListState& s, const std::string& text, int n);
// Removes item n and selects the item now at n (or the new last one).
ListEffects listDel(ListState& s, int n);
// Moves the selected item one place (delta -1 up, +1 down) and keeps it
// selected; nothing when it cannot move.
ListEffects listSwap(ListState& s, int delta);
// The position a value selects when the list is shown: a number is the
// position, a text the item equal to it; the first item when neither fits.
int listPositionOf(const ListState& s, const Value& v);

}  // namespace wl
