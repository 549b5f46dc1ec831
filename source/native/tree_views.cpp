#include "tree_views.hpp"

#include <cstring>

namespace wl {
namespace {

constexpr int kTextLimit = 100;  // 99 characters and the terminator

bool readText(HWND hTree, HTREEITEM hItem, std::string& out) {
    char buffer[kTextLimit] = {};
    TVITEMA item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = hItem;
    item.pszText = buffer;
    item.cchTextMax = kTextLimit;
    if (!hItem || !SendMessageA(hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return false;
    // Some controls fill the whole buffer without a terminator: at most 99.
    const char* text = item.pszText ? item.pszText : "";
    out.assign(text, strnlen(text, kTextLimit - 1));
    return true;
}

}  // namespace

HTREEITEM TVINSERTITEM(HWND hTree, const std::string& cText, HTREEITEM hParent, int nImage) {
    TVINSERTSTRUCTA ins{};
    ins.hParent = hParent ? hParent : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    ins.item.pszText = const_cast<char*>(cText.c_str());
    ins.item.iImage = nImage;
    ins.item.iSelectedImage = nImage;
    return reinterpret_cast<HTREEITEM>(SendMessageA(hTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

HIMAGELIST TVSETIMAGELIST(HWND hTree, HIMAGELIST hImageList, int nType) {
    return reinterpret_cast<HIMAGELIST>(
        SendMessageA(hTree, TVM_SETIMAGELIST, static_cast<WPARAM>(nType), reinterpret_cast<LPARAM>(hImageList)));
}

HTREEITEM TVGETSELECTED(HWND hTree) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

std::string TVGETSELTEXT(HWND hTree) { return TVGETTEXT(hTree, TVGETSELECTED(hTree)); }

std::string TVGETTEXT(HWND hTree, HTREEITEM hItem) {
    std::string text;
    readText(hTree, hItem, text);
    return text;
}

void TVSETITEMTEXT(HWND hTree, HTREEITEM hItem, const std::string& cText) {
    std::string old;
    if (!readText(hTree, hItem, old)) return;
    TVITEMA item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = hItem;
    item.pszText = const_cast<char*>(cText.c_str());
    SendMessageA(hTree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TVSETTEXTIMAGE(HWND hTree, HTREEITEM hItem, const std::string& cText, int nImage) {
    TVITEMA item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    item.pszText = const_cast<char*>(cText.c_str());
    item.iImage = nImage;
    item.iSelectedImage = nImage;
    SendMessageA(hTree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

HTREEITEM TVGETPARENT(HWND hTree, HTREEITEM hItem) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(hItem)));
}

bool TVSELECT(HWND hTree, HTREEITEM hItem) {
    return SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hItem)) != 0;
}

bool TVDELETEITEM(HWND hTree, HTREEITEM hItem) {
    return SendMessageA(hTree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(hItem)) != 0;
}

bool TVDELALLITEMS(HWND hTree) { return TVDELETEITEM(hTree, TVI_ROOT); }

HTREEITEM TVHITTEST(HWND hTree, int nRow, int nCol) {
    TVHITTESTINFO info{};
    info.pt.x = nCol;
    info.pt.y = nRow;
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(hTree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    return (info.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)) ? item : nullptr;
}

void TVSETCOLOR(HWND hTree, COLORREF nTextColor, COLORREF nBackColor) {
    SendMessageA(hTree, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(nBackColor));
    SendMessageA(hTree, TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(nTextColor));
}

void TVSETCHECK(HWND hTree, HTREEITEM hItem, bool lChecked) {
    TVITEMA item{};
    item.mask = TVIF_HANDLE | TVIF_STATE;
    item.hItem = hItem;
    item.stateMask = TVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(lChecked ? 2 : 1);
    SendMessageA(hTree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

bool TVGETCHECK(HWND hTree, HTREEITEM hItem) {
    const auto state = static_cast<UINT>(
        SendMessageA(hTree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), TVIS_STATEIMAGEMASK));
    return (state >> 12) != 1;
}

LPARAM TVITEMPARAM(LPARAM pRecord) {
    const auto* nm = reinterpret_cast<const NMTREEVIEWA*>(pRecord);
    return nm ? nm->itemOld.lParam : 0;
}

}  // namespace wl
