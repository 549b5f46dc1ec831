// Moving records between a work area and lists, name/value pairs and other
// tables: the rows of a scope as lists (WL_DBFTOARRAY), the current record
// as pairs and back (WL_RECTOHASH, WL_HASHTOREC), lists appended as records
// (WL_ARRAYTODBF), and the table commands that copy records to a new table
// or append them from another (dbfCopyTo, dbfAppendFrom). Fields are named;
// there is no expression compiler, so conditions are functions.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dbf_area.hpp"
#include "value.hpp"

namespace wl {

// Which records a command visits, as the table commands take them: with
// none of next, record, rest or whileTrue given, all records from the top;
// otherwise from the current record (record: that one only; next: at most
// n; whileTrue: until it fails). forTrue chooses among those visited.
struct DbfScope {
    std::function<bool(DbfArea&)> forTrue;
    std::function<bool(DbfArea&)> whileTrue;
    std::optional<int> next;
    std::optional<std::uint32_t> record;
    bool rest = false;
};

// Runs visit on each record of the scope (the area stands on it); deleted
// records are passed over. The record pointer is not restored.
void dbfEval(DbfArea& area, const DbfScope& scope, const std::function<void(DbfArea&)>& visit);

// Field names from a comma-separated list (blanks around names removed);
// all fields of the area when the list is empty. Names that are no field
// are kept out.
std::vector<int> dbfFieldPositions(DbfArea& area, const std::string& fields);

// A list of rows, each the values of the fields (all by default) for the
// records of the scope, after the rows of appendTo; the record pointer is
// restored.
ValueList WL_DBFTOARRAY(DbfArea& area, const std::string& fields = {}, const DbfScope& scope = {},
                        ValueList appendTo = {});

// Names and values in their order; looked up without regard to case.
class RecordHash {
public:
    void set(const std::string& name, const Value& v);
    const Value* find(const std::string& name) const;
    const std::vector<std::pair<std::string, Value>>& items() const { return items_; }
    std::size_t size() const { return items_.size(); }

private:
    std::vector<std::pair<std::string, Value>> items_;
};

// The current record's fields (all by default) under names (the fields'
// own by default; the i-th name for the i-th field).
RecordHash WL_RECTOHASH(DbfArea& area, const std::string& fields = {}, const std::string& names = {});
// Writes each value to the field of its key (with fieldNames: the i-th
// value to the i-th field named) when the area holds the file or the
// record locked, or can lock the record now (released after). True when
// written.
bool WL_HASHTOREC(DbfArea& area, const RecordHash& values, const std::string& fieldNames = {});

// Appends a record per row; each value that is not empty goes to its field
// (the named ones, or all fields in order), converted when its type differs
// (CONVERTTYPE); automatic-number and timestamp fields are passed over.
// progress sees (0, count) first and (row, count) after each row. True.
bool WL_ARRAYTODBF(DbfArea& area, const ValueList& rows, const std::string& fields = {},
                   const std::function<void(int, int)>& progress = {});

// COPY TO: a new table of the chosen fields (all by default) holding the
// records of the scope; the record pointer is restored. False when the
// table cannot be made.
bool dbfCopyTo(DbfArea& area, const std::string& file, const std::string& fields = {}, const DbfScope& scope = {});
// APPEND FROM: the records of another table (those forTrue accepts, read
// in that table) appended, fields matched by name (the chosen ones, all
// by default) and converted to each field's type. False when the table
// cannot be opened.
bool dbfAppendFrom(DbfArea& area, const std::string& file, const std::string& fields = {},
                   const std::function<bool(DbfArea&)>& forTrue = {});

}  // namespace wl
