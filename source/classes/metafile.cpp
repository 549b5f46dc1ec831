#include "metafile.hpp"

#include <filesystem>

#include "message_windows.hpp"
#include "metafiles.hpp"
#include "preview_model.hpp"

namespace wl {

namespace {

constexpr char kClass[] = "TMetaFile";

void registerClass() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kClass;
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
}

bool fileExists(const std::string& file) {
    std::error_code ec;
    return !file.empty() && std::filesystem::is_regular_file(file, ec);
}

}  // namespace

TMetaFile::TMetaFile(HWND parent, int nTop, int nLeft, int width, int height, const std::string& cFile, Color fore,
                     Color back, int nMetaWidth, int nMetaHeight)
    : nWidth(nMetaWidth), nHeight(nMetaHeight), cCaption(cFile), nClrFore(fore), nClrBack(back) {
    registerClass();
    hWnd = CreateWindowExA(0, kClass, cFile.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER, nLeft, nTop, width, height,
                           parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    attach();
}

void TMetaFile::RegisterWindowClass() { registerClass(); }

std::unique_ptr<TMetaFile> TMetaFile::Redefine(int nId, const std::string& cFile, HWND hDlg, Color nClrFore,
                                               Color nClrBack) {
    HWND control = hDlg ? GetDlgItem(hDlg, nId) : nullptr;
    if (!control) return nullptr;
    std::unique_ptr<TMetaFile> view(new TMetaFile());
    view->hWnd = control;
    view->ownsWindow_ = false;
    view->cCaption = cFile;
    view->nClrFore = nClrFore;
    view->nClrBack = nClrBack;
    SetWindowTextA(control, cFile.c_str());
    view->attach();
    return view;
}

void TMetaFile::attach() {
    if (!hWnd) return;
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TMetaFile::proc));
}

TMetaFile::~TMetaFile() {
    if (hMeta) DeleteEnhMetaFile(hMeta);
    if (hWnd) {
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
        if (ownsWindow_) {
            DestroyWindow(hWnd);
        } else if (IsWindow(hWnd)) {
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
        }
    }
}

LRESULT CALLBACK TMetaFile::proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<TMetaFile*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    if (!self) return DefWindowProcA(h, msg, w, l);
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            self->Paint(dc);
            EndPaint(h, &ps);
            return 0;
        }
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(h, &r);
            HBRUSH brush = CreateSolidBrush(self->nClrBack);
            ::FillRect(reinterpret_cast<HDC>(w), &r, brush);
            DeleteObject(brush);
            return 1;
        }
        case WM_LBUTTONDBLCLK:
            if (self->bLDblClick) self->bLDblClick(HIWORD(l), LOWORD(l), w);
            return 0;
        case WM_KEYDOWN:
            if (self->bKeyDown) self->bKeyDown(w, l);
            return 0;
        case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
        case WM_MOUSEWHEEL:
            if (self->bMouseWheel)
                self->bMouseWheel(GET_KEYSTATE_WPARAM(w), GET_WHEEL_DELTA_WPARAM(w), LOWORD(l), HIWORD(l));
            return 0;
        case WM_LBUTTONDOWN: SetFocus(h); return 0;
        default: return DefWindowProcA(h, msg, w, l);
    }
}

void TMetaFile::Paint(HDC dc) {
    if (!hMeta) {
        if (cCaption.empty()) return;
        if (fileExists(cCaption)) {
            hMeta = GETENHMETAFILE(cCaption);
        } else if (!alerted_) {
            // Once per file: an alert at every paint would come back as
            // soon as it closed.
            alerted_ = true;
            ALERT("Could not find the Metafile,\r\nplease check your TEMP environment variable");
        }
        if (!hMeta) return;
    }
    Shadow();
    RECT r;
    GetClientRect(hWnd, &r);
    const int w = r.right, h = r.bottom;
    if (!nVRatio && w > 0) nVRatio = static_cast<double>(h) / w;
    const MetaViewport v = metaViewport(w, h, nXZoom, nYZoom, nVRatio.value_or(1), nXorig, nYorig);
    const int saved = SaveDC(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 100, 100, nullptr);
    SetViewportExtEx(dc, v.extX, v.extY, nullptr);
    SetViewportOrgEx(dc, v.orgX, v.orgY, nullptr);
    PLAYENHMETAFILE(dc, hMeta, hWnd, false);
    RestoreDC(dc, saved);
}

void TMetaFile::SetCoors(int top, int left, int width, int height) {
    if (!nVRatio && width > 0) nVRatio = static_cast<double>(height) / width;
    MoveWindow(hWnd, left, top, width, height, TRUE);
}

void TMetaFile::SetFile(const std::string& cFile) {
    cCaption = fileExists(cFile) ? cFile : std::string();
    alerted_ = false;
    SetWindowTextA(hWnd, cCaption.c_str());
    if (hMeta) DELETEENHMETAFILE(hMeta, cCaption);
    hMeta = nullptr;
}

void TMetaFile::Shadow() {
    if (!lShadow || !hWnd) return;
    HWND parent = GetParent(hWnd);
    RECT r;
    GetWindowRect(hWnd, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    HDC dc = GetDC(parent);
    HGDIOBJ old = SelectObject(dc, oPen.hPen);
    MoveToEx(dc, r.left + 5, r.bottom, nullptr);
    LineTo(dc, r.right, r.bottom);
    MoveToEx(dc, r.right, r.top + 5, nullptr);
    LineTo(dc, r.right, r.bottom);
    SelectObject(dc, old);
    ReleaseDC(parent, dc);
}

void TMetaFile::ZoomIn() {
    if (lZoom) return;
    nWidth /= nXZoom;
    nHeight /= nYZoom;
    lZoom = true;
    Refresh();
}

void TMetaFile::ZoomOut() {
    if (!lZoom) return;
    nWidth *= nXZoom;
    nHeight *= nYZoom;
    lZoom = false;
    nXorig = nYorig = 0;
    nXZoom = 1;
    nYZoom = 2;
    Refresh();
}

void TMetaFile::SetZoomFactor(int nX, int nY) {
    if (!lZoom) {
        nXZoom = nX;
        nYZoom = nY;
        return;
    }
    nWidth = nWidth * nXZoom / nX;
    nHeight = nHeight * nYZoom / nY;
    nXZoom = nX;
    nYZoom = nY;
    Refresh();
}

void TMetaFile::SetOrg(std::optional<double> nX, std::optional<double> nY) {
    if (nX) nXorig = *nX;
    if (nY) nYorig = *nY;
}

void TMetaFile::Refresh() {
    if (hWnd) InvalidateRect(hWnd, nullptr, TRUE);
}

void TMetaFile::Show(bool visible) {
    if (hWnd) ShowWindow(hWnd, visible ? SW_SHOW : SW_HIDE);
}

}  // namespace wl
