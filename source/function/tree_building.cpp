#include "tree_building.hpp"

#include "xbrw_column.hpp"

namespace wl {

TLinkList& TreeBuilder::TREEBEGIN(const std::string& openResource, const std::string& closeResource) {
    treeSetDefaults(openResource, closeResource);
    stack_.push_back(std::make_unique<TLinkList>());
    return *stack_.back();
}

TTreeItem& TreeBuilder::TREEITEM(const std::string& prompt, bool opened, Value cargo) {
    if (stack_.empty()) TREEBEGIN();
    TTreeItem& it = stack_.back()->Add(prompt, Level(), opened);
    it.Cargo = std::move(cargo);
    return it;
}

TTreeItem& TreeBuilder::TREEITEM(const std::string& prompt, const TreeItemPictures& pictures, bool opened,
                                 Value cargo) {
    TTreeItem& it = TREEITEM(prompt, opened, std::move(cargo));
    it.hBmpOpen = treeLoadPicture(pictures.openResource, pictures.openFile);
    const TreePicture close = treeLoadPicture(pictures.closeResource, pictures.closeFile);
    it.hBmpClose = close ? close : it.hBmpOpen;
    return it;
}

TTreeItem* TreeBuilder::TREEEND() {
    if (stack_.empty()) return nullptr;
    std::unique_ptr<TLinkList> list = std::move(stack_.back());
    stack_.pop_back();
    if (stack_.empty()) {
        root_ = std::move(list);
        return nullptr;
    }
    TTreeItem* parent = stack_.back()->oLast;
    if (!parent) {
        // A level begun before any item of the enclosing one: its items join it.
        for (TTreeItem* it = list->oFirst; it; it = it == list->oLast ? nullptr : it->oNext)
            stack_.back()->Add(it->cPrompt, Level(), it->lOpened).Cargo = it->Cargo;
        return nullptr;
    }
    parent->SetTree(std::move(list));
    if (!parent->hBmpOpen) parent->hBmpOpen = treeDefaultOpen();
    if (!parent->hBmpClose) parent->hBmpClose = treeDefaultClose();
    return parent;
}

namespace {
bool sameKey(const Value& a, const Value& b) {
    return xbrValueType(a) == xbrValueType(b) && CVALTOCHAR(a) == CVALTOCHAR(b);
}
}  // namespace

std::unique_ptr<TLinkList> SUMMARYDATAASTREE(const std::function<void()>& skip, const std::function<bool(int)>& until,
                                             const std::vector<std::function<Value()>>& keys,
                                             const std::function<Value()>& cargo) {
    TreeBuilder b;
    const int n = int(keys.size());
    if (n == 0) return std::make_unique<TLinkList>();
    std::vector<Value> prev(static_cast<size_t>(n));
    TTreeItem* latest = nullptr;
    for (int counter = 1; !until(counter); ++counter) {
        std::vector<Value> key(static_cast<size_t>(n));
        for (int k = 0; k < n; ++k) key[size_t(k)] = keys[size_t(k)]();
        auto text = [&](int k) { return CVALTOCHAR(key[size_t(k) - 1]); };
        if (!latest) {
            b.TREEBEGIN();
            latest = &b.TREEITEM(text(1));
        } else {
            for (int k = 1; k <= latest->nLevel; ++k) {
                if (sameKey(key[size_t(k) - 1], prev[size_t(k) - 1])) {
                    if (k == n) {
                        latest = &b.TREEITEM(text(k));
                        break;
                    }
                    if (k == latest->nLevel) {
                        b.TREEBEGIN();
                        latest = &b.TREEITEM(text(k + 1));
                        break;
                    }
                    continue;
                }
                for (int i = latest->nLevel - k; i > 0; --i) b.TREEEND();
                latest = &b.TREEITEM(text(k));
                break;
            }
        }
        if (cargo) latest->Cargo = cargo();
        prev = key;
        skip();
    }
    if (!latest) return std::make_unique<TLinkList>();
    for (int i = b.Level(); i > 0; --i) b.TREEEND();
    return b.Take();
}

long long TREERECNO(const TTreeItem* item) { return item ? item->ItemNo() - 1 : 0; }

}  // namespace wl
