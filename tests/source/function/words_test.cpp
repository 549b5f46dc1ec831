#include "words.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Words, SignedHalvesAndUnsignedBytes) {
    EXPECT_EQ(wl::NLOWORD(65535), -1);
    EXPECT_EQ(wl::NLOWORD(0x12347FFF), 0x7FFF);
    EXPECT_EQ(wl::NHIWORD(131072), 2);
    EXPECT_EQ(wl::NHIWORD(-1), -1);
    EXPECT_EQ(wl::NHIWORD(0xFFFF0000u), -1);
    EXPECT_EQ(wl::NLOBYTE(0x1234), 0x34);
    EXPECT_EQ(wl::NHIBYTE(0x1234), 0x12);
    EXPECT_EQ(wl::NHIBYTE(0xFFFF1234), 0x12);  // only the 16-bit value counts
    EXPECT_EQ(wl::loWordU(0xFFFFFFFFu), 65535u);
    EXPECT_EQ(wl::hiWordU(0x8000FFFFu), 0x8000u);
}

}  // namespace
