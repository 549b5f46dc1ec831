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

std::shared_ptr<TMenu> menuOf(const std::vector<TreeOutline>& items, bool popup) {
    auto menu = TMenu::New(popup);
    for (const auto& item : items) {
        MenuItemNew n;
        n.cPrompt = item.prompt;
        auto entry = TMenuItem::New(n);
        if (!item.children.empty()) entry->oSubMenu = menuOf(item.children, true);
        menu->Add(entry, !popup);
    }
    return menu;
}

TreeKey keyOf(HTREEITEM h) { return reinterpret_cast<TreeKey>(h); }

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
    if (oTree) oTree->enter(handle, hItem, prompt, image);
    auto child = std::make_unique<TTVItem>();
    child->New(handle, oTree, std::move(cargo), prompt, image, this);
    aItems.push_back(std::move(child));
    return *aItems.back();
}

void TTVItem::DeleteBranches() {
    // Each deletion may drop objects from aItems as the control reports it.
    std::vector<HTREEITEM> children;
    for (const auto& child : aItems) children.push_back(child->hItem);
    for (HTREEITEM child : children) {
        TVDELETEITEM(tree(), child);
        if (oTree) oTree->forget(child);
    }
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
    if (oTree && treeHas(oTree->state_, keyOf(hItem))) return treeLevel(oTree->state_, keyOf(hItem));
    int level = 0;
    for (const TTVItem* p = oParent; p; p = p->oParent) ++level;
    return level;
}

std::string TTVItem::GetText() const { return TVGETTEXT(tree(), hItem); }
void TTVItem::SetText(const std::string& text) { TVSETITEMTEXT(tree(), hItem, text); }
void TTVItem::Set() {
    TVSETTEXTIMAGE(tree(), hItem, cPrompt, nImage);
    if (oTree) treeSetPrompt(oTree->state_, keyOf(hItem), cPrompt);
}
bool TTVItem::GetCheck() { return oTree && oTree->GetCheck(this); }
void TTVItem::SetCheck(bool on) {
    if (oTree) oTree->SetCheck(this, on);
}
void TTVItem::End() {
    // The control reports the deletion and the tree drops this object (and
    // its children's) then; the object may be gone once the node is, so
    // only copies are used afterwards.
    TTreeView* const owner = oTree;
    const HTREEITEM handle = hItem;
    if (!owner) {
        TVDELETEITEM(nullptr, handle);
        return;
    }
    if (!treeHas(owner->state_, keyOf(handle))) {
        // A node the control never made: nothing will report it.
        owner->drop(this);
        return;
    }
    TVDELETEITEM(owner->hWnd, handle);
    // Also when no report came (a parent that does not pass notifications on).
    owner->forget(handle);
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
    enter(handle, nullptr, prompt, image);
    auto node = std::make_unique<TTVItem>();
    node->New(handle, this, {}, prompt, image);
    aItems.push_back(std::move(node));
    return *aItems.back();
}

void TTreeView::SetItems(const std::vector<std::string>& prompts) {
    for (const auto& p : prompts) Add(p);
}

TTVItem* TTreeView::GetSelected() const { return GetItem(TVGETSELECTED(hWnd)); }

TTVItem* TTreeView::GetItem(HTREEITEM handle) const {
    return handle && treeHas(state_, keyOf(handle)) ? findIn(aItems, handle) : nullptr;
}

void TTreeView::enter(HTREEITEM handle, HTREEITEM parent, const std::string& prompt, int image) {
    if (!handle) return;
    // A handle still entered belongs to a node deleted without a report:
    // the control has given it to the new node.
    if (treeHas(state_, keyOf(handle))) forget(handle);
    treeAdd(state_, keyOf(handle), keyOf(parent), prompt, image);
}

void TTreeView::forget(HTREEITEM handle) {
    if (treeRemove(state_, keyOf(handle)).empty()) return;
    if (TTVItem* item = findIn(aItems, handle)) drop(item);
}

void TTreeView::drop(TTVItem* item) {
    auto& siblings = item->oParent ? item->oParent->aItems : aItems;
    const auto it = std::find_if(siblings.begin(), siblings.end(), [item](const auto& p) { return p.get() == item; });
    if (it != siblings.end()) siblings.erase(it);  // the branch's objects go with it
}

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
    treeClear(state_);
    aItems.clear();
}

Answer TTreeView::SelChanged() {
    if (bChanged) bChanged(*this);
    return std::nullopt;
}

Answer TTreeView::Notify(WPARAM, LPARAM header) {
    const auto* nm = reinterpret_cast<const NMTREEVIEWA*>(header);
    // The item part of the report is laid out alike in both character sets.
    if (nm && (nm->hdr.code == TVN_DELETEITEMA || nm->hdr.code == TVN_DELETEITEMW)) {
        forget(nm->itemOld.hItem);
        return std::nullopt;
    }
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
    return state_.roots.empty() ? nullptr : menuOf(treeOutline(state_), popup);
}

void TTreeView::LoadFromMenu(const TMenu& menu) {
    DeleteAll();
    loadMenu(menu, [this](const std::string& p) -> TTVItem& { return Add(p); });
}

}  // namespace wl
