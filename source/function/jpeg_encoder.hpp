// Baseline JPEG compression of a picture (libjpeg), for the PDF writer's
// page images.
#pragma once

#include <string>

#include "pixel_image.hpp"

namespace wl {

// The JPEG bytes of the picture (24-bit colour, baseline, the library's
// default quality 75); "" for an empty picture or a failure.
std::string encodeJpeg(const PixelImage& image, int quality = 75);

}  // namespace wl
