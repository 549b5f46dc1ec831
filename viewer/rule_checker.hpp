// The rule checker: tests a loaded 837 file against the rule lines of the
// [X12CHECK] section of "zr.ini" (a loop holds a segment, the segment an
// element, the element a value or a value of the check table) and then
// names every segment that no rule mentions.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "check_table.hpp"
#include "segment_table.hpp"

namespace zr {

// The most rule lines recorded; later lines are ignored.
inline constexpr std::size_t kMaxRuleLines = 1000;

// CTL39400K: runs the check over the rules of "zr.ini" in `folder` ("" the
// current folder) and shows the summary.
void CTL39400K(const CheckTable& checks, const SegmentTable& table, std::size_t rowCount, const std::string& element,
               const std::vector<std::string>& loops, const std::string& folder = "");

// CTL39400S: tests one rule line against loop list item `loopIndex`
// (1-based); 1 when the user chose to stop, else 0.
int CTL39400S(const CheckTable& checks, const SegmentTable& table, std::size_t rowCount, const std::string& rule,
              const std::vector<std::string>& loops, std::size_t loopIndex, const std::string& element);

// CTL39400U: names the segments that no recorded rule mentions.
void CTL39400U(const CheckTable& checks, const SegmentTable& table, std::size_t rowCount,
               const std::vector<std::string>& rules, const std::vector<std::string>& loops, std::size_t ruleCount,
               const std::string& element);

}  // namespace zr
