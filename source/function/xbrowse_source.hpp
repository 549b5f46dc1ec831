// Binding a grid browse to whatever it is given: the library's
// XBRWSETDATASOURCE, which the generic browse dialog uses.
#pragma once

#include "value.hpp"
#include "xbrowse_model.hpp"

namespace wl {

// A list is bound as an array (rows of lists or single values); nil binds
// the selected work area (an empty list when no table is open); a text is
// the alias of an open work area, else a dBASE table file (".dbf" added
// when it has no extension) opened in a new work area under an alias made
// from the first four letters of its name, else the text itself as a
// one-cell list; any other value a one-cell list. cols, when given, are
// the columns shown, in that order: element numbers (or, for a table,
// field names); a list holding one list is unwrapped. With autoSort a
// list's columns sort by their elements (the first at once), which also
// lets typing seek. Answers the alias of a work area opened here ("" when
// none), for the caller to close.
std::string XBRWSETDATASOURCE(XBrowseModel& brw, const Value& source, ValueList cols = {}, bool autoSort = false);

}  // namespace wl
