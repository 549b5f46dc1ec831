// TDbOdbcDirect: the rows of one SELECT as a local table. Rows are fetched
// forward only and copied, as movement needs them, into a temporary dBASE
// table (the cache) in the TEMP folder; rows are added, edited and deleted
// on the server with statements keyed on the primary key, after checking
// that the row there has not changed since it was read.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dbf_file.hpp"
#include "odbc.hpp"
#include "timer.hpp"

namespace wl {

class TDbOdbcDirect {
public:
    // New: a text without the word SELECT is a table name.
    TDbOdbcDirect(const std::string& select, TOdbc* connect, SourcePlace where = SourcePlace::current());
    ~TDbOdbcDirect();
    TDbOdbcDirect(const TDbOdbcDirect&) = delete;
    TDbOdbcDirect& operator=(const TDbOdbcDirect&) = delete;

    // Creates the cache and fetches the first row; false when the cache
    // could not be made.
    bool Open();
    // Drops the statement, closes the cache and erases its files.
    void End();

    std::int64_t RecCount();
    void Complete() { RecCount(); }
    bool IsComplete() const { return !hStmt_; }
    void GoTop();
    void GoBottom();
    void Goto(std::int64_t n);
    void Skip(std::int64_t n = 1);
    std::int64_t Skipper(std::int64_t n = 1);
    std::int64_t Recno() const { return recno_; }
    bool Eof() const;
    bool Bof() const { return bof_; }

    std::string FieldName(int n) const;
    char FieldType(int n) const;
    int FieldLen(int n) const;
    int FieldDec(int n) const;
    Value FieldGet(int n);
    bool FieldPut(int n, const Value& v);
    int FieldPos(const std::string& name) const;
    std::vector<std::string> FieldNames() const;
    bool FieldIsNull(int n);
    int FCount() const { return static_cast<int>(aFields_.size()); }
    const std::vector<ColumnDescription>& aStruct() const { return aFields_; }

    bool Refresh();
    bool RefreshCurrent();
    // changed receives the columns that differ on the server, {0} when the
    // row is gone, {-1} when that cannot be told.
    bool RecordHasChanged(std::vector<int>& changed);
    bool AddNew();
    bool Edit();
    bool Update();
    bool Cancel();
    bool Delete();
    std::vector<std::string> PrimaryKeys(std::optional<std::vector<std::string>> keys = std::nullopt,
                                         bool showError = true);
    std::string TableName(bool showAlert = true);

    // Fills the cache one row per tick of a timer of interval milliseconds
    // owned by the active window; eval, when given, runs after each tick
    // with the new row's number (0 once every row is in). start false
    // ends the timer.
    void AutoFill(bool start, int interval = 5, std::function<void(std::int64_t, TDbOdbcDirect&)> eval = {});
    void TimerEvent();
    std::shared_ptr<TTimer> oTimer;
    std::function<void(std::int64_t, TDbOdbcDirect&)> bTimerEval;

    const std::string& cSelect() const { return cSelect_; }
    const std::string& cFileName() const { return cFileName_; }
    const std::string& cLastError() const { return cLastError_; }
    bool lShowAlerts = true;
    bool lDateAsStr = false;

private:
    bool Fill(std::int64_t n);
    std::int64_t cacheCount() const { return cache_ ? cache_->recordCount() : 0; }
    ValueList readRow(SQLHSTMT stmt, std::vector<bool>& isNull);
    void writeCache(std::int64_t record, const ValueList& values, const std::vector<bool>& isNull);
    void loadBufferFromCache();
    void removeCacheRecord(std::int64_t record);
    std::string GenAppend();
    std::string GenUpdate();
    std::string GenWhere();
    std::string GenCurRec(bool fromCache);
    void SQLAlert(const std::string& text);
    void SQLError(SQLHSTMT stmt, const std::string& operation);

    TOdbc* oConnect_ = nullptr;
    OdbcStatement hStmt_;
    std::optional<DbfFile> cache_;
    std::vector<ColumnDescription> aFields_;
    std::vector<std::string> aScanFields_, aFldPrimary_;
    ValueList aBuffer_;
    std::vector<bool> aIsNull_;
    std::string cSelect_, cFileName_, cLastError_;
    std::int64_t recno_ = 0, nEditRecord_ = 0;
    bool adding_ = false;
    bool bof_ = false;
    SourcePlace created_;
};

}  // namespace wl
