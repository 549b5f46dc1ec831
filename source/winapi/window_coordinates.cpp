#include "window_coordinates.hpp"

namespace wl {

RectArray toRectArray(const RECT& r) {
    return {static_cast<int>(r.top), static_cast<int>(r.left), static_cast<int>(r.bottom), static_cast<int>(r.right)};
}

RECT toRECT(const RectArray& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

RectArray GETCLIENTRECT(HWND hWnd) {
    RECT r{};
    if (hWnd) GetClientRect(hWnd, &r);
    return toRectArray(r);
}

RectArray GETWNDRECT(HWND hWnd) {
    RECT r{};
    if (hWnd) GetWindowRect(hWnd, &r);
    return toRectArray(r);
}

RectArray GETCOORS(HWND hWnd) {
    RECT r{};
    if (!hWnd) return {};
    GetWindowRect(hWnd, &r);
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    if (HWND parent = GetParent(hWnd)) {
        ScreenToClient(parent, &corners[0]);
        ScreenToClient(parent, &corners[1]);
    }
    return {static_cast<int>(corners[0].y), static_cast<int>(corners[0].x), static_cast<int>(corners[1].y),
            static_cast<int>(corners[1].x)};
}

RowCol CLIENTTOSCREEN(HWND hWnd, RowCol& aPoint) {
    POINT p{aPoint.col, aPoint.row};
    ClientToScreen(hWnd, &p);
    aPoint = {static_cast<int>(p.y), static_cast<int>(p.x)};
    return aPoint;
}

RowCol SCREENTOCLIENT(HWND hWnd, RowCol& aPoint) {
    POINT p{aPoint.col, aPoint.row};
    ScreenToClient(hWnd, &p);
    aPoint = {static_cast<int>(p.y), static_cast<int>(p.x)};
    return aPoint;
}

void INVALIDATERECT(HWND hWnd, bool lErase) {
    if (hWnd) InvalidateRect(hWnd, nullptr, lErase);
}

void INVALIDATERECT(HWND hWnd, bool, bool lErase) { INVALIDATERECT(hWnd, lErase); }

void INVALIDATERECT(HWND hWnd, const RectArray& aRect, bool lErase) {
    if (!hWnd) return;
    RECT r = toRECT(aRect);
    InvalidateRect(hWnd, &r, lErase);
}

bool ISOVERWND(HWND hWnd, int nRow, int nCol) {
    RECT r{};
    GetClientRect(hWnd, &r);
    return PtInRect(&r, POINT{nCol, nRow}) != 0;
}

bool WNDHASSCROLLS(HWND hWnd) { return (GetWindowLongPtrA(hWnd, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) != 0; }

HWND CHILDFROMPOINT(HWND hWnd, const RowCol& aPoint) {
    return ChildWindowFromPoint(hWnd, POINT{aPoint.col, aPoint.row});
}

RowCol MAPWINDOWPOINT(HWND hFrom, HWND hTo, const RowCol& aPoint) {
    POINT p{aPoint.col, aPoint.row};
    MapWindowPoints(hFrom, hTo, &p, 1);
    return {static_cast<int>(p.y), static_cast<int>(p.x)};
}

void MAPDIALOGRECT(HWND hDlg, RectArray& aRect) {
    RECT r = toRECT(aRect);
    MapDialogRect(hDlg, &r);
    aRect = toRectArray(r);
}

}  // namespace wl
