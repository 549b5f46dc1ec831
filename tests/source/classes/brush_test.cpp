#include "brush.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "bitmaps.hpp"
#include "builtin_images.hpp"
#include "drawing.hpp"
#include "test_support.hpp"

namespace {

wl::BrushSpec colour(wl::Color c) {
    wl::BrushSpec s;
    s.nRGBColor = c;
    return s;
}

// The colour a brush paints, read back from a memory context.
wl::Color paintedBy(HBRUSH brush) {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 4, 4);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT r{0, 0, 4, 4};
    FillRect(mem, &r, brush);
    wl::Color c = GetPixel(mem, 1, 1);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return c;
}

TEST(TBrush, WhiteIsTheStockBrushAndNeverDeleted) {
    auto b = wl::TBrush::New(colour(16777215));
    EXPECT_EQ(b->hBrush, GetStockObject(WHITE_BRUSH));
    EXPECT_TRUE(b->lSystem);
    b->End();
    EXPECT_NE(GetObjectType(GetStockObject(WHITE_BRUSH)), 0u);
}

TEST(TBrush, SolidColoursArePooledAndFreedAtTheLastEnd) {
    auto a = wl::TBrush::New(colour(wl::NRGB(10, 20, 30)));
    auto b = wl::TBrush::New(colour(wl::NRGB(10, 20, 30)));
    ASSERT_EQ(a, b);
    EXPECT_EQ(a->nCount, 2);
    EXPECT_EQ(paintedBy(a->hBrush), wl::NRGB(10, 20, 30));
    HBRUSH h = a->hBrush;
    a->End();
    EXPECT_NE(GetObjectType(h), 0u);
    b->End();
    EXPECT_EQ(GetObjectType(h), 0u);
}

TEST(TBrush, TheLastEndThroughThePoolsOnlyReferenceDeletesOnce) {
    // The caller kept no reference: End must finish its work before the
    // pool lets the object go.
    wl::TBrush* raw = nullptr;
    HBRUSH h = nullptr;
    {
        auto b = wl::TBrush::New(colour(wl::NRGB(11, 22, 33)));
        raw = b.get();
        h = b->hBrush;
    }
    ASSERT_NE(GetObjectType(h), 0u);
    raw->End();
    EXPECT_EQ(GetObjectType(h), 0u);
    const auto& pool = wl::brushPool();
    EXPECT_TRUE(std::none_of(pool.begin(), pool.end(), [raw](const auto& p) { return p.get() == raw; }));
}

TEST(TBrush, ABrushAroundACallersBitmapIsNeverEndedByAnotherLookup) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    wl::BrushSpec s;
    s.xSource = bmp;
    auto first = wl::TBrush::New(s);
    HBRUSH used = first->hBrush;
    ASSERT_NE(used, nullptr);
    auto second = wl::TBrush::New(s);
    EXPECT_NE(second, first);  // a new brush beside it
    EXPECT_EQ(first->hBrush, used);
    EXPECT_NE(GetObjectType(used), 0u);  // still usable by the first window
    second->End();
    first->End();
    EXPECT_NE(GetObjectType(bmp), 0u);  // the bitmap stays the caller's
    DeleteObject(bmp);
}

TEST(TBrush, HatchAndNullStyles) {
    wl::BrushSpec hatch;
    hatch.cStyle = "CROSS";
    hatch.nRGBColor = wl::NRGB(255, 0, 0);
    auto h = wl::TBrush::New(hatch);
    LOGBRUSH lb{};
    GetObjectA(h->hBrush, sizeof lb, &lb);
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_HATCHED));
    EXPECT_EQ(lb.lbHatch, static_cast<ULONG_PTR>(HS_CROSS));
    h->End();
    wl::BrushSpec none;
    none.cStyle = "NULL";
    auto n = wl::TBrush::New(none);
    EXPECT_EQ(n->hBrush, GetStockObject(HOLLOW_BRUSH));
    n->End();
}

TEST(TBrush, GradientFollowsTheWindowSize) {
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    wl::BrushSpec s;
    s.xSource = wl::GradientSpec{{1.0, wl::NRGB(0, 0, 0), wl::NRGB(0, 0, 255)}};
    auto b = wl::TBrush::New(s);
    EXPECT_EQ(b->nResizeMode, 1);
    EXPECT_EQ(b->hBrush, nullptr);  // made at the first Resize
    RECT area = b->Resize(w);
    EXPECT_EQ(area.right, 40);
    EXPECT_EQ(area.bottom, 30);
    ASSERT_NE(b->hBitmap, nullptr);
    BITMAP info{};
    GetObjectA(b->hBitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 40);
    EXPECT_EQ(info.bmHeight, 30);
    MoveWindow(w, 0, 0, 60, 50, FALSE);
    b->Resize(w);
    GetObjectA(b->hBitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 60);
    b->End();
    DestroyWindow(w);
}

}  // namespace

