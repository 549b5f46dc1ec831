// The generic segment list "View X12 ": every segment of a table in one of
// five views, with go-to, search and the elements of a segment.
#pragma once

#include <string>

#include "viewer_dialog.hpp"
#include "viewer_entry.hpp"

namespace zr {

// CTLD39420: nothing after a run that asked no questions (viewer state 1);
// the report text in the report modes; else the screen, "" once closed.
std::string CTLD39420(const ScreenCall& call, const ViewerUi& ui = {});

// The screen itself, whatever the viewer state (the stand-in of the typed
// screens and the pickers' "View Data").
void showSegmentList(const ScreenCall& call, const ViewerUi& ui = {});

}  // namespace zr
