// Writing a record of the field table, with its values escaped for XML.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "field_rows.hpp"
#include "field_table.hpp"
#include "record_writer.hpp"

namespace {

namespace fs = std::filesystem;
using zrtest::field;

TEST(RecordWriter, NothingIsWrittenOrClearedWithoutAValue) {
    zr::FieldTable t({field("A,5,NM1,,,1"), field("F,5,,,,,,,,5")});
    zr::fillFileNames(t, "in.x12", "out.csv");
    t.counters[0] = 3;
    std::string out;
    EXPECT_FALSE(zr::CTL48400C(t, {}, out));
    EXPECT_EQ(out, "");
    EXPECT_EQ(t.value(1), "in.x12");
}

TEST(RecordWriter, LineRowsCountLinesHoldingAValue) {
    zr::FieldTable t({field("C,5,CLM,,,1"), field("P1,5,SV1,,,1,,,,,1"), field("P2,5,SV1,,,1,,,,,2"),
                      field("P3,5,SV1,,,1,,,,,3")});
    t.setValue(0, "X");
    EXPECT_EQ(zr::serviceLineRows(t), 1);
    t.setValue(1, "1");
    t.setValue(3, "3");
    EXPECT_EQ(zr::serviceLineRows(t), 2);
}

TEST(XmlEscape, EscapesTheThreeMarkupCharactersInValuesAndNames) {
    std::string out;
    zr::appendXmlEscaped(out, "A&B <C> D");
    EXPECT_EQ(out, "A&amp;B &lt;C&gt; D");
    zr::FieldTable t({field("R&D,5,NM1,,,1")});
    t.setValue(0, "<x>");
    out.clear();
    zr::CTL48400C(t, {true, false}, out);
    EXPECT_EQ(out, "<CLAIM>\r\n<R&amp;D>&lt;x&gt;</R&amp;D>\r\n</CLAIM>\r\n");
}

TEST(XmlEscape, ControlCharactersThatXmlForbidsAreReplaced) {
    std::string out;
    EXPECT_TRUE(zr::appendXmlEscaped(out, std::string("A\0B\x01\x1F\tC\r\nD\x7F", 11)));
    EXPECT_EQ(out, "A?B??\tC\r\nD\x7F");
    out.clear();
    EXPECT_FALSE(zr::appendXmlEscaped(out, "plain \xC4"));
}

}  // namespace
