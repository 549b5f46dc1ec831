// A table in a work area: the record pointer and its end flags as skips
// move it, soft seeks in the records' own order, writes, appends, deletes
// with pack (read back by Debian's python3-dbf in the native build), record
// and file locks between two areas on one file and between processes (in
// the native build), index orders (movement,
// seeks, keys kept after writes), filters, and the areas found by alias.
#include "dbf_python_read.hpp"
#include "dbf_area.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "test_support.hpp"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using namespace wl;

std::string areaMakeTable(const zrtest::TempDir& dir, int records) {
    const std::string path = dir.file("PAYERS.DBF");
    auto t = DbfFile::create(path, {{"NAME", 'C', 8, 0}, {"AMOUNT", 'N', 8, 2}});
    for (int i = 1; i <= records; ++i) t->append({Value("P" + std::to_string(i * 10)), Value(i * 1.5)});
    return path;
}


TEST(DbfArea, SkipsLatchAtBothEndsAsTheTableFunctionsDo) {
    zrtest::TempDir dir;
    auto a = DbfArea::open(areaMakeTable(dir, 3));
    ASSERT_TRUE(a);
    EXPECT_EQ(a->Alias(), "PAYERS");
    struct Step {
        int skip;
        std::uint32_t recNo;
        bool bof, eof;
    };
    const Step steps[] = {{0, 1, false, false}, {-1, 1, true, false}, {2, 3, false, false},
                          {1, 4, false, true},  {-1, 3, false, false}, {-5, 1, true, false}, {9, 4, false, true}};
    for (const Step& s : steps) {
        a->Skip(s.skip);
        EXPECT_EQ(a->RecNo(), s.recNo) << s.skip;
        EXPECT_EQ(a->Bof(), s.bof) << s.skip;
        EXPECT_EQ(a->Eof(), s.eof) << s.skip;
    }
    // The phantom record reads blank.
    EXPECT_EQ(a->FieldGet(1).text(), std::string(8, ' '));
    EXPECT_EQ(a->FieldGet(2).number(), 0);

    auto empty = DbfArea::open(areaMakeTable(dir, 0), "none");
    EXPECT_TRUE(empty->Bof());
    EXPECT_TRUE(empty->Eof());
    EXPECT_EQ(empty->RecNo(), 1u);
}

TEST(DbfArea, SoftSeekFindsTheFirstRecordAtLeastTheKey) {
    zrtest::TempDir dir;
    auto a = DbfArea::open(areaMakeTable(dir, 5));  // P10 P20 ... P50
    const int name = a->FieldPos("name");
    ASSERT_EQ(name, 1);
    struct Case {
        Value key;
        int field;
        std::uint32_t recNo;
        bool eof;
    };
    const Case cases[] = {{Value("P2"), 1, 2, false},  {Value("P25"), 1, 3, false}, {Value("P9"), 1, 6, true},
                          {Value("A"), 1, 1, false},   {Value(4.5), 2, 3, false},   {Value(100), 2, 6, true}};
    for (const Case& c : cases) {
        a->SoftSeek(c.field, c.key);
        EXPECT_EQ(a->RecNo(), c.recNo) << CVALTOCHAR(c.key);
        EXPECT_EQ(a->Eof(), c.eof) << CVALTOCHAR(c.key);
    }
}

TEST(DbfArea, WritesAppendsAndPackedDeletesAreReadByAnotherReader) {
    zrtest::TempDir dir;
    const std::string path = areaMakeTable(dir, 3);
    {
        auto a = DbfArea::open(path);
        a->GoTo(2);
        ASSERT_TRUE(a->FieldPut(1, Value("CHANGED")));
        ASSERT_TRUE(a->Append());
        EXPECT_EQ(a->RecNo(), 4u);
        ASSERT_TRUE(a->FieldPut(2, Value(7.25)));
        a->GoTo(1);
        ASSERT_TRUE(a->Delete());
        ASSERT_TRUE(a->Pack());
        EXPECT_EQ(a->RecCount(), 3);
        EXPECT_EQ(a->RecNo(), 1u);
        a->GoTo(9);  // the phantom record is never written
        EXPECT_FALSE(a->FieldPut(1, Value("X")));
    }
#ifndef _WIN32
    EXPECT_EQ(zrtest::pythonDbfRecords(path), "CHANGED|3.0\nP30|4.5\n|7.25\n");
#endif
}

