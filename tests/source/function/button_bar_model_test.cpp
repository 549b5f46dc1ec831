// Button bars: docking, button places and faces, profile lines.
#include "button_bar_model.hpp"

#include <gtest/gtest.h>

namespace {

using namespace wl;

TEST(BarAdjustPlace, EachModeFromTheParentAndBarSizes) {
    // Parent client 400 x 300, bar client 28 x 30, message bar 22 high.
    struct Case {
        int mode;
        bool msgBar;
        std::optional<DockPlace> want;
    };
    const Case cases[] = {
        {1, true, DockPlace{-1, -1, 402, 32}},
        {2, false, DockPlace{-1, -1, 30, 301}},
        {2, true, DockPlace{-1, -1, 30, 280}},
        {3, true, DockPlace{371, -1, 30, 280}},
        {4, false, DockPlace{-1, 268, 402, 32}},
        {4, true, DockPlace{-1, 247, 402, 32}},
        {5, true, std::nullopt},  // floating: left where it is
        {0, false, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(barAdjustPlace(c.mode, 400, 300, 28, 30, c.msgBar, 22), c.want) << "mode " << c.mode;
}

TEST(ButtonFace, CaptionPlacesByLayout) {
    const std::pair<int, int> size{20, 10};
    struct Case {
        int layout;
        ButtonFace want;
    };
    const Case cases[] = {
        {1, {0, -12, 30, 36}}, {2, {-24, 0, 52, 20}}, {3, {0, 12, 30, 4}}, {4, {24, 0, 8, 20}}, {0, {0, 0, 30, 20}},
    };
    for (const Case& c : cases) {
        const ButtonFace f = buttonFace(c.layout, 80, 50, size);
        EXPECT_EQ(f.dx, c.want.dx) << c.layout;
        EXPECT_EQ(f.dy, c.want.dy) << c.layout;
        EXPECT_EQ(f.tx, c.want.tx) << c.layout;
        EXPECT_EQ(f.ty, c.want.ty) << c.layout;
    }
    const ButtonFace none = buttonFace(1, 80, 50, std::nullopt);
    EXPECT_EQ(none.ty, 50);
    EXPECT_EQ(none.dx, 0);
}

TEST(ButtonFace, BitmapCentredLeftOfTheArrowAndAboveTheCaption) {
    const ButtonFace plain = buttonFace(1, 28, 28, std::nullopt);
    EXPECT_EQ(buttonBitmapOrigin(plain, 28, 0, false, 16, 16), (std::pair<int, int>{6, 6}));
    EXPECT_EQ(buttonBitmapOrigin(plain, 28, 0, true, 16, 16), (std::pair<int, int>{-2, 6}));  // 13 / 2 - 8
    const ButtonFace below = buttonFace(1, 80, 50, std::pair<int, int>{20, 10});
    // (36 - 12) / 2 - 8
    EXPECT_EQ(buttonBitmapOrigin(below, 80, 0, false, 16, 16).second, 4);
}

TEST(BarGeometry, NewRectanglesAndDockedSizes) {
    using R = std::array<int, 4>;
    EXPECT_EQ(barNewRect(kBarTop, 400, 300, 28, 30, false), (R{-1, -1, 30, 400}));
    EXPECT_EQ(barNewRect(kBarBottom, 400, 300, 28, 30, false), (R{270, -1, 301, 400}));
    EXPECT_EQ(barNewRect(kBarLeft, 400, 300, 28, 30, true), (R{-1, -1, 301, 31}));
    EXPECT_EQ(barNewRect(kBarRight, 400, 300, 28, 30, true), (R{-1, 369, 301, 401}));
    const BarLook classic{28, 28, true, false}, flat{28, 28, false, false};
    EXPECT_EQ(barDockSize(kBarTop, classic, false), (std::pair<int, int>{0, 30}));
    EXPECT_EQ(barDockSize(kBarBottom, flat, true), (std::pair<int, int>{0, 29}));
    EXPECT_EQ(barDockSize(kBarLeft, classic, false), (std::pair<int, int>{33, 0}));
    EXPECT_EQ(barDockSize(kBarRight, flat, true), (std::pair<int, int>{43, 0}));
    EXPECT_EQ(barModeOf("LEFT"), kBarLeft);
    EXPECT_EQ(barModeOf("FLOAT"), kBarFloat);
    EXPECT_EQ(barModeOf("DOWN"), kBarTop);
}

TEST(BarGeometry, NextButtonTop) {
    const BarLook classic{28, 28, true, false}, flat{28, 28, false, false};
    EXPECT_EQ(barBtnTop(kBarTop, classic, 5, 1, true), 3);
    EXPECT_EQ(barBtnTop(kBarTop, flat, 5, 1, true), -1);
    EXPECT_EQ(barBtnTop(kBarLeft, classic, 2, 1, false), 2 + 2 * 25 + 8);
    EXPECT_EQ(barBtnTop(kBarLeft, flat, 2, 1, true), 2 * 28 + 16) << "a group flag adds a group first";
}

TEST(BarGeometry, ButtonPlacesWithGroupsAndArrows) {
    using P = std::vector<std::pair<int, int>>;
    const std::vector<BarButton> buttons = {{28, false, false}, {41, false, true}, {28, true, false}};
    const BarLook classic{28, 28, true, false}, office{28, 28, false, true};
    // Horizontal: x from 2, each left x + groups * 8 + 9 + arrows before it * 13.
    EXPECT_EQ(barButtonPlaces(kBarTop, classic, buttons), (P{{3, 11}, {3, 39}, {3, 2 + 69 + 8 + 9 + 13}}));
    EXPECT_EQ(barButtonPlaces(kBarTop, office, buttons), (P{{-1, 0}, {-1, 28}, {-1, -1 + 69 + 8 + 1 + 13}}));
    // Vertical: y from 2 (classic) advancing by height - 3; 8 below, plus the groups.
    EXPECT_EQ(barButtonPlaces(kBarLeft, classic, buttons), (P{{10, 2}, {35, 2}, {68, 2}}));
    EXPECT_EQ(barButtonPlaces(kBarRight, office, buttons), (P{{7, -1}, {36, -1}, {73, -1}}));
    // Floating: two columns; the second moves right after an arrow in the first.
    const std::vector<BarButton> four = {{28, false, true}, {28, false, false}, {28, false, false}, {28, false, false}};
    EXPECT_EQ(barButtonPlaces(kBarFloat, classic, four), (P{{0, 0}, {0, 39}, {23, 0}, {23, 26}}));
}

TEST(BarGeometry, FloatWindowSize) {
    const BarLook classic{28, 28, true, false}, flat{28, 28, false, false};
    std::vector<BarButton> three(3);
    EXPECT_EQ(barFloatSize(classic, three, 18), (std::pair<int, int>{54, 18 + 1 + 23 * 2 + 10}));
    three[2].popup = true;
    EXPECT_EQ(barFloatSize(flat, three, 18), (std::pair<int, int>{58 + 14, 18 + 1 + 29 * 2 + 10}));
    std::vector<BarButton> arrows(6, BarButton{28, false, true});
    EXPECT_EQ(barFloatSize(flat, arrows, 18).first, 58 + 28) << "no more than the first row's two arrows";
}

TEST(BarIni, EntryAndButtonValues) {
    EXPECT_EQ(barIniEntry("Main", kBarLeft), "Main,2");
    BarButtonIni b;
    b.resName1 = "OPEN";
    b.bmpFile2 = "open2.bmp";
    b.message = "Open a file";
    b.group = true;
    b.toolTip = "Open";
    EXPECT_EQ(barButtonIniValue(b), "OPEN,,,open2.bmp,Open a file,,T,F,Open,F");
}

TEST(CheckArray, FourBitmapValuesWhateverWasGiven) {
    struct Case {
        const char* what;
        ValueList in, out;
    };
    const Value z(0);
    const Case cases[] = {
        {"none", {}, {z, z, z, z}},
        {"two", {Value("open.bmp"), Value("shut.bmp")}, {Value("open.bmp"), Value("shut.bmp"), z, z}},
        {"a list in a list", {Value(ValueList{Value("a.bmp"), Value(), Value("c.bmp")})}, {Value("a.bmp"), z, Value("c.bmp"), z}},
        {"empty texts", {Value(""), Value(7)}, {z, Value(7), z, z}},
        {"more than four", {Value(1), Value(2), Value(3), Value(4), Value(5)}, {Value(1), Value(2), Value(3), Value(4)}},
    };
    for (const Case& c : cases) {
        const ValueList got = CHECKARRAY(c.in);
        ASSERT_EQ(got.size(), 4u) << c.what;
        for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(CVALTOCHAR(got[i]), CVALTOCHAR(c.out[i])) << c.what << " " << i;
    }
}

}  // namespace
