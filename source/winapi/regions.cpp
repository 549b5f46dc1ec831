#include "regions.hpp"

#include "resource_tracker.hpp"
#include "window_coordinates.hpp"

namespace wl {

namespace {
HRGN tracked(HRGN region) {
    if (region) TrackResourceNew(region, "REGION");
    return region;
}
}  // namespace

HRGN CREATEROUNDRECTRGN(const RectArray& aRect, int nWidth, int nHeight) {
    return tracked(CreateRoundRectRgn(aRect.left, aRect.top, aRect.right - aRect.left, aRect.bottom - aRect.top + 1,
                                      nWidth, nHeight));
}

HRGN CREATEROUNDRECTRGN(int nLeft, int nTop, int nRight, int nBottom, int nWidth, int nHeight) {
    return tracked(CreateRoundRectRgn(nLeft, nTop, nRight, nBottom, nWidth, nHeight));
}

HRGN CREATEELLIPTICRGNINDIRECT(const RectArray& aRect) {
    RECT r = toRECT(aRect);
    return tracked(CreateEllipticRgnIndirect(&r));
}

int SETWINDOWRGN(HWND hWnd, HRGN hRgn, bool lRedraw) { return SetWindowRgn(hWnd, hRgn, lRedraw); }

HRGN CREATEELLIPTICRGN(int nLeft, int nTop, int nRight, int nBottom) {
    return tracked(CreateEllipticRgn(nLeft, nTop, nRight, nBottom));
}

HRGN CREATERECTRGN(int nLeft, int nTop, int nBottom, int nRight) { return CreateRectRgn(nLeft, nTop, nRight, nBottom); }

int COMBINERGN(HRGN hDest, HRGN hSrc1, HRGN hSrc2, int nMode) { return CombineRgn(hDest, hSrc1, hSrc2, nMode); }

HRGN CREATEPOLYGONRGN(const std::vector<POINT>& aPoints, int nFillMode) {
    if (aPoints.size() < 3) return nullptr;
    return tracked(CreatePolygonRgn(aPoints.data(), static_cast<int>(aPoints.size()), nFillMode));
}

bool FRAMERGN(HDC hDC, HRGN hRgn, HBRUSH hBrush, int nWidth, int nHeight) {
    return FrameRgn(hDC, hRgn, hBrush, nWidth, nHeight) != 0;
}

int OFFSETRGN(HRGN hRgn, int nX, int nY) { return OffsetRgn(hRgn, nX, nY); }

}  // namespace wl
