#include "browse_model.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace wl {

namespace {

using Kind = BrowseEffect::Kind;

// Lines of the view; a browse without a window still has one.
int lines(const BrowseState& s) { return std::max(1, s.nRowCount); }

int clampItem(std::int64_t item, int count) {
    return static_cast<int>(std::clamp<std::int64_t>(item, count > 0 ? 1 : 0, count));
}

BrowseEffect redraw() { return {Kind::Redraw}; }
BrowseEffect redrawLines(int a, int b) { return {Kind::RedrawLines, std::min(a, b), std::max(a, b)}; }
BrowseEffect changed() { return {Kind::Changed}; }

// Keeps the view within the data: the current line moves up when fewer
// items than its line number stand above it.
void settleRow(BrowseState& s, const BrowseSource& src) {
    const int back = src.Skip(-(s.nRowPos - 1));
    src.Skip(-back);
    s.nRowPos = 1 - back;
}

// The scroll position and the change report that close every move.
void finishMove(BrowseEffects& e, const BrowseState& s) {
    e.push_back(browseVScroll(s));
    e.push_back(changed());
}

}  // namespace

BrowseSource arrayBrowseSource(int& at, std::function<int()> count) {
    BrowseSource src;
    src.goTop = [&at] { at = 1; };
    src.goBottom = [&at, count] { at = count(); };
    src.skip = [&at, count](int n) {
        const int len = count();
        if (len == 0) return 0;
        const int from = std::clamp(at, 1, len);
        at = std::clamp<std::int64_t>(static_cast<std::int64_t>(from) + n, 1, len);
        return at - from;
    };
    src.logicLen = std::move(count);
    return src;
}

// ------------------------------------------------------------- scroll bar

int browseScrollMax(int count) { return std::clamp(count, 1, kBrowseScrollLimit); }

int browseBarOfItem(std::int64_t item, std::int64_t count) {
    if (count <= kBrowseScrollLimit) return static_cast<int>(item);
    return static_cast<int>(item * kBrowseScrollLimit / count);
}

int browseItemOfBar(std::int64_t bar, std::int64_t count) {
    if (count <= kBrowseScrollLimit) return static_cast<int>(bar);
    return static_cast<int>(bar * count / kBrowseScrollLimit);
}

BrowseEffect browseVScroll(const BrowseState& s) {
    const int page = std::max(0, std::min(s.nRowCount, s.nLen - 1));
    const int pos = std::max(1, browseBarOfItem(std::max(1, s.nVScrollPos), s.nLen));
    return {Kind::VScroll, browseScrollMax(s.nLen), page, pos};
}

BrowseEffects browseRefreshCount(BrowseState& s, const BrowseSource& src) {
    const int len = src.count();
    if (len == s.nLen) return {};
    if (len > s.nLen) s.lHitBottom = false;
    s.nLen = len;
    s.nVScrollPos = clampItem(s.nVScrollPos == 0 ? 1 : s.nVScrollPos, len);
    return {browseVScroll(s)};
}

// ------------------------------------------------------------- navigation

BrowseEffects browseGoUp(BrowseState& s, const BrowseSource& src) {
    s.nLen = src.count();
    if (s.nLen == 0 || s.lHitTop) return {};
    BrowseEffects e;
    if (src.Skip(-1) != 0) {
        s.lHitBottom = false;
        if (s.nRowPos > 1) {
            e.push_back(redrawLines(s.nRowPos - 1, s.nRowPos));
            --s.nRowPos;
        } else {
            e.push_back({Kind::ScrollLines, 1});
            e.push_back(redrawLines(1, 2));
        }
        s.nVScrollPos = clampItem(s.nVScrollPos - 1, s.nLen);
    } else {
        s.lHitTop = true;
    }
    finishMove(e, s);
    return e;
}

BrowseEffects browseGoDown(BrowseState& s, const BrowseSource& src) {
    s.nLen = src.count();
    if (s.nLen == 0 || s.lHitBottom) return {};
    BrowseEffects e;
    if (src.Skip(1) != 0) {
        s.lHitTop = false;
        if (s.nRowPos < lines(s)) {
            e.push_back(redrawLines(s.nRowPos, s.nRowPos + 1));
            ++s.nRowPos;
        } else {
            e.push_back({Kind::ScrollLines, -1});
            e.push_back(redrawLines(lines(s) - 1, lines(s)));
        }
        s.nVScrollPos = clampItem(s.nVScrollPos + 1, s.nLen);
    } else {
        s.lHitBottom = true;
    }
    finishMove(e, s);
    return e;
}

