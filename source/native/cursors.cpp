#include "cursors.hpp"

#include <shellapi.h>

#include <cmath>
#include <functional>

#include "drawing.hpp"
#include "resource_tracker.hpp"
#include "process_state.hpp"

namespace wl {
namespace {

// A 32 x 32 monochrome cursor picture: AND and XOR planes, 4 bytes a row.
class CursorPicture {
public:
    enum Pixel { Transparent, Black, White, Inverted };
    CursorPicture() {
        andPlane_.fill(0xFF);
        xorPlane_.fill(0x00);
    }
    void set(int x, int y, Pixel p) {
        if (x < 0 || y < 0 || x >= 32 || y >= 32) return;
        const int i = y * 4 + x / 8;
        const unsigned char bit = static_cast<unsigned char>(0x80 >> (x % 8));
        const bool a = p == Transparent || p == Inverted;
        const bool b = p == White || p == Inverted;
        andPlane_[i] = static_cast<unsigned char>(a ? andPlane_[i] | bit : andPlane_[i] & ~bit);
        xorPlane_[i] = static_cast<unsigned char>(b ? xorPlane_[i] | bit : xorPlane_[i] & ~bit);
    }
    // A white shape with a black outline.
    void outlined(const std::function<bool(int, int)>& inside) {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                if (!inside(x, y)) continue;
                const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
                set(x, y, edge ? Black : White);
            }
    }
    // A black shape with a white outline.
    void haloed(const std::function<bool(int, int)>& inside) {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                if (inside(x, y))
                    set(x, y, Black);
                else if (inside(x - 1, y) || inside(x + 1, y) || inside(x, y - 1) || inside(x, y + 1))
                    set(x, y, White);
            }
    }
    HCURSOR make(int hotX, int hotY) const {
        return CreateCursor(GetModuleHandleA(nullptr), hotX, hotY, 32, 32, andPlane_.data(), xorPlane_.data());
    }

private:
    std::array<unsigned char, 128> andPlane_;
    std::array<unsigned char, 128> xorPlane_;
};

double dist(int x, int y, double cx, double cy) { return std::hypot(x - cx, y - cy); }

bool arrowShape(int x, int y) {
    // The usual pointer: a triangle from the tip at (0, 0) and a tail.
    if (y >= 0 && y < 16 && x >= 0 && x <= y / 1 && x <= 11 - (y > 11 ? (y - 11) * 2 : 0)) return true;
    return y >= 11 && y < 20 && x >= 4 + (y - 11) / 3 && x <= 6 + (y - 11) / 3;
}

HCURSOR makeStop() {
    CursorPicture p;
    p.haloed([](int x, int y) {
        const double d = dist(x, y, 12, 12);
        const bool ring = d >= 7.5 && d <= 10.5;
        const bool bar = d < 8 && std::abs((x - 12) + (y - 12)) <= 1;
        return ring || bar;
    });
    return p.make(6, 0);
}

HCURSOR makeSearch() {
    CursorPicture p;
    auto lens = [](int x, int y) { return dist(x, y, 9, 8) <= 7.5 && dist(x, y, 9, 8) >= 5.5; };
    auto handle = [](int x, int y) { return x >= 13 && y >= 12 && x <= 28 && y <= 27 && std::abs((x - 14) - (y - 13)) <= 1; };
    p.haloed([&](int x, int y) { return lens(x, y) || handle(x, y); });
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (handle(x - 2, y) && !handle(x, y) && !lens(x, y)) p.set(x, y, CursorPicture::Inverted);
    return p.make(9, 8);
}

HCURSOR makeDrag() {
    CursorPicture p;
    p.outlined([](int x, int y) { return arrowShape(x - 6, y); });
    for (int x = 10; x <= 24; ++x)
        for (int y : {22, 30}) p.set(x, y, x % 2 ? CursorPicture::Black : CursorPicture::White);
    for (int y = 22; y <= 30; ++y)
        for (int x : {10, 24}) p.set(x, y, y % 2 ? CursorPicture::Black : CursorPicture::White);
    return p.make(6, 0);
}

HCURSOR makeHand() {
    CursorPicture p;
    p.outlined([](int x, int y) {
        const bool finger = x >= 5 && x <= 9 && y >= 0 && y <= 14;
        const bool knuckles = y >= 8 && y <= 14 && x >= 9 && x <= 20;
        const bool palm = x >= 3 && x <= 20 && y >= 14 && y <= 26;
        const bool thumb = x >= 0 && x <= 5 && y >= 14 && y <= 20;
        return finger || knuckles || palm || thumb;
    });
    return p.make(6, 0);
}

HCURSOR makeCatch() {
    CursorPicture p;
    p.outlined([](int x, int y) {
        const bool fist = x >= 7 && x <= 25 && y >= 8 && y <= 22;
        const bool cuff = x >= 10 && x <= 22 && y >= 22 && y <= 28;
        return fist || cuff;
    });
    for (int x : {12, 16, 20})
        for (int y = 9; y <= 13; ++y) p.set(x, y, CursorPicture::Black);  // folded fingers
    for (int x = 10; x <= 22; ++x) p.set(x, 23, CursorPicture::Black);   // cuff seam
    return p.make(16, 16);
}

