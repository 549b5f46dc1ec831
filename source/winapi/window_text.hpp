// Window texts and the edit-control messages the edit classes use.
#pragma once

#include <windows.h>

#include <string>

namespace wl {

// "" when hWnd is no window or has no text.
std::string GETWINDOWTEXT(HWND hWnd);
void SETWINDOWTEXT(HWND hWnd, const std::string& cText);
// Without a text the window's text is emptied.
void SETWINDOWTEXT(HWND hWnd);
int GETWINTXTLENGHT(HWND hWnd);
// Line nLine (counted from 1) of an edit control, at most 255 bytes.
std::string MGETLINE(HWND hEdit, int nLine);
// Replaces the selection, with undo allowed.
LRESULT MGETREPLACE(HWND hEdit, const std::string& cText);
// Sets the formatting rectangle to the control's own client area.
void MOVEGET(HWND hEdit);

}  // namespace wl