BrowseEffects browseGoTop(BrowseState& s, const BrowseSource& src) {
    s.nLen = src.count();
    if (s.nLen == 0 || s.lHitTop) return {};
    src.top();
    s.lHitTop = true;
    s.lHitBottom = false;
    s.nRowPos = 1;
    s.nVScrollPos = 1;
    BrowseEffects e{redraw()};
    finishMove(e, s);
    return e;
}

BrowseEffects browseGoBottom(BrowseState& s, const BrowseSource& src) {
    const int before = s.nLen;
    s.nLen = src.count();
    if (s.nLen > before) s.lHitBottom = false;
    if (s.nLen == 0 || s.lHitBottom) return {};
    s.lHitBottom = true;
    s.lHitTop = false;
    src.bottom();
    // The last item stands on the last line of a full page, or on its own
    // line in a short list.
    const int back = src.Skip(-(lines(s) - 1));
    src.Skip(-back);
    s.nRowPos = 1 - back;
    s.nVScrollPos = s.nLen;
    BrowseEffects e{redraw()};
    finishMove(e, s);
    return e;
}

BrowseEffects browsePageUp(BrowseState& s, const BrowseSource& src) {
    const int n = lines(s);
    const int moved = src.Skip(-n);
    s.nLen = src.count();
    if (s.nLen == 0) return {};
    if (s.lHitTop) {
        s.nVScrollPos = 1;
        return {browseVScroll(s)};
    }
    if (moved == 0) {
        s.lHitTop = true;
        return {};
    }
    s.lHitBottom = false;
    if (-moved < n) {
        s.nRowPos = 1;
        s.nVScrollPos = 1;
    } else {
        s.nVScrollPos = clampItem(s.nVScrollPos + moved, s.nLen);
        settleRow(s, src);
    }
    BrowseEffects e{redraw()};
    finishMove(e, s);
    return e;
}

BrowseEffects browsePageDown(BrowseState& s, const BrowseSource& src) {
    const int n = lines(s);
    s.nLen = src.count();
    if (s.nLen == 0 || s.lHitBottom) return {};
    const int wanted = 2 * n - s.nRowPos;  // the last line of the next page
    const int moved = src.Skip(wanted);
    if (moved != 0) s.lHitTop = false;
    if (moved < n) {
        // The end is near: the last item becomes current, on its line in
        // the view or on the last line.
        s.nRowPos = std::min(s.nRowPos + moved, n);
        s.lHitBottom = true;
        s.nVScrollPos = s.nLen;
    } else {
        // One page down, the current item on the same screen line.
        const int back = src.Skip(-(n - s.nRowPos));
        // Short of the next page's last line means the end was reached.
        s.nVScrollPos = clampItem(moved < wanted ? s.nLen + back : s.nVScrollPos + moved + back, s.nLen);
    }
    BrowseEffects e{redraw()};
    finishMove(e, s);
    return e;
}

BrowseEffects browseThumb(BrowseState& s, const BrowseSource& src, int bar) {
    s.nLen = src.count();
    if (s.nLen == 0) return {};
    if (bar <= 1) {
        s.lHitTop = false;
        return browseGoTop(s, src);
    }
    // With a page the bar's thumb stops at max - page + 1: that is the end.
    const BrowseEffect bar0 = browseVScroll(s);
    if (bar >= bar0.a - std::max(0, bar0.b - 1)) {
        s.lHitBottom = false;
        return browseGoBottom(s, src);
    }
    const int target = clampItem(browseItemOfBar(bar, s.nLen), s.nLen);
    const int from = clampItem(s.nVScrollPos == 0 ? 1 : s.nVScrollPos, s.nLen);
    s.nVScrollPos = clampItem(from + src.Skip(target - from), s.nLen);
    s.lHitTop = s.lHitBottom = false;
    const int n = lines(s);
    if (s.nVScrollPos - 1 < n) {
        s.nRowPos = 1;
    } else if (s.nLen - s.nVScrollPos < n) {
        s.nRowPos = std::min(n, s.nVScrollPos);
    }
    settleRow(s, src);
    BrowseEffects e{redraw()};
    finishMove(e, s);
    return e;
}

