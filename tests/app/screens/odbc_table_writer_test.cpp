// The conversion driver's ODBC table writer over a private SQLite data
// source: the table is made once with its key and widths (sqlite3 reads
// the schema back), an existing table is opened and counted, and a data
// source that does not exist is reported, not crashed.
#include "odbc_table_writer.hpp"

#include <gtest/gtest.h>

#include "odbc_source.hpp"
#include "test_support.hpp"

namespace {

using namespace zr;

class OdbcTableWriter : public ::testing::Test {
protected:
    void SetUp() override {
        if (!source.ready()) GTEST_SKIP() << "ODBCSYSINI is not set";
    }
    zrtest::SqliteSource source{"zrwriter"};
    zrtest::PromptRecorder prompts;
};

TEST_F(OdbcTableWriter, MakesTheTableOnceAndCountsItsRows) {
    const std::vector<OdbcTableField> fields{{"CLAIM", 12}, {"PATIENT", 30}};
    EXPECT_EQ(CTL48403B(source.dsn(), fields, "CLAIMS"), 0);
    const std::string schema = source.sqlite(".schema CLAIMS");
    EXPECT_NE(schema.find("CLAIM"), std::string::npos) << schema;
    EXPECT_NE(schema.find("NOT NULL PRIMARY KEY"), std::string::npos) << schema;
    EXPECT_NE(schema.find("30"), std::string::npos) << schema;
    source.sqlite("INSERT INTO CLAIMS VALUES ('C1', 'ANN'); INSERT INTO CLAIMS VALUES ('C2', 'BOB');");
    // The table exists: opened and counted, its rows kept.
    EXPECT_EQ(CTL48403C(source.dsn(), {{"claims", fields}, {"OTHER", {{"K", 3}}}}),
              (std::vector<std::int64_t>{2, 0}));
    EXPECT_EQ(source.sqlite("SELECT COUNT(*) FROM CLAIMS"), "2");
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST_F(OdbcTableWriter, AMissingDataSourceIsReportedNotCrashed) {
    EXPECT_EQ(CTL48403B("zrnosuchsource", {{"K", 3}}, "T"), -1);
    EXPECT_FALSE(prompts.prompts().empty());
    EXPECT_EQ(CTL48403B(source.dsn(), {}, "T"), -1);  // no fields: no table
}

}  // namespace
