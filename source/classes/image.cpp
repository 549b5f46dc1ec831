#include "image.hpp"

#include <algorithm>

#include "bitmaps.hpp"
#include "file_names.hpp"
#include "messages.hpp"
#include "text.hpp"
#include "process_state.hpp"

namespace wl {
namespace {

struct FreeImageModule {
    HMODULE handle = nullptr;
    bool tried = false;
    DWORD error = 0;
    std::string file;
};

FreeImageModule& fi() {
    return processState().images.get<FreeImageModule>();
}

// The library frees itself at program exit.
struct FreeImageExit {
    ~FreeImageExit() { UNLOADFREEIMAGE(); }
} freeImageExit;

// An entry point by its plain name (64-bit) or its decorated stdcall name
// (32-bit: "_FreeImage_Load@12").
template <class Fn>
Fn entry(const char* name, int argBytes) {
    FreeImageModule& m = fi();
    if (!m.handle) {
        MSGALERT(Value("Error code: " + std::to_string(m.error) + " loading " +
                       (m.file.empty() ? std::string(TImage::cResFile()) : m.file)));
        return nullptr;
    }
#ifdef _WIN64
    (void)argBytes;
    const std::string symbol = name;
#else
    std::string symbol = "_";
    symbol += name;
    symbol += '@';
    symbol += std::to_string(argBytes);
#endif
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m.handle, symbol.c_str())));
}

constexpr int P = static_cast<int>(sizeof(void*));  // bytes of a pointer argument

HBITMAP screenBitmap(FIBITMAP_ dib) {
    if (!dib) return nullptr;
    HDC dc = ::GetDC(nullptr);
    HBITMAP bmp = CreateDIBitmap(dc, FIGETINFOHEADER(dib), CBM_INIT, FIGETBITS(dib), FIGETINFO(dib), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, dc);
    return bmp;
}

bool isBmpName(const std::string& file) {
    const auto dot = file.find_last_of('.');
    return dot != std::string::npos && upper(file.substr(dot + 1)).rfind("BMP", 0) == 0;
}

}  // namespace

const char* TImage::cResFile() {
#ifdef _WIN64
    return "freeimage64.dll";
#else
    return "freeimage.dll";
#endif
}

HMODULE LOADFREEIMAGE(const std::string& cDll) {
    FreeImageModule& m = fi();
    if (m.handle || m.tried) return m.handle;
    m.tried = true;
    m.file = cDll.empty() ? TImage::cResFile() : cDll;
    m.handle = LoadLibraryA(m.file.c_str());
    if (!m.handle) {
        m.error = GetLastError();
        MSGALERT(Value(std::string("Cannot load ") + "FreeImage.dll"));
    }
    return m.handle;
}

void UNLOADFREEIMAGE() {
    FreeImageModule& m = fi();
    if (m.handle) FreeLibrary(m.handle);
    m.handle = nullptr;
}

