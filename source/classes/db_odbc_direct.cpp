#include "db_odbc_direct.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "message_loop.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "system_info.hpp"
#include "text.hpp"

namespace wl {

namespace {

bool sameValue(const Value& a, const Value& b) {
    if (a.isNil() || b.isNil()) return a.isNil() && b.isNil();
    if (a.isNumber() && b.isNumber()) return a.number() == b.number();
    if (a.isText() && b.isText()) return rtrim(a.text()) == rtrim(b.text());
    if (a.isLogical() && b.isLogical()) return a.logical() == b.logical();
    if (a.isDate() && b.isDate()) {
        auto x = std::get<Date>(a.storage()), y = std::get<Date>(b.storage());
        return x.year == y.year && x.month == y.month && x.day == y.day;
    }
    return false;
}

// The cache's field of a column.
DbfField cacheField(const ColumnDescription& c, std::size_t position) {
    char name[16];
    std::snprintf(name, sizeof name, "FIELD_%04u", static_cast<unsigned>(position % 10000));
    DbfField f{name, c.type == 'U' ? 'C' : c.type, c.length, 0};
    if (f.type == 'M' || c.length > 255) {
        f.type = 'M';
        f.length = 10;
    } else if (f.type == 'N') {
        f.decimals = c.decimals;
        f.length = std::min(c.length + (c.decimals > 0 ? 1 : 0), 19);
    } else if (f.type == 'D') {
        f.length = 8;
    } else if (f.type == 'L') {
        f.length = 1;
    }
    return f;
}

std::string unbracketed(const std::string& name) {
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']') return name.substr(1, name.size() - 2);
    return name;
}

}  // namespace

TDbOdbcDirect::TDbOdbcDirect(const std::string& select, TOdbc* connect, SourcePlace where)
    : oConnect_(connect), created_(where) {
    if (!oConnect_) return;
    lDateAsStr = oConnect_->lDateAsStr;
    hStmt_.reset(oConnect_->AllocStatement(where));
    cSelect_ = upper(select).find("SELECT") == std::string::npos ? "SELECT * FROM " + select : select;
    PrimaryKeys(std::nullopt, false);
    if (hStmt_ && !oConnect_->Execute(cSelect_, "TDbOdbcDirect:New()", hStmt_.get(), where)) hStmt_.reset();
}

TDbOdbcDirect::~TDbOdbcDirect() { End(); }

void TDbOdbcDirect::End() {
    AutoFill(false);
    hStmt_.reset();
    if (!cache_) return;
    cache_.reset();
    namespace fs = std::filesystem;
    fs::path file(cFileName_);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(file.parent_path(), ec)) {
        if (upper(entry.path().stem().string()) == upper(file.stem().string())) fs::remove(entry.path(), ec);
    }
}

void TDbOdbcDirect::SQLAlert(const std::string& text) {
    cLastError_ = text;
    if (lShowAlerts) MSGALERT(text + "\r\n\r\n" + odbcLocation(created_), "ODBC Alert message");
}

void TDbOdbcDirect::SQLError(SQLHSTMT stmt, const std::string& operation) {
    oConnect_->NewError(operation, odbcLocation(created_), stmt);
}

bool TDbOdbcDirect::Open() {
    if (!oConnect_ || !hStmt_) return false;
    const char* temp = std::getenv("TEMP");
    cFileName_ = CTEMPFILE(temp ? temp : "", "DBF");
    aFields_ = oConnect_->CursorFields(hStmt_.get(), lDateAsStr, created_);
    aScanFields_.clear();
    std::vector<DbfField> structure;
    for (std::size_t i = 0; i < aFields_.size(); ++i) {
        std::string scan = upper(aFields_[i].name);
        std::replace(scan.begin(), scan.end(), ' ', '_');
        aScanFields_.push_back(scan);
        structure.push_back(cacheField(aFields_[i], i + 1));
    }
    structure.push_back({"ISNULL", 'C', std::max<int>(static_cast<int>(aFields_.size()), 1), 0});
    aBuffer_.assign(aFields_.size(), Value());
    aIsNull_.assign(aFields_.size(), false);
    cache_ = DbfFile::create(cFileName_, structure);
    if (!cache_) return false;
    recno_ = 0;
    Fill(1);
    return true;
}

// ---- the cache --------------------------------------------------------

