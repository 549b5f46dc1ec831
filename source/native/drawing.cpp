#include "drawing.hpp"

#include "resource_tracker.hpp"

#include <cmath>
#include <vector>

namespace wl {

RECT toRECT(const WlRect& r) { return RECT{r[1], r[0], r[3], r[2]}; }

namespace {

// Selects a pen for one call and puts the previous one back.
class PenFor {
public:
    PenFor(HDC hDC, HPEN pen) : hDC_(hDC), old_(pen ? SelectObject(hDC, pen) : nullptr) {}
    ~PenFor() {
        if (old_) SelectObject(hDC_, old_);
    }
    PenFor(const PenFor&) = delete;
    PenFor& operator=(const PenFor&) = delete;

private:
    HDC hDC_;
    HGDIOBJ old_;
};

// A device context of a window (the active one for 0), released at the end.
class WindowDC {
public:
    explicit WindowDC(HWND hWnd) : hWnd_(hWnd ? hWnd : GetActiveWindow()), hDC_(GetDC(hWnd_)) {}
    ~WindowDC() {
        if (hDC_) ReleaseDC(hWnd_, hDC_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return hDC_; }

private:
    HWND hWnd_;
    HDC hDC_;
};

std::array<int, 2> pair(int a, int b) { return {a, b}; }

}  // namespace

HDC GETDC(HWND hWnd) { return GetDC(hWnd); }
bool RELEASEDC(HWND hWnd, HDC hDC) { return ReleaseDC(hWnd, hDC) != 0; }
HDC CREATEDC(const std::string& driver, const std::string& device, const std::string& output,
             const std::optional<std::string>& devMode) {
    const DEVMODEA* dm = devMode ? reinterpret_cast<const DEVMODEA*>(devMode->data()) : nullptr;
    return CreateDCA(driver.empty() ? nullptr : driver.c_str(), device.empty() ? nullptr : device.c_str(),
                     output.empty() ? nullptr : output.c_str(), dm);
}
HDC CREATECOMPATIBLEDC(HDC hDC) { return CreateCompatibleDC(hDC); }
HDC CREATECOMPATIBLEDC2(HDC hDC) { return CreateCompatibleDC(hDC); }
bool DELETEDC(HDC hDC) { return DeleteDC(hDC) != 0; }
int SAVEDC(HDC hDC) { return SaveDC(hDC); }
bool RESTOREDC(HDC hDC) { return RestoreDC(hDC, -1) != 0; }
int SETMAPMODE(HDC hDC, int mode) { return SetMapMode(hDC, mode); }
int GETMAPMODE(HDC hDC) { return GetMapMode(hDC); }
std::array<int, 2> SETWINDOWEXT(HDC hDC, int x, int y) {
    SIZE s{};
    SetWindowExtEx(hDC, x, y, &s);
    return pair(s.cx, s.cy);
}
std::array<int, 2> SETVIEWPORTEXT(HDC hDC, int x, int y) {
    SIZE s{};
    SetViewportExtEx(hDC, x, y, &s);
    return pair(s.cx, s.cy);
}
std::array<int, 2> SETVIEWORG(HDC hDC, int x, int y) {
    POINT p{};
    SetViewportOrgEx(hDC, x, y, &p);
    return pair(p.x, p.y);
}
std::array<int, 2> SETWINDOWORG(HDC hDC, int x, int y) {
    POINT p{};
    SetWindowOrgEx(hDC, x, y, &p);
    return pair(p.x, p.y);
}
bool GETWINDOWORG(HDC hDC, std::array<int, 2>& point) {
    POINT p{};
    bool ok = GetWindowOrgEx(hDC, &p) != 0;
    point = pair(p.x, p.y);
    return ok;
}
bool GETVIEWPORTORG(HDC hDC, std::array<int, 2>& point) {
    POINT p{};
    bool ok = GetViewportOrgEx(hDC, &p) != 0;
    point = pair(p.x, p.y);
    return ok;
}
bool BITBLT(HDC dest, int x, int y, int w, int h, HDC src, int xs, int ys, DWORD rop) {
    return BitBlt(dest, x, y, w, h, src, xs, ys, rop) != 0;
}
bool STRETCHBLT(HDC dest, int x, int y, int w, int h, HDC src, int xs, int ys, int ws, int hs, DWORD rop) {
    return StretchBlt(dest, x, y, w, h, src, xs, ys, ws, hs, rop) != 0;
}
HDC GETWINDOWDC(HWND hWnd) { return GetWindowDC(hWnd); }

HGDIOBJ SELECTOBJECT(HDC hDC, HGDIOBJ obj) { return SelectObject(hDC, obj); }
bool DELETEOBJECT(HGDIOBJ obj) {
    if (!obj) return false;
    TrackResourceDelete(obj);
    if (GetObjectType(obj) == 0) return false;
    return DeleteObject(obj) != 0;
}
bool ISGDIOBJECT(HGDIOBJ obj) { return obj && GetObjectType(obj) != 0; }
HGDIOBJ GETSTOCKOBJECT(int index) { return GetStockObject(index); }
HPEN CREATEPEN(int style, int width, Color color) { return CreatePen(style, width, color); }
HBRUSH CREATESOLIDBRUSH(Color color) {
    HBRUSH b = CreateSolidBrush(color);
    TrackResourceNew(b, "BRUSH");
    return b;
}
HBRUSH CREATEHATCHBRUSH(int style, Color color) {
    HBRUSH b = CreateHatchBrush(style, color);
    TrackResourceNew(b, "BRUSH");
    return b;
}
HBRUSH CREATEPATTERNBRUSH(HBITMAP bitmap) {
    HBRUSH b = CreatePatternBrush(bitmap);
    TrackResourceNew(b, "BRUSH");
    return b;
}
bool SETBRUSHORGEX(HDC hDC, int x, int y) { return SetBrushOrgEx(hDC, x, y, nullptr) != 0; }
HGDIOBJ SELECTBLACKPEN(HDC hDC) { return SelectObject(hDC, GetStockObject(BLACK_PEN)); }
HGDIOBJ SELECTWHITEPEN(HDC hDC) { return SelectObject(hDC, GetStockObject(WHITE_PEN)); }

Color SETTEXTCOLOR(HDC hDC, Color c) { return SetTextColor(hDC, c); }
Color SETBKCOLOR(HDC hDC, Color c) { return SetBkColor(hDC, c); }
int SETBKMODE(HDC hDC, int mode) { return SetBkMode(hDC, mode); }
Color GETTEXTCOLOR(HDC hDC) { return GetTextColor(hDC); }
Color GETBKCOLOR(HDC hDC) { return GetBkColor(hDC); }
Color GETSYSCOLOR(int index) { return GetSysColor(index); }

HFONT CREATEFONT(const LogFont& lf) {
    HFONT f = CreateFontA(lf.height, lf.width, lf.escapement, lf.orientation, lf.weight, lf.italic, lf.underline,
                          lf.strikeOut, static_cast<DWORD>(lf.charSet), static_cast<DWORD>(lf.outPrecision),
                          static_cast<DWORD>(lf.clipPrecision), static_cast<DWORD>(lf.quality),
                          static_cast<DWORD>(lf.pitchFamily), lf.faceName.c_str());
    TrackResourceNew(f, "FONT");
    return f;
}

FontInfo GETFONTINFO(HFONT font) {
    // The font is selected only for the measurement; the context gets its
    // own font back and is released.
    WindowDC dc(nullptr);
    FontInfo info;
    if (!dc.get()) return info;
    HGDIOBJ old = SelectObject(dc.get(), font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.get(), &tm);
    char face[80] = {};
    GetTextFaceA(dc.get(), sizeof face, face);
    SelectObject(dc.get(), old);
    info.height = tm.tmHeight;
    info.aveCharWidth = tm.tmAveCharWidth;
    info.bold = tm.tmWeight == 700;
    info.faceName = face;
    return info;
}

std::array<int, 2> FONTHEIGHTS(HFONT font) {
    HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    return pair(tm.tmHeight, tm.tmDescent);
}

HFONT FONTVARIANT(HFONT font, bool bold, bool underline, bool italic, int height) {
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    lf.lfHeight = -height;
    if (bold) lf.lfWeight = 700;
    if (italic) lf.lfItalic = TRUE;
    if (underline) lf.lfUnderline = TRUE;
    return CreateFontIndirectA(&lf);
}

int ADDFONTRESOURCE(const std::string& file) { return AddFontResourceA(file.c_str()); }
bool REMOVEFONTRESOURCE(const std::string& file) { return RemoveFontResourceA(file.c_str()) != 0; }

namespace {
int CALLBACK collectFont(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM data) {
    reinterpret_cast<std::vector<std::string>*>(data)->push_back(lf->lfFaceName);
    return 1;
}
}  // namespace

std::vector<std::string> FONTNAMES(HDC hDC) {
    std::vector<std::string> names;
    EnumFontsA(hDC, nullptr, collectFont, reinterpret_cast<LPARAM>(&names));
    return names;
}

bool TEXTOUT(HDC hDC, int row, int col, const std::string& text) {
    return TextOutA(hDC, col, row, text.data(), static_cast<int>(text.size())) != 0;
}
bool EXTTEXTOUT(HDC hDC, int row, int col, const WlRect& rect, const std::string& text, UINT options) {
    RECT r = toRECT(rect);
    return ExtTextOutA(hDC, col, row, options, &r, text.data(), static_cast<UINT>(text.size()), nullptr) != 0;
}
int DRAWTEXT(HDC hDC, const std::string& text, const WlRect& rect, UINT format) {
    RECT r = toRECT(rect);
    return DrawTextA(hDC, text.c_str(), -1, &r, format);
}
int DRAWTEXTEX(HDC hDC, const std::string& text, const WlRect& rect, UINT format) {
    // Room for an ellipsis that DrawTextEx may write into the text.
    std::vector<char> copy(text.begin(), text.end());
    copy.resize(text.size() + 5, '\0');
    RECT r = toRECT(rect);
    return DrawTextExA(hDC, copy.data(), -1, &r, format, nullptr);
}
UINT SETTEXTALIGN(HDC hDC, UINT align) { return SetTextAlign(hDC, align); }
UINT GETTEXTALIGN(HDC hDC) { return GetTextAlign(hDC); }
bool SETTEXTJUSTIFY(HDC hDC, int extra, int count) { return SetTextJustification(hDC, extra, count) != 0; }
std::array<int, 2> TEXTEXTENT(HDC hDC, const std::string& text, int length) {
    SIZE s{};
    GetTextExtentPoint32A(hDC, text.data(), length, &s);
    return pair(s.cx, s.cy);
}

void WSAY(HWND hWnd, HDC hDC, int row, int col, const std::string& text, const SayArgs& a) {
    HDC own = hDC ? nullptr : GetDC(hWnd);
    HDC dc = hDC ? hDC : own;
    if (!dc) return;
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);  // cells of the font selected before the call
    Color oldFore = SetTextColor(dc, a.fore);
    Color oldBack = SetBkColor(dc, a.back);
    SetBkMode(dc, a.transparent ? TRANSPARENT : OPAQUE);
    HGDIOBJ oldFont = a.font ? SelectObject(dc, a.font) : nullptr;
    UINT oldAlign = a.align ? SetTextAlign(dc, a.align) : 0;
    const int x = a.pixels ? col : tm.tmAveCharWidth * col;
    const int y = a.pixels ? row : tm.tmHeight * row;
    TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
    if (a.align) SetTextAlign(dc, oldAlign);
    if (oldFont) SelectObject(dc, oldFont);
    SetTextColor(dc, oldFore);
    SetBkColor(dc, oldBack);
    if (own) ReleaseDC(hWnd, own);
}

void WSAYRECT(HWND hWnd, HDC hDC, int row, int col, const std::string& text, Color fore, Color back, int width) {
    HDC own = hDC ? nullptr : GetDC(hWnd);
    HDC dc = hDC ? hDC : own;
    if (!dc) return;
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SetTextColor(dc, fore);
    SetBkColor(dc, back);
    RECT r{};
    r.top = tm.tmHeight * row;
    r.bottom = tm.tmHeight * (row + 1);
    r.left = tm.tmAveCharWidth * col;
    r.right = r.left + width;
    ExtTextOutA(dc, r.left, r.top, ETO_OPAQUE, &r, text.data(), static_cast<UINT>(text.size()), nullptr);
    if (own) ReleaseDC(hWnd, own);
}

int GETTEXTWIDTH(HDC hDC, const std::string& text, HFONT font) {
    HWND active = hDC ? nullptr : GetActiveWindow();
    HDC dc = hDC ? hDC : GetDC(active);
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SIZE s{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &s);
    if (old) SelectObject(dc, old);
    if (!hDC) ReleaseDC(active, dc);
    return s.cx;
}

int GETTEXTHEIGHT(HWND hWnd, HDC hDC) {
    HWND w = hWnd ? hWnd : GetActiveWindow();
    HDC dc = hDC ? hDC : GetDC(w);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    if (!hDC) ReleaseDC(w, dc);
    return tm.tmHeight;
}

int NWNDCHRHEIGHT(HWND hWnd, HFONT font) {
    HDC dc = GetDC(hWnd);
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    if (old) SelectObject(dc, old);
    ReleaseDC(hWnd, dc);
    return tm.tmHeight;
}

std::array<int, 2> GETLABELDIM(HWND hWnd, const std::string& text, HFONT font) {
    HDC dc = GetDC(hWnd);
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    RECT r{};
    GetClientRect(hWnd, &r);
    DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT);
    if (old) SelectObject(dc, old);
    ReleaseDC(hWnd, dc);
    return pair(r.right, r.bottom);
}

