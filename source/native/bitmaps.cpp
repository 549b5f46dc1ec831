#include "bitmaps.hpp"

#include <algorithm>
#include <cstring>

#include "builtin_images.hpp"
#include "dib_format.hpp"
#include "image_effects.hpp"
#include "library_registry.hpp"
#include "messages.hpp"
#include "palette_list.hpp"
#include "png_decoder.hpp"
#include "resource_tracker.hpp"
#include "text.hpp"
#include "process_state.hpp"

namespace wl {

namespace {

struct ScreenDC {
    HDC dc = GetDC(nullptr);
    ~ScreenDC() { ReleaseDC(nullptr, dc); }
};

// A memory device context with one object selected, put back when it goes.
struct MemDC {
    HDC dc;
    HGDIOBJ old = nullptr;
    explicit MemDC(HDC like, HGDIOBJ select = nullptr) : dc(CreateCompatibleDC(like)) {
        if (select) old = SelectObject(dc, select);
    }
    ~MemDC() {
        if (old) SelectObject(dc, old);
        DeleteDC(dc);
    }
    MemDC(const MemDC&) = delete;
    MemDC& operator=(const MemDC&) = delete;
};

// A locked global block, unlocked when it goes.
struct Locked {
    HGLOBAL h;
    const char* p;
    std::size_t size;
    explicit Locked(HGLOBAL mem)
        : h(mem), p(mem ? static_cast<const char*>(GlobalLock(mem)) : nullptr), size(p ? GlobalSize(mem) : 0) {}
    ~Locked() {
        if (p) GlobalUnlock(h);
    }
    std::string_view view() const { return p ? std::string_view(p, size) : std::string_view(); }
};

HBITMAP track(HBITMAP h, const std::string& type = "BMP") {
    if (h) TrackResourceNew(h, type);
    return h;
}

// The header of a top-down 32-bit picture, the layout of PixelImage.
BITMAPINFO topDown32(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    return bi;
}

BITMAP bitmapInfo(HBITMAP h) {
    BITMAP bm{};
    if (!h || !GetObjectA(h, sizeof bm, &bm)) return BITMAP{};
    return bm;
}

HGLOBAL globalCopy(std::string_view bytes, UINT flags = GMEM_MOVEABLE) {
    HGLOBAL h = GlobalAlloc(flags, bytes.size());
    if (!h) return nullptr;
    if (void* p = GlobalLock(h)) {
        std::memcpy(p, bytes.data(), bytes.size());
        GlobalUnlock(h);
        return h;
    }
    GlobalFree(h);
    return nullptr;
}

// A bitmap made from a checked packed DIB on hDC (the screen when 0).
HBITMAP bitmapFromDib(HDC hDC, std::string_view dib) {
    auto d = dibLayout(dib);
    if (!d) return nullptr;
    ScreenDC screen;
    HDC dc = hDC ? hDC : screen.dc;
    return CreateDIBitmap(dc, reinterpret_cast<const BITMAPINFOHEADER*>(dib.data()), CBM_INIT,
                          dib.data() + d->bitsOffset, reinterpret_cast<const BITMAPINFO*>(dib.data()),
                          DIB_RGB_COLORS);
}

HBITMAP trackedPixels(const PixelImage& img, const std::string& type = "BMP") {
    return track(bitmapFromPixels(img), type);
}

// The area of a device context as a picture.
std::optional<PixelImage> areaPixels(HDC hDC, int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return std::nullopt;
    HBITMAP bmp = CreateCompatibleBitmap(hDC, w, h);
    if (!bmp) return std::nullopt;
    {
        MemDC mem(hDC, bmp);
        BitBlt(mem.dc, 0, 0, w, h, hDC, x, y, SRCCOPY);
    }
    auto px = bitmapPixels(bmp);
    DeleteObject(bmp);
    return px;
}

void putPixels(HDC hDC, int x, int y, const PixelImage& img) {
    HBITMAP bmp = bitmapFromPixels(img);
    if (!bmp) return;
    {
        MemDC mem(hDC, bmp);
        BitBlt(hDC, x, y, img.width, img.height, mem.dc, 0, 0, SRCCOPY);
    }
    DeleteObject(bmp);
}

}  // namespace

std::optional<PixelImage> bitmapPixels(HBITMAP hBitmap) {
    BITMAP bm = bitmapInfo(hBitmap);
    if (bm.bmWidth <= 0 || bm.bmHeight <= 0) return std::nullopt;
    PixelImage img(bm.bmWidth, bm.bmHeight);
    BITMAPINFO bi = topDown32(bm.bmWidth, bm.bmHeight);
    ScreenDC screen;
    if (GetDIBits(screen.dc, hBitmap, 0, static_cast<UINT>(bm.bmHeight), img.pixels.data(), &bi, DIB_RGB_COLORS) == 0)
        return std::nullopt;
    return img;
}

HBITMAP bitmapFromPixels(const PixelImage& image) {
    if (image.empty()) return nullptr;
    const BITMAPINFO bi = topDown32(image.width, image.height);
    void* bits = nullptr;
    HBITMAP h = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (h && bits) std::memcpy(bits, image.pixels.data(), image.pixels.size() * 4);
    return h;
}

HBITMAP LOADBITMAP(HINSTANCE hInstance, const std::string& cName) {
    return track(LoadBitmapA(hInstance, cName.c_str()));
}
HBITMAP LOADBITMAP(HINSTANCE hInstance, int nId) {
    return track(LoadBitmapA(hInstance, MAKEINTRESOURCEA(nId)));
}

HBITMAP READBITMAP(HDC hDC, const std::string& cFile) {
    auto dib = readDibFile(cFile);
    return dib ? track(bitmapFromDib(hDC, *dib)) : nullptr;
}

HBITMAP CREATEMEMBITMAP(HDC hDC, std::string_view cImage) {
    auto dib = dibFromBmpImageAtOffset(cImage);
    return dib ? track(bitmapFromDib(hDC, *dib)) : nullptr;
}

HBITMAP CREATECOMPATIBLEBITMAP(HDC hDC, int nWidth, int nHeight) { return CreateCompatibleBitmap(hDC, nWidth, nHeight); }

int NBMPWIDTH(HBITMAP hBitmap) { return bitmapInfo(hBitmap).bmWidth; }
int NBMPHEIGHT(HBITMAP hBitmap) { return bitmapInfo(hBitmap).bmHeight; }

HBITMAP RESIZEBMP(HBITMAP hBitmap, int nWidth, int nHeight, bool lSmooth) {
    BITMAP bm = bitmapInfo(hBitmap);
    if (!bm.bmWidth || nWidth <= 0 || nHeight <= 0) return nullptr;
    ScreenDC screen;
    HBITMAP out = CreateCompatibleBitmap(screen.dc, nWidth, nHeight);
    if (!out) return nullptr;
    MemDC src(screen.dc, hBitmap), dst(screen.dc, out);
    if (lSmooth) SetStretchBltMode(dst.dc, HALFTONE);
    StretchBlt(dst.dc, 0, 0, nWidth, nHeight, src.dc, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    return track(out);
}

HBITMAP CROPIMAGE(HBITMAP hBitmap, std::optional<int> nTop, std::optional<int> nLeft, std::optional<int> nBottom,
                  std::optional<int> nRight) {
    BITMAP bm = bitmapInfo(hBitmap);
    int top = nTop.value_or(0), left = nLeft.value_or(0);
    int bottom = nBottom.value_or(bm.bmHeight), right = nRight.value_or(bm.bmWidth);
    if (!bm.bmWidth || right <= left || bottom <= top) return nullptr;
    ScreenDC screen;
    HBITMAP out = CreateCompatibleBitmap(screen.dc, right - left, bottom - top);
    if (!out) return nullptr;
    MemDC src(screen.dc, hBitmap), dst(screen.dc, out);
    BitBlt(dst.dc, 0, 0, right - left, bottom - top, src.dc, left, top, SRCCOPY);
    return track(out);
}

HBITMAP COPYBITMAP(HBITMAP hBitmap) { return CROPIMAGE(hBitmap); }

bool IS32BITBITMAP(HBITMAP hBitmap) { return bitmapInfo(hBitmap).bmBitsPixel == 32; }

HBITMAP TO32BITDIB(HBITMAP hBitmap) {
    auto px = bitmapPixels(hBitmap);
    if (!px) return nullptr;
    for (auto& p : px->pixels) p |= 0xFF000000u;
    return trackedPixels(*px);
}

HGLOBAL DIBREAD(const std::string& cFile) {
    auto dib = readDibFile(cFile);
    if (!dib) return nullptr;
    // Sized to the DIB itself, so a later write carries no stray bytes.
    HGLOBAL h = globalCopy(*dib, GMEM_MOVEABLE | GMEM_DISCARDABLE);
    if (h) TrackGlobalHandle(h);
    return h;
}

std::string DIBTOSTR(HGLOBAL hDib) {
    Locked l(hDib);
    return bmpImageFromDib(l.view());
}

bool DIBWRITE(const std::string& cFile, HGLOBAL hDib) {
    Locked l(hDib);
    return writeDibFile(cFile, l.view());
}

HPALETTE DIBPALETTE(HGLOBAL hDib) {
    Locked l(hDib);
    auto d = dibLayout(l.view());
    if (!d || d->colorsUsed == 0 || d->colorsUsed > 256) return nullptr;
    std::vector<char> buf(sizeof(LOGPALETTE) + d->colorsUsed * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = static_cast<WORD>(d->colorsUsed);
    const unsigned char* table = reinterpret_cast<const unsigned char*>(l.p) + d->headerSize + d->maskBytes;
    for (std::uint32_t i = 0; i < d->colorsUsed; ++i) {
        const unsigned char* e = table + i * d->colorEntrySize;
        lp->palPalEntry[i] = PALETTEENTRY{e[2], e[1], e[0], 0};
    }
    HPALETTE pal = CreatePalette(lp);
    if (pal) TrackResourceNew(pal, "PAL");
    return pal;
}

bool DIBDRAW(HDC hDC, HGLOBAL hDib, HPALETTE hPalette, int nRow, int nCol, int nWidth, int nHeight, DWORD nRop) {
    if (!hDC || !hDib) return false;
    Locked l(hDib);
    auto d = dibLayout(l.view());
    if (!d) return false;
    HPALETTE oldPal = nullptr;
    if (hPalette) {
        oldPal = SelectPalette(hDC, hPalette, FALSE);
        RealizePalette(hDC);
    }
    auto* info = reinterpret_cast<const BITMAPINFO*>(l.p);
    const char* bits = l.p + d->bitsOffset;
    int h = d->height < 0 ? -d->height : d->height;
    // Signed positions: a picture may start left of or above the target.
    if (nWidth != 0 && nHeight != 0)
        StretchDIBits(hDC, nCol, nRow, nWidth, nHeight, 0, 0, d->width, h, bits, info, DIB_RGB_COLORS,
                      nRop ? nRop : SRCCOPY);
    else
        SetDIBitsToDevice(hDC, nCol, nRow, static_cast<DWORD>(d->width), static_cast<DWORD>(h), 0, 0, 0,
                          static_cast<UINT>(h), bits, info, DIB_RGB_COLORS);
    if (hPalette) SelectPalette(hDC, oldPal, FALSE);
    return true;
}

HGLOBAL DIBFROMBITMAP(HBITMAP hBitmap, HPALETTE hPalette) {
    BITMAP bm = bitmapInfo(hBitmap);
    if (!bm.bmWidth) return nullptr;
    WORD bitCount = static_cast<WORD>(bm.bmPlanes * bm.bmBitsPixel);
    std::uint32_t colours = dibColorsUsed(bitCount, 0);
    std::vector<char> info(sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD) + 12);
    auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
    bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi->bmiHeader.biWidth = bm.bmWidth;
    bi->bmiHeader.biHeight = bm.bmHeight;
    bi->bmiHeader.biPlanes = 1;
    bi->bmiHeader.biBitCount = bitCount;
    bi->bmiHeader.biCompression = BI_RGB;
    ScreenDC screen;
    HPALETTE pal = hPalette ? hPalette : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    HPALETTE oldPal = SelectPalette(screen.dc, pal, FALSE);
    RealizePalette(screen.dc);
    HGLOBAL result = nullptr;
    if (GetDIBits(screen.dc, hBitmap, 0, static_cast<UINT>(bm.bmHeight), nullptr, bi, DIB_RGB_COLORS)) {
        bi->bmiHeader.biCompression = BI_RGB;  // the bits are asked for uncompressed
        std::size_t image = static_cast<std::size_t>(bm.bmHeight) * ((static_cast<std::size_t>(bm.bmWidth) * bitCount + 31) / 32) * 4;
        bi->bmiHeader.biSizeImage = static_cast<DWORD>(image);
        bi->bmiHeader.biClrUsed = 0;
        std::size_t head = sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD);
        std::string block(head + image, '\0');
        std::memcpy(block.data(), info.data(), head);
        auto* bb = reinterpret_cast<BITMAPINFO*>(block.data());
        if (GetDIBits(screen.dc, hBitmap, 0, static_cast<UINT>(bm.bmHeight), block.data() + head, bb, DIB_RGB_COLORS))
            result = globalCopy(block);
    }
    SelectPalette(screen.dc, oldPal, FALSE);
    return result;
}

std::string BMPTOSTR(HBITMAP hBitmap) {
    HGLOBAL dib = DIBFROMBITMAP(hBitmap, nullptr);
    if (!dib) return {};
    std::string s = DIBTOSTR(dib);
    GlobalFree(dib);
    return s;
}

bool HASALPHA(HBITMAP hBitmap, HPALETTE) {
    {
        ScreenDC screen;
        if (GetDeviceCaps(screen.dc, BITSPIXEL) < 32) return false;
    }
    if (bitmapInfo(hBitmap).bmBitsPixel != 32) return false;
    auto px = bitmapPixels(hBitmap);
    if (!px) return false;
    return std::any_of(px->pixels.begin(), px->pixels.end(), [](std::uint32_t p) { return (p >> 24) != 0; });
}

WORD DIBWIDTH(HGLOBAL hDib) {
    Locked l(hDib);
    return dibWidth16(l.view());
}
WORD DIBHEIGHT(HGLOBAL hDib) {
    Locked l(hDib);
    return dibHeight16(l.view());
}

void DRAWBITMAP(HDC hDC, HBITMAP hBitmap, int nRow, int nCol, int nWidth, int nHeight, DWORD nRop) {
    if (!hDC || !hBitmap) return;
    DWORD rop = nRop ? nRop : SRCCOPY;
    BITMAP bm = bitmapInfo(hBitmap);
    MemDC src(hDC, hBitmap);
    if (nWidth && nHeight)
        StretchBlt(hDC, nCol, nRow, nWidth, nHeight, src.dc, 0, 0, bm.bmWidth, bm.bmHeight, rop);
    else
        BitBlt(hDC, nCol, nRow, bm.bmWidth, bm.bmHeight, src.dc, 0, 0, rop);
}

void DRAWMASKED(HDC hDC, HBITMAP hBitmap, int nRow, int nCol) {
    if (!hDC || !hBitmap) return;
    BITMAP bm = bitmapInfo(hBitmap);
    auto px = bitmapPixels(hBitmap);
    if (!px) return;
    std::uint32_t key = px->at(0, 0) & 0xFFFFFF;
    auto under = areaPixels(hDC, nCol, nRow, bm.bmWidth, bm.bmHeight);
    if (!under) return;
    for (std::size_t i = 0; i < px->pixels.size(); ++i)
        if ((px->pixels[i] & 0xFFFFFF) != key) under->pixels[i] = px->pixels[i];
    putPixels(hDC, nCol, nRow, *under);
}

void DRAWCHECKED(HDC hDC, HBITMAP hBitmap, int nRow, int nCol) {
    if (!hDC || !hBitmap) return;
    BITMAP bm = bitmapInfo(hBitmap);
    PixelImage back(bm.bmWidth, bm.bmHeight);
    std::uint32_t a = colorToPixel(GetSysColor(COLOR_BTNHIGHLIGHT)), b = colorToPixel(GetSysColor(COLOR_BTNFACE));
    for (int y = 0; y < back.height; ++y)
        for (int x = 0; x < back.width; ++x) back.at(x, y) = (x + y) % 2 ? a : b;
    putPixels(hDC, nCol, nRow, back);
    DRAWMASKED(hDC, hBitmap, nRow, nCol);
}

void DRAWGRAY(HDC hDC, HBITMAP hBitmap, int nRow, int nCol) {
    if (!hDC || !hBitmap) return;
    auto px = bitmapPixels(hBitmap);
    if (!px) return;
    std::uint32_t key = px->at(0, 0) & 0xFFFFFF;
    for (int y = 0; y < px->height; ++y)
        for (int x = 0; x < px->width; ++x) {
            std::uint32_t p = px->at(x, y);
            if ((p & 0xFFFFFF) == key) continue;
            int g = grayLevel(p);
            SetPixel(hDC, nCol + x, nRow + y, RGB(g, g, g));
        }
}

void TRANSBMP(HBITMAP hBitmap, int nWidth, int nHeight, COLORREF nTransparent, HDC hDC, int nX, int nY,
              int nDestWidth, int nDestHeight) {
    if (!hDC || !hBitmap) return;
    MemDC src(hDC, hBitmap);
    int old = SetStretchBltMode(hDC, COLORONCOLOR);
    GdiTransparentBlt(hDC, nX, nY, nDestWidth, nDestHeight, src.dc, 0, 0, nWidth, nHeight, nTransparent);
    SetStretchBltMode(hDC, old);
}

void ABPAINT(HDC hDC, int nX, int nY, HBITMAP hBitmap, int nAlpha) {
    if (!hDC || !hBitmap) return;
    BITMAP bm = bitmapInfo(hBitmap);
    BLENDFUNCTION bf{AC_SRC_OVER, 0, static_cast<BYTE>(nAlpha ? nAlpha : 220), AC_SRC_ALPHA};
    MemDC src(hDC, hBitmap);
    GdiAlphaBlend(hDC, nX, nY, bm.bmWidth, bm.bmHeight, src.dc, 0, 0, bm.bmWidth, bm.bmHeight, bf);
}

HBITMAP WLBITMAP(const std::string& cName) {
    auto img = builtinBitmap(cName);
    if (!img) {
        MSGINFO(Value(lower(cName)), Value(std::string("bitmap not found from WLBitmap()")));
        return nullptr;
    }
    return trackedPixels(*img);
}

HBITMAP WLBRUSHES(int nIndex) {
    auto img = builtinBrush(nIndex);
    return img ? trackedPixels(*img) : nullptr;
}

HBITMAP WLLOGOBITMAP(HDC) { return trackedPixels(builtinLogo()); }
HBITMAP MSGBAR2007(HDC) { return trackedPixels(builtinMessageBar(1)); }
HBITMAP MSGBAR2010(HDC) { return trackedPixels(builtinMessageBar(2)); }
HBITMAP WLRARROW() { return trackedPixels(builtinRightArrow()); }
HBITMAP WLDARROW() { return trackedPixels(builtinDownArrow()); }
HBITMAP WLBMPASC() { return trackedPixels(builtinSortMark(true)); }
HBITMAP WLBMPDES() { return trackedPixels(builtinSortMark(false)); }
HBITMAP WLBMPOFF() { return trackedPixels(builtinSwitch(false)); }
HBITMAP WLBMPON() { return trackedPixels(builtinSwitch(true)); }
HBITMAP checkMarkBitmap(int look) { return trackedPixels(builtinCheckMark(look)); }

std::vector<HBITMAP> ATREEBMPS(HDC) {
    std::vector<HBITMAP> out;
    for (const auto& img : builtinTreeLines()) out.push_back(trackedPixels(img));
    return out;
}

HBITMAP EMBEDDEDIMAGE(int n) {
    PixelImage img = builtinEmbedded(n);
    return img.empty() ? nullptr : trackedPixels(img);
}

void DIBBUTTON(HWND hWnd, HGLOBAL hDib, HPALETTE hPalette, HGLOBAL hDibPressed, HPALETTE hPalettePressed,
               bool lPressed, bool lStretch) {
    RECT rc{};
    if (!GetClientRect(hWnd, &rc)) return;
    HDC dc = GetDC(hWnd);
    bool usePressed = lPressed && hDibPressed;
    HGLOBAL dib = usePressed ? hDibPressed : hDib;
    HPALETTE pal = usePressed ? hPalettePressed : hPalette;
    int at = usePressed ? 2 : 1;
    int w = lStretch ? rc.right - 1 - at : 0, h = lStretch ? rc.bottom - 1 - at : 0;
    DIBDRAW(dc, dib, pal, at, at, w, h);
    DrawEdge(dc, &rc, lPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    ReleaseDC(hWnd, dc);
}

HBITMAP RESIZEIMG(HBITMAP hBitmap, int nWidthOrPercent, int nHeight) {
    auto px = bitmapPixels(hBitmap);
    if (!px) return nullptr;
    auto out = resizeImage(*px, nWidthOrPercent, nHeight);
    return out ? trackedPixels(*out, "BMP -> ResizeImg") : nullptr;
}

HBITMAP BRIGHTIMG(HDC, HBITMAP hBitmap, int nDelta, bool lAlpha) {
    auto px = bitmapPixels(hBitmap);
    return px ? trackedPixels(brightImage(*px, nDelta, lAlpha), "BMP -> BrightImg") : nullptr;
}

HBITMAP BLURIMG(HBITMAP hBitmap, int nRadius) {
    int bits = bitmapInfo(hBitmap).bmBitsPixel;
    if (bits != 24 && bits != 32) return nullptr;
    auto px = bitmapPixels(hBitmap);
    if (!px) return nullptr;
    auto out = blurImage(*px, nRadius);
    return out ? trackedPixels(*out, "BMP -> Blur") : nullptr;
}

bool FADEIMG(HDC hDC, HBITMAP hBitmap, int nRow, int nCol, int nAlpha, int nStart, bool lUseAlpha,
             COLORREF nTransparent) {
    auto px = bitmapPixels(hBitmap);
    if (!hDC || !px) return false;
    auto screen = areaPixels(hDC, nCol, nRow, px->width, px->height);
    if (!screen) return false;
    putPixels(hDC, nCol, nRow, fadeImage(*screen, *px, nAlpha, nStart, lUseAlpha, colorToPixel(nTransparent)));
    return true;
}

bool SHADOWBOX(HDC hDC, int nWidth, int nHeight, int nOffsetX, int nOffsetY, int nInset, bool lRound, int nPercent,
               int nCorner) {
    auto area = hDC ? areaPixels(hDC, 0, 0, nWidth, nHeight) : std::nullopt;
    if (!area) return false;
    shadowBox(*area, nOffsetX, nOffsetY, nInset, lRound, nPercent, nCorner);
    putPixels(hDC, 0, 0, *area);
    return true;
}

HGDIOBJ RADIALGRADIENT(HDC hDC, const RECT& aRect, COLORREF nColorCentre, COLORREF nColorEdge, int nOffsetX,
                       int nOffsetY, int nMode) {
    PixelImage img = radialGradient(aRect.right - aRect.left, aRect.bottom - aRect.top, nColorCentre, nColorEdge,
                                    nOffsetX, nOffsetY);
    HBITMAP bmp = bitmapFromPixels(img);
    if (!bmp) return nullptr;
    if (nMode == 2) return track(bmp);
    HBRUSH brush = CreatePatternBrush(bmp);
    DeleteObject(bmp);
    if (nMode == 1) {
        if (brush) TrackResourceNew(brush, "BRUSH");
        return brush;
    }
    if (hDC && brush) FillRect(hDC, &aRect, brush);
    // The brush only served this fill.
    if (brush) DeleteObject(brush);
    return nullptr;
}

void DIAGONALGRADIENT(HDC hDC, const RECT& aRect, COLORREF nColor1, COLORREF nColor2, bool lDirection, int nStart,
                      int nEnd) {
    if (!hDC || nStart >= nEnd) return;
    auto area = areaPixels(hDC, aRect.left, aRect.top, aRect.right - aRect.left, aRect.bottom - aRect.top);
    if (!area) return;
    diagonalGradient(*area, nColor1, nColor2, lDirection, nStart, nEnd);
    putPixels(hDC, aRect.left, aRect.top, *area);
}

namespace {
void darken(HDC hDC, int nTop, int nLeft, int nBottom, int nRight, bool horizontal) {
    auto area = hDC ? areaPixels(hDC, nLeft, nTop, nRight - nLeft, nBottom - nTop) : std::nullopt;
    if (!area) return;
    darkenRamp(*area, horizontal);
    putPixels(hDC, nLeft, nTop, *area);
}
}  // namespace

void DARKENRAMPH(HDC hDC, int nTop, int nLeft, int nBottom, int nRight) { darken(hDC, nTop, nLeft, nBottom, nRight, true); }
void DARKENRAMPV(HDC hDC, int nTop, int nLeft, int nBottom, int nRight) { darken(hDC, nTop, nLeft, nBottom, nRight, false); }

HBITMAP MAKEBKBMP(HWND hWnd, HDC hDC) {
    RECT rc{};
    if (!GetClientRect(hWnd, &rc) || !hDC) return nullptr;
    auto area = areaPixels(hDC, 0, 0, rc.right, rc.bottom);
    return area ? trackedPixels(*area, "BMP -> MakeBkBmp") : nullptr;
}

namespace {
// An area of the window's client area as a picture.
std::optional<PixelImage> clientAreaPixels(HWND hWnd, int x, int y, int w, int h) {
    HDC dc = GetDC(hWnd);
    auto area = areaPixels(dc, x, y, w, h);
    ReleaseDC(hWnd, dc);
    return area;
}
}  // namespace

HBITMAP MAKEBKBMPEX(HWND hWnd, int nTop, int nLeft, int nWidth, int nHeight) {
    auto area = clientAreaPixels(hWnd, nLeft, nTop, nWidth, nHeight);
    return area ? trackedPixels(*area, "BMP -> MakeBkBmpEx") : nullptr;
}

HBRUSH MAKEBKBRUSH(HWND hWnd, int nTop, int nLeft, int nWidth, int nHeight) {
    auto area = clientAreaPixels(hWnd, nLeft, nTop, nWidth, nHeight);
    if (!area) return nullptr;
    HBITMAP bmp = bitmapFromPixels(*area);
    HBRUSH brush = bmp ? CreatePatternBrush(bmp) : nullptr;
    if (bmp) DeleteObject(bmp);
    if (brush) TrackResourceNew(brush, "BRUSH -> MakeBkBrush");
    return brush;
}

HRGN SLIDERREGION(HWND hWnd) {
    RECT rc{};
    GetClientRect(hWnd, &rc);
    int w = rc.right, h = rc.bottom;
    POINT pts[4] = {{15, h / 2}, {w - 15, h / 2}, {w, h}, {0, h}};
    HRGN poly = CreatePolygonRgn(pts, 4, ALTERNATE);
    HRGN round = CreateRoundRectRgn(16, h / 2 - 3, w - 15, h / 2 + 3, 10, 10);
    CombineRgn(poly, poly, round, RGN_OR);
    DeleteObject(round);
    return poly;
}

HBITMAP WLOPENPNGFILE(const std::string& cFile) {
    auto png = decodePngFile(cFile);
    if (!png) return nullptr;
    if (png->channels == 4) {
        // Alpha blending expects premultiplied colours (no light halos).
        premultiplyAlpha(png->image);
        return CreateBitmap(png->image.width, png->image.height, 1, 32, png->image.pixels.data());
    }
    return bitmapFromPixels(png->image);
}

void SAVEBMPASPNG(HBITMAP hBitmap, const std::string& cFile) {
    if (auto px = bitmapPixels(hBitmap)) writePngFile(*px, cFile);
}

void SAVEEMFASPNG(HENHMETAFILE hEnhMetaFile, int nHeight, int nWidth, const std::string& cFile) {
    if (!hEnhMetaFile || nWidth <= 0 || nHeight <= 0) return;
    HBITMAP bmp = bitmapFromPixels(PixelImage(nWidth, nHeight, makePixel(255, 255, 255)));
    if (!bmp) return;
    {
        ScreenDC screen;
        MemDC mem(screen.dc, bmp);
        RECT r{0, 0, nWidth, nHeight};
        PlayEnhMetaFile(mem.dc, hEnhMetaFile, &r);
        GdiFlush();
    }
    SAVEBMPASPNG(bmp, cFile);
    DeleteObject(bmp);
}

namespace {

PaletteList& paletteList() {
    return processState().palettes.get<PaletteList>();
}
std::uintptr_t num(const void* h) { return reinterpret_cast<std::uintptr_t>(h); }

BitmapWithPalette bitmapWithPalette(HDC hDC, std::string_view dib) {
    BitmapWithPalette out;
    auto d = dibLayout(dib);
    if (!d) return out;
    ScreenDC screen;
    HDC dc = hDC ? hDC : screen.dc;
    HPALETTE oldPal = nullptr;
    if (d->colorsUsed > 16) {
        HGLOBAL mem = globalCopy(dib);
        out.palette = DIBPALETTE(mem);
        GlobalFree(mem);
        if (out.palette) {
            oldPal = SelectPalette(dc, out.palette, FALSE);
            RealizePalette(dc);
        }
    }
    out.bitmap = track(bitmapFromDib(dc, dib));
    if (out.palette) SelectPalette(dc, oldPal, FALSE);
    return out;
}

BitmapWithPalette loadPaletteBitmap(LPCSTR name) {
    HINSTANCE inst = GetResourceInstance();
    HRSRC res = FindResourceA(inst, name, MAKEINTRESOURCEA(2));  // RT_BITMAP
    if (!res) return {};
    HGLOBAL data = LoadResource(inst, res);
    const char* p = data ? static_cast<const char*>(LockResource(data)) : nullptr;
    if (!p) return {};
    return bitmapWithPalette(nullptr, std::string_view(p, SizeofResource(inst, res)));
}

// Whether the palette is the foreground window's, once the system asked for it.
bool isForegroundPalette(HPALETTE hPalette) {
    auto fore = paletteList().foreground();
    return fore && fore->palette == num(hPalette) && paletteList().asked();
}

void selectForDrawing(HDC hDC, HPALETTE hPalette, HPALETTE& old) {
    if (!hPalette) return;
    old = SelectPalette(hDC, hPalette, isForegroundPalette(hPalette) ? FALSE : TRUE);
    RealizePalette(hDC);
}

void replaceCornerColour(HBITMAP hBitmap, COLORREF nReplace) {
    auto px = bitmapPixels(hBitmap);
    if (!px) return;
    std::uint32_t key = px->at(0, 0) & 0xFFFFFF, with = colorToPixel(nReplace);
    if (key == (with & 0xFFFFFF)) return;
    ScreenDC screen;
    MemDC mem(screen.dc, hBitmap);
    for (int y = 0; y < px->height; ++y)
        for (int x = 0; x < px->width; ++x)
            if ((px->at(x, y) & 0xFFFFFF) == key) SetPixel(mem.dc, x, y, nReplace);
}

void palDraw(HDC hDC, int nRow, int nCol, HBITMAP hBitmap, HPALETTE hPalette, int nWidth, int nHeight, DWORD nRop,
             bool lTransparent, COLORREF nReplace, bool stretch) {
    if (!hDC || !hBitmap) return;
    DWORD rop = nRop ? nRop : SRCCOPY;
    BITMAP bm = bitmapInfo(hBitmap);
    bool natural = !stretch || nWidth == 0 || nHeight == 0 || (nWidth == bm.bmWidth && nHeight == bm.bmHeight);
    HPALETTE old = nullptr;
    if (natural && lTransparent) replaceCornerColour(hBitmap, nReplace);
    selectForDrawing(hDC, hPalette, old);
    {
        MemDC src(hDC, hBitmap);
        if (natural) {
            int w = stretch || nWidth == 0 ? bm.bmWidth : nWidth, h = stretch || nHeight == 0 ? bm.bmHeight : nHeight;
            BitBlt(hDC, nCol, nRow, w, h, src.dc, 0, 0, rop);
        } else {
            int oldMode = SetStretchBltMode(hDC, COLORONCOLOR);
            StretchBlt(hDC, nCol, nRow, nWidth, nHeight, src.dc, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
            SetStretchBltMode(hDC, oldMode);
        }
    }
    if (hPalette) SelectPalette(hDC, old, FALSE);
}

}  // namespace

BitmapWithPalette PALBMPREAD(HDC hDC, const std::string& cFile) {
    auto dib = readDibFile(cFile);
    return dib ? bitmapWithPalette(hDC, *dib) : BitmapWithPalette{};
}
BitmapWithPalette PALBMPLOAD(const std::string& cName) { return loadPaletteBitmap(cName.c_str()); }
BitmapWithPalette PALBMPLOAD(int nId) { return loadPaletteBitmap(MAKEINTRESOURCEA(nId)); }

void PALBMPDRAW(HDC hDC, int nRow, int nCol, HBITMAP hBitmap, HPALETTE hPalette, int nWidth, int nHeight, DWORD nRop,
                bool lTransparent, COLORREF nReplace) {
    palDraw(hDC, nRow, nCol, hBitmap, hPalette, nWidth, nHeight, nRop, lTransparent, nReplace, true);
}
void PALBMPDRAWSIZE(HDC hDC, int nRow, int nCol, HBITMAP hBitmap, HPALETTE hPalette, int nWidth, int nHeight,
                    DWORD nRop, bool lTransparent, COLORREF nReplace) {
    palDraw(hDC, nRow, nCol, hBitmap, hPalette, nWidth, nHeight, nRop, lTransparent, nReplace, false);
}

int REALIZEPALETTE(HWND hWnd, HPALETTE hPalette) {
    if (!hWnd || !hPalette) return 0;
    HDC dc = GetDC(hWnd);
    HPALETTE old = SelectPalette(dc, hPalette, isForegroundPalette(hPalette) ? FALSE : TRUE);
    UINT n = RealizePalette(dc);
    if (n != GDI_ERROR) InvalidateRect(hWnd, nullptr, FALSE);
    SelectPalette(dc, old, FALSE);
    ReleaseDC(hWnd, dc);
    return n == GDI_ERROR ? 0 : static_cast<int>(n);
}

void PALBMPNEW(HWND hWnd, HBITMAP hBitmap, HPALETTE hPalette) {
    paletteList().enter(num(hWnd), num(hBitmap), num(hPalette));
}

int QRYNEWPALEVENT() {
    paletteList().noteAsked();
    auto fore = paletteList().foreground();
    if (!fore) return 0;
    return REALIZEPALETTE(reinterpret_cast<HWND>(fore->window), reinterpret_cast<HPALETTE>(fore->palette));
}

int PALCHGEVENT(HWND hWnd) {
    for (auto w : paletteList().paletteChanged(num(hWnd))) InvalidateRect(reinterpret_cast<HWND>(w), nullptr, FALSE);
    return 0;
}

std::optional<BitmapWithPalette> SETFOREBMP(HBITMAP hBitmap, HPALETTE hPalette) {
    std::uintptr_t repaint = 0;
    auto r = paletteList().setForeground(num(hBitmap), num(hPalette), &repaint);
    if (repaint) InvalidateRect(reinterpret_cast<HWND>(repaint), nullptr, FALSE);
    if (!r) return std::nullopt;
    return BitmapWithPalette{reinterpret_cast<HBITMAP>(r->first), reinterpret_cast<HPALETTE>(r->second)};
}

void PALBMPFREE(HBITMAP hBitmap) {
    auto r = paletteList().release(num(hBitmap));
    if (!r) return;
    for (auto h : {r->palette, r->bitmap})
        if (h) {
            TrackResourceDelete(reinterpret_cast<HGDIOBJ>(h));
            DeleteObject(reinterpret_cast<HGDIOBJ>(h));
        }
}

HBITMAP WNDBITMAP(HWND hWnd) {
    RECT r{};
    if (!GetWindowRect(hWnd, &r)) return nullptr;
    HDC dc = GetWindowDC(hWnd);
    auto px = areaPixels(dc, 0, 0, r.right - r.left, r.bottom - r.top);
    ReleaseDC(hWnd, dc);
    return px ? trackedPixels(*px) : nullptr;
}

void WNDPRINT(HWND hWnd, HDC hDC, int nX, int nY, int nZoom) {
    RECT r{};
    if (!hDC || !GetClientRect(hWnd, &r)) return;
    int zoom = nZoom ? nZoom : 1;
    HDC dc = GetDC(hWnd);
    HBITMAP bmp = CreateCompatibleBitmap(dc, std::max<LONG>(r.right, 1), std::max<LONG>(r.bottom, 1));
    {
        MemDC mem(dc, bmp);
        BitBlt(mem.dc, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
        StretchBlt(hDC, nX, nY, r.right * zoom, r.bottom * zoom, mem.dc, 0, 0, r.right, r.bottom, SRCCOPY);
    }
    DeleteObject(bmp);
    ReleaseDC(hWnd, dc);
}

bool PRINTWINDOW(HWND hWnd, HDC hDC, UINT nFlags) {
    using PrintWindowFn = BOOL(WINAPI*)(HWND, HDC, UINT);
    HMODULE user = GetModuleHandleA("user32.dll");
    auto fn = user ? reinterpret_cast<PrintWindowFn>(reinterpret_cast<void*>(GetProcAddress(user, "PrintWindow"))) : nullptr;
    return fn && fn(hWnd, hDC, nFlags);
}

HBITMAP WINDOWAREABITMAP(HWND hWnd, std::optional<RECT> aArea) {
    RECT r{};
    if (aArea) r = *aArea;
    else if (GetWindowRect(hWnd, &r)) r = RECT{0, 0, r.right - r.left - 1, r.bottom - r.top - 1};
    else return nullptr;
    HDC dc = GetWindowDC(hWnd);
    HBITMAP b = WINDOWAREABITMAP(dc, r);
    ReleaseDC(hWnd, dc);
    return b;
}

HBITMAP WINDOWAREABITMAP(HDC hDC, const RECT& aArea) {
    // Inclusive edges.
    auto px = areaPixels(hDC, aArea.left, aArea.top, aArea.right - aArea.left + 1, aArea.bottom - aArea.top + 1);
    return px ? trackedPixels(*px) : nullptr;
}

void PUTWINDOWAREA(HDC hDC, HBITMAP hBitmap, int nTop, int nLeft) { DRAWBITMAP(hDC, hBitmap, nTop, nLeft); }
void PUTWINDOWAREA(HWND hWnd, HBITMAP hBitmap, int nTop, int nLeft) {
    HDC dc = GetWindowDC(hWnd);
    PUTWINDOWAREA(dc, hBitmap, nTop, nLeft);
    ReleaseDC(hWnd, dc);
}

HBITMAP PARENTCAPTURE(HWND hWnd, HDC) {
    HWND parent = GetParent(hWnd);
    RECT pr{}, cr{};
    if (!parent || !GetWindowRect(parent, &pr) || !GetWindowRect(hWnd, &cr)) return nullptr;
    HDC dc = GetDC(parent);
    HBITMAP whole = CreateCompatibleBitmap(dc, std::max<LONG>(pr.right - pr.left, 1), std::max<LONG>(pr.bottom - pr.top, 1));
    HBITMAP part = nullptr;
    {
        MemDC mem(dc, whole);
        PRINTWINDOW(parent, mem.dc, 1);  // PW_CLIENTONLY
        POINT at{cr.left, cr.top};
        ScreenToClient(parent, &at);
        if (auto px = areaPixels(mem.dc, at.x, at.y, cr.right - cr.left, cr.bottom - cr.top))
            part = trackedPixels(*px, "BMP -> ParentCapture");
    }
    DeleteObject(whole);
    ReleaseDC(parent, dc);
    return part;
}

HBITMAP CREATEDIBITMAP(HDC hDC, const BITMAPINFOHEADER* nHeader, DWORD nInit, const void* nBits,
                       const BITMAPINFO* nInfo, UINT nUsage) {
    return CreateDIBitmap(hDC, nHeader, nInit, nBits, nInfo, nUsage);
}

int SETDIBITSTODEVICE(HDC hDC, int nX, int nY, DWORD nWidth, DWORD nHeight, int nXSrc, int nYSrc, UINT nStartScan,
                      UINT nLines, const void* nBits, const BITMAPINFO* nInfo, UINT nUsage) {
    return SetDIBitsToDevice(hDC, nX, nY, nWidth, nHeight, nXSrc, nYSrc, nStartScan, nLines, nBits, nInfo, nUsage);
}

}  // namespace wl
