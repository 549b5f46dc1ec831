#include "tree_item.hpp"

#include <algorithm>

#include "link_list.hpp"

namespace wl {

TTreeItem::TTreeItem(std::string prompt, int level, TreePicture open, TreePicture close)
    : cPrompt(std::move(prompt)), nLevel(level), hBmpOpen(open), hBmpClose(close) {
    ATREEBMPS();
}

TTreeItem::~TTreeItem() = default;

bool TTreeItem::HasChildren() const { return oTree && oTree->oFirst; }

void TTreeItem::Open() {
    if (!lOpened && HasChildren()) lOpened = true;
}

TTreeItem* TTreeItem::GetNext() const { return lOpened && HasChildren() ? oTree->oFirst : oNext; }

TTreeItem* TTreeItem::GetPrev() const {
    if (!oPrev) return nullptr;
    if (oPrev->nLevel < nLevel) return oPrev;
    if (oPrev->lOpened && oPrev->HasChildren()) return oPrev->oTree->GetLast();
    return oPrev;
}

TTreeItem* TTreeItem::Skip(int& count) {
    TTreeItem* at = this;
    int made = 0;
    for (; made < std::abs(count); ++made) {
        TTreeItem* next = count > 0 ? at->GetNext() : at->GetPrev();
        if (!next) break;
        at = next;
    }
    count = count > 0 ? made : -made;
    return at;
}

long long TTreeItem::ItemNo() const {
    long long n = 1;
    for (const TTreeItem* p = GetPrev(); p; p = p->GetPrev()) ++n;
    return n;
}

std::string TTreeItem::GetText() const {
    const char* box = HasChildren() ? (lOpened ? " - " : " + ") : "   ";
    return box + cDraw + cPrompt;
}

void TTreeItem::Draw(const std::string& prefix) {
    const bool siblingFollows = oNext && oNext->nLevel == nLevel;
    const bool kids = HasChildren();
    char code;
    if (!oPrev) code = '2';
    else if (siblingFollows) code = kids ? (lOpened ? '5' : '4') : '2';
    else code = kids ? (lOpened ? '7' : '6') : '3';
    cDraw = prefix + code;
    if (!kids) return;
    char ext = '0';
    if (siblingFollows) ext = '1';
    else if (oNext && oNext->nLevel < nLevel) ext = lOpened ? '1' : '0';
    oTree->Draw(prefix + ext);
}

void TTreeItem::SetNext(TTreeItem* next) {
    oNext = next;
    if (HasChildren()) oTree->oLast->SetNext(next);
}

TTreeItem& TTreeItem::AddChild(const std::string& prompt, bool first) {
    return AddChild(std::make_unique<TTreeItem>(prompt, nLevel + 1), first);
}

namespace {
// An item moving to another level takes it, its subtree one deeper each.
void treeRelevel(TTreeItem& item, int level) {
    item.nLevel = level;
    if (item.HasChildren()) item.oTree->SetLevel(level + 1);
}
}  // namespace

TTreeItem& TTreeItem::AddChild(std::unique_ptr<TTreeItem> item, bool first) {
    treeRelevel(*item, nLevel + 1);
    if (!oTree) oTree = std::make_unique<TLinkList>(this);
    TLinkList& list = *oTree;
    if (first || !list.oLast) return list.AddFirst(std::move(item));
    TTreeItem* it = item.get();
    TTreeItem* last = list.oLast;
    it->oPrev = last;
    it->SetNext(last->oNext);
    last->SetNext(it);
    list.oLast = it;
    return list.Adopt(std::move(item));
}

TTreeItem* TTreeItem::Add(const std::string& prompt) { return Add(std::make_unique<TTreeItem>(prompt, nLevel)); }

TTreeItem* TTreeItem::Add(std::unique_ptr<TTreeItem> item) {
    if (!oList) return nullptr;
    treeRelevel(*item, nLevel);
    TTreeItem* it = item.get();
    it->oPrev = this;
    it->SetNext(oNext);
    SetNext(it);
    if (it->oNext && it->oNext->nLevel == it->nLevel) it->oNext->oPrev = it;
    else oList->oLast = it;  // the last of its list
    return &oList->Adopt(std::move(item));
}

std::unique_ptr<TTreeItem> TTreeItem::Delete(TLinkList* list) {
    if (!list && (!oPrev || !oNext)) return nullptr;
    TLinkList* holder = oList;
    if (!holder || (nLevel == 1 && list && list != holder)) return nullptr;
    TTreeItem* parent = nLevel > 1 ? Parent() : nullptr;
    const bool first = holder->oFirst == this, last = holder->oLast == this;
    TTreeItem* prev = first ? nullptr : oPrev;            // the previous sibling
    TTreeItem* next = last ? nullptr : oNext;             // the next sibling
    std::unique_ptr<TTreeItem> out = holder->Release(this);
    if (first && last) {
        holder->oFirst = holder->oLast = nullptr;
        if (parent) {
            parent->lOpened = false;
            std::unique_ptr<TLinkList> gone = std::move(parent->oTree);  // empty now
        }
    } else {
        if (first) {
            next->oPrev = oPrev;  // the parent, or none at level 1
            holder->oFirst = next;
        } else {
            prev->SetNext(oNext);
        }
        if (last) holder->oLast = prev;
        else if (!first) next->oPrev = prev;
    }
    // The subtree stands alone.
    SetNext(nullptr);
    oPrev = nullptr;
    return out;
}

bool TTreeItem::MoveUp(TLinkList* list) {
    TTreeItem* p = oPrev && oPrev->nLevel == nLevel && oList && oList->oFirst != this ? oPrev : nullptr;
    if (!p) return false;
    TTreeItem* q = p->oPrev;
    if (!q) {
        if (!list) return false;
        TLinkList* holder = oList;
        std::unique_ptr<TTreeItem> me = Delete(list);
        if (!me) return false;
        oPrev = nullptr;
        SetNext(p);
        p->oPrev = this;
        holder->oFirst = this;
        holder->Adopt(std::move(me));
        return true;
    }
    std::unique_ptr<TTreeItem> me = Delete(list);
    if (!me) return false;
    if (q->nLevel == nLevel) q->Add(std::move(me));
    else q->AddChild(std::move(me), true);
    return true;
}

bool TTreeItem::MoveDown(TLinkList* list) {
    TTreeItem* n = oList && oList->oLast != this ? oNext : nullptr;
    if (!n) return false;
    std::unique_ptr<TTreeItem> me = Delete(list);
    if (!me) return false;
    n->Add(std::move(me));
    return true;
}

bool TTreeItem::Promote() {
    TTreeItem* parent = nLevel > 1 ? Parent() : nullptr;
    if (!parent) return false;
    std::unique_ptr<TTreeItem> me = Delete();
    if (!me) return false;
    parent->Add(std::move(me));
    return true;
}

bool TTreeItem::Demote() {
    TTreeItem* p = oPrev && oPrev->nLevel == nLevel && oList && oList->oFirst != this ? oPrev : nullptr;
    if (!p) return false;
    std::unique_ptr<TTreeItem> me = Delete();
    if (!me) return false;
    p->AddChild(std::move(me));
    p->Open();
    return true;
}

void TTreeItem::Sort(TLinkList* list) {
    TLinkList* holder = nLevel > 1 || !list ? oList : list;
    if (holder) holder->Sort();
}

TreeLabel TTreeItem::GetLabel() const {
    const TreeLinePictures& lines = ATREEBMPS();
    TreeLabel label;
    label.aPictures.assign(size_t(nLevel) + 1, 0);
    for (size_t i = 0; i < cDraw.size() && i < size_t(nLevel); ++i) {
        const int code = cDraw[i] - '0';
        if (code > 0 && code < 8) label.aPictures[i] = lines[size_t(code)];
    }
    if (HasChildren()) {
        const bool siblingFollows = oNext && oNext->nLevel == nLevel;
        const int box = siblingFollows ? (lOpened ? 5 : 4) : (lOpened ? 7 : 6);
        label.aPictures[size_t(nLevel) - 1] = lines[size_t(box)];
    }
    label.aPictures[size_t(nLevel)] = lOpened ? hBmpClose : hBmpOpen;
    label.cPrompt = cPrompt;
    return label;
}

std::vector<int> TTreeItem::ColSizes() const {
    std::vector<int> sizes(size_t(nLevel) + 1, 16);
    sizes.push_back(300);
    return sizes;
}

void TTreeItem::End() {
    // Each distinct handle once, and never the builder's shared defaults.
    const TreePicture shared[] = {treeDefaultOpen(), treeDefaultClose()};
    auto own = [&](TreePicture p) { return p && p != shared[0] && p != shared[1]; };
    if (own(hBmpOpen)) treeReleasePicture(hBmpOpen);
    if (own(hBmpClose) && hBmpClose != hBmpOpen) treeReleasePicture(hBmpClose);
    hBmpOpen = hBmpClose = 0;
    treeLinesRelease();
}

bool TTreeItem::SetTree(std::unique_ptr<TLinkList> list) {
    if (!list || !list->oFirst) return false;
    oTree = std::move(list);
    oTree->SetOwner(this);
    oTree->oFirst->oPrev = this;
    oTree->oLast->SetNext(oNext);
    oTree->SetLevel(nLevel + 1);
    return true;
}

TTreeItem* TTreeItem::Parent() const {
    const TTreeItem* at = this;
    while (at->oPrev && at->oPrev->nLevel >= nLevel) at = at->oPrev;
    return at->oPrev && at->oPrev->nLevel < nLevel ? at->oPrev : nullptr;
}

TTreeItem* TTreeItem::Parent(int level) const {
    if (nLevel <= 1) return nullptr;
    if (level < 0) level = nLevel + level;
    level = std::clamp(level, 1, nLevel - 1);
    TTreeItem* at = Parent();
    while (at && at->nLevel > level) at = at->Parent();
    return at;
}

void TTreeItem::EvalParents(const std::function<void(TTreeItem&, TTreeItem&)>& block) {
    for (TTreeItem* p = Parent(); p; p = p->Parent()) block(*p, *this);
}

}  // namespace wl
