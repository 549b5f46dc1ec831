// TWindow: the system tooltip shared by the windows.
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

// ------------------------------------------------------------------ tooltips

HWND openToolTip() { return module().toolTip.tip; }

std::optional<ToolTipText> toolTipOf(const ToolTip& t) {
    ToolTipText out;
    if (const auto* text = std::get_if<std::string>(&t)) {
        out.text = *text;
    } else if (const auto* fn = std::get_if<std::function<std::string()>>(&t)) {
        if (*fn) out.text = (*fn)();
    } else if (const auto* full = std::get_if<ToolTipText>(&t)) {
        out = *full;
    }
    if (out.text.empty()) return std::nullopt;
    return out;
}

std::string toolTipString(const ToolTip& tip) {
    auto t = toolTipOf(tip);
    return t ? t->text : std::string();
}

void TWindow::CheckToolTip(int row, int col) {
    auto& t = module().toolTip;
    if (oToolTip) {
        if (t.shown && t.owner == hWnd) return;  // once until the mouse leaves
        POINT p{col + 20, row + 20};
        ClientToScreen(hWnd, &p);
        oToolTip->Move(p.y, p.x);
        oToolTip->Show();
        t.owner = hWnd;
        t.shown = true;
        return;
    }
    if (std::holds_alternative<std::monostate>(cToolTip)) {
        DestroyToolTip();
        return;
    }
    if (t.tip && t.owner == hWnd) return;  // still over the same window
    DestroyToolTip();
    if (auto tip = toolTipOf(cToolTip)) ShowToolTip(row, col, *tip);
}

void TWindow::ShowToolTip(int row, int col, const ToolTipText& tip) {
    (void)row;
    (void)col;  // the system control places the tip at the mouse
    auto& t = module().toolTip;
    DestroyToolTip();
    t.tip = showWindowToolTip(hWnd, tip, lBalloon.value_or(module().balloon), nToolTip());
    if (!t.tip) return;
    t.owner = hWnd;
    t.last = t.tip;
}

void TWindow::DestroyToolTip() {
    auto& t = module().toolTip;
    if (t.tip) DESTROYWINDOW(t.tip);
    t.tip = nullptr;
    t.owner = nullptr;
    t.shown = false;
}


}  // namespace wl
