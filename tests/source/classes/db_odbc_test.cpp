// TDbOdbc over a real SQLite table through the driver manager; the
// table's contents are checked with sqlite3.
#include "db_odbc.hpp"

#include <gtest/gtest.h>

#include "dbf_area.hpp"
#include "messages.hpp"
#include "odbc_source.hpp"
#include "test_support.hpp"
#include "text.hpp"

namespace {

class DbOdbcTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!source.ready()) GTEST_SKIP() << "ODBCSYSINI is not set";
        db = std::make_unique<wl::TOdbc>(source.dsn());
        ASSERT_TRUE(db->lSuccess());
    }
    // PATIENTS: NO, ID (key), NAME, BORN, ACTIVE; rows i = 1..n with
    // ID i, NAME "N" + five digits of i.
    void fill(int rows) {
        ASSERT_TRUE(db->Execute("CREATE TABLE PATIENTS (NO INTEGER, ID INTEGER PRIMARY KEY, NAME VARCHAR(10), "
                                "BORN DATE, ACTIVE BIT)"));
        db->SetOptions(SQL_AUTOCOMMIT, std::int64_t{SQL_AUTOCOMMIT_OFF});
        wl::OdbcStatement stmt(db->AllocStatement());
        for (int i = 1; i <= rows; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "N%05d", i);
            ASSERT_TRUE(db->Execute("INSERT INTO PATIENTS VALUES (" + std::to_string(i) + ", " + std::to_string(i) +
                                        ", '" + name + "', '2000-01-0" + std::to_string(i % 9 + 1) + "', 1)",
                                    "", stmt.get()));
        }
        db->Commit();
        db->SetOptions(SQL_AUTOCOMMIT, std::int64_t{SQL_AUTOCOMMIT_ON});
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& p : prompts) out.push_back(p.text);
        return out;
    }

    zrtest::SqliteSource source;
    std::unique_ptr<wl::TOdbc> db;
    std::vector<wl::Prompt> prompts;
    wl::ScopedPromptHook hook{[this](const wl::Prompt& p) {
        prompts.push_back(p);
        return wl::PromptAnswer{};
    }};
};

TEST_F(DbOdbcTest, CountsScrollsAndMovesOneRowPerSkip) {
    fill(12345);
    wl::TDbOdbc t("PATIENTS", db.get());
    EXPECT_FALSE(t.lNetErr());
    EXPECT_EQ(t.cSelect(), "SELECT * FROM PATIENTS");
    EXPECT_EQ(t.aFldPrimary(), std::vector<std::string>{"ID"});
    ASSERT_EQ(t.FCount(), 5);
    EXPECT_EQ(t.RecNo(), 1);
    EXPECT_EQ(t.FieldGet(2).number(), 1);
    EXPECT_EQ(t.RecCount(), 12345);
    EXPECT_EQ(t.RecNo(), 1);
    EXPECT_EQ(t.FieldGet(2).number(), 1);  // the count leaves the cursor on the first row
    EXPECT_EQ(t.Skip(5), 1);
    EXPECT_EQ(t.RecNo(), 2);
    EXPECT_EQ(t.FieldGet(2).number(), 2);
    t.GoBottom();
    EXPECT_EQ(t.RecNo(), 12345);
    EXPECT_EQ(t.FieldGet(2).number(), 12345);
    EXPECT_EQ(t.Skip(1), 0);
    EXPECT_TRUE(t.Eof());
    EXPECT_EQ(t.FieldGet(2).number(), 12345);
    EXPECT_TRUE(t.GoToId(6000));
    EXPECT_EQ(wl::rtrim(t.FieldGet(3).text()), "N06000");
    EXPECT_EQ(t.Skip(-1), 1);
    EXPECT_EQ(t.RecNo(), 5999);
    EXPECT_EQ(t.Skipper(100000), 12345 - 5999);
    t.GoTop();
    EXPECT_EQ(t.Skip(-1), 0);
    EXPECT_TRUE(t.Bof());
    EXPECT_EQ(t.RecNo(), 1);
    auto born = t.FieldGet(4);
    ASSERT_TRUE(born.isDate());
    EXPECT_EQ(std::get<wl::Date>(born.storage()).day, 2);
    EXPECT_TRUE(t.FieldGet(5).logical());
    EXPECT_TRUE(prompts.empty()) << texts().front();
}

