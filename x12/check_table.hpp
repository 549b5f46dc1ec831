// The check table: up to 100 name/value pairs of the [X12CHECKTABLE]
// section of "zr.ini", handed to every transaction screen.
#pragma once

#include <array>
#include <string>
#include <utility>

namespace zr {

using CheckTable = std::array<std::pair<std::string, std::string>, 100>;

// CTL39400T: the pairs from "[X12CHECKTABLE]" up to "COMMAND=0" of the
// folder's "zr.ini" ("" for the current folder); all empty without the file.
CheckTable CTL39400T(const std::string& folder = "");

}  // namespace zr
