#include <gtest/gtest.h>

#include "dib_format.hpp"
#include "test_support.hpp"

namespace {

void put32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
}
void put16(std::string& s, std::uint16_t v) {
    s.push_back(static_cast<char>(v));
    s.push_back(static_cast<char>(v >> 8));
}

// A packed DIB with a 40-byte header.
std::string infoDib(int w, int h, int bits, std::uint32_t compression = 0, std::uint32_t clrUsed = 0,
                    std::size_t tableBytes = 0, std::size_t bitsBytes = 0) {
    std::string s;
    put32(s, 40);
    put32(s, static_cast<std::uint32_t>(w));
    put32(s, static_cast<std::uint32_t>(h));
    put16(s, 1);
    put16(s, static_cast<std::uint16_t>(bits));
    put32(s, compression);
    put32(s, static_cast<std::uint32_t>(bitsBytes));
    put32(s, 2835);
    put32(s, 2835);
    put32(s, clrUsed);
    put32(s, 0);
    for (std::size_t i = 0; i < tableBytes + bitsBytes; ++i) s.push_back(static_cast<char>(i * 7));
    return s;
}

std::string coreDib(int w, int h, int bits, std::size_t tableBytes, std::size_t bitsBytes) {
    std::string s;
    put32(s, 12);
    put16(s, static_cast<std::uint16_t>(w));
    put16(s, static_cast<std::uint16_t>(h));
    put16(s, 1);
    put16(s, static_cast<std::uint16_t>(bits));
    for (std::size_t i = 0; i < tableBytes + bitsBytes; ++i) s.push_back(static_cast<char>(i * 3));
    return s;
}

std::string fileOf(const std::string& dib, std::uint32_t bitsOffset) {
    std::string f = "BM";
    put32(f, static_cast<std::uint32_t>(dib.size() + 14));
    put32(f, 0);
    put32(f, bitsOffset);
    return f + dib;
}

std::uint32_t get32(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}

struct LayoutCase {
    const char* name;
    std::string dib;
    std::uint32_t bitsOffset;
};

TEST(DibFormat, BitsOffsetFollowsHeaderTableAndMasks) {
    const LayoutCase cases[] = {
        {"8-bit, 256 colours", infoDib(3, 2, 8, 0, 0, 1024, 8), 40 + 1024},
        {"4-bit, 5 colours used", infoDib(3, 2, 4, 0, 5, 20, 8), 40 + 20},
        {"1-bit", infoDib(9, 1, 1, 0, 0, 8, 4), 48},
        {"24-bit, no table", infoDib(2, 2, 24, 0, 0, 0, 16), 40},
        {"16-bit bit fields: 12 bytes of masks", infoDib(2, 1, 16, 3, 0, 12, 4), 52},
        {"core header, 3-byte entries", coreDib(2, 2, 8, 256 * 3, 8), 12 + 768},
    };
    for (const auto& c : cases) {
        auto d = wl::dibLayout(c.dib);
        ASSERT_TRUE(d) << c.name;
        EXPECT_EQ(d->bitsOffset, c.bitsOffset) << c.name;
        // The file image carries the same offset plus the file header.
        std::string image = wl::bmpImageFromDib(c.dib);
        EXPECT_EQ(image.size(), c.dib.size() + 14) << c.name;
        EXPECT_EQ(get32(image, 2), c.dib.size() + 14) << c.name;
        EXPECT_EQ(get32(image, 10), c.bitsOffset + 14) << c.name;
    }
}

