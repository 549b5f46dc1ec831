#include "odbc_calls.hpp"

#include <algorithm>
#include <cstring>

#include "profile_files.hpp"
#include "system_facts.hpp"
#include "text.hpp"

namespace wl {

namespace {

SQLCHAR* text(const std::string& s) { return reinterpret_cast<SQLCHAR*>(const_cast<char*>(s.c_str())); }
// An empty text as no value (the catalog calls' "any").
SQLCHAR* orNull(const std::string& s) { return s.empty() ? nullptr : text(s); }
SQLSMALLINT lengthOf(const std::string& s) { return s.empty() ? 0 : SQL_NTS; }

SQLPOINTER optionPointer(const OptionValue& value) {
    if (const auto* s = std::get_if<std::string>(&value)) return reinterpret_cast<SQLPOINTER>(const_cast<char*>(s->c_str()));
    return reinterpret_cast<SQLPOINTER>(static_cast<intptr_t>(std::get<std::int64_t>(value)));
}

}  // namespace

int SQLALLOCENV(SQLHENV& env) { return SQLAllocEnv(&env); }
int SQLALLOCCONNECT(SQLHENV env, SQLHDBC& dbc) { return SQLAllocConnect(env, &dbc); }
int SQLALLOCSTMT(SQLHDBC dbc, SQLHSTMT& stmt) { return SQLAllocStmt(dbc, &stmt); }

int SQLDRVC32(SQLHDBC dbc, HWND owner, const std::string& connectIn, std::string& connectOut, int& outLength,
              int completion) {
    SQLCHAR out[1024] = {};
    SQLSMALLINT length = 0;
    SQLRETURN rc = SQLDriverConnect(dbc, owner, text(connectIn), SQL_NTS, out, sizeof out - 1, &length,
                                    static_cast<SQLUSMALLINT>(completion));
    outLength = length;
    connectOut.assign(reinterpret_cast<char*>(out), std::clamp<int>(length, 0, sizeof out - 1));
    return rc;
}

int SQLDRIVERCONNECT(SQLHDBC dbc, std::string& connect) {
    std::string out;
    int length = 0;
    int rc = SQLDRVC32(dbc, GetDesktopWindow(), connect, out, length, SQL_DRIVER_COMPLETE);
    connect = out;
    return rc;
}

int SQLCONNECT(SQLHDBC dbc, const std::string& dsn, const std::string& user, const std::string& password) {
    return SQLConnect(dbc, text(dsn), static_cast<SQLSMALLINT>(dsn.size()), text(user),
                      static_cast<SQLSMALLINT>(user.size()), text(password),
                      static_cast<SQLSMALLINT>(password.size()));
}

int SQLDISCONNECT(SQLHDBC dbc) { return SQLDisconnect(dbc); }
int SQLFREECONNECT(SQLHDBC dbc) { return SQLFreeConnect(dbc); }
int SQLFREEENV(SQLHENV env) { return SQLFreeEnv(env); }
int SQLFREESTMT(SQLHSTMT stmt, int option) { return SQLFreeStmt(stmt, static_cast<SQLUSMALLINT>(option)); }

int SQLEXECDIRECT(SQLHSTMT stmt, const std::string& sql) { return SQLExecDirect(stmt, text(sql), SQL_NTS); }
int SQLPREPARE(SQLHSTMT stmt, const std::string& sql) { return SQLPrepare(stmt, text(sql), SQL_NTS); }
int SQLEXECUTE(SQLHSTMT stmt) { return SQLExecute(stmt); }
int SQLFETCH(SQLHSTMT stmt) { return SQLFetch(stmt); }

int SQLEXTENDEDFETCH(SQLHSTMT stmt, int orientation, std::int64_t offset, std::uint64_t& rows,
                     unsigned short& status) {
    SQLULEN fetched = 0;
    SQLUSMALLINT rowStatus = 0;
    SQLRETURN rc = SQLExtendedFetch(stmt, static_cast<SQLUSMALLINT>(orientation), static_cast<SQLLEN>(offset),
                                    &fetched, &rowStatus);
    rows = fetched;
    status = rowStatus;
    return rc;
}

int SQLSETPOS(SQLHSTMT stmt, int row, int option, int lock) {
    return SQLSetPos(stmt, static_cast<SQLSETPOSIROW>(row), static_cast<SQLUSMALLINT>(option),
                     static_cast<SQLUSMALLINT>(lock));
}
int SQLCANCEL(SQLHSTMT stmt) { return SQLCancel(stmt); }

int SQLROWCOUNT(SQLHSTMT stmt, std::int64_t& rows) {
    SQLLEN n = 0;
    SQLRETURN rc = SQLRowCount(stmt, &n);
    rows = n;
    return rc;
}

int SQLNUMRESULTCOLS(SQLHSTMT stmt, int& columns) {
    SQLSMALLINT n = 0;
    SQLRETURN rc = SQLNumResultCols(stmt, &n);
    columns = n;
    return rc;
}

int SQLDESCRIBECOL(SQLHSTMT stmt, int column, DescribedColumn& out) {
    SQLCHAR name[256] = {};
    SQLSMALLINT nameLength = 0, type = 0, decimals = 0, nullable = 0;
    SQLULEN size = 0;
    SQLRETURN rc = SQLDescribeCol(stmt, static_cast<SQLUSMALLINT>(column), name, 255, &nameLength, &type, &size,
                                  &decimals, &nullable);
    out.name.assign(reinterpret_cast<char*>(name), std::clamp<int>(nameLength, 0, 255));
    out.sqlType = type;  // SQLSMALLINT: already signed
    out.size = static_cast<std::int64_t>(size);
    out.decimals = decimals;
    out.noNulls = nullable == SQL_NO_NULLS;
    return rc;
}

int SQLCOLATTRIBUTES(SQLHSTMT stmt, int column, int descriptor, std::int64_t& value) {
    SQLLEN number = 0;
    SQLRETURN rc = SQLColAttributes(stmt, static_cast<SQLUSMALLINT>(column), static_cast<SQLUSMALLINT>(descriptor),
                                    nullptr, 0, nullptr, &number);
    value = SQL_SUCCEEDED(rc) ? static_cast<std::int64_t>(number) : 0;
    return rc;
}

int SQLGETDATA(SQLHSTMT stmt, int column, int cType, int length, std::string& value, bool& isNull) {
    std::vector<char> buffer(static_cast<std::size_t>(std::max(length, 1)) + 1, '\0');
    SQLLEN indicator = 0;
    SQLRETURN rc = SQLGetData(stmt, static_cast<SQLUSMALLINT>(column), static_cast<SQLSMALLINT>(cType),
                              buffer.data(), static_cast<SQLLEN>(buffer.size() - 1), &indicator);
    isNull = indicator == SQL_NULL_DATA;
    value.clear();
    if (SQL_SUCCEEDED(rc) && indicator > 0) {
        // A text longer than the buffer is cut to what the buffer holds
        // (less the driver's closing zero for character data).
        std::size_t room = buffer.size() - 1 - (cType == SQL_C_CHAR ? 1 : 0);
        std::size_t n = indicator == SQL_NO_TOTAL ? room : std::min<std::size_t>(indicator, room);
        value.assign(buffer.data(), n);
    }
    return rc;
}

int SQLGETSTRING(SQLHSTMT stmt, int column, std::string& value, std::int64_t& indicator) {
    char buffer[450] = {};
    SQLLEN ind = 0;
    SQLRETURN rc = SQLGetData(stmt, static_cast<SQLUSMALLINT>(column), SQL_C_CHAR, buffer, 449, &ind);
    indicator = ind;
    value = buffer;
    return rc;
}

int SQLGETTIMESTAMP(SQLHSTMT stmt, int column, OdbcTimestamp& value, bool& isNull) {
    SQL_TIMESTAMP_STRUCT t = {};
    SQLLEN indicator = 0;
    SQLRETURN rc = SQLGetData(stmt, static_cast<SQLUSMALLINT>(column), SQL_C_TIMESTAMP, &t, sizeof t, &indicator);
    isNull = indicator == SQL_NULL_DATA;
    value = OdbcTimestamp{t.year, t.month, t.day, t.hour, t.minute, t.second, t.fraction};
    return rc;
}

int SQLERROR32(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt, std::string& state, long& native, std::string& message) {
    SQLCHAR sqlState[6] = {};
    SQLINTEGER nativeError = 0;
    SQLCHAR text[257] = {};
    SQLSMALLINT length = 0;
    SQLRETURN rc = SQLError(env, dbc, stmt, sqlState, &nativeError, text, 256, &length);
    state = reinterpret_cast<char*>(sqlState);
    native = nativeError;
    message.assign(reinterpret_cast<char*>(text), std::clamp<int>(length, 0, 256));
    if (!SQL_SUCCEEDED(rc)) message.clear();
    return rc;
}

std::string SQLGETDIAGREC(SQLHSTMT stmt) {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLCHAR text[257] = {};
    SQLSMALLINT length = 0;
    SQLRETURN rc = SQLGetDiagRec(SQL_HANDLE_STMT, stmt, 1, state, &native, text, 256, &length);
    if (!SQL_SUCCEEDED(rc)) return {};
    return std::string(reinterpret_cast<char*>(text), std::clamp<int>(length, 0, 256));
}

int SQLGETINFO(SQLHDBC dbc, int infoType, std::string& info) {
    char buffer[257] = {};
    SQLSMALLINT length = 0;
    SQLRETURN rc = SQLGetInfo(dbc, static_cast<SQLUSMALLINT>(infoType), buffer, 256, &length);
    info.assign(buffer, std::clamp<int>(length, 0, 256));
    return rc;
}

int SQLSETCONNECTOPTION(SQLHDBC dbc, int option, const OptionValue& value) {
    return SQLSetConnectOption(dbc, static_cast<SQLUSMALLINT>(option),
                               reinterpret_cast<SQLULEN>(optionPointer(value)));
}

int SQLGETCONNECTOPTION(SQLHDBC dbc, int option, std::string& value) {
    char buffer[256] = {};
    SQLRETURN rc = SQLGetConnectOption(dbc, static_cast<SQLUSMALLINT>(option), buffer);
    if (rc == SQL_SUCCESS) value.assign(buffer, sizeof buffer);
    return rc;
}

int SQLSETSTMT(SQLHSTMT stmt, int option, const OptionValue& value) {
    return SQLSetStmtOption(stmt, static_cast<SQLUSMALLINT>(option), reinterpret_cast<SQLULEN>(optionPointer(value)));
}

int SQLGETSTMTOPTION(SQLHSTMT stmt, int option, std::string& value) {
    char buffer[256] = {};
    SQLRETURN rc = SQLGetStmtOption(stmt, static_cast<SQLUSMALLINT>(option), buffer);
    if (rc == SQL_SUCCESS) value.assign(buffer, sizeof buffer);
    return rc;
}

int SQLSETCURNAME(SQLHSTMT stmt, const std::string& name) { return SQLSetCursorName(stmt, text(name), SQL_NTS); }

int SQLGETCURNAME(SQLHSTMT stmt, std::string& name) {
    SQLCHAR buffer[256] = {};
    SQLSMALLINT length = 0;
    SQLRETURN rc = SQLGetCursorName(stmt, buffer, 50, &length);
    name.assign(reinterpret_cast<char*>(buffer), std::clamp<int>(length, 0, 50));
    return rc;
}

int SQLTRANSACT(SQLHENV env, SQLHDBC dbc, int type) { return SQLTransact(env, dbc, static_cast<SQLUSMALLINT>(type)); }
int SQLCOMMIT(SQLHENV env, SQLHDBC dbc) { return SQLTRANSACT(env, dbc, SQL_COMMIT); }
int SQLROLLBACK(SQLHENV env, SQLHDBC dbc) { return SQLTRANSACT(env, dbc, SQL_ROLLBACK); }

int SQLTABLES(SQLHSTMT stmt, const std::string& catalog, const std::string& owner, const std::string& table,
              const std::string& type) {
    return SQLTables(stmt, orNull(catalog), lengthOf(catalog), orNull(owner), lengthOf(owner), orNull(table),
                     lengthOf(table), orNull(type), lengthOf(type));
}
int SQLFILE(SQLHSTMT stmt, const std::string& table) { return SQLTABLES(stmt, "", "", table, ""); }

int SQLSTATISTICS(SQLHSTMT stmt, const std::string& catalog, const std::string& owner, const std::string& table,
                  int unique, int accuracy) {
    return SQLStatistics(stmt, orNull(catalog), lengthOf(catalog), orNull(owner), lengthOf(owner), orNull(table),
                         lengthOf(table), static_cast<SQLUSMALLINT>(unique), static_cast<SQLUSMALLINT>(accuracy));
}
int SQLINDEX(SQLHSTMT stmt, const std::string& table) { return SQLSTATISTICS(stmt, "", "", table, SQL_INDEX_ALL); }

int SQLCOLUMNS(SQLHSTMT stmt, const std::string& catalog, const std::string& owner, const std::string& table,
               const std::string& column) {
    return SQLColumns(stmt, orNull(catalog), lengthOf(catalog), orNull(owner), lengthOf(owner), orNull(table),
                      lengthOf(table), orNull(column), lengthOf(column));
}
int SQLCOL(SQLHSTMT stmt, const std::string& table, const std::string& column) {
    return SQLCOLUMNS(stmt, "", "", table, column);
}

int SQLPRIMARYKEYS(SQLHSTMT stmt, const std::string& table) {
    return SQLPrimaryKeys(stmt, nullptr, 0, nullptr, 0, text(table), SQL_NTS);
}

int SQLSPECIALCOLUMNS(SQLHSTMT stmt, int type, const std::string& table, int scope, int nullable) {
    return SQLSpecialColumns(stmt, static_cast<SQLUSMALLINT>(type), nullptr, 0, nullptr, 0, text(table), SQL_NTS,
                             static_cast<SQLUSMALLINT>(scope), static_cast<SQLUSMALLINT>(nullable));
}

std::vector<std::string> ODBCDSNENTRIES(const std::string& section) {
    std::string names = GETPVPROFSTRING(section, std::nullopt, "", GETWINDIR() + "\\odbc.ini");
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < names.size()) {
        std::size_t end = names.find('\0', pos);
        if (end == std::string::npos) end = names.size();
        if (end > pos) out.push_back(padRight(names.substr(pos, end - pos), 254));
        pos = end + 1;
    }
    return out;
}

}  // namespace wl
