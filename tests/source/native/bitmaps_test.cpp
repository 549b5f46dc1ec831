// Bitmaps drawn into memory device contexts and read back.
#include <windows.h>

#include <gtest/gtest.h>

#include "bitmaps.hpp"
#include "dib_format.hpp"
#include "png_decoder.hpp"
#include "resource_tracker.hpp"
#include "memory_canvas.hpp"
#include "test_support.hpp"

namespace {

using wl::makePixel;
using wl::PixelImage;

using Canvas = wltest::MemoryCanvas;

bool isTracked(HGDIOBJ h, const std::string& type) {
    for (const auto& r : wl::trackedResources())
        if (r.handle == reinterpret_cast<std::uintptr_t>(h) && r.type == type) return true;
    return false;
}

void release(HGDIOBJ h) {
    wl::TrackResourceDelete(h);
    DeleteObject(h);
}

TEST(Bitmaps, PixelsRoundTripAndMeasures) {
    PixelImage img(3, 2, makePixel(10, 20, 30));
    img.at(2, 1) = makePixel(200, 100, 50);
    HBITMAP b = wl::bitmapFromPixels(img);
    EXPECT_EQ(wl::NBMPWIDTH(b), 3);
    EXPECT_EQ(wl::NBMPHEIGHT(b), 2);
    EXPECT_TRUE(wl::IS32BITBITMAP(b));
    auto back = wl::bitmapPixels(b);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->at(2, 1) & 0xFFFFFF, img.at(2, 1) & 0xFFFFFF);
    EXPECT_EQ(wl::NBMPWIDTH(nullptr), 0);
    DeleteObject(b);
}

TEST(Bitmaps, DrawStretchCropAndResize) {
    PixelImage img(2, 2, makePixel(255, 0, 0));
    img.at(1, 1) = makePixel(0, 0, 255);
    HBITMAP b = wl::bitmapFromPixels(img);
    Canvas c(10, 10);
    wl::DRAWBITMAP(c.dc(), b, 1, 2);  // row 1, column 2
    EXPECT_EQ(c.at(2, 1), RGB(255, 0, 0));
    EXPECT_EQ(c.at(3, 2), RGB(0, 0, 255));
    EXPECT_EQ(c.at(1, 1), RGB(255, 255, 255));
    wl::DRAWBITMAP(c.dc(), b, 4, 4, 4, 4);  // stretched to 4 x 4
    EXPECT_EQ(c.at(7, 7), RGB(0, 0, 255));
    EXPECT_EQ(c.at(5, 5), RGB(255, 0, 0));

    HBITMAP crop = wl::CROPIMAGE(b, 1, 1);
    EXPECT_EQ(wl::NBMPWIDTH(crop), 1);
    EXPECT_TRUE(isTracked(crop, "BMP"));
    HBITMAP whole = wl::CROPIMAGE(b);
    EXPECT_EQ(wl::NBMPWIDTH(whole), 2);
    HBITMAP big = wl::RESIZEIMG(b, 200);
    EXPECT_EQ(wl::NBMPWIDTH(big), 4);
    EXPECT_TRUE(isTracked(big, "BMP -> ResizeImg"));
    EXPECT_EQ(wl::RESIZEIMG(b, -1), nullptr);
    for (HGDIOBJ h : {HGDIOBJ(crop), HGDIOBJ(whole), HGDIOBJ(big)}) release(h);
    DeleteObject(b);
}

TEST(Bitmaps, MaskedAndGreyLeaveTheCornerColourOut) {
    PixelImage img(2, 1, makePixel(255, 0, 255));
    img.at(1, 0) = makePixel(90, 120, 150);
    HBITMAP b = wl::bitmapFromPixels(img);
    Canvas c(4, 4, RGB(0, 200, 0));
    wl::DRAWMASKED(c.dc(), b, 0, 0);
    EXPECT_EQ(c.at(0, 0), RGB(0, 200, 0));
    EXPECT_EQ(c.at(1, 0), RGB(90, 120, 150));
    wl::DRAWGRAY(c.dc(), b, 2, 0);
    int g = 90 / 3 + 120 / 3 + 150 / 3 + 20;
    EXPECT_EQ(c.at(0, 2), RGB(0, 200, 0));
    EXPECT_EQ(c.at(1, 2), RGB(g, g, g));
    DeleteObject(b);
}

