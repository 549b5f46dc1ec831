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

}  // namespace wl
