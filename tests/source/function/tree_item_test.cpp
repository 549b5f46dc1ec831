// Outline items: visible order, positions, connector codes and moves.
#include "tree_item.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link_list.hpp"
#include "tree_pictures.hpp"

namespace {

using namespace wl;

// A
//   A1
//   A2
//     A2x
// B
// C
//   C1
struct Outline {
    TLinkList list;
    Outline() {
        TTreeItem& a = list.Add("A");
        a.AddChild("A1");
        a.AddChild("A2").AddChild("A2x");
        list.Add("B");
        list.Add("C").AddChild("C1");
    }
    std::vector<std::string> visible() const {
        std::vector<std::string> out;
        for (TTreeItem* it = list.oFirst; it; it = it->GetNext()) out.push_back(it->cPrompt);
        return out;
    }
};

TEST(TreeItem, VisibleOrderFollowsTheOpenItems) {
    Outline o;
    EXPECT_EQ(o.visible(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(o.list.nCount(), 3);
    o.list.OpenAll();
    EXPECT_EQ(o.visible(), (std::vector<std::string>{"A", "A1", "A2", "A2x", "B", "C", "C1"}));
    EXPECT_EQ(o.list.GetLast()->cPrompt, "C1");
    EXPECT_EQ(o.list.GetLast()->ItemNo(), 7);
    EXPECT_EQ(o.list.Find(" b ")->ItemNo(), 5);
    // Backwards from the end visits the same items.
    std::vector<std::string> back;
    for (TTreeItem* it = o.list.GetLast(); it; it = it->GetPrev()) back.insert(back.begin(), it->cPrompt);
    EXPECT_EQ(back, o.visible());
    int n = 10;
    EXPECT_EQ(o.list.oFirst->Skip(n)->cPrompt, "C1");
    EXPECT_EQ(n, 6);
    n = -2;
    EXPECT_EQ(o.list.Find("A2x")->Skip(n)->cPrompt, "A1");
    EXPECT_EQ(n, -2);
    EXPECT_EQ(o.list.Find("A2x")->Parent()->cPrompt, "A2");
    EXPECT_EQ(o.list.Find("A1")->Parent()->cPrompt, "A");
    EXPECT_EQ(o.list.Find("B")->Parent(), nullptr);
    EXPECT_EQ(o.list.Levels(), 3);

    o.list.Collapse(2);  // level 1 open, deeper closed
    EXPECT_EQ(o.visible(), (std::vector<std::string>{"A", "A1", "A2", "B", "C", "C1"}));
    o.list.Expand(1);  // everything closed
    EXPECT_EQ(o.list.nCount(), 3);
}

TEST(TreeItem, ConnectorCodesAndTexts) {
    Outline o;
    o.list.OpenAll();
    o.list.Draw();
    const std::pair<const char*, const char*> want[] = {{"A", "2"},  {"A1", "12"}, {"A2", "17"}, {"A2x", "113"},
                                                        {"B", "2"},  {"C", "7"},   {"C1", "03"}};
    for (const auto& [prompt, codes] : want) EXPECT_EQ(o.list.Find(prompt)->cDraw, codes) << prompt;
    EXPECT_EQ(o.list.Find("A")->GetText(), " - 2A");
    EXPECT_EQ(o.list.Find("B")->GetText(), "   2B");
    o.list.Find("C")->Close();
    o.list.Draw();
    EXPECT_EQ(o.list.Find("C")->GetText(), " + 6C");
}

// The outline as "prompt/level" in full pre-order (every item, open or
// not), checking on the way that each list's links agree: first items
// point back to their parent, others to their previous sibling, each last
// item on to whatever follows its parent.
std::string treeShape(const TLinkList& list, TTreeItem* parent = nullptr) {
    std::string out;
    TTreeItem* prev = parent;
    for (TTreeItem* it = list.oFirst; it; it = it == list.oLast ? nullptr : it->oNext) {
        EXPECT_EQ(it->oPrev, prev) << it->cPrompt;
        EXPECT_EQ(it->oList, &list) << it->cPrompt;
        EXPECT_EQ(it->nLevel, parent ? parent->nLevel + 1 : 1) << it->cPrompt;
        out += it->cPrompt + " ";
        if (it->HasChildren()) out += "( " + treeShape(*it->oTree, it) + ") ";
        if (it == list.oLast) {
            EXPECT_EQ(it->oNext, parent ? parent->oNext : nullptr) << it->cPrompt;
        }
        prev = it;
    }
    return out;
}

// The prompts of a shape, in order.
std::string treePrompts(std::string shape) {
    for (const char* mark : {"( ", ") "})
        for (size_t p = shape.find(mark); p != std::string::npos; p = shape.find(mark)) shape.erase(p, 2);
    return shape;
}

// The pre-order chain through oNext and first children agrees with the lists.
std::string treeChain(const TLinkList& list) {
    std::string out;
    for (TTreeItem* it = list.oFirst; it; it = it->HasChildren() ? it->oTree->oFirst : it->oNext) out += it->cPrompt + " ";
    return out;
}

TEST(TreeItem, DeleteUnlinksTheItemWithItsSubtree) {
    struct Case {
        const char* name;
        const char* item;
        bool withList;
        const char* shape;  // empty: refused
    };
    const Case cases[] = {
        {"a middle child", "A1", false, "A ( A2 ( A2x ) ) B C ( C1 ) "},
        {"a subtree", "A2", false, "A ( A1 ) B C ( C1 ) "},
        {"an only child: the parent loses its list", "A2x", false, "A ( A1 A2 ) B C ( C1 ) "},
        {"the first of the outline needs the list", "A", false, ""},
        {"the first of the outline", "A", true, "B C ( C1 ) "},
        {"the end of the outline needs the list", "C1", false, ""},
        {"the end of the outline", "C1", true, "A ( A1 A2 ( A2x ) ) B C "},
        {"a level-1 middle item", "B", false, "A ( A1 A2 ( A2x ) ) C ( C1 ) "},
    };
    for (const Case& c : cases) {
        Outline o;
        TTreeItem* it = o.list.Find(c.item);
        std::unique_ptr<TTreeItem> gone = it->Delete(c.withList ? &o.list : nullptr);
        if (!*c.shape) {
            EXPECT_EQ(gone, nullptr) << c.name;
            EXPECT_EQ(treeShape(o.list), "A ( A1 A2 ( A2x ) ) B C ( C1 ) ") << c.name;
            continue;
        }
        ASSERT_NE(gone, nullptr) << c.name;
        EXPECT_EQ(treeShape(o.list), c.shape) << c.name;
        EXPECT_EQ(treeChain(o.list), treePrompts(c.shape)) << c.name;
        EXPECT_EQ(gone->oPrev, nullptr) << c.name;
        EXPECT_EQ(gone->oNext, nullptr) << c.name;
    }
    Outline o;
    o.list.Find("A2")->Open();
    ASSERT_TRUE(o.list.Find("A2x")->Delete());
    EXPECT_FALSE(o.list.Find("A2")->lOpened);
    EXPECT_FALSE(o.list.Find("A2")->HasChildren());
}

TEST(TreeItem, MovesPromotionAndDemotion) {
    struct Case {
        const char* name;
        const char* item;
        std::function<bool(TTreeItem&, TLinkList&)> op;
        bool done;
        const char* shape;
    };
    const Case cases[] = {
        {"move up a child", "A2", [](TTreeItem& i, TLinkList&) { return i.MoveUp(); }, true, "A ( A2 ( A2x ) A1 ) B C ( C1 ) "},
        {"move up the first child", "A1", [](TTreeItem& i, TLinkList&) { return i.MoveUp(); }, false, ""},
        {"move up to the top needs the list", "B", [](TTreeItem& i, TLinkList&) { return i.MoveUp(); }, false, ""},
        {"move up to the top", "B", [](TTreeItem& i, TLinkList& l) { return i.MoveUp(&l); }, true,
         "B A ( A1 A2 ( A2x ) ) C ( C1 ) "},
        {"move up a level-1 item", "C", [](TTreeItem& i, TLinkList& l) { return i.MoveUp(&l); }, true,
         "A ( A1 A2 ( A2x ) ) C ( C1 ) B "},
        {"move down", "A1", [](TTreeItem& i, TLinkList&) { return i.MoveDown(); }, true, "A ( A2 ( A2x ) A1 ) B C ( C1 ) "},
        {"move down the last", "C", [](TTreeItem& i, TLinkList& l) { return i.MoveDown(&l); }, false, ""},
        {"move a subtree down", "A", [](TTreeItem& i, TLinkList& l) { return i.MoveDown(&l); }, true,
         "B A ( A1 A2 ( A2x ) ) C ( C1 ) "},
        {"promote", "A2x", [](TTreeItem& i, TLinkList&) { return i.Promote(); }, true, "A ( A1 A2 A2x ) B C ( C1 ) "},
        {"promote a subtree", "A2", [](TTreeItem& i, TLinkList&) { return i.Promote(); }, true,
         "A ( A1 ) A2 ( A2x ) B C ( C1 ) "},
        {"promote at level 1", "B", [](TTreeItem& i, TLinkList&) { return i.Promote(); }, false, ""},
        {"demote", "B", [](TTreeItem& i, TLinkList&) { return i.Demote(); }, true, "A ( A1 A2 ( A2x ) B ) C ( C1 ) "},
        {"demote a subtree", "A2", [](TTreeItem& i, TLinkList&) { return i.Demote(); }, true,
         "A ( A1 ( A2 ( A2x ) ) ) B C ( C1 ) "},
        {"demote the first", "A1", [](TTreeItem& i, TLinkList&) { return i.Demote(); }, false, ""},
    };
    for (const Case& c : cases) {
        Outline o;
        TTreeItem& it = *o.list.Find(c.item);
        EXPECT_EQ(c.op(it, o.list), c.done) << c.name;
        const std::string want = c.done ? c.shape : "A ( A1 A2 ( A2x ) ) B C ( C1 ) ";
        EXPECT_EQ(treeShape(o.list), want) << c.name;
        EXPECT_EQ(treeChain(o.list), treePrompts(want)) << c.name;
    }
    // A demoted item opens its new parent; its level follows.
    Outline o;
    ASSERT_TRUE(o.list.Find("B")->Demote());
    EXPECT_TRUE(o.list.Find("A")->lOpened);
    EXPECT_EQ(o.list.Find("B")->nLevel, 2);
    EXPECT_EQ(o.list.Find("A2x")->Parent(1)->cPrompt, "A");
    EXPECT_EQ(o.list.Find("A2x")->Parent(-1)->cPrompt, "A2");
    EXPECT_EQ(o.list.Find("A2x")->Parent(9)->cPrompt, "A2");
    std::string up;
    o.list.Find("A2x")->EvalParents([&](TTreeItem& p, TTreeItem&) { up += p.cPrompt + " "; });
    EXPECT_EQ(up, "A2 A ");
}

TEST(TreeItem, LabelsUseTheSharedLinePicturesAndTheItemsOwn) {
    std::vector<TreePicture> released;
    int loads = 0;
    TreePictureHooks hooks;
    hooks.loadLines = [&] {
        ++loads;
        TreeLinePictures p{};
        for (size_t i = 1; i < p.size(); ++i) p[i] = 100 * TreePicture(loads) + i;
        return p;
    };
    hooks.release = [&](TreePicture p) { released.push_back(p); };
    setTreePictureHooks(hooks);
    treeLinesRelease();
    released.clear();
    loads = 0;
    {
        Outline o;  // the first item loads the pictures, once
        EXPECT_EQ(loads, 1);
        TTreeItem& a = *o.list.Find("A");
        a.hBmpOpen = 7, a.hBmpClose = 8;
        o.list.OpenAll();
        o.list.Draw();
        // A: level 1, opened with children and a sibling after it: the box 5.
        TreeLabel label = a.GetLabel();
        EXPECT_EQ(label.aPictures, (std::vector<TreePicture>{105, 8}));
        EXPECT_EQ(label.cPrompt, "A");
        a.Close();
        o.list.Draw();
        EXPECT_EQ(a.GetLabel().aPictures, (std::vector<TreePicture>{104, 7}));
        // A2x: "113": two line cells, its own code 3, no picture of its own.
        EXPECT_EQ(o.list.Find("A2x")->GetLabel().aPictures, (std::vector<TreePicture>{101, 101, 103, 0}));
        // C, last with children, opened: 7.
        EXPECT_EQ(o.list.Find("C")->GetLabel().aPictures, (std::vector<TreePicture>{107, 0}));
        EXPECT_EQ(o.list.Find("A2x")->ColSizes(), (std::vector<int>{16, 16, 16, 16, 300}));

        const TreeLinePictures handed = GETTREEBMPS();
        EXPECT_EQ(handed[3], 103u);
        EXPECT_FALSE(treeLinesLoaded());
        EXPECT_TRUE(released.empty());  // handed over, not released
        EXPECT_EQ(o.list.Find("B")->GetLabel().aPictures[0], 202u);  // loaded again
        a.hBmpClose = a.hBmpOpen;  // one handle for both: released once
        o.list.End();
        EXPECT_EQ(std::count(released.begin(), released.end(), TreePicture(7)), 1);
        EXPECT_FALSE(treeLinesLoaded());
    }
    setTreePictureHooks({});
}

}  // namespace
