#include "bar_painting.hpp"

#include "button_bar_model.hpp"
#include "gradient_fill.hpp"
#include "bitmaps.hpp"
#include "drawing.hpp"
#include "painting.hpp"
#include "visual_styles.hpp"

namespace wl {
namespace {

// A context for the window when none is given, released when it goes.
class OwnDc {
public:
    OwnDc(HWND h, HDC given) : hWnd_(h), dc_(given) {
        if (!dc_) {
            dc_ = GetDC(h);
            own_ = true;
        }
    }
    ~OwnDc() {
        if (own_) ReleaseDC(hWnd_, dc_);
    }
    OwnDc(const OwnDc&) = delete;
    OwnDc& operator=(const OwnDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hWnd_;
    HDC dc_;
    bool own_ = false;
};

// A 3-D frame of two pens: top-left from (left, bottom) up and right,
// bottom-right from (left, bottom) right and up to the row above the top.
void penFrame(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    HPEN tl = CreatePen(PS_SOLID, 1, topLeft), br = CreatePen(PS_SOLID, 1, bottomRight);
    HGDIOBJ old = SelectObject(dc, tl);
    MoveToEx(dc, r.left, r.bottom, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right, r.top);
    SelectObject(dc, br);
    MoveToEx(dc, r.left, r.bottom, nullptr);
    LineTo(dc, r.right, r.bottom);
    LineTo(dc, r.right, r.top - 1);
    SelectObject(dc, old);
    DeleteObject(tl);
    DeleteObject(br);
}

void raised(HDC dc, const RECT& r, bool onShadow) {
    if (onShadow)
        penFrame(dc, r, GetSysColor(COLOR_BTNHIGHLIGHT), RGB(0, 0, 0));
    else
        WNDBOXRAISED(dc, r.top, r.left, r.bottom, r.right);
}
void sunken(HDC dc, const RECT& r, bool onShadow) {
    if (onShadow)
        penFrame(dc, r, RGB(0, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    else
        WNDBOXIN(dc, r.top, r.left, r.bottom, r.right);
}

bool parentMaximised(HWND h) {
    HWND p = GetParent(h);
    return p && IsZoomed(p);
}

SIZE bitmapSize(HBITMAP b) {
    BITMAP info{};
    if (b) GetObjectA(b, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

}  // namespace

void BARPAINT(HWND hWnd, HDC hDC) {
    OwnDc dc(hWnd, hDC);
    RECT r{};
    GetClientRect(hWnd, &r);
    HWND parent = GetParent(hWnd);
    const bool inMaximisedChild = parent && GetParent(parent) && IsZoomed(parent);
    if (!inMaximisedChild) {
        solidLine(dc.get(), r.left, r.top, r.right, r.top, GetSysColor(COLOR_BTNSHADOW));
        ++r.top;
    }
    --r.right;
    --r.bottom;
    WNDBOXRAISED(dc.get(), r.top, r.left, r.bottom, r.right);
    const bool horizontal = r.bottom - r.top < r.right - r.left;
    if (DRAWBARGRIPPERTHEMED(hWnd, dc.get(), horizontal)) return;
    if (horizontal) {
        WNDBOXRAISED(dc.get(), r.top + 2, r.left + 4, r.bottom - 2, r.left + 6);
        WNDBOXRAISED(dc.get(), r.top + 2, r.left + 7, r.bottom - 2, r.left + 9);
    } else {
        WNDBOXRAISED(dc.get(), r.top + 2, r.left + 2, r.top + 4, r.right - 2);
        WNDBOXRAISED(dc.get(), r.top + 5, r.left + 2, r.top + 7, r.right - 2);
    }
}

void BARADJUST(HWND hWnd, int nMode, bool lMsgBar, int nMsgBarHeight) {
    HWND parent = GetParent(hWnd);
    if (!parent) return;
    RECT pc{}, bc{};
    GetClientRect(parent, &pc);
    GetClientRect(hWnd, &bc);
    const auto place = barAdjustPlace(nMode, pc.right, pc.bottom, bc.right, bc.bottom, lMsgBar, nMsgBarHeight);
    if (place) SetWindowPos(hWnd, nullptr, place->x, place->y, place->width, place->height, SWP_NOZORDER);
}

void PALBTNPAINT(HWND hWnd, PalBtnBitmap normal, PalBtnBitmap pressed, PalBtnBitmap disabled, bool lPressed,
                 bool lAdjust, bool lBorder, bool lPopup, Color nClrPane, const std::optional<std::string>& cCaption,
                 int nLayout, HFONT hFont, Color nClrText, HDC hDC) {
    OwnDc own(hWnd, hDC);
    HDC dc = own.get();
    RECT client{};
    GetClientRect(hWnd, &client);
    const int W = client.right, H = client.bottom;
    HGDIOBJ oldFont = (cCaption && hFont) ? SelectObject(dc, hFont) : nullptr;
    std::optional<std::pair<int, int>> captionSize;
    if (cCaption) {
        SIZE s{};
        GetTextExtentPoint32A(dc, cCaption->data(), static_cast<int>(cCaption->size()), &s);
        captionSize = std::pair<int, int>{s.cx, s.cy};
    }
    const ButtonFace face = buttonFace(nLayout, W, H, captionSize);
    const bool onShadow = nClrPane == GetSysColor(COLOR_BTNSHADOW);
    const RECT frame{0, 0, W - 1, H - 1};
    auto draw = [&](PalBtnBitmap b, int shift, int corner, bool stretchable) {
        if (!b.bitmap) return;
        if (lAdjust && stretchable) {
            PALBMPDRAW(dc, corner, corner, b.bitmap, b.palette, W, H, 0, true, nClrPane);
            return;
        }
        const SIZE s = bitmapSize(b.bitmap);
        const auto [x, y] = buttonBitmapOrigin(face, W, client.top, lPopup, s.cx, s.cy);
        PALBMPDRAW(dc, y + shift, x + shift, b.bitmap, b.palette, lAdjust ? W : 0, lAdjust ? H : 0, 0, true,
                   nClrPane);
    };
    const bool enabled = IsWindowEnabled(hWnd) != 0;
    if (!enabled && disabled.bitmap) {
        draw(disabled, 0, 1, true);
        if (lBorder) raised(dc, frame, onShadow);
    } else if (pressed.bitmap && lPressed) {
        draw(pressed, 1, 2, true);
        sunken(dc, frame, onShadow);
    } else if (pressed.bitmap) {
        draw(normal, 0, 1, true);
        if (lBorder) raised(dc, frame, onShadow);
    } else if (lPressed) {
        draw(normal, 1, 1, false);
        sunken(dc, frame, onShadow);
    } else {
        draw(normal, 0, 0, false);
        if (lBorder) raised(dc, frame, onShadow);
    }
    if (cCaption) {
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColor = GetTextColor(dc);
        const int q = lPressed ? 1 : 0;
        if (enabled) {
            SetTextColor(dc, nClrText);
        } else {
            const int p = lPressed ? 2 : 1;
            SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            TextOutA(dc, face.tx + p, face.ty + p, cCaption->data(), static_cast<int>(cCaption->size()));
            SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        }
        if (cCaption->find("\r\n") != std::string::npos) {
            RECT r{client.left + q, H / 2 + q - 15, client.right + q, client.bottom + q};
            DrawTextA(dc, cCaption->data(), static_cast<int>(cCaption->size()), &r, DT_WORDBREAK | DT_CENTER);
        } else {
            TextOutA(dc, face.tx + q, face.ty + q, cCaption->data(), static_cast<int>(cCaption->size()));
        }
        SetTextColor(dc, oldColor);
        SetBkMode(dc, oldMode == 0 ? OPAQUE : oldMode);
    }
    if (oldFont) SelectObject(dc, oldFont);
}

void BTNDISABLE(HWND hWnd, HDC hDC) {
    OwnDc own(hWnd, hDC);
    HDC dc = own.get();
    RECT r{};
    GetClientRect(hWnd, &r);
    const int x = 1, y = 1, w = r.right - 2, h = r.bottom - 2;
    if (w <= 0 || h <= 0) return;
    // A copy of the face, then a mask that is white where the face shows
    // neither the button face nor the highlight colour.
    HDC copy = CreateCompatibleDC(dc);
    HBITMAP copyBmp = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ oldCopy = SelectObject(copy, copyBmp);
    BitBlt(copy, 0, 0, w, h, dc, x, y, SRCCOPY);
    HDC mask = CreateCompatibleDC(dc);
    HBITMAP maskBmp = CreateBitmap(w, h, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(mask, maskBmp);
    SetBkColor(copy, GetSysColor(COLOR_BTNFACE));
    BitBlt(mask, 0, 0, w, h, copy, 0, 0, SRCCOPY);  // face pixels white
    SetBkColor(copy, GetSysColor(COLOR_BTNHIGHLIGHT));
    BitBlt(mask, 0, 0, w, h, copy, 0, 0, SRCPAINT);  // and highlight pixels
    // Ink (black in the mask) takes the brush; everything else keeps its colour.
    constexpr DWORD kInkToBrush = 0x00B8074A;
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    HBRUSH light = CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT));
    HBRUSH shadow = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldBrush = SelectObject(dc, light);
    BitBlt(dc, x + 1, y + 1, w, h, mask, 0, 0, kInkToBrush);
    SelectObject(dc, shadow);
    BitBlt(dc, x, y, w, h, mask, 0, 0, kInkToBrush);
    SelectObject(dc, oldBrush);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
    DeleteObject(light);
    DeleteObject(shadow);
    SelectObject(mask, oldMask);
    DeleteObject(maskBmp);
    DeleteDC(mask);
    SelectObject(copy, oldCopy);
    DeleteObject(copyBmp);
    DeleteDC(copy);
}

void MSGPAINT3L(HWND hWnd, bool lBitmapBack, HDC hDC) {
    if (parentMaximised(hWnd)) return;
    OwnDc own(hWnd, hDC);
    HDC dc = own.get();
    if (DRAWSTATUSGRIPPERTHEMED(hWnd, dc)) return;
    RECT c{};
    GetClientRect(hWnd, &c);
    const int x0 = c.right - 2, y0 = c.bottom - 1;
    RECT grip{x0 - 11, c.top, c.right, c.bottom};
    HBRUSH brush = nullptr;
    HBITMAP image = nullptr;
    if (lBitmapBack) {
        // A pattern of the bar's own picture keeps a painted background.
        HDC mem = CreateCompatibleDC(dc);
        image = CreateCompatibleBitmap(dc, c.right, c.bottom);
        HGDIOBJ old = SelectObject(mem, image);
        BitBlt(mem, 0, 0, c.right, c.bottom, dc, 0, 0, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
        brush = CreatePatternBrush(image);
    } else {
        brush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    }
    FillRect(dc, &grip, brush);
    DeleteObject(brush);
    if (image) DeleteObject(image);
    for (int k : {0, 4, 8}) {
        solidLine(dc, x0, y0 - k - 3, x0 - k - 3, y0, GetSysColor(COLOR_BTNSHADOW));
        solidLine(dc, x0, y0 - k - 2, x0 - k - 2, y0, GetSysColor(COLOR_BTNSHADOW));
        solidLine(dc, x0, y0 - k - 4, x0 - k - 4, y0, GetSysColor(COLOR_BTNHIGHLIGHT));
    }
}

void DRAWMSGITEM(HDC hDC, const std::string& cText, const std::array<int, 4>& aRect, Color nClrFore,
                 Color nClrBack, HFONT hFont) {
    RECT r{aRect[1], aRect[0], aRect[3], aRect[2]};
    SetBkColor(hDC, nClrBack);
    ExtTextOutA(hDC, 4, 2, ETO_OPAQUE, &r, "", 0, nullptr);
    HGDIOBJ old = hFont ? SelectObject(hDC, hFont) : nullptr;
    SetTextColor(hDC, nClrFore);
    DrawTextA(hDC, cText.data(), static_cast<int>(cText.size()), &r, DT_CENTER);
    if (old) SelectObject(hDC, old);
}

void GRADIENTFILL(HDC hDC, int nTop, int nLeft, int nBottom, int nRight, const GradientSpec& aGrad, bool lVertical) {
    for (const GradientSpan& s : gradientFillSpans(nTop, nLeft, nBottom, nRight, aGrad, lVertical)) {
        const WlRect band = lVertical ? WlRect{s.start, nLeft, s.end, nRight} : WlRect{nTop, s.start, nBottom, s.end};
        GRADIENT(hDC, band, s.from, s.to, lVertical);
    }
}

}  // namespace wl
