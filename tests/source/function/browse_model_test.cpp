// The browse's navigation and scroll arithmetic over an in-memory list:
// where the current item lands after keys, pages, clicks and the thumb, for
// short lists and for 600,000 items, and the fling after a fast drag.
#include "browse_model.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace wl;
using Kind = BrowseEffect::Kind;

// A list of `count` items behind the array closures, with a window of
// `rows` data lines; counts the items the closures visit.
struct List {
    int at = 1;
    int count = 0;
    BrowseSource src;
    BrowseState s;
    explicit List(int n, int rows = 10) : count(n) {
        src = arrayBrowseSource(at, [this] { return count; });
        s.nRowCount = rows;
        s.nLen = n;
        s.nVScrollPos = n ? 1 : 0;
    }
    int bar() const { return browseVScroll(s).c; }
};

enum class Op { Up, Down, Home, End, PgUp, PgDn, Thumb, Click };
struct Step {
    Op op;
    int arg = 0;
};

BrowseEffects run(List& l, const Step& st) {
    switch (st.op) {
    case Op::Up: return browseKey(l.s, l.src, BrowseKey::Up, false);
    case Op::Down: return browseKey(l.s, l.src, BrowseKey::Down, false);
    case Op::Home: return browseKey(l.s, l.src, BrowseKey::Home, false);
    case Op::End: return browseKey(l.s, l.src, BrowseKey::End, false);
    case Op::PgUp: return browseKey(l.s, l.src, BrowseKey::PageUp, false);
    case Op::PgDn: return browseKey(l.s, l.src, BrowseKey::PageDown, false);
    case Op::Thumb: return browseThumb(l.s, l.src, st.arg);
    case Op::Click: return browseClickLine(l.s, l.src, st.arg);
    }
    return {};
}

