#include "get.hpp"

#include "clip_board.hpp"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <tuple>

#include "button.hpp"
#include "buttonbar.hpp"
#include "clipboard.hpp"
#include "dialog.hpp"
#include "input_and_timers.hpp"
#include "listbox.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "setting_values.hpp"
#include "text.hpp"
#include "visual_styles.hpp"
#include "wide_text.hpp"

namespace wl {

namespace {

constexpr int kRowPixels = 13, kColPixels = 8;
constexpr char kDateFormat[] = "MM/DD/YY";  // the program's date form
constexpr char kBullet = static_cast<char>(149);

std::string rtrim(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

bool ctrlDown() { return GETKEYSTATE(VK_CONTROL); }
bool shiftDown() { return GETKEYSTATE(VK_SHIFT); }

}  // namespace

TClipGet WLGetNew(int, int, const SetGet& bSetGet, const std::string&, const std::string& cPicture,
                  const std::string&) {
    return getNew(bSetGet ? bSetGet(std::nullopt) : Value(), cPicture);
}

Color SetGetColorFocus(std::optional<Color> colour) { return TGet::SetColorFocus(colour); }

TGet::TGet() = default;
TGet::~TGet() = default;

TGet& TGet::New(const GetNew& a) {
    own_ = Value(std::string(50, ' '));
    bSetGet = a.bSetGet ? a.bSetGet : bindTo(own_);
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    cPicture = a.cPicture;
    oGet = WLGetNew(20, 20, bSetGet, a.cVarName, cPicture);
    lSpinner = a.lSpinner && !a.lReadOnly;

    nTop = a.lPixel ? static_cast<int>(a.nRow) : static_cast<int>(a.nRow * kRowPixels);
    nLeft = a.lPixel ? static_cast<int>(a.nCol) : static_cast<int>(a.nCol * kColPixels);
    int height = a.nHeight.value_or(a.oFont ? std::abs(a.oFont->nHeight()) : 12);
    int width = a.nWidth ? *a.nWidth : static_cast<int>((1 + oGet.buffer.size()) * 3.5);
    if (lSpinner) {
        height = std::max(height, 15);
        width += 20;
    }
    nBottom = nTop + height - 1;
    nRight = nLeft + width - 1;

    bValid = a.bValid;
    bWhen = a.bWhen;
    bChange = a.bChange;
    bAction = a.bAction;
    cBmpName = a.cBmpName;
    cCueText = a.cCueText;
    oCursor = a.oCursor;
    cMsg = a.cMsg;
    lUpdate = a.lUpdate;
    lDrag = a.lDesign;
    nHelpId = a.nHelpId;
    lReadOnly = a.lReadOnly;
    lPassword = a.lPassword;
    bMin = a.bMin;
    bMax = a.bMax;
    bUp = a.bUp;
    bDown = a.bDown;
    oFont = a.oFont;
    if (lPassword && !oFont) {
        FontSpec spec;
        spec.cFaceName = "Arial";
        spec.nHeight = -14;
        spec.lBold = true;
        oFont = TFont::New(spec);
    }

    nStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    if (!lReadOnly) nStyle |= WS_TABSTOP;
    if (lDrag) nStyle |= WS_CLIPSIBLINGS;
    if (lSpinner) nStyle |= WS_VSCROLL;
    if (lReadOnly) nStyle |= ES_READONLY;
    if (a.lCenter) nStyle |= ES_CENTER;
    else if (a.lRight) nStyle |= ES_RIGHT;
    if (!a.lNoBorder) {
        if (!ISAPPTHEMED() || dynamic_cast<TDialog*>(oWnd)) nStyle |= WS_BORDER;
        if (ISAPPTHEMED()) nExStyle |= WS_EX_CLIENTEDGE;
    }

    nId = GetNewId();
    nPos = 1;
    lFocused = false;
    bPostKey = [](TGet&, const std::string&) {};
    nTxtStyle = 6;
    if (!a.cColors.empty())
        SetColor(a.cColors);
    else
        SetColor(a.nClrFore.value_or(GetSysColor(COLOR_WINDOWTEXT)), a.nClrBack.value_or(GetSysColor(COLOR_WINDOW)));
    nClrTextDis = static_cast<long long>(nClrText);
    nClrPaneDis = static_cast<long long>(nClrPane);
    getSetFocus(oGet, VarGet());
    getKillFocus(oGet);
    cCaption = oGet.buffer;
    cVarName = a.cVarName.empty() ? "oGet" + std::to_string(oWnd ? oWnd->aControls.size() : 0) : a.cVarName;

    createOrDefer();
    if (hWnd) setUp();
    if (lSpinner) Spinner(bUp, bDown, bMin, bMax);
    return *this;
}

TGet& TGet::ReDefine(int id, SetGet setGet, TWindow* parent, const std::string& picture, GetChange change,
                     bool readOnly, const std::string& cueText) {
    own_ = Value(std::string(30, ' '));
    bSetGet = setGet ? std::move(setGet) : bindTo(own_);
    if (VarGet().isNil()) VarPut(Value(std::string(30, ' ')));
    cPicture = picture;
    oGet = WLGetNew(20, 20, bSetGet, cVarName, cPicture);
    bChange = std::move(change);
    lReadOnly = readOnly;
    cCueText = cueText;
    bPostKey = [](TGet&, const std::string&) {};
    SetColor(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW));
    redefine(id, parent);
    return *this;
}

void TGet::Attach(HWND edit, SetGet setGet, TWindow* owner, const std::string& picture) {
    bSetGet = std::move(setGet);
    oWnd = owner;
    hWnd = edit;
    nId = GetDlgCtrlID(edit);
    cPicture = picture;
    oGet = WLGetNew(20, 20, bSetGet, cVarName, cPicture);
    bPostKey = [](TGet&, const std::string&) {};
    SetColor(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW));
    Link(true);
    setUp();
}

