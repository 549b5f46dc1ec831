#include <gtest/gtest.h>

#include "palette_list.hpp"

namespace {

TEST(PaletteList, EnterReplacesReusesAndPicksTheForeground) {
    wl::PaletteList l;
    l.enter(0, 0, 5);  // no bitmap: nothing
    EXPECT_TRUE(l.records().empty());
    l.enter(0, 100, 0);
    EXPECT_FALSE(l.foreground());
    l.enter(1, 200, 7);
    ASSERT_TRUE(l.foreground());
    EXPECT_EQ(l.foreground()->bitmap, 200u);
    l.enter(2, 100, 8);  // same bitmap: its record replaced
    EXPECT_EQ(l.records().size(), 2u);
    EXPECT_EQ(l.foreground()->bitmap, 100u);
    auto freed = l.release(100);
    ASSERT_TRUE(freed);
    EXPECT_EQ(freed->palette, 8u);
    EXPECT_FALSE(l.foreground());  // it was the foreground
    l.enter(0, 300, 0);            // reuses the free record
    EXPECT_EQ(l.records().size(), 2u);
    EXPECT_FALSE(l.release(999));
}

TEST(PaletteList, ForegroundSwitchAndPaletteChanges) {
    wl::PaletteList l;
    l.enter(11, 1, 101);
    l.enter(12, 2, 102);  // foreground now
    std::uintptr_t repaint = 99;
    auto r = l.setForeground(2, 102, &repaint);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->first, 2u);
    r = l.setForeground(1, 101, &repaint);
    EXPECT_EQ(repaint, 0u);  // the system has not asked for palettes
    EXPECT_EQ(r->second, 101u);
    l.noteAsked();
    l.setForeground(2, 102, &repaint);
    EXPECT_EQ(repaint, 12u);
    // A change caused by a window of the list keeps the flag and repaints
    // the windows whose palette is not the foreground's.
    EXPECT_EQ(l.paletteChanged(12), (std::vector<std::uintptr_t>{11}));
    EXPECT_TRUE(l.asked());
    l.paletteChanged(77);  // another program's window
    EXPECT_FALSE(l.asked());

    wl::PaletteList empty;
    EXPECT_FALSE(empty.setForeground(1, 1, nullptr));
}

}  // namespace
