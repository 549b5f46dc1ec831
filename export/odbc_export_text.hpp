// The SQL the ODBC writer of the export sends: literals and names written
// so that a value holding a quote stays one value, and the statements it
// runs.
#pragma once

#include <string>
#include <vector>

namespace zr {

// A character literal: the value in single quotes, each quote doubled.
std::string sqlLiteral(const std::string& value);
// A table or column name: as written when it holds only letters, digits and
// "_", else in double quotes with each double quote doubled.
std::string sqlName(const std::string& name);
// "INSERT INTO table (a, b) VALUES ('x', 'y')".
std::string sqlInsert(const std::string& table, const std::vector<std::string>& names,
                      const std::vector<std::string>& values);
// "SELECT column FROM table".
std::string sqlSelectColumn(const std::string& table, const std::string& column);
// "SELECT * FROM table WHERE column = 'value'": the data-source mode's
// probe for a key already present.
std::string sqlKeyProbe(const std::string& table, const std::string& column, const std::string& value);

}  // namespace zr
