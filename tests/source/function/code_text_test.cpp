#include "code_text.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CodeText, EscapesHighBytesAndBraces) {
    EXPECT_EQ(wl::CODETEXT("\xE9"), "\\'e9");
    EXPECT_EQ(wl::CODETEXT("{a\\b}~\x7F"), "\\{a\\\\b\\}~\\'7f");
    EXPECT_EQ(wl::CODETEXT("plain"), "plain");
}

TEST(DecodeText, ReversesEveryEscape) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\\'e9", "\xE9"},
        {"\\'C9t\\'e9", "\xC9t\xE9"},
        {"\\{x\\}\\\\", "{x}\\"},
        {"\\par x", "\\par x"},  // other control words stay
        {"end\\'", "end\\'"},     // a trailing escape stays as it is
        {"end\\'4", "end\\'4"},
        {"x\\'zz", "x\\'zz"},
        {"x\\", "x\\"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(wl::DECODETEXT(in), out) << in;
}

TEST(CodeText, RoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(wl::DECODETEXT(wl::CODETEXT(all)), all);
}

}  // namespace
