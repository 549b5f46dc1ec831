#include "window_geometry.hpp"

namespace wl {

RowCol centredOrigin(const RectArray& window, const RectArray& reference) {
    return {reference.top + reference.height() / 2 - window.height() / 2,
            reference.left + reference.width() / 2 - window.width() / 2};
}

int rowsInHeight(int clientHeight, int rowHeight) {
    if (rowHeight <= 0) return 0;
    return (clientHeight / rowHeight) & 0xFFFF;
}

int rowAtPixel(int y, int clientTop, int rowHeight) {
    if (rowHeight <= 0) return 0;
    return (y - clientTop) / rowHeight;
}

std::optional<RectArray> browseCellRect(const RectArray& window, int rowHeight, int row,
                                        const std::vector<int>& colSizes, int firstCol, int col) {
    const int columns = static_cast<int>(colSizes.size());
    if (col <= 0 || col > columns) return std::nullopt;
    RectArray cell;
    cell.top = window.top + rowHeight * row;
    cell.bottom = cell.top + rowHeight;
    int left = window.left;
    int right = window.left;
    for (int c = firstCol < 1 ? 1 : firstCol; c <= col; ++c) {
        left = right;
        right = c == columns ? window.right : left + colSizes[static_cast<std::size_t>(c - 1)];
        if (right >= window.right) {
            right = window.right;
            break;
        }
    }
    cell.left = left;
    cell.right = right >= window.right ? window.right - 18 : right;
    return cell;
}

RectArray rowScrollBand(const RectArray& client, int rowHeight, bool headerRow) {
    RectArray band = client;
    if (rowHeight <= 0) return band;
    if (headerRow) band.top += rowHeight;
    int height = band.bottom - band.top;
    if (height < 0) height = 0;
    band.bottom = band.top + height / rowHeight * rowHeight;
    return band;
}

}  // namespace wl
