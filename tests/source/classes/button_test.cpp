// Push buttons with and without a picture on a live window: the size the
// picture gives, where it stands for each text position, the alpha check,
// the picture painted masked or blended on the face; clicks with OnClick,
// and the designer's source lines of buttons and labels.
#include "button.hpp"

#include <gtest/gtest.h>

#include <cstdint>
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
    GdiFlush();
    // A 32-bit picture is opaque: its alpha bytes are set.
    if (bits == 32)
        for (int i = 0; i < width * height; ++i) static_cast<std::uint32_t*>(pixels)[i] |= 0xFF000000u;
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

TEST(ButtonBmp, OnlyThirtyTwoBitPicturesWithAlphaBytesCountAsAlpha) {
    wltest::Parent p;
    TButtonBmp plain, alpha;
    plain.NewFromHandle(pixelButton(&p.w), solidBitmap(8, 8, 24, RGB(0, 0, 255)));
    alpha.NewFromHandle(pixelButton(&p.w), solidBitmap(8, 8, 32, RGB(0, 0, 255)));
    EXPECT_FALSE(plain.lHasAlpha);
    EXPECT_TRUE(alpha.lHasAlpha);
    // Thirty-two bits with every alpha byte 0 carry no alpha.
    TButtonBmp empty;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 8;
    info.bmiHeader.biHeight = 8;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    empty.NewFromHandle(pixelButton(&p.w), CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    EXPECT_FALSE(empty.lHasAlpha);
    EXPECT_EQ(alpha.nAlphaLevel(), 255);
    alpha.bAlphaLevel = [](TButtonBmp&) { return 128; };
    EXPECT_EQ(alpha.nAlphaLevel(), 128);
    EXPECT_EQ(alpha.nAlphaLevel(40), 40);
    // A missing file and resource leaves no picture.
    EXPECT_FALSE(plain.LoadBitmap("no-such-picture.bmp"));
    EXPECT_EQ(plain.hBitmap, nullptr);
}

}  // namespace

#include <fstream>

#include "dialog.hpp"
#include "test_support.hpp"

namespace {

// A 24-bit picture file: a white border (the masked colour) around red.
void buttonWriteBmp(const std::string& file, int width, int height) {
    const int row = (width * 3 + 3) / 4 * 4;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = width;
    ih.biHeight = height;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(row * height);
    std::string pixels(static_cast<std::size_t>(row * height), '\0');
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            char* p = &pixels[static_cast<std::size_t>(y * row + x * 3)];
            p[0] = border ? '\xFF' : 0;  // blue
            p[1] = border ? '\xFF' : 0;  // green
            p[2] = '\xFF';               // red
        }
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&ih), sizeof ih);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
}

// A 32-bit picture whose pixels are opaque red inside a white corner.
HBITMAP buttonAlphaRed(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP h = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* px = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) px[i] = 0xFFFF0000;  // opaque red (BGRA)
    return h;
}

TEST(ButtonBmp, ReDefineBindsTheDialogItemWithItsPictureAndTooltip) {
    zrtest::TempDir tmp;
    const std::string file = tmp.path() + "/face.bmp";
    buttonWriteBmp(file, 16, 12);
    TDialog d;
    DialogNew n;
    n.nWidth = 200;
    n.nHeight = 120;
    d.New(n);
    TButtonBmp b;
    b.ReDefine(310, nullptr, &d, "", false, file, "textleft", "Save the file");
    ASSERT_TRUE(b.hBitmap);
    EXPECT_EQ(b.cPosText, "TEXTLEFT");
    EXPECT_EQ(toolTipString(b.cToolTip), "Save the file");
    b.nRight = 60;  // a size for the template item
    b.nBottom = 40;
    DialogActivate a;
    a.lModal = false;
    d.Activate(a);
    EXPECT_EQ(b.hWnd, GetDlgItem(d.hWnd, 310));
    d.End(1);
}

TEST(ButtonBmp, ThePictureIsMaskedByItsCornerColourOrBlendedAtItsAlphaLevel) {
    zrtest::TempDir tmp;
    const std::string file = tmp.path() + "/face.bmp";
    buttonWriteBmp(file, 16, 12);
    wltest::Parent p;
    ShowWindow(p.w.hWnd, SW_SHOW);
    ButtonNew n = pixelButton(&p.w);
    n.nWidth = 60;
    n.nHeight = 40;
    TButtonBmp masked, blended;
    masked.New(n, file);
    n.nCol = 100;
    blended.NewFromHandle(n, buttonAlphaRed(16, 12));
    blended.nAlphaLevel(128);
    const bool before = SETALPHA(true);
    for (TButtonBmp* b : {&masked, &blended}) RedrawWindow(b->hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    SETALPHA(before);
    HDC dc = GetDC(masked.hWnd);
    const COLORREF face = GetPixel(dc, 3, 20);
    const POINT o = masked.bitmapOrigin(60, 40, false);
    EXPECT_EQ(GetPixel(dc, o.x + 8, o.y + 6), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, o.x, o.y), face) << "the corner colour is not drawn";
    ReleaseDC(masked.hWnd, dc);
    dc = GetDC(blended.hWnd);
    const COLORREF half = GetPixel(dc, o.x + 8, o.y + 6);
    ReleaseDC(blended.hWnd, dc);
    // Half red over the face.
    EXPECT_NEAR(GetRValue(half), (255 + GetRValue(face)) / 2, 6);
    EXPECT_NEAR(GetGValue(half), GetGValue(face) / 2, 6);
    ShowWindow(p.w.hWnd, SW_HIDE);
}

