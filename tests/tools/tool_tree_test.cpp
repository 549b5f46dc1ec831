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

TEST(ToolTree, ChildrenAddedOnDemandComeAtOnceInATextTreeAndNeverInACountingOne) {
    const auto fill = [](zr::ToolTree& t, zr::ToolNode n) {
        const zr::ToolNode c = t.addChild(n, "child");
        t.addChild(c, "grandchild");
    };
    zr::TextToolTree text;
    const zr::ToolNode lazy = text.addLazyChild(text.addRoot("r"), "lazy", fill);
    EXPECT_EQ(text.childTexts(lazy), (std::vector<std::string>{"child"}));
    EXPECT_EQ(text.childTexts(text.find(lazy, "child")), (std::vector<std::string>{"grandchild"}));
    zr::CountingToolTree counting;
    counting.addLazyChild(counting.addRoot("r"), "lazy", fill);
    EXPECT_EQ(counting.count(), 2u);
    EXPECT_EQ(counting.lazyCount(), 1u);
}

TEST(ToolTree, ARootFilledOnDemandComesAtOnceInATextTreeAndNeverInACountingOne) {
    const auto fill = [](zr::ToolTree& t, zr::ToolNode n) { t.addChild(t.addChild(n, "child"), "grandchild"); };
    zr::TextToolTree text;
    const zr::ToolNode root = text.addLazyRoot("r", fill);
    EXPECT_EQ(text.childTexts(zr::kNoToolNode), (std::vector<std::string>{"r"}));
    EXPECT_EQ(text.childTexts(root), (std::vector<std::string>{"child"}));
    EXPECT_EQ(text.nodes().size(), 3u);
    zr::CountingToolTree counting;
    counting.addLazyRoot("r", fill);
    EXPECT_EQ(counting.count(), 1u);
    EXPECT_EQ(counting.lazyCount(), 1u);
}
