// Native window functions of the life cycle and geometry: class
// registration, creation, moving and sizing, and docking of controls to the
// edges of their parent. Calls on a handle that is not a window do nothing
// and answer false (or 0).
#pragma once

#include <windows.h>

#include <string>

namespace wl {

bool REGISTERCLASS(const std::string& className, UINT style, int classExtra, int windowExtra, HINSTANCE instance,
                   HCURSOR cursor, HBRUSH background, const char* menuName, WNDPROC proc, HICON icon);
// Creates the window with extended style 0.
HWND CREATEWINDOW(const std::string& className, const std::string& caption, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU idOrMenu, void* creationData);
// MDI windows. The frame's default procedure: the system's frame handling
// with the frame's "MDICLIENT" child.
WNDPROC GETFRAMEPROC();
// The system's MDI child procedure, for the children's window class.
WNDPROC GETMDICHLPROC();
// An MDI child of the client window; height and width may be
// CW_USEDEFAULT (Windows chooses), like top and left.
HWND CREATEMDIWINDOW(const std::string& className, const std::string& title, DWORD style, int top, int left,
                     int height, int width, HWND client, HINSTANCE instance);
// The system's text for the last error (or the given code), default language.
std::string GETERRMSG(DWORD code = GetLastError());

bool MOVEWINDOW(HWND hWnd, int top, int left, int width, int height, bool repaint = true);
bool SETWINDOWPOS(HWND hWnd, HWND insertAfter, int top, int left, int width, int height, UINT flags);
bool WNDSETSIZE(HWND hWnd, int width, int height, bool repaint = true);
int WNDWIDTH(HWND hWnd);
int WNDWIDTH(HWND hWnd, int width);
int WNDHEIGHT(HWND hWnd);
int WNDHEIGHT(HWND hWnd, int height);
int WNDTOP(HWND hWnd);
int WNDTOP(HWND hWnd, int top);
int WNDLEFT(HWND hWnd);
int WNDLEFT(HWND hWnd, int left);
// Writes the eight numbers into the record: maximised width and height,
// maximised x and y, minimum tracking and maximum tracking sizes.
int SETMINMAX(MINMAXINFO* info, const int (&values)[8]);
bool BRINGWINDOWTOTOP(HWND hWnd);
bool UPDATEWINDOW(HWND hWnd);
std::string GETCLASSNAME(HWND hWnd);

// Window rectangle relative to the parent's client area (or the screen).
RECT windowRectInParent(HWND hWnd);

// Docking of a control to its parent's edges (the parent's client area).
bool WNDADJTOP(HWND hCtrl);
bool WNDADJBOTTOM(HWND hCtrl);
bool WNDADJLEFT(HWND hCtrl, HWND hTop, HWND hBottom);
bool WNDADJRIGHT(HWND hCtrl, HWND hTop, HWND hBottom);
bool WNDADJCLIENT(HWND hCtrl, HWND hTop, HWND hBottom, HWND hLeft, HWND hRight, bool flag, int bevel);

}  // namespace wl
