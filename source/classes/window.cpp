#include "window.hpp"

#include <commdlg.h>
#include <dde.h>
#include <shellapi.h>

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

namespace wl {
namespace {

struct WindowModule {
    SlotRegistry<TWindow> registry;
    TWindow* defaultWindow = nullptr;
    TWindow* creating = nullptr;  // the window whose CreateWindowEx is running
    bool balloon = false;
    bool skins = false;
    bool alpha = true;
    std::string browseClasses = "|TXBROWSE|TWBROWSE|";
    Value dropInfo;
    bool helpGuard = false;
    // The open system tooltip and the window it belongs to; shown: a
    // window's own tooltip object is showing until the mouse leaves.
    struct {
        HWND tip = nullptr;
        HWND owner = nullptr;
        HWND last = nullptr;
        bool shown = false;
    } toolTip;
    EventErrorHook errorHook;
    std::map<std::string, bool> registered;  // class-wide lRegistered
};

WindowModule& module() {
    static WindowModule m;
    return m;
}

void reportEventError(const EventError& e) {
    if (module().errorHook)
        module().errorHook(e);
    else
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

}  // namespace

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
        } catch (const LibraryError& e) {
            reportEventError({e.what(), msg, e.code(), e.operation()});
        } catch (const std::exception& e) {
            reportEventError({e.what(), msg, 0, {}});
        } catch (...) {
            reportEventError({"unknown error", msg, 0, {}});
        }
        return answer;
    }
};

namespace {
struct BridgeInstaller {
    BridgeInstaller() { setBridgeHandler(&WindowBridgeAccess::handle); }
};
}  // namespace

void setEventErrorHook(EventErrorHook hook) { module().errorHook = std::move(hook); }

TWindow::TWindow() {
    static BridgeInstaller installer;
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
}

// ---------------------------------------------------------------- registry

void TWindow::Link(bool subclass) {
    if (!hWnd) return;
    const std::size_t n = module().registry.link(this);
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
    if (found) module().registry.unlink(found);
}

TWindow* OWNDFROMHWND(HWND hWnd) {
    return module().registry.find([hWnd](const TWindow& w) { return w.hWnd == hWnd; });
}
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
    if (a.lVScroll || (nStyle & WS_VSCROLL)) {
        oVScroll = std::make_unique<TScrollBar>();
        oVScroll->WinNew(1, 2, 1, true, this);
    }
    if (a.lHScroll || (nStyle & WS_HSCROLL)) {
        oHScroll = std::make_unique<TScrollBar>();
        oHScroll->WinNew(1, 2, 1, false, this);
    }
    GetFont();
    SETWNDDEFAULT(this);
    return *this;
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
    if (a.bPainted) bPainted = a.bPainted;
    if (a.bLClicked) bLClicked = a.bLClicked;
    if (a.bRClicked) bRClicked = a.bRClicked;
    if (oVScroll) {
        if (a.bUp) oVScroll->bGoUp = a.bUp;
        if (a.bDown) oVScroll->bGoDown = a.bDown;
        if (a.bPgUp) oVScroll->bPageUp = a.bPgUp;
        if (a.bPgDn) oVScroll->bPageDown = a.bPgDn;
    }
    if (oHScroll) {
        if (a.bLeft) oHScroll->bGoUp = a.bLeft;
        if (a.bRight) oHScroll->bGoDown = a.bRight;
        if (a.bPgLeft) oHScroll->bPageUp = a.bPgLeft;
        if (a.bPgRight) oHScroll->bPageDown = a.bPgRight;
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

// ------------------------------------------------------------------ dispatch

Answer TWindow::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    const auto ul = static_cast<std::uint64_t>(l);
    const auto uw = static_cast<std::uint64_t>(w);
    switch (nMsg) {
    case WM_DESTROY: return Destroy();
    case WM_MOVE: return Moved(hi(ul), lo(ul));
    case WM_SIZE: return ReSize(w, lo(ul), hi(ul));
    case WM_SETFOCUS: return GotFocus(reinterpret_cast<HWND>(w));
    case WM_KILLFOCUS: return LostFocus(reinterpret_cast<HWND>(w));
    case WM_PAINT:
        BeginPaint();
        Paint();
        return EndPaint();
    case WM_CLOSE: return Close(w);
    case WM_QUERYENDSESSION: return QueryEndSession();
    case WM_ERASEBKGND: return EraseBkGnd(reinterpret_cast<HDC>(w));
    case WM_GETMINMAXINFO: return GetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(l));
    case WM_DRAWITEM: return DrawItem(w, l);
    case WM_MEASUREITEM: return MeasureItem(w, l);
    case WM_QUERYDRAGICON: return QueryDragIcon();
    case WM_COMMNOTIFY: return CommNotify(w, l);
    case WM_NOTIFY: return Notify(w, l);
    case WM_HELP: return Help(w, l);
    case WM_NCACTIVATE: return NcActivate(w != 0);
    case WM_GETDLGCODE: return GetDlgCode(w);
    case WM_NCMOUSEMOVE: return NcMouseMove(w, hi(ul), lo(ul));
    case WM_KEYDOWN: return KeyDown(w, l);
    case WM_CHAR: return KeyChar(w, l);
    case WM_COMMAND: return Command(w, l);
    case WM_SYSCOMMAND: return SysCommand(w, l);
    case WM_TIMER: return Timer(w, l);
    case WM_HSCROLL: return HScroll(w, l);
    case WM_VSCROLL: return VScroll(w, l);
    case WM_INITMENUPOPUP: return InitMenuPopup(reinterpret_cast<HMENU>(w), lo(ul), hi(ul) != 0);
    case WM_MENUSELECT: return MenuSelect(lo(uw), NHIWORD(static_cast<std::int64_t>(w)), reinterpret_cast<HMENU>(l));
    case WM_MENUCHAR: return MenuChar(lo(uw), NHIWORD(static_cast<std::int64_t>(w)), reinterpret_cast<HMENU>(l));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: return CtlColor(reinterpret_cast<HWND>(l), reinterpret_cast<HDC>(w));
    case WM_MOUSEMOVE: return MouseMove(hi(ul), lo(ul), w);
    case WM_LBUTTONDOWN: return LButtonDown(hi(ul), lo(ul), w);
    case WM_LBUTTONUP: return LButtonUp(hi(ul), lo(ul), w);
    case WM_LBUTTONDBLCLK: return LDblClick(hi(ul), lo(ul), w);
    case WM_RBUTTONDOWN: return RButtonDown(hi(ul), lo(ul), w);
    case WM_RBUTTONUP: return RButtonUp(hi(ul), lo(ul), w);
    case WM_MBUTTONDOWN: return MButtonDown(hi(ul), lo(ul), w);
    case WM_MBUTTONUP: return MButtonUp(hi(ul), lo(ul), w);
    case WM_MOUSELEAVE: return MouseLeave(hi(ul), lo(ul), w);
    case WM_MOUSEWHEEL:
        return MouseWheel(lo(uw), NHIWORD(static_cast<std::int64_t>(w)), signedLo(l), signedHi(l));
    case WM_DROPFILES: return DropFiles(reinterpret_cast<HDROP>(w));
    case WM_QUERYNEWPALETTE: return QueryNewPalette();
    case WM_PALETTECHANGED: return PaletteChanged(w);
    case WM_DDE_INITIATE: return DdeInitiate(w, lo(ul), hi(ul));
    case WM_DDE_TERMINATE: return DdeTerminate(w);
    case WM_DDE_ACK: return DdeAck(w, l);
    case WM_DDE_EXECUTE: return DdeExecute(w, l);
    case WM_ACTIVATE:
        // The current accelerator table follows the active window.
        if (lo(uw) != WA_INACTIVE && oMenu && oMenu->oAccTable) oMenu->oAccTable->Activate(hWnd);
        return std::nullopt;
    case LM_DRAWITEM: return DrawItem(w, l);
    case LM_HELPF1: return HelpF1();
    case LM_DROPOVER: return DropOver(lo(ul), hi(ul), w);
    case LM_ASYNCSELECT: return AsyncSelect(w, l);
    case LM_TASKBAR: return TaskBar(w, l);
    default: return std::nullopt;
    }
}

