#include "popup_menus.hpp"
#include "process_state.hpp"

namespace wl {
namespace {
PopupMenuHook& hookSlot() {
    return processState().popupMenus.get<PopupMenuHook>();
}
}  // namespace

void setPopupMenuHook(PopupMenuHook hook) { hookSlot() = std::move(hook); }

bool SHOWPOPUPMENU(HMENU hMenu, HWND hOwner, int nRow, int nCol) {
    if (!hMenu || !IsMenu(hMenu) || !IsWindow(hOwner)) return false;
    if (hookSlot()) {
        hookSlot()(hMenu, hOwner, nRow, nCol);
    } else {
        POINT p{nCol, nRow};
        ClientToScreen(hOwner, &p);
        TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, p.x, p.y, 0, hOwner, nullptr);
    }
    DestroyMenu(hMenu);
    return true;
}

}  // namespace wl
