// Amounts of X12 texts added exactly: a whole number of units of the
// smallest decimal place met, so 0.10 + 0.20 is 0.30 and never 0.30000000000000004.
#pragma once

#include <string>
#include <string_view>

namespace zr {

struct DecimalAmount {
    long long units = 0;  // the amount times 10^decimals
    int decimals = 0;

    // The number at the start of a text (blanks, a sign, digits, a point and
    // digits); 0 when there is none. More than six decimals are cut.
    static DecimalAmount parse(std::string_view text);
    // The sum keeps the larger number of decimals of the two.
    DecimalAmount& operator+=(const DecimalAmount& other);
    // Without leading blanks, with `decimals` places ("60", "0.30", "-1.5").
    std::string text() const;
};

}  // namespace zr