ValueList TDbOdbcDirect::readRow(SQLHSTMT stmt, std::vector<bool>& isNull) {
    ValueList values;
    isNull.assign(aFields_.size(), false);
    for (std::size_t i = 0; i < aFields_.size(); ++i) {
        values.push_back(oConnect_->GetValue(static_cast<int>(i + 1), stmt, aFields_, created_));
        isNull[i] = values.back().isNil();
    }
    return values;
}

void TDbOdbcDirect::writeCache(std::int64_t record, const ValueList& values, const std::vector<bool>& isNull) {
    ValueList row = values;
    std::string flags;
    for (bool n : isNull) flags += n ? '1' : '0';
    row.push_back(Value(flags));
    if (record > cacheCount()) {
        cache_->append(row);
    } else {
        cache_->write(static_cast<std::uint32_t>(record), row);
    }
}

bool TDbOdbcDirect::Fill(std::int64_t n) {
    if (!hStmt_ || !cache_) return false;
    bool all = n == 0;
    while ((all || n > 0) && hStmt_) {
        SYSREFRESH();
        if (!oConnect_->Fetch(hStmt_.get())) {
            hStmt_.reset();
            break;
        }
        std::vector<bool> isNull;
        ValueList values = readRow(hStmt_.get(), isNull);
        writeCache(cacheCount() + 1, values, isNull);
        recno_ = cacheCount();
        bof_ = false;
        --n;
    }
    return n == 0;
}

void TDbOdbcDirect::AutoFill(bool start, int interval, std::function<void(std::int64_t, TDbOdbcDirect&)> eval) {
    if (oTimer) oTimer->End();
    oTimer.reset();
    if (!start) return;
    if (eval) bTimerEval = std::move(eval);
    oTimer = TTimer::New(interval, [this] { TimerEvent(); });
    oTimer->Activate();
}

void TDbOdbcDirect::TimerEvent() {
    if (!oTimer) return;
    oTimer->DeActivate();
    if (IsComplete()) {
        oTimer->End();
        oTimer.reset();
        if (bTimerEval) bTimerEval(0, *this);
        return;
    }
    const std::int64_t noted = recno_;
    Fill(1);
    if (bTimerEval) bTimerEval(Recno(), *this);
    Goto(noted);
    // The evaluation may have ended the fill.
    if (oTimer) oTimer->Activate();
}

void TDbOdbcDirect::loadBufferFromCache() {
    ValueList row = cache_ ? cache_->read(static_cast<std::uint32_t>(recno_)) : ValueList();
    if (row.size() != aFields_.size() + 1) return;
    std::string flags = row.back().text();
    for (std::size_t i = 0; i < aFields_.size(); ++i) {
        aIsNull_[i] = i < flags.size() && flags[i] == '1';
        aBuffer_[i] = aIsNull_[i] ? Value() : row[i];
    }
}

void TDbOdbcDirect::removeCacheRecord(std::int64_t record) {
    cache_->setDeleted(static_cast<std::uint32_t>(record), true);
    cache_->pack();
    recno_ = std::min(recno_, cacheCount());
}

// ---- movement -------------------------------------------------------------

std::int64_t TDbOdbcDirect::RecCount() {
    if (hStmt_) {
        std::int64_t noted = recno_;
        Fill(0);
        Goto(noted);
    }
    return cacheCount();
}

void TDbOdbcDirect::GoTop() {
    recno_ = cacheCount() > 0 ? 1 : 0;
    bof_ = false;
}

void TDbOdbcDirect::GoBottom() {
    if (IsComplete()) {
        recno_ = cacheCount();
    } else {
        Fill(0);
    }
}

void TDbOdbcDirect::Goto(std::int64_t n) {
    if (n <= cacheCount()) {
        recno_ = std::max<std::int64_t>(n, cacheCount() > 0 ? 1 : 0);
    } else if (IsComplete()) {
        GoBottom();
    } else {
        Fill(n - cacheCount());
    }
}

void TDbOdbcDirect::Skip(std::int64_t n) {
    std::int64_t r = recno_, k = cacheCount();
    bof_ = false;
    if (r + n <= 0) {
        recno_ = k > 0 ? 1 : 0;
        bof_ = n < 0;
    } else if (r + n <= k) {
        recno_ = r + n;
    } else if (IsComplete()) {
        recno_ = n > 0 ? k : (k > 0 ? 1 : 0);
    } else {
        Fill(r - k + n);
    }
}

std::int64_t TDbOdbcDirect::Skipper(std::int64_t n) {
    std::int64_t old = recno_;
    Goto(std::clamp<std::int64_t>(old + n, 1, std::max<std::int64_t>(RecCount(), 1)));
    return recno_ - old;
}

