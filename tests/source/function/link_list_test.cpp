// Outline levels: counting, sorting with children along, Eval and Find.
#include "link_list.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace wl;

TEST(LinkList, PositionsInALargeTreeAreNotCapped) {
    TLinkList list;
    for (int i = 1; i <= 25000; ++i) list.Add("item " + std::to_string(i));
    EXPECT_EQ(list.GetLast()->ItemNo(), 25000);
    EXPECT_EQ(list.nCount(), 25000);
}

TEST(LinkList, SortChildFirstAndEval) {
    TLinkList list;
    list.Add("b").AddChild("b1");
    list.Add("C");
    list.Add("a");
    list.Sort();
    list.OpenAll();
    std::vector<std::string> seen;
    for (TTreeItem* it = list.oFirst; it; it = it->GetNext()) seen.push_back(it->cPrompt);
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "b1", "C"}));
    EXPECT_EQ(list.GetLast()->GetPrev()->cPrompt, "b1");

    TTreeItem& b = *list.Find("B");
    b.AddChild("b0", true);
    seen.clear();
    for (TTreeItem* it = list.oFirst; it; it = it->GetNext()) seen.push_back(it->cPrompt);
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "b0", "b1", "C"}));
    EXPECT_EQ(list.Find("b1")->GetPrev()->cPrompt, "b0");
    EXPECT_EQ(list.Find("b0")->GetPrev()->cPrompt, "b");

    int ran = 0;
    TTreeItem* last = list.Eval([&](TTreeItem&) { ++ran; }, [](TTreeItem& it) { return it.nLevel == 2; });
    EXPECT_EQ(ran, 2);
    EXPECT_EQ(last->cPrompt, "b1");
    EXPECT_EQ(list.Find("zz"), nullptr);
}

}  // namespace
