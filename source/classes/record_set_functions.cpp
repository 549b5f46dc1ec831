#include "record_set_functions.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include <ctime>
#include <map>

#include "dbf_area.hpp"
#include "dbf_structure_dialog.hpp"
#include "dbf_file.hpp"
#include "library_texts.hpp"
#include "messages.hpp"
#include "process_state.hpp"
#include "text.hpp"
#include "value_conversion.hpp"

namespace wl {

namespace {

// The default connection and what was asked for it, the drivers found for
// the kinds that list several, and the memo threshold.
struct RecordSetState {
    std::shared_ptr<TOdbc> connection;
    RdbmsKind kind = RdbmsKind::MySql;
    std::string lastSpec, lastAsked, lastObtained;
    std::map<RdbmsKind, std::string> chosenDriver;
    int memoThreshold = kMemoSizeThreshold;
};

RecordSetState& recordSetState() { return processState().recordSets.get<RecordSetState>(); }

bool connectionOpen(const TOdbc& c) { return c.lSuccess() && c.hDbc() != nullptr; }

std::shared_ptr<TOdbc> reopenDefault() {
    RecordSetState& st = recordSetState();
    if (!st.connection || connectionOpen(*st.connection)) return st.connection;
    // What was asked for first (a data source name stays one), then what
    // the driver made of it.
    const std::string string = st.lastAsked.empty() ? st.lastObtained : st.lastAsked;
    auto again = std::make_shared<TOdbc>(string);
    if (!again->lSuccess() && !st.lastObtained.empty() && st.lastObtained != string)
        again = std::make_shared<TOdbc>(st.lastObtained);
    if (!again->lSuccess()) {
        MSGALERT(Value("CAN NOT REOPEN\r\n" + string));
        return nullptr;
    }
    st.connection = again;
    return again;
}

std::shared_ptr<TOdbc> tryConnect(const std::string& string, bool showError) {
    auto c = std::make_shared<TOdbc>(string);
    if (c->lSuccess()) return c;
    if (showError) WL_SHOWADOERROR(*c);
    return nullptr;
}

// Each driver of a kind that lists several, in turn; the first that
// connects is the kind's driver from then on.
std::shared_ptr<TOdbc> connectTryingDrivers(const std::string& marked, RdbmsKind kind, bool showError) {
    RecordSetState& st = recordSetState();
    std::vector<std::string> drivers;
    if (auto found = st.chosenDriver.find(kind); found != st.chosenDriver.end()) drivers.push_back(found->second);
    else
        for (const RdbmsRow& row : RdbmsTable())
            if (row.kind == kind)
                for (const char* p : row.providers) drivers.push_back(p);
    const std::string mark = "<?>";
    for (std::size_t i = 0; i < drivers.size(); ++i) {
        std::string string = marked;
        if (const std::size_t at = string.find(mark); at != std::string::npos) string.replace(at, mark.size(), drivers[i]);
        if (auto c = tryConnect(string, showError && i + 1 == drivers.size())) {
            st.chosenDriver[kind] = drivers[i];
            return c;
        }
    }
    return nullptr;
}

}  // namespace

std::shared_ptr<TOdbc> WL_OPENADOCONNECTION(DefaultConnection what) {
    if (what == DefaultConnection::Reopen) return reopenDefault();
    RecordSetState& st = recordSetState();
    st.connection.reset();
    st.lastSpec.clear();
    st.lastAsked.clear();
    st.lastObtained.clear();
    return nullptr;
}

std::shared_ptr<TOdbc> WL_OPENADOCONNECTION(const std::string& source, bool showError) {
    RecordSetState& st = recordSetState();
    const bool isString = source.find(';') != std::string::npos;
    RdbmsKind kind = RdbmsKind::None;
    std::string asked = isString ? source : WL_ADOCONNECTIONSTRING(source, &kind);
    const std::string spec = isString ? std::string() : source;
    if (st.connection && ((!spec.empty() && spec == st.lastSpec) ||
                          (!asked.empty() && (asked == st.lastAsked || asked == st.lastObtained))))
        return reopenDefault();
    std::shared_ptr<TOdbc> c;
    if (asked.empty()) c = tryConnect(source, showError);  // a data source name
    else if (asked.find("<?>") != std::string::npos) c = connectTryingDrivers(asked, kind, showError);
    else c = tryConnect(asked, showError);
    if (!c) return nullptr;
    st.lastSpec = spec;
    st.lastAsked = asked.empty() ? source : asked;
    st.lastObtained = c->cConnect();
    WL_RDBMSNAME(c);
    return c;
}

std::unique_ptr<TDbOdbc> WL_OPENRECORDSET(TOdbc& connection, const std::string& source, int lockType) {
    auto recordSet = std::make_unique<TDbOdbc>(source, &connection, 0, "", lockType == kLockReadOnly);
    if (!recordSet->lNetErr()) return recordSet;
    WL_SHOWADOERROR(connection);
    return nullptr;
}

std::unique_ptr<TDbOdbc> WL_OPENRECORDSET(const std::string& source, int lockType) {
    std::shared_ptr<TOdbc> c = reopenDefault();
    return c ? WL_OPENRECORDSET(*c, source, lockType) : nullptr;
}

std::string WL_SHOWADOERROR(const TOdbc& connection, bool silent) {
    const auto& errors = connection.aErrors().entries();
    if (errors.empty()) {
        MSGALERT(Value("ADO ERROR UNKNOWN"));
        return {};
    }
    const OdbcError& last = errors.back();
    const std::string text = last.message + "\r\nSource       : " + last.operation +
                             "\r\nNativeError  : " + std::to_string(last.code) + "\r\n" + std::string(50, '-') +
                             "\r\n" + last.location;
    if (!silent) MSGALERT(Value(text), Value(std::string("ADO ERROR")));
    return last.message;
}

RdbmsKind rdbmsKindOf(TOdbc& connection) {
    const std::string dbms = upper(connection.GetInfo(SQL_DBMS_NAME));
    if (dbms.find("MYSQL") != std::string::npos) return RdbmsKind::MySql;
    if (dbms.find("SQLITE") != std::string::npos) return RdbmsKind::Sqlite;
    if (dbms.find("MICROSOFT SQL SERVER") != std::string::npos) return RdbmsKind::MsSql;
    if (dbms.find("ORA") != std::string::npos) return RdbmsKind::Oracle;
    if (dbms.find("DBASE") != std::string::npos) return RdbmsKind::DBase;
    const std::string connect = upper(connection.cConnect());
    if (connect.find(".MDB") != std::string::npos || connect.find(".ACCDB") != std::string::npos)
        return RdbmsKind::MsAccess;
    return RdbmsKind::None;
}

std::string WL_SHOWADOERROR(bool silent) {
    RecordSetState& st = recordSetState();
    if (!st.connection) {
        MSGALERT(Value("ADO ERROR UNKNOWN"));
        return {};
    }
    return WL_SHOWADOERROR(*st.connection, silent);
}

std::string WL_RDBMSNAME(TOdbc& connection) {
    RecordSetState& st = recordSetState();
    if (st.connection.get() != &connection) st.kind = rdbmsKindOf(connection);
    return rdbmsName(st.kind);
}

std::string WL_RDBMSNAME(const std::shared_ptr<TOdbc>& connection) {
    if (!connection) return WL_RDBMSNAME();
    RecordSetState& st = recordSetState();
    if (st.connection != connection) {
        st.kind = rdbmsKindOf(*connection);
        st.connection = connection;
    }
    return rdbmsName(st.kind);
}

std::string WL_RDBMSNAME() { return rdbmsName(recordSetState().kind); }

RdbmsKind defaultRdbmsKind() { return recordSetState().kind; }

std::vector<std::string> WL_ADOTABLES(TOdbc& connection) { return connection.GetTables("*", false); }

bool WL_ADOTABLEEXISTS(const std::string& table, TOdbc& connection) {
    const std::vector<std::string> tables = WL_ADOTABLES(connection);
    return std::any_of(tables.begin(), tables.end(), [&](const std::string& t) { return upper(t) == upper(table); });
}

bool WLADOCREATETABLE(const std::string& table, const std::vector<SqlColumn>& columns, TOdbc& connection,
                      bool addAutoInc) {
    const std::string sql = WL_ADOCREATETABLESQL(table, columns, rdbmsKindOf(connection), addAutoInc);
    if (sql.empty()) return false;
    std::size_t at = 0;
    while (at <= sql.size()) {
        const std::size_t bar = std::min(sql.find('|', at), sql.size());
        const std::string statement = alltrim(sql.substr(at, bar - at));
        if (!statement.empty() && !connection.Execute(statement, "WLADOCREATETABLE")) {
            WL_SHOWADOERROR(connection);
            return false;
        }
        at = bar + 1;
    }
    return true;
}

std::vector<SqlColumn> WLADOSTRUCT(const TDbOdbc& recordSet) {
    std::vector<SqlColumn> out;
    for (const ColumnDescription& c : recordSet.aStruct())
        out.push_back({c.name, std::string(1, c.type == 'U' ? 'C' : c.type), c.length, c.decimals});
    return out;
}

// ---- fields ------------------------------------------------------------

namespace {

int recordSetFieldNumber(const TDbOdbc& rs, const RecordSetFieldRef& field) {
    if (field.name.empty()) return field.number >= 1 && field.number <= rs.FCount() ? field.number : 0;
    return rs.Fieldpos(upper(alltrim(field.name)));
}

std::int64_t columnAttribute(const TDbOdbc& rs, int n, int descriptor, std::int64_t fallback) {
    std::int64_t value = 0;
    return SQL_SUCCEEDED(SQLCOLATTRIBUTES(rs.hStmt(), n, descriptor, value)) ? value : fallback;
}

// The current value of a timestamp column as text, to tell a timestamp
// with a time from a date (the record set's own value keeps the date).
std::optional<Value> currentDateText(TDbOdbc& rs, int n, int adoType) {
    if (rs.Eof() || rs.RecCount() == 0 || adoType != adotype::DbTimeStamp) return std::nullopt;
    const Value v = rs.FieldGet(n);
    if (!v.isDate() || std::get<Date>(v.storage()).blank()) return std::nullopt;
    const Date d = std::get<Date>(v.storage());
    const int s = rs.FieldSeconds(n);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day, s / 3600, s / 60 % 60,
                  s % 60);
    return Value(std::string(text));
}

int lockTypeOf(const TDbOdbc& rs) { return rs.lReadOnly() ? kLockReadOnly : kLockOptimistic; }

Date todayDate() {
    const std::time_t now = std::time(nullptr);
    const std::tm* t = std::localtime(&now);
    return t ? Date{t->tm_year + 1900, t->tm_mon + 1, t->tm_mday} : Date{};
}

std::string nowText() {
    const std::time_t now = std::time(nullptr);
    char text[32] = {};
    if (const std::tm* t = std::localtime(&now)) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", t);
    return text;
}

}  // namespace

