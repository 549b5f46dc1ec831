// Window identity and state: the small wrappers the window classes call to
// query and change windows. A call on a handle that is not a window changes
// nothing and answers 0, false or nothing.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace wl {

bool ISWINDOW(HWND hWnd);
bool ISWINDOWVISIBLE(HWND hWnd);
bool ISWINDOWENABLED(HWND hWnd);
bool ISCHILD(HWND hParent, HWND hWnd);
bool ISICONIC(HWND hWnd);
bool ISZOOMED(HWND hWnd);
// EnableWindow's answer (true when the window was disabled before).
bool ENABLEWINDOW(HWND hWnd, bool lEnable);
// ShowWindow; normal showing when no command is given.
bool SHOWWINDOW(HWND hWnd, int nCmdShow = SW_SHOWNORMAL);
// Minimises the window.
void CLOSEWINDOW(HWND hWnd);
bool DESTROYWINDOW(HWND hWnd);
void SETFOCUS(HWND hWnd);
HWND GETFOCUS();
HWND GETACTIVEWINDOW();
HWND GETDESKTOPWINDOW();
HWND WINDOWFROMPOINT(int nX, int nY);
HWND GETPARENT(HWND hWnd);
HWND SETPARENT(HWND hWnd, HWND hNewParent);
HWND GETWINDOW(HWND hWnd, UINT nCmd);
DWORD GETWINDOWTHREADPROCESSID(HWND hWnd);
LONG_PTR GETWINDOWLONG(HWND hWnd, int nIndex);
LONG_PTR SETWINDOWLONG(HWND hWnd, int nIndex, LONG_PTR nValue);
ULONG_PTR GETCLASSLONG(HWND hWnd, int nIndex);
ULONG_PTR SETCLASSLONG(HWND hWnd, int nIndex, LONG_PTR nValue);

struct ClassInfo {
    UINT style = 0;
    WNDPROC windowProc = nullptr;
    int classExtra = 0;
    int windowExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::string menuName;   // "" when the menu is named by a number or not at all
    std::string className;
};
// Nothing when no such class is registered.
std::optional<ClassInfo> GETCLASSINFO(HINSTANCE hInstance, const std::string& cClassName);

// The program's module handle, looked up once.
HINSTANCE GETINSTANCE();
void POSTQUITMESSAGE(int nExitCode);

// CreateWindowExA with the program's instance; the creation data is a
// pointer to cParam's bytes when one is given.
HWND MGETCREATE(const std::string& cClass, const std::string& cTitle, DWORD nStyle, int nLeft, int nTop,
                int nWidth, int nHeight, HWND hParent, int nId, const std::optional<std::string>& cParam = {},
                DWORD nExStyle = 0);

// Moves hWnd to the centre of hRelative (the desktop when it is 0 or no
// window), keeping its size.
void WNDCENTER(HWND hWnd, HWND hRelative = nullptr);

bool SETLAYEREDWINDOWATTRIBUTES(HWND hWnd, COLORREF nColorKey, BYTE nAlpha, DWORD nFlags);

// Wrappers that nothing in the program calls by name.
bool GETSTYLEBIT1(HWND hWnd);
WORD SETWINDOWWORD(HWND hWnd, int nIndex, WORD nValue);
WORD GETWINDOWWORD(HWND hWnd, int nIndex);
HWND FINDWINDOW(const std::optional<std::string>& cClass, const std::optional<std::string>& cTitle);
HWND SETACTIVEWINDOW(HWND hWnd);
bool SETFOREGROUND(HWND hWnd);
void SETFOCUS2(HWND hWnd);
int GETDLGCTRLID(HWND hWnd);

}  // namespace wl
