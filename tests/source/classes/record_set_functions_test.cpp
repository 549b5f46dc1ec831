// The record-set functions over ODBC against a private SQLite data source:
// the kind's name, tables made in the kind's dialect and listed, a row
// loaded with NULLs as blanks, a record set exported to a dBASE table with
// names made valid (and with its structure edited), a missing data source
// or table reported, not crashed; the fields described in dBASE terms,
// rows saved, appended blank and deleted, the row editor over a record
// set, the default connection remembered, and a dBASE table imported
// field by field.
#include "record_set_functions.hpp"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>

#include "dbf_file.hpp"
#include "odbc_source.hpp"
#include "test_support.hpp"
#include "text.hpp"
#include "user_script.hpp"
#include "xbrowse.hpp"
#include "window.hpp"

namespace {

class RecordSetFunctions : public ::testing::Test {
protected:
    void SetUp() override {
        if (!source.ready()) GTEST_SKIP() << "ODBCSYSINI is not set";
        db = wl::WL_OPENADOCONNECTION(source.dsn(), true);
        ASSERT_TRUE(db);
    }
    // Each test's database is new: the one remembered goes with it.
    void TearDown() override { wl::WL_OPENADOCONNECTION(wl::DefaultConnection::Forget); }
    zrtest::SqliteSource source{"zrrecords"};
    zrtest::PromptRecorder prompts;
    std::shared_ptr<wl::TOdbc> db;
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

TEST_F(RecordSetFunctions, FieldsAreDescribedInDbaseTerms) {
    ASSERT_TRUE(db->Execute("CREATE TABLE Claims (ID INTEGER PRIMARY KEY AUTOINCREMENT, PAYER VARCHAR(20), "
                            "NOTE VARCHAR(400), AMOUNT DOUBLE, SEEN DATE, PAID BIT, STAMP TIMESTAMP)"));
    ASSERT_TRUE(db->Execute("INSERT INTO Claims (PAYER, NOTE, AMOUNT, SEEN, PAID, STAMP) VALUES "
                            "('AETNA', 'x', 12.5, '2024-03-05', 1, '2024-03-05 10:11:12')"));
    auto rs = wl::WL_OPENRECORDSET(*db, "Claims");
    ASSERT_TRUE(rs);
    const struct {
        const char* field;
        const char* type;
        int length, decimals;
    } cases[] = {{"payer", "C", 20, 0}, {"NOTE", "M", 10, 0}, {"SEEN", "D", 8, 0},
                 {"PAID", "L", 1, 0},   {"STAMP", "T", 8, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(wl::WLADOFIELDTYPE(*rs, c.field), c.type) << c.field;
        EXPECT_EQ(wl::WLADOFIELDSIZE(*rs, c.field), c.length) << c.field;
        EXPECT_EQ(wl::WLADOFIELDLEN(*rs, c.field), c.length) << c.field;
        EXPECT_EQ(wl::WLADOFIELDDEC(*rs, c.field), c.decimals) << c.field;
        EXPECT_TRUE(wl::WL_ADOFIELDUPDATEABLE(*rs, c.field)) << c.field;
    }
    // A floating number: two decimals, at least 19 long.
    EXPECT_EQ(wl::WLADOFIELDTYPE(*rs, "AMOUNT"), "N");
    EXPECT_GE(wl::WLADOFIELDSIZE(*rs, "AMOUNT"), 19);
    EXPECT_EQ(wl::WLADOFIELDDEC(*rs, "AMOUNT"), 2);
    EXPECT_EQ(wl::WLADOFIELDTYPE(*rs, "ID"), "N");
    const auto id = wl::WLADOFIELDSTRUCT(*rs, 1);
    ASSERT_TRUE(id);
    EXPECT_EQ(id->name, "ID");
    EXPECT_EQ(id->adoType, wl::adotype::Integer);
    EXPECT_EQ(wl::WLADOFIELDSTRUCT(*rs, 2)->name, "PAYER");
    EXPECT_FALSE(wl::WLADOFIELDSTRUCT(*rs, "NOSUCH"));
    EXPECT_FALSE(wl::WLADOFIELDSTRUCT(*rs, 99));
    EXPECT_EQ(wl::WLADOFIELDTYPE(*rs, "NOSUCH"), "");
    EXPECT_FALSE(wl::WL_ADOFIELDUPDATEABLE(*rs, "NOSUCH"));
    // The memo threshold decides between text and memo.
    EXPECT_EQ(wl::WLADOMEMOSIZETHRESHOLD(), 255);
    EXPECT_EQ(wl::WLADOMEMOSIZETHRESHOLD(500), 500);
    EXPECT_EQ(wl::WLADOFIELDTYPE(*rs, "NOTE"), "C");
    EXPECT_EQ(wl::WLADOFIELDSIZE(*rs, "NOTE"), 400);
    wl::WLADOMEMOSIZETHRESHOLD(255);
    // Nothing can be written through a read-only record set.
    auto readOnly = wl::WL_OPENRECORDSET(*db, "Claims", wl::kLockReadOnly);
    ASSERT_TRUE(readOnly);
    EXPECT_FALSE(wl::WL_ADOFIELDUPDATEABLE(*readOnly, "PAYER"));
}

TEST_F(RecordSetFunctions, RowsAreSavedAppendedBlankAndDeleted) {
    ASSERT_TRUE(db->Execute("CREATE TABLE Payers (ID INTEGER PRIMARY KEY, NAME VARCHAR(10), JOINED DATE, ACTIVE BIT)"));
    ASSERT_TRUE(db->Execute("INSERT INTO Payers VALUES (4, 'AETNA', '2020-05-06', 1)"));
    auto rs = wl::WL_OPENRECORDSET(*db, "Payers");
    ASSERT_TRUE(rs);
    ASSERT_TRUE(wl::WLADOAPPENDBLANK(*rs));
    EXPECT_EQ(rs->RecNo(), 2);
    const std::time_t now = std::time(nullptr);
    char today[16] = {};
    std::strftime(today, sizeof today, "%Y-%m-%d", std::localtime(&now));
    EXPECT_EQ(source.sqlite("SELECT ID, '[' || NAME || ']', JOINED, ACTIVE FROM Payers WHERE ID = 5"),
              std::string("5|[          ]|") + today + "|0");
    ASSERT_TRUE(wl::WLADOAPPENDBLANK(*rs));  // the next key, no collision
    EXPECT_EQ(source.sqlite("SELECT MAX(ID), COUNT(*) FROM Payers"), "6|3");

    // Texts cut to the field's size, an empty date written as none; both
    // empty and unknown names passed over.
    const wl::TDataBaseRow row{{"name", wl::Value("HUMANA HEALTH PLAN"), true, ""},
                               {"JOINED", wl::Value(""), true, ""},
                               {"NOSUCH", wl::Value("X"), true, ""}};
    ASSERT_TRUE(wl::WLADOSAVERECORD(*rs, row, 1));
    EXPECT_EQ(source.sqlite("SELECT NAME, IFNULL(JOINED, 'none') FROM Payers WHERE ID = 4"), "HUMANA HEA|none");
    EXPECT_FALSE(wl::WLADOSAVERECORD(*rs, {{"JOINED", wl::Value(""), true, ""}}, 1));  // nothing to write

    // Deleting asks; No keeps the record, Yes deletes it and the position stays.
    rs->GoToId(2);
    EXPECT_FALSE(wl::WLADODELRECORD(*rs));
    EXPECT_EQ(prompts.texts().back(), "Want to delete this record ?");
    EXPECT_EQ(source.sqlite("SELECT COUNT(*) FROM Payers"), "3");
    prompts.answerNext(true);
    ASSERT_TRUE(wl::WLADODELRECORD(*rs));
    EXPECT_EQ(source.sqlite("SELECT GROUP_CONCAT(ID) FROM Payers"), "4,6");
    EXPECT_EQ(rs->RecNo(), 2);

    auto readOnly = wl::WL_OPENRECORDSET(*db, "Payers", wl::kLockReadOnly);
    EXPECT_FALSE(wl::WLADOAPPENDBLANK(*readOnly));
}

TEST_F(RecordSetFunctions, TheRowEditorReadsAndWritesARecordSet) {
    ASSERT_TRUE(db->Execute("CREATE TABLE Payers (ID INTEGER PRIMARY KEY, NAME VARCHAR(10), COPAY DOUBLE, "
                            "JOINED DATE)"));
    ASSERT_TRUE(db->Execute("INSERT INTO Payers VALUES (1, 'AETNA', 12.5, '2020-05-06')"));
    auto rs = wl::WL_OPENRECORDSET(*db, "Payers");
    ASSERT_TRUE(rs);
    wl::RecordSetRowSource source(*rs);
    wl::TDataRow row(source);
    ASSERT_TRUE(row.lValidData());
    EXPECT_EQ(row.cSrcType, "ADO");
    EXPECT_FALSE(row.lTypeCheck);  // SQLite keeps no types
    EXPECT_EQ(row.RecNo, 1);
    EXPECT_EQ(row.FieldGet("NAME").text(), "AETNA     ");  // padded to the field's size
    EXPECT_EQ(row.FieldGet("COPAY").number(), 12.5);
    EXPECT_EQ(row.aData()[2].picture.substr(row.aData()[2].picture.size() - 3), ".99");
    ASSERT_TRUE(row.FieldPut("NAME", wl::Value("CIGNA")));
    ASSERT_TRUE(row.Save());
    EXPECT_EQ(this->source.sqlite("SELECT NAME FROM Payers"), "CIGNA");
    EXPECT_FALSE(row.Modified());

    wl::TDataRow blank(source, "NAME, COPAY", true);
    EXPECT_EQ(blank.RecNo, 0);
    EXPECT_EQ(blank.FieldGet("NAME").text(), std::string(10, ' '));
    ASSERT_TRUE(blank.FieldPut("NAME", wl::Value("UHC")));
    ASSERT_TRUE(blank.FieldPut("COPAY", wl::Value(7.25)));
    ASSERT_TRUE(blank.Save());
    EXPECT_EQ(this->source.sqlite("SELECT ID, NAME, COPAY FROM Payers ORDER BY ID"), "1|CIGNA|12.5\n2|UHC|7.25");
    EXPECT_EQ(blank.RecNo, 2);
    EXPECT_EQ(rs->RecNo(), 2);  // a new row: the record set stands on it
    ASSERT_TRUE(row.FieldPut("NAME", wl::Value("AETNA")));
    rs->GoToId(2);
    ASSERT_TRUE(row.Save());  // an existing row: the record set goes back where it stood
    EXPECT_EQ(rs->RecNo(), 2);
    EXPECT_EQ(this->source.sqlite("SELECT NAME FROM Payers WHERE ID = 1"), "AETNA");

    auto readOnly = wl::WL_OPENRECORDSET(*db, "Payers", wl::kLockReadOnly);
    wl::RecordSetRowSource fixed(*readOnly);
    wl::TDataRow view(fixed);
    EXPECT_TRUE(view.lReadOnly);
    EXPECT_FALSE(view.EditCellEditable(2));
    ASSERT_TRUE(view.FieldPut("NAME", wl::Value("X")));
    EXPECT_FALSE(view.Save());
    EXPECT_EQ(this->source.sqlite("SELECT NAME FROM Payers WHERE ID = 1"), "AETNA");
}

TEST_F(RecordSetFunctions, TheDefaultConnectionIsRememberedAndForgotten) {
    EXPECT_EQ(wl::WL_RDBMSNAME(), "SQLITE");  // the connection opened in SetUp
    EXPECT_EQ(wl::WL_OPENADOCONNECTION(source.dsn()), db);  // asked again: the same
    EXPECT_EQ(wl::WL_OPENADOCONNECTION(), db);
    ASSERT_TRUE(db->Execute("CREATE TABLE T (A INT)"));
    EXPECT_TRUE(wl::WL_ADOTABLEEXISTS("T", *wl::WL_OPENADOCONNECTION()));
    auto rs = wl::WL_OPENRECORDSET("T");  // on the default connection
    EXPECT_TRUE(rs);
    rs.reset();
    db->End();  // closed: opened again
    const auto again = wl::WL_OPENADOCONNECTION();
    ASSERT_TRUE(again);
    EXPECT_NE(again, db);
    EXPECT_TRUE(wl::WL_ADOTABLEEXISTS("T", *again));
    EXPECT_FALSE(wl::WL_OPENADOCONNECTION(wl::DefaultConnection::Forget));
    EXPECT_FALSE(wl::WL_OPENADOCONNECTION());
    EXPECT_FALSE(wl::WL_OPENRECORDSET("T"));

    // A spec naming a database file finds the kind's driver.
    std::ofstream(zrtest::SqliteSource::windowsPath(std::string(std::getenv("ODBCSYSINI")) + "/odbcinst.ini"),
                  std::ios::app)
        << "[SQLite3 ODBC Driver]\nDriver="
        << (sizeof(void*) == 8 ? "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so"
                               : "/usr/lib/i386-linux-gnu/odbc/libsqlite3odbc.so")
        << "\n";
    const auto byFile = wl::WL_OPENADOCONNECTION(source.unixDb(), true);
    ASSERT_TRUE(byFile);
    EXPECT_EQ(wl::WL_RDBMSNAME(), "SQLITE");
    EXPECT_TRUE(wl::WL_ADOTABLEEXISTS("T", *byFile));
    EXPECT_EQ(wl::WL_OPENADOCONNECTION(source.unixDb()), byFile);
    wl::WL_OPENADOCONNECTION(wl::DefaultConnection::Forget);
}

TEST_F(RecordSetFunctions, ListedFieldsAloneAreImported) {
    zrtest::TempDir dir;
    const std::string path = dir.file("MEMBERS.DBF");
    {
        auto t = wl::DbfFile::create(path, {{"NAME", 'C', 10, 0}, {"COPAY", 'N', 6, 2}, {"SEEN", 'D', 8, 0}});
        t->append({wl::Value("ANN"), wl::Value(2.5), wl::Value(wl::Date{2024, 1, 1})});
        t->append({wl::Value("JOE"), wl::Value(4.0), wl::Value(wl::Date{})});
    }
    ASSERT_TRUE(wl::WL_ADOIMPORTFROMDBF(*db, path, "", "", 20,
                                        {"copay", wl::SqlColumn{"NAME", "C", 30, 0}, "NOSUCH"}));
    const std::string sql = source.sqlite("SELECT sql FROM sqlite_master WHERE name = 'MEMBERS'");
    EXPECT_NE(sql.find("VARCHAR ( 30 )"), std::string::npos) << sql;
    EXPECT_EQ(sql.find("SEEN"), std::string::npos) << sql;
    EXPECT_EQ(source.sqlite("SELECT printf('%.2f', COPAY), TRIM(NAME) FROM MEMBERS"), "2.50|ANN\n4.00|JOE");
}

TEST_F(RecordSetFunctions, TheExportedStructureCanBeEditedFirst) {
    ASSERT_TRUE(db->Execute("CREATE TABLE Payers (ID INTEGER PRIMARY KEY, NAME VARCHAR(10), COPAY DOUBLE)"));
    ASSERT_TRUE(db->Execute("INSERT INTO Payers VALUES (1, 'AETNA', 12.5)"));
    auto rs = wl::WL_OPENRECORDSET(*db, "Payers");
    ASSERT_TRUE(rs);
    zrtest::TempDir dir;
    zrtest::UserScript script({{"DBF STRUCTURE", [](HWND w) {
                                    wl::TXBrowse* grid = nullptr;
                                    for (HWND c = GetWindow(w, GW_CHILD); c && !grid; c = GetWindow(c, GW_HWNDNEXT))
                                        grid = dynamic_cast<wl::TXBrowse*>(wl::OWNDFROMHWND(c));
                                    ASSERT_TRUE(grid);
                                    wl::XBrowseModel& m = grid->model();
                                    m.PostEdit(m.aCols[5], wl::Value(false), 13);  // ID left out
                                    m.GoDown();
                                    m.PostEdit(m.aCols[0], wl::Value("PAYER"), 13);
                                    for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                                        char text[16] = {};
                                        GetWindowTextA(c, text, sizeof text);
                                        if (std::string(text) == "OK")
                                            SendMessageA(w, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), BN_CLICKED),
                                                         reinterpret_cast<LPARAM>(c));
                                    }
                                }}});
    ASSERT_TRUE(wl::WL_ADOEXPORTTODBF(*rs, dir.file("PAYERS.DBF"), true));
    EXPECT_TRUE(zrtest::UserScript::done());
    auto copy = wl::DbfFile::open(dir.file("PAYERS.DBF"));
    ASSERT_TRUE(copy);
    ASSERT_EQ(copy->fields().size(), 2u);
    EXPECT_EQ(copy->fields()[0].name, "PAYER");
    EXPECT_EQ(wl::rtrim(copy->read(1)[0].text()), "AETNA");
    EXPECT_EQ(copy->read(1)[1].number(), 12.5);

    zrtest::UserScript cancel({{"DBF STRUCTURE", [](HWND w) { SendMessageA(w, WM_CLOSE, 0, 0); }}});
    EXPECT_FALSE(wl::WL_ADOEXPORTTODBF(*rs, dir.file("NONE.DBF"), true));
    EXPECT_FALSE(std::filesystem::exists(dir.file("NONE.DBF")));
}

}  // namespace