Answer TWindow::offerParentAccelerator(UINT nMsg, WPARAM w, LPARAM l) {
    if (!oWnd || !oWnd->hWnd) return std::nullopt;
    HACCEL table = oWnd->accelTable();
    if (!table) return std::nullopt;
    if (TRANSLATEACCELERATOR(oWnd->hWnd, table, GETFOCUS(), nMsg, w, l)) return 0;
    return std::nullopt;
}

Answer TWindow::Moved(int row, int col) {
    if (OnMove) OnMove(*this);
    return bMoved(row, col);
}

Answer TWindow::ReSize(WPARAM sizeType, int width, int height) {
    CoorsUpdate();
    if (oTop) oTop->AdjTop();
    if (oBottom) oBottom->AdjBottom();
    if (oMsgBar && oMsgBar != oBottom) oMsgBar->Adjust();
    if (oBar && oBar != oTop) oBar->Adjust();
    if (oLeft) oLeft->AdjLeft();
    if (oRight) oRight->AdjRight();
    if (oClient) oClient->AdjClient();
    if (OnResize) OnResize(*this);
    return bResized(sizeType, width, height);
}

Answer TWindow::GotFocus(HWND) {
    lFocused = true;
    Answer a = bGotFocus(*this, nullptr);
    if (hCtlFocus && ISWINDOW(hCtlFocus)) {
        SETFOCUS(hCtlFocus);
    } else if (!aControls.empty()) {
        if (HWND first = FirstActiveCtrl()) {
            SETFOCUS(first);
            hCtlFocus = first;
        }
    }
    (void)a;
    return 0;
}

Answer TWindow::LostFocus(HWND gaining) {
    lFocused = false;
    DestroyToolTip();
    return bLostFocus(*this, gaining);
}

Answer TWindow::Paint() {
    if (hWnd && ISICONIC(hWnd)) {
        SENDMESSAGE(hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(hDC), 0);
        HICON icon = oIcon ? oIcon : LoadIconA(nullptr, IDI_APPLICATION);
        DrawIcon(hDC, 0, 0, icon);
        return std::nullopt;
    }
    DispBegin();
    if (bEraseBkGnd)
        bEraseBkGnd(hDC);
    else
        PaintBack(hDC);
    if (OnPaint) OnPaint(*this);
    Answer a = bPainted ? bPainted(hDC, &cPS, *this) : Answer(0);
    DispEnd();
    return a;
}

Answer TWindow::QueryEndSession() { return End() ? 1 : 0; }

Answer TWindow::GetMinMaxInfo(MINMAXINFO* info) {
    if (!aMinMaxInfo) return std::nullopt;
    int values[8];
    for (int i = 0; i < 8; ++i) values[i] = (*aMinMaxInfo)[static_cast<std::size_t>(i)];
    return SETMINMAX(info, values);
}

TMenuItem* TWindow::menuItemOf(UINT_PTR id) const {
    if (oPopup)
        if (TMenuItem* i = oPopup->GetMenuItem(id)) return i;
    if (oMenu)
        if (TMenuItem* i = oMenu->GetMenuItem(id)) return i;
    if (oSysMenu) return oSysMenu->GetMenuItem(id);
    return nullptr;
}

Answer TWindow::DrawItem(WPARAM id, LPARAM item) {
    // Menu items (identifier 0) are drawn by the owner-drawn menus.
    if (id == 0) {
        const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(item);
        if (!di || di->CtlType != ODT_MENU) return std::nullopt;
        TMenuItem* mi = menuItemOf(di->itemID);
        const std::string prompt = mi ? mi->cPrompt : std::string();
        HBITMAP bmp = mi ? mi->hBitmap : nullptr;
        const bool office = mi && mi->oMenu && mi->oMenu->office();
        if (office) return MENUDRAW2007(di, prompt, GetMenu(hWnd), bmp, hWnd) ? 1 : 0;
        return MENUDRAWITEM(di, prompt, GetMenu(hWnd), bmp) ? 1 : 0;
    }
    HWND ctl = GETDLGITEM(hWnd, static_cast<int>(id));
    if (!ctl) return std::nullopt;
    return SENDMESSAGE(ctl, LM_DRAWITEM, id, item);
}

Answer TWindow::MeasureItem(WPARAM id, LPARAM item) {
    auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(item);
    if (id != 0 || !mi || mi->CtlType != ODT_MENU) return std::nullopt;
    TMenuItem* entry = menuItemOf(mi->itemID);
    std::string prompt = entry ? entry->cPrompt : std::string();
    std::string shown;
    for (char c : prompt)
        if (c != '&') shown += c == '\t' ? ' ' : c;
    // The prompt in the menu font, a little narrower; pop-ups add room for
    // the check mark and the shortcut.
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    HFONT font = CreateFontIndirectA(&ncm.lfMenuFont);
    HDC dc = ::GetDC(hWnd);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
    SelectObject(dc, old);
    ::ReleaseDC(hWnd, dc);
    DeleteObject(font);
    const bool inBar = entry && entry->oMenu && oMenu && entry->oMenu == oMenu.get() && !oMenu->lPopup;
    const int width = static_cast<int>(size.cx * 0.9) + (inBar ? 0 : 100);
    MENUMEASUREITEM(mi, width, !entry || entry->isSeparator());
    return 0;
}

Answer TWindow::QueryDragIcon() {
    return reinterpret_cast<std::intptr_t>(oIcon ? oIcon : LoadIconA(nullptr, IDI_APPLICATION));
}

Answer TWindow::Notify(WPARAM id, LPARAM header) {
    const auto* nm = reinterpret_cast<const NMHDR*>(header);
    if (!nm) return std::nullopt;
    TWindow* o = OWNDFROMHWND(nm->hwndFrom);
    // A control's own helper window (a toolbar's tool tip) is not linked:
    // the control that made it answers.
    if (!o && nm->hwndFrom)
        for (TWindow* c : aControls)
            if (c && c->helperWindow() == nm->hwndFrom) o = c;
    if (!o) return std::nullopt;
    // Codes 103 and TVN_SELCHANGEDA (the tree views' selection changes).
    const auto code = static_cast<int>(nm->code);
    if (code == 103 || code == -402) return o->SelChanged();
    if (o == this) return std::nullopt;
    return o->Notify(id, header);
}

namespace {
// Windows whose children without a topic show the current help instead of
// asking further up.
bool helpStopsAt(const TWindow& parent) {
    static const char* const kinds[] = {"TFOLDER", "TFOLDEREX", "TDIALOG", "TWINDOW", "TMDIFRAME", "TMDICHILD"};
    const std::string cls = upper(parent.ClassName());
    for (const char* k : kinds)
        if (cls == k) return true;
    return false;
}
}  // namespace

