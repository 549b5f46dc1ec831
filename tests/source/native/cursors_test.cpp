#include "cursors.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The AND and XOR bit of a pixel of a monochrome cursor.
struct Planes {
    std::vector<unsigned char> bits;
    int width = 0, height = 0, stride = 0;
    POINT hot{};
    bool andBit(int x, int y) const { return bit(x, y); }
    bool xorBit(int x, int y) const { return bit(x, y + height); }
    bool bit(int x, int y) const {
        return (bits[static_cast<std::size_t>(y * stride + x / 8)] >> (7 - x % 8)) & 1;
    }
};

Planes planesOf(HCURSOR c) {
    ICONINFO ii{};
    EXPECT_TRUE(GetIconInfo(c, &ii));
    Planes p;
    p.hot = {static_cast<LONG>(ii.xHotspot), static_cast<LONG>(ii.yHotspot)};
    BITMAP bm{};
    GetObjectA(ii.hbmMask, sizeof bm, &bm);
    p.width = bm.bmWidth;
    p.height = bm.bmHeight / 2;  // AND plane over XOR plane
    p.stride = bm.bmWidthBytes;
    p.bits.resize(static_cast<std::size_t>(bm.bmWidthBytes * bm.bmHeight));
    GetBitmapBits(ii.hbmMask, static_cast<LONG>(p.bits.size()), p.bits.data());
    DeleteObject(ii.hbmMask);
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    return p;
}

int visiblePixels(const Planes& p) {
    int n = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (!p.andBit(x, y) || p.xorBit(x, y)) ++n;
    return n;
}

TEST(BuiltInCursors, MadeOnceWithTheirHotSpots) {
    struct Case {
        HCURSOR (*get)();
        POINT hot;
    };
    const Case cases[] = {
        {wl::GETCURSORSTOP, {6, 0}},   {wl::GETCURSORSEARCH, {9, 8}},  {wl::GETCURSORDRAG, {6, 0}},
        {wl::builtInHandCursor, {6, 0}}, {wl::getCursorCatch, {16, 16}}, {wl::CURSOROPENHAND, {6, 13}},
    };
    for (const auto& c : cases) {
        HCURSOR h = c.get();
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(c.get(), h);  // kept for the run
        Planes p = planesOf(h);
        EXPECT_EQ(p.hot.x, c.hot.x);
        EXPECT_EQ(p.hot.y, c.hot.y);
        EXPECT_GT(visiblePixels(p), 40);   // a picture, not an empty cursor
        EXPECT_LT(visiblePixels(p), 900);  // and not a filled square
    }
}

TEST(SystemCursors, HandAndArrow) {
    HCURSOR system = LoadCursorA(nullptr, IDC_HAND);
    if (system) {
        EXPECT_EQ(wl::GETCURSORHAND(), system);
    } else {
        EXPECT_EQ(wl::GETCURSORHAND(), wl::builtInHandCursor());
    }
    SetCursor(wl::GETCURSORSTOP());
    EXPECT_EQ(wl::CURSORARROW(), wl::GETCURSORSTOP());  // answers the one it replaced
    const auto pos = wl::GETCURSORPOS();
    POINT p{};
    GetCursorPos(&p);
    EXPECT_EQ(pos[0], p.y);
    EXPECT_EQ(pos[1], p.x);
}

TEST(BmpCursor, ColoursByEqualityAndBeyondTheBitmapTransparent) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 8, 8);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) SetPixel(mem, x, y, x < 4 ? RGB(0, 0, 0) : RGB(255, 255, 255));
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    wl::BmpCursorColors colors;
    colors.black = {RGB(0, 0, 0)};
    colors.white = {RGB(255, 255, 255)};
    HCURSOR c = wl::CREATEBMPCURSOR(bmp, nullptr, 1, 2, false, colors);
    ASSERT_NE(c, nullptr);
    Planes p = planesOf(c);
    EXPECT_EQ(p.hot.x, 2);
    EXPECT_EQ(p.hot.y, 1);
    EXPECT_FALSE(p.andBit(1, 1));  // black
    EXPECT_FALSE(p.xorBit(1, 1));
    EXPECT_FALSE(p.andBit(5, 1));  // white
    EXPECT_TRUE(p.xorBit(5, 1));
    EXPECT_TRUE(p.andBit(20, 20));  // beyond the bitmap: transparent
    EXPECT_FALSE(p.xorBit(20, 20));
    DestroyCursor(c);
    DeleteObject(bmp);
}

TEST(BmpCursor, RangeLists) {
    const std::vector<wl::Color> list = {10, 20, 99, 500};
    EXPECT_TRUE(wl::cursorColorMatches(list, 15, true));   // within the first pair
    EXPECT_TRUE(wl::cursorColorMatches(list, 99, true));   // a single item
    EXPECT_FALSE(wl::cursorColorMatches(list, 15, false)); // equality only
    EXPECT_TRUE(wl::cursorColorMatches(list, 500, false));
    EXPECT_FALSE(wl::cursorColorMatches({}, 0, true));
}

}  // namespace
