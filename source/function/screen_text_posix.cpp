// The terminal has no screen font: every character is one cell of 8 pixels,
// the width of the program's standard text column.
#include "value_conversion.hpp"

namespace wl {

int screenTextWidth(std::string_view text) { return static_cast<int>(text.size()) * 8; }

}  // namespace wl
