// TPen: one GDI pen, not pooled.
#pragma once

#include <windows.h>

#include "colors.hpp"

namespace wl {

class TPen {
public:
    // Width in pixels, or in points on a device context given as oDevice.
    explicit TPen(int style = PS_SOLID, int width = 1, Color color = 0, HDC oDevice = nullptr);
    ~TPen() { End(); }
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;

    HPEN hPen = nullptr;
    int nStyle = PS_SOLID;
    int nWidth = 1;
    Color nColor = 0;
    HDC oDevice = nullptr;

    void End();
    void Release() { End(); }
};

}  // namespace wl