Answer TWindow::HelpTopic() {
    bool& guard = module().helpGuard;
    // Showing help may pump messages that ask for help again.
    if (guard) return std::nullopt;
    if (nHelpId.isNil() && oWnd && !helpStopsAt(*oWnd)) return oWnd->HelpTopic();
    guard = true;
    try {
        if (!nHelpId.isNil())
            HELPTOPIC(nHelpId);
        else if (!GETHELPTOPIC().empty() || helpTopicNumber() != 0)
            HELPTOPIC();
        else
            HELPINDEX();
    } catch (...) {
        guard = false;
        throw;
    }
    guard = false;
    return 1;
}

Answer TWindow::NcActivate(bool active) {
    if (!active && bLostFocus) {
        HWND focus = GETFOCUS();
        if (focus != hWnd) bLostFocus(*this, focus);
    }
    return std::nullopt;
}

Answer TWindow::NcMouseMove(WPARAM, int, int) {
    DestroyToolTip();
    return std::nullopt;
}

Answer TWindow::KeyDown(WPARAM key, LPARAM flags) {
    const bool shift = GETKEYSTATE(VK_SHIFT);
    if (key == VK_TAB && oWnd) {
        if (shift)
            oWnd->GoPrevCtrl(hWnd);
        else
            oWnd->GoNextCtrl(hWnd);
        return 0;
    }
    if (key == VK_F1) return 0;  // help arrives as WM_HELP
    if (OnKeyDown) OnKeyDown(*this, key, flags);
    if (bKeyDown) return bKeyDown(key, flags, *this);
    if (oWnd && (GETWINDOWLONG(hWnd, GWL_STYLE) & WS_CHILD)) return oWnd->KeyDown(key, flags);
    return std::nullopt;
}

Answer TWindow::KeyChar(WPARAM key, LPARAM flags) {
    if (bKeyChar) return bKeyChar(key, flags);
    if (key == VK_ESCAPE && oWnd) return oWnd->KeyChar(key, flags);
    return std::nullopt;
}

Answer TWindow::Command(WPARAM w, LPARAM l) {
    const int code = static_cast<int>(hiWordU(w));
    HWND ctl = reinterpret_cast<HWND>(l);
    if (oPopup) {
        oPopup->Command(loWordU(w));
        return std::nullopt;
    }
    if (!ctl) {
        if (oMenu) oMenu->Command(loWordU(w));
        return std::nullopt;
    }
    if (GETCLASSNAME(ctl) == "ToolbarWindow32") {
        if (TWindow* bar = OWNDFROMHWND(ctl)) return bar->Command(w, l);
        return std::nullopt;
    }
    switch (code) {
    case 0: SENDMESSAGE(ctl, LM_CLICK, 0, 0); break;
    case 8: SENDMESSAGE(ctl, LM_CLOSEUP, 0, 0); break;
    case 1: SENDMESSAGE(ctl, LM_CHANGE, 0, 0); break;
    default: break;
    }
    return std::nullopt;
}

Answer TWindow::SysCommand(WPARAM cmd, LPARAM) {
    const auto c = static_cast<UINT>(cmd & 0xFFF0);
    if (c == SC_CLOSE || cmd == 61539) return End() ? 1 : 0;
    return std::nullopt;
}

Answer TWindow::Timer(WPARAM id, LPARAM) { return TIMEREVENT(id); }

namespace {
// One scroll step: on the window's own bar (lParam 0) a method of its bar
// object, on a scroll-bar control the library message that the control
// turns into the same method.
Answer scrollStep(TScrollBar* own, WPARAM w, LPARAM l) {
    HWND bar = reinterpret_cast<HWND>(l);
    const int code = NLOWORD(static_cast<std::int64_t>(w));
    const int pos = static_cast<int>(hiWordU(w));
    if (code < 0 || code > 5) return 0;
    if (bar) {
        static const UINT messages[] = {LM_SCROLLUP, LM_SCROLLDOWN, LM_PAGEUP, LM_PAGEDOWN, LM_THUMBPOS, LM_THUMBTRACK};
        SENDMESSAGE(bar, messages[code], code >= 4 ? static_cast<WPARAM>(pos) : 0, 0);
        return 0;
    }
    if (!own) return 0;
    switch (code) {
    case SB_LINEUP: own->GoUp(); break;
    case SB_LINEDOWN: own->GoDown(); break;
    case SB_PAGEUP: own->PageUp(); break;
    case SB_PAGEDOWN: own->PageDown(); break;
    case SB_THUMBPOSITION: own->ThumbPos(pos); break;
    case SB_THUMBTRACK: own->ThumbTrack(pos); break;
    default: break;
    }
    return 0;
}
}  // namespace

Answer TWindow::HScroll(WPARAM w, LPARAM l) { return scrollStep(oHScroll.get(), w, l); }
Answer TWindow::VScroll(WPARAM w, LPARAM l) { return scrollStep(oVScroll.get(), w, l); }

Answer TWindow::MenuSelect(int item, int flags, HMENU menu) {
    DestroyToolTip();
    // Flags -1 with no menu: the menu closed.
    if (flags == -1 && !menu) {
        oMItemSelect = nullptr;
    } else {
        // A submenu entry is named by its position, a command by its id.
        UINT_PTR id = static_cast<UINT_PTR>(item);
        if ((flags & MF_POPUP) && menu) id = reinterpret_cast<UINT_PTR>(GetSubMenu(menu, item));
        oMItemSelect = menuItemOf(id);
        if (oMItemSelect) SetMsg(oMItemSelect->cMsg);
    }
    return bMenuSelect(item, flags, menu);
}

Answer TWindow::InitMenuPopup(HMENU menu, int, bool system) {
    if (system) {
        if (oSysMenu) oSysMenu->Initiate();
        return std::nullopt;
    }
    if (oPopup) {
        if (oPopup->hMenu == menu)
            oPopup->Initiate();
        else if (TMenu* sub = oPopup->GetSubMenu(menu))
            sub->Initiate();
    } else if (oMenu) {
        if (TMenu* sub = oMenu->GetSubMenu(menu)) sub->Initiate();
    }
    return std::nullopt;
}

void TWindow::SetMenu(std::shared_ptr<TMenu> menu) {
    if (oMenu && oMenu != menu && oMenu->oAccTable) oMenu->oAccTable->DeActivate();
    oMenu = std::move(menu);
    if (!oMenu) {
        if (hWnd) SETMENU(hWnd, nullptr);
        return;
    }
    oMenu->setWindow(this);
    if (hWnd) SETMENU(hWnd, oMenu->hMenu);
    if (oMenu->oAccTable) oMenu->oAccTable->Activate(hWnd);
}

HACCEL TWindow::accelTable() const { return oMenu && oMenu->oAccTable ? oMenu->oAccTable->nHandle : nullptr; }

void TWindow::endMenus() {
    // Each menu is detached first: Windows would destroy an attached bar
    // with the window, and the menu object destroys its handle itself.
    for (auto* m : {&oPopup, &oMenu, &oSysMenu}) {
        if (auto menu = std::move(*m)) menu->End();
    }
}

namespace {
bool menuHolds(HMENU root, HMENU wanted) {
    if (!root) return false;
    if (root == wanted) return true;
    const int n = GetMenuItemCount(root);
    for (int i = 0; i < n; ++i)
        if (menuHolds(GetSubMenu(root, i), wanted)) return true;
    return false;
}
}  // namespace

