#include "list_view.hpp"

#include <algorithm>

#include "common_controls.hpp"
#include "list_views.hpp"
#include "message_loop.hpp"

namespace wl {
namespace {

template <class T>
void forget(std::vector<T*>& list, const T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

// ------------------------------------------------------------ TListViewItem

TListViewItem& TListViewItem::New(TListView* parent) {
    oParent = parent;
    return *this;
}

bool TListViewItem::Create(TListView* parent) {
    oParent = parent;
    if (!parent) return false;
    const int index = parent->InsertItem(nImage, cText, nGroup);
    if (index == -1) return false;
    nItem = index;
    parent->aItems.push_back(this);
    return true;
}

void TListViewItem::Destroy() {
    if (oParent) forget(oParent->aItems, this);
    oParent = nullptr;
}

// ----------------------------------------------------------- TListViewGroup

bool TListViewGroup::Create(TListView* parent) {
    oParent = parent;
    if (!parent) return false;
    if (!nGroupId) nGroupId = parent->nGroups + 1;
    const int got = LVINSERTGROUPINLIST(parent->hWnd, *nGroupId, cHeader, nState);
    if (got == -1) return false;
    ++parent->nGroups;
    parent->aGroups.push_back(this);
    return true;
}

void TListViewGroup::SetState(int state) {
    nState = state;
    if (oParent && nGroupId) LVGROUPSETSTATE(oParent->hWnd, *nGroupId, state);
}

void TListViewGroup::Destroy() {
    if (oParent) forget(oParent->aGroups, this);
    oParent = nullptr;
}

// ---------------------------------------------------------------- TListView

TListView::~TListView() {
    for (TListViewItem* item : aItems) item->oParent = nullptr;
    for (TListViewGroup* group : aGroups) group->oParent = nullptr;
}

TListView& TListView::New(const ListViewNew& a) {
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    aPrompts = a.aPrompts;
    bAction = a.bAction;
    nTop = static_cast<int>(a.lPixel ? a.nRow : a.nRow * rowPixels());
    nLeft = static_cast<int>(a.lPixel ? a.nCol : a.nCol * colPixels());
    nBottom = nTop + a.nHeight - 1;
    nRight = nLeft + a.nWidth - 1;
    nStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (a.lDesign ? WS_CLIPSIBLINGS : 0);
    lDesign = a.lDesign;
    cMsg = a.cMsg;
    nClrText = a.nClrFore.value_or(oWnd ? oWnd->nClrText : GetSysColor(COLOR_WINDOWTEXT));
    nClrPane = a.nClrBack.value_or(GetSysColor(COLOR_BTNFACE));
    nOption = 1;
    INITCOMMONCONTROLSEX(ICC_LISTVIEW_CLASSES);
    nId = GetNewId();
    createOrDefer();
    if (hWnd) {
        setFont();
        Default();
    }
    return *this;
}

TListView& TListView::ReDefine(int id, TWindow* parent, ListViewAction action) {
    INITCOMMONCONTROLSEX(ICC_LISTVIEW_CLASSES);
    bAction = std::move(action);
    aPrompts.clear();
    nOption = 1;
    redefine(id, parent);
    return *this;
}

void TListView::setFont() {
    FontSpec spec;
    spec.cFaceName = "Ms Sans Serif";
    spec.nHeight = -9;
    SetFont(TFont::New(spec));
}

void TListView::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    setFont();
    Default();
}

void TListView::Default() {
    InsertGroup("default");
    for (std::size_t i = 0; i < aPrompts.size(); ++i) InsertItem(static_cast<int>(i), aPrompts[i], 0);
    TControl::Default();
}

int TListView::InsertItem(int image, const std::string& text, int group) {
    return LVINSERTITEM(hWnd, image, text, group);
}

int TListView::InsertGroup(const std::string& header) {
    const int id = nGroups++;
    LVINSERTGROUP(hWnd, header, id);
    return id;
}

Answer TListView::Notify(WPARAM, LPARAM header) {
    const auto* nm = reinterpret_cast<const NMHDR*>(header);
    if (!nm) return std::nullopt;
    if (nm->code == NM_CLICK) {
        if (bClick) {
            const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
            nOption = click->iItem + 1;
            bClick(nOption, *this);
        }
    } else if (nm->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        // Only the item that became selected counts, and only a new one.
        if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED) &&
            change->iItem + 1 != nOption) {
            nOption = change->iItem + 1;
            if (bAction) bAction(nOption, *this);
        }
    }
    return std::nullopt;
}

HIMAGELIST TListView::SetImageList(HIMAGELIST list, int type) {
    auto previous = reinterpret_cast<HIMAGELIST>(
        SendMessageA(hWnd, LVM_SETIMAGELIST, static_cast<WPARAM>(type), reinterpret_cast<LPARAM>(list)));
    SYSREFRESH();
    return previous;
}

void TListView::SetIconSpacing(int x, int y) { SendMessageA(hWnd, LVM_SETICONSPACING, 0, MAKELPARAM(x, y)); }
void TListView::SetHotItem(int n) { SendMessageA(hWnd, LVM_SETHOTITEM, static_cast<WPARAM>(n), 0); }
void TListView::EnableGroupView() { LVENABLEGROUPVIEW(hWnd); }
int TListView::FindItem(const std::string& text) const { return LVFINDITEM(hWnd, text); }
void TListView::SetItemSelect(int n) { LVSETITEMSELECT(hWnd, n); }

TListViewItem* TListView::GetItem(int n) const {
    if (n < 1 || n > static_cast<int>(aItems.size())) return nullptr;
    return aItems[static_cast<std::size_t>(n - 1)];
}

}  // namespace wl
