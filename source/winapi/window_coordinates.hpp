// Rectangles and points of windows in the library's orders: rectangles
// {top, left, bottom, right}, points {row, column}.
#pragma once

#include <windows.h>

#include <optional>

#include "window_geometry.hpp"

namespace wl {

RectArray toRectArray(const RECT& r);
RECT toRECT(const RectArray& r);

// {0,0,0,0} for handle 0, without asking Windows.
RectArray GETCLIENTRECT(HWND hWnd);
// The window rectangle in screen coordinates; {0,0,0,0} for handle 0.
RectArray GETWNDRECT(HWND hWnd);
// The window rectangle in its parent's client coordinates; {0,0,0,0} for 0.
RectArray GETCOORS(HWND hWnd);
// Converts aPoint in place and answers the converted point.
RowCol CLIENTTOSCREEN(HWND hWnd, RowCol& aPoint);
RowCol SCREENTOCLIENT(HWND hWnd, RowCol& aPoint);

// The whole client area, erased unless lErase is false.
void INVALIDATERECT(HWND hWnd, bool lErase = true);
// The whole client area; the last logical decides the erasing.
void INVALIDATERECT(HWND hWnd, bool lWhole, bool lErase);
// Only that rectangle.
void INVALIDATERECT(HWND hWnd, const RectArray& aRect, bool lErase = true);

// Whether the client point (column, row) lies in the client area.
bool ISOVERWND(HWND hWnd, int nRow, int nCol);
// Whether the window has a vertical or horizontal scroll bar style.
bool WNDHASSCROLLS(HWND hWnd);

// Wrappers that nothing in the program calls by name.
HWND CHILDFROMPOINT(HWND hWnd, const RowCol& aPoint);
RowCol MAPWINDOWPOINT(HWND hFrom, HWND hTo, const RowCol& aPoint);
// Converts dialog units to pixels in place.
void MAPDIALOGRECT(HWND hDlg, RectArray& aRect);

}  // namespace wl