Answer TWindow::MenuChar(int ch, int, HMENU menu) {
    if (!hWnd || !menuHolds(GetMenu(hWnd), menu)) {
        // A tracked pop-up is the window's too.
        if (!oPopup || !oPopup->GetSubMenu(menu)) return std::nullopt;
    }
    const char wanted = upperChar(static_cast<char>(ch));
    // Entries drawn by the program have no text in the menu: the objects
    // hold their prompts.
    TMenu* owner = oPopup ? oPopup->GetSubMenu(menu) : nullptr;
    if (!owner && oMenu) owner = oMenu->GetSubMenu(menu);
    if (owner) {
        const auto& items = owner->aItems();
        for (std::size_t i = 0; i < items.size(); ++i) {
            const std::string& prompt = items[i]->cPrompt;
            const auto amp = prompt.find('&');
            if (amp != std::string::npos && amp + 1 < prompt.size() && upperChar(prompt[amp + 1]) == wanted)
                return static_cast<std::intptr_t>((MNC_EXECUTE << 16) | i);
        }
        return 0;
    }
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        char text[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const std::string prompt = text;
        const auto amp = prompt.find('&');
        if (amp != std::string::npos && amp + 1 < prompt.size() && upperChar(prompt[amp + 1]) == wanted)
            return static_cast<std::intptr_t>((MNC_EXECUTE << 16) | i);
    }
    return 0;
}

Answer TWindow::CtlColor(HWND hCtl, HDC dc) {
    if (GETDLGCTRLID(hCtl) == 65535 || GETPARENT(hCtl) != hWnd) return std::nullopt;
    return SENDMESSAGE(hCtl, LM_COLORS, reinterpret_cast<WPARAM>(dc), 0);
}

Answer TWindow::MouseMove(int row, int col, WPARAM flags) {
    SetCursor(oCursor && oCursor->hCursor ? oCursor->hCursor : LoadCursorA(nullptr, IDC_ARROW));
    if (!cMsg.empty()) SetMsg(cMsg);
    CheckToolTip(row, col);
    if (OnMouseMove) OnMouseMove(*this, row, col, flags);
    if (bMMoved) return bMMoved(row, col, flags);
    wl::TRACKMOUSEEVENT(hWnd, TME_LEAVE);
    return 0;
}

Answer TWindow::LButtonUp(int row, int col, WPARAM flags) {
    if (OnClick) {
        OnClick(*this, row, col, flags);
        return 0;
    }
    return bLButtonUp(row, col, flags, *this);
}

Answer TWindow::RButtonDown(int row, int col, WPARAM flags) {
    bRClicked(row, col, flags, *this);
    return std::nullopt;
}
Answer TWindow::RButtonUp(int row, int col, WPARAM flags) {
    bRButtonUp(row, col, flags, *this);
    return std::nullopt;
}
Answer TWindow::MButtonDown(int row, int col, WPARAM flags) {
    bMButtonDown(row, col, flags, *this);
    return std::nullopt;
}
Answer TWindow::MButtonUp(int row, int col, WPARAM flags) {
    bMButtonUp(row, col, flags, *this);
    return std::nullopt;
}
Answer TWindow::MouseLeave(int row, int col, WPARAM flags) {
    // Hidden now, shown again when the mouse comes back.
    if (oToolTip) oToolTip->Hide();
    DestroyToolTip();
    bMLeave(row, col, flags, *this);
    return std::nullopt;
}
Answer TWindow::MouseWheel(int keys, int delta, int x, int y) {
    bMouseWheel(keys, delta, x, y);
    return std::nullopt;
}

Answer TWindow::DropFiles(HDROP drop) {
    POINT p{};
    DRAGQUERYPOINT(drop, p);
    bDropFiles(p.y, p.x, DRAGQUERYFILES(drop));
    DRAGFINISH(drop);
    return std::nullopt;
}

Answer TWindow::DropOver(int row, int col, WPARAM flags) { return bDropOver(GETDROPINFO(), row, col, flags); }

Answer TWindow::QueryNewPalette() { return (hWnd && ISICONIC(hWnd)) ? Answer(0) : std::nullopt; }

namespace {
std::string atomName(int atom) {
    char name[256] = {};
    if (!atom) return {};
    UINT n = GlobalGetAtomNameA(static_cast<ATOM>(atom), name, sizeof name);
    return std::string(name, n);
}
}  // namespace

Answer TWindow::DdeInitiate(WPARAM w, int lo, int hi) {
    if (!bDdeInit) return std::nullopt;
    HWND client = reinterpret_cast<HWND>(w);
    const std::optional<bool> accept = bDdeInit(client, atomName(lo), atomName(hi));
    if (!accept || *accept)
        SendMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(hWnd),
                     MAKELPARAM(static_cast<ATOM>(lo), static_cast<ATOM>(hi)));
    return 0;
}

Answer TWindow::DdeExecute(WPARAM w, LPARAM l) {
    HWND client = reinterpret_cast<HWND>(w);
    auto command = reinterpret_cast<HGLOBAL>(l);
    if (bDdeExecute) bDdeExecute(client, DDEGETCOMMAND(command));
    // A positive acknowledgement (fAck) that hands the command back to the
    // client, which frees it.
    constexpr UINT_PTR kAck = 0x8000;
    PostMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(hWnd),
                 PackDDElParam(WM_DDE_ACK, kAck, reinterpret_cast<UINT_PTR>(command)));
    return 0;
}

Answer TWindow::DdeAck(WPARAM w, LPARAM l) {
    DDEACK(reinterpret_cast<HWND>(w), l);
    return 0;
}

Answer TWindow::DdeTerminate(WPARAM w) {
    DDETERMINATE(reinterpret_cast<HWND>(w), hWnd);
    return 0;
}

// ------------------------------------------------------------------ painting

HDC TWindow::GetDC() {
    if (!hDC) {
        hDC = ::GetDC(hWnd);
        nPaintCount = 1;
    } else {
        ++nPaintCount;
    }
    return hDC;
}

void TWindow::ReleaseDC() {
    if (--nPaintCount <= 0) {
        if (hDC) ::ReleaseDC(hWnd, hDC);
        hDC = nullptr;
        nPaintCount = 0;
    }
}

HDC TWindow::BeginPaint() {
    ++nPaintCount;
    hDC = ::BeginPaint(hWnd, &cPS);
    return hDC;
}

Answer TWindow::EndPaint() {
    if (--nPaintCount < 0) nPaintCount = 0;
    ::EndPaint(hWnd, &cPS);
    cPS = PAINTSTRUCT{};
    hDC = nullptr;
    return 0;
}

void TWindow::DispBegin() {
    if (!hDC) return;
    dispInfo_ = WLDISPBEGIN(hWnd, hDC);
    hDC = dispInfo_->memory;
}

void TWindow::DispEnd() {
    if (!dispInfo_) return;
    hDC = WLDISPEND(*dispInfo_);
    dispInfo_.reset();
}

Answer TWindow::PaintBack(HDC dc) {
    if (!oBrush || !dc) return 0;
    int x = 0, y = 0;
    oBrush->Resize(hWnd, &x, &y);
    SetBrushOrgEx(dc, x, y, nullptr);
    RECT r{};
    GetClientRect(hWnd, &r);
    FillRect(dc, &r, oBrush->hBrush);
    return 0;
}

void TWindow::Say(int row, int col, const std::string& text, const SayOptions& o) {
    const bool own = !hDC;
    HDC dc = GetDC();
    SayArgs a;
    a.fore = o.fore.value_or(nClrText);
    a.back = o.back.value_or(nClrPane);
    if (!o.colors.empty()) {
        a.fore = NGETFORERGB(o.colors);
        a.back = NGETBACKRGB(o.colors);
    }
    auto font = o.font ? o.font : oFont;
    a.font = font ? font->hFont : nullptr;
    a.pixels = o.pixel;
    a.transparent = o.transparent;
    a.align = o.align;
    WSAY(hWnd, dc, row, col, text, a);
    (void)own;
    ReleaseDC();
}

