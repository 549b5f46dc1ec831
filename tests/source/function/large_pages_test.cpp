#include "large_pages.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

namespace {

template <class T>
using Rows = std::vector<T, wl::LargePageAllocator<T>>;

// Blocks on both sides of the large-page size keep every value through
// writes and growth; the tails past a large-page multiple are usable too.
TEST(LargePageAllocator, BlocksHoldTheirValuesThroughGrowth) {
    for (std::size_t n : {std::size_t{1000}, std::size_t{(2u << 20) / 8 - 1}, std::size_t{(3u << 20) / 8 + 5}}) {
        Rows<std::uint64_t> rows(n);
        std::iota(rows.begin(), rows.end(), std::uint64_t{7});
        for (int i = 0; i < 3; ++i) rows.push_back(rows.size() + 7);  // reallocates into a larger block
        ASSERT_EQ(rows.size(), n + 3);
        for (std::size_t i = 0; i < rows.size(); ++i) ASSERT_EQ(rows[i], i + 7) << n << " " << i;
    }
}

#if defined(__linux__)
TEST(LargePageAllocator, LargeBlocksStartOnALargePageBoundary) {
    Rows<std::uint32_t> a((5u << 20) / 4 + 3), b((2u << 20) / 4);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(a.data()) % (2u << 20), 0u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(b.data()) % (2u << 20), 0u);
    a.back() = 9;  // the last, partial page is mapped
    EXPECT_EQ(a.back(), 9u);
}
#endif

}  // namespace