bool MOVETO(HDC hDC, int x, int y) { return MoveToEx(hDC, x, y, nullptr) != 0; }
void solidLine(HDC hDC, int x0, int y0, int x1, int y1, Color color) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(hDC, pen);
    MoveToEx(hDC, x0, y0, nullptr);
    LineTo(hDC, x1, y1);
    SelectObject(hDC, old);
    DeleteObject(pen);
}
bool LINETO(HDC hDC, int x, int y, HPEN pen) {
    PenFor p(hDC, pen);
    return LineTo(hDC, x, y) != 0;
}
bool RECTANGLE(HDC hDC, int top, int left, int bottom, int right, HPEN pen) {
    PenFor p(hDC, pen);
    return Rectangle(hDC, left, top, right, bottom) != 0;
}
bool ELLIPSE(HDC hDC, int left, int top, int right, int bottom, HPEN pen) {
    PenFor p(hDC, pen);
    return Ellipse(hDC, left, top, right, bottom) != 0;
}
bool ARC(HDC hDC, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye, HPEN pen) {
    PenFor p(hDC, pen);
    return Arc(hDC, left, top, right, bottom, xs, ys, xe, ye) != 0;
}
bool CHORD(HDC hDC, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye, HPEN pen) {
    PenFor p(hDC, pen);
    return Chord(hDC, left, top, right, bottom, xs, ys, xe, ye) != 0;
}
bool PIE(HDC hDC, int top, int left, int bottom, int right, int ys, int xs, int ye, int xe, HPEN pen) {
    PenFor p(hDC, pen);
    return Pie(hDC, left, top, right, bottom, xs, ys, xe, ye) != 0;
}
bool ROUNDRECT(HDC hDC, int left, int top, int right, int bottom, int w, int h, HPEN pen) {
    PenFor p(hDC, pen);
    return RoundRect(hDC, left, top, right, bottom, w, h) != 0;
}
bool ROUNDBOX(HDC hDC, int left, int top, int right, int bottom, int w, int h, Color color, int penWidth) {
    HPEN pen = CreatePen(PS_SOLID, penWidth, color);
    HGDIOBJ oldPen = SelectObject(hDC, pen);
    HGDIOBJ oldBrush = SelectObject(hDC, GetStockObject(HOLLOW_BRUSH));
    bool ok = RoundRect(hDC, left, top, right, bottom, w, h) != 0;
    SelectObject(hDC, oldBrush);
    SelectObject(hDC, oldPen);
    DeleteObject(pen);
    return ok;
}
bool POLYPOLYGON(HDC hDC, const std::vector<std::vector<std::array<int, 2>>>& polygons) {
    std::vector<POINT> points;
    std::vector<INT> counts;
    for (const auto& poly : polygons) {
        for (const auto& p : poly) points.push_back(POINT{p[0], p[1]});
        counts.push_back(static_cast<INT>(poly.size()));
    }
    if (counts.empty()) return false;
    return PolyPolygon(hDC, points.data(), counts.data(), static_cast<int>(counts.size())) != 0;
}
bool FLOODFILL(HDC hDC, int x, int y, Color border, std::optional<Color> fill) {
    if (!fill) return FloodFill(hDC, x, y, border) != 0;
    HBRUSH brush = CREATESOLIDBRUSH(*fill);
    HGDIOBJ old = SelectObject(hDC, brush);
    bool ok = FloodFill(hDC, x, y, border) != 0;
    // The brush is deselected before it is deleted, or it leaks.
    SelectObject(hDC, old);
    DELETEOBJECT(brush);
    return ok;
}
bool EXTFLOODFILL(HDC hDC, int x, int y, Color color, UINT type) { return ExtFloodFill(hDC, x, y, color, type) != 0; }
Color SETPIXEL(HDC hDC, int x, int y, Color c) { return SetPixel(hDC, x, y, c); }
Color GETPIXEL(HDC hDC, int x, int y) { return GetPixel(hDC, x, y); }
void FILLRECT(HDC hDC, const WlRect& rect, HBRUSH brush) {
    if (!brush) return;
    RECT r = toRECT(rect);
    FillRect(hDC, &r, brush);
}
void INVERTRECT(HDC hDC, const WlRect& rect) {
    RECT r = toRECT(rect);
    InvertRect(hDC, &r);
}
void DRAWFOCUSRECT(HDC hDC, int top, int left, int bottom, int right) {
    RECT r{left, top, right, bottom};
    DrawFocusRect(hDC, &r);
}
void FRAMEDOT(HDC hDC, int top, int left, int bottom, int right) {
    static const WORD checker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP bmp = CreateBitmap(8, 8, 1, 1, checker);
    HBRUSH brush = CREATEPATTERNBRUSH(bmp);
    RECT r{left, top, right + 1, bottom + 1};
    FrameRect(hDC, &r, brush);
    // Both made per call, both freed per call.
    DELETEOBJECT(brush);
    DeleteObject(bmp);
}
void DRAWFOCUSELLIPSE(HWND hWnd, HDC hDC, int margin, int points) {
    RECT rc{};
    GetClientRect(hWnd, &rc);
    const double w = rc.right - rc.left;
    const double h = rc.bottom - rc.top;
    const double cx = w / 2 - 1;
    const double cy = h / 2 - 1;
    const double rx = (w - margin) / 2;
    const double ry = (h - margin) / 2;
    for (int i = 0; i < points; ++i) {
        const double a = static_cast<double>(i) / points * 2 * 3.14159265358979323846;
        SetPixel(hDC, static_cast<int>(std::sin(a) * rx + cx), static_cast<int>(std::cos(a) * ry + cy), 0);
    }
}
void GRADIENT(HDC hDC, const WlRect& rect, Color from, Color to, bool vertical) {
    for (const auto& band : gradientBands(rect[0], rect[1], rect[2], rect[3], from, to, vertical)) {
        RECT r = vertical ? RECT{rect[1], band.start, rect[3], band.end + 1}
                          : RECT{band.start, rect[0], band.end + 1, rect[2]};
        HBRUSH brush = CreateSolidBrush(band.color);
        FillRect(hDC, &r, brush);
        DeleteObject(brush);
    }
}
int SETPOLYFILLMODE(HDC hDC, int mode) { return SetPolyFillMode(hDC, mode); }
bool DRAWSTATE(HDC hDC, HBRUSH brush, DRAWSTATEPROC proc, LPARAM lData, WPARAM wData, int x, int y, int cx, int cy,
               UINT flags) {
    return DrawStateA(hDC, brush, proc, lData, wData, x, y, cx, cy, flags) != 0;
}
bool BEGINPATH(HDC hDC) { return BeginPath(hDC) != 0; }
bool ENDPATH(HDC hDC) { return EndPath(hDC) != 0; }
bool FILLPATH(HDC hDC) { return FillPath(hDC) != 0; }
bool STROKEPATH(HDC hDC) { return StrokePath(hDC) != 0; }
bool STROKEANDFILLPATH(HDC hDC) { return StrokeAndFillPath(hDC) != 0; }
HRGN PATHTOREGION(HDC hDC) { return PathToRegion(hDC); }
bool FILLRGN(HDC hDC, HRGN rgn, HBRUSH brush) { return FillRgn(hDC, rgn, brush) != 0; }

