#include "fget.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "font.hpp"
#include "get.hpp"
#include "input_and_timers.hpp"
#include "library_texts.hpp"
#include "messages.hpp"
#include "popup_menus.hpp"
#include "printer.hpp"
#include "system_dialogs.hpp"

namespace wl {

namespace {

constexpr int kRowPixels = 13, kColPixels = 8;

bool fgetCtrlDown() { return GETKEYSTATE(VK_CONTROL); }
bool fgetShiftDown() { return GETKEYSTATE(VK_SHIFT); }

std::string fgetRtrim(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// The GDI font of a GTF font-table entry. A width of 0.44 times the height
// is the format's way of saying "default width".
HFONT fgetCreateFont(const GtfFont& f, HDC printer = nullptr) {
    int height = std::atoi(f.height.c_str());
    if (printer) height = -MulDiv(std::abs(height), GetDeviceCaps(printer, LOGPIXELSY), 96);
    const long h = std::labs(std::atol(f.height.c_str()));
    int width = f.width == gtfDefaultWidth(h) ? 0 : static_cast<int>(std::lround(std::atof(f.width.c_str())));
    if (printer && width) width = MulDiv(width, GetDeviceCaps(printer, LOGPIXELSX), 96);
    return CreateFontA(height, width, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, f.italic, f.underline, f.strikeOut,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                       f.face.c_str());
}

GtfFont fgetFontOf(const std::shared_ptr<TFont>& font) {
    GtfFont f;
    if (!font) return f;
    f.face = font->cFaceName;
    f.height = std::to_string(font->nInpHeight ? font->nInpHeight : font->nHeight());
    f.width = font->nInpWidth ? std::to_string(font->nInpWidth) : gtfDefaultWidth(std::labs(std::atol(f.height.c_str())));
    f.bold = font->lBold;
    f.italic = font->lItalic;
    f.underline = font->lUnderline;
    f.strikeOut = font->lStrikeOut;
    return f;
}

// A clipboard block read to its own size, never past it.
std::string fgetBlockText(HANDLE data) {
    const SIZE_T size = GlobalSize(data);
    const char* p = static_cast<const char*>(GlobalLock(data));
    if (!p) return {};
    const void* nul = std::memchr(p, 0, size);
    std::string text(p, nul ? static_cast<const char*>(nul) - p : size);
    GlobalUnlock(data);
    return text;
}

bool fgetPutBlock(UINT format, const std::string& data) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, data.size() + 1);
    if (!mem) return false;
    std::memcpy(GlobalLock(mem), data.c_str(), data.size() + 1);
    GlobalUnlock(mem);
    if (SetClipboardData(format, mem)) return true;
    GlobalFree(mem);
    return false;
}

}  // namespace

int nClientWidth(HWND hWnd) {
    RECT c{};
    GetClientRect(hWnd, &c);
    return c.right - 2;
}

int nClientHeight(HWND hWnd) {
    RECT c{};
    GetClientRect(hWnd, &c);
    return c.bottom;
}

POINT MousePos(HWND hWnd) {
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(hWnd, &at);
    return at;
}

void Delay(double seconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds > 0 ? seconds * 1000 : 0);
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);) {
            if (m.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(m.wParam));  // left for the loop that waits for it
                return;
            }
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
}

UINT gtfClipboardFormat() { return RegisterClipboardFormatA("Get Text Format"); }
UINT rtfClipboardFormat() { return RegisterClipboardFormatA("Rich Text Format"); }

bool SetFClipData(HWND owner, const std::string& text, const std::string& gtf, const std::string& rtf) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    bool ok = fgetPutBlock(CF_TEXT, text);
    ok = fgetPutBlock(gtfClipboardFormat(), gtf) && ok;
    ok = fgetPutBlock(rtfClipboardFormat(), rtf) && ok;
    return CloseClipboard() && ok;
}

