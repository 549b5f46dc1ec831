// What the message screen (864 text messages, and 275 sets) shows: the
// message title and the message lines the 864 report prints.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "segment_table.hpp"

namespace zr {

// CTL39409AA: the MSG rows (the last row aside).
std::size_t CTL39409AA(const SegmentTable& table);
// CTL39409AB: MSG01 of the last MSG row numbered n in column 8.
std::string CTL39409AB(const SegmentTable& table, std::size_t n);
// CTL39409AC: MIT02 of the last MIT row, the message title.
std::string CTL39409AC(const SegmentTable& table);
// The title line under "Message Title :  ": six blanks and the title.
std::string messageTitleLine(const SegmentTable& table);
// CTLD39409 without a window: "" in modes 100 to 103 and 109; none when
// the screen is shown.
std::optional<std::string> messageOutput(int mode);

}  // namespace zr
