// What the interchange and transaction-set pickers list and return.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "segment_table.hpp"

namespace zr {

// The interchange picker's lines: per interchange, ST01 of its first set,
// ISA13 and ST03, two blanks apart; {"Error"} without an ISA row.
std::vector<std::string> interchangeLines(const SegmentTable& table);

// The set picker's lines: per set, ST01, ST03 and the submitter name (NM103
// of NM1*41), two blanks apart; {"Error"} without an ST row.
std::vector<std::string> setLines(const SegmentTable& table);

// CTL39424A: the first ISA and GS, set n from its ST to the row before the
// next ST, then the next GE and IEA met. The claims of 837 and 277 sets
// (HL*22) are renumbered from 1 in columns 8, 10 and 11, those of 835 sets
// (CLP) in 10 and 11; levels are kept.
SegmentTable CTL39424A(std::size_t n, const SegmentTable& table);

}  // namespace zr
