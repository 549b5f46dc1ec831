// The database functions: connection strings for the six kinds of database,
// CREATE TABLE in each kind's dialect, values and dBASE filter expressions
// as SQL text, and the blank value of a type letter. The program reaches
// databases through ODBC; these texts are the same whichever layer runs them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "value.hpp"
#include "value_conversion.hpp"

namespace wl {

// The kinds of database, numbered as RdbmsTable's rows (0: none).
enum class RdbmsKind { None = 0, DBase = 1, MsAccess = 2, MsSql = 3, MySql = 4, Oracle = 5, Sqlite = 6 };

struct RdbmsRow {
    RdbmsKind kind;
    const char* name;        // "DBASE" ...
    bool odbc;               // ODBC (true) or OLEDB
    std::vector<const char*> providers;  // in order of trial
    const char* extra;       // the extra property, "" when none
};
const std::vector<RdbmsRow>& RdbmsTable();
std::string rdbmsName(RdbmsKind kind);  // "" for None

// WL_ADOCONNECTIONSTRING of a spec (kind or file, server, database, user,
// password; a comma-separated text). A row with several providers gives
// the provider mark "<?>" in place of the provider. kind receives the row.
// computerName stands in for the machine's network name (SQLEXPRESS).
std::string WL_ADOCONNECTIONSTRING(std::string_view spec, RdbmsKind* kind = nullptr,
                                   std::string_view computerName = {});
// The same as one string per provider (the mark replaced), as callers other
// than the connection opener receive it.
std::vector<std::string> connectionStringsPerProvider(std::string_view spec, std::string_view computerName = {});

// Names quoted for the kind: MYSQL `a`, SQLITE "a", MSACCESS and MSSQL [a],
// ORACLE blanks to "_"; ", " is first turned into ",".
std::string WL_QUOTEDCOLSQL(std::string_view names, RdbmsKind kind);

// One column of a CREATE TABLE: {name, type, length, decimals}. A type of
// more than one character is written as it is.
struct SqlColumn {
    std::string name;
    std::string type = "C";
    int length = 10;
    int decimals = 0;
};
std::string ADOCREATECOLSQL(const SqlColumn& column, RdbmsKind kind, int serverVersion = 0);
// The CREATE TABLE text; for ORACLE with an automatic key also the sequence
// and trigger statements, each after "|". "" (and an alert) for DBASE.
std::string WL_ADOCREATETABLESQL(std::string_view table, std::vector<SqlColumn> columns, RdbmsKind kind,
                                 bool addAutoInc = true, int serverVersion = 0);

// "#yyyy-mm-dd#" (with the time for "T"); nullopt for the empty date.
std::optional<std::string> WL_DATETOADO(const DateTime& t, char type);
// "NULL" for the empty date; quoted for SQL; "DATE "/"TIMESTAMP " for
// ORACLE; blanks become "T" for MSSQL.
std::string WL_DATETOSQL(const DateTime& t, char type, RdbmsKind kind);

// A value as SQL text: lists "( a,b )", texts quoted with every quote
// doubled (DEFAULT and NULL as words, "<expr>" as the expression, binary
// data as hexadecimal), dates by WL_DATETOSQL, logicals 1/0, numbers as
// text, anything else NULL.
std::string WL_VALTOSQL(const Value& v, std::optional<bool> binary, RdbmsKind kind);

// A dBASE filter expression as an SQL condition. Literals are converted one
// by one (their quotes doubled once, double-quoted ones turned into single
// quotes), so a comparison with a quoted text stays a comparison; outside
// literals .AND./.OR./.T./.F./==/!=/! become SQL and STOD(), CTOD() and
// {^...} dates become date literals.
std::string WL_FILTER2WHERE(std::string_view filter, bool ado, RdbmsKind kind);
inline std::string WL_FILTERDBF2ADO(std::string_view filter, RdbmsKind kind) {
    return WL_FILTER2WHERE(filter, true, kind);
}

// A value turned into the type of a table field: "C"/"M" as text, "D" a
// date, "L" a logical, "N" a number, "T" a date (its midnight); nil for
// any other type. A text is true for "L" when it is one whole item of
// "Y,YES,T,.T.,TRUE" (so "E" or "," is not).
Value CONVERTTYPE(const Value& v, char type);

// The empty value of a type letter.
Value UTYPETOBLANK(char type, int length = 10, int decimals = 0);

}  // namespace wl
