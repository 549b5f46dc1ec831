#include "db_odbc.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "dbf_area.hpp"
#include "dbf_file.hpp"
#include "message_loop.hpp"
#include "messages.hpp"
#include "text.hpp"

namespace wl {

namespace {

constexpr int kFetchNext = SQL_FETCH_NEXT, kFetchFirst = SQL_FETCH_FIRST, kFetchLast = SQL_FETCH_LAST,
              kFetchPrior = SQL_FETCH_PRIOR, kFetchAbsolute = SQL_FETCH_ABSOLUTE;
constexpr int kBeyondRows = -5500;  // a driver's answer to an absolute fetch past the end

bool accepted(int rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO || rc == SQL_NO_DATA; }

// The exact comparison of two values: same kind and equal.
bool sameValue(const Value& a, const Value& b) {
    if (a.isNil() || b.isNil()) return a.isNil() && b.isNil();
    if (a.isNumber() && b.isNumber()) return a.number() == b.number();
    if (a.isText() && b.isText()) return a.text() == b.text();
    if (a.isLogical() && b.isLogical()) return a.logical() == b.logical();
    if (a.isDate() && b.isDate()) {
        auto x = std::get<Date>(a.storage()), y = std::get<Date>(b.storage());
        return x.year == y.year && x.month == y.month && x.day == y.day;
    }
    return false;
}

// -1, 0 or 1 in the order of the values; texts compared in upper case.
int compareValues(const Value& a, const Value& b) {
    if (a.isNumber() && b.isNumber()) return a.number() < b.number() ? -1 : a.number() > b.number() ? 1 : 0;
    if (a.isDate() && b.isDate()) {
        auto x = std::get<Date>(a.storage()), y = std::get<Date>(b.storage());
        auto kx = x.year * 10000 + x.month * 100 + x.day, ky = y.year * 10000 + y.month * 100 + y.day;
        return kx < ky ? -1 : kx > ky ? 1 : 0;
    }
    std::string x = upper(rtrim(CVALTOCHAR(a))), y = upper(rtrim(CVALTOCHAR(b)));
    return x < y ? -1 : x > y ? 1 : 0;
}

Value blankOf(const ColumnDescription& c, const Value& current) {
    switch (c.type) {
    case 'C':
    case 'M': return Value(std::string());
    case 'N': return Value(0);
    case 'L': return Value(false);
    default: return current;
    }
}

}  // namespace

TDbOdbc::Entry::Entry(TDbOdbc& t, const SourcePlace& where) : table(t) {
    if (table.depth_++ == 0) table.caller_ = where;
}
TDbOdbc::Entry::~Entry() { --table.depth_; }

TDbOdbc::TDbOdbc(const std::string& source, TOdbc* odbc, int workArea, const std::string& alias, bool readOnly,
                 SourcePlace where)
    : oOdbc_(odbc), cAliasName_(alias), cSource_(source), nWorkArea_(workArea), lReadOnly_(readOnly) {
    Entry e(*this, where);
    if (!oOdbc_) {
        lNetErr_ = true;
        return;
    }
    cSelect_ = GenSelect(source);
    PrimaryKeys();
    if (SQL_SUCCEEDED(Execute(cSelect_))) {
        InitFields();
        Skip(1, where);
    } else {
        lNetErr_ = true;
    }
}

TDbOdbc::~TDbOdbc() { End(); }

void TDbOdbc::End() {
    if (!hStmt_) return;
    Update();
    hStmt_.reset();
}

void TDbOdbc::SQLError(SQLHSTMT stmt, const std::string& operation) {
    lError_ = true;
    if (oOdbc_) oOdbc_->NewError(operation, odbcLocation(caller_), stmt);
}

std::string TDbOdbc::GenSelect(const std::string& source) {
    TableSource s = tableSource(source);
    cFileName_ = s.fileName;
    if (!s.needsColumns) return s.select;
    OdbcStatement stmt(oOdbc_->AllocStatement());
    if (!stmt) {
        SQLError(nullptr, "SQLAllocStmt on GenSelect() method");
        return s.select;
    }
    if (SQLEXECDIRECT(stmt.get(), s.select) != SQL_SUCCESS) {
        SQLError(stmt.get(), "SQLExecDirect on GenSelect() method");
        return s.select;
    }
    int count = 0;
    if (SQLNUMRESULTCOLS(stmt.get(), count) != SQL_SUCCESS) {
        SQLError(stmt.get(), "SQLNumResultCols on GenSelect() Method");
        return s.select;
    }
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) {
        DescribedColumn c;
        if (!SQL_SUCCEEDED(SQLDESCRIBECOL(stmt.get(), i, c))) {
            SQLError(stmt.get(), "SQLDescribeCol on GenSelect() Method");
            return s.select;
        }
        names.push_back(upper(alltrim(c.name)));
    }
    return selectOfColumns(source, names);
}