TEST(DibFormat, MalformedHeadersAreRefused) {
    const std::pair<const char*, std::string> cases[] = {
        {"too short", std::string(10, '\0')},
        {"header size 41", [] { auto s = infoDib(1, 1, 24, 0, 0, 0, 4); s[0] = 41; return s; }()},
        {"bits cut short", infoDib(4, 4, 24, 0, 0, 0, 47)},
        {"colour table past the end", infoDib(1, 1, 8, 0, 0, 10, 4)},
        {"colours used beyond 256 at 8 bits", infoDib(1, 1, 8, 0, 1000, 4000, 4)},
        {"depth 7", infoDib(1, 1, 7, 0, 0, 0, 4)},
        {"zero width", infoDib(0, 1, 24, 0, 0, 0, 4)},
        {"huge height", infoDib(1, 0x7FFFFFFF, 24, 0, 0, 0, 4)},
        {"unknown compression", infoDib(1, 1, 24, 9, 0, 0, 4)},
    };
    for (const auto& [name, dib] : cases) {
        EXPECT_FALSE(wl::dibLayout(dib)) << name;
        EXPECT_EQ(wl::bmpImageFromDib(dib), "") << name;
    }
}

TEST(DibFormat, FileRoundTripIsByteExact) {
    zrtest::TempDir dir;
    const std::string dibs[] = {infoDib(3, 2, 8, 0, 0, 1024, 8), coreDib(2, 2, 4, 48, 8),
                                infoDib(2, 1, 16, 3, 0, 12, 4), infoDib(5, -3, 32, 0, 0, 0, 60)};
    int n = 0;
    for (const auto& dib : dibs) {
        auto d = wl::dibLayout(dib);
        ASSERT_TRUE(d);
        std::string original = fileOf(dib, d->bitsOffset + 14);
        std::string in = dir.write("in" + std::to_string(n) + ".bmp", original);
        auto read = wl::readDibFile(in);
        ASSERT_TRUE(read);
        // The block holds exactly the DIB: no trailing bytes.
        EXPECT_EQ(*read, dib);
        std::string out = dir.file("out" + std::to_string(n++) + ".bmp");
        ASSERT_TRUE(wl::writeDibFile(out, *read));
        EXPECT_EQ(zrtest::readBytes(out), original);
    }
    EXPECT_FALSE(wl::readDibFile(dir.file("missing.bmp")));
    EXPECT_FALSE(wl::readDibFile(dir.write("text.bmp", "BM not a bitmap at all, really")));
}

TEST(DibFormat, BitsAtTheFileHeadersOffset) {
    std::string dib = infoDib(1, 1, 24, 0, 0, 0, 4);
    // Four bytes of padding between the header and the bits.
    std::string file = fileOf(dib.substr(0, 40) + "PADx" + dib.substr(40), 14 + 44);
    auto bits = wl::dibFromBmpImageAtOffset(file);
    ASSERT_TRUE(bits);
    EXPECT_EQ(*bits, dib);
    EXPECT_FALSE(wl::dibFromBmpImageAtOffset(fileOf(dib, 2000)));
    EXPECT_FALSE(wl::dibFromBmpImageAtOffset(fileOf(dib, 20)));
}

TEST(DibFormat, Sixteen_bitSizesAndPixels) {
    std::string dib = infoDib(70000 & 0xFFFF, 3, 24, 0, 0, 0, 0);
    EXPECT_EQ(wl::dibWidth16(dib), 70000 & 0xFFFF);
    EXPECT_EQ(wl::dibHeight16(dib), 3);
    EXPECT_EQ(wl::dibWidth16("abc"), 0);

    wl::PixelImage img(3, 2);
    img.at(0, 0) = wl::makePixel(1, 2, 3, 4);
    img.at(2, 1) = wl::makePixel(9, 8, 7, 6);
    std::string packed = wl::dibFromPixels(img);
    EXPECT_EQ(packed.size(), 40u + 24u);
    auto back = wl::pixelsFromDib(packed);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pixels, img.pixels);

    // An 8-bit DIB reads its colours from the table, bottom-up.
    std::string pal = infoDib(1, 2, 8, 0, 2, 0, 0);
    pal += std::string("\x10\x20\x30\0\x40\x50\x60\0", 8);
    pal += std::string("\1\0\0\0\0\0\0\0", 8);
    auto p = wl::pixelsFromDib(pal);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->at(0, 1), wl::makePixel(0x60, 0x50, 0x40));
    EXPECT_EQ(p->at(0, 0), wl::makePixel(0x30, 0x20, 0x10));
}

}  // namespace
