// TBrush: one GDI brush, pooled and use-counted: a solid colour (stock
// brushes for the five greys), a hatch, a pattern from a bitmap, a file or a
// resource, or a gradient that is repainted at the size of the window.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "colors.hpp"

namespace wl {

class TWindow;


struct BrushSpec {
    std::string cStyle;
    std::optional<Color> nRGBColor;
    std::string cBmpFile;
    std::string cBmpRes;
    std::variant<std::monostate, HBITMAP, GradientSpec> xSource;
    std::string cResize;
};

// A bitmap of the size painted with the gradient (vertical by default).
HBITMAP GRADIENTBMP(HDC hDC, int width, int height, const GradientSpec& grad, bool vertical = true);
// Paints a gradient of several sections over a rectangle.
void paintGradient(HDC hDC, const RECT& r, const GradientSpec& grad, bool vertical);

// A resized copy of a bitmap: mode 0 keeps its size, 1 stretches, 2 scales
// by the larger ratio (filling), 3 by the smaller (fitting). A missing
// (0) width or height follows the picture's proportions.
HBITMAP RESIZEBITMAP(HBITMAP bitmap, int width = 0, int height = 0, int mode = 1);
// A pattern brush from a gradient one pixel wide (vertical) or high.
HBRUSH GRADIENTBRUSH(HDC hDC, int top, int left, int width, int height, const GradientSpec& colors,
                     bool vertical = true);
// The part of a bitmap inside a rectangle.
HBITMAP CROPBMP(HBITMAP bitmap, const RECT& r);

class TBrush {
public:
    // The object is the one owner of its handles: End deletes them when the
    // last user goes, and an object dropped with users still counted deletes
    // them as it goes (never twice, never copied).
    TBrush() = default;
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;
    ~TBrush();

    static std::shared_ptr<TBrush> New(BrushSpec spec = {});

    HBRUSH hBrush = nullptr;
    HBITMAP hBitmap = nullptr;
    HBITMAP hBmpOrgl = nullptr;
    int nBmpFormat = 0;
    int nCount = 0;
    std::string cStyle;
    std::optional<Color> nRGBColor;
    std::string cBmpFile, cBmpRes;
    bool lSystem = false;
    GradientSpec aGrad;
    std::string uSource;
    int nResizeMode = 0;
    RECT oRect{};
    bool fromBitmapHandle = false;
    // A bitmap the brush made for itself from another (Resized, Cropped):
    // deleted with the brush, though it came in as a handle.
    bool ownsBitmap = false;

    void End();
    void Release() { End(); }
    // Sizes a picture or gradient to the window's client area; answers the
    // area and adds its origin to x and y.
    RECT Resize(HWND hWnd, int* originX = nullptr, int* originY = nullptr);
    // A brush that does not resize answers itself; another a new brush of
    // the same source with a copy of the first bitmap.
    std::shared_ptr<TBrush> Copy(const std::shared_ptr<TBrush>& self) const;
    // A new brush from a copy of the first bitmap resized as RESIZEBITMAP
    // does; none for a brush without a bitmap.
    std::shared_ptr<TBrush> Resized(int width, int height, int mode = 1) const;
    // A new brush from the part r of the picture or gradient sized to the
    // window; a brush that does not resize answers Copy.
    std::shared_ptr<TBrush> Cropped(const std::shared_ptr<TBrush>& self, HWND hWnd, const RECT& r);
    bool SameAs(const TBrush& o) const;
    bool operator==(const TBrush& o) const { return SameAs(o); }
    std::string cGenPRG(const std::string& name) const;

private:
    // Deletes what End deletes (the brush, and the bitmaps it owns).
    void deleteHandles();
};

const std::vector<std::shared_ptr<TBrush>>& brushPool();

}  // namespace wl
