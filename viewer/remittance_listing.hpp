// The 835 listing: one line per CLP claim with its names and amounts, the
// totals lines, and the screen's report modes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "claim_index.hpp"
#include "segment_table.hpp"

namespace zr {

struct RemittanceListing {
    std::vector<std::string> lines;  // one per CLP, or one empty line
    std::size_t claims = 0;
    double billed = 0, paid = 0, patient = 0;
    std::string totalsLine() const;   // "<n> claims  Billed = $..   Paid = $.."
    std::string patientLine() const;  // "Patient Responsibility = $.."
};

// The listing of every CLP row, in file order (one pass over the table).
RemittanceListing remittanceListing(const SegmentTable& table);

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

// The reports of the listing screen: 100 text, 101 HTML, 102 RTF, 103 PDF
// (the PDF writer's steps write nothing; ""), each with its progress meter.
std::string remittanceReport(const ClaimIndex& index, const SegmentTable& table, const std::string& fileName,
                             int mode);

}  // namespace zr
