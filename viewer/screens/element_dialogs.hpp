// The segment element dialog (one line per element of a segment) and the
// element dialog (one element's value).
#pragma once

#include <string>

#include "segment_table.hpp"
#include "viewer_dialog.hpp"

namespace zr {

// CTLD39401: the elements of a segment; "Select" shows the current one.
void CTLD39401(const std::string& segmentId, const std::string& segmentText, const X12Delimiters& delimiters,
               int mode, const ViewerUi& ui = {});

// CTLD39402: element k's value.
void CTLD39402(int k, const std::string& segmentId, const std::string& segmentText, const X12Delimiters& delimiters,
               int mode, const ViewerUi& ui = {});

}  // namespace zr