bool TDbOdbcDirect::Eof() const { return recno_ == cacheCount() && !hStmt_; }

// ---- fields -----------------------------------------------------------------

std::string TDbOdbcDirect::FieldName(int n) const {
    return n >= 1 && n <= FCount() ? CHKSP(aFields_[n - 1].name) : std::string();
}
char TDbOdbcDirect::FieldType(int n) const { return n >= 1 && n <= FCount() ? aFields_[n - 1].type : 'U'; }
int TDbOdbcDirect::FieldLen(int n) const { return n >= 1 && n <= FCount() ? aFields_[n - 1].length : 0; }
int TDbOdbcDirect::FieldDec(int n) const { return n >= 1 && n <= FCount() ? aFields_[n - 1].decimals : 0; }

Value TDbOdbcDirect::FieldGet(int n) {
    if (n < 1 || n > FCount() || !cache_) return Value();
    ValueList row = cache_->read(static_cast<std::uint32_t>(recno_));
    if (row.size() != aFields_.size() + 1) return Value();
    const std::string& flags = row.back().text();
    if (static_cast<std::size_t>(n - 1) < flags.size() && flags[n - 1] == '1') return Value();
    return row[n - 1];
}

bool TDbOdbcDirect::FieldIsNull(int n) {
    if (n < 1 || n > FCount() || !cache_) return false;
    ValueList row = cache_->read(static_cast<std::uint32_t>(recno_));
    return !row.empty() && static_cast<std::size_t>(n - 1) < row.back().text().size() &&
           row.back().text()[n - 1] == '1';
}

bool TDbOdbcDirect::FieldPut(int n, const Value& v) {
    if (nEditRecord_ == 0 || nEditRecord_ != recno_) {
        SQLAlert("Edit mode not supported on this query");
        return false;
    }
    if (n < 1 || n > FCount()) return false;
    ValueList row = cache_->read(static_cast<std::uint32_t>(recno_));
    if (row.size() != aFields_.size() + 1) return false;
    row[n - 1] = v;
    std::string flags = row.back().text();
    flags.resize(aFields_.size(), '0');
    flags[n - 1] = v.isNil() ? '1' : '0';
    row.back() = Value(flags);
    cache_->write(static_cast<std::uint32_t>(recno_), row);
    aFields_[n - 1].changed = true;
    return true;
}

int TDbOdbcDirect::FieldPos(const std::string& name) const {
    // Exactly: a longer column name that merely begins with the text is
    // another column.
    std::string wanted = upper(name);
    for (std::size_t i = 0; i < aScanFields_.size(); ++i) {
        if (aScanFields_[i] == wanted) return static_cast<int>(i + 1);
    }
    return 0;
}

std::vector<std::string> TDbOdbcDirect::FieldNames() const {
    std::vector<std::string> names;
    for (const auto& c : aFields_) names.push_back(c.name);
    return names;
}

// ---- statements ---------------------------------------------------------------

std::string TDbOdbcDirect::TableName(bool showAlert) {
    std::string name = tableOfSelect(cSelect_);
    if (name.empty() && showAlert) SQLAlert("Table name not found on 'SELECT' statement");
    return name;
}

std::vector<std::string> TDbOdbcDirect::PrimaryKeys(std::optional<std::vector<std::string>> keys, bool showError) {
    if (keys) aFldPrimary_ = *keys;
    if (!aFldPrimary_.empty()) return aFldPrimary_;
    std::string table = unbracketed(TableName(showError));
    if (table.empty()) return {};
    OdbcStatement stmt(oConnect_->AllocStatement(created_));
    if (!stmt) return {};
    std::vector<std::string> found;
    if (SQLPRIMARYKEYS(stmt.get(), table) == SQL_SUCCESS) {
        while (oConnect_->Fetch(stmt.get())) {
            std::string name;
            bool isNull = false;
            if (SQLGETDATA(stmt.get(), 4, SQL_C_CHAR, 256, name, isNull) != SQL_SUCCESS) break;
            found.push_back(upper(alltrim(name)));
        }
        aFldPrimary_ = found;
    } else if (showError) {
        SQLError(stmt.get(), "TDbOdbcDirect:PrimaryKeys()\r\n" + SQLGETDIAGREC(stmt.get()));
    }
    return aFldPrimary_;
}

