#include "odbc_text.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "text.hpp"

namespace wl {

namespace {

bool startsWithNoCase(std::string_view text, std::string_view word) {
    return text.size() >= word.size() && upper(text.substr(0, word.size())) == word;
}

// The position of a keyword that stands as a word (at the start or after
// white space), searched in the upper-case copy; npos when absent.
std::size_t findKeyword(const std::string& upperText, std::string_view keyword, std::size_t from = 0) {
    for (std::size_t at = upperText.find(keyword, from); at != std::string::npos;
         at = upperText.find(keyword, at + 1)) {
        if (at == 0 || std::isspace(static_cast<unsigned char>(upperText[at - 1]))) return at;
    }
    return std::string::npos;
}

bool isNumericType(int t) {
    using namespace sqltype;
    return t == Numeric || t == Decimal || t == Integer || t == SmallInt || t == Float || t == Real ||
           t == Double || t == TinyInt;
}

// ODBC 3 drivers may report the newer date and time numbers.
int odbc2Type(int t) {
    if (t == sqltype::TypeDate) return sqltype::SqlDate;
    if (t == sqltype::TypeTime) return sqltype::SqlTime;
    if (t == sqltype::TypeTimestamp) return sqltype::SqlTimestamp;
    return t;
}

char typeLetter(int t) {
    using namespace sqltype;
    if (t == Char || t == VarChar || t == SqlTime) return 'C';
    if (t == Bit) return 'L';
    if (isNumericType(t)) return 'N';
    if (t == SqlDate || t == SqlTimestamp) return 'D';
    if (t == LongVarChar || t == LongVarBinary) return 'M';
    return 'U';
}

int driverLength(const DescribedColumn& c, int sqlType, std::int64_t most) {
    std::int64_t n = c.size;
    if (sqlType == sqltype::Binary && c.size == 8) n = 16;
    if (sqlType < sqltype::Bit) n = 3 * c.size;  // the wide-character types
    return static_cast<int>(std::clamp<std::int64_t>(n, 0, most));
}

int describedDecimals(const DescribedColumn& c, int sqlType, int setDecimals) {
    using namespace sqltype;
    if (!isNumericType(sqlType)) return c.decimals;
    if (sqlType == Double || sqlType == Float || sqlType == Real || c.decimals >= c.size) return setDecimals;
    return c.decimals;
}

ColumnDescription baseDescription(const DescribedColumn& c, int sqlType) {
    ColumnDescription d;
    d.sqlType = c.sqlType;
    d.noNulls = c.noNulls;
    d.cType = sqlType == sqltype::SqlTimestamp ? sqltype::CTimestamp : sqltype::CChar;
    return d;
}

// VAL: the number at the start of the text.
Value numberValue(std::string_view text) {
    std::string t = alltrim(text);
    if (t.find_first_of(".eE") != std::string::npos) return Value(std::strtod(t.c_str(), nullptr));
    return Value(static_cast<std::int64_t>(std::strtoll(t.c_str(), nullptr, 10)));
}

int digitsAt(std::string_view text, std::size_t at, std::size_t n) {
    if (at + n > text.size()) return -1;
    int v = 0;
    for (std::size_t i = at; i < at + n; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        v = v * 10 + (text[i] - '0');
    }
    return v;
}

// The date of "yyyy-mm-dd" (or yyyymmdd); the blank date when it is none.
Date dateOfText(std::string_view text) {
    std::string t = alltrim(text);
    bool dashed = t.size() >= 10 && t[4] == '-';
    int y = digitsAt(t, 0, 4);
    int m = digitsAt(t, dashed ? 5 : 4, 2);
    int d = digitsAt(t, dashed ? 8 : 6, 2);
    if (y <= 0 || m < 1 || m > 12 || d < 1 || d > 31) return Date{};
    return Date{y, m, d};
}

std::string twoDigits(unsigned n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02u", n % 100);
    return buf;
}

}  // namespace

// ---- connecting -------------------------------------------------------

std::string odbcBraceValue(std::string_view value) {
    bool plain = value.find_first_of(";{}") == std::string_view::npos &&
                 (value.empty() || (value.front() != ' ' && value.back() != ' '));
    if (plain) return std::string(value);
    std::string out = "{";
    for (char c : value) {
        out += c;
        if (c == '}') out += '}';
    }
    return out + "}";
}

std::string odbcConnectString(std::string_view dsn, std::string_view user, std::string_view password) {
    std::string name = alltrim(dsn);
    std::string text = "DSN=";
    if (!name.empty()) text = startsWithNoCase(name, "DRIVER") ? name : "DSN=" + odbcBraceValue(name);
    std::string uid = alltrim(user);
    if (!uid.empty()) text += ";UID=" + odbcBraceValue(uid);
    return text + ";PWD=" + odbcBraceValue(alltrim(password));
}

std::string dsnFromCompleted(std::string_view completed) {
    std::string_view first = completed.substr(0, completed.find(';'));
    std::size_t eq = first.find('=');
    std::string_view name = eq == std::string_view::npos ? first : first.substr(eq + 1);
    // A braced name loses its braces.
    if (name.size() >= 2 && name.front() == '{' && name.back() == '}') name = name.substr(1, name.size() - 2);
    return std::string(name);
}

// ---- column descriptions ----------------------------------------------

ColumnDescription describeQueryColumn(const DescribedColumn& c, bool dateAsText, int setDecimals) {
    int t = odbc2Type(c.sqlType);
    ColumnDescription d = baseDescription(c, t);
    d.name = alltrim(c.name);
    d.type = typeLetter(t);
    if (d.type == 'D' && dateAsText) d.type = 'C';
    d.length = isNumericType(t) ? 15 : driverLength(c, t, 131072);
    d.decimals = describedDecimals(c, t, setDecimals);
    d.dateAsText = dateAsText;
    return d;
}

ColumnDescription describeTableColumn(const DescribedColumn& c, int setDecimals) {
    int t = odbc2Type(c.sqlType);
    ColumnDescription d = baseDescription(c, t);
    d.name = upper(alltrim(c.name));
    d.type = typeLetter(t);
    d.length = driverLength(c, t, 32767);
    d.decimals = describedDecimals(c, t, setDecimals);
    d.tableColumn = true;
    return d;
}

Value convertFetched(const ColumnDescription& c, std::string_view text) {
    using namespace sqltype;
    int t = odbc2Type(c.sqlType);
    bool padded = t == Char || t == VarChar || (!c.tableColumn && (t == LongVarChar || t == VarBinary ||
                                                                   t == LongVarBinary));
    if (padded) return Value(padRight(text, static_cast<std::size_t>(std::max(c.length, 0))));
    if (t == Bit) return Value(!text.empty() && text.front() != '0');
    if (isNumericType(t)) return numberValue(text);
    if (t == sqltype::SqlDate) {
        if (c.dateAsText && !c.tableColumn) return Value(std::string(text));
        return Value(dateOfText(text));
    }
    if (t == SqlTimestamp) {
        // Fetched as text only when a driver refuses the structure.
        if (c.dateAsText && !c.tableColumn) return Value(std::string(text));
        return Value(dateOfText(text));
    }
    return Value(std::string(text));
}

std::string timestampText(const OdbcTimestamp& t) {
    char ms[8];
    std::snprintf(ms, sizeof ms, "%03u", static_cast<unsigned>((t.fraction / 1000000u) % 1000u));
    return padLeft(std::to_string(t.year), 4) + "-" + twoDigits(t.month) + "-" + twoDigits(t.day) + " " +
           twoDigits(t.hour) + ":" + twoDigits(t.minute) + ":" + twoDigits(t.second) + "." + ms;
}

Value convertTimestamp(const ColumnDescription& c, const OdbcTimestamp& t) {
    if (c.dateAsText && !c.tableColumn) return Value(timestampText(t));
    if (t.year <= 0) return Value(Date{});
    return Value(Date{t.year, t.month, t.day});
}

// ---- errors -------------------------------------------------------------

void OdbcErrorList::add(OdbcError e) {
    while (entries_.size() >= kMax) entries_.pop_front();
    entries_.push_back(std::move(e));
}

std::string odbcErrorMessage(std::string_view state, std::string_view message, std::string_view diagnostic) {
    std::string text = "Class: " + alltrim(state);
    std::string m = alltrim(message);
    if (!m.empty()) text += ", Error: " + m;
    if (!diagnostic.empty()) text += "\r\n" + std::string(diagnostic);
    return text;
}

std::string odbcErrorLine(const OdbcError& e) {
    return e.operation + "\t" + e.location + "\t" + e.message + "Retcode: " + std::to_string(e.code);
}

std::string odbcErrorBoxText(const OdbcError& e) {
    return e.operation + "\r\n[# " + std::to_string(e.code) + "] " + e.message + "\r\n\r\n" + e.location;
}

// ---- SQL text -----------------------------------------------------------

std::string CHKSP(std::string_view name) {
    if (alltrim(name).find(' ') != std::string::npos) return "[" + std::string(name) + "]";
    return std::string(name);
}

std::string sqlQuoted(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

std::string sqlNumber(double n, int length, int decimals) {
    char buf[64];
    int dec = std::clamp(decimals, 0, 15);
    std::snprintf(buf, sizeof buf, "%*.*f", std::clamp(length, 1, 40), dec, n);
    // A value wider than its column keeps all its digits: the server decides
    // whether it fits, never a row of asterisks.
    return ltrim(buf);
}

std::string sqlDateEscape(const Date& d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "{d '%04d-%02d-%02d'}", d.year, d.month, d.day);
    return buf;
}

std::string sqlLiteral(const Value& v, const ColumnDescription& c, bool trimBoth) {
    if (v.isNil()) return "NULL";
    switch (c.type) {
    case 'C':
    case 'M': {
        std::string text = v.isText() ? v.text() : CVALTOCHAR(v);
        return sqlQuoted(trimBoth ? alltrim(text) : rtrim(text));
    }
    case 'N':
        if (v.isNumber()) return sqlNumber(v.number(), c.length, c.decimals);
        return sqlNumber(numberValue(v.isText() ? v.text() : CVALTOCHAR(v)).number(), c.length, c.decimals);
    case 'L':
        return v.logical() ? "1" : "0";
    case 'D': {
        Date d = v.isDate() ? std::get<Date>(v.storage()) : dateOfText(v.isText() ? v.text() : "");
        return d.blank() ? "NULL" : sqlDateEscape(d);
    }
    default:
        return sqlQuoted(CVALTOCHAR(v));
    }
}

std::string keyCondition(const std::vector<KeyValue>& keys) {
    std::string out;
    for (const auto& k : keys) {
        if (!out.empty()) out += " AND ";
        if (k.value.isNil() || !k.column) {
            out += k.name + " IS NULL";
        } else {
            out += k.name + " = " + sqlLiteral(k.value, *k.column, true);
        }
    }
    return out;
}

std::string setList(const std::vector<ColumnDescription>& columns, const ValueList& values,
                    const std::function<std::string(std::size_t)>& nameOf) {
    std::string out;
    for (std::size_t i = 0; i < columns.size() && i < values.size(); ++i) {
        if (!columns[i].changed) continue;
        if (!out.empty()) out += " , ";
        out += nameOf(i) + " = " + sqlLiteral(values[i], columns[i]);
    }
    return out;
}

std::string selectWithCondition(std::string_view select, std::string_view condition) {
    std::string text(select);
    std::string up = upper(text);
    std::size_t from = findKeyword(up, "FROM ");
    std::size_t start = from == std::string::npos ? 0 : from;
    std::size_t cut = text.size();
    for (std::string_view word : {"GROUP BY ", "HAVING ", "ORDER BY "}) {
        cut = std::min(cut, findKeyword(up, word, start));
    }
    std::string tail = cut < text.size() ? " " + text.substr(cut) : "";
    std::size_t where = findKeyword(up, "WHERE ", start);
    if (where != std::string::npos && where < cut) {
        std::string old = alltrim(std::string_view(text).substr(where + 6, cut - where - 6));
        return text.substr(0, where) + "WHERE (" + std::string(condition) + ") AND (" + old + ")" + tail;
    }
    return rtrim(text.substr(0, cut)) + " WHERE " + std::string(condition) + tail;
}

std::string tableOfSelect(std::string_view select) {
    std::string up = upper(select);
    std::size_t at = findKeyword(up, "FROM ");
    if (at == std::string::npos) return {};
    std::string rest = ltrim(select.substr(at + 5));
    if (!rest.empty() && rest.front() == '[') {
        std::size_t close = rest.find(']');
        return close == std::string::npos ? rest : rest.substr(0, close + 1);
    }
    rest = rest.substr(0, rest.find_first_of(" \t\r\n"));
    rest = rest.substr(0, rest.find(','));
    return rest.empty() ? std::string() : CHKSP(rest);
}

TableSource tableSource(std::string_view source) {
    TableSource s;
    std::string text = alltrim(source);
    if (startsWithNoCase(text, "SELECT")) {
        s.select = text;
        return s;
    }
    std::size_t open = text.find('(');
    s.fileName = alltrim(text.substr(0, open));
    s.select = "SELECT * FROM " + CHKSP(s.fileName);
    s.needsColumns = open != std::string::npos;
    return s;
}

std::string selectOfColumns(std::string_view source, const std::vector<std::string>& columnNames) {
    std::string text = alltrim(source);
    std::size_t open = text.find('(');
    std::string table = alltrim(text.substr(0, open));
    std::string fallback = "SELECT * FROM " + CHKSP(table);
    if (open == std::string::npos) return fallback;
    std::string list = text.substr(open + 1);
    if (std::size_t close = list.find(')'); close != std::string::npos) list = list.substr(0, close);
    std::vector<std::string> chosen;
    std::size_t pos = 0;
    while (pos <= list.size()) {
        std::size_t comma = list.find(',', pos);
        std::string item = alltrim(list.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos));
        if (item.empty()) break;
        char* end = nullptr;
        long n = std::strtol(item.c_str(), &end, 10);
        if (end && *end == '\0') {
            if (n > 0 && static_cast<std::size_t>(n) <= columnNames.size()) chosen.push_back(columnNames[n - 1]);
        } else {
            for (const auto& name : columnNames) {
                if (upper(name) == upper(item)) {
                    chosen.push_back(item);
                    break;
                }
            }
        }
        if (comma == std::string::npos) break;
        pos = comma + 1;
    }
    if (chosen.empty()) return fallback;
    std::string cols;
    for (const auto& c : chosen) cols += (cols.empty() ? "" : ", ") + c;
    return "SELECT " + cols + " FROM " + CHKSP(table);
}

