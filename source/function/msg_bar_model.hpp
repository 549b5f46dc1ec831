// The window-free part of a message bar: the places of its panels and the
// resource line it shows in its window's title.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wl {

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

}  // namespace wl
