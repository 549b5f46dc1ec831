// Date and time pickers bound to values: set, read back, changed through
// the control's notifications, and the valid closure held while the
// calendar is open.
#include "date_pick.hpp"

#include <gtest/gtest.h>

#include "date_pickers.hpp"
#include "parent_window.hpp"

namespace {

using namespace wl;

void notify(TWindow& parent, const TControl& picker, UINT code) {
    NMDATETIMECHANGE nm{};
    nm.nmhdr.hwndFrom = picker.hWnd;
    nm.nmhdr.idFrom = static_cast<UINT_PTR>(picker.nId);
    nm.nmhdr.code = code;
    SendMessageA(parent.hWnd, WM_NOTIFY, nm.nmhdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

TEST(DatePick, ShowsTheBoundDateAndStoresChanges) {
    wltest::Parent p;
    Value date(Date{2017, 3, 5});
    int changes = 0;
    PickNew n;
    n.oWnd = &p.w;
    n.lPixel = true;
    n.bSetGet = bindTo(date);
    n.bChange = [&](TControl&) { ++changes; };
    TDatePick d;
    d.New(n);
    ASSERT_NE(d.hWnd, nullptr);
    Date shown = d.GetDate();
    EXPECT_EQ(shown.year, 2017);
    EXPECT_EQ(shown.month, 3);
    EXPECT_EQ(shown.day, 5);

    changes = 0;
    const Date back = d.cText(Date{2020, 12, 31});
    EXPECT_EQ(back.day, 31);
    EXPECT_EQ(std::get<Date>(date.storage()).year, 2020);
    EXPECT_GE(changes, 1);

    // The user picks another date: the control reports it to the parent.
    SETDATEPICK(d.hWnd, 2021, 7, 4);
    changes = 0;
    notify(p.w, d, DTN_DATETIMECHANGE);
    EXPECT_EQ(std::get<Date>(date.storage()).month, 7);
    EXPECT_EQ(changes, 1);
}

TEST(DatePick, ValidationWaitsWhileTheCalendarIsOpen) {
    wltest::Parent p;
    bool answer = true;
    PickNew n;
    n.oWnd = &p.w;
    n.lPixel = true;
    n.bValid = [&](TWindow&) { return answer; };
    TDatePick d;
    d.New(n);
    EXPECT_TRUE(d.lValid());
    notify(p.w, d, DTN_DROPDOWN);
    EXPECT_FALSE(d.lClosed);
    EXPECT_FALSE(d.lValid());
    notify(p.w, d, DTN_CLOSEUP);
    EXPECT_TRUE(d.lValid());
    answer = false;
    EXPECT_FALSE(d.lValid());
}

TEST(DatePick, DaysFirstPictureFollowsTheDateSetting) {
    wltest::Parent p;
    Value date(Date{2017, 3, 5});
    PickNew n;
    n.oWnd = &p.w;
    n.lPixel = true;
    n.nWidth = 160;
    n.bSetGet = bindTo(date);
    n.cPicture = "@e";
    TDatePick d;
    d.cDateSetting = "YYYY/MM/DD";
    d.New(n);
    EXPECT_EQ(d.GetText(), "05/03/2017");
}

TEST(TimePick, OneDigitHoursAndBothForms) {
    wltest::Parent p;
    Value time(std::string("9:15:30"));
    PickNew n;
    n.oWnd = &p.w;
    n.lPixel = true;
    n.bSetGet = bindTo(time);
    TTimePick t;
    t.New(n);
    ASSERT_NE(t.hWnd, nullptr);
    EXPECT_EQ(t.GetTime(), "091530");
    EXPECT_EQ(t.cText(), "09:15:30");
    EXPECT_EQ(t.cText("231501"), "23:15:01");
    EXPECT_EQ(time.text(), "231501");
    t.SetTime("07:05:09");
    EXPECT_EQ(t.GetTime(), "070509");
    t.Changed();
    EXPECT_EQ(time.text(), "070509");
}

}  // namespace
