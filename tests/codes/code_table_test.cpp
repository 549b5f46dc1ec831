// The table reader behind the compiled-in code tables: notes and blank
// lines, exact match only, the first row of a code winning.
#include "code_table.hpp"

#include <gtest/gtest.h>

namespace {

using zr::CodeTable;

std::string codeTableText(const CodeTable& table, std::string_view code) {
    const std::string_view* text = table.find(code);
    return text ? std::string(*text) : std::string("<none>");
}

TEST(CodeTable, ReadsRowsAndSkipsNotesAndBlankLines) {
    const CodeTable table("# a note\n1\tOne\n\n10\tTen\n2\t\nB1\tText with\ttab\n");
    EXPECT_EQ(table.size(), 4u);
    const struct {
        const char* code;
        const char* expected;
    } cases[] = {
        {"1", "One"},  {"10", "Ten"},          {"2", ""},          {"B1", "Text with\ttab"},
        {"", "<none>"}, {"100", "<none>"},      {"# a note", "<none>"}, {"b1", "<none>"},
        {" 1", "<none>"}, {"1 ", "<none>"},
    };
    for (const auto& c : cases) EXPECT_EQ(codeTableText(table, c.code), c.expected) << c.code;
}

TEST(CodeTable, LastLineWithoutLineFeedAndCodeWithoutTextAreRows) {
    const CodeTable table("A\nB\tBee");
    EXPECT_EQ(table.size(), 2u);
    EXPECT_EQ(codeTableText(table, "A"), "");
    EXPECT_EQ(codeTableText(table, "B"), "Bee");
}

TEST(CodeTable, FirstRowOfARepeatedCodeWins) {
    const CodeTable table("7\tFirst\n3\tThree\n7\tSecond\n");
    EXPECT_EQ(table.size(), 2u);
    EXPECT_EQ(codeTableText(table, "7"), "First");
}

}  // namespace