TEST(Bitmaps, DibFileReadWriteAndDraw) {
    zrtest::TempDir dir;
    PixelImage img(3, 2, makePixel(1, 2, 3));
    img.at(0, 0) = makePixel(250, 0, 0);
    std::string bmp = wl::bmpImageFromDib(wl::dibFromPixels(img));
    std::string in = dir.write("in.bmp", bmp);
    HGLOBAL dib = wl::DIBREAD(in);
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(GlobalSize(dib), bmp.size() - 14);
    EXPECT_EQ(wl::DIBWIDTH(dib), 3);
    EXPECT_EQ(wl::DIBHEIGHT(dib), 2);
    std::string out = dir.file("out.bmp");
    ASSERT_TRUE(wl::DIBWRITE(out, dib));
    EXPECT_EQ(zrtest::readBytes(out), bmp);
    EXPECT_EQ(wl::DIBTOSTR(dib), bmp);

    Canvas c(6, 6);
    // Negative positions draw the visible part instead of wrapping around.
    EXPECT_TRUE(wl::DIBDRAW(c.dc(), dib, nullptr, -1, -1, 0, 0));
    EXPECT_EQ(c.at(0, 0), RGB(1, 2, 3));
    EXPECT_TRUE(wl::DIBDRAW(c.dc(), dib, nullptr, 2, 2, 0, 0));
    EXPECT_EQ(c.at(2, 2), RGB(250, 0, 0));
    EXPECT_FALSE(wl::DIBDRAW(nullptr, dib, nullptr, 0, 0, 0, 0));
    GlobalFree(dib);

    EXPECT_EQ(wl::DIBREAD(dir.write("bad.bmp", "BMxxxxxxxxxxxx\x28\0\0\0")), nullptr);
    HBITMAP fromFile = wl::READBITMAP(nullptr, in);
    EXPECT_EQ(wl::NBMPWIDTH(fromFile), 3);
    HBITMAP fromText = wl::CREATEMEMBITMAP(nullptr, bmp);
    EXPECT_EQ(wl::NBMPHEIGHT(fromText), 2);
    release(fromFile);
    release(fromText);
}

TEST(Bitmaps, DibFromBitmapRoundTrip) {
    PixelImage img(5, 3, makePixel(10, 200, 30));
    HBITMAP b = wl::bitmapFromPixels(img);
    std::string s = wl::BMPTOSTR(b);
    ASSERT_GE(s.size(), 14u + 40u);
    EXPECT_EQ(s.substr(0, 2), "BM");
    auto dib = wl::dibFromBmpImage(s);
    ASSERT_TRUE(dib);
    auto px = wl::pixelsFromDib(*dib);
    ASSERT_TRUE(px);
    EXPECT_EQ(px->at(4, 2) & 0xFFFFFF, img.at(4, 2) & 0xFFFFFF);
    DeleteObject(b);
}

TEST(Bitmaps, PaletteOfAnEightBitDib) {
    std::string dib = wl::dibFromPixels(PixelImage(1, 1));
    // Make an 8-bit DIB of two colours by hand.
    std::string h(40, '\0');
    h[0] = 40; h[4] = 1; h[8] = 1; h[12] = 1; h[14] = 8; h[32] = 2;
    h += std::string("\x30\x20\x10\0\x60\x50\x40\0", 8) + std::string(4, '\1');
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, h.size());
    memcpy(GlobalLock(mem), h.data(), h.size());
    GlobalUnlock(mem);
    HPALETTE pal = wl::DIBPALETTE(mem);
    ASSERT_NE(pal, nullptr);
    EXPECT_TRUE(isTracked(pal, "PAL"));
    PALETTEENTRY e[2]{};
    EXPECT_EQ(GetPaletteEntries(pal, 0, 2, e), 2u);
    EXPECT_EQ(e[1].peRed, 0x40);
    EXPECT_EQ(e[1].peBlue, 0x60);
    release(pal);
    GlobalFree(mem);
}