std::optional<RecordSetField> recordSetField(TDbOdbc& rs, const RecordSetFieldRef& field) {
    const int n = recordSetFieldNumber(rs, field);
    if (!n) return std::nullopt;
    const ColumnDescription& c = rs.aStruct()[static_cast<std::size_t>(n - 1)];
    RecordSetField f;
    f.name = c.name;
    f.adoType = adoTypeOfSqlType(c.sqlType);
    // Texts and binary data have the size the column was declared with;
    // the others the length of their description.
    const std::int64_t declared = columnAttribute(rs, n, SQL_COLUMN_LENGTH, c.length);
    const bool sized = f.adoType == adotype::Binary || f.adoType == adotype::VarBinary ||
                       f.adoType == adotype::LongVarBinary || f.adoType == adotype::Char ||
                       f.adoType == adotype::VarChar || f.adoType == adotype::LongVarChar;
    f.definedSize = sized && declared > 0 && declared < (1 << 30) ? static_cast<int>(declared) : c.length;
    f.precision = static_cast<int>(columnAttribute(rs, n, SQL_COLUMN_PRECISION, c.length));
    f.scale = static_cast<int>(columnAttribute(rs, n, SQL_COLUMN_SCALE, c.decimals));
    f.attributes = adoAttributesOfOdbc(static_cast<int>(columnAttribute(rs, n, SQL_COLUMN_UPDATABLE, 2)));
    f.autoIncrement = columnAttribute(rs, n, SQL_COLUMN_AUTO_INCREMENT, 0) != 0;
    return f;
}

