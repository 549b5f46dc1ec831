// Windows tests only: what a window paints, painted into a bitmap of its
// client size through WM_PRINTCLIENT, its pixels read back.
#pragma once

#include <windows.h>

namespace zrtest {

class WindowPicture {
public:
    explicit WindowPicture(HWND h) {
        HDC screen = GetDC(h);
        dc_ = CreateCompatibleDC(screen);
        RECT r{};
        GetClientRect(h, &r);
        bmp_ = CreateCompatibleBitmap(screen, r.right, r.bottom);
        ReleaseDC(h, screen);
        old_ = SelectObject(dc_, bmp_);
        SendMessageA(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
    }
    ~WindowPicture() {
        SelectObject(dc_, old_);
        DeleteObject(bmp_);
        DeleteDC(dc_);
    }
    WindowPicture(const WindowPicture&) = delete;
    WindowPicture& operator=(const WindowPicture&) = delete;

    HDC dc() const { return dc_; }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }
    // Whether any pixel of the rectangle has the colour.
    bool has(RECT r, COLORREF c) const {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (GetPixel(dc_, x, y) == c) return true;
        return false;
    }

private:
    HDC dc_ = nullptr;
    HBITMAP bmp_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

}  // namespace zrtest
