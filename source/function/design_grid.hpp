// Design mode arithmetic: the grid that controls snap to, the eight resize
// handles around a control, and the rectangle a move or a resize gives.
// Handles are numbered 1 to 8 clockwise from the top-left corner.
#pragma once

#include <array>
#include <optional>

#include "rect_math.hpp"

namespace wl {

struct GridSize {
    int width = 8, height = 8;
};

// The design grid of the process (8 by 8 at start). A step below 1 is
// ignored: it would make every snap divide by zero.
void SETGRIDSIZE(int nWidth, int nHeight);
GridSize GETGRIDSIZE();

// The value cut down to a whole multiple of the step (toward zero).
int snapToGrid(int value, int step);

// Where DOTSADJUST puts the 5 by 5 handle windows, in the client
// coordinates of a control of that window size.
struct DotPlace {
    int x = 0, y = 0;
};
std::array<DotPlace, 8> dotPlaces(int width, int height);

// The predefined cursor name of a handle ("" outside 1..8).
const char* dotCursorName(int handle);

// The control rectangle moved by (rows, cols) when handle is 0, else with
// the edges of the handle moved to the point (row, col).
RectList designFrame(const RectList& r, int handle, int rows, int cols, int row, int col);

// Whether a handle moves the top or the left edge (1, 2, 3, 7 and 8: a
// resize through them also moves the window's origin).
bool handleMovesOrigin(int handle);

// The step (rows, cols) an arrow key moves a control in design mode.
struct GridStep {
    int rows = 0, cols = 0;
};
std::optional<GridStep> arrowKeyStep(int key, const GridSize& grid);

// A press followed by a move of more than 5 pixels in a direction.
bool dragThresholdPassed(int fromRow, int fromCol, int row, int col);

}  // namespace wl
