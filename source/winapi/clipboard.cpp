#include "clipboard.hpp"

#include <cstring>

namespace wl {

bool OPENCLIPBOARD(HWND hWnd) { return OpenClipboard(hWnd) != FALSE; }
bool CLOSECLIPBOARD() { return CloseClipboard() != FALSE; }
bool EMPTYCLIPBOARD() { return EmptyClipboard() != FALSE; }

bool SETCLIPBOARDDATA(UINT nFormat, const std::string& text) {
    if (nFormat != CF_TEXT) return false;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    if (!mem) return false;
    void* p = GlobalLock(mem);
    if (!p) {
        GlobalFree(mem);
        return false;
    }
    std::memcpy(p, text.c_str(), text.size() + 1);
    GlobalUnlock(mem);
    if (SetClipboardData(CF_TEXT, mem)) return true;
    GlobalFree(mem);  // still ours when Windows refused it
    return false;
}

bool SETCLIPBOARDDATA(UINT nFormat, HBITMAP bitmap) {
    if (nFormat != CF_BITMAP || !bitmap) return false;
    HANDLE copy = CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0);
    if (!copy) return false;
    if (SetClipboardData(CF_BITMAP, copy)) return true;
    DeleteObject(copy);
    return false;
}

namespace {
Value handleValue(HANDLE h) { return Value(static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(h))); }

std::string globalBytes(HANDLE mem, bool toZero) {
    if (!mem) return {};
    auto* p = static_cast<const char*>(GlobalLock(mem));
    if (!p) return {};
    SIZE_T size = GlobalSize(mem);
    std::string out = toZero ? std::string(p, strnlen(p, size)) : std::string(p, size);
    GlobalUnlock(mem);
    return out;
}
}  // namespace

Value GETCLPDATA(UINT nFormat) {
    switch (nFormat) {
        case CF_TEXT: return Value(globalBytes(GetClipboardData(CF_TEXT), true));
        case CF_BITMAP: {
            HANDLE bmp = GetClipboardData(CF_BITMAP);
            return handleValue(bmp ? CopyImage(bmp, IMAGE_BITMAP, 0, 0, 0) : nullptr);
        }
        case CF_UNICODETEXT: return Value(globalBytes(GetClipboardData(CF_UNICODETEXT), false));
        case CF_ENHMETAFILE: return handleValue(GetClipboardData(CF_ENHMETAFILE));
        default: return Value();
    }
}

}  // namespace wl
