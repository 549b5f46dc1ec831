#include "brush.hpp"

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "bitmaps.hpp"
#include "builtin_images.hpp"
#include "drawing.hpp"
#include "file_names.hpp"
#include "font.hpp"
#include "text.hpp"
#include "process_state.hpp"

namespace wl {
namespace {

std::vector<std::shared_ptr<TBrush>>& pool() {
    return processState().brushes.get<std::vector<std::shared_ptr<TBrush>>>();
}

std::string colorCode(Color c) { return std::to_string(c); }

// Small tiles behind the named pattern styles.
HBITMAP builtInTile(int which) {
    static const WORD tiles[4][8] = {
        {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // crossing lines
        {0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08},  // bricks
        {0xFF, 0x81, 0x81, 0x81, 0x81, 0x81, 0x81, 0xFF},  // tiles
        {0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F},  // tabs
    };
    return CreateBitmap(8, 8, 1, 1, tiles[which]);
}

int patternIndex(const std::string& style) {
    static const char* names[] = {"BORLAND", "BRICKS", "TILED", "TABS"};
    for (int i = 0; i < 4; ++i)
        if (style == names[i]) return i;
    return -1;
}

int hatchIndex(const std::string& style) {
    static const char* names[] = {"HORIZONTAL", "VERTICAL", "FDIAGONAL", "BDIAGONAL", "CROSS", "DIAGCROSS"};
    for (int i = 0; i < 6; ++i)
        if (style == names[i]) return i;
    return -1;
}

int stockFor(Color c) {
    switch (c) {
    case 16777215: return WHITE_BRUSH;
    case 0: return BLACK_BRUSH;
    case 12632256: return LTGRAY_BRUSH;
    case 8421504: return GRAY_BRUSH;
    case 4210752: return DKGRAY_BRUSH;
    default: return -1;
    }
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

// Picture formats in the image library's numbering.
constexpr int kFormatUnknown = -1, kFormatBmp = 0, kFormatPng = 13;

// A ".bmp" file is read as a bitmap, any other picture through the PNG
// decoder; 0 (format unknown) for a picture neither can read.
HBITMAP readPicture(const std::string& file, int& format) {
    if (upper(CFILEEXT(file)).rfind("BMP", 0) == 0) {
        format = kFormatBmp;
        return static_cast<HBITMAP>(
            LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    }
    HBITMAP png = WLOPENPNGFILE(file);
    format = png ? kFormatPng : kFormatUnknown;
    return png;
}

// The program's bitmap resource, else the library's built-in picture of
// that name.
HBITMAP resourcePicture(const std::string& name) {
    if (HBITMAP own = LoadBitmapA(GetModuleHandleA(nullptr), name.c_str())) return own;
    const auto& names = builtinBitmapNames();
    const bool builtIn = std::any_of(names.begin(), names.end(), [&](const std::string& n) { return upper(n) == upper(name); });
    return builtIn ? WLBITMAP(name) : nullptr;
}

void create(TBrush& b, const BrushSpec& s) {
    const std::string style = upper(s.cStyle);
    if (style.empty() && s.nRGBColor) {
        const int stock = stockFor(*s.nRGBColor);
        if (stock >= 0) {
            b.hBrush = static_cast<HBRUSH>(GetStockObject(stock));
            b.lSystem = true;
        } else {
            b.hBrush = CREATESOLIDBRUSH(*s.nRGBColor);
        }
    } else if (style == "NULL") {
        b.hBrush = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
        b.lSystem = true;
    } else if (patternIndex(style) >= 0) {
        b.hBitmap = builtInTile(patternIndex(style));
        b.hBrush = CREATEPATTERNBRUSH(b.hBitmap);
    } else if (hatchIndex(style) >= 0) {
        b.hBrush = CREATEHATCHBRUSH(hatchIndex(style), s.nRGBColor.value_or(0));
    } else if (std::holds_alternative<HBITMAP>(s.xSource)) {
        b.hBitmap = std::get<HBITMAP>(s.xSource);
        b.hBrush = CREATEPATTERNBRUSH(b.hBitmap);
    } else if (!s.cBmpFile.empty()) {
        if (fileExists(s.cBmpFile)) {
            b.hBitmap = readPicture(s.cBmpFile, b.nBmpFormat);
            if (b.hBitmap) b.hBrush = CREATEPATTERNBRUSH(b.hBitmap);
        }
    } else if (!s.cBmpRes.empty()) {
        b.hBitmap = resourcePicture(s.cBmpRes);
        if (b.hBitmap) b.hBrush = CREATEPATTERNBRUSH(b.hBitmap);
    }
    // A gradient alone gets its bitmap when first resized.
}

}  // namespace

const std::vector<std::shared_ptr<TBrush>>& brushPool() { return pool(); }

void paintGradient(HDC hDC, const RECT& r, const GradientSpec& grad, bool vertical) {
    const int extent = vertical ? r.bottom - r.top : r.right - r.left;
    int start = vertical ? r.top : r.left;
    for (std::size_t i = 0; i < grad.size(); ++i) {
        const int size = static_cast<int>(grad[i].fraction * extent);
        const int end = (i + 1 == grad.size()) ? (vertical ? r.bottom : r.right) : start + size;
        WlRect band = vertical ? WlRect{start, r.left, end, r.right} : WlRect{r.top, start, r.bottom, end};
        GRADIENT(hDC, band, grad[i].from, grad[i].to, vertical);
        start = end;
    }
}

HBITMAP GRADIENTBMP(HDC hDC, int width, int height, const GradientSpec& grad, bool vertical) {
    HDC screen = hDC ? hDC : GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(mem, bmp);
    paintGradient(mem, RECT{0, 0, width, height}, grad, vertical);
    SelectObject(mem, old);
    DeleteDC(mem);
    if (!hDC) ReleaseDC(nullptr, screen);
    return bmp;
}

namespace {
HBITMAP stretchedCopy(HBITMAP src, int w, int h, int srcW, int srcH) {
    HDC screen = GetDC(nullptr);
    HDC a = CreateCompatibleDC(screen), b = CreateCompatibleDC(screen);
    HBITMAP out = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oa = SelectObject(a, src), ob = SelectObject(b, out);
    SetStretchBltMode(b, HALFTONE);
    StretchBlt(b, 0, 0, w, h, a, 0, 0, srcW, srcH, SRCCOPY);
    SelectObject(a, oa);
    SelectObject(b, ob);
    DeleteDC(a);
    DeleteDC(b);
    ReleaseDC(nullptr, screen);
    return out;
}
}  // namespace

HBITMAP RESIZEBITMAP(HBITMAP bitmap, int width, int height, int mode) {
    BITMAP info{};
    if (!GetObjectA(bitmap, sizeof info, &info)) return nullptr;
    if (!width && !height) mode = 0;
    if (!width) width = height * info.bmWidth / std::max(1L, static_cast<long>(info.bmHeight));
    if (!height) height = width * info.bmHeight / std::max(1L, static_cast<long>(info.bmWidth));
    int w = width, h = height;
    if (mode == 0) {
        w = info.bmWidth;
        h = info.bmHeight;
    } else if (mode == 2 || mode == 3) {
        const double rx = static_cast<double>(width) / info.bmWidth, ry = static_cast<double>(height) / info.bmHeight;
        const double r = mode == 2 ? std::max(rx, ry) : std::min(rx, ry);
        w = static_cast<int>(info.bmWidth * r);
        h = static_cast<int>(info.bmHeight * r);
    }
    return stretchedCopy(bitmap, std::max(1, w), std::max(1, h), info.bmWidth, info.bmHeight);
}

HBRUSH GRADIENTBRUSH(HDC hDC, int top, int left, int width, int height, const GradientSpec& colors, bool vertical) {
    (void)top;
    (void)left;
    HBITMAP bmp = vertical ? GRADIENTBMP(hDC, 1, height, colors, true) : GRADIENTBMP(hDC, width, 1, colors, false);
    HBRUSH brush = CREATEPATTERNBRUSH(bmp);
    DeleteObject(bmp);  // the brush keeps its own copy
    return brush;
}

HBITMAP CROPBMP(HBITMAP bitmap, const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return nullptr;
    HDC screen = GetDC(nullptr);
    HDC a = CreateCompatibleDC(screen), b = CreateCompatibleDC(screen);
    HBITMAP out = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oa = SelectObject(a, bitmap), ob = SelectObject(b, out);
    BitBlt(b, 0, 0, w, h, a, r.left, r.top, SRCCOPY);
    SelectObject(a, oa);
    SelectObject(b, ob);
    DeleteDC(a);
    DeleteDC(b);
    ReleaseDC(nullptr, screen);
    return out;
}

std::shared_ptr<TBrush> TBrush::Copy(const std::shared_ptr<TBrush>& self) const {
    if (nResizeMode == 0) return self;
    auto b = std::make_shared<TBrush>();
    b->cStyle = cStyle;
    b->nRGBColor = nRGBColor;
    b->cBmpFile = cBmpFile;
    b->cBmpRes = cBmpRes;
    b->nBmpFormat = nBmpFormat;
    b->lSystem = lSystem;
    b->aGrad = aGrad;
    b->uSource = uSource;
    b->nResizeMode = nResizeMode;
    if (hBmpOrgl) {
        BITMAP info{};
        GetObjectA(hBmpOrgl, sizeof info, &info);
        b->hBmpOrgl = b->hBitmap = stretchedCopy(hBmpOrgl, info.bmWidth, info.bmHeight, info.bmWidth, info.bmHeight);
        b->hBrush = CREATEPATTERNBRUSH(b->hBitmap);
    }
    b->nCount = 1;
    pool().push_back(b);
    return b;
}

std::shared_ptr<TBrush> TBrush::Resized(int width, int height, int mode) const {
    HBITMAP source = hBmpOrgl ? hBmpOrgl : hBitmap;
    if (!source) return nullptr;
    BrushSpec spec;
    spec.xSource = RESIZEBITMAP(source, width, height, mode);
    auto b = New(spec);
    b->ownsBitmap = true;
    return b;
}

std::shared_ptr<TBrush> TBrush::Cropped(const std::shared_ptr<TBrush>& self, HWND hWnd, const RECT& r) {
    if (nResizeMode == 0) return Copy(self);
    Resize(hWnd);
    if (!hBitmap) return nullptr;
    BrushSpec spec;
    spec.xSource = CROPBMP(hBitmap, r);
    auto b = New(spec);
    b->ownsBitmap = true;
    return b;
}

std::shared_ptr<TBrush> TBrush::New(BrushSpec s) {
    auto b = std::make_shared<TBrush>();
    b->cStyle = s.cStyle;
    b->nRGBColor = s.nRGBColor;
    b->cBmpFile = s.cBmpFile;
    b->cBmpRes = s.cBmpRes;
    if (auto* bmp = std::get_if<HBITMAP>(&s.xSource)) {
        if (GetObjectType(*bmp) == OBJ_BITMAP) {
            b->cBmpFile = std::to_string(reinterpret_cast<std::uintptr_t>(*bmp));
            b->fromBitmapHandle = true;
        } else {
            s.xSource = std::monostate{};
        }
    } else if (auto* g = std::get_if<GradientSpec>(&s.xSource)) {
        b->aGrad = *g;
        b->nResizeMode = 1;
    }
    const bool hasSource = !s.cBmpFile.empty() || !s.cBmpRes.empty() || !std::holds_alternative<std::monostate>(s.xSource);
    if (!s.cStyle.empty() && hasSource && s.cResize.empty()) {
        s.cResize = s.cStyle;
        s.cStyle.clear();
        b->cStyle.clear();
    }
    if (s.nRGBColor)
        b->uSource = colorCode(*s.nRGBColor);
    else if (!s.cStyle.empty())
        b->uSource = s.cStyle;
    else if (!s.cBmpFile.empty())
        b->uSource = s.cBmpFile;
    else if (!s.cBmpRes.empty())
        b->uSource = s.cBmpRes;
    else
        b->uSource = b->cBmpFile;
    if (!s.cResize.empty() && !s.nRGBColor && hasSource) {
        const std::string word = upper(s.cResize);
        if (!b->aGrad.empty())
            b->nResizeMode = prefixMatch(word, "HOR") ? 2 : 1;
        else
            b->nResizeMode = word == "STRETCH" ? 1 : word == "RESIZE" ? 2 : 0;
    }
    if (b->nResizeMode == 0) {
        for (auto& p : pool()) {
            // A brush made around a caller's bitmap is never shared: another
            // window may still use it, so a new brush is made beside it.
            if (p->fromBitmapHandle) continue;
            if (p->SameAs(*b)) {
                ++p->nCount;
                return p;
            }
        }
    }
    create(*b, s);
    b->nCount = 1;
    b->hBmpOrgl = b->hBitmap;
    pool().push_back(b);
    return b;
}

bool TBrush::SameAs(const TBrush& o) const {
    return uSource == o.uSource && nResizeMode == o.nResizeMode && fromBitmapHandle == o.fromBitmapHandle &&
           aGrad.empty() == o.aGrad.empty() && nRGBColor.has_value() == o.nRGBColor.has_value() &&
           upper(cStyle) == upper(o.cStyle);
}

TBrush::~TBrush() { deleteHandles(); }

void TBrush::End() {
    if (nCount > 0) --nCount;
    if (nCount > 0) return;
    deleteHandles();
    // Last: the pool's reference may be the last one to this object.
    auto& p = pool();
    p.erase(std::remove_if(p.begin(), p.end(), [this](const auto& b) { return b.get() == this; }), p.end());
}

void TBrush::deleteHandles() {
    if (hBrush && !lSystem && !DELETEOBJECT(hBrush))
        logResourceFailure({"DeleteObject( ::hBrush ) failed from TBrush:End()",
                            static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(hBrush))});
    // A caller's bitmap stays the caller's.
    if (!fromBitmapHandle || ownsBitmap) {
        if (hBmpOrgl && hBmpOrgl != hBitmap) DELETEOBJECT(hBmpOrgl);
        if (hBitmap) DELETEOBJECT(hBitmap);
    } else if (hBitmap && hBitmap != hBmpOrgl) {
        DELETEOBJECT(hBitmap);
    }
    hBrush = nullptr;
    hBitmap = nullptr;
    hBmpOrgl = nullptr;
}

RECT TBrush::Resize(HWND hWnd, int* originX, int* originY) {
    RECT area{};
    GetClientRect(hWnd, &area);
    if (nResizeMode == 0) {
        if (hBitmap && hBmpOrgl && hBitmap != hBmpOrgl) {
            HBRUSH old = hBrush;
            DeleteObject(hBitmap);
            hBitmap = hBmpOrgl;
            hBrush = CREATEPATTERNBRUSH(hBitmap);
            DELETEOBJECT(old);
        }
    } else if (!EqualRect(&area, &oRect) || !hBrush) {
        const int w = std::max<LONG>(1, area.right - area.left);
        const int h = std::max<LONG>(1, area.bottom - area.top);
        HBITMAP bmp = nullptr;
        if (!aGrad.empty()) {
            bmp = GRADIENTBMP(nullptr, w, h, aGrad, nResizeMode == 1);
        } else if (hBmpOrgl) {
            HDC screen = GetDC(nullptr);
            HDC src = CreateCompatibleDC(screen), dst = CreateCompatibleDC(screen);
            BITMAP info{};
            GetObjectA(hBmpOrgl, sizeof info, &info);
            bmp = CreateCompatibleBitmap(screen, w, h);
            HGDIOBJ o1 = SelectObject(src, hBmpOrgl), o2 = SelectObject(dst, bmp);
            SetStretchBltMode(dst, HALFTONE);
            StretchBlt(dst, 0, 0, w, h, src, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
            SelectObject(src, o1);
            SelectObject(dst, o2);
            DeleteDC(src);
            DeleteDC(dst);
            ReleaseDC(nullptr, screen);
        }
        if (bmp) {
            HBRUSH old = hBrush;
            if (hBitmap && hBitmap != hBmpOrgl) DeleteObject(hBitmap);
            hBitmap = bmp;
            hBrush = CREATEPATTERNBRUSH(bmp);
            if (old) DELETEOBJECT(old);
        }
        oRect = area;
    }
    if (originX) *originX += area.left;
    if (originY) *originY += area.top;
    return area;
}

std::string TBrush::cGenPRG(const std::string& name) const {
    std::string s = "   DEFINE BRUSH " + name;
    if (!cStyle.empty()) s += " STYLE '" + cStyle + "'";
    if (nRGBColor) s += " COLOR " + colorCode(*nRGBColor);
    if (!cBmpFile.empty() && !fromBitmapHandle) s += " FILE '" + cBmpFile + "'";
    if (!cBmpRes.empty()) s += " RESOURCE '" + cBmpRes + "'";
    return s;
}

}  // namespace wl
