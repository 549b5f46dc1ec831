#include "dbf_file.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "test_support.hpp"

namespace {

using wl::Value;

std::vector<wl::DbfField> claimFields() {
    return {{"CLAIM", 'C', 12, 0}, {"AMOUNT", 'N', 10, 2}, {"LINES", 'N', 4, 0},
            {"DOS", 'D', 8, 0},    {"PAID", 'L', 1, 0},    {"NOTE", 'M', 10, 0}};
}

// What a reader that is not ours (Debian's python3-dbf) makes of the table:
// one line per record, the fields separated by "|", dates as yyyy-mm-dd,
// deleted records marked. The native build runs it; "" elsewhere.
std::string readWithPythonDbf(const std::string& path) {
#ifdef _WIN32
    (void)path;
    return {};
#else
    std::string script = path + ".py";
    std::ofstream(script) << "import dbf, sys\n"
                             "t = dbf.Table(sys.argv[1])\n"
                             "t.open()\n"
                             "for r in t:\n"
                             "    vals = []\n"
                             "    for v in r:\n"
                             "        vals.append(v.strip() if isinstance(v, str) else ('' if v is None else str(v)))\n"
                             "    print(('*' if dbf.is_deleted(r) else '') + '|'.join(vals))\n"
                             "t.close()\n";
    std::string command = "/usr/bin/python3 " + script + " " + path + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    char buf[512];
    while (pipe && fgets(buf, sizeof buf, pipe.get())) out += buf;
    return out;
#endif
}

#ifdef _WIN32
constexpr bool kOtherReader = false;
#else
constexpr bool kOtherReader = true;
#endif

TEST(DbfFile, EveryFieldTypeWrittenIsReadBackHereAndByAnotherReader) {
    zrtest::TempDir dir;
    std::string path = dir.file("CLAIMS.DBF");
    auto t = wl::DbfFile::create(path, claimFields());
    ASSERT_TRUE(t);
    std::string longNote(700, 'x');  // two memo blocks
    ASSERT_TRUE(t->append({Value("C1"), Value(12.5), Value(3), Value(wl::Date{2024, 1, 31}), Value(true),
                           Value("first note")}));
    ASSERT_TRUE(t->append({Value("O'BRIEN"), Value(0.0), Value(0), Value(wl::Date{}), Value(false), Value(longNote)}));
    ASSERT_TRUE(t->append({Value("C3"), Value(9999999.0), Value(12345), Value(), Value(), Value("")}));
    EXPECT_EQ(t->recordCount(), 3u);
    EXPECT_EQ(t->memoPath(), dir.file("CLAIMS.DBT"));

    auto r = t->read(1);
    ASSERT_EQ(r.size(), 6u);
    EXPECT_EQ(r[0].text(), "C1          ");
    EXPECT_DOUBLE_EQ(r[1].number(), 12.5);
    EXPECT_EQ(r[2].number(), 3);
    EXPECT_EQ(std::get<wl::Date>(r[3].storage()).day, 31);
    EXPECT_TRUE(r[4].logical());
    EXPECT_EQ(r[5].text(), "first note");
    EXPECT_EQ(t->read(2)[5].text(), longNote);
    EXPECT_TRUE(std::get<wl::Date>(t->read(2)[3].storage()).blank());
    EXPECT_TRUE(t->read(4).empty());

    // Rewriting a record in place, and deleting one.
    ASSERT_TRUE(t->write(1, {Value("C1"), Value(7.25), Value(3), Value(wl::Date{2024, 2, 1}), Value(false),
                             Value("changed")}));
    ASSERT_TRUE(t->setDeleted(3, true));
    EXPECT_TRUE(t->deleted(3));
    EXPECT_EQ(t->read(1)[5].text(), "changed");

    // The number too wide for N(4) is stored as asterisks, not spilled.
    if (kOtherReader) EXPECT_EQ(readWithPythonDbf(path),
              "C1|7.25|3|2024-02-01|False|changed\n"
              "O'BRIEN|0.0|0||False|" + longNote + "\n"
              "*C3|9999999.0||||\n");
}

TEST(DbfFile, ReopensAndZaps) {
    zrtest::TempDir dir;
    std::string path = dir.file("T.DBF");
    {
        auto t = wl::DbfFile::create(path, {{"A", 'C', 3, 0}, {"B", 'N', 5, 1}});
        ASSERT_TRUE(t);
        ASSERT_TRUE(t->append({Value("abc"), Value(1.5)}));
        ASSERT_TRUE(t->append({Value("de"), Value(-2)}));
        EXPECT_EQ(t->memoPath(), "");
    }
    auto t = wl::DbfFile::open(path);
    ASSERT_TRUE(t);
    ASSERT_EQ(t->fields().size(), 2u);
    EXPECT_EQ(t->fields()[1].decimals, 1);
    EXPECT_EQ(t->recordCount(), 2u);
    EXPECT_DOUBLE_EQ(t->read(2)[1].number(), -2);
    ASSERT_TRUE(t->setDeleted(1, true));
    EXPECT_TRUE(t->pack());
    EXPECT_EQ(t->recordCount(), 1u);
    EXPECT_EQ(t->read(1)[0].text(), "de ");
    EXPECT_TRUE(t->zap());
    EXPECT_EQ(t->recordCount(), 0u);
    ASSERT_TRUE(t->append({Value("z"), Value(3)}));
    if (kOtherReader) EXPECT_EQ(readWithPythonDbf(path), "z|3.0\n");
    EXPECT_FALSE(wl::DbfFile::open(dir.file("NONE.DBF")));
}

TEST(DbfFile, TemporaryNamesAreFreeNames) {
    zrtest::TempDir dir;
    std::string first = wl::CTEMPFILE(dir.path(), "DBF");
    std::string name = first.substr(dir.path().size() + 1);
    ASSERT_EQ(name.size(), 12u);
    EXPECT_EQ(name.substr(0, 2), "__");
    EXPECT_EQ(name.substr(8), ".DBF");
    dir.write(name, "");
    EXPECT_NE(wl::CTEMPFILE(dir.path(), "DBF"), first);  // taken: formed again later
}

}  // namespace
