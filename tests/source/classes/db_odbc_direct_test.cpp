// TDbOdbcDirect over a real SQLite database: the fetched rows are cached
// in a temporary dBASE table; changes reach the server keyed on the
// primary key, checked with sqlite3.
#include "db_odbc_direct.hpp"

#include <gtest/gtest.h>

#include "message_loop.hpp"
#include "messages.hpp"
#include "parent_window.hpp"
#include "odbc_source.hpp"
#include "text.hpp"

namespace {

class DbOdbcDirectTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!source.ready()) GTEST_SKIP() << "ODBCSYSINI is not set";
        db = std::make_unique<wl::TOdbc>(source.dsn());
        ASSERT_TRUE(db->lSuccess());
        ASSERT_TRUE(db->Execute("CREATE TABLE Claims (ID INTEGER PRIMARY KEY, \"First Name\" VARCHAR(20), "
                                "AMT NUMERIC(10,2), DOS DATE, NOTE VARCHAR(400))"));
        ASSERT_TRUE(db->Execute("INSERT INTO Claims VALUES (1, 'ANN', 10.5, '2024-01-02', 'a'), "
                                "(2, 'BOB', 20, '2024-02-03', NULL), (3, 'CY', 30.25, NULL, 'c')"));
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& p : prompts) out.push_back(p.text.substr(0, p.text.find("\r\n")));
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

TEST_F(DbOdbcDirectTest, FetchesRowsAsMovementNeedsThem) {
    wl::TDbOdbcDirect q("Claims", db.get());
    EXPECT_EQ(q.cSelect(), "SELECT * FROM Claims");
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.Recno(), 1);
    EXPECT_FALSE(q.IsComplete());
    q.Skip(1);
    EXPECT_EQ(q.Recno(), 2);
    EXPECT_FALSE(q.Eof());
    EXPECT_EQ(q.RecCount(), 3);
    EXPECT_TRUE(q.IsComplete());
    EXPECT_EQ(q.Recno(), 2);
    EXPECT_FALSE(q.Eof());
    q.Skip(1);
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(q.FieldName(2), "[First Name]");
    EXPECT_EQ(q.FieldPos("first_name"), 2);
    EXPECT_EQ(q.FieldPos("first"), 0);  // exactly, not by prefix
    EXPECT_EQ(wl::rtrim(q.FieldGet(2).text()), "CY");
    EXPECT_DOUBLE_EQ(q.FieldGet(3).number(), 30.25);
    EXPECT_TRUE(q.FieldGet(4).isNil());
    EXPECT_TRUE(q.FieldIsNull(4));
    EXPECT_EQ(q.FieldType(5), 'M');  // over 255 characters: a memo in the cache
    EXPECT_EQ(wl::rtrim(q.FieldGet(5).text()), "c");
    q.Goto(2);
    EXPECT_TRUE(q.FieldGet(5).isNil());
    auto dos = q.FieldGet(4);
    q.Goto(1);
    ASSERT_TRUE(q.FieldGet(4).isDate());
    EXPECT_EQ(std::get<wl::Date>(q.FieldGet(4).storage()).day, 2);

    std::string cache = q.cFileName();
    EXPECT_TRUE(wl::DbfFile::open(cache).has_value());
    q.End();
    EXPECT_FALSE(wl::DbfFile::open(cache).has_value());
    EXPECT_FALSE(std::ifstream(wl::dbfMemoPath(cache)).good());
    EXPECT_TRUE(prompts.empty()) << texts().front();
}

TEST_F(DbOdbcDirectTest, AddsEditsAndDeletesOnTheServer) {
    wl::TDbOdbcDirect q("SELECT * FROM Claims", db.get());
    ASSERT_TRUE(q.Open());
    q.Complete();
    ASSERT_TRUE(q.AddNew());
    EXPECT_EQ(q.Recno(), 4);
    ASSERT_TRUE(q.FieldPut(2, wl::Value("O'BRIEN")));
    ASSERT_TRUE(q.FieldPut(4, wl::Value(wl::Date{})));  // no date: NULL
    ASSERT_TRUE(q.Update());
    EXPECT_EQ(source.sqlite("SELECT ID, \\\"First Name\\\", quote(DOS) FROM Claims WHERE ID = 4"), "4|O'BRIEN|NULL");
    EXPECT_EQ(q.RecCount(), 4);

    q.Goto(2);
    ASSERT_TRUE(q.Edit());
    q.FieldPut(3, wl::Value(99.5));
    ASSERT_TRUE(q.Update());
    EXPECT_EQ(source.sqlite("SELECT AMT FROM Claims WHERE ID = 2"), "99.5");

    // Changed on the server since it was read: the update is refused.
    ASSERT_TRUE(q.Edit());
    q.FieldPut(3, wl::Value(1));
    ASSERT_TRUE(db->Execute("UPDATE Claims SET AMT = 5 WHERE ID = 2"));
    EXPECT_FALSE(q.Update());
    ASSERT_TRUE(db->Execute("DELETE FROM Claims WHERE ID = 2"));
    EXPECT_FALSE(q.Update());
    EXPECT_TRUE(q.Cancel());

    q.Goto(1);
    ASSERT_TRUE(q.Delete());
    EXPECT_EQ(source.sqlite("SELECT group_concat(ID) FROM Claims"), "3,4");
    EXPECT_EQ(q.RecCount(), 3);
    EXPECT_EQ(texts(), (std::vector<std::string>{
                           "Some record fields (3) have change since the last retrieve operation, Update aborted",
                           "Record has been deleted since the last retrieve operation, Update aborted"}));
}

