#include "record_set_fields.hpp"

#include <algorithm>

namespace wl {

namespace {

// ODBC's SQL type numbers (sql.h, sqlext.h), spelled here so that the
// portable build needs no ODBC header.
namespace sqlnum {
constexpr int Char = 1, Numeric = 2, Decimal = 3, Integer = 4, SmallInt = 5, Float = 6, Real = 7, Double = 8,
              Date = 9, Time = 10, Timestamp = 11, VarChar = 12, TypeDate = 91, TypeTime = 92, TypeTimestamp = 93,
              LongVarChar = -1, Binary = -2, VarBinary = -3, LongVarBinary = -4, BigInt = -5, TinyInt = -6,
              Bit = -7, WChar = -8, WVarChar = -9, WLongVarChar = -10, Guid = -11;
}  // namespace sqlnum

bool isOneOf(int n, std::initializer_list<int> list) { return std::find(list.begin(), list.end(), n) != list.end(); }

}  // namespace

int adoTypeOfSqlType(int sqlType) {
    switch (sqlType) {
        case sqlnum::Char: return adotype::Char;
        case sqlnum::VarChar: return adotype::VarChar;
        case sqlnum::LongVarChar: return adotype::LongVarChar;
        case sqlnum::WChar: return adotype::WChar;
        case sqlnum::WVarChar: return adotype::VarWChar;
        case sqlnum::WLongVarChar: return adotype::LongVarWChar;
        case sqlnum::Numeric:
        case sqlnum::Decimal: return adotype::Numeric;
        case sqlnum::Integer: return adotype::Integer;
        case sqlnum::SmallInt: return adotype::SmallInt;
        case sqlnum::TinyInt: return adotype::TinyInt;
        case sqlnum::BigInt: return adotype::BigInt;
        case sqlnum::Real: return adotype::Single;
        case sqlnum::Float:
        case sqlnum::Double: return adotype::Double;
        case sqlnum::Bit: return adotype::Boolean;
        case sqlnum::Date:
        case sqlnum::TypeDate: return adotype::DbDate;
        case sqlnum::Time:
        case sqlnum::TypeTime: return adotype::DbTime;
        case sqlnum::Timestamp:
        case sqlnum::TypeTimestamp: return adotype::DbTimeStamp;
        case sqlnum::Binary: return adotype::Binary;
        case sqlnum::VarBinary: return adotype::VarBinary;
        case sqlnum::LongVarBinary: return adotype::LongVarBinary;
        case sqlnum::Guid: return adotype::Guid;
        default: return adotype::Empty;
    }
}

int adoAttributesOfOdbc(int updatable) {
    if (updatable == 1) return adoattr::Updatable | adoattr::UnknownUpdatable;
    if (updatable == 2) return adoattr::UnknownUpdatable;
    return 0;
}

bool timestampHasTime(const Value& v) {
    if (!v.isText()) return false;
    const std::string& t = v.text();
    if (t.size() < 19 || t[10] != ' ') return false;
    return t.substr(11, 8) != "00:00:00";
}

AdoFieldStruct adoFieldStruct(const RecordSetField& f, int memoThreshold, const std::optional<Value>& current) {
    AdoFieldStruct s{f.name, 'C', 10, 0, f.adoType, true};
    const int t = f.adoType;
    if (t == adotype::Boolean) {
        s.type = 'L';
        s.length = 1;
    } else if (isOneOf(t, {adotype::Date, adotype::DbDate, adotype::DbTime, adotype::DbTimeStamp})) {
        s.type = current && timestampHasTime(*current) ? 'T' : 'D';
        s.length = 8;
    } else if (isOneOf(t, {adotype::TinyInt, adotype::SmallInt, adotype::Integer, adotype::BigInt,
                           adotype::UnsignedTinyInt, adotype::UnsignedSmallInt, adotype::UnsignedInt,
                           adotype::UnsignedBigInt})) {
        s.type = f.autoIncrement ? '+' : 'N';
        s.length = f.precision + 1;
        if (f.autoIncrement) s.updatable = false;
    } else if (isOneOf(t, {adotype::Single, adotype::Double})) {
        s = {f.name, 'N', std::max(19, f.precision + 2), 2, t, true};
    } else if (t == adotype::Currency) {
        s = {f.name, 'N', 19, 2, t, true};
    } else if (isOneOf(t, {adotype::Decimal, adotype::Numeric, adotype::VarNumeric})) {
        s = {f.name, 'N', std::max(19, f.precision + 2), 0, t, true};
        if (f.scale > 0 && f.scale < s.length) s.decimals = f.scale;
    } else if (isOneOf(t, {adotype::BStr, adotype::Char, adotype::VarChar, adotype::LongVarChar, adotype::WChar,
                           adotype::VarWChar, adotype::LongVarWChar})) {
        const bool memo = f.definedSize > memoThreshold && t != adotype::Char && t != adotype::WChar;
        s.type = memo ? 'M' : 'C';
        s.length = memo ? 10 : f.definedSize;
    } else if (isOneOf(t, {adotype::Binary, adotype::VarBinary, adotype::LongVarBinary})) {
        const bool memo = f.definedSize > memoThreshold && t != adotype::Binary;
        s.type = memo ? 'm' : 'C';
        s.length = memo ? 10 : f.definedSize;
    } else if (isOneOf(t, {adotype::Chapter, adotype::PropVariant})) {
        s.type = 'O';
        s.updatable = false;
    } else {
        s.updatable = false;
    }
    if ((f.attributes & adoattr::NeverWritten) || !(f.attributes & adoattr::UnknownUpdatable)) s.updatable = false;
    return s;
}

bool adoFieldUpdateable(const RecordSetField& f, int lockType) {
    if (lockType < 2) return false;
    if (f.attributes & adoattr::Updatable) return true;
    if (!(f.attributes & adoattr::UnknownUpdatable) || (f.attributes & adoattr::NeverWritten)) return false;
    if (isOneOf(f.adoType, {adotype::Binary, adotype::LongVarChar, adotype::LongVarWChar, adotype::VarBinary,
                            adotype::LongVarBinary}))
        return true;
    return !f.autoIncrement;
}

Value appendBlankValue(const AdoFieldStruct& f, const Date& today, const std::string& now) {
    switch (f.type) {
        case 'C': return Value(std::string(static_cast<std::size_t>(std::max(0, f.length)), ' '));
        case 'M':
        case 'm': return Value(std::string(255, ' '));
        case 'D': return Value(today);
        case 'T': return Value(now);
        case 'L': return Value(false);
        default: return Value(0);
    }
}

}  // namespace wl
