// The 277 claim status screens: the listing of the claims and the status
// detail of one claim.
#pragma once

#include <string>

#include "claim_status_listing.hpp"
#include "viewer_dialog.hpp"
#include "viewer_entry.hpp"

namespace zr {

// CTLD39410: the report text in modes 100 to 103, "" in 109; in any other
// mode the listing screen, "" once it closes.
std::string CTLD39410(const ScreenCall& call, const ViewerUi& ui = {});

// CTLD39425: claim k's detail text in modes 100 to 103; in any other mode
// the detail screen, "" once it closes.
std::string CTLD39425(const ClaimStatusReader& reader, std::size_t k, const ScreenCall& call,
                      const ViewerUi& ui = {});

}  // namespace zr
