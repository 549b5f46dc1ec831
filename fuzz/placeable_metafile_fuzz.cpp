// Hostile page files: the placeable metafile reader must never read past
// the bytes it was given.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "placeable_metafile.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    if (const auto m = wl::parsePlaceableMetafile(file)) {
        // The records lie inside the file.
        if (m->bits.data() < file.data() || m->bits.data() + m->bits.size() > file.data() + file.size()) __builtin_trap();
    }
    return 0;
}
