// Report forms of text lines, and the listing's column helpers.
#include "report_lines.hpp"

#include <gtest/gtest.h>

namespace {

using namespace zr;

TEST(ReportLines, OnlyATrailingEmptyLineIsLeftOut) {
    struct Case {
        std::vector<std::string> lines;
        int mode;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {{"A", "B"}, 100, "A\r\nB\r\n"},  // a real last line stays
        {{"A", "B", ""}, 100, "A\r\nB\r\n"},
        {{"A", "", "B"}, 101, "A<BR><BR>B<BR>"},
        {{"A", ""}, 102, "A\\par\r\n"},
        {{}, 100, ""},
        // Each line escaped for its mode, never in plain text.
        {{"a&<b>", "{c}\\\xE9"}, 100, "a&<b>\r\n{c}\\\xE9\r\n"},
        {{"a&<b>", "{c}"}, 101, "a&amp;&lt;b&gt;<BR>{c}<BR>"},
        {{"a&<b>", "{c}\\\xE9"}, 102, "a&<b>\\par\r\n\\{c\\}\\\\\\'e9\\par\r\n"},
        {{"A"}, 103, std::nullopt},
        {{"A"}, 1, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(reportLines(c.lines, c.mode), c.text) << c.mode;
}

TEST(ReportLines, FieldsFitTheirWidth) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"SMITH", "8", "SMITH   "}, {"SMITHSON", "5", "SMITH "}, {"SMITH", "5", "SMITH"},
        {"SMITH", "0", "SMITH "},   {"SMITH", "", "SMITH "},     {"SMITH", "X", "SMITH "},
    };
    for (const auto& [value, width, out] : cases) EXPECT_EQ(fitToWidth(value, width), out) << value << width;
    EXPECT_EQ(fillToColumn("AB", 4), "AB  ");
    EXPECT_EQ(fillToColumn("ABCDE", 4), "ABCDE");
}

}  // namespace
