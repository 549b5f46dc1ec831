#include "window_natives.hpp"

#include <optional>

#include "text.hpp"
#include "window_units.hpp"

namespace wl {

bool REGISTERCLASS(const std::string& className, UINT style, int classExtra, int windowExtra, HINSTANCE instance,
                   HCURSOR cursor, HBRUSH background, const char* menuName, WNDPROC proc, HICON icon) {
    WNDCLASSA wc{};
    wc.style = style;
    wc.cbClsExtra = classExtra;
    wc.cbWndExtra = windowExtra;
    wc.hInstance = instance ? instance : GetModuleHandleA(nullptr);
    wc.hCursor = cursor;
    wc.hbrBackground = background ? background : reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszMenuName = menuName;
    wc.lpfnWndProc = proc ? proc : DefWindowProcA;
    wc.hIcon = icon;
    wc.lpszClassName = className.c_str();
    return RegisterClassA(&wc) != 0;
}

HWND CREATEWINDOW(const std::string& className, const std::string& caption, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU idOrMenu, void* creationData) {
    return CreateWindowExA(0, className.c_str(), caption.c_str(), style, x, y, width, height, parent, idOrMenu,
                           GetModuleHandleA(nullptr), creationData);
}

namespace {
constexpr const char* kMdiClientProp = "WL_MDICLIENT";

LRESULT CALLBACK mdiFrameProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    // The client is looked up once and kept with the frame.
    auto client = static_cast<HWND>(GetPropA(h, kMdiClientProp));
    if (!client || !IsWindow(client)) {
        client = FindWindowExA(h, nullptr, "MDICLIENT", nullptr);
        if (client) SetPropA(h, kMdiClientProp, client);
    }
    if (msg == WM_NCDESTROY) RemovePropA(h, kMdiClientProp);
    return DefFrameProcA(h, client, msg, w, l);
}
}  // namespace

WNDPROC GETFRAMEPROC() { return &mdiFrameProc; }

WNDPROC GETMDICHLPROC() { return &DefMDIChildProcA; }

HWND CREATEMDIWINDOW(const std::string& className, const std::string& title, DWORD style, int top, int left,
                     int height, int width, HWND client, HINSTANCE instance) {
    return CreateMDIWindowA(className.c_str(), title.c_str(), style, left, top, width, height, client,
                            instance ? instance : GetModuleHandleA(nullptr), 0);
}

