// TWindow: the registry of window objects, the procedure bridge and the
// life cycle. Dispatch, painting, appearance, geometry, tooltips and the
// designer live in the window_*.cpp files beside this one.
#include "window.hpp"

#include <commdlg.h>
#include <dde.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>

#include "library_error.hpp"
#include "dde.hpp"
#include "dde_text.hpp"
#include "menu.hpp"
#include "timer.hpp"
#include "menus.hpp"
#include "messages.hpp"
#include "message_loop.hpp"
#include "meter.hpp"
#include "slot_registry.hpp"
#include "system_dialogs.hpp"
// Two folders hold a system_facts.hpp; this one has GETSYSFONT.
#include "bitmaps.hpp"
#include "button.hpp"
#include "control.hpp"
#include "dbf_table.hpp"
#include "desktop_facts.hpp"
#include "dialog.hpp"
#include "mdi.hpp"
#include "file_io.hpp"
#include "help_calls.hpp"
#include "help_keys.hpp"
#include "input_and_timers.hpp"
#include "text.hpp"
#include "window_bridge.hpp"
#include "window_units.hpp"
#include "dropped_files.hpp"
#include "window_natives.hpp"
#include "window_coordinates.hpp"
#include "window_messages.hpp"
#include "window_print.hpp"
#include "window_state.hpp"
#include "window_text.hpp"
#include "words.hpp"
#include "window_module.hpp"
#include "process_state.hpp"

namespace wl {
namespace window_detail {

WindowModule& module() {
    return processState().windows.get<WindowModule>();
}

void reportEventError(const EventError& e) {
    // Called at the message boundary: nothing may leave it, not even a
    // failure of the handler itself.
    if (module().errorHook) {
        try {
            module().errorHook(e);
            return;
        } catch (...) {
        }
    }
    std::fprintf(stderr, "error in window message %u: %s\n", e.msg, e.what.c_str());
}

int signedLo(LPARAM l) { return NLOWORD(static_cast<std::int64_t>(l)); }
int signedHi(LPARAM l) { return NHIWORD(static_cast<std::int64_t>(l)); }
std::shared_ptr<TBrush> solidBrush(Color c) {
    BrushSpec spec;
    spec.nRGBColor = c;
    return TBrush::New(spec);
}

int lo(std::uint64_t v) { return static_cast<int>(loWordU(v)); }
int hi(std::uint64_t v) { return static_cast<int>(hiWordU(v)); }

}  // namespace window_detail
using namespace window_detail;

// The registry's side of the generic window procedure.
struct WindowBridgeAccess {
    static BridgeAnswer handle(HWND h, UINT msg, WPARAM w, LPARAM l, std::size_t n) {
        WindowModule& m = module();
        TWindow* o = nullptr;
        if (n == 0) {
            // The window whose creation is running is linked at its first
            // message, so that messages sent while it is created reach it.
            if (!m.creating || m.creating->hWnd) return {};
            o = m.creating;
            o->hWnd = h;
            o->Link(false);
            n = static_cast<std::size_t>(GETWINDOWLONG(h, GWLP_USERDATA));
        } else {
            o = m.registry.at(n);
        }
        if (!o || o->hWnd != h) return {};
        BridgeAnswer answer;
        answer.oldProc = o->nOldProc;
        try {
            if (auto r = o->HandleEvent(msg, w, l)) answer.result = static_cast<LRESULT>(*r);
        } catch (...) {
            o->handlerFailed(msg);
        }
        return answer;
    }
};

void TWindow::handlerFailed(UINT msg) {
    try {
        throw;
    } catch (const LibraryError& e) {
        reportEventError({e.what(), msg, e.code(), e.operation()});
    } catch (const std::exception& e) {
        reportEventError({e.what(), msg, 0, {}});
    } catch (...) {
        reportEventError({"unknown error", msg, 0, {}});
    }
}

namespace {
}  // namespace

void setEventErrorHook(EventErrorHook hook) { module().errorHook = std::move(hook); }

TWindow::TWindow() {
    // Every window object's messages come through the bridge.
    setBridgeHandler(&WindowBridgeAccess::handle);
    nClrText = GetSysColor(COLOR_WINDOWTEXT);
    nClrPane = GetSysColor(COLOR_WINDOW);
}

TWindow::~TWindow() {
    endMenus();
    if (hWnd && ISWINDOW(hWnd)) {
        // The object goes first: the window must not call into it any more.
        HWND h = hWnd;
        UnLink();
        DESTROYWINDOW(h);
    } else {
        module().registry.unlink(this);
    }
    if (module().defaultWindow == this) module().defaultWindow = nullptr;
    if (module().creating == this) module().creating = nullptr;
    if (oBrush) oBrush->End();
    if (oFont) oFont->End();
    detachChildren();
}

// ---------------------------------------------------------------- registry

namespace {
// The window property that holds a linked window's item number, so that
// OWNDFROMHWND finds the object without a scan, for windows of foreign
// classes too (their GWLP_USERDATA is not ours to write).
constexpr const char* kObjectSlot = "WLObjectSlot";
}  // namespace

void TWindow::Link(bool subclass) {
    if (!hWnd) return;
    const std::size_t n = module().registry.link(this);
    SetPropA(hWnd, kObjectSlot, reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(n)));
    if (subclass) {
        nOldProc = XCHANGEPROC(hWnd, n);
    } else if (reinterpret_cast<WNDPROC>(GETWINDOWLONG(hWnd, GWLP_WNDPROC)) == &WLWNDPROC) {
        // Windows of the library's own classes run the generic procedure
        // already; they only need their item number.
        SETWINDOWLONG(hWnd, GWLP_USERDATA, static_cast<LONG_PTR>(n));
    }
}