void TGet::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    if (GetWindowLongPtrA(hWnd, GWL_STYLE) & ES_PASSWORD) lPassword = true;
    setUp();
}

// What both births share once the window exists.
void TGet::setUp() {
    getSetFocus(oGet, VarGet());
    if (lPassword) SetWindowLongPtrA(hWnd, GWL_STYLE, GetWindowLongPtrA(hWnd, GWL_STYLE) | ES_PASSWORD);
    if (lReadOnly && nClrText == GetSysColor(COLOR_WINDOWTEXT) && nClrPane == GetSysColor(COLOR_WINDOW))
        SetColor(GetSysColor(COLOR_GRAYTEXT), GetSysColor(COLOR_BTNFACE));
    DispText();
    if (getKeepsLiterals(cPicture)) getHome(oGet);
    getKillFocus(oGet);
    SetMargins(1, bAction ? nBottom - nTop + 1 : 1);
    CreateButton();
    if (!cCueText.empty()) SetCueBanner(true, cCueText);
}

void TGet::beep() const {
    if (bBeep)
        bBeep();
    else
        MessageBeep(MB_OK);
}

LRESULT TGet::callNative(UINT nMsg, WPARAM w, LPARAM l) {
    return nOldProc ? CallWindowProcA(nOldProc, hWnd, nMsg, w, l) : DefWindowProcA(hWnd, nMsg, w, l);
}

