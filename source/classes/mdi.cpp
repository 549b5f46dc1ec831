#include "mdi.hpp"

#include <algorithm>

#include "library_error.hpp"
#include "menus.hpp"
#include "window_natives.hpp"
#include "window_units.hpp"
#include "process_state.hpp"

namespace wl {
namespace {

constexpr int kFirstChildId = 1;

struct MdiModule {
    TMdiFrame* lastFrame = nullptr;
};
MdiModule& module() {
    return processState().mdi.get<MdiModule>();
}

bool registerChildClass() {
    static const bool done = [] {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        // Messages before the object is linked get the MDI child defaults.
        wc.lpfnWndProc = GETMDICHLPROC();
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "TMDICHILD";
        return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return done;
}

// A bar counts when it is shown, whether or not the frame is on screen yet.
bool shown(const TWindow* w) { return w && w->hWnd && (GetWindowLongPtrA(w->hWnd, GWL_STYLE) & WS_VISIBLE); }
std::optional<int> heightOf(const TWindow* w) {
    if (!shown(w)) return std::nullopt;
    return WNDHEIGHT(w->hWnd);
}
std::optional<int> widthOf(const TWindow* w) {
    if (!shown(w)) return std::nullopt;
    return WNDWIDTH(w->hWnd);
}

}  // namespace

TMdiFrame* GETWNDFRAME() { return module().lastFrame; }

// ------------------------------------------------------------------ TMdiFrame

TMdiFrame::TMdiFrame() = default;

TMdiFrame::~TMdiFrame() {
    if (oWndClient) {
        oWndClient->owned.clear();
        for (TMdiChild* c : oWndClient->aWnd) c->oWndClient = nullptr;
        oWndClient->aWnd.clear();
        oWndClient.reset();
    }
    if (oMenuStart && !(hWnd && GetMenu(hWnd) == oMenuStart)) DestroyMenu(oMenuStart);
    if (module().lastFrame == this) module().lastFrame = nullptr;
}

TMdiFrame& TMdiFrame::New(const MdiFrameNew& a) {
    WindowNew n;
    const bool chosen = a.nTop == 32768 || a.nLeft == 32768 || a.nBottom == 32768 || a.nRight == 32768;
    n.lPixel = a.lPixel || chosen;
    n.nTop = chosen ? 32 : a.nTop;
    n.nLeft = chosen ? 16 : a.nLeft;
    n.nBottom = chosen ? 479 : a.nBottom;
    n.nRight = chosen ? 639 : a.nRight;
    n.cTitle = a.cTitle;
    n.nStyle = a.nStyle;
    n.nClrFore = GetSysColor(COLOR_WINDOWTEXT);
    n.nClrBack = GetSysColor(COLOR_APPWORKSPACE);
    TWindow::New(n);
    oMenuStart = a.oMenu;
    if (!oMenuStart) {
        oMenuStart = CreateMenu();
        HMENU childs = CreatePopupMenu();
        AppendMenuA(childs, MF_STRING, kCmdNewChild, "New...");
        AppendMenuA(childs, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(childs, MF_STRING, kCmdExit, "E&xit");
        AppendMenuA(oMenuStart, MF_POPUP, reinterpret_cast<UINT_PTR>(childs), "&Childs");
        AppendMenuA(oMenuStart, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&Window");
    }
    // The window-list menu: "&Window", else the one before the last, else 2.
    const int items = GetMenuItemCount(oMenuStart);
    nMenuInfo = a.nMenuInfo.value_or(items > 1 ? items - 2 : 2);
    for (int i = 0; i < items && !a.nMenuInfo; ++i) {
        char text[64] = {};
        GetMenuStringA(oMenuStart, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        if (std::string(text) == "&Window") nMenuInfo = i;
    }
    nOldProc = GETFRAMEPROC();
    oWndClient = std::make_unique<TMdiClient>();
    oWndClient->New(*this, GetSubMenu(oMenuStart, nMenuInfo), kFirstChildId, a.lVScroll, a.lHScroll);
    SETMENU(hWnd, oMenuStart);
    module().lastFrame = this;
    ReSize();
    return *this;
}

TMdiChild& TMdiFrame::ChildNew(const std::string& title) {
    auto& owned = oWndClient->owned;
    owned.erase(std::remove_if(owned.begin(), owned.end(), [](const auto& c) { return !c->hWnd; }), owned.end());
    owned.push_back(std::make_unique<TMdiChild>());
    MdiChildNew n;
    n.cTitle = title;
    n.oWnd = this;
    return owned.back()->New(n);
}

void TMdiFrame::Cascade() { oWndClient->Cascade(); }
bool TMdiFrame::CloseAll() { return oWndClient->lCloseAll(); }
void TMdiFrame::IconizeAll() {
    for (TMdiChild* c : std::vector<TMdiChild*>(oWndClient->aWnd)) ShowWindow(c->hWnd, SW_MINIMIZE);
}
void TMdiFrame::Tile(bool vertical) { oWndClient->Tile(vertical); }
void TMdiFrame::ArrangeIcons() { oWndClient->ArrangeIcons(); }
void TMdiFrame::CloseActive() {
    if (TMdiChild* c = oWndClient->GetActive()) c->End();
}
void TMdiFrame::NextWindow() { oWndClient->NextWindow(); }
void TMdiFrame::PrevWindow() { oWndClient->PrevWindow(); }
void TMdiFrame::Select(int n) { oWndClient->Select(n); }

bool TMdiFrame::End() {
    if (!lValid()) return false;
    if (oWndClient && !oWndClient->lCloseAll()) return false;
    PostMessageA(hWnd, WM_CLOSE, 0, 0);
    return true;
}

Answer TMdiFrame::ReSize(WPARAM sizeType, int width, int height) {
    TWindow::ReSize(sizeType, width, height);
    if (!oWndClient || !oWndClient->hWnd) return 0;
    RECT c{};
    GetClientRect(hWnd, &c);
    DockClientEdges e;
    TWindow* top = oBar ? oBar : oTop;
    e.topHeight = heightOf(top);
    e.topIsToolbar = top && top->hWnd && GETCLASSNAME(top->hWnd) == "ToolbarWindow32";
    e.bottomHeight = heightOf(oMsgBar ? oMsgBar : oBottom);
    e.leftWidth = widthOf(oLeft);
    e.rightWidth = widthOf(oRight);
    const DockPlace p = WNDADJCLIENT(DockParent{c.right, c.bottom, true}, e, false, 0);
    MoveWindow(oWndClient->hWnd, p.x, p.y, p.width, p.height, TRUE);
    // Handled: the system's frame default would stretch the client over
    // the bars.
    return 0;
}

Answer TMdiFrame::Command(WPARAM w, LPARAM l) {
    if (l != 0) return TWindow::Command(w, l);
    const int id = LOWORD(w);
    if (id == kCmdNewChild) {
        ChildNew();
        return 0;
    }
    if (id == kCmdExit) {
        End();
        return 0;
    }
    if (oWndActive && (id == SC_MINIMIZE || id == SC_RESTORE || id == SC_CLOSE)) {
        SendMessageA(oWndActive->hWnd, WM_SYSCOMMAND, static_cast<WPARAM>(id), 0);
        return 0;
    }
    if (id >= 1 && id <= 99) {
        for (TMdiChild* c : oWndClient->aWnd)
            if (GetDlgCtrlID(c->hWnd) == id) {
                oWndClient->ChildActivate(*c);
                return 0;
            }
    }
    return std::nullopt;
}

// ----------------------------------------------------------------- TMdiClient

TMdiClient& TMdiClient::New(TMdiFrame& frame, HMENU windowMenu, int firstChildId, bool vScroll, bool hScroll) {
    oWnd = &frame;
    nId = 1;
    CLIENTCREATESTRUCT ccs{windowMenu, static_cast<UINT>(firstChildId)};
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (vScroll ? WS_VSCROLL : 0) |
                        (hScroll ? WS_HSCROLL : 0);
    hWnd = CreateWindowExA(0, "MDICLIENT", nullptr, style, 0, 0, 0, 0, frame.hWnd,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)), GetModuleHandleA(nullptr), &ccs);
    if (!hWnd)
        throw LibraryError(kErrorCannotCreateWindow, libraryErrorText(kErrorCannotCreateWindow),
                           "\r\nClass: MDICLIENT\r\nCaption: \r\nSystem Error: " + GETERRMSG(GetLastError()));
    Link();
    makeScrollBars(vScroll, hScroll);
    return *this;
}

void TMdiClient::ChildActivate(TMdiChild& child) { SendMsg(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child.hWnd)); }
void TMdiClient::ChildMaximize(TMdiChild& child) { SendMsg(WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child.hWnd)); }
void TMdiClient::ChildRestore(TMdiChild& child) { SendMsg(WM_MDIRESTORE, reinterpret_cast<WPARAM>(child.hWnd)); }

void TMdiClient::ChildClose(TMdiChild& child) {
    HWND h = child.hWnd;
    if (h) SendMsg(WM_MDIDESTROY, reinterpret_cast<WPARAM>(h));
}

TMdiChild* TMdiClient::GetActive() const {
    HWND h = reinterpret_cast<HWND>(SendMessageA(hWnd, WM_MDIGETACTIVE, 0, 0));
    for (TMdiChild* c : aWnd)
        if (c->hWnd == h) return c;
    return nullptr;
}

void TMdiClient::Select(int n) {
    if (n >= 1 && static_cast<std::size_t>(n) <= aWnd.size()) ChildActivate(*aWnd[static_cast<std::size_t>(n - 1)]);
}

bool TMdiClient::lCloseAll() {
    while (!aWnd.empty())
        if (!aWnd.back()->End()) return false;
    return true;
}

Answer TMdiClient::KeyDown(WPARAM key, LPARAM flags) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (ctrl && key == VK_F4) {
        if (TMdiChild* c = GetActive()) c->End();
        return 0;
    }
    if (ctrl && key == VK_F6) {
        NextWindow();
        return 0;
    }
    if (key == VK_RETURN) {
        if (TMdiChild* c = GetActive()) ChildRestore(*c);
        return 0;
    }
    return TWindow::KeyDown(key, flags);
}

