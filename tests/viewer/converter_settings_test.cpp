// The [X12] converter settings of "zr.ini", asked by number.
#include "converter_settings.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

using zr::CTL39406L;

TEST(ConverterSettings, KeysByNumber) {
    EXPECT_EQ(zr::converterSettingKey(1), "ISA06=");
    EXPECT_EQ(zr::converterSettingKey(9), "CONVERSIONTYPE=");
    EXPECT_EQ(zr::converterSettingKey(55), "SUBELEMENTDELIMITER=");
    EXPECT_EQ(zr::converterSettingKey(65), "PER08.1.1000A=");
    EXPECT_EQ(zr::converterSettingKey(0), "");
    EXPECT_EQ(zr::converterSettingKey(66), "");
}

TEST(ConverterSettings, ValuesOfTheX12Section) {
    zrtest::TempDir dir;
    dir.write("zr.ini",
              "ISA08=OUTSIDE\r\n"
              "[X12]\r\n"
              "ISA06=\r\n"
              "isa08=  receiver one\r\n"
              "GS2=SENDER\r\n"
              "GS2=SECOND\r\n"
              "REF01.1000A=EI\r\n"
              "[OTHER]\r\n"
              "ST2=0042\r\n"
              "COMMAND=0\r\n"
              "GS3=AFTER\r\n"
              "[X12]\r\n"
              "PER08.1.1000A=x@y\r\n");
    struct SettingCase {
        int number;
        std::string value;
    };
    const std::vector<SettingCase> cases = {
        {1, ""},               // present and empty
        {2, "RECEIVER ONE"},   // upper case, leading blanks removed; the line before [X12] is not read
        {5, "SENDER"},         // the first line wins
        {17, ""},              // "REF01=" is not "REF01.1000A="
        {27, "EI"},
        {8, "0042"},           // after a later section header, before COMMAND=0
        {6, ""},               // after COMMAND=0
        {65, "X@Y"},           // a second [X12] reads again
        {0, ""},
        {66, ""},
    };
    for (const SettingCase& c : cases) EXPECT_EQ(CTL39406L(c.number, dir.path()), c.value) << c.number;
}

TEST(ConverterSettings, NothingWithoutZrIni) {
    zrtest::TempDir dir;
    EXPECT_EQ(CTL39406L(1, dir.path()), "");
}

}  // namespace