DispInfo WLDISPBEGIN(HWND hWnd, HDC hDC) {
    RECT rc{};
    GetClientRect(hWnd, &rc);
    DispInfo d;
    d.hWnd = hWnd;
    d.target = hDC;
    d.memory = CreateCompatibleDC(hDC);
    d.bitmap = CreateCompatibleBitmap(hDC, rc.right - rc.left, rc.bottom - rc.top);
    d.replaced = SelectObject(d.memory, d.bitmap);
    return d;
}

DispInfo WLDISPBEGINPARENT(HWND hWnd, HDC hDC) {
    RECT rc{};
    GetClientRect(hWnd, &rc);
    DispInfo d;
    d.hWnd = hWnd;
    d.target = hDC;
    d.memory = CreateCompatibleDC(hDC);
    d.bitmap = CreateCompatibleBitmap(hDC, rc.right - rc.left + 1, rc.bottom - rc.top + 1);
    d.replaced = SelectObject(d.memory, d.bitmap);
    HWND parent = GetParent(hWnd);
    HDC pdc = GetDC(parent);
    BitBlt(d.memory, 0, 0, rc.right + 1, rc.bottom + 1, pdc, 0, 0, SRCCOPY);
    ReleaseDC(parent, pdc);
    return d;
}

HDC WLDISPEND(DispInfo& d) {
    RECT rc{};
    GetClientRect(d.hWnd, &rc);
    BitBlt(d.target, 0, 0, rc.right - rc.left, rc.bottom - rc.top, d.memory, 0, 0, SRCCOPY);
    SelectObject(d.memory, d.replaced);
    DeleteObject(d.bitmap);
    DeleteDC(d.memory);
    d.memory = nullptr;
    d.bitmap = nullptr;
    return d.target;
}