TEST(BrowseModel, NavigationLandsOnTheExpectedItemAndLine) {
    struct Case {
        const char* name;
        int count, rows;
        std::vector<Step> steps;
        int at, rowPos, bar;
        bool hitTop, hitBottom;
    };
    const Case cases[] = {
        {"3 items in 10 lines: page down goes to item 3 without scrolling", 3, 10, {{Op::PgDn}}, 3, 3, 3, false, true},
        {"down past the last item latches the bottom", 3, 10, {{Op::Down}, {Op::Down}, {Op::Down}}, 3, 3, 3, false, true},
        {"up at the first item latches the top", 3, 10, {{Op::Up}}, 1, 1, 1, true, false},
        {"end of a short list stands on its own line", 3, 10, {{Op::End}}, 3, 3, 3, false, true},
        {"end of a long list stands on the last line", 25, 10, {{Op::End}}, 25, 10, 25, false, true},
        {"one page down keeps the screen line", 25, 10, {{Op::Down}, {Op::PgDn}}, 12, 2, 12, false, false},
        {"a short last page counts only what it passed", 25, 10, {{Op::PgDn}, {Op::PgDn}}, 16, 1, 16, false, false},
        {"then the end", 25, 10, {{Op::PgDn}, {Op::PgDn}, {Op::PgDn}}, 25, 10, 25, false, true},
        {"page up from the end", 25, 10, {{Op::End}, {Op::PgUp}}, 15, 10, 15, false, false},
        {"page up near the start goes to item 1", 25, 10, {{Op::Down}, {Op::Down}, {Op::PgUp}}, 1, 1, 1, false, false},
        {"home after end", 25, 10, {{Op::End}, {Op::Home}}, 1, 1, 1, true, false},
        {"a click moves to the clicked line", 25, 10, {{Op::Click, 5}}, 5, 5, 5, false, false},
        {"a click below the last item does nothing", 3, 10, {{Op::Click, 8}}, 1, 1, 1, false, false},
        {"25,000 items: thumb 5000 is item 12,500", 25000, 10, {{Op::Thumb, 5000}}, 12500, 1, 5000, false, false},
        {"600,000 items: thumb 5000 is item 300,000", 600000, 10, {{Op::Thumb, 5000}}, 300000, 1, 5000, false, false},
        {"600,000 items: thumb 9990 (no 32-bit overflow)", 600000, 10, {{Op::Thumb, 9990}}, 599400, 1, 9990, false,
         false},
        {"600,000 items: the thumb's lowest stop is the end", 600000, 10, {{Op::Thumb, 9991}}, 600000, 10, 10000,
         false, true},
        {"25 items in 10 lines: the thumb stops at 16, the end", 25, 10, {{Op::Thumb, 16}}, 25, 10, 25, false, true},
        {"25 items: thumb 15 is item 15", 25, 10, {{Op::Thumb, 15}}, 15, 1, 15, false, false},
        {"600,000 items: thumb at the maximum goes to the end", 600000, 10, {{Op::Thumb, 10000}}, 600000, 10, 10000,
         false, true},
        {"600,000 items: thumb 1 goes to the top", 600000, 10, {{Op::End}, {Op::Thumb, 1}}, 1, 1, 1, true, false},
        {"600,000 items: from the thumb a page down moves a page", 600000, 10, {{Op::Thumb, 5000}, {Op::PgDn}},
         300010, 1, 5000, false, false},
        {"5 items in 2 lines: thumb 3", 5, 2, {{Op::Thumb, 3}}, 3, 1, 3, false, false},
        {"3 items in 10 lines: the thumb stops at 2, the end", 3, 10, {{Op::Thumb, 2}}, 3, 3, 3, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        List l(c.count, c.rows);
        for (const Step& st : c.steps) run(l, st);
        EXPECT_EQ(l.at, c.at);
        EXPECT_EQ(l.s.nRowPos, c.rowPos);
        EXPECT_EQ(l.s.nVScrollPos, c.at);
        EXPECT_EQ(l.bar(), c.bar);
        EXPECT_EQ(l.s.lHitTop, c.hitTop);
        EXPECT_EQ(l.s.lHitBottom, c.hitBottom);
    }
}

TEST(BrowseModel, AnEmptyListIgnoresEveryMove) {
    List l(0);
    for (Op op : {Op::Up, Op::Down, Op::Home, Op::End, Op::PgUp, Op::PgDn, Op::Thumb, Op::Click}) {
        EXPECT_TRUE(run(l, {op, 3}).empty());
    }
    EXPECT_EQ(l.s.nRowPos, 1);
    int lines = 0;
    EXPECT_EQ(browsePaintLines(l.s, l.src, [&](int) { ++lines; }), 0);
    EXPECT_EQ(lines, 0);
}

TEST(BrowseModel, MovesReportTheChangeOnceAndTheBarFollows) {
    List l(3);
    const BrowseEffects down = run(l, {Op::Down});
    ASSERT_EQ(down.size(), 3u);
    EXPECT_EQ(down[0], (BrowseEffect{Kind::RedrawLines, 1, 2}));
    EXPECT_EQ(down[1], (BrowseEffect{Kind::VScroll, 3, 2, 2}));
    EXPECT_EQ(down[2].kind, Kind::Changed);
    run(l, {Op::Down});
    // Hitting the bottom still reports once; the next move is ignored.
    const BrowseEffects hit = run(l, {Op::Down});
    ASSERT_EQ(hit.size(), 2u);
    EXPECT_EQ(hit[1].kind, Kind::Changed);
    EXPECT_TRUE(run(l, {Op::Down}).empty());
}

TEST(BrowseModel, DownOnTheLastLineScrollsTheLines) {
    List l(25, 3);
    run(l, {Op::Down});
    run(l, {Op::Down});
    const BrowseEffects e = run(l, {Op::Down});
    ASSERT_FALSE(e.empty());
    EXPECT_EQ(e[0], (BrowseEffect{Kind::ScrollLines, -1}));
    EXPECT_EQ(l.s.nRowPos, 3);
    EXPECT_EQ(l.at, 4);
}

// Whatever the user does, the remembered position is the current item and
// the current line is within the view: the thumb never lies.
TEST(BrowseModel, ScrollPositionStaysTrueOverRandomMoves) {
    std::mt19937 rng(7);
    for (int count : {1, 2, 9, 10, 11, 25, 10001, 25000, 600000}) {
        SCOPED_TRACE(count);
        List l(count, 10);
        for (int i = 0; i < 400; ++i) {
            const Op op = static_cast<Op>(rng() % 8);
            const int arg = op == Op::Thumb ? static_cast<int>(rng() % 10001) : static_cast<int>(rng() % 12);
            run(l, {op, arg});
            ASSERT_EQ(l.s.nVScrollPos, l.at) << "step " << i << " op " << static_cast<int>(op);
            ASSERT_GE(l.s.nRowPos, 1);
            ASSERT_LE(l.s.nRowPos, std::min(10, l.at));
            ASSERT_LE(l.bar(), 10000);
        }
    }
}

TEST(BrowseModel, ScaledBarMapsBothWaysWithinOneBarStep) {
    struct Case {
        std::int64_t count, item;
        int bar;
    };
    const Case cases[] = {{9999, 9999, 9999},    {10000, 10000, 10000}, {25000, 12500, 5000},
                          {600000, 600000, 10000}, {600000, 60, 1},       {1000000, 999999, 9999},
                          {2000000000, 1999999999, 9999}};
    for (const Case& c : cases) {
        EXPECT_EQ(browseBarOfItem(c.item, c.count), c.bar) << c.count;
        const int back = browseItemOfBar(c.bar, c.count);
        EXPECT_LE(back, c.item);
        EXPECT_GT(back + c.count / kBrowseScrollLimit + 1, c.item);
    }
    EXPECT_EQ(browseScrollMax(0), 1);
    EXPECT_EQ(browseScrollMax(600000), 10000);
}

TEST(BrowseModel, GrowingCountClearsTheBottomLatchAndKeepsTheThumbTrue) {
    List l(3);
    run(l, {Op::End});
    EXPECT_TRUE(l.s.lHitBottom);
    l.count = 30000;
    const BrowseEffects e = browseRefreshCount(l.s, l.src);
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0], (BrowseEffect{Kind::VScroll, 10000, 10, 1}));  // item 3 of 30,000
    run(l, {Op::End});
    EXPECT_EQ(l.at, 30000);
    EXPECT_EQ(l.bar(), 10000);
}

