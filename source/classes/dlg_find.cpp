#include "dlg_find.hpp"

#include <dlgs.h>

#include <algorithm>
#include <cstring>
#include <exception>

#include "message_loop.hpp"
#include "window_module.hpp"

namespace wl {

TDlgFind::TDlgFind() = default;

TDlgFind::~TDlgFind() {
    if (hWnd) DEREGDIALOG(hWnd);
}

TDlgFind& TDlgFind::New(const std::string& text, TWindow* owner, FindAction search) {
    oWnd = owner ? owner : GETWNDDEFAULT();
    bSearch = std::move(search);
    lModal = false;
    lTransparent = false;
    // The dialog keeps writing into the buffer while it is open: it is
    // ours, sized once, and the initial text is cut to fit it.
    text_.fill('\0');
    std::memcpy(text_.data(), text.data(), std::min(text.size(), text_.size() - 1));
    fr_ = {};
    fr_.lStructSize = sizeof fr_;
    fr_.hwndOwner = oWnd && oWnd->hWnd ? oWnd->hWnd : nullptr;
    fr_.lpstrFindWhat = text_.data();
    fr_.wFindWhatLen = static_cast<WORD>(text_.size());
    fr_.Flags = FR_DOWN | FR_SHOWHELP | FR_ENABLEHOOK;
    fr_.lCustData = reinterpret_cast<LPARAM>(this);
    fr_.lpfnHook = &TDlgFind::hook;
    hWnd = FindTextA(&fr_);
    if (!hWnd) return *this;
    if (nFindMsgString == 0) nFindMsgString = RegisterWindowMessageA(FINDMSGSTRINGA);
    REGDIALOG(hWnd);
    Link(false);  // the system dialog keeps its own procedure
    if (fr_.hwndOwner) {
        // Centred in its owner.
        RECT o{}, d{};
        GetWindowRect(fr_.hwndOwner, &o);
        GetWindowRect(hWnd, &d);
        SetWindowPos(hWnd, nullptr, o.left + ((o.right - o.left) - (d.right - d.left)) / 2,
                     o.top + ((o.bottom - o.top) - (d.bottom - d.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
    }
    ShowWindow(hWnd, SW_SHOW);
    ::SetFocus(hWnd);
    return *this;
}

std::string TDlgFind::cText() const {
    if (!hWnd) return text_.data();
    char text[kFindTextSize] = {};
    GetDlgItemTextA(hWnd, edt1, text, sizeof text);
    return text;
}

void TDlgFind::findNext() {
    if (!bSearch) return;
    const bool down = hWnd && IsDlgButtonChecked(hWnd, rad2) == BST_CHECKED;
    bSearch(cText(), down, *this);
}

// Find Next (IDOK) reaches the hook before the dialog's own handling.
UINT_PTR CALLBACK TDlgFind::hook(HWND hDlg, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_INITDIALOG) {
        SetPropA(hDlg, "zr.find", reinterpret_cast<HANDLE>(reinterpret_cast<FINDREPLACEA*>(l)->lCustData));
        return TRUE;
    }
    auto* self = reinterpret_cast<TDlgFind*>(GetPropA(hDlg, "zr.find"));
    if (msg == WM_NCDESTROY) RemovePropA(hDlg, "zr.find");
    if (self && msg == WM_COMMAND && LOWORD(w) == IDOK && HIWORD(w) == BN_CLICKED) {
        try {
            self->findNext();
        } catch (const std::exception& e) {
            // Nothing may cross the dialog's procedure.
            window_detail::reportEventError({e.what(), msg, 0, {}});
        } catch (...) {
            window_detail::reportEventError({"unknown error", msg, 0, {}});
        }
    }
    return FALSE;
}

std::unique_ptr<TDlgFind> DlgFindText(const std::string& text, TWindow* owner, FindAction search) {
    auto dialog = std::make_unique<TDlgFind>();
    dialog->New(text, owner, std::move(search));
    return dialog;
}

}  // namespace wl
