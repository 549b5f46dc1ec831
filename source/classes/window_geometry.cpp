// TWindow: position and size.
#include "window.hpp"

#include <commdlg.h>
#include <dde.h>
#include <shellapi.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>

#include "library_error.hpp"
#include "dde.hpp"
#include "dde_text.hpp"
#include "menu.hpp"
#include "timer.hpp"
#include "menus.hpp"
#include "messages.hpp"
#include "message_loop.hpp"
#include "meter.hpp"
#include "slot_registry.hpp"
#include "system_dialogs.hpp"
// Two folders hold a system_facts.hpp; this one has GETSYSFONT.
#include "bitmaps.hpp"
#include "button.hpp"
#include "control.hpp"
#include "dbf_table.hpp"
#include "desktop_facts.hpp"
#include "dialog.hpp"
#include "file_io.hpp"
#include "help_calls.hpp"
#include "help_keys.hpp"
#include "input_and_timers.hpp"
#include "text.hpp"
#include "window_bridge.hpp"
#include "window_units.hpp"
#include "dropped_files.hpp"
#include "window_natives.hpp"
#include "window_coordinates.hpp"
#include "window_messages.hpp"
#include "window_print.hpp"
#include "window_state.hpp"
#include "window_text.hpp"
#include "words.hpp"
#include "window_module.hpp"

namespace wl {
using namespace window_detail;

// ------------------------------------------------------------------ geometry

void TWindow::CoorsUpdate() {
    if (!hWnd) return;
    RECT r = windowRectInParent(hWnd);
    nTop = r.top;
    nLeft = r.left;
    nBottom = r.bottom;
    nRight = r.right;
}

void TWindow::Move(std::optional<int> top, std::optional<int> left, std::optional<int> width,
                   std::optional<int> height, bool repaint) {
    CoorsUpdate();
    MOVEWINDOW(hWnd, top.value_or(nTop), left.value_or(nLeft), width.value_or(nWidth()), height.value_or(nHeight()),
               repaint);
    CoorsUpdate();
}

void TWindow::SetSize(int width, int height, bool repaint) {
    WNDSETSIZE(hWnd, width, height, repaint);
    CoorsUpdate();
    if (!aGradColors.empty()) Gradient();
}

void TWindow::SetBounds(int left, int top, int right, int bottom) {
    SETWINDOWPOS(hWnd, nullptr, top, left, right - left, bottom - top, SWP_NOZORDER);
    CoorsUpdate();
}

int TWindow::nWidth() const { return hWnd ? WNDWIDTH(hWnd) : nRight - nLeft + 1; }
int TWindow::nWidth(int width) {
    WNDWIDTH(hWnd, width);
    CoorsUpdate();
    return nWidth();
}
int TWindow::nHeight() const { return hWnd ? WNDHEIGHT(hWnd) : nBottom - nTop + 1; }
int TWindow::nHeight(int height) {
    WNDHEIGHT(hWnd, height);
    CoorsUpdate();
    return nHeight();
}

void TWindow::Center(TWindow* over) {
    RECT outer{};
    if (over && over->hWnd)
        GetWindowRect(over->hWnd, &outer);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &outer, 0);
    RECT r{};
    GetWindowRect(hWnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    POINT p{outer.left + (outer.right - outer.left - w) / 2, outer.top + (outer.bottom - outer.top - h) / 2};
    if (GETWINDOWLONG(hWnd, GWL_STYLE) & WS_CHILD) ScreenToClient(GETPARENT(hWnd), &p);
    SETWINDOWPOS(hWnd, nullptr, p.y, p.x, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CoorsUpdate();
}


}  // namespace wl
