#include "odbc_text.hpp"

#include <gtest/gtest.h>

#include <map>

namespace {

using wl::ColumnDescription;
using wl::DescribedColumn;
using wl::Value;

ColumnDescription column(const char* name, char type, int length, int decimals = 0) {
    ColumnDescription c;
    c.name = name;
    c.type = type;
    c.length = length;
    c.decimals = decimals;
    return c;
}

TEST(OdbcConnectString, BuildsTheDocumentedTextAndBracesHostileValues) {
    struct Case {
        const char* dsn;
        const char* user;
        const char* password;
        const char* expected;
    } cases[] = {
        {"Claims", "", "secret", "DSN=Claims;PWD=secret"},
        {" Claims ", " ann ", "", "DSN=Claims;UID=ann;PWD="},
        {"", "", "", "DSN=;PWD="},
        {"driver={SQLite3};Database=/tmp/a.db", "", "x", "driver={SQLite3};Database=/tmp/a.db;PWD=x"},
        // A ";" in the password would end the value and add a key of its own.
        {"Claims", "", "a;UID=root", "DSN=Claims;PWD={a;UID=root}"},
        {"Claims", "", "x}y", "DSN=Claims;PWD={x}}y}"},
        {"My Claims", "", "", "DSN=My Claims;PWD="},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wl::odbcConnectString(c.dsn, c.user, c.password), c.expected) << c.password;
    }
}

TEST(OdbcConnectString, TakesTheDataSourceFromTheCompletedString) {
    EXPECT_EQ(wl::dsnFromCompleted("DSN=Claims;UID=x;PWD="), "Claims");
    EXPECT_EQ(wl::dsnFromCompleted("DRIVER=SQLite3;Database=/tmp/a.db"), "SQLite3");
    EXPECT_EQ(wl::dsnFromCompleted(""), "");
}

TEST(ColumnDescription, QueryColumnsFollowTheTypeRules) {
    using namespace wl::sqltype;
    struct Case {
        DescribedColumn in;
        bool dateAsText;
        char type;
        int length;
        int decimals;
        int cType;
    } cases[] = {
        {{" NAME ", Char, 30, 0}, false, 'C', 30, 0, CChar},
        {{"N", VarChar, 500000, 0}, false, 'C', 131072, 0, CChar},
        {{"N", SqlTime, 8, 0}, false, 'C', 8, 0, CChar},
        {{"B", Bit, 1, 0}, false, 'L', 1, 0, CChar},
        {{"I", Integer, 10, 0}, false, 'N', 15, 0, CChar},
        {{"M", Decimal, 10, 2}, false, 'N', 15, 2, CChar},
        {{"F", Double, 15, 0}, false, 'N', 15, 2, CChar},      // SET DECIMALS
        {{"Z", Numeric, 4, 4}, false, 'N', 15, 2, CChar},      // decimals not below the size
        {{"D", SqlDate, 10, 0}, false, 'D', 10, 0, CChar},
        {{"D", TypeDate, 10, 0}, true, 'C', 10, 0, CChar},
        {{"T", SqlTimestamp, 23, 3}, false, 'D', 23, 3, CTimestamp},
        {{"T", TypeTimestamp, 23, 3}, true, 'C', 23, 3, CTimestamp},
        {{"X", LongVarChar, 65536, 0}, false, 'M', 65536, 0, CChar},
        {{"X", LongVarBinary, 10, 0}, false, 'M', 10, 0, CChar},
        {{"G", Binary, 8, 0}, false, 'U', 16, 0, CChar},
        {{"W", -9, 20, 0}, false, 'U', 60, 0, CChar},  // wide text: three bytes a character
        {{"L", BigInt, 19, 0}, false, 'U', 19, 0, CChar},
    };
    for (const auto& c : cases) {
        auto d = wl::describeQueryColumn(c.in, c.dateAsText);
        EXPECT_EQ(d.type, c.type) << c.in.sqlType;
        EXPECT_EQ(d.length, c.length) << c.in.sqlType;
        EXPECT_EQ(d.decimals, c.decimals) << c.in.sqlType;
        EXPECT_EQ(d.cType, c.cType) << c.in.sqlType;
    }
    EXPECT_EQ(wl::describeQueryColumn({" Name ", Char, 5, 0}, false).name, "Name");
}

