// A reader of one block of an X12 file without loading it (no caller yet).
#pragma once

#include <cstdint>
#include <string>

namespace zr {

// CTL39400AQ: reads `length` bytes of the file and answers, by mode:
//   1  the block at `position`: the 1-based file position of its last
//      HL*20 or HL*22 segment ("" when none)
//   2  the block at `position` itself
//   3  the block from the start: the first 106 bytes (the ISA header)
//      followed by the GS and ST segments of the block, with terminators
//   4  the block at the end: its ISA, GS and SE segments, met walking back
//      from the end, in file order, with terminators
std::string CTL39400AQ(const std::string& fileName, const std::string& element, const std::string& terminator,
                       std::int64_t position, std::int64_t length, int mode);

}  // namespace zr
