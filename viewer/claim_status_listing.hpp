// What the 277 screens show and report: the listing of the claims, the
// status detail of one claim, and their report texts.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "claim_status_getters.hpp"
#include "segment_lines.hpp"
#include "viewer_settings.hpp"

namespace zr {

// The listing line of claim k: the [X12837VIEWER] fields when the list
// names some, else the subscriber (or patient) name and the claim's total.
std::string claimStatusListingLine(const ClaimStatusReader& reader, std::size_t k, const ViewerFieldLists& fields);
// Every claim's line; the single line "No Response Detected" without claims.
std::vector<std::string> claimStatusListing(const ClaimStatusReader& reader, const ViewerFieldLists& fields);

// The detail lines of claim k: a 64-line page laid out from the
// [X12837SCREEN] fields when the list names some, else the standard text.
std::vector<std::string> claimStatusDetailLines(const ClaimStatusReader& reader, std::size_t k,
                                                const ViewerFieldLists& fields);

// The detail's output in a report mode: the lines in mode 100 to 102,
// "Claim # :" and k in 103; none for the modes that show the screen.
std::optional<std::string> claimStatusDetailOutput(const ClaimStatusReader& reader, std::size_t k,
                                                   const ViewerFieldLists& fields, int mode);

// The listing's report in modes 100 to 103: every claim's listing line
// and its detail in the same mode, set apart by the mode's own marks (HTML
// tags only in 101); none for the other modes.
std::optional<std::string> claimStatusReport(const ClaimStatusReader& reader, const ViewerFieldLists& fields,
                                             int mode);

}  // namespace zr
