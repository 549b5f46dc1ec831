#include "window_units.hpp"

#include <gtest/gtest.h>

namespace {

using wl::DockParent;
using wl::DockPlace;

TEST(WindowUnits, RowsAndColumnsToPixels) {
    EXPECT_EQ(wl::unitsToPixels(1, wl::kWindowRowPixels), 16);
    EXPECT_EQ(wl::unitsToPixels(1, wl::kWindowColPixels), 8);
    EXPECT_EQ(wl::unitsToPixels(30, wl::kWindowRowPixels), 480);
    EXPECT_EQ(wl::unitsToPixels(100, wl::kWindowColPixels), 800);
    EXPECT_EQ(wl::unitsToPixels(3, 15.1), 45);  // 45.3 truncated
    EXPECT_EQ(wl::unitsToPixels(7, 7.9), 55);   // 55.3 truncated
}

TEST(WindowStyle, DefaultTable) {
    EXPECT_EQ(wl::defaultWindowStyle({}), 0x2000000u | 0x40000 | 0xC00000 | 0x80000 | 0x20000 | 0x10000);
    wl::WindowStyleRequest none;
    none.border = "none";
    none.caption = false;
    none.vScroll = true;
    EXPECT_EQ(wl::defaultWindowStyle(none), 0x2000000u | 0x80000000u | 0x200000);
    wl::WindowStyleRequest noCaptionBoxes;
    noCaptionBoxes.caption = false;  // the boxes need a caption
    EXPECT_EQ(wl::defaultWindowStyle(noCaptionBoxes), 0x2000000u | 0x40000);
}

TEST(WindowShow, ModesMatchByPrefixInOrder) {
    EXPECT_EQ(wl::matchShowMode(""), wl::ShowMode::Hidden);
    EXPECT_EQ(wl::matchShowMode("NORMAL"), wl::ShowMode::Normal);
    EXPECT_EQ(wl::matchShowMode("max"), wl::ShowMode::Maximized);
    EXPECT_EQ(wl::matchShowMode("I"), wl::ShowMode::Iconized);
    EXPECT_EQ(wl::matchShowMode("NORMALLY"), std::nullopt);
    EXPECT_EQ(wl::matchShowMode("X"), std::nullopt);
}

TEST(Docking, TopAndBottom) {
    DockParent top{400, 300, true};
    EXPECT_EQ(wl::WNDADJTOP(top, true, 28), (DockPlace{0, 0, 402, 28}));
    EXPECT_EQ(wl::WNDADJTOP(top, false, 28), (DockPlace{-1, -1, 402, 28}));
    EXPECT_EQ(wl::WNDADJBOTTOM(top, 20), (DockPlace{-1, 281, 402, 20}));
    DockParent child{400, 300, false};
    EXPECT_EQ(wl::WNDADJBOTTOM(child, 20), (DockPlace{-1, 280, 402, 20}));
}

TEST(Docking, LeftAndRightBetweenBars) {
    DockParent top{400, 300, true};
    EXPECT_EQ(wl::WNDADJLEFT(top, 28, 20, 50), (DockPlace{0, 27, 50, 300 + 2 - 29 - 20}));
    EXPECT_EQ(wl::WNDADJLEFT(top, std::nullopt, std::nullopt, 50), (DockPlace{0, -2, 50, 302}));
    EXPECT_EQ(wl::WNDADJRIGHT(top, 28, 20, 50), (DockPlace{350, 28, 50, 302 - 28 - 20}));
    DockParent child{400, 300, false};
    EXPECT_EQ(wl::WNDADJLEFT(child, 28, std::nullopt, 50), (DockPlace{0, 26, 50, 301 - 29}));
    EXPECT_EQ(wl::WNDADJRIGHT(child, 28, std::nullopt, 50), (DockPlace{350, 27, 50, 301 - 28}));
}

TEST(Docking, ClientFillsTheSpaceBetweenTheBars) {
    DockParent top{400, 300, true};
    wl::DockClientEdges e;
    e.topHeight = 28;
    e.topIsToolbar = true;
    e.bottomHeight = 20;
    e.leftWidth = 51;
    e.rightWidth = 40;
    // T = 30, B = 20, L = 50, R = 40
    EXPECT_EQ(wl::WNDADJCLIENT(top, e, false, 0), (DockPlace{49, 28, 400 - 90 + 2, 300 - 50 + 3}));
    EXPECT_EQ(wl::WNDADJCLIENT(top, e, false, 2), (DockPlace{52, 32, 400 - 90 - 4, 300 - 50 - 4}));
    DockParent child{400, 300, false};
    EXPECT_EQ(wl::WNDADJCLIENT(child, e, false, 0), (DockPlace{50, 28, 310, 300 - 50 + 2}));
    EXPECT_EQ(wl::WNDADJCLIENT(top, {}, false, 0), (DockPlace{-1, -1, 402, 303}));
    EXPECT_EQ(wl::WNDADJCLIENT(child, {}, false, 0), (DockPlace{0, 0, 400, 301}));
}

TEST(Fonts, BoldMeansWeightSevenHundredAtLeast) {
    EXPECT_EQ(wl::boldWeight(400, true), 700);  // not 400 | 700
    EXPECT_EQ(wl::boldWeight(0, true), 700);
    EXPECT_EQ(wl::boldWeight(900, true), 900);
    EXPECT_EQ(wl::boldWeight(400, false), 400);
}

TEST(Fonts, PointSizes) {
    EXPECT_DOUBLE_EQ(wl::fontPointSize(-16, 96), 12.0);
    EXPECT_DOUBLE_EQ(wl::fontPointSize(-13, 96), 10.0);   // 9.75 + 0.25
    EXPECT_DOUBLE_EQ(wl::fontPointSize(-31, 96), 23.0);   // 23.25: the quarter is dropped
    EXPECT_DOUBLE_EQ(wl::fontPointSize(-34, 96), 25.75);  // 25.5 + 0.25
}

TEST(Cursors, ExactNameBeforePrefix) {
    struct Case {
        const char* name;
        int id;
        wl::LibraryCursor lib;
    };
    const Case cases[] = {
        {"sizens", 32645, wl::LibraryCursor::None},   {"SIZEWE", 32644, wl::LibraryCursor::None},
        {"size", 32646, wl::LibraryCursor::None},     {"SIZEALL", 32646, wl::LibraryCursor::None},
        {"arrow", 32512, wl::LibraryCursor::None},    {"hand", 0, wl::LibraryCursor::Hand},
        {"Search", 0, wl::LibraryCursor::Search},     {"WAITING", 32514, wl::LibraryCursor::None},
    };
    for (const auto& c : cases) {
        auto got = wl::predefinedCursor(c.name);
        ASSERT_TRUE(got) << c.name;
        EXPECT_EQ(got->systemId, c.id) << c.name;
        EXPECT_EQ(got->library, c.lib) << c.name;
    }
    EXPECT_FALSE(wl::predefinedCursor("BOGUS"));
    EXPECT_FALSE(wl::predefinedCursor(""));
}

TEST(DialogUnits, WholePartOfScaledPixels) {
    EXPECT_EQ(wl::pixelsToDialogUnits(40, 8, 16), 20);
    EXPECT_EQ(wl::pixelsToDialogUnits(41, 8, 16), 20);
    EXPECT_EQ(wl::pixelsToDialogUnits(60, 4, 8), 30);
    EXPECT_EQ(wl::pixelsToDialogUnits(60, 4, 0), 0);
}

}  // namespace
