// Tree views: items added at any depth and found again, selection and
// expansion notifications reaching the tree's actions, check boxes and the
// menu built from the nodes.
#include "tree_view.hpp"

#include <gtest/gtest.h>

#include <cstring>

#include "menu.hpp"
#include "parent_window.hpp"

namespace {

using namespace wl;

struct Tree {
    wltest::Parent p{300, 300};
    TTreeView tree;
    explicit Tree(bool checkBoxes = false) {
        TreeViewNew n;
        n.oWnd = &p.w;
        n.lPixel = true;
        n.nWidth = 250;
        n.nHeight = 250;
        n.lCheckBoxes = checkBoxes;
        tree.New(n);
    }
};

TEST(TreeView, ItemsAtAnyDepthAreFoundAgain) {
    Tree t;
    ASSERT_NE(t.tree.hWnd, nullptr);
    TTVItem& claims = t.tree.Add("Claims");
    TTVItem& claim = claims.Add("CLM*1001");
    TTVItem& line = claim.Add("SV1*HC:99213");
    t.tree.SetItems({"Remittances", "Acknowledgements"});
    EXPECT_EQ(t.tree.aItems.size(), 3u);
    EXPECT_EQ(t.tree.GetItem(line.hItem), &line);
    EXPECT_EQ(t.tree.GetItem(claims.hItem), &claims);
    EXPECT_EQ(t.tree.GetItem(nullptr), nullptr);
    EXPECT_EQ(line.ItemLevel(), 2);
    EXPECT_EQ(claims.ItemLevel(), 0);
    EXPECT_EQ(line.GetParent(), &claim);
    EXPECT_EQ(claims.GetParent(), nullptr);
    EXPECT_EQ(line.GetText(), "SV1*HC:99213");
    line.SetText("SV1*HC:99214");
    EXPECT_EQ(line.GetText(), "SV1*HC:99214");
    line.cPrompt = "SV1";
    line.Set();
    EXPECT_EQ(line.GetText(), "SV1");
}

TEST(TreeView, EndedItemsLeaveTheirListAndNewItemsAreFoundByTheirHandle) {
    Tree t;
    TTVItem& claims = t.tree.Add("Claims");
    TTVItem& keep = claims.Add("CLM*1001");
    TTVItem& gone = claims.Add("CLM*1002");
    gone.Add("SV1*HC:99213");
    const HTREEITEM old = gone.hItem;
    gone.End();  // the node, its child and the object go together
    ASSERT_EQ(claims.aItems.size(), 1u);
    EXPECT_EQ(claims.aItems[0].get(), &keep);
    EXPECT_EQ(SendMessageA(t.tree.hWnd, TVM_GETCOUNT, 0, 0), 2);
    // The control may hand the freed handle to the next node: the lookup
    // answers the new item, never the ended one.
    TTVItem& added = claims.Add("CLM*1003");
    EXPECT_EQ(t.tree.GetItem(added.hItem), &added);
    if (added.hItem == old) SUCCEED() << "the handle was reused";
    else EXPECT_EQ(t.tree.GetItem(old), nullptr);
    // A top-level item leaves the tree's own list.
    TTVItem& top = t.tree.Add("Remittances");
    const HTREEITEM oldTop = top.hItem;
    top.End();
    ASSERT_EQ(t.tree.aItems.size(), 1u);
    TTVItem& again = t.tree.Add("Acknowledgements");
    EXPECT_EQ(t.tree.GetItem(again.hItem), &again);
    if (again.hItem != oldTop) EXPECT_EQ(t.tree.GetItem(oldTop), nullptr);
    EXPECT_EQ(t.tree.GetItem(keep.hItem), &keep);
}

TEST(TreeView, NodesDeletedPastTheClassTakeTheirObjects) {
    Tree t;
    TTVItem& claims = t.tree.Add("Claims");
    TTVItem& keep = claims.Add("CLM*1001");
    TTVItem& gone = claims.Add("CLM*1002");
    const HTREEITEM goneLine = gone.Add("SV1*HC:99213").hItem;
    const HTREEITEM goneClaim = gone.hItem;
    // Sent straight to the control: the class hears of it only through the
    // control's report.
    ASSERT_TRUE(SendMessageA(t.tree.hWnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(goneClaim)));
    ASSERT_EQ(claims.aItems.size(), 1u);
    EXPECT_EQ(claims.aItems[0].get(), &keep);
    EXPECT_EQ(t.tree.GetItem(goneClaim), nullptr);
    EXPECT_EQ(t.tree.GetItem(goneLine), nullptr);
    EXPECT_EQ(keep.ItemLevel(), 1);
    auto menu = t.tree.GenMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->aItems()[0]->oSubMenu);
    EXPECT_EQ(GetMenuItemCount(menu->aItems()[0]->oSubMenu->hMenu), 1);
    // A new node may get a freed handle; it is found as itself.
    TTVItem& added = claims.Add("CLM*1003");
    EXPECT_EQ(t.tree.GetItem(added.hItem), &added);
    // Deleting everything past the class empties the tree too.
    ASSERT_TRUE(SendMessageA(t.tree.hWnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)));
    EXPECT_TRUE(t.tree.aItems.empty());
    EXPECT_EQ(t.tree.GenMenu(), nullptr);
    TTVItem& fresh = t.tree.Add("Remittances");
    EXPECT_EQ(t.tree.GetItem(fresh.hItem), &fresh);
    EXPECT_EQ(fresh.ItemLevel(), 0);
}

