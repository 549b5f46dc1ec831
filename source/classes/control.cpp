#include "control.hpp"

#include <algorithm>
#include <unordered_map>

#include "control_models.hpp"
#include "design_grid.hpp"
#include "messages.hpp"
#include "painting.hpp"
#include "buttonbar.hpp"
#include "dialog.hpp"
#include "mdi.hpp"
#include "dialog_template.hpp"
#include "dialogs.hpp"
#include "help_calls.hpp"
#include "library_error.hpp"
#include "message_loop.hpp"
#include "visual_styles.hpp"
#include "text.hpp"
#include "window_bridge.hpp"
#include "window_natives.hpp"
#include "process_state.hpp"

namespace wl {
namespace {

struct ControlModule {
    int lastId = 100;
    // Per parent window: the control the focus left whose validation has
    // not run yet (it runs on the posted LM_LOSTFOCUS, or earlier when a
    // button is clicked first).
    std::unordered_map<TWindow*, TControl*> pending;
    // Drag and drop: the control a drag runs from.
    TControl* dragging = nullptr;
    // Class-wide bDelete: asked before design mode deletes a control.
    std::function<bool()> deleteAsk = [] { return MSGYESNO(Value("Delete this control ?")); };
    // Design mode: the handle windows, the control they stand around, and
    // the frame drawn last (erased by drawing it again).
    std::array<HWND, 8> dots{};
    TControl* dotsOwner = nullptr;
    struct Frame {
        bool drawn = false;
        int rows = 0, cols = 0, row = 0, col = 0;
    } frame;
};

ControlModule& module() {
    return processState().controls.get<ControlModule>();
}

bool isSibling(HWND a, HWND b) { return a && b && GetParent(a) == GetParent(b); }

short signedWord(unsigned v) { return static_cast<short>(static_cast<unsigned short>(v & 0xFFFF)); }

constexpr char kDotClass[] = "WLDESIGNDOT";

LRESULT CALLBACK dotProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    const int n = static_cast<int>(GetWindowLongPtrA(h, GWLP_USERDATA));
    switch (msg) {
    case WM_SETCURSOR:
        if (auto c = TCursor::New("", dotCursorName(n)); c && c->hCursor) {
            SetCursor(c->hCursor);
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        if (TControl* owner = module().dotsOwner; owner && owner->hWnd) {
            POINT p{signedWord(static_cast<unsigned>(l)), signedWord(static_cast<unsigned>(l) >> 16)};
            MapWindowPoints(h, owner->hWnd, &p, 1);
            owner->MResize(n, p.y, p.x);
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(h, &ps);
        RECT r{};
        GetClientRect(h, &r);
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EndPaint(h, &ps);
        return 0;
    }
    default: break;
    }
    return DefWindowProcA(h, msg, w, l);
}

// A handle window still alive (its parent's end destroys it, and Windows
// may give its handle to another window later).
bool isDot(HWND h) {
    char cls[32] = {};
    return h && IsWindow(h) && GetClassNameA(h, cls, sizeof cls) && lstrcmpiA(cls, kDotClass) == 0;
}

void registerDotClass() {
    WNDCLASSA wc{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), kDotClass, &wc)) return;
    wc.lpfnWndProc = &dotProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kDotClass;
    RegisterClassA(&wc);
}

// The frame of a move (handle 0) or a resize, shown or erased.
void drawFrame(HWND h, int handle, const ControlModule::Frame& f) {
    CTRLDRAWFOCUS(h, f.rows, f.cols, f.row, f.col, handle);
}

RectList rectOnParent(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return RectList{r.top, r.left, r.bottom, r.right};
}

}  // namespace

SetGet bindTo(Value& variable) {
    return [&variable](const std::optional<Value>& v) {
        if (v) variable = *v;
        return variable;
    };
}

SetGet bindTo(std::string& variable) {
    return [&variable](const std::optional<Value>& v) {
        if (v) variable = v->isText() ? v->text() : CVALTOCHAR(*v);
        return Value(variable);
    };
}

TControl::TControl() { lActive = true; }

