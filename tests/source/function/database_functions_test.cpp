#include "database_functions.hpp"

#include <gtest/gtest.h>

#include "messages.hpp"

namespace {

using wl::RdbmsKind;
using wl::Value;

TEST(ConnectionString, SpecsOfEachKind) {
    struct Case {
        const char* spec;
        RdbmsKind kind;
        const char* expected;
    } cases[] = {
        {"x.mdb", RdbmsKind::MsAccess, "<?>;Data Source=x.mdb;User ID=admin;Password=;"},
        {"x.accdb,pw", RdbmsKind::MsAccess, "<?>;Data Source=x.accdb;User ID=admin;Jet OLEDB:Database Password=pw;"},
        {"MYSQL,db1,claims,ann,s3", RdbmsKind::MySql,
         "<?>;Server=db1;Database=claims;User=ann;Password=s3;Option=3;"},
        {"mssql,srv,claims", RdbmsKind::MsSql, "<?>;Data Source=srv;Initial Catalog=claims;Integrated Security=SSPI"},
        {"SQLEXPRESS,,claims", RdbmsKind::MsSql,
         "<?>;Data Source=PC1\\SQLEXPRESS;Initial Catalog=claims;Integrated Security=SSPI"},
        {"SQLEXPRESS,box", RdbmsKind::MsSql, "<?>;Data Source=box\\SQLEXPRESS;Integrated Security=SSPI"},
        {"/tmp/claims.db", RdbmsKind::Sqlite, "Driver=SQLite3 ODBC Driver;Server=;Database=/tmp/claims.db;User=admin;Password=;"},
        {":memory:", RdbmsKind::Sqlite, "Driver=SQLite3 ODBC Driver;Server=;Database=:memory:;User=admin;Password=;"},
        {"x.txt", RdbmsKind::None, ""},
        {"", RdbmsKind::None, ""},
        {"NOSUCH,a", RdbmsKind::None, ""},
    };
    for (const auto& c : cases) {
        RdbmsKind kind = RdbmsKind::DBase;
        EXPECT_EQ(wl::WL_ADOCONNECTIONSTRING(c.spec, &kind, "PC1"), c.expected) << c.spec;
        EXPECT_EQ(kind, c.kind) << c.spec;
    }
    auto each = wl::connectionStringsPerProvider("MSSQL,srv,db,u,p");
    ASSERT_EQ(each.size(), 4u);
    EXPECT_EQ(each[0], "Provider=SQLNCLI11;Data Source=srv;Initial Catalog=db;User ID=u;Password=p;");
    EXPECT_EQ(wl::connectionStringsPerProvider("MYSQL,h")[1],
              "Driver={MySQL ODBC 3.51 Driver};Server=h;User=;Password=;Option=3;");
}

TEST(QuotedColumns, EachKindQuotesItsOwnWay) {
    EXPECT_EQ(wl::WL_QUOTEDCOLSQL("NAME, ZIP", RdbmsKind::MySql), "`NAME`,`ZIP`");
    EXPECT_EQ(wl::WL_QUOTEDCOLSQL("NAME, ZIP", RdbmsKind::Sqlite), "\"NAME\",\"ZIP\"");
    EXPECT_EQ(wl::WL_QUOTEDCOLSQL("First Name", RdbmsKind::MsSql), "[First Name]");
    EXPECT_EQ(wl::WL_QUOTEDCOLSQL("First Name", RdbmsKind::Oracle), "First_Name");
    EXPECT_EQ(wl::WL_QUOTEDCOLSQL("A, B", RdbmsKind::DBase), "A,B");
}

TEST(CreateTableSql, ColumnClausesPerDialect) {
    using K = RdbmsKind;
    struct Case {
        wl::SqlColumn c;
        K kind;
        const char* expected;
    } cases[] = {
        {{"ID", "+", 10, 0}, K::Sqlite, " \"ID\" INTEGER PRIMARY KEY"},
        {{"ID", "+", 10, 0}, K::MsSql, " [ID] INT IDENTITY( 1, 1 ) PRIMARY KEY"},
        {{"NAME", "C", 30, 0}, K::Oracle, " NAME VARCHAR2 ( 30 )"},
        {{"NAME", "C", 30, 0}, K::MySql, " `NAME` VARCHAR ( 30 )"},
        {{"DOS", "D", 8, 0}, K::MsSql, " [DOS] SmallDateTime"},
        {{"OK", "L", 1, 0}, K::Oracle, " OK NUMBER(1,0) DEFAULT 0 CHECK ( OK IN ( 0, 1 ) )"},
        {{"AMT", "N", 10, 2}, K::MsSql, " [AMT] MONEY"},
        {{"AMT", "N", 10, 3}, K::MySql, " `AMT` DECIMAL( 11, 3 )"},
        {{"N", "N", 2, 0}, K::MsAccess, " [N] BYTE"},
        {{"N", "N", 12, 0}, K::Sqlite, " \"N\" BIGINT"},
        {{"N", "N", 12, 4}, K::Oracle, " N NUMBER( 13, 4 ) DEFAULT 0"},
        {{"P", "m", 10, 0}, K::MsSql, " [P] VARBINARY(max)"},
        {{"X", "NVARCHAR(5)", 0, 0}, K::MsSql, " [X] NVARCHAR(5) "},
        {{"Q", "?", 1, 0}, K::Sqlite, " \"Q\" CHAR(1)"},
    };
    for (const auto& c : cases) EXPECT_EQ(wl::ADOCREATECOLSQL(c.c, c.kind), c.expected) << c.expected;
    EXPECT_EQ(wl::ADOCREATECOLSQL({"P", "m", 10, 0}, K::MsSql, 8), " [P] IMAGE");
}

TEST(CreateTableSql, WholeStatementsAndRefusals) {
    std::vector<wl::SqlColumn> cols = {{"NAME", "C", 10, 0}};
    EXPECT_EQ(wl::WL_ADOCREATETABLESQL("claims", cols, RdbmsKind::Sqlite),
              "CREATE TABLE \"claims\" (  \"ID\" INTEGER PRIMARY KEY, \"NAME\" VARCHAR ( 10 ) )");
    EXPECT_EQ(wl::WL_ADOCREATETABLESQL("claims", cols, RdbmsKind::Sqlite, false),
              "CREATE TABLE \"claims\" (  \"NAME\" VARCHAR ( 10 ) )");
    auto oracle = wl::WL_ADOCREATETABLESQL("T", cols, RdbmsKind::Oracle);
    EXPECT_NE(oracle.find("|CREATE SEQUENCE T_ID_SEQ|CREATE OR REPLACE TRIGGER T_BI_TRG"), std::string::npos);
    std::vector<std::string> shown;
    wl::ScopedPromptHook hook([&](const wl::Prompt& p) {
        shown.push_back(p.text);
        return wl::PromptAnswer{};
    });
    EXPECT_EQ(wl::WL_ADOCREATETABLESQL("T", cols, RdbmsKind::DBase), "");
    EXPECT_EQ(shown, std::vector<std::string>{"DBASE not supported by the function"});
}

TEST(ValueToSql, EveryKindOfValue) {
    using K = RdbmsKind;
    EXPECT_EQ(wl::WL_VALTOSQL(Value(" O'Brien "), std::nullopt, K::MySql), "'O''Brien'");
    EXPECT_EQ(wl::WL_VALTOSQL(Value("null"), std::nullopt, K::MySql), "NULL");
    EXPECT_EQ(wl::WL_VALTOSQL(Value("Default"), std::nullopt, K::MySql), "DEFAULT");
    EXPECT_EQ(wl::WL_VALTOSQL(Value("<NOW()>"), std::nullopt, K::MySql), "NOW()");
    EXPECT_EQ(wl::WL_VALTOSQL(Value(true), std::nullopt, K::MySql), "1");
    EXPECT_EQ(wl::WL_VALTOSQL(Value(12.5), std::nullopt, K::MySql), "12.5");
    EXPECT_EQ(wl::WL_VALTOSQL(Value(wl::Date{}), std::nullopt, K::MySql), "NULL");
    EXPECT_EQ(wl::WL_VALTOSQL(Value(wl::Date{2024, 3, 1}), std::nullopt, K::MySql), "'2024-03-01'");
    EXPECT_EQ(wl::WL_VALTOSQL(Value(wl::Date{2024, 3, 1}), std::nullopt, K::Oracle), "DATE '2024-03-01'");
    EXPECT_EQ(wl::WL_VALTOSQL(Value(std::string("\x01\xff", 2)), std::nullopt, K::Sqlite), "x'01FF'");
    EXPECT_EQ(wl::WL_VALTOSQL(Value(std::string("\x01\xff", 2)), std::nullopt, K::MsSql), "0x01FF");
    EXPECT_EQ(wl::WL_VALTOSQL(Value("AB"), true, K::Oracle), "'4142'");
    EXPECT_EQ(wl::WL_VALTOSQL(Value(wl::ValueList{Value(1), Value("a"), Value()}), std::nullopt, K::MySql),
              "( 1,'a',NULL )");
    EXPECT_EQ(wl::WL_VALTOSQL(Value(), std::nullopt, K::MySql), "NULL");
}

TEST(DateToSql, TimestampsAndDialects) {
    wl::DateTime t{{2024, 3, 1}, 3600 + 2 * 60 + 3};
    EXPECT_EQ(wl::WL_DATETOADO(t, 'T').value(), "#2024-03-01 01:02:03#");
    EXPECT_EQ(wl::WL_DATETOSQL(t, 'T', RdbmsKind::MsSql), "'2024-03-01T01:02:03'");
    EXPECT_EQ(wl::WL_DATETOSQL(t, 'T', RdbmsKind::Oracle), "TIMESTAMP '2024-03-01 01:02:03'");
    EXPECT_FALSE(wl::WL_DATETOADO(wl::DateTime{}, 'D').has_value());
}

TEST(FilterToWhere, LiteralsConvertedOneByOne) {
    using K = RdbmsKind;
    struct Case {
        const char* filter;
        const char* expected;
    } cases[] = {
        {"NAME='X'", "NAME='X'"},  // not NAME=''X''
        {"!DELETED() .AND. NAME == \"O'BRIEN\"", "NAME = 'O''BRIEN'"},
        {"!Deleted() .and. paid = .T.", "PAID = 1"},
        {"A != 'x' .OR. !B", "A <> 'X' OR NOT B"},
        {"DOS >= STOD('20240131') .AND. DOS < CTOD(\"02/15/2024\")",
         "DOS >= '2024-01-31' AND DOS < '2024-02-15'"},
        {"DOS = {^2024-01-31}", "DOS = '2024-01-31'"},
        {"NOTE = 'a  .AND.  b'", "NOTE = 'A  .AND.  B'"},
    };
    for (const auto& c : cases) EXPECT_EQ(wl::WL_FILTER2WHERE(c.filter, false, K::MySql), c.expected) << c.filter;
    EXPECT_EQ(wl::WL_FILTERDBF2ADO("DOS = STOD('20240131')", K::MySql), "DOS = #2024-01-31#");
    EXPECT_EQ(wl::WL_FILTER2WHERE("T = {^2024-01-31 10:20:30}", false, K::Oracle),
              "T = TIMESTAMP '2024-01-31 10:20:30'");
}

TEST(ConvertType, LogicalsFromWholeItemsOnly) {
    struct Case {
        const char* text;
        bool expected;
    } cases[] = {{"yes", true}, {" Y ", true}, {".t.", true}, {"TRUE", true}, {"T", true},
                 {"E", false},  {",", false},  {"YE", false}, {"no", false},  {"", false}};
    for (const auto& c : cases) EXPECT_EQ(wl::CONVERTTYPE(Value(c.text), 'L').logical(), c.expected) << c.text;
    EXPECT_TRUE(wl::CONVERTTYPE(Value(2), 'L').logical());
    EXPECT_FALSE(wl::CONVERTTYPE(Value(0), 'L').logical());
}

TEST(ConvertType, OtherTypes) {
    EXPECT_DOUBLE_EQ(wl::CONVERTTYPE(Value(" 12.5"), 'N').number(), 12.5);
    EXPECT_EQ(wl::CONVERTTYPE(Value(true), 'N').number(), 0);
    EXPECT_EQ(wl::CONVERTTYPE(Value(7), 'C').text(), "7");
    auto d = wl::CONVERTTYPE(Value("01/31/2024"), 'D');
    ASSERT_TRUE(d.isDate());
    EXPECT_EQ(std::get<wl::Date>(d.storage()).day, 31);
    EXPECT_TRUE(std::get<wl::Date>(wl::CONVERTTYPE(Value(3), 'D').storage()).blank());
    EXPECT_TRUE(wl::CONVERTTYPE(Value("x"), 'Q').isNil());
}

TEST(BlankValues, ByTypeLetter) {
    EXPECT_EQ(wl::UTYPETOBLANK('C', 3).text(), "   ");
    EXPECT_TRUE(std::get<wl::Date>(wl::UTYPETOBLANK('D').storage()).blank());
    EXPECT_FALSE(wl::UTYPETOBLANK('L').logical());
    EXPECT_TRUE(wl::UTYPETOBLANK('L').isLogical());
    EXPECT_EQ(wl::UTYPETOBLANK('M').text(), "");
    EXPECT_EQ(wl::UTYPETOBLANK('N', 10, 2).number(), 0);
    EXPECT_TRUE(wl::UTYPETOBLANK('+').isNumber());
    EXPECT_EQ(wl::UTYPETOBLANK('X').text(), "");
}

}  // namespace
