// Hostile RTF (clipboard or files): the reader must stay inside its input,
// and what it writes must be GTF that reads back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gtf_rtf.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view rtf(reinterpret_cast<const char*>(data), size);
    if (const auto gtf = wl::rtfToGtf(rtf)) {
        if (!wl::IsGTF(*gtf) || !wl::gtfToTxt(*gtf) || !wl::gtfToRtf(*gtf)) __builtin_trap();
    }
    return 0;
}
