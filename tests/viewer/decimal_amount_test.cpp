// Exact sums of X12 amounts.
#include "decimal_amount.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

using zr::DecimalAmount;

TEST(DecimalAmount, SumsKeepTheDecimalsOfTheirParts) {
    struct SumCase {
        std::vector<std::string> parts;
        std::string total;
    };
    const std::vector<SumCase> cases = {
        {{"0.10", "0.20"}, "0.30"},
        {{"10", "20", "30"}, "60"},
        {{"150.5", "1"}, "151.5"},
        {{"100.00"}, "100.00"},
        {{"-5.25", "5"}, "-0.25"},
        {{"-5.25", "5.25"}, "0.00"},
        {{"0.01", "0.01", "0.01"}, "0.03"},
        {{}, "0"},
        {{"abc", " 12.5x"}, "12.5"},
        {{"1.999999999"}, "1.999999"},
    };
    for (const SumCase& c : cases) {
        DecimalAmount total;
        for (const std::string& p : c.parts) total += DecimalAmount::parse(p);
        EXPECT_EQ(total.text(), c.total);
    }
}

TEST(DecimalAmount, SmallAmountsKeepTheirLeadingZero) {
    EXPECT_EQ(DecimalAmount::parse(".5").text(), "0.5");
    EXPECT_EQ(DecimalAmount::parse("-0.05").text(), "-0.05");
}

}  // namespace
