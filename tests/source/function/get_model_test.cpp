// The edit buffer of a single-line field: tables of pictures, keys and the
// buffers and caret positions they leave; the paste limits; the spinner's
// arithmetic.
#include "get_model.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace wl;

// Keys of a typing script: a printable character is typed; the others are
// named moves.
enum Key : char { Home = 1, End = 2, Left = 3, Right = 4, Del = 5, Back = 6, DelEnd = 7, Dec = 8, Ins = 9, WLeft = 10, WRight = 11 };

void play(TClipGet& g, const std::string& keys, GetSwitches sw = {}) {
    for (char k : keys) {
        switch (k) {
        case Home: getHome(g); break;
        case End: getEnd(g); break;
        case Left: getLeft(g); break;
        case Right: getRight(g); break;
        case Del: getDelete(g); break;
        case Back: getBackSpace(g); break;
        case DelEnd: getDelEnd(g); break;
        case Dec: getToDecPos(g); break;
        case Ins: sw.insert = !sw.insert; break;
        case WLeft: getWordLeft(g); break;
        case WRight: getWordRight(g); break;
        default: sw.insert ? getInsert(g, k) : getOverstrike(g, k);
        }
    }
}

struct TypingCase {
    const char* name;
    Value value;
    std::string picture;
    bool clear;  // the field was entered by GoHome (numbers clear on the first key)
    std::string keys;
    std::string buffer;
    int pos;
    bool typeOut;
};

TEST(GetModel, TypingTable) {
    const std::vector<TypingCase> cases = {
        {"three digits fill 999", Value(5), "999", true, "123", "123", 3, true},
        {"a fourth digit is refused", Value(5), "999", true, "1234", "123", 3, true},
        {"letters refused in 999", Value(5), "999", true, "a1", "1  ", 2, false},
        {"first key clears the number", Value(42), "99999", true, "7", "7    ", 2, false},
        {"text overwrites", Value("abcdef"), "", false, "XY", "XYcdef", 3, false},
        {"text inserts and keeps length", Value("abc   "), "", false, std::string{Ins} + "XY", "XYabc ", 3, false},
        {"@! upper-cases", Value("    "), "@!", false, "ab", "AB  ", 3, false},
        {"! template upper-cases its place only", Value("   "), "!XX", false, "abc", "Abc", 3, true},
        {"A takes letters only", Value("  "), "AA", false, "1b", "b ", 2, false},
        {"@R skips literals", Value("   "), "@R 9-99", false, "123", "1-23", 4, true},
        {"date skips its slashes", Value(Date{}), "", false, "123125", "12/31/25", 8, true},
        {"End lands after the last character", Value("ab    "), "", false, std::string{End} + "c", "abc   ", 4, false},
        {"Delete pulls the rest left", Value("abcd"), "", false, std::string{Right} + char{Del}, "acd ", 2, false},
        {"Backspace at home does nothing", Value("abcd"), "", false, std::string{Back}, "abcd", 1, false},
        {"Backspace removes before the caret", Value("abcd"), "", false, std::string{End} + char{Back}, "abd ", 3, false},
        {"DelEnd blanks from the caret", Value("abcd"), "", false, std::string{Right} + char{DelEnd}, "a   ", 2, false},
        {"Left never goes before 1", Value("ab"), "", false, std::string{Left} + char{Left}, "ab", 1, false},
        {"Right past the end sets typeOut", Value("ab"), "", false, std::string{Right} + char{Right}, "ab", 2, true},
        {"word moves", Value("one two  "), "", false, std::string{WRight} + "X" + char{WLeft}, "one Xwo  ", 5, false},
        {"decimal point moves the whole part", Value(0.0), "999.99", true, std::string("12") + char{Dec} + "5", " 12.5 ", 6, false},
    };
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(c.name);
        TClipGet g = getNew(c.value, c.picture);
        getSetFocus(g, c.value);
        g.clear = c.clear;
        play(g, c.keys);
        EXPECT_EQ(g.buffer, c.buffer);
        EXPECT_EQ(g.pos, c.pos);
        EXPECT_EQ(g.typeOut, c.typeOut);
    }
}

TEST(GetModel, FormatsAndReadsBack) {
    struct Case {
        Value value;
        std::string picture;
        std::string buffer;
    } cases[] = {
        {Value(5), "999", "  5"},
        {Value(12345), "99999", "12345"},
        {Value(1234), "999", "***"},
        {Value(1234567), "9,999,999", "1,234,567"},
        {Value(12), "9,999", "   12"},
        {Value(-3.5), "999.99", " -3.50"},
        {Value("abc"), "@R (999)", "(abc)"},
        {Value(Date{2024, 2, 29}), "", "02/29/24"},
        {Value(true), "", "T"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.buffer);
        TClipGet g = getNew(c.value, c.picture);
        EXPECT_EQ(g.buffer, c.buffer);
    }
    TClipGet n = getNew(Value(5), "999");
    n.buffer = "1 2";
    EXPECT_EQ(getUntransform(n).number(), 12);
    TClipGet r = getNew(Value("123"), "@R 9-99");
    EXPECT_EQ(r.buffer, "1-23");
    EXPECT_EQ(getUntransform(r).text(), "123");
}

