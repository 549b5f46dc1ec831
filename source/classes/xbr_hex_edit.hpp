// XBRHEXEDIT: binary data edited as hex lines of 16 bytes in a grid
// browse on a modal dialog: "LineHex" (the line's offset), "Text" and the
// editable "HexChar", with "Save" and "Cancel".
#pragma once

#include <string>

namespace wl {

// Edits `bytes`; true, with the edited bytes stored back, when "Save"
// closed the dialog and they changed. A hex text that does not give the
// line's own number of bytes is not taken. Read-only: the lines are shown
// for viewing, without "Save".
bool XBRHEXEDIT(std::string& bytes, bool readOnly = false, const std::string& title = {});

}  // namespace wl
