#include "dib_format.hpp"

#include <cstring>
#include <limits>

#include "file_io.hpp"

namespace wl {

namespace {

std::uint32_t le32(std::string_view b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}
std::uint16_t le16(std::string_view b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      static_cast<unsigned char>(b[at + 1]) << 8);
}
void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void put16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;
constexpr std::uint32_t kMaxSide = 1u << 16;  // larger sides are refused as malformed

}  // namespace

std::uint32_t dibColorsUsed(std::uint16_t bitCount, std::uint32_t clrUsed) {
    if (clrUsed != 0) return clrUsed;
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

std::optional<DibLayout> dibLayout(std::string_view dib) {
    if (dib.size() < 12) return std::nullopt;
    DibLayout d;
    d.headerSize = le32(dib, 0);
    std::uint16_t planes;
    std::uint32_t clrUsed = 0;
    if (d.headerSize == 12) {
        d.width = le16(dib, 4);
        d.height = le16(dib, 6);
        planes = le16(dib, 8);
        d.bitCount = le16(dib, 10);
        d.colorEntrySize = 3;
    } else {
        if (d.headerSize < 40 || d.headerSize > 124 || dib.size() < d.headerSize) return std::nullopt;
        d.width = static_cast<std::int32_t>(le32(dib, 4));
        d.height = static_cast<std::int32_t>(le32(dib, 8));
        planes = le16(dib, 12);
        d.bitCount = le16(dib, 14);
        d.compression = le32(dib, 16);
        clrUsed = le32(dib, 32);
        if (d.compression == kBiBitfields && d.headerSize == 40) d.maskBytes = 12;
    }
    bool depthOk = d.bitCount == 1 || d.bitCount == 4 || d.bitCount == 8 || d.bitCount == 16 ||
                   d.bitCount == 24 || d.bitCount == 32;
    if (planes != 1 || !depthOk || d.width <= 0 || d.height == 0 ||
        static_cast<std::uint32_t>(d.width) > kMaxSide || d.height == std::numeric_limits<std::int32_t>::min() ||
        static_cast<std::uint32_t>(d.height < 0 ? -d.height : d.height) > kMaxSide)
        return std::nullopt;
    if (d.compression > kBiBitfields) return std::nullopt;
    if (d.compression == kBiBitfields && d.bitCount != 16 && d.bitCount != 32) return std::nullopt;
    if ((d.compression == kBiRle8 && d.bitCount != 8) || (d.compression == kBiRle4 && d.bitCount != 4))
        return std::nullopt;
    d.colorsUsed = dibColorsUsed(d.bitCount, clrUsed);
    if (d.colorsUsed > 256 && d.bitCount <= 8) return std::nullopt;
    if (d.colorsUsed > (1u << 16)) return std::nullopt;
    std::uint64_t offset = std::uint64_t{d.headerSize} + d.maskBytes + std::uint64_t{d.colorsUsed} * d.colorEntrySize;
    std::uint64_t rows = static_cast<std::uint64_t>(d.height < 0 ? -std::int64_t{d.height} : d.height);
    std::uint64_t stride = (std::uint64_t{static_cast<std::uint32_t>(d.width)} * d.bitCount + 31) / 32 * 4;
    std::uint64_t image = d.compression == kBiRgb || d.compression == kBiBitfields ? stride * rows : 0;
    if (image == 0 && d.headerSize >= 40) image = le32(dib, 20);  // compressed: its own size
    if (offset + image > dib.size()) return std::nullopt;
    d.bitsOffset = static_cast<std::uint32_t>(offset);
    d.imageSize = static_cast<std::uint32_t>(image);
    return d;
}

std::uint16_t dibWidth16(std::string_view dib) {
    if (dib.size() < 12) return 0;
    return le32(dib, 0) == 12 ? le16(dib, 4) : (dib.size() >= 16 ? le16(dib, 4) : 0);
}

std::uint16_t dibHeight16(std::string_view dib) {
    if (dib.size() < 12) return 0;
    return le32(dib, 0) == 12 ? le16(dib, 6) : (dib.size() >= 16 ? le16(dib, 8) : 0);
}

std::optional<std::string> dibFromBmpImage(std::string_view file) {
    if (file.size() <= kBmpFileHeaderSize) return std::nullopt;
    std::string_view dib = file.substr(kBmpFileHeaderSize);
    if (!dibLayout(dib)) return std::nullopt;
    return std::string(dib);
}

std::string bmpImageFromDib(std::string_view dib) {
    auto d = dibLayout(dib);
    std::uint64_t total = std::uint64_t{dib.size()} + kBmpFileHeaderSize;
    if (!d || total > std::numeric_limits<std::uint32_t>::max()) return {};
    std::string out;
    out.reserve(static_cast<std::size_t>(total));
    out += "BM";
    put32(out, static_cast<std::uint32_t>(total));
    put16(out, 0);
    put16(out, 0);
    put32(out, d->bitsOffset + static_cast<std::uint32_t>(kBmpFileHeaderSize));
    out.append(dib);
    return out;
}

std::optional<std::string> dibFromBmpImageAtOffset(std::string_view file) {
    if (file.size() <= kBmpFileHeaderSize) return std::nullopt;
    std::uint32_t bitsAt = le32(file, 10);
    std::string_view dib = file.substr(kBmpFileHeaderSize);
    auto d = dibLayout(dib);
    if (!d) return std::nullopt;
    std::uint64_t headerEnd = kBmpFileHeaderSize + std::uint64_t{d->bitsOffset};
    if (bitsAt < headerEnd || std::uint64_t{bitsAt} + d->imageSize > file.size()) return std::nullopt;
    std::string out(dib.substr(0, d->bitsOffset));
    out.append(file.substr(bitsAt));
    return out;
}

std::optional<std::string> readDibFile(const std::string& path) {
    InputFile in(path);
    if (!in.isOpen()) return std::nullopt;
    std::int64_t size = in.size();
    if (size <= static_cast<std::int64_t>(kBmpFileHeaderSize) || !in.seek(0) ||
        static_cast<std::uint64_t>(size) > std::numeric_limits<std::size_t>::max() / 2)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (in.read(bytes.data(), bytes.size()) != bytes.size()) return std::nullopt;
    return dibFromBmpImage(bytes);
}

bool writeDibFile(const std::string& path, std::string_view dib) {
    std::string image = bmpImageFromDib(dib);
    return !image.empty() && writeFileAtomically(path, image) == 0;
}

std::string dibFromPixels(const PixelImage& image) {
    std::string out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(image.width));
    put32(out, static_cast<std::uint32_t>(image.height));
    put16(out, 1);
    put16(out, 32);
    put32(out, kBiRgb);
    put32(out, static_cast<std::uint32_t>(image.pixels.size() * 4));
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y)
        for (int x = 0; x < image.width; ++x) put32(out, image.at(x, y));
    return out;
}

