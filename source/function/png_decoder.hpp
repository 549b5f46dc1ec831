// PNG files decoded through libpng into 32-bit pictures (blue, green, red,
// alpha), the way the bitmap functions want them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "pixel_image.hpp"

namespace wl {

// Why a load ended; never shown to the user.
enum PngStatus : int {
    kPngOk = 0,
    kPngNoOpen = 9000,
    kPngNoFile = 9001,
    kPngShort = 9002,
    kPngNoSignature = 9003,
    kPngNoReadStruct = 9004,
    kPngNoInfoStruct = 9005,
    kPngLibraryError = 9010,
    kPngNoMemory = 9011,
    kPngLayout = 9012,    // neither 3 nor 4 channels after the transformations
    kPngTooLarge = 9013,  // beyond the size limits
};

struct PngImage {
    PixelImage image;  // top row first
    int channels = 0;  // 3: the alpha bytes are 0; 4: straight (not premultiplied) alpha
};

// Largest side and largest pixel block accepted: a crafted header cannot make
// the loader allocate gigabytes or overflow its size arithmetic.
constexpr std::uint32_t kPngMaxSide = 16384;
constexpr std::uint64_t kPngMaxBytes = 256ull << 20;

// Decodes the file: palette and grey images only with transparency, 16-bit
// samples cut to 8. A file that ends inside the image shows the warning
// "Read Error" (caption "PNG Support") and gives nothing.
std::optional<PngImage> decodePngFile(const std::string& path, int* status = nullptr);

// Writes the picture as an 8-bit RGB PNG (alpha dropped); false when the
// file cannot be created or libpng fails.
bool writePngFile(const PixelImage& image, const std::string& path);

// Multiplies colour by alpha, as alpha blending expects.
void premultiplyAlpha(PixelImage& image);

}  // namespace wl
