// TDlgFind: the system's modeless Find dialog as a library dialog. The
// dialog reads and writes the search text in a buffer this object owns for
// the dialog's whole life, never in a caller's text. Find Next evaluates the
// search action with the text, whether the search runs downwards, and the
// dialog.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "dialog.hpp"

namespace wl {

class TDlgFind;
using FindAction = std::function<void(const std::string& text, bool down, TDlgFind&)>;

// The search text buffer: comfortably above the 256 bytes the dialog needs.
inline constexpr std::size_t kFindTextSize = 512;

class TDlgFind : public TDialog {
public:
    TDlgFind();
    ~TDlgFind() override;

    std::string ClassName() const override { return "TDLGFIND"; }

    // The number of the system's find message, taken from the first dialog.
    static inline UINT nFindMsgString = 0;

    FindAction bSearch;

    // Opens the dialog for the owner (the default window when none) with
    // the initial text; the dialog is modeless, so this returns at once.
    TDlgFind& New(const std::string& text, TWindow* owner = nullptr, FindAction search = {});
    // The text now in the dialog's field.
    std::string cText() const;

private:
    static UINT_PTR CALLBACK hook(HWND hDlg, UINT msg, WPARAM w, LPARAM l);
    void findNext();
    std::array<char, kFindTextSize> text_{};
    FINDREPLACEA fr_{};
};

// Creates the find dialog and answers it; the caller owns it.
std::unique_ptr<TDlgFind> DlgFindText(const std::string& text, TWindow* owner = nullptr, FindAction search = {});

}  // namespace wl