HCURSOR makeOpenHand() {
    CursorPicture p;
    p.outlined([](int x, int y) {
        const bool palm = x >= 4 && x <= 18 && y >= 13 && y <= 27;
        bool finger = false;
        for (int i = 0; i < 4; ++i) {
            const int fx = 4 + i * 4 + (i - 1);  // spread apart
            finger = finger || (x >= fx && x <= fx + 2 && y >= 2 + (i == 0 || i == 3 ? 3 : 0) && y <= 13);
        }
        const bool thumb = y >= 12 && y <= 20 && x >= 18 && x <= 24 && (x - 18) <= (20 - y) + 2;
        return palm || finger || thumb;
    });
    return p.make(6, 13);
}

HCURSOR builtIn(int which) {
    struct Made {
        HCURSOR cursors[6] = {};
    };
    HCURSOR (&cursors)[6] = processState().cursors.get<Made>().cursors;
    static HCURSOR (*const makers[6])() = {makeStop, makeSearch, makeDrag, makeHand, makeCatch, makeOpenHand};
    if (!cursors[which]) {
        cursors[which] = makers[which]();
        TrackResourceNew(cursors[which], "CUR");
    }
    return cursors[which];
}

HCURSOR setSystem(const char* id) { return SetCursor(LoadCursorA(nullptr, id)); }

}  // namespace

HCURSOR CURSORARROW() { return setSystem(IDC_ARROW); }
void CURSORWAIT() { setSystem(IDC_WAIT); }
HCURSOR CURSORIBEAM() { return setSystem(IDC_IBEAM); }
HCURSOR CURSORWE() { return setSystem(IDC_SIZEWE); }
HCURSOR CURSORNS() { return setSystem(IDC_SIZENS); }
HCURSOR CURSORNO() { return setSystem(IDC_NO); }
HCURSOR CURSORSIZEALL() { return setSystem(IDC_SIZEALL); }

HCURSOR builtInHandCursor() { return builtIn(3); }
HCURSOR GETCURSORHAND() {
    HCURSOR system = LoadCursorA(nullptr, IDC_HAND);
    return system ? system : builtInHandCursor();
}
void CURSORHAND() { SetCursor(GETCURSORHAND()); }
HCURSOR getCursorCatch() { return builtIn(4); }
void CURSORCATCH() { SetCursor(builtIn(4)); }
HCURSOR CURSOROPENHAND() { return builtIn(5); }
HCURSOR GETCURSORSTOP() { return builtIn(0); }
HCURSOR GETCURSORSEARCH() { return builtIn(1); }
HCURSOR GETCURSORDRAG() { return builtIn(2); }
void CURSORSTOP() { SetCursor(builtIn(0)); }
void CURSORSEARCH() { SetCursor(builtIn(1)); }
void CURSORDRAG() { SetCursor(builtIn(2)); }

HCURSOR LOADCURSOR(HINSTANCE instance, const char* nameOrId) { return LoadCursorA(instance, nameOrId); }
HCURSOR WSETCURSOR(HCURSOR cursor) { return SetCursor(cursor); }
bool DESTROYCURSOR(HCURSOR cursor) {
    TrackResourceDelete(cursor);
    return DestroyCursor(cursor) != 0;
}
std::array<int, 2> GETCURSORPOS() {
    POINT p{};
    GetCursorPos(&p);
    return {p.y, p.x};
}
void SETCURSORPOS(int x, int y) { SetCursorPos(x, y); }
int SHOWCURSOR(bool show) { return ShowCursor(show); }
bool SETRESCURSOR(const char* nameOrId) {
    HCURSOR c = LoadCursorA(GetModuleHandleA(nullptr), nameOrId);
    return c && SetCursor(c) != nullptr;
}

bool cursorColorMatches(const std::vector<Color>& list, Color c, bool ranges) {
    const std::size_t n = std::min<std::size_t>(list.size(), 16);
    if (n == 0) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (list[i] == c) return true;
    if (!ranges) return false;
    // Pairs of (low, high); an even count leaves the last item out.
    const std::size_t usable = n % 2 ? n : n - 1;
    return usable >= 2 && c >= list[0] && c <= list[1];
}

