#include "meter.hpp"

#include "dialogs.hpp"
#include "meter_model.hpp"
#include "message_loop.hpp"
#include "painting.hpp"
#include "visual_styles.hpp"
#include "window_units.hpp"

namespace wl {

// ------------------------------------------------------------------- TMeter

TMeter& TMeter::New(const MeterNew& a) {
    bSetGet = a.bSetGet ? a.bSetGet : bindTo(own_);
    nTotal = a.nTotal;
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    nTop = a.lPixel ? static_cast<int>(a.nRow) : static_cast<int>(a.nRow * 14);
    nLeft = a.lPixel ? static_cast<int>(a.nCol) : static_cast<int>(a.nCol * 8);
    nBottom = nTop + a.nHeight;
    nRight = nLeft + a.nWidth;
    oFont = a.oFont;
    if (oFont) ++oFont->nCount;
    cText = a.cText;
    lPercentage = !a.lNoPercentage;
    nClrPane = a.nClrPane.value_or(oWnd ? oWnd->nClrPane : GetSysColor(COLOR_BTNFACE));
    nClrText = a.nClrText.value_or(oWnd ? oWnd->nClrText : GetSysColor(COLOR_WINDOWTEXT));
    nClrBar = a.nClrBar;
    nClrBText = a.nClrBText;
    nStyle = WS_CHILD | WS_VISIBLE;
    lUpdate = false;
    nRefresh = 0;
    Register(CS_VREDRAW | CS_HREDRAW);
    nId = GetNewId();
    createOrDefer();
    if (hWnd) Default();
    return *this;
}

TMeter& TMeter::ReDefine(int id, SetGet setGet, double total, TWindow* parent) {
    bSetGet = setGet ? std::move(setGet) : bindTo(own_);
    nTotal = total;
    cText = std::string(1, '\0');
    Register(CS_VREDRAW | CS_HREDRAW);
    redefine(id, parent);
    if (oWnd) {
        nClrPane = oWnd->nClrPane;
        nClrText = oWnd->nClrText;
    }
    return *this;
}

void TMeter::Default() {
    if (VarGet().isNil()) VarPut(Value(0));
    if (!oFont && oWnd && oWnd->oFont) SetFont(oWnd->oFont);
}

void TMeter::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    Default();
}

void TMeter::Set(std::optional<double> value) {
    const double v = meterValue(value.value_or(VarGet().number()), nTotal);
    VarPut(Value(v));
    if (meterRepaints(v, nTotal)) {
        nRefresh += v / nTotal * 100.0;
        if (hWnd) InvalidateRect(hWnd, nullptr, FALSE);
        SYSREFRESH();
    }
}

void TMeter::SetTotal(double n) {
    nTotal = n;
    if (hWnd) InvalidateRect(hWnd, nullptr, FALSE);
}

Answer TMeter::Paint() {
    const int percent = meterPercent(VarGet().number(), nTotal);
    METERPAINT(hWnd, hDC, percent, cText, lPercentage, nClrPane, nClrText, nClrBar, nClrBText,
               oFont ? oFont->hFont : nullptr);
    return 0;
}

Answer TMeter::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    if (nMsg == WM_PAINT) {
        BeginPaint();
        Paint();
        return EndPaint();
    }
    return TControl::HandleEvent(nMsg, w, l);
}

// --------------------------------------------------------------- TScrollBar

TScrollBar& TScrollBar::New(double row, double col, int min, int max, int pgStep, bool vertical, TWindow* parent,
                            int width, int height, bool pixel) {
    lVertical = vertical;
    nMin = min;
    nMax = max;
    nPgStep = pgStep;
    oWnd = parent ? parent : GETWNDDEFAULT();
    if (width == 0) width = vertical ? 16 : 100;
    if (height == 0) height = vertical ? 100 : 17;
    nTop = pixel ? static_cast<int>(row) : static_cast<int>(row * 14);
    nLeft = pixel ? static_cast<int>(col) : static_cast<int>(col * 8);
    nBottom = nTop + height - 1;
    nRight = nLeft + width - 1;
    nStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (vertical ? SBS_VERT : 0);
    nId = GetNewId();
    createOrDefer();
    if (hWnd) {
        SetRange(nMin, nMax);
        SetPos(nMin);
    }
    return *this;
}

