#include "input_and_timers.hpp"

namespace wl {

HWND SETCAPTURE(HWND hWnd) { return SetCapture(hWnd); }
HWND GETCAPTURE() { return GetCapture(); }
void RELEASECAPTURE() { ReleaseCapture(); }

bool TRACKMOUSEEVENT(HWND hWnd, DWORD nFlags) {
    ::TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof tme;
    tme.dwFlags = nFlags;
    tme.hwndTrack = hWnd;
    return ::TrackMouseEvent(&tme) != 0;
}

bool GETKEYSTATE(int nVirtKey) { return (GetKeyState(nVirtKey) & 0x8000) != 0; }
bool GETASYNCKEY(int nVirtKey) { return (GetAsyncKeyState(nVirtKey) & 0xFF00) != 0; }
bool GETKEYTOGGLE(int nVirtKey) { return GetKeyState(nVirtKey) != 0; }

void KEYTOGGLE(int nVirtKey) {
    BYTE keys[256] = {};
    if (!GetKeyboardState(keys)) return;
    keys[nVirtKey & 0xFF] ^= 1;
    SetKeyboardState(keys);
}

POINT GETCARETPOS() {
    POINT p{};
    GetCaretPos(&p);
    return p;
}

void CREATECARET(HWND hWnd, HBITMAP hBitmap, int nWidth, int nHeight) { CreateCaret(hWnd, hBitmap, nWidth, nHeight); }
void DESTROYCARET() { DestroyCaret(); }
void SHOWCARET(HWND hWnd) { ShowCaret(hWnd); }
void HIDECARET(HWND hWnd) { HideCaret(hWnd); }

UINT_PTR SETTIMER(HWND hWnd, UINT_PTR nId, UINT nMilliseconds, TIMERPROC nProc) {
    return SetTimer(hWnd, nId, nMilliseconds, nProc);
}

bool KILLTIMER(HWND hWnd, UINT_PTR nId) { return KillTimer(hWnd, nId) != 0; }

void SETCARETPOS(int nX, int nY) { SetCaretPos(nX, nY); }

UINT SENDINPUTMOUSE(DWORD nFlags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = nFlags;
    return SendInput(1, &input, sizeof input);
}

namespace {
void pressKey(BYTE vk) {
    BYTE scan = static_cast<BYTE>(MapVirtualKeyA(vk, 0));
    keybd_event(vk, scan, 0, 0);
    keybd_event(vk, scan, KEYEVENTF_KEYUP, 0);
}
}  // namespace

void TYPETEXT(const std::string& cText) {
    const BYTE shiftScan = static_cast<BYTE>(MapVirtualKeyA(VK_SHIFT, 0));
    for (char ch : cText) {
        // The layout says which key (and whether Shift) gives the character:
        // character codes are not key codes ("." is Delete as a key).
        const SHORT key = VkKeyScanA(ch);
        if (key == -1) continue;  // no key of this layout types it
        const bool shift = (HIBYTE(key) & 1) != 0;
        if (shift) keybd_event(VK_SHIFT, shiftScan, 0, 0);
        pressKey(LOBYTE(key));
        if (shift) keybd_event(VK_SHIFT, shiftScan, KEYEVENTF_KEYUP, 0);
        PumpPendingMessages();
    }
}

}  // namespace wl
