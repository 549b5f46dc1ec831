#include "tool_tree_view.hpp"

#include "message_loop.hpp"
#include "screen_font.hpp"

namespace zr {

ToolTreeView::ToolTreeView(wl::TTreeView& view) : view_(view) {
    view_.bExpanded = [this](HTREEITEM item) { expanded(item); };
}

ToolNode ToolTreeView::addRoot(const std::string& text) {
    items_.push_back(&view_.Add(text));
    return items_.size();
}

ToolNode ToolTreeView::addChild(ToolNode parent, const std::string& text) {
    items_.push_back(&items_.at(parent - 1)->Add(text));
    return items_.size();
}

ToolNode ToolTreeView::addLazyChild(ToolNode parent, const std::string& text, ToolChildFill fill) {
    const ToolNode node = addChild(parent, text);
    deferChildren(node, std::move(fill));
    return node;
}

ToolNode ToolTreeView::addLazyRoot(const std::string& text, ToolChildFill fill) {
    const ToolNode node = addRoot(text);
    deferChildren(node, std::move(fill));
    return node;
}

void ToolTreeView::deferChildren(ToolNode node, ToolChildFill fill) {
    wl::TTVItem& item = *items_.at(node - 1);
    item.Add("");
    pending_.emplace(item.hItem, Pending{node, std::move(fill)});
}

void ToolTreeView::expanded(HTREEITEM item) {
    const auto at = pending_.find(item);
    if (at == pending_.end()) return;
    const Pending pending = std::move(at->second);
    pending_.erase(at);
    wl::TTVItem& parent = *items_.at(pending.node - 1);
    parent.aItems.front()->End();
    pending.fill(*this, pending.node);
}

void ToolTreeView::expandFilled() {
    for (wl::TTVItem* item : items_)
        if (!item->aItems.empty() && !pending_.contains(item->hItem)) item->Expand();
}

void ToolTreeView::clear() {
    items_.clear();
    pending_.clear();
    view_.DeleteAll();
}

std::shared_ptr<wl::TFont> toolFont() { return courierFont(9, 16, true); }

void showToolNodeText(wl::TTreeView& view) {
    MessageBeep(0);
    if (HWND main = wl::GETWNDAPP()) SetWindowTextA(main, view.GetSelText().c_str());
}

}  // namespace zr
