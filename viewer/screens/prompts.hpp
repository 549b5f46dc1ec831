// The viewer's two small prompts: the search text and the row to go to.
#pragma once

#include <string>

#include "viewer_dialog.hpp"

namespace zr {

// CTL394SEEK: asks for a search text (offered filled to 40 characters) and
// returns the edited text however the dialog is closed.
std::string CTL394SEEK(const std::string& text, const ViewerUi& ui = {});

// CTL394GOTO: asks for a row number; the edited number (0 when it is none).
long long CTL394GOTO(long long number, const ViewerUi& ui = {});

}  // namespace zr
