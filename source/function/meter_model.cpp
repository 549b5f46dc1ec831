#include "meter_model.hpp"

#include <algorithm>

#include "text.hpp"

namespace wl {

double meterValue(double value, double total) { return std::clamp(value, 0.0, std::max(total, 0.0)); }

int meterPercent(double value, double total) {
    if (total == 0) total = 1;
    const double p = value * 100.0 / total;
    if (!(p > 0)) return 0;  // also NaN
    return p >= 100 ? 100 : static_cast<int>(p);
}

int meterFillWidth(int width, int percent) {
    return static_cast<int>(static_cast<long long>(std::max(width, 0)) * std::clamp(percent, 0, 100) / 100);
}

std::string meterLabel(const std::string& text, bool percentage, int percent) {
    std::string label = text;
    // A single NUL is the meter's "no text".
    if (label.size() == 1 && label[0] == '\0') label.clear();
    if (!label.empty()) label += ' ';
    if (percentage) label += rightAligned(std::clamp(percent, 0, 100), 3) + "%";
    return label;
}

bool meterRepaints(double value, double total) { return total != 0 && value / total * 100.0 >= 1.0; }

}  // namespace wl