std::optional<std::string> GetFClipData(HWND owner, UINT format) {
    if (!IsClipboardFormatAvailable(format) || !OpenClipboard(owner)) return std::nullopt;
    HANDLE data = GetClipboardData(format);
    std::optional<std::string> text;
    if (data) text = fgetBlockText(data);
    CloseClipboard();
    return text;
}

// The fonts of the document's table as GDI fonts, and their measures,
// made when first asked for and remade when an entry changes.
class TFGet::Fonts : public FGetMetrics {
public:
    explicit Fonts(GtfFont fallback) : fallback_(std::move(fallback)), dc_(CreateCompatibleDC(nullptr)) {}
    ~Fonts() override {
        for (Entry& e : entries_) DeleteObject(e.font);
        DeleteDC(dc_);
    }
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    const std::vector<GtfFont>* table = nullptr;

    HFONT font(int index) const { return entry(index).font; }
    int charWidth(int index, unsigned char c) const override { return entry(index).widths[c]; }
    int height(int index) const override { return entry(index).height; }

private:
    struct Entry {
        GtfFont spec;
        HFONT font = nullptr;
        std::array<int, 256> widths{};
        int height = 0;
    };
    const Entry& entry(int index) const {
        const GtfFont& spec = table && index >= 1 && index <= static_cast<int>(table->size())
                                  ? (*table)[static_cast<size_t>(index - 1)]
                                  : fallback_;
        const size_t slot = static_cast<size_t>(std::max(index, 1) - 1);
        if (entries_.size() <= slot) entries_.resize(slot + 1);
        Entry& e = entries_[slot];
        if (!e.font || !(e.spec == spec)) {
            if (e.font) DeleteObject(e.font);
            e.spec = spec;
            e.font = fgetCreateFont(spec);
            HGDIOBJ old = SelectObject(dc_, e.font);
            INT widths[256] = {};
            GetCharWidth32A(dc_, 0, 255, widths);
            std::copy(std::begin(widths), std::end(widths), e.widths.begin());
            TEXTMETRICA tm{};
            GetTextMetricsA(dc_, &tm);
            e.height = std::max<int>(1, tm.tmHeight);
            SelectObject(dc_, old);
        }
        return e;
    }
    GtfFont fallback_;
    HDC dc_;
    mutable std::vector<Entry> entries_;
};

TFGet::TFGet() = default;

TFGet::~TFGet() {
    if (hWnd && GetFocus() == hWnd) DestroyCaret();
}

TFGet& TFGet::New(const FGetNew& a) {
    own_ = Value(std::string());
    bSetGet = a.bSetGet ? a.bSetGet : bindTo(own_);
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    oFont = a.oFont;
    baseFont_ = fgetFontOf(oFont);
    SetColor(a.nClrFore.value_or(GetSysColor(COLOR_WINDOWTEXT)), a.nClrBack.value_or(GetSysColor(COLOR_WINDOW)));
    const Value v = VarGet();
    const std::string text = v.isText() ? v.text() : std::string();
    cCaption = IsGTF(text) ? text : TxtToGtf(fgetRtrim(text), a.lCenter ? 1 : a.lRight ? 2 : 0, baseFont_, nClrText);
    nTop = a.lPixel ? static_cast<int>(a.nRow) : static_cast<int>(a.nRow * kRowPixels);
    nLeft = a.lPixel ? static_cast<int>(a.nCol) : static_cast<int>(a.nCol * kColPixels);
    nBottom = nTop + a.nHeight.value_or(11);
    nRight = nLeft + a.nWidth.value_or(static_cast<int>(std::min<size_t>(cCaption.size(), 90) * 3.5));
    oCursor = a.oCursor;
    cMsg = a.cMsg;
    lUpdate = a.lUpdate;
    bWhen = a.bWhen;
    bValid = a.bValid;
    bChange = a.bChange;
    lDrag = a.lDesign;
    lReadOnly = a.lReadOnly;
    lHScroll_ = a.lHScroll;
    lVScroll_ = !a.lNoVScroll;
    nStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    if (!a.lNoBorder) nStyle |= WS_BORDER;
    if (lVScroll_) nStyle |= WS_VSCROLL;
    if (lDrag) nStyle |= WS_CLIPSIBLINGS;
    if (lHScroll_) nStyle |= WS_HSCROLL;
    nId = GetNewId();
    Register(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS);
    createOrDefer();
    if (hWnd) Default();
    return *this;
}