TEST_F(DbOdbcTest, ChoosesColumnsByNumberAndName) {
    fill(3);
    wl::TDbOdbc t("PATIENTS(2, NAME, 9)", db.get());
    EXPECT_EQ(t.cSelect(), "SELECT ID, NAME FROM PATIENTS");
    EXPECT_EQ(t.cFileName(), "PATIENTS");
    EXPECT_EQ(t.FCount(), 2);
    EXPECT_EQ(t.Fieldpos("NAME"), 2);
    EXPECT_EQ(t.Fieldpos("name"), 0);  // names are upper case, compared exactly
}

TEST_F(DbOdbcTest, WritesChangedValuesWhenTheRowIsLeft) {
    fill(5);
    wl::TDbOdbc t("PATIENTS", db.get());
    EXPECT_TRUE(t.FieldPut(3, t.FieldGet(3)));
    EXPECT_FALSE(t.lNeedUpd());  // the same value changes nothing
    t.FieldPut(3, wl::Value("O'BRIEN"));
    t.FieldPut(4, wl::Value("20240131"));
    EXPECT_TRUE(t.lNeedUpd());
    EXPECT_TRUE(t.FieldModified(3));
    t.Skip(1);
    EXPECT_FALSE(t.lNeedUpd());
    EXPECT_EQ(source.sqlite("SELECT NAME, BORN FROM PATIENTS WHERE ID = 1"), "O'BRIEN|2024-01-31");
    EXPECT_EQ(t.RecNo(), 2);
    t.FieldPut(5, wl::Value(false));
    EXPECT_TRUE(t.Update());
    EXPECT_EQ(source.sqlite("SELECT ACTIVE FROM PATIENTS WHERE ID = 2"), "0");
    EXPECT_TRUE(prompts.empty()) << texts().front();
}

TEST_F(DbOdbcTest, AppendsDistinctRowsWithoutDatesAndDeletes) {
    fill(2);
    wl::TDbOdbc t("PATIENTS", db.get());
    EXPECT_TRUE(t.Append());
    EXPECT_TRUE(t.Append());  // a second new row takes the next key
    EXPECT_EQ(source.sqlite("SELECT ID, quote(BORN), ACTIVE FROM PATIENTS WHERE ID > 2 ORDER BY ID"),
              "3|NULL|0\n4|NULL|0");
    EXPECT_EQ(t.RecCount(), 4);
    t.GoToId(2);
    EXPECT_TRUE(t.Delete());
    EXPECT_EQ(source.sqlite("SELECT group_concat(ID) FROM PATIENTS"), "1,3,4");
    EXPECT_EQ(t.RecCount(), 3);
    EXPECT_TRUE(prompts.empty()) << texts().front();
}

TEST_F(DbOdbcTest, NullKeysAreMatchedWithIsNull) {
    ASSERT_TRUE(db->Execute("CREATE TABLE CODES (CODE VARCHAR(5) PRIMARY KEY, TEXT VARCHAR(20))"));
    ASSERT_TRUE(db->Execute("INSERT INTO CODES VALUES (NULL, 'none'), ('A1', 'first')"));
    wl::TDbOdbc t("CODES", db.get());
    t.SetOrder("CODE");
    ASSERT_TRUE(t.FieldGet(1).isNil());  // NULL sorts first
    t.FieldPut(2, wl::Value("still none"));
    EXPECT_TRUE(t.Update());
    EXPECT_EQ(source.sqlite("SELECT TEXT FROM CODES ORDER BY CODE"), "still none\nfirst");
    EXPECT_TRUE(prompts.empty()) << texts().front();
}

