// Colour numbers (red + green * 256 + blue * 65536), colour attribute texts
// such as "W+/B", and the band plan of a linear gradient. Portable so that
// the arithmetic is checked without a screen.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace wl {

using Color = std::uint32_t;

Color NRGB(int red, int green, int blue);
int NRGBRED(Color c);
int NRGBGREEN(Color c);
int NRGBBLUE(Color c);

// The attribute byte of a colour attribute text: foreground in the low four
// bits, background in the high four.
int COLORATTRIBUTE(std::string_view attribute);
Color NGETFORERGB(std::string_view attribute);
Color NGETBACKRGB(std::string_view attribute);
// The colour of a four-bit attribute value (1 blue, 2 green, 4 red, 8 bright).
Color attributeColor(int nibble);

// Each component moved towards 255 by nAmount / 255 of the distance.
Color LIGHTERCOLOR(int nAmount, Color c);

// One section of a banded gradient: the fraction of the extent it covers
// and its two colours.
struct GradientStep {
    double fraction = 1.0;
    Color from = 0;
    Color to = 0;
};
using GradientSpec = std::vector<GradientStep>;

// One solid band of a gradient: it covers the rows (or columns) `start` to
// `end`, both included.
struct GradientBand {
    int start = 0;
    int end = 0;
    Color color = 0;
};

// The bands painted for a rectangle {top, left, bottom, right}. The last
// band reaches the bottom (right) coordinate itself, one past the
// rectangle, and neighbouring bands share a row that takes the later colour;
// callers rely on that edge.
std::vector<GradientBand> gradientBands(int top, int left, int bottom, int right, Color from, Color to,
                                        bool vertical);

}  // namespace wl
