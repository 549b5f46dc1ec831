// The record-set functions over ODBC against a private SQLite data source:
// the kind's name, tables made in the kind's dialect and listed, a row
// loaded with NULLs as blanks, a record set exported to a dBASE table with
// names made valid, and a missing data source or table reported, not
// crashed.
#include "record_set_functions.hpp"

#include <gtest/gtest.h>

#include "dbf_file.hpp"
#include "odbc_source.hpp"
#include "test_support.hpp"
#include "text.hpp"

namespace {

class RecordSetFunctions : public ::testing::Test {
protected:
    void SetUp() override {
        if (!source.ready()) GTEST_SKIP() << "ODBCSYSINI is not set";
        db = wl::WL_OPENADOCONNECTION(source.dsn(), true);
        ASSERT_TRUE(db);
    }
    zrtest::SqliteSource source{"zrrecords"};
    zrtest::PromptRecorder prompts;
    std::unique_ptr<wl::TOdbc> db;
};

TEST_F(RecordSetFunctions, MakesListsLoadsAndExportsTables) {
    EXPECT_EQ(wl::WL_RDBMSNAME(*db), "SQLITE");
    ASSERT_TRUE(wl::WLADOCREATETABLE("Payers", {{"ID", "N", 6, 0}, {"Payer Name", "C", 20, 0}, {"JOINED", "D", 8, 0}},
                                     *db, false));
    EXPECT_TRUE(wl::WL_ADOTABLEEXISTS("PAYERS", *db));
    EXPECT_FALSE(wl::WL_ADOTABLEEXISTS("CLAIMS", *db));
    EXPECT_EQ(source.sqlite("SELECT sql FROM sqlite_master WHERE name = 'Payers'").find("\"Payer Name\"") !=
                  std::string::npos,
              true);
    ASSERT_TRUE(db->Execute("INSERT INTO Payers VALUES (1, 'AETNA', '2020-05-06')"));
    ASSERT_TRUE(db->Execute("INSERT INTO Payers VALUES (2, NULL, NULL)"));

    auto rs = wl::WL_OPENRECORDSET(*db, "Payers");
    ASSERT_TRUE(rs);
    const auto structure = wl::WLADOSTRUCT(*rs);
    ASSERT_EQ(structure.size(), 3u);
    EXPECT_EQ(structure[2].type, "D");
    ASSERT_EQ(rs->RecCount(), 2);
    rs->Skip(1);
    ASSERT_EQ(rs->RecNo(), 2);
    const wl::TDataBaseRow row = wl::WLADOLOADRECORD(*rs);
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[1].name, "PAYER NAME");
    EXPECT_EQ(wl::rtrim(row[1].value.text()), "");  // NULL: blank
    ASSERT_TRUE(row[2].value.isDate()) << wl::CVALTOCHAR(row[2].value);
    EXPECT_TRUE(std::get<wl::Date>(row[2].value.storage()).blank());

    zrtest::TempDir dir;
    ASSERT_TRUE(wl::WL_ADOEXPORTTODBF(*rs, dir.file("PAYERS.DBF")));
    EXPECT_EQ(rs->RecNo(), 2);  // its position kept
    auto copy = wl::DbfFile::open(dir.file("PAYERS.DBF"));
    ASSERT_TRUE(copy);
    ASSERT_EQ(copy->recordCount(), 2u);
    EXPECT_EQ(copy->fields()[1].name, "PAYER_NAME");
    EXPECT_EQ(wl::rtrim(copy->read(1)[1].text()), "AETNA");
    EXPECT_EQ(std::get<wl::Date>(copy->read(1)[2].storage()).month, 5);
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST_F(RecordSetFunctions, ADbaseTableIsImportedInBatchesAndReplacedOnlyWhenAllowed) {
    zrtest::TempDir dir;
    const std::string path = dir.file("MEMBERS.DBF");
    {
        auto t = wl::DbfFile::create(path, {{"NAME", 'C', 10, 0}, {"COPAY", 'N', 6, 2}, {"SEEN", 'D', 8, 0}});
        for (int i = 1; i <= 45; ++i)
            t->append({wl::Value(i == 7 ? std::string("O'BRIEN") : "M" + std::to_string(i)), wl::Value(i * 0.5),
                       wl::Value(wl::Date{2024, 1 + i % 12, 1})});
    }
    ASSERT_TRUE(wl::WL_ADOIMPORTFROMDBF(*db, path, "", "X_", 20));
    EXPECT_EQ(source.sqlite("SELECT COUNT(*), SUM(X_COPAY) FROM MEMBERS"), "45|517.5");
    EXPECT_EQ(source.sqlite("SELECT TRIM(X_NAME) FROM MEMBERS WHERE X_COPAY = 3.5"), "O'BRIEN");
    EXPECT_TRUE(prompts.prompts().empty());
    // The table exists: No keeps it, Yes replaces it.
    EXPECT_FALSE(wl::WL_ADOIMPORTFROMDBF(*db, path, "MEMBERS", "X_", 20));
    EXPECT_EQ(prompts.texts().back(), "MEMBERS Already Exists. OverWrite? (Y/N)");
    prompts.answerNext(true);
    ASSERT_TRUE(wl::WL_ADOIMPORTFROMDBF(*db, path, "MEMBERS", "", -1));
    EXPECT_EQ(source.sqlite("SELECT COUNT(*) FROM MEMBERS"), "0");
    EXPECT_FALSE(wl::WL_ADOIMPORTFROMDBF(*db, dir.file("NONE.DBF")));
    EXPECT_EQ(prompts.texts().back(), dir.file("NONE.DBF") + " not found");
    EXPECT_TRUE(wl::AGETWORKAREAS().empty());  // the source area is closed
}

TEST_F(RecordSetFunctions, MissingSourcesAreReportedNotCrashed) {
    EXPECT_FALSE(wl::WL_OPENRECORDSET(*db, "NOSUCHTABLE"));
    EXPECT_FALSE(wl::WL_OPENADOCONNECTION("zrnosuchsource", true));
    EXPECT_GE(prompts.prompts().size(), 2u);
    wl::TOdbc quiet(source.dsn());
    EXPECT_EQ(wl::WL_SHOWADOERROR(quiet, true), "");
    EXPECT_EQ(prompts.texts().back(), "ADO ERROR UNKNOWN");
}

}  // namespace
