// The window-free part of a tree view: which nodes there are, under which
// parent, in which order, with their prompts and pictures. Nodes are named
// by keys the control gives them (its item handles as numbers); key 0 is
// the invisible root. The tree view class keeps one TreeState, enters every
// node it adds and sends every deletion the control reports through
// treeRemove, which answers the keys whose item objects must go, so the
// objects never outlive their nodes.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace wl {

using TreeKey = std::uintptr_t;

struct TreeNode {
    TreeKey parent = 0;
    std::string prompt;
    int image = 0;
    std::vector<TreeKey> children;  // in the order they were added
};

struct TreeState {
    std::vector<TreeKey> roots;
    std::map<TreeKey, TreeNode> nodes;
};

// Adds a node as the last child of `parent` (0: at the top). False, and
// nothing changes, for key 0, a key already in the tree or an unknown parent.
bool treeAdd(TreeState& s, TreeKey key, TreeKey parent, const std::string& prompt, int image = 0);
// Removes the node and all its descendants. Answers the removed keys, each
// node's descendants before the node; nothing for an unknown key.
std::vector<TreeKey> treeRemove(TreeState& s, TreeKey key);
// Removes every node; answers the removed keys as treeRemove does.
std::vector<TreeKey> treeClear(TreeState& s);
// The children of `parent` (0: the top nodes); none for an unknown key.
std::vector<TreeKey> treeChildren(const TreeState& s, TreeKey parent);

bool treeHas(const TreeState& s, TreeKey key);
// The parent's key, 0 for a top node or an unknown key.
TreeKey treeParent(const TreeState& s, TreeKey key);
// 0 for a top node, 1 for its children...; -1 for an unknown key.
int treeLevel(const TreeState& s, TreeKey key);
// The nodes under `from` (0: the whole tree) in display order: a node
// before its children. `from` itself comes first when it is a node.
std::vector<TreeKey> treeDepthFirst(const TreeState& s, TreeKey from = 0);
void treeSetPrompt(TreeState& s, TreeKey key, const std::string& prompt);

// The nodes' prompts as an outline (a menu built from the tree).
struct TreeOutline {
    std::string prompt;
    std::vector<TreeOutline> children;
    bool operator==(const TreeOutline&) const = default;
};
std::vector<TreeOutline> treeOutline(const TreeState& s, TreeKey from = 0);

}  // namespace wl
