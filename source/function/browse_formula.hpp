// The formula a user types into a numeric cell of a grid browse: "=" and an
// arithmetic expression. Only numbers, + - * /, parentheses and "%" (read
// as /100) are understood; the text is never run as code.
#pragma once

#include <optional>
#include <string_view>

namespace wl {

// The value of `text` (with or without the leading "="), or nothing when it
// is not a well-formed arithmetic expression or divides by zero.
std::optional<double> browseFormulaValue(std::string_view text);

}  // namespace wl
