#include "tree_pictures.hpp"

#include "process_state.hpp"

namespace wl {

namespace {

struct TreePictureState {
    TreePictureHooks hooks;
    TreeLinePictures lines{};
    bool loaded = false;
    TreePicture defaultOpen = 0, defaultClose = 0;
};

TreePictureState& treeState() { return processState().treePictures.get<TreePictureState>(); }

}  // namespace

void setTreePictureHooks(TreePictureHooks hooks) { treeState().hooks = std::move(hooks); }

const TreeLinePictures& ATREEBMPS() {
    TreePictureState& s = treeState();
    if (!s.loaded && s.hooks.loadLines) {
        s.lines = s.hooks.loadLines();
        s.lines[0] = 0;
        s.loaded = true;
    }
    return s.lines;
}

bool treeLinesLoaded() { return treeState().loaded; }

void treeLinesRelease() {
    TreePictureState& s = treeState();
    if (!s.loaded) return;
    for (TreePicture p : s.lines) treeReleasePicture(p);
    s.lines = {};
    s.loaded = false;
}

TreeLinePictures GETTREEBMPS() {
    TreePictureState& s = treeState();
    const TreeLinePictures out = s.lines;
    s.lines = {};
    s.loaded = false;
    return out;
}

TreePicture treeDefaultOpen() { return treeState().defaultOpen; }
TreePicture treeDefaultClose() { return treeState().defaultClose; }

void treeSetDefaults(const std::string& openResource, const std::string& closeResource) {
    TreePictureState& s = treeState();
    if (!openResource.empty()) {
        treeReleasePicture(s.defaultOpen);
        s.defaultOpen = treeLoadPicture(openResource, "");
    }
    if (!closeResource.empty()) {
        treeReleasePicture(s.defaultClose);
        s.defaultClose = treeLoadPicture(closeResource, "");
    }
}

void TREEFREE() {
    TreePictureState& s = treeState();
    treeReleasePicture(s.defaultOpen);
    if (s.defaultClose != s.defaultOpen) treeReleasePicture(s.defaultClose);
    s.defaultOpen = s.defaultClose = 0;
}

TreePicture treeLoadPicture(const std::string& resource, const std::string& file) {
    const TreePictureHooks& h = treeState().hooks;
    if (!file.empty()) return h.loadFile ? h.loadFile(file) : 0;
    if (!resource.empty()) return h.loadResource ? h.loadResource(resource) : 0;
    return 0;
}

void treeReleasePicture(TreePicture p) {
    if (p && treeState().hooks.release) treeState().hooks.release(p);
}

}  // namespace wl
