// The placeable Windows metafile file: a 22-byte header (key, handle,
// bounding box, units per inch, reserved, checksum) before a standard
// Windows metafile, whose own 18-byte header gives its size in 16-bit words.
// Page files come from elsewhere, so every size is checked before use.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace wl {

inline constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;

struct PlaceableMetafile {
    std::int16_t left = 0, top = 0, right = 0, bottom = 0;
    std::uint16_t unitsPerInch = 0;
    std::string_view bits;  // the standard metafile, as long as its header says
};

// The parts of a placeable metafile file, or nothing when the key is wrong,
// the headers are cut short or the records do not fit in the file.
std::optional<PlaceableMetafile> parsePlaceableMetafile(std::string_view file);

}  // namespace wl
