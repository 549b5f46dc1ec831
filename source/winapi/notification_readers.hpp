// Readers of the records that come with WM_NOTIFY and the tree and list
// notifications: the argument is the record's address (the message's
// lParam); a zero address reads as 0.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace wl {

HWND GETNMHDRHWNDFROM(LPARAM pHeader);
UINT_PTR GETNMHDRIDFROM(LPARAM pHeader);
// The code as a signed number (tree and list codes are negative).
int GETNMHDRCODE(LPARAM pHeader);
UINT NMTREEVIEWACTION(LPARAM pTreeView);
HTREEITEM NMTREEVIEWITEMNEW(LPARAM pTreeView);
int GETNMLISTVIEWITEM(LPARAM pListView);

}  // namespace wl