namespace {

TEST(BrushBitmaps, ResizeModesKeepOrChangeTheProportions) {
    HDC screen = GetDC(nullptr);
    HBITMAP src = CreateCompatibleBitmap(screen, 40, 20);
    ReleaseDC(nullptr, screen);
    struct Case {
        int w, h, mode, outW, outH;
    };
    const Case cases[] = {
        {80, 80, 1, 80, 80},  // stretched
        {80, 80, 2, 160, 80}, // filling: the larger ratio (4)
        {80, 80, 3, 80, 40},  // fitting: the smaller ratio (2)
        {80, 0, 1, 80, 40},   // the height follows the proportions
        {0, 0, 1, 40, 20},    // no size: as it is
    };
    for (const auto& c : cases) {
        HBITMAP out = wl::RESIZEBITMAP(src, c.w, c.h, c.mode);
        BITMAP info{};
        ASSERT_TRUE(GetObjectA(out, sizeof info, &info));
        EXPECT_EQ(info.bmWidth, c.outW) << c.mode;
        EXPECT_EQ(info.bmHeight, c.outH) << c.mode;
        DeleteObject(out);
    }
    HBITMAP part = wl::CROPBMP(src, RECT{5, 5, 15, 12});
    BITMAP info{};
    GetObjectA(part, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 10);
    EXPECT_EQ(info.bmHeight, 7);
    DeleteObject(part);
    DeleteObject(src);
}

TEST(BrushBitmaps, GradientBrushPaintsTheBands) {
    HBRUSH b = wl::GRADIENTBRUSH(nullptr, 0, 0, 10, 2, {{1.0, wl::NRGB(0, 0, 0), wl::NRGB(255, 255, 255)}});
    ASSERT_NE(b, nullptr);
    // Row 0 of the one-pixel-wide bitmap is the first colour.
    EXPECT_EQ(paintedBy(b), wl::NRGB(127, 127, 127));  // the canvas pixel (1, 1)
    wl::DELETEOBJECT(b);
}

}  // namespace

namespace {

// A 4 x 4 bitmap of one colour.
HBITMAP solidBitmap(wl::Color c) {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 4, 4);
    HGDIOBJ old = SelectObject(mem, bmp);
    HBRUSH b = CreateSolidBrush(c);
    RECT r{0, 0, 4, 4};
    FillRect(mem, &r, b);
    DeleteObject(b);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return bmp;
}

wl::BrushSpec picture(const std::string& file) {
    wl::BrushSpec s;
    s.cBmpFile = file;
    return s;
}

TEST(BrushPictures, PngFilesAreDecodedOtherFilesStayEmpty) {
    zrtest::TempDir tmp;
    HBITMAP red = solidBitmap(RGB(255, 0, 0));
    const std::string png = tmp.file("tile.png");
    wl::SAVEBMPASPNG(red, png);
    DeleteObject(red);
    auto b = wl::TBrush::New(picture(png));
    ASSERT_NE(b->hBrush, nullptr);
    EXPECT_EQ(b->nBmpFormat, 13);
    EXPECT_EQ(paintedBy(b->hBrush), RGB(255, 0, 0));
    b->End();
    EXPECT_EQ(b->hBitmap, nullptr);

    // Not a picture the library can read: no brush, nothing shown.
    auto none = wl::TBrush::New(picture(tmp.write("photo.jpg", "not a picture")));
    EXPECT_EQ(none->hBrush, nullptr);
    EXPECT_EQ(none->nBmpFormat, -1);
    none->End();
}

TEST(BrushPictures, ResourceNamesFallBackToTheBuiltInPictures) {
    wl::BrushSpec s;
    s.cBmpRes = wl::builtinBitmapNames().front();
    auto b = wl::TBrush::New(s);
    EXPECT_NE(b->hBrush, nullptr);
    EXPECT_NE(b->hBitmap, nullptr);
    b->End();
    s.cBmpRes = "NO_SUCH_PICTURE";
    auto none = wl::TBrush::New(s);
    EXPECT_EQ(none->hBrush, nullptr);
    none->End();
}

}  // namespace

namespace {

SIZE brushBitmapSize(const wl::TBrush& b) {
    BITMAP info{};
    GetObjectA(b.hBitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

TEST(BrushCopies, ResizedMakesABrushOfTheResizedPictureAndFreesIt) {
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    wl::BrushSpec s;
    s.xSource = picture;
    auto b = wl::TBrush::New(s);
    auto big = b->Resized(24, 12, 1);
    ASSERT_TRUE(big && big->hBrush);
    EXPECT_NE(big.get(), b.get());
    const SIZE size = brushBitmapSize(*big);
    EXPECT_EQ(size.cx, 24);
    EXPECT_EQ(size.cy, 12);
    HBITMAP made = big->hBitmap;
    big->End();
    EXPECT_EQ(GetObjectType(made), 0u) << "the resized copy goes with its brush";
    b->End();
    EXPECT_EQ(GetObjectType(picture), static_cast<DWORD>(OBJ_BITMAP)) << "the caller's picture stays";
    DeleteObject(picture);
    auto plain = wl::TBrush::New(colour(wl::NRGB(9, 9, 9)));
    EXPECT_EQ(plain->Resized(4, 4), nullptr) << "no picture to resize";
    plain->End();
}

TEST(BrushCopies, CroppedTakesThePartOfTheWindowSizedGradient) {
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 40, 60, nullptr, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    wl::BrushSpec s;
    s.xSource = wl::GradientSpec{{1.0, wl::NRGB(0, 0, 0), wl::NRGB(0, 0, 240)}};
    auto g = wl::TBrush::New(s);
    auto lower = g->Cropped(g, w, RECT{0, 30, 40, 60});
    ASSERT_TRUE(lower && lower->hBitmap);
    const SIZE size = brushBitmapSize(*lower);
    EXPECT_EQ(size.cx, 40);
    EXPECT_EQ(size.cy, 30);
    // The part starts half way down the gradient: about half the blue.
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, lower->hBitmap);
    const int blue = GetBValue(GetPixel(mem, 5, 0));
    SelectObject(mem, old);
    DeleteDC(mem);
    EXPECT_NEAR(blue, 120, 12);
    lower->End();
    // A brush that does not resize is its own copy.
    auto solid = wl::TBrush::New(colour(wl::NRGB(1, 2, 3)));
    EXPECT_EQ(solid->Cropped(solid, w, RECT{0, 0, 5, 5}), solid);
    solid->End();
    g->End();
    DestroyWindow(w);
}

}  // namespace
