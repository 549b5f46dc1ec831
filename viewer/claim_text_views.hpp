// One 837 claim as lines of text, in three views: the detail of the claim
// with its service lines and providers (0), the parties by 837 loop (1) and
// the claim by the boxes of its paper form (2: CMS-1500 boxes, UB form
// locators or ADA boxes by the claim type). Every value is read by name
// through the field getters; these functions fix the lines, their labels
// and their order. The labels are the screen's own texts, spelling included.
#pragma once

#include <string>
#include <vector>

#include "claim_getters.hpp"

namespace zr {

enum class ClaimView : int { Detail = 0, ByLoop = 1, ByFormBox = 2 };

// CTL39403C: claim k's lines in the view, its claim values read with
// sub-claim j. The detail view writes from the list's last element on (the
// caller's placeholder is overwritten) and ends with an empty element; the
// other views write from the first element on. Each line past the list's
// end appends one element.
std::vector<std::string> CTL39403C(std::vector<std::string> lines, const ClaimFields& fields, long long k,
                                   ClaimView view, int j);

}  // namespace zr
