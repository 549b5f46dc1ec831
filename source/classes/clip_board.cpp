#include "clip_board.hpp"

#include "clipboard.hpp"
#include "message_loop.hpp"
#include "window.hpp"

namespace wl {
namespace {
// A handle carried as a whole number.
template <class H>
H handleOf(const Value& v) {
    const std::int64_t n = v.isWhole() ? std::get<std::int64_t>(v.storage()) : 0;
    return reinterpret_cast<H>(static_cast<std::intptr_t>(n));
}
}  // namespace

TClipBoard::TClipBoard(int format, TWindow* wnd) : nFormat(format), oWnd(wnd) {
    if (!oWnd) oWnd = WNDMAIN();
    if (!oWnd) oWnd = GETWNDDEFAULT();
}

HWND TClipBoard::owner() const { return oWnd ? oWnd->hWnd : nullptr; }

bool TClipBoard::Open() {
    if (!open_) open_ = OPENCLIPBOARD(owner());
    return open_;
}

bool TClipBoard::Empty() { return open_ && EMPTYCLIPBOARD(); }

bool TClipBoard::Close() {
    if (!open_) return false;
    open_ = false;
    return CLOSECLIPBOARD();
}

void TClipBoard::Clear() {
    if (Open()) {
        Empty();
        Close();
    }
}

void TClipBoard::End() { Close(); }

bool TClipBoard::SetText(const std::string& text) {
    if (!Open()) return false;
    Empty();
    const bool set = SETCLIPBOARDDATA(CF_TEXT, text);
    return Close() && set;
}

bool TClipBoard::SetBitmap(HBITMAP bitmap) {
    if (!Open()) return false;
    Empty();
    const bool set = SETCLIPBOARDDATA(CF_BITMAP, bitmap);
    return Close() && set;
}

bool TClipBoard::SetMetaFile(HENHMETAFILE metafile) {
    if (!metafile || !Open()) return false;
    Empty();
    // The clipboard owns what it is given: it gets a copy.
    HENHMETAFILE copy = CopyEnhMetaFileA(metafile, nullptr);
    bool set = copy && SetClipboardData(CF_ENHMETAFILE, copy);
    if (copy && !set) DeleteEnhMetaFile(copy);
    return Close() && set;
}

std::string TClipBoard::GetText() {
    if (!Open()) return "";
    Value v = GETCLPDATA(CF_TEXT);
    Close();
    return v.isText() ? v.text() : std::string();
}

HBITMAP TClipBoard::GetBitmap() {
    if (!Open()) return nullptr;
    Value v = GETCLPDATA(CF_BITMAP);
    Close();
    return handleOf<HBITMAP>(v);
}

HENHMETAFILE TClipBoard::GetMetaFile() {
    if (!Open()) return nullptr;
    auto h = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    HENHMETAFILE copy = h ? CopyEnhMetaFileA(h, nullptr) : nullptr;
    Close();
    return copy;
}

bool TClipBoard::SetData(const Value& x) {
    switch (nFormat) {
    case CF_TEXT: return SetText(x.isText() ? x.text() : std::string());
    case CF_BITMAP: return SetBitmap(handleOf<HBITMAP>(x));
    case CF_ENHMETAFILE: return SetMetaFile(handleOf<HENHMETAFILE>(x));
    default: return false;
    }
}

Value TClipBoard::GetData() {
    switch (nFormat) {
    case CF_TEXT: return Value(GetText());
    case CF_BITMAP: return Value(static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(GetBitmap())));
    case CF_ENHMETAFILE: return Value(static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(GetMetaFile())));
    default: return Value();
    }
}

bool TClipBoard::IsEmpty() {
    if (nFormat != CF_TEXT && nFormat != CF_BITMAP && nFormat != CF_ENHMETAFILE) return true;
    if (!Open()) return true;
    const bool none = !IsClipboardFormatAvailable(static_cast<UINT>(nFormat));
    Close();
    return none;
}

}  // namespace wl
