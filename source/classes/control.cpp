#include "control.hpp"

#include <algorithm>
#include <unordered_map>

#include "control_models.hpp"
#include "dialog.hpp"
#include "dialog_template.hpp"
#include "dialogs.hpp"
#include "help_calls.hpp"
#include "library_error.hpp"
#include "text.hpp"
#include "window_bridge.hpp"
#include "window_natives.hpp"

namespace wl {
namespace {

struct ControlModule {
    int lastId = 100;
    // Per parent window: the control the focus left whose validation has
    // not run yet (it runs on the posted LM_LOSTFOCUS, or earlier when a
    // button is clicked first).
    std::unordered_map<TWindow*, TControl*> pending;
};

ControlModule& module() {
    static ControlModule m;
    return m;
}

bool isSibling(HWND a, HWND b) { return a && b && GetParent(a) == GetParent(b); }

}  // namespace

SetGet bindTo(Value& variable) {
    return [&variable](const std::optional<Value>& v) {
        if (v) variable = *v;
        return variable;
    };
}

TControl::TControl() { lActive = true; }

TControl::~TControl() {
    auto& pending = module().pending;
    for (auto it = pending.begin(); it != pending.end();)
        it = it->second == this ? pending.erase(it) : std::next(it);
    if (oWnd) {
        auto& list = oWnd->aControls;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        if (oWnd->oCtlFocus == this) oWnd->oCtlFocus = nullptr;
        for (TWindow** slot : {&oWnd->oTop, &oWnd->oLeft, &oWnd->oBottom, &oWnd->oRight, &oWnd->oClient, &oWnd->oBar,
                                &oWnd->oMsgBar})
            if (*slot == this) *slot = nullptr;
    }
}

int TControl::GetNewId() {
    int& last = module().lastId;
    last = nextControlId(last);
    return last;
}

void TControl::createOrDefer() {
    if (!oWnd) oWnd = GETWNDDEFAULT();
    if (nId == 0) nId = GetNewId();
    if (oWnd && oWnd->hWnd) {
        Create(WindowClass());
        oWnd->AddControl(this);
        oWnd->lValidating = false;
        if (oFont) {
            auto f = oFont;
            oFont.reset();
            SetFont(f);
        } else if (oWnd->oFont) {
            SetFont(oWnd->oFont);
        }
    } else if (auto* dialog = dynamic_cast<TDialog*>(oWnd)) {
        dialog->DefControl(this);
    } else if (oWnd) {
        oWnd->AddControl(this);
    }
}

void TControl::redefine(int id, TWindow* parent) {
    nId = id;
    oWnd = parent ? parent : GETWNDDEFAULT();
    if (!oWnd) return;
    oWnd->lValidating = false;
    if (auto* dialog = dynamic_cast<TDialog*>(oWnd))
        dialog->DefControl(this);
    else
        oWnd->AddControl(this);
}

void TControl::Initiate(HWND hDlg) {
    hWnd = GetDlgItem(hDlg, nId);
    if (!hWnd)
        throw LibraryError(kErrorNonDefinedId, "Non defined Id", "No: " + rightAligned(nId, 6));
    EnableWindow(hWnd, lActive ? TRUE : FALSE);
    Link(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) != &WLWNDPROC);
    if (oFont) {
        auto f = oFont;
        oFont.reset();
        SetFont(f);
    } else if (auto f = GetFont()) {
        SendMessageA(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(f->hFont), FALSE);
    }
    if (lTransparent && oWnd && oWnd->oBrush) SetBrush(oWnd->oBrush);
    bInit(*this);
}

