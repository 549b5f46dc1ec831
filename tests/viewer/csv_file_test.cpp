// The CSV viewer's grid, column letters and moves.
#include "csv_file.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

using namespace zr;

std::vector<std::string> csvRecordOf(const CsvTable& t, std::size_t record) {
    std::vector<std::string> out;
    for (std::size_t c = 1; c <= t.columns(); ++c) out.push_back(t.field(record, c));
    return out;
}

TEST(CsvFile, LineEndsOfEveryKind) {
    struct Case {
        std::string text;
        std::size_t records;
    };
    const std::vector<Case> cases = {
        {"A,B\r\n1,2\r\n3,4", 3},
        {"A,B\n1,2\n3,4", 3},     // LF alone ends a record
        {"A,B\r1,2\r3,4", 3},     // so does CR alone
        {"A,B\r\n1,2\n3,4\r", 4}, // mixed; the text after the last end is a record
        {"A,B", 1},
        {"", 1},
    };
    for (const Case& c : cases) {
        const CsvTable t = CsvTable::parse(c.text);
        EXPECT_EQ(t.records(), c.records) << c.text;
        EXPECT_EQ(t.columns(), 2u - (c.text.empty() ? 1 : 0)) << c.text;
        if (c.records >= 3) {
            EXPECT_EQ(csvRecordOf(t, 2), (std::vector<std::string>{"1", "2"})) << c.text;
            EXPECT_EQ(csvRecordOf(t, 3), (std::vector<std::string>{"3", "4"})) << c.text;
        }
    }
}

TEST(CsvFile, ShortAndLongRecords) {
    const CsvTable t = CsvTable::parse("A,B,C,D\r\nx,y\r\n1,2,3,4,5,6\r\nonly\r\n,,,\r\n");
    EXPECT_EQ(t.columns(), 4u);
    EXPECT_EQ(t.records(), 6u);
    // A short record fills its columns in order.
    EXPECT_EQ(csvRecordOf(t, 2), (std::vector<std::string>{"x", "y", "", ""}));
    EXPECT_EQ(csvRecordOf(t, 4), (std::vector<std::string>{"only", "", "", ""}));
    // Two commas more than the header: the last field closes the record.
    EXPECT_EQ(csvRecordOf(t, 3), (std::vector<std::string>{"1", "2", "3", "6"}));
    EXPECT_EQ(csvRecordOf(t, 5), (std::vector<std::string>{"", "", "", ""}));
    EXPECT_EQ(t.field(0, 1), "");
    EXPECT_EQ(t.field(1, 5), "");
    EXPECT_EQ(t.field(7, 1), "");
}

TEST(CsvFile, ReadsTheFileWhole) {
    zrtest::TempDir dir;
    const CsvTable t = readCsvFile(dir.write("a.csv", "NAME,ID\r\nSMITH,1\r\nJONES,2"));
    EXPECT_EQ(t.records(), 3u);
    EXPECT_EQ(t.field(3, 1), "JONES");
    EXPECT_EQ(readCsvFile(dir.file("missing.csv")).records(), 1u);
}

TEST(CsvFile, ColumnLetters) {
    const std::vector<std::pair<std::size_t, std::string>> cases = {
        {1, "A"},    {26, "Z"},    {27, "AA"},   {28, "AB"},    {52, "AZ"},    {53, "BA"},
        {702, "ZZ"}, {703, "AAA"}, {728, "AAZ"}, {18278, "ZZZ"}, {18279, "AAAA"}, {0, ""}};
    for (const auto& [column, letters] : cases) EXPECT_EQ(columnLetters(column), letters) << column;
}

TEST(CsvFile, ViewerMovesAndLabels) {
    CsvViewerModel m(CsvTable::parse("NAME,ID,CITY\r\nSMITH,1,York\r\nJONES,2,Bath"));
    EXPECT_EQ(m.positionLabel(), "Column/Row");
    EXPECT_EQ(m.headerLabel(), "NAME");
    EXPECT_EQ(m.totalColumnsLabel(), "Total Columns = 3");
    EXPECT_EQ(m.totalRecordsLabel(), "Total Records = 3");
    const std::vector<std::pair<long long, std::size_t>> goTo = {{0, 1}, {-4, 1}, {2, 2}, {3, 3}, {99, 3}};
    for (const auto& [typed, record] : goTo) {
        m.goToRecord(typed);
        EXPECT_EQ(m.record(), record) << typed;
    }
    m.next();
    EXPECT_EQ(m.record(), 3u);  // ">" on the last record stays there
    m.previous();
    m.previous();
    m.previous();
    EXPECT_EQ(m.record(), 1u);
    m.next();
    EXPECT_EQ(m.line(1), "SMITH");
    m.setColumn(3);
    EXPECT_EQ(m.currentRecordLabel(), "Current Record = 2");
    EXPECT_EQ(m.currentColumnLabel(), "Current Column = 3");
    EXPECT_EQ(m.headerLabel(), "CITY");
    EXPECT_EQ(m.positionLabel(), "Column=C Row=2");
    m.toggleHeader();
    EXPECT_EQ(m.headerLabel(), "Header Display Off");
    m.toggleHeader();
    EXPECT_EQ(m.headerLabel(), "CITY");
}

}  // namespace
