#include "rich_edit_model.hpp"

#include <gtest/gtest.h>

namespace {

using wl::ColorRange;

TEST(RichEditLinks, OnlyWebAndMailAddressesOpen) {
    const struct {
        const char* url;
        bool opens;
    } cases[] = {
        {"http://example.org/a", true}, {"HTTPS://example.org", true}, {"mailto:billing@example.org", true},
        {"file:///C:/windows/system32/calc.exe", false}, {"file://server/share/x.bat", false},
        {"C:\\windows\\notepad.exe", false}, {"javascript:alert(1)", false}, {"ftp://example.org", false},
        {"httpx://example.org", false}, {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(wl::linkOpensInShell(c.url), c.opens) << c.url;
}

TEST(RichEditHighlight, KeywordNameSeparatorsAndString) {
    const wl::HighlightScheme s;
    // local nValue := "text"
    EXPECT_EQ(wl::highlightLine("local nValue := \"text\"", s),
              (std::vector<ColorRange>{{0, 5, s.nClrKey2},
                                       {5, 6, s.nClrSeparator},
                                       {6, 12, s.nClrText},
                                       {12, 13, s.nClrSeparator},
                                       {13, 14, s.nClrSeparator},
                                       {14, 15, s.nClrSeparator},
                                       {15, 16, s.nClrSeparator},
                                       {16, 22, s.nClrString}}));
    EXPECT_EQ(wl::highlightLine("// all comment \"x\"", s), (std::vector<ColorRange>{{0, 18, s.nClrComment}}));
    EXPECT_EQ(wl::highlightLine("class 42 'a b' x//c", s),
              (std::vector<ColorRange>{{0, 5, s.nClrKey1},
                                       {5, 6, s.nClrSeparator},
                                       {6, 8, s.nClrNumber},
                                       {8, 9, s.nClrSeparator},
                                       {9, 14, s.nClrString},
                                       {14, 15, s.nClrSeparator},
                                       {15, 16, s.nClrText},
                                       {16, 19, s.nClrComment}}));
    // An unclosed string runs to the end of the line.
    EXPECT_EQ(wl::highlightLine("\"open", s), (std::vector<ColorRange>{{0, 5, s.nClrString}}));
}

TEST(RichEditSizes, Conversions) {
    EXPECT_EQ(wl::Font2RTF(13), 10);
    EXPECT_EQ(wl::Font2RTF(26), 20);
    EXPECT_EQ(wl::Font2Size(12), -16);
    EXPECT_EQ(wl::Font2Size(11), -15);  // 11 + 1 is a multiple of 3
    EXPECT_EQ(wl::Font2Size(8), -11);
    EXPECT_EQ(wl::Size2Font(-16), 12);
    EXPECT_EQ(wl::Size2Font(-13), 10);
    EXPECT_TRUE(wl::richEdit30(30));
    EXPECT_TRUE(wl::richEdit30(40));
    EXPECT_FALSE(wl::richEdit30(0));
}

}  // namespace
