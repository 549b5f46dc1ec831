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

// One section of a gradient: the fraction of the extent it covers and its
// two colours.
struct GradientStep {
    double fraction = 1.0;
    Color from = 0;
    Color to = 0;
};
using GradientSpec = std::vector<GradientStep>;

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

class TBrush {
public:
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

    void End();
    void Release() { End(); }
    // Sizes a picture or gradient to the window's client area; answers the
    // area and adds its origin to x and y.
    RECT Resize(HWND hWnd, int* originX = nullptr, int* originY = nullptr);
    bool SameAs(const TBrush& o) const;
    bool operator==(const TBrush& o) const { return SameAs(o); }
    std::string cGenPRG(const std::string& name) const;
};

const std::vector<std::shared_ptr<TBrush>>& brushPool();

}  // namespace wl
