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

TEST(MeterNames, TheHl7ViewersNamesOpenSetAndCloseTheSameMeter) {
    std::vector<zr::MeterEvent> seen;
    zr::MeterObserver old = zr::setMeterObserver([&](const zr::MeterEvent& e) { seen.push_back(e); });
    const zr::MeterWindow w = zr::CTL487MTRA({}, "Reading", "HL7");
    zr::CTL487MTRC(40);
    zr::CTL487MTRB(w);
    zr::setMeterObserver(old);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].kind, Kind::Open);
    EXPECT_EQ(seen[0].text, "Reading");
    EXPECT_EQ(seen[0].caption, "HL7");
    EXPECT_EQ(seen[1].kind, Kind::Set);
    EXPECT_EQ(seen[1].value, 40);
    EXPECT_EQ(seen[2].kind, Kind::Close);
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

TEST(MeterText, ALongPathLosesItsMiddleAndKeepsItsFileName) {
    struct Case {
        std::string text;
        std::size_t width;
        std::string want;
    };
    const Case cases[] = {
        {"Loading File a.x12", 40, "Loading File a.x12"},  // fits: unchanged
        {"Loading File C:\\claims\\2026\\december\\big837.x12", 30, "Loading File C:\\...\\big837.x12"},
        {"/srv/edi/incoming/from-clearing-house/big837.x12", 24, "/srv/edi/i.../big837.x12"},
        // A name longer than the room keeps its end.
        {"C:\\a\\averyveryverylongfilename.x12", 16, "...gfilename.x12"},
        {"abcdef", 2, "ef"},
    };
    for (const Case& c : cases) {
        const std::string got = zr::middleShortened(c.text, c.width);
        EXPECT_EQ(got, c.want) << c.text;
        EXPECT_LE(got.size(), c.width) << c.text;
    }
}
