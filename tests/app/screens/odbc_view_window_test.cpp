// The log display's ODBC screens under Wine over a private SQLite data
// source: the table picker, the data view's field list, records, purge and
// delete, the "Select DSN" dialog, and a view with no data source at all.
// The data source is listed in the Windows folder's "odbc.ini", where the
// program looks for it.
#include "odbc_view_window.hpp"

#include <gtest/gtest.h>

#include <cstdio>

#include "dbf_file.hpp"
#include "dialog_acts.hpp"
#include "odbc_source.hpp"
#include "profile_files.hpp"
#include "system_facts.hpp"
#include "test_support.hpp"
#include "text.hpp"
#include "user_script.hpp"

namespace {

using namespace zr;
using zrtest::UserScript;

auto odbcPress(const std::string& caption) {
    return [caption](HWND w) { EXPECT_TRUE(pressButton(w, caption)) << caption; };
}

// The status line of the data view: its static text that names the table.
std::string odbcStatusOf(HWND view) {
    for (const std::string& t : zrtest::childTexts(view, "Static"))
        if (t.rfind("PATIENTS", 0) == 0) return t;
    return "";
}

class OdbcViewWindow : public ::testing::Test {
protected:
    void SetUp() override {
        if (!source.ready()) GTEST_SKIP() << "ODBCSYSINI is not set";
        wl::TOdbc db(source.dsn());
        ASSERT_TRUE(db.lSuccess());
        ASSERT_TRUE(db.Execute("CREATE TABLE PATIENTS (ID INTEGER PRIMARY KEY, NAME VARCHAR(10), BORN DATE)"));
        ASSERT_TRUE(db.Execute("INSERT INTO PATIENTS VALUES (1, 'ANN', '2001-02-03')"));
        ASSERT_TRUE(db.Execute("INSERT INTO PATIENTS VALUES (2, 'BOB', '1999-12-31')"));
        listSource(true);
    }
    void TearDown() override { std::remove(ini().c_str()); }

    static std::string ini() { return wl::GETWINDIR() + "\\odbc.ini"; }
    void listSource(bool listed) {
        std::remove(ini().c_str());
        if (listed) ASSERT_TRUE(wl::WRITEPPROSTRING("ODBC 32 bit Data Sources", source.dsn(), "SQLite3", ini()));
    }

    zrtest::SqliteSource source{"zrview"};
    zrtest::PromptRecorder prompts;
};

TEST_F(OdbcViewWindow, FieldListAndRecordsOfTheTable) {
    wl::TOdbc db(source.dsn());
    wl::TDbOdbc table("PATIENTS", &db, 0, "", true);
    ASSERT_FALSE(table.lNetErr());
    const OdbcViewPage fields = CTL33500K(table, "PATIENTS", 0);
    ASSERT_EQ(fields.lines.size(), 3u);
    EXPECT_EQ(fields.lines[1].substr(0, 33), "  2> NAME" + std::string(24, ' '));
    EXPECT_NE(fields.lines[1].find(" Type=C Len="), std::string::npos);
    EXPECT_EQ(fields.status, "PATIENTS   3 Fields.  2 Records");
    const OdbcViewPage second = CTL33500K(table, "PATIENTS", 2);
    EXPECT_EQ(second.lines[1], "  2> NAME" + std::string(24, ' ') + " BOB");
    EXPECT_EQ(second.status, "PATIENTS  Record 2  of  2 Records");
    EXPECT_EQ(CTL33500G(second, 2), second.lines[1]);
    EXPECT_EQ(CTL33500G(second, 9), "");
}

TEST_F(OdbcViewWindow, SelectTableListsTheTablesAndAnswersTheChosenOne) {
    wl::TOdbc db(source.dsn());
    std::vector<ShownDialog> shown;
    ViewerUi ui{[&](const ShownDialog& d) { shown.push_back(d); }};
    {
        UserScript script({{"Select Table", odbcPress("Select")}});
        EXPECT_EQ(CTLD33501A(CTL33500H(db), db, ui), "PATIENTS");
    }
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].lines, std::vector<std::string>{"PATIENTS"});
    {
        UserScript script({{"Select Table", odbcPress("Cancel")}});
        EXPECT_EQ(CTLD33501A(1, db, ui), "");
    }
    EXPECT_EQ(CTLD33501A(0, db, ui), "");
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Table Error"});
}

