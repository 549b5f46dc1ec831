// The record browse's printed report: one report column per browse column,
// headed by its header, as wide in characters as the column in pixels
// divided by the width of a "B"; a title, "Date: ... , Time: ..." and the
// page number; the records from the first, visited through the browse's
// own navigation closures.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browse_model.hpp"
#include "report_device.hpp"
#include "value.hpp"

namespace wl {

struct BrowseReportSpec {
    std::string cTitle;
    std::vector<std::string> aHeaders;
    std::vector<int> aColSizes;
    int nLetterWidth = 8;  // the width of "B" in the browse's font
    bool lTable = false;   // a table runs while skips move, a list by count
};

// Prints the report on the device (a previewed printer, a text file); the
// lines printed, -1 when the device cannot be drawn on. The source is left
// on its first item: the caller puts back the position it kept.
int browseReport(std::unique_ptr<ReportDevice> device, const BrowseReportSpec& spec, const BrowseSource& src,
                 const std::function<ValueList()>& line);

}  // namespace wl
