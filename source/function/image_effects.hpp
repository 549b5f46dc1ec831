// Image effects over 32-bit pictures in memory: resizing, brightness, box
// blur, reflections, drop shadows, gradients and darkening ramps. The native
// layer copies bitmaps in and out of PixelImage around these.
#pragma once

#include <cstdint>
#include <optional>

#include "pixel_image.hpp"

namespace wl {

// Nearest-pixel resize. With a height (not 0) the new size is
// (widthOrPercent, height); otherwise widthOrPercent is a percentage of both
// sides. Nothing for a negative argument, an empty picture or an empty result.
std::optional<PixelImage> resizeImage(const PixelImage& image, int widthOrPercent, int height = 0);

// Blue, green and red (and alpha with `alpha`) each moved by delta, limited
// to 0..255.
PixelImage brightImage(const PixelImage& image, int delta, bool alpha);

// Box blur of window 2 x radius + 1 along rows, then columns, of the blue,
// green and red bytes; the edges average the pixels actually in the window.
// Alpha stays. Radius 0 (or negative) gives nothing.
std::optional<PixelImage> blurImage(const PixelImage& image, int radius);

// The reflection of `picture` blended over `screen` (the area under it,
// same size): the picture drawn upside down, fading in from row `start`
// of the picture's top to `alpha` at its bottom. `transparent` is a
// pixel value (alpha ignored) that stays undrawn when useAlpha is false.
PixelImage fadeImage(const PixelImage& screen, const PixelImage& picture, int alpha, int start,
                     bool useAlpha, std::uint32_t transparent);

// Darkens in `area` every pixel (x, y) whose (x - offsetX, y - offsetY)
// lies in the shadow rectangle (0, 0, width - inset, height - inset),
// rounded with corners `corner` by 10 when `round`; each component becomes
// c x f / 256 with f = 255 - percent x 255 / 100.
void shadowBox(PixelImage& area, int offsetX, int offsetY, int inset, bool round, int percent,
               int corner = 10);

// A radial gradient of w x h from colour `centre` (COLORREF) at the centre,
// moved by the offsets, to `edge` at the half-diagonal and beyond.
PixelImage radialGradient(int width, int height, std::uint32_t centre, std::uint32_t edge, int offsetX,
                          int offsetY);

// Paints `area` with colours running linearly from color2 to color1 along
// diagonals (top-left to bottom-right when `direction`, else top-right to
// bottom-left). start and end are percentages of the diagonal's length:
// color2 up to start, color1 from end. Nothing when start is not below end.
void diagonalGradient(PixelImage& area, std::uint32_t color1, std::uint32_t color2, bool direction,
                      int start, int end);

// Darkens the picture by a factor that rises from 50 % by 50 / width per
// column (horizontal) or 50 / height per row (vertical).
void darkenRamp(PixelImage& area, bool horizontal);

// The grey level of a greyed drawing: r / 3 + g / 3 + b / 3, lifted by 20
// (255 above 234) when not 0.
int grayLevel(std::uint32_t pixel);

}  // namespace wl