std::string TDbOdbcDirect::GenAppend() {
    ValueList row = cache_->read(static_cast<std::uint32_t>(recno_));
    std::string names, values;
    for (std::size_t i = 0; i < aFields_.size(); ++i) {
        if (!aFields_[i].changed) continue;
        names += (names.empty() ? "" : " , ") + FieldName(static_cast<int>(i + 1));
        values += (values.empty() ? "" : " , ") + sqlLiteral(row[i], aFields_[i]);
    }
    return " (" + names + ") VALUES (" + values + ")";
}

std::string TDbOdbcDirect::GenUpdate() {
    ValueList row = cache_->read(static_cast<std::uint32_t>(recno_));
    row.resize(aFields_.size());
    return setList(aFields_, row, [&](std::size_t i) { return FieldName(static_cast<int>(i + 1)); });
}

std::string TDbOdbcDirect::GenWhere() {
    std::vector<KeyValue> keys;
    for (const auto& key : aFldPrimary_) {
        auto it = std::find_if(aFields_.begin(), aFields_.end(),
                               [&](const ColumnDescription& c) { return upper(c.name) == upper(key); });
        if (it == aFields_.end()) {
            SQLAlert("The primary key field " + key + " is not present on the 'SELECT' statement");
            return {};
        }
        std::size_t i = static_cast<std::size_t>(it - aFields_.begin());
        keys.push_back({CHKSP(it->name), &*it, aIsNull_[i] ? Value() : aBuffer_[i]});
    }
    return keyCondition(keys);
}

std::string TDbOdbcDirect::GenCurRec(bool fromCache) {
    if (fromCache) loadBufferFromCache();
    return selectWithCondition(cSelect_, GenWhere());
}

bool TDbOdbcDirect::RecordHasChanged(std::vector<int>& changed) {
    if (PrimaryKeys(std::nullopt, false).empty()) {
        SQLAlert("No primary keys found on this table, RecordHasChanged not supported");
        changed = {-1};
        return true;
    }
    ValueList savedBuffer = aBuffer_;
    std::vector<bool> savedNull = aIsNull_;
    auto restore = [&] {
        aBuffer_ = savedBuffer;
        aIsNull_ = savedNull;
    };
    // The row is looked up by the key as it was read.
    std::string sql = GenCurRec(false);
    OdbcStatement stmt(oConnect_->AllocStatement(created_));
    if (!stmt || !oConnect_->Execute(sql, "TDbOdbcDirect:RecordHasChanged()", stmt.get(), created_)) {
        changed = {-1};
        restore();
        return true;
    }
    if (!oConnect_->Fetch(stmt.get())) {
        changed = {0};
        restore();
        return true;
    }
    std::vector<bool> isNull;
    ValueList now = readRow(stmt.get(), isNull);
    changed.clear();
    for (std::size_t i = 0; i < aFields_.size(); ++i) {
        if (isNull[i] != savedNull[i] || (!isNull[i] && !sameValue(now[i], savedBuffer[i]))) {
            changed.push_back(static_cast<int>(i + 1));
        }
    }
    restore();
    return !changed.empty();
}

bool TDbOdbcDirect::AddNew() {
    if (nEditRecord_ != 0 && nEditRecord_ == recno_) return true;
    if (PrimaryKeys().empty()) {
        SQLAlert("No primary keys found on this table, AddNew mode not allowed");
        nEditRecord_ = 0;
        return false;
    }
    ValueList blank(aFields_.size(), Value());
    writeCache(cacheCount() + 1, blank, std::vector<bool>(aFields_.size(), true));
    recno_ = cacheCount();
    aBuffer_.assign(aFields_.size(), Value());
    aIsNull_.assign(aFields_.size(), true);
    for (auto& c : aFields_) c.changed = false;
    nEditRecord_ = recno_;
    adding_ = true;
    return true;
}

bool TDbOdbcDirect::Edit() {
    if (recno_ == 0) {
        SQLAlert("Table empty, Edit mode not allowed");
        return false;
    }
    if (nEditRecord_ == recno_) return true;
    if (PrimaryKeys().empty()) {
        nEditRecord_ = 0;
        SQLAlert("No primary keys found on this table, Edit mode not allowed");
        return false;
    }
    loadBufferFromCache();
    for (auto& c : aFields_) c.changed = false;
    nEditRecord_ = recno_;
    adding_ = false;
    return true;
}

