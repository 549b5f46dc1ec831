// Binding a grid browse to whatever it is given: the library's
// XBRWSETDATASOURCE, which the generic browse dialog uses.
#pragma once

#include "value.hpp"
#include "xbrowse_model.hpp"

namespace wl {

// A list is bound as an array (rows of lists or single values); a text is a
// dBASE table file (".dbf" added when it has no extension) when it opens,
// else the text itself as a one-cell list; any other value a one-cell list.
// cols, when given, are the columns shown, in that order: element numbers
// (or, for a table, field names); a list holding one list is unwrapped.
// With autoSort a list's columns sort by their elements (the first at
// once), which also lets typing seek. The table opened here stays open
// while the browse is bound to it.
void XBRWSETDATASOURCE(XBrowseModel& brw, const Value& source, ValueList cols = {}, bool autoSort = false);

}  // namespace wl
