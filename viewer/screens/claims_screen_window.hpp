// The 837 claims screen "View X12 837 Version ...": one row per subscriber
// loop, the claim count and total, Search, Load 997/999, View Data, and the
// buttons of the modes above 1.
#pragma once

#include <string>

#include "viewer_dialog.hpp"
#include "viewer_entry.hpp"

namespace zr {

// CTLD39406: builds the listing, then by the call's mode returns the
// listing (200, one row per line), nothing for the outputs the program does
// not produce yet, or opens the screen ("" once it closes).
std::string CTLD39406(const TransactionScreenCall& call, const ViewerUi& ui = {});

}  // namespace zr
