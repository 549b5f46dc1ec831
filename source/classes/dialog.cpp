#include "dialog.hpp"

#include "menu.hpp"

#include <algorithm>

#include "control_models.hpp"
#include "dialog_template.hpp"
#include "window_natives.hpp"
#include "dialogs.hpp"
#include "help_keys.hpp"
#include "library_error.hpp"
#include "message_loop.hpp"
#include "resources.hpp"
#include "text.hpp"
#include "window_units.hpp"
#include "xbrowse.hpp"
#include "process_state.hpp"

namespace wl {
namespace {

struct DialogModule {
    int openActivations = 0;
    bool escape = true;
    bool centerOnParent = false;
    GradientSpec gradient;
};

DialogModule& module() {
    return processState().dialogs.get<DialogModule>();
}

std::string cannotCreate(const TDialog& d) {
    return "\r\n" + std::string(22, ' ') +
           (d.cResName ? "Resource: " + resourceText(*d.cResName) : "Title: " + d.cCaption);
}

// Controls that keep their own background over a transparent dialog.
bool keepsOwnBackground(const TControl& c) {
    static const char* const kOpaque[] = {"TGET",     "TMULTIGET", "TBTNBMP", "TCOMBOBOX", "TWBROWSE",
                                          "TCBROWSE", "TXBROWSE",  "TLISTBOX", "TDBCOMBO", "TDATEPICK"};
    const std::string name = c.ClassName();
    for (const char* opaque : kOpaque)
        if (name == opaque) return true;
    return dynamic_cast<const TXBrowse*>(&c) != nullptr;
}

// Windows multiplies by 1.16668 and keeps the whole part.
int widened(int pixels) { return static_cast<int>(pixels * 1.16668); }

}  // namespace

std::string resourceText(const DialogResource& r) {
    if (const int* id = std::get_if<int>(&r)) return std::to_string(*id);
    return std::get<std::string>(r);
}

bool SETDIALOGESC(std::optional<bool> on) {
    const bool before = module().escape;
    if (on) module().escape = *on;
    return before;
}

bool SETCENTERONPARENT(std::optional<bool> on) {
    const bool before = module().centerOnParent;
    if (on) module().centerOnParent = *on;
    return before;
}

GradientSpec SETDLGGRADIENT(const GradientSpec& grad) { return std::exchange(module().gradient, grad); }

Answer TDialog::Target::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    // Nothing may cross the dialog manager.
    try {
        return dialog->HandleEvent(nMsg, w, l);
    } catch (...) {
        dialog->handlerFailed(nMsg);
        return std::nullopt;
    }
}

void TDialog::handlerFailed(UINT msg) {
    if (activating_) {
        if (!startError_) startError_ = std::current_exception();
    } else {
        TWindow::handlerFailed(msg);
    }
    if (!hWnd) return;
    failed_ = true;
    if (lModal)
        EndDialog(hWnd, 0);
    else if (activating_)
        ShowWindow(hWnd, SW_HIDE);  // Activate destroys it
    else
        PostMessageA(hWnd, WM_CLOSE, 2, 0);
}

TDialog::TDialog() { target_.dialog = this; }

TDialog::~TDialog() = default;

TDialog& TDialog::New(const DialogNew& a) {
    nClrText = a.nClrText.value_or(GetSysColor(COLOR_BTNTEXT));
    nClrPane = a.nClrBack.value_or(GetSysColor(COLOR_BTNFACE));
    bool pixel = a.lPixel;
    double top = a.nTop, left = a.nLeft, bottom = a.nBottom, right = a.nRight;
    if (a.nWidth != 0 || a.nHeight != 0) {
        pixel = true;
        bottom = a.nHeight;
        right = a.nWidth;
    }
    lTransparent = a.lTransparent || !a.aGradColors.empty() || !module().gradient.empty();
    aControls.clear();
    cCaption = a.cCaption.substr(0, 140);
    cResName = a.cResName;
    hResources = a.hResources ? a.hResources : GETRESOURCES();
    lResize16 = false;
    lModify = true;
    lVisible = false;
    nResult = 0;
    nStyle = a.nStyle;
    oWnd = a.oWnd;
    if (a.oFont) {
        oFont = a.oFont;
        ++oFont->nCount;
    }
    aGradColors = a.aGradColors;
    cVarName = a.cVarName;
    nLastKey = 0;
    SetColor(nClrText, nClrPane, a.oBrush);
    if (pixel) {
        nTop = static_cast<int>(top);
        nLeft = static_cast<int>(left);
        nBottom = static_cast<int>(bottom);
        nRight = static_cast<int>(right);
    } else {
        nTop = static_cast<int>(static_cast<int>(top) * rowPixels());
        nLeft = static_cast<int>(static_cast<int>(left) * colPixels());
        nBottom = static_cast<int>(static_cast<int>(bottom) * rowPixels());
        nRight = static_cast<int>(static_cast<int>(right) * colPixels());
    }
    Register();
    SETWNDDEFAULT(this);
    return *this;
}

