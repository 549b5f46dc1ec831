// TImage: a TBitmap that reads every picture format through the FreeImage
// library, loaded at run time by file name. Without the library only
// ".bmp" files (read directly) and PNG files (the built-in decoder) load.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "bitmap.hpp"

namespace wl {

class TImage : public TBitmap {
public:
    std::string ClassName() const override { return "TIMAGE"; }
    // The library's file: "freeimage.dll", "freeimage64.dll" in a 64-bit build.
    static const char* cResFile();

    TImage& New(const BitmapNew& a = {}, const std::string& varName = {});
    TImage& Define(const std::string& resName = {}, const std::string& file = {}, TWindow* wnd = nullptr);
    // Writes the picture as a 24-bit image of the FreeImage format through a
    // temporary DIB file; false without the library.
    bool SaveImage(const std::string& file, int format, int flags = 0);
    // Decodes bytes held in memory, shrunk proportionally to fit the
    // maximum width and height (0: no limit); nFormat gets the format.
    bool LoadFromMemory(std::string_view bytes, int maxWidth = 0, int maxHeight = 0);
    void Progress(bool on) { nProgress = on ? 1 : 0; }

    int nProgress = 1;
    int nFormat = -1;

protected:
    HBITMAP readFile(const std::string& file, HPALETTE& palette) override;
};

// The library, loaded once; 0 (after "Cannot load FreeImage.dll", shown
// once) when it is missing.
HMODULE LOADFREEIMAGE(const std::string& cDll = {});
void UNLOADFREEIMAGE();
// A ".bmp" file is read directly; any other through the library, turned
// into a bitmap for the screen. The FreeImage format goes to `format`.
HBITMAP FILOADIMG(const std::string& file, int& format);
HBITMAP FILOADFROMMEMORY(std::string_view bytes, int& format);
// Converts a bitmap file into another FreeImage format at 24 bits.
bool FICONVERTIMAGEFILE(const std::string& from, const std::string& to, int format, int flags = 0);

// Thin calls of the library's entry points (the handles are FreeImage's
// own objects); each fails harmlessly without the library.
using FIBITMAP_ = void*;
using FIMEMORY_ = void*;
bool FISAVE(int format, FIBITMAP_ dib, const std::string& file, int flags = 0);
unsigned FIGETWIDTH(FIBITMAP_ dib);
FIBITMAP_ FICONVTO32(FIBITMAP_ dib);
void FISETTRANSPARENT(FIBITMAP_ dib, bool on);
bool FIISTRANSPARENT(FIBITMAP_ dib);
FIBITMAP_ FICNV24(FIBITMAP_ dib);
int FIGETFILETYPE(const std::string& file);
FIBITMAP_ FILOAD(int format, const std::string& file, int flags = 0);
BITMAPINFOHEADER* FIGETINFOHEADER(FIBITMAP_ dib);
BITMAPINFO* FIGETINFO(FIBITMAP_ dib);
BYTE* FIGETBITS(FIBITMAP_ dib);
void FIUNLOAD(FIBITMAP_ dib);
FIMEMORY_ FI_OPENMEMORY(BYTE* data, DWORD size);
FIBITMAP_ FI_LOADFROMMEMORY(int format, FIMEMORY_ stream, int flags = 0);
void FI_CLOSEMEMORY(FIMEMORY_ stream);
int FI_GETFILETYPEFROMMEMORY(FIMEMORY_ stream);
bool FI_SAVETOMEMORY(int format, FIBITMAP_ dib, FIMEMORY_ stream, int flags = 0);

}  // namespace wl
