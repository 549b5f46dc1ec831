// TWindow: the menu bar, pop-up and system menus and their messages.
#include "window.hpp"

#include <commdlg.h>
#include <dde.h>
#include <shellapi.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>

#include "hot_keys.hpp"
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

Answer TWindow::MenuSelect(int item, int flags, HMENU menu) {
    DestroyToolTip();
    // Flags -1 with no menu: the menu closed.
    if (flags == -1 && !menu) {
        // The pointer left the menu: the bar shows its notice again.
        if (oMItemSelect()) SetMsg({});
        oMItemSelect() = nullptr;
    } else {
        // A submenu entry is named by its position, a command by its id.
        UINT_PTR id = static_cast<UINT_PTR>(item);
        if ((flags & MF_POPUP) && menu) id = reinterpret_cast<UINT_PTR>(GetSubMenu(menu, item));
        oMItemSelect() = menuItemOf(id);
        if (oMItemSelect()) SetMsg(oMItemSelect()->cMsg);
    }
    return bMenuSelect(item, flags, menu);
}

Answer TWindow::InitMenuPopup(HMENU menu, int, bool system) {
    if (system) {
        if (oSysMenu) oSysMenu->Initiate();
        return std::nullopt;
    }
    if (oPopup) {
        if (oPopup->hMenu == menu)
            oPopup->Initiate();
        else if (TMenu* sub = oPopup->GetSubMenu(menu))
            sub->Initiate();
    } else if (oMenu) {
        if (TMenu* sub = oMenu->GetSubMenu(menu)) sub->Initiate();
    }
    return std::nullopt;
}

void TWindow::SetMenu(std::shared_ptr<TMenu> menu) {
    if (oMenu && oMenu != menu && oMenu->oAccTable) oMenu->oAccTable->DeActivate();
    oMenu = std::move(menu);
    if (!oMenu) {
        if (hWnd) SETMENU(hWnd, nullptr);
        return;
    }
    oMenu->setWindow(this);
    if (hWnd) SETMENU(hWnd, oMenu->hMenu);
    if (oMenu->oAccTable) oMenu->oAccTable->Activate(hWnd);
}

HACCEL TWindow::accelTable() const { return oMenu && oMenu->oAccTable ? oMenu->oAccTable->nHandle : nullptr; }

void TWindow::endMenus() {
    // Each menu is detached first: Windows would destroy an attached bar
    // with the window, and the menu object destroys its handle itself.
    for (auto* m : {&oPopup, &oMenu, &oSysMenu}) {
        if (auto menu = std::move(*m)) menu->End();
    }
}

namespace {
bool menuHolds(HMENU root, HMENU wanted) {
    if (!root) return false;
    if (root == wanted) return true;
    const int n = GetMenuItemCount(root);
    for (int i = 0; i < n; ++i)
        if (menuHolds(GetSubMenu(root, i), wanted)) return true;
    return false;
}
}  // namespace

Answer TWindow::MenuChar(int ch, int, HMENU menu) {
    if (!hWnd || !menuHolds(GetMenu(hWnd), menu)) {
        // A tracked pop-up is the window's too.
        if (!oPopup || !oPopup->GetSubMenu(menu)) return std::nullopt;
    }
    const char wanted = upperChar(static_cast<char>(ch));
    // Entries drawn by the program have no text in the menu: the objects
    // hold their prompts.
    TMenu* owner = oPopup ? oPopup->GetSubMenu(menu) : nullptr;
    if (!owner && oMenu) owner = oMenu->GetSubMenu(menu);
    if (owner) {
        const auto& items = owner->aItems();
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (hasHotKey(items[i]->cPrompt, wanted)) return static_cast<std::intptr_t>((MNC_EXECUTE << 16) | i);
        }
        return 0;
    }
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        char text[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        if (hasHotKey(text, wanted)) return static_cast<std::intptr_t>((MNC_EXECUTE << 16) | i);
    }
    return 0;
}

}  // namespace wl
