#include "progress_meter.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "module_state.hpp"

namespace {

using Kind = zr::MeterEvent::Kind;

// The kinds of the meter events while `body` runs.
template <class Body>
std::vector<Kind> eventsOf(Body body) {
    std::vector<Kind> kinds;
    zr::MeterObserver old = zr::setMeterObserver([&](const zr::MeterEvent& e) { kinds.push_back(e.kind); });
    body();
    zr::setMeterObserver(old);
    return kinds;
}

TEST(ScopedMeter, EachModeOpensSetsAndClosesAsItSays) {
    struct Case {
        zr::MeterMode mode;
        std::vector<Kind> events;
    };
    const Case cases[] = {
        {zr::MeterMode::Show, {Kind::Open, Kind::Set, Kind::Close}},
        {zr::MeterMode::SetOnly, {Kind::SetAlways}},
        {zr::MeterMode::None, {}},
    };
    zr::CTL394MTRA({}, "earlier meter", "");  // SetOnly sets a meter opened before
    for (const Case& c : cases) {
        EXPECT_EQ(eventsOf([&] {
                      zr::ScopedMeter meter(c.mode, "Loading", "Please Wait..");
                      meter.set(50);
                  }),
                  c.events);
    }
}

// A run that closes its meter early (a failure said first) and then leaves
// the scope closes it once; a value set after the close goes nowhere.
TEST(ScopedMeter, ClosesOnceWhetherClosedEarlyOrAtTheEndOfTheScope) {
    EXPECT_EQ(eventsOf([] {
                  zr::ScopedMeter meter(zr::MeterMode::Show, "Loading", "");
                  meter.close();
                  meter.set(10);
                  meter.close();
              }),
              (std::vector<Kind>{Kind::Open, Kind::Close}));
}

TEST(ScopedMeter, ASilencedMeterShowsNothing) {
    zr::moduleState().silentMeter = 1;
    EXPECT_TRUE(eventsOf([] {
                    zr::ScopedMeter meter(zr::MeterMode::Show, "Loading", "");
                    meter.set(10);
                }).empty());
    zr::moduleState().silentMeter = 0;
}

}  // namespace
