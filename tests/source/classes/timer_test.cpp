// Window timers under Wine: identifiers in sequence, firing through the
// owner's WM_TIMER, and ending one timer while another runs.
#include "timer.hpp"

#include <gtest/gtest.h>

#include "message_loop.hpp"
#include "parent_window.hpp"

namespace {

// Drains messages until the condition holds or two seconds passed.
template <class F>
bool waitFor(F done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 2000) return false;
        wl::SYSREFRESH();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

TEST(TimerTest, TimersFireThroughTheirWindowAndEndApart) {
    wltest::Parent p;
    int first = 0, second = 0;
    auto t1 = wl::TTimer::New(10, [&] { ++first; }, &p.w);
    auto t2 = wl::TTimer::New(10, [&] { ++second; }, &p.w);
    EXPECT_EQ(t2->nId, t1->nId + 1);
    EXPECT_EQ(t1->hWndOwner, p.w.hWnd);
    EXPECT_FALSE(t1->lActive);

    t1->Activate();
    t2->Activate();
    EXPECT_TRUE(waitFor([&] { return first >= 2 && second >= 2; }));

    t1->End();
    const int firstAtEnd = first, secondAtEnd = second;
    EXPECT_TRUE(waitFor([&] { return second >= secondAtEnd + 2; }));
    EXPECT_EQ(first, firstAtEnd);

    // An inactive timer in the list does not run on a stray WM_TIMER.
    t2->DeActivate();
    const int stopped = second;
    EXPECT_EQ(wl::TIMEREVENT(t2->nId), 0);
    EXPECT_EQ(second, stopped);
}

}  // namespace
