#include "list_views.hpp"

#include "wide_text.hpp"

namespace wl {
namespace {

struct GroupState {
    UINT mask;
    UINT state;
};

// The mask and state of group state 0, 1 or 2; state 0 differs between
// insertion and a later change.
GroupState groupState(int nState, bool inserting) {
    switch (nState) {
    case 1: return {0x10015, 41};
    case 2: return {0x4, 34};
    default: return {0x10015, inserting ? 40u : 32u};
    }
}

int insertGroup(HWND hList, LVGROUP& group) {
    return static_cast<int>(SendMessageA(hList, LVM_INSERTGROUP, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(&group)));
}

}  // namespace

int LVINSERTITEM(HWND hList, int nImage, const std::string& cText, int nGroup) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_GROUPID;
    item.iItem = static_cast<int>(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<char*>(cText.c_str());
    item.iImage = nImage;
    item.iGroupId = nGroup;
    return static_cast<int>(SendMessageA(hList, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void LVINSERTGROUP(HWND hList, const std::string& cHeader, int nGroup) {
    std::wstring header = AnsiToWideAlloc(cHeader);
    LVGROUP group{};
    group.cbSize = sizeof group;
    group.mask = LVGF_HEADER | LVGF_GROUPID;
    group.pszHeader = header.data();
    group.iGroupId = nGroup;
    insertGroup(hList, group);
}

int LVINSERTGROUPINLIST(HWND hList, int nGroup, const std::string& cHeader, int nState) {
    std::wstring header = AnsiToWideAlloc(cHeader);
    const GroupState s = groupState(nState, true);
    LVGROUP group{};
    group.cbSize = sizeof group;
    group.mask = s.mask;
    group.state = s.state;
    group.stateMask = 0;
    group.pszHeader = header.data();
    group.iGroupId = nGroup;
    return insertGroup(hList, group);
}

int LVGROUPSETSTATE(HWND hList, int nGroup, int nState) {
    const GroupState s = groupState(nState, false);
    LVGROUP group{};
    group.cbSize = sizeof group;
    group.mask = s.mask;
    group.state = s.state;
    group.stateMask = 0;
    group.iGroupId = nGroup;
    SendMessageA(hList, LVM_SETGROUPINFO, static_cast<WPARAM>(nGroup), reinterpret_cast<LPARAM>(&group));
    InvalidateRect(hList, nullptr, TRUE);
    return nState;
}

LRESULT LVENABLEGROUPVIEW(HWND hList) { return SendMessageA(hList, LVM_ENABLEGROUPVIEW, TRUE, 0); }

int LVFINDITEM(HWND hList, const std::string& cText) {
    LVFINDINFOA find{};
    find.flags = LVFI_PARTIAL | LVFI_STRING;
    find.psz = cText.c_str();
    return static_cast<int>(
        SendMessageA(hList, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

void LVSETITEMSELECT(HWND hList, int nItem) {
    SendMessageA(hList, LVM_ENSUREVISIBLE, static_cast<WPARAM>(nItem), FALSE);
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SendMessageA(hList, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(hList, LVM_SETITEMSTATE, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item));
}

int LVSETGROUP(HWND hList, int nItem, int nGroup) {
    LVITEMA item{};
    item.mask = LVIF_GROUPID | LVIF_COLUMNS;
    item.iItem = nItem;
    item.iGroupId = nGroup;
    SendMessageA(hList, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return nGroup;
}

}  // namespace wl
