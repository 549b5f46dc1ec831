#include "toolbar.hpp"

#include <algorithm>

#include "common_controls.hpp"
#include "library_error.hpp"
#include "menu.hpp"
#include "popup_menus.hpp"
#include "text.hpp"
#include "toolbars.hpp"
#include "window_natives.hpp"

namespace wl {
namespace {

[[noreturn]] void creationFailed(const std::string& cls) {
    throw LibraryError(kErrorCannotCreateWindow, libraryErrorText(kErrorCannotCreateWindow),
                       "\r\nClass: " + cls + "\r\nCaption: \r\nSystem Error: " + GETERRMSG(GetLastError()));
}

}  // namespace

// ------------------------------------------------------------------ TToolBar

TToolBar& TToolBar::New(TWindow* parent, int btnWidth, int btnHeight, HIMAGELIST imageList, bool balloon) {
    oWnd = parent ? parent : GETWNDDEFAULT();
    nBtnWidth = btnWidth;
    nBtnHeight = btnHeight;
    oImageList = imageList;
    lTTBalloon = balloon;
    nStyle = WS_CHILD | WS_VISIBLE;
    // Inside a rebar the band holds the toolbar; the rebar is the top bar.
    if (oWnd && !oWnd->holdsBands()) oWnd->dock(TWindow::Dock::Top, this);
    INITCOMMONCONTROLSEX(ICC_BAR_CLASSES);
    if (nId == 0) nId = GetNewId();
    if (oWnd && oWnd->hWnd) {
        Create();
        nHeight(nBtnHeight + 3);
        oWnd->AddControl(this);
        if (oImageList) SendMsg(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(oImageList));
    } else if (oWnd) {
        oWnd->AddControl(this);
    }
    return *this;
}

void TToolBar::Create() {
    hWnd = CREATETLBAR(oWnd ? oWnd->hWnd : nullptr, nId, nBtnWidth, nBtnHeight);
    if (!hWnd) creationFailed(WindowClass());
    DWORD style = static_cast<DWORD>(SendMsg(TB_GETSTYLE));
    // Wrapable: narrowed, the buttons go on to further rows (AdjTop).
    style |= TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE | CCS_NODIVIDER | CCS_NORESIZE;
    if (!oWnd || !oWnd->isFrameWindow()) style |= TBSTYLE_TRANSPARENT;
    SendMsg(TB_SETSTYLE, 0, static_cast<LPARAM>(style));
    Link();
}

ToolButton* TToolBar::entry(int id) {
    if (id < 1 || static_cast<std::size_t>(id) > aButtons.size()) return nullptr;
    return &aButtons[static_cast<std::size_t>(id - 1)];
}

int TToolBar::addEntry(ToolButton b, const std::string& text, bool dropDown) {
    const bool disabled = b.bWhen && !b.bWhen();
    aButtons.push_back(std::move(b));
    const int id = static_cast<int>(aButtons.size());
    const std::optional<std::string> t = text.empty() ? std::nullopt : std::optional<std::string>(text);
    if (dropDown)
        TBADDMENU(hWnd, id, id, t);
    else
        TBADDBUTTON(hWnd, id, id, t);
    if (disabled) TBENABLEBUTTON(hWnd, id, false);
    return id;
}

int TToolBar::AddButton(std::function<void(TToolBar&, int)> action, const std::string& tooltip,
                        const std::string& text, std::function<bool()> when, const std::string& msg) {
    return addEntry({std::move(action), tooltip, msg, nullptr, std::move(when)}, text, false);
}

int TToolBar::AddMenu(std::function<void(TToolBar&, int)> action, const std::string& tooltip, const std::string& text,
                      std::function<bool()> when, const std::string& msg, ToolMenu menu) {
    return addEntry({std::move(action), tooltip, msg, std::move(menu), std::move(when)}, text, true);
}

void TToolBar::AddSeparator() { TBADDSEPARATOR(hWnd); }

Answer TToolBar::Command(WPARAM w, LPARAM l) {
    HWND from = reinterpret_cast<HWND>(l);
    if (!from || GETCLASSNAME(from) != "ToolbarWindow32") return std::nullopt;
    const int id = static_cast<int>(LOWORD(w));
    if (ToolButton* b = entry(id); b && b->bAction) b->bAction(*this, id);
    return std::nullopt;
}

Answer TToolBar::Notify(WPARAM, LPARAM header) {
    auto* nm = reinterpret_cast<NMHDR*>(header);
    if (!nm) return std::nullopt;
    const auto code = static_cast<int>(nm->code);
    if (code == static_cast<int>(TTN_GETDISPINFOW) || code == static_cast<int>(TTN_GETDISPINFOA)) {
        ToolButton* b = entry(static_cast<int>(nm->idFrom));
        if (!b) return std::nullopt;
        if (code == static_cast<int>(TTN_GETDISPINFOW))
            TTNSETTEXT(reinterpret_cast<NMTTDISPINFOW*>(header), b->cToolTip);
        else
            TTNSETTEXT(reinterpret_cast<NMTTDISPINFOA*>(header), b->cToolTip);
        if (oWnd) oWnd->SetMsg(b->cMsg);
        if (lTTBalloon && nm->hwndFrom) {
            const LONG_PTR style = GetWindowLongPtrA(nm->hwndFrom, GWL_STYLE);
            if (!(style & TTS_BALLOON)) SetWindowLongPtrA(nm->hwndFrom, GWL_STYLE, style | TTS_BALLOON);
        }
        return 0;
    }
    if (code == static_cast<int>(TBN_HOTITEMCHANGE)) {
        // The pointer left the buttons: the bar shows its notice again.
        const auto* hot = reinterpret_cast<const NMTBHOTITEM*>(header);
        if (oWnd && (hot->dwFlags & HICF_LEAVING)) oWnd->SetMsg({});
        return std::nullopt;
    }
    if (code == static_cast<int>(TBN_DROPDOWN)) {
        HWND owner = oWnd ? oWnd->hWnd : GetParent(hWnd);
        const auto place = TBGETRECT(hWnd, reinterpret_cast<const NMTOOLBARA*>(header), owner);
        ToolButton* b = entry(place[2]);
        TWindow* shownOn = oWnd ? oWnd : OWNDFROMHWND(owner);
        if (b && b->bMenu && shownOn) {
            if (auto menu = b->bMenu(*this)) menu->Activate(place[1], place[0], *shownOn);
        }
        return 0;  // TBDDRET_DEFAULT
    }
    return std::nullopt;
}

void TToolBar::AdjTop() {
    TControl::AdjTop();
    if (!hWnd) return;
    // The control wraps its buttons to its width; the bar grows by the rows
    // that took, so that no button is cut off, and shrinks again when widened.
    SendMsg(TB_AUTOSIZE);
    const int rows = std::max(1, static_cast<int>(SendMsg(TB_GETROWS)));
    const int rowHeight = HIWORD(static_cast<DWORD>(SendMsg(TB_GETBUTTONSIZE)));
    const int wanted = nBtnHeight + 3 + (rows - 1) * rowHeight;
    if (wanted == nHeight()) return;
    nHeight(wanted);
    TControl::AdjTop();
}

HWND TToolBar::helperWindow() const {
    return hWnd ? reinterpret_cast<HWND>(SendMessageA(hWnd, TB_GETTOOLTIPS, 0, 0)) : nullptr;
}

void TToolBar::AEvalWhen() {
    for (std::size_t i = 0; i < aButtons.size(); ++i)
        if (aButtons[i].bWhen) EnableButton(static_cast<int>(i + 1), aButtons[i].bWhen());
}

void TToolBar::EnableButton(int n, bool enable) { TBENABLEBUTTON(hWnd, n, enable); }
bool TToolBar::IsButtonEnabled(int n) const { return SendMessageA(hWnd, TB_ISBUTTONENABLED, n, 0) != 0; }
void TToolBar::DelButton(int n) { SendMsg(TB_DELETEBUTTON, static_cast<WPARAM>(n - 1)); }
void TToolBar::HideButton(int n) { SendMsg(TB_HIDEBUTTON, static_cast<WPARAM>(n), MAKELPARAM(1, 0)); }
void TToolBar::ShowButton(int n) { SendMsg(TB_HIDEBUTTON, static_cast<WPARAM>(n), MAKELPARAM(0, 0)); }
bool TToolBar::IsButtonHidden(int n) const { return SendMessageA(hWnd, TB_ISBUTTONHIDDEN, n, 0) != 0; }
void TToolBar::ChangeBitmap(int n, int image) { SendMsg(TB_CHANGEBITMAP, static_cast<WPARAM>(n), image - 1); }
void TToolBar::SetTextRows(int n) {
    SendMsg(TB_SETMAXTEXTROWS, static_cast<WPARAM>(n));
    SendMsg(TB_AUTOSIZE);
}
void TToolBar::SetPressed(int n, bool pressed) {
    SendMsg(TB_SETSTATE, static_cast<WPARAM>(n), MAKELPARAM(pressed ? TBSTATE_PRESSED : TBSTATE_ENABLED, 0));
}
void TToolBar::SetChecked(int n, bool checked) {
    if (checked)
        SendMsg(TB_CHECKBUTTON, static_cast<WPARAM>(n), MAKELPARAM(1, 0));
    else
        SendMsg(TB_SETSTATE, static_cast<WPARAM>(n), MAKELPARAM(TBSTATE_ENABLED, 0));
}
bool TToolBar::IsChecked(int n) const { return SendMessageA(hWnd, TB_ISBUTTONCHECKED, n, 0) != 0; }
bool TToolBar::ToggleCheck(int n) {
    const bool now = !IsChecked(n);
    SetChecked(n, now);
    return now;
}

void TToolBar::SetText(int n, const std::string& text) { TBSETTEXT(hWnd, n, text); }

std::string TToolBar::GetText(int n) const {
    const LRESULT len = SendMessageA(hWnd, TB_GETBUTTONTEXTA, static_cast<WPARAM>(n), 0);
    if (len <= 0) return {};
    std::string s(static_cast<std::size_t>(len) + 1, '\0');
    SendMessageA(hWnd, TB_GETBUTTONTEXTA, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<std::size_t>(len));
    return s;
}

void TToolBar::SetMessage(int n, const std::string& text) {
    if (ToolButton* b = entry(n)) b->cMsg = text;
}
void TToolBar::SetTooltip(int n, const std::string& text) {
    if (ToolButton* b = entry(n)) b->cToolTip = text;
}

Answer TToolBar::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    if (nMsg == WM_PAINT) {
        BeginPaint();
        Paint();
        return EndPaint();
    }
    if (nMsg == WM_ERASEBKGND) return EraseBkGnd(reinterpret_cast<HDC>(w));
    return TControl::HandleEvent(nMsg, w, l);
}

