// Rectangle arithmetic on the library's rectangle lists {top, left, bottom,
// right}. Edges are inclusive: a rectangle from row 10 to row 29 is 20 high.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace wl {

using RectList = std::array<std::int32_t, 4>;  // {top, left, bottom, right}

enum RectEdge { kRectTop = 0, kRectLeft = 1, kRectBottom = 2, kRectRight = 3 };

inline std::int32_t rectHeight(const RectList& r) { return r[kRectBottom] - r[kRectTop] + 1; }
inline std::int32_t rectWidth(const RectList& r) { return r[kRectRight] - r[kRectLeft] + 1; }
// Move the bottom or right edge so that the rectangle gets that size.
inline void setRectHeight(RectList& r, std::int32_t h) { r[kRectBottom] = r[kRectTop] + h - 1; }
inline void setRectWidth(RectList& r, std::int32_t w) { r[kRectRight] = r[kRectLeft] + w - 1; }

// Shifts all edges.
void moveRectBy(RectList& r, std::int32_t rows, std::int32_t cols);
// Moves the top-left corner, keeping the size.
void moveRectTo(RectList& r, std::int32_t top, std::int32_t left);

// The 16-byte Windows rectangle: left, top, right, bottom, each 32-bit
// little-endian.
std::string rectBytes(const RectList& r);
// Reads one; a shorter text leaves the missing edges 0.
RectList rectFromBytes(std::string_view bytes);

}  // namespace wl
