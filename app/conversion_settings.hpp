// Routines of the conversion tool on its options and settings that no
// screen calls: the "FIELD(name)=value" option test and the "zr.ctl"
// series value.
#pragma once

#include <optional>
#include <string>

#include "field_table.hpp"
#include "parse_spec.hpp"

namespace zr {

// CTL48400AI: true when an item of the options is "FIELD(" + name + ")" +
// one separator character + value, a field's name begins with that name
// (any case) and its current value begins with the value.
bool CTL48400AI(const ParseSpec& spec, const FieldTable& fields);

// CTL48400R: the "SERIES" value of "zr.ctl" in the folder ("" when the file
// is missing). With `what` 1: mode 0 answers it; mode 1 takes `value`,
// writes "zr.ctl" anew holding only it between "SERIES" tags, and answers
// it. Answers nothing (std::nullopt) for another `what`.
std::optional<std::string> CTL48400R(int mode, int what, const std::string& value, const std::string& folder);

}  // namespace zr
