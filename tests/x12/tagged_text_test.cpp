#include <gtest/gtest.h>

#include "x12_file_names.hpp"
#include "tagged_text.hpp"

namespace {

TEST(TaggedText, PairsAreFoundWhateverTheCase) {
    const std::string text = "<A>1</A>x<a>2</a>";
    EXPECT_EQ(zr::ZQK_0001A(text, "a"), "12");
    EXPECT_EQ(zr::ZQK_0001H(text, "a", 1), "1");
    EXPECT_EQ(zr::ZQK_0001H(text, "a", 2), "2");
    EXPECT_EQ(zr::ZQK_0001H(text, "a", 3), "");
    EXPECT_EQ(zr::ZQK_0001G(text, "A"), 2);
    EXPECT_EQ(zr::ZQK_0001A(text, "b"), "");
}

TEST(TaggedText, ValuesKeepTheirCaseAndOutsideTextIsIgnored) {
    const std::string text = "head<File>Claims.X12</FILE>mid<file>b</file>tail";
    EXPECT_EQ(zr::ZQK_0001A(text, "FILE"), "Claims.X12b");
    EXPECT_EQ(zr::ZQK_0001H(text, "file", 1), "Claims.X12");
    // A closing tag without an opening one counts but carries nothing.
    EXPECT_EQ(zr::ZQK_0001G("</X><X>v</X>", "x"), 2);
    EXPECT_EQ(zr::ZQK_0001H("</X><X>v</X>", "x", 2), "v");
    EXPECT_EQ(zr::ZQK_0001A("<X>unclosed", "x"), "unclosed");
}

TEST(TaggedText, WrapAndSmallDecoders) {
    EXPECT_EQ(zr::ZQK_0001B("v", "name"), "<NAME>v</NAME>");
    EXPECT_EQ(zr::ZQK_0001C("<!ELEMENT claim (#PCDATA)>", "CLAIM"), 1);
    EXPECT_EQ(zr::ZQK_0001C("<!ELEMENT claim (#PCDATA)", "claim"), 0);
    EXPECT_EQ(zr::ZQK_0001C("<!ELEMENT", "claim"), 0);
    EXPECT_EQ(zr::ZQK_0001I("%3Ca%3E"), "<a>");
    EXPECT_EQ(zr::ZQK_0001J("&lt;br&gt;|&amp;gt;|&GT;|&lt;|x;gt;|;LT;|&amp;"), "<BR>|&GT;|>|<|x&gt;|&lt;|&amp;");
}

TEST(FileNames, DotAndCommaPieces) {
    EXPECT_EQ(zr::CTL39400AT("claims.x12"), "claims");
    EXPECT_EQ(zr::CTL39400AT("claims"), "claims");
    EXPECT_EQ(zr::CTL39400AT("a.b.c"), "a");
    EXPECT_TRUE(zr::CTL39400AS("a.b"));
    EXPECT_FALSE(zr::CTL39400AS("ab"));
    EXPECT_EQ(zr::CTL39400AW("a.b.c", 0), "a");
    EXPECT_EQ(zr::CTL39400AW("a.b.c", 1), "b");
    EXPECT_EQ(zr::CTL39400AW("a.b.c", 2), "c");
    EXPECT_EQ(zr::CTL39400AW("a.b.c.d", 2), "c");
    EXPECT_EQ(zr::CTL39400AW("a.b.c", 3), "");
    EXPECT_EQ(zr::CTL39400AW("a", 1), "");
    EXPECT_EQ(zr::CTL39400AE("1,2,3,4,5", 1), "1");
    EXPECT_EQ(zr::CTL39400AE("1,2,3,4,5", 4), "4");
    EXPECT_EQ(zr::CTL39400AE("1,2,3,4,5", 5), "");
    EXPECT_EQ(zr::CTL39400AE("1,,3", 2), "");
    EXPECT_EQ(zr::CTL39400AE("1,2", 3), "");
    EXPECT_EQ(zr::CTL39400AE("1,2", 0), "");
    EXPECT_EQ(zr::CTL39400AI("line1\r\nline2\rline3"), "\nline2\rline3");
    EXPECT_EQ(zr::CTL39400AI("no break"), "");
}

}  // namespace
