// Tree-view control calls: items inserted, read, selected, checked and
// hit-tested. Texts are ANSI (the control talks to an ANSI parent).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace wl {

// Appends an item under hParent (TVI_ROOT for nullptr) with nImage as both
// image and selected image; the item's handle.
HTREEITEM TVINSERTITEM(HWND hTree, const std::string& cText, HTREEITEM hParent = nullptr, int nImage = 0);
HIMAGELIST TVSETIMAGELIST(HWND hTree, HIMAGELIST hImageList, int nType = TVSIL_NORMAL);
HTREEITEM TVGETSELECTED(HWND hTree);
// The selected item's text (up to 99 characters); "" without a selection.
std::string TVGETSELTEXT(HWND hTree);
// An item's text (up to 99 characters).
std::string TVGETTEXT(HWND hTree, HTREEITEM hItem);
// Sets the text when the item can be read.
void TVSETITEMTEXT(HWND hTree, HTREEITEM hItem, const std::string& cText);
void TVSETTEXTIMAGE(HWND hTree, HTREEITEM hItem, const std::string& cText, int nImage);
HTREEITEM TVGETPARENT(HWND hTree, HTREEITEM hItem);
bool TVSELECT(HWND hTree, HTREEITEM hItem);
bool TVDELETEITEM(HWND hTree, HTREEITEM hItem);
bool TVDELALLITEMS(HWND hTree);
// The item whose icon, label or state icon is at (x = nCol, y = nRow).
HTREEITEM TVHITTEST(HWND hTree, int nRow, int nCol);
void TVSETCOLOR(HWND hTree, COLORREF nTextColor, COLORREF nBackColor);
// The check box is the state image: the second checked, the first not.
void TVSETCHECK(HWND hTree, HTREEITEM hItem, bool lChecked);
// True unless the item shows the first (unchecked) state image, so an item
// without a state image answers true.
bool TVGETCHECK(HWND hTree, HTREEITEM hItem);
// The lParam of the old item of a tree-view notification.
LPARAM TVITEMPARAM(LPARAM pRecord);

}  // namespace wl