TDialog& TDialog::Define(int top, int left, int bottom, int right, const std::string& caption, DWORD style, bool vbx,
                         std::optional<Color> clrText, std::optional<Color> clrBack, std::shared_ptr<TBrush> brush) {
    hWnd = nullptr;
    nTop = top;
    nLeft = left;
    nBottom = bottom;
    nRight = right;
    cCaption = caption.substr(0, 140);
    nStyle = style;
    lVbx = vbx;
    nLastKey = 0;
    SetColor(clrText.value_or(GetSysColor(COLOR_BTNTEXT)), clrBack.value_or(GetSysColor(COLOR_BTNFACE)), brush);
    return *this;
}

void TDialog::SetControl(TControl* oCtrl) {
    dock(Dock::Client, oCtrl);
    ReSize();
}

const GradientSpec& TDialog::gradient() const { return aGradColors.empty() ? module().gradient : aGradColors; }

void TDialog::controlsOverBackground() {
    for (TWindow* c : aControls)
        if (auto* ctl = dynamic_cast<TControl*>(c); ctl && !keepsOwnBackground(*ctl)) ctl->lTransparent = true;
}

TControl* TDialog::controlWithId(int id) const {
    for (TWindow* c : aControls)
        if (c && c->nId == id) return dynamic_cast<TControl*>(c);
    return nullptr;
}

void TDialog::DefControl(TControl* oCtrl) {
    if (oCtrl->nId == 0) oCtrl->nId = TControl::GetNewId();
    if (controlWithId(oCtrl->nId))
        throw LibraryError(kErrorDuplicatedId, "Duplicated Id", "No: " + rightAligned(oCtrl->nId, 6));
    oCtrl->hWnd = nullptr;
    aControls.push_back(oCtrl);
}

std::string TDialog::cToChar(HWND hOwner) {
    const long units = GETDLGBASEUNITS();
    const int bx = static_cast<int>(units & 0xFFFF), by = static_cast<int>((units >> 16) & 0xFFFF);
    RECT owner{};
    if (hOwner) GetWindowRect(hOwner, &owner);
    std::string t = CDLG2CHR(static_cast<int>(aControls.size()), pixelsToDialogUnits(nTop - owner.top, 8, by),
                             pixelsToDialogUnits(nLeft - owner.left, 4, bx),
                             pixelsToDialogUnits(nBottom - owner.top, 8, by),
                             pixelsToDialogUnits(nRight - owner.left, 4, bx), cCaption, nStyle);
    for (TWindow* c : aControls)
        if (auto* ctl = dynamic_cast<TControl*>(c)) t += ctl->cToChar();
    return t;
}

