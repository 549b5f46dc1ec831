#include "xbrowse.hpp"

#include <algorithm>

#include "font.hpp"

namespace wl {

namespace {
bool keyHeld(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }
}  // namespace

TXBrowse::TXBrowse() = default;
TXBrowse::~TXBrowse() = default;

TXBrowse& TXBrowse::New(TWindow* parent, int top, int left, int width, int height, std::shared_ptr<TFont> font) {
    nTop = top;
    nLeft = left;
    nBottom = top + height - 1;
    nRight = left + width - 1;
    oWnd = parent ? parent : GETWNDDEFAULT();
    if (font) {
        oFont = font;
        ++oFont->nCount;
    }
    nClrText = 0;
    nClrPane = GetSysColor(COLOR_WINDOW);
    nClrHeaderText = GetSysColor(COLOR_BTNTEXT);
    nClrSelFocusBack = GetSysColor(COLOR_HIGHLIGHT);
    nClrSelFocusText = RGB(255, 255, 255);
    nClrSelBack = GetSysColor(COLOR_INACTIVECAPTION);
    nClrSelText = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    nStyle = WS_CHILD | WS_VSCROLL | WS_BORDER | WS_VISIBLE | WS_TABSTOP;
    nId = GetNewId();
    SetColor(nClrText, nClrPane);
    Register(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS);
    createOrDefer();
    if (hWnd) Default();
    return *this;
}

void TXBrowse::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    Default();
}

