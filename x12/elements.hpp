// Cutting elements and components out of a segment's text, and the two
// display forms of amounts and dates.
#pragma once

#include <string>
#include <string_view>

namespace zr {

// CTL39400AU, 0-based: element n (0 = the segment id, ST01 = 1); "" when
// the text has fewer elements.
std::string_view CTL39400AU(std::string_view text, int n, std::string_view separator);
// CTL39400AX, 1-based: piece n (1 = the id, ST01 = 2).
std::string_view CTL39400AX(std::string_view text, int n, std::string_view separator);
// CTL39400AG: the 1-based getter with its arguments in another order.
std::string_view CTL39400AG(std::string_view text, std::string_view separator, int /*ignored*/, int /*ignored*/,
                            int n);
// CTL39400F: the number of pieces: separators among all characters but the
// last, plus one.
int CTL39400F(std::string_view text, std::string_view separator);

// CTL39400AF: kind "$" completes an amount to two decimals; kind "D" turns
// CCYYMMDD into MM/DD/CCYY; anything else comes back unchanged.
std::string CTL39400AF(const std::string& value, const std::string& kind);

}  // namespace zr
