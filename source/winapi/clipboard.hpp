// Clipboard wrappers. Formats: 1 text (CF_TEXT), 2 bitmap (CF_BITMAP),
// 13 Unicode text (CF_UNICODETEXT), 14 enhanced metafile (CF_ENHMETAFILE).
#pragma once

#include <windows.h>

#include <string>

#include "value.hpp"

namespace wl {

bool OPENCLIPBOARD(HWND hWnd);
bool CLOSECLIPBOARD();
bool EMPTYCLIPBOARD();

// Format 1: the text with a terminating zero in new movable, zero-filled
// global memory; true when Windows accepted it. Other formats: false.
bool SETCLIPBOARDDATA(UINT nFormat, const std::string& text);
// Format 2: a copy of the bitmap. Other formats: false.
bool SETCLIPBOARDDATA(UINT nFormat, HBITMAP bitmap);

// Format 1: the text ("" when none); 2: a copy of the bitmap as a number
// (0 when none); 13: the Unicode text memory as raw bytes, its whole global
// size ("" when none); 14: the metafile handle as a number (0 when none);
// other formats: nothing.
Value GETCLPDATA(UINT nFormat);

}  // namespace wl
