#include "text_tokens.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TokenCase {
    std::string text;
    int token;
    std::string separator;
    std::string expected;
};

TEST(StrToken, TokensOfEachKindOfSeparator) {
    const std::vector<TokenCase> cases = {
        {"a,,b", 1, ",", "a"},
        {"a,,b", 2, ",", ""},  // two separators enclose an empty token
        {"a,,b", 3, ",", "b"},
        {"  a  b", 1, " ", "a"},  // a blank separator is passed as a run
        {"  a  b", 2, "", "b"},   // empty separator means a blank
        {"a b", 3, " ", ""},      // the text ends before the token
        {"a b", 0, " ", "a"},     // token 0 is the first
        {"x;y", 2, ";-", "y"},    // only the first character separates
        {"", 1, ",", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wl::STRTOKEN(c.text, c.token, c.separator), c.expected)
            << '"' << c.text << "\" token " << c.token;
}

TEST(CStrWord, WordsDelimitersAndBlankRuns) {
    std::size_t pos = 0;
    EXPECT_EQ(wl::CSTRWORD("ab,cd", pos, ","), "ab");
    EXPECT_EQ(pos, 2u);
    EXPECT_EQ(wl::CSTRWORD("ab,cd", pos, ","), ",");
    EXPECT_EQ(pos, 3u);
    EXPECT_EQ(wl::CSTRWORD("ab,cd", pos, ","), "cd");
    EXPECT_EQ(pos, 6u);  // the end: length + 1

    pos = 1;
    EXPECT_EQ(wl::CSTRWORD("x   y", pos, ","), "   ");
    EXPECT_EQ(pos, 4u);
}

TEST(Aat, FirstPositionWhereAnyTextBegins) {
    EXPECT_EQ(wl::AAT({"cd", "b"}, "abcd"), 2u);
    EXPECT_EQ(wl::AAT({"zz"}, "abcd"), 0u);
    EXPECT_EQ(wl::AAT({"abcde"}, "abcd"), 0u);  // longer than the text
    EXPECT_EQ(wl::AAT({"cde", "d"}, "abcd"), 4u);  // cde runs past the end
}

TEST(StrChar, PositionsOutsideTheTextGiveEmpty) {
    EXPECT_EQ(wl::STRCHAR("abc", 1), "a");
    EXPECT_EQ(wl::STRCHAR("abc", 3), "c");
    EXPECT_EQ(wl::STRCHAR("abc", 0), "");
    EXPECT_EQ(wl::STRCHAR("abc", 4), "");
    EXPECT_EQ(wl::STRCHAR("", 1), "");
}

TEST(TextBytes, CaseOfFirstCountsAndCodePageTests) {
    EXPECT_EQ(wl::STRCAPFIRST("hELLO wORLD"), "Hello world");
    EXPECT_EQ(wl::STRCAPFIRST("1ABC"), "1abc");
    EXPECT_EQ(wl::CHARCOUNT("a,b,,c", ",x"), 3u);
    EXPECT_EQ(wl::CHARCOUNT("abc", ""), 0u);
    EXPECT_TRUE(wl::ISANSI("caf\xE9"));
    EXPECT_TRUE(wl::ISANSI("\x80"));
    EXPECT_FALSE(wl::ISANSI("plain \xC9"));  // 201 is not above 223
    EXPECT_TRUE(wl::ISOEM("\x82"));
    EXPECT_FALSE(wl::ISOEM("\xA9 \x80"));
}

}  // namespace