TEST(ColumnDescription, TableColumnsAreUpperCaseWithDatesAlwaysDates) {
    using namespace wl::sqltype;
    auto d = wl::describeTableColumn({"birth date", SqlTimestamp, 23, 0});
    EXPECT_EQ(d.name, "BIRTH DATE");
    EXPECT_EQ(d.type, 'D');
    EXPECT_EQ(wl::describeTableColumn({"id", Integer, 10, 0}).length, 10);
    EXPECT_EQ(wl::describeTableColumn({"m", LongVarChar, 1000000, 0}).length, 32767);
}

TEST(ColumnDescription, ConvertsFetchedText) {
    using namespace wl::sqltype;
    auto q = [](int t, int size, bool asText = false) { return wl::describeQueryColumn({"c", t, size, 0}, asText); };
    EXPECT_EQ(wl::convertFetched(q(Char, 5), "ab").text(), "ab   ");
    EXPECT_TRUE(wl::convertFetched(q(Bit, 1), "1").logical());
    EXPECT_FALSE(wl::convertFetched(q(Bit, 1), "0").logical());
    EXPECT_EQ(wl::convertFetched(q(Integer, 10), "42").number(), 42);
    EXPECT_DOUBLE_EQ(wl::convertFetched(q(Decimal, 10), "12.50").number(), 12.5);
    auto date = wl::convertFetched(q(SqlDate, 10), "2013-07-01");
    ASSERT_TRUE(date.isDate());
    EXPECT_EQ(std::get<wl::Date>(date.storage()).month, 7);
    EXPECT_EQ(wl::convertFetched(q(SqlDate, 10, true), "2013-07-01").text(), "2013-07-01");
    // Table columns keep long text as it came.
    EXPECT_EQ(wl::convertFetched(wl::describeTableColumn({"m", LongVarChar, 10, 0}), "ab").text(), "ab");
}

TEST(ColumnDescription, TimestampsAsDatesOrText) {
    wl::OdbcTimestamp t{2013, 7, 1, 8, 5, 9, 250000000};
    auto asText = wl::describeQueryColumn({"t", wl::sqltype::SqlTimestamp, 23, 3}, true);
    EXPECT_EQ(wl::convertTimestamp(asText, t).text(), "2013-07-01 08:05:09.250");
    auto asDate = wl::describeQueryColumn({"t", wl::sqltype::SqlTimestamp, 23, 3}, false);
    auto v = wl::convertTimestamp(asDate, t);
    ASSERT_TRUE(v.isDate());
    EXPECT_EQ(std::get<wl::Date>(v.storage()).day, 1);
}

TEST(OdbcErrorList, KeepsTheNewest101) {
    wl::OdbcErrorList list;
    for (int i = 1; i <= 102; ++i) list.add({"op" + std::to_string(i), "", "", i});
    ASSERT_EQ(list.entries().size(), 101u);
    EXPECT_EQ(list.entries().front().operation, "op2");
    EXPECT_EQ(list.entries().back().operation, "op102");
}

TEST(OdbcErrorList, MessageAndLineTexts) {
    EXPECT_EQ(wl::odbcErrorMessage(" 42000 ", " syntax ", ""), "Class: 42000, Error: syntax");
    EXPECT_EQ(wl::odbcErrorMessage("01000", "", "note"), "Class: 01000\r\nnote");
    wl::OdbcError e{"TOdbc:File()", "On Procedure: x Line: 3", "Class: S1000", 7};
    EXPECT_EQ(wl::odbcErrorLine(e), "TOdbc:File()\tOn Procedure: x Line: 3\tClass: S1000Retcode: 7");
    EXPECT_EQ(wl::odbcErrorBoxText(e), "TOdbc:File()\r\n[# 7] Class: S1000\r\n\r\nOn Procedure: x Line: 3");
}

