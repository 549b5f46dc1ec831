#include "code_pages.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CodePages, OemAndAnsiLettersTravelBothWays) {
    EXPECT_EQ(wl::OEMTOANSI("\x82t\x82"), "\xE9t\xE9");  // e acute
    EXPECT_EQ(wl::ANSITOOEM("\xE9t\xE9"), "\x82t\x82");
    EXPECT_EQ(wl::OEMTOANSI("\x81\x9A"), "\xFC\xDC");    // u and U with diaeresis
    EXPECT_EQ(wl::ANSITOOEM("\xC0"), "A");               // no OEM A grave: best fit
    EXPECT_EQ(wl::OEMTOANSI(), "");
    EXPECT_EQ(wl::OEMTOANSI("ISA*00").size(), 6u);
}

TEST(CodePages, CaseCoversTheAccentedLetters) {
    EXPECT_EQ(wl::CHARUPPER("caf\xE9 \xFF\x9A"), "CAF\xC9 \x9F\x8A");
    EXPECT_EQ(wl::CHARLOWER("CAF\xC9 \x9F\x8A"), "caf\xE9 \xFF\x9A");
    EXPECT_EQ(wl::CHARUPPER("\xDF\xF7\xB5"), "\xDF\xF7\xB5");  // sharp s, division, micro
    EXPECT_EQ(wl::CHARUPPER(int('q')), "Q");
    EXPECT_EQ(wl::CHARUPPER2("x"), "X");
    EXPECT_TRUE(wl::ISUPPERFIRST("Abc"));
    EXPECT_TRUE(wl::ISUPPERFIRST("1bc"));
    EXPECT_FALSE(wl::ISUPPERFIRST("abc"));
    EXPECT_TRUE(wl::ISLOWERFIRST("\xE9t"));
    EXPECT_FALSE(wl::ISLOWERFIRST(""));
}

}  // namespace
