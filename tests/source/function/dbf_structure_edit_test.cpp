// The structure dialog's rules: names accepted or refused, what a type
// choice does to length and decimals, and the limits of typed lengths and
// decimals.
#include "dbf_structure_edit.hpp"

#include <gtest/gtest.h>

namespace {

using wl::DbfStructRow;

TEST(DbfStructureEdit, NamesAreAcceptedOnlyWhenValidAndUnused) {
    const std::vector<DbfStructRow> rows{{"PAYER", 'C', 20}, {"AMOUNT", 'N', 10, 2}};
    const struct {
        const char* name;
        bool accepted;
    } cases[] = {{"CLAIM_NO", true}, {"AB", false},     {"ABC", true},    {"1ABC", false}, {"_ABC", false},
                 {"PAY ER", false},  {"payer2", false}, {"AMOUNT", false}, {"PAYER", true}, {" CLAIM ", true}};
    for (const auto& c : cases) EXPECT_EQ(wl::dbfStructNameAccepted(rows, 0, c.name), c.accepted) << c.name;
    // Its own name is not another field's.
    EXPECT_FALSE(wl::dbfStructNameAccepted(rows, 1, "PAYER"));
}

TEST(DbfStructureEdit, ChoosingATypeSetsLengthAndDecimals) {
    const struct {
        DbfStructRow before;
        char type;
        int length, decimals;
    } cases[] = {
        {{"A", 'N', 12, 2}, 'C', 12, 0}, {{"A", 'C', 40, 0}, 'M', 10, 0}, {{"A", 'C', 40, 0}, 'D', 8, 0},
        {{"A", 'C', 40, 0}, 'T', 8, 0},  {{"A", 'C', 40, 0}, '=', 8, 0},  {{"A", 'C', 40, 0}, '+', 10, 0},
        {{"A", 'C', 6, 0}, '+', 6, 0},   {{"A", 'C', 40, 0}, 'N', 19, 0}, {{"A", 'N', 12, 3}, 'N', 12, 3},
    };
    for (const auto& c : cases) {
        DbfStructRow row = c.before;
        wl::dbfStructSetType(row, c.type);
        EXPECT_EQ(row.type, c.type);
        EXPECT_EQ(row.length, c.length) << c.type;
        EXPECT_EQ(row.decimals, c.decimals) << c.type;
    }
    EXPECT_EQ(wl::dbfStructTypeCaption('='), "TimeStamp");
    EXPECT_EQ(wl::dbfStructTypeCaption('X'), "");
    EXPECT_EQ(wl::dbfStructTypes().size(), 8u);
}

TEST(DbfStructureEdit, LengthsAndDecimalsStayWithinTheirLimits) {
    const struct {
        char type;
        int length;
        bool accepted;
    } lengths[] = {{'C', 255, true}, {'C', 256, false}, {'C', -1, false}, {'N', 19, true}, {'N', 20, false},
                   {'+', 10, true},  {'+', 11, false},  {'D', 8, false},  {'M', 12, false}, {'L', 1, false}};
    for (const auto& c : lengths) {
        DbfStructRow row{"A", c.type, 5};
        EXPECT_EQ(wl::dbfStructSetLength(row, c.length), c.accepted) << c.type << c.length;
        EXPECT_EQ(row.length, c.accepted ? c.length : 5);
    }
    DbfStructRow n{"A", 'N', 6, 0};
    EXPECT_TRUE(wl::dbfStructSetDecimals(n, 4));
    EXPECT_FALSE(wl::dbfStructSetDecimals(n, 5));
    EXPECT_FALSE(wl::dbfStructSetDecimals(n, -1));
    EXPECT_TRUE(wl::dbfStructSetLength(n, 4));  // a shorter length takes the decimals down with it
    EXPECT_EQ(n.decimals, 2);
    DbfStructRow shortNumber{"A", 'N', 2, 0};
    EXPECT_FALSE(wl::dbfStructSetDecimals(shortNumber, 0));
    DbfStructRow text{"A", 'C', 10, 0};
    EXPECT_FALSE(wl::dbfStructSetDecimals(text, 1));
    std::vector<DbfStructRow> rows{{" PAYER ", 'C', 10}};
    wl::dbfStructTrimNames(rows);
    EXPECT_EQ(rows[0].name, "PAYER");
}

}  // namespace