std::optional<AdoFieldStruct> WLADOFIELDSTRUCT(TDbOdbc& rs, const RecordSetFieldRef& field) {
    const std::optional<RecordSetField> f = recordSetField(rs, field);
    if (!f) return std::nullopt;
    const int n = recordSetFieldNumber(rs, field);
    return adoFieldStruct(*f, recordSetState().memoThreshold, currentDateText(rs, n, f->adoType));
}

std::string WLADOFIELDTYPE(TDbOdbc& rs, const RecordSetFieldRef& field) {
    const std::optional<AdoFieldStruct> s = WLADOFIELDSTRUCT(rs, field);
    if (!s) return {};
    return std::string(1, s->type == '+' ? 'N' : s->type);
}

int WLADOFIELDSIZE(TDbOdbc& rs, const RecordSetFieldRef& field) {
    const std::optional<AdoFieldStruct> s = WLADOFIELDSTRUCT(rs, field);
    return s ? s->length : 0;
}

int WLADOFIELDLEN(TDbOdbc& rs, const RecordSetFieldRef& field) { return WLADOFIELDSIZE(rs, field); }

int WLADOFIELDDEC(TDbOdbc& rs, const RecordSetFieldRef& field) {
    const std::optional<AdoFieldStruct> s = WLADOFIELDSTRUCT(rs, field);
    return s ? s->decimals : 0;
}

