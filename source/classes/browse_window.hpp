// What the list browse (TWBrowse) and the grid browse (TXBrowse) do alike
// on their windows: measuring column widths in their font, painting solid
// cells and pausing between the steps of a fling.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "colors.hpp"

namespace wl {

// The width in pixels of `letters` letters "B" (at least one) in `font`
// (the window's own when null), measured on the window's device context.
int browseLettersWidth(HWND hWnd, HFONT font, int letters);

// Fills `r` with a solid colour.
void browseFillSolid(HDC dc, const RECT& r, Color colour);

// The wait between a fling's steps: sleeps, then runs the program's
// messages. A mouse message from `stopFirst` to `stopLast` for the browse
// stops the fling (taken from the queue when `stopPeek` is PM_REMOVE, left
// there for the browse with PM_NOREMOVE), as do the browse's closing
// (`alive` false) and its window's end.
std::function<bool(int ms)> browseFlingWait(std::shared_ptr<bool> alive, HWND self, UINT stopFirst, UINT stopLast,
                                            UINT stopPeek);

}  // namespace wl