bool FISAVE(int format, FIBITMAP_ dib, const std::string& file, int flags) {
    auto f = entry<BOOL(WINAPI*)(int, FIBITMAP_, const char*, int)>("FreeImage_Save", 8 + 2 * P);
    return f && f(format, dib, file.c_str(), flags);
}
unsigned FIGETWIDTH(FIBITMAP_ dib) {
    auto f = entry<unsigned(WINAPI*)(FIBITMAP_)>("FreeImage_GetWidth", P);
    return f ? f(dib) : 0;
}
FIBITMAP_ FICONVTO32(FIBITMAP_ dib) {
    auto f = entry<FIBITMAP_(WINAPI*)(FIBITMAP_)>("FreeImage_ConvertTo32Bits", P);
    return f ? f(dib) : nullptr;
}
void FISETTRANSPARENT(FIBITMAP_ dib, bool on) {
    if (auto f = entry<void(WINAPI*)(FIBITMAP_, BOOL)>("FreeImage_SetTransparent", P + 4)) f(dib, on);
}
bool FIISTRANSPARENT(FIBITMAP_ dib) {
    auto f = entry<BOOL(WINAPI*)(FIBITMAP_)>("FreeImage_IsTransparent", P);
    return f && f(dib);
}
FIBITMAP_ FICNV24(FIBITMAP_ dib) {
    auto f = entry<FIBITMAP_(WINAPI*)(FIBITMAP_)>("FreeImage_ConvertTo24Bits", P);
    return f ? f(dib) : nullptr;
}
int FIGETFILETYPE(const std::string& file) {
    auto f = entry<int(WINAPI*)(const char*, int)>("FreeImage_GetFileType", P + 4);
    return f ? f(file.c_str(), 0) : -1;
}
FIBITMAP_ FILOAD(int format, const std::string& file, int flags) {
    auto f = entry<FIBITMAP_(WINAPI*)(int, const char*, int)>("FreeImage_Load", 8 + P);
    return f ? f(format, file.c_str(), flags) : nullptr;
}
BITMAPINFOHEADER* FIGETINFOHEADER(FIBITMAP_ dib) {
    auto f = entry<BITMAPINFOHEADER*(WINAPI*)(FIBITMAP_)>("FreeImage_GetInfoHeader", P);
    return f ? f(dib) : nullptr;
}
BITMAPINFO* FIGETINFO(FIBITMAP_ dib) {
    auto f = entry<BITMAPINFO*(WINAPI*)(FIBITMAP_)>("FreeImage_GetInfo", P);
    return f ? f(dib) : nullptr;
}
BYTE* FIGETBITS(FIBITMAP_ dib) {
    auto f = entry<BYTE*(WINAPI*)(FIBITMAP_)>("FreeImage_GetBits", P);
    return f ? f(dib) : nullptr;
}
void FIUNLOAD(FIBITMAP_ dib) {
    if (auto f = entry<void(WINAPI*)(FIBITMAP_)>("FreeImage_Unload", P)) f(dib);
}
FIMEMORY_ FI_OPENMEMORY(BYTE* data, DWORD size) {
    auto f = entry<FIMEMORY_(WINAPI*)(BYTE*, DWORD)>("FreeImage_OpenMemory", P + 4);
    return f ? f(data, size) : nullptr;
}
FIBITMAP_ FI_LOADFROMMEMORY(int format, FIMEMORY_ stream, int flags) {
    auto f = entry<FIBITMAP_(WINAPI*)(int, FIMEMORY_, int)>("FreeImage_LoadFromMemory", 8 + P);
    return f ? f(format, stream, flags) : nullptr;
}
void FI_CLOSEMEMORY(FIMEMORY_ stream) {
    if (auto f = entry<void(WINAPI*)(FIMEMORY_)>("FreeImage_CloseMemory", P)) f(stream);
}
int FI_GETFILETYPEFROMMEMORY(FIMEMORY_ stream) {
    auto f = entry<int(WINAPI*)(FIMEMORY_, int)>("FreeImage_GetFileTypeFromMemory", P + 4);
    return f ? f(stream, 0) : -1;
}
bool FI_SAVETOMEMORY(int format, FIBITMAP_ dib, FIMEMORY_ stream, int flags) {
    auto f = entry<BOOL(WINAPI*)(int, FIBITMAP_, FIMEMORY_, int)>("FreeImage_SaveToMemory", 8 + 2 * P);
    return f && f(format, dib, stream, flags);
}

HBITMAP FILOADIMG(const std::string& file, int& format) {
    if (isBmpName(file)) {
        HDC dc = ::GetDC(nullptr);
        HBITMAP bmp = READBITMAP(dc, file);
        ::ReleaseDC(nullptr, dc);
        format = 0;  // FreeImage's number for BMP
        return bmp;
    }
    if (!LOADFREEIMAGE()) return nullptr;
    format = FIGETFILETYPE(file);
    if (format < 0) return nullptr;
    FIBITMAP_ dib = FILOAD(format, file);
    HBITMAP bmp = screenBitmap(dib);
    if (dib) FIUNLOAD(dib);
    return bmp;
}

