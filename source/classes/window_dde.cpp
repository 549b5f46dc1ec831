// TWindow: the server side of DDE conversations.
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

namespace {
std::string atomName(int atom) {
    char name[256] = {};
    if (!atom) return {};
    UINT n = GlobalGetAtomNameA(static_cast<ATOM>(atom), name, sizeof name);
    return std::string(name, n);
}
}  // namespace

Answer TWindow::DdeInitiate(WPARAM w, int lo, int hi) {
    if (!bDdeInit) return std::nullopt;
    HWND client = reinterpret_cast<HWND>(w);
    const std::optional<bool> accept = bDdeInit(client, atomName(lo), atomName(hi));
    if (!accept || *accept)
        SendMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(hWnd),
                     MAKELPARAM(static_cast<ATOM>(lo), static_cast<ATOM>(hi)));
    return 0;
}

Answer TWindow::DdeExecute(WPARAM w, LPARAM l) {
    HWND client = reinterpret_cast<HWND>(w);
    auto command = reinterpret_cast<HGLOBAL>(l);
    if (bDdeExecute) bDdeExecute(client, DDEGETCOMMAND(command));
    // A positive acknowledgement (fAck) that hands the command back to the
    // client, which frees it.
    constexpr UINT_PTR kAck = 0x8000;
    PostMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(hWnd),
                 PackDDElParam(WM_DDE_ACK, kAck, reinterpret_cast<UINT_PTR>(command)));
    return 0;
}

Answer TWindow::DdeAck(WPARAM w, LPARAM l) {
    DDEACK(reinterpret_cast<HWND>(w), l);
    return 0;
}

Answer TWindow::DdeTerminate(WPARAM w) {
    DDETERMINATE(reinterpret_cast<HWND>(w), hWnd);
    return 0;
}


}  // namespace wl
