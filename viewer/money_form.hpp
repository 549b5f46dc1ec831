// The money form the claim screens show amounts in.
#pragma once

#include <string>
#include <string_view>

namespace zr {

// CTL39410W: the amount followed by ".00" when none of its characters but
// the last is a "."; an amount that has one comes back unchanged.
std::string CTL39410W(std::string_view amount);

}  // namespace zr
