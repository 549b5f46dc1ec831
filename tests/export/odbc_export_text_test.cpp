#include "odbc_export_text.hpp"

#include <gtest/gtest.h>

namespace {

TEST(OdbcExportText, LiteralsAndNamesKeepTheirQuotes) {
    struct Case {
        std::string text, literal, name;
    };
    const Case cases[] = {
        {"CLAIMS", "'CLAIMS'", "CLAIMS"},
        {"O'BRIEN", "'O''BRIEN'", "\"O'BRIEN\""},
        {"A\"B", "'A\"B'", "\"A\"\"B\""},
        {"9TABLE", "'9TABLE'", "\"9TABLE\""},
        {"", "''", "\"\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(zr::sqlLiteral(c.text), c.literal);
        EXPECT_EQ(zr::sqlName(c.text), c.name);
    }
}

TEST(OdbcExportText, Statements) {
    EXPECT_EQ(zr::sqlInsert("CLAIMS", {"SQLRECID", "PATLNAME"}, {"RECID000001", "O'BRIEN"}),
              "INSERT INTO CLAIMS (SQLRECID, PATLNAME) VALUES ('RECID000001', 'O''BRIEN')");
    EXPECT_EQ(zr::sqlSelectColumn("CLAIMS", "SQLRECID"), "SELECT SQLRECID FROM CLAIMS");
    EXPECT_EQ(zr::sqlKeyProbe("CLAIMS", "CLAIMID", "X' OR '1'='1"),
              "SELECT * FROM CLAIMS WHERE CLAIMID = 'X'' OR ''1''=''1'");
}

}  // namespace
