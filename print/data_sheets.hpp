// The data sheets laid out without a printer: the 997/999 acknowledgement
// data sheet, the 864 message report and the 835 sheets (an explanation of
// benefits or a remittance data sheet per claim), on the listing grid of
// the paged print. The screens half is print/screens/data_sheet_window.
#pragma once

#include <string>
#include <vector>

#include "paged_print.hpp"
#include "segment_table.hpp"

namespace zr {

// The 997 sheet's error lines: per AK3 (a 999's IK3 alike) a numbered
// line and its error, per AK4 (IK4) four lines; one empty line without
// items.
std::vector<std::string> acknowledgementSheetLines(const SegmentTable& table);
// The number of AK3/IK3 items.
std::size_t acknowledgementSheetErrors(const SegmentTable& table);

// CTL394PRTF: the 997 sheet's header from y; answers its number of lines.
int CTL394PRTF(PrintedPage& page, const PageGrid& grid, int y, int pageNumber, const SegmentTable& table,
               const PrintStamp& stamp);

// The 997 sheet's pages (portrait grid).
std::vector<PrintedPage> acknowledgementSheetPages(const SegmentTable& table, const PageGrid& grid,
                                                   const PrintStamp& stamp);

// The 864 report's lines: the message text of every MSG item.
std::vector<std::string> messageReportLines(const SegmentTable& table);
// The 864 report's pages: the lines from the top, a new page after line
// 45 (they ran off the page), and the end line on the last.
std::vector<PrintedPage> messageReportPages(const std::vector<std::string>& lines, const std::string& fileName,
                                            const PageGrid& grid, const PrintStamp& stamp);

// The 835 sheets: kind 0 the explanation of benefits ("EOB", landscape, no
// header), kind 1 the remittance data sheet (portrait, with the header);
// each claim's lines start a page.
enum class RemittanceSheet { Eob = 0, DataSheet = 1 };
std::string remittanceSheetTitle(RemittanceSheet kind);
PrintOrientation remittanceSheetOrientation(RemittanceSheet kind);
std::vector<PrintedPage> remittanceSheetPages(const std::vector<std::vector<std::string>>& claims, RemittanceSheet kind,
                                              const PageGrid& grid, const PrintStamp& stamp);

}  // namespace zr