TEST(SqlLiteral, EachTypeLetter) {
    struct Case {
        Value v;
        ColumnDescription c;
        bool trimBoth;
        const char* expected;
    } cases[] = {
        {Value("O'BRIEN  "), column("N", 'C', 20), false, "'O''BRIEN'"},
        {Value("  it's'  "), column("N", 'C', 20), true, "'it''s'''"},
        {Value("'); DROP TABLE claims; --"), column("N", 'M', 10), false, "'''); DROP TABLE claims; --'"},
        {Value(12.5), column("ID", 'N', 10, 2), false, "12.50"},
        {Value(7), column("ID", 'N', 15, 0), false, "7"},
        {Value(123456.0), column("ID", 'N', 3, 0), false, "123456"},  // wider than the column: all digits
        {Value(true), column("B", 'L', 1), false, "1"},
        {Value(false), column("B", 'L', 1), false, "0"},
        {Value(wl::Date{2024, 2, 9}), column("D", 'D', 8), false, "{d '2024-02-09'}"},
        {Value(wl::Date{}), column("D", 'D', 8), false, "NULL"},  // an empty date is no date
        {Value(), column("N", 'C', 8), false, "NULL"},
        {Value(5), column("U", 'U', 8), false, "'5'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wl::sqlLiteral(c.v, c.c, c.trimBoth), c.expected) << c.expected;
    }
}

TEST(SqlText, KeyConditionTestsNullKeysWithIsNull) {
    auto id = column("ID", 'N', 10, 2);
    auto name = column("NAME", 'C', 10);
    EXPECT_EQ(wl::keyCondition({{"ID", &id, Value(12.5)}, {"NAME", &name, Value("O'NEIL ")}}),
              "ID = 12.50 AND NAME = 'O''NEIL'");
    EXPECT_EQ(wl::keyCondition({{"ID", &id, Value(1)}, {"NAME", &name, Value()}, {"ID", &id, Value(2)}}),
              "ID = 1.00 AND NAME IS NULL AND ID = 2.00");
}

TEST(SqlText, SetListNamesOnlyChangedColumns) {
    std::vector<ColumnDescription> cols = {column("A", 'C', 5), column("B", 'N', 5), column("C", 'L', 1)};
    cols[1].changed = cols[2].changed = true;
    wl::ValueList values = {Value("x"), Value(3), Value(true)};
    EXPECT_EQ(wl::setList(cols, values, [&](std::size_t i) { return cols[i].name; }), "B = 3 , C = 1");
}

TEST(SqlText, ConditionJoinsTheStatementsOwnWhere) {
    struct Case {
        const char* select;
        const char* expected;
    } cases[] = {
        {"SELECT * FROM claims", "SELECT * FROM claims WHERE ID = 1"},
        {"SELECT * FROM claims WHERE a = 1 OR b = 2",
         "SELECT * FROM claims WHERE (ID = 1) AND (a = 1 OR b = 2)"},
        {"select * from claims where a = 1 order by a", "select * from claims WHERE (ID = 1) AND (a = 1) order by a"},
        {"SELECT a, count(*) FROM claims GROUP BY a HAVING count(*) > 1",
         "SELECT a, count(*) FROM claims WHERE ID = 1 GROUP BY a HAVING count(*) > 1"},
        {"SELECT * FROM claims ORDER BY a", "SELECT * FROM claims WHERE ID = 1 ORDER BY a"},
        {"SELECT NOWHERE FROM claims", "SELECT NOWHERE FROM claims WHERE ID = 1"},
    };
    for (const auto& c : cases) EXPECT_EQ(wl::selectWithCondition(c.select, "ID = 1"), c.expected);
}

TEST(SqlText, TableOfSelect) {
    EXPECT_EQ(wl::tableOfSelect("SELECT * FROM Claims WHERE x = 1"), "Claims");
    EXPECT_EQ(wl::tableOfSelect("select a from claims,lines"), "claims");
    EXPECT_EQ(wl::tableOfSelect("SELECT * FROM [First Name] WHERE x"), "[First Name]");
    EXPECT_EQ(wl::tableOfSelect("SELECT 1"), "");
    EXPECT_EQ(wl::CHKSP("First Name"), "[First Name]");
    EXPECT_EQ(wl::CHKSP(" Name "), " Name ");
}

TEST(SqlText, TableSourcesAndColumnChoices) {
    auto s = wl::tableSource("select * from x");
    EXPECT_EQ(s.select, "select * from x");
    EXPECT_EQ(s.fileName, "");
    s = wl::tableSource("Patients");
    EXPECT_EQ(s.select, "SELECT * FROM Patients");
    EXPECT_EQ(s.fileName, "Patients");
    EXPECT_FALSE(s.needsColumns);
    s = wl::tableSource("Patients(2, NAME, 9)");
    EXPECT_EQ(s.fileName, "Patients");
    EXPECT_TRUE(s.needsColumns);
    std::vector<std::string> cols = {"NO", "ID", "NAME"};
    EXPECT_EQ(wl::selectOfColumns("Patients(2, NAME, 9)", cols), "SELECT ID, NAME FROM Patients");
    EXPECT_EQ(wl::selectOfColumns("Patients(name, zip", cols), "SELECT name FROM Patients");
    EXPECT_EQ(wl::selectOfColumns("Patients()", cols), "SELECT * FROM Patients");
    EXPECT_EQ(wl::selectOfColumns("Patients(zip)", cols), "SELECT * FROM Patients");
}

TEST(SqlText, OrdersAndSeeks) {
    std::vector<ColumnDescription> cols = {column("ID", 'N', 10, 0), column("NAME", 'C', 6),
                                           column("BORN", 'D', 10), column("OK", 'L', 1)};
    auto order = wl::parseOrder("name desc, [id]", cols);
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0].column, 2u);
    EXPECT_TRUE(order[0].descending);
    EXPECT_EQ(order[1].column, 1u);
    EXPECT_FALSE(order[1].descending);
    EXPECT_TRUE(wl::parseOrder("name, zip", cols).empty());

    auto byName = wl::parseOrder("NAME", cols);
    EXPECT_EQ(wl::seekCondition(Value("SMI"), byName, cols), "NAME LIKE  'SMI%'");
    EXPECT_EQ(wl::seekCondition(Value("O'NEIL"), byName, cols), "NAME = 'O''NEIL'");
    auto byNameId = wl::parseOrder("NAME,ID", cols);
    EXPECT_EQ(wl::seekCondition(Value("SMITH 12"), byNameId, cols), "NAME = 'SMITH ' AND ID = 12");
    EXPECT_EQ(wl::seekCondition(Value(12), wl::parseOrder("ID", cols), cols), "ID = 12");
    EXPECT_EQ(wl::seekCondition(Value(wl::Date{2020, 1, 2}), wl::parseOrder("BORN", cols), cols),
              "BORN = {d '2020-01-02'}");
    EXPECT_EQ(wl::seekCondition(Value("t"), wl::parseOrder("OK", cols), cols), "OK = 1");
    EXPECT_EQ(wl::seekCondition(Value("x"), {}, cols), "");
}

