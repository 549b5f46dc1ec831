// Column letters, seek dates and the two array shapers.
#include "xbrowse_functions.hpp"

#include <gtest/gtest.h>

#include "xbrw_column.hpp"

namespace {

using namespace wl;

TEST(XBrowseFunctions, ColumnLettersRollOverLikeASpreadsheet) {
    const std::pair<long long, const char*> cases[] = {
        {0, ""}, {1, "A"}, {26, "Z"}, {27, "AA"}, {52, "AZ"}, {53, "BA"}, {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}};
    for (const auto& [n, text] : cases) EXPECT_EQ(MAKECOLALPHABET(n), text) << n;
}

TEST(XBrowseFunctions, SeekDateReadsYearFirstDigitsOrTheDateFormat) {
    const Date current{2026, 12, 11};
    struct Case {
        const char* text;
        Date want;
    };
    const Case cases[] = {
        {"20240131", {2024, 1, 31}},
        {"202402", {2024, 2, 1}},
        {"2023", {2023, 1, 1}},
        {"20240231", current},   // no such day
        {"20245", current},      // five digits
        {"01/31/2024", {2024, 1, 31}},
        {"02/29/2023", current},  // not a leap year
        {"02/29/2024", {2024, 2, 29}},
        {"abc", current},
        {"12/2x/2024", current},
        {"", current},
    };
    for (const Case& c : cases) {
        const Date d = SEEKDATE(c.text, current);
        EXPECT_EQ(d.year, c.want.year) << c.text;
        EXPECT_EQ(d.month, c.want.month) << c.text;
        EXPECT_EQ(d.day, c.want.day) << c.text;
    }
    // Day-first format with a two-digit year.
    const Date d = SEEKDATE("31.01.24", current, "DD.MM.YY");
    EXPECT_EQ(d.year, 2024);
    EXPECT_EQ(d.month, 1);
}

TEST(XBrowseFunctions, TransposeAndMergeKeepEveryCell) {
    const ValueList rows{Value(ValueList{1, 2, 3}), Value(ValueList{4}), Value("x")};
    const ValueList t = ARRTRANSPOSE(rows);
    ASSERT_EQ(t.size(), 3u);
    ASSERT_EQ(t[0].list().size(), 3u);
    EXPECT_EQ(t[0].list()[1].number(), 4);
    EXPECT_EQ(t[0].list()[2].text(), "x");
    EXPECT_EQ(t[2].list()[0].number(), 3);
    EXPECT_TRUE(t[2].list()[1].isNil());
    EXPECT_TRUE(ARRTRANSPOSE({}).empty());

    const ValueList m = ARRMERGE({Value(ValueList{1, 2}), Value(ValueList{3})}, {Value(ValueList{"a"})});
    ASSERT_EQ(m.size(), 2u);
    ASSERT_EQ(m[0].list().size(), 3u);
    EXPECT_EQ(m[0].list()[2].text(), "a");
    ASSERT_EQ(m[1].list().size(), 3u);  // the short row is padded before the right side
    EXPECT_TRUE(m[1].list()[1].isNil());
    EXPECT_TRUE(m[1].list()[2].isNil());
}

TEST(XBrowseFunctions, ListLookupGivesTheDescriptionOrTheValueItself) {
    const ValueList pairs{
        Value(ValueList{Value("A"), Value("Active")}),
        Value(ValueList{Value(std::int64_t(1)), Value("One")}),
        Value(ValueList{Value("1"), Value("Text one")}),
        Value("malformed"),
        Value(ValueList{Value("B")}),  // no description: skipped
        Value(ValueList{Value(true), Value("Yes")}),
        Value(ValueList{Value("A"), Value("Second A")}),
    };
    struct Case {
        Value value;
        Value want;
    };
    const Case cases[] = {
        {Value("A"), Value("Active")},     // the first match wins
        {Value(std::int64_t(1)), Value("One")},
        {Value("1"), Value("Text one")},   // the type decides between 1 and "1"
        {Value(true), Value("Yes")},
        {Value("B"), Value("B")},          // only in a malformed entry
        {Value("a"), Value("a")},          // codes match exactly
        {Value(std::int64_t(2)), Value(std::int64_t(2))},
        {Value(), Value()},
    };
    for (const auto& c : cases) {
        const Value got = XBRLBXLOOKUP(c.value, pairs);
        EXPECT_EQ(xbrValueType(got), xbrValueType(c.want)) << CVALTOCHAR(c.value);
        EXPECT_EQ(CVALTOCHAR(got), CVALTOCHAR(c.want)) << CVALTOCHAR(c.value);
    }
    EXPECT_EQ(XBRLBXLOOKUP(Value("A"), {}).text(), "A");
}

TEST(XBrowseFunctions, ContrastColourByLuminance) {
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {
        {0xFFFFFF, 0x000000},  // white: black text
        {0x000000, 0xFFFFFF},  // black: white text
        {0x800000, 0xFFFFFF},  // navy (0, 0, 128): white
        {0x00FFFF, 0x000000},  // yellow (255, 255, 0): black
        {0x969696, 0xFFFFFF},  // grey 150: exactly 150 is not above
        {0x979797, 0x000000},
    };
    for (const auto& [back, text] : cases) EXPECT_EQ(CONTRASTCOLOR(back), text) << std::hex << back;
}

TEST(XBrowseFunctions, LibrarySwitchesAnswerThePreviousSetting) {
    for (auto* sw : {&SETKINETIC, &XBRGETSELECTALL}) {
        EXPECT_TRUE(sw(std::nullopt));  // initially on
        EXPECT_TRUE(sw(false));
        EXPECT_FALSE(sw(std::nullopt));
        EXPECT_FALSE(sw(true));
        EXPECT_TRUE(sw(std::nullopt));
    }
    // Each is its own switch.
    XBRGETSELECTALL(false);
    EXPECT_TRUE(SETKINETIC());
    XBRGETSELECTALL(true);
}

}  // namespace
