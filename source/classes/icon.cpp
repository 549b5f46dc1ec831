#include "icon.hpp"

#include <shellapi.h>

namespace wl {
namespace {

HICON firstIconOf(const std::string& file) {
    if (file.empty() || GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
    HICON icon = ExtractIconA(GetModuleHandleA(nullptr), file.c_str(), 0);
    // 1 means "not a file with icons".
    return reinterpret_cast<UINT_PTR>(icon) > 1 ? icon : nullptr;
}

HICON resourceIcon(const std::string& name) {
    if (name.empty()) return nullptr;
    // Resource icons are shared; a copy is the object's own to destroy.
    HICON shared = LoadIconA(GetModuleHandleA(nullptr), name.c_str());
    return shared ? CopyIcon(shared) : nullptr;
}

}  // namespace

TIcon& TIcon::New(const IconNew& a) {
    oWnd = a.oWnd;
    nTop = static_cast<int>(a.nRow * rowPixels());
    nLeft = static_cast<int>(a.nCol * colPixels());
    nBottom = nTop + 32;
    nRight = nLeft + 32;
    nStyle = WS_CHILD | WS_VISIBLE | (a.lBorder ? WS_BORDER : 0);
    bLClicked = a.bClick;
    lUpdate = a.lUpdate;
    bWhen = a.bWhen;
    TWindow* colours = oWnd ? oWnd : GETWNDDEFAULT();
    if (colours) {
        nClrText = colours->nClrText;
        nClrPane = colours->nClrPane;
    }
    if (a.nClrFore) nClrText = *a.nClrFore;
    if (a.nClrBack) nClrPane = *a.nClrBack;
    cIcoFile = a.cIcoFile;
    cResName = a.cResName;
    take(cIcoFile.empty() ? resourceIcon(cResName) : firstIconOf(cIcoFile));
    if (oWnd) {
        Register(CS_VREDRAW | CS_HREDRAW);
        nId = GetNewId();
        createOrDefer();
    }
    return *this;
}

TIcon& TIcon::ReDefine(int id, const std::string& resName, const std::string& file, TWindow* parent) {
    cResName = resName;
    cIcoFile = file;
    take(cIcoFile.empty() ? resourceIcon(cResName) : firstIconOf(cIcoFile));
    Register(CS_VREDRAW | CS_HREDRAW);
    redefine(id, parent);
    return *this;
}

TIcon::~TIcon() { take(nullptr); }

void TIcon::take(HICON icon) {
    if (hIcon && hIcon != icon) DestroyIcon(hIcon);
    hIcon = icon;
}

Answer TIcon::Paint() {
    if (hIcon && hDC) DrawIcon(hDC, 0, 0, hIcon);
    return 0;
}

void TIcon::SetName(const std::string& resName) {
    cResName = resName;
    take(resourceIcon(resName));
    if (hWnd) InvalidateRect(hWnd, nullptr, TRUE);
}

void TIcon::SetFile(const std::string& file) {
    HICON icon = firstIconOf(file);
    if (!icon) return;
    cIcoFile = file;
    take(icon);
    if (hWnd) InvalidateRect(hWnd, nullptr, TRUE);
}

Answer TIcon::Destroy() {
    take(nullptr);
    return TControl::Destroy();
}

}  // namespace wl
