// TBitmap under Wine: pictures drawn into memory contexts and read back
// (natural size, stretched, transparent), loading from BMP and PNG files,
// and the scrollable amount of a picture larger than its window.
#include "bitmap.hpp"

#include <gtest/gtest.h>

#include "bitmaps.hpp"
#include "parent_window.hpp"
#include "test_support.hpp"

namespace {

using wl::makePixel;

const std::uint32_t kRed = makePixel(255, 0, 0), kBlue = makePixel(0, 0, 255), kMagenta = makePixel(255, 0, 255),
                    kWhite = makePixel(255, 255, 255);

// A w x h picture whose pixel (x, y) is colour(x, y).
template <class F>
HBITMAP picture(int w, int h, F colour) {
    wl::PixelImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.at(x, y) = colour(x, y);
    return wl::bitmapFromPixels(img);
}

// A white memory context of w x h that the test draws into and reads back.
struct Canvas {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target;
    HGDIOBJ old;
    Canvas(int w, int h) : target(picture(w, h, [](int, int) { return kWhite; })), old(SelectObject(dc, target)) {}
    ~Canvas() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(target);
    }
    wl::PixelImage read() {
        SelectObject(dc, old);
        auto p = wl::bitmapPixels(target);
        SelectObject(dc, target);
        return p ? *p : wl::PixelImage();
    }
};

std::uint32_t rgb(std::uint32_t p) { return p & 0xFFFFFF; }

TEST(BitmapTest, DrawsAtNaturalSizeAndStretched) {
    wl::TBitmap holder;
    holder.Define({}, {}, nullptr, picture(2, 2, [](int x, int) { return x == 0 ? kRed : kBlue; }));
    EXPECT_EQ(holder.nWidth(), 2);
    {
        Canvas c(4, 4);
        holder.PaintTo(c.dc, 4, 4);
        auto p = c.read();
        EXPECT_EQ(rgb(p.at(0, 0)), rgb(kRed));
        EXPECT_EQ(rgb(p.at(1, 1)), rgb(kBlue));
        EXPECT_EQ(rgb(p.at(3, 3)), rgb(kWhite));  // outside the picture
    }
    holder.lStretch = true;
    Canvas c(4, 4);
    holder.PaintTo(c.dc, 4, 4);
    auto p = c.read();
    EXPECT_EQ(rgb(p.at(1, 3)), rgb(kRed));
    EXPECT_EQ(rgb(p.at(2, 0)), rgb(kBlue));
    EXPECT_EQ(rgb(p.at(3, 3)), rgb(kBlue));

    holder.lStretch = false;
    holder.Zoom(2);
    EXPECT_EQ(holder.nWidth(), 4);
}

TEST(BitmapTest, TransparentPictureLeavesItsCornerColourOut) {
    // Magenta at the top-left (and the left column): those pixels are not drawn.
    auto bmp = picture(3, 2, [](int x, int) { return x == 0 ? kMagenta : kRed; });
    wl::TBitmap holder;
    holder.Define({}, {}, nullptr, bmp);
    holder.lTransparent = true;
    Canvas c(3, 2);
    holder.PaintTo(c.dc, 3, 2);
    auto p = c.read();
    EXPECT_EQ(rgb(p.at(0, 0)), rgb(kWhite));
    EXPECT_EQ(rgb(p.at(0, 1)), rgb(kWhite));
    EXPECT_EQ(rgb(p.at(2, 1)), rgb(kRed));

    Canvas d(5, 3);
    wl::DRAWTRANSPARENT(d.dc, holder.hBitmap, 1, 2);  // row 1, column 2
    auto q = d.read();
    EXPECT_EQ(rgb(q.at(2, 1)), rgb(kWhite));
    EXPECT_EQ(rgb(q.at(3, 1)), rgb(kRed));
    EXPECT_EQ(rgb(q.at(4, 2)), rgb(kRed));
}

TEST(BitmapTest, LoadsBmpAndPngFilesAndFreesThePreviousPicture) {
    zrtest::TempDir dir;
    HBITMAP source = picture(4, 3, [](int x, int y) { return (x + y) % 2 ? kRed : kBlue; });
    HGLOBAL dib = wl::DIBFROMBITMAP(source);
    ASSERT_TRUE(dib);
    const std::string bmpFile = dir.file("pic.bmp"), pngFile = dir.file("pic.png");
    ASSERT_TRUE(wl::DIBWRITE(bmpFile, dib));
    GlobalFree(dib);
    wl::SAVEBMPASPNG(source, pngFile);
    DeleteObject(source);

    wl::TBitmap holder;
    EXPECT_FALSE(holder.LoadImage({}, dir.file("missing.bmp")));
    EXPECT_EQ(holder.hBitmap, nullptr);
    ASSERT_TRUE(holder.LoadImage({}, bmpFile));
    EXPECT_EQ(holder.cBmpFile, bmpFile);
    HBITMAP first = holder.hBitmap;
    ASSERT_TRUE(holder.LoadBMP(pngFile));
    EXPECT_EQ(GetObjectType(first), 0u);  // freed
    EXPECT_EQ(holder.nWidth(), 4);
    EXPECT_EQ(holder.nHeight(), 3);
    Canvas c(4, 3);
    holder.PaintTo(c.dc, 4, 3);
    auto p = c.read();
    EXPECT_EQ(rgb(p.at(0, 0)), rgb(kBlue));
    EXPECT_EQ(rgb(p.at(1, 0)), rgb(kRed));

    holder.Clear();
    EXPECT_EQ(holder.hBitmap, nullptr);
    EXPECT_TRUE(holder.cBmpFile.empty());
}

TEST(BitmapTest, ScrollableAmountOfATallPictureAndScrolling) {
    wltest::Parent parent(300, 300);
    zrtest::TempDir dir;
    HBITMAP tall = picture(50, 200, [](int, int y) { return y < 100 ? kRed : kBlue; });
    HGLOBAL dib = wl::DIBFROMBITMAP(tall);
    const std::string file = dir.file("tall.bmp");
    ASSERT_TRUE(wl::DIBWRITE(file, dib));
    GlobalFree(dib);
    DeleteObject(tall);

    wl::BitmapNew n;
    n.cBmpFile = file;
    n.oWnd = &parent.w;
    n.lPixel = true;
    n.nWidth = 50;
    n.nHeight = 100;
    n.lNoBorder = true;
    wl::TBitmap b;
    b.New(n);
    ASSERT_TRUE(b.hWnd);
    EXPECT_EQ(b.nXExtra(), 101);

    SendMessageA(b.hWnd, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(b.nX, -101);
    SendMessageA(b.hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(b.nX, -101);  // no further than the picture
    SendMessageA(b.hWnd, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(b.nX, 0);
    SendMessageA(b.hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(b.nX, -1);
}

}  // namespace
