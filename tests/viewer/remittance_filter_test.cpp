#include "remittance_filter.hpp"

#include <gtest/gtest.h>

using zr::CTL39404AA;

TEST(RemittanceFilter, SpecialForms) {
    struct Case {
        std::string filter, value;
        bool special, passes;
    };
    const Case cases[] = {
        {"#1:2:AB", "abcdef", true, true},  {"#3:2:CD", "ABCDEF", true, true}, {"#3:2:CE", "ABCDEF", true, false},
        {"#9:2:AB", "ABC", true, false},    {">M", "N", true, true},           {">M", "A", true, false},
        {"<M", "A", true, true},            {"<M", "Z", true, false},          {"PAT", "PAT", false, false},
        {"#1:2", "AB", true, false},        {"#2:0:", "AB", true, true},       {"", "A", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CTL39404AA(1, c.filter, ""), c.special) << c.filter;
        if (c.special) {
            EXPECT_EQ(CTL39404AA(2, c.filter, c.value), c.passes) << c.filter << " " << c.value;
        }
    }
}