std::string TControl::cToChar(const std::string& cClass) {
    const long units = GETDLGBASEUNITS();
    const int bx = static_cast<int>(units & 0xFFFF), by = static_cast<int>((units >> 16) & 0xFFFF);
    if (nId == 0) nId = GetNewId();
    const DWORD style = nStyle ? nStyle : (WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    // Dialog units are 1/8 of the base height and 1/4 of the base width,
    // as for the dialog itself (measured: these land on the pixel bounds).
    return CCTRL2CHR(pixelsToDialogUnits(nTop, 8, by), pixelsToDialogUnits(nLeft, 4, bx),
                     pixelsToDialogUnits(nBottom, 8, by), pixelsToDialogUnits(nRight, 4, bx), nId, style,
                     cClass.empty() ? WindowClass() : cClass, cCaption);
}

Answer TControl::Click() {
    if (oWnd) oWnd->AEvalWhen();
    return std::nullopt;
}

Answer TControl::Colors(HDC dc) {
    SetTextColor(dc, nClrText);
    SetBkColor(dc, nClrPane);
    if (lTransparent) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<std::intptr_t>(GetStockObject(NULL_BRUSH));
    }
    return oBrush ? Answer(reinterpret_cast<std::intptr_t>(oBrush->hBrush)) : std::nullopt;
}

bool TControl::End() {
    // Validation comes first: a control that refuses stays fully in place.
    if (!lValid()) return false;
    if (oWnd) {
        auto& list = oWnd->aControls;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        if (oWnd->oCtlFocus == this) oWnd->oCtlFocus = nullptr;
    }
    if (hWnd) PostMessageA(hWnd, WM_CLOSE, 0, 0);
    return true;
}

void TControl::SetFocus() {
    if (!hWnd) return;
    HWND target = hWnd;
    if (!lWhen()) {
        HWND next = GetWindow(hWnd, GW_HWNDNEXT);
        target = next ? next : GetWindow(GetParent(hWnd), GW_CHILD);
    }
    if (dynamic_cast<TDialog*>(oWnd))
        PostMessageA(oWnd->hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), 1);
    else
        ::SetFocus(target);
}

int TControl::nAlign() const {
    if (!oWnd) return 1;
    if (oWnd->oTop == this) return 2;
    if (oWnd->oLeft == this) return 3;
    if (oWnd->oBottom == this) return 4;
    if (oWnd->oRight == this) return 5;
    if (oWnd->oClient == this) return 6;
    return 1;
}

void TControl::nAlign(int n) {
    if (!oWnd) return;
    TWindow** slots[] = {&oWnd->oTop, &oWnd->oLeft, &oWnd->oBottom, &oWnd->oRight, &oWnd->oClient};
    for (int i = 0; i < 5; ++i)
        if (*slots[i] == this && n != i + 2) *slots[i] = nullptr;
    if (n >= 2 && n <= 6) *slots[n - 2] = this;
    oWnd->ReSize();
}

namespace {
HWND handleOf(const TWindow* w) { return w ? w->hWnd : nullptr; }
}  // namespace

void TControl::AdjTop() { WNDADJTOP(hWnd); }
void TControl::AdjBottom() { WNDADJBOTTOM(hWnd); }
void TControl::AdjLeft() {
    WNDADJLEFT(hWnd, handleOf(oWnd->oBar ? oWnd->oBar : oWnd->oTop),
               handleOf(oWnd->oMsgBar ? oWnd->oMsgBar : oWnd->oBottom));
}
void TControl::AdjRight() {
    WNDADJRIGHT(hWnd, handleOf(oWnd->oBar ? oWnd->oBar : oWnd->oTop),
                handleOf(oWnd->oMsgBar ? oWnd->oMsgBar : oWnd->oBottom));
}
void TControl::AdjClient() {
    WNDADJCLIENT(hWnd, handleOf(oWnd->oBar ? oWnd->oBar : oWnd->oTop),
                 handleOf(oWnd->oMsgBar ? oWnd->oMsgBar : oWnd->oBottom), handleOf(oWnd->oLeft),
                 handleOf(oWnd->oRight), false, nClientBevel);
}

Answer TControl::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    switch (nMsg) {
    case LM_CLICK: return Click();
    case LM_CHANGE: return Change();
    case LM_COLORS: return Colors(reinterpret_cast<HDC>(w));
    case LM_LOSTFOCUS: return WLLostFocus(reinterpret_cast<HWND>(w));
    case LM_CHANGEFOCUS: SetFocus(); return 0;
    case WM_HELP: return HelpTopic();
    case WM_KILLFOCUS: return KillFocus(reinterpret_cast<HWND>(w));
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    case WM_PAINT:
    case WM_ERASEBKGND:
        // A system control (subclassed) paints itself.
        if (nOldProc) return std::nullopt;
        return TWindow::HandleEvent(nMsg, w, l);
    default: return TWindow::HandleEvent(nMsg, w, l);
    }
}

