#include <gtest/gtest.h>

#include <cstring>

#include "global_memory.hpp"

namespace {

TEST(GlobalMemory, BlocksAreTrackedUntilFreed) {
    EXPECT_FALSE(wl::GLOBALFREE(nullptr));
    HGLOBAL h = wl::GLOBALALLOC(0x10000 | GMEM_MOVEABLE | GMEM_ZEROINIT, 8);  // flags taken as 16-bit
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(wl::isTrackedGlobal(h));
    EXPECT_GE(wl::GLOBALSIZE(h), 8u);
    EXPECT_EQ(wl::GLOBALSIZE(nullptr), 0u);

    wl::GLOBALSTRCOPY(h, "a text far longer than the block");  // cut to the block, zero-ended
    auto* p = static_cast<const char*>(wl::GLOBALLOCK(h));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::strlen(p), wl::GLOBALSIZE(h) - 1);
    wl::GLOBALUNLOCK(h);

    HGLOBAL bigger = wl::GLOBALREALLOC(h, 4096, GMEM_MOVEABLE);
    ASSERT_NE(bigger, nullptr);
    EXPECT_TRUE(wl::isTrackedGlobal(bigger));
    EXPECT_TRUE(wl::GLOBALFREE(bigger));
    EXPECT_FALSE(wl::isTrackedGlobal(bigger));
}

TEST(GlobalMemory, AvailableMemoryAndConstants) {
    EXPECT_GT(wl::NEXTMEM(), 0u);
    EXPECT_EQ(wl::FREEMEMCONST(), 1048576u);
}

TEST(GlobalAtoms, AddReadDelete) {
    ATOM a = wl::GLOBALADDATOM("zrtest atom");
    ASSERT_NE(a, 0);
    EXPECT_EQ(wl::GLOBALGETATOMNAME(a), "zrtest atom");
    EXPECT_EQ(wl::GLOBALDELATOM(a), 0);
    EXPECT_EQ(wl::GLOBALGETATOMNAME(a), "");
}

}  // namespace
