// The filter test of an 835's claims, shared by the CSV export and the
// remittance rebuild of the converter so both read "FILTER=" alike.
#pragma once

#include <string>

namespace zr {

// CTL39404AA: the filter test of the 835 CSV export. Mode 1: whether the
// filter is one of the special forms ("#", ">" or "<" first). Mode 2:
// whether the value passes the special filter: "#start:length:text" when
// the value's substring there begins with text (any case), ">text" when the
// value sorts after text, "<text" when it sorts before it.
bool CTL39404AA(int mode, const std::string& filter, const std::string& value);

}  // namespace zr
