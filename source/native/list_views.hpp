// List-view control calls: items, groups, search and selection. Group
// headers travel as UTF-16 (the control takes no ANSI group texts).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace wl {

// Appends an item (image, text, group id); the new item's index, -1 when
// the control refuses it.
int LVINSERTITEM(HWND hList, int nImage, const std::string& cText, int nGroup);
inline int LVINSERTINLIST(HWND hList, int nImage, const std::string& cText, int nGroup) {
    return LVINSERTITEM(hList, nImage, cText, nGroup);
}
inline int LVINSERTITEMINDEX(HWND hList, int nImage, const std::string& cText, int nGroup) {
    return LVINSERTITEM(hList, nImage, cText, nGroup);
}
// Appends a group with the header and id.
void LVINSERTGROUP(HWND hList, const std::string& cHeader, int nGroup);
// Appends a group with the mask and state of nState (0, 1 or 2); the
// control's answer (the group's index, -1 when refused).
int LVINSERTGROUPINLIST(HWND hList, int nGroup, const std::string& cHeader, int nState);
// Sets the group's state and repaints the list; answers nState.
int LVGROUPSETSTATE(HWND hList, int nGroup, int nState);
LRESULT LVENABLEGROUPVIEW(HWND hList);
// The first item whose text begins with cText, -1 when none.
int LVFINDITEM(HWND hList, const std::string& cText);
// Shows item nItem (from 0) and makes it the only selected, focused item.
void LVSETITEMSELECT(HWND hList, int nItem);
// Moves the item into the group; answers nGroup.
int LVSETGROUP(HWND hList, int nItem, int nGroup);

}  // namespace wl
