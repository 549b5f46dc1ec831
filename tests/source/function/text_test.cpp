#include <gtest/gtest.h>

#include "paths.hpp"
#include "text.hpp"
#include "value.hpp"
#include "test_support.hpp"

namespace {

TEST(Comparison, PrefixAndExact) {
    struct Case {
        const char* a;
        const char* b;
        bool prefix;
        bool exact;
    };
    const Case cases[] = {
        {"STC", "ST", true, false},   // the classic trap: a 277 STC is not an ST
        {"ST", "ST", true, true},
        {"S", "ST", false, false},
        {"anything", "", true, false},  // an empty prefix always matches
        {"", "", true, true},
        {"st", "ST", false, false},     // both comparisons are case-sensitive
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wl::prefixMatch(c.a, c.b), c.prefix) << c.a << " / " << c.b;
        EXPECT_EQ(wl::exactMatch(c.a, c.b), c.exact) << c.a << " / " << c.b;
    }
}

TEST(Trim, LeftRemovesAllBlanksRightOnlySpaces) {
    EXPECT_EQ(wl::ltrim(" \t\r\n ISA* "), "ISA* ");
    EXPECT_EQ(wl::rtrim(" ISA\t \r\n  "), " ISA\t \r\n");  // right trim keeps tabs and line breaks
    EXPECT_EQ(wl::rtrim("ISA   "), "ISA");
    EXPECT_EQ(wl::alltrim("\r\n X \t"), "X \t");
    EXPECT_EQ(wl::ltrim(""), "");
    EXPECT_EQ(wl::rtrim("   "), "");
}

TEST(Text, UpperTouchesAsciiOnly) {
    EXPECT_EQ(wl::upper("isa*\xe9x"), "ISA*\xe9X");
    EXPECT_EQ(wl::lower("ISA*\xc9X"), "isa*\xc9x");
}

TEST(Text, RightAlignedNumbersKeepEveryDigit) {
    EXPECT_EQ(wl::rightAligned(2, 2), " 2");
    EXPECT_EQ(wl::rightAligned(32, 2), "32");
    EXPECT_EQ(wl::rightAligned(123, 2), "123");
    EXPECT_EQ(wl::rightAligned(9, 10), "         9");
    EXPECT_EQ(wl::rightAligned(-5, 3), " -5");
}

TEST(Text, PadRightCutsPadLeftDoesNot) {
    EXPECT_EQ(wl::padRight("ABC", 5), "ABC  ");
    EXPECT_EQ(wl::padRight("ABCDEF", 3), "ABC");
    EXPECT_EQ(wl::padLeft("7", 3, '0'), "007");
    EXPECT_EQ(wl::padLeft("1234", 3), "1234");
}

TEST(Value, TextForms) {
    EXPECT_EQ(wl::CVALTOCHAR(wl::Value()), "");
    EXPECT_EQ(wl::CVALTOCHAR(wl::Value(true)), ".T.");
    EXPECT_EQ(wl::CVALTOCHAR(wl::Value(false)), ".F.");
    EXPECT_EQ(wl::CVALTOCHAR(wl::Value(42)), "42");
    EXPECT_EQ(wl::CVALTOCHAR(wl::Value(1.5)), "1.5");
    EXPECT_EQ(wl::CVALTOCHAR(wl::Value("abc")), "abc");
    EXPECT_EQ(wl::CVALTOCHAR(wl::Value(wl::Date{2026, 12, 10})), "12/10/26");
    EXPECT_EQ(wl::CVALTOCHAR(wl::Value(wl::ValueList{1, 2})), "{ ... }");
    wl::Closure c = [](const wl::ValueList&) { return wl::Value(7); };
    EXPECT_EQ(wl::CVALTOCHAR(wl::Value(c)), "{|| ... }");
    EXPECT_EQ(wl::Value(c).eval().number(), 7);
}

TEST(Paths, JoinAndSplitAcceptBothSeparators) {
    const std::string sep(1, wl::pathSeparator());
    EXPECT_EQ(wl::joinPath("data", "a.x12"), "data" + sep + "a.x12");
    EXPECT_EQ(wl::joinPath("data/", "a.x12"), "data/a.x12");
    EXPECT_EQ(wl::joinPath("data\\", "\\a.x12"), "data\\a.x12");
    EXPECT_EQ(wl::joinPath("", "a.x12"), "a.x12");
    EXPECT_EQ(wl::fileNamePart("C:\\in\\claims.x12"), "claims.x12");
    EXPECT_EQ(wl::fileNamePart("/in/sub/claims.x12"), "claims.x12");
    EXPECT_EQ(wl::fileNamePart("claims.x12"), "claims.x12");
    EXPECT_EQ(wl::folderPart("C:\\in/sub\\claims.x12"), "C:\\in/sub");
    EXPECT_EQ(wl::folderPart("claims.x12"), "");
}

TEST(Paths, FindsAFileWhateverTheCaseOfItsName) {
    zrtest::TempDir dir;
    dir.write("ZR.INI", "[SYSTEM]\r\n");
    const std::string found = wl::findFileNoCase(dir.file("zr.ini"));
    EXPECT_TRUE(wl::fileExists(found)) << found;
    EXPECT_EQ(zrtest::readBytes(found), "[SYSTEM]\r\n");
    // Nothing of that name: the path comes back unchanged.
    EXPECT_EQ(wl::findFileNoCase(dir.file("other.ini")), dir.file("other.ini"));
    EXPECT_TRUE(wl::folderExists(dir.path()));
    EXPECT_FALSE(wl::fileExists(dir.path()));
}

}  // namespace