HCURSOR CREATEBMPCURSOR(HBITMAP bitmap, HPALETTE palette, int hotRow, int hotCol, bool ranges,
                        const BmpCursorColors& colors) {
    BITMAP info{};
    if (!GetObjectA(bitmap, sizeof info, &info)) return nullptr;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ oldBmp = SelectObject(mem, bitmap);
    HPALETTE oldPal = nullptr;
    if (palette) {
        oldPal = SelectPalette(mem, palette, TRUE);
        RealizePalette(mem);
    }
    const int cx = GetSystemMetrics(SM_CXCURSOR);
    const int cy = GetSystemMetrics(SM_CYCURSOR);
    const int rowBytes = ((cx + 15) / 16) * 2;
    std::vector<unsigned char> andPlane(static_cast<std::size_t>(rowBytes * cy), 0);
    std::vector<unsigned char> xorPlane(andPlane.size(), 0);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            bool a = true, b = false;  // transparent
            if (x < info.bmWidth && y < info.bmHeight) {
                const Color c = GetPixel(mem, x, y);
                if (cursorColorMatches(colors.black, c, ranges)) {
                    a = false;
                    b = false;
                } else if (cursorColorMatches(colors.white, c, ranges)) {
                    a = false;
                    b = true;
                } else if (cursorColorMatches(colors.inverted, c, ranges)) {
                    a = true;
                    b = true;
                }
            }
            const std::size_t i = static_cast<std::size_t>(y * rowBytes + x / 8);
            const unsigned char bit = static_cast<unsigned char>(0x80 >> (x % 8));
            if (a) andPlane[i] |= bit;
            if (b) xorPlane[i] |= bit;
        }
    HCURSOR cursor =
        CreateCursor(GetModuleHandleA(nullptr), hotCol, hotRow, cx, cy, andPlane.data(), xorPlane.data());
    if (palette) SelectPalette(mem, oldPal, TRUE);
    SelectObject(mem, oldBmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return cursor;
}

HICON LOADICON(HINSTANCE instance, const char* nameOrId) { return LoadIconA(instance, nameOrId); }
HICON EXTRACTICON(const std::string& file, int index) {
    return ExtractIconA(GetModuleHandleA(nullptr), file.c_str(), static_cast<UINT>(index));
}
int ICONCOUNT(const std::string& file) {
    return static_cast<int>(
        reinterpret_cast<INT_PTR>(ExtractIconA(GetModuleHandleA(nullptr), file.c_str(), static_cast<UINT>(-1))));
}
bool DRAWICON(HDC hDC, int row, int col, HICON icon) { return DrawIcon(hDC, col, row, icon) != 0; }
bool DESTROYICON(HICON icon) { return DestroyIcon(icon) != 0; }

bool DRAWICONFOCUS(HDC hDC, int row, int col, HICON icon) {
    const int bits = GetDeviceCaps(hDC, BITSPIXEL) * GetDeviceCaps(hDC, PLANES);
    if (bits > 8) {
        // Opaque pixels are those equal on white and on black.
        HDC onWhite = CreateCompatibleDC(hDC), onBlack = CreateCompatibleDC(hDC), out = CreateCompatibleDC(hDC);
        HBITMAP bw = CreateCompatibleBitmap(hDC, 32, 32), bb = CreateCompatibleBitmap(hDC, 32, 32),
                bo = CreateCompatibleBitmap(hDC, 32, 32);
        HGDIOBJ ow = SelectObject(onWhite, bw), ob = SelectObject(onBlack, bb), oo = SelectObject(out, bo);
        RECT r{0, 0, 32, 32};
        FillRect(onWhite, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        FillRect(onBlack, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        DrawIcon(onWhite, 0, 0, icon);
        DrawIcon(onBlack, 0, 0, icon);
        BitBlt(out, 0, 0, 32, 32, hDC, col, row, SRCCOPY);
        DrawIcon(out, 0, 0, icon);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                if (GetPixel(onWhite, x, y) != GetPixel(onBlack, x, y)) continue;
                const Color c = GetPixel(out, x, y);
                SetPixel(out, x, y, NRGB(NRGBRED(c) / 2, NRGBGREEN(c) / 2, NRGBBLUE(c) / 2 + 64));
            }
        BitBlt(hDC, col, row, 32, 32, out, 0, 0, SRCCOPY);
        SelectObject(onWhite, ow);
        SelectObject(onBlack, ob);
        SelectObject(out, oo);
        DeleteObject(bw);
        DeleteObject(bb);
        DeleteObject(bo);
        DeleteDC(onWhite);
        DeleteDC(onBlack);
        DeleteDC(out);
        return true;
    }
    DrawIcon(hDC, col, row, icon);
    static const WORD checker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, checker);
    HBRUSH brush = CreatePatternBrush(pattern);
    ICONINFO ii{};
    GetIconInfo(icon, &ii);
    HDC mask = CreateCompatibleDC(hDC);
    HGDIOBJ om = SelectObject(mask, ii.hbmMask);
    HGDIOBJ oldBrush = SelectObject(hDC, brush);
    const Color oldText = SetTextColor(hDC, NRGB(0, 0, 192));
    BitBlt(hDC, col, row, 32, 32, mask, 0, 0, 0xFC008A);
    BitBlt(hDC, col, row, 32, 32, mask, 0, 0, 0xB8074A);
    SetTextColor(hDC, oldText);
    SelectObject(hDC, oldBrush);
    SelectObject(mask, om);
    DeleteDC(mask);
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    DeleteObject(brush);
    DeleteObject(pattern);
    return true;
}

HICON FILEICON(const std::string& path) {
    SHFILEINFOA info{};
    SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON);
    return info.hIcon;
}

HBITMAP ICONTOBITMAP(HICON icon) {
    const int w = GetSystemMetrics(SM_CXICON), h = GetSystemMetrics(SM_CYICON);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    DrawIcon(mem, 0, 0, icon);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return bmp;
}

}  // namespace wl
