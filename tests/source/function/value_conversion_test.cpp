#include "value_conversion.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using wl::Date;
using wl::Value;

bool sameDate(const Date& a, const Date& b) { return a.year == b.year && a.month == b.month && a.day == b.day; }

TEST(ChoosingValues, FirstNotNilDecodeAndExtremes) {
    EXPECT_EQ(wl::IFNIL({Value(), Value(), Value(3), Value(4)}).number(), 3);
    EXPECT_EQ(wl::IFNIL({Value(wl::ValueList{Value(), Value("x")})}).text(), "x");
    EXPECT_TRUE(wl::IFNIL({}).isNil());

    EXPECT_EQ(wl::WL_DECODE(Value(2), {Value(1), Value("one"), Value(2), Value("two"), Value("other")}).text(), "two");
    EXPECT_EQ(wl::WL_DECODE(Value("2"), {Value(2), Value("two"), Value("other")}).text(), "other");  // same type only
    EXPECT_TRUE(wl::WL_DECODE(Value(9), {Value(1), Value("one")}).isNil());
    const Value pairs(wl::ValueList{Value(wl::ValueList{Value("A"), Value(1)}), Value(wl::ValueList{Value("B"), Value(2)})});
    EXPECT_EQ(wl::WL_DECODE(Value("B"), {pairs}).number(), 2);

    EXPECT_EQ(wl::WL_GREATEST({Value(), Value(3), Value(7.5), Value(-1)}).number(), 7.5);
    EXPECT_EQ(wl::WL_LEAST({Value("b"), Value(), Value("a")}).text(), "a");
}

TEST(UCharToVal, ReadsEachKindAndGuesses) {
    EXPECT_DOUBLE_EQ(wl::UCHARTOVAL("50%", "N").number(), 0.5);
    EXPECT_EQ(wl::UCHARTOVAL("1,234", "N").number(), 1234);
    EXPECT_TRUE(wl::UCHARTOVAL("abc", "N").isNumber());
    for (const char* yes : {".T.", "t", "TRUE", "yes", "Verdadero", "VERO", "wahr", "VRAI", "verdadeiro"})
        EXPECT_TRUE(wl::UCHARTOVAL(yes, "L").logical()) << yes;
    for (const char* no : {".F.", "f", "false", "NO", "FALSO", "falsch", "FAUX", "maybe"})
        EXPECT_FALSE(wl::UCHARTOVAL(no, "L").logical()) << no;
    EXPECT_TRUE(wl::UCHARTOVAL("12.5").isNumber());
    EXPECT_TRUE(wl::UCHARTOVAL("yes").isLogical());
    EXPECT_TRUE(wl::UCHARTOVAL("2024-02-29").isDate());
    EXPECT_EQ(wl::UCHARTOVAL("hello").text(), "hello");
}

TEST(DCharToDate, EveryAcceptedForm) {
    const std::vector<std::pair<std::string, Date>> cases = {
        {"20240229", {2024, 2, 29}},  {"2024-05-06", {2024, 5, 6}}, {"05/06/24", {2024, 5, 6}},
        {"05/06/2024", {2024, 5, 6}}, {"25/12/2023", {2023, 12, 25}}, {"12/31/99", {1999, 12, 31}},
        {"Mar 3, 2021", {2021, 3, 3}}, {"3 december 2021", {2021, 12, 3}}, {"20230230", {}},
        {"nonsense", {}},             {"", {}},
    };
    for (const auto& [text, date] : cases) EXPECT_TRUE(sameDate(wl::DCHARTODATE(text), date)) << text;
}

