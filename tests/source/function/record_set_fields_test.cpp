// The record-set field rules: ODBC types to record-set numbers, numbers to
// dBASE letters and lengths (memo threshold included), the updatable
// answer by lock type and attributes, and the blank record's values.
#include "record_set_fields.hpp"

#include <gtest/gtest.h>

namespace {

using wl::AdoFieldStruct;
using wl::RecordSetField;
namespace adotype = wl::adotype;
namespace adoattr = wl::adoattr;

TEST(RecordSetFields, OdbcTypesBecomeRecordSetNumbers) {
    const struct {
        int sql;
        int ado;
    } cases[] = {{1, 129},  {12, 200}, {-1, 201}, {-8, 130},  {-9, 202}, {-10, 203}, {2, 131}, {3, 131},
                 {4, 3},    {5, 2},    {-6, 16},  {-5, 20},   {7, 4},    {6, 5},     {8, 5},   {-7, 11},
                 {91, 133}, {9, 133},  {92, 134}, {93, 135},  {11, 135}, {-2, 128},  {-3, 204}, {-4, 205},
                 {-11, 72}, {999, 0}};
    for (const auto& c : cases) EXPECT_EQ(wl::adoTypeOfSqlType(c.sql), c.ado) << c.sql;
    EXPECT_EQ(wl::adoAttributesOfOdbc(0), 0);
    EXPECT_EQ(wl::adoAttributesOfOdbc(1), adoattr::Updatable | adoattr::UnknownUpdatable);
    EXPECT_EQ(wl::adoAttributesOfOdbc(2), adoattr::UnknownUpdatable);
}

TEST(RecordSetFields, NumbersBecomeLettersLengthsAndDecimals) {
    const struct {
        RecordSetField field;
        char type;
        int length, decimals;
        bool updatable;
    } cases[] = {
        {{"PAID", adotype::Boolean, 1}, 'L', 1, 0, true},
        {{"SEEN", adotype::DbDate, 10}, 'D', 8, 0, true},
        {{"ID", adotype::Integer, 4, 10}, 'N', 11, 0, true},
        {{"ID", adotype::Integer, 4, 10, 0, adoattr::UnknownUpdatable, true}, '+', 11, 0, false},
        {{"RATE", adotype::Double, 8, 15}, 'N', 19, 2, true},
        {{"RATE", adotype::Single, 8, 30}, 'N', 32, 2, true},
        {{"FEE", adotype::Currency, 8, 19}, 'N', 19, 2, true},
        {{"AMT", adotype::Numeric, 10, 12, 3}, 'N', 19, 3, true},
        {{"AMT", adotype::Numeric, 10, 12, 0}, 'N', 19, 0, true},
        {{"NAME", adotype::VarChar, 40}, 'C', 40, 0, true},
        {{"NOTE", adotype::VarChar, 256}, 'M', 10, 0, true},
        {{"CODE", adotype::Char, 300}, 'C', 300, 0, true},  // fixed texts are never memos
        {{"BLOB", adotype::VarBinary, 300}, 'm', 10, 0, true},
        {{"KEY", adotype::Binary, 300}, 'C', 300, 0, true},
        {{"KIDS", adotype::Chapter, 4}, 'O', 10, 0, false},
        {{"GUID", adotype::Guid, 16}, 'C', 10, 0, false},
        {{"NAME", adotype::VarChar, 40, 0, 0, 0}, 'C', 40, 0, false},  // no updatable bit
        {{"NAME", adotype::VarChar, 40, 0, 0, adoattr::UnknownUpdatable | 0x100}, 'C', 40, 0, false},  // a row id
    };
    for (const auto& c : cases) {
        const AdoFieldStruct s = wl::adoFieldStruct(c.field, wl::kMemoSizeThreshold);
        EXPECT_EQ(s.name, c.field.name);
        EXPECT_EQ(s.type, c.type) << c.field.name << " " << c.field.adoType;
        EXPECT_EQ(s.length, c.length) << c.field.name << " " << c.field.adoType;
        EXPECT_EQ(s.decimals, c.decimals) << c.field.name;
        EXPECT_EQ(s.adoType, c.field.adoType);
        EXPECT_EQ(s.updatable, c.updatable) << c.field.name << " " << c.field.adoType;
    }
    // A lower threshold makes memos of shorter texts.
    EXPECT_EQ(wl::adoFieldStruct({"NAME", adotype::VarChar, 40}, 30).type, 'M');
}

TEST(RecordSetFields, ADateWithATimeIsATimestamp) {
    const RecordSetField stamp{"AT", adotype::DbTimeStamp, 19};
    EXPECT_EQ(wl::adoFieldStruct(stamp, 255).type, 'D');  // at the end: no value to look at
    EXPECT_EQ(wl::adoFieldStruct(stamp, 255, wl::Value("2024-03-05 00:00:00")).type, 'D');
    EXPECT_EQ(wl::adoFieldStruct(stamp, 255, wl::Value("2024-03-05 00:00:01")).type, 'T');
    EXPECT_EQ(wl::adoFieldStruct(stamp, 255, wl::Value("2024-03-05 00:00:00.500")).type, 'D');
    EXPECT_EQ(wl::adoFieldStruct(stamp, 255, wl::Value("2024-03-05")).type, 'D');
}

TEST(RecordSetFields, UpdatableByLockTypeAttributesAndType) {
    const int unknown = adoattr::UnknownUpdatable;
    const struct {
        RecordSetField field;
        int lock;
        bool expected;
    } cases[] = {
        {{"NAME", adotype::VarChar, 40, 0, 0, unknown}, wl::kLockReadOnly, false},
        {{"NAME", adotype::VarChar, 40, 0, 0, unknown}, wl::kLockOptimistic, true},
        {{"NAME", adotype::VarChar, 40, 0, 0, 0}, wl::kLockOptimistic, false},
        {{"NAME", adotype::VarChar, 40, 0, 0, adoattr::Updatable}, wl::kLockOptimistic, true},
        {{"NAME", adotype::VarChar, 40, 0, 0, unknown | 0x2000}, wl::kLockOptimistic, false},
        {{"ID", adotype::Integer, 4, 10, 0, unknown, true}, wl::kLockOptimistic, false},
        {{"ID", adotype::Integer, 4, 10, 0, adoattr::Updatable | unknown, true}, wl::kLockOptimistic, true},
        {{"NOTE", adotype::LongVarChar, 9999, 0, 0, unknown, true}, 2, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wl::adoFieldUpdateable(c.field, c.lock), c.expected) << c.field.name << " " << c.field.attributes;
}

TEST(RecordSetFields, TheBlankRecordsValues) {
    const wl::Date today{2026, 12, 11};
    const std::string now = "2026-12-11 16:40:00";
    EXPECT_EQ(wl::appendBlankValue({"N", 'C', 5}, today, now).text(), "     ");
    EXPECT_EQ(wl::appendBlankValue({"N", 'M', 10}, today, now).text().size(), 255u);
    EXPECT_EQ(std::get<wl::Date>(wl::appendBlankValue({"N", 'D', 8}, today, now).storage()).day, 11);
    EXPECT_EQ(wl::appendBlankValue({"N", 'T', 8}, today, now).text(), now);
    EXPECT_FALSE(wl::appendBlankValue({"N", 'L', 1}, today, now).logical());
    EXPECT_TRUE(wl::appendBlankValue({"N", 'L', 1}, today, now).isLogical());
    EXPECT_EQ(wl::appendBlankValue({"N", 'N', 10, 2}, today, now).number(), 0);
}

}  // namespace