TEST(GetModel, BadDates) {
    TClipGet g = getNew(Value(Date{}), "");
    EXPECT_FALSE(getBadDate(g));  // the blank date is no bad date
    g.buffer = "02/30/25";
    EXPECT_TRUE(getBadDate(g));
    EXPECT_TRUE(std::get<Date>(getUntransform(g).storage()).blank());
    g.buffer = "13/01/25";
    EXPECT_TRUE(getBadDate(g));
    g.buffer = "02/29/24";
    EXPECT_FALSE(getBadDate(g));
}

// A paste used to splice without cutting: a 999 field took five digits and
// a text field outgrew its buffer.
TEST(GetModel, PasteIsCutToTheBuffer) {
    TClipGet n = getNew(Value(5), "999");
    EXPECT_FALSE(getPaste(n, "1234", 1));
    EXPECT_EQ(n.buffer, "  5");  // the number that no longer fits is refused
    EXPECT_TRUE(getPaste(n, "1", 1));
    EXPECT_EQ(n.buffer, " 15");
    EXPECT_EQ(getUntransform(n).number(), 15);
    EXPECT_FALSE(getPaste(n, "x", 1));
    EXPECT_EQ(n.buffer, " 15");

    TClipGet t = getNew(Value("ab    "), "");
    EXPECT_TRUE(getPaste(t, "XY  ", 2));  // trailing blanks of the paste and the field make room
    EXPECT_EQ(t.buffer, "aXYb  ");
    EXPECT_EQ(t.pos, 4);
    EXPECT_FALSE(getPaste(t, "0123456789", 1));
    EXPECT_EQ(t.buffer.size(), 6u);
    EXPECT_EQ(t.buffer, "012345");

    TClipGet d = getNew(Value(Date{}), "");
    EXPECT_FALSE(getPaste(d, "02/30/25", 1));
    EXPECT_TRUE(getPaste(d, "12/31/25", 1));
    EXPECT_EQ(d.buffer, "12/31/25");
}

// A cut moved the caret back by the clipboard's length, below 1 when the
// selection was made leftwards.
TEST(GetModel, CutCaretIsTheSelectionStart) {
    EXPECT_EQ(getCutCaret(2, 5), 3);
    EXPECT_EQ(getCutCaret(5, 2), 3);
    EXPECT_EQ(getCutCaret(0, 4), 1);
}

TEST(GetModel, SpinnerArithmetic) {
    struct Step {
        int decPos, pos, n;
        double step;
    } steps[] = {{0, 1, 1, 1}, {0, 3, -1, -1}, {4, 2, 1, 1}, {4, 4, 1, 0.1}, {4, 5, -1, -0.1}, {4, 6, 1, 0.1}, {4, 7, 1, 0.01}, {4, 8, 1, 0.001}};
    for (const Step& s : steps) EXPECT_DOUBLE_EQ(getScrollNumberStep(s.decPos, s.pos, s.n), s.step) << s.pos;

    struct DateStep {
        Date from;
        char part;
        int n;
        Date to;
    } dates[] = {
        {{2025, 1, 31}, 'M', 1, {2025, 2, 28}},  {{2024, 1, 31}, 'M', 1, {2024, 2, 29}},
        {{2024, 2, 29}, 'Y', 1, {2025, 2, 28}},  {{2024, 12, 15}, 'M', 1, {2025, 1, 15}},
        {{2025, 1, 15}, 'M', -1, {2024, 12, 15}}, {{2024, 12, 31}, 'D', 1, {2025, 1, 1}},
        {{2024, 3, 1}, 'D', -1, {2024, 2, 29}},  {{2025, 3, 31}, 'M', -1, {2025, 2, 28}},
    };
    for (const DateStep& d : dates) {
        const Date r = getScrollDate(d.from, d.part, d.n);
        EXPECT_EQ(r.year, d.to.year);
        EXPECT_EQ(r.month, d.to.month);
        EXPECT_EQ(r.day, d.to.day) << d.from.year << "-" << d.from.month << "-" << d.from.day << " " << d.part;
    }
    EXPECT_EQ(LastDay({2023, 2, 1}), 28);
    EXPECT_EQ(LastDay({2000, 2, 1}), 29);
    EXPECT_EQ(LastDay({1900, 2, 1}), 28);
    EXPECT_EQ(LastDay({2024, 4, 1}), 30);

    EXPECT_EQ(getDatePart("MM/DD/YY", 1), 'M');
    EXPECT_EQ(getDatePart("MM/DD/YY", 3), 'M');  // on the slash: the letter before
    EXPECT_EQ(getDatePart("MM/DD/YY", 5), 'D');
    EXPECT_EQ(getDatePart("mm/dd/yy", 8), 'Y');
}

}  // namespace