int TDbOdbc::Execute(std::optional<std::string> sql) {
    Update();
    int rc;
    if (!sql) {
        rc = SQLEXECUTE(hStmt_.get());
    } else if (sql->empty()) {
        return -1;
    } else {
        if (!AllocStatement() || !hStmt_) return -1;
        rc = SQLEXECDIRECT(hStmt_.get(), *sql);
    }
    if (!SQL_SUCCEEDED(rc)) SQLError(hStmt_.get(), sql.value_or(""));
    return rc;
}

bool TDbOdbc::AllocStatement() {
    Update();
    hStmt_.reset();
    SQLHSTMT h = nullptr;
    if (!SQL_SUCCEEDED(SQLALLOCSTMT(oOdbc_->hDbc(), h))) {
        SQLError(nullptr, "SQLAllocStmt on AllocStatement() Method");
        return true;
    }
    hStmt_.reset(h);
    bool locking = !lReadOnly_ && oOdbc_->lCsrDyn;
    struct Option {
        int option;
        std::int64_t value;
        const char* failure;
    } options[] = {
        {SQL_CONCURRENCY, locking ? SQL_CONCUR_LOCK : SQL_CONCUR_READ_ONLY,
         locking ? "SQLSetStmt(SQL_CONCUR_LOCK) on AllocStatement() Method"
                 : "SQLSetStmt(SQL_CONCUR_READ_ONLY) on AllocStatement() Method"},
        {SQL_CURSOR_TYPE, oOdbc_->lCsrDyn ? SQL_CURSOR_KEYSET_DRIVEN : SQL_CURSOR_STATIC,
         oOdbc_->lCsrDyn ? "SQLSetStmt(SQL_CURSOR_KEYSET_DRIVEN) on AllocStatement() Method"
                         : "SQLSetStmt(SQL_CURSOR_STATIC) on AllocStatement() Method"},
        {SQL_ROWSET_SIZE, 1, "SQLSetStmt(SQL_ROWSET_SIZE) on AllocStatement() Method"},
    };
    // A driver that offers a neighbouring cursor kind says so with
    // information: that is no failure.
    for (const auto& o : options) {
        if (!SQL_SUCCEEDED(SQLSETSTMT(h, o.option, o.value))) SQLError(h, o.failure);
    }
    return true;
}

int TDbOdbc::InitFields() {
    int count = 0;
    int rc = SQLNUMRESULTCOLS(hStmt_.get(), count);
    aFields_.clear();
    for (int i = 1; i <= count && SQL_SUCCEEDED(rc); ++i) {
        DescribedColumn c;
        rc = SQLDESCRIBECOL(hStmt_.get(), i, c);
        aFields_.push_back(describeTableColumn(c));
    }
    aBuffer_.assign(aFields_.size(), Value());
    aDataOrg_.assign(aFields_.size(), Value());
    aDataNull_.assign(aFields_.size(), false);
    aSeconds_.assign(aFields_.size(), 0);
    return rc;
}

