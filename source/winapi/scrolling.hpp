// Scrolling windows and browse rows, and the scroll bars of a window.
// Browse rows are (text height + 1) pixels high in the given font; the
// window's own device context is used when none is given.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "window_geometry.hpp"

namespace wl {

// With aRect only that rectangle scrolls and nothing clips; otherwise the
// whole client area scrolls, clipped to aClip when given.
void SCROLLWINDOW(HWND hWnd, int nDX, int nDY, const std::optional<RectArray>& aRect = {},
                  const std::optional<RectArray>& aClip = {});
// Scrolls the rows below a browse's header row by nRows rows.
void WBRWSCROLL(HWND hWnd, int nRows, HFONT hFont);
// Scrolls the band from client top + nTop, nHeight pixels high, up by nPixels.
int XBRWSCROLLROW(HWND hWnd, int nPixels, int nTop, int nHeight);
// Whole browse rows in the client area.
int NWROWS(HWND hWnd, HDC hDC, HFONT hFont);
// The browse row (from 0) that holds pixel row nY.
int NWROW(HWND hWnd, HDC hDC, int nY, HFONT hFont);
// The screen rectangle of one browse cell; nothing for column 0 or past the widths.
std::optional<RectArray> ABRWPOSRECT(HWND hWnd, int nRow, const std::vector<int>& aColSizes, int nFirstCol,
                                     int nCol, HFONT hFont);

// Range with page 1, disabling rather than hiding an unneeded bar; the
// scroll box position.
int SETSCROLLRANGE(HWND hWnd, int nBar, int nMin, int nMax, bool lRedraw);
int SETSCROLLPOS(HWND hWnd, int nBar, int nPos, bool lRedraw);
// {min, max}.
std::vector<int> GETSCROLLRANGE(HWND hWnd, int nBar);
int GETSCROLLPOS(HWND hWnd, int nBar);
// Sets the page size; false when the system has no SetScrollInfo.
bool SETSCROLLINFO(HWND hWnd, int nBar, int nPage, bool lRedraw);

// Wrappers that nothing in the program calls by name.
void SETSCROLLRANGE2(HWND hWnd, int nBar, int nMin, int nMax, bool lRedraw);
// As WBRWSCROLL with rows of the bare text height, no header row, and the
// uncovered area invalidated.
void SCROLLLINES(HWND hWnd, int nLines, HFONT hFont);

// The text height of the font (the window's current font when 0) in the
// given context, or the window's own.
int fontTextHeight(HWND hWnd, HDC hDC, HFONT hFont);

}  // namespace wl
