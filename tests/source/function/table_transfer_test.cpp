// Records moved between a work area and lists, pairs and other tables:
// the scope of the table commands, rows and pairs read with the pointer
// kept, pairs written only under a lock, lists appended with conversion,
// and COPY TO / APPEND FROM checked with a reader that is not ours.
#include "table_transfer.hpp"

#include <gtest/gtest.h>

#include "dbf_python_read.hpp"
#include "test_support.hpp"
#include "text.hpp"

namespace {

using namespace wl;

struct TransferAreas {
    ~TransferAreas() {
        for (const std::string& alias : AGETWORKAREAS()) dbfCloseArea(alias);
    }
};

std::shared_ptr<DbfArea> members(const zrtest::TempDir& dir, const std::string& alias = "MEMBERS") {
    const std::string path = dir.file(alias + ".DBF");
    auto t = DbfFile::create(path, {{"NAME", 'C', 8, 0}, {"COPAY", 'N', 6, 2}, {"SEEN", 'D', 8, 0}, {"OK", 'L', 1, 0}});
    t->append({Value("ANN"), Value(20.0), Value(Date{2024, 1, 2}), Value(true)});
    t->append({Value("JOE"), Value(15.5), Value(Date{}), Value(false)});
    t->append({Value("SUE"), Value(5.0), Value(Date{2023, 7, 9}), Value(true)});
    t->append({Value("TOM"), Value(0.0), Value(Date{}), Value(false)});
    t.reset();
    return USEAREA(path, alias);
}

std::string names(const ValueList& rows) {
    std::string out;
    for (const Value& r : rows) out += (out.empty() ? "" : ",") + rtrim(r.list()[0].text());
    return out;
}

TEST(TableTransfer, ScopesVisitTheRecordsTheCommandsVisit) {
    zrtest::TempDir dir;
    TransferAreas closeAll;
    auto area = members(dir);
    area->GoTo(2);
    area->Delete();  // JOE is passed over
    area->GoTo(3);
    DbfScope byCopay;
    byCopay.forTrue = [](DbfArea& a) { return a.FieldGet(2).number() > 1; };
    DbfScope next2;
    next2.next = 2;
    DbfScope rest;
    rest.rest = true;
    DbfScope one;
    one.record = 4;
    DbfScope whileTrue;
    whileTrue.whileTrue = [](DbfArea& a) { return a.FieldGet(4).logical(); };
    const struct {
        const DbfScope* scope;
        const char* expected;
    } cases[] = {{nullptr, "ANN,SUE,TOM"}, {&byCopay, "ANN,SUE"}, {&next2, "SUE,TOM"},
                 {&rest, "SUE,TOM"},       {&one, "TOM"},         {&whileTrue, "SUE"}};
    for (const auto& c : cases) {
        area->GoTo(3);
        EXPECT_EQ(names(WL_DBFTOARRAY(*area, "name", c.scope ? *c.scope : DbfScope{})), c.expected);
        EXPECT_EQ(area->RecNo(), 3u);  // the pointer restored
    }
    const ValueList all = WL_DBFTOARRAY(*area, "", {}, {Value(ValueList{Value("FIRST")})});
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[1].list().size(), 4u);
    EXPECT_EQ(WL_DBFTOARRAY(*area, "COPAY, NOSUCH").back().list().size(), 1u);
}

TEST(TableTransfer, PairsAreReadAndWrittenUnderALock) {
    zrtest::TempDir dir;
    TransferAreas closeAll;
    auto area = members(dir);
    area->GoTo(1);
    const RecordHash h = WL_RECTOHASH(*area, "NAME,COPAY", "who,paid");
    ASSERT_EQ(h.size(), 2u);
    ASSERT_TRUE(h.find("WHO"));
    EXPECT_EQ(rtrim(h.find("Who")->text()), "ANN");
    EXPECT_EQ(h.find("PAID")->number(), 20.0);
    EXPECT_EQ(WL_RECTOHASH(*area).size(), 4u);

    RecordHash change;
    change.set("copay", Value("12.25"));  // a text becomes the field's number
    change.set("nosuch", Value(1));
    area->GoTo(2);
    ASSERT_TRUE(WL_HASHTOREC(*area, change));
    EXPECT_EQ(area->FieldGet(2).number(), 12.25);
    EXPECT_FALSE(area->IsLocked(2));  // the lock taken here is released

    // By the names given: the first value goes to the first field named.
    RecordHash renamed;
    renamed.set("who", Value("ZED"));
    ASSERT_TRUE(WL_HASHTOREC(*area, renamed, "NAME"));
    EXPECT_EQ(rtrim(area->FieldGet(1).text()), "ZED");

    // Another area holding the record's lock: nothing is written.
    auto other = DbfArea::open(area->path(), "OTHER");
    other->GoTo(2);
    ASSERT_TRUE(other->RLock());
    renamed.set("who", Value("AMY"));
    EXPECT_FALSE(WL_HASHTOREC(*area, renamed, "NAME"));
    EXPECT_EQ(rtrim(area->FieldGet(1).text()), "ZED");
}