void TDbOdbc::PrimaryKeys() {
    if (cFileName_.empty()) return;
    OdbcStatement stmt(oOdbc_->AllocStatement());
    if (!stmt) {
        SQLError(nullptr, "SQLAllocStmt() on PrimaryKeys method");
        return;
    }
    if (SQLPRIMARYKEYS(stmt.get(), cFileName_) != SQL_SUCCESS) return;
    while (SQLFETCH(stmt.get()) == SQL_SUCCESS) {
        std::string name;
        bool isNull = false;
        if (SQLGETDATA(stmt.get(), 4, SQL_C_CHAR, 256, name, isNull) != SQL_SUCCESS) break;
        aFldPrimary_.push_back(upper(alltrim(name)));
    }
}

// ---- movement -----------------------------------------------------------

int TDbOdbc::fetchTo(int orientation, std::int64_t offset, const std::string& operation, bool acceptNoData) {
    std::uint64_t rows = 0;
    unsigned short status = 0;
    int rc = SQLEXTENDEDFETCH(hStmt_.get(), orientation, offset, rows, status);
    if (!(acceptNoData ? accepted(rc) : SQL_SUCCEEDED(rc))) SQLError(hStmt_.get(), operation);
    return rc;
}

int TDbOdbc::Fetch(int n, const std::string& operation) {
    if (n == 0) return 0;
    std::uint64_t rows = 0;
    unsigned short status = 0;
    int rc = SQLEXTENDEDFETCH(hStmt_.get(), n > 0 ? kFetchNext : kFetchPrior, 0, rows, status);
    if (rc == SQL_NO_DATA) return 0;
    if (!SQL_SUCCEEDED(rc)) {
        SQLError(hStmt_.get(), operation);
        return -1;
    }
    return static_cast<int>(rows);
}

void TDbOdbc::GoTop(SourcePlace where) {
    Entry e(*this, where);
    if (!Update()) return;
    int rc = fetchTo(kFetchFirst, 0, "SQLExtendedFetch on GoTop() Method");
    if (!SQL_SUCCEEDED(rc)) {
        nRecno_ = 0;
        lBof_ = lEof_ = true;
        Load(true);
        return;
    }
    lBof_ = lEof_ = false;
    Load();
    nRecno_ = 1;
}

void TDbOdbc::GoBottom(SourcePlace where) {
    Entry e(*this, where);
    if (!Update()) return;
    // Counting moves the cursor: count before standing on the last row.
    std::int64_t count = RecCount();
    int rc = fetchTo(kFetchLast, 0, "SQLExtendedFetch on GoBottom() Method");
    if (!SQL_SUCCEEDED(rc)) {
        Load(true);
    } else {
        lBof_ = lEof_ = false;
        Load();
    }
    nRecno_ = count;
}

bool TDbOdbc::GoToId(std::int64_t n, SourcePlace where) {
    Entry e(*this, where);
    if (!Update()) return false;
    int rc = fetchTo(kFetchAbsolute, n, "SQLExtendedFetch on Goto() Method");
    if (!SQL_SUCCEEDED(rc)) return false;
    nRecno_ = n;
    lBof_ = lEof_ = false;
    Load();
    return true;
}

int TDbOdbc::Skip(int n, SourcePlace where) {
    Entry e(*this, where);
    if (!hStmt_ || !Update()) return 0;
    // The count is used only when known: counting would move the cursor.
    auto clampToCount = [&](std::int64_t r) { return nRecCount_ ? std::min(r, *nRecCount_) : r; };
    int m = Fetch(n, "SQLExtendedFetch on Skip() Method");
    if (m > 0) {
        lBof_ = lEof_ = false;
        Load();
        nRecno_ = n > 0 ? clampToCount(nRecno_ + m) : std::max<std::int64_t>(1, nRecno_ - m);
        return m;
    }
    if (n < 0) {
        lBof_ = true;
    } else {
        lEof_ = true;
    }
    if (Fetch(n < 0 ? 1 : -1, "SQLExtendedFetch on Skip() Method") > 0) {
        Load();
        nRecno_ = n < 0 ? 1 : std::max<std::int64_t>(clampToCount(nRecno_), 1);
    } else {
        lBof_ = lEof_ = true;
        Load(true);
        nRecno_ = 1;
    }
    return m;
}