BrowseEffects browseClickLine(BrowseState& s, const BrowseSource& src, int line, int col) {
    s.nLen = src.count();
    if (s.nLen == 0 || line < 1 || line > lines(s)) return {};
    const int delta = line - s.nRowPos;
    BrowseEffects e;
    if (delta != 0) {
        const int moved = src.Skip(delta);
        if (moved != delta) {  // below the last item
            src.Skip(-moved);
            return {};
        }
        e.push_back(redrawLines(s.nRowPos, line));
        s.nRowPos = line;
        s.nVScrollPos = clampItem(s.nVScrollPos + moved, s.nLen);
    } else if (!s.lCellStyle) {
        return {};
    }
    if (s.lCellStyle && col > 0) {
        s.nColAct = col;
        e.push_back(redrawLines(line, line));
    }
    s.lHitTop = s.lHitBottom = false;
    finishMove(e, s);
    return e;
}

BrowseEffects browseSetRowCount(BrowseState& s, int rows) {
    s.nRowCount = std::max(0, rows);
    s.nRowPos = std::clamp(s.nRowPos, 1, lines(s));
    return {redraw(), browseVScroll(s)};
}

BrowseEffects browseKey(BrowseState& s, const BrowseSource& src, BrowseKey key, bool ctrl) {
    const int count = static_cast<int>(s.colSizes.size());
    switch (key) {
    case BrowseKey::Up: return browseGoUp(s, src);
    case BrowseKey::Down: return browseGoDown(s, src);
    case BrowseKey::Left: return s.nLen ? browseGoLeft(s, count) : BrowseEffects{};
    case BrowseKey::Right: return s.nLen ? browseGoRight(s, count) : BrowseEffects{};
    case BrowseKey::Home: return browseGoTop(s, src);
    case BrowseKey::End: return browseGoBottom(s, src);
    case BrowseKey::PageUp: return ctrl ? browseGoTop(s, src) : browsePageUp(s, src);
    case BrowseKey::PageDown: return ctrl ? browseGoBottom(s, src) : browsePageDown(s, src);
    }
    return {};
}

BrowseWheel browseWheel(int y, int height, int delta, bool middleButton) {
    if (height > 0 && y > height - height / 5) return delta > 0 ? BrowseWheel::ColumnLeft : BrowseWheel::ColumnRight;
    if (middleButton) return delta > 0 ? BrowseWheel::PageUp : BrowseWheel::PageDown;
    return delta > 0 ? BrowseWheel::LineUp : BrowseWheel::LineDown;
}

// ---------------------------------------------------------------- columns

int browseUsableWidth(const BrowseState& s) {
    return s.nClientWidth - (s.nLen > 1 ? s.nVScrollWidth : 0);
}

std::vector<BrowseCell> browseCells(const BrowseState& s) {
    std::vector<BrowseCell> cells;
    const int usable = browseUsableWidth(s);
    const int count = static_cast<int>(s.colSizes.size());
    int x = 0;
    for (int col = std::max(1, s.nColPos); col <= count && x <= usable; ++col) {
        int width = s.colSizes[static_cast<std::size_t>(col - 1)];
        if (col == count || x + width > usable) width = std::max(0, usable - x);
        cells.push_back({col, x, width});
        x += s.colSizes[static_cast<std::size_t>(col - 1)];
    }
    return cells;
}

int browseAtCol(const BrowseState& s, int x) {
    if (x <= 0) return s.nColPos - 1;
    const int count = static_cast<int>(s.colSizes.size());
    int sum = 0;
    for (int col = std::max(1, s.nColPos); col <= count; ++col) {
        sum += s.colSizes[static_cast<std::size_t>(col - 1)];
        if (sum >= x) return col;
    }
    return count;
}

bool browseColVisible(const BrowseState& s, int col) {
    if (col < s.nColPos || col > static_cast<int>(s.colSizes.size())) return false;
    int right = 0;
    for (int c = s.nColPos; c <= col; ++c) right += s.colSizes[static_cast<std::size_t>(c - 1)];
    return right <= s.nClientWidth - s.nVScrollWidth;
}

int browseBorderAt(const BrowseState& s, int x) {
    int right = 0;
    for (const BrowseCell& c : browseCells(s)) {
        right = c.x + s.colSizes[static_cast<std::size_t>(c.col - 1)];
        if (std::abs(x - right) <= 1) return c.col;
    }
    return 0;
}

