#include <gtest/gtest.h>

#include "image_effects.hpp"

namespace {

using wl::makePixel;
using wl::PixelImage;

// A picture whose every pixel tells its own position.
PixelImage numbered(int w, int h) {
    PixelImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.at(x, y) = makePixel(x, y, 0, 255);
    return img;
}

TEST(ResizeImage, SizesAndNearestPixels) {
    PixelImage src = numbered(100, 50);
    auto half = wl::resizeImage(src, 50);
    ASSERT_TRUE(half);
    EXPECT_EQ(half->width, 50);
    EXPECT_EQ(half->height, 25);
    EXPECT_EQ(half->at(10, 10), src.at(20, 20));
    auto big = wl::resizeImage(src, 200, 100);
    ASSERT_TRUE(big);
    EXPECT_EQ(big->width, 200);
    EXPECT_EQ(big->height, 100);
    EXPECT_EQ(big->at(199, 99), src.at(99, 49));
    EXPECT_EQ(big->at(0, 0), src.at(0, 0));
}

TEST(ResizeImage, RefusedArgumentsAndEmptyPictures) {
    PixelImage src = numbered(4, 4);
    EXPECT_FALSE(wl::resizeImage(src, -1));
    EXPECT_FALSE(wl::resizeImage(src, 0));
    EXPECT_FALSE(wl::resizeImage(src, 10, -2));
    // An empty source used to divide by zero.
    EXPECT_FALSE(wl::resizeImage(PixelImage(0, 0), 10, 10));
    EXPECT_FALSE(wl::resizeImage(PixelImage(0, 5), 50));
}

TEST(BrightImage, LimitsAndAlpha) {
    PixelImage img(2, 1);
    img.at(0, 0) = makePixel(250, 10, 100, 7);
    img.at(1, 0) = makePixel(0, 255, 5, 250);
    PixelImage up = wl::brightImage(img, 20, false);
    EXPECT_EQ(up.at(0, 0), makePixel(255, 30, 120, 7));
    PixelImage down = wl::brightImage(img, -20, true);
    EXPECT_EQ(down.at(0, 0), makePixel(230, 0, 80, 0));
    EXPECT_EQ(down.at(1, 0), makePixel(0, 235, 0, 230));
}

TEST(BlurImage, AveragesTheWindowAndFewerAtTheEdges) {
    PixelImage row(5, 1);
    for (int x = 0; x < 5; ++x) row.at(x, 0) = makePixel(0, 0, x * 30, 9);
    auto b = wl::blurImage(row, 1);
    ASSERT_TRUE(b);
    EXPECT_EQ(wl::pixelBlue(b->at(0, 0)), (0 + 30) / 2);
    EXPECT_EQ(wl::pixelBlue(b->at(2, 0)), (30 + 60 + 90) / 3);
    EXPECT_EQ(wl::pixelBlue(b->at(4, 0)), (90 + 120) / 2);
    EXPECT_EQ(wl::pixelAlpha(b->at(2, 0)), 9);
    // Columns too: a single bright pixel spreads over its 3 x 3 neighbourhood.
    PixelImage dot(3, 3);
    dot.at(1, 1) = makePixel(90, 90, 90);
    auto d = wl::blurImage(dot, 1);
    EXPECT_EQ(wl::pixelRed(d->at(1, 1)), 10);
    EXPECT_EQ(wl::pixelRed(d->at(0, 0)), 90 / 2 / 2);
    EXPECT_FALSE(wl::blurImage(dot, 0));
}

TEST(FadeImage, UpsideDownAndUnweightedPixelsKeepTheScreen) {
    PixelImage screen(1, 4, makePixel(100, 150, 200));
    PixelImage pic(1, 4);
    for (int y = 0; y < 4; ++y) pic.at(0, y) = makePixel(0, 0, 0, 255);
    // Strength 0 everywhere: the screen stays exactly as it was (it used to
    // lose 1/256 of every component).
    PixelImage same = wl::fadeImage(screen, pic, 0, 0, false, 0xFFFFFF);
    EXPECT_EQ(same.pixels, screen.pixels);
    // Full strength grows towards the picture's bottom, drawn at the top.
    PixelImage faded = wl::fadeImage(screen, pic, 255, 0, true, 0);
    EXPECT_EQ(faded.at(0, 3), screen.at(0, 3));  // picture row 0: m = 0
    EXPECT_LT(wl::pixelRed(faded.at(0, 0)), wl::pixelRed(faded.at(0, 1)));
    // The transparent colour is never drawn.
    PixelImage trans = wl::fadeImage(screen, pic, 255, 0, false, makePixel(0, 0, 0));
    EXPECT_EQ(trans.pixels, screen.pixels);
}

TEST(ShadowBox, DarkensTheOffsetShape) {
    PixelImage area(10, 10, makePixel(200, 200, 200));
    wl::shadowBox(area, 2, 2, 2, false, 50);
    int f = static_cast<int>(255 - 50 * 255.0 / 100);
    EXPECT_EQ(area.at(0, 0), makePixel(200, 200, 200));
    EXPECT_EQ(area.at(2, 2), makePixel(200 * f / 256, 200 * f / 256, 200 * f / 256));
    EXPECT_EQ(area.at(9, 9), makePixel(200 * f / 256, 200 * f / 256, 200 * f / 256));
    PixelImage round(20, 20, makePixel(200, 200, 200));
    wl::shadowBox(round, 0, 0, 0, true, 50, 10);
    EXPECT_EQ(round.at(0, 0), makePixel(200, 200, 200));  // outside the rounded corner
    EXPECT_NE(round.at(10, 10), makePixel(200, 200, 200));
}

TEST(RadialGradient, CentreEdgeAndTinyPictures) {
    std::uint32_t red = 0x0000FF, blue = 0xFF0000;
    PixelImage g = wl::radialGradient(21, 11, red, blue, 0, 0);
    EXPECT_EQ(g.at(10, 5), makePixel(255, 0, 0));
    EXPECT_EQ(wl::pixelBlue(g.at(0, 0)), 255);
    // One-pixel pictures used to divide by zero.
    for (auto [w, h] : {std::pair{1, 1}, {1, 5}, {5, 1}}) {
        PixelImage t = wl::radialGradient(w, h, red, blue, 0, 0);
        EXPECT_EQ(t.at(w / 2, h / 2), makePixel(255, 0, 0)) << w << "x" << h;
    }
}

TEST(DiagonalGradient, RunsAlongTheDiagonalBetweenTheLimits) {
    PixelImage a(5, 5);
    wl::diagonalGradient(a, 0xFFFFFF, 0x000000, true, 0, 100);
    EXPECT_EQ(a.at(0, 0), makePixel(0, 0, 0));
    EXPECT_EQ(a.at(4, 4), makePixel(255, 255, 255));
    EXPECT_EQ(a.at(4, 0), a.at(0, 4));
    PixelImage b(5, 5);
    wl::diagonalGradient(b, 0xFFFFFF, 0x000000, false, 0, 100);
    EXPECT_EQ(b.at(4, 0), makePixel(0, 0, 0));
    PixelImage untouched(3, 3, 7);
    wl::diagonalGradient(untouched, 0xFFFFFF, 0, true, 0, 0);
    EXPECT_EQ(untouched.pixels, std::vector<std::uint32_t>(9, 7));
}

TEST(DarkenRampAndGray, Factors) {
    PixelImage a(2, 1, makePixel(200, 100, 50));
    wl::darkenRamp(a, true);
    EXPECT_EQ(a.at(0, 0), makePixel(100, 50, 25));
    EXPECT_EQ(a.at(1, 0), makePixel(150, 75, 37));
    EXPECT_EQ(wl::grayLevel(makePixel(0, 0, 0)), 0);
    EXPECT_EQ(wl::grayLevel(makePixel(3, 3, 3)), 23);
    EXPECT_EQ(wl::grayLevel(makePixel(255, 255, 255)), 255);
}

}  // namespace
