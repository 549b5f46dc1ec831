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

// The detail screen's lines: view 1 read with claim-column mode 1 at
// first; "Change View" goes to the next view (after 2 back to 1) and reads
// with mode 2.
class RemittanceDetailModel {
public:
    RemittanceDetailModel(const ClaimIndex& index, const SegmentTable& table, std::size_t k);
    const std::vector<std::string>& lines() const { return lines_; }
    int view() const { return view_; }
    ClaimColumnMode mode() const { return mode_; }
    void changeView();

private:
    const ClaimIndex& index_;
    const SegmentTable& table_;
    std::size_t k_;
    int view_ = 1;
    ClaimColumnMode mode_ = 1;
    std::vector<std::string> lines_;
};

// The detail screen's text modes for claim k (view 1, claim-column mode 1):
// 100-102 the lines as report lines (every line but a trailing empty one),
// 103 the PDF heading "Claim # :" + k (the PDF writer's steps write
// nothing).
std::string remittanceDetailReport(const ClaimIndex& index, const SegmentTable& table, std::size_t k, int mode);

}  // namespace zr