TEST(BrowseModel, PaintingVisitsOnlyTheVisibleItems) {
    List l(1000000);
    run(l, {Op::Thumb, 5000});
    run(l, {Op::Down});
    run(l, {Op::Down});
    ASSERT_EQ(l.s.nRowPos, 3);
    std::vector<int> painted;
    const int lines = browsePaintLines(l.s, l.src, [&](int line) { painted.push_back(l.at * 100 + line); });
    EXPECT_EQ(lines, 10);
    ASSERT_EQ(painted.size(), 10u);
    EXPECT_EQ(painted.front(), 500000 * 100 + 1);
    EXPECT_EQ(painted.back(), 500009 * 100 + 10);
    EXPECT_EQ(l.at, 500002);
    // A current line lower than the items above allow moves up.
    List s(3);
    s.s.nRowPos = 8;
    s.at = 2;
    EXPECT_EQ(browsePaintLines(s.s, s.src, [](int) {}), 3);
    EXPECT_EQ(s.s.nRowPos, 2);
    EXPECT_EQ(s.at, 2);
}

TEST(BrowseModel, WheelScrollsColumnsInTheLowestFifth) {
    struct Case {
        int y, delta;
        bool middle;
        BrowseWheel move;
    };
    const Case cases[] = {{85, 120, false, BrowseWheel::ColumnLeft},  {99, -120, false, BrowseWheel::ColumnRight},
                          {50, 120, false, BrowseWheel::LineUp},      {50, -120, false, BrowseWheel::LineDown},
                          {50, 120, true, BrowseWheel::PageUp},       {10, -120, true, BrowseWheel::PageDown}};
    for (const Case& c : cases) EXPECT_EQ(browseWheel(c.y, 100, c.delta, c.middle), c.move) << c.y;
}

BrowseState columns(std::vector<int> sizes, int width, int len = 5) {
    BrowseState s;
    s.colSizes = std::move(sizes);
    s.nClientWidth = width;
    s.nVScrollWidth = 16;
    s.nLen = len;
    return s;
}

TEST(BrowseModel, CellsAreClippedAndTheLastColumnFillsTheLine) {
    BrowseState s = columns({50, 60, 70}, 150);
    EXPECT_EQ(browseCells(s), (std::vector<BrowseCell>{{1, 0, 50}, {2, 50, 60}, {3, 110, 24}}));
    s.nLen = 1;  // no bar space with a single item
    EXPECT_EQ(browseCells(s).back(), (BrowseCell{3, 110, 40}));
    s = columns({50, 60, 70}, 400);
    EXPECT_EQ(browseCells(s).back(), (BrowseCell{3, 110, 274}));
    s.nColPos = 2;
    EXPECT_EQ(browseCells(s).front(), (BrowseCell{2, 0, 60}));
    struct Hit {
        int x, col;
    };
    for (const Hit& h : {Hit{0, 1}, Hit{1, 2}, Hit{60, 2}, Hit{61, 3}, Hit{500, 3}})
        EXPECT_EQ(browseAtCol(s, h.x), h.col) << h.x;
}