TEST_F(DbOdbcTest, RefusedUpdatesKeepTheEdits) {
    fill(2);
    wl::TDbOdbc t("PATIENTS", db.get(), 0, "", true);
    t.FieldPut(3, wl::Value("CHANGED"));
    EXPECT_FALSE(t.Update());
    EXPECT_EQ(texts(), std::vector<std::string>{"The table is opened on read-only mode"});
    EXPECT_TRUE(t.lNeedUpd());
    EXPECT_EQ(t.FieldGet(3).text(), "CHANGED");
    EXPECT_EQ(t.Skip(1), 0);  // the row is not left with its edits unsaved
    EXPECT_EQ(t.RecNo(), 1);
    EXPECT_EQ(t.FieldGet(3).text(), "CHANGED");
    t.Cancel();  // gives them up
    EXPECT_FALSE(t.lNeedUpd());
    EXPECT_EQ(wl::rtrim(t.FieldGet(3).text()), "N00001");
    EXPECT_EQ(source.sqlite("SELECT NAME FROM PATIENTS WHERE ID = 1"), "N00001");
}

TEST_F(DbOdbcTest, SelectSourcesRefuseEditsOrdersFiltersAndSeeks) {
    fill(2);
    wl::TDbOdbc t("select NAME from PATIENTS", db.get());
    EXPECT_EQ(t.cFileName(), "");
    EXPECT_EQ(t.RecCount(), 2);
    t.FieldPut(1, wl::Value("X"));
    EXPECT_FALSE(t.Update());
    t.SetOrder("NAME");
    t.SetFilter("NAME = 'X'");
    EXPECT_FALSE(t.Seek(wl::Value("N")));
    EXPECT_EQ(texts(), (std::vector<std::string>{"Edit is not allowed on 'SELECT' statement",
                                                 "Order operations are not allowed on SELECT statements",
                                                 "Filter operations are not allowed on SELECT statements",
                                                 "Seek operations are not allowed on SELECT statements"}));
}

TEST_F(DbOdbcTest, OrdersFiltersAndSeeks) {
    fill(500);
    wl::TDbOdbc t("PATIENTS", db.get());
    t.SetOrder("name desc");
    ASSERT_EQ(t.aIndex().size(), 1u);
    EXPECT_TRUE(t.aIndex()[0].descending);
    EXPECT_EQ(wl::rtrim(t.FieldGet(3).text()), "N00500");
    EXPECT_TRUE(t.Seek(wl::Value("N0012")));  // LIKE 'N0012%': the first of N00129 .. N00120
    EXPECT_EQ(wl::rtrim(t.FieldGet(3).text()), "N00129");
    EXPECT_EQ(t.RecNo(), 500 - 129 + 1);
    EXPECT_FALSE(t.Seek(wl::Value("ZZ")));
    EXPECT_TRUE(t.Eof());

    t.SetOrder("ID");
    EXPECT_TRUE(t.Seek(wl::Value(321)));
    EXPECT_EQ(t.RecNo(), 321);
    EXPECT_TRUE(t.Found());

    t.SetFilter("\"ID > 400\"");
    EXPECT_EQ(t.cFilter(), "ID > 400");
    EXPECT_EQ(t.RecCount(), 100);
    EXPECT_EQ(t.FieldGet(2).number(), 401);

    t.SetOrder("zip");
    EXPECT_TRUE(t.aIndex().empty());
    EXPECT_FALSE(t.Seek(wl::Value(1)));
    EXPECT_EQ(texts(), std::vector<std::string>{"Seek operations can not be done if the table is not ordered"});
}

