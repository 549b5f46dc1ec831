// The 835 screens: the remittance listing "View X12 835 Version ..." and
// the detail of one remittance " Remittance Data ".
#pragma once

#include <cstddef>
#include <string>

#include "remittance_modes.hpp"
#include "viewer_dialog.hpp"
#include "viewer_entry.hpp"

namespace zr {

// CTLD39407: the output mode's text (remittance_modes), or the listing
// screen; "" once it closes.
std::string CTLD39407(const ScreenCall& call, const ViewerUi& ui = {});

// CTLD39413: claim k in an output mode (the text or, for 104, the lines),
// else the detail screen; the text is "" once it closes.
RemittanceDetailOutput CTLD39413(const ScreenCall& call, std::size_t k, double mode, const ViewerUi& ui = {});

}  // namespace zr