TEST(Bitmaps, BuiltinsAndTheUnknownName) {
    zrtest::PromptRecorder prompts;
    HBITMAP save = wl::WLBITMAP("Save16");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(wl::NBMPWIDTH(save), 16);
    EXPECT_TRUE(isTracked(save, "BMP"));
    release(save);
    EXPECT_EQ(wl::WLBITMAP("Save1"), nullptr);
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, "save1");
    EXPECT_EQ(prompts.prompts()[0].caption, "bitmap not found from WLBitmap()");
    HBITMAP bricks = wl::WLBRUSHES(2);
    EXPECT_EQ(wl::NBMPWIDTH(bricks), 8);
    release(bricks);
    EXPECT_EQ(wl::WLBRUSHES(5), nullptr);
    auto tree = wl::ATREEBMPS(nullptr);
    ASSERT_EQ(tree.size(), 7u);
    for (HBITMAP t : tree) {
        EXPECT_EQ(wl::NBMPWIDTH(t), 16);
        release(t);
    }
    HBITMAP strip = wl::EMBEDDEDIMAGE5();
    EXPECT_EQ(wl::NBMPWIDTH(strip), 36);
    EXPECT_EQ(wl::NBMPHEIGHT(strip), 3);
    release(strip);
    HBITMAP bar = wl::MSGBAR2010(nullptr);
    EXPECT_EQ(wl::NBMPWIDTH(bar), 103);
    release(bar);
}

TEST(Bitmaps, RadialGradientModes) {
    RECT r{0, 0, 21, 11};
    HGDIOBJ bmp = wl::RADIALGRADIENT(nullptr, r, RGB(255, 0, 0), RGB(0, 0, 255), 0, 0, 2);
    ASSERT_NE(bmp, nullptr);
    auto px = wl::bitmapPixels(static_cast<HBITMAP>(bmp));
    EXPECT_EQ(px->at(10, 5) & 0xFFFFFF, makePixel(255, 0, 0) & 0xFFFFFF);
    release(bmp);
    HGDIOBJ brush = wl::RADIALGRADIENT(nullptr, r, RGB(255, 0, 0), RGB(0, 0, 255), 0, 0, 1);
    EXPECT_TRUE(isTracked(brush, "BRUSH"));
    release(brush);
    Canvas c(21, 11);
    std::size_t before = wl::trackedResources().size();
    EXPECT_EQ(wl::RADIALGRADIENT(c.dc(), r, RGB(255, 0, 0), RGB(0, 0, 255)), nullptr);
    EXPECT_EQ(c.at(10, 5), RGB(255, 0, 0));
    EXPECT_EQ(wl::trackedResources().size(), before);
    // A one-pixel picture is the centre colour.
    RECT one{0, 0, 1, 1};
    HGDIOBJ tiny = wl::RADIALGRADIENT(nullptr, one, RGB(9, 8, 7), RGB(0, 0, 0), 0, 0, 2);
    EXPECT_EQ(wl::bitmapPixels(static_cast<HBITMAP>(tiny))->at(0, 0) & 0xFFFFFF, makePixel(9, 8, 7) & 0xFFFFFF);
    release(tiny);
}

TEST(Bitmaps, PngThatIsNoPictureGivesNoBitmap) {
    zrtest::TempDir dir;
    EXPECT_EQ(wl::WLOPENPNGFILE(dir.write("text.png", "just text")), nullptr);
    EXPECT_EQ(wl::WLOPENPNGFILE(dir.file("missing.png")), nullptr);
}