void TXBrowse::Default() {
    TControl::Default();
    if (!hWnd) return;
    measure();
    // Columns without a width take their header's or first value's, whichever is wider.
    HDC dc = ::GetDC(hWnd);
    HGDIOBJ old = oFont ? SelectObject(dc, oFont->hFont) : nullptr;
    for (TXBrwColumn& c : m_.aCols) {
        if (c.nWidth > 0) continue;
        const std::string text = std::max(c.cHeader, m_.nLen ? c.StrData() : std::string(),
                                          [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
        SIZE size{};
        const std::string probe(std::max<size_t>(text.size(), 1), 'B');
        GetTextExtentPoint32A(dc, probe.data(), int(probe.size()), &size);
        c.nWidth = std::max(16, int(size.cx)) + 6;
    }
    if (old) SelectObject(dc, old);
    ::ReleaseDC(hWnd, dc);
    updateScroll();
}

void TXBrowse::measure() {
    HDC dc = ::GetDC(hWnd);
    HGDIOBJ old = oFont ? SelectObject(dc, oFont->hFont) : nullptr;
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    if (old) SelectObject(dc, old);
    ::ReleaseDC(hWnd, dc);
    rowHeight_ = std::max<int>(1, tm.tmHeight + 4);
    m_.nRowHeight = rowHeight_;
    RECT c{};
    GetClientRect(hWnd, &c);
    const int fixed = (lHeader ? rowHeight_ : 0) + (lFooter ? rowHeight_ : 0);
    m_.nDataRows = std::max(1, int(c.bottom - fixed) / rowHeight_);
    m_.KeyCount();
}

void TXBrowse::Refresh() {
    m_.KeyCount();
    updateScroll();
    if (hWnd) InvalidateRect(hWnd, nullptr, FALSE);
}

void TXBrowse::updateScroll() {
    if (!hWnd) return;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 1;
    si.nMax = std::max(1, m_.nLen);
    si.nPos = std::max(1, m_.KeyNo());
    SetScrollInfo(hWnd, SB_VERT, &si, TRUE);
}

void TXBrowse::moved() {
    updateScroll();
    InvalidateRect(hWnd, nullptr, FALSE);
    Change();
}

int TXBrowse::nAtCol(int x) const {
    int left = 0;
    for (int c : m_.Display()) {
        const int w = m_.aCols[size_t(c) - 1].nWidth;
        if (x >= left && x < left + w) return c;
        left += w;
    }
    return 0;
}

// ------------------------------------------------------------------ input

Answer TXBrowse::KeyDown(WPARAM key, LPARAM flags) {
    const bool ctrl = keyHeld(VK_CONTROL), shift = keyHeld(VK_SHIFT);
    if (ctrl && key == 'V') {
        if (m_.lCanPaste && m_.Paste(fromClipboard())) Refresh();
        return 0;
    }
    if (!m_.KeyDown(int(key), ctrl, shift)) return TControl::KeyDown(key, flags);
    if (ctrl && key == 'C') {
        // Ctrl+C only copies: the row stays.
        toClipboard(m_.copied());
        return 0;
    }
    moved();
    return 0;
}

Answer TXBrowse::GetDlgCode(WPARAM) { return IsWindowEnabled(hWnd) ? DLGC_WANTALLKEYS : 0; }

Answer TXBrowse::VScroll(WPARAM w, LPARAM l) {
    if (GetFocus() != hWnd) ::SetFocus(hWnd);
    if (l != 0) return std::nullopt;
    switch (LOWORD(w)) {
    case SB_LINEUP: m_.GoUp(); break;
    case SB_LINEDOWN: m_.GoDown(); break;
    case SB_PAGEUP: m_.PageUp(); break;
    case SB_PAGEDOWN: m_.PageDown(); break;
    case SB_TOP: m_.GoTop(); break;
    case SB_BOTTOM: m_.GoBottom(); break;
    case SB_THUMBPOSITION: {
        // The 32-bit position: the message's own is 16 bits wide.
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(hWnd, SB_VERT, &si);
        const int pos = m_.nLen > 0xFFFF ? si.nTrackPos : int(HIWORD(w));
        if (pos <= 1) m_.GoTop();
        else if (pos >= m_.nLen) m_.GoBottom();
        else m_.GoToRow(pos);
        break;
    }
    default: return 0;
    }
    moved();
    return 0;
}

Answer TXBrowse::MouseWheel(int keys, int delta, int, int) {
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const bool page = (keys & MK_MBUTTON) != 0;
    if (delta > 0) page ? m_.PageUp() : m_.GoUp(int(lines));
    else page ? m_.PageDown() : m_.GoDown(int(lines));
    moved();
    return 0;
}

Answer TXBrowse::LButtonDown(int row, int col, WPARAM flags) {
    if (GetFocus() != hWnd) ::SetFocus(hWnd);
    const int c = nAtCol(col);
    if (lHeader && row < rowHeight_) {
        if (c && m_.SetOrder(c)) {
            m_.KeyCount();
            InvalidateRect(hWnd, nullptr, FALSE);
        }
        return 0;
    }
    const int line = (row - nHeaderHeight()) / rowHeight_ + 1;
    if (line < 1 || line > m_.nDataRows || m_.nLen == 0) return 0;
    const int target = m_.KeyNo() - m_.nRowSel + line;
    if (target <= m_.nLen) {
        const bool multi = m_.lMultiSelect || m_.nMarqueeStyle >= 6;
        m_.src.bSkip(line - m_.nRowSel);
        m_.nRowSel = line;
        if (multi) {
            if (flags & MK_CONTROL) m_.Select(2);
            else if (flags & MK_SHIFT) m_.Select(3);
            else m_.Select(0), m_.Select(1);
        }
    }
    const auto d = m_.Display();
    for (size_t i = 0; i < d.size(); ++i)
        if (d[i] == c) m_.nColSel = int(i) + 1;
    moved();
    return TControl::LButtonDown(row, col, flags);
}

Answer TXBrowse::ReSize(WPARAM type, int width, int height) {
    if (hWnd) {
        measure();
        updateScroll();
    }
    return TControl::ReSize(type, width, height);
}

Answer TXBrowse::GotFocus(HWND lost) {
    Answer a = TControl::GotFocus(lost);
    InvalidateRect(hWnd, nullptr, FALSE);
    return a;
}

Answer TXBrowse::LostFocus(HWND gaining) {
    Answer a = TControl::LostFocus(gaining);
    InvalidateRect(hWnd, nullptr, FALSE);
    return a;
}

// ------------------------------------------------------------------ clipboard

void TXBrowse::toClipboard(const std::string& text) {
    if (!OpenClipboard(hWnd)) return;
    EmptyClipboard();
    if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        if (void* p = GlobalLock(mem)) {
            std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<char*>(p));
            GlobalUnlock(mem);
            if (!SetClipboardData(CF_TEXT, mem)) GlobalFree(mem);
        } else {
            GlobalFree(mem);
        }
    }
    CloseClipboard();
}

