#include "xbrowse.hpp"

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "bitmaps.hpp"
#include "browse_window.hpp"
#include "bar_painting.hpp"
#include "button.hpp"
#include "font.hpp"
#include "image.hpp"
#include "messages.hpp"
#include "popup_menus.hpp"
#include "printer.hpp"
#include "report_printer.hpp"
#include "scrolling.hpp"
#include "text.hpp"
#include "tree_bitmaps.hpp"
#include "xbr_memo_edit.hpp"
#include "xbrowse_editor.hpp"

namespace wl {

namespace {
bool keyHeld(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }
// Sent to itself to drop a finished editor once its handler has returned.
constexpr UINT kXbrRetireEditor = WM_APP + 0x3b1;
// Sent to itself when an open field's own button was pressed: handled once
// the button's click is over, as it may end the editor that owns it.
constexpr UINT kXbrEditorButton = WM_APP + 0x3b2;
constexpr int kXbrMinWidth = 10;
// The column menu's commands: this plus the column's creation number.
constexpr int kXbrColumnMenu = 0x7A00;

// A cell's bitmap with its top-left corner at (x, y): one with an alpha
// channel blended over the cell (while the library's alpha switch is on),
// a transparent one without the pixels of its corner colour, a
// monochrome one as black lines, any other as it is.
void drawCellBitmap(HDC dc, TreePicture picture, int x, int y, bool transparent) {
    HBITMAP bmp = reinterpret_cast<HBITMAP>(picture);
    BITMAP info{};
    if (!bmp || !GetObjectA(bmp, sizeof info, &info)) return;
    if (info.bmBitsPixel == 32 && alphaOn() && HASALPHA(bmp)) {
        ABPAINT(dc, x, y, bmp, 255);
        return;
    }
    if (transparent && info.bmBitsPixel > 1) {
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, bmp);
        const COLORREF corner = GetPixel(mem, 0, 0);
        SelectObject(mem, old);
        DeleteDC(mem);
        TRANSBMP(bmp, int(info.bmWidth), int(info.bmHeight), corner, dc, x, y, int(info.bmWidth), int(info.bmHeight));
        return;
    }
    drawTreePicture(dc, picture, x, y);
}

// The height a column's cells need: the font's, at least its tallest
// bitmap; a picture column's image of the current row + 4, at most a
// tenth of the screen.
int columnDataHeight(const TXBrwColumn& col, int fontHeight) {
    int h = fontHeight;
    for (const TXBrwColumn::XbrBitmap& b : col.aBitmaps) {
        BITMAP info{};
        if (b.handle && GetObjectA(reinterpret_cast<HBITMAP>(b.handle), sizeof info, &info)) h = std::max(h, int(info.bmHeight));
    }
    const char t = col.DataType();
    if (t == 'F' || t == 'P' || col.nEditType == -1) {
        const Value v = col.GetValue();
        int format = 0;
        HBITMAP img = !v.isText() || alltrim(v.text()).empty() ? nullptr
                      : t == 'P'                                 ? FILOADFROMMEMORY(v.text(), format)
                                                                 : FILOADIMG(alltrim(v.text()), format);
        if (img) {
            BITMAP info{};
            GetObjectA(img, sizeof info, &info);
            DeleteObject(img);
            h = std::max(h, std::min(int(info.bmHeight) + 4, GetSystemMetrics(SM_CYSCREEN) / 10));
        }
    }
    return h;
}
}  // namespace

// Outlines shown here draw their line pictures through these hooks.
TXBrowse::TXBrowse() { installTreeBitmaps(); }
TXBrowse::~TXBrowse() {
    *alive_ = false;
    // The pictures the columns loaded go with the browse.
    for (TXBrwColumn& c : m_.aCols) c.ReleaseBitmaps();
    // The editors first: their windows are children of this one.
    editor_.reset();
    retired_.reset();
}

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
    startColours();
    nStyle = WS_CHILD | WS_VSCROLL | WS_BORDER | WS_VISIBLE | WS_TABSTOP;
    nId = GetNewId();
    // The designer knows a browse made in code by this name.
    cVarName = "oBrw" + std::to_string(oWnd ? oWnd->aControls.size() : 0);
    SetColor(nClrText, nClrPane);
    Register(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS);
    createOrDefer();
    if (hWnd) Default();
    return *this;
}

TXBrowse& TXBrowse::CreateFromResource(int id, TWindow* parent) {
    startColours();
    SetColor(nClrText, nClrPane);
    Register(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS);
    redefine(id, parent);
    return *this;
}

void TXBrowse::startColours() {
    nClrText = 0;
    nClrPane = GetSysColor(COLOR_WINDOW);
    nClrHeaderText = GetSysColor(COLOR_BTNTEXT);
    nClrSelFocusBack = GetSysColor(COLOR_HIGHLIGHT);
    nClrSelFocusText = RGB(255, 255, 255);
    nClrSelBack = GetSysColor(COLOR_INACTIVECAPTION);
    nClrSelText = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
}

