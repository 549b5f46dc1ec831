// Date and time pickers set and read back, with and without a date.
#include "date_pickers.hpp"

#include <gtest/gtest.h>

#include "control_host.hpp"

namespace {

using namespace wl;

TEST(DatePickerCalls, DateSetAndReadBack) {
    wltest::ControlHost host(DATETIMEPICK_CLASSA, DTS_SHORTDATEFORMAT, 160, 24);
    SETDATEPICK(host.control, 2017, 3, 5);
    const Date d = GETDATEPICK(host.control);
    EXPECT_EQ(d.year, 2017);
    EXPECT_EQ(d.month, 3);
    EXPECT_EQ(d.day, 5);
}

TEST(DatePickerCalls, APickerWithoutADateAnswersTheBlankDate) {
    wltest::ControlHost host(DATETIMEPICK_CLASSA, DTS_SHORTDATEFORMAT | DTS_SHOWNONE, 160, 24);
    SETDATEPICK(host.control, 2017, 3, 5);
    SETDATEPICK(host.control, 2017, 3, 5, GDT_NONE);
    EXPECT_TRUE(GETDATEPICK(host.control).blank());
    SETDATEPICK(host.control, 2020, 12, 31, GDT_VALID);
    EXPECT_EQ(GETDATEPICK(host.control).day, 31);
}

TEST(DatePickerCalls, TimeSetAndReadBackAsSixDigits) {
    wltest::ControlHost host(DATETIMEPICK_CLASSA, DTS_TIMEFORMAT | DTS_UPDOWN, 160, 24);
    SETTIMEPICK(host.control, 2024, 1, 2, 9, 5, 0);
    EXPECT_EQ(GETTIMEPICK(host.control), "090500");
    SETTIMEPICK(host.control, 2024, 1, 2, 23, 59, 58);
    EXPECT_EQ(GETTIMEPICK(host.control), "235958");
}

}  // namespace
