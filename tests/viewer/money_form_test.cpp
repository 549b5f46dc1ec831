// The money form: ".00" unless a "." stands before the last character.
#include "money_form.hpp"

#include <gtest/gtest.h>

namespace {

TEST(MoneyForm, DecimalsAddedOnlyWithoutAPoint) {
    const std::pair<const char*, const char*> cases[] = {
        {"100", "100.00"}, {"75.5", "75.5"}, {"12.50", "12.50"}, {"0", "0.00"},
        {"12.", "12..00"},  // the point is the last character: it does not count
        {".5", ".5"},      {"", ".00"},      {"-20", "-20.00"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(zr::CTL39410W(in), out) << in;
}

}  // namespace