TFGet& TFGet::ReDefine(int id, SetGet setGet, TWindow* parent, bool readOnly, FGetChange change) {
    own_ = Value(std::string());
    bSetGet = setGet ? std::move(setGet) : bindTo(own_);
    lReadOnly = readOnly;
    bChange = std::move(change);
    SetColor(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW));
    Register(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS);
    redefine(id, parent);
    return *this;
}

void TFGet::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    const LONG_PTR style = GetWindowLongPtrA(hWnd, GWL_STYLE);
    lVScroll_ = (style & WS_VSCROLL) != 0;
    lHScroll_ = (style & WS_HSCROLL) != 0;
    if (!oFont) baseFont_ = fgetFontOf(GetFont());
    Default();
}

void TFGet::Default() {
    TControl::Default();
    if (!hWnd) return;
    makeModel();
    loadValue();
}

void TFGet::makeModel() {
    model_.reset();
    fonts_ = std::make_unique<Fonts>(baseFont_);
    model_ = std::make_unique<FGetModel>(*fonts_, baseFont_, nClrText);
    fonts_->table = &model_->aFonts;
    model_->lHScroll = lHScroll_;
    model_->lVScroll = lVScroll_;
    model_->ReSize(nClientWidth(hWnd), nClientHeight(hWnd));
}

void TFGet::loadValue() {
    const Value v = VarGet();
    const std::string text = v.isText() ? v.text() : cCaption;
    SetTextFormat(IsGTF(text) ? text : TxtToGtf(fgetRtrim(text), 0, baseFont_, nClrText));
}

void TFGet::Refresh(bool) {
    if (hWnd) Default();
}

std::string TFGet::cText() const { return model_ ? model_->cText() : GtfToTxt(cCaption); }

std::string TFGet::GetTextFormat() const { return model_ ? model_->GetTextFormat() : cCaption; }

void TFGet::SetTextFormat(const std::string& gtf) {
    if (!model_) {
        cCaption = gtf;
        return;
    }
    model_->SetTextFormat(gtf);
    redraw();
}

void TFGet::store() {
    if (model_) VarPut(Value(model_->GetTextFormat()));
}

void TFGet::changed(int key, LPARAM flags) {
    if (bChange) bChange(key, flags, *this);
}

void TFGet::beep() const {
    if (TGet::bBeep)
        TGet::bBeep();
    else
        MessageBeep(MB_OK);
}

void TFGet::afterMove() {
    redraw();
    if (bLocate) bLocate(model_->nLineRow(), model_->nLineCol());
    SelectFormat();
}

// ---------------------------------------------------------------- painting

void TFGet::redraw() {
    if (!hWnd || !model_) return;
    adjustScrollBars();
    InvalidateRect(hWnd, nullptr, FALSE);
    placeCaret();
}

void TFGet::adjustScrollBars() {
    if (lVScroll_) {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS, 0, 0, 0, 0, 0};
        si.nMin = model_->GetLineCount() > 1 ? 1 : 0;
        si.nMax = model_->GetLineCount() > 1 ? model_->GetLineCount() : 1;
        si.nPos = model_->nLineFirst();
        SetScrollInfo(hWnd, SB_VERT, &si, TRUE);
    }
    if (lHScroll_) {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS | SIF_PAGE, 0, 0, 0, 0, 0};
        si.nMax = model_->nTextWidth();
        si.nPage = static_cast<UINT>(std::max(0, model_->nWidth()));
        si.nPos = model_->nLeftMargin();
        SetScrollInfo(hWnd, SB_HORZ, &si, TRUE);
    }
}

