// Pop-up menus opened by bars and buttons (drop-down arrows). The menu is
// tracked at a point of the owner's client area; its commands reach the
// owner as WM_COMMAND. Tests replace the modal tracking with a hook.
#pragma once

#include <windows.h>

#include <functional>

namespace wl {

// Shows the menu at (row, col) of the owner's client area and destroys it
// afterwards; false for a missing menu or owner.
bool SHOWPOPUPMENU(HMENU hMenu, HWND hOwner, int nRow, int nCol);

// Tracks the menu at (row, col) of the owner's client area and keeps it:
// the caller owns the handle (a TMenu). Goes through the hook when set.
bool TRACKPOPUPMENU(HMENU hMenu, HWND hOwner, int nRow, int nCol, UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN);

// Receives every pop-up instead of the modal tracking while set (the menu
// is still destroyed after the hook returns).
using PopupMenuHook = std::function<void(HMENU menu, HWND owner, int row, int col)>;
void setPopupMenuHook(PopupMenuHook hook);

}  // namespace wl
