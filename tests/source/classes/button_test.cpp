// Push buttons with a picture on a live window: the size the picture gives,
// where the picture stands for each text position, the alpha check, and the
// picture painted on the face.
#include "button.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parent_window.hpp"

namespace {

using namespace wl;

HBITMAP solidBitmap(int width, int height, int bits, COLORREF colour) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bits);
    void* pixels = nullptr;
    HBITMAP h = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, h);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT r{0, 0, width, height};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    return h;
}

ButtonNew pixelButton(TWindow* parent) {
    ButtonNew n;
    n.oWnd = parent;
    n.lPixel = true;
    n.nRow = 10;
    n.nCol = 10;
    n.cCaption = "";
    return n;
}

TEST(ButtonBmp, ThePictureSizesTheButtonAndStandsWhereItsTextPositionSays) {
    wltest::Parent p;
    struct Case {
        std::string position;
        POINT origin, pushed;  // on a 60 x 40 face with a 16 x 12 picture
    };
    const Case cases[] = {
        {"", {22, 14}, {23, 15}},
        {"textbottom", {22, 7}, {23, 8}},
        {"TEXTTOP", {22, 22}, {23, 23}},
        {"TEXTRIGHT", {7, 14}, {8, 15}},
        {"TEXTLEFT", {38, 14}, {39, 15}},
    };
    for (const Case& c : cases) {
        TButtonBmp b;
        b.NewFromHandle(pixelButton(&p.w), solidBitmap(16, 12, 24, RGB(255, 0, 0)), c.position);
        // Right is left plus the width, bottom top plus the height.
        EXPECT_EQ(b.nRight - b.nLeft, 16 + 9) << c.position;
        EXPECT_EQ(b.nBottom - b.nTop, 12 + 9) << c.position;
        const POINT o = b.bitmapOrigin(60, 40, false), q = b.bitmapOrigin(60, 40, true);
        EXPECT_EQ(o.x, c.origin.x) << c.position;
        EXPECT_EQ(o.y, c.origin.y) << c.position;
        EXPECT_EQ(q.x, c.pushed.x) << c.position;
        EXPECT_EQ(q.y, c.pushed.y) << c.position;
        DestroyWindow(b.hWnd);
    }
}

TEST(ButtonBmp, OnlyThirtyTwoBitPicturesCountAsAlpha) {
    wltest::Parent p;
    TButtonBmp plain, alpha;
    plain.NewFromHandle(pixelButton(&p.w), solidBitmap(8, 8, 24, RGB(0, 0, 255)));
    alpha.NewFromHandle(pixelButton(&p.w), solidBitmap(8, 8, 32, RGB(0, 0, 255)));
    EXPECT_FALSE(plain.lHasAlpha);
    EXPECT_TRUE(alpha.lHasAlpha);
    EXPECT_EQ(alpha.nAlphaLevel(), 255);
    alpha.bAlphaLevel = [](TButtonBmp&) { return 128; };
    EXPECT_EQ(alpha.nAlphaLevel(), 128);
    EXPECT_EQ(alpha.nAlphaLevel(40), 40);
    // A missing file and resource leaves no picture.
    EXPECT_FALSE(plain.LoadBitmap("no-such-picture.bmp"));
    EXPECT_EQ(plain.hBitmap, nullptr);
}

TEST(ButtonBmp, PaintsThePictureOnTheFace) {
    wltest::Parent p;
    ShowWindow(p.w.hWnd, SW_SHOW);
    TButtonBmp b;
    ButtonNew n = pixelButton(&p.w);
    n.nWidth = 60;
    n.nHeight = 40;
    b.NewFromHandle(n, solidBitmap(16, 12, 24, RGB(255, 0, 0)));
    RedrawWindow(b.hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(b.hWnd);
    const POINT o = b.bitmapOrigin(60, 40, false);
    EXPECT_EQ(GetPixel(dc, o.x + 8, o.y + 6), RGB(255, 0, 0));
    EXPECT_NE(GetPixel(dc, 3, 20), RGB(255, 0, 0));  // the face around it
    ReleaseDC(b.hWnd, dc);
    ShowWindow(p.w.hWnd, SW_HIDE);
}

}  // namespace