std::pair<int, int> TGet::selection() const {
    DWORD start = 0, end = 0;
    if (hWnd) SendMessageA(hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

Value TGet::change(int key, LPARAM flags) { return bChange ? bChange(key, flags, *this) : Value(); }

bool TGet::changedSinceStart() const {
    if (oGet.changed) return true;
    const Value now = VarGet();
    return now.isText() != oGet.original.isText() || CVALTOCHAR(now) != CVALTOCHAR(oGet.original);
}

void TGet::moveFocus(bool forward) {
    // The edit part of a combo box moves on from the combo box.
    const bool part = dynamic_cast<TComboBox*>(oWnd) != nullptr;
    TWindow* owner = part ? oWnd->oWnd : oWnd;
    HWND from = part ? oWnd->hWnd : hWnd;
    if (!owner) return;
    if (forward)
        owner->GoNextCtrl(from);
    else
        owner->GoPrevCtrl(from);
}

// ---------------------------------------------------------------- value

void TGet::Assign() { VarPut(getUntransform(oGet)); }

std::string TGet::cText(const std::optional<std::string>& text) {
    if (text) {
        const Value old = VarGet();
        if (old.isNumber())
            VarPut(Value(std::strtod(text->c_str(), nullptr)));
        else if (old.isDate())
            VarPut(Value(dateFromText(*text)));
        else
            VarPut(Value(*text));
        Refresh();
    }
    const std::string shown = hWnd ? GetText() : cCaption;
    return shown.empty() && !cCueText.empty() ? oGet.buffer : shown;
}

void TGet::UnDo() {
    VarPut(oGet.original);
    Refresh();
}

void TGet::Refresh(bool /*erase*/) {
    getSetFocus(oGet, VarGet());
    DispText();
    GoHome();
}

void TGet::DispText() {
    std::string shown;
    if (lPassword && oGet.type == 'C') {
        shown.assign(rtrim(oGet.buffer).size(), ISAPPTHEMED() ? kBullet : '*');
    } else if (!cCueText.empty() && !lFocused && rtrim(oGet.buffer).empty()) {
        shown.clear();
    } else {
        shown = oGet.buffer;
    }
    cCaption = shown;
    if (hWnd && GetText() != shown) SetWindowTextA(hWnd, shown.c_str());
}

void TGet::EditUpdate() {
    if (oGet.hasFocus) DispText();
    SetPos(oGet.pos);
}

TGet& TGet::GoHome() {
    getHome(oGet);
    if (oGet.type == 'N') oGet.clear = true;
    SetPos(oGet.pos);
    return *this;
}

void TGet::SetPos(int start, std::optional<int> end) {
    const int e = end.value_or(start);
    if (hWnd)
        SendMessageA(hWnd, EM_SETSEL, static_cast<WPARAM>(start ? start - 1 : 0), static_cast<LPARAM>(e ? e - 1 : 0));
    nPos = start;
    if (lFocused) oGet.pos = start;
}

void TGet::SetSel(int start, std::optional<int> end) {
    if (hWnd) SendMessageA(hWnd, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end.value_or(start)));
    nPos = start;
}

std::string TGet::GetSel() const {
    const auto [s, e] = selection();
    const std::string text = hWnd ? GetText() : cCaption;
    if (e <= s || s >= static_cast<int>(text.size())) return {};
    return text.substr(static_cast<std::size_t>(s), static_cast<std::size_t>(e - s));
}

void TGet::GetSelPos(int& start, int& end) const { std::tie(start, end) = selection(); }

void TGet::GetDelSel(int start, int end) {
    const int from = std::clamp(std::min(start, end), 0, static_cast<int>(oGet.buffer.size()));
    const int to = std::clamp(std::max(start, end), 0, static_cast<int>(oGet.buffer.size()));
    oGet.buffer.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
    oGet.buffer.append(static_cast<std::size_t>(to - from), ' ');
    oGet.changed = true;
    Assign();
    if (oGet.type == 'D' || oGet.type == 'N') {
        getUpdateBuffer(oGet, VarGet());
        oGet.changed = true;
    }
    oGet.clear = false;
    oGet.pos = from + 1;
}

// ---------------------------------------------------------------- clipboard

void TGet::Copy() {
    if (!TClipBoard(CF_TEXT, this).SetText(GetSel())) MSGALERT(Value("The clipboard is not available now!"));
}

void TGet::Cut() {
    if (lReadOnly) {
        MSGALERT(Value("The get is read only!"), Value("Can't cut"));
        return;
    }
    const auto [s, e] = selection();
    Copy();
    GetDelSel(s, e);
    if (lFocused) getSetFocus(oGet, VarGet()), oGet.pos = getCutCaret(s, e), oGet.changed = true;
    DispText();
    SetPos(getCutCaret(s, e));
    change(0, 0);
}

// The buffer takes the text at the caret and keeps its length: what does
// not fit is left out, and the field beeps.
void TGet::Paste(const std::optional<std::string>& text) {
    if (lReadOnly) return;
    std::string t;
    if (text) {
        t = *text;
    } else {
        if (!OPENCLIPBOARD(hWnd)) {
            MSGALERT(Value("The clipboard is not available!"));
            return;
        }
        const Value clip = GETCLPDATA(CF_TEXT);
        CLOSECLIPBOARD();
        t = clip.isText() ? clip.text() : std::string();
    }
    if (rtrim(t).empty()) return;
    const auto [s, e] = selection();
    const TClipGet before = oGet;
    if (e > s) {  // the selection gives way to the text
        const int len = static_cast<int>(oGet.buffer.size());
        const int from = std::min(s, len), to = std::min(e, len);
        oGet.buffer.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
        oGet.buffer.append(static_cast<std::size_t>(to - from), ' ');
    }
    const int at = e > s ? s + 1 : nPos;
    if (!getPaste(oGet, t, at)) {
        // A number or date that no longer fits stays as it was.
        if (oGet.type != 'C') oGet = before;
        beep();
    }
    Assign();
    DispText();
    SetPos(oGet.pos);
    change(0, 0);
}

void TGet::bufferFromWindow() {
    std::string text = GetText();
    text.resize(std::max(text.size(), oGet.buffer.size()), ' ');
    text.resize(oGet.buffer.size());
    oGet.buffer = text;
    oGet.changed = true;
}

// ---------------------------------------------------------------- native settings

void TGet::LimitText() {
    if (hWnd) SendMessageA(hWnd, EM_LIMITTEXT, 0, 0);
}

void TGet::SetMargins(int left, int right) {
    if (hWnd) SendMessageA(hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(left, right));
}

std::pair<int, int> TGet::GetMargins() const {
    const LRESULT m = hWnd ? SendMessageA(hWnd, EM_GETMARGINS, 0, 0) : 0;
    return {LOWORD(m), HIWORD(m)};
}

void TGet::SetCueBanner(bool showFocused, const std::string& text) {
    cCueText = text;
    if (!hWnd) return;
    const std::wstring wide = AnsiToWideAlloc(text);
    SendMessageW(hWnd, EM_SETCUEBANNER, showFocused ? TRUE : FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
    DispText();
}

std::string TGet::SelFile(const std::optional<std::string>& mask, const std::string& title) {
    FileDialogRequest r;
    const std::string current = rtrim(CVALTOCHAR(VarGet()));
    r.filter = mask ? *mask : (current.empty() ? std::string("*.*") : current);
    r.title = title;
    const std::string chosen = CGETFILE(r);
    if (!chosen.empty()) {
        VarPut(Value(chosen));
        Refresh();
    }
    return chosen;
}

Color TGet::SetColorFocus(std::optional<Color> colour) {
    const Color previous = nClrFocus;
    lClrFocus = true;
    if (colour) nClrFocus = *colour;
    return previous;
}

Answer TGet::Colors(HDC dc) {
    if ((!IsWindowEnabled(hWnd) || lReadOnly) && lDisColors) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<std::intptr_t>(GetSysColorBrush(COLOR_WINDOW));
    }
    return TControl::Colors(dc);
}

// ---------------------------------------------------------------- painting

namespace {

// A disabled field's colour: a negative number (or a closure answering
// one) stands for the normal colour.
Color disabledColor(const GetDisColor& c, Color normal) {
    const long long n = std::holds_alternative<long long>(c)
                            ? std::get<long long>(c)
                            : (std::get<1>(c) ? std::get<1>(c)() : -1LL);
    return n < 0 ? normal : static_cast<Color>(n);
}

}  // namespace

void ShapeEditCaret(HWND edit, int width, int shorter) {
    if (!edit || GetFocus() != edit) return;
    HDC dc = GetDC(edit);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0));
    const HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    if (old) SelectObject(dc, old);
    ReleaseDC(edit, dc);
    POINT at{};
    GetCaretPos(&at);
    CreateCaret(edit, nullptr, width, std::max(1, static_cast<int>(tm.tmHeight) - shorter));
    SetCaretPos(at.x, at.y);
    ShowCaret(edit);
}

