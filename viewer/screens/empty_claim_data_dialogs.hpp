// The five empty " Claim Data " dialogs: an "Exit" button and nothing else.
// Nothing in the program opens them.
#pragma once

#include <array>

#include "value.hpp"
#include "viewer_dialog.hpp"

namespace zr {

// The eight values each dialog is called with; only the second is used: it
// is handed back once the dialog closes.
using EmptyClaimDataArguments = std::array<wl::Value, 8>;

wl::Value CTLD39414(const EmptyClaimDataArguments& args, const ViewerUi& ui = {});
wl::Value CTLD39415(const EmptyClaimDataArguments& args, const ViewerUi& ui = {});
wl::Value CTLD39416(const EmptyClaimDataArguments& args, const ViewerUi& ui = {});
wl::Value CTLD39418(const EmptyClaimDataArguments& args, const ViewerUi& ui = {});
wl::Value CTLD39419(const EmptyClaimDataArguments& args, const ViewerUi& ui = {});

}  // namespace zr
