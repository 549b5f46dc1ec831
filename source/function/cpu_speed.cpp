#include "cpu_speed.hpp"

#include <cmath>

namespace wl {

double rawCpuRateMHz(std::uint64_t cycles, std::uint64_t ticks, std::uint64_t frequency) {
    if (ticks == 0) return 0.0;
    return static_cast<double>(cycles) / static_cast<double>(ticks) * static_cast<double>(frequency) / 1000000.0;
}

int roundCpuSpeed(double r) {
    constexpr double step = 50.0 / 3.0;  // 16.666...
    long long n = static_cast<long long>((r + step / 2.0) / step);
    n = static_cast<long long>(static_cast<double>(n) * step + 0.5);
    // 66.666 rounds to 67, but parts are sold as 66, 166, 266 ... (667 is real).
    if (n % 100 == 67 && n != 667) n -= 1;
    if (r < 200.0) {
        // Older parts came in 15 MHz steps.
        long long m = static_cast<long long>((r + 15.0) / 30.0);
        m = static_cast<long long>(static_cast<double>(m) * 15.0 + 0.5);
        if (std::fabs(static_cast<double>(m) - r) < std::fabs(static_cast<double>(n) - r)) n = m;
    }
    if (std::fabs(75.0 - r) < std::fabs(static_cast<double>(n) - r)) n = 75;
    if (n < 50) n = std::llround(r);
    return static_cast<int>(n);
}

}  // namespace wl
