// TWindow: colours, fonts, text, visibility, styles and the controls' focus order.
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
#include "window_module.hpp"

namespace wl {
using namespace window_detail;

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
        oMsgBar->msgBarShow(text);
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


}  // namespace wl
