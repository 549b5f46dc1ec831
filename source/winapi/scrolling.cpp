#include "scrolling.hpp"

#include "window_coordinates.hpp"

namespace wl {

int fontTextHeight(HWND hWnd, HDC hDC, HFONT hFont) {
    HDC dc = hDC ? hDC : GetDC(hWnd);
    if (!dc) return 0;
    HGDIOBJ before = hFont ? SelectObject(dc, hFont) : nullptr;
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    if (hFont) SelectObject(dc, before);
    if (!hDC) ReleaseDC(hWnd, dc);
    return static_cast<int>(tm.tmHeight);
}

namespace {
int browseRowHeight(HWND hWnd, HDC hDC, HFONT hFont) { return fontTextHeight(hWnd, hDC, hFont) + 1; }

void scrollRows(HWND hWnd, int nRows, int rowHeight, bool headerRow, UINT flags) {
    RECT clip = toRECT(rowScrollBand(GETCLIENTRECT(hWnd), rowHeight, headerRow));
    ScrollWindowEx(hWnd, 0, -rowHeight * nRows, nullptr, &clip, nullptr, nullptr, flags);
}
}  // namespace

void SCROLLWINDOW(HWND hWnd, int nDX, int nDY, const std::optional<RectArray>& aRect,
                  const std::optional<RectArray>& aClip) {
    if (aRect) {
        RECT r = toRECT(*aRect);
        ScrollWindow(hWnd, nDX, nDY, &r, nullptr);
        return;
    }
    RECT clip{};
    if (aClip) clip = toRECT(*aClip);
    ScrollWindow(hWnd, nDX, nDY, nullptr, aClip ? &clip : nullptr);
}

void WBRWSCROLL(HWND hWnd, int nRows, HFONT hFont) {
    scrollRows(hWnd, nRows, browseRowHeight(hWnd, nullptr, hFont), true, 0);
}

int XBRWSCROLLROW(HWND hWnd, int nPixels, int nTop, int nHeight) {
    RECT client{};
    GetClientRect(hWnd, &client);
    RECT clip{client.left, client.top + nTop, client.right, client.top + nTop + nHeight};
    return ScrollWindowEx(hWnd, 0, -nPixels, nullptr, &clip, nullptr, nullptr, 0);
}

int NWROWS(HWND hWnd, HDC hDC, HFONT hFont) {
    return rowsInHeight(GETCLIENTRECT(hWnd).height(), browseRowHeight(hWnd, hDC, hFont));
}

int NWROW(HWND hWnd, HDC hDC, int nY, HFONT hFont) {
    return rowAtPixel(nY, GETCLIENTRECT(hWnd).top, browseRowHeight(hWnd, hDC, hFont));
}

std::optional<RectArray> ABRWPOSRECT(HWND hWnd, int nRow, const std::vector<int>& aColSizes, int nFirstCol,
                                     int nCol, HFONT hFont) {
    if (nCol <= 0 || nCol > static_cast<int>(aColSizes.size())) return std::nullopt;
    return browseCellRect(GETWNDRECT(hWnd), browseRowHeight(hWnd, nullptr, hFont), nRow, aColSizes, nFirstCol, nCol);
}

int SETSCROLLRANGE(HWND hWnd, int nBar, int nMin, int nMax, bool lRedraw) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    si.nPage = 1;
    si.nMin = nMin;
    si.nMax = nMax;
    return SetScrollInfo(hWnd, nBar, &si, lRedraw);
}

int SETSCROLLPOS(HWND hWnd, int nBar, int nPos, bool lRedraw) { return SetScrollPos(hWnd, nBar, nPos, lRedraw); }

std::vector<int> GETSCROLLRANGE(HWND hWnd, int nBar) {
    int lo = 0, hi = 0;
    GetScrollRange(hWnd, nBar, &lo, &hi);
    return {lo, hi};
}

int GETSCROLLPOS(HWND hWnd, int nBar) { return GetScrollPos(hWnd, nBar); }

bool SETSCROLLINFO(HWND hWnd, int nBar, int nPage, bool lRedraw) {
    using SetScrollInfoFn = int(WINAPI*)(HWND, int, LPCSCROLLINFO, BOOL);
    HMODULE user32 = GetModuleHandleA("USER32");
    auto fn = user32 ? reinterpret_cast<SetScrollInfoFn>(
                           reinterpret_cast<void*>(GetProcAddress(user32, "SetScrollInfo")))
                     : nullptr;
    if (!fn) return false;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_PAGE | SIF_DISABLENOSCROLL;
    si.nPage = static_cast<UINT>(nPage);
    return fn(hWnd, nBar, &si, lRedraw) != 0;
}

void SETSCROLLRANGE2(HWND hWnd, int nBar, int nMin, int nMax, bool lRedraw) {
    SetScrollRange(hWnd, nBar, nMin, nMax, lRedraw);
}

void SCROLLLINES(HWND hWnd, int nLines, HFONT hFont) {
    scrollRows(hWnd, nLines, fontTextHeight(hWnd, nullptr, hFont), false, SW_INVALIDATE);
}

}  // namespace wl
