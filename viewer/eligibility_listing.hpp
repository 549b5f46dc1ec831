// What the 270/271 screens show and report: the listing of the items
// (subscribers), the eligibility detail of one item and their report texts.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "eligibility_getters.hpp"
#include "segment_lines.hpp"

namespace zr {

// The listing lines: per item the subscriber's name; in a 271 the name is
// followed by the layout of three amount columns (to column 52), which
// stay blank: the response carries no amounts per subscriber. Without
// items, a 270 lists "No Requests Detected", a 271 "Reject Reason Code
// Blank " and an empty line.
std::vector<std::string> eligibilityListing(const EligibilityReader& reader, const std::string& st01);
// Whether the listing holds the two reject lines (shown without numbers).
bool eligibilityListsReject(const EligibilityReader& reader, const std::string& st01);

// CTL39412E: the detail lines of item k, each only when its value is there.
std::vector<std::string> CTL39412E(const EligibilityReader& reader, std::size_t k, const std::string& st01);

// The detail's output: modes 100 to 102 the lines, 103 "Claim # :" and k,
// 104 the lines one per CR LF line; none for the modes that show the screen.
std::optional<std::string> eligibilityDetailOutput(const EligibilityReader& reader, std::size_t k,
                                                   const std::string& st01, int mode);

// The listing's report in modes 100 to 103: each item's line and its detail
// in the same mode (HTML marks only in 101); none for the other modes.
std::optional<std::string> eligibilityReport(const EligibilityReader& reader, const std::string& st01, int mode);

// The message of the modes that write 837 or 276 files from a set.
inline constexpr const char* kEligibilityWrongSet = "837 or 276 files cannot be created from a 270 or 271.";

}  // namespace zr
