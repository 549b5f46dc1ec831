// TOdbc against a real SQLite database through Wine's odbc32 and the
// system's driver manager; what it wrote is read back with sqlite3.
#include "odbc.hpp"

#include <gtest/gtest.h>

#include "messages.hpp"
#include "odbc_source.hpp"
#include "text.hpp"

namespace {

struct Recorder {
    std::vector<wl::Prompt> prompts;
    wl::ScopedPromptHook hook{[this](const wl::Prompt& p) {
        prompts.push_back(p);
        return wl::PromptAnswer{};
    }};
};

class OdbcTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!source.ready()) GTEST_SKIP() << "ODBCSYSINI is not set";
    }
    zrtest::SqliteSource source;
    Recorder shown;
};

TEST_F(OdbcTest, MissingDataSourceIsReportedNotCrashed) {
    wl::TOdbc db("no_such_source");
    EXPECT_FALSE(db.lSuccess());
    ASSERT_TRUE(db.IsError());
    EXPECT_EQ(db.LastError(), "SQLDriverConnect error from TODbc:New()");
    ASSERT_EQ(shown.prompts.size(), 1u);
    EXPECT_EQ(shown.prompts[0].caption, "ODBC Error message");
    EXPECT_EQ(shown.prompts[0].text.rfind("SQLDriverConnect error from TODbc:New()\r\n[# ", 0), 0u);
    // The methods of a failed connection give their empty results.
    EXPECT_FALSE(db.Execute("SELECT 1"));
    EXPECT_TRUE(db.GetTables().empty());
}

TEST_F(OdbcTest, ConnectsAndNamesTheDataSourceFromTheCompletedString) {
    wl::TOdbc db(" " + source.dsn() + " ", "", "a;b}c");
    ASSERT_TRUE(db.lSuccess()) << (shown.prompts.empty() ? "" : shown.prompts[0].text);
    EXPECT_EQ(db.cDSN(), source.dsn());
    EXPECT_NE(db.cConnect().find("DSN=" + source.dsn()), std::string::npos);
    EXPECT_FALSE(db.IsError());
    EXPECT_FALSE(db.GetInfo(SQL_DBMS_NAME).empty());
}

