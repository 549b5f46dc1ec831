// The trees the X12 tools fill (the envelope tree, the compare lists): an
// interface, so the tools run and are tested without windows; the screens
// fill a tree view through it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace zr {

// A node of a tool tree; kNoToolNode where a node does not exist.
using ToolNode = std::size_t;
inline constexpr ToolNode kNoToolNode = 0;

class ToolTree;
// Adds a node's children (with `addChild` on `node`) when they are wanted.
using ToolChildFill = std::function<void(ToolTree& tree, ToolNode node)>;

class ToolTree {
public:
    virtual ~ToolTree() = default;
    // A new top-level node.
    virtual ToolNode addRoot(const std::string& text) = 0;
    // A new last child of `parent` (never kNoToolNode).
    virtual ToolNode addChild(ToolNode parent, const std::string& text) = 0;
    // A new last child whose own children `fill` adds when they are wanted: a
    // large file's elements are tens of millions of texts nobody opens. Here
    // at once; a tree that shows nodes on demand calls it later (or never).
    virtual ToolNode addLazyChild(ToolNode parent, const std::string& text, ToolChildFill fill) {
        const ToolNode node = addChild(parent, text);
        fill(*this, node);
        return node;
    }
    // A new top-level node whose children `fill` adds when they are wanted
    // (a file's list of millions of segments, shown closed).
    virtual ToolNode addLazyRoot(const std::string& text, ToolChildFill fill) {
        const ToolNode node = addRoot(text);
        fill(*this, node);
        return node;
    }
};

// A tree kept as text: each node's parent and text, in the order added.
class TextToolTree : public ToolTree {
public:
    struct Node {
        ToolNode parent = kNoToolNode;
        std::string text;
    };
    ToolNode addRoot(const std::string& text) override;
    ToolNode addChild(ToolNode parent, const std::string& text) override;

    const std::vector<Node>& nodes() const { return nodes_; }
    const Node& node(ToolNode n) const { return nodes_.at(n - 1); }
    // The texts of a node's children (of the roots for kNoToolNode), in order.
    std::vector<std::string> childTexts(ToolNode parent) const;
    // The first node with this text under `parent`; kNoToolNode when none.
    ToolNode find(ToolNode parent, const std::string& text) const;

private:
    std::vector<Node> nodes_;
};

// A tree that keeps nothing: counts the nodes (benchmarks, runs whose tree
// nobody looks at). Children added on demand are never wanted here, as in a
// view nobody expands: they are counted apart, untouched.
class CountingToolTree : public ToolTree {
public:
    ToolNode addRoot(const std::string&) override { return ++count_; }
    ToolNode addChild(ToolNode, const std::string&) override { return ++count_; }
    ToolNode addLazyChild(ToolNode, const std::string&, ToolChildFill) override {
        ++lazy_;
        return ++count_;
    }
    ToolNode addLazyRoot(const std::string&, ToolChildFill) override {
        ++lazy_;
        return ++count_;
    }
    std::size_t count() const { return count_; }
    // The nodes whose children were left to be added on demand.
    std::size_t lazyCount() const { return lazy_; }

private:
    std::size_t count_ = 0, lazy_ = 0;
};

}  // namespace zr
