#include "ole_automation.hpp"

#include <gtest/gtest.h>

namespace {

TEST(OleAutomation, MissingApplicationsAnswerEmpty) {
    EXPECT_FALSE(wl::WLGETOLEOBJECT("ZR.NoSuchServer"));
    if (wl::EXCELOBJ()) GTEST_SKIP() << "a spreadsheet application is installed";
    EXPECT_FALSE(wl::GETEXCELBOOK("c:\\data\\book.xls"));
    EXPECT_FALSE(wl::GETEXCELRANGE("c:\\data\\book.xls", wl::Value(1), wl::Value("A1:B2")));
    EXPECT_FALSE(wl::OLEINVOKE(wl::OleObject(), "Quit"));
    EXPECT_FALSE(wl::GETPROPERTYVALUE(wl::OleObject(), "Hidden", wl::Value(true)));
}

TEST(OleAutomation, DrivesAnInstalledServerByName) {
    const wl::OleObject dict = wl::WLGETOLEOBJECT("Scripting.Dictionary");
    if (!dict) GTEST_SKIP() << "no Scripting.Dictionary server";
    EXPECT_TRUE(wl::OLEINVOKE(dict, "Add", {wl::Value("ISA"), wl::Value(106)}));
    EXPECT_TRUE(wl::OLEINVOKE(dict, "Add", {wl::Value("GS"), wl::Value("5010")}));
    const auto count = wl::OLEGETPROPERTY(dict, "Count");
    ASSERT_TRUE(count);
    EXPECT_EQ(count->value.number(), 2);
    const auto item = wl::OLEGETPROPERTY(dict, "Item", {wl::Value("GS")});
    ASSERT_TRUE(item);
    EXPECT_EQ(item->value.text(), "5010");
    EXPECT_FALSE(wl::OLEINVOKE(dict, "NoSuchMethod"));
}

}  // namespace