TEST(SqlText, CreateTableStatement) {
    std::vector<wl::CreateColumn> cols = {
        {"ID", 'C', 20, 0, std::string("NOT NULL PRIMARY KEY")},
        {"AMT", 'N', 10, 2, std::nullopt},
        {"OK", 'l', 1, 0, std::nullopt},
        {"NOTE", 'M', 10, 0, std::nullopt},
        {"DOS", 'D', 8, 0, std::nullopt},
    };
    EXPECT_EQ(wl::createTableStatement("claims", cols),
              "CREATE TABLE claims ( ID Char(20) NOT NULL PRIMARY KEY, AMT Numeric(10, 2), OK Bit, NOTE Text, "
              "DOS Datetime )");
    EXPECT_EQ(wl::createTableStatement(" my claims ", {{"A", 'C', 1, 0, std::nullopt}}),
              "CREATE TABLE [my claims] ( A Char(1) )");
}

TEST(RowCount, HalvingFindsTheCountAndStopsOnErrors) {
    for (std::int64_t rows : {0LL, 1LL, 2LL, 12345LL, 10000000LL, 25000001LL}) {
        int fetches = 0;
        auto n = wl::countRowsByHalving(rows > 0, [&](std::int64_t r) {
            ++fetches;
            return r <= rows ? 0 : 100;
        });
        EXPECT_EQ(n, rows);
        EXPECT_LT(fetches, 64);
    }
    EXPECT_EQ(wl::countRowsByHalving(true, [](std::int64_t r) { return r > 5000000 ? -1 : 0; }), 0);
}

}  // namespace