void TDialog::Activate(const DialogActivate& a) {
    struct Running {
        bool& flag;
        bool before;
        explicit Running(bool& f) : flag(f), before(std::exchange(f, true)) {}
        ~Running() { flag = before; }
    } running(activating_);
    failed_ = false;
    nLastKey = 0;
    ++module().openActivations;
    HWND owner = oWnd ? oWnd->hWnd : nullptr;
    if (!oWnd) owner = (module().openActivations > 1 || LWRUNNING()) ? GetActiveWindow() : GETWNDAPP();
    lCentered = a.lCentered;
    lCenterInWnd = a.lCenterInWnd;
    lModal = a.lModal;
    lResize16 = a.lResize16;
    if (a.bLClicked) bLClicked = a.bLClicked;
    if (a.bRClicked) bRClicked = a.bRClicked;
    if (a.bWhen) bWhen = a.bWhen;
    if (a.bValid) bValid = a.bValid;
    if (a.bInit) bInit = a.bInit;
    if (a.bPainted) bPainted = a.bPainted;
    if (a.bMoved) bMoved = a.bMoved;
    nResult.reset();
    lValidating = false;
    lVisible = true;
    if (bWhen && !bWhen()) {
        nResult = 2;
        lVisible = false;
        --module().openActivations;
        return;
    }
    startError_ = nullptr;
    HINSTANCE instance = hResources ? hResources : GetModuleHandleA(nullptr);
    if (lModal) {
        int answer = 0;
        if (cResName) {
            answer = std::holds_alternative<int>(*cResName)
                         ? DIALOGBOX(instance, std::get<int>(*cResName), owner, &target_)
                         : DIALOGBOX(instance, std::get<std::string>(*cResName), owner, &target_);
        } else {
            answer = DIALOGBOXINDIRECT(GetModuleHandleA(nullptr), cResData.empty() ? cToChar(owner) : cResData, owner,
                                       &target_);
        }
        --module().openActivations;
        lVisible = false;
        hWnd = nullptr;
        if (startError_) std::rethrow_exception(std::exchange(startError_, nullptr));
        if (answer == 65535) throw LibraryError(kErrorCannotCreateDialog, "Cannot create Dialog Box", cannotCreate(*this));
        if (!nResult) nResult = answer;
        return;
    }
    if (!aControls.empty() && !CANREGDIALOG()) {
        --module().openActivations;
        MessageBoxA(owner, "Not possible to create more non-modal Dialogs", "Alert", MB_OK | MB_ICONWARNING);
        return;
    }
    // The object answers WM_INITDIALOG (Initiate) while the dialog is made.
    HWND h = nullptr;
    if (cResName)
        h = std::holds_alternative<int>(*cResName)
                ? CREATEDLG(instance, std::get<int>(*cResName), owner, &target_)
                : CREATEDLG(instance, std::get<std::string>(*cResName), owner, &target_);
    else
        h = CREATEDLGINDIRECT(GetModuleHandleA(nullptr), cResData.empty() ? cToChar(owner) : cResData, owner,
                              &target_);
    if (h && startError_) {
        lVisible = false;
        DestroyWindow(h);
        hWnd = nullptr;
    }
    if (startError_) {
        --module().openActivations;
        std::rethrow_exception(std::exchange(startError_, nullptr));
    }
    if (!h) {
        --module().openActivations;
        throw LibraryError(kErrorCannotCreateDialog, "Cannot create Dialog Box", cannotCreate(*this));
    }
    ShowWindow(h, SW_HIDE);
    if (!aControls.empty() && !REGDIALOG(h)) {
        SendMessageA(h, WM_CLOSE, 0, 0);
        --module().openActivations;
        MessageBoxA(owner, "Not possible to create more non-modal Dialogs", "Alert", MB_OK | MB_ICONWARNING);
        return;
    }
    if (!aControls.empty()) {
        if (HWND first = GetNextDlgTabItem(h, nullptr, FALSE)) ::SetFocus(first);
    }
    ShowWindow(h, SW_SHOW);
    UpdateWindow(h);
    --module().openActivations;
}

