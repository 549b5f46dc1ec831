// The full 837 viewer "View X12 837": it loads an 837 file by itself and
// shows its claims, the claims listing, and a row of buttons, most of which
// only close it. Nothing in the program opens it.
#pragma once

#include <string>

#include "value.hpp"
#include "viewer_dialog.hpp"

namespace zr {

// CTLD39411: the first value is not used; `mode` is handed to the dialogs it
// opens (Claim Data, the interchange picker, the export dialog). The file is `fileName` when it
// exists, else the one chosen in "Select X12 File" starting in
// `startFolder`; nothing shows when none is chosen or it holds no segment.
void CTLD39411(const wl::Value& unused, int mode, const std::string& fileName, const std::string& startFolder,
               const ViewerUi& ui = {});

}  // namespace zr
