#pragma once

#include <memory>

#include "font.hpp"

namespace zr {

// The program's screens write in Courier New at a fixed cell size.
inline std::shared_ptr<wl::TFont> courierFont(int width, int height, bool bold = false) {
    wl::FontSpec f;
    f.cFaceName = "Courier New";
    f.nWidth = width;
    f.nHeight = height;
    f.lBold = bold;
    return wl::TFont::New(f);
}

}  // namespace zr
