// XBRIMAGEEDIT: the bytes of an image in a grid cell edited on a modal
// dialog that shows the picture, with "Open" (an image file), "Paste" (the
// clipboard's bitmap), "Undo" (the picture it started with), "Save" (keeps
// the picture shown), "Cancel" (closes, nothing kept) and "Close" (closes
// with what was saved).
#pragma once

#include <string>

namespace wl {

// Edits `bytes` (an image file's bytes); true, with the saved bytes stored
// back, when a saved picture differs from the one it started with. A
// pasted bitmap is kept as a BMP file's bytes. Read-only: only "Close".
bool XBRIMAGEEDIT(std::string& bytes, bool readOnly = false, const std::string& title = {});

}  // namespace wl