bool WL_ADOFIELDUPDATEABLE(TDbOdbc& rs, const RecordSetFieldRef& field) {
    const std::optional<RecordSetField> f = recordSetField(rs, field);
    return f && adoFieldUpdateable(*f, lockTypeOf(rs));
}

int WLADOMEMOSIZETHRESHOLD(std::optional<int> size) {
    RecordSetState& st = recordSetState();
    if (size) st.memoThreshold = *size;
    return st.memoThreshold;
}

// ---- rows ----------------------------------------------------------------

namespace {

bool valueIsEmpty(const Value& v) {
    if (v.isNil()) return true;
    if (v.isText()) return alltrim(v.text()).empty();
    if (v.isNumber()) return v.number() == 0;
    if (v.isLogical()) return !v.logical();
    if (v.isDate()) return std::get<Date>(v.storage()).blank();
    return false;
}

std::string hexOf(const std::string& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

// The value a field takes: texts by the field's type (binary as
// hexadecimal, fixed texts padded, others trimmed; all cut to the field's
// size), an empty text in a date field no date.
Value savedValue(const Value& v, const RecordSetField& f, char dbfType) {
    if (!v.isText()) return v;
    const int size = std::max(f.definedSize, 0);
    const std::string& t = v.text();
    if (dbfType == 'D' || dbfType == 'T') return alltrim(t).empty() ? Value(Date{}) : v;
    std::string out;
    if (f.adoType == adotype::Binary || f.adoType == adotype::VarBinary || f.adoType == adotype::LongVarBinary)
        out = hexOf(t);
    else if (f.adoType == adotype::Char)
        out = t.size() < static_cast<std::size_t>(size) ? t + std::string(size - t.size(), ' ') : t;
    else
        out = alltrim(t);
    if (size > 0 && out.size() > static_cast<std::size_t>(size)) out.resize(static_cast<std::size_t>(size));
    return Value(out);
}

}  // namespace

bool WLADOSAVERECORD(TDbOdbc& rs, const TDataBaseRow& row, std::optional<std::int64_t> bookMark) {
    if (bookMark && *bookMark != rs.RecNo()) rs.GoToId(*bookMark);
    bool written = false;
    for (const TDataBaseRowItem& item : row) {
        const int n = rs.Fieldpos(upper(alltrim(item.name)));
        if (!n) continue;
        const Value old = rs.FieldGet(n);
        if (valueIsEmpty(old) && valueIsEmpty(item.value)) continue;
        const std::optional<RecordSetField> f = recordSetField(rs, n);
        const Value v = savedValue(item.value, *f, rs.FieldType(n));
        if (rs.FieldPut(n, v) && rs.FieldModified(n)) written = true;
    }
    if (!written) return false;
    if (rs.Update()) return true;
    rs.CancelUpdate();
    return false;
}

bool WLADOAPPENDBLANK(TDbOdbc& rs) {
    TOdbc* c = rs.oOdbc();
    if (!c || rs.lReadOnly() || rs.cFileName().empty()) return false;
    const RdbmsKind kind = rdbmsKindOf(*c);
    const Date today = todayDate();
    const std::string now = nowText();
    std::string names, values;
    for (int n = 1; n <= rs.FCount(); ++n) {
        const std::optional<RecordSetField> f = recordSetField(rs, n);
        if (!f || !adoFieldUpdateable(*f, lockTypeOf(rs))) continue;
        const ColumnDescription& col = rs.aStruct()[static_cast<std::size_t>(n - 1)];
        const AdoFieldStruct s = adoFieldStruct(*f, recordSetState().memoThreshold);
        const auto& keys = rs.aFldPrimary();
        const bool key = std::find(keys.begin(), keys.end(), col.name) != keys.end();
        std::string value;
        if (key && (s.type == 'N' || s.type == '+')) {
            // A numeric key takes the next number: a second blank record
            // must not collide with the first.
            const Value top = c->QueryData("SELECT MAX(" + CHKSP(col.name) + ") FROM " + CHKSP(rs.cFileName()));
            value = sqlNumber((top.isNumber() ? top.number() : 0) + 1, col.length, 0);
        } else {
            // Texts keep their blanks (the statement text of a value trims).
            const Value blank = appendBlankValue(s, today, now);
            value = blank.isText() && s.type != 'T' ? sqlQuoted(blank.text()) : WL_VALTOSQL(blank, false, kind);
        }
        names += (names.empty() ? "" : ", ") + CHKSP(col.name);
        values += (values.empty() ? "" : ", ") + value;
    }
    if (names.empty()) return false;
    if (!c->Execute("INSERT INTO " + CHKSP(rs.cFileName()) + " ( " + names + " ) VALUES ( " + values + " )",
                    "WLADOAPPENDBLANK"))
        return false;
    rs.Refresh();
    rs.GoBottom();
    return true;
}

bool WLADODELRECORD(TDbOdbc& rs) {
    if (rs.RecCount() == 0 || rs.Eof()) return false;
    if (!MSGYESNO(Value(WLSTRING("Want to delete this record ?")))) return false;
    return rs.Delete();
}

// ---- the row editor's source ------------------------------------------

namespace {

bool isDec1899(const Date& d) { return d.year == 1899 && d.month == 12 && d.day == 30; }

std::string rowPicture(const RecordSetField& f) {
    const int t = f.adoType;
    if (t == adotype::Decimal || t == adotype::Numeric || t == adotype::VarNumeric) return NUMPICT(f.precision, f.scale);
    if (t == adotype::Single || t == adotype::Double || t == adotype::Currency)
        return NUMPICT(std::min(f.precision, 11), 2);
    if (t == adotype::SmallInt || t == adotype::Integer || (t >= adotype::TinyInt && t <= adotype::UnsignedBigInt))
        return NUMPICT(std::min(f.precision, 10), 0);
    return {};
}

}  // namespace

DataRowSource::Read RecordSetRowSource::read(const std::vector<std::string>& fields, std::optional<bool> blank) {
    Read r;
    const bool atEnd = rs_.Eof() || rs_.RecCount() == 0;
    const bool blanks = blank.value_or(atEnd);
    std::vector<int> numbers;
    if (fields.empty())
        for (int n = 1; n <= rs_.FCount(); ++n) numbers.push_back(n);
    else
        for (const std::string& name : fields)
            if (const int n = rs_.Fieldpos(upper(alltrim(name)))) numbers.push_back(n);
    const int memo = recordSetState().memoThreshold;
    for (const int n : numbers) {
        const std::optional<RecordSetField> f = recordSetField(rs_, n);
        const AdoFieldStruct s = adoFieldStruct(*f, memo, currentDateText(rs_, n, f->adoType));
        const char type = s.type == '+' ? 'N' : s.type;
        if (type != 'C' && type != 'D' && type != 'L' && type != 'N' && type != 'T') continue;
        const int width = std::min(100, std::max(f->definedSize, 0));
        Value v = atEnd ? Value() : rs_.FieldGet(n);
        if (v.isDate() && isDec1899(std::get<Date>(v.storage()))) v = Value();
        if (v.isNil() || blanks) {
            v = type == 'C' ? Value(std::string(static_cast<std::size_t>(width), ' '))
                : type == 'N' ? Value(0.0)
                : UTYPETOBLANK(type == 'T' ? 'D' : type);
        } else if (v.isText() && type == 'C' && !ISBINARYDATA(v.text())) {
            std::string t = alltrim(v.text()).substr(0, static_cast<std::size_t>(width));
            v = Value(t + std::string(static_cast<std::size_t>(width) - t.size(), ' '));
        }
        r.row.push_back({s.name, v, adoFieldUpdateable(*f, lockTypeOf(rs_)), type == 'N' ? rowPicture(*f) : ""});
    }
    r.recNo = blanks ? 0 : static_cast<int>(rs_.RecNo());
    r.readOnly = lockTypeOf(rs_) == kLockReadOnly;
    r.typeCheck = !(rs_.oOdbc() && rdbmsKindOf(*rs_.oOdbc()) == RdbmsKind::Sqlite);
    return r;
}

std::optional<DataRowSource::Read> RecordSetRowSource::write(const TDataBaseRow& changed, int recNo,
                                                             const std::vector<std::string>& fields) {
    if (lockTypeOf(rs_) == kLockReadOnly) return std::nullopt;
    const std::int64_t noted = rs_.RecNo();
    const bool added = recNo == 0 || rs_.RecCount() == 0;
    if (added) {
        if (!WLADOAPPENDBLANK(rs_)) {
            WL_SHOWADOERROR(*rs_.oOdbc());
            return std::nullopt;
        }
    }
    const std::int64_t target = added ? rs_.RecNo() : recNo;
    if (!WLADOSAVERECORD(rs_, changed, target)) {
        if (added) rs_.Delete();  // the blank record made for it goes again
        return std::nullopt;
    }
    rs_.GoToId(target);
    Read again = read(fields, false);
    if (!added && noted) rs_.GoToId(noted);
    return again;
}

TDataBaseRow WLADOLOADRECORD(TDbOdbc& recordSet, bool blank) {
    TDataBaseRow row;
    const bool blanks = blank || recordSet.Eof() || recordSet.RecCount() == 0;
    for (int n = 1; n <= recordSet.FCount(); ++n) {
        const char type = recordSet.FieldType(n);
        const int length = recordSet.FieldLen(n);
        // A NULL reads as no value; FieldNull tells whether the column
        // allows none, not whether this row has one.
        Value v = blanks ? Value() : recordSet.FieldGet(n);
        if (v.isNil()) v = UTYPETOBLANK(type, length, recordSet.FieldDec(n));
        if (v.isText() && type == 'C' && static_cast<int>(v.text().size()) < length)
            v = Value(v.text() + std::string(static_cast<std::size_t>(length) - v.text().size(), ' '));
        row.push_back({recordSet.FieldName(n), v, true, ""});
    }
    return row;
}

namespace {

// A dBASE field name: blanks as "_", only A-Z, 0-9 and "_", ten at most;
// a repeated name becomes its first seven characters and its position.
std::string recordSetDbfName(const std::string& name, const std::vector<DbfField>& earlier, std::size_t position) {
    std::string out;
    for (char c : upper(name)) {
        if (c == ' ') c = '_';
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') out += c;
    }
    out = out.substr(0, 10);
    const bool taken =
        std::any_of(earlier.begin(), earlier.end(), [&](const DbfField& f) { return f.name == out; });
    if (taken) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%03d", static_cast<int>(position % 1000));
        out = out.substr(0, 7) + digits;
    }
    return out;
}

}  // namespace

