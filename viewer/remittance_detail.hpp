// The text of one remittance (one CLP claim of an 835): the detail lines in
// their two views, the explanation of benefits at its fixed columns, and
// the detail screen's report modes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "claim_index.hpp"
#include "remittance_getters.hpp"
#include "segment_table.hpp"

namespace zr {

// CTL39407E: the detail lines of claim k (the first line is ""); view 1
// by subject, view 2 by loop.
std::vector<std::string> CTL39407E(const ClaimIndex& index, const SegmentTable& table, std::size_t k,
                                   ClaimColumnMode mode, int view);

// CTL39407Y: the explanation-of-benefits lines of claim k.
std::vector<std::string> CTL39407Y(const ClaimIndex& index, const SegmentTable& table, std::size_t k,
                                   ClaimColumnMode mode);

// The detail lines a report takes: all of them but a trailing empty line.
std::vector<std::string> remittanceReportLines(std::vector<std::string> lines);

// The detail screen's text modes for claim k (view 1, claim-column mode 1):
// 100 lines with CR LF, 101 with "<BR>", 102 with "\par" CR LF, 103 the
// PDF heading "Claim # :" + k (the PDF writer's placeholders write nothing).
std::string remittanceDetailReport(const ClaimIndex& index, const SegmentTable& table, std::size_t k, int mode);

}  // namespace zr
