// The main message loop, message draining, the modeless dialog registry
// and the process accelerator table. One user-interface thread.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "message_pump.hpp"  // LWRUNNING, the loop-running flag

namespace wl {

// Runs until WM_QUIT; hWnd (when given) is the main window meanwhile.
// Answers the main window handle that was in force before.
HWND WINRUN(HWND hWnd = nullptr);
// Drains waiting messages without waiting; false when it met WM_QUIT. The
// quit message is posted again so that it is never lost.
bool SYSREFRESH();

HWND GETWNDAPP();
// Takes hWnd as the main window only when none is set; answers hWnd.
HWND SETWNDAPP(HWND hWnd);
// Forgets hWnd as the main window (it is being destroyed), so that a later
// window that gets the same handle is not taken for it.
void forgetWndApp(HWND hWnd);

inline constexpr std::size_t kModelessDialogSlots = 1500;
bool REGDIALOG(HWND hDlg);
bool CANREGDIALOG();
bool DEREGDIALOG(HWND hDlg);
// The highest used slot (for tests of the IsDialogMessage pass).
std::size_t modelessHighestSlot();

struct AccelKey {
    int key = 0;
    int flags = 0;  // FVIRTKEY is added
    int command = 0;
};
// A new accelerator table of the keys (the caller destroys it); nullptr
// when there are none.
HACCEL makeAccelTable(const std::vector<AccelKey>& keys);
// Builds the process accelerator table from the keys; answers its handle.
HACCEL SETACCTABLE(const std::vector<AccelKey>& keys);
// Destroys and clears the process table.
void SETACCTABLE();
HACCEL processAccelTable();
// Makes a table that its owner keeps (and destroys) the process table,
// translating keys for `target` (the main window when none); nullptr
// clears it. A table set this way is never destroyed here.
void useAccelTable(HACCEL table, HWND target);

int TRANSLATEACCELERATOR(HWND hWnd, HACCEL hAccel, HWND hWndFocus, UINT nMsg, WPARAM wParam, LPARAM lParam);
bool PEEKMESSAGE(MSG& msg, HWND hWnd, UINT nMin, UINT nMax, UINT nRemove);
void WAITMESSAGE();
void MESSAGEBEEP(UINT nType);
void MSGBEEP();

}  // namespace wl
