// Packed DIBs (a bitmap header, its colour table and the pixel bits, without
// the 14-byte file header) and BMP file images: header arithmetic, checks and
// the file round trip. The native layer keeps packed DIBs in global memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "pixel_image.hpp"

namespace wl {

constexpr std::size_t kBmpFileHeaderSize = 14;

// What a packed DIB's header says, checked against the block.
struct DibLayout {
    std::uint32_t headerSize = 0;   // 12 (core header), 40, 52, 56, 108 or 124
    std::int32_t width = 0;
    std::int32_t height = 0;        // negative: rows top-down
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;   // entries of the colour table
    std::uint32_t colorEntrySize = 4;  // 3 for a core header
    std::uint32_t maskBytes = 0;    // bit-field masks after a 40-byte header
    std::uint32_t bitsOffset = 0;   // from the start of the packed DIB
    std::uint32_t imageSize = 0;    // bytes of pixel bits the block must hold
};

// The colours a header uses: biClrUsed when not 0, else 2, 16 or 256 for 1,
// 4 and 8 bits per pixel, 0 for other depths.
std::uint32_t dibColorsUsed(std::uint16_t bitCount, std::uint32_t clrUsed);

// Reads and checks a packed DIB's header; nothing when the header is
// malformed or the colour table or (uncompressed) bits run past the block.
std::optional<DibLayout> dibLayout(std::string_view dib);

// The header's width and height as unsigned 16-bit numbers (0 when the block
// holds no header).
std::uint16_t dibWidth16(std::string_view dib);
std::uint16_t dibHeight16(std::string_view dib);

// The packed DIB of a BMP file image: the bytes after the 14-byte file header,
// all of them and no more; nothing when they are no valid DIB.
std::optional<std::string> dibFromBmpImage(std::string_view file);

// The BMP file image of a packed DIB: "BM", the total size, two zero words and
// the bits offset computed from the header (colour entries of 3 or 4 bytes,
// bit-field masks), then the block. Empty when the block is no valid DIB.
std::string bmpImageFromDib(std::string_view dib);

// The pixel bits of a BMP file image at the offset its file header gives,
// with the DIB header in front (header, colour table, bits): what a bitmap
// is made from. Nothing when the offset or sizes point outside the image.
std::optional<std::string> dibFromBmpImageAtOffset(std::string_view file);

// Whole files: a packed DIB from a BMP file, a BMP file from a packed DIB
// (written safely; false when it cannot be).
std::optional<std::string> readDibFile(const std::string& path);
bool writeDibFile(const std::string& path, std::string_view dib);

// A packed 32-bit DIB (40-byte header, bottom-up rows) of a picture, and
// the picture of an uncompressed DIB of 1, 4, 8, 24 or 32 bits per pixel.
std::string dibFromPixels(const PixelImage& image);
std::optional<PixelImage> pixelsFromDib(std::string_view dib);

}  // namespace wl
