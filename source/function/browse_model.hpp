// The window-free part of the record and array browse: where the current
// item stands on the screen, the latch flags at both ends, the scroll-bar
// position, the visible columns, the fling after a fast drag.
// A browse knows its data only through four navigation closures (go to the
// first item, go to the last, skip n, count), so every move here goes
// through them and answers the effects the window must show: lines to
// redraw, lines to scroll, the scroll bars, and the change to report.
// The window applies them in order; painting only reads this state.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace wl {

// The navigation closures. `skip` moves by n items and answers the signed
// number actually moved; missing closures move nothing and count nothing.
struct BrowseSource {
    std::function<void()> goTop;
    std::function<void()> goBottom;
    std::function<int(int)> skip;
    std::function<int()> logicLen;

    int Skip(int n) const { return skip && n ? skip(n) : 0; }
    int count() const { return logicLen ? logicLen() : 0; }
    void top() const {
        if (goTop) goTop();
    }
    void bottom() const {
        if (goBottom) goBottom();
    }
};

// Closures over an in-memory list and its 1-based index `at` (the browse's
// SetArray): go-top 1, go-bottom the count, skip clamped to 1..count.
BrowseSource arrayBrowseSource(int& at, std::function<int()> count);

struct BrowseState {
    int nRowPos = 1;     // screen line of the current item, 1-based
    int nColPos = 1;     // first visible column
    int nColAct = 1;     // active column
    int nLen = 0;        // item count last read
    int nRowCount = 0;   // whole data lines that fit (0 without a window)
    bool lHitTop = false, lHitBottom = false;
    bool lCellStyle = false;
    // The current item's position in items (1-based, 0 before any), kept
    // true on every move by the real movement, whatever the bar's scale.
    int nVScrollPos = 0;
    // Columns: pixel widths, the client width and the vertical bar's width
    // that the last column leaves free.
    std::vector<int> colSizes;
    int nClientWidth = 0;
    int nVScrollWidth = 0;
};

// The vertical bar runs 1..count but at most 1..10000: above that an item
// position is scaled, computed in 64 bits so that a million items at bar
// position 9999 still land on the right item.
inline constexpr int kBrowseScrollLimit = 10000;
int browseScrollMax(int count);
int browseBarOfItem(std::int64_t item, std::int64_t count);
int browseItemOfBar(std::int64_t bar, std::int64_t count);

struct BrowseEffect {
    enum class Kind {
        Redraw,       // the header and every data line, without erasing
        RedrawLines,  // data lines a..b
        ScrollLines,  // the data lines move by a lines (positive: down)
        VScroll,      // the vertical bar: max a, page b, position c (bar units)
        HScroll,      // the horizontal bar: max a, position b
        Changed       // a move happened: the change closure runs
    };
    Kind kind = Kind::Redraw;
    int a = 0, b = 0, c = 0;
    bool operator==(const BrowseEffect&) const = default;
};
using BrowseEffects = std::vector<BrowseEffect>;

// The vertical bar as it must stand now.
BrowseEffect browseVScroll(const BrowseState& s);

// The count re-read; the bar follows when it changed (the Display step).
BrowseEffects browseRefreshCount(BrowseState& s, const BrowseSource& src);
BrowseEffects browseGoUp(BrowseState& s, const BrowseSource& src);
BrowseEffects browseGoDown(BrowseState& s, const BrowseSource& src);
BrowseEffects browseGoTop(BrowseState& s, const BrowseSource& src);
BrowseEffects browseGoBottom(BrowseState& s, const BrowseSource& src);
BrowseEffects browsePageUp(BrowseState& s, const BrowseSource& src);
// Advances the scroll position by the items really passed, so that the
// thumb stays true on a short last page.
BrowseEffects browsePageDown(BrowseState& s, const BrowseSource& src);
// The thumb released at bar position `bar`; the highest position the
// thumb reaches (the maximum less the page) goes to the last item.
BrowseEffects browseThumb(BrowseState& s, const BrowseSource& src, int bar);
// A click on data line `line`; nothing below the last item.
BrowseEffects browseClickLine(BrowseState& s, const BrowseSource& src, int line, int col = 0);
// The window got `rows` whole data lines: the current line stays on screen.
BrowseEffects browseSetRowCount(BrowseState& s, int rows);

enum class BrowseKey { Up, Down, Left, Right, Home, End, PageUp, PageDown };
BrowseEffects browseKey(BrowseState& s, const BrowseSource& src, BrowseKey key, bool ctrl);

// A wheel turn: in the lowest fifth of the browse it scrolls columns, with
// the middle button held it pages, else one line.
enum class BrowseWheel { ColumnLeft, ColumnRight, PageUp, PageDown, LineUp, LineDown };
BrowseWheel browseWheel(int y, int height, int delta, bool middleButton);

// ---- columns ----
struct BrowseCell {
    int col = 0;  // 1-based column
    int x = 0, width = 0;
    bool operator==(const BrowseCell&) const = default;
};
// Usable width: the client less the vertical bar when the list is longer
// than one item.
int browseUsableWidth(const BrowseState& s);
// The cells of one line from nColPos on, the last extended to the usable
// width; columns past the sizes are not shown.
std::vector<BrowseCell> browseCells(const BrowseState& s);
// The column under client x (nColPos - 1 for x 0 or less).
int browseAtCol(const BrowseState& s, int x);
bool browseColVisible(const BrowseState& s, int col);
// The column whose right border lies within 1 pixel of x, 0 for none.
int browseBorderAt(const BrowseState& s, int x);
// A column border dragged by dx pixels; never narrower than 5 pixels.
void browseResizeColumn(BrowseState& s, int col, int dx);
BrowseEffects browseGoLeft(BrowseState& s, int count);
BrowseEffects browseGoRight(BrowseState& s, int count);
// The horizontal bar's codes: 0 left, 1 right, 2 page left, 3 page right,
// 4 thumb at `pos`, 6 first, 7 last.
BrowseEffects browseHScroll(BrowseState& s, int count, int code, int pos);

// ---- kinetic fling ----
struct BrowseFlingParams {
    int nStopRatio = 4;
    int nMaxRowToAdvance = 40;
    int nMinVelocity = 50;
};
struct BrowseFling {
    int steps = 0;             // items to advance, 0 for no fling
    double pauseFactor = 0;    // milliseconds per step number
    bool towardStart = false;  // a downward drag shows earlier items
};
// The fling after a drag of `rows` lines (end minus start) in `elapsedMs`.
BrowseFling browseFlingPlan(int rows, std::int64_t elapsedMs, const BrowseFlingParams& p = {});
// The pause after step n (1-based): n times the factor, at most 120 ms.
int browseFlingPause(const BrowseFling& f, int step);
// Runs the fling: `step` moves one item and answers false at an end of the
// list; `wait` pauses (the window drains its messages there) and answers
// false when the fling must stop: a click arrived or the browse is gone.
// Nothing touches the browse after a wait that answered false.
int browseRunFling(const BrowseFling& f, const std::function<bool()>& step,
                   const std::function<bool(int ms)>& wait);

// ---- painting ----
// Walks the visible items once for painting: back to the top line, then
// `paint(line)` for each line while items remain, then back to the current
// item. A current line that stood lower than the items allow moves up.
// Only visible items are visited, however long the list.
int browsePaintLines(BrowseState& s, const BrowseSource& src, const std::function<void(int line)>& paint);

}  // namespace wl
