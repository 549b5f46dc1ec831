#include "decimal_amount.hpp"

namespace zr {

namespace {

constexpr int kMaxDecimals = 6;

long long scaled(long long units, int by) {
    for (int i = 0; i < by; ++i) units *= 10;
    return units;
}

}  // namespace

DecimalAmount DecimalAmount::parse(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    DecimalAmount a;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) a.units = a.units * 10 + (text[i] - '0');
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            if (a.decimals == kMaxDecimals) continue;
            a.units = a.units * 10 + (text[i] - '0');
            ++a.decimals;
        }
    }
    if (negative) a.units = -a.units;
    return a;
}

DecimalAmount& DecimalAmount::operator+=(const DecimalAmount& other) {
    if (other.decimals > decimals) {
        units = scaled(units, other.decimals - decimals);
        decimals = other.decimals;
    }
    units += scaled(other.units, decimals - other.decimals);
    return *this;
}

std::string DecimalAmount::text() const {
    const bool negative = units < 0;
    std::string digits = std::to_string(negative ? -units : units);
    if (decimals > 0) {
        if (digits.size() <= static_cast<std::size_t>(decimals))
            digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
        digits.insert(digits.end() - decimals, '.');
    }
    if (negative) digits.insert(digits.begin(), '-');
    return digits;
}

}  // namespace zr
