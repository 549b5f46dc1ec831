#include "odbc_table_writer.hpp"

#include <algorithm>
#include <memory>

#include "db_odbc_direct.hpp"
#include "odbc.hpp"
#include "text.hpp"

namespace zr {

std::int64_t CTL48403B(const std::string& dataSource, const std::vector<OdbcTableField>& fields,
                       const std::string& table) {
    const std::vector<wl::CreateColumn> structure = odbcTableStructure(fields);
    if (structure.empty() || wl::alltrim(table).empty()) return -1;
    wl::TOdbc odbc(dataSource);
    if (!odbc.lSuccess()) return -1;
    const std::vector<std::string> tables = odbc.GetTables();
    const bool exists = std::any_of(tables.begin(), tables.end(),
                                    [&](const std::string& t) { return wl::upper(t) == wl::upper(table); });
    if (!exists && !odbc.Create(table, structure)) return -1;
    std::int64_t count = -1;
    {
        wl::TDbOdbcDirect direct("SELECT * FROM " + table, &odbc);
        if (direct.Open()) count = direct.RecCount();
    }
    odbc.Commit();
    odbc.End();
    return count;
}

std::vector<std::int64_t> CTL48403C(const std::string& dataSource,
                                    const std::vector<std::pair<std::string, std::vector<OdbcTableField>>>& list) {
    std::vector<std::int64_t> counts;
    for (const auto& [table, fields] : list) counts.push_back(CTL48403B(dataSource, fields, table));
    return counts;
}

}  // namespace zr
