// The data sheets straight to the printer with its preview: the 997/999
// acknowledgement data sheet, the 864 message report and the 835 sheets.
#pragma once

#include <string>
#include <vector>

#include "data_sheets.hpp"
#include "paged_print_window.hpp"

namespace zr {

// CTL394PRTE: the acknowledgement data sheet of the loaded file; nothing
// for an empty file name or a file no longer there.
void CTL394PRTE(const std::string& fileName, const SegmentTable& table, const PrintTarget& target = {});

// CTL394PRTG: the 864 message report, in landscape.
void CTL394PRTG(const std::string& fileName, const SegmentTable& table, const PrintTarget& target = {});

// CTL394PRTJ: every claim's lines (built by the caller for the kind), a
// claim a page at least; nothing without claims.
void CTL394PRTJ(const std::vector<std::vector<std::string>>& claims, RemittanceSheet kind,
                const PrintTarget& target = {});

}  // namespace zr
