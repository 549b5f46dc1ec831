// The record browse over an outline (SetTree): the navigation closures walk
// the visible items (those under open parents) and keep the current one;
// the line is the item's label: one picture cell per level (the connector
// lines, the boxed plus or minus, the item's own picture), then the prompt.
#pragma once

#include <string>

#include "browse_model.hpp"
#include "link_list.hpp"

namespace wl {

// current is set to the first item and follows every move.
BrowseSource treeBrowseSource(TLinkList& tree, TTreeItem*& current);

// The item's line: each picture as a whole number (its handle, 0 for an
// empty cell), then the prompt. The outline's connector codes must be
// drawn (TLinkList::Draw) for the lines to be right.
ValueList browseTreeLine(const TTreeItem& item);

// Opens or closes the item when it has children; false otherwise.
bool browseTreeToggle(TTreeItem* item);

}  // namespace wl