// ------------------------------------------------------------------ TMdiChild

TMdiChild::~TMdiChild() {
    if (hWnd && IsWindow(hWnd) && oWndClient && oWndClient->hWnd) {
        // The client destroys its children: the object goes first.
        HWND h = hWnd;
        UnLink();
        hWnd = nullptr;
        leaveClient();
        SendMessageA(oWndClient->hWnd, WM_MDIDESTROY, reinterpret_cast<WPARAM>(h), 0);
    } else {
        leaveClient();
    }
}

TMdiChild& TMdiChild::New(const MdiChildNew& a) {
    oFrame = a.oWnd ? a.oWnd : GETWNDFRAME();
    if (!oFrame || !oFrame->oWndClient) return *this;
    oWndClient = oFrame->oWndClient.get();
    oWnd = oWndClient;
    registerChildClass();
    cCaption = a.cTitle.empty() ? "MDI Child " + std::to_string(oWndClient->aWnd.size() + 1) : a.cTitle;
    nStyle = a.nStyle ? a.nStyle : (WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    hWnd = CREATEMDIWINDOW("TMDICHILD", cCaption, nStyle, a.nTop.value_or(CW_USEDEFAULT), a.nLeft.value_or(CW_USEDEFAULT),
                           a.nHeight.value_or(CW_USEDEFAULT), a.nWidth.value_or(CW_USEDEFAULT), oWndClient->hWnd,
                           nullptr);
    if (!hWnd)
        throw LibraryError(kErrorCannotCreateWindow, libraryErrorText(kErrorCannotCreateWindow),
                           "\r\nClass: TMDICHILD\r\nCaption: " + cCaption +
                               "\r\nSystem Error: " + GETERRMSG(GetLastError()));
    Link();
    GetFont();
    oWndClient->aWnd.push_back(this);
    SETWNDDEFAULT(this);
    oFrame->oWndActive = this;
    return *this;
}

void TMdiChild::leaveClient() {
    if (oWndClient) {
        auto& list = oWndClient->aWnd;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    if (oFrame && oFrame->oWndActive == this) oFrame->oWndActive = nullptr;
    if (GETWNDDEFAULT() == this) SETWNDDEFAULT(nullptr);
}

bool TMdiChild::End() {
    if (!lValid()) return false;
    auto after = bPostEnd;
    if (oWndClient) oWndClient->ChildClose(*this);
    if (after) after(*this);
    return true;
}

Answer TMdiChild::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    if (nMsg == WM_MDIACTIVATE) {
        MdiActivate(reinterpret_cast<HWND>(l) == hWnd);
        return std::nullopt;
    }
    return TWindow::HandleEvent(nMsg, w, l);
}

Answer TMdiChild::MdiActivate(bool activated) {
    if (!oFrame) return std::nullopt;
    if (activated)
        oFrame->oWndActive = this;
    else if (oFrame->oWndActive == this)
        oFrame->oWndActive = nullptr;
    return std::nullopt;
}

Answer TMdiChild::KeyChar(WPARAM key, LPARAM flags) {
    if (key == VK_ESCAPE) {
        End();
        return 0;
    }
    return TWindow::KeyChar(key, flags);
}

Answer TMdiChild::Destroy() {
    leaveClient();
    return TWindow::Destroy();
}

void TMdiChild::SetControl(TWindow& control) {
    oControl = &control;
    oClient = &control;
    ReSize();
}

}  // namespace wl
