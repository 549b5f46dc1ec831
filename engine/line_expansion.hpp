// The multi-line expansion ("ML"): the line-1 block of fields copied for
// every further service line a record may hold.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "byte_input.hpp"
#include "map_file.hpp"

namespace zr {

// Adds copies of the line-1 block of fields for lines 2..lines (names and
// line-1 conditions take the line number in place of their last character).
void expandServiceLines(std::vector<FieldRow>& fields, int lines);

// A map whose line key matches far more often than its record key would
// grow the table past any memory: an expansion beyond this many fields is
// refused, loudly, in either direction.
inline constexpr std::size_t kMaxExpandedFields = 100'000;
bool expansionFits(const std::vector<FieldRow>& fields, int lines);
// "ML Expansion Error : " + lines + " Service Lines Exceed " + limit + " Fields."
std::string expansionError(int lines);

// The largest number of service lines in a "LINELEVEL" group of an XML
// source (read to its end).
int xmlServiceLines(ByteInput& in);

}  // namespace zr
