#include "data_sheet_window.hpp"

#include <filesystem>

#include "message_windows.hpp"

namespace zr {

void CTL394PRTE(const std::string& fileName, const SegmentTable& table, const PrintTarget& target) {
    wl::MSGWAIT(std::string("Printing X12 997 Data Sheet ...."), std::string("Print X12 997 Data Sheet ...."), 2);
    std::error_code ec;
    if (fileName.empty() || !std::filesystem::exists(fileName, ec)) return;
    const PrintStamp stamp = printStampNow();
    printLaidOutPages("Preview X12 997 Data Sheet.", PrintOrientation::Portrait, target,
                      [&](const PageGrid& grid) { return acknowledgementSheetPages(table, grid, stamp); });
}

void CTL394PRTG(const std::string& fileName, const SegmentTable& table, const PrintTarget& target) {
    wl::MSGWAIT(std::string("Printing X12 864 Report ...."), std::string("Print X12 864 Report...."), 2);
    const std::vector<std::string> lines = messageReportLines(table);
    const PrintStamp stamp = printStampNow();
    // The page is turned to landscape; the grid stays the listing's 66 by 80.
    printLaidOutPages(
        "Preview X12 864 Report", PrintOrientation::Landscape, target,
        [&](const PageGrid& grid) { return messageReportPages(lines, fileName, grid, stamp); },
        PrintOrientation::Portrait);
}

void CTL394PRTJ(const std::vector<std::vector<std::string>>& claims, RemittanceSheet kind, const PrintTarget& target) {
    const std::string title = remittanceSheetTitle(kind);
    wl::MSGWAIT("Printing " + title + " ....", title, 2);
    if (claims.empty()) return;
    const PrintStamp stamp = printStampNow();
    printLaidOutPages("Preview " + title + ".", remittanceSheetOrientation(kind), target,
                      [&](const PageGrid& grid) { return remittanceSheetPages(claims, kind, grid, stamp); });
}

}  // namespace zr
