// TMetaFile: a child window that shows one page file (an enhanced metafile)
// scaled into its rectangle, with a shadow along its right and bottom
// edges, zoom and a scroll origin in tenths of the page.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "colors.hpp"
#include "pen.hpp"

namespace wl {

class TMetaFile {
public:
    // A visible child of parent at (top, left) of width x height pixels
    // showing cFile; nMetaWidth x nMetaHeight is the logical page size.
    TMetaFile(HWND parent, int nTop, int nLeft, int nWidth = 100, int nHeight = 100, const std::string& cFile = {},
              Color nClrFore = 0, Color nClrBack = 0xFFFFFF, int nMetaWidth = 100, int nMetaHeight = 100);
    ~TMetaFile();
    TMetaFile(const TMetaFile&) = delete;
    TMetaFile& operator=(const TMetaFile&) = delete;

    HWND hWnd = nullptr;
    HENHMETAFILE hMeta = nullptr;
    TPen oPen{PS_SOLID, 5};
    int nWidth = 100, nHeight = 100;
    double nXorig = 0, nYorig = 0;
    int nXZoom = 1, nYZoom = 2;
    bool lZoom = false;
    bool lShadow = true;
    std::optional<double> nVRatio;
    std::string cCaption;  // the file shown
    Color nClrFore = 0, nClrBack = 0xFFFFFF;

    std::function<void(int keys, int delta, int x, int y)> bMouseWheel;
    std::function<void(int row, int col, WPARAM flags)> bLDblClick;
    std::function<void(WPARAM key, LPARAM flags)> bKeyDown;

    void Paint(HDC dc);
    void SetCoors(int top, int left, int width, int height);
    void SetFile(const std::string& cFile);
    // The shadow, drawn on the parent.
    void Shadow();
    void ZoomIn();
    void ZoomOut();
    void SetZoomFactor(int nX, int nY);
    void SetOrg(std::optional<double> nX, std::optional<double> nY);
    void Refresh();
    void Show(bool visible);

private:
    static LRESULT CALLBACK proc(HWND hWnd, UINT msg, WPARAM w, LPARAM l);
    bool alerted_ = false;  // the missing-file alert of this caption was shown
};

}  // namespace wl
