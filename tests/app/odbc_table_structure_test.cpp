// The conversion driver's ODBC table: character columns as wide as the
// fields, the first the key, at most 255.
#include "odbc_table_structure.hpp"

#include <gtest/gtest.h>

namespace {

TEST(OdbcTableStructure, CharacterColumnsTheFirstTheKeyAtMost255) {
    const auto columns = zr::odbcTableStructure({{"CLAIM_ID", 20}, {"PATIENT", 35}, {"AMOUNT", 0}});
    ASSERT_EQ(columns.size(), 3u);
    struct Want {
        const char* name;
        int length;
        const char* extra;
    };
    const Want wants[] = {{"CLAIM_ID", 20, "NOT NULL PRIMARY KEY"}, {"PATIENT", 35, ""}, {"AMOUNT", 1, ""}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(columns[i].name, wants[i].name);
        EXPECT_EQ(columns[i].type, 'C');
        EXPECT_EQ(columns[i].length, wants[i].length);
        EXPECT_EQ(columns[i].decimals, 0);
        EXPECT_EQ(columns[i].extra.value_or(""), wants[i].extra);
    }
    std::vector<zr::OdbcTableField> many(300, {"F", 5});
    EXPECT_EQ(zr::odbcTableStructure(many).size(), 255u);
    EXPECT_TRUE(zr::odbcTableStructure({}).empty());
}

}  // namespace