void TWindow::UnLink() {
    TWindow* found = module().registry.find([this](const TWindow& w) { return w.hWnd == hWnd; });
    if (nOldProc && hWnd) {
        RESTPROC(hWnd, nOldProc);
        nOldProc = nullptr;
    }
    if (hWnd && ISWINDOW(hWnd) && reinterpret_cast<WNDPROC>(GETWINDOWLONG(hWnd, GWLP_WNDPROC)) == &WLWNDPROC)
        SETWINDOWLONG(hWnd, GWLP_USERDATA, 0);
    if (hWnd && ISWINDOW(hWnd) && OWNDFROMHWND(hWnd) == this) RemovePropA(hWnd, kObjectSlot);
    if (found) module().registry.unlink(found);
}

// Every linked window keeps its item number in a property (Link), so the
// object is found without a scan; a window whose number names another
// window's object is not ours.
TWindow* OWNDFROMHWND(HWND hWnd) {
    if (!hWnd) return nullptr;
    const auto n = reinterpret_cast<std::uintptr_t>(GetPropA(hWnd, kObjectSlot));
    TWindow* o = module().registry.at(static_cast<std::size_t>(n));
    return o && o->hWnd == hWnd ? o : nullptr;
}
TMenuItem*& TWindow::oMItemSelect() { return module().menuItemSelect; }
int& TWindow::nToolTip() { return module().toolTipDelay; }

TWindow* WNDMAIN() {
    HWND main = GETWNDAPP();
    return main ? OWNDFROMHWND(main) : nullptr;
}
std::size_t NWINDOWS() { return module().registry.size(); }
const std::vector<TWindow*>& GETALLWIN() { return module().registry.items(); }

std::vector<HWND> SCANPARENTS(HWND hWnd) {
    std::vector<HWND> out;
    for (HWND p = GETPARENT(hWnd); p; p = GETPARENT(p)) {
        const std::string cls = upper(GETCLASSNAME(p));
        if (module().browseClasses.find("|" + cls + "|") != std::string::npos) break;
        out.push_back(p);
        const bool topDialog = cls == "#32770" && !(GETWINDOWLONG(p, GWL_STYLE) & WS_CHILD);
        if (topDialog || cls == "TMDICHILD" || cls == "TWINDOW") break;
    }
    return out;
}

bool WNDPARENTS(HWND h1, HWND h2) {
    const auto a = SCANPARENTS(h1);
    const auto b = SCANPARENTS(h2);
    for (HWND x : a)
        for (HWND y : b)
            if (x == y) return true;
    return false;
}

