// The parts the X12 utility windows ("X12 File Information", "X12 File
// Compare") build alike: their window in the tools' font, a read-only
// report, a tree of a file's nodes and the row of push buttons.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "button.hpp"
#include "font.hpp"
#include "image_list.hpp"
#include "multiget.hpp"
#include "tree_view.hpp"
#include "window.hpp"

namespace zr {

// Where a part stands in its window, in pixels.
struct UtilityPlace {
    int row = 0, col = 0, width = 0, height = 0;
};

// The utility's window (the tools' usual place and size) titled `title`,
// in `font`.
void newUtilityWindow(wl::TWindow& window, const std::string& title, const std::shared_ptr<wl::TFont>& font);

// A read-only report showing `text`; `colors` a colour text ("R/W+*"), none
// for the default colours.
void newUtilityReport(wl::TWindow& window, const std::shared_ptr<wl::TFont>& font, wl::TMultiGet& report,
                      UtilityPlace place, std::string& text, const std::string& colors = {});

// The trees' pictures: the program's bitmap "folder" over its mask
// "fldMask" (nothing where the program holds no such bitmaps).
void loadFolderPictures(wl::TImageList& pictures);

// A tree of a file's nodes showing `pictures` (when it holds any):
// selecting one shows its text.
void newUtilityTree(wl::TWindow& window, wl::TTreeView& tree, UtilityPlace place, wl::TImageList& pictures);

// A push button of the utility's row (16 pixels down, 27 high) running
// `action`.
void newUtilityButton(wl::TWindow& window, const std::shared_ptr<wl::TFont>& font, wl::TButton& button, int left,
                      int width, const std::string& caption, std::function<void()> action);

// Closes the window if it is still open and lets the font go.
void endUtilityWindow(wl::TWindow& window, const std::shared_ptr<wl::TFont>& font);

}  // namespace zr
