#include "dde_text.hpp"

#include <gtest/gtest.h>

namespace {

TEST(DdeText, CommandsRoundTripThroughSharedMemory) {
    for (const std::string& text : {std::string("[Open(\"x.x12\")]"), std::string(), std::string(70000, 'c')}) {
        HGLOBAL mem = wl::DDECOMMAND(text);
        ASSERT_NE(mem, nullptr);
        EXPECT_GE(GlobalSize(mem), text.size() + 1);  // long commands get a block that holds them
        EXPECT_EQ(wl::DDEGETCOMMAND(mem), text);
        GlobalFree(mem);
    }
    EXPECT_EQ(wl::DDEGETCOMMAND(nullptr), "");
}

}  // namespace