TWindow* GETWNDDEFAULT() { return module().defaultWindow; }
void SETWNDDEFAULT(TWindow* w) { module().defaultWindow = w; }
bool SETBALLOON(bool on) { return std::exchange(module().balloon, on); }
bool SETSKINS(bool on) { return std::exchange(module().skins, on); }
bool SETALPHA(bool on) { return std::exchange(module().alpha, on); }
bool skinsOn() { return module().skins; }
bool alphaOn() { return module().alpha; }
std::string BRWCLASSES(const std::string& name) {
    std::string& list = module().browseClasses;
    if (!name.empty() && list.find("|" + name + "|") == std::string::npos) list += name + "|";
    return list;
}
void SETDROPINFO(Value v) { module().dropInfo = std::move(v); }
Value GETDROPINFO() { return std::exchange(module().dropInfo, Value()); }

// --------------------------------------------------------------- life cycle

TWindow& TWindow::New(const WindowNew& a) {
    DWORD style = a.nStyle;
    if (style == 0) {
        WindowStyleRequest r;
        r.border = a.cBorder;
        r.sysMenu = a.lSysMenu;
        r.caption = a.lCaption;
        r.minBox = a.lMin;
        r.maxBox = a.lMax;
        r.vScroll = a.lVScroll;
        r.hScroll = a.lHScroll;
        style = defaultWindowStyle(r);
    }
    const double rowF = a.lPixel ? 1 : rowPixels();
    const double colF = a.lPixel ? 1 : colPixels();
    nTop = unitsToPixels(a.nTop, rowF);
    nLeft = unitsToPixels(a.nLeft, colF);
    nBottom = unitsToPixels(a.nBottom, rowF);
    nRight = unitsToPixels(a.nRight, colF);
    nStyle = style;
    cCaption = a.cTitle;
    oCursor = a.oCursor;
    oWnd = a.oWnd;
    oIcon = a.oIcon;
    lVisible = true;
    aControls.clear();
    nLastKey = 0;
    lValidating = false;
    nExStyle = a.nExStyle;
    const Color fore = a.nClrFore.value_or(GetSysColor(COLOR_WINDOWTEXT));
    const Color back = a.nClrBack.value_or(GetSysColor(COLOR_WINDOW));
    nClrPane = back;
    Register();
    Create();
    cVarName = a.cVarName.empty() ? "oWnd" + std::to_string(NWINDOWS()) : a.cVarName;
    SetColor(fore, back, a.oBrush);
    makeScrollBars(a.lVScroll || (nStyle & WS_VSCROLL), a.lHScroll || (nStyle & WS_HSCROLL));
    GetFont();
    SETWNDDEFAULT(this);
    return *this;
}

void TWindow::makeScrollBars(bool vertical, bool horizontal) {
    if (vertical && !oVScroll) {
        oVScroll = std::make_unique<TScrollBar>();
        oVScroll->WinNew(1, 2, 1, true, this);
    }
    if (horizontal && !oHScroll) {
        oHScroll = std::make_unique<TScrollBar>();
        oHScroll->WinNew(1, 2, 1, false, this);
    }
}

bool TWindow::Register(UINT classStyle) {
    const std::string name = ClassName();
    if (!oBrush) oBrush = solidBrush(nClrPane);
    classStyle |= CS_DBLCLKS | CS_GLOBALCLASS;
    WNDCLASSA existing{};
    bool& registered = module().registered[name];
    if (GetClassInfoA(GETINSTANCE(), name.c_str(), &existing)) {
        registered = true;
    } else {
        // The library's procedure is the class procedure, so that messages
        // sent while a window is created already reach its object.
        registered = REGISTERCLASS(name, classStyle, 0, 0, nullptr, nullptr, oBrush ? oBrush->hBrush : nullptr,
                                   nullptr, &WLWNDPROC, oIcon);
    }
    return registered;
}

void TWindow::Create(const std::string& className) {
    const std::string cls = className.empty() ? ClassName() : className;
    DWORD style = nStyle ? nStyle : WS_OVERLAPPEDWINDOW;
    if (oWnd) style |= WS_CHILD;
    int x = nLeft, y = nTop, w, h;
    if (nBottom == 32768) {
        w = nRight;
        h = nBottom;
    } else {
        w = nRight - nLeft + 1;
        h = nBottom - nTop + 1;
    }
    TWindow* previous = std::exchange(module().creating, this);
    HWND made = CREATEWINDOW(cls, cCaption, style, x, y, w, h, oWnd ? oWnd->hWnd : nullptr,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)), this);
    const DWORD error = GetLastError();
    module().creating = previous;
    if (!made) {
        hWnd = nullptr;
        module().registry.unlink(this);
        throw LibraryError(kErrorCannotCreateWindow, libraryErrorText(kErrorCannotCreateWindow),
                           "\r\nClass: " + cls + "\r\nCaption: " + cCaption + "\r\nSystem Error: " + GETERRMSG(error));
    }
    if (!hWnd) {
        // A class with another procedure: link by subclassing.
        hWnd = made;
        Link();
    }
}