std::string TXBrowse::fromClipboard() {
    std::string text;
    if (!OpenClipboard(hWnd)) return text;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

// ------------------------------------------------------------------ painting

void TXBrowse::cell(HDC dc, const RECT& r, const std::string& text, Color fore, Color back, bool right) {
    HBRUSH b = CreateSolidBrush(back);
    FillRect(dc, &r, b);
    DeleteObject(b);
    SetTextColor(dc, fore);
    SetBkMode(dc, TRANSPARENT);
    RECT t{r.left + 2, r.top, r.right - 3, r.bottom};
    DrawTextA(dc, text.c_str(), int(text.size()), &t,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | (right ? DT_RIGHT : DT_LEFT));
}

void TXBrowse::drawTo(HDC dc) {
    RECT c{};
    GetClientRect(hWnd, &c);
    HBRUSH pane = CreateSolidBrush(nClrPane);
    FillRect(dc, &c, pane);
    DeleteObject(pane);
    HGDIOBJ oldFont = oFont ? SelectObject(dc, oFont->hFont) : nullptr;
    const auto d = m_.Display();
    HPEN grid = CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
    HGDIOBJ oldPen = SelectObject(dc, grid);
    auto eachCol = [&](const std::function<void(TXBrwColumn&, const RECT&)>& f, int top) {
        int left = 0;
        for (size_t i = 0; i < d.size(); ++i) {
            if (int(i) >= m_.nFreeze && int(i) < m_.nFreeze + m_.nColOffset - 1) continue;
            TXBrwColumn& col = m_.aCols[size_t(d[i]) - 1];
            const RECT r{left, top, left + col.nWidth - 1, top + rowHeight_ - 1};
            f(col, r);
            MoveToEx(dc, r.right, top, nullptr);
            LineTo(dc, r.right, top + rowHeight_);
            left += col.nWidth;
            if (left >= c.right) break;
        }
    };
    if (lHeader) {
        eachCol([&](TXBrwColumn& col, const RECT& r) {
            const std::string mark = col.cOrder == "A" ? " ^" : col.cOrder == "D" ? " v" : "";
            cell(dc, r, col.cHeader + mark, nClrHeaderText, nClrHeaderBack, false);
        }, 0);
    }
    const bool focused = GetFocus() == hWnd;
    const int selLine = m_.nRowSel;
    m_.EachVisibleRow([&](int line) {
        const int top = nHeaderHeight() + (line - 1) * rowHeight_;
        const bool sel = line == selLine || (!m_.aSelected.empty() && m_.IsSelected());
        const Color fore = sel ? (focused ? nClrSelFocusText : nClrSelText) : nClrText;
        const Color back = sel ? (focused ? nClrSelFocusBack : nClrSelBack) : nClrPane;
        eachCol([&](TXBrwColumn& col, const RECT& r) {
            const char t = col.DataType();
            cell(dc, r, col.StrData(), fore, back, t == 'N' || t == 'D');
        }, top);
        MoveToEx(dc, 0, top + rowHeight_ - 1, nullptr);
        LineTo(dc, c.right, top + rowHeight_ - 1);
    });
    if (lFooter) {
        eachCol([&](TXBrwColumn& col, const RECT& r) { cell(dc, r, col.FooterStr(), nClrHeaderText, nClrHeaderBack, true); },
                c.bottom - rowHeight_);
    }
    SelectObject(dc, oldPen);
    DeleteObject(grid);
    if (oldFont) SelectObject(dc, oldFont);
}

Answer TXBrowse::Paint() {
    DispBegin();
    drawTo(hDC);
    DispEnd();
    return 0;
}

Answer TXBrowse::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    if (nMsg == WM_PRINTCLIENT) {
        drawTo(reinterpret_cast<HDC>(w));
        return 0;
    }
    return TControl::HandleEvent(nMsg, w, l);
}

}  // namespace wl