TScrollBar& TScrollBar::WinNew(int min, int max, int pgStep, bool vertical, TWindow* window) {
    lIsChild = true;
    lVertical = vertical;
    nPgStep = pgStep;
    oWnd = window;
    SetRange(min, max);
    SetPos(min);
    return *this;
}

TScrollBar& TScrollBar::ReDefine(int id, int min, int max, int pgStep, TWindow* parent) {
    nMin = min;
    nMax = max;
    nPgStep = pgStep;
    lVertical = false;
    redefine(id, parent);
    return *this;
}

HWND TScrollBar::barWindow() const { return lIsChild ? (oWnd ? oWnd->hWnd : nullptr) : hWnd; }
int TScrollBar::barKind() const { return lIsChild ? (lVertical ? SB_VERT : SB_HORZ) : SB_CTL; }

int TScrollBar::GetPos() const { return GetScrollPos(barWindow(), barKind()); }
void TScrollBar::SetPos(int n) { SetScrollPos(barWindow(), barKind(), n, lReDraw); }
void TScrollBar::SetRange(int min, int max) {
    nMin = min;
    nMax = max;
    SetScrollRange(barWindow(), barKind(), min, max, lReDraw);
}
std::pair<int, int> TScrollBar::GetRange() const {
    int min = 0, max = 0;
    GetScrollRange(barWindow(), barKind(), &min, &max);
    return {min, max};
}

// The vertical bit is SBS_VERT (1) of the bar's own style; a window's own
// bar has no window of its own and answers what it was made as.
int TScrollBar::nOrientation() const {
    if (lIsChild || !hWnd) return lVertical ? 1 : 2;
    return (GetWindowLongPtrA(hWnd, GWL_STYLE) & SBS_VERT) ? 1 : 2;
}
void TScrollBar::nOrientation(int orientation) {
    const bool vertical = orientation != 2;
    lVertical = vertical;
    nStyle = vertical ? (nStyle | SBS_VERT) : (nStyle & ~static_cast<DWORD>(SBS_VERT));
    if (lIsChild || !hWnd) return;
    LONG_PTR style = GetWindowLongPtrA(hWnd, GWL_STYLE);
    style = vertical ? (style | SBS_VERT) : (style & ~static_cast<LONG_PTR>(SBS_VERT));
    SetWindowLongPtrA(hWnd, GWL_STYLE, style);
}

void TScrollBar::GoUp() {
    if (GetPos() > nMin) SetPos(GetPos() - 1);
    if (bGoUp) bGoUp();
}
void TScrollBar::GoDown() {
    if (GetPos() < nMax) SetPos(GetPos() + 1);
    if (bGoDown) bGoDown();
}
void TScrollBar::GoTop() {
    SetPos(nMin);
    if (bGoTop) bGoTop();
}
void TScrollBar::GoBottom() {
    SetPos(nMax);
    if (bGoBottom) bGoBottom();
}
void TScrollBar::PageUp() {
    SetPos(GetPos() - nPgStep);
    if (bPageUp) bPageUp();
}
void TScrollBar::PageDown() {
    SetPos(GetPos() + nPgStep);
    if (bPageDown) bPageDown();
}

void TScrollBar::SetPage(int page, bool redraw) {
    nPgStep = page;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_PAGE;
    si.nPage = static_cast<UINT>(page);
    SetScrollInfo(barWindow(), barKind(), &si, redraw);
}

void TScrollBar::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    SetRange(nMin, nMax);
    SetPos(nMin);
}

