// New tables built from a loaded one: all sets of an interchange merged
// into one, and one interchange cut out. Rows keep every column and share
// the source's buffer and delimiters.
#pragma once

#include "segment_table.hpp"

namespace zr {

// CTL39400AH: the claims of every set in one table, renumbered 1, 2, 3 ...
// in column 8. Later sets' ST rows are left out; their header rows (BHT,
// submitter, billing provider before the first claim) are kept with an
// empty column 8, so each claim still finds its own billing provider above it.
SegmentTable CTL39400AH(const SegmentTable& table, std::size_t setCount);

// CTL39405A: the rows of interchange k (from its ISA row up to the next
// ISA row); no rows when there are fewer than k interchanges.
SegmentTable CTL39405A(std::size_t k, const SegmentTable& table);

}  // namespace zr
