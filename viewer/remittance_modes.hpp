// What the two 835 screens give in their output modes without showing
// themselves: the listing screen's reports, listing and files, and the
// detail screen's text, lines and 835 text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "remittance_files.hpp"
#include "viewer_entry.hpp"

namespace zr {

// The listing screen (CTLD39407) in an output mode: 100-103 the report,
// 109 "" (the export dialog is the window half's), 110 and 111 "" after
// their message, 112 and 113 the 835 text written (errors told to the
// user), 200 the listing lines joined by CR LF. None: show the screen.
std::optional<std::string> remittanceListingOutput(const ScreenCall& call, const ConverterSettings& settings = {});

// The message of modes 110 and 111.
inline constexpr const char* kNo276From835 = "276 cannot be created from an 835.";

// The detail screen (CTLD39413) of claim k in an output mode.
struct RemittanceDetailOutput {
    std::string text;                // 100-103, 113, 113.1
    std::vector<std::string> lines;  // 104
};
std::optional<RemittanceDetailOutput> remittanceDetailOutput(const ClaimIndex& index, const SegmentTable& table,
                                                             std::size_t k, double mode, const ParseSpec& request,
                                                             const ConverterSettings& settings = {});

}  // namespace zr
