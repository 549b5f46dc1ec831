// The record browse over an outline: the browse's own moves walk only the
// visible items, closing a parent hides its children from the walk and the
// count, and each line holds the connector pictures and the prompt.
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

// The line pictures as whole numbers: 100 + the connector code.
struct BrowseTreeLines {
    BrowseTreeLines() {
        TreePictureHooks hooks;
        hooks.loadLines = [] {
            TreeLinePictures p{};
            for (size_t i = 1; i < p.size(); ++i) p[i] = 100 + i;
            return p;
        };
        setTreePictureHooks(hooks);
        treeLinesRelease();
    }
    ~BrowseTreeLines() {
        treeLinesRelease();
        setTreePictureHooks({});
    }
};

// A line as "pictures: prompt", each picture a whole number.
std::string treeLine(const ValueList& line) {
    std::string out;
    for (const Value& v : line) {
        if (v.isWhole()) out += std::to_string(std::get<std::int64_t>(v.storage())) + " ";
        else if (v.isText()) out += ": " + v.text();
        else out += "? ";
    }
    return out;
}

TEST(BrowseTree, LinesShowConnectorsBoxesAndTheItemsPicture) {
    BrowseTreeLines lines;
    auto t = browseTreePayers();
    TTreeItem& aetna = *t->oFirst;
    aetna.hBmpOpen = 7;
    aetna.hBmpClose = 8;
    t->Draw();
    EXPECT_EQ(treeLine(browseTreeLine(aetna)), "104 7 : AETNA");  // closed, siblings after
    aetna.Open();
    t->Draw();
    EXPECT_EQ(treeLine(browseTreeLine(aetna)), "105 8 : AETNA");
    EXPECT_EQ(treeLine(browseTreeLine(*aetna.GetNext())), "101 102 0 : C1");
    EXPECT_EQ(treeLine(browseTreeLine(*aetna.GetNext()->GetNext())), "101 103 0 : C2");
    EXPECT_EQ(treeLine(browseTreeLine(*t->oLast)), "103 0 : HUMANA");  // last, no children
    t->oLast->AddChild("C4");
    t->Draw();
    EXPECT_EQ(treeLine(browseTreeLine(*t->oLast)), "106 0 : HUMANA");  // last, closed, children
}

}  // namespace
