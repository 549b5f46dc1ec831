// Dialog template bytes against hand-computed bytes: the dialog manager
// reads them blind, so one byte out of place breaks every dialog.
#include "dialog_template.hpp"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

std::string bytes(std::initializer_list<int> list) {
    std::string out;
    for (int b : list) out += static_cast<char>(b);
    return out;
}

TEST(DialogTemplate, HeaderWithoutFontIsPaddedToADwordBoundary) {
    // Seven arguments, three-character caption: 22 + 8 bytes, padded to 32.
    std::string expected = bytes({0x00, 0x00, 0xC8, 0x80,  // style
                                  0x00, 0x00, 0x00, 0x00,  // extended style
                                  0x02, 0x00,              // two controls
                                  0x14, 0x00, 0x0A, 0x00,  // x 20, y 10
                                  0xC9, 0x00, 0x65, 0x00,  // width 201, height 101
                                  0x00, 0x00, 0x00, 0x00,  // no menu, dialog class
                                  'a', 0, 'b', 0, 'c', 0, 0, 0,
                                  0x00, 0x00});  // padding
    EXPECT_EQ(wl::CDLG2CHR(2, 10, 20, 110, 220, "abc", 0x80C80000u), expected);
}

TEST(DialogTemplate, HeaderWithFontEndsAfterTheFaceNameOnADwordBoundary) {
    // Empty caption (2 bytes), point size 8, face "MS": 22 + 2 + 2 + 6 = 32.
    std::string exact = bytes({0x40, 0x00, 0xC8, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x14, 0x00, 0x0A, 0x00, 0, 0, 0, 0,
                               0, 0, 0x08, 0x00, 'M', 0, 'S', 0, 0, 0});
    EXPECT_EQ(wl::CDLG2CHR(0, 0, 0, 9, 19, "", 0x80C80040u, 8, "MS"), exact);
    // Face "A": 30 bytes, padded to 32.
    std::string padded = wl::CDLG2CHR(0, 0, 0, 9, 19, "", 0x80C80040u, 8, "A");
    ASSERT_EQ(padded.size(), 32u);
    EXPECT_EQ(padded.substr(24), bytes({0x08, 0x00, 'A', 0, 0, 0, 0, 0}));
}

TEST(DialogTemplate, SpecialStylesAreWidened) {
    struct Case {
        std::uint32_t style;
        std::string styleBytes;
    } cases[] = {
        {2, bytes({0x02, 0x00, 0x00, 0x80, 0x20, 0x00, 0x00, 0x00})},           // pop-up, transparent
        {0x10000000u, bytes({0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00})},  // popup and caption
        {0x10000001u, bytes({0x01, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00})},  // any other: as given
    };
    for (const auto& c : cases) EXPECT_EQ(wl::CDLG2CHR(0, 0, 0, 0, 0, "", c.style).substr(0, 8), c.styleBytes) << c.style;
}

TEST(DialogTemplate, CaptionsAndFaceNamesAreAnsi) {
    // e-acute is U+00E9 and the euro sign (0x80 in 1252) U+20AC: a file name
    // with them in a title must not come out as OEM characters.
    std::string header = wl::CDLG2CHR(0, 0, 0, 0, 0, "\xE9\x80", 0, 8, "\xC4");
    EXPECT_EQ(header.substr(22, 6), bytes({0xE9, 0x00, 0xAC, 0x20, 0x00, 0x00}));
    EXPECT_EQ(header.substr(28, 4), bytes({0x08, 0x00, 0xC4, 0x00}));
    EXPECT_EQ(wl::ansiToUtf16("\x9F\x81z"), std::u16string(u"\u0178\u0081z"));
}

TEST(DialogTemplate, ControlItemBytes) {
    std::string expected = bytes({0x00, 0x00, 0x01, 0x50,  // style
                                  0x00, 0x00, 0x00, 0x00,  // extended style
                                  0x06, 0x00, 0x05, 0x00,  // x 6, y 5
                                  0x33, 0x00, 0x0D, 0x00,  // width 51, height 13
                                  0x01, 0x00,              // identifier 1
                                  'B', 0, 'U', 0, 'T', 0, 'T', 0, 'O', 0, 'N', 0, 0, 0,
                                  'O', 0, 'K', 0, 0, 0,
                                  0x00, 0x00});  // no creation data; 40 bytes, aligned
    EXPECT_EQ(wl::CCTRL2CHR(5, 6, 17, 56, 1, 0x50010000u, "BUTTON", "OK"), expected);
}

TEST(DialogTemplate, ControlItemPadsAndKeepsNegativeCoordinates) {
    // "Edit" + "" : 18 + 10 + 2 + 2 = 32; a caption of one letter makes 34, padded to 36.
    EXPECT_EQ(wl::CCTRL2CHR(0, 0, 0, 0, 7, 0, "Edit", "").size(), 32u);
    std::string item = wl::CCTRL2CHR(-2, -1, 10, 20, 0xFFFF, 0, "Edit", "x");
    ASSERT_EQ(item.size(), 36u);
    EXPECT_EQ(item.substr(8, 10), bytes({0xFF, 0xFF, 0xFE, 0xFF, 0x16, 0x00, 0x0D, 0x00, 0xFF, 0xFF}));
    EXPECT_EQ(item.substr(32), bytes({0x00, 0x00, 0x00, 0x00}));
}

}  // namespace