void TFGet::placeCaret() {
    if (!hWnd || GetFocus() != hWnd || !model_) return;
    DestroyCaret();
    CreateCaret(hWnd, nullptr, TGet::oSwitches.insert ? 6 : 2, model_->caretHeight());
    SetCaretPos(model_->nCol() + 1, model_->nRow());
    ShowCaret(hWnd);
}

Answer TFGet::Paint() {
    if (!model_) return 0;
    DispBegin();
    draw(hDC);
    DispEnd();
    return 0;
}

// Each visible line run by run in its font and colour, the rest in the
// background colour, the selected part inverted.
void TFGet::draw(HDC dc) {
    RECT c{};
    GetClientRect(hWnd, &c);
    HBRUSH pane = CreateSolidBrush(nClrPane);
    FillRect(dc, &c, pane);
    DeleteObject(pane);
    SetBkMode(dc, TRANSPARENT);
    const bool showBlock = !lFocusBlock || GetFocus() == hWnd;
    const auto& lines = model_->lines();
    HGDIOBJ oldFont = nullptr;
    int y = 0;
    for (int i = model_->nLineFirst() - 1; i < static_cast<int>(lines.size()) && y < c.bottom; ++i) {
        const TFLine& line = lines[static_cast<size_t>(i)];
        const int x0 = model_->lineX(line) + 1;
        int x = x0;
        for (size_t r = 0; r < line.aText.size(); ++r) {
            HGDIOBJ old = SelectObject(dc, fonts_->font(line.aFonts[r]));
            if (!oldFont) oldFont = old;
            SetTextColor(dc, line.aColors[r]);
            TextOutA(dc, x, y + line.height - fonts_->height(line.aFonts[r]), line.aText[r].c_str(),
                     static_cast<int>(line.aText[r].size()));
            for (unsigned char ch : line.aText[r]) x += fonts_->charWidth(line.aFonts[r], ch);
        }
        if (showBlock && line.aBlock) {
            const auto& p = model_->paragraphs()[static_cast<size_t>(line.para)];
            int from = x0, to = x0;
            for (int k = 0; k < line.aBlock->second; ++k) {
                const FGetChar& ch = p.chars[static_cast<size_t>(line.start + k)];
                const int w = fonts_->charWidth(ch.font, static_cast<unsigned char>(ch.c));
                if (k < line.aBlock->first) from += w;
                to += w;
            }
            if (line.lCrLf && line.aBlock->second >= line.length && i + 1 < static_cast<int>(lines.size()) &&
                model_->block().second.para > line.para)
                to += 4;  // the selected line end
            RECT r{from, y, to, y + line.height};
            InvertRect(dc, &r);
        }
        y += line.height;
    }
    if (oldFont) SelectObject(dc, oldFont);
}

// ---------------------------------------------------------------- focus and size

Answer TFGet::GotFocus(HWND lost) {
    TControl::GotFocus(lost);
    placeCaret();
    InvalidateRect(hWnd, nullptr, FALSE);
    return 0;
}

Answer TFGet::KillFocus(HWND gaining) {
    const Answer a = TControl::KillFocus(gaining);
    DestroyCaret();
    store();
    if (hWnd) InvalidateRect(hWnd, nullptr, FALSE);
    return a;
}

Answer TFGet::ReSize(WPARAM sizeType, int width, int height) {
    TControl::ReSize(sizeType, width, height);
    if (model_) {
        model_->ReSize(nClientWidth(hWnd), nClientHeight(hWnd));
        redraw();
    }
    return 0;
}

Answer TFGet::GetDlgCode(WPARAM key) {
    TControl::GetDlgCode(key);
    return DLGC_WANTALLKEYS;
}

Answer TFGet::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    if (nMsg == WM_KEYUP) return KeyUp(w, l);
    if (nMsg == WM_PRINTCLIENT && model_) {
        draw(reinterpret_cast<HDC>(w));
        return 0;
    }
    if (nMsg == WM_CONTEXTMENU) return 0;  // the menu opens on the button press
    return TControl::HandleEvent(nMsg, w, l);
}

