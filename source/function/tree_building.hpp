// Building outlines by nesting (begin a level, add items, end the level)
// and from grouped data. The builder holds the stack of open levels for
// one building pass; nothing is kept between passes.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link_list.hpp"
#include "value.hpp"

namespace wl {

// Where an item's pictures come from: the open one from its file when
// given, else its resource; the closed one likewise, else the open one.
struct TreeItemPictures {
    std::string openResource, closeResource, openFile, closeFile;
};

class TreeBuilder {
public:
    // Starts a list one level deeper; returns it. A resource name given
    // replaces the default open or closed picture that TREEEND gives.
    TLinkList& TREEBEGIN(const std::string& openResource = {}, const std::string& closeResource = {});
    // Appends an item at the current level to the innermost list (the
    // library's _TREEITEM).
    TTreeItem& TREEITEM(const std::string& prompt, bool opened = false, Value cargo = {});
    // The same with its pictures.
    TTreeItem& TREEITEM(const std::string& prompt, const TreeItemPictures& pictures, bool opened = false,
                        Value cargo = {});
    // Closes the innermost list: a nested one becomes the children of the
    // enclosing list's last item, which is returned (and takes the default
    // open and closed pictures where it has none); the outermost one
    // returns nullptr and stays with the builder.
    TTreeItem* TREEEND();
    int Level() const { return int(stack_.size()); }
    // The outermost list once built.
    std::unique_ptr<TLinkList> Take() { return std::move(root_); }

private:
    std::vector<std::unique_ptr<TLinkList>> stack_;
    std::unique_ptr<TLinkList> root_;
};

// One item per record of data sorted by the keys: the first record of a
// group is the group's item, later ones its children. until(counter) is
// asked before each record (counter from 1), so an empty source gives an
// empty tree. cargo gives each item's cargo (the record's bookmark).
std::unique_ptr<TLinkList> SUMMARYDATAASTREE(const std::function<void()>& skip, const std::function<bool(int)>& until,
                                             const std::vector<std::function<Value()>>& keys,
                                             const std::function<Value()>& cargo = {});

// The item's 0-based visible position (0 for none), however deep.
long long TREERECNO(const TTreeItem* item);

}  // namespace wl
