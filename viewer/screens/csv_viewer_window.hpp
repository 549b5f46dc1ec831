// "View CSV File": a comma-separated file one record at a time, each field
// beside its column's name from the first line.
#pragma once

#include <string>

#include "viewer_dialog.hpp"

namespace zr {

// CTLD48200: asks for the file ("Select a CSV file") when the name is
// missing or names no file, then shows it; an empty answer or a missing
// file ends without a dialog. The first two values are not used.
void CTLD48200(int kind, const std::string& unused, const std::string& startFolder, const std::string& fileName,
               const ViewerUi& ui = {});

}  // namespace zr
