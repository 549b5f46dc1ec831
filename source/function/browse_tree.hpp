// The record browse over an outline (SetTree): the navigation closures walk
// the visible items (those under open parents) and keep the current one;
// the line is the item's label, indented by its level, with "+" before a
// closed parent and "-" before an open one.
#pragma once

#include <string>

#include "browse_model.hpp"
#include "link_list.hpp"

namespace wl {

// current is set to the first item and follows every move.
BrowseSource treeBrowseSource(TLinkList& tree, TTreeItem*& current);

std::string browseTreeLabel(const TTreeItem& item);

// Opens or closes the item when it has children; false otherwise.
bool browseTreeToggle(TTreeItem* item);

}  // namespace wl