TEST_F(DbOdbcDirectTest, RefusesWhatItCannotDo) {
    ASSERT_TRUE(db->Execute("CREATE TABLE Loose (A VARCHAR(3))"));
    wl::TDbOdbcDirect q("Loose", db.get());
    ASSERT_TRUE(q.Open());
    EXPECT_FALSE(q.AddNew());
    EXPECT_FALSE(q.Edit());  // empty
    EXPECT_FALSE(q.FieldPut(1, wl::Value("x")));
    EXPECT_FALSE(q.Update());
    EXPECT_EQ(texts(), (std::vector<std::string>{"No primary keys found on this table, AddNew mode not allowed",
                                                 "Table empty, Edit mode not allowed",
                                                 "Edit mode not supported on this query",
                                                 "Invalid use of Update(), the table should be in Edit or AddNew mode"}));
    EXPECT_EQ(source.sqlite("SELECT COUNT(*) FROM Loose"), "0");
}

TEST_F(DbOdbcDirectTest, RefreshReadsTheServerAgain) {
    auto query = db->Query("Claims");  // the connection's own way to a TDbOdbcDirect
    wl::TDbOdbcDirect& q = *query;
    ASSERT_TRUE(q.Open());
    q.Skip(1);
    ASSERT_TRUE(db->Execute("UPDATE Claims SET AMT = 7 WHERE ID = 2"));
    EXPECT_DOUBLE_EQ(q.FieldGet(3).number(), 20);
    ASSERT_TRUE(q.Refresh());
    EXPECT_EQ(q.Recno(), 2);
    EXPECT_DOUBLE_EQ(q.FieldGet(3).number(), 7);
    ASSERT_TRUE(db->Execute("UPDATE Claims SET AMT = 8 WHERE ID = 2"));
    ASSERT_TRUE(q.RefreshCurrent());
    EXPECT_DOUBLE_EQ(q.FieldGet(3).number(), 8);
}

TEST_F(DbOdbcDirectTest, AutoFillFetchesOneRowPerTickThenEnds) {
    wltest::Parent owner;
    ShowWindow(owner.w.hWnd, SW_SHOW);
    SetActiveWindow(owner.w.hWnd);
    wl::TDbOdbcDirect q("Claims", db.get());
    ASSERT_TRUE(q.Open());
    std::vector<std::int64_t> ticks;
    q.AutoFill(true, 5, [&](std::int64_t n, wl::TDbOdbcDirect& self) {
        ticks.push_back(n);
        EXPECT_EQ(&self, &q);
    });
    ASSERT_TRUE(q.oTimer);
    EXPECT_EQ(q.oTimer->hWndOwner, owner.w.hWnd);
    EXPECT_TRUE(q.oTimer->lActive);
    // The ticks come through the owner's messages.
    const DWORD start = GetTickCount();
    while (q.oTimer && GetTickCount() - start < 3000) {
        wl::SYSREFRESH();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    EXPECT_FALSE(q.oTimer);  // ended once every row was in
    // Rows 2 and 3; the tick that finds no more rows reports the row the
    // cursor stands on; then the end.
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{2, 3, 1, 0}));
    EXPECT_TRUE(q.IsComplete());
    EXPECT_EQ(q.Recno(), 1);  // the row it stood on
    EXPECT_EQ(wl::rtrim(q.FieldGet(2).text()), "ANN");

    // Ended early, the rest is fetched as movement needs it.
    wl::TDbOdbcDirect r("Claims", db.get());
    ASSERT_TRUE(r.Open());
    r.AutoFill(true, 1000);
    r.TimerEvent();
    EXPECT_TRUE(r.oTimer->lActive);
    r.AutoFill(false);
    EXPECT_FALSE(r.oTimer);
    EXPECT_FALSE(r.IsComplete());
    EXPECT_EQ(r.RecCount(), 3);
}

}  // namespace