std::string unquoteItem(std::string_view item) {
    std::string t = alltrim(item);
    if (t.size() >= 2 && (t.front() == '\'' || t.front() == '[' || t.front() == '"') &&
        (t.back() == '\'' || t.back() == ']' || t.back() == '"')) {
        return t.substr(1, t.size() - 2);
    }
    return t;
}

std::vector<OrderItem> parseOrder(std::string_view order, const std::vector<ColumnDescription>& columns) {
    std::vector<OrderItem> out;
    std::string text = upper(order);
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t comma = text.find(',', pos);
        std::string item = alltrim(text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos));
        OrderItem o;
        if (item.size() > 5 && item.compare(item.size() - 5, 5, " DESC") == 0) {
            o.descending = true;
            item = alltrim(item.substr(0, item.size() - 5));
        }
        item = unquoteItem(item);
        auto it = std::find_if(columns.begin(), columns.end(), [&](const auto& c) { return c.name == item; });
        if (it == columns.end()) return {};
        o.column = static_cast<std::size_t>(it - columns.begin()) + 1;
        out.push_back(o);
        if (comma == std::string::npos) break;
        pos = comma + 1;
    }
    return out;
}

std::string seekCondition(const Value& v, const std::vector<OrderItem>& order,
                          const std::vector<ColumnDescription>& columns) {
    if (order.empty() || order.front().column == 0 || order.front().column > columns.size()) return {};
    const ColumnDescription& first = columns[order.front().column - 1];
    std::string name = CHKSP(first.name);
    if (v.isNumber()) return name + " = " + sqlNumber(v.number(), first.length, first.decimals);
    if (v.isDate()) return name + " = " + sqlDateEscape(std::get<Date>(v.storage()));
    if (v.isLogical()) return name + " = " + (v.logical() ? "1" : "0");
    std::string text = v.isText() ? v.text() : CVALTOCHAR(v);
    std::string out;
    std::size_t pos = 0;
    for (const auto& o : order) {
        if (pos >= text.size() || o.column == 0 || o.column > columns.size()) break;
        const ColumnDescription& c = columns[o.column - 1];
        std::size_t width = static_cast<std::size_t>(std::max(c.length, 1));
        std::string part = text.substr(pos, width);
        pos += width;
        std::string col = CHKSP(c.name);
        std::string clause;
        if (c.type == 'N') {
            clause = col + " = " + sqlNumber(numberValue(part).number(), c.length, c.decimals);
        } else if (c.type == 'D') {
            Date d = dateOfText(part);
            clause = col + (d.blank() ? " IS NULL" : " = " + sqlDateEscape(d));
        } else if (c.type == 'L') {
            clause = col + " = " + (upper(part).find('T') != std::string::npos ? "1" : "0");
        } else if (part.size() < width) {
            clause = col + " LIKE  " + sqlQuoted(part + "%");
        } else {
            clause = col + " = " + sqlQuoted(part);
        }
        out += (out.empty() ? "" : " AND ") + clause;
    }
    return out;
}

