#include "button.hpp"

#include <algorithm>

#include "bitmaps.hpp"
#include "colors.hpp"
#include "dialog.hpp"
#include "dialogs.hpp"
#include "visual_styles.hpp"
#include "window_units.hpp"
#include "file_names.hpp"
#include "text.hpp"
#include "value.hpp"

namespace wl {

// ------------------------------------------------------------------ TButton

TButton& TButton::New(const ButtonNew& a) {
    const int width = a.nWidth ? a.nWidth : std::max(static_cast<int>(a.cCaption.size()) * 6, 30);
    nTop = a.lPixel ? static_cast<int>(a.nRow) : static_cast<int>(a.nRow * 18);
    nLeft = a.lPixel ? static_cast<int>(a.nCol) : static_cast<int>(a.nCol * 6);
    nBottom = nTop + a.nHeight;
    nRight = nLeft + width;
    cCaption = a.cCaption;
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    bAction = a.bAction;
    if (a.nHelpId) nHelpId = Value(*a.nHelpId);
    oFont = a.oFont;
    if (oFont) ++oFont->nCount;
    lDefault = a.lDefault;
    lDrag = a.lDesign;
    cMsg = a.cMsg;
    lUpdate = a.lUpdate;
    bWhen = a.bWhen;
    bValid = a.bValid;
    lCancel = a.lCancel;
    nStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (a.lDefault ? BS_DEFPUSHBUTTON : 0) |
             (a.lDesign ? WS_CLIPSIBLINGS : 0) | (a.lMultiLine ? BS_MULTILINE : 0);
    nId = GetNewId();
    lCaptured = false;
    lProcessing = false;
    createOrDefer();
    cVarName = a.cVarName.empty() ? "oBtn" + GetCtrlIndex() : a.cVarName;
    return *this;
}

TButton& TButton::ReDefine(int id, std::function<void(TWindow&)> action, TWindow* parent,
                           const std::string& caption, bool cancel) {
    bAction = std::move(action);
    cCaption = caption;
    lCancel = cancel;
    redefine(id, parent);
    return *this;
}

void TButton::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    lDefault = (GetWindowLongPtrA(hWnd, GWL_STYLE) & BS_DEFPUSHBUTTON) != 0;
    lProcessing = false;
    if (!cCaption.empty()) SetWindowTextA(hWnd, cCaption.c_str());
}

Answer TButton::Click() {
    if (lProcessing) return std::nullopt;
    lProcessing = true;
    if (bWhen && !bWhen()) {
        lProcessing = false;
        return std::nullopt;
    }
    // The field the focus comes from is validated before the action runs,
    // so the action never sees an unvalidated value; a cancel button skips it.
    if (oWnd && !lCancel && !validatePending(oWnd, this)) {
        lProcessing = false;
        return 0;
    }
    if (oWnd && !lCancel && oWnd->oCtlFocus && oWnd->oCtlFocus != this && oWnd->oCtlFocus->hWnd == GetFocus()) {
        if (!oWnd->oCtlFocus->lValid()) {
            lProcessing = false;
            return 0;
        }
    }
    if (hWnd && GetFocus() != hWnd) {
        if (oWnd) oWnd->setValidating(true);
        ::SetFocus(hWnd);
        if (oWnd) oWnd->setValidating(false);
    }
    HWND parent = oWnd ? oWnd->hWnd : nullptr;
    HWND self = hWnd;
    if (bAction) bAction(*this);
    if (!IsWindow(self)) return 0;  // the action closed the dialog and this button
    if (!lCancel && parent && IsWindow(parent)) TControl::Click();
    if (GetFocus() == hWnd)
        PostMessageA(hWnd, BM_SETSTYLE, BS_DEFPUSHBUTTON, 1);
    else if (!lDefault)
        PostMessageA(hWnd, BM_SETSTYLE, BS_PUSHBUTTON, 1);
    lProcessing = false;
    return 0;
}

Answer TButton::KeyDown(WPARAM key, LPARAM flags) {
    if (oWnd) oWnd->setLastKey(static_cast<int>(key));
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        if (bKeyDown)
            bKeyDown(key, flags, *this);
        else if (oWnd)
            oWnd->GoPrevCtrl(hWnd);
        return 0;
    case VK_DOWN:
    case VK_RIGHT:
        if (bKeyDown)
            bKeyDown(key, flags, *this);
        else if (oWnd)
            oWnd->GoNextCtrl(hWnd);
        return 0;
    case VK_RETURN:
        if (bKeyDown)
            bKeyDown(key, flags, *this);
        else
            PostMessageA(hWnd, LM_CLICK, 0, 0);
        return 0;
    default: return TControl::KeyDown(key, flags);
    }
}

