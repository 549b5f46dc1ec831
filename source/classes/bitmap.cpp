#include "bitmap.hpp"

#include <algorithm>

#include "bitmaps.hpp"
#include "clipboard.hpp"
#include "text.hpp"
#include "words.hpp"

namespace wl {
namespace {

bool alphaSwitchOn() { return alphaOn(); }

bool fileExists(const std::string& file) {
    return !file.empty() && GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

SIZE bitmapSize(HBITMAP h) {
    BITMAP bm{};
    if (!h || !GetObjectA(h, sizeof bm, &bm)) return {0, 0};
    return {bm.bmWidth, bm.bmHeight};
}

COLORREF topLeftColour(HBITMAP h) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, h);
    COLORREF c = GetPixel(dc, 0, 0);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

}  // namespace

TBitmap& TBitmap::New(const BitmapNew& a) {
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    cResName = a.cResName;
    cBmpFile = a.cBmpFile;
    lScroll = a.lScroll;
    lStretch = a.lStretch;
    LoadImage();
    const SIZE pic = bitmapSize(hBitmap);
    int width = a.nWidth.value_or(hBitmap ? pic.cx : 100);
    int height = a.nHeight.value_or(hBitmap ? pic.cy : 100);
    if (hBitmap && oWnd && oWnd->hWnd) {
        RECT rc{};
        GetClientRect(oWnd->hWnd, &rc);
        if (!a.nWidth) width = std::min<int>(width, rc.right - rc.left);
        if (!a.nHeight) height = std::min<int>(height, rc.bottom - rc.top);
    }
    nTop = static_cast<int>(a.lPixel ? a.nTop : a.nTop * rowPixels());
    nLeft = static_cast<int>(a.lPixel ? a.nLeft : a.nLeft * colPixels());
    nBottom = nTop + height - 1;
    nRight = nLeft + width - 1;
    nStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_GROUP;
    if (!a.lNoBorder) nStyle |= WS_BORDER;
    if (lScroll) nStyle |= WS_VSCROLL | WS_HSCROLL;
    bLClicked = a.bLClicked;
    bRClicked = a.bRClicked;
    oCursor = a.oCursor;
    cMsg = a.cMsg;
    lUpdate = a.lUpdate;
    bWhen = a.bWhen;
    bValid = a.bValid;
    nClrText = GetSysColor(COLOR_WINDOWTEXT);
    nClrPane = GetSysColor(COLOR_BTNFACE);
    Register(CS_VREDRAW | CS_HREDRAW);
    nId = GetNewId();
    createOrDefer();
    if (hWnd) {
        ScrollAdjust();
        if (hBitmap) PALBMPNEW(hWnd, hBitmap, hPalette);
    }
    return *this;
}

TBitmap& TBitmap::ReDefine(int id, const std::string& resName, const std::string& file, TWindow* parent, bool scroll,
                           bool stretch) {
    cResName = resName;
    cBmpFile = file;
    lScroll = scroll;
    lStretch = stretch;
    LoadImage();
    Register(CS_VREDRAW | CS_HREDRAW);
    redefine(id, parent);
    return *this;
}

TBitmap& TBitmap::Define(const std::string& resName, const std::string& file, TWindow* wnd, HBITMAP bitmap) {
    oWnd = wnd;
    if (bitmap) {
        setPicture(bitmap);
    } else {
        LoadImage(resName, file);
    }
    return *this;
}

TBitmap::~TBitmap() { freePicture(); }

void TBitmap::freePicture() {
    if (hBitmap) DeleteObject(hBitmap);
    if (hPalette) DeleteObject(hPalette);
    hBitmap = nullptr;
    hPalette = nullptr;
    lHasAlpha = false;
}

void TBitmap::setPicture(HBITMAP bitmap, HPALETTE palette) {
    if (bitmap == hBitmap) return;
    freePicture();
    hBitmap = bitmap;
    hPalette = palette;
    lHasAlpha = hBitmap && HASALPHA(hBitmap);
}

HBITMAP TBitmap::readFile(const std::string& file, HPALETTE& palette) {
    HDC dc = ::GetDC(nullptr);
    BitmapWithPalette b = PALBMPREAD(dc, file);
    ::ReleaseDC(nullptr, dc);
    palette = b.palette;
    return b.bitmap;
}

bool TBitmap::LoadImage(const std::string& resName, const std::string& file) {
    const std::string res = resName.empty() && file.empty() ? cResName : resName;
    const std::string name = resName.empty() && file.empty() ? cBmpFile : file;
    HBITMAP bmp = nullptr;
    HPALETTE pal = nullptr;
    if (!res.empty()) {
        BitmapWithPalette b = PALBMPLOAD(res);
        bmp = b.bitmap;
        pal = b.palette;
    } else if (fileExists(name)) {
        const std::string upperName = upper(name);
        if (upperName.size() >= 3 && upperName.compare(upperName.size() - 3, 3, "PNG") == 0)
            bmp = WLOPENPNGFILE(name);
        else
            bmp = readFile(name, pal);
    }
    if (!bmp) return false;
    cResName = res;
    cBmpFile = name;
    setPicture(bmp, pal);
    return true;
}

bool TBitmap::ReLoad(const std::string& resName, const std::string& file) {
    if (!LoadImage(resName, file)) return false;
    if (hWnd) {
        nX = nY = 0;
        ScrollAdjust();
        InvalidateRect(hWnd, nullptr, TRUE);
        UpdateWindow(hWnd);
    }
    return true;
}

bool TBitmap::LoadFromClipboard() {
    if (!OPENCLIPBOARD(hWnd)) return false;
    Value v = GETCLPDATA(CF_BITMAP);
    CLOSECLIPBOARD();
    const std::int64_t n = v.isWhole() ? std::get<std::int64_t>(v.storage()) : 0;
    if (!n) return false;
    setPicture(reinterpret_cast<HBITMAP>(static_cast<std::intptr_t>(n)));
    if (hWnd) InvalidateRect(hWnd, nullptr, TRUE);
    return true;
}

bool TBitmap::LoadFromString(std::string_view bytes) {
    HDC dc = ::GetDC(nullptr);
    HBITMAP bmp = CREATEMEMBITMAP(dc, bytes);
    ::ReleaseDC(nullptr, dc);
    if (!bmp) return false;
    setPicture(bmp);
    if (hWnd) InvalidateRect(hWnd, nullptr, TRUE);
    return true;
}

bool TBitmap::CopyToClipboard() {
    if (!hBitmap || !OPENCLIPBOARD(hWnd)) return false;
    EMPTYCLIPBOARD();
    const bool set = SETCLIPBOARDDATA(CF_BITMAP, hBitmap);
    return CLOSECLIPBOARD() && set;
}

void TBitmap::Clear() {
    freePicture();
    cResName.clear();
    cBmpFile.clear();
    if (hWnd) InvalidateRect(hWnd, nullptr, TRUE);
}

int TBitmap::nWidth() const { return hBitmap ? bitmapSize(hBitmap).cx * nZoom : 0; }
int TBitmap::nHeight() const { return hBitmap ? bitmapSize(hBitmap).cy * nZoom : 0; }

int TBitmap::nXExtra() const {
    RECT rc{};
    if (hWnd) GetWindowRect(hWnd, &rc);
    return nHeight() - (rc.bottom - rc.top) + 1;
}

int TBitmap::nYExtra() const {
    RECT rc{};
    if (hWnd) GetWindowRect(hWnd, &rc);
    return nWidth() - (rc.right - rc.left) + 1;
}

int TBitmap::Zoom(std::optional<int> zoom) {
    if (zoom) {
        nZoom = *zoom;
        if (hWnd) {
            ScrollAdjust();
            InvalidateRect(hWnd, nullptr, TRUE);
        }
    }
    return nZoom;
}

void TBitmap::Center() {
    if (!hWnd || !oWnd || !oWnd->hWnd) return;
    RECT parent{}, own{};
    GetClientRect(oWnd->hWnd, &parent);
    GetWindowRect(hWnd, &own);
    const int w = own.right - own.left, h = own.bottom - own.top;
    Move((parent.bottom - h) / 2, (parent.right - w) / 2);
}

int TBitmap::nAlphaLevel(std::optional<int> level) {
    if (level) alphaLevel_ = *level;
    return bAlphaLevel ? bAlphaLevel(*this) : alphaLevel_;
}

void TBitmap::PaintTo(HDC dc, int width, int height) {
    if (!hBitmap && !cBmpFile.empty()) LoadImage();
    if (!hBitmap) return;
    const SIZE pic = bitmapSize(hBitmap);
    int w = width, h = height;
    if (!lStretch) {
        if (nZoom <= 0) return;
        w = pic.cx * nZoom;
        h = pic.cy * nZoom;
    }
    if (alphaSwitchOn() && lHasAlpha) {
        HBITMAP sized = (w == pic.cx && h == pic.cy) ? nullptr : RESIZEBMP(hBitmap, w, h, true);
        ABPAINT(dc, nY, nX, sized ? sized : hBitmap, nAlphaLevel());
        if (sized) DeleteObject(sized);
    } else if (lTransparent) {
        TRANSBMP(hBitmap, pic.cx, pic.cy, topLeftColour(hBitmap), dc, nY, nX, w, h);
    } else {
        PALBMPDRAW(dc, nX, nY, hBitmap, hPalette, w, h);
    }
}

Answer TBitmap::Paint() {
    DispBegin();
    RECT rc{};
    GetClientRect(hWnd, &rc);
    if (!hBitmap || lTransparent) PaintBack(hDC);
    PaintTo(hDC, rc.right - rc.left, rc.bottom - rc.top);
    Answer a = bPainted ? bPainted(hDC, &cPS, *this) : Answer(0);
    DispEnd();
    return a;
}

Answer TBitmap::EraseBkGnd(HDC dc) {
    if (hBitmap) return 1;  // the picture covers the area
    if (oBrush && oBrush->hBrush) {
        RECT rc{};
        GetClientRect(hWnd, &rc);
        FillRect(dc, &rc, oBrush->hBrush);
        return 1;
    }
    return std::nullopt;
}

void TBitmap::ScrollAdjust() {
    if (!hWnd || !lScroll) return;
    const int vStep = std::max(1, nVStep), hStep = std::max(1, nHStep);
    const int vRange = lStretch || nXExtra() <= 0 ? 0 : (nXExtra() + GetSystemMetrics(SM_CXHSCROLL)) / vStep;
    const int hRange = lStretch || nYExtra() <= 0 ? 0 : (nYExtra() + GetSystemMetrics(SM_CYVSCROLL)) / hStep;
    SetScrollRange(hWnd, SB_VERT, 0, vRange, FALSE);
    SetScrollRange(hWnd, SB_HORZ, 0, hRange, FALSE);
    if (nX == 0) SetScrollPos(hWnd, SB_VERT, 0, TRUE);
    if (nY == 0) SetScrollPos(hWnd, SB_HORZ, 0, TRUE);
}

void TBitmap::scrollBy(bool vertical, int code, int) {
    if (!hWnd || !hBitmap) return;
    int& offset = vertical ? nX : nY;
    const int step = std::max(1, vertical ? nVStep : nHStep);
    const int extra = std::max(0, vertical ? nXExtra() : nYExtra());
    RECT rc{};
    GetWindowRect(hWnd, &rc);
    const int page = (vertical ? rc.bottom - rc.top - GetSystemMetrics(SM_CYHSCROLL)
                               : rc.right - rc.left - GetSystemMetrics(SM_CXVSCROLL)) -
                     1;
    int wanted = offset;
    switch (code) {
    case SB_LINEUP: wanted = offset + step; break;
    case SB_LINEDOWN: wanted = offset - step; break;
    case SB_PAGEUP: wanted = offset + page; break;
    case SB_PAGEDOWN: wanted = offset - page; break;
    case SB_TOP: wanted = 0; break;
    case SB_BOTTOM: wanted = -extra; break;
    default: return;
    }
    wanted = std::clamp(wanted, -extra, 0);
    if (wanted == offset) return;
    (vertical ? nOldX : nOldY) = offset;
    // Controls placed on the picture move with it.
    const int delta = wanted - offset;
    for (TWindow* child : aControls) {
        if (!child || !child->hWnd) continue;
        RECT r{};
        GetWindowRect(child->hWnd, &r);
        MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child->hWnd, nullptr, r.left + (vertical ? 0 : delta), r.top + (vertical ? delta : 0), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    offset = wanted;
    SetScrollPos(hWnd, vertical ? SB_VERT : SB_HORZ, -offset / step, TRUE);
    InvalidateRect(hWnd, nullptr, FALSE);
}

Answer TBitmap::VScroll(WPARAM w, LPARAM l) {
    if (l) return TControl::VScroll(w, l);  // a scroll-bar control's own
    scrollBy(true, static_cast<int>(loWordU(w)), static_cast<int>(hiWordU(w)));
    return 0;
}

Answer TBitmap::HScroll(WPARAM w, LPARAM l) {
    if (l) return TControl::HScroll(w, l);
    scrollBy(false, static_cast<int>(loWordU(w)), static_cast<int>(hiWordU(w)));
    return 0;
}

Answer TBitmap::KeyDown(WPARAM key, LPARAM flags) {
    if (lScroll) {
        switch (key) {
        case VK_UP: scrollBy(true, SB_LINEUP, 0); return 0;
        case VK_DOWN: scrollBy(true, SB_LINEDOWN, 0); return 0;
        case VK_PRIOR: scrollBy(true, SB_PAGEUP, 0); return 0;
        case VK_NEXT: scrollBy(true, SB_PAGEDOWN, 0); return 0;
        default: break;
        }
    }
    return TControl::KeyDown(key, flags);
}

Answer TBitmap::Destroy() {
    freePicture();
    return TControl::Destroy();
}

void DRAWTRANSPARENT(HDC hDC, HBITMAP hBmp, int nRow, int nCol) {
    if (!hDC || !hBmp) return;
    const SIZE s = bitmapSize(hBmp);
    TRANSBMP(hBmp, s.cx, s.cy, topLeftColour(hBmp), hDC, nCol, nRow, s.cx, s.cy);
}

void DRAWTEXTTRANSPARENT(HDC hDC, const std::string& text, const TRect& rect, UINT format) {
    RECT box = rect.toRECT();
    const int old = SetBkMode(hDC, TRANSPARENT);
    DrawTextA(hDC, text.c_str(), static_cast<int>(text.size()), &box, format);
    SetBkMode(hDC, old);
}

void DRAWTILED(HDC hDC, const RECT& rect, const TBitmap& bmp) {
    if (!hDC || !bmp.hBitmap) return;
    const SIZE s = bitmapSize(bmp.hBitmap);
    if (s.cx <= 0 || s.cy <= 0) return;
    HDC src = CreateCompatibleDC(hDC);
    HGDIOBJ old = SelectObject(src, bmp.hBitmap);
    for (int y = rect.top; y < rect.bottom; y += s.cy)
        for (int x = rect.left; x < rect.right; x += s.cx)
            BitBlt(hDC, x, y, std::min<int>(s.cx, rect.right - x), std::min<int>(s.cy, rect.bottom - y), src, 0, 0,
                   SRCCOPY);
    SelectObject(src, old);
    DeleteDC(src);
}

void PALBMPFREE(HBITMAP hBitmap, HPALETTE hPalette) {
    if (hBitmap) DeleteObject(hBitmap);
    if (hPalette) DeleteObject(hPalette);
}

}  // namespace wl
