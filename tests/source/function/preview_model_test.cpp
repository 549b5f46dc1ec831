#include "preview_model.hpp"

#include <gtest/gtest.h>

namespace {

TEST(PreviewModel, PagingStopsAtBothEndsAndLabelsThePage) {
    wl::PreviewModel m(3);
    EXPECT_FALSE(m.PrevPage());
    EXPECT_FALSE(m.TopPage());
    EXPECT_TRUE(m.NextPage());
    EXPECT_EQ(m.cPageLabel, "Page number:2 / 3");
    EXPECT_TRUE(m.BottomPage());
    EXPECT_EQ(m.cPageLabel, "Page number: 3 / 3");
    EXPECT_FALSE(m.NextPage());
    EXPECT_FALSE(m.BottomPage());
    EXPECT_FALSE(m.GoPage(0));
    EXPECT_FALSE(m.GoPage(4));
    EXPECT_EQ(m.nPage, 3);
    EXPECT_TRUE(m.GoPage(1));
    EXPECT_EQ(m.cPageLabel, "Page number: 1 / 3");
}

TEST(PreviewModel, TwoPagesIsRefusedForOnePageOrLandscapeAndEndsTheZoom) {
    wl::PreviewModel one(1);
    EXPECT_FALSE(one.TwoPages(false));
    wl::PreviewModel m(3);
    EXPECT_FALSE(m.TwoPages(true));
    m.Zoom();
    ASSERT_TRUE(m.TwoPages(false));
    EXPECT_FALSE(m.lZoom);
    EXPECT_EQ(m.rightPage(), 2);
    m.BottomPage();
    EXPECT_EQ(m.rightPage(), 0);  // the last page has an empty right view
    EXPECT_TRUE(m.TwoPages(false));
    EXPECT_FALSE(m.lTwoPages);
}

TEST(PreviewModel, ZoomFactorsSetTheScrollRanges) {
    wl::PreviewModel m(2);
    m.SetFactor(3);  // zooms in
    EXPECT_TRUE(m.lZoom);
    EXPECT_EQ(m.vRange, (wl::ScrollRange{1, 60}));
    EXPECT_EQ(m.hRange, (wl::ScrollRange{1, 60}));
    EXPECT_EQ(m.xZoom(), 3);
    EXPECT_EQ(m.yZoom(), 6);
    m.SetFactor(1);  // factor 1 while zoomed: no horizontal range
    EXPECT_EQ(m.vRange, (wl::ScrollRange{1, 20}));
    EXPECT_EQ(m.hRange, (wl::ScrollRange{}));
    m.SetFactor(5);
    m.Zoom();  // out: back to factor 1, no ranges
    EXPECT_FALSE(m.lZoom);
    EXPECT_EQ(m.nZFactor, 1);
    EXPECT_EQ(m.vRange, (wl::ScrollRange{}));
    EXPECT_EQ(m.xZoom(), 1);
    EXPECT_EQ(m.yZoom(), 2);
}

TEST(PreviewModel, ScrollingMovesByStepsAndNeverDividesByAnEmptyRange) {
    struct Case {
        int dir;
        bool page;
        int pos, position;
        wl::ScrollRange range;
        bool moved;
        int newPosition;
        double origin;
    };
    const Case cases[] = {
        {2, false, 0, 1, {1, 20}, true, 2, 0.5},        // a line down: step 350 of 7000
        {2, true, 0, 1, {1, 20}, true, 3, 1.0},         // a page: max / 10 lines
        {1, false, 0, 1, {1, 20}, false, 1, 0},         // up at the top
        {1, false, 0, 5, {1, 20}, true, 4, 1.5},
        {0, false, 10, 1, {1, 20}, true, 10, 4.5},      // thumb track
        {2, false, 0, 21, {1, 20}, false, 21, 0},       // beyond the end
        {2, false, 0, 0, {0, 0}, false, 0, 0},          // no range: no step to divide by
    };
    for (const Case& c : cases) {
        const wl::ScrollMove m = wl::scrollView(c.dir, c.page, c.pos, c.position, c.range, 7000);
        EXPECT_EQ(m.moved, c.moved);
        EXPECT_EQ(m.position, c.newPosition);
        EXPECT_NEAR(m.origin, c.origin, 1e-9);
    }
}

TEST(PreviewModel, PagesAreCentredAndProportionedAsThePaper) {
    // A 1000 x 800 area, A4 portrait (210 x 297 mm).
    const wl::PageLayout one = wl::layoutPages(40, 0, 1000, 800, 210, 297, false, false);
    EXPECT_FALSE(one.showRight);
    EXPECT_EQ(one.left.height, 800);
    EXPECT_EQ(one.left.width, static_cast<int>(800 * 210.0 / 297));
    EXPECT_EQ(one.left.left, static_cast<int>((1000 - 800 * 210.0 / 297) / 2));
    EXPECT_EQ(one.left.top, 40);
    const wl::PageLayout two = wl::layoutPages(40, 0, 1000, 800, 210, 297, true, false);
    EXPECT_TRUE(two.showRight);
    EXPECT_EQ(two.left.width, 400);  // capped at 40 % of the width
    EXPECT_EQ(two.left.height, static_cast<int>(400 * 297 / 210.0));
    EXPECT_EQ(two.left.left, 500 - 400 - 50);
    EXPECT_EQ(two.right.left, 550);
    EXPECT_EQ(two.left.top, two.right.top);
    const wl::PageLayout zoomed = wl::layoutPages(0, 0, 1000, 800, 210, 297, false, true);
    EXPECT_EQ(zoomed.left.width, 950);
    const wl::PageLayout none = wl::layoutPages(0, 0, 0, 800, 210, 297, false, false);
    EXPECT_EQ(none.left.width, 0);
}

TEST(PreviewModel, APageViewShowsTheWholePageUnzoomedAndScrollsWhenZoomed) {
    const wl::MetaViewport whole = wl::metaViewport(500, 700, 1, 2, 1.4, 0, 0);
    EXPECT_EQ(whole.extX, 100);
    EXPECT_EQ(whole.extY, 100);
    EXPECT_EQ(whole.orgX, 0);
    EXPECT_EQ(whole.orgY, 0);
    const wl::MetaViewport zoomed = wl::metaViewport(500, 700, 3, 6, 1.4, 10, 10);
    EXPECT_EQ(zoomed.extX, 300);
    EXPECT_EQ(zoomed.extY, 300);
    EXPECT_EQ(zoomed.orgX, static_cast<int>(-10 * 500 * 2 / 9.8));
    EXPECT_EQ(zoomed.orgY, static_cast<int>(-10 * (500 * 3 * 1.4 - 700) / 10.3));
}

TEST(PreviewThumbnails, LandscapeDevicesGetWideThumbnails) {
    EXPECT_EQ(wl::thumbnailSize(3000, 2000), std::make_pair(100, 80));
    EXPECT_EQ(wl::thumbnailSize(2000, 3000), std::make_pair(80, 100));
    EXPECT_EQ(wl::thumbnailSize(2000, 2000), std::make_pair(80, 100));
}

TEST(PrintRange, PagesOfEachOptionAndTheFieldLimits) {
    struct Case {
        int option, from, to, current, pages;
        std::vector<int> printed;
    };
    const Case cases[] = {
        {1, 2, 2, 2, 3, {1, 2, 3}},  // all, whatever the range says
        {2, 1, 3, 2, 3, {2}},        // the page shown
        {3, 2, 3, 1, 3, {2, 3}},
        {3, 0, 9, 1, 3, {1, 2, 3}},  // cut to the pages there are
        {3, 3, 2, 1, 3, {}},
        {1, 1, 1, 1, 0, {}},
    };
    for (const Case& k : cases)
        EXPECT_EQ(wl::printRangePages(k.option, k.from, k.to, k.current, k.pages), k.printed) << k.option;
    EXPECT_TRUE(wl::printRangeFromValid(1, 3));
    EXPECT_TRUE(wl::printRangeFromValid(3, 3));
    EXPECT_FALSE(wl::printRangeFromValid(0, 3));
    EXPECT_FALSE(wl::printRangeFromValid(4, 3));
    EXPECT_TRUE(wl::printRangeToValid(2, 2, 3));
    EXPECT_TRUE(wl::printRangeToValid(2, 3, 3));
    EXPECT_FALSE(wl::printRangeToValid(2, 1, 3));
    EXPECT_FALSE(wl::printRangeToValid(2, 4, 3));
}

}  // namespace

