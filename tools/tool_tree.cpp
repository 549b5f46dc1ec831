#include "tool_tree.hpp"

namespace zr {

ToolNode TextToolTree::addRoot(const std::string& text) {
    nodes_.push_back({kNoToolNode, text});
    return nodes_.size();
}

ToolNode TextToolTree::addChild(ToolNode parent, const std::string& text) {
    nodes_.push_back({parent, text});
    return nodes_.size();
}

std::vector<std::string> TextToolTree::childTexts(ToolNode parent) const {
    std::vector<std::string> out;
    for (const Node& n : nodes_)
        if (n.parent == parent) out.push_back(n.text);
    return out;
}

ToolNode TextToolTree::find(ToolNode parent, const std::string& text) const {
    for (std::size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i].parent == parent && nodes_[i].text == text) return i + 1;
    return kNoToolNode;
}

}  // namespace zr