void TWindow::SayRect(int row, int col, const std::string& text, Color fore, Color back, int width) {
    HDC dc = GetDC();
    WSAYRECT(hWnd, dc, row, col, text, fore, back, width);
    ReleaseDC();
}

void TWindow::Box(int top, int left, int bottom, int right, HPEN pen) {
    HDC dc = GetDC();
    HGDIOBJ old = SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    RECTANGLE(dc, top, left, bottom, right, pen);
    SelectObject(dc, old);
    ReleaseDC();
}

void TWindow::Line(int top, int left, int bottom, int right, HPEN pen) {
    HDC dc = GetDC();
    MOVETO(dc, left, top);
    LINETO(dc, right, bottom, pen);
    ReleaseDC();
}

void TWindow::Circle(int row, int col, int size, HPEN pen) {
    HDC dc = GetDC();
    ELLIPSE(dc, col, row, col + size, row + size, pen);
    ReleaseDC();
}

bool TWindow::FloodFill(int row, int col, Color border, Color fill) {
    HDC dc = GetDC();
    bool ok = FLOODFILL(dc, col, row, border, fill);
    ReleaseDC();
    return ok;
}

Color TWindow::SetPixel(int x, int y, Color c) {
    HDC dc = GetDC();
    Color r = SETPIXEL(dc, x, y, c);
    ReleaseDC();
    return r;
}

void TWindow::Gradient(const GradientSpec& grad) {
    const GradientSpec& g = grad.empty() ? aGradColors : grad;
    if (g.empty() || !hWnd) return;
    BrushSpec spec;
    spec.xSource = g;
    auto brush = TBrush::New(spec);
    brush->Resize(hWnd);
    if (oBrush) oBrush->End();
    oBrush = brush;  // New counted its one use
    Refresh();
}

void TWindow::SayBitmap(int row, int col, HBITMAP bitmap, int width, int height) {
    if (!bitmap) return;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    // Always stretched to the full size, so one missing side takes the bitmap's.
    DRAWBITMAP(GetDC(), bitmap, row, col, width ? width : info.bmWidth, height ? height : info.bmHeight);
    ReleaseDC();
}

void TWindow::SayBitmap(int row, int col, const std::string& resource, int width, int height) {
    HBITMAP b = LoadBitmapA(GETINSTANCE(), resource.c_str());
    SayBitmap(row, col, b, width, height);
    if (b) DeleteObject(b);
}

HDC TWindow::DBUFFEREND(HDC target, DispInfo& info) {
    info.target = target;
    return WLDISPEND(info);
}

