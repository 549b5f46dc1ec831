// Map rows for the tests of the engine's pieces.
#pragma once

#include <string>

#include "field_table.hpp"
#include "map_file.hpp"

namespace zrtest {

// The field of one "FIELD=" line (without the "FIELD=").
inline zr::FieldRow field(const std::string& line) {
    zr::MapFile m = zr::parseMapText("FIELD=" + line + "\r\n");
    return m.fields.at(0);
}

}  // namespace zrtest
