// The grid browse as a printed report: one report column per visible
// column (header, value, width, total), report groups for group columns,
// the selected rows only when more than one is selected, "Page : " and the
// page number at the foot. The device decides where it goes (printer,
// preview, text file).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "report_device.hpp"
#include "report_engine.hpp"
#include "xbrowse_model.hpp"

namespace wl {

struct XbrReportOptions {
    std::string cTitle;
    // Creation numbers of the columns that group the rows.
    std::vector<int> aGroupCols;
    // Called with (report, browse, 1) before the default layout: 1 replaces
    // it, 2 asks to be called again with 2 after it, anything else keeps it.
    std::function<int(TReport&, XBrowseModel&, int)> bSetUp;
};

// Prints the browse; false (nothing printed) without rows or visible
// columns. The browse returns to its row afterwards.
bool XbrReport(XBrowseModel& brw, std::unique_ptr<ReportDevice> device, const XbrReportOptions& options = {});

}  // namespace wl
