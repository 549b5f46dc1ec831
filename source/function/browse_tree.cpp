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

ValueList browseTreeLine(const TTreeItem& item) {
    const TreeLabel label = item.GetLabel();
    ValueList line;
    for (TreePicture p : label.aPictures) line.emplace_back(static_cast<std::int64_t>(p));
    line.emplace_back(label.cPrompt);
    return line;
}

bool browseTreeToggle(TTreeItem* item) {
    if (!item || !item->HasChildren()) return false;
    item->Toggle();
    return true;
}

}  // namespace wl
