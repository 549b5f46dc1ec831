// One level of an outline: its items in order, each owned here, linked by
// TTreeItem's chain. A nested list knows the item that owns it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tree_item.hpp"

namespace wl {

class TLinkList {
public:
    explicit TLinkList(TTreeItem* owner = nullptr) : owner_(owner) {}
    TLinkList(const TLinkList&) = delete;
    TLinkList& operator=(const TLinkList&) = delete;

    TTreeItem* oFirst = nullptr;
    TTreeItem* oLast = nullptr;
    Value Cargo;

    // Appends an item; the level defaults to the first item's (1 when empty).
    TTreeItem& Add(const std::string& prompt, std::optional<int> level = std::nullopt, bool opened = false);
    // Takes an item made elsewhere as the new first item (AddChild's "first").
    TTreeItem& AddFirst(std::unique_ptr<TTreeItem> item);
    void OpenAll();
    void Expand(int level = 1000);
    void Collapse(int level = 1);
    TTreeItem* GetLast() const;
    long long nCount() const;
    void Draw(const std::string& prefix = "");
    int Levels() const;
    // Runs block on the items from the first (into children when descend)
    // while they are not above the first item's level; returns the last one run.
    TTreeItem* Eval(const std::function<void(TTreeItem&)>& block, const std::function<bool(TTreeItem&)>& forBlock = {},
                    const std::function<bool(TTreeItem&)>& whileBlock = {}, bool descend = true);
    // The first item whose trimmed, upper-cased prompt equals the text's.
    TTreeItem* Find(const std::string& text, bool descend = true) const;
    TTreeItem* Find(const std::function<bool(TTreeItem&)>& match, bool descend = true) const;
    // Orders this level by upper-cased prompt; children travel along.
    void Sort();

    // Gives this level the level and each nested list the level plus 1.
    void SetLevel(int level);
    void SetOwner(TTreeItem* owner) { owner_ = owner; }

    // Every item of this list and the nested ones, parents first.
    void ForEach(const std::function<void(TTreeItem&)>& f);
    // Ends every item (pictures released) and the shared line and default
    // pictures.
    void End();

    // Ownership only (the links are the caller's): takes an item in, or
    // gives one up.
    TTreeItem& Adopt(std::unique_ptr<TTreeItem> item);
    std::unique_ptr<TTreeItem> Release(TTreeItem* item);
    TTreeItem* Owner() const { return owner_; }

private:
    TTreeItem* owner_;
    std::vector<std::unique_ptr<TTreeItem>> owned_;
};

}  // namespace wl
