#include "action.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Action, AnswersFollowTheReturnKind) {
    int calls = 0;
    wl::Action<int> none;
    EXPECT_FALSE(none);
    EXPECT_EQ(none(1), std::nullopt);  // a missing action does nothing

    wl::Action<int> silent = [&](int) { ++calls; };
    EXPECT_EQ(silent(1), std::nullopt);
    wl::Action<int> logical = [&](int) {
        ++calls;
        return false;
    };
    EXPECT_EQ(logical(1), 0);  // a logical ends the message with 0
    wl::Action<int> number = [&](int v) { return v * 2; };
    EXPECT_EQ(number(21), 42);
    wl::Action<int> explicitAnswer = [](int) -> wl::Answer { return std::nullopt; };
    EXPECT_EQ(explicitAnswer(0), std::nullopt);
    EXPECT_EQ(calls, 2);
}

}  // namespace
