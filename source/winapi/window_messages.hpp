// Sending and posting messages, window procedures, dialog items and
// painting. Parameters travel whole: handles and pointers in wParam and
// lParam keep all their bits on both builds.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace wl {

// SendMessageA when hWnd is a window or -1 (every top-level window); 0 when
// not sent.
LRESULT SENDMESSAGE(HWND hWnd, UINT nMsg, WPARAM nWParam = 0, LPARAM nLParam = 0);
// The text goes as a pointer to its bytes, valid for the call only.
LRESULT SENDMESSAGE(HWND hWnd, UINT nMsg, WPARAM nWParam, const std::string& cText);
// PostMessageA when hWnd is a window; false when not posted.
bool POSTMESSAGE(HWND hWnd, UINT nMsg, WPARAM nWParam = 0, LPARAM nLParam = 0);
// A posted message outlives the caller's text, so a text is never posted as
// a pointer: send it, or post a value the receiver owns.
bool POSTMESSAGE(HWND hWnd, UINT nMsg, WPARAM nWParam, const std::string& cText) = delete;
// Sends the text converted to UTF-16 as lParam; the copy is freed after the call.
LRESULT SENDWIDESTRINGMESSAGE(HWND hWnd, UINT nMsg, WPARAM nWParam, const std::string& cText);

LRESULT CALLWINDOWPROC(WNDPROC nProc, HWND hWnd, UINT nMsg, WPARAM nWParam, LPARAM nLParam);
// The default handling; message, wParam and lParam are passed whole.
LRESULT DEFWINDOWPROC(HWND hWnd, UINT nMsg, WPARAM nWParam, LPARAM nLParam);

// Calls bAction for every child window (and its children); the walk never
// stops early.
bool ENUMCHILDWINDOWS(HWND hWnd, const std::function<void(HWND)>& bAction);
bool ENUMCHILDWINDOWS(HWND hWnd, const std::function<void(HWND, LPARAM)>& bAction, LPARAM nParam);

// The control with that identifier (taken as an unsigned 16-bit number).
HWND GETDLGITEM(HWND hDlg, int nId);
HWND NEXTDLGTAB(HWND hDlg, HWND hCtrl, bool lPrevious);
// (nLow and 0xFFFF) or (nHigh shifted left 16).
long NMAKELONG(int nLow, int nHigh);

HDC BEGINPAINT(HWND hWnd, PAINTSTRUCT& cPaint);
void ENDPAINT(HWND hWnd, const PAINTSTRUCT& cPaint);

}  // namespace wl
