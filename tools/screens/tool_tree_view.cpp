#include "tool_tree_view.hpp"

#include "message_loop.hpp"
#include "screen_font.hpp"

namespace zr {

ToolNode ToolTreeView::addRoot(const std::string& text) {
    items_.push_back(&view_.Add(text));
    return items_.size();
}

ToolNode ToolTreeView::addChild(ToolNode parent, const std::string& text) {
    items_.push_back(&items_.at(parent - 1)->Add(text));
    return items_.size();
}

void ToolTreeView::clear() {
    items_.clear();
    view_.DeleteAll();
}

std::shared_ptr<wl::TFont> toolFont() { return courierFont(9, 16, true); }

void showToolNodeText(wl::TTreeView& view) {
    MessageBeep(0);
    if (HWND main = wl::GETWNDAPP()) SetWindowTextA(main, view.GetSelText().c_str());
}

}  // namespace zr
