// The native painters of button bars, bar buttons and message bars: the
// bar's frame and gripper, its docking, the bitmap button face, the
// embossed disabled look, the message bar's size grip and panel text, and
// the banded gradient. Rectangles are {top, left, bottom, right}.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "colors.hpp"

namespace wl {

// The bar's frame and gripper; hDC nullptr: the bar's own context.
void BARPAINT(HWND hWnd, HDC hDC);
// Docks the bar to its parent's client area for the mode (1 top, 2 left,
// 3 right, 4 bottom; any other leaves it).
void BARADJUST(HWND hWnd, int nMode, bool lMsgBar, int nMsgBarHeight);

struct PalBtnBitmap {
    HBITMAP bitmap = nullptr;
    HPALETTE palette = nullptr;
};
// A bitmap button: normal, pressed and disabled bitmaps, its state, frame,
// drop-down room and optional caption (nLayout as the bars use it).
void PALBTNPAINT(HWND hWnd, PalBtnBitmap normal, PalBtnBitmap pressed, PalBtnBitmap disabled, bool lPressed,
                 bool lAdjust, bool lBorder, bool lPopup, Color nClrPane, const std::optional<std::string>& cCaption,
                 int nLayout, HFONT hFont, Color nClrText, HDC hDC);
// The embossed disabled look over the client area less one pixel on every
// side; hDC nullptr: the window's own context.
void BTNDISABLE(HWND hWnd, HDC hDC);

// The size grip at the right end of a message bar; hDC nullptr: the bar's
// own context.
void MSGPAINT3L(HWND hWnd, bool lBitmapBack, HDC hDC);
// A panel's text centred in the rectangle on its background.
void DRAWMSGITEM(HDC hDC, const std::string& cText, const std::array<int, 4>& aRect, Color nClrFore = 0,
                 Color nClrBack = RGB(192, 192, 192), HFONT hFont = nullptr);

// The banded gradient over the rectangle (nothing for an empty list).
void GRADIENTFILL(HDC hDC, int nTop, int nLeft, int nBottom, int nRight, const GradientSpec& aGrad,
                  bool lVertical = true);

}  // namespace wl
