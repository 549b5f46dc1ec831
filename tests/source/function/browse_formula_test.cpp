// The formula of a numeric cell: arithmetic only, whatever the text holds.
#include "browse_formula.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(BrowseFormula, ArithmeticOnly) {
    struct Case {
        std::string text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"=10%", 0.1},
        {"=2*(3+4)", 14},
        {"= 1.5 + 2.25 ", 3.75},
        {"=-3--2", -1},
        {"=100/8", 12.5},
        {"=50%*200", 100},
        {"7", 7},
        {"=1/0", std::nullopt},          // no infinity stored in a cell
        {"=1/(2-2)", std::nullopt},
        {"=FERASE(\"x\")", std::nullopt}, // never code
        {"=2+QOUT(1)", std::nullopt},
        {"=", std::nullopt},
        {"=2 3", std::nullopt},
        {"=(1+2", std::nullopt},
        {"=1.2.3", std::nullopt},
        {"=2**3", std::nullopt},
        {"=.", std::nullopt},
        {"=" + std::string(100000, '('), std::nullopt},  // no stack overflow
        {"=" + std::string(100000, '-') + "1", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(wl::browseFormulaValue(c.text), c.value) << c.text.substr(0, 20);
}

}  // namespace
