// The 270/271 eligibility screens: the listing of the subscribers and the
// eligibility detail of one of them.
#pragma once

#include <string>

#include "eligibility_listing.hpp"
#include "viewer_dialog.hpp"
#include "viewer_entry.hpp"

namespace zr {

// CTLD39412: the report text in modes 100 to 103; "" in 109 and, after
// saying that no 837 or 276 can be made from this set, in 110 and 111; in
// any other mode the listing screen, "" once it closes.
std::string CTLD39412(const ScreenCall& call, const ViewerUi& ui = {});

// CTLD39423: item k's detail text in modes 100 to 104; in any other mode
// the detail screen, "" once it closes.
std::string CTLD39423(const EligibilityReader& reader, std::size_t k, const ScreenCall& call,
                      const ViewerUi& ui = {});

}  // namespace zr
