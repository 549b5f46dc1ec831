// Bitmaps and DIBs on Windows: loading, making, drawing, measuring, resizing
// and storing them, the built-in pictures, the image effects on bitmaps and
// PNG files as bitmaps. Bitmaps, palettes and brushes made here are reported
// to the resource tracker ("BMP", "PAL", "BRUSH", "BMP -> Maker").
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pixel_image.hpp"

namespace wl {

// Pictures in and out of bitmaps (32 bits, top row first).
std::optional<PixelImage> bitmapPixels(HBITMAP hBitmap);
// A 32-bit top-down DIB section holding the picture; not tracked.
HBITMAP bitmapFromPixels(const PixelImage& image);

// Loading and making.
HBITMAP LOADBITMAP(HINSTANCE hInstance, const std::string& cName);
HBITMAP LOADBITMAP(HINSTANCE hInstance, int nId);
HBITMAP READBITMAP(HDC hDC, const std::string& cFile);
HBITMAP CREATEMEMBITMAP(HDC hDC, std::string_view cImage);
HBITMAP CREATECOMPATIBLEBITMAP(HDC hDC, int nWidth, int nHeight);
int NBMPWIDTH(HBITMAP hBitmap);
int NBMPHEIGHT(HBITMAP hBitmap);
HBITMAP RESIZEBMP(HBITMAP hBitmap, int nWidth, int nHeight, bool lSmooth);
HBITMAP CROPIMAGE(HBITMAP hBitmap, std::optional<int> nTop = {}, std::optional<int> nLeft = {},
                  std::optional<int> nBottom = {}, std::optional<int> nRight = {});
HBITMAP COPYBITMAP(HBITMAP hBitmap);
bool IS32BITBITMAP(HBITMAP hBitmap);
HBITMAP TO32BITDIB(HBITMAP hBitmap);

// Device-independent bitmaps in movable global memory.
HGLOBAL DIBREAD(const std::string& cFile);
bool DIBWRITE(const std::string& cFile, HGLOBAL hDib);
std::string DIBTOSTR(HGLOBAL hDib);
HPALETTE DIBPALETTE(HGLOBAL hDib);
bool DIBDRAW(HDC hDC, HGLOBAL hDib, HPALETTE hPalette, int nRow, int nCol, int nWidth, int nHeight,
             DWORD nRop = 0);
HGLOBAL DIBFROMBITMAP(HBITMAP hBitmap, HPALETTE hPalette = nullptr);
std::string BMPTOSTR(HBITMAP hBitmap);
bool HASALPHA(HBITMAP hBitmap, HPALETTE hPalette = nullptr);
WORD DIBWIDTH(HGLOBAL hDib);
WORD DIBHEIGHT(HGLOBAL hDib);

// Bitmaps with their palettes: {bitmap, palette}, the palette 0 when the DIB
// uses 16 colours or fewer.
struct BitmapWithPalette {
    HBITMAP bitmap = nullptr;
    HPALETTE palette = nullptr;
};
BitmapWithPalette PALBMPREAD(HDC hDC, const std::string& cFile);
BitmapWithPalette PALBMPLOAD(const std::string& cName);
BitmapWithPalette PALBMPLOAD(int nId);
void PALBMPDRAW(HDC hDC, int nRow, int nCol, HBITMAP hBitmap, HPALETTE hPalette, int nWidth = 0, int nHeight = 0,
                DWORD nRop = 0, bool lTransparent = false, COLORREF nReplace = 0);
void PALBMPDRAWSIZE(HDC hDC, int nRow, int nCol, HBITMAP hBitmap, HPALETTE hPalette, int nWidth, int nHeight,
                    DWORD nRop = 0, bool lTransparent = false, COLORREF nReplace = 0);

// The palette list (256-colour screens).
void PALBMPNEW(HWND hWnd, HBITMAP hBitmap, HPALETTE hPalette);
int QRYNEWPALEVENT();
int PALCHGEVENT(HWND hWnd);
std::optional<BitmapWithPalette> SETFOREBMP(HBITMAP hBitmap, HPALETTE hPalette);
// Frees the bitmap's record, deleting its palette and bitmap.
void PALBMPFREE(HBITMAP hBitmap);
int REALIZEPALETTE(HWND hWnd, HPALETTE hPalette);

// Pictures of windows and device contexts.
HBITMAP WNDBITMAP(HWND hWnd);
void WNDPRINT(HWND hWnd, HDC hDC, int nX, int nY, int nZoom = 1);
bool PRINTWINDOW(HWND hWnd, HDC hDC, UINT nFlags);
HBITMAP WINDOWAREABITMAP(HWND hWnd, std::optional<RECT> aArea = {});
HBITMAP WINDOWAREABITMAP(HDC hDC, const RECT& aArea);
void PUTWINDOWAREA(HWND hWnd, HBITMAP hBitmap, int nTop, int nLeft);
void PUTWINDOWAREA(HDC hDC, HBITMAP hBitmap, int nTop, int nLeft);
HBITMAP PARENTCAPTURE(HWND hWnd, HDC hDC);
HBITMAP CREATEDIBITMAP(HDC hDC, const BITMAPINFOHEADER* nHeader, DWORD nInit, const void* nBits,
                       const BITMAPINFO* nInfo, UINT nUsage);
int SETDIBITSTODEVICE(HDC hDC, int nX, int nY, DWORD nWidth, DWORD nHeight, int nXSrc, int nYSrc, UINT nStartScan,
                      UINT nLines, const void* nBits, const BITMAPINFO* nInfo, UINT nUsage);

// Drawing (rows are y, columns x).
void DRAWBITMAP(HDC hDC, HBITMAP hBitmap, int nRow, int nCol, int nWidth = 0, int nHeight = 0, DWORD nRop = 0);
void DRAWMASKED(HDC hDC, HBITMAP hBitmap, int nRow, int nCol);
void DRAWCHECKED(HDC hDC, HBITMAP hBitmap, int nRow, int nCol);
void DRAWGRAY(HDC hDC, HBITMAP hBitmap, int nRow, int nCol);
void TRANSBMP(HBITMAP hBitmap, int nWidth, int nHeight, COLORREF nTransparent, HDC hDC, int nX, int nY,
              int nDestWidth, int nDestHeight);
void ABPAINT(HDC hDC, int nX, int nY, HBITMAP hBitmap, int nAlpha = 0);

// Built-in pictures (each call makes a new tracked bitmap).
HBITMAP WLBITMAP(const std::string& cName);
HBITMAP WLBRUSHES(int nIndex);
HBITMAP WLLOGOBITMAP(HDC hDC);
HBITMAP MSGBAR2007(HDC hDC);
HBITMAP MSGBAR2010(HDC hDC);
HBITMAP WLRARROW();
HBITMAP WLDARROW();
HBITMAP WLBMPASC();
HBITMAP WLBMPDES();
HBITMAP WLBMPOFF();
HBITMAP WLBMPON();
HBITMAP checkMarkBitmap(int look);  // the office menus' check mark, tracked "BMP"
std::vector<HBITMAP> ATREEBMPS(HDC hDC);
HBITMAP EMBEDDEDIMAGE(int n);  // EMBEDDEDIMAGE1 .. EMBEDDEDIMAGE14
inline HBITMAP EMBEDDEDIMAGE1() { return EMBEDDEDIMAGE(1); }
inline HBITMAP EMBEDDEDIMAGE2() { return EMBEDDEDIMAGE(2); }
inline HBITMAP EMBEDDEDIMAGE3() { return EMBEDDEDIMAGE(3); }
inline HBITMAP EMBEDDEDIMAGE4() { return EMBEDDEDIMAGE(4); }
inline HBITMAP EMBEDDEDIMAGE5() { return EMBEDDEDIMAGE(5); }
inline HBITMAP EMBEDDEDIMAGE6() { return EMBEDDEDIMAGE(6); }
inline HBITMAP EMBEDDEDIMAGE7() { return EMBEDDEDIMAGE(7); }
inline HBITMAP EMBEDDEDIMAGE8() { return EMBEDDEDIMAGE(8); }
inline HBITMAP EMBEDDEDIMAGE9() { return EMBEDDEDIMAGE(9); }
inline HBITMAP EMBEDDEDIMAGE10() { return EMBEDDEDIMAGE(10); }
inline HBITMAP EMBEDDEDIMAGE11() { return EMBEDDEDIMAGE(11); }
inline HBITMAP EMBEDDEDIMAGE12() { return EMBEDDEDIMAGE(12); }
inline HBITMAP EMBEDDEDIMAGE13() { return EMBEDDEDIMAGE(13); }
inline HBITMAP EMBEDDEDIMAGE14() { return EMBEDDEDIMAGE(14); }
// A button face from DIBs: the pressed DIB at (2, 2) (or the normal one at
// (1, 1)) in an inset frame when pressed, else the normal DIB at (1, 1) in a
// raised frame; stretched to the client area less one pixel with lStretch.
void DIBBUTTON(HWND hWnd, HGLOBAL hDib, HPALETTE hPalette, HGLOBAL hDibPressed, HPALETTE hPalettePressed,
               bool lPressed, bool lStretch);  // the office menus' check mark, tracked "BMP"

// Image effects on bitmaps.
HBITMAP RESIZEIMG(HBITMAP hBitmap, int nWidthOrPercent, int nHeight = 0);
HBITMAP BRIGHTIMG(HDC hDC, HBITMAP hBitmap, int nDelta, bool lAlpha);
HBITMAP BLURIMG(HBITMAP hBitmap, int nRadius);
bool FADEIMG(HDC hDC, HBITMAP hBitmap, int nRow, int nCol, int nAlpha, int nStart, bool lUseAlpha,
             COLORREF nTransparent);
bool SHADOWBOX(HDC hDC, int nWidth, int nHeight, int nOffsetX, int nOffsetY, int nInset, bool lRound, int nPercent,
               int nCorner = 10);
// Mode 1: a pattern brush; 2: the bitmap; other: fills the rectangle
// {top, left, bottom, right} of hDC and answers 0.
HGDIOBJ RADIALGRADIENT(HDC hDC, const RECT& aRect, COLORREF nColorCentre, COLORREF nColorEdge, int nOffsetX = 0,
                       int nOffsetY = 0, int nMode = 3);
void DIAGONALGRADIENT(HDC hDC, const RECT& aRect, COLORREF nColor1, COLORREF nColor2, bool lDirection = true,
                      int nStart = 0, int nEnd = 0);
void DARKENRAMPH(HDC hDC, int nTop, int nLeft, int nBottom, int nRight);
void DARKENRAMPV(HDC hDC, int nTop, int nLeft, int nBottom, int nRight);
HBITMAP MAKEBKBMP(HWND hWnd, HDC hDC);
HBITMAP MAKEBKBMPEX(HWND hWnd, int nTop, int nLeft, int nWidth, int nHeight);
HBRUSH MAKEBKBRUSH(HWND hWnd, int nTop, int nLeft, int nWidth, int nHeight);
HRGN SLIDERREGION(HWND hWnd);

// PNG files as bitmaps: 0 when the file is no usable PNG. The caller owns
// the bitmap (not tracked); four-channel pictures are premultiplied.
HBITMAP WLOPENPNGFILE(const std::string& cFile);
// Save a bitmap, or an enhanced metafile played into a white picture of
// nWidth x nHeight, as an RGB PNG file; nothing is written on failure.
void SAVEBMPASPNG(HBITMAP hBitmap, const std::string& cFile);
void SAVEEMFASPNG(HENHMETAFILE hEnhMetaFile, int nHeight, int nWidth, const std::string& cFile);

}  // namespace wl
