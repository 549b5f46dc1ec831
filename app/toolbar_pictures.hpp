// The main window's toolbar pictures, drawn in code: 32 x 32 on white, the
// colour the toolbar masks out. Resources 13 (a converter), 7 (a viewer),
// 6 (a book), 11 (an "i") and 3 (an exit door).
#pragma once

#include "pixel_image.hpp"

namespace zr {

inline constexpr int kToolbarPictureSize = 32;

// The picture of a toolbar resource number; an empty picture for another.
wl::PixelImage toolbarPicture(int resource);

// The program's icon: the converter picture.
wl::PixelImage programIconPicture();

}  // namespace zr
