// One entry of an outline: its prompt, level, open state, nested list of
// children and the links that chain the whole outline in pre-order (oNext
// follows an item's whole subtree; oPrev of a first child is its parent).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "value.hpp"

namespace wl {

class TLinkList;

class TTreeItem {
public:
    TTreeItem(std::string prompt, int level) : cPrompt(std::move(prompt)), nLevel(level) {}
    ~TTreeItem();

    std::string cPrompt;
    std::string cDraw;  // connector codes '0'..'7', one per level
    TTreeItem* oPrev = nullptr;
    TTreeItem* oNext = nullptr;
    std::unique_ptr<TLinkList> oTree;
    bool lOpened = false;
    int nLevel = 1;
    Value Cargo;
    std::function<void(TTreeItem&)> bAction;

    bool HasChildren() const;
    void Open();
    void Close() { lOpened = false; }
    void Toggle() { lOpened ? Close() : Open(); }
    // The next and previous visible items.
    TTreeItem* GetNext() const;
    TTreeItem* GetPrev() const;
    // Moves by at most |count| visible items; count becomes the steps made.
    TTreeItem* Skip(int& count);
    // The 1-based visible position, however far from the top.
    long long ItemNo() const;
    std::string GetText() const;
    void Draw(const std::string& prefix);
    // Sets oNext here and on the last item of each nested level below.
    void SetNext(TTreeItem* next);
    // Adds a child, first or after the last one; the open state stays.
    TTreeItem& AddChild(const std::string& prompt, bool first = false);
    // Attaches a non-empty list as the children (false for an empty one):
    // its first item points back here, its last one on to this item's
    // follower, its levels become this level plus 1.
    bool SetTree(std::unique_ptr<TLinkList> list);
    // The ancestor one level up (nullptr at level 1).
    TTreeItem* Parent() const;
};

}  // namespace wl
