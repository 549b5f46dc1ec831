#include "list_views.hpp"

#include "wide_text.hpp"

namespace wl {
namespace {

// Group nGroup with the mask and state of group state 0, 1 or 2; state 0
// differs between insertion and a later change.
LVGROUP groupWithState(int nGroup, int nState, bool inserting) {
    LVGROUP group{};
    group.cbSize = sizeof group;
    switch (nState) {
    case 1: group.mask = 0x10015; group.state = 41; break;
    case 2: group.mask = 0x4; group.state = 34; break;
    default: group.mask = 0x10015; group.state = inserting ? 40u : 32u; break;
    }
    group.iGroupId = nGroup;
    return group;
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
    LVGROUP group = groupWithState(nGroup, nState, true);
    group.pszHeader = header.data();
    return insertGroup(hList, group);
}

int LVGROUPSETSTATE(HWND hList, int nGroup, int nState) {
    LVGROUP group = groupWithState(nGroup, nState, false);
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
