// The record browse over an outline: the browse's own moves walk only the
// visible items, closing a parent hides its children from the walk and the
// count, and each label shows the level and the open state.
#include "browse_tree.hpp"

#include <gtest/gtest.h>

namespace {

using namespace wl;

// Payers > claims: AETNA (C1, C2), CIGNA (C3), HUMANA.
std::unique_ptr<TLinkList> browseTreePayers() {
    auto t = std::make_unique<TLinkList>();
    TTreeItem& aetna = t->Add("AETNA");
    aetna.AddChild("C1");
    aetna.AddChild("C2");
    t->Add("CIGNA").AddChild("C3");
    t->Add("HUMANA");
    return t;
}

TEST(BrowseTree, MovesWalkTheVisibleItemsOnly) {
    auto t = browseTreePayers();
    TTreeItem* at = nullptr;
    const BrowseSource src = treeBrowseSource(*t, at);
    ASSERT_NE(at, nullptr);
    EXPECT_EQ(src.count(), 3);
    EXPECT_EQ(src.Skip(5), 2);
    EXPECT_EQ(at->cPrompt, "HUMANA");
    src.top();
    EXPECT_TRUE(browseTreeToggle(at));  // AETNA opens
    EXPECT_EQ(src.count(), 5);
    EXPECT_EQ(src.Skip(2), 2);
    EXPECT_EQ(at->cPrompt, "C2");
    EXPECT_FALSE(browseTreeToggle(at));  // no children
    src.bottom();
    EXPECT_EQ(at->cPrompt, "HUMANA");
    EXPECT_EQ(src.Skip(-10), -4);
    EXPECT_EQ(at->cPrompt, "AETNA");
}

TEST(BrowseTree, LabelsShowLevelAndOpenState) {
    auto t = browseTreePayers();
    TTreeItem& aetna = *t->oFirst;
    EXPECT_EQ(browseTreeLabel(aetna), "+ AETNA");
    aetna.Open();
    EXPECT_EQ(browseTreeLabel(aetna), "- AETNA");
    EXPECT_EQ(browseTreeLabel(*aetna.GetNext()), "    C1");
    EXPECT_EQ(browseTreeLabel(*t->oLast), "  HUMANA");
}

}  // namespace
