#include "odbc_table_structure.hpp"

#include <algorithm>

namespace zr {

std::vector<wl::CreateColumn> odbcTableStructure(const std::vector<OdbcTableField>& fields) {
    constexpr std::size_t kMostColumns = 255;
    std::vector<wl::CreateColumn> columns;
    for (std::size_t i = 0; i < std::min(fields.size(), kMostColumns); ++i) {
        wl::CreateColumn c{fields[i].name, 'C', std::max(fields[i].width, 1), 0, std::nullopt};
        if (i == 0) c.extra = "NOT NULL PRIMARY KEY";
        columns.push_back(std::move(c));
    }
    return columns;
}

}  // namespace zr
