#include <gtest/gtest.h>

#include "setting_values.hpp"

namespace {

TEST(SettingValues, IniFileNames) {
    EXPECT_EQ(wl::iniFileName("setup"), "setup.ini");
    EXPECT_EQ(wl::iniFileName("zr.cfg"), "zr.cfg");
    EXPECT_EQ(wl::iniFileName(""), "");
    EXPECT_EQ(wl::iniFileName("c:/my.app/setup"), "c:/my.app/setup.ini");
}

TEST(SettingValues, TextBackToTheDefaultsType) {
    EXPECT_EQ(wl::settingFromText("12", wl::Value(5)).number(), 12);
    EXPECT_TRUE(wl::settingFromText("12", wl::Value(5)).isWhole());
    EXPECT_TRUE(wl::settingFromText(".t.", wl::Value(false)).logical());
    EXPECT_FALSE(wl::settingFromText("YES", wl::Value(true)).logical());
    EXPECT_EQ(wl::settingFromText("abc", wl::Value("x")).text(), "abc");
    wl::Value dated = wl::settingFromText("12/31/99", wl::Value(wl::Date{}));
    ASSERT_TRUE(dated.isDate());
    wl::Date d = std::get<wl::Date>(dated.storage());
    EXPECT_EQ(d.year, 1999);
    EXPECT_EQ(d.month, 12);
    EXPECT_EQ(d.day, 31);
    EXPECT_EQ(wl::settingText(wl::Value(wl::Date{2024, 2, 9})), "02/09/24");
    EXPECT_EQ(wl::settingText(wl::Value(true)), ".T.");
}

TEST(SettingValues, Dates) {
    EXPECT_EQ(wl::dateFromText("02/09/24").year, 2024);
    EXPECT_EQ(wl::dateFromText("02/09/2024").day, 9);
    EXPECT_TRUE(wl::dateFromText("  /  /  ").blank());
    EXPECT_TRUE(wl::dateFromText("13/01/24").blank());
    EXPECT_TRUE(wl::dateFromText("hello").blank());
}

TEST(SettingValues, ZeroSeparatedNames) {
    EXPECT_EQ(wl::zeroSeparatedNames(std::string("one\0two\0\0", 9)), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(wl::zeroSeparatedNames(std::string("last", 4)), (std::vector<std::string>{"last"}));
    EXPECT_TRUE(wl::zeroSeparatedNames("").empty());
}

}  // namespace