TEST(DbfArea, ARecordLockedThroughOneAreaIsRefusedToAnother) {
    zrtest::TempDir dir;
    const std::string path = areaMakeTable(dir, 2);
    auto one = DbfArea::open(path, "ONE");
    auto two = DbfArea::open(path, "TWO");
    EXPECT_TRUE(one->RLock());
    EXPECT_TRUE(one->RLock());  // again: still held
    EXPECT_FALSE(two->RLock());
    two->GoTo(2);
    EXPECT_TRUE(two->RLock());
    one->UnLock();
    two->GoTo(1);
    EXPECT_TRUE(two->RLock());  // its lock on record 2 is let go
    one->GoTo(2);
    EXPECT_TRUE(one->RLock());
    two.reset();  // closing an area lets its locks go
    one->GoTo(1);
    EXPECT_TRUE(one->RLock());
}

#ifndef _WIN32
// Another program sharing the table: its record lock is refused here, and
// the file cannot be locked while it holds one; a lock held here is
// refused to it.
TEST(DbfArea, LocksHoldBetweenProcesses) {
    zrtest::TempDir dir;
    const std::string path = areaMakeTable(dir, 3);
    int ready[2], go[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(go), 0);
    auto here = DbfArea::open(path, "HERE");
    here->GoTo(3);
    ASSERT_TRUE(here->RLock());
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto there = DbfArea::open(path, "THERE");
        there->GoTo(2);
        const bool got2 = there->RLock();
        there->GoTo(3);
        const bool got3 = there->RLock();
        const char answer[2] = {got2 ? 'y' : 'n', got3 ? 'y' : 'n'};
        (void)!write(ready[1], answer, 2);
        char c;
        (void)!read(go[0], &c, 1);
        _exit(0);
    }
    char answer[2] = {};
    ASSERT_EQ(read(ready[0], answer, 2), 2);
    EXPECT_EQ(answer[0], 'y');  // record 2 was free
    EXPECT_EQ(answer[1], 'n');  // record 3 is held here
    here->GoTo(2);
    EXPECT_FALSE(here->RLock());
    EXPECT_FALSE(here->FLock());
    EXPECT_TRUE(here->IsLocked(3));  // the failed attempts keep the lock held
    (void)!write(go[1], "x", 1);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(here->RLock());
    EXPECT_TRUE(here->FLock());
    for (int fd : {ready[0], ready[1], go[0], go[1]}) close(fd);
}
#endif

TEST(DbfArea, AreasAreFoundByAliasAndOneIsSelected) {
    zrtest::TempDir dir;
    const std::string path = areaMakeTable(dir, 2);
    EXPECT_FALSE(USEAREA(dir.file("MISSING.DBF")));
    auto a = USEAREA(path, "claims");
    ASSERT_TRUE(a);
    EXPECT_EQ(dbfSelected(), a);
    EXPECT_EQ(dbfAreaOf("CLAIMS"), a);
    auto b = USEAREA(path);
    EXPECT_EQ(dbfSelected(), b);
    dbfSelect("claims");
    EXPECT_EQ(dbfSelected(), a);
    EXPECT_TRUE(dbfCloseArea());
    EXPECT_FALSE(dbfSelected());
    EXPECT_FALSE(dbfCloseArea("claims"));
    EXPECT_TRUE(dbfCloseArea("payers"));
}

std::string areaOrderedTable(const zrtest::TempDir& dir) {
    const std::string path = dir.file("PATIENTS.DBF");
    auto t = DbfFile::create(path, {{"LAST", 'C', 8, 0}, {"FIRST", 'C', 6, 0}, {"AGE", 'N', 3, 0}});
    const char* rows[][2] = {{"smith", "ann"}, {"Brown", "joe"}, {"SMITH", "al"}, {"adams", "eve"}, {"Clark", "bo"}};
    int age = 50;
    for (auto& r : rows) t->append({Value(r[0]), Value(r[1]), Value(age -= 7)});  // 43 36 29 22 15
    return path;
}

std::vector<std::uint32_t> areaWalk(DbfArea& a) {
    std::vector<std::uint32_t> recs;
    for (a.GoTop(); !a.Eof(); a.Skip(1)) recs.push_back(a.RecNo());
    return recs;
}

