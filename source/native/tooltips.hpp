// Stand-alone tooltips: a "tooltips_class32" window that shows a text while
// the mouse rests over a window's client area.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "colors.hpp"

namespace wl {

// A tooltip owned by hWnd with one tool over its whole client rectangle,
// activated, at most 120 pixels wide; balloon-shaped with lBalloon. 0 when
// hWnd is no window or the control cannot be made.
HWND CREATETOOLTIP(HWND hWnd, const std::string& cText, bool lBalloon = false);

// What a window's tooltip shows: the text, and optionally a title with its
// icon (TTI_ number, 1 information) and the colours.
struct ToolTipText {
    std::string text;
    std::string title;
    int icon = 1;
    std::optional<Color> fore, back;
};

// The tooltip of a window's cToolTip: as CREATETOOLTIP, at most 300 pixels
// wide, shown after nDelay milliseconds of rest, with the title and colours.
HWND showWindowToolTip(HWND hWnd, const ToolTipText& tip, bool lBalloon, int nDelay);

// Shows the tooltip's first tool at once at a point of the screen (a
// tracked tip) instead of where the mouse rests.
void TOOLTIPAT(HWND hTip, int nX, int nY);

// The text of the tooltip's first tool ("" when none); before common
// controls 6 the control hands out its first 79 characters only.
std::string toolTipText(HWND hTip);

}  // namespace wl
