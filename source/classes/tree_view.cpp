#include "tree_view.hpp"

#include <algorithm>

#include "common_controls.hpp"
#include "menu.hpp"
#include "tree_views.hpp"

namespace wl {
namespace {

TTVItem* findIn(const std::vector<std::unique_ptr<TTVItem>>& items, HTREEITEM handle) {
    for (const auto& item : items) {
        if (TTVItem* found = findIn(item->aItems, handle)) return found;
        if (item->hItem == handle) return item.get();
    }
    return nullptr;
}

void walk(std::vector<std::unique_ptr<TTVItem>>& items, const std::function<void(TTVItem&)>& fn) {
    for (auto& item : items) {
        fn(*item);
        walk(item->aItems, fn);
    }
}

std::shared_ptr<TMenu> menuOf(const std::vector<std::unique_ptr<TTVItem>>& items, bool popup) {
    auto menu = TMenu::New(popup);
    for (const auto& item : items) {
        MenuItemNew n;
        n.cPrompt = item->cPrompt;
        auto entry = TMenuItem::New(n);
        if (!item->aItems.empty()) entry->oSubMenu = menuOf(item->aItems, true);
        menu->Add(entry, !popup);
    }
    return menu;
}

using AddNode = std::function<TTVItem&(const std::string&)>;

void loadMenu(const TMenu& menu, const AddNode& add) {
    for (const auto& entry : menu.aItems()) {
        if (entry->isSeparator()) continue;
        TTVItem& node = add(entry->cPrompt);
        if (entry->oSubMenu)
            loadMenu(*entry->oSubMenu, [&node](const std::string& p) -> TTVItem& { return node.Add(p); });
    }
}

}  // namespace

// ------------------------------------------------------------------ TTVItem

TTVItem& TTVItem::New(HTREEITEM handle, TTreeView* tree, Value cargo, const std::string& prompt, int image,
                      TTVItem* parent) {
    hItem = handle;
    oTree = tree;
    Cargo = std::move(cargo);
    cPrompt = prompt;
    nImage = image;
    oParent = parent;
    aItems.clear();
    return *this;
}

HWND TTVItem::tree() const { return oTree ? oTree->hWnd : nullptr; }

TTVItem& TTVItem::Add(const std::string& prompt, int image, Value cargo) {
    HTREEITEM handle = TVINSERTITEM(tree(), prompt, hItem, image);
    auto child = std::make_unique<TTVItem>();
    child->New(handle, oTree, std::move(cargo), prompt, image, this);
    aItems.push_back(std::move(child));
    return *aItems.back();
}

void TTVItem::DeleteBranches() {
    for (const auto& child : aItems) TVDELETEITEM(tree(), child->hItem);
    aItems.clear();
}

void TTVItem::Expand() { SendMessageA(tree(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hItem)); }
void TTVItem::Collapse() { SendMessageA(tree(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(hItem)); }
void TTVItem::Toggle() { SendMessageA(tree(), TVM_EXPAND, TVE_TOGGLE, reinterpret_cast<LPARAM>(hItem)); }
void TTVItem::MakeVisible() { SendMessageA(tree(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hItem)); }

UINT TTVItem::GetState() const {
    return static_cast<UINT>(
        SendMessageA(tree(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), static_cast<LPARAM>(-1)));
}

TTVItem* TTVItem::GetParent() const { return oTree ? oTree->GetItem(TVGETPARENT(tree(), hItem)) : nullptr; }

int TTVItem::ItemLevel() const {
    int level = 0;
    for (const TTVItem* p = oParent; p; p = p->oParent) ++level;
    return level;
}

std::string TTVItem::GetText() const { return TVGETTEXT(tree(), hItem); }
void TTVItem::SetText(const std::string& text) { TVSETITEMTEXT(tree(), hItem, text); }
void TTVItem::Set() { TVSETTEXTIMAGE(tree(), hItem, cPrompt, nImage); }
bool TTVItem::GetCheck() { return oTree && oTree->GetCheck(this); }
void TTVItem::SetCheck(bool on) {
    if (oTree) oTree->SetCheck(this, on);
}
void TTVItem::End() {
    // The object leaves its list before the node goes, so no lookup can
    // find it once the control hands the node's handle to a new item.
    std::vector<std::unique_ptr<TTVItem>>* siblings = oParent ? &oParent->aItems : oTree ? &oTree->aItems : nullptr;
    std::unique_ptr<TTVItem> self;
    if (siblings) {
        const auto it = std::find_if(siblings->begin(), siblings->end(), [this](const auto& p) { return p.get() == this; });
        if (it != siblings->end()) {
            self = std::move(*it);
            siblings->erase(it);
        }
    }
    TVDELETEITEM(tree(), hItem);
    // `self` destroys this object (and its children's) here when it owned it.
}

// ---------------------------------------------------------------- TTreeView

TTreeView& TTreeView::New(const TreeViewNew& a) {
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    nTop = static_cast<int>(a.lPixel ? a.nRow : a.nRow * rowPixels());
    nLeft = static_cast<int>(a.lPixel ? a.nCol : a.nCol * colPixels());
    nBottom = nTop + a.nHeight - 1;
    nRight = nLeft + a.nWidth - 1;
    nStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
             TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS | (a.lCheckBoxes ? TVS_CHECKBOXES : 0) |
             (a.lDesign ? WS_CLIPSIBLINGS : 0);
    lDesign = a.lDesign;
    cMsg = a.cMsg;
    bChanged = a.bChange;
    nClrText = a.nClrFore.value_or(oWnd ? oWnd->nClrText : GetSysColor(COLOR_WINDOWTEXT));
    nClrPane = a.nClrBack.value_or(GetSysColor(COLOR_WINDOW));
    INITCOMMONCONTROLSEX(ICC_TREEVIEW_CLASSES);
    nId = GetNewId();
    createOrDefer();
    if (hWnd) applyColors();
    Default();
    return *this;
}

TTreeView& TTreeView::ReDefine(int id, TWindow* parent, std::optional<Color> fore, std::optional<Color> back) {
    INITCOMMONCONTROLSEX(ICC_TREEVIEW_CLASSES);
    Register(CS_VREDRAW | CS_HREDRAW | 4);
    redefine(id, parent);
    nClrText = fore.value_or(oWnd ? oWnd->nClrText : GetSysColor(COLOR_WINDOWTEXT));
    nClrPane = back.value_or(GetSysColor(COLOR_WINDOW));
    return *this;
}

void TTreeView::applyColors() { SetColor(nClrText, nClrPane); }

TTVItem& TTreeView::Add(const std::string& prompt, int image, std::optional<int> selectedImage) {
    HTREEITEM handle = TVINSERTITEM(hWnd, prompt, nullptr, image);
    if (selectedImage && *selectedImage != image) {
        TVITEMA item{};
        item.mask = TVIF_HANDLE | TVIF_SELECTEDIMAGE;
        item.hItem = handle;
        item.iSelectedImage = *selectedImage;
        SendMessageA(hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    auto node = std::make_unique<TTVItem>();
    node->New(handle, this, {}, prompt, image);
    aItems.push_back(std::move(node));
    return *aItems.back();
}

void TTreeView::SetItems(const std::vector<std::string>& prompts) {
    for (const auto& p : prompts) Add(p);
}

TTVItem* TTreeView::GetSelected() const { return GetItem(TVGETSELECTED(hWnd)); }

TTVItem* TTreeView::GetItem(HTREEITEM handle) const { return handle ? findIn(aItems, handle) : nullptr; }

TTVItem* TTreeView::HitTest(int row, int col) const { return GetItem(TVHITTEST(hWnd, row, col)); }

void TTreeView::Select(const TTVItem& item) { TVSELECT(hWnd, item.hItem); }

void TTreeView::GoTop() {
    if (!aItems.empty()) Select(*aItems.front());
}

std::string TTreeView::GetSelText() const { return TVGETSELTEXT(hWnd); }

void TTreeView::Expand() {
    for (auto& item : aItems) item->Expand();
}

void TTreeView::Toggle() {
    for (auto& item : aItems) item->Toggle();
}

void TTreeView::forEach(const std::function<void(TTVItem&)>& fn) {
    walk(aItems, fn);
    if (TTVItem* selected = GetSelected()) selected->MakeVisible();
}

void TTreeView::ExpandAll() {
    forEach([](TTVItem& i) { i.Expand(); });
}
void TTreeView::CollapseAll() {
    forEach([](TTVItem& i) { i.Collapse(); });
}
void TTreeView::ToggleAll() {
    forEach([](TTVItem& i) { i.Toggle(); });
}

namespace {
void branch(TTVItem* item, void (TTVItem::*op)()) {
    if (!item) return;
    (item->*op)();
    std::vector<std::unique_ptr<TTVItem>>& children = item->aItems;
    walk(children, [op](TTVItem& i) { (i.*op)(); });
    item->MakeVisible();
}
}  // namespace

void TTreeView::ExpandBranch(TTVItem* item) { branch(item ? item : GetSelected(), &TTVItem::Expand); }
void TTreeView::CollapseBranch(TTVItem* item) { branch(item ? item : GetSelected(), &TTVItem::Collapse); }
void TTreeView::ToggleBranch(TTVItem* item) { branch(item ? item : GetSelected(), &TTVItem::Toggle); }

bool TTreeView::GetCheck(TTVItem* item) const {
    if (!item) item = GetSelected();
    return item && TVGETCHECK(hWnd, item->hItem);
}

void TTreeView::SetCheck(TTVItem* item, bool on) {
    if (!item) item = GetSelected();
    if (item) TVSETCHECK(hWnd, item->hItem, on);
}

void TTreeView::SetImageList(HIMAGELIST list) {
    oImageList = list;
    TVSETIMAGELIST(hWnd, list, TVSIL_NORMAL);
}

void TTreeView::DeleteAll() {
    TVDELALLITEMS(hWnd);
    aItems.clear();
}

Answer TTreeView::SelChanged() {
    if (bChanged) bChanged(*this);
    return std::nullopt;
}

Answer TTreeView::Notify(WPARAM, LPARAM header) {
    const auto* nm = reinterpret_cast<const NMTREEVIEWA*>(header);
    if (nm && nm->hdr.code == TVN_ITEMEXPANDEDA && nm->action == TVE_EXPAND && bExpanded)
        bExpanded(nm->itemNew.hItem);
    return std::nullopt;
}

Answer TTreeView::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    if (nMsg == WM_CHAR && w == VK_RETURN) return 1;
    return TControl::HandleEvent(nMsg, w, l);
}

void TTreeView::SetColor(Color text, Color back) {
    TWindow::SetColor(text, back);
    if (hWnd) TVSETCOLOR(hWnd, text, back);
}

void TTreeView::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    applyColors();
}

std::shared_ptr<TMenu> TTreeView::GenMenu(bool popup) const {
    return aItems.empty() ? nullptr : menuOf(aItems, popup);
}

void TTreeView::LoadFromMenu(const TMenu& menu) {
    DeleteAll();
    loadMenu(menu, [this](const std::string& p) -> TTVItem& { return Add(p); });
}

}  // namespace wl
