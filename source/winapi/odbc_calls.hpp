// Thin wrappers of the ODBC 2 call interface of odbc32, one per call, and
// the few that adapt them to text buffers. Each returns the call's return
// code unless said otherwise. The ANSI functions are called by their plain
// names: under Wine the "A"-suffixed names are stubs.
#pragma once

#include <windows.h>

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "odbc_text.hpp"

namespace wl {

int SQLALLOCENV(SQLHENV& env);
int SQLALLOCCONNECT(SQLHENV env, SQLHDBC& dbc);
int SQLALLOCSTMT(SQLHDBC dbc, SQLHSTMT& stmt);

// SQLDriverConnect with a 1024-byte output buffer.
int SQLDRVC32(SQLHDBC dbc, HWND owner, const std::string& connectIn, std::string& connectOut, int& outLength,
              int completion);
// Connects with the desktop window as owner and SQL_DRIVER_COMPLETE;
// connect receives the completed string.
int SQLDRIVERCONNECT(SQLHDBC dbc, std::string& connect);
int SQLCONNECT(SQLHDBC dbc, const std::string& dsn, const std::string& user, const std::string& password);
int SQLDISCONNECT(SQLHDBC dbc);
int SQLFREECONNECT(SQLHDBC dbc);
int SQLFREEENV(SQLHENV env);
int SQLFREESTMT(SQLHSTMT stmt, int option);

int SQLEXECDIRECT(SQLHSTMT stmt, const std::string& sql);
int SQLPREPARE(SQLHSTMT stmt, const std::string& sql);
int SQLEXECUTE(SQLHSTMT stmt);
int SQLFETCH(SQLHSTMT stmt);
// One row status; rows receives the rows fetched.
int SQLEXTENDEDFETCH(SQLHSTMT stmt, int orientation, std::int64_t offset, std::uint64_t& rows,
                     unsigned short& status);
int SQLSETPOS(SQLHSTMT stmt, int row, int option, int lock);
int SQLCANCEL(SQLHSTMT stmt);
int SQLROWCOUNT(SQLHSTMT stmt, std::int64_t& rows);
int SQLNUMRESULTCOLS(SQLHSTMT stmt, int& columns);

// SQLDescribeCol with a 255-byte name buffer; the type as reported.
int SQLDESCRIBECOL(SQLHSTMT stmt, int column, DescribedColumn& out);

// SQLColAttributes of a numeric descriptor (SQL_COLUMN_UPDATABLE,
// SQL_COLUMN_AUTO_INCREMENT, SQL_COLUMN_PRECISION ...) into value.
int SQLCOLATTRIBUTES(SQLHSTMT stmt, int column, int descriptor, std::int64_t& value);

// SQLGetData into a buffer of length bytes; value is cut to what the
// indicator says the buffer holds, isNull true for SQL_NULL_DATA.
int SQLGETDATA(SQLHSTMT stmt, int column, int cType, int length, std::string& value, bool& isNull);
// SQLGetData as SQL_C_CHAR into 450 bytes; the text up to its first zero.
int SQLGETSTRING(SQLHSTMT stmt, int column, std::string& value, std::int64_t& indicator);
// SQLGetData of a TIMESTAMP column as its structure.
int SQLGETTIMESTAMP(SQLHSTMT stmt, int column, OdbcTimestamp& value, bool& isNull);

// SQLError with a 256-byte message buffer; the message cut to its length.
int SQLERROR32(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt, std::string& state, long& native, std::string& message);
// The message of the statement's first diagnostic record, "" when none.
std::string SQLGETDIAGREC(SQLHSTMT stmt);

int SQLGETINFO(SQLHDBC dbc, int infoType, std::string& info);
// A text value is passed by its address, a number as itself.
using OptionValue = std::variant<std::int64_t, std::string>;
int SQLSETCONNECTOPTION(SQLHDBC dbc, int option, const OptionValue& value);
// value receives 256 bytes when the call returns 0.
int SQLGETCONNECTOPTION(SQLHDBC dbc, int option, std::string& value);
int SQLSETSTMT(SQLHSTMT stmt, int option, const OptionValue& value);
int SQLGETSTMTOPTION(SQLHSTMT stmt, int option, std::string& value);
int SQLSETCURNAME(SQLHSTMT stmt, const std::string& name);
int SQLGETCURNAME(SQLHSTMT stmt, std::string& name);

int SQLTRANSACT(SQLHENV env, SQLHDBC dbc, int type);
int SQLCOMMIT(SQLHENV env, SQLHDBC dbc);
int SQLROLLBACK(SQLHENV env, SQLHDBC dbc);

// Catalog calls: an empty text is passed as no value.
int SQLTABLES(SQLHSTMT stmt, const std::string& catalog, const std::string& owner, const std::string& table,
              const std::string& type);
int SQLFILE(SQLHSTMT stmt, const std::string& table);
int SQLSTATISTICS(SQLHSTMT stmt, const std::string& catalog, const std::string& owner, const std::string& table,
                  int unique, int accuracy = SQL_QUICK);
int SQLINDEX(SQLHSTMT stmt, const std::string& table);
int SQLCOLUMNS(SQLHSTMT stmt, const std::string& catalog, const std::string& owner, const std::string& table,
               const std::string& column);
int SQLCOL(SQLHSTMT stmt, const std::string& table, const std::string& column);
int SQLPRIMARYKEYS(SQLHSTMT stmt, const std::string& table);
int SQLSPECIALCOLUMNS(SQLHSTMT stmt, int type, const std::string& table, int scope, int nullable);

// The entries of a section of "odbc.ini" in the Windows folder, each a
// line of 254 characters padded with blanks; {} when there are none.
std::vector<std::string> ODBCDSNENTRIES(const std::string& section = "ODBC 32 bit Data Sources");

}  // namespace wl
