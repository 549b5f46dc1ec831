// The processor clock rate from a cycle count measured over a timed wait,
// rounded to the marketed speeds (multiples of 16.666... MHz, 15 MHz steps
// for slow parts, 75 MHz).
#pragma once

#include <cstdint>

namespace wl {

// The raw rate in MHz: cycles / counter ticks x counter frequency / 1,000,000.
// 0 when no tick passed.
double rawCpuRateMHz(std::uint64_t cycles, std::uint64_t ticks, std::uint64_t frequency);

// The raw rate rounded to the nearest marketed speed in MHz.
int roundCpuSpeed(double rawMHz);

}  // namespace wl
