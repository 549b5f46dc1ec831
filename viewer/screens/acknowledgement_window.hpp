// The acknowledgement screen "997/999 Acknowledgement": the 997, 999 or TA1
// header values and the list of reported errors.
#pragma once

#include <string>

#include "viewer_dialog.hpp"
#include "viewer_entry.hpp"

namespace zr {

// CTLD39408: "" without the file; the report text in modes 100 to 103 and
// "" in 109; else the screen, "" once closed.
std::string CTLD39408(const ScreenCall& call, const ViewerUi& ui = {});

}  // namespace zr