TEST(Button, OnClickRunsAndTheButtonStillClicks) {
    wltest::Parent p;
    int actions = 0, onClicks = 0;
    TButton b;
    ButtonNew n = pixelButton(&p.w);
    n.nWidth = 60;
    n.nHeight = 24;
    n.cCaption = "Go";
    n.bAction = [&](TWindow&) { ++actions; };
    b.New(n);
    b.OnClick = [&](TWindow& self, int, int, WPARAM) {
        EXPECT_EQ(&self, &b);
        ++onClicks;
    };
    SendMessageA(b.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(b.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    EXPECT_EQ(onClicks, 1);
    EXPECT_EQ(actions, 1);
}

TEST(Button, TheDesignersSourceAndResourceLines) {
    wltest::Parent p;
    p.w.cVarName = "oDlg";
    TButton b;
    ButtonNew n = pixelButton(&p.w);
    n.nRow = 10;
    n.nCol = 20;
    n.nWidth = 80;
    n.nHeight = 24;
    n.cCaption = "&Save";
    b.New(n);
    EXPECT_EQ(b.cVarName, "oBtn1");
    EXPECT_EQ(b.cGenPRG(), "\r\n   @ 10, 20 BUTTON oBtn1 PROMPT \"&Save\" ;\r\n      SIZE 80, 24 PIXEL OF oDlg ;\r\n"
                           "      ACTION MsgInfo( \"Not defined yet!\" )\r\n");
    const long units = GetDialogBaseUnits();
    const int bx = LOWORD(units), by = HIWORD(units);
    EXPECT_NE(b.cGenPRG(true).find("@ " + std::to_string(10 * 8 / by) + ", " + std::to_string(20 * 4 / bx) + " "),
              std::string::npos)
        << b.cGenPRG(true);
    SayNew s;
    s.oWnd = &p.w;
    s.lPixel = true;
    s.nRow = 5;
    s.nCol = 7;
    s.nWidth = 50;
    s.nHeight = 15;
    s.bText = [] { return Value("Name"); };
    TSay say;
    say.New(s);
    EXPECT_EQ(say.cVarName, "oSay1");
    EXPECT_EQ(say.cGenPrg(), "\r\n   @   5,   7 SAY oSay1 PROMPT \"Name\" SIZE  49,  14 PIXEL OF oDlg\r\n");
    EXPECT_EQ(say.SaveToRC(2), "  LTEXT \"Name\", " + std::to_string(say.nId) + ", 5, 7, 50, 15");
}

}  // namespace

namespace {

// Dark pixels (text) in the label's right half.
int buttonDarkPixelsRightOf(HWND label, int fromX) {
    RECT r{};
    GetClientRect(label, &r);
    HDC dc = GetDC(label);
    int n = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = fromX; x < r.right; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            n += GetRValue(c) + GetGValue(c) + GetBValue(c) < 120;
        }
    ReleaseDC(label, dc);
    return n;
}

TEST(Say, ATransparentLabelOverAGradientLeavesNoOldTextBehind) {
    TDialog d;
    DialogNew n;
    n.nWidth = 300;
    n.nHeight = 120;
    n.aGradColors = {{1.0, NRGB(128, 192, 255), NRGB(200, 230, 255)}};
    d.New(n);
    SayNew s;
    s.oWnd = &d;
    s.lPixel = true;
    s.nRow = 20;
    s.nCol = 10;
    s.nWidth = 200;
    s.nHeight = 20;
    s.nClrText = NRGB(0, 0, 0);
    s.bText = [] { return Value("WWWWWWWWWWWWWWWWWW"); };
    TSay label;
    label.New(s);
    DialogActivate a;
    a.lModal = false;
    d.Activate(a);
    ASSERT_TRUE(label.lTransparent);
    UpdateWindow(d.hWnd);
    ASSERT_GT(buttonDarkPixelsRightOf(label.hWnd, 60), 0) << "the long text is shown";
    label.SetText(Value("i"));
    UpdateWindow(d.hWnd);
    EXPECT_EQ(buttonDarkPixelsRightOf(label.hWnd, 60), 0);
    d.End(1);
}

}  // namespace
