// The portable side of the ODBC classes: connection strings, column
// descriptions and the conversion of fetched text into values, the bounded
// error list, and the SQL text the tables build (literals, key conditions,
// the statement that reads one row again, orders and seek conditions).
// The classes in source/classes only move bytes between these and odbc32.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "value.hpp"

namespace wl {

// ---- connecting -------------------------------------------------------

// A value for a connection string: as it is when it holds none of ; { } =
// and no blank at either end, else between braces with every closing
// brace doubled (so a ";" in a password cannot end the value early).
std::string odbcBraceValue(std::string_view value);

// TOdbc's connection string: "DSN=" + name, or a text beginning with
// "DRIVER" (any case) as it is; ";UID=" + user when there is one; always
// ";PWD=" + password. Name, user and password are trimmed first.
std::string odbcConnectString(std::string_view dsn, std::string_view user, std::string_view password);

// The data source name in a completed connection string: the part before
// the first ";" less everything up to its first "=".
std::string dsnFromCompleted(std::string_view completed);

// ---- column descriptions ----------------------------------------------

// SQL types and C types used here (ODBC's numbers).
namespace sqltype {
constexpr int Char = 1, Numeric = 2, Decimal = 3, Integer = 4, SmallInt = 5, Float = 6, Real = 7, Double = 8,
              SqlDate = 9, SqlTime = 10, SqlTimestamp = 11, VarChar = 12, LongVarChar = -1, Binary = -2, VarBinary = -3,
              LongVarBinary = -4, BigInt = -5, TinyInt = -6, Bit = -7, TypeDate = 91, TypeTime = 92,
              TypeTimestamp = 93;
constexpr int CChar = 1, CTimestamp = 11;
}  // namespace sqltype

// One result column as the classes use it (the nine items of the
// documented list; the converter is convertFetched below).
struct ColumnDescription {
    std::string name;   // 1
    char type = 'U';    // 2: C, N, D, L, M or U
    int length = 0;     // 3
    int decimals = 0;   // 4
    bool noNulls = false;  // 5
    int sqlType = 0;    // 6, signed
    int cType = sqltype::CChar;  // 7
    bool dateAsText = false;     // 8: how dates are converted
    bool changed = false;        // 9
    bool tableColumn = false;    // described for TDbOdbc (its converters differ)
};

// What SQLDescribeCol reports of a column.
struct DescribedColumn {
    std::string name;
    int sqlType = 0;
    std::int64_t size = 0;
    int decimals = 0;
    bool noNulls = false;
};

// The description TOdbc gives (its rules for letters, lengths and
// decimals); setDecimals is the program's default number of decimals.
ColumnDescription describeQueryColumn(const DescribedColumn& c, bool dateAsText, int setDecimals = 2);
// The description TDbOdbc gives: names in upper case, DATE and TIMESTAMP
// always "D", lengths up to 32767.
ColumnDescription describeTableColumn(const DescribedColumn& c, int setDecimals = 2);

// ODBC's TIMESTAMP_STRUCT, as fetched with SQL_C_TIMESTAMP.
struct OdbcTimestamp {
    std::int16_t year = 0;
    std::uint16_t month = 0, day = 0, hour = 0, minute = 0, second = 0;
    std::uint32_t fraction = 0;  // billionths of a second
};

// The value of a column fetched as text (the converter of its description).
Value convertFetched(const ColumnDescription& c, std::string_view text);
// The value of a TIMESTAMP column fetched as SQL_C_TIMESTAMP.
Value convertTimestamp(const ColumnDescription& c, const OdbcTimestamp& t);
// "yyyy-mm-dd hh:mm:ss.fff".
std::string timestampText(const OdbcTimestamp& t);

// ---- errors -------------------------------------------------------------

struct OdbcError {
    std::string operation;
    std::string location;
    std::string message;
    long code = 0;
};

// The errors met, oldest first, never more than 101: the oldest goes first.
class OdbcErrorList {
public:
    static constexpr std::size_t kMax = 101;
    void add(OdbcError e);
    const std::deque<OdbcError>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    void clear() { entries_.clear(); }

private:
    std::deque<OdbcError> entries_;
};

// "Class: " + state + (", Error: " + message) + (CR LF + diagnostic).
std::string odbcErrorMessage(std::string_view state, std::string_view message, std::string_view diagnostic);
// One line of the error list: operation TAB location TAB message "Retcode: " code.
std::string odbcErrorLine(const OdbcError& e);
// The text of the error's message box.
std::string odbcErrorBoxText(const OdbcError& e);

// ---- SQL text -----------------------------------------------------------

// CHKSP: "[" + name + "]" when the trimmed name holds a blank.
std::string CHKSP(std::string_view name);

// A text between single quotes with every single quote doubled.
std::string sqlQuoted(std::string_view text);

// STR(n, length, decimals) with the leading blanks removed.
std::string sqlNumber(double n, int length, int decimals);

// "{d 'yyyy-mm-dd'}".
std::string sqlDateEscape(const Date& d);

// The literal of a value for a column of the given type letter: "C"/"M"
// quoted without trailing blanks (trimmed on both sides when trimBoth);
// "N" with the column's length and decimals; "L" 1 or 0; "D" the date
// escape; others CVALTOCHAR quoted. No value and the blank date are NULL.
std::string sqlLiteral(const Value& v, const ColumnDescription& c, bool trimBoth = false);

// One key column of a row: its name and value (nil for a null value).
struct KeyValue {
    std::string name;
    const ColumnDescription* column = nullptr;
    Value value;
};
// "A = 1 AND B IS NULL": a null key is tested with IS NULL.
std::string keyCondition(const std::vector<KeyValue>& keys);

// "name = literal , ..." of the changed columns (UPDATE's SET list).
std::string setList(const std::vector<ColumnDescription>& columns, const ValueList& values,
                    const std::function<std::string(std::size_t)>& nameOf);

// The statement that reads one row of select again: the condition is put
// in brackets and joined to the statement's own WHERE with AND, or added
// as a WHERE before its GROUP BY, HAVING or ORDER BY.
std::string selectWithCondition(std::string_view select, std::string_view condition);

// The table a SELECT reads: the word after its first "FROM ", up to a
// blank or comma, through CHKSP; "" when there is none.
std::string tableOfSelect(std::string_view select);

// The table source of TDbOdbc: a SELECT as it is; "Table" or
// "Table(2, NAME, 9)" as SELECT * or the chosen columns. columnNames are
// the table's columns (asked only for a source with a list).
struct TableSource {
    std::string select;
    std::string fileName;  // "" for a SELECT source
    bool needsColumns = false;
};
TableSource tableSource(std::string_view source);
std::string selectOfColumns(std::string_view source, const std::vector<std::string>& columnNames);

// One column of an order: its position (from 1) and the direction.
struct OrderItem {
    std::size_t column = 0;
    bool descending = false;
};
// The order text split at commas; {} when an item names no column.
std::vector<OrderItem> parseOrder(std::string_view order, const std::vector<ColumnDescription>& columns);
// Surrounding quotes, square brackets or double quotes removed.
std::string unquoteItem(std::string_view item);

// The condition of a seek over the order's columns.
std::string seekCondition(const Value& v, const std::vector<OrderItem>& order,
                          const std::vector<ColumnDescription>& columns);

// TOdbc::Create's column clauses, and its whole statement.
struct CreateColumn {
    std::string name;
    char type = 'C';
    int length = 10;
    int decimals = 0;
    std::optional<std::string> extra;  // e.g. "NOT NULL PRIMARY KEY"
};
std::string createTableStatement(std::string_view table, const std::vector<CreateColumn>& columns);

// The number of rows of a scrollable cursor found by absolute fetches:
// steps of ten million, halved when a fetch finds no row. fetchAbsolute
// answers 0 or -5500 (a row), 100 (none) or an error code (which ends the
// count).
std::int64_t countRowsByHalving(bool firstFound, const std::function<int(std::int64_t)>& fetchAbsolute);

}  // namespace wl
