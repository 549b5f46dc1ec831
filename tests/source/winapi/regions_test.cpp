#include "regions.hpp"

#include <gtest/gtest.h>

#include "resource_tracker.hpp"
#include "test_windows.hpp"

namespace {

RECT box(HRGN r) {
    RECT b{};
    GetRgnBox(r, &b);
    return b;
}

bool tracked(HRGN r) {
    for (const auto& e : wl::trackedResources())
        if (e.handle == reinterpret_cast<std::uintptr_t>(r) && e.type == "REGION") return true;
    return false;
}

void release(HRGN r) {
    wl::TrackResourceDelete(r);
    DeleteObject(r);
}

TEST(Regions, RoundedRegionFromAWindowRectangle) {
    // {top 0, left 0, bottom 99, right 199}: corners (0, 0) and (199, 100);
    // a rounded region leaves out its right and bottom edges.
    HRGN r = wl::CREATEROUNDRECTRGN(wl::RectArray{0, 0, 99, 199}, 10, 10);
    ASSERT_NE(r, nullptr);
    RECT b = box(r);
    EXPECT_EQ(b.right, 199 - 1);
    EXPECT_EQ(b.bottom, 100 - 1);
    EXPECT_TRUE(tracked(r));
    release(r);
    EXPECT_FALSE(tracked(r));
}

TEST(Regions, MadeRegionsAreTrackedAndRectanglesTakeBottomBeforeRight) {
    HRGN corners = wl::CREATEROUNDRECTRGN(1, 2, 51, 32, 4, 4);
    HRGN ellipse = wl::CREATEELLIPTICRGN(0, 0, 40, 20);
    HRGN indirect = wl::CREATEELLIPTICRGNINDIRECT(wl::RectArray{0, 0, 20, 40});
    HRGN polygon = wl::CREATEPOLYGONRGN({{0, 0}, {30, 0}, {0, 30}}, ALTERNATE);
    for (HRGN r : {corners, ellipse, indirect, polygon}) {
        ASSERT_NE(r, nullptr);
        EXPECT_TRUE(tracked(r));
    }
    EXPECT_EQ(wl::CREATEPOLYGONRGN({{0, 0}, {1, 1}}, ALTERNATE), nullptr);

    HRGN rect = wl::CREATERECTRGN(10, 20, 70, 50);  // left, top, bottom, right
    RECT b = box(rect);
    EXPECT_EQ(b.right, 50);
    EXPECT_EQ(b.bottom, 70);
    EXPECT_EQ(wl::OFFSETRGN(rect, 5, 5), SIMPLEREGION);
    EXPECT_EQ(wl::COMBINERGN(rect, rect, ellipse, RGN_OR), COMPLEXREGION);

    wltest::TestWindow w(WS_POPUP);
    EXPECT_NE(wl::SETWINDOWRGN(w, corners, false), 0);  // the window owns it now
    wl::TrackResourceDelete(corners);
    for (HRGN r : {ellipse, indirect, polygon}) release(r);
    DeleteObject(rect);
}

}  // namespace