TEST(BrowseModel, ColumnBordersDragButNeverBelowFivePixels) {
    BrowseState s = columns({50, 60, 70}, 400);
    EXPECT_EQ(browseBorderAt(s, 51), 1);
    EXPECT_EQ(browseBorderAt(s, 109), 2);
    EXPECT_EQ(browseBorderAt(s, 80), 0);
    browseResizeColumn(s, 1, 30);
    EXPECT_EQ(s.colSizes[0], 80);
    browseResizeColumn(s, 2, -200);
    EXPECT_EQ(s.colSizes[1], 5);
}

TEST(BrowseModel, LeftAndRightMoveTheActiveColumnIntoView) {
    BrowseState line = columns({100, 100, 100, 100}, 266);
    browseGoRight(line, 4);
    EXPECT_EQ(line.nColAct, 2);
    EXPECT_EQ(line.nColPos, 2);  // whole-line style scrolls by one
    BrowseState cell = columns({100, 100, 100, 100}, 266);
    cell.lCellStyle = true;
    const BrowseEffects e = browseGoRight(cell, 4);
    EXPECT_EQ(cell.nColPos, 1);
    EXPECT_EQ(e[0].kind, Kind::RedrawLines);
    browseGoRight(cell, 4);
    EXPECT_EQ(cell.nColAct, 3);
    EXPECT_EQ(cell.nColPos, 2);
    browseGoLeft(cell, 4);
    EXPECT_EQ(cell.nColAct, 2);
    EXPECT_EQ(cell.nColPos, 2);
    browseGoLeft(cell, 4);
    EXPECT_EQ(cell.nColPos, 1);
    EXPECT_TRUE(browseGoLeft(cell, 4).empty());
    struct Case {
        int code, pos, colPos;
    };
    for (const Case& c : {Case{7, 0, 4}, Case{6, 0, 1}, Case{4, 3, 3}, Case{3, 0, 3}}) {
        BrowseState h = columns({100, 100, 100, 100}, 266);
        if (c.code == 3) h.nColPos = 1;
        const BrowseEffects he = browseHScroll(h, 4, c.code, c.pos);
        EXPECT_EQ(h.nColPos, c.colPos) << c.code;
        EXPECT_EQ(h.nColAct, c.colPos);
        EXPECT_EQ(he.back(), (BrowseEffect{Kind::HScroll, 4, c.colPos}));
    }
}

TEST(BrowseModel, FlingPlanFromTheDragSpeed) {
    struct Case {
        int rows;
        std::int64_t ms;
        int steps;
        double factor;
        bool towardStart;
    };
    const Case cases[] = {
        {-20, 250, 40, 4.0, false},  // velocity 320: 40 items, 4 ms per step number
        {20, 250, 40, 4.0, true},    // a downward drag shows earlier items
        {-10, 500, 10, 16.0, false}, // velocity 80
        {-5, 1000, 0, 0, false},     // velocity 20: no fling
        {-50, 0, 0, 0, false},       // no time measured: no fling
        {0, 100, 0, 0, false},
    };
    for (const Case& c : cases) {
        const BrowseFling f = browseFlingPlan(c.rows, c.ms);
        EXPECT_EQ(f.steps, c.steps) << c.rows << "/" << c.ms;
        EXPECT_DOUBLE_EQ(f.pauseFactor, c.factor);
        if (c.steps) {
            EXPECT_EQ(f.towardStart, c.towardStart);
        }
    }
}

TEST(BrowseModel, FlingStepsWaitLongerEachStepAndStopAtTheEndOrWhenGone) {
    const BrowseFling f = browseFlingPlan(-20, 250);
    // An injected clock: the waits are recorded, nothing sleeps.
    std::vector<int> waits;
    int moved = 0;
    EXPECT_EQ(browseRunFling(
                  f, [&] { return ++moved, true; }, [&](int ms) { return waits.push_back(ms), true; }),
              40);
    ASSERT_EQ(waits.size(), 40u);
    EXPECT_EQ(waits[0], 4);
    EXPECT_EQ(waits[9], 40);
    EXPECT_EQ(waits[29], 120);
    EXPECT_EQ(waits[39], 120);

    // The list ends after 7 steps.
    List l(8);
    BrowseFling down = f;
    int steps = browseRunFling(
        down, [&] { return !browseGoDown(l.s, l.src).empty() && !l.s.lHitBottom; }, [](int) { return true; });
    EXPECT_EQ(steps, 7);
    EXPECT_EQ(l.at, 8);

    // The browse is destroyed while a wait drains messages: no further step.
    bool alive = true;
    int after = 0;
    steps = browseRunFling(
        f,
        [&] {
            if (!alive) ++after;
            return true;
        },
        [&](int) {
            alive = false;
            return alive;
        });
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(after, 0);
}

}  // namespace