TControl::~TControl() {
    if (module().dragging == this) module().dragging = nullptr;
    if (module().dotsOwner == this) module().dotsOwner = nullptr;
    auto& pending = module().pending;
    for (auto it = pending.begin(); it != pending.end();)
        it = it->second == this ? pending.erase(it) : std::next(it);
    if (oWnd) {
        oWnd->forgetControl(this);
        using D = TWindow::Dock;
        oWnd->undock(this, {D::Top, D::Left, D::Bottom, D::Right, D::Client, D::Bar, D::MsgBar});
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
        oWnd->setValidating(false);
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
    oWnd->setValidating(false);
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
    if (oWnd) oWnd->forgetControl(this);
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
    using D = TWindow::Dock;
    const D sides[] = {D::Top, D::Left, D::Bottom, D::Right, D::Client};
    for (int i = 0; i < 5; ++i)
        if (n != i + 2) oWnd->undock(this, {sides[i]});
    if (n >= 2 && n <= 6) oWnd->dock(sides[n - 2], this);
    oWnd->ReSize();
}

namespace {
HWND handleOf(const TWindow* w) { return w ? w->hWnd : nullptr; }
}  // namespace

void TControl::AdjTop() {
    WNDADJTOP(hWnd);
    dotsFollow();
}
void TControl::AdjBottom() {
    WNDADJBOTTOM(hWnd);
    dotsFollow();
}
void TControl::AdjLeft() {
    WNDADJLEFT(hWnd, handleOf(oWnd->oBar ? oWnd->oBar : oWnd->oTop),
               handleOf(oWnd->oMsgBar ? oWnd->oMsgBar : oWnd->oBottom));
    dotsFollow();
}
void TControl::AdjRight() {
    WNDADJRIGHT(hWnd, handleOf(oWnd->oBar ? oWnd->oBar : oWnd->oTop),
                handleOf(oWnd->oMsgBar ? oWnd->oMsgBar : oWnd->oBottom));
    dotsFollow();
}
void TControl::AdjClient() {
    WNDADJCLIENT(hWnd, handleOf(oWnd->oBar ? oWnd->oBar : oWnd->oTop),
                 handleOf(oWnd->oMsgBar ? oWnd->oMsgBar : oWnd->oBottom), handleOf(oWnd->oLeft),
                 handleOf(oWnd->oRight), false, nClientBevel);
    dotsFollow();
}

void TControl::dotsFollow() {
    if (lDrag && module().dotsOwner == this) ShowDots();
}

Answer TControl::onCommand(ControlCommand code) {
    switch (code) {
    case ControlCommand::Clicked: return Click();
    case ControlCommand::Changed: return Change();
    case ControlCommand::ClosedUp: return std::nullopt;
    }
    return std::nullopt;
}

Answer TControl::onNotify(WPARAM id, const NMHDR& header) {
    if (isSelectionChange(header.code)) return SelChanged();
    return Notify(id, reinterpret_cast<LPARAM>(&header));
}

Answer TControl::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    switch (nMsg) {
    case LM_CLICK:
    case LM_CHANGE:
    case LM_CLOSEUP: return onCommand(*commandOfMessage(nMsg));
    case LM_COLORS: return Colors(reinterpret_cast<HDC>(w));
    case LM_LOSTFOCUS: return WLLostFocus(reinterpret_cast<HWND>(w));
    case LM_CHANGEFOCUS: SetFocus(); return 0;
    case WM_HELP: return HelpTopic();
    case WM_KEYUP: return KeyUp(w, l);
    case WM_SYSKEYDOWN: return SysKeyDown(w, l);
    case WM_SYSCHAR: return SysChar(w, l);
    case WM_KILLFOCUS: return KillFocus(reinterpret_cast<HWND>(w));
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    // Signed coordinates: a captured mouse reports points left of or above
    // the control.
    case WM_MOUSEMOVE:
        return MouseMove(signedWord(static_cast<unsigned>(l) >> 16), signedWord(static_cast<unsigned>(l)), w);
    case WM_LBUTTONUP:
        return LButtonUp(signedWord(static_cast<unsigned>(l) >> 16), signedWord(static_cast<unsigned>(l)), w);
    case WM_PAINT:
    case WM_ERASEBKGND:
        // A system control (subclassed) paints itself.
        if (nOldProc) return std::nullopt;
        return TWindow::HandleEvent(nMsg, w, l);
    default: return TWindow::HandleEvent(nMsg, w, l);
    }
}

Answer TControl::HelpTopic() {
    if (auto* dialog = dynamic_cast<TDialog*>(oWnd); dialog && !nHelpId.isNil()) dialog->helpModeOff();
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
    if (lDrag) ShowDots();
    if (oWnd) {
        oWnd->focusControl(this);
    }
    if (!cMsg.empty()) SetMsg(cMsg);
    bGotFocus(*this, lost);
    return std::nullopt;  // the control's own procedure shows the focus
}

