#include "design_grid.hpp"

#include <cstdlib>
#include "process_state.hpp"

namespace wl {
namespace {

GridSize& grid() {
    return processState().designGrid.get<GridSize>();
}

// Virtual-key codes of the arrow keys.
constexpr int kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40;

}  // namespace

void SETGRIDSIZE(int nWidth, int nHeight) {
    if (nWidth >= 1) grid().width = nWidth;
    if (nHeight >= 1) grid().height = nHeight;
}

GridSize GETGRIDSIZE() { return grid(); }

int snapToGrid(int value, int step) { return step < 1 ? value : value / step * step; }

std::array<DotPlace, 8> dotPlaces(int w, int h) {
    return {{{-3, -2},
             {w / 2 - 2, -2},
             {w - 3, -2},
             {w - 3, h / 2 - 2},
             {w - 3, h - 3},
             {w / 2 - 2, h - 3},
             {-3, h - 3},
             {-3, h / 2 - 2}}};
}

const char* dotCursorName(int handle) {
    switch (handle) {
    case 1:
    case 5: return "SIZENWSE";
    case 2:
    case 6: return "SIZENS";
    case 3:
    case 7: return "SIZENESW";
    case 4:
    case 8: return "SIZEWE";
    default: return "";
    }
}

RectList designFrame(const RectList& r, int handle, int rows, int cols, int row, int col) {
    RectList f = r;
    if (handle < 1 || handle > 8) {
        moveRectBy(f, rows, cols);
        return f;
    }
    const bool top = handle <= 3, bottom = handle >= 5 && handle <= 7;
    const bool left = handle == 1 || handle == 7 || handle == 8, right = handle >= 3 && handle <= 5;
    if (top) f[kRectTop] = row;
    if (bottom) f[kRectBottom] = row;
    if (left) f[kRectLeft] = col;
    if (right) f[kRectRight] = col;
    return f;
}

bool handleMovesOrigin(int handle) {
    return handle == 1 || handle == 2 || handle == 3 || handle == 7 || handle == 8;
}

std::optional<GridStep> arrowKeyStep(int key, const GridSize& g) {
    switch (key) {
    case kKeyLeft: return GridStep{0, -g.width};
    case kKeyRight: return GridStep{0, g.width};
    case kKeyUp: return GridStep{-g.height, 0};
    case kKeyDown: return GridStep{g.height, 0};
    default: return std::nullopt;
    }
}

bool dragThresholdPassed(int fromRow, int fromCol, int row, int col) {
    return std::abs(row - fromRow) > 5 || std::abs(col - fromCol) > 5;
}

}  // namespace wl