TEST(TreeView, SelectionReachesTheChangeAction) {
    Tree t;
    int changes = 0;
    std::string seen;
    t.tree.bChanged = [&](TTreeView& tv) {
        ++changes;
        seen = tv.GetSelText();
    };
    TTVItem& a = t.tree.Add("ISA");
    TTVItem& b = t.tree.Add("GS");
    t.tree.GoTop();
    EXPECT_EQ(t.tree.GetSelected(), &a);
    EXPECT_EQ(seen, "ISA");
    const int afterTop = changes;
    EXPECT_GE(afterTop, 1);
    t.tree.Select(b);
    EXPECT_EQ(changes, afterTop + 1);
    EXPECT_EQ(seen, "GS");
    EXPECT_TRUE(b.IsSelected());
    EXPECT_FALSE(a.IsSelected());
}

TEST(TreeView, ExpansionNotificationCarriesTheNode) {
    Tree t;
    TTVItem& parent = t.tree.Add("Loop 2000A");
    parent.Add("NM1*85");
    parent.Expand();
    EXPECT_TRUE(parent.IsExpanded());
    parent.Collapse();
    EXPECT_FALSE(parent.IsExpanded());
    HTREEITEM got = nullptr;
    t.tree.bExpanded = [&](HTREEITEM h) { got = h; };
    // The control reports an expansion by the user to its parent this way.
    NMTREEVIEWA nm{};
    nm.hdr.hwndFrom = t.tree.hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(t.tree.nId);
    nm.hdr.code = TVN_ITEMEXPANDEDA;
    nm.action = TVE_COLLAPSE;
    nm.itemNew.hItem = parent.hItem;
    SendMessageA(t.p.w.hWnd, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(got, nullptr);
    nm.action = TVE_EXPAND;
    SendMessageA(t.p.w.hWnd, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(got, parent.hItem);
}

TEST(TreeView, BranchesAndWholeTreeExpandAndCollapse) {
    Tree t;
    TTVItem& top = t.tree.Add("Top");
    TTVItem& mid = top.Add("Mid");
    mid.Add("Leaf");
    t.tree.ExpandAll();
    EXPECT_TRUE(top.IsExpanded());
    EXPECT_TRUE(mid.IsExpanded());
    t.tree.CollapseBranch(&top);
    EXPECT_FALSE(top.IsExpanded());
    EXPECT_FALSE(mid.IsExpanded());
    t.tree.Select(top);
    t.tree.ExpandBranch();
    EXPECT_TRUE(mid.IsExpanded());
    top.DeleteBranches();
    EXPECT_TRUE(top.aItems.empty());
    EXPECT_EQ(SendMessageA(t.tree.hWnd, TVM_GETCOUNT, 0, 0), 1);
}

TEST(TreeView, EnterIsSwallowedAndChecksFollowTheFlag) {
    Tree t(true);
    EXPECT_EQ(SendMessageA(t.tree.hWnd, WM_CHAR, VK_RETURN, 0), 1);
    TTVItem& item = t.tree.Add("Include 837P");
    item.SetCheck(true);
    EXPECT_TRUE(item.GetCheck());
    item.SetCheck(false);
    EXPECT_FALSE(item.GetCheck());
    t.tree.Select(item);
    t.tree.SetCheck(nullptr, true);
    EXPECT_TRUE(t.tree.GetCheck());
}

TEST(TreeView, MenuRoundTripAndEmptyTree) {
    Tree t;
    EXPECT_EQ(t.tree.GenMenu(), nullptr);
    TTVItem& file = t.tree.Add("File");
    file.Add("Open");
    file.Add("Close");
    t.tree.Add("Help");
    auto menu = t.tree.GenMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->lPopup);
    EXPECT_EQ(GetMenuItemCount(menu->hMenu), 2);
    ASSERT_EQ(menu->aItems().size(), 2u);
    ASSERT_TRUE(menu->aItems()[0]->oSubMenu);
    EXPECT_EQ(GetSubMenu(menu->hMenu, 0), menu->aItems()[0]->oSubMenu->hMenu);
    EXPECT_EQ(GetMenuItemCount(menu->aItems()[0]->oSubMenu->hMenu), 2);
    EXPECT_FALSE(t.tree.GenMenu(false)->lPopup);

    Tree other;
    other.tree.LoadFromMenu(*menu);
    ASSERT_EQ(other.tree.aItems.size(), 2u);
    EXPECT_EQ(other.tree.aItems[0]->cPrompt, "File");
    ASSERT_EQ(other.tree.aItems[0]->aItems.size(), 2u);
    EXPECT_EQ(other.tree.aItems[0]->aItems[1]->GetText(), "Close");
    EXPECT_EQ(other.tree.aItems[1]->GetText(), "Help");

    other.tree.DeleteAll();
    EXPECT_TRUE(other.tree.aItems.empty());
    EXPECT_EQ(SendMessageA(other.tree.hWnd, TVM_GETCOUNT, 0, 0), 0);
}

TEST(TreeView, HitTestAnswersTheItemUnderThePoint) {
    Tree t;
    TTVItem& a = t.tree.Add("Alpha");
    RECT r{};
    std::memcpy(&r, &a.hItem, sizeof(HTREEITEM));  // the item goes in, its rectangle comes out
    ASSERT_TRUE(SendMessageA(t.tree.hWnd, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
    EXPECT_EQ(t.tree.HitTest((r.top + r.bottom) / 2, (r.left + r.right) / 2), &a);
    EXPECT_EQ(t.tree.HitTest(240, 10), nullptr);
}

}  // namespace