Answer TControl::KillFocus(HWND gaining) {
    TWindow* target = OWNDFROMHWND(gaining);
    const bool toCancel = target && target->lCancel && target->isPushButton() &&
                          oWnd && oWnd->nLastKey != 9 && oWnd->nLastKey != 13 && oWnd->nLastKey != 40 &&
                          oWnd->nLastKey != 38;
    if (toCancel && bValid) {
        oWnd->setValidating(true);
        oWnd->setLastKey(0);
        oWnd->setValidating(false);
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
    parent->setValidating(true);
    const bool ok = c->lValid();
    if (!ok) c->SetFocus();
    parent->setValidating(false);
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
    oWnd->setValidating(true);
    if (due && !lValid()) {
        SetFocus();
    } else {
        ForWhen();
    }
    oWnd->setValidating(false);
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
    oWnd->setLastKey(0);
}

Answer TControl::GetDlgCode(WPARAM key) {
    if (oWnd && !oWnd->lValidating && (key == VK_RETURN || key == VK_TAB || key == VK_DOWN || key == VK_UP))
        oWnd->setLastKey(static_cast<int>(key));
    if (oWnd && !oWnd->oWnd && nDlgCode) return *nDlgCode;
    return std::nullopt;
}

Answer TControl::KeyDown(WPARAM key, LPARAM flags) {
    if (lDrag && key != VK_ESCAPE) {
        if (key == VK_DELETE) {
            if (!bDelete() || !bDelete()()) return 0;
            bPreDelControl(*this);
            if (module().dotsOwner == this) HideDots();
            // A control whose validation refuses stays.
            if (End()) bPostDelControl(*this);
            return 0;
        }
        if (auto step = arrowKeyStep(static_cast<int>(key), GETGRIDSIZE())) {
            const RectList r = rectOnParent(hWnd);
            SetWindowPos(hWnd, nullptr, r[kRectLeft] + step->cols, r[kRectTop] + step->rows, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            CoorsUpdate();
            bDrag(nTop, nLeft);
            bPostDrag(*this);
            if (nAlign() != 1) oWnd->ReSize();
            if (module().dotsOwner == this) ShowDots();
            return 0;
        }
    }
    // Inside a dialog the dialog manager moves the focus on Tab.
    if (!dynamic_cast<TDialog*>(oWnd)) return TWindow::KeyDown(key, flags);
    if (key == VK_TAB) return std::nullopt;
    if (bKeyDown) return bKeyDown(key, flags, *this);
    return std::nullopt;
}

Answer TControl::KeyChar(WPARAM key, LPARAM flags) {
    if (key == VK_ESCAPE && oWnd) {
        oWnd->KeyChar(key, flags);
        return 0;
    }
    if (key == VK_TAB && oWnd) {
        GetKeyState(VK_SHIFT) < 0 ? oWnd->GoPrevCtrl(hWnd) : oWnd->GoNextCtrl(hWnd);
        return 0;
    }
    if (key == VK_RETURN && oWnd && oWnd->hWnd) {
        SYSREFRESH();
        // The dialog's default push button, when it is another control.
        const auto defId = static_cast<int>(LOWORD(SendMessageA(oWnd->hWnd, DM_GETDEFID, 0, 0)));
        HWND def = defId ? GetDlgItem(oWnd->hWnd, defId) : nullptr;
        if (def && def != hWnd && (GetWindowLongPtrA(def, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) {
            SendMessageA(def, WM_KEYDOWN, VK_RETURN, 0);
            return 0;
        }
        for (TWindow* c : oWnd->aControls)
            if (auto* button = dynamic_cast<TBtnBmp*>(c); button && button != this && button->nId == IDOK) {
                button->Click();
                return 0;
            }
    }
    return TWindow::KeyChar(key, flags);
}

Answer TControl::SysCommand(WPARAM cmd, LPARAM l) {
    if ((cmd & 0xFFF0) != SC_KEYMENU || !oWnd) return TWindow::SysCommand(cmd, l);
    const char ch = static_cast<char>(LOWORD(l));
    HWND target = oWnd->GetHotPos(ch, hWnd);
    // No control has it: the menu bar may.
    if (!target) return std::nullopt;
    const TWindow* o = OWNDFROMHWND(target);
    if (!(o && o->lCancel && o->isPushButton())) ::SetFocus(target);
    SYSREFRESH();
    // A field whose validation refused kept the focus: nothing is pressed.
    if (GetFocus() != hWnd) SendMessageA(target, LM_CLICK, 0, 0);
    return 0;
}

Answer TControl::SysKeyDown(WPARAM key, LPARAM flags) {
    if (bSysKeyDown)
        if (Answer a = bSysKeyDown(key, flags, *this)) return a;
    // Without a menu bar the Alt keys are the bar buttons' (the controls'
    // come back as SC_KEYMENU).
    if (!oWnd || oWnd->oMenu || !oWnd->oBar) return std::nullopt;
    if (HWND button = oWnd->oBar->GetHotPos(static_cast<char>(key))) {
        SendMessageA(button, LM_CLICK, 0, 0);
        return 0;
    }
    return std::nullopt;
}

Answer TControl::SysChar(WPARAM key, LPARAM flags) {
    // The MDI child's default handling hands Alt keys to the frame's menu:
    // its controls' hot keys are tried first.
    if (!dynamic_cast<TMdiChild*>(oWnd)) return std::nullopt;
    (void)flags;
    return SysCommand(SC_KEYMENU, static_cast<LPARAM>(key));
}

void TControl::Set3DLook(bool on) {
    l3DLook = hWnd && CTL3DLOOK(hWnd, on) && on;
}

std::string TControl::GetCtrlIndex() const {
    if (!oWnd) return "1";
    int n = 0;
    for (const TWindow* c : oWnd->aControls)
        if (c && c->ClassName() == ClassName()) ++n;
    // A control not yet in its parent's list is the next of its class.
    const bool listed = std::find(oWnd->aControls.begin(), oWnd->aControls.end(), this) != oWnd->aControls.end();
    return std::to_string(listed ? n : n + 1);
}

std::string TControl::rcNumbers() const {
    return std::to_string(nId) + ", " + std::to_string(nTop) + ", " + std::to_string(nLeft) + ", " +
           std::to_string(nWidth()) + ", " + std::to_string(nHeight());
}

TControl::DesignBounds TControl::designBounds(bool dialogUnits) const {
    DesignBounds b{nTop, nLeft, nRight - nLeft, nBottom - nTop};
    if (!dialogUnits) return b;
    const long units = GETDLGBASEUNITS();
    const int bx = static_cast<int>(units & 0xFFFF), by = static_cast<int>((units >> 16) & 0xFFFF);
    return {pixelsToDialogUnits(b.top, 8, by), pixelsToDialogUnits(b.left, 4, bx), pixelsToDialogUnits(b.width, 4, bx),
            pixelsToDialogUnits(b.height, 8, by)};
}

std::function<bool()>& TControl::bDelete() { return module().deleteAsk; }

TControl* TControl::dragging() { return module().dragging; }

void TControl::DragBegin(int row, int col, WPARAM flags) {
    if (!lCaptured) {
        SetCapture(hWnd);
        lCaptured = true;
    }
    module().dragging = this;
    bDragBegin(row, col, flags, *this);
}

Answer TControl::LButtonDown(int row, int col, WPARAM flags) {
    if (oWnd) oWnd->setLastKey(kLastKeyMouse);
    nLastRow = row;
    nLastCol = col;
    lMouseDown = true;
    if (!lDrag) return TWindow::LButtonDown(row, col, flags);
    // Design mode: a move on the grid, shown by a frame until the release.
    bPreDrag(*this);
    HideDots();
    nMResize = 0;
    SetCapture(hWnd);
    lCaptured = true;
    module().frame = {true, 0, 0, 0, 0};
    drawFrame(hWnd, 0, module().frame);
    return 0;
}

void TControl::MResize(int nType, int row, int col) {
    if (!hWnd || nType < 1 || nType > 8) return;
    HideDots();
    nMResize = nType;
    nLastRow = row;
    nLastCol = col;
    lMouseDown = true;
    SetCapture(hWnd);
    lCaptured = true;
    module().frame = {true, 0, 0, 0, 0};
    drawFrame(hWnd, nMResize, module().frame);
}

Answer TControl::MouseMove(int row, int col, WPARAM flags) {
    auto& m = module();
    if (lDrag && lMouseDown && lCaptured) {
        const GridSize g = GETGRIDSIZE();
        ControlModule::Frame next{true, snapToGrid(row - nLastRow, g.height), snapToGrid(col - nLastCol, g.width), 0, 0};
        if (nMResize) {
            // The edges of the handle, moved by whole grid steps.
            RECT r{};
            GetClientRect(hWnd, &r);
            next.row = (nMResize <= 3 ? 0 : r.bottom) + next.rows;
            next.col = (nMResize == 1 || nMResize >= 7 ? 0 : r.right) + next.cols;
        }
        if (next.rows != m.frame.rows || next.cols != m.frame.cols) {
            if (m.frame.drawn) drawFrame(hWnd, nMResize, m.frame);
            m.frame = next;
            drawFrame(hWnd, nMResize, m.frame);
            if (!nMResize) {
                const RectList r = rectOnParent(hWnd);
                bDrag(r[kRectTop] + next.rows, r[kRectLeft] + next.cols);
            }
        }
        return 0;
    }
    if (lMouseDown && !m.dragging && oDragCursor && dragThresholdPassed(nLastRow, nLastCol, row, col))
        DragBegin(row, col, flags);
    if (m.dragging == this) {
        bMMoved(row, col, flags);
        POINT p{col, row};
        ClientToScreen(hWnd, &p);
        HWND under = WindowFromPoint(p);
        TWindow* target = OWNDFROMHWND(under);
        const bool accepts = under == hWnd || (target && target->bDropOver);
        SetCursor(accepts && oDragCursor->hCursor ? oDragCursor->hCursor : LoadCursorA(nullptr, IDC_NO));
        return 0;
    }
    return TWindow::MouseMove(row, col, flags);
}

Answer TControl::LButtonUp(int row, int col, WPARAM flags) {
    auto& m = module();
    lMouseDown = false;
    if (m.dragging == this) {
        m.dragging = nullptr;
        lCaptured = false;
        ReleaseCapture();
        POINT p{col, row};
        ClientToScreen(hWnd, &p);
        if (HWND under = WindowFromPoint(p)) {
            ScreenToClient(under, &p);
            SendMessageA(under, LM_DROPOVER, flags,
                         MAKELPARAM(static_cast<WORD>(p.y), static_cast<WORD>(p.x)));
        }
        return 0;
    }
    if (!(lDrag && lCaptured)) return TWindow::LButtonUp(row, col, flags);
    // Design mode: the move or resize ends where the frame stands.
    const ControlModule::Frame f = std::exchange(m.frame, ControlModule::Frame{});
    if (f.drawn) drawFrame(hWnd, nMResize, f);
    lCaptured = false;
    ReleaseCapture();
    const RectList before = rectOnParent(hWnd);
    RectList after = before;
    if (nMResize) {
        POINT p{f.col, f.row};
        MapWindowPoints(hWnd, GetParent(hWnd), &p, 1);
        if (f.rows || f.cols) after = designFrame(before, nMResize, f.rows, f.cols, p.y, p.x);
    } else {
        after = designFrame(before, 0, f.rows, f.cols, 0, 0);
    }
    nMResize = 0;
    if (after != before && after[kRectRight] > after[kRectLeft] && after[kRectBottom] > after[kRectTop]) {
        SetWindowPos(hWnd, nullptr, after[kRectLeft], after[kRectTop], after[kRectRight] - after[kRectLeft],
                     after[kRectBottom] - after[kRectTop], SWP_NOZORDER | SWP_NOACTIVATE);
        CoorsUpdate();
        if (after[kRectTop] != before[kRectTop] || after[kRectLeft] != before[kRectLeft]) bPostDrag(*this);
        if (nAlign() != 1) oWnd->ReSize();
    }
    if (GetFocus() == hWnd)
        ShowDots();
    else
        ::SetFocus(hWnd);
    return 0;
}

std::array<HWND, 8> TControl::aDots() { return module().dots; }

void TControl::CheckDots() {
    if (!hWnd) return;
    const GridSize g = GETGRIDSIZE();
    const RectList r = rectOnParent(hWnd);
    SetWindowPos(hWnd, nullptr, snapToGrid(r[kRectLeft], g.width), snapToGrid(r[kRectTop], g.height),
                 snapToGrid(r[kRectRight] - r[kRectLeft], g.width), snapToGrid(r[kRectBottom] - r[kRectTop], g.height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    CoorsUpdate();
    auto& dots = module().dots;
    if (isDot(dots[0])) return;
    registerDotClass();
    for (int i = 0; i < 8; ++i) {
        dots[static_cast<std::size_t>(i)] =
            CreateWindowExA(0, kDotClass, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 2, 2, GetParent(hWnd), nullptr,
                            GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(dots[static_cast<std::size_t>(i)], GWLP_USERDATA, i + 1);
    }
}

void TControl::ShowDots() {
    if (!hWnd) return;
    auto& m = module();
    if (!isDot(m.dots[0])) CheckDots();
    HWND parent = GetParent(hWnd);
    for (HWND d : m.dots) {
        if (GetParent(d) != parent) SetParent(d, parent);
    }
    m.dotsOwner = this;
    DOTSADJUST(hWnd, m.dots);
    for (HWND d : m.dots) SetWindowPos(d, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TControl::HideDots() {
    auto& m = module();
    for (HWND d : m.dots)
        if (isDot(d)) ShowWindow(d, SW_HIDE);
    // The parent repaints where the handles stood before a frame is drawn
    // over that place.
    if (isDot(m.dots[0])) UpdateWindow(GetParent(m.dots[0]));
    m.dotsOwner = nullptr;
}

}  // namespace wl