// ---------------------------------------------------------------- keys

Answer TFGet::KeyDown(WPARAM key, LPARAM flags) {
    if (!model_) return TControl::KeyDown(key, flags);
    const bool ctrl = fgetCtrlDown(), shift = fgetShiftDown();
    FGetModel& m = *model_;
    switch (key) {
    case VK_SHIFT: m.anchorHere(); return 0;
    case VK_UP:
        if (ctrl) break;
        if (m.nLineRow() == 1 && bBof) bBof();
        m.GoPrevLine(shift);
        break;
    case VK_DOWN:
        if (ctrl) break;
        if (m.nLineRow() == m.GetLineCount() && bEof) bEof();
        m.GoNextLine(shift);
        break;
    case VK_LEFT: ctrl ? m.GoPrevWord(shift) : m.GoPrevChar(shift); break;
    case VK_RIGHT: ctrl ? m.GoNextWord(shift) : m.GoNextChar(shift); break;
    case VK_HOME: ctrl ? m.GoTop(shift) : m.GoInitLine(shift); break;
    case VK_END: ctrl ? m.GoBottom(shift) : m.GoEndLine(shift); break;
    case VK_PRIOR:
        if (!ctrl) m.PageUp(shift);
        break;
    case VK_NEXT:
        if (!ctrl) m.PageDown(shift);
        break;
    case VK_DELETE:
        if (lReadOnly) return 0;
        ctrl ? m.DeleteEnd() : m.Delete();
        changed(static_cast<int>(key), flags);
        break;
    case VK_INSERT:
        TGet::oSwitches.insert = !TGet::oSwitches.insert;
        placeCaret();
        return 0;
    default: return TControl::KeyDown(key, flags);
    }
    afterMove();
    return 0;
}

Answer TFGet::KeyUp(WPARAM key, LPARAM) {
    if (key == VK_SHIFT && model_) {
        model_->dropEmptyBlock();
        redraw();
    }
    return 0;
}

Answer TFGet::KeyChar(WPARAM key, LPARAM flags) {
    if (!model_) return TControl::KeyChar(key, flags);
    if (key == 3) {  // Ctrl+C: copying changes nothing
        Copy();
        return 0;
    }
    if (lReadOnly) return TControl::KeyChar(key, flags);
    FGetModel& m = *model_;
    const bool ctrl = fgetCtrlDown();
    switch (key) {
    case 22: Paste(); break;
    case 24: Cut(); break;
    case 26: UnDo(); break;
    case VK_BACK: ctrl ? m.DeleteInit() : m.BackSpace(); break;
    case VK_RETURN:
        if (!m.Return()) beep();
        break;
    case VK_TAB: return TControl::KeyChar(key, flags);
    default:
        if (key < 32 || key > 255) return TControl::KeyChar(key, flags);
        if (!m.Char(static_cast<char>(key), TGet::oSwitches.insert)) beep();
    }
    afterMove();
    changed(static_cast<int>(key), flags);
    return 0;
}

// ---------------------------------------------------------------- mouse

Answer TFGet::LButtonDown(int row, int col, WPARAM flags) {
    if (!model_) return TControl::LButtonDown(row, col, flags);
    if (GetFocus() != hWnd) ::SetFocus(hWnd);
    const bool shift = (flags & MK_SHIFT) != 0;
    model_->MoveCaret(col - 1, row, shift);
    if (!shift) model_->anchorHere();
    dragging_ = true;
    SetCapture(hWnd);
    afterMove();
    return 0;
}

namespace {
constexpr UINT_PTR kFGetDragTimer = 1;
}  // namespace

