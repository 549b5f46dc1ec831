// The portable arithmetic of windows: text units against pixels, the
// default window style, show modes, the docking of bars and controls to the
// edges of a window, font sizes and the predefined cursor names.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace wl {

// Pixels per text row and column of plain windows.
inline constexpr double kWindowRowPixels = 16;
inline constexpr double kWindowColPixels = 8;

// A position in text units turned into pixels by a class factor (the
// product truncated to a whole number).
int unitsToPixels(double units, double factor);
// Pixels in dialog units: whole part of units x pixels / baseUnit.
int pixelsToDialogUnits(int pixels, int units, int baseUnit);

// The style a window gets when none is given.
struct WindowStyleRequest {
    std::string_view border = "SINGLE";  // "NONE", "SINGLE"
    bool sysMenu = true;
    bool caption = true;
    bool minBox = true;
    bool maxBox = true;
    bool vScroll = false;
    bool hScroll = false;
};
std::uint32_t defaultWindowStyle(const WindowStyleRequest& r);

// Show modes by prefix: the mode name begins with the text ("" is HIDDEN).
enum class ShowMode { Hidden, Normal, Iconized, Maximized };
std::optional<ShowMode> matchShowMode(std::string_view show);

// Position and size that a docking operation gives a control.
struct DockPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const DockPlace&) const = default;
};

// The client area of the parent and whether the parent is top-level (has
// no parent of its own).
struct DockParent {
    int clientWidth = 0;
    int clientHeight = 0;
    bool topLevel = true;
};

DockPlace WNDADJTOP(const DockParent& p, bool nativeBar, int ownHeight);
DockPlace WNDADJBOTTOM(const DockParent& p, int ownHeight);
DockPlace WNDADJLEFT(const DockParent& p, std::optional<int> topHeight, std::optional<int> bottomHeight, int ownWidth);
DockPlace WNDADJRIGHT(const DockParent& p, std::optional<int> topHeight, std::optional<int> bottomHeight,
                      int ownWidth);
struct DockClientEdges {
    std::optional<int> topHeight;
    bool topIsToolbar = false;
    std::optional<int> bottomHeight;
    std::optional<int> leftWidth;
    std::optional<int> rightWidth;
};
DockPlace WNDADJCLIENT(const DockParent& p, const DockClientEdges& e, bool flag, int bevel);

// Font weight asked with bold: 700 when the weight is below it.
int boldWeight(int weight, bool bold);
// The point size of a font of logical height `height` on a screen of
// `pixelsPerInch`: a fraction of exactly 0.25 is dropped, any other gets
// 0.25 added.
double fontPointSize(int height, int pixelsPerInch);

// Predefined cursor names: the system cursor number or one of the
// library's own cursors.
enum class LibraryCursor { None, Hand, Stop, Drag, Search };
struct PredefinedCursor {
    int systemId = 0;  // IDC_ number, 0 for a library cursor
    LibraryCursor library = LibraryCursor::None;
};
// Exact name first, then the first table name that the given name begins
// with; upper-cased. Nothing for an unknown name.
std::optional<PredefinedCursor> predefinedCursor(std::string_view name);

}  // namespace wl
