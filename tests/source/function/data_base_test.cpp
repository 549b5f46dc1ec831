// The database object over a work area: adoption by alias, the record
// buffer (nothing reaches the file before Save), shared-mode locks refused
// to a second object, computed columns, rows in and out (read back by
// Debian's python3-dbf in the native build), seeks on orders, filters and
// relations, and the grid browse model bound to the object.
#include "dbf_python_read.hpp"
#include "data_base.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "messages.hpp"
#include "test_support.hpp"
#include "text.hpp"
#include "value_conversion.hpp"
#include "xbrowse_model.hpp"

namespace {

using namespace wl;

std::string dataBaseTable(const zrtest::TempDir& dir, const std::string& name = "CLAIMS.DBF") {
    const std::string path = dir.file(name);
    auto t = DbfFile::create(path, {{"PATIENT", 'C', 10, 0},
                                    {"AMOUNT", 'N', 9, 2},
                                    {"SERVED", 'D', 8, 0},
                                    {"PAID", 'L', 1, 0},
                                    {"NOTE", 'M', 10, 0}});
    t->append({Value("OBRIEN"), Value(120.5), Value(Date{2024, 3, 1}), Value(true), Value("first visit")});
    t->append({Value("adams"), Value(75.0), Value(Date{2024, 1, 15}), Value(false), Value("")});
    t->append({Value("Ng"), Value(310.25), Value(Date{2023, 12, 2}), Value(false), Value(std::string(300, 'x'))});
    return path;
}


// Closes the areas a test opened, whatever it asserted.
struct DataBaseAreas {
    ~DataBaseAreas() {
        for (const std::string& alias : AGETWORKAREAS()) dbfCloseArea(alias);
    }
};

TEST(TDataBase, AnOpenAliasIsAdoptedAndFieldsAreFoundInAnyCase) {
    zrtest::TempDir dir;
    DataBaseAreas closeAll;
    ASSERT_TRUE(USEAREA(dataBaseTable(dir), "CLAIMS"));
    TDataBase db("claims");
    ASSERT_TRUE(db.Used());
    EXPECT_EQ(db.cAlias, "CLAIMS");
    EXPECT_EQ(db.FCount(), 5);
    EXPECT_EQ(db.FieldPos("amount"), 2);
    EXPECT_EQ(db.FieldPos("nosuch"), 0);
    EXPECT_EQ(db.FieldName(9), "");
    EXPECT_EQ(db.aStruct[1].picture, NUMPICT(9, 2));
    EXPECT_EQ(db.FieldGet("patient").text(), "OBRIEN    ");
    EXPECT_TRUE(db.lBuffer.value_or(false));
    // A file name is only kept; an unknown text leaves the object empty.
    TDataBase byFile(dir.file("CLAIMS.DBF"));
    EXPECT_FALSE(byFile.Used());
    EXPECT_EQ(byFile.cFile, dir.file("CLAIMS.DBF"));
    ASSERT_TRUE(byFile.Use());
    EXPECT_EQ(byFile.cAlias, "TDF");
    TDataBase again(dir.file("CLAIMS.DBF"));
    again.cAlias = "TDF";
    ASSERT_TRUE(again.Use());
    EXPECT_EQ(again.cAlias, "TDF001");
}

TEST(TDataBase, BufferedEditsReachTheFileOnlyOnSave) {
    zrtest::TempDir dir;
    DataBaseAreas closeAll;
    TDataBase db("C", dataBaseTable(dir), "DBFNTX");
    ASSERT_TRUE(db.Use());
    db.FieldPut("AMOUNT", Value(99.5));
    EXPECT_EQ(db.FieldGet("AMOUNT").number(), 99.5);
    EXPECT_EQ(db.area()->FieldGet(2).number(), 120.5);
    EXPECT_TRUE(db.Modified());
    ASSERT_TRUE(db.Save());
    EXPECT_FALSE(db.Modified());
    EXPECT_EQ(db.area()->FieldGet(2).number(), 99.5);
    db.FieldPut("PAID", Value(false));
    db.RollBack();
    EXPECT_TRUE(db.FieldGet("PAID").logical());
    db.Blank();
    EXPECT_EQ(db.FieldGet("PATIENT").text(), std::string(10, ' '));
    db.SetBuffer(false);
    db.FieldPut("NOTE", Value("written at once"));
    EXPECT_EQ(db.area()->FieldGet(5).text(), "written at once");
}

TEST(TDataBase, ARecordLockedElsewhereRefusesSaveAndDeleteInSharedMode) {
    zrtest::TempDir dir;
    DataBaseAreas closeAll;
    const std::string path = dataBaseTable(dir);
    TDataBase one("ONE", path, "DBFNTX");
    TDataBase two("TWO", path, "DBFNTX");
    ASSERT_TRUE(one.Use() && two.Use());
    std::vector<std::string> shown;
    ScopedPromptHook hook([&](const Prompt& p) {
        shown.push_back(p.text + "/" + p.caption);
        return PromptAnswer{};
    });
    ASSERT_TRUE(one.RecLock());
    two.FieldPut("AMOUNT", Value(1));
    EXPECT_FALSE(two.Save());
    EXPECT_FALSE(two.Delete());
    two.SetBuffer(false);
    two.FieldPut("AMOUNT", Value(2));
    EXPECT_EQ(two.area()->FieldGet(2).number(), 120.5);  // nothing written
    EXPECT_EQ(shown, (std::vector<std::string>{"Record in use/Please, retry", "DataBase in use/Please try again",
                                               "Record in use/Please, retry"}));
    one.RecUnLock();
    two.FieldPut("AMOUNT", Value(2));
    EXPECT_EQ(two.area()->FieldGet(2).number(), 2);
    EXPECT_FALSE(two.IsRecLocked());  // the lock taken for the write is let go
    // Exclusive mode writes without locking.
    one.RecLock();
    two.lShared = false;
    two.FieldPut("AMOUNT", Value(3));
    EXPECT_EQ(two.area()->FieldGet(2).number(), 3);
}

TEST(TDataBase, ComputedColumnsTakeFreeNamesAndLearnTheirType) {
    zrtest::TempDir dir;
    DataBaseAreas closeAll;
    TDataBase db("C", dataBaseTable(dir), "DBFNTX");
    ASSERT_TRUE(db.Use());
    const int total = db.AddCol("TOTAL", [](TDataBase& d, const Value*) { return Value(d.FieldGet("AMOUNT").number() * 1.5); });
    EXPECT_EQ(total, 6);
    const int again = db.AddCol("total", [](TDataBase&, const Value*) { return Value(7); });
    EXPECT_EQ(db.FieldName(again), "TOTAL01");
    EXPECT_EQ(db.FieldType(total), 'N');
    EXPECT_EQ(db.aStruct[5].decimals, 2);  // 180.75: a fraction was seen
    EXPECT_EQ(db.aStruct[5].length, 6);
    EXPECT_EQ(db.aStruct[6].length, 1);
    EXPECT_EQ(db.FieldGet("TOTAL").number(), 180.75);
    db.Skip();
    EXPECT_EQ(db.FieldGet("TOTAL").number(), 112.5);
    EXPECT_TRUE(db.MapCol("PATIENT", "WHO"));
    EXPECT_FALSE(db.MapCol("AMOUNT", "WHO"));
    EXPECT_EQ(db.FieldGet("who").text(), "adams     ");
    EXPECT_EQ(db.FieldPos("PATIENT"), 0);
}

TEST(TDataBase, RowsGoInAndOutAndAnotherReaderSeesThem) {
    zrtest::TempDir dir;
    DataBaseAreas closeAll;
    const std::string path = dataBaseTable(dir);
    {
        TDataBase db("C", path, "DBFNTX");
        ASSERT_TRUE(db.Use());
        TDataBaseRow row = db.RowGet({"patient", "amount"});
        ASSERT_EQ(row.size(), 2u);
        EXPECT_EQ(row[1].picture, NUMPICT(9, 2));
        row[0].value = Value("O'HARA");
        row[1].value = Value(12.345);
        EXPECT_EQ(db.RowPut(row, 0), 4);  // appended
        EXPECT_EQ(row[1].value.number(), 12.35);  // read back as stored
        TDataBaseRow edit{{"PAID", Value(true), true, ""}, {"NOSUCH", Value(1), true, ""}};
        EXPECT_EQ(db.RowPut(edit, 2), 2);
        EXPECT_EQ(db.RecNo(), 4);  // back where it was
        db.GoBottom();
        db.Skip();
        EXPECT_EQ(db.RowGet({"AMOUNT"})[0].value.number(), 0);  // blank at the end
        db.lReadOnly = true;
        TDataBaseRow refused{{"PATIENT", Value("X"), true, ""}};
        EXPECT_EQ(db.RowPut(refused, true), 0);
        EXPECT_EQ(refused[0].value.text(), std::string(10, ' '));
        EXPECT_EQ(db.LastRec(), 4);
        // Appending under the caller's file lock leaves the lock held.
        db.lReadOnly = false;
        ASSERT_TRUE(db.Lock());
        TDataBaseRow locked{{"PATIENT", Value("LOCKED"), true, ""}};
        EXPECT_EQ(db.RowPut(locked, true), 5);
        EXPECT_TRUE(db.area()->FileLocked());
        db.area()->Delete();
        db.area()->Pack();
    }
#ifndef _WIN32
    EXPECT_EQ(zrtest::pythonDbfRecords(path), "OBRIEN|120.5|2024-03-01|True|first visit\n"
                                               "adams|75.0|2024-01-15|True|\n"
                                               "Ng|310.25|2023-12-02|False|" +
                                                   std::string(300, 'x') +
                                                   "\n"
                                                   "O'HARA|12.35|None|False|\n");
#endif
}

TEST(TDataBase, SeeksFiltersAndRelationsFollowTheArea) {
    zrtest::TempDir dir;
    DataBaseAreas closeAll;
    TDataBase claims("C", dataBaseTable(dir), "DBFNTX");
    ASSERT_TRUE(claims.Use());
    EXPECT_FALSE(claims.Seek(Value("NG")));  // no order yet
    ASSERT_TRUE(claims.CreateIndex("PATIENT", "UPPER(PATIENT)"));
    EXPECT_EQ(claims.aStruct[0].order, "PATIENT");
    EXPECT_EQ(claims.IndexKey(), "UPPER(PATIENT)");
    EXPECT_TRUE(claims.Seek(Value("ng")));
    EXPECT_EQ(claims.RecNo(), 3);
    EXPECT_EQ(claims.FieldGet("AMOUNT").number(), 310.25);  // the buffer follows
    EXPECT_FALSE(claims.Seek(Value("B"), true));
    EXPECT_EQ(claims.RecNo(), 3);

    // Payers related by patient name.
    const std::string payersPath = dir.file("PAYERS.DBF");
    auto t = DbfFile::create(payersPath, {{"PATIENT", 'C', 10, 0}, {"PAYER", 'C', 8, 0}});
    t->append({Value("NG"), Value("MEDICAID")});
    t->append({Value("ADAMS"), Value("AETNA")});
    t.reset();
    TDataBase payers("P", payersPath, "DBFNTX");
    ASSERT_TRUE(payers.Use());
    ASSERT_TRUE(payers.CreateIndex("PATIENT", "PATIENT"));
    claims.SetRelation(payers, [](TDataBase& d) { return Value(upper(d.FieldGet("PATIENT").text())); });
    claims.GoTop();  // ADAMS first in the order
    EXPECT_EQ(payers.FieldGet("PAYER").text(), "AETNA   ");
    claims.Skip();  // NG
    EXPECT_EQ(payers.FieldGet("PAYER").text(), "MEDICAID");
    claims.Skip();  // OBRIEN: none
    EXPECT_TRUE(payers.Eof());

    int endsSeen = 0;
    claims.bEoF = [&](TDataBase&) { ++endsSeen; };
    claims.SetFilter([](TDataBase& d) { return !d.FieldGet("PAID").logical(); });
    claims.GoTop();
    EXPECT_EQ(claims.KeyCount(), 2);
    claims.Skip(5);
    EXPECT_EQ(endsSeen, 1);
}

TEST(TDataBase, AnAreaOutlivingItsObjectDropsTheObjectsFilter) {
    zrtest::TempDir dir;
    DataBaseAreas closeAll;
    auto area = USEAREA(dataBaseTable(dir), "KEPT");
    {
        TDataBase db("KEPT");
        db.SetFilter([](TDataBase& d) { return d.FieldGet("PAID").logical(); });
        EXPECT_EQ(db.KeyCount(), 1);
    }
    EXPECT_FALSE(area->HasFilter());
    EXPECT_EQ(area->KeyCount(), 3);
}

TEST(TDataBase, AGridBrowseMovesAndEditsThroughTheObject) {
    zrtest::TempDir dir;
    DataBaseAreas closeAll;
    TDataBase db("C", dataBaseTable(dir), "DBFNTX");
    ASSERT_TRUE(db.Use());
    db.CreateIndex("PATIENT", "UPPER(PATIENT)");
    XBrowseModel browse;
    db.SetXBrowse(browse, {"PATIENT", "AMOUNT", "nosuch"}, true);
    EXPECT_EQ(browse.nDataType, DATATYPE_ODBF);
    ASSERT_EQ(browse.aCols.size(), 3u);
    EXPECT_EQ(browse.aCols[2].cHeader, "Col_3");
    EXPECT_EQ(browse.aCols[0].cSortOrder.text(), "PATIENT");
    EXPECT_EQ(browse.KeyCount(), 3);
    browse.GoTop();
    EXPECT_EQ(browse.aCols[0].GetValue().text(), "adams     ");
    browse.GoDown();
    EXPECT_EQ(browse.KeyNo(), 2);
    EXPECT_TRUE(browse.PostEdit(browse.aCols[1], Value(5.5), 13));
    EXPECT_EQ(db.area()->FieldGet(2).number(), 5.5);  // saved at once
    EXPECT_FALSE(browse.PostEdit(browse.aCols[1], Value(6.5), 27));
    EXPECT_EQ(db.area()->FieldGet(2).number(), 5.5);
}

TEST(TDataBase, KeyTokensAndOrderNamesOfFields) {
    struct Case {
        const char* expression;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {"UPPER(last)+first", {"LAST", "FIRST"}},
        {"claims->patient = 'X'", {"PATIENT", "X"}},
        {"DTOS(served) + STR(amount, 9, 2)", {"SERVED", "AMOUNT"}},
    };
    for (const Case& c : cases) EXPECT_EQ(GETTOKENS(c.expression), c.tokens) << c.expression;
    const std::vector<DbfField> fields{{"PATIENT", 'C', 10, 0}, {"AMOUNT", 'N', 9, 2}};
    EXPECT_EQ(FIELDINEXPR("STR(amount)+patient", fields), "AMOUNT");
    EXPECT_EQ(FIELDINEXPR("DATE()", fields), "");

    zrtest::TempDir dir;
    DataBaseAreas closeAll;
    auto a = USEAREA(dataBaseTable(dir));
    a->OrdCreate("byboth", "PATIENT+AMOUNT");
    a->OrdCreate("amount", "AMOUNT");
    EXPECT_EQ(ORDERTAGINFO(*a), (std::vector<std::string>{"BYBOTH", "AMOUNT", "", "", ""}));
    EXPECT_EQ(GETORDNAMES(*a), (std::vector<std::string>{"Byboth", "Amount"}));
    a->GoTo(2);
    ASSERT_TRUE(DUPRECORD(*a));
    EXPECT_EQ(a->RecCount(), 4);
    EXPECT_EQ(a->FieldGet(1).text(), "adams     ");
}

}  // namespace
