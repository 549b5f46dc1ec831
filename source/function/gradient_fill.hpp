// The bands of a banded gradient, as bars and panels paint them.
#pragma once

#include <vector>

#include "colors.hpp"

namespace wl {

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

// The office looks' bar face: 2007 (blue) or 2010 (white to grey), and the
// pressed (or selected) face of each.
const GradientSpec& officeBarGradient(bool office2010, bool pressed);

}  // namespace wl