std::int64_t TDbOdbc::Skipper(std::int64_t n, SourcePlace where) {
    Entry e(*this, where);
    std::int64_t old = nRecno_;
    std::int64_t target = std::clamp<std::int64_t>(old + n, 1, std::max<std::int64_t>(RecCount(), 1));
    if (target != old) GoToId(target);
    return nRecno_ - old;
}

std::int64_t TDbOdbc::RecCount(bool force, SourcePlace where) {
    Entry e(*this, where);
    if (nRecCount_ && !force) return *nRecCount_;
    if (!hStmt_ || !Update()) return nRecCount_.value_or(0);
    std::uint64_t rows = 0;
    unsigned short status = 0;
    int rc = SQLEXTENDEDFETCH(hStmt_.get(), kFetchFirst, 0, rows, status);
    if (!accepted(rc) && rc != kBeyondRows) {
        SQLError(hStmt_.get(), "SQLExtendedFetch (First) on RecCount() Method");
        return 0;
    }
    bool errorMet = false;
    std::int64_t count = countRowsByHalving(SQL_SUCCEEDED(rc), [&](std::int64_t row) {
        int r = SQLEXTENDEDFETCH(hStmt_.get(), kFetchAbsolute, row, rows, status);
        if (!accepted(r) && r != kBeyondRows && !errorMet) {
            errorMet = true;
            SQLError(hStmt_.get(), "SQLExtendedFetch (Absolute) on RecCount() Method");
        }
        return r;
    });
    nRecCount_ = count;
    GoTop();
    return count;
}

// ---- values -------------------------------------------------------------

Value TDbOdbc::readColumn(int n, SQLHSTMT stmt, bool& isNull) {
    const ColumnDescription& c = aFields_[n - 1];
    int rc;
    Value v;
    isNull = false;
    if (c.cType == sqltype::CTimestamp) {
        OdbcTimestamp t;
        rc = SQLGETTIMESTAMP(stmt, n, t, isNull);
        if (SQL_SUCCEEDED(rc) && !isNull) v = convertTimestamp(c, t);
        if (stmt == hStmt_.get())
            aSeconds_[n - 1] = SQL_SUCCEEDED(rc) && !isNull ? t.hour * 3600 + t.minute * 60 + t.second : 0;
    } else {
        std::string text;
        rc = SQLGETDATA(stmt, n, c.cType, c.length + 1, text, isNull);
        if (SQL_SUCCEEDED(rc) && !isNull) v = convertFetched(c, text);
    }
    if (!SQL_SUCCEEDED(rc)) {
        SQLError(stmt, "GetValue on field: " + std::to_string(n) + ", nType: " + std::to_string(c.sqlType) +
                           ", Len: " + std::to_string(c.length + 1));
    }
    return v;
}

void TDbOdbc::loadRow() {
    for (int i = 1; i <= FCount(); ++i) {
        bool isNull = false;
        Value v = readColumn(i, hStmt_.get(), isNull);
        aBuffer_[i - 1] = v;
        aDataOrg_[i - 1] = v;
        aDataNull_[i - 1] = isNull;
    }
}

void TDbOdbc::Load(bool blank) {
    if (blank) {
        for (std::size_t i = 0; i < aFields_.size(); ++i) {
            aBuffer_[i] = blankOf(aFields_[i], aBuffer_[i]);
            aDataNull_[i] = false;
        }
        aDataOrg_ = aBuffer_;
    } else {
        loadRow();
    }
    for (auto& c : aFields_) c.changed = false;
}

