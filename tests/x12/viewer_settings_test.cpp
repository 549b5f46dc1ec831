#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.hpp"
#include "viewer_settings.hpp"

namespace {

const std::string kViewerFixture = std::string(ZR_FIXTURES) + "/ini/viewer";

using Texts = std::vector<std::string>;

Texts texts(const wl::Value& v) {
    Texts out;
    for (const auto& item : v.list()) out.push_back(item.text());
    return out;
}

TEST(ViewerSettings, MissingFileGivesTheDefaults) {
    zrtest::TempDir dir;
    EXPECT_EQ(zr::CTL39400L(1, dir.path()).text(), "*.*");
    EXPECT_EQ(zr::CTL39400L(112, dir.path()).number(), 0);
    EXPECT_EQ(zr::CTL39400L(115, dir.path()).number(), 0);
    EXPECT_EQ(zr::CTL39400L(116, dir.path()).text(), "");
    for (int code = 100; code <= 111; ++code) EXPECT_EQ(texts(zr::CTL39400L(code, dir.path())), Texts{""}) << code;
}

struct ListCase {
    int code;
    Texts expected;
};

TEST(ViewerSettings, FieldListsFromTheFixture) {
    const ListCase cases[] = {
        // The FIELD= line after COMMAND=0 is outside the section.
        {100, {"CLAIMID", "PATLNAME", "CLAIMAMT"}},
        {101, {"12", "20", "10"}},
        // A line without a width keeps the names and widths side by side.
        {102, {"SUBID", "CLAIMAMT"}},
        {103, {"", "10"}},
        // TITLE= and FIELD= lines both count on the screen.
        {104, {"CLAIMS", "CLAIMID"}},
        {105, {"40", "12"}},
        {106, {"1", "3"}},
        {107, {"2", "4"}},
        // A line without a name adds nothing; [X12837CHECK] is skipped.
        {108, {""}},
        {109, {""}},
        {111, {""}},
    };
    for (const auto& c : cases) EXPECT_EQ(texts(zr::CTL39400L(c.code, kViewerFixture)), c.expected) << c.code;
}

TEST(ViewerSettings, SingleValuesFromTheFixture) {
    // The first SETEXTENSION= line counts, upper-cased; the second is never read.
    EXPECT_EQ(zr::CTL39400L(1, kViewerFixture).text(), "*.X12");
    EXPECT_EQ(zr::CTL39400L(112, kViewerFixture).number(), 4096);
    EXPECT_EQ(zr::CTL39400L(113, kViewerFixture).number(), 2);
    EXPECT_EQ(zr::CTL39400L(114, kViewerFixture).number(), 10);
    EXPECT_EQ(zr::CTL39400L(115, kViewerFixture).number(), 1);
    EXPECT_EQ(zr::CTL39400L(116, kViewerFixture).text(), "123456789");
    EXPECT_EQ(zr::CTL39400L(117, kViewerFixture).text(), "987654321");
    EXPECT_EQ(zr::CTL39400L(118, kViewerFixture).text(), "ISO-8859-1");
    for (int code : {0, 2, 99, 119}) EXPECT_EQ(zr::CTL39400L(code, kViewerFixture).text(), "") << code;
}

TEST(ViewerSettings, MaskLineCutAt80) {
    // The mask is followed by blanks up to column 80 and more masks after it.
    EXPECT_EQ(zr::CTL39400L(1, std::string(ZR_FIXTURES) + "/ini/cut80").text(), "*.X12");
}

struct ScalarCase {
    const char* ini;
    int code;
    wl::Value expected;
};

TEST(ViewerSettings, FirstMatchingLine) {
    const ScalarCase cases[] = {
        {"[X12VIEWER]\r\nSETEXTENSION=\r\n", 1, "*.*"},
        {"[X12VIEWER]\r\nSETEXTENSION=\r\nSETEXTENSION=*.EDI\r\n", 1, "*.*"},
        {"[x12viewer]\r\n  setextension=*.txt\r\n", 1, "*.TXT"},
        // Another section, known or not, ends [X12VIEWER].
        {"[X12VIEWER]\r\n[SYSTEM]\r\nSETEXTENSION=*.X\r\n", 1, "*.*"},
        {"[X12VIEWER]\r\nCOMMAND=0\r\nSETEXTENSION=*.X\r\n", 1, "*.*"},
        {"[X12PARSER]\r\nMERGEST=ON\r\n", 115, 0},
        {"[X12PARSER]\r\nMERGEST=OFF\r\nMERGEST=ON\r\n", 115, 1},
        {"[PARSER]\r\nMERGEST=OFFLINE\r\n", 115, 1},
        {"[X12PARSER]\r\nFILEREADBLOCK=\r\n", 112, 0},
        {"[CMS1500]\r\nBOX25EIN=12-3456789\r\n", 116, "12-3456789"},
        {"[CMS1500-X]\r\nBOX25EIN=12-3456789\r\n", 116, ""},
    };
    zrtest::TempDir dir;
    for (const auto& c : cases) {
        dir.write("zr.ini", c.ini);
        wl::Value v = zr::CTL39400L(c.code, dir.path());
        if (c.expected.isText()) EXPECT_EQ(v.text(), c.expected.text()) << c.ini;
        else EXPECT_EQ(v.number(), c.expected.number()) << c.ini;
    }
}

TEST(ViewerSettings, OneReadGivesEverySetting) {
    const zr::ViewerSettings s = zr::readViewerSettings(kViewerFixture);
    EXPECT_EQ(s.fileMask, "*.X12");
    EXPECT_EQ(s.fields.viewerNames, (Texts{"CLAIMID", "PATLNAME", "CLAIMAMT"}));
    EXPECT_EQ(s.mergeOff, 1);
    EXPECT_EQ(s.xmlEncoding, "ISO-8859-1");
}

}  // namespace
