// TRect: a rectangle value {top, left, bottom, right} with inclusive edges,
// convertible to and from the Windows RECT.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "rect_math.hpp"

namespace wl {

// cRect is laid out as RECT.
static_assert(sizeof(RECT) == 16 && offsetof(RECT, left) == 0 && offsetof(RECT, top) == 4 &&
              offsetof(RECT, right) == 8 && offsetof(RECT, bottom) == 12);

class TRect {
public:
    TRect() = default;
    TRect(std::int32_t top, std::int32_t left, std::int32_t bottom, std::int32_t right)
        : aRect{top, left, bottom, right} {}
    explicit TRect(const RectList& rect) : aRect(rect) {}
    explicit TRect(const RECT& r) : aRect{r.top, r.left, r.bottom, r.right} {}

    std::int32_t nTop() const { return aRect[kRectTop]; }
    std::int32_t nLeft() const { return aRect[kRectLeft]; }
    std::int32_t nBottom() const { return aRect[kRectBottom]; }
    std::int32_t nRight() const { return aRect[kRectRight]; }
    void _nTop(std::int32_t v) { aRect[kRectTop] = v; }
    void _nLeft(std::int32_t v) { aRect[kRectLeft] = v; }
    void _nBottom(std::int32_t v) { aRect[kRectBottom] = v; }
    void _nRight(std::int32_t v) { aRect[kRectRight] = v; }

    std::int32_t nHeight() const { return rectHeight(aRect); }
    std::int32_t nWidth() const { return rectWidth(aRect); }
    void _nHeight(std::int32_t h) { setRectHeight(aRect, h); }  // moves the bottom edge
    void _nWidth(std::int32_t w) { setRectWidth(aRect, w); }    // moves the right edge

    // The 16-byte Windows rectangle (left, top, right, bottom).
    std::string cRect() const { return rectBytes(aRect); }
    void _cRect(std::string_view bytes) { aRect = rectFromBytes(bytes); }
    RECT toRECT() const { return RECT{nLeft(), nTop(), nRight(), nBottom()}; }

    void MoveBy(std::int32_t rows, std::int32_t cols) { moveRectBy(aRect, rows, cols); }
    void MoveTo(std::int32_t top, std::int32_t left) { moveRectTo(aRect, top, left); }

    bool operator==(const TRect& other) const { return aRect == other.aRect; }
    // Edge n, counted from 1 (top) to 4 (right) as the rectangle lists are.
    std::int32_t& operator[](std::size_t n) { return aRect.at(n - 1); }
    std::int32_t operator[](std::size_t n) const { return aRect.at(n - 1); }

    RectList aRect{};
};

}  // namespace wl