TEST(TableTransfer, ListsAreAppendedWithTheirValuesConverted) {
    zrtest::TempDir dir;
    TransferAreas closeAll;
    auto area = members(dir);
    std::vector<std::pair<int, int>> seen;
    const ValueList rows{Value(ValueList{Value("BEA"), Value("7.5"), Value(Date{2025, 1, 2}), Value("yes")}),
                         Value(ValueList{Value("CY"), Value(), Value(Date{}), Value(1)})};
    ASSERT_TRUE(WL_ARRAYTODBF(*area, rows, "", [&](int n, int count) { seen.emplace_back(n, count); }));
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{0, 2}, {1, 2}, {2, 2}}));
    ASSERT_EQ(area->RecCount(), 6);
#ifndef _WIN32
    const std::string read = zrtest::pythonDbfRecords(area->path());
    EXPECT_NE(read.find("BEA|7.5|2025-01-02|True"), std::string::npos) << read;
    EXPECT_NE(read.find("\nCY|"), std::string::npos) << read;
#endif
    area->GoTo(5);
    EXPECT_EQ(area->FieldGet(2).number(), 7.5);
    area->GoTo(6);
    EXPECT_TRUE(std::get<Date>(area->FieldGet(3).storage()).blank());  // an empty value is not written
    EXPECT_TRUE(area->FieldGet(4).logical());
    // Only the fields named, in that order.
    ASSERT_TRUE(WL_ARRAYTODBF(*area, {Value(ValueList{Value(true), Value("DEE")})}, "OK, NAME"));
    area->GoBottom();
    EXPECT_EQ(rtrim(area->FieldGet(1).text()), "DEE");
    EXPECT_TRUE(area->FieldGet(4).logical());
}

TEST(TableTransfer, CopyToAndAppendFromMoveRecordsBetweenTables) {
    zrtest::TempDir dir;
    TransferAreas closeAll;
    auto area = members(dir);
    area->GoTo(2);
    DbfScope paid;
    paid.forTrue = [](DbfArea& a) { return a.FieldGet(2).number() > 1; };
    const std::string copy = dir.file("COPY.DBF");
    ASSERT_TRUE(dbfCopyTo(*area, copy, "COPAY, NAME", paid));
    EXPECT_EQ(area->RecNo(), 2u);
#ifndef _WIN32
    EXPECT_EQ(zrtest::pythonDbfRecords(copy), "20.0|ANN\n15.5|JOE\n5.0|SUE\n");
#endif
    auto copied = DbfFile::open(copy);
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->recordCount(), 3u);
    EXPECT_EQ(copied->fields()[0].name, "COPAY");
    EXPECT_FALSE(dbfCopyTo(*area, dir.file("NONE.DBF"), "NOSUCH"));

    auto other = members(dir, "OTHERS");
    ASSERT_TRUE(dbfAppendFrom(*other, copy, "", [](DbfArea& a) { return a.FieldGet(1).number() > 10; }));
    ASSERT_EQ(other->RecCount(), 6);
    other->GoBottom();
    EXPECT_EQ(rtrim(other->FieldGet(1).text()), "JOE");
    EXPECT_EQ(other->FieldGet(2).number(), 15.5);
    EXPECT_TRUE(std::get<Date>(other->FieldGet(3).storage()).blank());
    EXPECT_FALSE(dbfAppendFrom(*other, dir.file("NONE.DBF")));
}

}  // namespace