Answer TScrollBar::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    switch (nMsg) {
    case LM_SCROLLUP: GoUp(); return 0;
    case LM_SCROLLDOWN: GoDown(); return 0;
    case LM_PAGEUP: PageUp(); return 0;
    case LM_PAGEDOWN: PageDown(); return 0;
    case LM_THUMBPOS: ThumbPos(static_cast<int>(w)); return 0;
    case LM_THUMBTRACK: ThumbTrack(static_cast<int>(w)); return 0;
    default: return TControl::HandleEvent(nMsg, w, l);
    }
}

// ------------------------------------------------------------------- TGroup

TGroup& TGroup::New(double top, double left, double bottom, double right, const std::string& caption,
                    TWindow* parent, bool pixel, int width, int height, bool transparent) {
    oWnd = parent ? parent : GETWNDDEFAULT();
    nTop = pixel ? static_cast<int>(top) : static_cast<int>(top * 14);
    nLeft = pixel ? static_cast<int>(left) : static_cast<int>(left * 7);
    nRight = width ? nLeft + width : (pixel ? static_cast<int>(right) : static_cast<int>(right * 7));
    nBottom = height ? nTop + height : (pixel ? static_cast<int>(bottom) : static_cast<int>(bottom * 14));
    cCaption = caption;
    nStyle = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
    if (oWnd) {
        nClrText = oWnd->nClrText;
        nClrPane = oWnd->nClrPane;
    }
    lTransparent = transparent;
    if (transparent) {
        BrushSpec none;
        none.cStyle = "NULL";
        SetBrush(TBrush::New(none));
    }
    nId = GetNewId();
    createOrDefer();
    return *this;
}

Answer TGroup::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    if (nMsg == WM_NCHITTEST && lDrag) return DefWindowProcA(hWnd, nMsg, w, l);
    if (nMsg == WM_PAINT && nOldProc && ISAPPTHEMED()) {
        CallWindowProcA(nOldProc, hWnd, nMsg, w, l);
        HDC dc = ::GetDC(hWnd);
        PaintCaption(dc);
        ::ReleaseDC(hWnd, dc);
        return 0;
    }
    Answer a = TControl::HandleEvent(nMsg, w, l);
    // The frame's focus marks changed: the parent repaints around it.
    if (nMsg == WM_UPDATEUISTATE && oWnd && oWnd->hWnd) InvalidateRect(oWnd->hWnd, nullptr, FALSE);
    return a;
}

void TGroup::PaintCaption(HDC dc) {
    if (!dc || cCaption.empty()) return;
    std::shared_ptr<TFont> font = oFont ? oFont : (oWnd ? oWnd->oFont : nullptr);
    HGDIOBJ old = font && font->hFont ? SelectObject(dc, font->hFont) : nullptr;
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF colour = SetTextColor(dc, nClrText & 0xFFFFFF);
    if (oBrush && oBrush->hBitmap) SetBrushOrgEx(dc, 0, 0, nullptr);
    RECT r{9, 0, 0, 0};
    DrawTextA(dc, cCaption.c_str(), static_cast<int>(cCaption.size()), &r, DT_SINGLELINE | DT_NOCLIP);
    SetTextColor(dc, colour);
    SetBkMode(dc, mode);
    if (old) SelectObject(dc, old);
}

std::string TGroup::cGenPRG(bool dialogUnits) const {
    const auto [top, left, width, height] = designBounds(dialogUnits);
    return "\r\n   @ " + std::to_string(top) + ", " + std::to_string(left) + " GROUP oGrp PROMPT \"" + cCaption +
           "\" SIZE " + std::to_string(width) + ", " + std::to_string(height) + " PIXEL OF oWnd \r\n";
}

std::string TGroup::SaveToRC(int indent) const {
    return std::string(static_cast<std::size_t>(indent), ' ') + "GROUPBOX \"" + cCaption + "\", " + rcNumbers() +
           ", BS_GROUPBOX";
}

TGroup& TGroup::ReDefine(int id, const std::string& caption, TWindow* parent) {
    cCaption = caption;
    redefine(id ? id : GetNewId(), parent);
    return *this;
}

void TGroup::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    if (cCaption.empty())
        cCaption = GetText();
    else
        SetWindowTextA(hWnd, cCaption.c_str());
}

}  // namespace wl