bool WL_ADOEXPORTTODBF(TDbOdbc& recordSet, const std::string& dbfFile, bool editStructure) {
    std::vector<DbfField> fields;
    std::vector<DbfStructRow> rows;
    for (const SqlColumn& c : WLADOSTRUCT(recordSet)) {
        DbfField f{recordSetDbfName(c.name, fields, fields.size() + 1), static_cast<char>(std::toupper(c.type[0])),
                   c.length, c.decimals};
        if (f.type == 'N') f.length = std::min(f.length, 19);
        if (f.type == '+') f.length = std::min(f.length, 10);
        if (f.type == 'C' && f.length > 255) f = {f.name, 'M', 10, 0};
        if (f.type == 'D') f.length = 8;
        if (f.type == 'L') f.length = 1;
        fields.push_back(f);
        const int sqlType = recordSet.FieldTypeSQL(static_cast<int>(fields.size()));
        rows.push_back({f.name, f.type, f.length, f.decimals, adoTypeOfSqlType(sqlType), true});
    }
    // The columns copied: all, or those the user kept in the structure.
    std::vector<int> copied;
    for (std::size_t i = 0; i < fields.size(); ++i) copied.push_back(static_cast<int>(i) + 1);
    if (editStructure) {
        if (!EDITDBFSTRUCT(rows)) return false;
        std::vector<DbfField> kept;
        copied.clear();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (!rows[i].include) continue;
            // The table engine keeps C, N, D, L and M fields: an automatic
            // number is a number, a date with a time its date.
            const char t = rows[i].type;
            if (t == '=' || t == 'T') kept.push_back({rows[i].name, 'D', 8, 0});
            else kept.push_back({rows[i].name, t == '+' ? 'N' : t, rows[i].length, rows[i].decimals});
            copied.push_back(static_cast<int>(i) + 1);
        }
        fields = kept;
    }
    if (fields.empty() || !DbfFile::create(dbfFile, fields)) {
        MSGALERT(Value("Can not create " + dbfFile));
        return false;
    }
    const std::string alias = CGETNEWALIAS("DST");
    std::shared_ptr<DbfArea> area = USEAREA(dbfFile, alias);
    if (!area) {
        MSGALERT(Value("Can not create " + dbfFile));
        return false;
    }
    const std::int64_t noted = recordSet.RecNo();
    for (recordSet.GoTop(); !recordSet.Eof(); recordSet.Skip(1)) {
        const TDataBaseRow row = WLADOLOADRECORD(recordSet);
        ValueList values;
        for (std::size_t i = 0; i < copied.size(); ++i) {
            const DbfField& f = fields[i];
            const Value& v = row[static_cast<std::size_t>(copied[i] - 1)].value;
            values.push_back(v.isText() && (f.type == 'N' || f.type == 'D' || f.type == 'L') ? CONVERTTYPE(v, f.type) : v);
        }
        area->file().append(values);
    }
    dbfCloseArea(alias);
    recordSet.GoToId(noted);
    return true;
}

