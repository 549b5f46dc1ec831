// TWindow: device contexts, painting and drawing on the window.
#include "window.hpp"

#include <commdlg.h>
#include <dde.h>
#include <shellapi.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>

#include "library_error.hpp"
#include "dde.hpp"
#include "dde_text.hpp"
#include "menu.hpp"
#include "timer.hpp"
#include "menus.hpp"
#include "messages.hpp"
#include "message_loop.hpp"
#include "meter.hpp"
#include "slot_registry.hpp"
#include "system_dialogs.hpp"
// Two folders hold a system_facts.hpp; this one has GETSYSFONT.
#include "bitmaps.hpp"
#include "button.hpp"
#include "control.hpp"
#include "dbf_table.hpp"
#include "desktop_facts.hpp"
#include "dialog.hpp"
#include "file_io.hpp"
#include "help_calls.hpp"
#include "help_keys.hpp"
#include "input_and_timers.hpp"
#include "text.hpp"
#include "window_bridge.hpp"
#include "window_units.hpp"
#include "dropped_files.hpp"
#include "window_natives.hpp"
#include "window_coordinates.hpp"
#include "window_messages.hpp"
#include "window_print.hpp"
#include "window_state.hpp"
#include "window_text.hpp"
#include "words.hpp"
#include "window_module.hpp"

namespace wl {
using namespace window_detail;

// ------------------------------------------------------------------ painting

HDC TWindow::GetDC() {
    if (!hDC) {
        hDC = ::GetDC(hWnd);
        nPaintCount = 1;
    } else {
        ++nPaintCount;
    }
    return hDC;
}

void TWindow::ReleaseDC() {
    if (--nPaintCount <= 0) {
        if (hDC) ::ReleaseDC(hWnd, hDC);
        hDC = nullptr;
        nPaintCount = 0;
    }
}

HDC TWindow::BeginPaint() {
    ++nPaintCount;
    hDC = ::BeginPaint(hWnd, &cPS);
    return hDC;
}

Answer TWindow::EndPaint() {
    if (--nPaintCount < 0) nPaintCount = 0;
    ::EndPaint(hWnd, &cPS);
    cPS = PAINTSTRUCT{};
    hDC = nullptr;
    return 0;
}

void TWindow::DispBegin() {
    if (!hDC) return;
    dispInfo_ = WLDISPBEGIN(hWnd, hDC);
    hDC = dispInfo_->memory;
}

void TWindow::DispEnd() {
    if (!dispInfo_) return;
    hDC = WLDISPEND(*dispInfo_);
    dispInfo_.reset();
}

Answer TWindow::PaintBack(HDC dc) {
    if (!oBrush || !dc) return 0;
    int x = 0, y = 0;
    oBrush->Resize(hWnd, &x, &y);
    SetBrushOrgEx(dc, x, y, nullptr);
    RECT r{};
    GetClientRect(hWnd, &r);
    FillRect(dc, &r, oBrush->hBrush);
    return 0;
}

void TWindow::Say(int row, int col, const std::string& text, const SayOptions& o) {
    const bool own = !hDC;
    HDC dc = GetDC();
    SayArgs a;
    a.fore = o.fore.value_or(nClrText);
    a.back = o.back.value_or(nClrPane);
    if (!o.colors.empty()) {
        a.fore = NGETFORERGB(o.colors);
        a.back = NGETBACKRGB(o.colors);
    }
    auto font = o.font ? o.font : oFont;
    a.font = font ? font->hFont : nullptr;
    a.pixels = o.pixel;
    a.transparent = o.transparent;
    a.align = o.align;
    WSAY(hWnd, dc, row, col, text, a);
    (void)own;
    ReleaseDC();
}

void TWindow::SayRect(int row, int col, const std::string& text, Color fore, Color back, int width) {
    HDC dc = GetDC();
    WSAYRECT(hWnd, dc, row, col, text, fore, back, width);
    ReleaseDC();
}

void TWindow::Box(int top, int left, int bottom, int right, HPEN pen) {
    HDC dc = GetDC();
    HGDIOBJ old = SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    RECTANGLE(dc, top, left, bottom, right, pen);
    SelectObject(dc, old);
    ReleaseDC();
}

void TWindow::Line(int top, int left, int bottom, int right, HPEN pen) {
    HDC dc = GetDC();
    MOVETO(dc, left, top);
    LINETO(dc, right, bottom, pen);
    ReleaseDC();
}

void TWindow::Circle(int row, int col, int size, HPEN pen) {
    HDC dc = GetDC();
    ELLIPSE(dc, col, row, col + size, row + size, pen);
    ReleaseDC();
}

bool TWindow::FloodFill(int row, int col, Color border, Color fill) {
    HDC dc = GetDC();
    bool ok = FLOODFILL(dc, col, row, border, fill);
    ReleaseDC();
    return ok;
}

Color TWindow::SetPixel(int x, int y, Color c) {
    HDC dc = GetDC();
    Color r = SETPIXEL(dc, x, y, c);
    ReleaseDC();
    return r;
}

void TWindow::Gradient(const GradientSpec& grad) {
    const GradientSpec& g = grad.empty() ? aGradColors : grad;
    if (g.empty() || !hWnd) return;
    BrushSpec spec;
    spec.xSource = g;
    auto brush = TBrush::New(spec);
    brush->Resize(hWnd);
    if (oBrush) oBrush->End();
    oBrush = brush;  // New counted its one use
    Refresh();
}

void TWindow::SayBitmap(int row, int col, HBITMAP bitmap, int width, int height) {
    if (!bitmap) return;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    // Always stretched to the full size, so one missing side takes the bitmap's.
    DRAWBITMAP(GetDC(), bitmap, row, col, width ? width : info.bmWidth, height ? height : info.bmHeight);
    ReleaseDC();
}

void TWindow::SayBitmap(int row, int col, const std::string& resource, int width, int height) {
    HBITMAP b = LoadBitmapA(GETINSTANCE(), resource.c_str());
    SayBitmap(row, col, b, width, height);
    if (b) DeleteObject(b);
}

HDC TWindow::DBUFFEREND(HDC target, DispInfo& info) {
    info.target = target;
    return WLDISPEND(info);
}

bool TWindow::SaveToBmp(const std::string& file) {
    if (!hWnd) return false;
    RECT r{};
    GetWindowRect(hWnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC wdc = GetWindowDC(hWnd);
    HDC mem = CreateCompatibleDC(wdc);
    HBITMAP bmp = CreateCompatibleBitmap(wdc, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, wdc, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFOHEADER bi{};
    bi.biSize = sizeof bi;
    bi.biWidth = w;
    bi.biHeight = h;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    bi.biCompression = BI_RGB;
    const DWORD stride = ((static_cast<DWORD>(w) * 3 + 3) & ~3u);
    std::vector<char> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(h));
    GetDIBits(mem, bmp, 0, static_cast<UINT>(h), pixels.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    DeleteObject(bmp);
    DeleteDC(mem);
    ::ReleaseDC(hWnd, wdc);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pixels.size());
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
        out.write(reinterpret_cast<const char*>(&bi), sizeof bi);
        out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    }
    return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}


}  // namespace wl
