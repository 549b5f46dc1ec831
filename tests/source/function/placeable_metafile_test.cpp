#include "placeable_metafile.hpp"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

void put16(std::string& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8 & 0xFF);
}

// A placeable header, a standard header claiming `words` words, and `body`
// bytes of records after the header.
std::string file(std::uint32_t key, std::uint32_t words, std::size_t body) {
    std::string b(22 + 18 + body, '\0');
    put16(b, 0, key & 0xFFFF);
    put16(b, 2, key >> 16);
    put16(b, 6, static_cast<std::uint16_t>(-5));
    put16(b, 8, 10);
    put16(b, 10, 1000);
    put16(b, 12, 800);
    put16(b, 14, 1440);
    put16(b, 22, 1);
    put16(b, 24, 9);
    put16(b, 28, words & 0xFFFF);
    put16(b, 30, words >> 16);
    return b;
}

TEST(PlaceableMetafile, ReadsTheBoxAndTheRecordsThatFit) {
    const auto m = wl::parsePlaceableMetafile(file(wl::kPlaceableKey, 12, 6));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->left, -5);
    EXPECT_EQ(m->top, 10);
    EXPECT_EQ(m->right, 1000);
    EXPECT_EQ(m->bottom, 800);
    EXPECT_EQ(m->unitsPerInch, 1440);
    EXPECT_EQ(m->bits.size(), 24u);
}

TEST(PlaceableMetafile, RefusesAWrongKeyOrRecordsBeyondTheFile) {
    const std::string cases[] = {
        file(0x12345678, 9, 0),                // not the key
        file(wl::kPlaceableKey, 13, 6),        // one word more than the file holds
        file(wl::kPlaceableKey, 0x7FFFFFFF, 0),
        file(wl::kPlaceableKey, 0xFFFFFFFF, 0),
        file(wl::kPlaceableKey, 3, 0),         // smaller than its own header
        file(wl::kPlaceableKey, 9, 0).substr(0, 39),
        "",
    };
    for (const std::string& c : cases) EXPECT_FALSE(wl::parsePlaceableMetafile(c)) << c.size();
}

}  // namespace