void browseResizeColumn(BrowseState& s, int col, int dx) {
    if (col < 1 || col > static_cast<int>(s.colSizes.size())) return;
    int& w = s.colSizes[static_cast<std::size_t>(col - 1)];
    w = std::max(5, w + dx);
}

namespace {
BrowseEffect hscroll(const BrowseState& s, int count) { return {Kind::HScroll, std::max(1, count), s.nColAct}; }
}  // namespace

BrowseEffects browseGoLeft(BrowseState& s, int count) {
    if (s.nColAct <= 1) return {};
    if (s.lCellStyle && browseColVisible(s, s.nColAct - 1)) {
        --s.nColAct;
        return {redrawLines(s.nRowPos, s.nRowPos), hscroll(s, count)};
    }
    --s.nColAct;
    s.nColPos = std::max(1, std::min(s.nColPos - 1, s.nColAct));
    return {redraw(), hscroll(s, count)};
}

BrowseEffects browseGoRight(BrowseState& s, int count) {
    if (s.nColAct >= count) return {};
    ++s.nColAct;
    const bool wasVisible = browseColVisible(s, s.nColAct);
    while (!browseColVisible(s, s.nColAct) && s.nColPos < s.nColAct) ++s.nColPos;
    if (!s.lCellStyle) {
        s.nColPos = s.nColAct;
        return {redraw(), hscroll(s, count)};
    }
    if (wasVisible) return {redrawLines(s.nRowPos, s.nRowPos), hscroll(s, count)};
    return {redraw(), hscroll(s, count)};
}

BrowseEffects browseHScroll(BrowseState& s, int count, int code, int pos) {
    switch (code) {
    case 0: return browseGoLeft(s, count);
    case 1: return browseGoRight(s, count);
    case 2: {
        const int first = s.nColPos;
        while (s.nColPos > 1) {
            --s.nColPos;
            if (!browseColVisible(s, first)) {
                ++s.nColPos;
                break;
            }
        }
        break;
    }
    case 3: {
        int next = s.nColPos;
        while (next < count && browseColVisible(s, next)) ++next;
        s.nColPos = std::max(s.nColPos, next == s.nColPos ? std::min(count, next + 1) : next);
        break;
    }
    case 4: s.nColPos = std::clamp(pos, 1, std::max(1, count)); break;
    case 6: s.nColPos = 1; break;
    case 7: s.nColPos = std::max(1, count); break;
    default: return {};
    }
    s.nColAct = s.nColPos;
    return {redraw(), hscroll(s, count)};
}

// ---------------------------------------------------------------- fling

BrowseFling browseFlingPlan(int rows, std::int64_t elapsedMs, const BrowseFlingParams& p) {
    BrowseFling f;
    if (elapsedMs <= 0 || rows == 0) return f;
    const std::int64_t velocity = static_cast<std::int64_t>(std::abs(rows)) * 4000 / elapsedMs;
    if (velocity <= p.nMinVelocity) return f;
    f.steps = static_cast<int>(std::min<std::int64_t>(p.nMaxRowToAdvance, static_cast<std::int64_t>(velocity * 0.125)));
    if (f.steps <= 0) return f;
    f.pauseFactor = static_cast<double>(p.nStopRatio) * p.nMaxRowToAdvance / f.steps;
    f.towardStart = rows > 0;
    return f;
}

int browseFlingPause(const BrowseFling& f, int step) {
    return static_cast<int>(std::min(120.0, step * f.pauseFactor));
}

int browseRunFling(const BrowseFling& f, const std::function<bool()>& step, const std::function<bool(int ms)>& wait) {
    int done = 0;
    for (int n = 1; n <= f.steps; ++n) {
        if (!step()) break;
        ++done;
        if (!wait(browseFlingPause(f, n))) break;
    }
    return done;
}

// ---------------------------------------------------------------- painting

int browsePaintLines(BrowseState& s, const BrowseSource& src, const std::function<void(int line)>& paint) {
    s.nLen = src.count();
    if (s.nLen == 0) return 0;
    const int back = src.Skip(-(s.nRowPos - 1));
    s.nRowPos = 1 - back;
    int painted = 1;
    paint(1);
    while (painted < lines(s) && src.Skip(1) == 1) paint(++painted);
    src.Skip(s.nRowPos - painted);
    return painted;
}

}  // namespace wl