TEST(Bitmaps, PngSavedAndLoadedBack) {
    zrtest::TempDir dir;
    wl::PixelImage img(5, 2, makePixel(10, 20, 30));
    img.at(4, 1) = makePixel(200, 150, 100);
    HBITMAP b = wl::bitmapFromPixels(img);
    std::string path = dir.file("saved.png");
    wl::SAVEBMPASPNG(b, path);
    DeleteObject(b);
    HBITMAP back = wl::WLOPENPNGFILE(path);
    ASSERT_NE(back, nullptr);
    auto px = wl::bitmapPixels(back);
    ASSERT_TRUE(px);
    EXPECT_EQ(px->width, 5);
    EXPECT_EQ(px->at(4, 1) & 0xFFFFFF, img.at(4, 1) & 0xFFFFFF);
    DeleteObject(back);

    // A metafile with one red rectangle, played over the whole picture.
    HDC meta = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{0, 0, 4, 4};
    FillRect(meta, &r, red);
    DeleteObject(red);
    HENHMETAFILE emf = CloseEnhMetaFile(meta);
    std::string emfPng = dir.file("emf.png");
    wl::SAVEEMFASPNG(emf, 8, 8, emfPng);
    DeleteEnhMetaFile(emf);
    auto decoded = wl::decodePngFile(emfPng);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->image.width, 8);
    EXPECT_EQ(decoded->image.height, 8);
    EXPECT_EQ(decoded->image.at(4, 4), makePixel(255, 0, 0));
}

}  // namespace

namespace {

// A BMP file image of a 1 x 1 DIB with a colour table of `colours` entries.
std::string paletteBmp(int bits, int colours) {
    std::string h(40, '\0');
    h[0] = 40; h[4] = 1; h[8] = 1; h[12] = 1; h[14] = static_cast<char>(bits);
    for (int i = 0; i < colours; ++i) h += std::string{static_cast<char>(i), static_cast<char>(i), static_cast<char>(255 - i), 0};
    h += std::string(4, '\0');
    return wl::bmpImageFromDib(h);
}

TEST(PaletteBitmaps, PaletteOnlyAboveSixteenColours) {
    zrtest::TempDir dir;
    auto many = wl::PALBMPREAD(nullptr, dir.write("256.bmp", paletteBmp(8, 256)));
    ASSERT_NE(many.bitmap, nullptr);
    EXPECT_NE(many.palette, nullptr);
    auto few = wl::PALBMPREAD(nullptr, dir.write("16.bmp", paletteBmp(4, 16)));
    ASSERT_NE(few.bitmap, nullptr);
    EXPECT_EQ(few.palette, nullptr);
    EXPECT_EQ(wl::PALBMPREAD(nullptr, dir.file("missing.bmp")).bitmap, nullptr);
    EXPECT_EQ(wl::PALBMPLOAD("NOSUCHBITMAP").bitmap, nullptr);

    Canvas c(4, 4);
    wl::PALBMPDRAW(c.dc(), 1, 1, few.bitmap, nullptr);
    EXPECT_EQ(c.at(1, 1), RGB(255, 0, 0));  // colour 0 of the table: blue 0, green 0, red 255

    // The palette list: entering with a window makes the foreground, freeing
    // deletes the pair.
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    wl::PALBMPNEW(w, many.bitmap, many.palette);
    auto fore = wl::SETFOREBMP(many.bitmap, many.palette);
    ASSERT_TRUE(fore);
    EXPECT_EQ(fore->bitmap, many.bitmap);
    EXPECT_EQ(wl::PALCHGEVENT(w), 0);
    std::size_t before = wl::trackedResources().size();
    wl::PALBMPFREE(many.bitmap);
    EXPECT_EQ(wl::trackedResources().size(), before - 2);
    EXPECT_EQ(wl::QRYNEWPALEVENT(), 0);  // no foreground record any more
    release(few.bitmap);
    DestroyWindow(w);
}

TEST(WindowPictures, WholeWindowAndInclusiveAreas) {
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    HBITMAP whole = wl::WNDBITMAP(w);
    EXPECT_EQ(wl::NBMPWIDTH(whole), 60);
    EXPECT_EQ(wl::NBMPHEIGHT(whole), 40);
    Canvas c(20, 20);
    HBITMAP area = wl::WINDOWAREABITMAP(c.dc(), RECT{2, 2, 11, 6});  // left, top, right, bottom
    EXPECT_EQ(wl::NBMPWIDTH(area), 10);
    EXPECT_EQ(wl::NBMPHEIGHT(area), 5);
    release(whole);
    release(area);
    DestroyWindow(w);
}

}  // namespace
