#include "gradient_fill.hpp"

#include <algorithm>

namespace wl {

std::vector<GradientSpan> gradientFillSpans(int top, int left, int bottom, int right,
                                            const GradientSpec& bands, bool vertical) {
    std::vector<GradientSpan> out;
    const int first = vertical ? top : left;
    const int last = vertical ? bottom : right;
    const int extent = last - first + 1;
    int at = first;
    for (std::size_t i = 0; i < bands.size() && at <= last; ++i) {
        const bool final = i + 1 == bands.size();
        const int end = final ? last : std::min(last, static_cast<int>(at + extent * bands[i].fraction - 1));
        out.push_back({at, end, bands[i].from, bands[i].to});
        at = end + 1;
    }
    return out;
}

const GradientSpec& officeBarGradient(bool office2010, bool pressed) {
    static const GradientSpec g2007 = {{0.25, NRGB(219, 230, 244), NRGB(207, 221, 239)},
                                       {0.75, NRGB(201, 217, 237), NRGB(231, 242, 255)}};
    static const GradientSpec g2007p = {{0.25, NRGB(255, 253, 222), NRGB(255, 231, 151)},
                                        {0.75, NRGB(255, 215, 84), NRGB(255, 233, 162)}};
    static const GradientSpec g2010 = {{1, NRGB(255, 255, 255), NRGB(229, 233, 238)}};
    static const GradientSpec g2010p = {{0.4, NRGB(255, 253, 222), NRGB(255, 231, 147)},
                                        {0.6, NRGB(255, 215, 86), NRGB(255, 231, 153)}};
    if (office2010) return pressed ? g2010p : g2010;
    return pressed ? g2007p : g2007;
}

}  // namespace wl