Value TDbOdbc::FieldGet(int n) const { return columnIndex(n) ? aBuffer_[n - 1] : Value(); }

bool TDbOdbc::FieldPut(int n, const Value& v) { return columnIndex(n) && PutValue(n, FieldType(n), v); }

bool TDbOdbc::PutValue(int n, char type, const Value& v) {
    if (!columnIndex(n)) return false;
    Value value = v;
    if (type == 'D' && v.isText()) {
        const std::string& t = v.text();
        bool digits = t.size() == 8 && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
        value = digits ? Value(Date{std::stoi(t.substr(0, 4)), std::stoi(t.substr(4, 2)), std::stoi(t.substr(6, 2))})
                       : Value(Date{});
    }
    if (!sameValue(value, aBuffer_[n - 1])) {
        aBuffer_[n - 1] = value;
        aFields_[n - 1].changed = true;
        lNeedUpd_ = true;
    }
    return true;
}

int TDbOdbc::FieldSeconds(int n) const { return columnIndex(n) ? aSeconds_[n - 1] : 0; }

bool TDbOdbc::FieldModified(int n) const { return columnIndex(n) && aFields_[n - 1].changed; }
std::string TDbOdbc::FieldName(int n) const { return columnIndex(n) ? aFields_[n - 1].name : std::string(); }
char TDbOdbc::FieldType(int n) const { return columnIndex(n) ? aFields_[n - 1].type : 'U'; }
int TDbOdbc::FieldLen(int n) const { return columnIndex(n) ? aFields_[n - 1].length : 0; }
int TDbOdbc::FieldDec(int n) const { return columnIndex(n) ? aFields_[n - 1].decimals : 0; }
int TDbOdbc::FieldTypeSQL(int n) const { return columnIndex(n) ? aFields_[n - 1].sqlType : 0; }
bool TDbOdbc::FieldNull(int n) const { return columnIndex(n) && aFields_[n - 1].noNulls; }

int TDbOdbc::Fieldpos(const std::string& name) const {
    for (std::size_t i = 0; i < aFields_.size(); ++i) {
        if (aFields_[i].name == name) return static_cast<int>(i + 1);
    }
    return 0;
}

// ---- changes ------------------------------------------------------------

bool TDbOdbc::CanEdit() {
    auto refuse = [](const std::string& text) {
        MSGSTOP(text, "ODBC warning");
        return false;
    };
    if (lReadOnly_) return refuse("The table is opened on read-only mode");
    if (cFileName_.empty()) return refuse("Edit is not allowed on 'SELECT' statement");
    if (aFldPrimary_.empty()) return refuse("Edit is not allowed if there are not any primary keys on the table");
    for (const auto& key : aFldPrimary_) {
        if (!Fieldpos(key)) return refuse("Edit is not allowed because the primary key " + key +
                                          " is not included on the table set");
    }
    return true;
}

std::string TDbOdbc::GenWhere() const {
    std::vector<KeyValue> keys;
    for (const auto& key : aFldPrimary_) {
        int n = Fieldpos(key);
        if (!n) return {};
        keys.push_back({CHKSP(aFields_[n - 1].name), &aFields_[n - 1],
                        aDataNull_[n - 1] ? Value() : aDataOrg_[n - 1]});
    }
    return keyCondition(keys);
}

