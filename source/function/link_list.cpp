#include "link_list.hpp"

#include <algorithm>

#include "text.hpp"

namespace wl {

TTreeItem& TLinkList::Add(const std::string& prompt, std::optional<int> level, bool opened) {
    auto item = std::make_unique<TTreeItem>(prompt, level.value_or(oFirst ? oFirst->nLevel : 1));
    TTreeItem* it = item.get();
    it->lOpened = opened;
    if (!oLast) {
        it->oPrev = owner_;
        it->oNext = owner_ ? owner_->oNext : nullptr;
        oFirst = it;
    } else {
        it->oPrev = oLast;
        it->oNext = oLast->oNext;
        oLast->SetNext(it);
    }
    oLast = it;
    Adopt(std::move(item));
    return *it;
}

TTreeItem& TLinkList::Adopt(std::unique_ptr<TTreeItem> item) {
    item->oList = this;
    owned_.push_back(std::move(item));
    return *owned_.back();
}

std::unique_ptr<TTreeItem> TLinkList::Release(TTreeItem* item) {
    for (auto it = owned_.begin(); it != owned_.end(); ++it) {
        if (it->get() != item) continue;
        std::unique_ptr<TTreeItem> out = std::move(*it);
        owned_.erase(it);
        out->oList = nullptr;
        return out;
    }
    return nullptr;
}

void TLinkList::End() {
    ForEach([](TTreeItem& it) { it.End(); });
    treeLinesRelease();
    TREEFREE();
}

TTreeItem& TLinkList::AddFirst(std::unique_ptr<TTreeItem> item) {
    if (!oFirst) {
        TTreeItem* it = item.get();
        it->oPrev = owner_;
        it->SetNext(owner_ ? owner_->oNext : nullptr);
        oFirst = oLast = it;
        return Adopt(std::move(item));
    }
    TTreeItem* it = item.get();
    it->oPrev = oFirst->oPrev;
    it->SetNext(oFirst);
    oFirst->oPrev = it;
    oFirst = it;
    Adopt(std::move(item));
    return *it;
}

void TLinkList::ForEach(const std::function<void(TTreeItem&)>& f) {
    for (TTreeItem* it = oFirst; it; it = it == oLast ? nullptr : it->oNext) {
        f(*it);
        if (it->HasChildren()) it->oTree->ForEach(f);
    }
}

void TLinkList::SetLevel(int level) {
    for (TTreeItem* it = oFirst; it; it = it == oLast ? nullptr : it->oNext) {
        it->nLevel = level;
        if (it->HasChildren()) it->oTree->SetLevel(level + 1);
    }
}

void TLinkList::OpenAll() {
    for (TTreeItem* it = oFirst; it; it = it->GetNext()) it->Open();
}

void TLinkList::Expand(int level) {
    ForEach([level](TTreeItem& it) { it.nLevel < level ? it.Open() : it.Close(); });
}

void TLinkList::Collapse(int level) {
    ForEach([level](TTreeItem& it) { it.nLevel >= level ? it.Close() : it.Open(); });
}

TTreeItem* TLinkList::GetLast() const {
    if (!oLast) return nullptr;
    return oLast->lOpened && oLast->HasChildren() ? oLast->oTree->GetLast() : oLast;
}

long long TLinkList::nCount() const {
    long long n = 0;
    for (TTreeItem* it = oFirst; it; it = it->GetNext()) ++n;
    return n;
}

void TLinkList::Draw(const std::string& prefix) {
    if (!oFirst) return;
    const int level = oFirst->nLevel;
    for (TTreeItem* it = oFirst; it && it->nLevel == level; it = it->oNext) it->Draw(prefix);
}

int TLinkList::Levels() const {
    int most = 0;
    const_cast<TLinkList*>(this)->ForEach([&](TTreeItem& it) { most = std::max(most, it.nLevel); });
    return most;
}

TTreeItem* TLinkList::Eval(const std::function<void(TTreeItem&)>& block, const std::function<bool(TTreeItem&)>& forBlock,
                           const std::function<bool(TTreeItem&)>& whileBlock, bool descend) {
    TTreeItem* last = nullptr;
    if (!oFirst) return last;
    const int level = oFirst->nLevel;
    for (TTreeItem* it = oFirst; it && it->nLevel >= level;) {
        if (!forBlock || forBlock(*it)) {
            block(*it);
            last = it;
        }
        if (whileBlock && !whileBlock(*it)) break;
        it = descend && it->HasChildren() ? it->oTree->oFirst : it->oNext;
    }
    return last;
}

TTreeItem* TLinkList::Find(const std::function<bool(TTreeItem&)>& match, bool descend) const {
    for (TTreeItem* it = oFirst; it;) {
        if (match(*it)) return it;
        it = descend && it->HasChildren() ? it->oTree->oFirst : it->oNext;
    }
    return nullptr;
}

TTreeItem* TLinkList::Find(const std::string& text, bool descend) const {
    const std::string want = upper(alltrim(text));
    return Find([&](TTreeItem& it) { return upper(alltrim(it.cPrompt)) == want; }, descend);
}

void TLinkList::Sort() {
    if (!oFirst || oFirst == oLast) return;
    std::vector<TTreeItem*> items;
    for (TTreeItem* it = oFirst;; it = it->oNext) {
        items.push_back(it);
        if (it == oLast) break;
    }
    TTreeItem* before = oFirst->oPrev;
    TTreeItem* after = oLast->oNext;
    std::stable_sort(items.begin(), items.end(),
                     [](const TTreeItem* a, const TTreeItem* b) { return upper(a->cPrompt) < upper(b->cPrompt); });
    items.front()->oPrev = before;
    for (size_t i = 0; i + 1 < items.size(); ++i) {
        items[i]->SetNext(items[i + 1]);
        items[i + 1]->oPrev = items[i];
    }
    items.back()->SetNext(after);
    oFirst = items.front();
    oLast = items.back();
}

}  // namespace wl
