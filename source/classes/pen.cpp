#include "pen.hpp"

#include "drawing.hpp"

namespace wl {

TPen::TPen(int style, int width, Color color, HDC device) : nStyle(style), nWidth(width), nColor(color), oDevice(device) {
    if (device) nWidth = MulDiv(width, GetDeviceCaps(device, LOGPIXELSY), 72);
    hPen = CREATEPEN(nStyle, nWidth, nColor);
}

void TPen::End() {
    if (hPen) DeleteObject(hPen);
    hPen = nullptr;
}

}  // namespace wl
