#include "browse_tree.hpp"

namespace wl {

BrowseSource treeBrowseSource(TLinkList& tree, TTreeItem*& current) {
    current = tree.oFirst;
    BrowseSource src;
    TLinkList* t = &tree;
    TTreeItem** at = &current;
    src.goTop = [t, at] { *at = t->oFirst; };
    src.goBottom = [t, at] { *at = t->GetLast(); };
    src.skip = [at](int n) {
        if (!*at) return 0;
        *at = (*at)->Skip(n);
        return n;
    };
    src.logicLen = [t] { return static_cast<int>(t->nCount()); };
    return src;
}

std::string browseTreeLabel(const TTreeItem& item) {
    const char* box = item.HasChildren() ? (item.lOpened ? "- " : "+ ") : "  ";
    return std::string(static_cast<std::size_t>(2 * std::max(0, item.nLevel - 1)), ' ') + box + item.cPrompt;
}

bool browseTreeToggle(TTreeItem* item) {
    if (!item || !item->HasChildren()) return false;
    item->Toggle();
    return true;
}

}  // namespace wl
