#include "tree_item.hpp"

#include "link_list.hpp"

namespace wl {

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
    if (!oTree) oTree = std::make_unique<TLinkList>(this);
    if (first && oTree->oFirst) return oTree->AddFirst(std::make_unique<TTreeItem>(prompt, nLevel + 1));
    return oTree->Add(prompt, nLevel + 1);
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

}  // namespace wl
