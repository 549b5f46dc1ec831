// Painting of the library's bars, meters, owner-drawn list items and the
// design-mode focus frame.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "colors.hpp"

namespace wl {

// A meter: the filled part ((width - 1) x percent / 100, percent clamped to
// 0..100) in the bar colours, the rest in the pane colours, the label
// centred over both and a sunken frame.
int METERPAINT(HWND hWnd, HDC hDC, int nPercent, const std::string& cText, bool lPercentage, Color nClrPane,
               Color nClrText, Color nClrBar, Color nClrBarText, HFONT hFont);

// The message pane of a message bar.
void MSGPAINT(HWND hWnd, const std::string& cMsg, const std::string& cMsgDef, bool l3D, bool lCentered, int nRight,
              Color nClrText, Color nClrBack, HFONT hFont, bool lInset, HDC hDC);

bool LBXMEASURE(MEASUREITEMSTRUCT* item, int nHeight);
bool LBXMEASURE2(MEASUREITEMSTRUCT* item, int nHeight);
// Hands a parent's owner-draw request to the item's control (LM_DRAWITEM);
// the control's answer.
LRESULT REFLECTDRAWITEM(const DRAWITEMSTRUCT* item);
// An owner-drawn list or combo item: its text and its bitmap (an item with
// no text or bitmap draws none).
bool LBXDRAWITEM(const DRAWITEMSTRUCT* item, const std::vector<HBITMAP>& aBitmaps,
                 const std::vector<std::string>& aItems, int nTextOffset,
                 const std::function<int(int)>& bBitmapIndex = nullptr);

// The grey XOR frame that follows a control being moved (twice: erased):
// shifted by (nDRow, nDCol), or, with a handle and a shift, with the edges
// of that handle at the point (nRow, nCol) of the control's client area.
void CTRLDRAWFOCUS(HWND hWnd, int nDRow, int nDCol, int nRow, int nCol, int nHandle);
// Places the eight 5 by 5 resize handles around the control (null ones are
// skipped).
void DOTSADJUST(HWND hWnd, const std::array<HWND, 8>& aDots);
// A two-pixel white XOR frame just inside the control, drawn on its parent.
void XORCTRLFRAME(HWND hWnd);
// A dotted black XOR rectangle on the window.
void XORDOTRECT(HWND hWnd, int nTop, int nLeft, int nBottom, int nRight);

// Sunken, raised and plain frames.
void WNDBOXIN(HDC hDC, int nTop, int nLeft, int nBottom, int nRight);
void WNDBOXRAISED(HDC hDC, int nTop, int nLeft, int nBottom, int nRight);
// Plain frames: in the stock black pen, in a one-pixel pen of the colour,
// in the given pen. Bottom and right are inside the frame.
void WNDBOX(HDC hDC, int nTop, int nLeft, int nBottom, int nRight);
void WNDBOX2007(HDC hDC, int nTop, int nLeft, int nBottom, int nRight, Color nColor);
void WNDBOXPEN(HDC hDC, int nTop, int nLeft, int nBottom, int nRight, HPEN hPen);
// A raised (sunken) frame around the window's client area less its last
// column and row; no context: the window's own.
void WNDRAISED(HWND hWnd, HDC hDC = nullptr);
void WNDINSET(HWND hWnd, HDC hDC = nullptr);

// Makes the window's label children paint transparently on the brush.
void FIXSAYS(HWND hWnd, HBRUSH hBrush);

}  // namespace wl
