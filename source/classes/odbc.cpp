#include "odbc.hpp"

#include <algorithm>

#include "db_odbc_direct.hpp"
#include "message_windows.hpp"
#include "messages.hpp"
#include "text.hpp"

namespace wl {

std::string odbcLocation(const SourcePlace& where) {
    return "On Procedure: " + std::string(where.function) + " Line: " + std::to_string(where.line);
}

TOdbc::TOdbc(const std::string& dsn, const std::string& user, const std::string& password, SourcePlace where)
    : dsn_(alltrim(dsn)), user_(alltrim(user)), password_(alltrim(password)) {
    std::string connect = odbcConnectString(dsn_, user_, password_);
    if (!SQL_SUCCEEDED(SQLALLOCENV(env_))) {
        env_ = nullptr;
        NewError("SQLAllocEnv error from TODbc:New()", std::nullopt, nullptr, -1, where);
        return;
    }
    if (!SQL_SUCCEEDED(SQLALLOCCONNECT(env_, dbc_))) {
        dbc_ = nullptr;
        NewError("SQLAllocConnect error from TODbc:New()", std::nullopt, nullptr, -1, where);
        return;
    }
    int rc = SQLDRIVERCONNECT(dbc_, connect);
    if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) {
        NewError("SQLDriverConnect error from TODbc:New()", std::nullopt, nullptr, rc, where);
        return;
    }
    connected_ = true;
    success_ = true;
    connect_ = connect;
    dsn_ = dsnFromCompleted(connect_);
    rc = SQLSETCONNECTOPTION(dbc_, SQL_AUTOCOMMIT, std::int64_t{SQL_AUTOCOMMIT_ON});
    if (rc != SQL_SUCCESS) NewError("AutoCommit could not be set from TOdbc:New()", std::nullopt, nullptr, rc, where);
}

TOdbc::~TOdbc() { End(); }

void TOdbc::End() {
    if (dbc_) {
        if (connected_) SQLDISCONNECT(dbc_);
        SQLFREECONNECT(dbc_);
    }
    if (env_) SQLFREEENV(env_);
    dbc_ = nullptr;
    env_ = nullptr;
    connected_ = false;
}

SQLHSTMT TOdbc::AllocStatement(SourcePlace where) {
    SQLHSTMT stmt = nullptr;
    if (!dbc_ || !SQL_SUCCEEDED(SQLALLOCSTMT(dbc_, stmt))) {
        NewError("TOdbc:AllocStatement()", std::nullopt, nullptr, 0, where);
        return nullptr;
    }
    return stmt;
}

void TOdbc::DropStatement(SQLHSTMT stmt) {
    if (stmt) SQLFREESTMT(stmt, SQL_DROP);
}

bool TOdbc::Fetch(SQLHSTMT stmt) { return stmt && SQLFETCH(stmt) == SQL_SUCCESS; }

bool TOdbc::ownsStatementFor(SQLHSTMT given, OdbcStatement& own, SourcePlace where) {
    if (given) return true;
    own.reset(AllocStatement(where));
    return static_cast<bool>(own);
}

bool TOdbc::Execute(const std::string& sql, const std::string& operation, SQLHSTMT stmt, SourcePlace where) {
    if (sql.empty()) return false;
    OdbcStatement own;
    if (!ownsStatementFor(stmt, own, where)) return false;
    SQLHSTMT h = stmt ? stmt : own.get();
    int rc = SQLEXECDIRECT(h, sql);
    if (rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO) return true;
    NewError(operation, std::nullopt, h, rc, where);
    return false;
}

std::unique_ptr<TDbOdbcDirect> TOdbc::Query(const std::string& sql, SourcePlace where) {
    return std::make_unique<TDbOdbcDirect>(sql, this, where);
}

ValueList TOdbc::QueryRow(const std::string& sql, SourcePlace where) {
    OdbcStatement stmt(AllocStatement(where));
    if (!stmt || !Execute(sql, "EXECUTE statement on RUN method", stmt.get(), where) || !Fetch(stmt.get())) return {};
    auto columns = CursorFields(stmt.get(), std::nullopt, where);
    if (columns.empty()) {
        MSGSTOP("No data reported by the query", "TOdbc:Query()");
        return {};
    }
    ValueList row;
    for (std::size_t i = 0; i < columns.size(); ++i) row.push_back(GetValue(static_cast<int>(i + 1), stmt.get(), columns, where));
    return row;
}

Value TOdbc::QueryData(const std::string& sql, SourcePlace where) {
    ValueList row = QueryRow(sql, where);
    return row.empty() ? Value() : row.front();
}

