// The schema file: written and read back, the DBF and other drivers' keys,
// rows with empty names, the list operations and the map field names.
#include "schema_file.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

using Texts = std::vector<std::string>;

zr::SchemaRow schemaRow(const std::string& name, const std::string& driver, const std::string& fields = "") {
    return {name, "837P", driver, "ds", "srv", "usr", "pw", fields};
}

TEST(SchemaFile, OneIncludedTransactionWritesOneKeyLine) {
    zr::SchemaFlags flags{};
    zr::SchemaMaps maps;
    flags[1] = true;
    maps[1] = "p.cfg";
    maps[0] = "i.cfg";  // not included: not written
    EXPECT_EQ(zr::schemaText(flags, maps, zr::SchemaTables(1)),
              "************************** Transaction List\r\n[transactions]\r\n837P=p.cfg\r\n");
    EXPECT_EQ(zr::CTLD50900B(flags), "837P");
    flags[8] = flags[11] = true;
    EXPECT_EQ(zr::CTLD50900B(flags), "837P,278A,820");
}

TEST(SchemaFile, DriverDecidesTheConnectionKeys) {
    struct Case {
        const char* driver;
        const char* lines;
    };
    const Case cases[] = {
        {"DBF", "DIRECTORY=ds\r\nDRIVE=srv\r\n"},
        {"DBFIII", "DIRECTORY=ds\r\nDRIVE=srv\r\n"},
        {"dbf", "DSN=ds\r\nSERVER=srv\r\nUSER=usr\r\nPASSWORD=pw\r\n"},
        {"ODBC", "DSN=ds\r\nSERVER=srv\r\nUSER=usr\r\nPASSWORD=pw\r\n"},
    };
    for (const Case& c : cases) {
        const std::string text = zr::schemaText({}, {}, {schemaRow("T", c.driver, "A\r\nB\r\n")});
        EXPECT_EQ(text, std::string("************************** Transaction List\r\n[transactions]\r\n"
                                    "************************** Database 1\r\n[database]\r\nTABLE=T\r\n"
                                    "TRANSACTIONTYPE=837P\r\nDRIVER=") +
                            c.driver + "\r\n" + c.lines + "FIELD=A\r\nFIELD=B\r\n")
            << c.driver;
    }
}

TEST(SchemaFile, RowsWithoutNameAreSkippedAndOthersKeepTheirNumbers) {
    const std::string text = zr::schemaText({}, {}, {schemaRow("", "X"), schemaRow("Two", "X")});
    EXPECT_EQ(text.find("Database 1"), std::string::npos);
    EXPECT_NE(text.find("************************** Database 2\r\n[database]\r\nTABLE=Two\r\n"), std::string::npos);
}

TEST(SchemaFile, WrittenFileReadsBackWithBlanksTrimmed) {
    zrtest::TempDir dir;
    const std::string file = dir.file("schema.ini");  // absolute: written under this very name
    zr::SchemaFlags flags{};
    zr::SchemaMaps maps;
    flags[9] = flags[3] = true;
    maps[9] = "rr.cfg";
    maps[3] = "835.cfg";
    const zr::SchemaRow padded = {"Claims" + std::string(249, ' '), "835,278B", "DBF   ", "C:\\data", "C:",
                                  "", "", "CLAIMNO\r\nAMOUNT\r\n"};
    ASSERT_TRUE(zr::CTLD50900G(file, flags, maps, {padded, schemaRow("Second", "SQL")}));
    EXPECT_EQ(zr::CTLD50900H(file, 110), "rr.cfg");  // the lower-case "278b=" key
    EXPECT_EQ(zr::CTLD50900H(file, 104), "835.cfg");
    EXPECT_EQ(zr::CTLD50900H(file, 101), "");
    EXPECT_EQ(zr::CTLD50900H(file, 113), "");
    EXPECT_EQ(zr::CTLD50900I(file), (Texts{"Claims", "Second"}));
    const zr::SchemaTables tables = zr::schemaTables(file);
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0], (zr::SchemaRow{"Claims", "835,278B", "DBF", "C:\\data", "C:", "", "",
                                        "CLAIMNO\r\nAMOUNT\r\n"}));
    EXPECT_EQ(tables[1], schemaRow("Second", "SQL"));
    EXPECT_EQ(zr::CTLD50900N(tables, 1), (Texts{"CLAIMNO", "AMOUNT"}));
}

