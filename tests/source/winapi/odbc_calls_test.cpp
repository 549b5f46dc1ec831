// The thin ODBC wrappers against a real SQLite data source, and the data
// source list of the Windows folder's odbc.ini.
#include "odbc_calls.hpp"

#include <gtest/gtest.h>

#include <cstdio>

#include "odbc_source.hpp"
#include "profile_files.hpp"
#include "system_facts.hpp"
#include "text.hpp"

namespace {

// An environment, a connection and a statement on the test's data source.
struct Session {
    SQLHENV env = nullptr;
    SQLHDBC dbc = nullptr;
    SQLHSTMT stmt = nullptr;
    int connectCode = -1;
    explicit Session(const std::string& dsn) {
        wl::SQLALLOCENV(env);
        wl::SQLALLOCCONNECT(env, dbc);
        std::string connect = "DSN=" + dsn + ";";
        connectCode = wl::SQLDRIVERCONNECT(dbc, connect);
        if (SQL_SUCCEEDED(connectCode)) wl::SQLALLOCSTMT(dbc, stmt);
    }
    ~Session() {
        if (stmt) wl::SQLFREESTMT(stmt, SQL_DROP);
        if (SQL_SUCCEEDED(connectCode)) wl::SQLDISCONNECT(dbc);
        wl::SQLFREECONNECT(dbc);
        wl::SQLFREEENV(env);
    }
};

TEST(OdbcCalls, ReadsTextCutToItsBufferAndNullsAsNull) {
    zrtest::SqliteSource source("zrcalls");
    if (!source.ready()) GTEST_SKIP() << "ODBCSYSINI is not set";
    Session s(source.dsn());
    ASSERT_TRUE(SQL_SUCCEEDED(s.connectCode));
    ASSERT_EQ(wl::SQLEXECDIRECT(s.stmt, "SELECT 'abcdefghij', NULL, 42"), SQL_SUCCESS);
    int columns = 0;
    EXPECT_EQ(wl::SQLNUMRESULTCOLS(s.stmt, columns), SQL_SUCCESS);
    EXPECT_EQ(columns, 3);
    ASSERT_EQ(wl::SQLFETCH(s.stmt), SQL_SUCCESS);
    std::string text;
    bool isNull = true;
    // Five bytes of room hold four characters and the closing zero.
    EXPECT_EQ(wl::SQLGETDATA(s.stmt, 1, SQL_C_CHAR, 5, text, isNull), SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(text, "abcd");
    EXPECT_FALSE(isNull);
    EXPECT_EQ(wl::SQLGETDATA(s.stmt, 2, SQL_C_CHAR, 10, text, isNull), SQL_SUCCESS);
    EXPECT_TRUE(isNull);
    EXPECT_EQ(text, "");
    std::int64_t indicator = 0;
    EXPECT_EQ(wl::SQLGETSTRING(s.stmt, 3, text, indicator), SQL_SUCCESS);
    EXPECT_EQ(text, "42");
    EXPECT_EQ(wl::SQLFETCH(s.stmt), SQL_NO_DATA);
}

TEST(OdbcCalls, ErrorsCarryTheirStateAndMessage) {
    zrtest::SqliteSource source("zrcalls");
    if (!source.ready()) GTEST_SKIP() << "ODBCSYSINI is not set";
    Session s(source.dsn());
    ASSERT_TRUE(SQL_SUCCEEDED(s.connectCode));
    EXPECT_EQ(wl::SQLEXECDIRECT(s.stmt, "SELECT FROM WHERE"), SQL_ERROR);
    std::string state, message;
    long native = 0;
    EXPECT_EQ(wl::SQLERROR32(s.env, s.dbc, s.stmt, state, native, message), SQL_SUCCESS);
    EXPECT_EQ(state.size(), 5u);
    EXPECT_NE(message.find("syntax"), std::string::npos) << message;
}

TEST(OdbcCalls, ScrollsWithExtendedFetch) {
    zrtest::SqliteSource source("zrcalls");
    if (!source.ready()) GTEST_SKIP() << "ODBCSYSINI is not set";
    Session s(source.dsn());
    ASSERT_TRUE(SQL_SUCCEEDED(s.connectCode));
    ASSERT_TRUE(SQL_SUCCEEDED(wl::SQLEXECDIRECT(s.stmt, "CREATE TABLE n (v INTEGER)")));
    ASSERT_TRUE(SQL_SUCCEEDED(wl::SQLEXECDIRECT(s.stmt, "INSERT INTO n VALUES (10),(20),(30)")));
    wl::SQLFREESTMT(s.stmt, SQL_CLOSE);
    EXPECT_TRUE(SQL_SUCCEEDED(wl::SQLSETSTMT(s.stmt, SQL_CURSOR_TYPE, std::int64_t{SQL_CURSOR_STATIC})));
    ASSERT_TRUE(SQL_SUCCEEDED(wl::SQLEXECDIRECT(s.stmt, "SELECT v FROM n ORDER BY v")));
    std::uint64_t rows = 0;
    unsigned short status = 0;
    std::string text;
    bool isNull = false;
    struct Step {
        int orientation;
        std::int64_t offset;
        int code;
        const char* value;
    } steps[] = {{SQL_FETCH_LAST, 0, SQL_SUCCESS, "30"},     {SQL_FETCH_PRIOR, 0, SQL_SUCCESS, "20"},
                 {SQL_FETCH_ABSOLUTE, 1, SQL_SUCCESS, "10"}, {SQL_FETCH_ABSOLUTE, 4, SQL_NO_DATA, ""},
                 {SQL_FETCH_FIRST, 0, SQL_SUCCESS, "10"},    {SQL_FETCH_NEXT, 0, SQL_SUCCESS, "20"}};
    for (const auto& step : steps) {
        EXPECT_EQ(wl::SQLEXTENDEDFETCH(s.stmt, step.orientation, step.offset, rows, status), step.code)
            << step.orientation << " " << step.offset;
        if (step.code != SQL_SUCCESS) continue;
        EXPECT_EQ(rows, 1u);
        wl::SQLGETDATA(s.stmt, 1, SQL_C_CHAR, 10, text, isNull);
        EXPECT_EQ(text, step.value);
    }
}

TEST(OdbcCalls, DataSourceEntriesOfTheWindowsFoldersOdbcIni) {
    std::string ini = wl::GETWINDIR() + "\\odbc.ini";
    std::remove(ini.c_str());
    EXPECT_TRUE(wl::ODBCDSNENTRIES().empty());
    ASSERT_TRUE(wl::WRITEPPROSTRING("ODBC 32 bit Data Sources", "Claims", "SQLite3 (32 bit)", ini));
    ASSERT_TRUE(wl::WRITEPPROSTRING("ODBC 32 bit Data Sources", "Remits", "SQLite3 (32 bit)", ini));
    ASSERT_TRUE(wl::WRITEPPROSTRING("Other", "Lines", "x", ini));
    auto entries = wl::ODBCDSNENTRIES();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], std::string("Claims") + std::string(248, ' '));
    EXPECT_EQ(wl::alltrimView(entries[1]), "Remits");
    EXPECT_EQ(wl::ODBCDSNENTRIES("Other").size(), 1u);
    EXPECT_TRUE(wl::ODBCDSNENTRIES("Empty").empty());
    std::remove(ini.c_str());
}

}  // namespace
