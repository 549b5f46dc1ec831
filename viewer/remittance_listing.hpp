// The 835 listing: one line per CLP claim with its names and amounts, the
// totals lines, and the screen's report modes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "claim_index.hpp"
#include "segment_table.hpp"

namespace zr {

// The listing: its CLP rows and totals are found in one pass; a line is
// built when it is shown (a large file opens without building them all).
class RemittanceListing {
public:
    explicit RemittanceListing(const SegmentTable& table);

    std::size_t claims() const { return clpRows_.size(); }
    // Lines 1..count(): one per CLP, or one empty line without claims.
    std::size_t count() const { return clpRows_.empty() ? 1 : clpRows_.size(); }
    std::string line(std::size_t n) const;
    std::vector<std::string> lines() const;
    std::string totalsLine() const;   // "<n> claims  Billed = $..   Paid = $.."
    std::string patientLine() const;  // "Patient Responsibility = $.."

private:
    const SegmentTable* table_;
    std::vector<std::size_t> clpRows_;
    double billed_ = 0, paid_ = 0, patient_ = 0;
};

// The listing of every CLP row, in file order.
inline RemittanceListing remittanceListing(const SegmentTable& table) { return RemittanceListing(table); }

// The listing line of one claim: its name part padded to 32, then the
// billed, paid and patient amounts with the second and third starting at
// characters 12 and 23 of the amount part.
std::string remittanceListingLine(const std::string& names, const std::string& billed, const std::string& paid,
                                  const std::string& patient);

// An amount of the listing: commas turned into blanks, as money.
std::string remittanceAmount(std::string_view element);

// The list's heading.
inline constexpr const char* kRemittanceListHeader =
    "Remittance Items                        Billed    Paid    Patient Responsibility";

// The listing screen's list: its current claim, moves and search.
class RemittanceListModel {
public:
    explicit RemittanceListModel(RemittanceListing listing) : listing_(std::move(listing)) {}
    const RemittanceListing& listing() const { return listing_; }
    std::size_t count() const { return listing_.count(); }
    std::size_t current() const { return current_; }
    const std::string& searchText() const { return search_; }
    // The list's line n: the claim number, a blank, the listing line.
    std::string line(std::size_t n) const;

    void goTop() { current_ = 1; }
    void goBottom() { current_ = count(); }
    int skip(int n);
    // "Search" with the prompt's answer: from the first line on (the list
    // went to its top, and that line is searched too), without regard to
    // case; false when no line holds it (the first line stays current).
    bool search(const std::string& answer);

private:
    RemittanceListing listing_;
    std::size_t current_ = 1;
    std::string search_ = std::string(40, ' ');
};

// The reports of the listing screen: 100 text, 101 HTML, 102 RTF, 103 PDF
// (the PDF writer's steps write nothing; ""), each with its progress meter.
std::string remittanceReport(const ClaimIndex& index, const SegmentTable& table, const std::string& fileName,
                             int mode);

}  // namespace zr