TEST(SchemaFile, ReadingFollowsItsLineRules) {
    zrtest::TempDir dir;
    // Keys without regard to case, LF dropped, the text after the last CR
    // not read, keys before the first table ignored.
    const std::string file = dir.write("s.ini",
                                       "837P=first.cfg\r\n837p=lower.cfg\r\n837P=second.cfg\r\nuser=early\r\n"
                                       "  table=T1  \r\nDriver=D\nX\r\nfield=F1\r\nTABLE=T2\r\nFIELD=lost");
    EXPECT_EQ(zr::CTLD50900H(file, 102), "first.cfg");
    EXPECT_EQ(zr::CTLD50900I(file), (Texts{"T1", "T2"}));
    const zr::SchemaTables tables = zr::schemaTables(file);
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0], (zr::SchemaRow{"T1", "", "DX", "", "", "", "", "F1\r\n"}));
    EXPECT_EQ(tables[1], (zr::SchemaRow{"T2", "", "", "", "", "", "", ""}));
}

TEST(SchemaFile, MissingFileGivesEmptyLists) {
    EXPECT_EQ(zr::CTLD50900I("no-such-schema.ini"), (Texts{""}));
    EXPECT_EQ(zr::schemaTables("no-such-schema.ini"), zr::SchemaTables(1));
    EXPECT_TRUE(zr::schemaTablesEmpty(zr::schemaTables("no-such-schema.ini")));
}

TEST(SchemaFile, ListOperations) {
    using Mode = zr::SchemaListMode;
    const zr::SchemaTables two = {schemaRow("A", "X"), schemaRow("B", "Y")};
    EXPECT_EQ(zr::CTLD50900K(1, two, "", Mode::Unchanged), two);
    EXPECT_EQ(zr::CTLD50900K(1, two, "", Mode::Remove), (zr::SchemaTables{schemaRow("B", "Y")}));
    EXPECT_EQ(zr::CTLD50900K(1, {schemaRow("A", "X")}, "", Mode::Remove), zr::SchemaTables(1));
    EXPECT_EQ(zr::CTLD50900K(5, two, "", Mode::Remove), two);
    const std::array<std::string, 7> cols = {"N", "837I", "DBF", "d", "s", "u", "p"};
    const zr::SchemaRow added = {"N", "837I", "DBF", "d", "s", "u", "p", ""};
    EXPECT_EQ(zr::CTLD50900K(0, zr::SchemaTables(1), "", Mode::Append, cols), zr::SchemaTables{added});
    EXPECT_EQ(zr::CTLD50900K(0, two, "", Mode::Append, cols).back(), added);
    EXPECT_EQ(zr::CTLD50900M(two, 2, 3, "Z")[1][zr::kDriver], "Z");
    EXPECT_EQ(zr::CTLD50900M(two, 3, 3, "Z"), two);
    EXPECT_EQ(zr::CTLD50900J(two, {"F", "G"}, 0)[0][zr::kFieldNames], "F\r\nG\r\n");
    EXPECT_EQ(zr::CTLD50900J(two, {"F"}, 2)[1][zr::kFieldNames], "F\r\n");
}

TEST(SchemaFile, MapFieldNamesAndCaptions) {
    zrtest::TempDir dir;
    zr::SchemaMaps maps;
    maps[1] = dir.write("p.cfg", "; map\r\n  FIELD=CLAIMNO,CLM,01\r\nfield=lower,x\r\nFIELD=NOCOMMA\r\n"
                                 "FIELD=GONE\nFIELD=LAST,1");
    EXPECT_EQ(zr::CTLD50900O("837P", maps), (Texts{"CLAIMNO", "NOCOMMA", "LAST"}));
    EXPECT_EQ(zr::CTLD50900O("837I", maps), Texts{});
    EXPECT_EQ(zr::CTLD50900D(true, "837P Professional Claims", maps[1]),
              "837P Professional Claims : Map=" + maps[1]);
    EXPECT_EQ(zr::CTLD50900D(false, "837P Professional Claims", maps[1]), "837P Professional Claims");
    EXPECT_EQ(zr::CTLD50900D(true, "837I Institutional Claims", dir.file("none.cfg")), "837I Institutional Claims");
    EXPECT_EQ(zr::schemaIncludedCodes({}), Texts{});
    EXPECT_EQ(zr::schemaTransactionIndex("278B"), 9u);
    EXPECT_EQ(zr::kSchemaTransactions[zr::kSchemaScreenOrder[4]].code, std::string("276"));
}

}  // namespace