std::vector<ColumnDescription> TOdbc::CursorFields(SQLHSTMT stmt, std::optional<bool> dateAsStr, SourcePlace where) {
    int count = 0;
    int rc = SQLNUMRESULTCOLS(stmt, count);
    if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) {
        NewError("TOdbc:SQLNumResultCols()", std::nullopt, stmt, rc, where);
        return {};
    }
    std::vector<ColumnDescription> out;
    for (int i = 1; i <= count; ++i) {
        DescribedColumn c;
        rc = SQLDESCRIBECOL(stmt, i, c);
        if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) {
            NewError("TOdbc:SQLDescribeCol()", std::nullopt, stmt, rc, where);
            return {};
        }
        out.push_back(describeQueryColumn(c, dateAsStr.value_or(lDateAsStr)));
    }
    return out;
}

Value TOdbc::GetValue(int n, SQLHSTMT stmt, const std::vector<ColumnDescription>& columns, SourcePlace where) {
    if (n < 1 || static_cast<std::size_t>(n) > columns.size()) return Value();
    const ColumnDescription& c = columns[n - 1];
    bool isNull = false;
    int rc;
    Value value;
    if (c.cType == sqltype::CTimestamp) {
        OdbcTimestamp t;
        rc = SQLGETTIMESTAMP(stmt, n, t, isNull);
        if (SQL_SUCCEEDED(rc) && !isNull) value = convertTimestamp(c, t);
    } else {
        std::string text;
        rc = SQLGETDATA(stmt, n, c.cType, c.length + 1, text, isNull);
        if (SQL_SUCCEEDED(rc) && !isNull) value = convertFetched(c, text);
    }
    if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) {
        NewError("TOdbc:GetValue(" + std::to_string(n) + "), nType: " + std::to_string(c.sqlType) +
                     ", Len: " + std::to_string(c.length + 1),
                 std::nullopt, stmt, rc, where);
        return Value();
    }
    return isNull ? Value() : value;
}

std::vector<std::pair<std::string, std::string>> TOdbc::indexRows(const std::string& table, bool withColumns,
                                                                  SourcePlace where) {
    std::vector<std::pair<std::string, std::string>> rows;
    OdbcStatement stmt(AllocStatement(where));
    if (!stmt) return rows;
    int rc = SQLINDEX(stmt.get(), table);
    if (rc != SQL_SUCCESS) {
        NewError("TOdbc:SQLIndex()", std::nullopt, stmt.get(), rc, where);
        return rows;
    }
    while (Fetch(stmt.get())) {
        std::string name, column;
        bool isNull = false;
        if (SQLGETDATA(stmt.get(), 6, SQL_C_CHAR, 256, name, isNull) != SQL_SUCCESS) break;
        if (withColumns && SQLGETDATA(stmt.get(), 9, SQL_C_CHAR, 256, column, isNull) != SQL_SUCCESS) break;
        name = alltrim(name);
        if (!name.empty()) rows.emplace_back(name, alltrim(column));
    }
    return rows;
}