TEST_F(OdbcTest, CreatesFillsReadsUpdatesAndDeletes) {
    wl::TOdbc db(source.dsn());
    ASSERT_TRUE(db.lSuccess());
    EXPECT_FALSE(db.Create("claims", {}));  // no columns: no table
    ASSERT_EQ(shown.prompts.size(), 1u);
    EXPECT_EQ(shown.prompts[0].text, "Fields info array invalid");
    shown.prompts.clear();
    ASSERT_TRUE(db.Create("claims", {{"ID", 'N', 10, 0, std::string("NOT NULL PRIMARY KEY")},
                                     {"NAME", 'C', 20, 0, std::nullopt},
                                     {"AMT", 'N', 10, 2, std::nullopt},
                                     {"PAID", 'L', 1, 0, std::nullopt}}));
    EXPECT_TRUE(db.File("claims"));
    EXPECT_FALSE(db.File("nothing_here"));
    EXPECT_EQ(db.GetTables("*", false), std::vector<std::string>{"claims"});

    // 10,000 rows in one transaction.
    EXPECT_EQ(db.SetOptions(SQL_AUTOCOMMIT, std::int64_t{SQL_AUTOCOMMIT_OFF}), 0);
    wl::OdbcStatement stmt(db.AllocStatement());
    ASSERT_TRUE(stmt);
    wl::ColumnDescription name;
    name.type = 'C';
    bool allRan = true;
    for (int i = 1; i <= 10000; ++i) {
        std::string who = i == 7 ? "O'BRIEN" : "P" + std::to_string(i);
        allRan = allRan && db.Execute("INSERT INTO claims VALUES (" + std::to_string(i) + ", " +
                                          wl::sqlLiteral(wl::Value(who), name) + ", " + std::to_string(i) +
                                          ".25, " + (i % 2 ? "1" : "0") + ")",
                                      "insert", stmt.get());
    }
    EXPECT_TRUE(allRan);
    EXPECT_EQ(db.Commit(), 0);
    EXPECT_EQ(source.sqlite("SELECT COUNT(*), SUM(PAID) FROM claims"), "10000|5000");
    EXPECT_EQ(source.sqlite("SELECT NAME FROM claims WHERE ID = 7"), "O'BRIEN");

    // Reading back through the connection.
    EXPECT_EQ(db.QueryData("SELECT COUNT(*) FROM claims").number(), 10000);
    auto row = db.QueryRow("SELECT ID, NAME, AMT, PAID FROM claims WHERE ID = 7");
    ASSERT_EQ(row.size(), 4u);
    EXPECT_EQ(row[0].number(), 7);
    EXPECT_EQ(wl::rtrim(row[1].text()), "O'BRIEN");
    EXPECT_DOUBLE_EQ(row[2].number(), 7.25);
    EXPECT_TRUE(row[3].logical());
    EXPECT_TRUE(db.QueryRow("SELECT * FROM claims WHERE ID = 0").empty());
    EXPECT_TRUE(db.QueryData("SELECT NAME FROM claims WHERE ID = 0").isNil());

    // Update, delete and roll back.
    EXPECT_TRUE(db.Execute("UPDATE claims SET AMT = 0 WHERE ID <= 100"));
    EXPECT_TRUE(db.Execute("DELETE FROM claims WHERE ID > 9000"));
    EXPECT_EQ(db.Commit(), 0);
    EXPECT_TRUE(db.Execute("DELETE FROM claims"));
    EXPECT_EQ(db.RollBack(), 0);
    EXPECT_EQ(source.sqlite("SELECT COUNT(*), SUM(AMT = 0) FROM claims"), "9000|100");
    EXPECT_FALSE(db.IsError()) << db.LastError();
    for (const auto& p : shown.prompts) ADD_FAILURE() << p.text;

    EXPECT_TRUE(db.DelTable("claims"));
    EXPECT_FALSE(db.File("claims"));
    EXPECT_FALSE(db.DelTable("claims"));
}

TEST_F(OdbcTest, DescribesColumnsAndReadsNulls) {
    wl::TOdbc db(source.dsn());
    ASSERT_TRUE(db.lSuccess());
    ASSERT_TRUE(db.Execute("CREATE TABLE t (NAME VARCHAR(12), N INTEGER, BORN DATE, OK BIT, NOTE TEXT)"));
    ASSERT_TRUE(db.Execute("INSERT INTO t VALUES ('Ann', 3, '2013-07-01', 1, 'long')"));
    ASSERT_TRUE(db.Execute("INSERT INTO t VALUES (NULL, NULL, NULL, 0, NULL)"));
    wl::OdbcStatement stmt(db.AllocStatement());
    ASSERT_TRUE(db.Execute("SELECT NAME, N, BORN, OK, NOTE FROM t ORDER BY N DESC", "", stmt.get()));
    auto cols = db.CursorFields(stmt.get());
    ASSERT_EQ(cols.size(), 5u);
    EXPECT_EQ(cols[0].name, "NAME");
    EXPECT_EQ(cols[0].type, 'C');
    EXPECT_EQ(cols[0].length, 12);
    EXPECT_EQ(cols[1].type, 'N');
    EXPECT_EQ(cols[2].type, 'D');
    EXPECT_EQ(cols[3].type, 'L');
    ASSERT_TRUE(db.Fetch(stmt.get()));
    EXPECT_EQ(db.GetValue(1, stmt.get(), cols).text(), "Ann         ");
    EXPECT_EQ(db.GetValue(2, stmt.get(), cols).number(), 3);
    auto born = db.GetValue(3, stmt.get(), cols);
    ASSERT_TRUE(born.isDate());
    EXPECT_EQ(std::get<wl::Date>(born.storage()).year, 2013);
    EXPECT_TRUE(db.GetValue(4, stmt.get(), cols).logical());
    ASSERT_TRUE(db.Fetch(stmt.get()));
    for (int i : {1, 2, 3, 5}) EXPECT_TRUE(db.GetValue(i, stmt.get(), cols).isNil()) << i;
    EXPECT_FALSE(db.GetValue(4, stmt.get(), cols).logical());
    EXPECT_FALSE(db.Fetch(stmt.get()));

    // Dates read as text.
    wl::OdbcStatement again(db.AllocStatement());
    ASSERT_TRUE(db.Execute("SELECT BORN FROM t WHERE N = 3", "", again.get()));
    auto asText = db.CursorFields(again.get(), true);
    ASSERT_TRUE(db.Fetch(again.get()));
    EXPECT_EQ(wl::alltrim(db.GetValue(1, again.get(), asText).text()).substr(0, 10), "2013-07-01");
}

