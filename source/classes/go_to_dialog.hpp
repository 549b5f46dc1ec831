// The "Go To" dialog of the text editors: "Line:", a five-digit field over
// the current line, "&Ok" and "&Cancel".
#pragma once

#include <optional>

namespace wl {

class TWindow;

// The 1-based line entered and confirmed with "&Ok", or none on Cancel.
std::optional<int> GoToLineDialog(TWindow* owner, int currentLine);

}  // namespace wl
