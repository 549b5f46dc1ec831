// One-page print jobs of a window's image, for windows that print
// themselves without a print-job object.
#pragma once

#include <windows.h>

#include <string>

namespace wl {

// The printer's device context: the default printer's, or the one the user
// picks in the print dialog with askUser; 0 when there is no printer or the
// user cancels. The caller deletes it.
HDC openPrinterDC(bool askUser, HWND owner = nullptr);

// Prints the window's client image at (row, col) of the page, scale printer
// pixels per window pixel, as the only page of a job titled title. The
// context stays the caller's. False when the job could not be printed.
bool printWindowPage(HDC printer, HWND hWnd, const std::string& title, int row, int col, int scale);

}  // namespace wl
