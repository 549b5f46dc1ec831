// The tree view model: nodes added under parents, removed with their whole
// branch (descendants answered first), and the queries the class asks.
#include "tree_view_model.hpp"

#include <gtest/gtest.h>

namespace {

using namespace wl;

// Claims 10 > claim 11 > lines 12, 13; claim 14; remittances 20.
TreeState claimsTree() {
    TreeState s;
    EXPECT_TRUE(treeAdd(s, 10, 0, "Claims"));
    EXPECT_TRUE(treeAdd(s, 11, 10, "CLM*1001", 2));
    EXPECT_TRUE(treeAdd(s, 12, 11, "SV1*HC:99213"));
    EXPECT_TRUE(treeAdd(s, 13, 11, "SV1*HC:99214"));
    EXPECT_TRUE(treeAdd(s, 14, 10, "CLM*1002"));
    EXPECT_TRUE(treeAdd(s, 20, 0, "Remittances"));
    return s;
}

TEST(TreeViewModel, AddRefusesKeyZeroDuplicatesAndUnknownParents) {
    TreeState s = claimsTree();
    EXPECT_FALSE(treeAdd(s, 0, 0, "root"));
    EXPECT_FALSE(treeAdd(s, 12, 10, "again"));
    EXPECT_FALSE(treeAdd(s, 30, 99, "orphan"));
    EXPECT_EQ(s.nodes.size(), 6u);
    EXPECT_EQ(s.nodes.at(12).prompt, "SV1*HC:99213");
    EXPECT_EQ(s.nodes.at(11).image, 2);
}

TEST(TreeViewModel, QueriesAnswerStructure) {
    const TreeState s = claimsTree();
    struct Case {
        TreeKey key;
        TreeKey parent;
        int level;
    };
    const Case cases[] = {{10, 0, 0}, {11, 10, 1}, {13, 11, 2}, {20, 0, 0}, {99, 0, -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(treeParent(s, c.key), c.parent) << c.key;
        EXPECT_EQ(treeLevel(s, c.key), c.level) << c.key;
    }
    EXPECT_EQ(treeChildren(s, 0), (std::vector<TreeKey>{10, 20}));
    EXPECT_EQ(treeChildren(s, 11), (std::vector<TreeKey>{12, 13}));
    EXPECT_TRUE(treeChildren(s, 99).empty());
    EXPECT_EQ(treeDepthFirst(s), (std::vector<TreeKey>{10, 11, 12, 13, 14, 20}));
    EXPECT_EQ(treeDepthFirst(s, 11), (std::vector<TreeKey>{11, 12, 13}));
    EXPECT_TRUE(treeDepthFirst(s, 99).empty());
}

TEST(TreeViewModel, RemoveTakesTheBranchDescendantsFirst) {
    TreeState s = claimsTree();
    EXPECT_EQ(treeRemove(s, 11), (std::vector<TreeKey>{12, 13, 11}));
    EXPECT_EQ(treeChildren(s, 10), (std::vector<TreeKey>{14}));
    EXPECT_FALSE(treeHas(s, 12));
    EXPECT_FALSE(treeHas(s, 11));
    // A control reports a branch child by child: the later reports of keys
    // already gone change nothing.
    EXPECT_TRUE(treeRemove(s, 12).empty());
    EXPECT_TRUE(treeRemove(s, 11).empty());
    EXPECT_EQ(treeRemove(s, 20), (std::vector<TreeKey>{20}));
    EXPECT_EQ(treeChildren(s, 0), (std::vector<TreeKey>{10}));
    // A freed key can name a new node.
    EXPECT_TRUE(treeAdd(s, 11, 10, "CLM*1003"));
    EXPECT_EQ(treeChildren(s, 10), (std::vector<TreeKey>{14, 11}));
}

TEST(TreeViewModel, ChildRemovedBeforeItsParentLeavesTheParentWhole) {
    TreeState s = claimsTree();
    EXPECT_EQ(treeRemove(s, 12), (std::vector<TreeKey>{12}));
    EXPECT_EQ(treeChildren(s, 11), (std::vector<TreeKey>{13}));
    EXPECT_EQ(treeRemove(s, 10), (std::vector<TreeKey>{13, 11, 14, 10}));
    EXPECT_EQ(s.nodes.size(), 1u);
}

TEST(TreeViewModel, ClearAnswersEveryKeyAndEmpties) {
    TreeState s = claimsTree();
    EXPECT_EQ(treeClear(s), (std::vector<TreeKey>{12, 13, 11, 14, 10, 20}));
    EXPECT_TRUE(s.nodes.empty());
    EXPECT_TRUE(s.roots.empty());
    EXPECT_TRUE(treeClear(s).empty());
}

TEST(TreeViewModel, OutlineFollowsPromptsAndOrder) {
    TreeState s = claimsTree();
    treeSetPrompt(s, 14, "CLM*2002");
    treeSetPrompt(s, 99, "ignored");
    const std::vector<TreeOutline> want = {
        {"Claims", {{"CLM*1001", {{"SV1*HC:99213", {}}, {"SV1*HC:99214", {}}}}, {"CLM*2002", {}}}},
        {"Remittances", {}}};
    EXPECT_EQ(treeOutline(s), want);
    EXPECT_EQ(treeOutline(s, 11).size(), 2u);
    EXPECT_TRUE(treeOutline(TreeState{}).empty());
}

}  // namespace
