#include "painting.hpp"

#include <algorithm>

#include "library_messages.hpp"
#include "meter_model.hpp"
#include "design_grid.hpp"

namespace wl {

namespace {

// Restores colours and font of a context when it goes.
class DcState {
public:
    DcState(HDC dc, HFONT font) : dc_(dc), fore_(GetTextColor(dc)), back_(GetBkColor(dc)) {
        if (font) old_ = SelectObject(dc, font);
    }
    ~DcState() {
        SetTextColor(dc_, fore_);
        SetBkColor(dc_, back_);
        if (old_) SelectObject(dc_, old_);
    }
    DcState(const DcState&) = delete;
    DcState& operator=(const DcState&) = delete;

private:
    HDC dc_;
    COLORREF fore_, back_;
    HGDIOBJ old_ = nullptr;
};

void clippedLabel(HDC dc, const RECT& r, int x, int y, const std::string& label, Color fore, Color back) {
    SetTextColor(dc, fore);
    SetBkColor(dc, back);
    ExtTextOutA(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &r, label.data(), static_cast<UINT>(label.size()), nullptr);
}

}  // namespace

void WNDBOXIN(HDC hDC, int nTop, int nLeft, int nBottom, int nRight) {
    RECT r{nLeft, nTop, nRight + 1, nBottom + 1};
    DrawEdge(hDC, &r, BDR_SUNKENOUTER, BF_RECT);
}

void WNDBOXRAISED(HDC hDC, int nTop, int nLeft, int nBottom, int nRight) {
    RECT r{nLeft, nTop, nRight + 1, nBottom + 1};
    DrawEdge(hDC, &r, BDR_RAISEDINNER, BF_RECT);
}

void WNDBOXPEN(HDC hDC, int nTop, int nLeft, int nBottom, int nRight, HPEN hPen) {
    if (!hDC || !hPen) return;
    const HGDIOBJ old = SelectObject(hDC, hPen);
    const POINT corners[] = {{nLeft, nTop}, {nRight, nTop}, {nRight, nBottom}, {nLeft, nBottom}, {nLeft, nTop}};
    Polyline(hDC, corners, 5);
    SelectObject(hDC, old);
}

void WNDBOX(HDC hDC, int nTop, int nLeft, int nBottom, int nRight) {
    WNDBOXPEN(hDC, nTop, nLeft, nBottom, nRight, static_cast<HPEN>(GetStockObject(BLACK_PEN)));
}

void WNDBOX2007(HDC hDC, int nTop, int nLeft, int nBottom, int nRight, Color nColor) {
    HPEN pen = CreatePen(PS_SOLID, 1, nColor & 0xFFFFFF);
    WNDBOXPEN(hDC, nTop, nLeft, nBottom, nRight, pen);
    DeleteObject(pen);
}

namespace {
// Frames the client area on the given context, or on the window's own.
void frameClient(HWND hWnd, HDC hDC, void (*frame)(HDC, int, int, int, int)) {
    if (!hWnd) return;
    RECT r{};
    GetClientRect(hWnd, &r);
    HDC dc = hDC ? hDC : GetDC(hWnd);
    frame(dc, r.top, r.left, r.bottom - 1, r.right - 1);
    if (!hDC) ReleaseDC(hWnd, dc);
}
}  // namespace

void WNDRAISED(HWND hWnd, HDC hDC) { frameClient(hWnd, hDC, &WNDBOXRAISED); }
void WNDINSET(HWND hWnd, HDC hDC) { frameClient(hWnd, hDC, &WNDBOXIN); }

int METERPAINT(HWND hWnd, HDC hDC, int nPercent, const std::string& cText, bool lPercentage, Color nClrPane,
               Color nClrText, Color nClrBar, Color nClrBarText, HFONT hFont) {
    const int percent = std::clamp(nPercent, 0, 100);
    RECT client{};
    GetClientRect(hWnd, &client);
    const int w = client.right, h = client.bottom;
    DcState state(hDC, hFont);
    const std::string label = meterLabel(cText, lPercentage, percent);
    SIZE size{};
    GetTextExtentPoint32A(hDC, label.data(), static_cast<int>(label.size()), &size);
    const int x = w / 2 - size.cx / 2, y = h / 2 - size.cy / 2;
    const RECT bar{1, 1, meterFillWidth(w - 1, percent), h - 1};
    clippedLabel(hDC, bar, x, y, label, nClrBarText, nClrBar);
    WNDBOXIN(hDC, 0, 0, h - 1, w - 1);
    if (percent < 100) {
        const RECT rest{bar.right + 1, 1, w - 1, h - 1};
        if (rest.left < rest.right) clippedLabel(hDC, rest, x, y, label, nClrText, nClrPane);
    }
    return 0;
}

void MSGPAINT(HWND hWnd, const std::string& cMsg, const std::string& cMsgDef, bool l3D, bool lCentered, int nRight,
              Color nClrText, Color nClrBack, HFONT hFont, bool lInset, HDC hDC) {
    RECT client{};
    GetClientRect(hWnd, &client);
    RECT r{client.left + 4, client.top + 4, nRight ? nRight - 11 : client.right - 4, client.bottom - 4};
    const std::string& text = cMsg.empty() ? cMsgDef : cMsg;
    {
        DcState state(hDC, hFont);
        SetTextColor(hDC, nClrText);
        SetBkColor(hDC, nClrBack);
        ExtTextOutA(hDC, r.left, r.top, ETO_OPAQUE | ETO_CLIPPED, &r, "", 0, nullptr);
        DrawTextA(hDC, text.c_str(), static_cast<int>(text.size()), &r, DT_NOPREFIX | (lCentered ? DT_CENTER : 0));
    }
    if (l3D) {
        WNDBOXRAISED(hDC, client.top, client.left, client.bottom - 1, client.right - 1);
        if (lInset) WNDBOXIN(hDC, client.top + 3, client.left + 3, client.bottom - 4, nRight ? nRight - 9 : client.right - 4);
    }
}

bool LBXMEASURE(MEASUREITEMSTRUCT* item, int nHeight) {
    if (item) item->itemHeight = static_cast<UINT>(nHeight);
    return true;
}

bool LBXMEASURE2(MEASUREITEMSTRUCT* item, int nHeight) { return LBXMEASURE(item, nHeight); }

LRESULT REFLECTDRAWITEM(const DRAWITEMSTRUCT* item) {
    if (!item || !item->hwndItem) return 0;
    return SendMessageA(item->hwndItem, LM_DRAWITEM, item->CtlID, reinterpret_cast<LPARAM>(item));
}

bool LBXDRAWITEM(const DRAWITEMSTRUCT* item, const std::vector<HBITMAP>& aBitmaps,
                 const std::vector<std::string>& aItems, int nTextOffset,
                 const std::function<int(int)>& bBitmapIndex) {
    if (!item) return true;
    HDC dc = item->hDC;
    RECT r = item->rcItem;
    if (static_cast<int>(item->itemID) == -1) {
        DrawFocusRect(dc, &r);
        return true;
    }
    const UINT action = item->itemAction;
    if (action & (ODA_DRAWENTIRE | ODA_SELECT)) {
        const bool focused = (item->itemState & ODS_FOCUS) != 0;
        if (focused) DrawFocusRect(dc, &r);
        const COLORREF fore = GetTextColor(dc), back = GetBkColor(dc);
        if (item->itemState & ODS_SELECTED) {
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        }
        const int n = static_cast<int>(item->itemID) + 1;
        // Items and bitmaps are looked up checked: none draws nothing.
        const std::string text = n >= 1 && n <= static_cast<int>(aItems.size()) ? aItems[static_cast<std::size_t>(n - 1)]
                                                                                  : std::string();
        SIZE size{};
        GetTextExtentPoint32A(dc, "X", 1, &size);
        const int y = r.top + (r.bottom - r.top) / 2 - size.cy / 2;
        ExtTextOutA(dc, r.left + 3 + nTextOffset, y, ETO_OPAQUE | ETO_CLIPPED, &r, text.data(),
                    static_cast<UINT>(text.size()), nullptr);
        const int b = bBitmapIndex ? bBitmapIndex(n) : n;
        if (b >= 1 && b <= static_cast<int>(aBitmaps.size()) && aBitmaps[static_cast<std::size_t>(b - 1)]) {
            HBITMAP bmp = aBitmaps[static_cast<std::size_t>(b - 1)];
            BITMAP bm{};
            GetObjectA(bmp, sizeof bm, &bm);
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, bmp);
            const COLORREF transparent = GetPixel(mem, 0, 0);
            TransparentBlt(dc, r.left, r.top, bm.bmWidth, bm.bmHeight, mem, 0, 0, bm.bmWidth, bm.bmHeight, transparent);
            SelectObject(mem, old);
            DeleteDC(mem);
        }
        SetTextColor(dc, fore);
        SetBkColor(dc, back);
        if (focused) DrawFocusRect(dc, &r);
    } else if (action & ODA_FOCUS) {
        char cls[64] = {};
        GetClassNameA(GetParent(item->hwndItem), cls, sizeof cls);
        if (item->CtlType == ODT_COMBOBOX || cls[5] != '0') DrawFocusRect(dc, &r);
    }
    return true;
}

