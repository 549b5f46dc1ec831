// X12 File Information: the envelope tree, counts and money totals and the
// control-character report of one file, read without the segment table.
#pragma once

#include <cstdint>
#include <string>

#include "tool_tree.hpp"

namespace zr {

// What an examination found (the window shows all but the tree).
struct FileSummary {
    std::size_t claims = 0;           // CLM segments
    std::size_t transactionSets = 0;  // ST segments ("Batches")
    double claimsTotal = 0;           // CLM02
    double serviceLineTotal = 0;      // SV102, SV203, SV302, SVC02
    std::size_t remittances = 0;      // CLP segments
    double remittanceTotal = 0;       // CLP03
    std::size_t serviceLines = 0;     // SV1, SV2, SV3, SVC
    std::string report;               // the control-character report
};

// CTLD47300B: piece n of a segment text (with its terminator) between
// element separators, piece 1 the id; "" when absent.
std::string CTLD47300B(const std::string& segment, char separator, std::size_t n);
// CTLD47300C: the element separators before the terminator, plus 1.
std::size_t CTLD47300C(const std::string& segment, char separator);

// Appends the report line of a byte below code 32:
// "Character(" + code + "):Position(" + 0-based offset + ")" CR LF.
void appendControlLine(std::string& report, unsigned char byte, std::int64_t offset);
// CTLD47300D: the report with that byte's line added (unchanged for a byte
// of code 32 and above).
std::string CTLD47300D(const std::string& report, unsigned char byte, std::int64_t offset);

// CTLD47300A: fills the tree (root: the file name) and answers the summary;
// a missing file gives the root alone and an empty summary. Open and read
// failures are shown and what was read counts.
FileSummary CTLD47300A(const std::string& fileName, ToolTree& tree);

// A money total as the window shows it: two decimals.
std::string summaryAmount(double value);

}  // namespace zr
