// TOdbc: a connection to a data source through the ODBC driver manager.
// It runs statements, describes and reads result columns, lists tables and
// indexes, creates and drops tables, and keeps the errors met (at most
// 101), showing each as it happens unless told not to.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "odbc_calls.hpp"
#include "odbc_text.hpp"
#include "source_place.hpp"
#include "value.hpp"

namespace wl {

class TDbOdbcDirect;

// The runtime error an ODBC failure raises when the connection's lAbort is
// set: subsystem "WLERROR/" + code, the message as its description.
class OdbcFailure : public std::runtime_error {
public:
    OdbcFailure(const OdbcError& e)
        : std::runtime_error(e.message), subsystem_("WLERROR/" + std::to_string(e.code)), operation_(e.operation) {}
    const std::string& subsystem() const { return subsystem_; }
    const std::string& operation() const { return operation_; }

private:
    std::string subsystem_;
    std::string operation_;
};

// A statement handle that is dropped (SQL_DROP) when the object goes.
class OdbcStatement {
public:
    OdbcStatement() = default;
    explicit OdbcStatement(SQLHSTMT h) : h_(h) {}
    ~OdbcStatement() { reset(); }
    OdbcStatement(OdbcStatement&& o) noexcept : h_(o.release()) {}
    OdbcStatement& operator=(OdbcStatement&& o) noexcept {
        if (this != &o) reset(o.release());
        return *this;
    }
    OdbcStatement(const OdbcStatement&) = delete;
    OdbcStatement& operator=(const OdbcStatement&) = delete;

    SQLHSTMT get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    SQLHSTMT release() {
        SQLHSTMT h = h_;
        h_ = nullptr;
        return h;
    }
    void reset(SQLHSTMT h = nullptr) {
        if (h_) SQLFREESTMT(h_, SQL_DROP);
        h_ = h;
    }

private:
    SQLHSTMT h_ = nullptr;
};

class TOdbc {
public:
    // New: connects at once; lSuccess() tells whether it worked.
    explicit TOdbc(const std::string& dsn = "", const std::string& user = "", const std::string& password = "",
                   SourcePlace where = SourcePlace::current());
    ~TOdbc();
    TOdbc(const TOdbc&) = delete;
    TOdbc& operator=(const TOdbc&) = delete;

    // Disconnects and frees the handles; they become null.
    void End();

    SQLHSTMT AllocStatement(SourcePlace where = SourcePlace::current());
    void DropStatement(SQLHSTMT stmt);
    bool Fetch(SQLHSTMT stmt);
    // Runs sql on stmt (or on a statement of its own, dropped after). True
    // when the statement ran: success, also with information (a note from
    // the driver is no failure); failures are recorded under operation.
    bool Execute(const std::string& sql, const std::string& operation = "", SQLHSTMT stmt = nullptr,
                 SourcePlace where = SourcePlace::current());
    // A TDbOdbcDirect over sql and this connection.
    std::unique_ptr<TDbOdbcDirect> Query(const std::string& sql, SourcePlace where = SourcePlace::current());
    ValueList QueryRow(const std::string& sql, SourcePlace where = SourcePlace::current());
    Value QueryData(const std::string& sql, SourcePlace where = SourcePlace::current());

    std::vector<ColumnDescription> CursorFields(SQLHSTMT stmt, std::optional<bool> dateAsStr = std::nullopt,
                                                SourcePlace where = SourcePlace::current());
    // The converted value of column n (from 1) of the current row; nil
    // when it is null.
    Value GetValue(int n, SQLHSTMT stmt, const std::vector<ColumnDescription>& columns,
                   SourcePlace where = SourcePlace::current());

    std::vector<std::string> GetIndex(const std::string& table, SourcePlace where = SourcePlace::current());
    std::string IndexKey(const std::string& table, int index = 1, SourcePlace where = SourcePlace::current());
    bool IsIndex(const std::string& table, const std::string& index, SourcePlace where = SourcePlace::current());

    bool Create(const std::string& table, const std::vector<CreateColumn>& columns,
                SourcePlace where = SourcePlace::current());
    bool File(const std::string& table, SourcePlace where = SourcePlace::current());
    std::vector<std::string> GetTables(const std::string& mask = "*", bool views = true,
                                       SourcePlace where = SourcePlace::current());
    bool DelTable(const std::string& table, SourcePlace where = SourcePlace::current());
    bool TruncateTable(const std::string& table, SourcePlace where = SourcePlace::current());

    std::string GetInfo(int infoType, SourcePlace where = SourcePlace::current());
    std::string GetOptions(int option, SourcePlace where = SourcePlace::current());
    int SetOptions(int option, const OptionValue& value, SourcePlace where = SourcePlace::current());
    int Commit(SourcePlace where = SourcePlace::current());
    int RollBack(SourcePlace where = SourcePlace::current());

    // Records an error (with the statement's diagnostics when stmt is
    // given, else the code) and shows it while lShowError is set.
    void NewError(const std::string& operation, std::optional<std::string> location, SQLHSTMT stmt, long code = 0,
                  SourcePlace where = SourcePlace::current());
    void ShowErrorList(const std::string& title = "ODBC Error list") const;
    bool IsError() const { return !errors_.empty(); }
    std::string LastError() const { return errors_.empty() ? std::string() : errors_.entries().back().operation; }
    const OdbcErrorList& aErrors() const { return errors_; }

    SQLHENV hEnv() const { return env_; }
    SQLHDBC hDbc() const { return dbc_; }
    const std::string& cConnect() const { return connect_; }
    const std::string& cDSN() const { return dsn_; }
    const std::string& cUser() const { return user_; }
    const std::string& cPassword() const { return password_; }
    bool lSuccess() const { return success_; }

    bool lShowError = true;
    bool lAbort = false;
    bool lCsrDyn = true;
    bool lDateAsStr = false;

private:
    bool ownsStatementFor(SQLHSTMT given, OdbcStatement& own, SourcePlace where);
    std::vector<std::pair<std::string, std::string>> indexRows(const std::string& table, bool withColumns,
                                                               SourcePlace where);

    SQLHENV env_ = nullptr;
    SQLHDBC dbc_ = nullptr;
    bool connected_ = false;
    std::string connect_, dsn_, user_, password_;
    bool success_ = false;
    OdbcErrorList errors_;
};

// "On Procedure: " + function + " Line: " + line.
std::string odbcLocation(const SourcePlace& where);

}  // namespace wl
