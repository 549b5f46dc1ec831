// The arithmetic of window placement and browse rows, apart from the
// Windows calls that feed it: centring a window, counting and finding rows
// of a given height, the screen rectangle of one browse cell and the band
// a browse scrolls.
#pragma once

#include <optional>
#include <vector>

namespace wl {

// A rectangle in the library's order {top, left, bottom, right}.
struct RectArray {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const RectArray&, const RectArray&) = default;
};

// A point as {row, column}, that is {y, x}.
struct RowCol {
    int row = 0;
    int col = 0;
    friend bool operator==(const RowCol&, const RowCol&) = default;
};

// The top-left corner that centres a window rectangle on a reference
// rectangle; each half is truncated on its own, as the placement has
// always been computed.
RowCol centredOrigin(const RectArray& window, const RectArray& reference);

// Whole rows of `rowHeight` pixels in a client area `clientHeight` high,
// taken as an unsigned 16-bit number.
int rowsInHeight(int clientHeight, int rowHeight);
// The row (from 0) that holds pixel row y.
int rowAtPixel(int y, int clientTop, int rowHeight);

// The screen rectangle of the cell at row `row` and column `col` of a
// browse whose window rectangle is `window`: columns are laid out from the
// window's left edge starting at column `firstCol` with the widths of
// `colSizes` (column n has width colSizes[n-1]); the last column reaches the
// window's right edge, and a right edge at or past it is drawn 18 pixels
// short of it (room for the vertical scroll bar). Nothing for column 0 or a
// column past the widths.
std::optional<RectArray> browseCellRect(const RectArray& window, int rowHeight, int row,
                                        const std::vector<int>& colSizes, int firstCol, int col);

// The band of a client rectangle that whole rows scroll in: below the
// header row when there is one, cut at the last whole row.
RectArray rowScrollBand(const RectArray& client, int rowHeight, bool headerRow);

}  // namespace wl
