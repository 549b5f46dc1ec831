// Window regions. Regions made here are reported to the resource tracker
// as "REGION" (CREATERECTRGN and COMBINERGN make or change regions the
// caller tracks itself).
#pragma once

#include <windows.h>

#include <vector>

#include "window_geometry.hpp"

namespace wl {

// A rounded region in the window's own coordinates from a window rectangle:
// (left, top) to (width, height + 1).
HRGN CREATEROUNDRECTRGN(const RectArray& aRect, int nWidth, int nHeight);
// A rounded region of the given corners.
HRGN CREATEROUNDRECTRGN(int nLeft, int nTop, int nRight, int nBottom, int nWidth, int nHeight);
HRGN CREATEELLIPTICRGNINDIRECT(const RectArray& aRect);
int SETWINDOWRGN(HWND hWnd, HRGN hRgn, bool lRedraw);

// Wrappers that nothing in the program calls by name.
HRGN CREATEELLIPTICRGN(int nLeft, int nTop, int nRight, int nBottom);
// Note the order of the arguments: bottom before right.
HRGN CREATERECTRGN(int nLeft, int nTop, int nBottom, int nRight);
int COMBINERGN(HRGN hDest, HRGN hSrc1, HRGN hSrc2, int nMode);
// Points as {x, y}; 0 for fewer than three points.
HRGN CREATEPOLYGONRGN(const std::vector<POINT>& aPoints, int nFillMode);
bool FRAMERGN(HDC hDC, HRGN hRgn, HBRUSH hBrush, int nWidth, int nHeight);
int OFFSETRGN(HRGN hRgn, int nX, int nY);

}  // namespace wl
