// The interchange picker ("Select Interchange Control Batch (ISA)") and the
// transaction-set picker ("Select Transaction Set (ST)").
#pragma once

#include <optional>

#include "viewer_dialog.hpp"
#include "viewer_entry.hpp"

namespace zr {

// CTLD39405: the table of the chosen interchange, none when left by Exit;
// in the modes that pick by number, interchange call.number at once.
std::optional<SegmentTable> CTLD39405(const ScreenCall& call, const ViewerUi& ui = {});

// CTLD39424: the one-set table of the chosen set, none on Exit; in the
// modes that pick by number (and with sets), set call.number at once.
std::optional<SegmentTable> CTLD39424(const ScreenCall& call, const ViewerUi& ui = {});

}  // namespace zr