TEST_F(DbOdbcTest, SeekEndsWhenTheServerOrdersOtherwise) {
    // The server orders texts by their bytes (lower case after upper case);
    // the seek compares them in upper case, so its halving can miss: it
    // must end, and say whether it stands on the value.
    ASSERT_TRUE(db->Execute("CREATE TABLE WORDS (ID INTEGER PRIMARY KEY, W VARCHAR(8))"));
    ASSERT_TRUE(db->Execute("INSERT INTO WORDS (W) VALUES ('Zed'), ('apple'), ('Bob'), ('cat'), ('Dan'), "
                            "('egg'), ('Fay'), ('gum')"));
    wl::TDbOdbc t("WORDS", db.get());
    t.SetOrder("W");
    for (const char* w : {"apple", "Zed", "gum", "Bob"}) {
        bool found = t.Seek(wl::Value(w));
        if (found) EXPECT_EQ(wl::rtrim(t.FieldGet(2).text()), w);
        EXPECT_EQ(found, t.Found());
    }
    EXPECT_TRUE(prompts.empty()) << texts().front();
}

TEST_F(DbOdbcTest, TablesWithoutKeysAreNotEdited) {
    ASSERT_TRUE(db->Execute("CREATE TABLE LOOSE (A VARCHAR(3))"));
    ASSERT_TRUE(db->Execute("INSERT INTO LOOSE VALUES ('x')"));
    wl::TDbOdbc t("LOOSE", db.get());
    EXPECT_FALSE(t.Append());
    EXPECT_EQ(texts(), std::vector<std::string>{"Edit is not allowed if there are not any primary keys on the table"});
    EXPECT_EQ(source.sqlite("SELECT COUNT(*) FROM LOOSE"), "1");
}

TEST_F(DbOdbcTest, MissingTableSetsTheNetworkErrorFlag) {
    db->lShowError = false;
    wl::TDbOdbc t("NO_TABLE", db.get());
    EXPECT_TRUE(t.lNetErr());
    EXPECT_TRUE(t.lError());
    EXPECT_EQ(t.FCount(), 0);
    wl::TDbOdbc none("PATIENTS", nullptr);
    EXPECT_TRUE(none.lNetErr());
}

TEST_F(DbOdbcTest, CopiesItsRowsIntoADbaseTableAndMapsFieldNames) {
    fill(3);
    wl::TDbOdbc t("PATIENTS", db.get());
    ASSERT_TRUE(t.GoToId(2));
    zrtest::TempDir dir;
    const std::string empty = t.GenDbf(dir.file("EMPTY.DBF"));
    ASSERT_EQ(empty, dir.file("EMPTY.DBF"));
    EXPECT_EQ(wl::DbfFile::open(empty)->recordCount(), 0u);
    const std::string path = t.GenDbf(dir.file("COPY.DBF"), true);
    ASSERT_EQ(path, dir.file("COPY.DBF"));
    EXPECT_EQ(t.RecNo(), 2);  // back on its row
    EXPECT_FALSE(wl::dbfAreaOf("_TDBODBC_"));
    auto copy = wl::DbfFile::open(path);
    ASSERT_TRUE(copy);
    ASSERT_EQ(copy->recordCount(), 3u);
    ASSERT_EQ(copy->fields().size(), 5u);
    EXPECT_EQ(copy->fields()[2].name, "NAME");
    EXPECT_EQ(copy->fields()[3].type, 'D');
    EXPECT_EQ(copy->fields()[4].type, 'L');
    const wl::ValueList third = copy->read(3);
    EXPECT_EQ(third[1].number(), 3);
    EXPECT_EQ(wl::rtrim(third[2].text()), "N00003");
    EXPECT_EQ(std::get<wl::Date>(third[3].storage()).day, 4);
    copy.reset();

    EXPECT_EQ(t.DbfFld2SQLFld("NAME"), "");  // no work area selected
    ASSERT_TRUE(wl::USEAREA(path, "COPY"));
    EXPECT_EQ(t.DbfFld2SQLFld("born"), "BORN");
    EXPECT_EQ(t.SQLFld2DbfFld("active"), "ACTIVE");
    EXPECT_EQ(t.SQLFld2DbfFld("nosuch"), "");
    wl::dbfCloseArea("COPY");
}

}  // namespace