TEST(DbfArea, AnOrderLeadsMovementAndFollowsWrites) {
    zrtest::TempDir dir;
    auto a = DbfArea::open(areaOrderedTable(dir));
    ASSERT_TRUE(a);
    EXPECT_FALSE(a->OrdCreate("BAD", "NOSUCH"));
    ASSERT_TRUE(a->OrdCreate("name", "UPPER(LAST+FIRST)"));
    EXPECT_EQ(areaWalk(*a), (std::vector<std::uint32_t>{4, 2, 5, 3, 1}));  // ADAMS BROWN CLARK SMITH al, ann
    a->GoBottom();
    EXPECT_EQ(a->RecNo(), 1u);
    a->Skip(-1);
    EXPECT_EQ(a->RecNo(), 3u);
    EXPECT_EQ(a->KeyNo(), 4);
    a->Skip(-9);
    EXPECT_EQ(a->RecNo(), 4u);
    EXPECT_TRUE(a->Bof());
    // A write moves the record in the order; the record's own order returns with 0.
    a->GoTo(4);
    ASSERT_TRUE(a->FieldPut(1, Value("zeta")));
    EXPECT_EQ(areaWalk(*a), (std::vector<std::uint32_t>{2, 5, 3, 1, 4}));
    ASSERT_TRUE(a->OrdCreate("AGE", "AGE", true));
    EXPECT_EQ(areaWalk(*a), (std::vector<std::uint32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(a->SetOrder("age"), 2);
    EXPECT_EQ(a->SetOrder(0), 2);
    EXPECT_EQ(areaWalk(*a), (std::vector<std::uint32_t>{1, 2, 3, 4, 5}));
    EXPECT_FALSE(a->Seek(Value("SMITH")));  // no active order
}

TEST(DbfArea, SeeksFindKeysByPrefixSoftlyAndFromTheLast) {
    zrtest::TempDir dir;
    auto a = DbfArea::open(areaOrderedTable(dir));
    ASSERT_TRUE(a->OrdCreate("NAME", "UPPER(LAST+FIRST)"));
    struct Case {
        const char* key;
        bool soft, last, found;
        std::uint32_t recNo;
        bool eof;
    };
    const Case cases[] = {
        {"smith", false, false, true, 3, false},  // upper-cased; SMITH al before SMITH ann
        {"smith", false, true, true, 1, false},   {"BROWN   JOE", false, false, true, 2, false},
        {"C", false, false, true, 5, false},      {"D", false, false, false, 6, true},
        {"D", true, false, false, 3, false},      {"ZZ", true, false, false, 6, true},
        {"", false, false, true, 4, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(a->Seek(Value(c.key), c.soft, c.last), c.found) << c.key;
        EXPECT_EQ(a->Found(), c.found) << c.key;
        EXPECT_EQ(a->RecNo(), c.recNo) << c.key;
        EXPECT_EQ(a->Eof(), c.eof) << c.key;
    }
    ASSERT_TRUE(a->OrdCreate("AGE", "AGE"));
    EXPECT_TRUE(a->Seek(Value(29)));
    EXPECT_EQ(a->RecNo(), 3u);
    EXPECT_FALSE(a->Seek(Value(30), true));
    EXPECT_EQ(a->RecNo(), 2u);  // 36 is the next key
}

TEST(DbfArea, AFilterHidesRecordsFromMovementAndCounts) {
    zrtest::TempDir dir;
    auto a = DbfArea::open(areaOrderedTable(dir));
    const int age = a->FieldPos("AGE");
    a->SetFilter([age](DbfArea& x) { return x.FieldGet(age).number() >= 29; });
    EXPECT_EQ(areaWalk(*a), (std::vector<std::uint32_t>{1, 2, 3}));
    EXPECT_EQ(a->KeyCount(), 3);
    a->GoBottom();
    EXPECT_EQ(a->RecNo(), 3u);
    EXPECT_EQ(a->KeyNo(), 3);
    a->SetFilter([](DbfArea&) { return false; });
    a->GoTop();
    EXPECT_TRUE(a->Eof());
    EXPECT_TRUE(a->Bof());
    a->SetFilter({});
    EXPECT_EQ(a->KeyCount(), 5);
}

TEST(DbfArea, AFileLockExcludesRecordLocksOfOtherAreas) {
    zrtest::TempDir dir;
    const std::string path = areaMakeTable(dir, 3);
    auto one = DbfArea::open(path, "ONE");
    auto two = DbfArea::open(path, "TWO");
    ASSERT_TRUE(two->RLock());
    EXPECT_FALSE(one->FLock());  // another area holds a record
    two->UnLock();
    ASSERT_TRUE(one->FLock());
    EXPECT_TRUE(one->IsLocked(3));
    EXPECT_TRUE(one->RLock(2));
    EXPECT_FALSE(two->RLock(3));
    EXPECT_FALSE(two->FLock());
    one->UnLock();
    EXPECT_TRUE(two->RLock(3));
}

TEST(DbfArea, NewAliasesAvoidThoseInUse) {
    zrtest::TempDir dir;
    const std::string path = areaMakeTable(dir, 1);
    EXPECT_EQ(CGETNEWALIAS("tdf"), "TDF");
    USEAREA(path, "TDF");
    USEAREA(path, "TDF001");
    EXPECT_EQ(CGETNEWALIAS("TDF"), "TDF002");
    EXPECT_EQ(AGETWORKAREAS(), (std::vector<std::string>{"TDF", "TDF001"}));
    dbfCloseArea("TDF");
    dbfCloseArea("TDF001");
}

}  // namespace