void TWindow::Activate(const WindowActivate& a) {
    nResult.reset();
    lValidating = false;
    if (a.bValid) bValid = a.bValid;
    if (a.bDropFiles) {
        bDropFiles = a.bDropFiles;
        if (hWnd) DRAGACCEPTFILES(hWnd, TRUE);
    }
    // An MDI frame shows its documents in its client window: the painting,
    // the clicks and the scrolling are the client's.
    auto* frame = dynamic_cast<TMdiFrame*>(this);
    TWindow* shows = frame && frame->oWndClient ? frame->oWndClient.get() : this;
    if (a.bPainted) shows->bPainted = a.bPainted;
    if (a.bLClicked) shows->bLClicked = a.bLClicked;
    if (a.bRClicked) shows->bRClicked = a.bRClicked;
    if (TScrollBar* v = shows->oVScroll.get()) {
        if (a.bUp) v->bGoUp = a.bUp;
        if (a.bDown) v->bGoDown = a.bDown;
        if (a.bPgUp) v->bPageUp = a.bPgUp;
        if (a.bPgDn) v->bPageDown = a.bPgDn;
        if (shows != this) {
            // Without actions of its own a frame's client scrolls by lines.
            HWND client = shows->hWnd;
            if (!a.bUp) v->bGoUp = [client] { ScrollWindow(client, 0, 20, nullptr, nullptr); };
            if (!a.bDown) v->bGoDown = [client] { ScrollWindow(client, 0, -20, nullptr, nullptr); };
        }
    }
    if (TScrollBar* h = shows->oHScroll.get()) {
        if (a.bLeft) h->bGoUp = a.bLeft;
        if (a.bRight) h->bGoDown = a.bRight;
        if (a.bPgLeft) h->bPageUp = a.bPgLeft;
        if (a.bPgRight) h->bPageDown = a.bPgRight;
        if (shows != this) {
            HWND client = shows->hWnd;
            if (!a.bLeft)
                h->bGoUp = [client] {
                    ScrollWindow(client, 20, 0, nullptr, nullptr);
                    ReleaseCapture();
                };
            if (!a.bRight)
                h->bGoDown = [client] {
                    ScrollWindow(client, -20, 0, nullptr, nullptr);
                    ReleaseCapture();
                };
        }
    }
    AEvalWhen();
    showIn(a.cShow);
    if (!LWRUNNING()) SETWNDAPP(hWnd);
    bInit(*this);
    ReSize();
    if (!oWnd && !LWRUNNING()) WINRUN(hWnd);
}

void TWindow::showIn(const std::string& mode) {
    auto m = matchShowMode(mode);
    if (!m || !hWnd) return;
    static const int commands[] = {SW_HIDE, SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    SHOWWINDOW(hWnd, commands[static_cast<int>(*m)]);
    UPDATEWINDOW(hWnd);
    lVisible = true;
}

bool TWindow::End() {
    if (!lValid()) return false;
    POSTMESSAGE(hWnd, WM_CLOSE, 0, 0);
    return true;
}

Answer TWindow::Destroy() {
    if (!hWnd && (!nResult || *nResult == 0)) return std::nullopt;
    if (oBrush) oBrush->End();
    oBrush.reset();
    if (oCursor) oCursor->End();
    oCursor.reset();
    if (oDragCursor) oDragCursor->End();
    oDragCursor.reset();
    oIcon = nullptr;  // icons are the caller's (TIcon owns them)
    endMenus();
    if (oFont) oFont->End();
    oFont.reset();
    oVScroll.reset();
    oHScroll.reset();
    if (hWnd && module().toolTip.owner == hWnd) DestroyToolTip();
    const bool isMain = hWnd && hWnd == GETWNDAPP();
    if (hWnd) UnLink();
    if (isMain) {
        POSTQUITMESSAGE(0);
        forgetWndApp(hWnd);
    }
    DEREGDIALOG(hWnd);
    if (module().defaultWindow == this) module().defaultWindow = nullptr;
    hWnd = nullptr;
    return std::nullopt;
}

}  // namespace wl
