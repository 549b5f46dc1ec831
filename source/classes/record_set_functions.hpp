// The record-set functions served over ODBC: a connection is a TOdbc, a
// record set a TDbOdbc. No OLE record-set provider serves databases here,
// so the names and results stay and the layer underneath is ODBC.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data_base.hpp"
#include "database_functions.hpp"
#include "db_odbc.hpp"
#include "odbc.hpp"

namespace wl {

// A connection to a data source name or an ODBC connection string; nullptr
// when it fails (the error shown with showError).
std::unique_ptr<TOdbc> WL_OPENADOCONNECTION(const std::string& source, bool showError = false);
// A table, some of its columns, or a SELECT; nullptr when it cannot be
// opened (the connection's error shown).
std::unique_ptr<TDbOdbc> WL_OPENRECORDSET(TOdbc& connection, const std::string& source);
// The connection's last error, shown with MSGALERT unless silent; with
// none, "ADO ERROR UNKNOWN" is shown.
std::string WL_SHOWADOERROR(const TOdbc& connection, bool silent = false);
// The kind of database behind the connection: its DBMS name holding
// MYSQL, SQLITE, "MICROSOFT SQL SERVER" or ORA, else DBASE, else an Access
// file in the connection string.
RdbmsKind rdbmsKindOf(TOdbc& connection);
std::string WL_RDBMSNAME(TOdbc& connection);
std::vector<std::string> WL_ADOTABLES(TOdbc& connection);
bool WL_ADOTABLEEXISTS(const std::string& table, TOdbc& connection);
// Runs the CREATE TABLE text of the connection's kind, statement by
// statement ("|" between them); true when all ran.
bool WLADOCREATETABLE(const std::string& table, const std::vector<SqlColumn>& columns, TOdbc& connection,
                      bool addAutoInc = true);
// {name, type, length, decimals} of each field.
std::vector<SqlColumn> WLADOSTRUCT(const TDbOdbc& recordSet);
// The current row as {name, value}: blanks of each type with blank or at
// the end, NULLs as blanks, texts padded to the field's length.
TDataBaseRow WLADOLOADRECORD(TDbOdbc& recordSet, bool blank = false);
// A new dBASE table of the record set's structure (names made valid and
// unique) holding its rows; the position is kept. False (after "Can not
// create " + file) when the table cannot be made.
bool WL_ADOEXPORTTODBF(TDbOdbc& recordSet, const std::string& dbfFile);
// A dBASE table copied into a new table of the connection (cTable: the
// file's name; prefix before every column name), its rows sent in INSERT
// statements of batch + 1 rows (none with batch below 0). An existing
// table is replaced only when "... Already Exists. OverWrite? (Y/N)" is
// answered yes. True when copied.
bool WL_ADOIMPORTFROMDBF(TOdbc& connection, const std::string& dbfFile, std::string table = {},
                         const std::string& prefix = {}, int batch = 20);

}  // namespace wl
