// A top-down 32-bit memory bitmap in its own device context, filled with one
// colour, whose pixels painting tests read back.
#pragma once

#include <windows.h>

namespace wltest {

class MemoryCanvas {
public:
    MemoryCanvas(int width, int height, COLORREF colour = RGB(255, 255, 255)) : w_(width), h_(height) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bmp_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bmp_);
        fill(colour);
    }
    ~MemoryCanvas() {
        SelectObject(dc_, old_);
        DeleteObject(bmp_);
        DeleteDC(dc_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return w_; }
    int height() const { return h_; }
    void fill(COLORREF colour) {
        HBRUSH b = CreateSolidBrush(colour);
        RECT r{0, 0, w_, h_};
        FillRect(dc_, &r, b);
        DeleteObject(b);
    }
    // Drawing may still sit in GDI's batch: it is flushed before a read.
    COLORREF at(int x, int y) const {
        GdiFlush();
        return GetPixel(dc_, x, y);
    }

private:
    int w_, h_;
    HDC dc_ = nullptr;
    HBITMAP bmp_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

}  // namespace wltest
