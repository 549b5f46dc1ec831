// The table the conversion driver writes to an ODBC data source: one
// character column per field of the list, as wide as the field, the first
// the table's key. At most 255 columns are kept.
#pragma once

#include <string>
#include <vector>

#include "odbc_text.hpp"

namespace zr {

struct OdbcTableField {
    std::string name;
    int width = 10;
};

std::vector<wl::CreateColumn> odbcTableStructure(const std::vector<OdbcTableField>& fields);

}  // namespace zr