Answer TControl::HelpTopic() {
    if (nHelpId.isText()) {
        HELPTOPIC(nHelpId);
        return 0;
    }
    if (nHelpId.isNumber()) {
        RECT r{};
        GetWindowRect(hWnd, &r);
        HELPPOPUP(nHelpId, r.top, r.left, hWnd);
        return 0;
    }
    return std::nullopt;  // the parent's help, through the default handling
}

Answer TControl::GotFocus(HWND lost) {
    lFocused = true;
    if (oWnd) {
        oWnd->oCtlFocus = this;
        oWnd->hCtlFocus = hWnd;
    }
    if (!cMsg.empty()) SetMsg(cMsg);
    bGotFocus(*this, lost);
    return std::nullopt;  // the control's own procedure shows the focus
}

Answer TControl::KillFocus(HWND gaining) {
    TWindow* target = OWNDFROMHWND(gaining);
    const std::string cls = target ? target->ClassName() : std::string();
    const bool toCancel = target && target->lCancel &&
                          (cls == "TBUTTON" || cls == "TBTNBMP" || cls == "TBUTTONBMP" || cls == "TBTNFLAT") &&
                          oWnd && oWnd->nLastKey != 9 && oWnd->nLastKey != 13 && oWnd->nLastKey != 40 &&
                          oWnd->nLastKey != 38;
    if (toCancel && bValid) {
        oWnd->lValidating = true;
        oWnd->nLastKey = 0;
        oWnd->lValidating = false;
    } else if (oWnd && isSibling(hWnd, gaining) && !oWnd->lValidating && IsWindowVisible(oWnd->hWnd)) {
        if (bValid) module().pending[oWnd] = this;
        PostMessageA(hWnd, LM_LOSTFOCUS, reinterpret_cast<WPARAM>(gaining), 0);
    }
    lFocused = false;
    bLostFocus(*this, gaining);
    return std::nullopt;
}

bool TControl::validatePending(TWindow* parent, TControl* except) {
    auto& pending = module().pending;
    auto it = pending.find(parent);
    if (it == pending.end() || it->second == except) return true;
    TControl* c = it->second;
    pending.erase(it);
    parent->lValidating = true;
    const bool ok = c->lValid();
    if (!ok) c->SetFocus();
    parent->lValidating = false;
    return ok;
}

Answer TControl::WLLostFocus(HWND) {
    if (!oWnd || oWnd->lValidating) return 0;
    auto& pending = module().pending;
    auto it = pending.find(oWnd);
    // Without a pending entry the validation ran already (a button click
    // validated first) or the control has nothing to validate.
    const bool due = it != pending.end() && it->second == this;
    if (due) pending.erase(it);
    oWnd->lValidating = true;
    if (due && !lValid()) {
        SetFocus();
    } else {
        ForWhen();
    }
    oWnd->lValidating = false;
    return 0;
}

void TControl::ForWhen() {
    if (!oWnd) return;
    oWnd->AEvalWhen();
    lCaptured = false;
    if (oJump) {
        TControl* jump = std::exchange(oJump, nullptr);
        jump->SetFocus();
    }
    if (!GetFocus()) ::SetFocus(hWnd);
    oWnd->nLastKey = 0;
}

Answer TControl::GetDlgCode(WPARAM key) {
    if (oWnd && !oWnd->lValidating && (key == VK_RETURN || key == VK_TAB || key == VK_DOWN || key == VK_UP))
        oWnd->nLastKey = static_cast<int>(key);
    if (oWnd && !oWnd->oWnd && nDlgCode) return *nDlgCode;
    return std::nullopt;
}

Answer TControl::KeyDown(WPARAM key, LPARAM flags) {
    // Inside a dialog the dialog manager moves the focus on Tab.
    if (!dynamic_cast<TDialog*>(oWnd)) return TWindow::KeyDown(key, flags);
    if (key == VK_TAB) return std::nullopt;
    if (bKeyDown) return bKeyDown(key, flags, *this);
    return std::nullopt;
}

}  // namespace wl
