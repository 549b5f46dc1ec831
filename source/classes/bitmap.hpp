// TBitmap: a picture from a resource or a file, shown in a control window
// (scrolled, stretched, zoomed, transparent or alpha-blended) or held
// without a window. Drawing helpers for transparent and tiled pictures.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "control.hpp"
#include "rect.hpp"

namespace wl {

struct BitmapNew {
    double nTop = 0, nLeft = 0;
    std::optional<int> nWidth, nHeight;  // default: the picture's, within the parent
    std::string cResName, cBmpFile;
    bool lNoBorder = false;
    TWindow* oWnd = nullptr;
    MouseAction bLClicked, bRClicked;
    bool lScroll = false, lStretch = false;
    std::shared_ptr<TCursor> oCursor;
    std::string cMsg;
    bool lUpdate = false;
    std::function<bool()> bWhen;
    bool lPixel = false;
    std::function<bool(TWindow&)> bValid;
};

class TBitmap : public TControl {
public:
    std::string ClassName() const override { return "TBITMAP"; }
    double rowPixels() const override { return 14; }
    double colPixels() const override { return 8; }

    TBitmap& New(const BitmapNew& a = {});
    // Binds to a dialog item.
    TBitmap& ReDefine(int id, const std::string& resName, const std::string& file, TWindow* parent,
                      bool scroll = false, bool stretch = false);
    // A picture holder without a window: from a resource, a file or a handle
    // (which the holder then owns).
    TBitmap& Define(const std::string& resName = {}, const std::string& file = {}, TWindow* wnd = nullptr,
                    HBITMAP bitmap = nullptr);
    ~TBitmap() override;

    // Loads the resource, or the file (PNG by its name's end, else a DIB);
    // the stored names when none are given. On success the names are kept
    // and the previous picture freed.
    virtual bool LoadImage(const std::string& resName = {}, const std::string& file = {});
    // Loads and, with a window, adjusts the scroll bars and repaints.
    bool ReLoad(const std::string& resName = {}, const std::string& file = {});
    bool SetBMP(const std::string& resName) { return ReLoad(resName, {}); }
    bool LoadBMP(const std::string& file) { return ReLoad({}, file); }
    bool LoadFromClipboard();
    // A bitmap file's bytes held in memory.
    bool LoadFromString(std::string_view bytes);
    bool CopyToClipboard();
    // Frees the picture and forgets the names.
    void Clear();
    // Takes the bitmap (and palette) as the picture; the object owns them.
    void setPicture(HBITMAP bitmap, HPALETTE palette = nullptr);

    Answer Paint() override;
    // Draws the picture as Paint does onto any context of that size.
    void PaintTo(HDC dc, int width, int height);
    Answer EraseBkGnd(HDC dc) override;
    Answer VScroll(WPARAM w, LPARAM l) override;
    Answer HScroll(WPARAM w, LPARAM l) override;
    Answer KeyDown(WPARAM key, LPARAM flags) override;
    Answer Destroy() override;
    void ScrollAdjust();

    // The picture's size times the zoom (0 without a picture).
    using TWindow::nWidth;
    using TWindow::nHeight;
    int nWidth() const;
    int nHeight() const;
    // Scrollable amounts: picture height (width) - window height (width) + 1.
    int nXExtra() const;
    int nYExtra() const;
    int Zoom(std::optional<int> zoom = std::nullopt);
    void Center();
    int nAlphaLevel(std::optional<int> level = std::nullopt);

    int nX = 0, nY = 0, nOldX = 0, nOldY = 0;  // vertical and horizontal offsets, 0 or negative
    HBITMAP hBitmap = nullptr;
    HPALETTE hPalette = nullptr;
    std::string cBmpFile, cResName;
    bool lScroll = false, lStretch = false;
    int nVStep = 1, nHStep = 1, nZoom = 1;
    bool lHasAlpha = false;
    std::function<int(TBitmap&)> bAlphaLevel;

protected:
    // Reads the picture of a file other than PNG; TImage reads more kinds.
    virtual HBITMAP readFile(const std::string& file, HPALETTE& palette);
    void freePicture();
    void scrollBy(bool vertical, int code, int thumb);

private:
    int alphaLevel_ = 255;
};

// Draws the bitmap with the colour of its top-left pixel transparent.
void DRAWTRANSPARENT(HDC hDC, HBITMAP hBmp, int nRow, int nCol);
// Text on a transparent background in the rectangle.
void DRAWTEXTTRANSPARENT(HDC hDC, const std::string& text, const TRect& rect, UINT format);
// Repeats the bitmap over the rectangle from its top-left corner.
void DRAWTILED(HDC hDC, const RECT& rect, const TBitmap& bmp);
// Deletes both.
void PALBMPFREE(HBITMAP hBitmap, HPALETTE hPalette);

}  // namespace wl