std::string createTableStatement(std::string_view table, const std::vector<CreateColumn>& columns) {
    std::string name = alltrim(table);
    std::string text = name.find(' ') != std::string::npos ? "CREATE TABLE [" + name + "] ( "
                                                           : "CREATE TABLE " + name + " ( ";
    bool firstColumn = true;
    for (const auto& c : columns) {
        std::string clause = c.name;
        switch (upperChar(c.type)) {
        case 'C': clause += " Char(" + std::to_string(c.length) + ")"; break;
        case 'L': clause += " Bit"; break;
        case 'N': clause += " Numeric(" + std::to_string(c.length) + ", " + std::to_string(c.decimals) + ")"; break;
        case 'M': clause += " Text"; break;
        case 'D': clause += " Datetime"; break;
        default: break;
        }
        if (c.extra) clause += " " + *c.extra;
        text += (firstColumn ? "" : ", ") + clause;
        firstColumn = false;
    }
    return text + " )";
}

std::int64_t countRowsByHalving(bool firstFound, const std::function<int(std::int64_t)>& fetchAbsolute) {
    std::int64_t count = 0;
    std::int64_t step = firstFound ? 10000000 : 0;
    while (step > 0) {
        int rc = fetchAbsolute(count + step);
        if (rc == 0 || rc == 1 || rc == -5500) {
            count += step;
        } else if (rc == 100) {
            step /= 2;
        } else {
            break;
        }
    }
    return count;
}

}  // namespace wl
