#include "multiget.hpp"

#include "clip_board.hpp"

#include <algorithm>

#include "button.hpp"
#include "clipboard.hpp"
#include "cursors.hpp"
#include "desktop_facts.hpp"
#include "dialog.hpp"
#include "dlg_find.hpp"
#include "file_io.hpp"
#include "get.hpp"
#include "go_to_dialog.hpp"
#include "input_and_timers.hpp"
#include "library_texts.hpp"
#include "messages.hpp"
#include "multiget_model.hpp"
#include "popup_menus.hpp"
#include "printer.hpp"
#include "visual_styles.hpp"

namespace wl {

namespace {

constexpr int kRowPixels = 13, kColPixels = 8;

std::string rtrim(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

std::string trimBoth(const std::string& s) {
    const std::size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

bool ctrlDown() { return GETKEYSTATE(VK_CONTROL); }
bool shiftDown() { return GETKEYSTATE(VK_SHIFT); }

// Restores the arrow cursor however the print ends.
struct WaitCursor {
    WaitCursor() { CURSORWAIT(); }
    ~WaitCursor() { SetCursor(LoadCursorA(nullptr, IDC_ARROW)); }
};

}  // namespace

TMultiGet::TMultiGet() = default;
TMultiGet::~TMultiGet() = default;

TMultiGet& TMultiGet::New(const MultiGetNew& a) {
    own_ = Value(std::string());
    bSetGet = a.bSetGet ? a.bSetGet : bindTo(own_);
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    const Value v = VarGet();
    cCaption = rtrim(v.isNil() ? std::string() : v.isText() ? v.text() : CVALTOCHAR(v));
    nTop = a.lPixel ? static_cast<int>(a.nRow) : static_cast<int>(a.nRow * kRowPixels);
    nLeft = a.lPixel ? static_cast<int>(a.nCol) : static_cast<int>(a.nCol * kColPixels);
    nBottom = nTop + a.nHeight.value_or(11);
    nRight = nLeft + (a.nWidth ? *a.nWidth : static_cast<int>(cCaption.size() * 3.5));
    oFont = a.oFont;
    oCursor = a.oCursor;
    cMsg = a.cMsg;
    lUpdate = a.lUpdate;
    bWhen = a.bWhen;
    bValid = a.bValid;
    bChange = a.bChange;
    lDrag = a.lDesign;
    lReadOnly = a.lReadOnly;

    nStyle = WS_CHILD | WS_VISIBLE | ES_WANTRETURN | ES_MULTILINE;
    if (!lReadOnly) nStyle |= WS_TABSTOP;
    if (!a.lNoVScroll) nStyle |= WS_VSCROLL;
    if (lDrag) nStyle |= WS_CLIPSIBLINGS;
    if (a.lHScroll) nStyle |= WS_HSCROLL;
    if (a.lCenter) nStyle |= ES_CENTER;
    else if (a.lRight) nStyle |= ES_RIGHT;
    if (!a.lNoBorder) {
        if (!ISAPPTHEMED() || dynamic_cast<TDialog*>(oWnd)) nStyle |= WS_BORDER;
        if (ISAPPTHEMED()) nExStyle |= WS_EX_CLIENTEDGE;
    }
    if (!a.cColors.empty())
        SetColor(a.cColors);
    else
        SetColor(a.nClrFore.value_or(GetSysColor(COLOR_WINDOWTEXT)), a.nClrBack.value_or(GetSysColor(COLOR_WINDOW)));
    nId = GetNewId();
    nPos = 0;
    createOrDefer();
    if (hWnd) {
        LimitText();
        SetWindowTextA(hWnd, cCaption.c_str());
    }
    return *this;
}

TMultiGet& TMultiGet::ReDefine(int id, SetGet setGet, TWindow* parent, bool readOnly, MultiGetChange change) {
    own_ = Value(std::string());
    bSetGet = setGet ? std::move(setGet) : bindTo(own_);
    lReadOnly = readOnly;
    bChange = std::move(change);
    nPos = 0;
    SetColor(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW));
    redefine(id, parent);
    return *this;
}

void TMultiGet::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    LimitText();
    const Value v = VarGet();
    SetWindowTextA(hWnd, rtrim(v.isText() ? v.text() : CVALTOCHAR(v)).c_str());
}

LRESULT TMultiGet::callNative(UINT nMsg, WPARAM w, LPARAM l) {
    return nOldProc ? CallWindowProcA(nOldProc, hWnd, nMsg, w, l) : SendMessageA(hWnd, nMsg, w, l);
}

void TMultiGet::store() {
    if (hWnd) VarPut(Value(GetText()));
}

void TMultiGet::changed(int key, LPARAM flags) {
    if (bChange) bChange(key, flags, *this);
}

bool TMultiGet::hasSelection() const {
    int s = 0, e = 0;
    GetSelPos(s, e);
    return e > s;
}

// ---------------------------------------------------------------- text and lines

std::string TMultiGet::cText(const std::optional<std::string>& text) {
    if (text) {
        if (hWnd) SetWindowTextA(hWnd, text->c_str());
        VarPut(Value(*text));
    }
    return hWnd ? GetText() : cCaption;
}

void TMultiGet::Refresh(bool /*erase*/) {
    if (!hWnd) return;
    int s = 0, e = 0;
    GetSelPos(s, e);
    const Value v = VarGet();
    SetWindowTextA(hWnd, (v.isText() ? v.text() : CVALTOCHAR(v)).c_str());
    SendMessageA(hWnd, EM_SETSEL, static_cast<WPARAM>(s), static_cast<LPARAM>(e));
}

void TMultiGet::Append(const std::string& text) {
    if (!hWnd) return;
    const int end = Len();
    SendMessageA(hWnd, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
    SendMessageA(hWnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    store();
}

void TMultiGet::Replace(const std::string& text) {
    if (!hWnd) return;
    SendMessageA(hWnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    store();
}

int TMultiGet::Len() const { return hWnd ? GetWindowTextLengthA(hWnd) : static_cast<int>(cCaption.size()); }

std::string TMultiGet::GetLine(int n) const {
    if (!hWnd) return {};
    const int index = LineIndex(n - 1);
    if (index < 0) return {};
    const int length = static_cast<int>(SendMessageA(hWnd, EM_LINELENGTH, static_cast<WPARAM>(index), 0));
    // EM_GETLINE takes the buffer's size in its first word.
    std::string line(static_cast<std::size_t>(std::max(length, 1)) + sizeof(WORD), '\0');
    *reinterpret_cast<WORD*>(line.data()) = static_cast<WORD>(line.size());
    const LRESULT got = SendMessageA(hWnd, EM_GETLINE, static_cast<WPARAM>(n - 1), reinterpret_cast<LPARAM>(line.data()));
    line.resize(static_cast<std::size_t>(std::max<LRESULT>(got, 0)));
    return multiGetLineText(line);
}

int TMultiGet::GetLineCount() const { return hWnd ? static_cast<int>(SendMessageA(hWnd, EM_GETLINECOUNT, 0, 0)) : 0; }

int TMultiGet::LineIndex(int n) const {
    return hWnd ? static_cast<int>(SendMessageA(hWnd, EM_LINEINDEX, static_cast<WPARAM>(n), 0)) : -1;
}

int TMultiGet::GetRow() const {
    int s = 0, e = 0;
    GetSelPos(s, e);
    return hWnd ? static_cast<int>(SendMessageA(hWnd, EM_LINEFROMCHAR, static_cast<WPARAM>(s), 0)) + 1 : 1;
}

int TMultiGet::GetCol() const {
    int s = 0, e = 0;
    GetSelPos(s, e);
    return s - LineIndex(GetRow() - 1) + 1;
}

void TMultiGet::GoTo(int line) {
    const int index = LineIndex(line);
    if (index < 0) return;
    SendMessageA(hWnd, EM_SETSEL, static_cast<WPARAM>(index), static_cast<LPARAM>(index));
    SendMessageA(hWnd, EM_SCROLLCARET, 0, 0);
    nPos = index;
}

void TMultiGet::GoBottom() {
    if (!hWnd) return;
    const int end = static_cast<int>(trimBoth(GetText()).size());
    SendMessageA(hWnd, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
    SendMessageA(hWnd, EM_LINESCROLL, 0, GetLineCount());
}

void TMultiGet::SetSel(int start, std::optional<int> end) {
    if (hWnd) SendMessageA(hWnd, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end.value_or(start)));
    nPos = start;
}

std::string TMultiGet::GetSel() const {
    int s = 0, e = 0;
    GetSelPos(s, e);
    if (e <= s) return {};
    return GetText().substr(static_cast<std::size_t>(s), static_cast<std::size_t>(e - s));
}

void TMultiGet::GetSelPos(int& start, int& end) const {
    DWORD s = 0, e = 0;
    if (hWnd) SendMessageA(hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = static_cast<int>(s);
    end = static_cast<int>(e);
}

void TMultiGet::LimitText(std::optional<int> n) {
    if (hWnd) SendMessageA(hWnd, EM_LIMITTEXT, static_cast<WPARAM>(n.value_or(0)), 0);
}

// ---------------------------------------------------------------- editing

void TMultiGet::Copy() {
    if (!TClipBoard(CF_TEXT, this).SetText(GetSel())) MSGALERT(Value("The clipboard is not available now!"));
}

void TMultiGet::Cut() {
    if (lReadOnly) {
        MSGALERT(Value("The get is read only!"), Value("Can't cut"));
        return;
    }
    callNative(WM_CUT);
    store();
    changed(0, 0);
}

void TMultiGet::Del() {
    if (lReadOnly) {
        MSGALERT(Value("The get is read only!"), Value("Can't delete"));
        return;
    }
    callNative(WM_CLEAR);
    store();
    changed(0, 0);
}

void TMultiGet::Paste(const std::optional<std::string>& text) {
    if (text) TClipBoard(CF_TEXT, this).SetText(*text);
    callNative(WM_PASTE);
    store();
    changed(0, 0);
}

void TMultiGet::UnDo() {
    callNative(EM_UNDO);
    store();
}

void TMultiGet::DelLine(std::optional<int> n) {
    if (lReadOnly || !hWnd) return;
    const int row = n.value_or(GetRow());
    const int next = row < GetLineCount() ? LineIndex(row) : -1;
    const CharRange r = multiGetLineRange(LineIndex(row - 1), next, Len());
    SendMessageA(hWnd, EM_SETSEL, static_cast<WPARAM>(r.start), static_cast<LPARAM>(r.end));
    callNative(WM_CUT);
    store();
    changed(0, 0);
}

bool TMultiGet::SaveToFile(const std::string& file) {
    return writeFileAtomically(file, GetText()) == 0;
}

TDlgFind* TMultiGet::Find(const std::string& text) {
    oFind_ = DlgFindText(text, this);
    return oFind_.get();
}

// The dialog shows the row 1-based; Ok goes to that same row.
void TMultiGet::DlgGoLine() {
    if (const auto row = GoToLineDialog(this, GetRow())) GoTo(multiGetGoToLine(*row));
}

void TMultiGet::Print(const std::string& model) {
    PrinterOptions o;
    o.cDocument = "Notes";
    o.cModel = model;
    TPrinter printer(o);
    if (!printer.hDC) {
        MSGSTOP(Value("Printer not ready!"));
        return;
    }
    WaitCursor wait;
    FontSpec spec;
    spec.cFaceName = GETSYSFONT();
    spec.nHeight = -11;
    spec.oDevice = printer.hDC;
    const std::shared_ptr<TFont> font = TFont::New(spec);
    for (const auto& page : multiGetPrintPages(GetLineCount(), printer.nVertRes())) {
        printer.StartPage();
        for (const PrintedLine& line : page) printer.Say(line.top, 0, GetLine(line.line), font);
        printer.EndPage();
    }
    printer.End();
    font->End();
}

// ---------------------------------------------------------------- keys and mouse

Answer TMultiGet::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    switch (nMsg) {
    case WM_CONTEXTMENU: return 0;  // the menu opens on the button press
    case WM_PAINT: {
        // The EDIT paints (and validates) itself: painting it inside our own
        // BeginPaint lets its scroll updates ask for paint after paint.
        // bPainted draws on top afterwards.
        if (!bPainted) return TControl::HandleEvent(nMsg, w, l);
        callNative(WM_PAINT, w, l);
        HDC dc = ::GetDC(hWnd);
        bPainted(dc, nullptr, *this);
        ::ReleaseDC(hWnd, dc);
        return 0;
    }
    case WM_PRINTCLIENT:
        paintOn(reinterpret_cast<HDC>(w), nullptr);
        return 0;
    default: return TControl::HandleEvent(nMsg, w, l);
    }
}

Answer TMultiGet::Paint() {
    paintOn(hDC, &cPS);
    return 0;
}

void TMultiGet::paintOn(HDC dc, const PAINTSTRUCT* ps) {
    if (!dc || !hWnd) return;
    if (oBrush && oBrush->hBrush) {
        RECT r{};
        GetClientRect(hWnd, &r);
        FillRect(dc, &r, oBrush->hBrush);
    } else {
        callNative(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
    }
    callNative(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    if (bPainted) bPainted(dc, ps, *this);
}

Answer TMultiGet::GetDlgCode(WPARAM key) {
    TControl::GetDlgCode(key);
    return DLGC_WANTALLKEYS;
}

Answer TMultiGet::KeyDown(WPARAM key, LPARAM flags) {
    const bool ctrl = ctrlDown(), shift = shiftDown();
    const bool clipboardKey = (key == VK_INSERT && shift) || (ctrl && (key == 'V' || key == 'X'));
    if (clipboardKey) {
        if (lReadOnly) return 0;
        callNative(WM_KEYDOWN, key, flags);
        store();
        changed(static_cast<int>(key), flags);
        return 0;
    }
    if (key == VK_DELETE) {
        if (lReadOnly) return 0;
        changed(static_cast<int>(key), flags);
        callNative(WM_KEYDOWN, key, flags);
        store();
        return 0;
    }
    if (key == VK_TAB) return TControl::KeyDown(key, flags);
    return std::nullopt;  // caret keys: the native control
}

Answer TMultiGet::KeyChar(WPARAM key, LPARAM flags) {
    if (const auto hot = TGet::aHotKeys.find(static_cast<int>(key)); hot != TGet::aHotKeys.end() && hot->second &&
                                                                    (static_cast<DWORD>(flags) & (1u << 24))) {
        hot->second(*this);
        return 0;
    }
    if (lReadOnly) {
        if (key == VK_RETURN && oWnd) oWnd->GoNextCtrl(hWnd);
        if (key == 3) return std::nullopt;  // Ctrl+C copies
        return 0;
    }
    if (key == VK_RETURN && (GetWindowLongPtrA(hWnd, GWL_STYLE) & ES_WANTRETURN)) {
        if (oWnd) oWnd->setLastKey(0);
        changed(static_cast<int>(key), flags);
        callNative(WM_CHAR, key, flags);
        store();
        return 0;
    }
    if (key == VK_TAB) return TControl::KeyChar(key, flags);
    callNative(WM_CHAR, key, flags);
    store();
    changed(static_cast<int>(key), flags);
    return 0;
}

Answer TMultiGet::GotFocus(HWND lost) {
    TControl::GotFocus(lost);
    if (!TGet::oSwitches.insert) return std::nullopt;  // the native control shows its caret
    // The native control makes its caret first; insert mode widens it.
    callNative(WM_SETFOCUS, reinterpret_cast<WPARAM>(lost));
    ShapeEditCaret(hWnd, 6);
    return 0;
}

Answer TMultiGet::KillFocus(HWND gaining) {
    const Answer a = TControl::KillFocus(gaining);
    if (bSetGet) store();
    int s = 0, e = 0;
    GetSelPos(s, e);
    nPos = s;
    return a;
}

Answer TMultiGet::RButtonDown(int row, int col, WPARAM flags) {
    if (GetFocus() != hWnd) {
        ::SetFocus(hWnd);
        if (GetFocus() != hWnd) return 0;
    }
    if (bRClicked) {
        bRClicked(row, col, flags, *this);
        return 0;
    }
    const bool selection = hasSelection();
    const bool writable = !lReadOnly;
    const bool clipText = IsClipboardFormatAvailable(CF_TEXT) != 0;
    auto flag = [](bool on) { return static_cast<UINT>(MF_STRING | (on ? MF_ENABLED : MF_GRAYED)); };
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, flag(SendMessageA(hWnd, EM_CANUNDO, 0, 0) != 0), kMultiGetUndo, WLSTRING("&Undo").c_str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, flag(selection && writable), kMultiGetCut, WLSTRING("Cu&t").c_str());
    AppendMenuA(menu, flag(selection), kMultiGetCopy, WLSTRING("&Copy").c_str());
    AppendMenuA(menu, flag(clipText && writable), kMultiGetPaste, WLSTRING("&Paste").c_str());
    AppendMenuA(menu, flag(selection && writable), kMultiGetDelete, WLSTRING("&Delete").c_str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kMultiGetPrint, WLSTRING("P&rint").c_str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kMultiGetSelectAll, WLSTRING("Select &All").c_str());
    SHOWPOPUPMENU(menu, hWnd, row - 60, col);
    return 0;
}

Answer TMultiGet::Command(WPARAM w, LPARAM l) {
    if (l != 0) return TControl::Command(w, l);
    switch (LOWORD(w)) {
    case kMultiGetUndo: UnDo(); return 0;
    case kMultiGetCut: Cut(); return 0;
    case kMultiGetCopy: Copy(); return 0;
    case kMultiGetPaste:
        if (!lReadOnly) Paste();
        return 0;
    case kMultiGetDelete: Del(); return 0;
    case kMultiGetPrint: Print(); return 0;
    case kMultiGetSelectAll: SelectAll(); return 0;
    default: return TControl::Command(w, l);
    }
}

}  // namespace wl
