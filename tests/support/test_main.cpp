// The test programs' main: any message or question that no test expected
// (no recorder installed) fails the running test instead of waiting for a
// click under Wine or reading the terminal natively.
#include <gtest/gtest.h>

#include "messages.hpp"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    wl::setPromptHook([](const wl::Prompt& p) {
        ADD_FAILURE() << "unexpected " << p.function << " (" << p.caption << "): " << p.text;
        return wl::PromptAnswer{};
    });
    return RUN_ALL_TESTS();
}