namespace {

// Closes the source area however the import ends.
struct RecordSetSourceArea {
    std::string alias;
    ~RecordSetSourceArea() {
        if (!alias.empty()) dbfCloseArea(alias);
    }
};

}  // namespace

namespace {

// The columns to import and, for each, the source field's position.
struct ImportColumns {
    std::vector<SqlColumn> columns;
    std::vector<int> positions;
};

ImportColumns importColumns(const DbfArea& area, const std::vector<ImportField>& fields, const std::string& prefix) {
    ImportColumns out;
    auto add = [&](const DbfField& f, const std::optional<SqlColumn>& column, int position) {
        SqlColumn c = column ? *column : SqlColumn{f.name, std::string(1, f.type), f.length, f.decimals};
        c.name = prefix + upper(c.name);
        out.columns.push_back(c);
        out.positions.push_back(position);
    };
    const std::vector<DbfField>& all = area.fields();
    if (fields.empty()) {
        for (std::size_t i = 0; i < all.size(); ++i) add(all[i], std::nullopt, static_cast<int>(i) + 1);
        return out;
    }
    for (const ImportField& wanted : fields) {
        const std::string name = upper(alltrim(wanted.name));
        for (std::size_t i = 0; i < all.size(); ++i)
            if (upper(all[i].name) == name) add(all[i], wanted.column, static_cast<int>(i) + 1);
    }
    return out;
}

}  // namespace

