#include "tree_view_model.hpp"

#include <algorithm>

namespace wl {
namespace {

std::vector<TreeKey>* siblingsOf(TreeState& s, TreeKey parent) {
    if (parent == 0) return &s.roots;
    const auto it = s.nodes.find(parent);
    return it == s.nodes.end() ? nullptr : &it->second.children;
}

// Descendants first, so a caller dropping objects in this order never
// meets a child whose parent is already gone.
void collect(const TreeState& s, TreeKey key, std::vector<TreeKey>& out) {
    const auto it = s.nodes.find(key);
    if (it == s.nodes.end()) return;
    for (TreeKey child : it->second.children) collect(s, child, out);
    out.push_back(key);
}

void preorder(const TreeState& s, const std::vector<TreeKey>& keys, std::vector<TreeKey>& out) {
    for (TreeKey k : keys) {
        out.push_back(k);
        const auto it = s.nodes.find(k);
        if (it != s.nodes.end()) preorder(s, it->second.children, out);
    }
}

}  // namespace

bool treeAdd(TreeState& s, TreeKey key, TreeKey parent, const std::string& prompt, int image) {
    if (key == 0 || s.nodes.count(key)) return false;
    std::vector<TreeKey>* siblings = siblingsOf(s, parent);
    if (!siblings) return false;
    siblings->push_back(key);
    TreeNode node;
    node.parent = parent;
    node.prompt = prompt;
    node.image = image;
    s.nodes.emplace(key, std::move(node));
    return true;
}

std::vector<TreeKey> treeRemove(TreeState& s, TreeKey key) {
    std::vector<TreeKey> removed;
    collect(s, key, removed);
    if (removed.empty()) return removed;
    if (std::vector<TreeKey>* siblings = siblingsOf(s, s.nodes.at(key).parent))
        siblings->erase(std::remove(siblings->begin(), siblings->end(), key), siblings->end());
    for (TreeKey k : removed) s.nodes.erase(k);
    return removed;
}

std::vector<TreeKey> treeClear(TreeState& s) {
    std::vector<TreeKey> removed;
    for (TreeKey root : s.roots) collect(s, root, removed);
    s = TreeState{};
    return removed;
}

std::vector<TreeKey> treeChildren(const TreeState& s, TreeKey parent) {
    if (parent == 0) return s.roots;
    const auto it = s.nodes.find(parent);
    return it == s.nodes.end() ? std::vector<TreeKey>{} : it->second.children;
}

bool treeHas(const TreeState& s, TreeKey key) { return s.nodes.count(key) != 0; }

TreeKey treeParent(const TreeState& s, TreeKey key) {
    const auto it = s.nodes.find(key);
    return it == s.nodes.end() ? 0 : it->second.parent;
}

int treeLevel(const TreeState& s, TreeKey key) {
    if (!treeHas(s, key)) return -1;
    int level = 0;
    for (TreeKey p = treeParent(s, key); p != 0; p = treeParent(s, p)) ++level;
    return level;
}

std::vector<TreeKey> treeDepthFirst(const TreeState& s, TreeKey from) {
    std::vector<TreeKey> out;
    if (from == 0) {
        preorder(s, s.roots, out);
    } else if (treeHas(s, from)) {
        preorder(s, {from}, out);
    }
    return out;
}

void treeSetPrompt(TreeState& s, TreeKey key, const std::string& prompt) {
    const auto it = s.nodes.find(key);
    if (it != s.nodes.end()) it->second.prompt = prompt;
}

std::vector<TreeOutline> treeOutline(const TreeState& s, TreeKey from) {
    std::vector<TreeOutline> out;
    for (TreeKey k : treeChildren(s, from)) out.push_back({s.nodes.at(k).prompt, treeOutline(s, k)});
    return out;
}

}  // namespace wl
