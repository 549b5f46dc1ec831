// Empty dBASE III tables: the header a reader of version-3 tables expects.
#include "dbf_table.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

unsigned word(const std::string& s, std::size_t at) {
    return static_cast<unsigned char>(s[at]) | (static_cast<unsigned char>(s[at + 1]) << 8);
}

TEST(DbfTable, HeaderDescribesEveryFieldAndNoRecords) {
    const std::vector<wl::DbfField> fields = {{"CONTROL", 'C', 15}, {"ID", 'N', 4}, {"FNTBOLD", 'L', 1}};
    const std::string b = wl::dbfTableBytes(fields, {2026, 12, 10});
    ASSERT_EQ(b.size(), 32u + 3 * 32 + 2);
    EXPECT_EQ(b[0], 3);
    EXPECT_EQ(b[1], 126);
    EXPECT_EQ(b[2], 12);
    EXPECT_EQ(b[3], 10);
    EXPECT_EQ(word(b, 4) | word(b, 6), 0u);  // no records
    EXPECT_EQ(word(b, 8), 32u + 3 * 32 + 1);
    EXPECT_EQ(word(b, 10), 1u + 15 + 4 + 1);
    EXPECT_EQ(b.substr(32, 11), std::string("CONTROL\0\0\0\0", 11));
    EXPECT_EQ(b[32 + 11], 'C');
    EXPECT_EQ(b[64 + 11], 'N');
    EXPECT_EQ(b[64 + 16], 4);
    EXPECT_EQ(b[96 + 11], 'L');
    EXPECT_EQ(b[b.size() - 2], '\x0D');
    EXPECT_EQ(b.back(), '\x1A');
}

TEST(DbfTable, LongNamesAreCutToTenCharacters) {
    const std::string b = wl::dbfTableBytes({{"ABCDEFGHIJKLMN", 'C', 5}}, {2000, 1, 1});
    EXPECT_EQ(b.substr(32, 11), std::string("ABCDEFGHIJ\0", 11));
    EXPECT_EQ(b[1], 100);
}

TEST(DbfTable, CreateWritesTheFile) {
    zrtest::TempDir tmp;
    const std::string path = tmp.file("t.dbf");
    ASSERT_EQ(wl::createDbfTable(path, {{"NAME", 'C', 8}}), 0);
    const std::string b = zrtest::readBytes(path);
    ASSERT_EQ(b.size(), 66u);
    EXPECT_EQ(word(b, 10), 9u);
}

}  // namespace
