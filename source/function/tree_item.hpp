// One entry of an outline: its prompt, level, open state, nested list of
// children and the links that chain the whole outline in pre-order (oNext
// follows an item's whole subtree; oPrev of a first child is its parent).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tree_pictures.hpp"
#include "value.hpp"

namespace wl {

class TLinkList;

// The browse line of an item: its pictures (level + 1 cells: the line
// pictures of the levels, then its own) and its prompt.
struct TreeLabel {
    std::vector<TreePicture> aPictures;
    std::string cPrompt;
};

class TTreeItem {
public:
    // Loads the shared line pictures when they are not loaded.
    TTreeItem(std::string prompt, int level, TreePicture open = 0, TreePicture close = 0);
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
    // A closed item shows hBmpOpen, an opened one hBmpClose (0: none).
    TreePicture hBmpOpen = 0, hBmpClose = 0;
    // The list that holds (and owns) the item.
    TLinkList* oList = nullptr;

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
    // Adds a child, first or after the last one; the open state stays. An
    // item given takes this level plus 1 (its subtree follows).
    TTreeItem& AddChild(const std::string& prompt, bool first = false);
    TTreeItem& AddChild(std::unique_ptr<TTreeItem> item, bool first = false);
    // Inserts a sibling right after this item and its subtree; an item
    // given takes this level (its subtree follows).
    // nullptr when this item is in no list (a detached one).
    TTreeItem* Add(const std::string& prompt);
    TTreeItem* Add(std::unique_ptr<TTreeItem> item);
    // Unlinks the item with its subtree from the list that holds it (for a
    // level-1 item, the list given). Without a list, an item with nothing
    // before or after it in the outline stays. The caller receives the
    // detached item (nullptr when refused); a parent whose only child it
    // was is closed and loses its list.
    std::unique_ptr<TTreeItem> Delete(TLinkList* list = nullptr);
    // Swap with the previous or next sibling; false when there is none
    // (or, for the first item of the outline, no list is given).
    bool MoveUp(TLinkList* list = nullptr);
    bool MoveDown(TLinkList* list = nullptr);
    // Out of the parent's list to right after the parent; false at level 1.
    bool Promote();
    // The last child of the previous sibling, which opens; false without one.
    bool Demote();
    // Sorts the list holding the item (for a level-1 item, the list given).
    void Sort(TLinkList* list = nullptr);
    // The browse line: see TreeLabel.
    TreeLabel GetLabel() const;
    // The browse column widths: 16 pixels per picture cell, then 300.
    std::vector<int> ColSizes() const;
    // Releases the item's own pictures (each handle once, never the
    // builder's defaults) and the shared line pictures.
    void End();
    // Attaches a non-empty list as the children (false for an empty one):
    // its first item points back here, its last one on to this item's
    // follower, its levels become this level plus 1.
    bool SetTree(std::unique_ptr<TLinkList> list);
    // The ancestor one level up (nullptr at level 1).
    TTreeItem* Parent() const;
    // The ancestor at a level: negative counts up from the item's own
    // level; clamped to 1 .. level - 1.
    TTreeItem* Parent(int level) const;
    // Calls block (ancestor, item) for the parent, its parent, ... level 1.
    void EvalParents(const std::function<void(TTreeItem&, TTreeItem&)>& block);
};

}  // namespace wl