bool TDbOdbc::Update(bool force, SourcePlace where) {
    Entry e(*this, where);
    if (!lNeedUpd_ && !force) return true;
    if (!CanEdit()) return false;
    if (nRecno_ == 0) {
        MSGBEEP();
        return false;
    }
    std::string set = setList(aFields_, aBuffer_, [&](std::size_t i) { return CHKSP(aFields_[i].name); });
    if (set.empty()) {
        lNeedUpd_ = false;
        return true;
    }
    std::string sql = "UPDATE " + CHKSP(cFileName_) + " SET " + set + " WHERE " + GenWhere();
    OdbcStatement stmt(oOdbc_->AllocStatement());
    if (!stmt) {
        SQLError(nullptr, "SQLAllocStmt en Update() method");
        return false;
    }
    if (!SQL_SUCCEEDED(SQLEXECDIRECT(stmt.get(), sql))) {
        // The error names the statement; the edits stay for another try.
        SQLError(stmt.get(), sql);
        return false;
    }
    stmt.reset();
    for (auto& c : aFields_) c.changed = false;
    lNeedUpd_ = false;
    Refresh();
    return true;
}

std::string TDbOdbc::keyDefault(const ColumnDescription& c) {
    // A numeric key takes the next free number, so that a second new row
    // does not collide with the first.
    Value top = oOdbc_->QueryData("SELECT MAX(" + CHKSP(c.name) + ") FROM " + CHKSP(cFileName_));
    return sqlNumber((top.isNumber() ? top.number() : 0) + 1, c.length, 0);
}

bool TDbOdbc::Append(SourcePlace where) {
    Entry e(*this, where);
    if (!Update() || !CanEdit()) return false;
    std::string values;
    for (const auto& c : aFields_) {
        bool isKey = std::find(aFldPrimary_.begin(), aFldPrimary_.end(), c.name) != aFldPrimary_.end();
        std::string v;
        if (isKey && c.type == 'N') {
            v = keyDefault(c);
        } else if (c.type == 'N' || c.type == 'L') {
            v = "0";
        } else if (c.type == 'D') {
            v = "NULL";  // no date is not the number 0
        } else {
            v = "' '";
        }
        values += (values.empty() ? "" : " , ") + v;
    }
    std::string sql = "INSERT INTO " + CHKSP(cFileName_) + " VALUES (" + values + ")";
    OdbcStatement stmt(oOdbc_->AllocStatement());
    if (!stmt) {
        SQLError(nullptr, "SQLAllocStmt en Append() method");
        lNetErr_ = true;
        return false;
    }
    return runAndRefresh(stmt, sql);
}

// Runs a change on the server and reads the table again, whatever came of it.
bool TDbOdbc::runAndRefresh(OdbcStatement& stmt, const std::string& sql) {
    bool ok = SQL_SUCCEEDED(SQLEXECDIRECT(stmt.get(), sql));
    if (!ok) SQLError(stmt.get(), sql);
    stmt.reset();
    Refresh();
    return ok;
}

bool TDbOdbc::Delete(SourcePlace where) {
    Entry e(*this, where);
    if (!Update() || !CanEdit()) return false;
    if (nRecno_ == 0) {
        MSGBEEP();
        return false;
    }
    std::string sql = "DELETE FROM " + CHKSP(cFileName_) + " WHERE " + GenWhere();
    OdbcStatement stmt(oOdbc_->AllocStatement());
    if (!stmt) {
        SQLError(nullptr, "SQLAllocStmt en Delete() method");
        return false;
    }
    return runAndRefresh(stmt, sql);
}

void TDbOdbc::CancelUpdate() {
    aBuffer_ = aDataOrg_;
    for (auto& c : aFields_) c.changed = false;
    lNeedUpd_ = false;
}

int TDbOdbc::Cancel() {
    // Edits that cannot be written are given up here.
    if (!Update()) CancelUpdate();
    int rc = SQLCANCEL(hStmt_.get());
    if (rc != SQL_SUCCESS) SQLError(hStmt_.get(), "SQLCancel on Cancel method()");
    return rc;
}

