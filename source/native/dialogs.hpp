// Modal and modeless dialogs from resources or from template bytes built in
// memory (CDLG2CHR, CCTRL2CHR). A modal dialog's messages reach its object
// through the stack of open modal dialogs; a modeless dialog's object gets
// WM_INITDIALOG as the modal one does and links itself then.
#pragma once

#include <windows.h>

#include <string>

#include "event_target.hpp"
#include "modal_stack.hpp"

namespace wl {

// Runs a modal dialog and answers its result as an unsigned 16-bit number
// (a failure, -1, comes back as 65535). The object receives every message
// of the dialog; without one the dialog gets the dialog manager's handling.
int DIALOGBOX(HINSTANCE hInstance, const std::string& cTemplate, HWND hOwner, EventTarget* oDlg);
int DIALOGBOX(HINSTANCE hInstance, int nTemplate, HWND hOwner, EventTarget* oDlg);
// From template bytes; an empty template answers 0 and opens nothing.
int DIALOGBOXINDIRECT(HINSTANCE hInstance, const std::string& cTemplate, HWND hOwner, EventTarget* oDlg);

// Creates a modeless dialog (hidden); the object, if any, answers its
// WM_INITDIALOG (lParam: the dialog's handle), the minimal procedure the
// rest. Its handle, 0 for an empty template or a failure.
HWND CREATEDLG(HINSTANCE hInstance, const std::string& cTemplate, HWND hOwner, EventTarget* oDlg = nullptr);
HWND CREATEDLG(HINSTANCE hInstance, int nTemplate, HWND hOwner, EventTarget* oDlg = nullptr);
HWND CREATEDLGINDIRECT(HINSTANCE hInstance, const std::string& cTemplate, HWND hOwner, EventTarget* oDlg = nullptr);

// The item height the minimal procedure answers to WM_MEASUREITEM (0: none).
void SETOWNERDRAWITEMHEIGHT(int nHeight);
// Ends a dialog and clears that height.
bool ENDDIALOG(HWND hDlg, INT_PTR nResult);
// The system dialog base units: width in the low word, height in the high word.
long GETDLGBASEUNITS();

// The stack of open modal dialogs.
const ModalStack<EventTarget>& modalDialogStack();

}  // namespace wl
