// The message screen of a text message set (864, and 275): its title, with
// "View Data" and printing.
#pragma once

#include <string>

#include "viewer_dialog.hpp"
#include "viewer_entry.hpp"

namespace zr {

// CTLD39409: "" at once in modes 100 to 103 and 109; else the screen, ""
// once closed.
std::string CTLD39409(const ScreenCall& call, const ViewerUi& ui = {});

}  // namespace zr