bool TDbOdbcDirect::Update() {
    if (nEditRecord_ == 0 || nEditRecord_ != recno_) {
        SQLAlert("Invalid use of Update(), the table should be in Edit or AddNew mode");
        return false;
    }
    bool anyChanged = std::any_of(aFields_.begin(), aFields_.end(), [](const auto& c) { return c.changed; });
    if (!anyChanged) return true;
    std::string sql;
    if (adding_) {
        sql = "INSERT INTO " + TableName() + GenAppend();
    } else {
        std::vector<int> changed;
        if (RecordHasChanged(changed)) {
            if (changed == std::vector<int>{0}) {
                SQLAlert("Record has been deleted since the last retrieve operation, Update aborted");
            } else {
                std::string list;
                for (int c : changed) list += (list.empty() ? "" : ", ") + std::to_string(c);
                SQLAlert("Some record fields (" + list +
                         ") have change since the last retrieve operation, Update aborted");
            }
            return false;
        }
        sql = "UPDATE " + TableName() + " SET " + GenUpdate() + " WHERE " + GenWhere();
    }
    bool ok = oConnect_->Execute(sql, "TDbOdbcDirect:Update()", nullptr, created_);
    recno_ = nEditRecord_;
    if (ok) {
        for (auto& c : aFields_) c.changed = false;
        // A new row whose key the server chose cannot be found again by
        // its key: the cache keeps it as it was written.
        loadBufferFromCache();
        bool keyKnown = true;
        for (const auto& key : aFldPrimary_) {
            int n = FieldPos(key);
            keyKnown = keyKnown && n > 0 && !aIsNull_[n - 1];
        }
        if (!adding_ || keyKnown) RefreshCurrent();
    } else if (adding_) {
        removeCacheRecord(nEditRecord_);
    }
    nEditRecord_ = 0;
    adding_ = false;
    return ok;
}

bool TDbOdbcDirect::Cancel() {
    if (nEditRecord_ == 0 || nEditRecord_ != recno_) {
        SQLAlert("Invalid use of Cancel(), the table should be in Edit or AddNew mode");
        return false;
    }
    if (adding_) {
        removeCacheRecord(nEditRecord_);
    } else {
        // The cache shows the row as it was read again.
        writeCache(nEditRecord_, aBuffer_, aIsNull_);
    }
    for (auto& c : aFields_) c.changed = false;
    nEditRecord_ = 0;
    adding_ = false;
    return true;
}

bool TDbOdbcDirect::Delete() {
    if (recno_ == 0) {
        SQLAlert("Table empty, Delete not allowed");
        return false;
    }
    if (PrimaryKeys().empty()) {
        SQLAlert("No primary keys found on this table, Delete not allowed");
        return false;
    }
    loadBufferFromCache();
    std::vector<int> changed;
    if (RecordHasChanged(changed) && changed == std::vector<int>{0}) {
        SQLAlert("Record has been deleted since the last retrieve operation, Delete aborted");
        return false;
    }
    bool ok = oConnect_->Execute("DELETE FROM " + TableName() + " WHERE " + GenWhere(), "TDbOdbcDirect:Delete()",
                                 nullptr, created_);
    if (ok) removeCacheRecord(recno_);
    return ok;
}

bool TDbOdbcDirect::RefreshCurrent() {
    if (PrimaryKeys(std::nullopt, false).empty()) {
        SQLAlert("No primary keys found on this table, RefreshCurrent not supported");
        return false;
    }
    std::string sql = GenCurRec(true);
    OdbcStatement stmt(oConnect_->AllocStatement(created_));
    if (!stmt || !oConnect_->Execute(sql, "TDbOdbcDirect:RefreshCurrent()", stmt.get(), created_)) return false;
    if (!oConnect_->Fetch(stmt.get())) {
        removeCacheRecord(recno_);
        return true;
    }
    std::vector<bool> isNull;
    ValueList values = readRow(stmt.get(), isNull);
    writeCache(recno_, values, isNull);
    return true;
}

bool TDbOdbcDirect::Refresh() {
    std::int64_t r = recno_, k = cacheCount();
    bool wasEof = Eof();
    hStmt_.reset(oConnect_->AllocStatement(created_));
    if (!hStmt_ || !oConnect_->Execute(cSelect_, "TDbOdbcDirect:Refresh()", hStmt_.get(), created_)) {
        hStmt_.reset();
        return false;
    }
    cache_->zap();
    recno_ = 0;
    Fill(wasEof ? 0 : k);
    Goto(r);
    return true;
}

}  // namespace wl