HBITMAP FILOADFROMMEMORY(std::string_view bytes, int& format) {
    if (bytes.empty() || !LOADFREEIMAGE()) return nullptr;
    std::string copy(bytes);
    FIMEMORY_ stream = FI_OPENMEMORY(reinterpret_cast<BYTE*>(copy.data()), static_cast<DWORD>(copy.size()));
    if (!stream) return nullptr;
    format = FI_GETFILETYPEFROMMEMORY(stream);
    HBITMAP bmp = nullptr;
    if (format >= 0) {
        FIBITMAP_ dib = FI_LOADFROMMEMORY(format, stream);
        bmp = screenBitmap(dib);
        if (dib) FIUNLOAD(dib);
    }
    FI_CLOSEMEMORY(stream);
    return bmp;
}

bool FICONVERTIMAGEFILE(const std::string& from, const std::string& to, int format, int flags) {
    if (!LOADFREEIMAGE()) return false;
    const int type = FIGETFILETYPE(from);
    if (type < 0) return false;
    FIBITMAP_ dib = FILOAD(type, from);
    if (!dib) return false;
    FIBITMAP_ rgb = FICNV24(dib);
    const bool saved = rgb && FISAVE(format, rgb, to, flags);
    if (rgb) FIUNLOAD(rgb);
    FIUNLOAD(dib);
    return saved;
}

// ------------------------------------------------------------------ TImage

TImage& TImage::New(const BitmapNew& a, const std::string& varName) {
    TBitmap::New(a);
    cVarName = varName.empty() ? "oImg" + std::to_string(oWnd ? oWnd->aControls.size() : 0) : varName;
    return *this;
}

TImage& TImage::Define(const std::string& resName, const std::string& file, TWindow* wnd) {
    TBitmap::Define(resName, file, wnd);
    return *this;
}

HBITMAP TImage::readFile(const std::string& file, HPALETTE& palette) {
    palette = nullptr;
    int format = -1;
    HBITMAP bmp = FILOADIMG(file, format);
    if (bmp) nFormat = format;
    return bmp;
}

bool TImage::SaveImage(const std::string& file, int format, int flags) {
    if (!hBitmap || !LOADFREEIMAGE()) return false;
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string temp = CTEMPFILE(folder, "bmp");
    HGLOBAL dib = DIBFROMBITMAP(hBitmap, hPalette);
    bool ok = dib && DIBWRITE(temp, dib);
    if (dib) GlobalFree(dib);
    ok = ok && FICONVERTIMAGEFILE(temp, file, format, flags);
    DeleteFileA(temp.c_str());
    return ok;
}

bool TImage::LoadFromMemory(std::string_view bytes, int maxWidth, int maxHeight) {
    int format = -1;
    HBITMAP bmp = FILOADFROMMEMORY(bytes, format);
    if (!bmp) return false;
    nFormat = format;
    BITMAP bm{};
    GetObjectA(bmp, sizeof bm, &bm);
    double scale = 1.0;
    if (maxWidth > 0 && bm.bmWidth > maxWidth) scale = std::min(scale, double(maxWidth) / bm.bmWidth);
    if (maxHeight > 0 && bm.bmHeight > maxHeight) scale = std::min(scale, double(maxHeight) / bm.bmHeight);
    if (scale < 1.0) {
        HBITMAP smaller = RESIZEBMP(bmp, std::max(1, int(bm.bmWidth * scale)), std::max(1, int(bm.bmHeight * scale)), true);
        if (smaller) {
            DeleteObject(bmp);
            bmp = smaller;
        }
    }
    setPicture(bmp);
    if (hWnd) InvalidateRect(hWnd, nullptr, TRUE);
    return true;
}

}  // namespace wl
