#include "popup_menus.hpp"
#include "process_state.hpp"

namespace wl {
namespace {
PopupMenuHook& hookSlot() {
    return processState().popupMenus.get<PopupMenuHook>();
}
}  // namespace

void setPopupMenuHook(PopupMenuHook hook) { hookSlot() = std::move(hook); }

bool TRACKPOPUPMENU(HMENU hMenu, HWND hOwner, int nRow, int nCol, UINT flags) {
    if (!hMenu || !IsMenu(hMenu) || !IsWindow(hOwner)) return false;
    if (hookSlot()) {
        hookSlot()(hMenu, hOwner, nRow, nCol);
    } else {
        POINT p{nCol, nRow};
        ClientToScreen(hOwner, &p);
        TrackPopupMenu(hMenu, flags, p.x, p.y, 0, hOwner, nullptr);
    }
    return true;
}

bool SHOWPOPUPMENU(HMENU hMenu, HWND hOwner, int nRow, int nCol) {
    if (!TRACKPOPUPMENU(hMenu, hOwner, nRow, nCol, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON)) return false;
    DestroyMenu(hMenu);
    return true;
}

}  // namespace wl
