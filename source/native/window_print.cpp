#include "window_print.hpp"

#include <commdlg.h>

#include "bitmaps.hpp"
#include "message_loop.hpp"

namespace wl {

HDC openPrinterDC(bool askUser, HWND owner) {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    // No warning box when there is no printer at all: the caller answers.
    pd.Flags = PD_RETURNDC | PD_NOWARNING | (askUser ? PD_NOPAGENUMS | PD_NOSELECTION : PD_RETURNDEFAULT);
    const BOOL ok = PrintDlgA(&pd);
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    return ok ? pd.hDC : nullptr;
}

bool printWindowPage(HDC printer, HWND hWnd, const std::string& title, int row, int col, int scale) {
    if (!printer || !IsWindow(hWnd)) return false;
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = title.c_str();
    if (StartDocA(printer, &doc) <= 0) return false;
    bool ok = StartPage(printer) > 0;
    if (ok) {
        SYSREFRESH();  // the window repaints before its image is taken
        WNDPRINT(hWnd, printer, col, row, scale);
        ok = EndPage(printer) > 0;
    }
    if (ok)
        ok = EndDoc(printer) > 0;
    else
        AbortDoc(printer);
    return ok;
}

}  // namespace wl
