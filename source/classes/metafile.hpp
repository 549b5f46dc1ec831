// TMetaFile: a child window that shows one page file (an enhanced metafile)
// scaled into its rectangle, with a shadow along its right and bottom
// edges, zoom and a scroll origin in tenths of the page.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <memory>
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
    // The control nId of a dialog (window class "TMetaFile", registered by
    // RegisterWindowClass before the dialog is made) showing cFile; the page
    // size is 100 x 100, the shadow on with its pen. None when hDlg has no
    // such control.
    static std::unique_ptr<TMetaFile> Redefine(int nId, const std::string& cFile, HWND hDlg, Color nClrFore = 0,
                                               Color nClrBack = 0xFFFFFF);
    static void RegisterWindowClass();
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
    TMetaFile() = default;
    void attach();
    static LRESULT CALLBACK proc(HWND hWnd, UINT msg, WPARAM w, LPARAM l);
    bool ownsWindow_ = true;  // a dialog's control is the dialog's to destroy
    bool alerted_ = false;  // the missing-file alert of this caption was shown
};

}  // namespace wl
