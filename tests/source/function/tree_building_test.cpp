// Outlines built by nesting and from grouped records.
#include "tree_building.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tree_pictures.hpp"

namespace {

using namespace wl;

std::vector<std::string> visible(const TLinkList& list) {
    std::vector<std::string> out;
    for (TTreeItem* it = list.oFirst; it; it = it->GetNext()) out.push_back(std::to_string(it->nLevel) + it->cPrompt);
    return out;
}

TEST(TreeBuilding, NestedLevelsBecomeChildren) {
    TreeBuilder b;
    b.TREEBEGIN();
    b.TREEITEM("a");
    b.TREEBEGIN();
    b.TREEITEM("a1");
    b.TREEITEM("a2");
    TTreeItem* parent = b.TREEEND();
    ASSERT_NE(parent, nullptr);
    EXPECT_EQ(parent->cPrompt, "a");
    b.TREEITEM("b");
    EXPECT_EQ(b.TREEEND(), nullptr);
    auto list = b.Take();
    ASSERT_TRUE(list);
    list->OpenAll();
    EXPECT_EQ(visible(*list), (std::vector<std::string>{"1a", "2a1", "2a2", "1b"}));
    EXPECT_EQ(list->Find("a2")->oNext->cPrompt, "b");
    EXPECT_EQ(TREERECNO(list->Find("b")), 3);
    EXPECT_EQ(TREERECNO(nullptr), 0);
}

TEST(TreeBuilding, GroupedRecordsMakeOneItemEach) {
    struct Rec {
        const char* state;
        const char* city;
    };
    const std::vector<Rec> recs = {{"CA", "LA"}, {"CA", "LA"}, {"CA", "SF"}, {"NY", "NYC"}, {"NY", "NYC"}};
    size_t at = 0;
    auto tree = SUMMARYDATAASTREE([&] { ++at; }, [&](int counter) { return counter > int(recs.size()); },
                                  {[&] { return Value(recs[at].state); }, [&] { return Value(recs[at].city); }},
                                  [&] { return Value(int(at) + 1); });
    ASSERT_TRUE(tree);
    tree->OpenAll();
    EXPECT_EQ(visible(*tree), (std::vector<std::string>{"1CA", "2LA", "2SF", "1NY", "2NYC"}));
    EXPECT_EQ(tree->Find("NY")->Cargo.number(), 4);
    EXPECT_EQ(tree->Find("SF")->Cargo.number(), 3);

    // An empty source gives an empty tree, not a phantom item.
    at = 0;
    auto empty = SUMMARYDATAASTREE([&] { ++at; }, [](int counter) { return counter > 0; },
                                   {[] { return Value("x"); }, [] { return Value("y"); }});
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->nCount(), 0);
    EXPECT_EQ(at, 0u);
}

TEST(TreeBuilding, PicturesFromResourcesFilesAndTheDefaults) {
    std::vector<std::string> loaded;
    std::vector<TreePicture> released;
    TreePicture next = 10;
    TreePictureHooks hooks;
    hooks.loadResource = [&](const std::string& name) { loaded.push_back("res:" + name); return next++; };
    hooks.loadFile = [&](const std::string& name) { loaded.push_back("file:" + name); return next++; };
    hooks.release = [&](TreePicture p) { released.push_back(p); };
    setTreePictureHooks(hooks);
    {
        TreeBuilder b;
        b.TREEBEGIN("FOLDER", "FOLDOPEN");  // defaults 10 and 11
        TTreeItem& payer = b.TREEITEM("AETNA", TreeItemPictures{});
        b.TREEBEGIN();
        // The file wins: 12, and the closed picture is the same handle.
        TTreeItem& claim = b.TREEITEM("C1", TreeItemPictures{"CLAIM", "", "claim.bmp", ""});
        EXPECT_EQ(b.TREEEND(), &payer);
        EXPECT_EQ(b.TREEEND(), nullptr);
        EXPECT_EQ(loaded, (std::vector<std::string>{"res:FOLDER", "res:FOLDOPEN", "file:claim.bmp"}));
        EXPECT_EQ(claim.hBmpOpen, 12u);
        EXPECT_EQ(claim.hBmpClose, 12u);
        EXPECT_EQ(payer.hBmpOpen, 10u);  // the defaults for an item with children
        EXPECT_EQ(payer.hBmpClose, 11u);
        const auto tree = b.Take();
        // Ending releases each item's own handle once, never the defaults;
        // TREEFREE then releases those.
        tree->End();
        std::sort(released.begin(), released.end());
        EXPECT_EQ(released, (std::vector<TreePicture>{10, 11, 12}));
        EXPECT_EQ(treeDefaultOpen(), 0u);
    }
    setTreePictureHooks({});
}

}  // namespace
