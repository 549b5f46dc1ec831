#include "placeable_metafile.hpp"

namespace wl {

namespace {

std::uint32_t le16(std::string_view b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

std::uint32_t le32(std::string_view b, std::size_t at) { return le16(b, at) | le16(b, at + 2) << 16; }

}  // namespace

std::optional<PlaceableMetafile> parsePlaceableMetafile(std::string_view file) {
    constexpr std::size_t kPlaceableHeader = 22, kMetaHeader = 18;
    if (file.size() < kPlaceableHeader + kMetaHeader) return std::nullopt;
    if (le32(file, 0) != kPlaceableKey) return std::nullopt;
    // The standard header's size in words (at its offset 6): at least the
    // header itself, and no more than the file holds.
    const std::uint64_t bytes = static_cast<std::uint64_t>(le32(file, kPlaceableHeader + 6)) * 2;
    if (bytes < kMetaHeader || bytes > file.size() - kPlaceableHeader) return std::nullopt;
    PlaceableMetafile m;
    m.left = static_cast<std::int16_t>(le16(file, 6));
    m.top = static_cast<std::int16_t>(le16(file, 8));
    m.right = static_cast<std::int16_t>(le16(file, 10));
    m.bottom = static_cast<std::int16_t>(le16(file, 12));
    m.unitsPerInch = static_cast<std::uint16_t>(le16(file, 14));
    m.bits = file.substr(kPlaceableHeader, static_cast<std::size_t>(bytes));
    return m;
}

}  // namespace wl
