// The Claim Data dialog " Claim Data ": one 837 claim as text in three
// views, with the buttons of its mode and of the viewer state.
#pragma once

#include <string>

#include "claim_data.hpp"
#include "viewer_dialog.hpp"

namespace zr {

// CTLD39403: what a window-free mode gives (the claim's report text, its
// piece of a derived file); in any other mode the dialog, "" once it closes.
std::string CTLD39403(const ClaimDataCall& call, const ViewerUi& ui = {});

}  // namespace zr
