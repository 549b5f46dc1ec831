// TWindow: messages taken apart and handed to the event methods.
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
#include "buttonbar.hpp"
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
#include "window_module.hpp"

namespace wl {
using namespace window_detail;

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
    if (!mi) return std::nullopt;
    if (id != 0) {
        // An owner-drawn control measures its own items.
        for (TWindow* c : aControls)
            if (auto* ctl = dynamic_cast<TControl*>(c); ctl && ctl->nId == static_cast<int>(id))
                return ctl->FillMeasure(item);
        return std::nullopt;
    }
    if (mi->CtlType != ODT_MENU) return std::nullopt;
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
    if (o != this)
        if (auto* control = dynamic_cast<TControl*>(o)) return control->onNotify(id, *nm);
    if (isSelectionChange(nm->code)) return o->SelChanged();
    if (o == this) return std::nullopt;
    return o->Notify(id, header);
}

namespace {
// Windows whose children without a topic show the current help instead of
// asking further up.
bool helpStopsAt(const TWindow& parent) { return parent.endsHelpSearch(); }
}  // namespace

Answer TWindow::HelpTopic() {
    bool& guard = module().helpGuard;
    // Showing help may pump messages that ask for help again.
    if (guard) return std::nullopt;
    if (nHelpId.isNil() && oWnd && !helpStopsAt(*oWnd)) return oWnd->HelpTopic();
    struct Guard {
        bool& on;
        explicit Guard(bool& g) : on(g) { on = true; }
        ~Guard() { on = false; }
    } held(guard);
    if (!nHelpId.isNil())
        HELPTOPIC(nHelpId);
    else if (!GETHELPTOPIC().empty() || helpTopicNumber() != 0)
        HELPTOPIC();
    else
        HELPINDEX();
    return 1;
}

Answer TWindow::HelpF1() {
    if (!oMItemSelect()) return HelpTopic();
    oMItemSelect()->HelpTopic();
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
    if (auto command = controlCommandOf(code)) reflectCommand(ctl, *command);
    return std::nullopt;
}

void TWindow::releasePressedButtons() {
    auto release = [](const std::vector<TWindow*>& controls) {
        for (TWindow* c : controls)
            if (auto* b = dynamic_cast<TBtnBmp*>(c); b && b->lPressed && !b->lBtnDown) {
                b->lPressed = false;
                b->Refresh(false);
            }
    };
    release(aControls);
    if (oBar && oBar->holdsBarButtons()) release(oBar->aControls);
}

Answer TWindow::SysCommand(WPARAM cmd, LPARAM) {
    releasePressedButtons();
    // The program's own items of the system menu have identifiers below
    // the system's commands.
    if (cmd < 61440) {
        if (oSysMenu && oSysMenu->Command(cmd)) return 0;
        return std::nullopt;
    }
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

}  // namespace wl
