// The library's built-in pictures, drawn in code as small clear images of
// what their names say. The native layer turns them into bitmaps.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pixel_image.hpp"

namespace wl {

// The 29 names of WLBITMAP, in their documented order.
const std::vector<std::string>& builtinBitmapNames();
// The 16 x 16 picture of that name (compared exactly after lower-casing).
std::optional<PixelImage> builtinBitmap(const std::string& name);
// The 8 x 8 brush pictures 1 to 4: dotted grey, bricks, raised tiles, checkerboard.
std::optional<PixelImage> builtinBrush(int index);

PixelImage builtinLogo();          // 32 x 32, the error dialog's picture
PixelImage builtinRightArrow();    // 9 x 14
PixelImage builtinDownArrow();     // 11 x 7
PixelImage builtinSortMark(bool ascending);  // 10 x 9
PixelImage builtinSwitch(bool on);           // 16 x 16, 32 bits with alpha
PixelImage builtinMessageBar(int look);      // 2007: 26 x 23, 2010: 103 x 22
PixelImage builtinCheckMark(int look);       // 20 x 20 menu check mark, 1 (2007) or 2 (2010)
// The seven 16 x 16 dotted connector pictures of tree lists, codes 1 to 7:
// vertical line, branch, last branch, and the branches with a boxed plus
// or minus.
std::vector<PixelImage> builtinTreeLines();
// The fourteen further pictures 1 to 14 at their documented sizes (an empty
// picture for any other number).
PixelImage builtinEmbedded(int n);

}  // namespace wl
