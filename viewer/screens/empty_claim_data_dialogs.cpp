#include "empty_claim_data_dialogs.hpp"

namespace zr {

namespace {

wl::Value emptyClaimData(const EmptyClaimDataArguments& args, const ViewerUi& ui) {
    ViewerDialog d(" Claim Data ", 600, 180);
    d.button(70, 90, 40, 12, "Exit", [&] { d.close(); });
    d.run(ui, [] { return ShownDialog{}; });
    return args[1];
}

}  // namespace

wl::Value CTLD39414(const EmptyClaimDataArguments& args, const ViewerUi& ui) { return emptyClaimData(args, ui); }
wl::Value CTLD39415(const EmptyClaimDataArguments& args, const ViewerUi& ui) { return emptyClaimData(args, ui); }
wl::Value CTLD39416(const EmptyClaimDataArguments& args, const ViewerUi& ui) { return emptyClaimData(args, ui); }
wl::Value CTLD39418(const EmptyClaimDataArguments& args, const ViewerUi& ui) { return emptyClaimData(args, ui); }
wl::Value CTLD39419(const EmptyClaimDataArguments& args, const ViewerUi& ui) { return emptyClaimData(args, ui); }

}  // namespace zr
