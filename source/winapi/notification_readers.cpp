#include "notification_readers.hpp"

namespace wl {

namespace {
template <class Record>
const Record* record(LPARAM address) {
    return reinterpret_cast<const Record*>(address);
}
}  // namespace

HWND GETNMHDRHWNDFROM(LPARAM pHeader) { return pHeader ? record<NMHDR>(pHeader)->hwndFrom : nullptr; }
UINT_PTR GETNMHDRIDFROM(LPARAM pHeader) { return pHeader ? record<NMHDR>(pHeader)->idFrom : 0; }
int GETNMHDRCODE(LPARAM pHeader) { return pHeader ? static_cast<int>(record<NMHDR>(pHeader)->code) : 0; }
UINT NMTREEVIEWACTION(LPARAM pTreeView) { return pTreeView ? record<NMTREEVIEWA>(pTreeView)->action : 0; }
HTREEITEM NMTREEVIEWITEMNEW(LPARAM pTreeView) {
    return pTreeView ? record<NMTREEVIEWA>(pTreeView)->itemNew.hItem : nullptr;
}
int GETNMLISTVIEWITEM(LPARAM pListView) { return pListView ? record<NMLISTVIEW>(pListView)->iItem : 0; }

}  // namespace wl
