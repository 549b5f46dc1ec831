// The ODBC data view's lines, status lines, data-source list and record
// step.
#include "odbc_view.hpp"

#include <gtest/gtest.h>

#include "text.hpp"

namespace {

using zr::OdbcViewField;

TEST(OdbcView, DataSourcesAreTheTrimmedEntriesOrTheNoneEntry) {
    EXPECT_EQ(zr::CTL33500F({"Claims" + std::string(248, ' '), "  ", "Remits   "}),
              (std::vector<std::string>{"Claims", "Remits"}));
    EXPECT_EQ(zr::CTL33500F({}), std::vector<std::string>{"No Data Sets Available"});
    EXPECT_TRUE(zr::isDataSource("Claims"));
    EXPECT_FALSE(zr::isDataSource("No Data Sets Available"));
    EXPECT_FALSE(zr::isDataSource("   "));
}

TEST(OdbcView, FieldAndValueLines) {
    const OdbcViewField name{"NAME", 'C', 10}, born{"BORN", 'D', 8}, no{"NO", 'N', 10};
    EXPECT_EQ(zr::odbcFieldLine(1, name), "  1> NAME" + std::string(24, ' ') + " Type=C Len=10");
    EXPECT_EQ(zr::odbcFieldLine(123, no), "123> NO" + std::string(26, ' ') + " Type=N Len=10");
    struct Case {
        OdbcViewField field;
        wl::Value value;
        std::string shown;
    };
    const Case cases[] = {
        {name, wl::Value("  N00001   "), "N00001"},
        {no, wl::Value(std::int64_t{42}), "42"},
        {born, wl::Value(wl::Date{2000, 1, 2}), wl::dateText(wl::Date{2000, 1, 2})},
        {name, wl::Value(), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(zr::odbcValueLine(2, c.field, c.value), "  2> " + wl::padRight(c.field.name, 28) + " " + c.shown);
}

TEST(OdbcView, StatusLines) {
    EXPECT_EQ(zr::odbcFieldStatus("PATIENTS", 5, 12), "PATIENTS   5 Fields.  12 Records");
    EXPECT_EQ(zr::odbcRecordStatus("PATIENTS", 3, 12), "PATIENTS  Record 3  of  12 Records");
}

TEST(OdbcView, TheRecordStepStaysBetweenZeroAndTheCount) {
    struct Case {
        std::int64_t record;
        int step;
        std::int64_t count, result;
    };
    const Case cases[] = {{0, -1, 5, 0}, {0, 1, 5, 1}, {5, 1, 5, 5}, {3, -1, 5, 2}, {0, 1, 0, 0}, {9, -1, 5, 5}};
    for (const Case& c : cases) EXPECT_EQ(zr::CTL33500L(c.record, c.step, c.count), c.result) << c.record << c.step;
}

TEST(OdbcView, PrintedPagesHoldSixtyLines) {
    EXPECT_EQ(zr::odbcPrintPageCount(0), 0);
    EXPECT_EQ(zr::odbcPrintPageCount(60), 1);
    EXPECT_EQ(zr::odbcPrintPageCount(61), 2);
    EXPECT_EQ(zr::odbcPrintLineTop(0, 6000), 0);
    EXPECT_EQ(zr::odbcPrintLineTop(59, 6000), 5900);
    EXPECT_EQ(zr::odbcPrintLineTop(60, 6000), 0);  // the next page's first
}

TEST(OdbcView, TestdataTakesTheTableFieldsAsDbaseFields) {
    struct Case {
        OdbcViewField field;
        char type;
        int length, decimals;
    };
    const Case cases[] = {
        {{"NAME", 'C', 10}, 'C', 10, 0},
        {{"NOTE", 'C', 4000}, 'C', 254, 0},
        {{"AMOUNT", 'N', 12, 2}, 'N', 12, 2},
        {{"BORN", 'D', 10}, 'D', 8, 0},
        {{"ACTIVE", 'L', 1}, 'L', 1, 0},
        {{"TEXT", 'M', 0}, 'M', 10, 0},
        {{"BLOB", 'U', 0}, 'C', 1, 0},
    };
    for (const Case& c : cases) {
        const auto fields = zr::testdataFields({c.field});
        ASSERT_EQ(fields.size(), 1u);
        EXPECT_EQ(fields[0].name, c.field.name);
        EXPECT_EQ(fields[0].type, c.type) << c.field.name;
        EXPECT_EQ(fields[0].length, c.length) << c.field.name;
        EXPECT_EQ(fields[0].decimals, c.decimals) << c.field.name;
    }
}

TEST(OdbcView, TheDataSourceChoiceJoinsSourceAndTable) {
    EXPECT_EQ(zr::dataSourceChoice("zrclaims   ", "PATIENTS  "), "zrclaims:PATIENTS");
}

}  // namespace
