// The conversion driver's ODBC table writer: makes the table of a field
// list in a data source (when the source has no table of that name) and
// opens it, reading its record count.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "odbc_table_structure.hpp"

namespace zr {

// CTL48403B: connects to the data source, creates the table when missing,
// opens "SELECT * FROM " + table and counts its rows, commits and
// disconnects. The count; -1 when the data source cannot be reached or the
// table cannot be made or read (the connection's errors are shown).
std::int64_t CTL48403B(const std::string& dataSource, const std::vector<OdbcTableField>& fields,
                       const std::string& table);

// CTL48403C: each {table, field list} of the list written by CTL48403B;
// the counts in order.
std::vector<std::int64_t> CTL48403C(const std::string& dataSource,
                                    const std::vector<std::pair<std::string, std::vector<OdbcTableField>>>& list);

}  // namespace zr