// Dragging past the top or bottom scrolls a line every 0.03 seconds while
// the pointer stays there, as the view follows the caret.
Answer TFGet::MouseMove(int row, int col, WPARAM flags) {
    if (!dragging_ || !model_) return TControl::MouseMove(row, col, flags);
    RECT c{};
    GetClientRect(hWnd, &c);
    const int step = row < 0 ? -1 : row >= c.bottom ? 1 : 0;
    if (step && !dragStep_) SetTimer(hWnd, kFGetDragTimer, 30, nullptr);
    if (!step && dragStep_) KillTimer(hWnd, kFGetDragTimer);
    dragStep_ = step;
    model_->MoveCaret(col - 1, row, true);
    afterMove();
    return 0;
}

Answer TFGet::Timer(WPARAM id, LPARAM l) {
    if (id != kFGetDragTimer || !model_) return TControl::Timer(id, l);
    if (!dragging_ || !dragStep_) {
        KillTimer(hWnd, kFGetDragTimer);
        return 0;
    }
    dragStep_ < 0 ? model_->GoPrevLine(true) : model_->GoNextLine(true);
    afterMove();
    return 0;
}

Answer TFGet::LButtonUp(int row, int col, WPARAM flags) {
    if (!dragging_) return TControl::LButtonUp(row, col, flags);
    dragging_ = false;
    if (dragStep_) KillTimer(hWnd, kFGetDragTimer);
    dragStep_ = 0;
    ReleaseCapture();
    if (model_) model_->dropEmptyBlock();
    redraw();
    return 0;
}

Answer TFGet::LDblClick(int, int, WPARAM) {
    if (!model_) return 0;
    model_->BlockWord();
    afterMove();
    return 0;
}

Answer TFGet::RButtonDown(int row, int col, WPARAM flags) {
    if (GetFocus() != hWnd) ::SetFocus(hWnd);
    if (bRClicked) {
        bRClicked(row, col, flags, *this);
        return 0;
    }
    if (!model_) return 0;
    const bool block = model_->lBlock();
    const bool writable = !lReadOnly;
    const bool clip = IsClipboardFormatAvailable(CF_TEXT) || IsClipboardFormatAvailable(gtfClipboardFormat());
    auto flag = [](bool on) { return static_cast<UINT>(MF_STRING | (on ? MF_ENABLED : MF_GRAYED)); };
    HMENU align = CreatePopupMenu();
    AppendMenuA(align, MF_STRING, kFGetAlignLeft, WLSTRING("&Left").c_str());
    AppendMenuA(align, flag(!lHScroll_), kFGetAlignCenter, WLSTRING("&Center").c_str());
    AppendMenuA(align, flag(!lHScroll_), kFGetAlignRight, WLSTRING("&Right").c_str());
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, flag(model_->lBak() && writable), kFGetUndo, WLSTRING("&Undo").c_str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, flag(block && writable), kFGetCut, WLSTRING("Cu&t").c_str());
    AppendMenuA(menu, flag(block), kFGetCopy, WLSTRING("&Copy").c_str());
    AppendMenuA(menu, flag(clip && writable), kFGetPaste, WLSTRING("&Paste").c_str());
    AppendMenuA(menu, flag(block && writable), kFGetDelete, WLSTRING("&Delete").c_str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, flag(writable), kFGetFont, WLSTRING("&Font...").c_str());
    AppendMenuA(menu, MF_POPUP | (writable ? MF_ENABLED : MF_GRAYED), reinterpret_cast<UINT_PTR>(align),
                WLSTRING("A&lign").c_str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kFGetPrint, WLSTRING("P&rint").c_str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kFGetSelectAll, WLSTRING("Select &all").c_str());
    SHOWPOPUPMENU(menu, hWnd, row, col);
    return 0;
}

Answer TFGet::Command(WPARAM w, LPARAM l) {
    if (l != 0) return TControl::Command(w, l);
    switch (LOWORD(w)) {
    case kFGetUndo: UnDo(); return 0;
    case kFGetCut: Cut(); return 0;
    case kFGetCopy: Copy(); return 0;
    case kFGetPaste: Paste(); return 0;
    case kFGetDelete: Del(); return 0;
    case kFGetFont: GetFontColor(); return 0;
    case kFGetAlignLeft: SetAlign(0); return 0;
    case kFGetAlignCenter: SetAlign(1); return 0;
    case kFGetAlignRight: SetAlign(2); return 0;
    case kFGetPrint: Print(); return 0;
    case kFGetSelectAll: SelectAll(); return 0;
    default: return TControl::Command(w, l);
    }
}