std::vector<std::string> TOdbc::GetIndex(const std::string& table, SourcePlace where) {
    std::vector<std::string> names;
    for (const auto& [name, column] : indexRows(table, false, where)) {
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    return names;
}

std::string TOdbc::IndexKey(const std::string& table, int index, SourcePlace where) {
    std::vector<std::pair<std::string, std::string>> keys;  // index name, key
    for (const auto& [name, column] : indexRows(table, true, where)) {
        auto it = std::find_if(keys.begin(), keys.end(), [&](const auto& k) { return k.first == name; });
        if (it == keys.end()) {
            keys.emplace_back(name, column);
        } else {
            it->second += " + " + column;
        }
    }
    if (index < 1 || static_cast<std::size_t>(index) > keys.size()) return {};
    return keys[index - 1].second;
}

bool TOdbc::IsIndex(const std::string& table, const std::string& index, SourcePlace where) {
    std::string wanted = upper(alltrim(index));
    for (const auto& name : GetIndex(alltrim(table), where)) {
        if (upper(name) == wanted) return true;
    }
    return false;
}

bool TOdbc::Create(const std::string& table, const std::vector<CreateColumn>& columns, SourcePlace where) {
    if (alltrim(table).empty()) {
        MSGSTOP("Fieldname invalid", "TOdbc:Create)");
        return false;
    }
    if (columns.empty()) {
        MSGSTOP("Fields info array invalid", "TOdbc:Create)");
        return false;
    }
    return Execute(createTableStatement(table, columns), "oOdbc:Create()", nullptr, where);
}

bool TOdbc::File(const std::string& table, SourcePlace where) {
    if (table.empty()) return false;
    OdbcStatement stmt(AllocStatement(where));
    if (!stmt) return false;
    int rc = SQLFILE(stmt.get(), table);
    if (rc != SQL_SUCCESS) {
        NewError("TOdbc:File()", std::nullopt, stmt.get(), rc, where);
        return false;
    }
    return Fetch(stmt.get());
}

std::vector<std::string> TOdbc::GetTables(const std::string& mask, bool views, SourcePlace where) {
    std::string pattern = mask;
    std::replace(pattern.begin(), pattern.end(), '*', '%');
    std::vector<std::string> names;
    OdbcStatement stmt(AllocStatement(where));
    if (!stmt) return names;
    int rc = SQLFILE(stmt.get(), pattern);
    if (rc != SQL_SUCCESS) {
        NewError("TOdbc:SQLFile()", std::nullopt, stmt.get(), rc, where);
        return names;
    }
    while (Fetch(stmt.get())) {
        std::string name, type;
        bool isNull = false;
        if (SQLGETDATA(stmt.get(), 3, SQL_C_CHAR, 256, name, isNull) != SQL_SUCCESS) break;
        if (SQLGETDATA(stmt.get(), 4, SQL_C_CHAR, 256, type, isNull) != SQL_SUCCESS) break;
        std::string kind = upper(type);
        if (kind.rfind("TABLE", 0) == 0 || (views && kind.rfind("VIEW", 0) == 0)) names.push_back(alltrim(name));
    }
    return names;
}

bool TOdbc::DelTable(const std::string& table, SourcePlace where) {
    return File(table, where) && Execute("DROP TABLE " + table, "TOdbc:DelTable()", nullptr, where);
}

bool TOdbc::TruncateTable(const std::string& table, SourcePlace where) {
    return File(table, where) && Execute("TRUNCATE TABLE " + table, "TOdbc:TruncateTable()", nullptr, where);
}

std::string TOdbc::GetInfo(int infoType, SourcePlace where) {
    std::string info;
    int rc = SQLGETINFO(dbc_, infoType, info);
    if (rc != SQL_SUCCESS) NewError("SQLGetInfo error from TODbc:GetInfo()", std::nullopt, nullptr, rc, where);
    return info;
}

std::string TOdbc::GetOptions(int option, SourcePlace where) {
    std::string value;
    int rc = SQLGETCONNECTOPTION(dbc_, option, value);
    if (rc != SQL_SUCCESS) {
        NewError("SQLGetConn error from TODbc:GetOptions()", std::nullopt, nullptr, rc, where);
        return std::string(256, ' ');
    }
    return value;
}

int TOdbc::SetOptions(int option, const OptionValue& value, SourcePlace where) {
    int rc = SQLSETCONNECTOPTION(dbc_, option, value);
    if (rc != SQL_SUCCESS) NewError("SQLSetConn error from TODbc:SetOptions()", std::nullopt, nullptr, rc, where);
    return rc;
}

int TOdbc::Commit(SourcePlace where) {
    int rc = SQLCOMMIT(env_, dbc_);
    if (rc != SQL_SUCCESS) NewError("SQLCommit error from TODbc:Commit()", std::nullopt, nullptr, rc, where);
    return rc;
}

int TOdbc::RollBack(SourcePlace where) {
    int rc = SQLROLLBACK(env_, dbc_);
    if (rc != SQL_SUCCESS) NewError("SQLRollBack error from TODbc:Rollback()", std::nullopt, nullptr, rc, where);
    return rc;
}

void TOdbc::NewError(const std::string& operation, std::optional<std::string> location, SQLHSTMT stmt, long code,
                     SourcePlace where) {
    OdbcError e;
    e.operation = operation.empty() ? "SQL Error" : operation;
    e.location = location.value_or(odbcLocation(where));
    e.code = code;
    if (stmt) {
        std::string state, message;
        long native = 0;
        SQLERROR32(env_, dbc_, stmt, state, native, message);
        e.code = native;
        e.message = odbcErrorMessage(state, message, SQLGETDIAGREC(stmt));
    }
    errors_.add(e);
    if (lShowError) MSGALERT(odbcErrorBoxText(e), "ODBC Error message");
    if (lAbort) throw OdbcFailure(e);
}

void TOdbc::ShowErrorList(const std::string& title) const {
    if (errors_.empty()) {
        MSGINFO("No errors on ODBC connection", "ODBC Error list");
        return;
    }
    std::vector<std::string> lines;
    for (const auto& e : errors_.entries()) lines.push_back(odbcErrorLine(e));
    MSGLIST(lines, title);
}

}  // namespace wl
