// The text tree the tools' tests read their trees from.
#include <gtest/gtest.h>

#include "tool_tree.hpp"

TEST(TextToolTree, KeepsEachNodesParentAndFindsChildrenInOrder) {
    zr::TextToolTree tree;
    const zr::ToolNode a = tree.addRoot("a");
    const zr::ToolNode b = tree.addRoot("b");
    const zr::ToolNode a1 = tree.addChild(a, "x");
    tree.addChild(b, "x");
    tree.addChild(a, "y");
    EXPECT_EQ(tree.childTexts(zr::kNoToolNode), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(tree.childTexts(a), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(tree.find(a, "x"), a1);
    EXPECT_EQ(tree.find(a, "z"), zr::kNoToolNode);
    EXPECT_EQ(tree.node(a1).parent, a);
}

TEST(CountingToolTree, CountsWithoutKeeping) {
    zr::CountingToolTree tree;
    const zr::ToolNode r = tree.addRoot("r");
    tree.addChild(r, "c");
    EXPECT_EQ(tree.count(), 2u);
}
