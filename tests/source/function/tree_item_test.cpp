// Outline items: visible order, positions, connector codes and moves.
#include "tree_item.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link_list.hpp"

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

}  // namespace