bool TWindow::SaveToBmp(const std::string& file) {
    if (!hWnd) return false;
    RECT r{};
    GetWindowRect(hWnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC wdc = GetWindowDC(hWnd);
    HDC mem = CreateCompatibleDC(wdc);
    HBITMAP bmp = CreateCompatibleBitmap(wdc, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, wdc, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFOHEADER bi{};
    bi.biSize = sizeof bi;
    bi.biWidth = w;
    bi.biHeight = h;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    bi.biCompression = BI_RGB;
    const DWORD stride = ((static_cast<DWORD>(w) * 3 + 3) & ~3u);
    std::vector<char> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(h));
    GetDIBits(mem, bmp, 0, static_cast<UINT>(h), pixels.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    DeleteObject(bmp);
    DeleteDC(mem);
    ::ReleaseDC(hWnd, wdc);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pixels.size());
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
        out.write(reinterpret_cast<const char*>(&bi), sizeof bi);
        out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    }
    return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// ---------------------------------------------------------------- appearance

void TWindow::SetColor(Color text, Color pane, std::shared_ptr<TBrush> brush) {
    nClrText = text;
    nClrPane = pane;
    if (oBrush) oBrush->End();
    if (brush) {
        ++brush->nCount;
        oBrush = std::move(brush);
    } else {
        oBrush = solidBrush(pane);
    }
}

void TWindow::SetColor(const std::string& attribute, std::shared_ptr<TBrush> brush) {
    SetColor(NGETFORERGB(attribute), NGETBACKRGB(attribute), std::move(brush));
}

void TWindow::SetBrush(std::shared_ptr<TBrush> brush) {
    if (oBrush) oBrush->End();
    if (brush) brush->nCount = brush->nCount ? brush->nCount + 1 : 1;
    oBrush = std::move(brush);
    Refresh();
}

std::shared_ptr<TFont> TWindow::GetFont() {
    if (!oFont && oWnd && oWnd->oFont) {
        oFont = oWnd->oFont;
        if (hWnd) SENDMESSAGE(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(oFont->hFont), 0);
        ++oFont->nCount;
    }
    if (!oFont) {
        HFONT h = hWnd ? reinterpret_cast<HFONT>(SENDMESSAGE(hWnd, WM_GETFONT, 0, 0)) : nullptr;
        if (h) {
            oFont = TFont::FromHandle(h);
        } else {
            FontSpec spec;
            spec.cFaceName = GETSYSFONT();
            spec.nHeight = -12;
            oFont = TFont::New(spec);
        }
        nChrHeight = oFont->nHeight();
        nChrWidth = GETTEXTWIDTH(nullptr, "B", oFont->hFont);
    }
    return oFont;
}

void TWindow::SetFont(std::shared_ptr<TFont> font) {
    if (!font) return;
    if (oFont && oFont->hFont == font->hFont) return;
    if (oFont) oFont->End();
    oFont = std::move(font);
    ++oFont->nCount;
    if (hWnd) SENDMESSAGE(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(oFont->hFont), TRUE);
}

void TWindow::SetIcon(HICON icon) {
    oIcon = icon;
    if (hWnd) SENDMESSAGE(hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void TWindow::SelFont() {
    FontSpec spec = oFont ? oFont->spec() : FontSpec{};
    spec.lFromUser = true;
    auto font = TFont::New(spec);
    SetFont(font);
    font->End();  // SetFont counted the window's use
    Refresh();
}

void TWindow::SelColor(bool fore) {
    const Color before = fore ? nClrText : nClrPane;
    const Color chosen = CHOOSECOLOR(before);  // the same colour on Cancel
    if (chosen == before) return;
    if (fore)
        SetColor(chosen, nClrPane);
    else
        SetColor(nClrText, chosen);
    Refresh();
}

void TWindow::SetCoors(const TRect& r) {
    SETWINDOWPOS(hWnd, nullptr, r.nTop(), r.nLeft(), r.nRight() - r.nLeft(), r.nBottom() - r.nTop(), SWP_NOZORDER);
    nTop = r.nTop();
    nLeft = r.nLeft();
    nBottom = r.nBottom();
    nRight = r.nRight();
}

int TWindow::ChildLevel(const std::string& className) const {
    // How many parents up a window of that class is (0: none).
    int level = 0;
    for (const TWindow* p = oWnd; p; p = p->oWnd) {
        ++level;
        if (upper(p->ClassName()) == upper(className)) return level;
    }
    return 0;
}

void TWindow::SetText(const std::string& text) {
    cCaption = text;
    if (hWnd) SETWINDOWTEXT(hWnd, text);
}

std::string TWindow::GetText() const {
    return hWnd ? GETWINDOWTEXT(hWnd) : cCaption;
}

void TWindow::Show() {
    lVisible = true;
    if (hWnd) SHOWWINDOW(hWnd, SW_SHOWNA);
}
void TWindow::Hide() {
    lVisible = false;
    if (hWnd) SHOWWINDOW(hWnd, SW_HIDE);
}
void TWindow::Maximize() { SHOWWINDOW(hWnd, SW_MAXIMIZE); }
void TWindow::Minimize() { SHOWWINDOW(hWnd, SW_MINIMIZE); }
void TWindow::Normal() { SHOWWINDOW(hWnd, SW_SHOWNORMAL); }
void TWindow::Restore() { SHOWWINDOW(hWnd, SW_RESTORE); }
bool TWindow::IsIconic() const { return hWnd && ISICONIC(hWnd); }
bool TWindow::IsVisible() const { return hWnd && ISWINDOWVISIBLE(hWnd); }
void TWindow::Enable() {
    lActive = true;
    if (hWnd) ENABLEWINDOW(hWnd, true);
}
void TWindow::Disable() {
    lActive = false;
    if (hWnd) ENABLEWINDOW(hWnd, false);
}
void TWindow::Refresh(bool erase) {
    if (hWnd) INVALIDATERECT(hWnd, erase);
}
void TWindow::GoTop() { BRINGWINDOWTOTOP(hWnd); }
void TWindow::Capture() { SETCAPTURE(hWnd); }
void TWindow::SetFocus() {
    if (lWhen()) SETFOCUS(hWnd);
}
bool TWindow::PostMsg(UINT msg, WPARAM w, LPARAM l) { return POSTMESSAGE(hWnd, msg, w, l) != 0; }
LRESULT TWindow::SendMsg(UINT msg, WPARAM w, LPARAM l) { return SENDMESSAGE(hWnd, msg, w, l); }

bool TWindow::GetSetGWLStyle(bool extended, DWORD bits, std::optional<bool> set) {
    const int index = extended ? GWL_EXSTYLE : GWL_STYLE;
    const auto style = static_cast<DWORD>(GETWINDOWLONG(hWnd, index));
    const bool on = (style & bits) != 0;
    if (set && *set != on)
        SETWINDOWLONG(hWnd, index, static_cast<LONG_PTR>(*set ? style | bits : style & ~bits));
    return on;
}

void TWindow::ClientEdge() { WinExStyle(WS_EX_CLIENTEDGE, true); }
void TWindow::ToolWindow() {
    WinExStyle(WS_EX_TOOLWINDOW, true);
    SETWINDOWPOS(hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}
void TWindow::Shadow() {
    SETCLASSLONG(hWnd, GCL_STYLE, static_cast<LONG_PTR>(GETCLASSLONG(hWnd, GCL_STYLE) | CS_DROPSHADOW));
}

void TWindow::SetAlphaLevel() {
    if (!hWnd || (GETWINDOWLONG(hWnd, GWL_STYLE) & WS_CHILD)) return;
    if (!hAlphaColor && !hAlphaLevel) {
        WinExStyle(WS_EX_LAYERED, false);
        return;
    }
    WinExStyle(WS_EX_LAYERED, true);
    if (hAlphaColor)
        SETLAYEREDWINDOWATTRIBUTES(hWnd, *hAlphaColor & 0xFFFFFF, 0, LWA_COLORKEY);
    else
        SETLAYEREDWINDOWATTRIBUTES(hWnd, 0, static_cast<BYTE>(hAlphaLevel.value_or(255) & 0xFF), LWA_ALPHA);
}

void TWindow::AEvalWhen() {
    for (TWindow* c : aControls) {
        if (!c || !c->bWhen) continue;
        if (c->bWhen())
            c->Enable();
        else
            c->Disable();
    }
}

bool TWindow::lValid() { return bValid ? bValid(*this) : true; }

int TWindow::nVertRes() const {
    HDC dc = ::GetDC(hWnd);
    int r = GetDeviceCaps(dc, VERTRES);
    ::ReleaseDC(hWnd, dc);
    return r;
}
int TWindow::nHorzRes() const {
    HDC dc = ::GetDC(hWnd);
    int r = GetDeviceCaps(dc, HORZRES);
    ::ReleaseDC(hWnd, dc);
    return r;
}

int TWindow::GetWidth(const std::string& text, std::shared_ptr<TFont> font) {
    auto f = font ? font : GetFont();
    HDC dc = GetDC();
    int w = GETTEXTWIDTH(dc, text, f ? f->hFont : nullptr);
    ReleaseDC();
    return w;
}

int TWindow::nGetChrHeight() {
    auto f = GetFont();
    return f ? NWNDCHRHEIGHT(hWnd, f->hFont) : 0;
}

TRect TWindow::GetCliRect() const {
    RECT r{};
    GetClientRect(hWnd, &r);
    return TRect(r);
}
TRect TWindow::GetRect() const {
    RECT r{};
    GetWindowRect(hWnd, &r);
    return TRect(r);
}

void TWindow::SetMsg(const std::string& text, bool lDefault) {
    if (oMsgBar && oMsgBar != this) {
        oMsgBar->SetMsg(text, lDefault);
    } else if (oWnd) {
        oWnd->SetMsg(text, lDefault);
    }
}

HWND TWindow::FirstActiveCtrl() const {
    for (TWindow* c : aControls)
        if (c && c->hWnd && ISWINDOWENABLED(c->hWnd) && (GETWINDOWLONG(c->hWnd, GWL_STYLE) & WS_TABSTOP))
            return c->hWnd;
    return aControls.empty() || !aControls.front() ? nullptr : aControls.front()->hWnd;
}

HWND TWindow::LastActiveCtrl() const {
    for (auto it = aControls.rbegin(); it != aControls.rend(); ++it)
        if (*it && (*it)->hWnd && ISWINDOWENABLED((*it)->hWnd) &&
            (GETWINDOWLONG((*it)->hWnd, GWL_STYLE) & WS_TABSTOP))
            return (*it)->hWnd;
    return aControls.empty() || !aControls.front() ? nullptr : aControls.front()->hWnd;
}

void TWindow::GoNextCtrl(HWND from) {
    hCtlFocus = from;
    if (HWND next = NEXTDLGTAB(hWnd, from, false)) SETFOCUS(next);
}
void TWindow::GoPrevCtrl(HWND from) {
    hCtlFocus = from;
    if (HWND prev = NEXTDLGTAB(hWnd, from, true)) SETFOCUS(prev);
}

// ------------------------------------------------------------------ geometry

void TWindow::CoorsUpdate() {
    if (!hWnd) return;
    RECT r = windowRectInParent(hWnd);
    nTop = r.top;
    nLeft = r.left;
    nBottom = r.bottom;
    nRight = r.right;
}

void TWindow::Move(std::optional<int> top, std::optional<int> left, std::optional<int> width,
                   std::optional<int> height, bool repaint) {
    CoorsUpdate();
    MOVEWINDOW(hWnd, top.value_or(nTop), left.value_or(nLeft), width.value_or(nWidth()), height.value_or(nHeight()),
               repaint);
    CoorsUpdate();
}

void TWindow::SetSize(int width, int height, bool repaint) {
    WNDSETSIZE(hWnd, width, height, repaint);
    CoorsUpdate();
    if (!aGradColors.empty()) Gradient();
}

void TWindow::SetBounds(int left, int top, int right, int bottom) {
    SETWINDOWPOS(hWnd, nullptr, top, left, right - left, bottom - top, SWP_NOZORDER);
    CoorsUpdate();
}

int TWindow::nWidth() const { return hWnd ? WNDWIDTH(hWnd) : nRight - nLeft + 1; }
int TWindow::nWidth(int width) {
    WNDWIDTH(hWnd, width);
    CoorsUpdate();
    return nWidth();
}
int TWindow::nHeight() const { return hWnd ? WNDHEIGHT(hWnd) : nBottom - nTop + 1; }
int TWindow::nHeight(int height) {
    WNDHEIGHT(hWnd, height);
    CoorsUpdate();
    return nHeight();
}

void TWindow::Center(TWindow* over) {
    RECT outer{};
    if (over && over->hWnd)
        GetWindowRect(over->hWnd, &outer);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &outer, 0);
    RECT r{};
    GetWindowRect(hWnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    POINT p{outer.left + (outer.right - outer.left - w) / 2, outer.top + (outer.bottom - outer.top - h) / 2};
    if (GETWINDOWLONG(hWnd, GWL_STYLE) & WS_CHILD) ScreenToClient(GETPARENT(hWnd), &p);
    SETWINDOWPOS(hWnd, nullptr, p.y, p.x, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CoorsUpdate();
}

// ------------------------------------------------------------------ tooltips

HWND openToolTip() { return module().toolTip.tip; }

namespace {
// What a cToolTip shows; nothing for none or an empty text.
std::optional<ToolTipText> toolTipOf(const ToolTip& t) {
    ToolTipText out;
    if (const auto* text = std::get_if<std::string>(&t)) {
        out.text = *text;
    } else if (const auto* fn = std::get_if<std::function<std::string()>>(&t)) {
        if (*fn) out.text = (*fn)();
    } else if (const auto* full = std::get_if<ToolTipText>(&t)) {
        out = *full;
    }
    if (out.text.empty()) return std::nullopt;
    return out;
}
}  // namespace

void TWindow::CheckToolTip(int row, int col) {
    auto& t = module().toolTip;
    if (oToolTip) {
        if (t.shown && t.owner == hWnd) return;  // once until the mouse leaves
        POINT p{col + 20, row + 20};
        ClientToScreen(hWnd, &p);
        oToolTip->Move(p.y, p.x);
        oToolTip->Show();
        t.owner = hWnd;
        t.shown = true;
        return;
    }
    if (std::holds_alternative<std::monostate>(cToolTip)) {
        DestroyToolTip();
        return;
    }
    if (t.tip && t.owner == hWnd) return;  // still over the same window
    DestroyToolTip();
    if (auto tip = toolTipOf(cToolTip)) ShowToolTip(row, col, *tip);
}

void TWindow::ShowToolTip(int row, int col, const ToolTipText& tip) {
    (void)row;
    (void)col;  // the system control places the tip at the mouse
    auto& t = module().toolTip;
    DestroyToolTip();
    t.tip = showWindowToolTip(hWnd, tip, lBalloon.value_or(module().balloon), nToolTip);
    if (!t.tip) return;
    t.owner = hWnd;
    t.last = t.tip;
}

void TWindow::DestroyToolTip() {
    auto& t = module().toolTip;
    if (t.tip) DESTROYWINDOW(t.tip);
    t.tip = nullptr;
    t.owner = nullptr;
    t.shown = false;
}

// ------------------------------------------------ printing, help, designer

bool TWindow::Print(int row, int col, int scale) {
    if (bPrint) {
        bPrint(*this);
        return true;
    }
    HDC printer = openPrinterDC(false, hWnd);
    if (!printer) return false;
    const bool ok = printWindowPage(printer, hWnd, GetText(), row, col, scale);
    DeleteDC(printer);
    return ok;
}

bool TWindow::HardCopy(int scale, bool lUser) {
    HDC printer = openPrinterDC(lUser, hWnd);
    if (!printer) return false;
    Refresh();
    const bool ok = printWindowPage(printer, hWnd, GetText(), 0, 0, scale);
    DeleteDC(printer);
    return ok;
}

bool TWindow::GenDbf(const std::string& file) {
    const std::string name = file.empty() ? GetText().substr(0, 8) + ".dbf" : file;
    if (targetKind(name) != TargetKind::Missing &&
        !MSGYESNO(Value("This file already exists"), Value("Do you want to overwrite it ?")))
        return false;
    static const std::vector<DbfField> fields = {
        {"CONTROL", 'C', 15}, {"CAPTION", 'C', 40},  {"ID", 'N', 4},        {"TOP", 'N', 4},
        {"LEFT", 'N', 4},     {"WIDTH", 'N', 4},     {"HEIGHT", 'N', 4},    {"STYLE", 'N', 15},
        {"CLRFORE", 'N', 8},  {"CLRBACK", 'N', 8},   {"FNTNAME", 'C', 15},  {"FNTWIDTH", 'N', 4},
        {"FNTHEIGHT", 'N', 4}, {"FNTBOLD", 'L', 1},  {"FNTITALIC", 'L', 1},
    };
    return createDbfTable(name, fields) == 0;
}

std::string TWindow::EditTitle(const std::string& title) {
    std::string text = title.empty() ? GetText() : title;
    TDialog d;
    DialogNew n;
    n.cCaption = "window Title";
    n.lPixel = true;
    n.nBottom = 95;
    n.nRight = 300;
    n.oWnd = this;
    d.New(n);
    constexpr int kEditId = 100;
    auto button = [&](const std::string& caption, int col, bool isDefault, std::function<void(TWindow&)> action) {
        auto b = std::make_unique<TButton>();
        ButtonNew a;
        a.oWnd = &d;
        a.lPixel = true;
        a.nRow = 45;
        a.nCol = col;
        a.nWidth = 80;
        a.nHeight = 24;
        a.cCaption = caption;
        a.lDefault = isDefault;
        a.bAction = std::move(action);
        b->New(a);
        return b;
    };
    auto ok = button("&Ok", 60, true, [&](TWindow&) {
        text = GETWINDOWTEXT(GETDLGITEM(d.hWnd, kEditId));
        d.End(1);
    });
    auto cancel = button("&Cancel", 160, false, [&](TWindow&) { d.End(2); });
    DialogActivate a;
    a.lCentered = true;
    a.bInit = [&](TWindow& w) {
        // The field keeps at most 100 characters.
        HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", text.substr(0, 100).c_str(),
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 10, 10, 275, 22, w.hWnd,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), GETINSTANCE(), nullptr);
        SENDMESSAGE(edit, EM_LIMITTEXT, 100, 0);
        SENDMESSAGE(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
        SETFOCUS(edit);
    };
    d.Activate(a);
    return alltrim(text);
}

bool TWindow::FastEdit(int row, int col) {
    constexpr UINT kSource = 1;
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kSource, "Source code...");
    POINT p{col, row};
    ClientToScreen(hWnd, &p);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, p.x, p.y, 0, hWnd, nullptr));
    DestroyMenu(menu);
    if (chosen != kSource) return false;
    MSGINFO(Value(cGenPrg()));
    return true;
}

void TWindow::Update() {
    for (TWindow* c : aControls) {
        if (!c) continue;
        const std::string cls = upper(c->ClassName());
        if (cls == "TFOLDER" || cls == "TFOLDEREX") {
            c->Update();
        } else if (auto* ctl = dynamic_cast<TControl*>(c); ctl && ctl->lUpdate) {
            ctl->Refresh();
        }
    }
}

std::string TWindow::GenLocals() const {
    std::string s;
    for (const TWindow* c : aControls)
        if (c) s += c->GenLocals();
    return s;
}

// ----------------------------------------------- persistence and generation

namespace {
const char* const kProperties[] = {"cTitle", "cVarName", "nClrText", "nClrPane", "nTop", "nLeft",
                                   "nWidth", "nHeight", "Cargo",    "oMenu",    "oFont"};
const char* const kEvents[] = {"OnClick(nRow, nCol, nKeyFlags)", "OnMouseMove(nRow, nCol, nKeyFlags)",
                               "OnKeyDown(nKey, nFlags)", "OnMove()", "OnPaint()", "OnResize()"};
}  // namespace

std::string TWindow::Property(std::size_t n) { return n >= 1 && n <= PropCount() ? kProperties[n - 1] : ""; }
std::size_t TWindow::PropCount() { return std::size(kProperties); }
std::string TWindow::Event(std::size_t n) { return n >= 1 && n <= EveCount() ? kEvents[n - 1] : ""; }
std::size_t TWindow::EveCount() { return std::size(kEvents); }

std::string TWindow::Save() const {
    TWindow fresh;
    SavedObject o;
    o.className = ClassName();
    auto put = [&](const char* name, Value v) { o.properties.emplace_back(name, std::move(v)); };
    const std::string title = GetText();
    if (!title.empty()) put("cTitle", Value(title));
    if (!cVarName.empty()) put("cVarName", Value(cVarName));
    if (nClrText != fresh.nClrText) put("nClrText", Value(static_cast<std::int64_t>(nClrText)));
    if (nClrPane != fresh.nClrPane) put("nClrPane", Value(static_cast<std::int64_t>(nClrPane)));
    if (nTop) put("nTop", Value(nTop));
    if (nLeft) put("nLeft", Value(nLeft));
    put("nWidth", Value(nWidth()));
    put("nHeight", Value(nHeight()));
    if (!Cargo.isNil() && !Cargo.isClosure()) put("Cargo", Cargo);
    if (oFont) {
        SavedObject f;
        f.className = "TFONT";
        f.properties = {{"cFaceName", Value(oFont->cFaceName)}, {"lBold", Value(oFont->lBold)},
                        {"lItalic", Value(oFont->lItalic)},     {"lUnderline", Value(oFont->lUnderline)},
                        {"lStrikeOut", Value(oFont->lStrikeOut)}, {"nOrientation", Value(oFont->nOrientation)},
                        {"nWeight", Value(oFont->nWeight)},     {"nCharSet", Value(oFont->nCharSet)},
                        {"nHeight", Value(oFont->nInpHeight)},  {"nWidth", Value(oFont->nInpWidth)}};
        o.objects.push_back({"oFont", std::move(f)});
    }
    return saveObject(o);
}

bool TWindow::Load(const std::string& data) {
    auto o = OREAD(data);
    if (!o) return false;
    std::optional<int> width, height;
    for (const auto& [name, v] : o->properties) {
        if (name == "cTitle" && v.isText()) SetText(v.text());
        else if (name == "cVarName" && v.isText()) cVarName = v.text();
        else if (name == "nClrText") nClrText = static_cast<Color>(v.number());
        else if (name == "nClrPane") nClrPane = static_cast<Color>(v.number());
        else if (name == "nTop") nTop = static_cast<int>(v.number());
        else if (name == "nLeft") nLeft = static_cast<int>(v.number());
        else if (name == "nWidth") width = static_cast<int>(v.number());
        else if (name == "nHeight") height = static_cast<int>(v.number());
        else if (name == "Cargo") Cargo = v;
    }
    for (const auto& [name, f] : o->objects) {
        if (name != "oFont") continue;
        FontSpec spec;
        for (const auto& [fname, v] : f.properties) {
            if (fname == "cFaceName" && v.isText()) spec.cFaceName = v.text();
            else if (fname == "lBold") spec.lBold = v.logical();
            else if (fname == "lItalic") spec.lItalic = v.logical();
            else if (fname == "lUnderline") spec.lUnderline = v.logical();
            else if (fname == "lStrikeOut") spec.lStrikeOut = v.logical();
            else if (fname == "nOrientation") spec.nOrientation = static_cast<int>(v.number());
            else if (fname == "nWeight") spec.nWeight = static_cast<int>(v.number());
            else if (fname == "nCharSet") spec.nCharSet = static_cast<int>(v.number());
            else if (fname == "nHeight") spec.nHeight = static_cast<int>(v.number());
            else if (fname == "nWidth") spec.nWidth = static_cast<int>(v.number());
        }
        auto font = TFont::New(spec);
        SetFont(font);
        font->End();  // SetFont counted the window's use
    }
    if (hWnd) {
        Move(nTop, nLeft, width.value_or(nWidth()), height.value_or(nHeight()));
    } else {
        if (width) nRight = nLeft + *width - 1;
        if (height) nBottom = nTop + *height - 1;
    }
    return true;
}

namespace {
std::string formFileName(const std::string& file, const std::string& varName) {
    if (!file.empty()) return file;
    return (varName.size() > 1 ? varName.substr(1) : varName) + ".ffm";
}
}  // namespace

bool TWindow::SaveFile(const std::string& file) const {
    const std::string name = formFileName(file, cVarName);
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out << Save();
    return static_cast<bool>(out);
}

bool TWindow::LoadFile(const std::string& file) {
    const std::string name = formFileName(file, cVarName);
    std::ifstream in(name, std::ios::binary);
    if (!in) {
        MSGALERT(Value("File not found: " + name));
        return false;
    }
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Load(data);
}

std::string TWindow::SaveToText(int indent) const {
    const std::string pad(static_cast<std::size_t>(indent), ' ');
    TWindow fresh;  // a new object of the class: only changed values are written
    std::string s = pad + "OBJECT " + cVarName + " AS " + ClassName() + "\r\n";
    auto line = [&](const std::string& name, const std::string& value) {
        s += pad + "   ::" + name + " = " + value + "\r\n";
    };
    const std::string title = GetText();
    if (!title.empty()) line("cTitle", "\"" + title + "\"");
    if (!cVarName.empty()) line("cVarName", "\"" + cVarName + "\"");
    if (nClrText != fresh.nClrText) line("nClrText", std::to_string(nClrText));
    if (nClrPane != fresh.nClrPane) line("nClrPane", std::to_string(nClrPane));
    if (nTop) line("nTop", std::to_string(nTop));
    if (nLeft) line("nLeft", std::to_string(nLeft));
    line("nWidth", std::to_string(nWidth()));
    line("nHeight", std::to_string(nHeight()));
    s += pad + "ENDOBJECT\r\n";
    return s;
}

std::string TWindow::SaveToRC(int indent) const {
    const std::string pad(static_cast<std::size_t>(indent), ' ');
    const std::string title = GetText();
    const std::string first = upper(title.substr(0, title.find(' ')));
    std::string s = pad + first + " DIALOG " + std::to_string(nTop) + ", " + std::to_string(nLeft) + ", " +
                    std::to_string(nWidth()) + ", " + std::to_string(nHeight()) + "\r\n";
    s += pad + "STYLE DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU\r\n";
    s += pad + "CAPTION \"" + title + "\"\r\n";
    s += pad + "FONT 8, \"" + (oFont ? oFont->cFaceName : std::string("MS Sans Serif")) + "\"\r\n";
    s += pad + "{\r\n";
    for (const TWindow* c : aControls)
        if (c) s += c->SaveToRC(indent + 3);
    s += pad + "}\r\n";
    return s;
}

std::string TWindow::cGenPrg(const std::string& file, bool dialog) const {
    (void)dialog;
    const std::string name = cVarName.empty() ? "oWnd" : cVarName;
    std::string s = "   DEFINE WINDOW " + name + " FROM " + std::to_string(nTop / 16) + ", " +
                    std::to_string(nLeft / 8) + " TO " + std::to_string(nBottom / 16) + ", " +
                    std::to_string(nRight / 8) + " TITLE \"" + GetText() + "\"\r\n";
    if (oBrush) s += oBrush->cGenPRG("oBrush") + "\r\n";
    s += "\r\n   ACTIVATE WINDOW " + name + "\r\n";
    if (!file.empty()) std::ofstream(file, std::ios::binary | std::ios::trunc) << s;
    return s;
}

}  // namespace wl
