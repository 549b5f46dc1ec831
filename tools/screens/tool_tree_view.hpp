// A tool tree shown in a tree view: each node the tools add becomes an item;
// children added on demand become items when their parent is first expanded.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "font.hpp"

#include "tool_tree.hpp"
#include "tree_view.hpp"

namespace zr {

class ToolTreeView : public ToolTree {
public:
    // Takes the view's expansion event.
    explicit ToolTreeView(wl::TTreeView& view);
    ToolNode addRoot(const std::string& text) override;
    ToolNode addChild(ToolNode parent, const std::string& text) override;
    // The item shows an expand button over an empty stand-in child until it
    // is first expanded; then its children are added.
    ToolNode addLazyChild(ToolNode parent, const std::string& text, ToolChildFill fill) override;
    ToolNode addLazyRoot(const std::string& text, ToolChildFill fill) override;
    // Expands every item whose children stand; items filled on demand stay
    // closed (expanding them all would read in what they were meant to spare).
    void expandFilled();
    // Empties the view and forgets the nodes.
    void clear();

private:
    struct Pending {
        ToolNode node;
        ToolChildFill fill;
    };
    void expanded(HTREEITEM item);
    // Gives the last item added an expand button over a stand-in child.
    void deferChildren(ToolNode node, ToolChildFill fill);

    wl::TTreeView& view_;
    std::vector<wl::TTVItem*> items_;
    std::map<HTREEITEM, Pending> pending_;
};

// The tools' text font: the first of the tool fonts built from the 640 x
// 480 design space, bold Courier New 9 x 16.
std::shared_ptr<wl::TFont> toolFont();

// What selecting a node of a tool's tree does: a beep, and the node's text
// as the main window's caption.
void showToolNodeText(wl::TTreeView& view);

}  // namespace zr