bool TDialog::Initiate(HWND, HWND hDlg) {
    bool answer = true;
    if (hDlg) hWnd = hDlg;
    if (!lModal) Link();
    if (oFont) {
        SendMessageA(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(oFont->hFont), FALSE);
        for (HWND c = GetWindow(hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(oFont->hFont), FALSE);
    } else {
        GetFont();
    }
    if (!gradient().empty()) Gradient(gradient());
    if (lTransparent) controlsOverBackground();
    for (TWindow* c : aControls)
        if (auto* ctl = dynamic_cast<TControl*>(c)) ctl->Initiate(hWnd);
    if (lResize16 && cResName) widen();
    if (lCentered) {
        if (module().centerOnParent || lCenterInWnd)
            Center(oWnd ? oWnd : WNDMAIN());
        else
            Center(nullptr);
    } else if (!cResName && cResData.empty()) {
        SetWindowPos(hWnd, nullptr, nLeft, nTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    // A resource dialog's caption and style come from its template unless
    // the object names a caption of its own.
    if (!cResName || !cCaption.empty()) SetWindowTextA(hWnd, cCaption.c_str());
    if (cResName) nStyle = static_cast<DWORD>(GetWindowLongPtrA(hWnd, GWL_STYLE));
    makeScrollBars(nStyle & WS_VSCROLL, nStyle & WS_HSCROLL);
    if (oIcon) SendMessageA(hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(oIcon));
    SetAlphaLevel();
    bInit(*this);
    Help95();
    AEvalWhen();
    return answer;
}

void TDialog::widen() {
    RECT r{};
    GetWindowRect(hWnd, &r);
    SetWindowPos(hWnd, nullptr, 0, 0, widened(r.right - r.left), r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (HWND c = GetWindow(hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT cr{};
        GetWindowRect(c, &cr);
        MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&cr), 2);
        SetWindowPos(c, nullptr, widened(cr.left), cr.top, widened(cr.right - cr.left), cr.bottom - cr.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool TDialog::End(int result) {
    if (!lModal) {
        PostMessageA(hWnd, WM_CLOSE, static_cast<WPARAM>(result), 0);
        SYSREFRESH();
        return true;
    }
    if (bValid && !bValid(*this)) return false;
    nResult = result;
    ENDDIALOG(hWnd, result);
    SYSREFRESH();
    return true;
}

Answer TDialog::Close(WPARAM result) {
    if (lModal) return std::nullopt;
    if (!failed_ && bValid && !bValid(*this)) return 0;
    nResult = static_cast<INT_PTR>(result);
    lVisible = false;
    DestroyWindow(hWnd);
    return 1;
}

Answer TDialog::Destroy() {
    const bool modeless = !lModal;
    HWND h = hWnd;
    TWindow::Destroy();
    if (modeless) DEREGDIALOG(h);
    return modeless ? Answer(1) : std::nullopt;
}

Answer TDialog::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    switch (nMsg) {
    case WM_INITDIALOG: return Initiate(reinterpret_cast<HWND>(w), reinterpret_cast<HWND>(l)) ? 1 : 0;
    case WM_PAINT: return bPainted || bStart ? Display() : std::nullopt;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: return std::nullopt;
    case WM_PRINTCLIENT: return PrintClient();
    case WM_LBUTTONDOWN:
        if (inHelpMode()) {
            // The click names the control whose help is wanted.
            POINT p{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
            HWND under = ChildWindowFromPointEx(hWnd, p, CWP_SKIPINVISIBLE);
            HELPINFO info{};
            info.cbSize = sizeof info;
            info.iContextType = HELPINFO_WINDOW;
            info.hItemHandle = under ? under : hWnd;
            info.iCtrlId = under ? GetDlgCtrlID(under) : 0;
            ClientToScreen(hWnd, &p);
            info.MousePos = p;
            Help(0, reinterpret_cast<LPARAM>(&info));
            return std::nullopt;
        }
        return TWindow::HandleEvent(nMsg, w, l);
    default: return TWindow::HandleEvent(nMsg, w, l);
    }
}

Answer TDialog::Display() {
    BeginPaint();
    bPainted(hDC, &cPS, *this);
    EndPaint();
    if (bStart) {
        auto start = std::exchange(bStart, Action<TWindow&>());
        start(*this);
    }
    return 0;
}

Answer TDialog::EraseBkGnd(HDC dc) {
    if (bEraseBkGnd) return bEraseBkGnd(dc);
    if (!oBrush || !dc) return std::nullopt;
    // A gradient or picture follows the dialog's size.
    const RECT r = oBrush->Resize(hWnd);
    FillRect(dc, &r, oBrush->hBrush);
    return 1;
}

Answer TDialog::ReSize(WPARAM sizeType, int width, int height) {
    Answer a = TWindow::ReSize(sizeType, width, height);
    if (hWnd) InvalidateRect(hWnd, nullptr, TRUE);
    return a;
}

Answer TDialog::Help(WPARAM, LPARAM l) {
    TWindow* control = OWNDFROMHWND(static_cast<HWND>(HELPCTRLHWND(l)));
    helpModeOff();
    if (!control || control == this || !control->HelpTopic()) TWindow::HelpTopic();
    return 1;
}

void TDialog::helpModeOff() {
    if (!inHelpMode()) return;
    lHelpIcon = false;
    if (hWnd && GetCapture() == hWnd) ReleaseCapture();
}

void TDialog::Help95() {
    if (!hWnd || lHelpIcon == false) return;
    // Windows shows the button only on a frame without minimise and
    // maximise boxes.
    WinExStyle(WS_EX_CONTEXTHELP, true);
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

Answer TDialog::SysCommand(WPARAM cmd, LPARAM) {
    releasePressedButtons();
    const auto c = static_cast<UINT>(cmd & 0xFFF0);
    if (c == SC_CLOSE && lModal) {
        // The close box becomes a cancel through the dialog manager.
        ReleaseCapture();
        return std::nullopt;
    }
    if (c == SC_CONTEXTHELP) {
        // The next click on the dialog names the control whose help is
        // shown; the mouse is held so that the click reaches the dialog.
        lHelpIcon = true;
        SetCapture(hWnd);
        SetCursor(LoadCursorA(nullptr, IDC_HELP));
        return std::nullopt;
    }
    if (cmd < 61440 && oSysMenu && oSysMenu->Command(cmd)) return 0;
    return std::nullopt;
}

Answer TDialog::MouseMove(int row, int col, WPARAM flags) {
    if (inHelpMode()) {
        SetCursor(LoadCursorA(nullptr, IDC_HELP));
        return 0;
    }
    return TWindow::MouseMove(row, col, flags);
}

Answer TDialog::KeyChar(WPARAM key, LPARAM flags) {
    if (key != VK_ESCAPE) return TWindow::KeyChar(key, flags);
    if (bKeyChar) return bKeyChar(key, flags);
    if (module().escape) End(2);
    return 0;
}

Answer TDialog::Command(WPARAM w, LPARAM l) {
    const int id = static_cast<int>(LOWORD(w));
    const auto command = controlCommandOf(static_cast<int>(HIWORD(w)));
    const bool click = command == ControlCommand::Clicked;
    HWND ctl = reinterpret_cast<HWND>(l);
    // Menu commands go to the open pop-up or the dialog's menu; taken for a
    // command without a control they would end the dialog.
    if (oPopup) {
        oPopup->Command(static_cast<UINT_PTR>(id));
        return std::nullopt;
    }
    if (!ctl && oMenu && click && id != IDCANCEL) {
        oMenu->Command(static_cast<UINT_PTR>(id));
        return std::nullopt;
    }
    if (ctl && GETCLASSNAME(ctl) == "ToolbarWindow32") return TWindow::Command(w, l);
    if (!ctl && oMenu && id != IDCANCEL && !click) {
        // An accelerator of the menu (a control's change notification
        // carries its window and goes on below).
        if (command == ControlCommand::Changed) oMenu->Command(static_cast<UINT_PTR>(id));
        return std::nullopt;
    }
    if (id == 0) return std::nullopt;
    if (click && ctl && id != IDCANCEL) {
        auto* focused = dynamic_cast<TControl*>(oCtlFocus);
        TWindow* clicked = OWNDFROMHWND(ctl);
        if (focused && focused->hWnd == GetFocus() && focused->hWnd != ctl && !(clicked && clicked->lCancel) &&
            !focused->lValid())
            return std::nullopt;
        if (controlWithId(id)) {
            reflectCommand(ctl, ControlCommand::Clicked);
            return 0;
        }
        if (id == IDOK) End(1);
        return 0;
    }
    if (click) {
        if (id == IDOK) {
            GoNextCtrl(GetFocus());
            return lModal ? std::nullopt : Answer(0);
        }
        if (ctl && controlWithId(id)) {
            reflectCommand(ctl, ControlCommand::Clicked);
            return 0;
        }
        // Escape, the close box or a command without a control.
        if (id == IDCANCEL && !module().escape && GetKeyState(VK_ESCAPE) < 0) return 0;
        End(2);
        return 0;
    }
    if (command && ctl) reflectCommand(ctl, *command);
    return std::nullopt;
}

}  // namespace wl
