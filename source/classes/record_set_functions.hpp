// The record-set functions served over ODBC: a connection is a TOdbc, a
// record set a TDbOdbc. No OLE record-set provider serves databases here,
// so the names and results stay and the layer underneath is ODBC.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data_base.hpp"
#include "data_row.hpp"
#include "database_functions.hpp"
#include "db_odbc.hpp"
#include "odbc.hpp"
#include "record_set_fields.hpp"

namespace wl {

// The process keeps one default connection: the last one opened or named
// to WL_RDBMSNAME as a shared object. A record set holds its connection by
// address, so a connection is kept while its record sets are open.

// A connection from a connection string (a text holding ";"), a spec
// (kind or file, server, database, user, password: WL_ADOCONNECTIONSTRING;
// with several drivers each is tried in turn and the first that opens is
// kept for later calls) or a data source name. The spec or string last
// asked for gives the default connection again. The connection opened
// becomes the default; nullptr when it fails (the error shown with
// showError).
std::shared_ptr<TOdbc> WL_OPENADOCONNECTION(const std::string& source, bool showError = false);
// Reopen: the default connection, opened again when it was closed
// ("CAN NOT REOPEN" and its string when that fails). Forget: the default
// connection and the remembered strings are given up; nullptr.
enum class DefaultConnection { Reopen, Forget };
std::shared_ptr<TOdbc> WL_OPENADOCONNECTION(DefaultConnection what = DefaultConnection::Reopen);
// A table, some of its columns, or a SELECT; nullptr when it cannot be
// opened (the connection's error shown). Lock type 1 opens it read-only.
std::unique_ptr<TDbOdbc> WL_OPENRECORDSET(TOdbc& connection, const std::string& source,
                                          int lockType = kLockOptimistic);
// The same on the default connection; nullptr without one.
std::unique_ptr<TDbOdbc> WL_OPENRECORDSET(const std::string& source, int lockType = kLockOptimistic);
// The connection's last error, shown with MSGALERT unless silent; with
// none, "ADO ERROR UNKNOWN" is shown.
std::string WL_SHOWADOERROR(const TOdbc& connection, bool silent = false);
std::string WL_SHOWADOERROR(bool silent = false);  // of the default connection
// The kind of database behind the connection: its DBMS name holding
// MYSQL, SQLITE, "MICROSOFT SQL SERVER" or ORA, else DBASE, else an Access
// file in the connection string.
RdbmsKind rdbmsKindOf(TOdbc& connection);
// The kind's name. The default connection answers the remembered name;
// another connection's kind is remembered as the default kind, and a
// shared one becomes the default connection.
std::string WL_RDBMSNAME(TOdbc& connection);
std::string WL_RDBMSNAME(const std::shared_ptr<TOdbc>& connection);
std::string WL_RDBMSNAME();
// The default connection's kind ("MYSQL" until a connection is named).
RdbmsKind defaultRdbmsKind();
std::vector<std::string> WL_ADOTABLES(TOdbc& connection);
bool WL_ADOTABLEEXISTS(const std::string& table, TOdbc& connection);
// Runs the CREATE TABLE text of the connection's kind, statement by
// statement ("|" between them); true when all ran.
bool WLADOCREATETABLE(const std::string& table, const std::vector<SqlColumn>& columns, TOdbc& connection,
                      bool addAutoInc = true);
// {name, type, length, decimals} of each field.
std::vector<SqlColumn> WLADOSTRUCT(const TDbOdbc& recordSet);

// A field of a record set by number (from 1) or by name (any case).
struct RecordSetFieldRef {
    RecordSetFieldRef(int n) : number(n) {}
    RecordSetFieldRef(const char* s) : name(s) {}
    RecordSetFieldRef(std::string s) : name(std::move(s)) {}
    int number = 0;
    std::string name;
};
// How the record set describes the field (its ODBC column attributes).
std::optional<RecordSetField> recordSetField(TDbOdbc& recordSet, const RecordSetFieldRef& field);
// The field's {name, type letter, length, decimals, type number,
// updatable}; nothing when there is no such field.
std::optional<AdoFieldStruct> WLADOFIELDSTRUCT(TDbOdbc& recordSet, const RecordSetFieldRef& field);
// The type letter ("+" given as "N"), "" for no such field.
std::string WLADOFIELDTYPE(TDbOdbc& recordSet, const RecordSetFieldRef& field);
int WLADOFIELDSIZE(TDbOdbc& recordSet, const RecordSetFieldRef& field);
int WLADOFIELDLEN(TDbOdbc& recordSet, const RecordSetFieldRef& field);
int WLADOFIELDDEC(TDbOdbc& recordSet, const RecordSetFieldRef& field);
// Whether the field can be written: never in a read-only record set.
bool WL_ADOFIELDUPDATEABLE(TDbOdbc& recordSet, const RecordSetFieldRef& field);
// Sets the memo threshold when a size is given; answers it.
int WLADOMEMOSIZETHRESHOLD(std::optional<int> size = std::nullopt);
// The current row as {name, value}: blanks of each type with blank or at
// the end, NULLs as blanks, texts padded to the field's length.
TDataBaseRow WLADOLOADRECORD(TDbOdbc& recordSet, bool blank = false);
// Writes the row's values to the record set (moved to bookMark first when
// given): texts cut to the field's size, empty texts of date fields as no
// date; pairs whose old and new values are both empty and names that are
// no field are passed over. True when the record set was updated; a
// failed update gives up the changes.
bool WLADOSAVERECORD(TDbOdbc& recordSet, const TDataBaseRow& row, std::optional<std::int64_t> bookMark = {});
// A new record with the blank values of the updatable fields (a numeric
// key takes the next number); the record set stands on it. True when
// added.
bool WLADOAPPENDBLANK(TDbOdbc& recordSet);
// With records, asks "Want to delete this record ?" and deletes the
// current record; the position stays (the last record when it was the
// last). True when deleted.
bool WLADODELRECORD(TDbOdbc& recordSet);

// A record set as the row editor's source ("ADO"): text fields padded to
// at most 100, numbers with their picture, item 3 the updatable answer;
// values written with WLADOSAVERECORD. The record set must outlive it.
class RecordSetRowSource : public DataRowSource {
public:
    explicit RecordSetRowSource(TDbOdbc& recordSet) : rs_(recordSet) {}
    std::string kind() const override { return "ADO"; }
    Read read(const std::vector<std::string>& fields, std::optional<bool> blank) override;
    std::optional<Read> write(const TDataBaseRow& changed, int recNo,
                              const std::vector<std::string>& fields) override;

private:
    TDbOdbc& rs_;
};

// A new dBASE table of the record set's structure (names made valid and
// unique) holding its rows; the position is kept. With editStructure the
// user edits the structure first (EDITDBFSTRUCT; cancel gives false).
// False (after "Can not create " + file) when the table cannot be made.
bool WL_ADOEXPORTTODBF(TDbOdbc& recordSet, const std::string& dbfFile, bool editStructure = false);
// A field to import: a field's name, or a whole column {name, type,
// length, decimals} whose name is the field read.
struct ImportField {
    ImportField(const char* s) : name(s) {}
    ImportField(std::string s) : name(std::move(s)) {}
    ImportField(SqlColumn c) : name(c.name), column(std::move(c)) {}
    std::string name;
    std::optional<SqlColumn> column;
};
// A dBASE table copied into a new table of the connection (cTable: the
// file's name; prefix before every column name), its rows sent in INSERT
// statements of batch + 1 rows (none with batch below 0); only the listed
// fields (names in any case) when fields are given. An existing table is
// replaced only when "... Already Exists. OverWrite? (Y/N)" is answered
// yes. True when copied.
bool WL_ADOIMPORTFROMDBF(TOdbc& connection, const std::string& dbfFile, std::string table = {},
                         const std::string& prefix = {}, int batch = 20, const std::vector<ImportField>& fields = {});

}  // namespace wl
