// What the record-set functions tell of a field: its type number in the
// record-set vocabulary the callers know (2 small integer ... 205 long
// binary), its dBASE letter, length and decimals, and whether it can be
// written. The numbers come from the ODBC column descriptions; the rules
// that turn them into letters are the same whichever layer reads them.
#pragma once

#include <optional>
#include <string>

#include "value.hpp"

namespace wl {

namespace adotype {
constexpr int Empty = 0, SmallInt = 2, Integer = 3, Single = 4, Double = 5, Currency = 6, Date = 7, BStr = 8,
              Boolean = 11, Decimal = 14, TinyInt = 16, UnsignedTinyInt = 17, UnsignedSmallInt = 18,
              UnsignedInt = 19, BigInt = 20, UnsignedBigInt = 21, Guid = 72, Binary = 128, Char = 129, WChar = 130,
              Numeric = 131, DbDate = 133, DbTime = 134, DbTimeStamp = 135, Chapter = 136, PropVariant = 138,
              VarNumeric = 139, VarChar = 200, LongVarChar = 201, VarWChar = 202, LongVarWChar = 203,
              VarBinary = 204, LongVarBinary = 205;
}  // namespace adotype

namespace adoattr {
constexpr int Updatable = 4;
constexpr int UnknownUpdatable = 8;
// Row ids, chapters, row URLs, default streams and collections: never
// written through a record set.
constexpr int NeverWritten = 467200;
}  // namespace adoattr

// The record set's lock types: 1 read-only, 2 pessimistic, 3 optimistic.
constexpr int kLockReadOnly = 1;
constexpr int kLockOptimistic = 3;

// The memo threshold's starting value: longer texts are memo fields.
constexpr int kMemoSizeThreshold = 255;

// One field as its record set describes it.
struct RecordSetField {
    std::string name;
    int adoType = adotype::VarChar;
    int definedSize = 0;
    int precision = 0;
    int scale = 0;
    int attributes = adoattr::UnknownUpdatable;
    bool autoIncrement = false;
};

// WLADOFIELDSTRUCT's six items.
struct AdoFieldStruct {
    std::string name;
    char type = 'C';
    int length = 10;
    int decimals = 0;
    int adoType = 0;
    bool updatable = true;
};

// The record-set type number of an ODBC SQL type.
int adoTypeOfSqlType(int sqlType);
// The attribute bits of an ODBC column: SQL_DESC_UPDATABLE's answer (0
// read-only, 1 written, 2 unknown).
int adoAttributesOfOdbc(int updatable);

// The field's description; current is the row's value when the record set
// stands on a row (a "T" needs a time of at least one second).
AdoFieldStruct adoFieldStruct(const RecordSetField& field, int memoThreshold, const std::optional<Value>& current = {});
// Whether the field can be written in a record set of this lock type.
bool adoFieldUpdateable(const RecordSetField& field, int lockType);

// The blank value of a field the blank record adds (WLADOAPPENDBLANK):
// blanks of the length for texts, 255 blanks for memos, today for dates,
// false, 0, now for timestamps (as "yyyy-mm-dd hh:mm:ss").
Value appendBlankValue(const AdoFieldStruct& field, const Date& today, const std::string& now);

// A "yyyy-mm-dd hh:mm:ss" text whose time is at least one second.
bool timestampHasTime(const Value& v);

}  // namespace wl