bool TDbOdbc::Refresh(bool top, SourcePlace where) {
    Entry e(*this, where);
    std::int64_t noted = nRecno_;
    if (!Update()) return false;
    std::string sql = cSelect_;
    if (!cFileName_.empty()) {
        if (!cFilter_.empty()) sql += " WHERE " + cFilter_;
        if (!cOrder_.empty()) sql += " ORDER BY " + cOrder_;
    }
    if (!SQL_SUCCEEDED(Execute(sql))) return false;
    std::int64_t count = RecCount(true);
    if (noted == 0 || top) {
        GoTop();
    } else if (noted > count) {
        GoBottom();
    } else {
        GoToId(noted);
    }
    return true;
}

void TDbOdbc::SetOrder(const std::string& order, SourcePlace where) {
    Entry e(*this, where);
    if (cFileName_.empty()) {
        MSGSTOP("Order operations are not allowed on SELECT statements", "ODBC");
        return;
    }
    lFound_ = false;
    aIndex_ = parseOrder(order, aFields_);
    cOrder_ = aIndex_.empty() ? std::string() : upper(alltrim(order));
    Refresh(true);
}

void TDbOdbc::SetFilter(const std::string& filter, SourcePlace where) {
    Entry e(*this, where);
    if (cFileName_.empty()) {
        MSGSTOP("Filter operations are not allowed on SELECT statements", "ODBC");
        return;
    }
    cFilter_ = unquoteItem(filter);
    Refresh(true);
}

bool TDbOdbc::Seek(const Value& v, SourcePlace where) {
    Entry e(*this, where);
    lFound_ = false;
    if (cFileName_.empty()) {
        MSGSTOP("Seek operations are not allowed on SELECT statements", "ODBC");
        return false;
    }
    if (nRecno_ == 0) return false;
    if (aIndex_.empty()) {
        MSGSTOP("Seek operations can not be done if the table is not ordered", "ODBC");
        return false;
    }
    if (!Update()) return false;
    std::string sql = cSelect_ + " WHERE " + (cFilter_.empty() ? "" : cFilter_ + " AND ") +
                      seekCondition(v, aIndex_, aFields_) + " ORDER BY " + cOrder_;
    int column = static_cast<int>(aIndex_.front().column);
    auto notFound = [&] {
        GoBottom();
        Skip(1);
        return false;
    };
    Value wanted;
    {
        OdbcStatement stmt(oOdbc_->AllocStatement());
        if (!stmt) {
            SQLError(nullptr, "SQLAllocStmt on Seek() method");
            return notFound();
        }
        if (!SQL_SUCCEEDED(SQLEXECDIRECT(stmt.get(), sql))) {
            SQLError(stmt.get(), "SQLExecDirect on Seek() method");
            return notFound();
        }
        std::uint64_t rows = 0;
        unsigned short status = 0;
        int rc = SQLEXTENDEDFETCH(stmt.get(), kFetchNext, 0, rows, status);
        if (!SQL_SUCCEEDED(rc)) {
            if (rc != SQL_NO_DATA) SQLError(stmt.get(), "SQLExtendedFetch on Seek() Method");
            return notFound();
        }
        bool isNull = false;
        wanted = readColumn(column, stmt.get(), isNull);
    }
    // The row of that value in the cursor, found by halving. The halving
    // relies on the server ordering values as they compare here; when it
    // does not the range stops shrinking, and the search ends there.
    std::int64_t low = 1, high = RecCount(), row = std::max<std::int64_t>(high / 2, 1);
    bool descending = aIndex_.front().descending;
    bool found = false;
    for (int step = 0; step < 200; ++step) {
        if (!SQL_SUCCEEDED(fetchTo(kFetchAbsolute, row, "SQLExtendedFetch on Seek() Method (While loop)"))) break;
        bool isNull = false;
        int order = compareValues(wanted, readColumn(column, hStmt_.get(), isNull));
        if (order == 0) {
            found = true;
            break;
        }
        if (low >= high) break;
        std::int64_t before = row;
        if ((order > 0) != descending) {
            low = row;
            row = low + static_cast<std::int64_t>(std::llround((high - low) / 2.0));
        } else {
            high = row;
            row = low + (high - low) / 2;
        }
        if (row == before) break;
    }
    GoToId(row);
    lFound_ = found;
    return found;
}

