#include "export_settings.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

TEST(ExportSettings, SwitchesSetByTheirKeysInAnyCase) {
    struct Case {
        std::string text;
        int position;
    };
    const Case cases[] = {
        {"loop2300=off\r\n", 8},         {"  LOOP1000A=OFF\r", 1},      {"x\r\nNameMerge=On", 10},
        {"XML=DROPEMPTYFIELDS\n\r", 11}, {"[X12]\r\ndebug=on\r\n", 12}, {"LOOP2010ABCLAIM=ON\r\n", 6},
    };
    for (const Case& c : cases) {
        const std::string s = zr::CTL39404Q(c.text, std::string(16, 'A'));
        std::string expected(16, 'A');
        expected[c.position - 1] = 'B';
        EXPECT_EQ(s, expected) << c.text;
    }
    // No key turns a position back.
    EXPECT_EQ(zr::CTL39404Q("LOOP2300=ON\r\n", std::string(7, 'A') + "B" + std::string(8, 'A'))[7], 'B');
}

TEST(ExportSettings, CountsAndEncodingFirstMatchingLineWins) {
    const std::string ini = "[X]\r\nDbfFieldCount=300\r\ndbffieldcount=5\r\nxmlencoding=UTF-8\r\nmaxfieldcount=7";
    EXPECT_EQ(zr::CTL39404R(ini, 9, "255"), "300");
    EXPECT_EQ(zr::CTL39404R(ini, 10, "999999"), "7");
    EXPECT_EQ(zr::CTL39404R(ini, 11, "ISO-8859-1"), "UTF-8");
    EXPECT_EQ(zr::CTL39404R(ini, 1, "0"), "0");
}

TEST(ExportSettings, WithoutIniOnlyPresetsAndDefaults) {
    zrtest::TempDir dir;
    const zr::ExportSettings one = zr::readExportSettings(dir.path(), 1);
    EXPECT_EQ(one.switches, "AAAABB" + std::string(10, 'A'));
    const zr::ExportSettings many = zr::readExportSettings(dir.path(), 2);
    EXPECT_EQ(many.switches, "BBBB" + std::string(12, 'A'));
    EXPECT_EQ(many.dbfFieldCount, 255);
    EXPECT_EQ(many.maxFieldCount, 999999);
    EXPECT_EQ(many.valueCodeCount, 10);
    EXPECT_EQ(many.xmlEncoding, "ISO-8859-1");
    dir.write("zr.ini", "dbffieldcount=300\r\nLOOP2300=OFF\r\n");
    const zr::ExportSettings read = zr::readExportSettings(dir.path(), 2);
    EXPECT_EQ(read.dbfFieldCount, 300);
    EXPECT_TRUE(read.switchSet(8));
}

TEST(ExportSettings, SeparatorLosesTheLineBreaksAfterIt) {
    struct Case {
        std::string file, separator;
    };
    const Case cases[] = {{"\t", "\t"}, {";\r\n", ";"}, {"|\n", "|"}, {"\r\n", ","}, {" ; ", " ; "}};
    for (const Case& c : cases) {
        zrtest::TempDir dir;
        dir.write("separate.dat", c.file);
        EXPECT_EQ(zr::exportSeparator(dir.path()), c.separator);
    }
    zrtest::TempDir none;
    EXPECT_EQ(zr::exportSeparator(none.path()), ",");
}

}  // namespace