TEST(ValueText, BlanksSourceTextAndLists) {
    EXPECT_EQ(wl::UVALBLANK(Value("abc")).text(), "   ");
    EXPECT_EQ(wl::UVALBLANK(Value(5)).number(), 0);
    EXPECT_TRUE(wl::UVALBLANK(Value(Date{2024, 1, 1})).isDate());

    EXPECT_EQ(wl::STRINGTOLITERAL("abc"), "\"abc\"");
    EXPECT_EQ(wl::STRINGTOLITERAL("a\"b"), "'a\"b'");
    EXPECT_EQ(wl::STRINGTOLITERAL("a\"b'c"), "[a\"b'c]");
    EXPECT_EQ(wl::STRINGTOLITERAL("a\r\nb"), "E\"a\\r\\nb\"");
    EXPECT_EQ(wl::WL_VALTOEXP(Value(wl::ValueList{Value(1), Value("x"), Value(Date{2024, 3, 9})})),
              "{1, \"x\", SToD(\"20240309\")}");
    EXPECT_EQ(wl::WL_VALTOEXP(wl::WL_STOT("20240309131415")), "WL_SToT(\"20240309131415\")");

    EXPECT_EQ(wl::WL_ARRAYASLIST({Value(1), Value("b")}), "1,b");
    EXPECT_EQ(wl::WL_LISTASARRAY(" a , b,,c "), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_EQ(wl::ARRAYTOTEXT({Value("a"), Value(2)}), "\"a\", \"2\"");

    EXPECT_TRUE(wl::ISBINARYDATA(std::string("ab\0c", 4)));
    EXPECT_FALSE(wl::ISBINARYDATA("a\tb\r\nc\x1A"));
    EXPECT_FALSE(wl::ISBINARYDATA(std::string(200, 'x') + '\x01'));  // beyond the first 200
}

TEST(DateTimes, PartsAndCompactText) {
    const wl::DateTime t = wl::WL_STOT("20240309131415");
    EXPECT_TRUE(sameDate(wl::WL_TTOD(t), Date{2024, 3, 9}));
    EXPECT_EQ(wl::WL_TIMEPART(t), 13 * 3600 + 14 * 60 + 15);
    EXPECT_EQ(wl::WL_TIMEPART(wl::WL_DTOT(Date{2024, 3, 9})), 0);
    EXPECT_EQ(wl::CVALTOSTR(t), "03/09/24 13:14:15");
    EXPECT_EQ(wl::CVALTOSTR(t, "yyyy-mm-dd hh:mi:ss"), "2024-03-09 13:14:15");
    EXPECT_EQ(wl::CVALTOSTR(t, "hh:mm"), "13:14");
}

TEST(Numbers, HexColoursAndPictures) {
    EXPECT_EQ(wl::NHEX("1aF"), 0x1AF);
    EXPECT_EQ(wl::DECTOHEX(255), "FF");
    EXPECT_EQ(wl::HEXVAL(4096), "1000");

    EXPECT_EQ(wl::CCLRTOCODE(Value(0)), "CLR_BLACK");
    EXPECT_EQ(wl::CCLRTOCODE(Value(std::int64_t{0xC0C0C0})), "CLR_HGRAY");
    EXPECT_EQ(wl::CCLRTOCODE(Value(std::int64_t{0x030201})), "RGB(1,2,3 )");
    EXPECT_EQ(wl::CCLRTOCODE(Value(wl::ValueList{Value(0), Value(std::int64_t{0xFF})})), "{ CLR_BLACK, CLR_HRED }");
    EXPECT_EQ(wl::NRGBRESET(0x102030, 300, std::nullopt, -5), 0x0020FF);
    EXPECT_EQ(wl::NRGBADD(0x0000F0, 20, 1), 0x0001FF);

    EXPECT_EQ(wl::TRIMZERO("1.500"), "1.5");
    EXPECT_EQ(wl::TRIMZERO("2.000"), "2");
    EXPECT_EQ(wl::TRIMZERO("100"), "100");
    EXPECT_EQ(wl::N2E(12345, 2), "1.23E4");
    EXPECT_EQ(wl::N2E(-0.0042, 1), "-4.2E-3");
    EXPECT_EQ(wl::N2E(99999, 2), "1.00E5");

    const int seen = static_cast<int>(wl::NRANDOM(3));
    EXPECT_GE(seen, 0);
    EXPECT_LE(seen, 3);
}

TEST(NumberPictures, FormatsAndPictures) {
    const wl::NumFormat saved = wl::WLNUMFORMAT();
    EXPECT_EQ(wl::NUMPICT(10, 2, true), "9999999.99");
    EXPECT_EQ(wl::NUMPICT(5, 0, false, true), "99,999");
    EXPECT_EQ(wl::NUMPICT(20, 0, false, true), "99,999,999,999,999");  // at most 14 digits
    EXPECT_EQ(wl::NUMPICT(3, 0, false, false, true), "@Z 999");
    EXPECT_EQ(wl::transformNumber(1234.5, "9,999.99"), "1,234.50");
    EXPECT_EQ(wl::transformNumber(-12, "9999"), " -12");
    EXPECT_EQ(wl::transformNumber(0.5, "999.99"), "  0.50");
    EXPECT_EQ(wl::transformNumber(0, "@Z 99"), "  ");
    EXPECT_EQ(wl::transformNumber(1234.5, "@E 9,999.99"), "1.234,50");
    EXPECT_EQ(wl::transformNumber(12345, "999"), "***");
    EXPECT_EQ(wl::CVALTOSTR(Value(12345), Value("999")), "1.23E4");

    wl::WLNUMFORMAT("E", true);
    EXPECT_EQ(wl::NUMPICT(7, 2, true), "@E 9,999.99");
    EXPECT_EQ(wl::CVALTOSTR(Value(1.5)), "1,5");
    wl::WLNUMFORMAT("I");
    EXPECT_EQ(wl::NUMPICT(12, 0), "999,99,99,99,999");
    const wl::NumFormat previous = wl::WLNUMFORMAT(saved.type, saved.thousands, saved.zeroBlank);
    EXPECT_EQ(previous.type, "I");
    EXPECT_TRUE(previous.thousands);
}

TEST(CValToStr, PicturesClosuresListsAndDates) {
    const Date d{2024, 3, 9};
    EXPECT_EQ(wl::CVALTOSTR(Value(d)), "03/09/24");
    EXPECT_EQ(wl::CVALTOSTR(Value(d), Value("dd mmm yyyy")), "09 Mar 2024");
    EXPECT_EQ(wl::CVALTOSTR(Value(d), Value("MMMM yy")), "MARCH 24");
    EXPECT_EQ(wl::CVALTOSTR(Value(d), Value("mmmm")), "March");
    EXPECT_EQ(wl::CVALTOSTR(Value(Date{}), Value("@D")), "        ");
    EXPECT_EQ(wl::CVALTOSTR(Value(wl::ValueList{Value(1), Value("b")})), "1\r\nb");
    const Value picture(wl::Closure([](const wl::ValueList& args) { return Value(args[0].number() > 99 ? "9999" : "99"); }));
    EXPECT_EQ(wl::CVALTOSTR(Value(150), picture), " 150");
    EXPECT_EQ(wl::CVALTOSTR(Value("abc"), Value("@!")), "ABC");
    EXPECT_EQ(wl::CVALTOSTR(Value(true)), ".T.");
}

TEST(PixelPadding, PadsToTheScreenWidth) {
    const int cell = wl::screenTextWidth("x");
    ASSERT_GT(cell, 0);
    const std::string right = wl::XPADR("ab", 10 * wl::screenTextWidth("ab"));
    EXPECT_EQ(right.substr(0, 2), "ab");
    EXPECT_LE(wl::screenTextWidth(right), 10 * wl::screenTextWidth("ab"));
    EXPECT_GT(wl::screenTextWidth(right + " "), 10 * wl::screenTextWidth("ab"));
    const std::string left = wl::XPADL("ab", 40, '.');
    EXPECT_EQ(left.substr(left.size() - 2), "ab");
    const std::string centred = wl::XPADC("ab", 60, '-');
    EXPECT_NE(centred.find("ab"), std::string::npos);
    EXPECT_EQ(wl::XPADR("abcdef", 1), "abcdef");  // never cut
}

}  // namespace