std::string GETERRMSG(DWORD code) {
    char* buffer = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                             reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = n && buffer ? std::string(buffer, n) : std::string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

RECT windowRectInParent(HWND hWnd) {
    RECT r{};
    GetWindowRect(hWnd, &r);
    HWND parent = GetParent(hWnd);
    if (parent && (GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool MOVEWINDOW(HWND hWnd, int top, int left, int width, int height, bool repaint) {
    if (!IsWindow(hWnd)) return false;
    RECT r = windowRectInParent(hWnd);
    if (width == 0) {
        width = r.right - r.left;
        height = r.bottom - r.top;
    }
    return MoveWindow(hWnd, left, top, width, height, repaint) != 0;
}

bool SETWINDOWPOS(HWND hWnd, HWND insertAfter, int top, int left, int width, int height, UINT flags) {
    if (!IsWindow(hWnd)) return false;
    return SetWindowPos(hWnd, insertAfter, left, top, width, height, flags) != 0;
}

bool WNDSETSIZE(HWND hWnd, int width, int height, bool repaint) {
    if (!IsWindow(hWnd)) return false;
    RECT r = windowRectInParent(hWnd);
    if (width == 0) width = r.right - r.left;
    if (height == 0) height = r.bottom - r.top;
    return MoveWindow(hWnd, r.left, r.top, width, height, repaint) != 0;
}

int WNDWIDTH(HWND hWnd) {
    if (!IsWindow(hWnd)) return 0;
    RECT r = windowRectInParent(hWnd);
    return r.right - r.left;
}
int WNDWIDTH(HWND hWnd, int width) {
    WNDSETSIZE(hWnd, width, 0, true);
    return WNDWIDTH(hWnd);
}
int WNDHEIGHT(HWND hWnd) {
    if (!IsWindow(hWnd)) return 0;
    RECT r = windowRectInParent(hWnd);
    return r.bottom - r.top;
}
int WNDHEIGHT(HWND hWnd, int height) {
    WNDSETSIZE(hWnd, 0, height, true);
    return WNDHEIGHT(hWnd);
}
int WNDTOP(HWND hWnd) { return IsWindow(hWnd) ? static_cast<int>(windowRectInParent(hWnd).top) : 0; }
int WNDTOP(HWND hWnd, int top) {
    if (!IsWindow(hWnd)) return 0;
    SetWindowPos(hWnd, nullptr, windowRectInParent(hWnd).left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return WNDTOP(hWnd);
}
int WNDLEFT(HWND hWnd) { return IsWindow(hWnd) ? static_cast<int>(windowRectInParent(hWnd).left) : 0; }
int WNDLEFT(HWND hWnd, int left) {
    if (!IsWindow(hWnd)) return 0;
    SetWindowPos(hWnd, nullptr, left, windowRectInParent(hWnd).top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return WNDLEFT(hWnd);
}

int SETMINMAX(MINMAXINFO* info, const int (&v)[8]) {
    if (!info) return 0;
    info->ptMaxSize = {v[0], v[1]};
    info->ptMaxPosition = {v[2], v[3]};
    info->ptMinTrackSize = {v[4], v[5]};
    info->ptMaxTrackSize = {v[6], v[7]};
    return 0;
}

bool BRINGWINDOWTOTOP(HWND hWnd) { return IsWindow(hWnd) && BringWindowToTop(hWnd); }
bool UPDATEWINDOW(HWND hWnd) { return IsWindow(hWnd) && UpdateWindow(hWnd); }

std::string GETCLASSNAME(HWND hWnd) {
    char name[49] = {};
    if (!IsWindow(hWnd)) return {};
    GetClassNameA(hWnd, name, 48);
    return name;
}

namespace {

// The parent of a docked control and its client area.
std::optional<DockParent> dockParent(HWND hCtrl) {
    if (!IsWindow(hCtrl)) return std::nullopt;
    HWND parent = GetParent(hCtrl);
    if (!parent) return std::nullopt;
    RECT rc{};
    GetClientRect(parent, &rc);
    const bool topLevel = !(GetWindowLongPtrA(parent, GWL_STYLE) & WS_CHILD) || !GetParent(parent);
    return DockParent{rc.right - rc.left, rc.bottom - rc.top, topLevel};
}

std::optional<int> heightOf(HWND h) {
    if (!h || !IsWindow(h)) return std::nullopt;
    return WNDHEIGHT(h);
}
std::optional<int> widthOf(HWND h) {
    if (!h || !IsWindow(h)) return std::nullopt;
    return WNDWIDTH(h);
}

bool place(HWND hCtrl, const DockPlace& p) {
    return MoveWindow(hCtrl, p.x, p.y, p.width, p.height, TRUE) != 0;
}

bool isNativeBar(HWND h) {
    const std::string cls = GETCLASSNAME(h);
    return cls == "ReBarWindow32" || cls == "ToolbarWindow32";
}

}  // namespace

bool WNDADJTOP(HWND hCtrl) {
    auto p = dockParent(hCtrl);
    return p && place(hCtrl, wl::WNDADJTOP(*p, isNativeBar(hCtrl), WNDHEIGHT(hCtrl)));
}
bool WNDADJBOTTOM(HWND hCtrl) {
    auto p = dockParent(hCtrl);
    return p && place(hCtrl, wl::WNDADJBOTTOM(*p, WNDHEIGHT(hCtrl)));
}
bool WNDADJLEFT(HWND hCtrl, HWND hTop, HWND hBottom) {
    auto p = dockParent(hCtrl);
    return p && place(hCtrl, wl::WNDADJLEFT(*p, heightOf(hTop), heightOf(hBottom), WNDWIDTH(hCtrl)));
}
bool WNDADJRIGHT(HWND hCtrl, HWND hTop, HWND hBottom) {
    auto p = dockParent(hCtrl);
    return p && place(hCtrl, wl::WNDADJRIGHT(*p, heightOf(hTop), heightOf(hBottom), WNDWIDTH(hCtrl)));
}
bool WNDADJCLIENT(HWND hCtrl, HWND hTop, HWND hBottom, HWND hLeft, HWND hRight, bool flag, int bevel) {
    auto p = dockParent(hCtrl);
    if (!p) return false;
    DockClientEdges e;
    e.topHeight = heightOf(hTop);
    e.topIsToolbar = hTop && GETCLASSNAME(hTop) == "ToolbarWindow32";
    e.bottomHeight = heightOf(hBottom);
    e.leftWidth = widthOf(hLeft);
    e.rightWidth = widthOf(hRight);
    return place(hCtrl, wl::WNDADJCLIENT(*p, e, flag, bevel));
}

}  // namespace wl
