#include <gtest/gtest.h>

#include <algorithm>

#include "ini.hpp"
#include "test_support.hpp"

namespace {

TEST(TIni, ANameWithoutExtensionGetsIni) {
    zrtest::TempDir dir;
    wl::TIni ini(dir.file("setup"));
    EXPECT_EQ(ini.cIniFile, dir.file("setup.ini"));
    EXPECT_TRUE(ini.lAutoSet);
    EXPECT_EQ(wl::TIni("").cIniFile, "");
}

TEST(TIni, AMissingEntryAnswersTheDefaultAndWritesIt) {
    zrtest::TempDir dir;
    wl::TIni ini(dir.file("setup"));
    EXPECT_EQ(ini.Get("Options", "Retries", wl::Value(5)).number(), 5);
    EXPECT_EQ(zrtest::readBytes(dir.file("setup.ini")), "[Options]\r\nRetries=5\r\n");

    ini.lAutoSet = false;
    EXPECT_EQ(ini.Get("Options", "Other", wl::Value("x")).text(), "x");
    EXPECT_EQ(zrtest::readBytes(dir.file("setup.ini")), "[Options]\r\nRetries=5\r\n");
}

TEST(TIni, ValuesComeBackAsTheDefaultsType) {
    zrtest::TempDir dir;
    std::string file = dir.write("typed.ini",
                                 "[S]\r\nnum=12\r\nflag=.t.\r\nno=YES\r\nday=02/09/24\r\ntext=hello\r\n");
    wl::TIni ini(file);
    ini.lAutoSet = false;
    EXPECT_EQ(ini.Get("S", "num", wl::Value(0)).number(), 12);
    EXPECT_TRUE(ini.Get("S", "flag", wl::Value(false)).logical());
    EXPECT_FALSE(ini.Get("S", "no", wl::Value(true)).logical());
    wl::Value day = ini.Get("S", "day", wl::Value(wl::Date{}));
    ASSERT_TRUE(day.isDate());
    EXPECT_EQ(wl::dateText(std::get<wl::Date>(day.storage())), "02/09/24");
    EXPECT_EQ(ini.Get("S", "text", wl::Value(), wl::Value("")).text(), "hello");  // the type of the variable
    EXPECT_EQ(ini.Get("S", "num", wl::Value(), wl::Value(0)).number(), 12);
}

TEST(TIni, SetSectionsAndRemovals) {
    zrtest::TempDir dir;
    wl::TIni ini(dir.file("s.ini"));
    EXPECT_TRUE(ini.Set("A", "on", wl::Value(true)));
    EXPECT_TRUE(ini.Set("A", "day", wl::Value(wl::Date{2024, 12, 31})));
    EXPECT_TRUE(ini.Set("B", "n", wl::Value(3)));
    EXPECT_EQ(zrtest::readBytes(ini.cIniFile), "[A]\r\non=.T.\r\nday=12/31/24\r\n[B]\r\nn=3\r\n");
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(ini.DelEntry("A", "on"));
    EXPECT_TRUE(ini.DelSection("B"));
    EXPECT_EQ(zrtest::readBytes(ini.cIniFile), "[A]\r\nday=12/31/24\r\n");
}

TEST(TIni, AnEmptyNameUsesWinIni) {
    wl::TIni ini;
    ASSERT_TRUE(ini.Set("zrtest-tini", "n", wl::Value(8)));
    EXPECT_EQ(ini.Get("zrtest-tini", "n", wl::Value(0)).number(), 8);
    auto sections = ini.Sections();
    EXPECT_NE(std::find(sections.begin(), sections.end(), "zrtest-tini"), sections.end());
    EXPECT_TRUE(ini.DelSection("zrtest-tini"));
    ini.lAutoSet = false;
    EXPECT_EQ(ini.Get("zrtest-tini", "n", wl::Value(-1)).number(), -1);
}

}  // namespace
