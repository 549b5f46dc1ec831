// The window-free part of a button bar: where it docks, where its buttons
// stand, the caption and bitmap places of a button, and what it writes to
// its profile.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "value.hpp"
#include "window_units.hpp"

namespace wl {

// Where a docked button bar goes in its parent's client area (w by h): the
// bar's own client size is bw by bh; the message bar's height counts when
// there is one. Mode 1 top, 2 left, 3 right, 4 bottom; any other mode
// leaves the bar where it is.
std::optional<DockPlace> barAdjustPlace(int mode, int w, int h, int bw, int bh, bool msgBar, int msgBarHeight);

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

// Up to four bitmap values as a list of exactly four: a list holding one
// list is that list; missing and empty entries (nothing, "") become 0.
ValueList CHECKARRAY(const ValueList& list);

}  // namespace wl
