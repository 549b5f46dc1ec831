// The outlines' shared pictures: loaded once through the hooks, handed over
// or released, loaded again afterwards; the builder's defaults replaced and
// freed.
#include "tree_pictures.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace wl;

struct TreePicturesRecorder {
    int loads = 0;
    std::vector<TreePicture> released;
    TreePicture next = 50;
    TreePicturesRecorder() {
        TreePictureHooks h;
        h.loadLines = [this] {
            ++loads;
            TreeLinePictures p{};
            for (size_t i = 1; i < p.size(); ++i) p[i] = next++;
            return p;
        };
        h.loadResource = [this](const std::string&) { return next++; };
        h.release = [this](TreePicture p) { released.push_back(p); };
        setTreePictureHooks(h);
        treeLinesRelease();
        TREEFREE();
        released.clear();
    }
    ~TreePicturesRecorder() {
        treeLinesRelease();
        TREEFREE();
        setTreePictureHooks({});
    }
};

TEST(TreePictures, LinesLoadOnceAndAgainAfterRelease) {
    TreePicturesRecorder r;
    EXPECT_FALSE(treeLinesLoaded());
    const TreePicture first = ATREEBMPS()[1];
    EXPECT_EQ(ATREEBMPS()[0], 0u);  // code 0: an empty cell
    ATREEBMPS();
    EXPECT_EQ(r.loads, 1);
    treeLinesRelease();
    EXPECT_EQ(r.released.size(), 7u);
    EXPECT_EQ(r.released.front(), first);
    EXPECT_NE(ATREEBMPS()[1], first);
    EXPECT_EQ(r.loads, 2);
    const TreeLinePictures handed = GETTREEBMPS();
    EXPECT_NE(handed[7], 0u);
    EXPECT_FALSE(treeLinesLoaded());
    treeLinesRelease();  // nothing left to release: they were handed over
    EXPECT_EQ(r.released.size(), 7u);
}

TEST(TreePictures, DefaultsAreReplacedAndFreed) {
    TreePicturesRecorder r;
    treeSetDefaults("FOLDER", "");
    const TreePicture open = treeDefaultOpen();
    EXPECT_NE(open, 0u);
    EXPECT_EQ(treeDefaultClose(), 0u);
    treeSetDefaults("OTHER", "FOLDOPEN");
    EXPECT_EQ(r.released, (std::vector<TreePicture>{open}));  // the replaced one
    TREEFREE();
    EXPECT_EQ(r.released.size(), 3u);
    EXPECT_EQ(treeDefaultOpen(), 0u);
    EXPECT_EQ(treeLoadPicture("", ""), 0u);
}

}  // namespace
