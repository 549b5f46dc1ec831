// The arithmetic of the library's bars, kept apart from the screen so that
// it is checked natively: docking a button bar, the bands of a banded
// gradient, the caption and bitmap places of a bar button, the places of
// message-bar panels, and the resource line a message bar shows in its
// window's title.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "colors.hpp"
#include "window_units.hpp"

namespace wl {

// Where a docked button bar goes in its parent's client area (w by h): the
// bar's own client size is bw by bh; the message bar's height counts when
// there is one. Mode 1 top, 2 left, 3 right, 4 bottom; any other mode
// leaves the bar where it is.
std::optional<DockPlace> barAdjustPlace(int mode, int w, int h, int bw, int bh, bool msgBar, int msgBarHeight);

// The rows (or columns) a band fills, both ends included.
struct GradientSpan {
    int start = 0, end = 0;
    Color from = 0, to = 0;
    bool operator==(const GradientSpan&) const = default;
};
// The spans of the bands over {top, left, bottom, right}: each band takes
// its fraction of the whole extent after the previous one; the last runs
// to the end; bands past the end are not filled.
std::vector<GradientSpan> gradientFillSpans(int top, int left, int bottom, int right,
                                            const GradientSpec& bands, bool vertical = true);

// The caption and bitmap places of a bar button of client size W by H.
struct ButtonFace {
    int dx = 0, dy = 0;  // bitmap offset made by the caption
    int tx = 0, ty = 0;  // caption position
};
// Layout 1 caption below, 2 right, 3 above, 4 left, any other centred;
// without a caption ty is H.
ButtonFace buttonFace(int layout, int W, int H, std::optional<std::pair<int, int>> captionSize);
// The bitmap's natural top-left corner {x, y}.
std::pair<int, int> buttonBitmapOrigin(const ButtonFace& f, int W, int clientTop, bool popup, int bitmapWidth,
                                       int bitmapHeight);

// The left edge of panel `index` (from 0) of a message bar whose right
// edge is barRight: the panels stand right-aligned in list order.
// `narrow` is for a maximised window without visual styles.
int msgItemLeft(int barRight, const std::vector<int>& widths, std::size_t index, bool narrow = false);
// Whether a point is on a panel (the top rows of the bar are not).
bool msgItemIsOver(int left, int width, int row, int col);

// Seconds a program has run: days are counted from any fixed origin; a
// clock set back gives 0.
std::int64_t runningSeconds(std::int64_t startDay, int startSecs, std::int64_t nowDay, int nowSecs);
// "H hours M mins S secs ".
std::string runningTimeText(std::int64_t seconds);
// A whole number with thousands separators ("1,234,567").
std::string thousands(std::uint64_t n);
// The message bar's resource line for the window title.
std::string resourceLine(int bits, std::uint64_t memUsed, std::uint64_t memMax, int freeResources,
                         std::int64_t seconds);


// ---- button bars ----

// Docking modes of a button bar.
inline constexpr int kBarTop = 1, kBarLeft = 2, kBarRight = 3, kBarBottom = 4, kBarFloat = 5;
// The mode of a word ("TOP", "LEFT", "RIGHT", "BOTTOM", "FLOAT"); top for
// any other.
int barModeOf(std::string_view word);

// The look of a bar: classic 3-D is the 3-D flag without an office look.
struct BarLook {
    int btnWidth = 28, btnHeight = 28;
    bool classic3D = false;
    bool office = false;
};

// The rectangle {top, left, bottom, right} of a new bar in a client area.
std::array<int, 4> barNewRect(int mode, int clientWidth, int clientHeight, int btnWidth, int btnHeight, bool l3D);
// The size a re-docked bar takes: {width, height} (width 0 for top and
// bottom bars: the window's width).
std::pair<int, int> barDockSize(int mode, const BarLook& look, bool anyPopup);

// One button as the layout sees it.
struct BarButton {
    int width = 28;
    bool group = false;  // starts a group
    bool popup = false;  // has a drop-down arrow
};
// The top of the next button added to a bar with `count` buttons and
// `groups` group gaps.
int barBtnTop(int mode, const BarLook& look, int count, int groups, bool group);
// The {top, left} of every button after a new layout.
std::vector<std::pair<int, int>> barButtonPlaces(int mode, const BarLook& look, const std::vector<BarButton>& buttons);
// The client size of a floating bar's tool window for the buttons.
std::pair<int, int> barFloatSize(const BarLook& look, const std::vector<BarButton>& buttons, int captionHeight);

// What a bar writes to its profile: the key "1" of section "ButtonBar"
// and one "Button<i>" key per button in section "ButtonBar.<name>".
struct BarButtonIni {
    std::string resName1, resName2, bmpFile1, bmpFile2, message, action;
    bool group = false, adjust = false;
    std::string toolTip;
    bool pressed = false;
};
std::string barIniEntry(const std::string& name, int mode);
std::string barButtonIniValue(const BarButtonIni& b);

}  // namespace wl
