// The pictures outlines share: the seven connector-line pictures (codes 1
// to 7, 16 by 16 pixels) loaded once for all items, and the default open
// and closed pictures the nesting builder gives items with children.
// Pictures are handles the windowing side makes and releases through the
// hooks it installs (source/classes/tree_bitmaps); without hooks (the
// portable programs) there are none and every handle is 0.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace wl {

using TreePicture = std::uintptr_t;
// Index by connector code; [0] stays 0 (an empty cell).
using TreeLinePictures = std::array<TreePicture, 8>;

struct TreePictureHooks {
    std::function<TreeLinePictures()> loadLines;
    // A picture from the program's resources or from a file; 0 when none.
    std::function<TreePicture(const std::string& name)> loadResource, loadFile;
    std::function<void(TreePicture)> release;
};

// Installs the hooks (replacing earlier ones).
void setTreePictureHooks(TreePictureHooks hooks);

// The shared line pictures, loaded when they are not (again after they
// were released or handed over).
const TreeLinePictures& ATREEBMPS();
bool treeLinesLoaded();
// Releases the shared line pictures.
void treeLinesRelease();
// Hands the shared line pictures over and forgets them (the caller
// releases them).
TreeLinePictures GETTREEBMPS();

// The default open and closed pictures of items with children (0: none).
TreePicture treeDefaultOpen();
TreePicture treeDefaultClose();
// A resource name replaces the default (the old one is released).
void treeSetDefaults(const std::string& openResource, const std::string& closeResource);
// Releases the default open and closed pictures.
void TREEFREE();

// Loads a picture through the hooks: a file when given, else a resource.
TreePicture treeLoadPicture(const std::string& resource, const std::string& file);
void treeReleasePicture(TreePicture p);

}  // namespace wl