Answer TButton::GotFocus(HWND lost) {
    PostMessageA(hWnd, BM_SETSTYLE, BS_DEFPUSHBUTTON, 1);
    return TControl::GotFocus(lost);
}

Answer TButton::KillFocus(HWND gaining) {
    if (!lDefault) PostMessageA(hWnd, BM_SETSTYLE, BS_PUSHBUTTON, 1);
    return TControl::KillFocus(gaining);
}

Answer TButton::LButtonUp(int row, int col, WPARAM flags) {
    if (OnClick) OnClick(*this, row, col, flags);
    if (lDrag) return TControl::LButtonUp(row, col, flags);
    return std::nullopt;
}

Answer TButton::MouseMove(int row, int col, WPARAM flags) {
    TControl::MouseMove(row, col, flags);
    return std::nullopt;
}

std::string TButton::cGenPRG(bool dialogUnits) const {
    const auto [top, left, width, height] = designBounds(dialogUnits);
    const std::string parent = oWnd ? oWnd->cVarName : std::string();
    return "\r\n   @ " + std::to_string(top) + ", " + std::to_string(left) + " BUTTON " + cVarName + " PROMPT \"" +
           cCaption + "\" ;\r\n      SIZE " + std::to_string(width) + ", " + std::to_string(height) + " PIXEL OF " +
           parent + " ;\r\n      ACTION MsgInfo( \"Not defined yet!\" )\r\n";
}

std::string TButton::SaveToRC(int indent) const {
    return std::string(static_cast<std::size_t>(indent), ' ') + "PUSHBUTTON \"" + cCaption + "\", " + rcNumbers();
}

// --------------------------------------------------------------- TButtonBmp

TButtonBmp::~TButtonBmp() {
    if (hBitmap) DeleteObject(hBitmap);
}

