// The outlines' pictures on Windows: the seven connector-line pictures
// drawn once as 16 by 16 monochrome bitmaps (dotted lines, boxed plus and
// minus), item pictures from the program's resources or from files, all
// released with DeleteObject. installTreeBitmaps hooks them into the
// portable outline code (tree_pictures.hpp); drawTreePicture paints one in
// black over any background.
#pragma once

#include <windows.h>

#include "tree_pictures.hpp"

namespace wl {

void installTreeBitmaps();

// Paints the picture with its top-left corner at (x, y): a monochrome one
// as black lines over what is there, a colour one as it is.
void drawTreePicture(HDC dc, TreePicture picture, int x, int y);

}  // namespace wl
