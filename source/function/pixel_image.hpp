// A 32-bit picture in memory: rows top-down, each pixel the four bytes blue,
// green, red, alpha (a little-endian 0xAARRGGBB), as a 32-bit DIB holds them.
// The image effects and the PNG decoder work on it, so they need no device.
#pragma once

#include <cstdint>
#include <vector>

#include "colors.hpp"

namespace wl {

struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // width x height, top row first

    PixelImage() = default;
    PixelImage(int w, int h, std::uint32_t fill = 0)
        : width(w < 0 ? 0 : w), height(h < 0 ? 0 : h),
          pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

    bool empty() const { return width <= 0 || height <= 0; }
    std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Pixel bytes.
inline int pixelBlue(std::uint32_t p) { return static_cast<int>(p & 0xFF); }
inline int pixelGreen(std::uint32_t p) { return static_cast<int>((p >> 8) & 0xFF); }
inline int pixelRed(std::uint32_t p) { return static_cast<int>((p >> 16) & 0xFF); }
inline int pixelAlpha(std::uint32_t p) { return static_cast<int>(p >> 24); }
inline std::uint32_t makePixel(int red, int green, int blue, int alpha = 0) {
    return static_cast<std::uint32_t>(blue & 0xFF) | static_cast<std::uint32_t>(green & 0xFF) << 8 |
           static_cast<std::uint32_t>(red & 0xFF) << 16 | static_cast<std::uint32_t>(alpha & 0xFF) << 24;
}

// The pixel of a colour value as Windows gives them (COLORREF 0x00BBGGRR).
inline std::uint32_t colorToPixel(Color c, int alpha = 0) {
    return makePixel(NRGBRED(c), NRGBGREEN(c), NRGBBLUE(c), alpha);
}

}  // namespace wl
