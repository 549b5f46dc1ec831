#include "window_units.hpp"

#include <array>
#include <cmath>

#include "text.hpp"

namespace wl {

int unitsToPixels(double units, double factor) { return static_cast<int>(units * factor); }

int pixelsToDialogUnits(int pixels, int units, int baseUnit) {
    if (baseUnit == 0) return 0;
    return static_cast<int>(static_cast<long long>(units) * pixels / baseUnit);
}

std::uint32_t defaultWindowStyle(const WindowStyleRequest& r) {
    std::uint32_t style = 0x2000000;  // WS_CLIPCHILDREN
    const std::string border = upper(r.border);
    if (border == "NONE") style |= 0x80000000u;  // WS_POPUP
    if (border == "SINGLE") style |= 0x40000;    // WS_THICKFRAME
    if (r.caption) {
        style |= 0xC00000;                   // WS_CAPTION
        if (r.sysMenu) style |= 0x80000;     // WS_SYSMENU
        if (r.minBox) style |= 0x20000;      // WS_MINIMIZEBOX
        if (r.maxBox) style |= 0x10000;      // WS_MAXIMIZEBOX
    }
    if (r.vScroll) style |= 0x200000;  // WS_VSCROLL
    if (r.hScroll) style |= 0x100000;  // WS_HSCROLL
    return style;
}

std::optional<ShowMode> matchShowMode(std::string_view show) {
    static constexpr std::array<std::string_view, 4> names = {"HIDDEN", "NORMAL", "ICONIZED", "MAXIMIZED"};
    const std::string wanted = upper(show);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (prefixMatch(names[i], wanted)) return static_cast<ShowMode>(i);
    return std::nullopt;
}

DockPlace WNDADJTOP(const DockParent& p, bool nativeBar, int ownHeight) {
    const int at = nativeBar ? 0 : -1;
    return {at, at, p.clientWidth + 2, ownHeight};
}

DockPlace WNDADJBOTTOM(const DockParent& p, int ownHeight) {
    int y = p.clientHeight - ownHeight + 1;
    if (!p.topLevel) --y;
    return {-1, y, p.clientWidth + 2, ownHeight};
}

DockPlace WNDADJLEFT(const DockParent& p, std::optional<int> topHeight, std::optional<int> bottomHeight, int ownWidth) {
    const int t = topHeight ? *topHeight + 1 : 0;
    const int b = bottomHeight.value_or(0);
    int y = t - 2;
    if (!p.topLevel) --y;
    return {0, y, ownWidth, p.clientHeight + 1 + (p.topLevel ? 1 : 0) - t - b};
}

DockPlace WNDADJRIGHT(const DockParent& p, std::optional<int> topHeight, std::optional<int> bottomHeight,
                      int ownWidth) {
    const int t = topHeight.value_or(0);
    const int b = bottomHeight.value_or(0);
    const int y = p.topLevel ? t : t - 1;
    return {p.clientWidth - ownWidth, y, ownWidth, p.clientHeight + 1 + (p.topLevel ? 1 : 0) - t - b};
}

DockPlace WNDADJCLIENT(const DockParent& p, const DockClientEdges& e, bool flag, int bevel) {
    const int t = e.topHeight ? *e.topHeight + (e.topIsToolbar ? 2 : 0) : 0;
    const int b = e.bottomHeight.value_or(0);
    const int l = e.leftWidth ? *e.leftWidth - 1 : 0;
    const int r = e.rightWidth.value_or(0);
    const int w = p.clientWidth;
    const int h = p.clientHeight;
    if (bevel >= 1) return {l + bevel, t + bevel, w - l - r - 2 * bevel, h - t - b - 2 * bevel};
    if (!p.topLevel || flag)
        return {l, e.topHeight ? t - 2 : 0, w - l - r, h - t - b + 1 + (e.topHeight ? 1 : 0)};
    return {l - 1, e.topHeight ? t - 2 : -1, w - l - r + 2, h - t - b + 3};
}

int boldWeight(int weight, bool bold) { return bold && weight < 700 ? 700 : weight; }

double fontPointSize(int height, int pixelsPerInch) {
    if (pixelsPerInch <= 0) return 0;
    double size = -static_cast<double>(height) * 72.0 / pixelsPerInch;
    const double whole = std::floor(size);
    const double fraction = size - whole;
    if (fraction == 0.25) return whole;
    if (fraction != 0) return size + 0.25;
    return size;
}

std::optional<PredefinedCursor> predefinedCursor(std::string_view name) {
    struct Entry {
        std::string_view name;
        PredefinedCursor cursor;
    };
    static const std::array<Entry, 15> table = {{
        {"ARROW", {32512, LibraryCursor::None}},    {"IBEAM", {32513, LibraryCursor::None}},
        {"WAIT", {32514, LibraryCursor::None}},     {"CROSS", {32515, LibraryCursor::None}},
        {"UPARROW", {32516, LibraryCursor::None}},  {"SIZE", {32646, LibraryCursor::None}},
        {"ICON", {32641, LibraryCursor::None}},     {"SIZENWSE", {32642, LibraryCursor::None}},
        {"SIZENESW", {32643, LibraryCursor::None}}, {"SIZEWE", {32644, LibraryCursor::None}},
        {"SIZENS", {32645, LibraryCursor::None}},   {"HAND", {0, LibraryCursor::Hand}},
        {"STOP", {0, LibraryCursor::Stop}},         {"DRAG", {0, LibraryCursor::Drag}},
        {"SEARCH", {0, LibraryCursor::Search}},
    }};
    const std::string wanted = upper(name);
    if (wanted.empty()) return std::nullopt;
    for (const auto& e : table)
        if (wanted == e.name) return e.cursor;
    for (const auto& e : table)
        if (prefixMatch(wanted, e.name)) return e.cursor;
    return std::nullopt;
}

}  // namespace wl