std::optional<PixelImage> pixelsFromDib(std::string_view dib) {
    auto d = dibLayout(dib);
    if (!d || (d->compression != kBiRgb) || d->bitCount == 16) return std::nullopt;
    bool topDown = d->height < 0;
    int h = topDown ? -d->height : d->height;
    PixelImage img(d->width, h);
    std::size_t stride = (static_cast<std::size_t>(d->width) * d->bitCount + 31) / 32 * 4;
    std::size_t table = d->headerSize + d->maskBytes;
    auto entry = [&](std::uint32_t i) -> std::uint32_t {
        if (i >= d->colorsUsed) return 0;
        std::size_t at = table + std::size_t{i} * d->colorEntrySize;
        return makePixel(static_cast<unsigned char>(dib[at + 2]), static_cast<unsigned char>(dib[at + 1]),
                         static_cast<unsigned char>(dib[at]));
    };
    for (int row = 0; row < h; ++row) {
        const unsigned char* line =
            reinterpret_cast<const unsigned char*>(dib.data()) + d->bitsOffset + stride * static_cast<std::size_t>(row);
        int y = topDown ? row : h - 1 - row;
        for (int x = 0; x < d->width; ++x) {
            std::uint32_t p = 0;
            switch (d->bitCount) {
            case 1: p = entry((line[x / 8] >> (7 - x % 8)) & 1); break;
            case 4: p = entry((line[x / 2] >> (x % 2 ? 0 : 4)) & 0xF); break;
            case 8: p = entry(line[x]); break;
            case 24: p = makePixel(line[x * 3 + 2], line[x * 3 + 1], line[x * 3]); break;
            case 32: std::memcpy(&p, line + x * 4, 4); break;
            }
            img.at(x, y) = p;
        }
    }
    return img;
}

}  // namespace wl
