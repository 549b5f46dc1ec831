// What the generic browse binds for each kind of source it is given.
#include "xbrowse_source.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"
#include "text.hpp"

namespace {

using namespace wl;

TEST(XBrowseSource, EachKindOfSourceIsBound) {
    struct Case {
        const char* name;
        Value source;
        int rows;
        std::string firstCell;
    };
    const Case cases[] = {
        {"a list of rows", Value(ValueList{Value(ValueList{"a", 1}), Value(ValueList{"b", 2})}), 2, "a"},
        {"a file that does not open shows its name", Value("no-such-table.dbf"), 1, "no-such-table.dbf"},
        {"a logical", Value(true), 1, ".T."},
        {"a number", Value(42), 1, "42"},
    };
    for (const Case& c : cases) {
        XBrowseModel b;
        XBRWSETDATASOURCE(b, c.source);
        EXPECT_EQ(b.nLen, c.rows) << c.name;
        b.GoTop();
        EXPECT_EQ(b.aCols[0].StrData(), c.firstCell) << c.name;
    }
}

TEST(XBrowseSource, ATableFileByNameAndTheColumnsAsked) {
    zrtest::TempDir dir;
    const std::string path = dir.file("claims.dbf");
    {
        auto t = DbfFile::create(path, {{"CLAIM", 'C', 6, 0}, {"PAID", 'N', 8, 2}, {"PAYER", 'C', 10, 0}});
        ASSERT_TRUE(t);
        t->append({Value("C1"), Value(10.5), Value("AETNA")});
        t->append({Value("C2"), Value(20.0), Value("CIGNA")});
    }
    XBrowseModel b;
    // Without its extension, and the columns as one list inside a list.
    const std::string opened =
        XBRWSETDATASOURCE(b, Value(dir.file("claims")), ValueList{Value(ValueList{"payer", "CLAIM"})});
    EXPECT_EQ(opened, "CLAI");  // a new work area
    ASSERT_TRUE(dbfAreaOf("CLAI"));
    EXPECT_EQ(b.nDataType, DATATYPE_RDD);
    EXPECT_EQ(b.nLen, 2);
    EXPECT_EQ(b.Display(), (std::vector<int>{3, 1}));
    b.GoBottom();
    EXPECT_EQ(rtrim(b.aCols[2].GetValue().text()), "CIGNA");
    // Opened again while open: another alias.
    XBrowseModel again;
    EXPECT_EQ(XBRWSETDATASOURCE(again, Value(dir.file("claims.dbf"))), "CLAI1");
    dbfCloseArea("CLAI1");
    // An open alias and the selected area are bound as they are.
    XBrowseModel byAlias;
    EXPECT_EQ(XBRWSETDATASOURCE(byAlias, Value("clai")), "");
    EXPECT_EQ(byAlias.Area(), dbfAreaOf("CLAI"));
    dbfSelect("CLAI");
    XBrowseModel selected;
    XBRWSETDATASOURCE(selected, Value());
    EXPECT_EQ(selected.Area(), dbfAreaOf("CLAI"));
    EXPECT_EQ(selected.nLen, 2);
    dbfCloseArea("CLAI");
    XBrowseModel none;
    XBRWSETDATASOURCE(none, Value());
    EXPECT_EQ(none.nDataType, DATATYPE_ARRAY);
    EXPECT_EQ(none.nLen, 0);

    XBrowseModel a;
    XBRWSETDATASOURCE(a, Value(ValueList{Value(ValueList{"x", 1, true})}), ValueList{Value(3), Value(1), Value(9)});
    EXPECT_EQ(a.Display(), (std::vector<int>{3, 1}));
}

}  // namespace
