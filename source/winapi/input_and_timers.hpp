// Mouse capture and tracking, key states, the caret, timers and synthetic
// input.
#pragma once

#include <windows.h>

#include <string>

#include "message_pump.hpp"  // LASTKEYCHAR

namespace wl {

HWND SETCAPTURE(HWND hWnd);
HWND GETCAPTURE();
void RELEASECAPTURE();
// Asks for mouse-leave or hover notifications; false when the system has no
// TrackMouseEvent.
bool TRACKMOUSEEVENT(HWND hWnd, DWORD nFlags);

// The key is down.
bool GETKEYSTATE(int nVirtKey);
// Any bit of the high byte of the asynchronous state.
bool GETASYNCKEY(int nVirtKey);
// The key is down or toggled.
bool GETKEYTOGGLE(int nVirtKey);
// Flips the key's toggle bit in the thread's keyboard state.
void KEYTOGGLE(int nVirtKey);

// {x, y}.
POINT GETCARETPOS();
void CREATECARET(HWND hWnd, HBITMAP hBitmap, int nWidth, int nHeight);
void DESTROYCARET();
void SHOWCARET(HWND hWnd);
void HIDECARET(HWND hWnd);
UINT_PTR SETTIMER(HWND hWnd, UINT_PTR nId, UINT nMilliseconds, TIMERPROC nProc = nullptr);
bool KILLTIMER(HWND hWnd, UINT_PTR nId);

// Wrappers that nothing in the program calls by name.
void SETCARETPOS(int nX, int nY);
// One mouse input with these flags; the number of inputs sent.
UINT SENDINPUTMOUSE(DWORD nFlags);
// Types the text as key presses, capitals with SHIFT, draining pending
// messages after each character.
void TYPETEXT(const std::string& cText);

}  // namespace wl
