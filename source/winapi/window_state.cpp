#include "window_state.hpp"

#include "window_coordinates.hpp"
#include "window_geometry.hpp"

namespace wl {

bool ISWINDOW(HWND hWnd) { return IsWindow(hWnd) != 0; }
bool ISWINDOWVISIBLE(HWND hWnd) { return IsWindowVisible(hWnd) != 0; }
bool ISWINDOWENABLED(HWND hWnd) { return IsWindowEnabled(hWnd) != 0; }
bool ISCHILD(HWND hParent, HWND hWnd) { return IsChild(hParent, hWnd) != 0; }
bool ISICONIC(HWND hWnd) { return IsIconic(hWnd) != 0; }
bool ISZOOMED(HWND hWnd) { return IsZoomed(hWnd) != 0; }

bool ENABLEWINDOW(HWND hWnd, bool lEnable) { return IsWindow(hWnd) && EnableWindow(hWnd, lEnable) != 0; }

bool SHOWWINDOW(HWND hWnd, int nCmdShow) { return IsWindow(hWnd) && ShowWindow(hWnd, nCmdShow) != 0; }

void CLOSEWINDOW(HWND hWnd) { CloseWindow(hWnd); }

bool DESTROYWINDOW(HWND hWnd) { return IsWindow(hWnd) && DestroyWindow(hWnd) != 0; }

void SETFOCUS(HWND hWnd) {
    if (IsWindow(hWnd)) SetFocus(hWnd);
}

HWND GETFOCUS() { return GetFocus(); }
HWND GETACTIVEWINDOW() { return GetActiveWindow(); }
HWND GETDESKTOPWINDOW() { return GetDesktopWindow(); }
HWND WINDOWFROMPOINT(int nX, int nY) { return WindowFromPoint(POINT{nX, nY}); }
HWND GETPARENT(HWND hWnd) { return GetParent(hWnd); }
HWND SETPARENT(HWND hWnd, HWND hNewParent) { return SetParent(hWnd, hNewParent); }
HWND GETWINDOW(HWND hWnd, UINT nCmd) { return GetWindow(hWnd, nCmd); }
DWORD GETWINDOWTHREADPROCESSID(HWND hWnd) { return GetWindowThreadProcessId(hWnd, nullptr); }
LONG_PTR GETWINDOWLONG(HWND hWnd, int nIndex) { return GetWindowLongPtrA(hWnd, nIndex); }
LONG_PTR SETWINDOWLONG(HWND hWnd, int nIndex, LONG_PTR nValue) { return SetWindowLongPtrA(hWnd, nIndex, nValue); }
ULONG_PTR GETCLASSLONG(HWND hWnd, int nIndex) { return GetClassLongPtrA(hWnd, nIndex); }
ULONG_PTR SETCLASSLONG(HWND hWnd, int nIndex, LONG_PTR nValue) { return SetClassLongPtrA(hWnd, nIndex, nValue); }

std::optional<ClassInfo> GETCLASSINFO(HINSTANCE hInstance, const std::string& cClassName) {
    WNDCLASSA wc{};
    if (!GetClassInfoA(hInstance, cClassName.c_str(), &wc)) return std::nullopt;
    ClassInfo info;
    info.style = wc.style;
    info.windowProc = wc.lpfnWndProc;
    info.classExtra = wc.cbClsExtra;
    info.windowExtra = wc.cbWndExtra;
    info.instance = wc.hInstance;
    info.icon = wc.hIcon;
    info.cursor = wc.hCursor;
    info.background = wc.hbrBackground;
    if (wc.lpszMenuName && !IS_INTRESOURCE(wc.lpszMenuName)) info.menuName = wc.lpszMenuName;
    info.className = cClassName;
    return info;
}

HINSTANCE GETINSTANCE() {
    static const HINSTANCE instance = GetModuleHandleA(nullptr);
    return instance;
}

void POSTQUITMESSAGE(int nExitCode) { PostQuitMessage(nExitCode); }

HWND MGETCREATE(const std::string& cClass, const std::string& cTitle, DWORD nStyle, int nLeft, int nTop,
                int nWidth, int nHeight, HWND hParent, int nId, const std::optional<std::string>& cParam,
                DWORD nExStyle) {
    void* param = cParam ? const_cast<char*>(cParam->c_str()) : nullptr;
    return CreateWindowExA(nExStyle, cClass.c_str(), cTitle.c_str(), nStyle, nLeft, nTop, nWidth, nHeight, hParent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)), GETINSTANCE(), param);
}

void WNDCENTER(HWND hWnd, HWND hRelative) {
    RectArray own = GETWNDRECT(hWnd);
    HWND reference = hRelative && IsWindow(hRelative) ? hRelative : GetDesktopWindow();
    RectArray ref = GETWNDRECT(reference);
    RowCol origin = centredOrigin(own, ref);
    MoveWindow(hWnd, origin.col, origin.row, own.width(), own.height(), TRUE);
}

bool SETLAYEREDWINDOWATTRIBUTES(HWND hWnd, COLORREF nColorKey, BYTE nAlpha, DWORD nFlags) {
    return SetLayeredWindowAttributes(hWnd, nColorKey, nAlpha, nFlags) != 0;
}

bool GETSTYLEBIT1(HWND hWnd) { return (GetWindowLongPtrA(hWnd, GWL_STYLE) & 1) != 0; }
WORD SETWINDOWWORD(HWND hWnd, int nIndex, WORD nValue) { return SetWindowWord(hWnd, nIndex, nValue); }
WORD GETWINDOWWORD(HWND hWnd, int nIndex) { return GetWindowWord(hWnd, nIndex); }

HWND FINDWINDOW(const std::optional<std::string>& cClass, const std::optional<std::string>& cTitle) {
    return FindWindowA(cClass ? cClass->c_str() : nullptr, cTitle ? cTitle->c_str() : nullptr);
}

HWND SETACTIVEWINDOW(HWND hWnd) { return SetActiveWindow(hWnd); }
bool SETFOREGROUND(HWND hWnd) { return IsWindow(hWnd) && SetForegroundWindow(hWnd) != 0; }
void SETFOCUS2(HWND hWnd) { SETFOCUS(hWnd); }
int GETDLGCTRLID(HWND hWnd) { return GetDlgCtrlID(hWnd); }

}  // namespace wl