namespace {

RECT toRECT(const RectList& r) { return RECT{r[kRectLeft], r[kRectTop], r[kRectRight], r[kRectBottom]}; }

// The control's window rectangle in its parent's client coordinates.
RectList rectOnParent(HWND hWnd) {
    RECT r{};
    GetWindowRect(hWnd, &r);
    MapWindowPoints(nullptr, GetParent(hWnd), reinterpret_cast<POINT*>(&r), 2);
    return RectList{r.top, r.left, r.bottom, r.right};
}

// The outline of r XORed onto dc with a pen of the style, width and colour.
void xorOutline(HDC dc, const RECT& r, int penStyle, int penWidth, COLORREF colour) {
    const int oldRop = SetROP2(dc, R2_XORPEN);
    HPEN pen = CreatePen(penStyle, penWidth, colour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    SetROP2(dc, oldRop);
}

}  // namespace

void CTRLDRAWFOCUS(HWND hWnd, int nDRow, int nDCol, int nRow, int nCol, int nHandle) {
    // Drawn on the parent in its client coordinates: the same place as the
    // control's frame, whatever captions lie above the parent.
    HWND parent = GetParent(hWnd);
    const RectList r = rectOnParent(hWnd);
    const bool resizing = nHandle != 0 && (nDRow != 0 || nDCol != 0);
    POINT p{nCol, nRow};
    MapWindowPoints(hWnd, parent, &p, 1);
    const RECT frame = toRECT(designFrame(r, resizing ? nHandle : 0, nDRow, nDCol, p.y, p.x));
    HDC dc = GetDC(parent);
    const int oldRop = SetROP2(dc, R2_XORPEN);
    HRGN region = CreateRectRgnIndirect(&frame);
    HBRUSH brush = CreateSolidBrush(RGB(127, 127, 127));
    FrameRgn(dc, region, brush, 2, 2);
    DeleteObject(brush);
    DeleteObject(region);
    SetROP2(dc, oldRop);
    ReleaseDC(parent, dc);
}

void DOTSADJUST(HWND hWnd, const std::array<HWND, 8>& aDots) {
    RECT r{};
    GetWindowRect(hWnd, &r);
    const auto places = dotPlaces(r.right - r.left, r.bottom - r.top);
    HWND parent = GetParent(hWnd);
    for (std::size_t i = 0; i < aDots.size(); ++i) {
        if (!aDots[i]) continue;
        POINT p{places[i].x, places[i].y};
        MapWindowPoints(hWnd, parent, &p, 1);
        SetWindowPos(aDots[i], nullptr, p.x, p.y, 5, 5, SWP_NOACTIVATE | SWP_NOZORDER);
        InvalidateRect(aDots[i], nullptr, TRUE);
    }
}

void XORCTRLFRAME(HWND hWnd) {
    HWND parent = GetParent(hWnd);
    const RECT r = toRECT(rectOnParent(hWnd));
    // A maximised MDI child shows no top edge to keep clear.
    const bool maximisedChild = GetParent(parent) && IsZoomed(parent);
    HDC dc = GetDC(parent);
    HRGN clip = CreateRectRgn(r.left + 1, maximisedChild ? r.top : r.top + 1, r.right - 1, r.bottom);
    SelectClipRgn(dc, clip);
    xorOutline(dc, r, PS_SOLID, 2, RGB(255, 255, 255));
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
    ReleaseDC(parent, dc);
}

void XORDOTRECT(HWND hWnd, int nTop, int nLeft, int nBottom, int nRight) {
    HDC dc = GetDC(hWnd);
    xorOutline(dc, RECT{nLeft, nTop, nRight, nBottom}, PS_DOT, 1, RGB(0, 0, 0));
    ReleaseDC(hWnd, dc);
}

namespace {

LRESULT CALLBACK transparentSayProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    auto old = reinterpret_cast<WNDPROC>(GetPropA(h, "__WLTRANS"));
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_UPDATEUISTATE: {
        LRESULT r = CallWindowProcA(old, h, msg, w, l);
        InvalidateRect(h, nullptr, FALSE);
        return r;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(h, &ps);
        SetBkMode(dc, TRANSPARENT);
        HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        if (auto f = reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0))) SelectObject(dc, f);
        HWND parent = GetParent(h);
        RECT wr{};
        GetWindowRect(h, &wr);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&wr), 2);
        SetBrushOrgEx(dc, -wr.left, -wr.top, nullptr);
        SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(h));
        SetBkMode(dc, TRANSPARENT);
        if (!IsWindowEnabled(h)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        RECT r{};
        GetClientRect(h, &r);
        FillRect(dc, &r, reinterpret_cast<HBRUSH>(GetPropA(h, "__WLBRUSH")));
        const LONG_PTR style = GetWindowLongPtrA(h, GWL_STYLE);
        if ((style & 7) == 7) {
            DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
        } else {
            UINT format = DT_WORDBREAK;
            if (style & 1)
                format = DT_CENTER | DT_WORDBREAK;
            else if (style & 2)
                format = DT_RIGHT | DT_WORDBREAK;
            else if (style & 0xC)
                format = 0;
            char text[1024] = {};
            GetWindowTextA(h, text, sizeof text);
            DrawTextA(dc, text, -1, &r, format);
        }
        SelectObject(dc, oldFont);
        EndPaint(h, &ps);
        return 0;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemovePropA(h, "__WLTRANS");
        RemovePropA(h, "__WLBRUSH");
        return CallWindowProcA(old, h, msg, w, l);
    default: return CallWindowProcA(old, h, msg, w, l);
    }
}

}  // namespace

void FIXSAYS(HWND hWnd, HBRUSH hBrush) {
    for (HWND c = GetWindow(hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(c, cls, sizeof cls);
        const LONG_PTR style = GetWindowLongPtrA(c, GWL_STYLE);
        if (lstrcmpiA(cls, "Static") != 0 || (style & 3) == 3 || (style & 0x10) || GetPropA(c, "__WLTRANS")) continue;
        SetPropA(c, "__WLBRUSH", hBrush);
        SetPropA(c, "__WLTRANS", reinterpret_cast<HANDLE>(SetWindowLongPtrA(
                                     c, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&transparentSayProc))));
    }
}

}  // namespace wl