std::string TXBrowse::cGenPrg() const {
    const std::string crlf = "\r\n";
    const std::string parent = oWnd ? oWnd->cVarName : std::string();
    int width = nRight - nLeft + 1, height = nBottom - nTop + 1;
    if (hWnd) {
        RECT r{};
        GetWindowRect(hWnd, &r);
        width = int(r.right - r.left), height = int(r.bottom - r.top);
    }
    return crlf + "   @ " + rightAligned(nTop, 3) + ", " + rightAligned(nLeft, 3) + " XBROWSE " + cVarName + " OF " +
           parent + "; " + crlf + "      SIZE " + std::to_string(width) + ", " + std::to_string(height) +
           " PIXEL DESIGN" + crlf + crlf + "   " + cVarName + ":CreateFromCode()" + crlf;
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
    const HFONT font = oFont ? oFont->hFont : nullptr;
    for (TXBrwColumn& c : m_.aCols) {
        if (c.nWidth > 0) continue;
        const std::string text = std::max(c.cHeader, m_.nLen ? c.StrData() : std::string(),
                                          [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
        const int textWidth = browseLettersWidth(hWnd, font, int(text.size()));
        int widest = 0;
        for (const auto& b : c.aBitmaps) {
            BITMAP info{};
            if (GetObjectA(reinterpret_cast<HBITMAP>(b.handle), sizeof info, &info)) widest = std::max(widest, int(info.bmWidth));
        }
        c.nWidth = std::max(16, textWidth + (widest ? widest + 5 : 0)) + 6;
    }
    m_.ColStretch();
    updateScroll();
}

void TXBrowse::measure() {
    // The tallest cell of the shown columns sets the row; stacked columns
    // paint their cells one below the other in one row.
    const int font = fontTextHeight(hWnd, nullptr, oFont ? oFont->hFont : nullptr);
    int data = font;
    for (int c : m_.Display()) data = std::max(data, columnDataHeight(m_.aCols[size_t(c) - 1], font));
    rowHeight_ = std::max(1, data + 4) * m_.StackedRows();
    m_.nRowHeight = rowHeight_;
    RECT c{};
    GetClientRect(hWnd, &c);
    const int fixed = nHeaderHeight() + (lFooter ? rowHeight_ : 0);
    m_.nDataRows = std::max(1, int(c.bottom - fixed) / rowHeight_);
    m_.nClientWidth = int(c.right);
    m_.KeyCount();
}

void TXBrowse::Refresh() {
    if (hWnd) measure();
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
    if (oSeek) oSeek->SetText(Value(m_.cSeek));
    updateScroll();
    InvalidateRect(hWnd, nullptr, FALSE);
    Change();
}

int TXBrowse::nGroupHeight() const {
    if (!lHeader) return 0;
    for (int c : m_.Display())
        if (!m_.aCols[size_t(c) - 1].cGrpHdr.empty()) return rowHeight_;
    return 0;
}

int TXBrowse::nHeaderHeight() const { return lHeader ? rowHeight_ + nGroupHeight() : 0; }

int TXBrowse::colLeft(int i) const { return m_.ColLeft(i); }

int TXBrowse::displayPosAt(int x) const {
    const auto d = m_.Display();
    for (int i = 1; i <= int(d.size()); ++i) {
        const int left = colLeft(i);
        if (left >= 0 && x >= left && x < left + m_.aCols[size_t(d[size_t(i) - 1]) - 1].nWidth) return i;
    }
    return 0;
}

int TXBrowse::nAtCol(int x) const {
    const int i = displayPosAt(x);
    return i ? m_.Display()[size_t(i) - 1] : 0;
}

int TXBrowse::resizeEdgeAt(int x) const {
    const auto d = m_.Display();
    for (int i = 1; i <= int(d.size()); ++i) {
        const int left = colLeft(i);
        if (left < 0) continue;
        const int right = left + m_.aCols[size_t(d[size_t(i) - 1]) - 1].nWidth - 1;
        if (std::abs(x - right) <= 1) return i;
    }
    return 0;
}

int TXBrowse::MouseRowPos(int y) const {
    if (y < nHeaderHeight()) return 0;
    const int line = (y - nHeaderHeight()) / rowHeight_ + 1;
    const int rows = std::min(m_.nDataRows, std::max(0, m_.nLen - (m_.KeyNo() - m_.nRowSel)));
    return line <= rows ? line : 0;
}

int TXBrowse::MouseColPos(int x) const {
    if (x < 0) return -1;
    return displayPosAt(x);
}

bool TXBrowse::MouseAtHeader(int y) const { return lHeader && y >= 0 && y < nHeaderHeight(); }

bool TXBrowse::MouseAtFooter(int y) const {
    if (!lFooter || !hWnd) return false;
    RECT c{};
    GetClientRect(hWnd, &c);
    return y >= c.bottom - rowHeight_ && y < c.bottom;
}

void TXBrowse::RefreshFooters() {
    m_.MakeTotals();
    if (hWnd) InvalidateRect(hWnd, nullptr, FALSE);
}

namespace {
// The width of 100 letters "B" in the window's font.
int xbrHundredB(HWND h, const std::shared_ptr<TFont>& font) {
    return h ? browseLettersWidth(h, font ? font->hFont : nullptr, 100) : 0;
}
}  // namespace

int TXBrowse::nWidthChr(const TXBrwColumn& col) const {
    const int hundred = xbrHundredB(hWnd, oFont);
    return hundred > 0 ? (col.nWidth * 100 + hundred / 2) / hundred : 10;
}

void TXBrowse::nWidthChr(TXBrwColumn& col, int chars) {
    const int hundred = xbrHundredB(hWnd, oFont);
    col.nWidth = std::max(3, chars) * hundred / 100;
    if (hWnd) InvalidateRect(hWnd, nullptr, FALSE);
}

void TXBrowse::FontSize(int delta) {
    if (!oFont || delta == 0) return;
    FontSpec spec = oFont->spec();
    const int h = spec.nHeight;
    spec.nHeight = h < 0 ? std::min(-1, h - delta) : std::max(1, h + delta);
    auto bigger = TFont::New(spec);
    SetFont(bigger);
    widthsAgain();
}

void TXBrowse::SelFont() {
    const HFONT before = oFont ? oFont->hFont : nullptr;
    TWindow::SelFont();
    if (oFont && oFont->hFont != before) widthsAgain();
}

void TXBrowse::widthsAgain() {
    // Every column takes its width again in the new font.
    for (TXBrwColumn& c : m_.aCols) c.nWidth = 0;
    Default();
    Refresh();
}

void TXBrowse::SetColumns(int row, int col) {
    HMENU menu = CreatePopupMenu();
    const size_t visible = m_.Display().size();
    for (const TXBrwColumn& c : m_.aCols) {
        UINT flags = MF_STRING | (c.lHide ? 0 : MF_CHECKED);
        // The only visible column cannot be hidden.
        if (!c.lHide && visible == 1) flags |= MF_GRAYED;
        AppendMenuA(menu, flags, UINT_PTR(kXbrColumnMenu + c.nCreationOrder), c.cHeader.c_str());
    }
    TRACKPOPUPMENU(menu, hWnd, row, col);
    DestroyMenu(menu);
}

Answer TXBrowse::RButtonDown(int row, int col, WPARAM flags) {
    CancelEdit();
    const int c = nAtCol(col);
    TXBrwColumn* column = c ? &m_.aCols[size_t(c) - 1] : nullptr;
    if (MouseAtHeader(row)) {
        if (column && column->bRClickHeader) column->bRClickHeader(row, col, unsigned(flags));
        else if (lAllowColHiding) SetColumns(row, col);
        return 0;
    }
    if (MouseAtFooter(row)) {
        if (column && column->bRClickFooter) column->bRClickFooter(row, col, unsigned(flags));
        return 0;
    }
    const int line = MouseRowPos(row);
    if (!column || !line) return TControl::RButtonDown(row, col, flags);
    // The cell is selected first, then its menu or closure.
    m_.src.bSkip(line - m_.nRowSel);
    m_.nRowSel = line;
    m_.nColSel = displayPosAt(col);
    moved();
    HMENU menu = column->bPopUp ? reinterpret_cast<HMENU>(column->bPopUp(*column)) : bPopUp ? bPopUp(*column) : nullptr;
    if (menu) {
        const RECT r = aCellCoor(line, m_.nColSel);
        TRACKPOPUPMENU(menu, hWnd, r.bottom, r.left);
        DestroyMenu(menu);
    } else if (column->bRClickData) {
        column->bRClickData(row, col, unsigned(flags));
    }
    return 0;
}

bool TXBrowse::showColumnTip(int row, int col) {
    const int c = nAtCol(col);
    const bool header = MouseAtHeader(row);
    const int key = c ? (header ? -c : c) : 0;
    if (key == tipCol_) return tipShown_;  // once per column
    tipCol_ = key;
    if (tipShown_) DestroyToolTip();
    tipShown_ = false;
    if (!c) return false;
    const TXBrwColumn& column = m_.aCols[size_t(c) - 1];
    const std::string text = header ? column.cToolTip : column.bToolTip ? column.bToolTip(row, col) : std::string();
    if (text.empty()) return false;
    ToolTipText tip;
    tip.text = text;
    ShowToolTip(row, col, tip);
    tipShown_ = true;
    return true;
}

void TXBrowse::CheckSize() {
    if (!hWnd || !oWnd || !oWnd->hWnd || (!nRightMargin && !nBottomMargin)) return;
    RECT parent{}, me{};
    GetClientRect(oWnd->hWnd, &parent);
    GetWindowRect(hWnd, &me);
    MapWindowPoints(nullptr, oWnd->hWnd, reinterpret_cast<POINT*>(&me), 2);
    const int width = nRightMargin ? int(parent.right) - nRightMargin - int(me.left) : int(me.right - me.left);
    const int height = nBottomMargin ? int(parent.bottom) - nBottomMargin - int(me.top) : int(me.bottom - me.top);
    SetWindowPos(hWnd, nullptr, 0, 0, std::max(1, width), std::max(1, height), SWP_NOMOVE | SWP_NOZORDER);
}

SIZE TXBrowse::BrwFitSize(bool resize, int rows) {
    SIZE size{};
    if (!hWnd) return size;
    RECT win{}, client{};
    GetWindowRect(hWnd, &win);
    GetClientRect(hWnd, &client);
    const int frameW = int(win.right - win.left) - int(client.right), frameH = int(win.bottom - win.top) - int(client.bottom);
    int width = 0;
    for (int c : m_.Display()) width += m_.aCols[size_t(c) - 1].nWidth;
    const int shown = std::max(3, std::min(rows > 0 ? rows : m_.nDataRows, std::max(m_.nLen, 1)));
    size.cx = width + frameW;
    size.cy = nHeaderHeight() + shown * rowHeight_ + (lFooter ? rowHeight_ : 0) + frameH;
    if (resize) {
        if (oWnd && oWnd->hWnd) {
            RECT parent{};
            GetClientRect(oWnd->hWnd, &parent);
            size.cx = std::min<LONG>(size.cx, parent.right - 2 * nRightMargin);
        }
        SetWindowPos(hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    }
    return size;
}

RECT TXBrowse::aCellCoor(int row, int displayCol) const {
    const int left = colLeft(displayCol);
    if (left < 0) return RECT{};
    const TXBrwColumn& c = m_.aCols[size_t(m_.Display()[size_t(displayCol) - 1]) - 1];
    const int top = nHeaderHeight() + (row - 1) * rowHeight_;
    return RECT{left, top, left + c.nWidth - 1, top + rowHeight_ - 1};
}

// ------------------------------------------------------------------ editing

XbrCellEditor* TXBrowse::Editor() const { return editor_ && !editor_->finished() ? editor_.get() : nullptr; }

bool TXBrowse::EditCell(int key) {
    CancelEdit();
    retired_.reset();
    TXBrwColumn* col = m_.SelectedCol();
    if (!col || !hWnd) return false;
    const XbrEditPlan plan = xbrEditPlan(m_, *col, key);
    if (!plan.error.empty()) {
        MSGINFO(Value(plan.error), Value("Class TXBrwColumn"));
        return false;
    }
    if (plan.kind == XbrEditor::None) return false;
    if (plan.kind == XbrEditor::Button) {
        runButton(*col);
        return true;
    }
    if (plan.kind == XbrEditor::MemoDialog) {
        // The memo's own dialog; a changed value is posted as by Enter (a
        // read-only cell's dialog only shows it).
        const auto v = XBREDITMEMO(plan.start, plan.readOnly, col->cHeader);
        if (v && !plan.readOnly) m_.PostEdit(*col, *v, VK_RETURN);
        ::SetFocus(hWnd);
        moved();
        return true;
    }
    return openEditor(*col, plan, key);
}

bool TXBrowse::ShowBtnList() {
    CancelEdit();
    retired_.reset();
    TXBrwColumn* col = m_.SelectedCol();
    if (!col || !hWnd || (col->nEditType != 2 && col->nEditType != 4)) return false;
    XbrEditPlan plan = xbrEditPlan(m_, *col, 0);
    if (!plan.error.empty()) {
        MSGINFO(Value(plan.error), Value("Class TXBrwColumn"));
        return false;
    }
    if (plan.kind == XbrEditor::None) return false;
    plan.kind = XbrEditor::List;
    return openEditor(*col, plan, 0);
}

bool TXBrowse::openEditor(TXBrwColumn& column, const XbrEditPlan& plan, int key) {
    TXBrwColumn* col = &column;
    editCol_ = col->nCreationOrder;
    m_.lEditMode = true;
    const RECT r = aCellCoor(m_.nRowSel, m_.nColSel);
    editor_ = std::make_unique<XbrCellEditor>(*this, *col, plan, r, oFont, key,
                                              [this](const Value& v, int k) { editDone(v, k); });
    editor_->onButton = [this] { PostMessageA(hWnd, kXbrEditorButton, 0, 0); };
    return true;
}

void TXBrowse::editorButton() {
    XbrCellEditor* e = Editor();
    if (!e || editCol_ < 1 || editCol_ > int(m_.aCols.size())) return;
    TXBrwColumn& col = m_.aCols[size_t(editCol_) - 1];
    if (col.nEditType == 4) {
        // The field gives way to the list, which starts at the entry the
        // typed text names.
        const Value typed = e->current();
        e->Cancel();
        XbrEditPlan plan = xbrEditPlan(m_, col, 0);
        if (plan.kind == XbrEditor::None || !plan.error.empty()) return;
        plan.kind = XbrEditor::List;
        plan.listIndex = xbrListIndexOf(col, typed);
        openEditor(col, plan, 0);
        return;
    }
    // Type 5: the closure runs as for the painted button (a memo without
    // one opens the memo dialog on the typed text); a value ends the edit
    // with it, leaving the selection where it is; nil goes on editing.
    const Value typed = e->current();
    Value v;
    if (col.bEditBlock) {
        v = col.bEditBlock(m_.nRowSel, m_.nColSel, col, 0);
    } else if (col.IsMemo()) {
        if (const auto edited = XBREDITMEMO(typed, false, col.cHeader)) v = *edited;
    }
    if (Editor() != e) return;  // the closure ended the edit itself
    if (!v.isNil()) e->Commit(v, 0);
    else e->Resume();
}

void TXBrowse::runButton(TXBrwColumn& col) {
    // The closure answers the new value; nil leaves the cell as it was.
    const Value v = col.bEditBlock(m_.nRowSel, m_.nColSel, col, 0);
    if (!v.isNil()) m_.PostEdit(col, v, VK_RETURN);
    ::SetFocus(hWnd);
    moved();
}

void TXBrowse::CancelEdit() {
    if (XbrCellEditor* e = Editor()) e->Cancel();
}

void TXBrowse::editDone(const Value& v, int key) {
    m_.lEditMode = false;
    // The editor may be inside its own key handler: it goes once that has
    // returned.
    retired_ = std::move(editor_);
    if (hWnd) PostMessageA(hWnd, kXbrRetireEditor, 0, 0);
    if (editCol_ >= 1 && editCol_ <= int(m_.aCols.size())) m_.PostEdit(m_.aCols[size_t(editCol_) - 1], v, key);
    editCol_ = 0;
    if (hWnd) ::SetFocus(hWnd);
    if (key != VK_ESCAPE) xbrGoNextCtrl(m_, key, m_.nMoveType, m_.lFastEdit);
    moved();
}

void TXBrowse::CheckToggle() {
    TXBrwColumn* col = m_.SelectedCol();
    if (!col || !col->hChecked || !xbrCanEdit(m_, *col)) return;
    const Value v = col->GetValue();
    if (!v.isLogical()) return;
    m_.PostEdit(*col, Value(!v.logical()), VK_RETURN);
    moved();
}

bool TXBrowse::Edit(bool newRow) {
    CancelEdit();
    const bool ran = m_.Edit(newRow);
    Refresh();
    return ran;
}

bool TXBrowse::Report(std::string title, bool preview, XbrReportOptions options) {
    CancelEdit();
    if (title.empty() && oWnd && oWnd->hWnd) {
        char text[256] = {};
        GetWindowTextA(oWnd->hWnd, text, sizeof text);
        title = text;
    }
    options.cTitle = title;
    PrinterOptions po;
    po.cDocument = title.empty() ? "Report" : title;
    po.lPreview = preview;
    auto printer = std::make_unique<TPrinter>(po);
    if (!printer->hDC) return false;
    FontSpec normal;
    normal.cFaceName = "TAHOMA";
    normal.nHeight = -8;
    FontSpec bold = normal;
    bold.lBold = true;
    const bool printed =
        XbrReport(m_, std::make_unique<ReportPrinter>(std::move(printer), std::vector<FontSpec>{normal, bold}), options);
    Refresh();
    return printed;
}

// ------------------------------------------------------------------ input

Answer TXBrowse::KeyDown(WPARAM key, LPARAM flags) {
    const bool ctrl = keyHeld(VK_CONTROL), shift = keyHeld(VK_SHIFT);
    if (key == VK_F2 && m_.lF2KeyToEdit) {
        EditCell();
        return 0;
    }
    if (ctrl && (key == VK_ADD || key == VK_SUBTRACT)) {
        FontSize(key == VK_ADD ? 1 : -1);
        return 0;
    }
    if (ctrl && key == 'V') {
        if (m_.lCanPaste && m_.Paste(fromClipboard())) Refresh();
        return 0;
    }
    CancelEdit();
    if (!m_.KeyDown(int(key), ctrl, shift)) return TControl::KeyDown(key, flags);
    if (ctrl && key == 'C') {
        // Ctrl+C only copies: the row stays.
        toClipboard(m_.copied());
        return 0;
    }
    moved();
    return 0;
}

Answer TXBrowse::KeyChar(WPARAM key, LPARAM flags) {
    if (bKeyChar) {
        const Answer a = bKeyChar(key, flags);
        if (a && *a == 0) return 0;
    }
    if (Editor()) return 0;
    TXBrwColumn* col = m_.SelectedCol();
    if (key == VK_RETURN) {
        if (col && m_.lEnterKey2Edit && !col->hChecked && xbrCanOpen(m_, *col)) {
            EditCell();
        } else if (m_.nDataType & DATATYPE_TREE && m_.oTreeItem) {
            m_.oTreeItem->Toggle();
            Refresh();
        } else {
            m_.GoRight();
            moved();
        }
        return 0;
    }
    if (key == 3 || key == 18 || key == 22 || key == 1) return 0;  // handled as keys
    if (key == VK_SPACE && col && col->hChecked && m_.nMarqueeStyle <= 3) {
        CheckToggle();
        return 0;
    }
    if (col && xbrKeyStartsEdit(m_, *col, int(key), m_.lFastEdit)) {
        EditCell(int(key));
        return 0;
    }
    if (key == VK_BACK) {
        if (!m_.cSeek.empty()) m_.Seek(m_.cSeek.substr(0, m_.cSeek.size() - 1));
        moved();
        return 0;
    }
    if (key >= 32 && key <= 255) {
        if (!m_.Seek(m_.cSeek + char(key))) MessageBeep(MB_OK);
        moved();
        return 0;
    }
    return TControl::KeyChar(key, flags);
}

Answer TXBrowse::GetDlgCode(WPARAM) { return IsWindowEnabled(hWnd) ? DLGC_WANTALLKEYS : 0; }

Answer TXBrowse::VScroll(WPARAM w, LPARAM l) {
    if (GetFocus() != hWnd) ::SetFocus(hWnd);
    if (l != 0) return std::nullopt;
    CancelEdit();
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
    CancelEdit();
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const bool page = (keys & MK_MBUTTON) != 0;
    if (delta > 0) page ? m_.PageUp() : m_.GoUp(int(lines));
    else page ? m_.PageDown() : m_.GoDown(int(lines));
    moved();
    return 0;
}

Answer TXBrowse::LButtonDown(int row, int col, WPARAM flags) {
    CancelEdit();
    if (GetFocus() != hWnd) ::SetFocus(hWnd);
    const int c = nAtCol(col);
    const int edge = resizeEdgeAt(col);
    const bool inHeader = lHeader && row < nHeaderHeight();
    if (edge && (inHeader || nColDividerStyle > 0)) {
        // Resizing by the right edge: a line follows the mouse.
        nCaptured = 3;
        pressPos_ = edge;
        dragX_ = col;
        SetCapture(hWnd);
        return 0;
    }
    if (MouseAtFooter(row)) {
        if (c && m_.aCols[size_t(c) - 1].bLClickFooter) m_.aCols[size_t(c) - 1].bLClickFooter(row, col, unsigned(flags));
        return 0;
    }
    if (inHeader) {
        if (row >= nGroupHeight() && c) {
            nCaptured = 1;
            pressPos_ = displayPosAt(col);
            pressX_ = col;
            SetCapture(hWnd);
        }
        return 0;
    }
    const int line = (row - nHeaderHeight()) / rowHeight_ + 1;
    if (line < 1 || line > m_.nDataRows || m_.nLen == 0) return 0;
    if (lKineticBrw) {
        pressed_ = true;
        moved_ = false;
        startLine_ = lastLine_ = line;
        startTime_ = bClock();
    }
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
    if (const int pos = displayPosAt(col)) {
        const bool sameCell = pos == m_.nColSel;
        m_.nColSel = pos;
        // A click on the selected cell's button runs it.
        TXBrwColumn* sel = m_.SelectedCol();
        const RECT r = aCellCoor(m_.nRowSel, pos);
        if (sameCell && sel && sel->nEditType >= 2 && sel->nEditType <= 5 && col >= r.right - 16 &&
            xbrCanOpen(m_, *sel)) {
            moved();
            if (sel->nEditType == 2 || sel->nEditType == 4) ShowBtnList();
            else if (sel->bEditBlock) runButton(*sel);
            else EditCell();
            return 0;
        }
    }
    moved();
    return TControl::LButtonDown(row, col, flags);
}

Answer TXBrowse::MouseMove(int row, int col, WPARAM flags) {
    if (nCaptured == 3) {
        const int left = colLeft(pressPos_);
        dragX_ = std::max(col, left + kXbrMinWidth - 1);
        InvalidateRect(hWnd, nullptr, FALSE);
        return 0;
    }
    if (pressed_ && (flags & MK_LBUTTON) && row >= nHeaderHeight()) {
        const int line = (row - nHeaderHeight()) / rowHeight_ + 1;
        if (line != lastLine_) {
            // The rows follow the pointer: up shows later rows.
            const int by = lastLine_ - line;
            by > 0 ? m_.GoDown(by) : m_.GoUp(-by);
            lastLine_ = line;
            moved_ = true;
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            moved();
        }
        return 0;
    }
    if (!nCaptured) {
        const int edge = resizeEdgeAt(col);
        if (edge && lHeader && row < nHeaderHeight()) SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
        // A column's tip stands: the window's own tip handling would close it.
        if (showColumnTip(row, col)) return 0;
    }
    return TControl::MouseMove(row, col, flags);
}

void TXBrowse::startFling(int rows, std::int64_t elapsed) {
    const BrowseFling f = browseFlingPlan(rows, elapsed, fling);
    if (f.steps == 0) return;
    const std::shared_ptr<bool> alive = alive_;
    const HWND self = hWnd;
    auto step = [this, &f] {
        const int before = m_.KeyNo();
        f.towardStart ? m_.GoUp() : m_.GoDown();
        moved();
        UpdateWindow(hWnd);
        return m_.KeyNo() != before;
    };
    // A press for the browse ends the fling, and stays for the browse.
    browseRunFling(f, step, browseFlingWait(alive, self, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE));
}

Answer TXBrowse::LButtonUp(int row, int col, WPARAM flags) {
    if (pressed_) {
        const bool fling = moved_;
        pressed_ = moved_ = false;
        if (fling) {
            const std::shared_ptr<bool> alive = alive_;
            startFling(lastLine_ - startLine_, bClock() - startTime_);
            if (!*alive) return 0;  // closed while the fling drained messages
            return 0;
        }
    }
    const int captured = nCaptured;
    nCaptured = 0;
    if (GetCapture() == hWnd) ReleaseCapture();
    if (captured == 3) {
        // Never narrower than 10 pixels.
        const int left = colLeft(pressPos_);
        const auto d = m_.Display();
        if (left >= 0 && pressPos_ <= int(d.size()))
            m_.aCols[size_t(d[size_t(pressPos_) - 1]) - 1].nWidth = std::max(kXbrMinWidth, col - left + 1);
        dragX_ = -1;
        moved();
        return 0;
    }
    if (captured == 1) {
        const int to = displayPosAt(col);
        const bool dragged = std::abs(col - pressX_) > 3;
        if (dragged && to && to != pressPos_ && lAllowColSwapping) {
            // Dropped on another column: the column moves there.
            const int moving = m_.Display()[size_t(pressPos_) - 1];
            std::vector<int> visible = m_.Display();
            const int fromAll = int(std::find(m_.aDisplay.begin(), m_.aDisplay.end(), moving) - m_.aDisplay.begin()) + 1;
            const int toAll =
                int(std::find(m_.aDisplay.begin(), m_.aDisplay.end(), visible[size_t(to) - 1]) - m_.aDisplay.begin()) + 1;
            m_.MoveCol(fromAll, toAll);
            m_.nColSel = to;
        } else if (!dragged && to == pressPos_) {
            // A click sorts by the column, then its own closure runs.
            const int n = m_.Display()[size_t(to) - 1];
            if (m_.SetOrder(n)) m_.KeyCount();
            if (auto& click = m_.aCols[size_t(n) - 1].bLClickHeader) click(row, col, unsigned(flags));
        }
        moved();
        return 0;
    }
    return TControl::LButtonUp(row, col, flags);
}

Answer TXBrowse::LDblClick(int row, int col, WPARAM flags) {
    if (row < nHeaderHeight()) return TControl::LDblClick(row, col, flags);
    TXBrwColumn* sel = m_.SelectedCol();
    if (sel && displayPosAt(col) == m_.nColSel && sel->bLDClickData) {
        // The column's own double click instead of editing.
        sel->bLDClickData(row, col, unsigned(flags));
        return 0;
    }
    if (sel && displayPosAt(col) == m_.nColSel && xbrCanOpen(m_, *sel)) {
        if (sel->hChecked) CheckToggle();
        else EditCell();
        return 0;
    }
    return TControl::LDblClick(row, col, flags);
}

Answer TXBrowse::ReSize(WPARAM type, int width, int height) {
    if (hWnd) {
        measure();
        m_.ColStretch();
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

// A cell background of CLR_INVALID is left unpainted (the browse's
// background picture shows through).
static void xbrFillBack(HDC dc, const RECT& r, Color back) {
    if (back != CLR_INVALID) browseFillSolid(dc, r, back);
}

void TXBrowse::cell(HDC dc, const RECT& r, const std::string& text, Color fore, Color back, int align) {
    xbrFillBack(dc, r, back);
    SetTextColor(dc, fore);
    SetBkMode(dc, TRANSPARENT);
    RECT t{r.left + 2, r.top, r.right - 3, r.bottom};
    const UINT across = align == 1 ? DT_RIGHT : align == 2 ? DT_CENTER : DT_LEFT;
    DrawTextA(dc, text.c_str(), int(text.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | across);
}

void TXBrowse::drawCellPicture(HDC dc, const RECT& r, const Value& v, bool bytes) {
    if (!v.isText() || alltrim(v.text()).empty()) return;
    int format = 0;
    HBITMAP bmp = bytes ? FILOADFROMMEMORY(v.text(), format) : FILOADIMG(alltrim(v.text()), format);
    if (!bmp) return;
    BITMAP info{};
    GetObjectA(bmp, sizeof info, &info);
    const int cw = int(r.right - r.left) - 2, ch = int(r.bottom - r.top) - 2;
    int w = int(info.bmWidth), h = int(info.bmHeight);
    if (w > cw || h > ch) {
        // Scaled down, keeping its shape; never up.
        const double k = std::min(double(cw) / w, double(ch) / h);
        w = std::max(1, int(w * k));
        h = std::max(1, int(h * k));
    }
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bmp);
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, int(r.left + r.right - w) / 2, int(r.top + r.bottom - h) / 2, w, h, mem, 0, 0, int(info.bmWidth),
               int(info.bmHeight), SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bmp);
}

void TXBrowse::SetBackGround(const std::string& picture, int mode) {
    background_.reset();
    backgroundMode_ = mode;
    if (!alltrim(picture).empty()) {
        int format = 0;
        background_.reset(FILOADIMG(alltrim(picture), format));
    }
    if (hWnd) InvalidateRect(hWnd, nullptr, FALSE);
}

void TXBrowse::drawBackground(HDC dc, const RECT& area) {
    BITMAP info{};
    GetObjectA(background_.get(), sizeof info, &info);
    const int w = int(info.bmWidth), h = int(info.bmHeight);
    const int aw = int(area.right - area.left), ah = int(area.bottom - area.top);
    if (w <= 0 || h <= 0 || aw <= 0 || ah <= 0) return;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, background_.get());
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    if (backgroundMode_ == 1) {
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, area.left, area.top, aw, ah, mem, 0, 0, w, h, SRCCOPY);
    } else if (backgroundMode_ == 2) {
        BitBlt(dc, area.left + (aw - w) / 2, area.top + (ah - h) / 2, w, h, mem, 0, 0, SRCCOPY);
    } else {
        for (int y = area.top; y < area.bottom; y += h)
            for (int x = area.left; x < area.right; x += w) BitBlt(dc, x, y, w, h, mem, 0, 0, SRCCOPY);
    }
    RestoreDC(dc, saved);
    SelectObject(mem, old);
    DeleteDC(mem);
}

void TXBrowse::drawCheck(HDC dc, const RECT& r, const Value& v) {
    if (!v.isLogical()) return;
    const int side = std::min<int>(13, std::min(r.right - r.left, r.bottom - r.top) - 2);
    RECT box{(r.left + r.right - side) / 2, (r.top + r.bottom - side) / 2, 0, 0};
    box.right = box.left + side;
    box.bottom = box.top + side;
    DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (v.logical() ? DFCS_CHECKED : 0));
}

HPEN CREATELINEPEN(int style, Color own, Color text, int width) {
    switch (style) {
        case 1:
        case 5:
        case 6: return CreatePen(PS_SOLID, std::max(1, width), own);
        case 2: return CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
        case 3: return CreatePen(PS_SOLID, 1, text);
        case 4: return CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
        default: return nullptr;
    }
}

HBRUSH CREATECOLORBRUSH(Color colour) { return CreateSolidBrush(colour); }

HBRUSH CREATECOLORBRUSH(const GradientSpec& gradient, int height) {
    if (gradient.empty() || height < 1) return nullptr;
    // One column of the gradient, repeated across and down.
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP strip = CreateCompatibleBitmap(screen, 8, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, strip);
    GRADIENTFILL(mem, 0, 0, height, 8, gradient);
    SelectObject(mem, old);
    DeleteDC(mem);
    HBRUSH brush = CreatePatternBrush(strip);
    DeleteObject(strip);  // the brush keeps its own copy
    return brush;
}

void TXBrowse::drawDividers(HDC dc, int rowsPainted, const std::vector<std::vector<int>>& openBelow) {
    RECT c{};
    GetClientRect(hWnd, &c);
    const int top = nHeaderHeight();
    const int dataBottom = lColDividerComplete ? int(c.bottom) - (lFooter ? rowHeight_ : 0)
                                               : top + rowsPainted * rowHeight_;
    if (HPEN pen = CREATELINEPEN(nColDividerStyle, nColorPen, nClrText)) {
        HGDIOBJ old = SelectObject(dc, pen);
        const auto d = m_.Display();
        for (int i = 1; i <= int(d.size()); ++i) {
            const int left = colLeft(i);
            if (left < 0) continue;
            const int x = left + m_.aCols[size_t(d[size_t(i) - 1]) - 1].nWidth - 1;
            MoveToEx(dc, x, top, nullptr);
            LineTo(dc, x, dataBottom);
            if (nColDividerStyle >= 5) {
                MoveToEx(dc, x - 2, top, nullptr);
                LineTo(dc, x - 2, dataBottom);
            }
        }
        SelectObject(dc, old);
        DeleteObject(pen);
    }
    if (HPEN pen = CREATELINEPEN(nRowDividerStyle, nColorPen, nClrText)) {
        HGDIOBJ old = SelectObject(dc, pen);
        const auto d = m_.Display();
        for (int r = 1; r <= rowsPainted; ++r) {
            const int y = top + r * rowHeight_ - 1;
            // Under each column, except where a merged run goes on below.
            auto segment = [&](int x0, int x1) {
                for (int dy = 0; dy <= (nRowDividerStyle >= 5 ? 2 : 0); dy += 2) {
                    MoveToEx(dc, x0, y - dy, nullptr);
                    LineTo(dc, x1, y - dy);
                }
            };
            int x = 0;
            for (int i = 1; i <= int(d.size()); ++i) {
                const int left = colLeft(i);
                if (left < 0) continue;
                const int right = left + m_.aCols[size_t(d[size_t(i) - 1]) - 1].nWidth;
                const auto& open = size_t(r) < openBelow.size() ? openBelow[size_t(r)] : std::vector<int>{};
                if (std::find(open.begin(), open.end(), i) == open.end()) segment(left, right);
                x = right;
            }
            if (x < c.right) segment(x, c.right);
        }
        SelectObject(dc, old);
        DeleteObject(pen);
    }
}

void TXBrowse::drawGroups(HDC dc) {
    const int band = nGroupHeight();
    if (!band) return;
    const auto d = m_.Display();
    // Each run of neighbouring columns under the same group text is painted
    // once, its text centred over the run.
    for (int i = 1; i <= int(d.size());) {
        const std::string& g = m_.aCols[size_t(d[size_t(i) - 1]) - 1].cGrpHdr;
        int j = i;
        while (j < int(d.size()) && m_.aCols[size_t(d[size_t(j)]) - 1].cGrpHdr == g) ++j;
        const int left = colLeft(i), lastLeft = colLeft(j);
        if (left >= 0 && lastLeft >= 0) {
            const RECT r{left, 0, lastLeft + m_.aCols[size_t(d[size_t(j) - 1]) - 1].nWidth - 1, band - 1};
            browseFillSolid(dc, r, nClrHeaderBack);
            SetTextColor(dc, nClrHeaderText);
            SetBkMode(dc, TRANSPARENT);
            RECT t = r;
            DrawTextA(dc, g.c_str(), int(g.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
            HPEN pen = CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
            HGDIOBJ old = SelectObject(dc, pen);
            MoveToEx(dc, r.left, r.bottom, nullptr);
            LineTo(dc, r.right + 1, r.bottom);
            LineTo(dc, r.right, r.top - 1);
            SelectObject(dc, old);
            DeleteObject(pen);
        }
        i = j + 1;
    }
}

void TXBrowse::drawMarquee(HDC dc, int line, bool focused) {
    const RECT r = aCellCoor(line, m_.nColSel);
    if (r.right <= r.left) return;
    switch (m_.nMarqueeStyle) {
        case 1: DrawFocusRect(dc, &r); break;
        case 2: {
            HBRUSH b = CreateSolidBrush(focused ? nClrSelFocusBack : nClrSelBack);
            FrameRect(dc, &r, b);
            DeleteObject(b);
            break;
        }
        case 4: {
            RECT e = r;
            DrawEdge(dc, &e, EDGE_RAISED, BF_RECT);
            break;
        }
        case 7: {
            RECT c{};
            GetClientRect(hWnd, &c);
            const int top = r.top;
            HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
            HPEN outer = CreatePen(PS_SOLID, 1, RGB(125, 162, 206));
            HGDIOBJ oldPen = SelectObject(dc, outer);
            RoundRect(dc, 0, top, c.right, top + rowHeight_, 5, 5);
            HPEN inner = CreatePen(PS_SOLID, 1, RGB(235, 244, 253));
            SelectObject(dc, inner);
            RoundRect(dc, 1, top + 1, c.right - 1, top + rowHeight_ - 1, 5, 5);
            SelectObject(dc, oldPen);
            SelectObject(dc, oldBrush);
            DeleteObject(outer);
            DeleteObject(inner);
            break;
        }
        default: break;
    }
}

void TXBrowse::drawTo(HDC dc) {
    RECT c{};
    GetClientRect(hWnd, &c);
    browseFillSolid(dc, c, nClrPane);
    if (background_) drawBackground(dc, RECT{0, nHeaderHeight(), c.right, lFooter ? c.bottom - rowHeight_ : c.bottom});
    HGDIOBJ oldFont = oFont ? SelectObject(dc, oFont->hFont) : nullptr;
    const auto d = m_.Display();
    auto eachCol = [&](const std::function<void(TXBrwColumn&, const RECT&, int pos)>& f, int top) {
        for (int i = 1; i <= int(d.size()); ++i) {
            const int left = colLeft(i);
            if (left < 0) continue;
            if (left >= c.right) break;
            TXBrwColumn& col = m_.aCols[size_t(d[size_t(i) - 1]) - 1];
            f(col, RECT{left, top, left + col.nWidth - 1, top + rowHeight_ - 1}, i);
        }
    };
    if (lHeader) {
        drawGroups(dc);
        HPEN grid = CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
        HGDIOBJ oldPen = SelectObject(dc, grid);
        eachCol([&](TXBrwColumn& col, const RECT& r, int) {
            const std::string mark = col.cOrder == "A" ? " ^" : col.cOrder == "D" ? " v" : "";
            cell(dc, r, col.cHeader + mark, nClrHeaderText, nClrHeaderBack, 0);
            MoveToEx(dc, r.right, r.top, nullptr);
            LineTo(dc, r.right, r.bottom + 1);
        }, nGroupHeight());
        SelectObject(dc, oldPen);
        DeleteObject(grid);
    }
    const bool focused = GetFocus() == hWnd;
    const int selLine = m_.nRowSel;
    const int style = m_.nMarqueeStyle;
    const bool treeMode = (m_.nDataType & DATATYPE_TREE) && m_.Tree();
    if (treeMode) m_.Tree()->Draw();
    int painted = 0, firstLine = 0;
    // Per screen line, the display positions whose merged run goes on below it.
    std::vector<std::vector<int>> openBelow(size_t(m_.nDataRows) + 2);
    m_.EachVisibleRow([&](int line) {
        painted = std::max(painted, line);
        if (!firstLine) firstLine = line;
        const int keyNo = m_.KeyNo();
        const int top = nHeaderHeight() + (line - 1) * rowHeight_;
        const bool current = line == selLine;
        const bool rowSelected = (current && style >= 4) || (!m_.aSelected.empty() && m_.IsSelected());
        eachCol([&](TXBrwColumn& col, const RECT& cellRect, int pos) {
            const int span = col.MergeRows(keyNo, line == firstLine, m_.nDataRows - line + 1);
            if (span == 0) return;  // painted with its run above
            RECT r = cellRect;
            r.bottom += (span - 1) * rowHeight_;
            for (int k = 0; k < span - 1; ++k) openBelow[size_t(line + k)].push_back(pos);
            const bool sel = rowSelected || (current && style == 3 && pos == m_.nColSel);
            const Color fore = sel ? (focused ? nClrSelFocusText : nClrSelText) : nClrText;
            const Color back = sel ? (focused ? nClrSelFocusBack : nClrSelBack) : background_ ? CLR_INVALID : nClrPane;
            const char t = col.DataType();
            if (treeMode && col.nCreationOrder == 1 && m_.oTreeItem) {
                // The outline's pictures, one 16-pixel cell each, then the prompt.
                const TreeLabel label = m_.oTreeItem->GetLabel();
                xbrFillBack(dc, r, back);
                int x = r.left;
                for (TreePicture pic : label.aPictures) {
                    drawTreePicture(dc, pic, x, r.top + (rowHeight_ - 16) / 2);
                    x += 16;
                }
                cell(dc, RECT{std::min<LONG>(x, r.right), r.top, r.right, r.bottom}, label.cPrompt, fore, back, 0);
                return;
            }
            if (col.lProgBar) {
                // The value's share of the cell in the bar colour over the other.
                const RECT all{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
                browseFillSolid(dc, r, col.nClrProgBack);
                const RECT done{all.left, all.top, all.left + col.ProgFill(int(all.right - all.left)), all.bottom};
                browseFillSolid(dc, done, col.nClrProgBar);
                SetTextColor(dc, fore);
                SetBkMode(dc, TRANSPARENT);
                const std::string text = col.StrData();
                RECT t = r;
                DrawTextA(dc, text.c_str(), int(text.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
                return;
            }
            if (col.aRowCols.size() > 1) {
                // Stacked cells, each a band of the row, the last to the bottom.
                const int n = int(col.aRowCols.size());
                const int band = rowHeight_ / n;
                for (int k = 0; k < n; ++k) {
                    const TXBrwColumn& part = m_.aCols[size_t(col.aRowCols[size_t(k)]) - 1];
                    const RECT b{r.left, r.top + k * band, r.right, k == n - 1 ? r.bottom : r.top + (k + 1) * band - 1};
                    const char pt = part.DataType();
                    cell(dc, b, part.StrData(), fore, back, part.DataStrAlign());
                }
                return;
            }
            if (t == 'F' || t == 'P' || col.nEditType == -1) {
                // A picture column: the image of the value (a file name, or
                // the image's bytes), scaled down into the cell.
                xbrFillBack(dc, r, back);
                drawCellPicture(dc, r, col.GetValue(), t == 'P');
                return;
            }
            if (const TreePicture bmp = col.CellBitmap()) {
                // The cell's picture at its alignment, the text beside it;
                // a column of pictures only centres them.
                BITMAP info{};
                GetObjectA(reinterpret_cast<HBITMAP>(bmp), sizeof info, &info);
                const int w = int(info.bmWidth), h = int(info.bmHeight);
                const bool picturesOnly = !col.bEditValue && !col.bStrData;
                const int align = picturesOnly ? 2 : col.nDataBmpAlign;
                const int x = align == 1 ? int(r.right) - w - 2 : align == 2 ? (int(r.left + r.right) - w) / 2 : int(r.left) + 2;
                RECT text = r;
                if (align == 0) text.left = std::min<LONG>(r.right, r.left + w + 5);
                else if (align == 1) text.right = std::max<LONG>(r.left, r.right - w - 5);
                xbrFillBack(dc, r, back);
                if (!picturesOnly) cell(dc, text, col.StrData(), fore, back, col.DataStrAlign());
                drawCellBitmap(dc, bmp, x, int(r.top) + (int(r.bottom - r.top) - h) / 2, col.lBmpTransparent);
            } else {
                cell(dc, r, col.StrData(), fore, back, col.DataStrAlign());
            }
            if (col.hChecked) drawCheck(dc, r, col.GetValue());
            // The button of a list or button column on the selected cell.
            if (current && pos == m_.nColSel && col.nEditType >= 2 && col.nEditType <= 5) {
                RECT b{r.right - 16, r.top, r.right, r.bottom};
                DrawFrameControl(dc, &b, col.nEditType == 2 || col.nEditType == 4 ? DFC_SCROLL : DFC_BUTTON,
                                 col.nEditType == 2 || col.nEditType == 4 ? DFCS_SCROLLDOWN : DFCS_BUTTONPUSH);
                if (col.nEditType == 3 || col.nEditType == 5)
                    DrawTextA(dc, col.cBtnCaption.c_str(), int(col.cBtnCaption.size()), &b,
                              DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
            }
        }, top);
        if (current) drawMarquee(dc, line, focused);
    });
    drawDividers(dc, painted, openBelow);
    if (lFooter) {
        eachCol([&](TXBrwColumn& col, const RECT& r, int) { cell(dc, r, col.FooterStr(), nClrHeaderText, nClrHeaderBack, 1); },
                c.bottom - rowHeight_);
    }
    if (dragX_ >= 0) {
        // The resizing line.
        RECT line{dragX_, 0, dragX_ + 1, c.bottom};
        InvertRect(dc, &line);
    }
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
    if (nMsg == kXbrRetireEditor) {
        retired_.reset();
        return 0;
    }
    if (nMsg == kXbrEditorButton) {
        editorButton();
        return 0;
    }
    if (nMsg == WM_COMMAND && l == 0) {
        const int n = int(LOWORD(w)) - kXbrColumnMenu;
        if (n >= 1 && n <= int(m_.aCols.size())) {
            TXBrwColumn& c = m_.aCols[size_t(n) - 1];
            if (c.lHide || m_.Display().size() > 1) c.lHide = !c.lHide;
            m_.nColSel = std::clamp(m_.nColSel, 1, std::max(1, int(m_.Display().size())));
            Refresh();
            return 0;
        }
    }
    return TControl::HandleEvent(nMsg, w, l);
}

}  // namespace wl
