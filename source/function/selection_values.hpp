// The values a control bound to a variable stores: on a reset, and for a
// selection in a list (check boxes, list and combo boxes share them).
#pragma once

#include <string>

#include "value.hpp"

namespace wl {

// The value to store when a control is reset: false for a logical, 0 for a
// number, "" for anything else.
Value resetValue(const Value& current);
// The value to store for a selection: a number keeps the 1-based position,
// anything else the item text.
Value selectionValue(const Value& current, int position, const std::string& text);

}  // namespace wl