TEST_F(OdbcViewWindow, TheViewStepsThroughRecordsThenPurgesAndDeletes) {
    std::vector<std::string> statuses;
    auto status = [&](const std::string& next) {
        return [&, next](HWND w) {
            statuses.push_back(odbcStatusOf(w));
            EXPECT_TRUE(pressButton(w, next)) << next;
        };
    };
    UserScript script({
        {"View ODBC Data", odbcPress("Load Table")},
        {"Select Table", odbcPress("Select")},
        {"View ODBC Data", status(">")},
        {"View ODBC Data", status(">")},
        {"View ODBC Data", status(">")},  // the last record stays
        {"View ODBC Data", status("<")},
        {"View ODBC Data", status("^")},
        {"View ODBC Data", status("Purge Table")},
        {"Select Table", odbcPress("Select")},
        {"View ODBC Data", odbcPress("Delete Table")},
        {"Select Table", odbcPress("Select")},
        {"View ODBC Data", odbcPress("Exit")},
    });
    odbcDataView();
    EXPECT_TRUE(UserScript::done());
    EXPECT_EQ(statuses, (std::vector<std::string>{
                            "PATIENTS   3 Fields.  2 Records",
                            "PATIENTS  Record 1  of  2 Records",
                            "PATIENTS  Record 2  of  2 Records",
                            "PATIENTS  Record 2  of  2 Records",
                            "PATIENTS  Record 1  of  2 Records",
                            "PATIENTS   3 Fields.  2 Records",
                        }));
    // SQLite has no TRUNCATE: the purge shows the driver's error and never
    // says "Complete"; the delete drops the table.
    const std::vector<std::string> said = prompts.texts();
    ASSERT_EQ(said.size(), 2u);
    EXPECT_EQ(said[0].rfind("TOdbc:TruncateTable()", 0), 0u) << said[0];
    EXPECT_EQ(said[1], "Delete PATIENTS Complete");
    EXPECT_EQ(source.sqlite("SELECT name FROM sqlite_master WHERE type='table'"), "");
}

TEST_F(OdbcViewWindow, TestdataIsACopyOfTheTable) {
    zrtest::TempDir dir;
    ASSERT_TRUE(CTL33500N(source.dsn(), "PATIENTS", dir.path()));
    auto copy = wl::DbfFile::open(dir.file("testdata.dbf"));
    ASSERT_TRUE(copy.has_value());
    ASSERT_EQ(copy->fields().size(), 3u);
    EXPECT_EQ(copy->fields()[1].name, "NAME");
    ASSERT_EQ(copy->recordCount(), 2u);
    const wl::ValueList second = copy->read(2);
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(second[0].number(), 2);
    EXPECT_EQ(wl::alltrim(second[1].text()), "BOB");
    EXPECT_EQ(wl::CVALTOCHAR(second[2]), wl::dateText(wl::Date{1999, 12, 31}));
    EXPECT_FALSE(CTL33500N(source.dsn(), "NOSUCHTABLE", dir.path()));
}

TEST_F(OdbcViewWindow, SelectDsnAnswersTheDataSourceAndTable) {
    UserScript script({
        {"Select DSN", odbcPress("Select Table")},
        {"Select Table", odbcPress("Select")},
        {"Select DSN", odbcPress("Continue")},
    });
    std::vector<ShownDialog> shown;
    EXPECT_EQ(CTLD48401G(ViewerUi{[&](const ShownDialog& d) { shown.push_back(d); }}), "zrview:PATIENTS");
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown[0].lines, std::vector<std::string>{"zrview"});
    UserScript cancel({{"Select DSN", odbcPress("Cancel")}});
    EXPECT_EQ(CTLD48401G(), "");
}

TEST_F(OdbcViewWindow, WithoutADataSourceLoadingSaysTheSessionFailed) {
    listSource(false);
    std::vector<ShownDialog> shown;
    UserScript script({
        {"View ODBC Data", odbcPress("Load Table")},
        {"View ODBC Data", odbcPress("Exit")},
    });
    odbcDataView(ViewerUi{[&](const ShownDialog& d) { shown.push_back(d); }});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].lines, std::vector<std::string>{"No Data Sets Available"});
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, "session not successfully initialized");
    EXPECT_EQ(prompts.prompts()[0].caption, "ODBC Error");
}

}  // namespace