// ---- statement options --------------------------------------------------

int TDbOdbc::Prepare(const std::string& sql) {
    int rc = SQLPREPARE(hStmt_.get(), sql);
    if (!SQL_SUCCEEDED(rc)) SQLError(hStmt_.get(), "SQLPrepare on Prepare() Method");
    return rc;
}

std::string TDbOdbc::GetOptions(int option) {
    std::string value(256, ' ');
    int rc = SQLGETSTMTOPTION(hStmt_.get(), option, value);
    if (rc != SQL_SUCCESS) SQLError(hStmt_.get(), "SQLGetStmtOptions on GetOptions() method");
    return value;
}

int TDbOdbc::SetCurName(const std::string& name) { return SQLSETCURNAME(hStmt_.get(), name); }

std::string TDbOdbc::GetCurName() {
    std::string name;
    SQLGETCURNAME(hStmt_.get(), name);
    return name;
}

bool TDbOdbc::RecordLock() {
    int rc = SQLSETPOS(hStmt_.get(), static_cast<int>(nRecno_), SQL_REFRESH, SQL_LOCK_EXCLUSIVE);
    if (accepted(rc)) return true;
    SQLError(hStmt_.get(), "SQLSetPos on RecordLock() Method");
    return false;
}

bool TDbOdbc::Lock() const { return !lReadOnly_ || !oOdbc_ || !oOdbc_->lCsrDyn; }

// ------------------------------------------------------------ dBASE copy

std::string TDbOdbc::GenDbf(std::string file, bool fill) {
    Update();
    if (file.empty()) {
        const char* temp = std::getenv("TEMP");
        file = CTEMPFILE(temp ? temp : "", "DBF");
    }
    std::vector<DbfField> fields;
    for (const ColumnDescription& c : aFields_) {
        DbfField f{c.name.substr(0, 10), c.type == 'U' ? 'C' : c.type, c.length, c.decimals};
        std::replace(f.name.begin(), f.name.end(), ' ', '_');
        if (c.length > 255 || c.type == 'M' || c.type == 'U') f = {f.name, 'M', 10, 0};
        if (f.type == 'D') f.length = 8, f.decimals = 0;
        if (f.type == 'L') f.length = 1, f.decimals = 0;
        if (f.type == 'C') f.decimals = 0;
        fields.push_back(f);
    }
    if (!DbfFile::create(file, fields)) return {};
    if (!fill) return file;
    const std::int64_t noted = nRecno_;
    {
        std::shared_ptr<DbfArea> area = USEAREA(file, "_TDBODBC_");
        if (!area) return {};
        for (GoTop(); !lEof_; Skip(1)) {
            ValueList row;
            for (int n = 1; n <= FCount(); ++n) row.push_back(FieldGet(n));
            area->file().append(row);
        }
        dbfCloseArea("_TDBODBC_");
    }
    if (!cAliasName_.empty()) dbfSelect(cAliasName_);
    GoToId(noted);
    return file;
}

std::string TDbOdbc::DbfFld2SQLFld(const std::string& dbfField) const {
    std::shared_ptr<DbfArea> area = dbfSelected();
    const int pos = area ? area->FieldPos(dbfField) : 0;
    return pos ? FieldName(pos) : std::string();
}

std::string TDbOdbc::SQLFld2DbfFld(const std::string& column) const {
    std::shared_ptr<DbfArea> area = dbfSelected();
    const int pos = Fieldpos(upper(column));
    if (!area || pos < 1 || pos > static_cast<int>(area->fields().size())) return {};
    return area->fields()[static_cast<std::size_t>(pos - 1)].name;
}

}  // namespace wl
