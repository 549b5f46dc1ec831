// The window-free part of the meter: the value it keeps, the fill it paints
// and its label.
#pragma once

#include <string>

namespace wl {

// The meter: a value clamped to 0..total, the whole percentage (0..100, a
// total of 0 counts as 1), the width of the filled part and the label.
double meterValue(double value, double total);
int meterPercent(double value, double total);
int meterFillWidth(int width, int percent);
std::string meterLabel(const std::string& text, bool percentage, int percent);
// Whether a Set with this value repaints: a total other than 0 and a value of
// at least 1 % of it.
bool meterRepaints(double value, double total);

}  // namespace wl