bool TButtonBmp::LoadBitmap(const std::string& bitmap) {
    if (hBitmap) DeleteObject(hBitmap);
    hBitmap = nullptr;
    cBitmap = bitmap;
    if (bitmap.empty()) return false;
    if (FILE* f = std::fopen(bitmap.c_str(), "rb")) {
        std::fclose(f);
        hBitmap = static_cast<HBITMAP>(LoadImageA(nullptr, bitmap.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    } else {
        hBitmap = static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), bitmap.c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    }
    HasAlpha();
    if (hWnd) InvalidateRect(hWnd, nullptr, FALSE);
    return hBitmap != nullptr;
}

bool TButtonBmp::HasAlpha() {
    lHasAlpha = hBitmap && HASALPHA(hBitmap);
    return lHasAlpha;
}

int TButtonBmp::nAlphaLevel(std::optional<int> level) {
    if (level)
        hAlphaLevel = *level;
    else if (bAlphaLevel)
        hAlphaLevel = bAlphaLevel(*this);
    return hAlphaLevel;
}

namespace {
SIZE bitmapSize(HBITMAP h) {
    BITMAP bm{};
    if (h && GetObjectA(h, sizeof bm, &bm)) return {bm.bmWidth, bm.bmHeight};
    return {0, 0};
}
}  // namespace

TButtonBmp& TButtonBmp::New(const ButtonNew& a, const std::string& bitmap, const std::string& position,
                            const std::string& toolTip) {
    if (!toolTip.empty()) cToolTip = toolTip;
    LoadBitmap(bitmap);
    ButtonNew b = a;
    const SIZE s = bitmapSize(hBitmap);
    if (b.nWidth == 0 && hBitmap) b.nWidth = s.cx + 9;
    if (hBitmap && a.nHeight == 13) b.nHeight = s.cy + 9;
    cPosText = upper(position);
    TButton::New(b);
    return *this;
}

TButtonBmp& TButtonBmp::NewFromHandle(const ButtonNew& a, HBITMAP bitmap, const std::string& position,
                                      const std::string& toolTip) {
    if (!toolTip.empty()) cToolTip = toolTip;
    hBitmap = bitmap;
    cBitmap = std::to_string(reinterpret_cast<std::uintptr_t>(bitmap));
    HasAlpha();
    ButtonNew b = a;
    const SIZE s = bitmapSize(hBitmap);
    if (b.nWidth == 0) b.nWidth = s.cx + 9;
    if (a.nHeight == 13) b.nHeight = s.cy + 9;
    cPosText = upper(position);
    TButton::New(b);
    return *this;
}

TButtonBmp& TButtonBmp::ReDefine(int id, std::function<void(TWindow&)> action, TWindow* parent,
                                 const std::string& caption, bool cancel, const std::string& bitmap,
                                 const std::string& position, const std::string& toolTip) {
    if (!toolTip.empty()) cToolTip = toolTip;
    LoadBitmap(bitmap);
    cPosText = upper(position);
    TButton::ReDefine(id, std::move(action), parent, caption, cancel);
    return *this;
}

Answer TButtonBmp::MouseMove(int row, int col, WPARAM flags) {
    Answer a = TButton::MouseMove(row, col, flags);
    if (!skinsOn() && hWnd) InvalidateRect(hWnd, nullptr, FALSE);
    return a;
}

POINT TButtonBmp::bitmapOrigin(int width, int height, bool pushed) const {
    const SIZE s = bitmapSize(hBitmap);
    int top = cPosText == "TEXTBOTTOM" ? 7 : cPosText == "TEXTTOP" ? height - 6 - s.cy : height / 2 - s.cy / 2;
    int left = cPosText == "TEXTRIGHT" ? 7 : cPosText == "TEXTLEFT" ? width - 6 - s.cx : width / 2 - s.cx / 2;
    if (pushed) {
        ++top;
        ++left;
    }
    return {left, top};
}

Answer TButtonBmp::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    if (nMsg == WM_PAINT) {
        PAINTSTRUCT ps{};
        HDC dc = ::BeginPaint(hWnd, &ps);
        hDC = dc;
        Paint();
        hDC = nullptr;
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    Answer a = TButton::HandleEvent(nMsg, w, l);
    if (nMsg == WM_UPDATEUISTATE || nMsg == WM_ENABLE || nMsg == WM_SETTEXT) InvalidateRect(hWnd, nullptr, FALSE);
    return a;
}

Answer TButtonBmp::Paint() {
    if (!hDC) return 1;
    HDC target = hDC;
    DispBegin();
    // The standard face first, then the picture over it.
    if (nOldProc) CallWindowProcA(nOldProc, hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT);
    const bool pushed = (SendMessageA(hWnd, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    if (hBitmap) {
        RECT r{};
        GetClientRect(hWnd, &r);
        const POINT p = bitmapOrigin(r.right, r.bottom, pushed);
        if (!IsWindowEnabled(hWnd))
            DRAWGRAY(hDC, hBitmap, p.y, p.x);
        else if (alphaOn() && lHasAlpha)
            ABPAINT(hDC, p.x, p.y, hBitmap, nAlphaLevel());
        else
            DRAWMASKED(hDC, hBitmap, p.y, p.x);
    }
    DispEnd();
    (void)target;
    return 1;
}

// --------------------------------------------------------------------- TSay

std::string TSay::format(const Value& v) const { return cPicture ? cPicture(v) : CVALTOCHAR(v); }

TSay& TSay::New(const SayNew& a) {
    l3D = a.lShaded || a.lBox || a.lRaised;
    bGet = a.bText ? a.bText : [] { return Value(std::string()); };
    bSetGet = [this](const std::optional<Value>&) { return bGet(); };
    cPicture = a.cPicture;
    cCaption = format(bGet());
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    oFont = a.oFont;
    if (oFont) ++oFont->nCount;
    int height = a.nHeight;
    if (height == 0) height = oFont ? std::abs(oFont->nInpHeight) : 15;
    int width = a.nWidth;
    if (width == 0) {
        auto f = oFont ? oFont : (oWnd ? oWnd->oFont : nullptr);
        HDC dc = ::GetDC(nullptr);
        HGDIOBJ old = f ? SelectObject(dc, f->hFont) : nullptr;
        SIZE s{};
        GetTextExtentPoint32A(dc, cCaption.c_str(), static_cast<int>(cCaption.size()), &s);
        if (old) SelectObject(dc, old);
        ::ReleaseDC(nullptr, dc);
        width = s.cx;
    }
    nTop = a.lPixel ? static_cast<int>(a.nRow) : static_cast<int>(a.nRow * 15 + 2);
    nLeft = a.lPixel ? static_cast<int>(a.nCol) : static_cast<int>(a.nCol * 6);
    nBottom = nTop + height - 1;
    nRight = nLeft + width - 1;
    nStyle = WS_CHILD | WS_VISIBLE | (a.lDesign ? WS_CLIPSIBLINGS | WS_TABSTOP : 0) |
             (a.lCentered ? SS_CENTER : a.lRight ? SS_RIGHT : 0) | (a.lBorder ? WS_BORDER : 0) |
             (a.lShaded ? 4u : a.lBox ? 5u : a.lRaised ? 6u : 0u);
    lDrag = a.lDesign;
    lUpdate = a.lUpdate;
    lAdjust = a.lAdjust;
    lTransparent = a.lTransparent;
    const Color back = a.nClrBack.value_or(oWnd && oWnd->lendsPaneColor() ? oWnd->nClrPane
                                                                                 : GetSysColor(COLOR_BTNFACE));
    if (!a.cClrText.empty()) {
        SetColor(a.cClrText);
    } else {
        SetColor(a.nClrText.value_or(oWnd ? oWnd->nClrText : GetSysColor(COLOR_WINDOWTEXT)), back);
    }
    nId = GetNewId();
    createOrDefer();
    cVarName = a.cVarName.empty() ? "oSay" + GetCtrlIndex() : a.cVarName;
    return *this;
}

TSay& TSay::ReDefine(int id, std::function<Value()> text, TWindow* parent) {
    if (text) {
        bGet = std::move(text);
        bSetGet = [this](const std::optional<Value>&) { return bGet(); };
        cCaption = format(bGet());
    }
    nClrPane = GetSysColor(COLOR_BTNFACE);
    redefine(id, parent);
    if (oWnd) nClrText = oWnd->nClrText;
    return *this;
}

void TSay::SetText(const Value& v) {
    cCaption = format(v);
    if (!hWnd) return;
    const LONG_PTR style = GetWindowLongPtrA(hWnd, GWL_STYLE);
    const bool leftAligned = (style & (SS_CENTER | SS_RIGHT)) == 0;
    if (leftAligned && lAdjust) {
        const int wanted = GetWidth(cCaption) + 20;
        if (wanted > nWidth()) nWidth(wanted);
    }
    SetWindowTextA(hWnd, cCaption.c_str());
    // A transparent label draws no background of its own: the parent
    // repaints under it, or the old text would stay beneath the new.
    if (lTransparent && oWnd && oWnd->hWnd) {
        RECT r{};
        GetWindowRect(hWnd, &r);
        MapWindowPoints(nullptr, oWnd->hWnd, reinterpret_cast<POINT*>(&r), 2);
        RedrawWindow(oWnd->hWnd, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

Answer TSay::EraseBkGnd(HDC) {
    if (lTransparent || ISAPPTHEMED()) return 1;
    return std::nullopt;  // the label's own erasing
}

std::string TSay::cGenPrg() const {
    const std::string parent = oWnd ? oWnd->cVarName : std::string();
    const auto n = [](int v) { return padLeft(std::to_string(v), 3); };
    return "\r\n   @ " + n(nTop) + ", " + n(nLeft) + " SAY " + cVarName + " PROMPT \"" + cCaption + "\" SIZE " +
           n(nRight - nLeft) + ", " + n(nBottom - nTop) + " PIXEL OF " + parent + "\r\n";
}

std::string TSay::SaveToRC(int indent) const {
    return std::string(static_cast<std::size_t>(indent), ' ') + "LTEXT \"" + cCaption + "\", " + rcNumbers();
}

void TSay::VarPut(const Value& v) {
    const std::string text = format(v);
    bGet = [text] { return Value(text); };
}

void TSay::Refresh(bool erase) {
    if (bGet) SetText(bGet());
    TControl::Refresh(erase);
}

void TSay::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    if (!cCaption.empty())
        SetWindowTextA(hWnd, cCaption.c_str());
    else
        cCaption = GetText();
}

Answer TSay::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    if (nMsg == WM_NCHITTEST && (lDrag || lWantClick)) return DefWindowProcA(hWnd, nMsg, w, l);
    if (nMsg == WM_ERASEBKGND) return EraseBkGnd(reinterpret_cast<HDC>(w));
    return TControl::HandleEvent(nMsg, w, l);
}

}  // namespace wl