void PARENTIMAGE(HWND hWnd, HDC hDC) {
    HWND parent = GetParent(hWnd);
    if (!parent) return;
    RECT r{};
    GetWindowRect(hWnd, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    HDC pdc = GetDC(parent);
    BitBlt(hDC, 0, 0, r.right - r.left, r.bottom - r.top, pdc, r.left, r.top, SRCCOPY);
    ReleaseDC(parent, pdc);
}

HENHMETAFILE WMF2EMF(HMETAFILE wmf, HDC hDC) {
    UINT size = GetMetaFileBitsEx(wmf, 0, nullptr);
    if (size == 0) return nullptr;
    std::vector<BYTE> bits(size);
    GetMetaFileBitsEx(wmf, size, bits.data());
    return SetWinMetaFileBits(size, bits.data(), hDC, nullptr);
}

HMETAFILE EMF2WMF(HENHMETAFILE emf, HDC hDC) {
    UINT size = GetWinMetaFileBits(emf, 0, nullptr, MM_TEXT, hDC);
    if (size == 0) return nullptr;
    std::vector<BYTE> bits(size);
    GetWinMetaFileBits(emf, size, bits.data(), MM_TEXT, hDC);
    return SetMetaFileBitsEx(size, bits.data());
}

}  // namespace wl
