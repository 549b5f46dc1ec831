// Writing a record of the field table, with its values escaped for XML.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "field_rows.hpp"
#include "field_table.hpp"
#include "record_writer.hpp"
#include "xml_entities.hpp"

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

// A UTF-8 source's text keeps its meaning in the ISO-8859-1 document as
// character references; single code-page bytes stay as they are.
TEST(XmlEscape, Utf8TextIsWrittenAsCharacterReferences) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"M\xC3\x9CLLER", "M&#220;LLER"},                   // two bytes
        {"\xE2\x82\xAC 5", "&#8364; 5"},                    // three bytes
        {"\xF0\x9F\x98\x80", "&#128512;"},                   // four bytes
        {"M\xDCLLER", "M\xDCLLER"},                          // code page 1252
        {"\xC3", "\xC3"},                                    // cut short at the end
        {"\xC0\x80 \xED\xA0\x80 \xF8\x88\x80\x80\x80", "\xC0\x80 \xED\xA0\x80 \xF8\x88\x80\x80\x80"},  // overlong, surrogate, too long
        {"\xC3\x9C&<", "&#220;&amp;&lt;"},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_FALSE(zr::appendXmlEscaped(out, c.in)) << c.in;
        EXPECT_EQ(out, c.out) << c.in;
    }
    // Read back, the reference is the code page's byte.
    EXPECT_EQ(zr::decodeXmlText("M&#220;LLER"), "M\xDCLLER");
}

}  // namespace
