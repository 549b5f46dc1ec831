// Binary cell data as hex lines of 16 bytes and the edited hex read back.
#include "xbr_hex.hpp"

#include <gtest/gtest.h>

namespace {

using namespace wl;

TEST(XbrHex, LinesOfSixteenBytesWithOffsetTextAndHex) {
    std::string bytes = "ISA*00*\r\n";
    for (int i = 0; i < 10; ++i) bytes += char(0x80 + i);
    bytes += std::string(1, '\0');
    const auto lines = xbrHexLines(bytes);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].cLineHex, "00000000");
    EXPECT_EQ(lines[0].cText.substr(0, 9), "ISA*00*..");
    EXPECT_EQ(lines[0].cHexChar.substr(0, 26), "49 53 41 2A 30 30 2A 0D 0A");
    EXPECT_EQ(lines[0].cHexChar.size(), 16u * 3 - 1);
    EXPECT_EQ(lines[1].cLineHex, "00000010");
    EXPECT_EQ(lines[1].cHexChar, "87 88 89 00");  // the short last line
    EXPECT_EQ(lines[1].cText.substr(3), ".");
    EXPECT_TRUE(xbrHexLines("").empty());
}

TEST(XbrHex, EditedHexIsReadBackOnlyWhenWhole) {
    struct Case {
        const char* hex;
        std::size_t expected;
        std::optional<std::string> bytes;
    };
    const Case cases[] = {
        {"41 42 43", 3, "ABC"},
        {"414243", 3, "ABC"},          // blanks between pairs are optional
        {"41 42 4", 3, std::nullopt},  // a pair left open
        {"41 4 2 43", 3, std::nullopt},
        {"41 42", 3, std::nullopt},    // too few
        {"41 42 43 44", 3, std::nullopt},
        {"41 G2 43", 3, std::nullopt},
        {"ff 00 7f", 3, std::string("\xFF\x00\x7F", 3)},
    };
    for (const Case& c : cases) EXPECT_EQ(xbrHexBytes(c.hex, c.expected), c.bytes) << c.hex;
    const std::string round(256, 'x');
    std::string back;
    for (const XbrHexLine& l : xbrHexLines(round)) back += *xbrHexBytes(l.cHexChar, 16);
    EXPECT_EQ(back, round);
}

}  // namespace
