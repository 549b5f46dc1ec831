// The tools' dialogs laid out in text rows and columns: a cell of the
// controls' grid is 8 design pixels wide and 12 high.
#pragma once

#include <memory>
#include <string>

#include "viewer_dialog.hpp"

namespace zr {

inline constexpr double kCellWidth = 8, kCellHeight = 12;
// The design pixel where text row / column n (from 1) begins.
inline double rowAt(double row) { return (row - 1) * kCellHeight + 4; }
inline double colAt(double col) { return (col - 1) * kCellWidth + 4; }

// A dialog of `rows` x `cols` text cells.
inline std::unique_ptr<ViewerDialog> newTextDialog(const std::string& caption, int rows, int cols) {
    return std::make_unique<ViewerDialog>(caption, 2 * kCellWidth * cols, 2 * kCellHeight * rows);
}

}  // namespace zr
