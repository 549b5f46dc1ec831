// Page files: enhanced metafiles recorded against a printer, and placeable
// Windows metafiles read from disk.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

namespace wl {

// An EMF context writing to cFile, framed to the printer's page; 0 (after
// a message box naming the file) when it cannot be made.
HDC CREATEENHMETAFILE(HDC hDCRef, const std::string& cFile, const std::string& cDescription);
HENHMETAFILE CLOSEENHMETAFILE(HDC hDC);
// Releases the handle (the file stays); a warning box on failure.
bool DELETEENHMETAFILE(HENHMETAFILE hEMF, const std::string& cCaption = {});
HENHMETAFILE GETENHMETAFILE(const std::string& cFile);
// Plays into (0, 0, HORZRES + extra, VERTRES + extra) of hDC with lDevice,
// else into hWnd's client rectangle.
bool PLAYENHMETAFILE(HDC hDC, HENHMETAFILE hEMF, HWND hWnd, bool lDevice, int nExtraX = 0, int nExtraY = 0);
bool XPLAYENHMETAFILE(HDC hDC, HENHMETAFILE hEMF, int nTop, int nLeft, int nBottom, int nRight);
HMETAFILE GETMETAFILE(const std::string& cFile);
bool PLAYMETAFILE(HDC hDC, HMETAFILE hMF);
bool DELETEMETAFILE(HMETAFILE hMF);
// A placeable metafile file as a metafile handle; nullptr when the file
// cannot be read, its key is wrong or its records do not fit in it. aInfo,
// when given, receives {top, left, bottom, right, units per inch}.
HMETAFILE GETPMETAFILE(const std::string& cFile, std::array<int, 5>* aInfo = nullptr);
// (WMF2EMF and EMF2WMF, the conversions between the two kinds, are in
// drawing.hpp.)

// Owners of the handles.
struct EnhMetafile {
    HENHMETAFILE h = nullptr;
    explicit EnhMetafile(HENHMETAFILE handle = nullptr) : h(handle) {}
    ~EnhMetafile() {
        if (h) DeleteEnhMetaFile(h);
    }
    EnhMetafile(const EnhMetafile&) = delete;
    EnhMetafile& operator=(const EnhMetafile&) = delete;
};

}  // namespace wl