TEST_F(OdbcTest, ListsIndexesAndTheirKeys) {
    wl::TOdbc db(source.dsn());
    ASSERT_TRUE(db.lSuccess());
    ASSERT_TRUE(db.Execute("CREATE TABLE lines (CLM VARCHAR(10), LN INTEGER, CODE VARCHAR(5))"));
    ASSERT_TRUE(db.Execute("CREATE INDEX byclaim ON lines (CLM, LN)"));
    ASSERT_TRUE(db.Execute("CREATE INDEX bycode ON lines (CODE)"));
    auto names = db.GetIndex("lines");
    ASSERT_EQ(names.size(), 2u);
    EXPECT_TRUE(db.IsIndex(" lines ", "BYCODE "));
    EXPECT_FALSE(db.IsIndex("lines", "byname"));
    std::size_t byClaim = names[0] == "byclaim" ? 1 : 2;
    EXPECT_EQ(db.IndexKey("lines", static_cast<int>(byClaim)), "CLM + LN");
    EXPECT_EQ(db.IndexKey("lines", 3), "");
    EXPECT_EQ(db.IndexKey("lines", 0), "");
}

TEST_F(OdbcTest, RecordsErrorsWithDiagnosticsAndKeepsTheNewest101) {
    wl::TOdbc db(source.dsn());
    ASSERT_TRUE(db.lSuccess());
    EXPECT_FALSE(db.Execute("SELEKT nonsense", "first"));
    ASSERT_EQ(db.aErrors().entries().size(), 1u);
    const auto& e = db.aErrors().entries().front();
    EXPECT_EQ(e.operation, "first");
    EXPECT_EQ(e.message.rfind("Class: ", 0), 0u) << e.message;
    EXPECT_NE(e.location.find("On Procedure: "), std::string::npos);
    ASSERT_EQ(shown.prompts.size(), 1u);
    EXPECT_EQ(shown.prompts[0].caption, "ODBC Error message");

    db.lShowError = false;
    for (int i = 0; i < 110; ++i) db.Execute("SELEKT " + std::to_string(i), "op" + std::to_string(i));
    EXPECT_EQ(db.aErrors().entries().size(), 101u);
    EXPECT_EQ(db.LastError(), "op109");
    EXPECT_EQ(shown.prompts.size(), 1u);

    db.ShowErrorList();
    ASSERT_EQ(shown.prompts.size(), 2u);
    EXPECT_EQ(shown.prompts[1].kind, wl::PromptKind::List);
    EXPECT_EQ(shown.prompts[1].options.size(), 101u);
    EXPECT_NE(shown.prompts[1].options.back().find("Retcode: "), std::string::npos);

    db.lAbort = true;
    EXPECT_THROW(db.Execute("SELEKT", "abort"), wl::OdbcFailure);
}

TEST_F(OdbcTest, EmptyErrorListSaysSo) {
    wl::TOdbc db(source.dsn());
    db.ShowErrorList();
    ASSERT_EQ(shown.prompts.size(), 1u);
    EXPECT_EQ(shown.prompts[0].text, "No errors on ODBC connection");
    EXPECT_EQ(shown.prompts[0].caption, "ODBC Error list");
}

}  // namespace