Answer TFGet::VScroll(WPARAM w, LPARAM l) {
    if (!model_ || l) return TControl::VScroll(w, l);
    switch (LOWORD(w)) {
    case SB_LINEUP: model_->ScrollLines(-1); break;
    case SB_LINEDOWN: model_->ScrollLines(1); break;
    case SB_PAGEUP: model_->ScrollLines(-model_->nLineVisib()); break;
    case SB_PAGEDOWN: model_->ScrollLines(model_->nLineVisib()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: model_->ScrollTo(HIWORD(w)); break;
    default: return 0;
    }
    adjustScrollBars();
    InvalidateRect(hWnd, nullptr, FALSE);
    placeCaret();
    return 0;
}

Answer TFGet::HScroll(WPARAM w, LPARAM l) {
    if (!model_ || l) return TControl::HScroll(w, l);
    const int step = model_->nCharWidth;
    switch (LOWORD(w)) {
    case SB_LINELEFT: model_->ScrollLeft(model_->nLeftMargin() - step); break;
    case SB_LINERIGHT: model_->ScrollLeft(model_->nLeftMargin() + step); break;
    case SB_PAGELEFT: model_->ScrollLeft(model_->nLeftMargin() - model_->nWidth()); break;
    case SB_PAGERIGHT: model_->ScrollLeft(model_->nLeftMargin() + model_->nWidth()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: model_->ScrollLeft(HIWORD(w)); break;
    default: return 0;
    }
    adjustScrollBars();
    InvalidateRect(hWnd, nullptr, FALSE);
    placeCaret();
    return 0;
}

// ---------------------------------------------------------------- clipboard, undo, formats

void TFGet::Copy() {
    if (!model_ || !model_->lBlock()) return;
    const std::string gtf = model_->GetBlock();
    if (!SetFClipData(hWnd, model_->GetBlockText(), gtf, gtfToRtf(gtf).value_or(std::string())))
        MSGALERT(Value("The clipboard is not available now!"));
}

void TFGet::Cut() {
    if (lReadOnly || !model_ || !model_->lBlock()) return;
    Copy();
    model_->DelBlock();
    afterMove();
    changed(0, 0);
}

void TFGet::Del() {
    if (lReadOnly || !model_) return;
    model_->DelBlock();
    afterMove();
    changed(0, 0);
}

void TFGet::Paste() {
    if (lReadOnly || !model_) return;
    const auto gtf = GetFClipData(hWnd, gtfClipboardFormat());
    const auto rtf = gtf ? std::nullopt : GetFClipData(hWnd, rtfClipboardFormat());
    const auto text = gtf || rtf ? std::nullopt : GetFClipData(hWnd, CF_TEXT);
    if (!gtf && !rtf && !text) return;
    if (!model_->Paste(gtf, rtf, text)) beep();
    afterMove();
    changed(0, 0);
}

void TFGet::UnDo() {
    if (lReadOnly || !model_ || !model_->UnDo()) return;
    afterMove();
}

void TFGet::SelectAll() {
    if (!model_) return;
    model_->SelectAll();
    redraw();
}

bool TFGet::Find(const std::string& text, bool next) {
    if (!model_ || !model_->Find(text, next)) return false;
    afterMove();
    return true;
}

void TFGet::SetFormat(const GtfFont& font, Color color) {
    if (lReadOnly || !model_) return;
    model_->SetFormat(font, color);
    afterMove();
}

void TFGet::SetAlign(int align) {
    if (lReadOnly || !model_) return;
    model_->SetAlign(align);
    afterMove();
}

void TFGet::SelectFormat() {
    if (!bFormat || !model_) return;
    bFormat(fonts_->font(model_->hFont()), model_->nColor(), model_->nAlign());
}

void TFGet::GetFontColor() {
    if (lReadOnly || !model_) return;
    const GtfFont& current = model_->aFonts[static_cast<size_t>(
        std::clamp(model_->hFont(), 1, static_cast<int>(model_->aFonts.size())) - 1)];
    LOGFONTA lf{};
    GetObjectA(fonts_->font(model_->hFont()), sizeof lf, &lf);
    COLORREF color = model_->nColor();
    const auto chosen = CHOOSEFONT(lf, &color);
    if (!chosen) {
        MSGINFO(Value("cancelado..."));
        return;
    }
    GtfFont f = current;
    f.face = chosen->lfFaceName;
    f.height = std::to_string(chosen->lfHeight);
    f.width = chosen->lfWidth ? std::to_string(chosen->lfWidth) : gtfDefaultWidth(std::labs(chosen->lfHeight));
    f.bold = chosen->lfWeight >= FW_BOLD;
    f.italic = chosen->lfItalic != 0;
    f.underline = chosen->lfUnderline != 0;
    f.strikeOut = chosen->lfStrikeOut != 0;
    SetFormat(f, color);
}

// ---------------------------------------------------------------- printing

void TFGet::Print(const std::string& printerModel) {
    if (!model_) return;
    PrinterOptions o;
    o.cDocument = "Notes";
    o.cModel = printerModel;
    TPrinter printer(o);
    if (!printer.hDC) {
        MSGSTOP(Value("Printer not ready!"));
        return;
    }
    HDC dc = printer.hDCOut ? printer.hDCOut : printer.hDC;
    std::vector<HFONT> fonts;
    for (const GtfFont& f : model_->aFonts) fonts.push_back(fgetCreateFont(f, dc));
    const int width = printer.nHorzRes(), height = printer.nVertRes();
    int y = 0;
    printer.StartPage();
    SetBkMode(dc, TRANSPARENT);
    auto fontOf = [&](int index) {
        return fonts[static_cast<size_t>(std::clamp(index, 1, static_cast<int>(fonts.size())) - 1)];
    };
    HGDIOBJ old = SelectObject(dc, fonts.front());
    for (const TFLine& line : model_->lines()) {
        // Each line as the window wraps it, measured in the printer's fonts.
        int lineWidth = 0, lineHeight = 0;
        for (size_t r = 0; r < line.aText.size(); ++r) {
            SelectObject(dc, fontOf(line.aFonts[r]));
            SIZE s{};
            GetTextExtentPoint32A(dc, line.aText[r].c_str(), static_cast<int>(line.aText[r].size()), &s);
            lineWidth += s.cx;
            lineHeight = std::max<int>(lineHeight, s.cy);
        }
        if (line.aText.empty()) {
            TEXTMETRICA tm{};
            SelectObject(dc, fontOf(model_->paragraphs()[static_cast<size_t>(line.para)].font));
            GetTextMetricsA(dc, &tm);
            lineHeight = tm.tmHeight;
        }
        if (y + lineHeight > height && y > 0) {
            printer.EndPage();
            printer.StartPage();
            SetBkMode(dc, TRANSPARENT);
            y = 0;
        }
        int x = line.nAlign == 1 ? (width - lineWidth) / 2 : line.nAlign == 2 ? width - lineWidth : 0;
        for (size_t r = 0; r < line.aText.size(); ++r) {
            SelectObject(dc, fontOf(line.aFonts[r]));
            SetTextColor(dc, line.aColors[r]);
            TextOutA(dc, x, y, line.aText[r].c_str(), static_cast<int>(line.aText[r].size()));
            SIZE s{};
            GetTextExtentPoint32A(dc, line.aText[r].c_str(), static_cast<int>(line.aText[r].size()), &s);
            x += s.cx;
        }
        y += lineHeight;
    }
    SelectObject(dc, old);
    printer.EndPage();
    printer.End();
    for (HFONT f : fonts) DeleteObject(f);
}

}  // namespace wl