Answer TToolBar::Paint() {
    // The control paints itself into the off-screen context, so that it does
    // not flicker over the erased background.
    DispBegin();
    RECT r{};
    GetClientRect(hWnd, &r);
    if (oBrush && oBrush->hBrush) {
        FillRect(hDC, &r, oBrush->hBrush);
    } else {
        // The off-screen bitmap starts black; a control without a class
        // brush erases nothing on it.
        FillRect(hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
        if (nOldProc) CallWindowProcA(nOldProc, hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hDC), 0);
    }
    if (nOldProc) CallWindowProcA(nOldProc, hWnd, WM_PAINT, reinterpret_cast<WPARAM>(hDC), 0);
    DispEnd();
    return 1;
}

Answer TToolBar::MouseMove(int, int, WPARAM) {
    if (oCursor && oCursor->hCursor) SetCursor(oCursor->hCursor);
    return std::nullopt;
}

// -------------------------------------------------------------------- TReBar

TReBar& TReBar::New(TWindow* parent) {
    oWnd = parent ? parent : GETWNDDEFAULT();
    nStyle = WS_CHILD | WS_VISIBLE | RBS_VARHEIGHT | RBS_BANDBORDERS | RBS_VERTICALGRIPPER | WS_CLIPCHILDREN |
             CCS_NOPARENTALIGN | CCS_NOMOVEY;
    if (oWnd) oWnd->dock(TWindow::Dock::Top, this);
    INITCOMMONCONTROLSEX(ICC_COOL_CLASSES);
    if (nId == 0) nId = GetNewId();
    if (oWnd && oWnd->hWnd) {
        nTop = nLeft = 0;
        nBottom = nRight = 0;
        TWindow::Create(WindowClass());
        SETREBARINFO(hWnd);
        oWnd->AddControl(this);
        RECT r{};
        GetClientRect(oWnd->hWnd, &r);
        nWidth(r.right);
    } else if (oWnd) {
        oWnd->AddControl(this);
    }
    return *this;
}

void TReBar::InsertBand(TWindow& control, const std::string& text) { RBINSERTBAND(hWnd, control.hWnd, text); }

Answer TReBar::Command(WPARAM w, LPARAM l) {
    // The rebar control passes its toolbar's commands on to its own parent,
    // whose command handling gives them to the toolbar.
    HWND from = reinterpret_cast<HWND>(l);
    if (from && prefixMatch(GETCLASSNAME(from), "ToolbarWindow32")) return std::nullopt;
    return TControl::Command(w, l);
}

}  // namespace wl