bool WL_ADOIMPORTFROMDBF(TOdbc& connection, const std::string& dbfFile, std::string table, const std::string& prefix,
                         int batch, const std::vector<ImportField>& fields) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(dbfFile, ec)) {
        MSGINFO(Value(dbfFile + " not found"));
        return false;
    }
    RecordSetSourceArea source{CGETNEWALIAS("SRC")};
    std::shared_ptr<DbfArea> area = USEAREA(dbfFile, source.alias);
    if (!area) {
        source.alias.clear();
        MSGINFO(Value("Can not open " + dbfFile));
        return false;
    }
    if (table.empty()) table = std::filesystem::path(dbfFile).stem().string();
    const RdbmsKind kind = rdbmsKindOf(connection);
    if (WL_ADOTABLEEXISTS(table, connection)) {
        if (!MSGNOYES(Value(table + " Already Exists. OverWrite? (Y/N)"))) return false;
        if (!connection.Execute("DROP TABLE " + table, "WL_ADOIMPORTFROMDBF")) {
            MSGINFO(Value("Can not drop table " + table));
            return false;
        }
        if (kind == RdbmsKind::Oracle) connection.Execute("DROP SEQUENCE " + table + "_ID_SEQ");
    }
    const ImportColumns chosen = importColumns(*area, fields, prefix);
    const std::vector<SqlColumn>& columns = chosen.columns;
    std::string names;
    for (const SqlColumn& c : columns) names += (names.empty() ? "" : ",") + c.name;
    if (columns.empty()) {
        MSGINFO(Value("Error Creating " + table));
        return false;
    }
    if (!WLADOCREATETABLE(table, columns, connection, false)) {
        MSGINFO(Value("Error Creating " + table));
        return false;
    }
    if (batch < 0) return true;
    if (kind == RdbmsKind::MsAccess) batch = 0;
    const std::string start =
        "INSERT INTO " + WL_QUOTEDCOLSQL(table, kind) + " ( " + WL_QUOTEDCOLSQL(names, kind) + " ) VALUES ";
    std::string statement;
    int rows = 0;
    bool ok = true;
    auto send = [&] {
        if (!statement.empty() && !connection.Execute(statement, "WL_ADOIMPORTFROMDBF")) ok = false;
        statement.clear();
        rows = 0;
    };
    for (area->GoTop(); !area->Eof(); area->Skip(1)) {
        std::string row = "(";
        const ValueList values = area->Record();
        for (std::size_t i = 0; i < chosen.positions.size(); ++i)
            row += (i ? "," : "") +
                   WL_VALTOSQL(values[static_cast<std::size_t>(chosen.positions[i] - 1)], std::nullopt, kind);
        row += ")";
        if (statement.empty()) {
            statement = start + row;
        } else {
            statement += "," + row;
            ++rows;
        }
        if (rows >= batch) send();
    }
    send();
    if (!ok) WL_SHOWADOERROR(connection);
    return ok;
}

}  // namespace wl