TEST(PreviewBarStyle, TheMainWindowsLooksDecideInOrder) {
    struct Case {
        wl::PreviewStyleSource main;
        int style;
    };
    const Case cases[] = {
        {{}, 0},
        {{true, 2007, true, false}, 2010},  // the menu's 2010 look first
        {{false, 2007, true, true}, 2007},  // then the message bar's look
        {{false, 2010, false, false}, 2010},
        {{false, 0, true, true}, 2010},     // then a bar at the top
        {{false, 0, true, false}, 2007},
        {{false, 0, false, true}, 0},       // no bar: its look does not count
    };
    for (const Case& c : cases) EXPECT_EQ(wl::previewBarStyle(c.main), c.style);
}

TEST(PreviewBarStyle, OnlyAThemedProgramWithNoStyleOrUserButtonsGetsTheSystemToolbar) {
    EXPECT_TRUE(wl::previewThemedBar(true, 0, false, false));
    EXPECT_FALSE(wl::previewThemedBar(false, 0, false, false));
    for (int style : {97, 2007, 2010}) EXPECT_FALSE(wl::previewThemedBar(true, style, false, false)) << style;
    EXPECT_FALSE(wl::previewThemedBar(true, 0, true, false));
    EXPECT_FALSE(wl::previewThemedBar(true, 0, false, true));
    EXPECT_FALSE(wl::previewButtonCaptionFits(26));
    EXPECT_TRUE(wl::previewButtonCaptionFits(40));
}
