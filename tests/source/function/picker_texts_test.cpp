// Time texts of the time picker and the date picker's display formats.
#include "picker_texts.hpp"

#include <gtest/gtest.h>

namespace {

using wl::TimeOfDay;

TEST(TimeFromText, ReadsBothFormsAndOneDigitParts) {
    struct Case {
        const char* text;
        TimeOfDay want;
    };
    const Case cases[] = {
        {"09:15:30", {9, 15, 30}},
        {"091530", {9, 15, 30}},
        // One-digit hour with colons: the minutes are not taken from
        // fixed positions (which would give 5).
        {"9:15:30", {9, 15, 30}},
        {"9:5:7", {9, 5, 7}},
        {"23:59", {23, 59, 0}},
        {"1200", {12, 0, 0}},
    };
    for (const Case& c : cases) {
        const auto t = wl::timeFromText(c.text);
        ASSERT_TRUE(t.has_value()) << c.text;
        EXPECT_EQ(*t, c.want) << c.text;
    }
    EXPECT_FALSE(wl::timeFromText("").has_value());
}

TEST(TimeTexts, DigitsColonsAndTimeOfDay) {
    EXPECT_EQ(wl::timeDigits({9, 5, 0}), "090500");
    EXPECT_EQ(wl::timeWithColons("090500"), "09:05:00");
    EXPECT_EQ(wl::horaText(0), "000000");
    EXPECT_EQ(wl::horaText(9 * 3600 + 5 * 60 + 7), "090507");
    EXPECT_EQ(wl::horaText(86399), "235959");
    const std::string now = wl::HORA();
    ASSERT_EQ(now.size(), 6u);
    EXPECT_LT(std::stoi(now.substr(0, 2)), 24);
}

TEST(DatePickFormat, PicturesAgainstTheDateSetting) {
    struct Case {
        const char* picture;
        const char* setting;
        const char* want;
    };
    const Case cases[] = {
        {"", "MM/DD/YY", ""},
        {"@d", "MM/DD/YY", "MM/dd/yy"},
        {"@D", "YYYY/MM/DD", "yyyy/MM/dd"},
        // Days first; four-digit years when the setting has them.
        {"@e", "YYYY/MM/DD", "dd/MM/yyyy"},
        {"@E", "DD-MM-YY", "dd-MM-yy"},
        {"dd MMM yyyy", "MM/DD/YY", "dd MMM yyyy"},
    };
    for (const Case& c : cases) EXPECT_EQ(wl::datePickFormat(c.picture, c.setting), c.want) << c.picture;
}

}  // namespace
