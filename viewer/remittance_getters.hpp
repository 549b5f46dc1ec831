// The 835 field getters: a field name and a claim number to a value read
// from the loaded table ("" when the file holds none or the name is not
// one of the getter's), the counters of claims, service lines and provider
// adjustments, and the description lines of reason and remark codes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "claim_index.hpp"
#include "segment_table.hpp"

namespace zr {

// Which claim number of a row identifies its claim: 1 the number within the
// file (column 10), 2 within the set (column 8), 3 within the interchange
// (column 11).
using ClaimColumnMode = int;

// The claim number of a row in that mode (0 for none).
std::uint32_t claimNumberOf(const SegmentTable& table, std::size_t row, ClaimColumnMode mode);

// The rows of claim k: from the index's k-th row while the claim column
// holds k. Empty (first > last) when the index does not point at claim k.
struct RemittanceRows {
    std::size_t first = 1;
    std::size_t last = 0;
    bool empty() const { return last < first; }
};
RemittanceRows remittanceClaimRows(const ClaimIndex& index, const SegmentTable& table, std::size_t k,
                             ClaimColumnMode mode);
// Service line s (1-based) of the claim: from its s-th SVC row to the row
// before the next SVC or the claim's end; empty when there is none.
RemittanceRows serviceLineRows(const SegmentTable& table, RemittanceRows claim, std::size_t s);

// CTL39407AB: a claim field of claim k (the start row is not used).
std::string CTL39407AB(std::size_t startRow, const ClaimIndex& index, const SegmentTable& table, std::size_t k,
                       const std::string& name, ClaimColumnMode mode);
// CTL39407AC: a transaction or provider-adjustment field, from the start row on.
std::string CTL39407AC(std::size_t startRow, const SegmentTable& table, const std::string& name);
// CTL39407AE: a service-line field; the name ends in its line number
// (PROCBILLEDAMT2) or, for the adjustments, in line.row.triplet.
std::string CTL39407AE(std::size_t startRow, const ClaimIndex& index, const SegmentTable& table, std::size_t k,
                       const std::string& name, ClaimColumnMode mode);
// CTL39407AL: the generators' service-line field: the value of the first
// of lines 1 to 1000 that has one; the claim column is the first of the
// within-file, within-set and within-interchange numbers that is not 0.
std::string CTL39407AL(std::size_t startRow, const ClaimIndex& index, const SegmentTable& table, std::size_t k,
                       const std::string& name);
// CTL39407AO: true for exactly the export's 835 service-line field names.
bool CTL39407AO(const std::string& name);

// CTL39407AA: rows from the start row to the last but one whose id begins
// with `id`.
std::size_t CTL39407AA(std::size_t startRow, const std::string& id, const SegmentTable& table);
// CTL39407A: SVC rows of claim k (from the start row to the last but one).
std::size_t CTL39407A(std::size_t startRow, std::size_t k, const SegmentTable& table, ClaimColumnMode mode);
// CTL39407O: PLB rows carrying claim number k.
std::size_t CTL39407O(std::size_t startRow, std::size_t k, const SegmentTable& table, ClaimColumnMode mode);
// CTL39407D: n = 0 the number of modifiers of service line s of claim k;
// n >= 1 its n-th modifier. "0" / "" when the line is absent.
std::string CTL39407D(std::size_t startRow, int n, std::size_t s, std::size_t k, const SegmentTable& table,
                      ClaimColumnMode mode);

// Helpers of the 835 family that nothing calls, kept with their family:
// CTL39407AJ the shorter service-line getter (it also knows PROCFED1CAT to
// PROCFED5CAT, AMT02 of AMT*ZK to AMT*ZO of the line); CTL39407B component
// n of SVC01 of line s; CTL39407F the number of pieces of a text (the last
// character not counted); CTL39407AD the file position of the k-th CLP row
// (0 for none); CTL39407AQ the row of the n-th row with that id (0 for
// none); CTL39407AI "".
std::string CTL39407AJ(std::size_t startRow, const ClaimIndex& index, const SegmentTable& table, std::size_t k,
                       const std::string& name, ClaimColumnMode mode);
std::string CTL39407B(const ClaimIndex& index, const SegmentTable& table, std::size_t k, std::size_t s, int n,
                      ClaimColumnMode mode);
int CTL39407F(std::string_view text, std::string_view separator);
std::uint64_t CTL39407AD(const SegmentTable& table, std::size_t k);
std::size_t CTL39407AQ(const SegmentTable& table, const std::string& id, std::size_t n);
inline std::string CTL39407AI() { return ""; }
// CTL39407G: the 1-based element getter (piece 1 is the segment id).
std::string_view CTL39407G(std::string_view text, int piece, std::string_view separator);

// CTL39407AG / CTL39407AH: the reason (remark) code's description lines
// appended to `lines`: one labelled line for a text of 30 characters or
// fewer, else the text cut at blanks into pieces of more than 28.
std::vector<std::string> CTL39407AG(const std::string& code, std::vector<std::string> lines);
std::vector<std::string> CTL39407AH(const std::string& code, std::vector<std::string> lines);
// The cutting itself, for a text under a label.
void appendDescriptionLines(const std::string& label, const std::string& text, std::vector<std::string>& lines);

// A sum written as a number without blanks ("70.5", "120"); "" for 0.
std::string remittanceSumText(double sum);

}  // namespace zr
