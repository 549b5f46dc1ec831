#include "window_messages.hpp"

#include "wide_text.hpp"

namespace wl {

namespace {
// -1 is how callers name every top-level window.
bool sendable(HWND hWnd) { return hWnd == reinterpret_cast<HWND>(-1) || IsWindow(hWnd); }
}  // namespace

LRESULT SENDMESSAGE(HWND hWnd, UINT nMsg, WPARAM nWParam, LPARAM nLParam) {
    return sendable(hWnd) ? SendMessageA(hWnd, nMsg, nWParam, nLParam) : 0;
}

LRESULT SENDMESSAGE(HWND hWnd, UINT nMsg, WPARAM nWParam, const std::string& cText) {
    return SENDMESSAGE(hWnd, nMsg, nWParam, reinterpret_cast<LPARAM>(cText.c_str()));
}

bool POSTMESSAGE(HWND hWnd, UINT nMsg, WPARAM nWParam, LPARAM nLParam) {
    return IsWindow(hWnd) && PostMessageA(hWnd, nMsg, nWParam, nLParam) != 0;
}

LRESULT SENDWIDESTRINGMESSAGE(HWND hWnd, UINT nMsg, WPARAM nWParam, const std::string& cText) {
    std::wstring wide = AnsiToWideAlloc(cText);
    return SENDMESSAGE(hWnd, nMsg, nWParam, reinterpret_cast<LPARAM>(wide.c_str()));
}

LRESULT CALLWINDOWPROC(WNDPROC nProc, HWND hWnd, UINT nMsg, WPARAM nWParam, LPARAM nLParam) {
    return CallWindowProcA(nProc, hWnd, nMsg, nWParam, nLParam);
}

LRESULT DEFWINDOWPROC(HWND hWnd, UINT nMsg, WPARAM nWParam, LPARAM nLParam) {
    return DefWindowProcA(hWnd, nMsg, nWParam, nLParam);
}

namespace {
BOOL CALLBACK eachChild(HWND hChild, LPARAM lParam) {
    (*reinterpret_cast<const std::function<void(HWND)>*>(lParam))(hChild);
    return TRUE;
}
}  // namespace

bool ENUMCHILDWINDOWS(HWND hWnd, const std::function<void(HWND)>& bAction) {
    if (!bAction) return false;
    return EnumChildWindows(hWnd, eachChild, reinterpret_cast<LPARAM>(&bAction)) != 0;
}

bool ENUMCHILDWINDOWS(HWND hWnd, const std::function<void(HWND, LPARAM)>& bAction, LPARAM nParam) {
    if (!bAction) return false;
    std::function<void(HWND)> withParam = [&](HWND hChild) { bAction(hChild, nParam); };
    return ENUMCHILDWINDOWS(hWnd, withParam);
}

HWND GETDLGITEM(HWND hDlg, int nId) { return GetDlgItem(hDlg, nId & 0xFFFF); }

HWND NEXTDLGTAB(HWND hDlg, HWND hCtrl, bool lPrevious) { return GetNextDlgTabItem(hDlg, hCtrl, lPrevious); }

long NMAKELONG(int nLow, int nHigh) {
    return static_cast<long>((static_cast<unsigned long>(nLow) & 0xFFFFu) | (static_cast<unsigned long>(nHigh) << 16));
}

HDC BEGINPAINT(HWND hWnd, PAINTSTRUCT& cPaint) { return BeginPaint(hWnd, &cPaint); }

void ENDPAINT(HWND hWnd, const PAINTSTRUCT& cPaint) { EndPaint(hWnd, &cPaint); }

}  // namespace wl