Answer TGet::Paint() {
    paintOn(hDC, &cPS);
    return 0;
}

void TGet::paintOn(HDC dc, const PAINTSTRUCT* ps) {
    if (!dc || !hWnd) return;
    if (oBrush && oBrush->hBrush) {
        RECT r{};
        GetClientRect(hWnd, &r);
        FillRect(dc, &r, oBrush->hBrush);
    } else {
        callNative(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
    }
    if (IsWindowEnabled(hWnd) && !lReadOnly)
        callNative(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    else
        paintDisabled(dc);
    if (bPainted) bPainted(dc, ps, *this);
    // A transparent action button shows the field's colours through it.
    if (oBtn && lBtnTransparent && oBtn->hWnd) InvalidateRect(oBtn->hWnd, nullptr, FALSE);
}

void TGet::paintDisabled(HDC dc) {
    const Color text = lDisColors ? GetSysColor(COLOR_GRAYTEXT) : disabledColor(nClrTextDis, nClrText);
    const Color pane = lDisColors ? GetSysColor(COLOR_WINDOW) : disabledColor(nClrPaneDis, nClrPane);
    RECT r{};
    GetClientRect(hWnd, &r);
    const int width = r.right, height = r.bottom;
    HFONT font = oFont && oFont->hFont ? oFont->hFont
                                       : reinterpret_cast<HFONT>(SendMessageA(hWnd, WM_GETFONT, 0, 0));
    const HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SetTextColor(dc, text);
    SetBkColor(dc, pane);
    SetBkMode(dc, TRANSPARENT);
    const LONG style = GetWindowLongA(hWnd, GWL_STYLE);
    const int scrollBar = lSpinner ? GetSystemMetrics(SM_CYHSCROLL) : 0;
    int x = 2;
    UINT align = TA_LEFT;
    if (style & ES_CENTER) {
        x = (width - 3) / 2 - scrollBar;
        align = TA_CENTER;
    } else if (style & ES_RIGHT) {
        x = width - 7 - (lSpinner ? scrollBar : bAction ? height : 0);
        align = TA_RIGHT;
    }
    const UINT oldAlign = SetTextAlign(dc, align | TA_TOP);
    const std::string shown = GetText();
    const RECT box{0, 0, width, height};
    ExtTextOutA(dc, x, 1, static_cast<UINT>(nTxtStyle), &box, shown.c_str(), static_cast<UINT>(shown.size()),
                nullptr);
    SetTextAlign(dc, oldAlign);
    if (oldFont) SelectObject(dc, oldFont);
}

// ------------------------------------------------------- design-mode source

std::string TGet::valueName() const { return "c" + (cVarName.empty() ? std::string() : cVarName.substr(1)); }

std::string TGet::SaveToRC(int indent) const {
    return std::string(static_cast<std::size_t>(std::max(indent, 0)), ' ') + "EDITTEXT " + rcNumbers();
}

std::string TGet::GenLocals() const {
    const std::string text = rtrim(oGet.buffer);
    return ", " + cVarName + ", " + valueName() + " := " + (text.empty() ? "Space( 20 )" : "\"" + text + "\"");
}

std::string TGet::cGenPrg() const {
    const std::string parent = oWnd ? oWnd->cVarName : std::string();
    const auto n = [](int v) { return padLeft(std::to_string(v), 3); };
    return "\r\n   @ " + n(nTop) + ", " + n(nLeft) + " GET " + cVarName + " VAR " + valueName() + " SIZE " +
           std::to_string(nWidth()) + ", " + std::to_string(nHeight()) + " PIXEL OF " + parent + "\r\n";
}

// ---------------------------------------------------------------- action button

void TGet::CreateButton() {
    if (!bAction || ClassName() != "TGET" || !hWnd || oBtn) return;
    const int height = nBottom - nTop + 1, width = nRight - nLeft + 1;
    const int side = height - 4;
    auto run = [this] {
        bAction(*this);
        if (lKeepFocus && hWnd) ::SetFocus(hWnd);
    };
    ButtonNew b;
    b.oWnd = this;
    b.lPixel = true;
    b.nRow = 0;
    b.nCol = width - height - (lSpinner ? 20 : 0);
    b.nWidth = side;
    b.nHeight = side;
    b.cCaption = "...";
    b.lCancel = true;
    b.bAction = [run](TWindow&) { run(); };
    if (cBmpName.empty()) {
        auto button = std::make_unique<TButton>();
        button->New(b);
        oBtn = std::move(button);
        oBtn->lCancel = true;
        return;
    }
    // The bitmap from its file when there is one, else from the resources;
    // read here only for its width.
    const bool fromFile = fileExists(cBmpName);
    HBITMAP bmp = fromFile ? static_cast<HBITMAP>(LoadImageA(nullptr, cBmpName.c_str(), IMAGE_BITMAP, 0, 0,
                                                             LR_LOADFROMFILE))
                           : LoadBitmapA(GetModuleHandleA(nullptr), cBmpName.c_str());
    BITMAP info{};
    if (bmp && GetObjectA(bmp, sizeof info, &info)) nBmpWidth = info.bmWidth;
    if (bmp) DeleteObject(bmp);
    const int buttonWidth = lAdjustBtn && nBmpWidth ? nBmpWidth + 5 : side;
    if (lAdjustBtn && nBmpWidth) SetMargins(1, buttonWidth);
    const int col = width - buttonWidth - (lSpinner ? 20 : 4);
    if (lBtnTransparent) {
        BtnBmpNew t;
        t.nTop = 0;
        t.nLeft = col;
        t.nWidth = buttonWidth;
        t.nHeight = side;
        (fromFile ? t.cBmpFile1 : t.cResName1) = cBmpName;
        t.oWnd = this;
        t.lTransparent = true;
        t.lBorder = false;
        t.bAction = [run](TBtnBmp&) { run(); };
        auto button = std::make_unique<TBtnBmp>();
        button->New(t);
        oBtn = std::move(button);
    } else {
        b.nCol = col;
        b.nWidth = buttonWidth - 1;  // a button spans its width plus one pixel
        b.nHeight = side - 1;
        auto button = std::make_unique<TButtonBmp>();
        button->New(b, cBmpName);
        oBtn = std::move(button);
    }
    oBtn->lCancel = true;
}

// ---------------------------------------------------------------- spinner

void TGet::Spinner(GetAction up, GetAction down, GetBound min, GetBound max) {
    if (lReadOnly) return;
    lSpinner = true;
    bMin = std::move(min);
    bMax = std::move(max);
    bUp = std::move(up);
    bDown = std::move(down);
    if (hWnd) {
        SetWindowLongPtrA(hWnd, GWL_STYLE, GetWindowLongPtrA(hWnd, GWL_STYLE) | WS_VSCROLL);
        SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    }
}

Answer TGet::VScroll(WPARAM w, LPARAM) {
    if (!lSpinner) return std::nullopt;
    const int code = LOWORD(w);
    if (code != SB_LINEUP && code != SB_LINEDOWN) return 0;
    if (hWnd && GetFocus() != hWnd) {
        ::SetFocus(hWnd);
        if (GetFocus() != hWnd) return 0;
    }
    if (code == SB_LINEUP)
        bUp ? bUp(*this) : Inc();
    else
        bDown ? bDown(*this) : Dec();
    return 0;
}

void TGet::Inc() {
    if (getBadDate(oGet) || lReadOnly) return;
    if (oGet.type == 'N')
        ScrollNumber(1);
    else if (oGet.type == 'D')
        ScrollDate(1);
}

void TGet::Dec() {
    if (getBadDate(oGet) || lReadOnly) return;
    if (oGet.type == 'N')
        ScrollNumber(-1);
    else if (oGet.type == 'D')
        ScrollDate(-1);
}

void TGet::ScrollNumber(int n) {
    if (oGet.hasFocus) Assign();
    const double before = VarGet().number();
    const double after = before + getScrollNumberStep(getDecPos(oGet), nPos, n);
    const bool high = n > 0 && bMax && after > bMax().number();
    const bool low = n < 0 && bMin && after < bMin().number();
    if (high || low) {
        beep();
        return;
    }
    const int pos = nPos;
    VarPut(VarGet().isWhole() && after == static_cast<double>(static_cast<std::int64_t>(after))
               ? Value(static_cast<std::int64_t>(after))
               : Value(after));
    getSetFocus(oGet, VarGet());
    DispText();
    oGet.pos = pos;
    SetPos(pos);
    change(0, 0);
}

void TGet::ScrollDate(int n) {
    if (oGet.hasFocus) Assign();
    const Value v = VarGet();
    if (!v.isDate()) return;
    const Date before = std::get<Date>(v.storage());
    const char part = getDatePart(kDateFormat, nPos);
    const Date after = getScrollDate(before, part, n);
    auto dateValue = [](const GetBound& b) {
        const Value x = b();
        return x.isDate() ? std::get<Date>(x.storage()) : Date{};
    };
    auto key = [](const Date& d) { return d.year * 10000 + d.month * 100 + d.day; };
    const bool high = n > 0 && bMax && key(after) > key(dateValue(bMax));
    const bool low = n < 0 && bMin && key(after) < key(dateValue(bMin));
    if (high || low) {
        beep();
        return;
    }
    VarPut(Value(after));
    getSetFocus(oGet, VarGet());
    DispText();
    // The stepped part stays selected.
    const std::string format = kDateFormat;
    const std::size_t first = format.find(part);
    const std::size_t last = format.find_last_of(part);
    if (first != std::string::npos) {
        const int pos = static_cast<int>(first) + 1;
        if (hWnd) SendMessageA(hWnd, EM_SETSEL, first, last + 1);
        nPos = pos;
        oGet.pos = pos;
    }
    if (after.year != before.year || after.month != before.month || after.day != before.day) change(0, 0);
}

// ---------------------------------------------------------------- messages

Answer TGet::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    switch (nMsg) {
    case WM_KEYUP: {
        const Answer a = KeyUp(w, l);
        return a ? a : TControl::HandleEvent(nMsg, w, l);
    }
    case WM_PAINT:
        if (IsWindowEnabled(hWnd) && !lReadOnly) {
            // The EDIT paints (and validates) itself: painting it inside our
            // own BeginPaint lets its scroll updates ask for paint after
            // paint. bPainted draws on top afterwards.
            if (!bPainted) return TControl::HandleEvent(nMsg, w, l);
            callNative(WM_PAINT, w, l);
            HDC dc = ::GetDC(hWnd);
            bPainted(dc, nullptr, *this);
            ::ReleaseDC(hWnd, dc);
            return 0;
        }
        BeginPaint();
        Paint();
        EndPaint();
        return 0;
    case WM_PRINTCLIENT:
        paintOn(reinterpret_cast<HDC>(w), nullptr);
        return 0;
    case WM_CUT:
        Cut();
        return 0;
    case WM_PASTE:
        if (lFocused || GetFocus() == hWnd) Paste();
        return 0;
    case WM_CLEAR: {
        if (lReadOnly) return 0;
        callNative(WM_CLEAR);
        oGet.buffer.assign(oGet.buffer.size(), ' ');
        oGet.changed = true;
        DispText();
        SetPos(1);
        Assign();
        change(0, 0);
        return 0;
    }
    default: return TControl::HandleEvent(nMsg, w, l);
    }
}

// A paste by key may have put more in the window than the buffer holds:
// the buffer is taken back from the window once the key is released.
Answer TGet::KeyUp(WPARAM key, LPARAM) {
    const bool pasteKey = (key == VK_INSERT && shiftDown()) || (key == 'V' && ctrlDown());
    if (pasteKey && !lReadOnly && hWnd) {
        bufferFromWindow();
        const auto [s, e] = selection();
        (void)s;
        oGet.pos = std::min(e + 1, static_cast<int>(oGet.buffer.size()));
        EditUpdate();
        return std::nullopt;
    }
    if (key == VK_UP || key == VK_DOWN) return 1;
    return std::nullopt;
}

Answer TGet::MouseMove(int row, int col, WPARAM flags) {
    if (lDrag) return TControl::MouseMove(row, col, flags);
    SetCursor(oCursor && oCursor->hCursor ? oCursor->hCursor : LoadCursorA(nullptr, IDC_IBEAM));
    if (!cMsg.empty()) SetMsg(cMsg);
    CheckToolTip(row, col);
    Answer a = 0;
    if (bMMoved) a = bMMoved(row, col, flags);
    if (oBtn && oBtn->hWnd) InvalidateRect(oBtn->hWnd, nullptr, FALSE);
    return a;
}

Answer TGet::GetDlgCode(WPARAM key) {
    if (oWnd && oWnd->aControls.size() > 1) oWnd->setLastKey(static_cast<int>(key));
    return DLGC_WANTALLKEYS;
}

Answer TGet::KeyDown(WPARAM key, LPARAM flags) {
    if (oWnd) oWnd->setLastKey(static_cast<int>(key));
    if (bKeyDown) {
        const Answer a = bKeyDown(key, flags, *this);
        if (a && *a == 0) return 0;
    }
    const bool ctrl = ctrlDown(), shift = shiftDown();
    switch (key) {
    case VK_PRIOR:
    case VK_NEXT:
        if (lSpinner) key == VK_PRIOR ? Dec() : Inc();
        return TControl::KeyDown(key, flags);
    case VK_UP:
    case VK_DOWN:
        if (oWnd && oWnd->aControls.size() > 1) {
            moveFocus(key == VK_DOWN);
            return 1;
        }
        return TControl::KeyDown(key, flags);
    case VK_LEFT:
        ctrl ? getWordLeft(oGet) : getLeft(oGet);
        EditUpdate();
        return 0;
    case VK_RIGHT:
        ctrl ? getWordRight(oGet) : getRight(oGet);
        oGet.typeOut = false;
        EditUpdate();
        return 0;
    case VK_HOME:
    case VK_END:
        if (shift) {
            callNative(WM_KEYDOWN, key, flags);
            nPos = oGet.pos = selection().first + 1;
            return 0;
        }
        key == VK_HOME ? getHome(oGet) : getEnd(oGet);
        if (key == VK_END && oGet.pos == static_cast<int>(oGet.buffer.size()) &&
            oGet.buffer.back() != ' ')
            oGet.pos = static_cast<int>(oGet.buffer.size()) + 1;
        EditUpdate();
        return 0;
    case VK_INSERT:
        if (shift) {
            Paste();
            return 0;
        }
        if (!ctrl) {
            oSwitches.insert = !oSwitches.insert;
            if (oSwitches.insert)
                ShapeEditCaret(hWnd, 6, 1);
            else
                ShapeEditCaret(hWnd, 2);
            return 0;
        }
        return std::nullopt;  // Ctrl+Insert copies
    case VK_DELETE:
    case VK_BACK: {
        if (lReadOnly) return 0;
        if (lDrag) return TControl::KeyDown(key, flags);
        if (key == VK_DELETE && shift) {
            Cut();
            return 0;
        }
        const auto [s, e] = selection();
        if (e > s) {
            GetDelSel(s, e);
        } else if (key == VK_DELETE) {
            if (oGet.pos > static_cast<int>(oGet.buffer.size())) return 0;
            getDelete(oGet);
        } else if (oGet.pos > static_cast<int>(oGet.buffer.size())) {
            oGet.pos = static_cast<int>(oGet.buffer.size());
            getDelete(oGet);
        } else {
            getBackSpace(oGet);
        }
        Assign();
        EditUpdate();
        change(static_cast<int>(key), flags);
        return 0;
    }
    default: break;
    }
    if (ctrl && !(flags & (1 << 29)) && (key == 'V' || key == 'X')) {
        if (!lReadOnly) key == 'V' ? Paste() : Cut();
        return 0;
    }
    return TControl::KeyDown(key, flags);
}

Answer TGet::KeyChar(WPARAM key, LPARAM flags) {
    if (bKeyChar) {
        const Answer a = bKeyChar(key, flags);
        if (a && *a == 0) return 0;
    }
    if (key == VK_ESCAPE) {
        if (oWnd) oWnd->KeyChar(key, flags);
        return 1;
    }
    if (getUpperFunction(cPicture) && key < 256) key = static_cast<unsigned char>(std::toupper(static_cast<int>(key)));
    if (const auto hot = aHotKeys.find(static_cast<int>(key)); hot != aHotKeys.end() && hot->second &&
                                                              (static_cast<DWORD>(flags) & (1u << 24))) {
        hot->second(*this);
        return 0;
    }
    if (lReadOnly && key != VK_TAB && key != VK_RETURN) return 0;
    // Clipboard keys were handled as keys; the native control must not
    // repeat them.
    if (key == VK_BACK || key == 22 || key == 24) return 0;
    if (key == VK_TAB || key == VK_RETURN) {
        const bool back = key == VK_TAB && shiftDown();
        bool go = true;
        if (bChange && changedSinceStart()) {
            const Value r = change(static_cast<int>(key), flags);
            go = back ? r.logical() : !(r.isLogical() && !r.logical());
        }
        if (go) {
            if (!lReadOnly) Assign();
            moveFocus(!back);
        }
        if (key == VK_RETURN) TControl::KeyChar(key, flags);
        return 0;
    }
    if (key >= 32 && key <= 255) {
        if (oGet.pos > static_cast<int>(oGet.buffer.size())) return 0;
        const auto [s, e] = selection();
        if (e > s) GetDelSel(s, e);
        const char c = static_cast<char>(key);
        if (oGet.type == 'N' && (c == '.' || c == ',')) {
            if (oGet.clear) getDelEnd(oGet);
            getToDecPos(oGet);
        } else {
            const bool taken = oSwitches.insert ? getInsert(oGet, c) : getOverstrike(oGet, c);
            if (!taken && oGet.rejected && oSwitches.bell) beep();
        }
        Assign();
        EditUpdate();
        if (oGet.typeOut) {
            if (!oSwitches.confirm) {
                if (oWnd) oWnd->setLastKey(VK_RETURN);
                moveFocus(true);
            } else if (oSwitches.bell) {
                beep();
            }
        }
        const Value r = change(static_cast<int>(key), flags);
        if (r.isLogical() && !r.logical()) return 0;
        if (bPostKey) bPostKey(*this, oGet.buffer);
        return 0;
    }
    return TControl::KeyChar(key, flags);
}

Answer TGet::GotFocus(HWND lost) {
    lFocused = true;
    if (!lDrag) {
        std::string editing = cPicture;
        if (oGet.type == 'N') editing.erase(std::remove(editing.begin(), editing.end(), ','), editing.end());
        oGet.picture = editing;
        getSetFocus(oGet, VarGet());
        if (lClrFocus) {
            nOldClrPane = nClrPane;
            SetColor(nClrText, nClrFocus);
            InvalidateRect(hWnd, nullptr, TRUE);
        }
        DispText();
        if (oGet.type == 'N') oGet.clear = true;
        nPos = oGet.pos;
        SetPos(nPos);
    }
    TControl::GotFocus(lost);
    if (lDrag || !oSwitches.insert) return std::nullopt;  // the native control shows its caret
    // The native control makes its caret first; insert mode widens it.
    callNative(WM_SETFOCUS, reinterpret_cast<WPARAM>(lost));
    ShapeEditCaret(hWnd, 6);
    return 0;
}

Answer TGet::KillFocus(HWND gaining) {
    const Answer a = TControl::KillFocus(gaining);
    if (!lReadOnly && !getBadDate(oGet) && changedSinceStart()) Assign();
    oGet.picture = cPicture;
    if (lClrFocus && nOldClrPane) {
        SetColor(nClrText, *nOldClrPane);
        nOldClrPane.reset();
        InvalidateRect(hWnd, nullptr, TRUE);
    }
    lFocused = false;
    if (getBadDate(oGet)) {
        oGet.pos = nPos = 1;
        beep();
    } else {
        getSetFocus(oGet, VarGet());
        DispText();
        getKillFocus(oGet);
    }
    return a;
}

Answer TGet::LButtonUp(int row, int col, WPARAM flags) {
    const Answer a = TControl::LButtonUp(row, col, flags);
    if (lDrag) return a;
    const int caret = selection().second + 1;
    nPos = std::min(caret, static_cast<int>(oGet.buffer.size()) + 1);
    if (lFocused) oGet.pos = nPos;
    return a;
}

}  // namespace wl
