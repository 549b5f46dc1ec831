#include "listbox.hpp"

#include <algorithm>

#include "dialog.hpp"
#include "dialogs.hpp"
#include "file_names.hpp"
#include "input_and_timers.hpp"
#include "painting.hpp"
#include "text.hpp"
#include "visual_styles.hpp"

namespace wl {

namespace {
std::string itemTextOf(HWND h, UINT lenMsg, UINT textMsg, int index) {
    const LRESULT n = SendMessageA(h, lenMsg, static_cast<WPARAM>(index), 0);
    if (n < 0) return {};
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    SendMessageA(h, textMsg, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<std::size_t>(n));
    return s;
}
std::string windowText(HWND h) {
    const int n = GetWindowTextLengthA(h);
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    GetWindowTextA(h, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(n));
    return s;
}
}  // namespace

// ----------------------------------------------------------------- TListBox

TListBox& TListBox::New(const ListNew& a) {
    bSetGet = a.bSetGet ? a.bSetGet : bindTo(own_);
    listSetItems(state_, a.aItems);  // no window yet: Default fills it
    nTop = a.lPixel ? static_cast<int>(a.nRow) : static_cast<int>(a.nRow * 14);
    nLeft = a.lPixel ? static_cast<int>(a.nCol) : static_cast<int>(a.nCol * 8);
    nBottom = nTop + a.nHeight - 1;
    nRight = nLeft + a.nWidth - 1;
    bChange = a.bChange;
    bValid = a.bValid;
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    nClrText = GetSysColor(COLOR_WINDOWTEXT);
    nClrPane = GetSysColor(COLOR_WINDOW);
    if (!a.aBitmaps.empty()) SetBitmaps(a.aBitmaps);
    nStyle = LBS_NOTIFY | WS_TABSTOP | LBS_USETABSTOPS | WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL |
             (a.lSort ? LBS_SORT : 0) | (a.lMultiSelect ? LBS_MULTIPLESEL : 0) |
             (lOwnerDraw ? LBS_OWNERDRAWFIXED | LBS_HASSTRINGS : 0);
    nId = GetNewId();
    createOrDefer();
    // The parent measures owner-drawn items before the list is its control.
    if (hWnd && lOwnerDraw) SendMessageA(hWnd, LB_SETITEMHEIGHT, 0, nBmpHeight);
    if (hWnd) Default();
    return *this;
}

TListBox::~TListBox() { freeBitmaps(); }

void TListBox::freeBitmaps() {
    for (HBITMAP b : aBitmaps)
        if (b) DeleteObject(b);
    aBitmaps.clear();
}

void TListBox::SetBitmaps(const std::vector<std::string>& bitmaps, HINSTANCE module) {
    freeBitmaps();
    lOwnerDraw = true;
    for (const std::string& name : bitmaps) {
        HBITMAP b = GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES
                        ? static_cast<HBITMAP>(LoadImageA(nullptr, name.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE))
                        : LoadBitmapA(module ? module : GetModuleHandleA(nullptr), name.c_str());
        aBitmaps.push_back(b);
    }
    BITMAP first{};
    if (!aBitmaps.empty() && aBitmaps[0]) GetObjectA(aBitmaps[0], sizeof first, &first);
    nBmpWidth = first.bmWidth;
    nBmpHeight = first.bmHeight;
    // A dialog that makes the list measures its items with this height.
    if (!hWnd && dynamic_cast<TDialog*>(oWnd)) SETOWNERDRAWITEMHEIGHT(nBmpHeight);
    if (hWnd) {
        SendMessageA(hWnd, LB_SETITEMHEIGHT, 0, nBmpHeight);
        InvalidateRect(hWnd, nullptr, TRUE);
    }
}

Answer TListBox::DrawItem(WPARAM, LPARAM item) {
    return LBXDRAWITEM(reinterpret_cast<const DRAWITEMSTRUCT*>(item), aBitmaps, aItems.items(), nBmpWidth, bDrawItem)
               ? 1
               : 0;
}

Answer TListBox::FillMeasure(LPARAM item) {
    return LBXMEASURE(reinterpret_cast<MEASUREITEMSTRUCT*>(item), nBmpHeight) ? 1 : 0;
}

TListBox& TListBox::ReDefine(int id, SetGet setGet, std::vector<std::string> items, TWindow* parent) {
    bSetGet = setGet ? std::move(setGet) : bindTo(own_);
    listSetItems(state_, std::move(items));  // the dialog's control is filled by Initiate
    redefine(id, parent);
    return *this;
}

ListState& TListBox::state() {
    state_.sel = GetPos();
    return state_;
}

void TListBox::apply(const ListEffects& effects) {
    if (!hWnd) return;
    for (const ListEffect& e : effects) {
        const auto at = static_cast<WPARAM>(e.index - 1);
        const auto text = reinterpret_cast<LPARAM>(e.text.c_str());
        switch (e.kind) {
        case ListEffect::Kind::Clear: SendMessageA(hWnd, LB_RESETCONTENT, 0, 0); break;
        case ListEffect::Kind::Append: SendMessageA(hWnd, LB_ADDSTRING, 0, text); break;
        case ListEffect::Kind::Insert: SendMessageA(hWnd, LB_INSERTSTRING, at, text); break;
        case ListEffect::Kind::Delete: SendMessageA(hWnd, LB_DELETESTRING, at, 0); break;
        case ListEffect::Kind::Select:
            // A multiple-selection box has no single selection to set.
            if (IsMultipleSel())
                SendMessageA(hWnd, LB_SETSEL, TRUE, static_cast<LPARAM>(at));
            else
                SendMessageA(hWnd, LB_SETCURSEL, at, 0);
            break;
        }
    }
}

void TListBox::Default() {
    if (VarGet().isNil()) VarPut(Value(std::string()));
    if (!hWnd) return;
    if (!cFileSpec.empty()) {
        std::vector<std::string> items = aItems.items();
        for (const std::string& file : filesFittingMask(cFileSpec))
            if (std::find(items.begin(), items.end(), lower(file)) == items.end()) items.push_back(lower(file));
        std::sort(items.begin(), items.end());
        listSetItems(state_, std::move(items));
    }
    apply(GetWindowLongPtrA(hWnd, GWL_STYLE) & LBS_SORT ? listSort(state_) : listFill(state_));
    apply(listSetSel(state_, listPositionOf(state_, VarGet())));
}

Answer TListBox::Change() {
    if (!aItems.empty()) VarPut(selectionValue(VarGet(), GetPos(), GetSelText()));
    if (bChange) bChange(*this);
    return std::nullopt;
}

void TListBox::Select(int n) {
    apply(listSetSel(state(), n));
    Change();
}

int TListBox::Set(const std::string& text) {
    const int n = aItems.findExact(text);
    if (n) Select(n);
    return n;
}

void TListBox::SetItems(std::vector<std::string> items) {
    Reset();
    listSetItems(state_, std::move(items));  // Default shows them
    Default();
    Select(1);
}

void TListBox::Reset() {
    VarPut(resetValue(VarGet()));
    apply(listReset(state_));
}

void TListBox::Add(const std::string& text, std::optional<int> pos0) {
    apply(listAdd(state(), text, pos0.value_or(aItems.size())));
}

void TListBox::Insert(const std::string& text, std::optional<int> n) {
    ListState& s = state();
    apply(listInsert(s, text, n.value_or(s.sel)));
}

void TListBox::Modify(const std::string& text, std::optional<int> n) {
    ListState& s = state();
    apply(listModify(s, text, n.value_or(s.sel)));
}

void TListBox::Del(std::optional<int> n) {
    ListState& s = state();
    apply(listDel(s, n.value_or(s.sel)));
}

void TListBox::SwapUp() {
    const ListEffects effects = listSwap(state(), -1);
    if (effects.empty()) return;
    apply(effects);
    Change();
}

void TListBox::SwapDown() {
    const ListEffects effects = listSwap(state(), +1);
    if (effects.empty()) return;
    apply(effects);
    Change();
}

bool TListBox::IsMultipleSel() const {
    const auto style = hWnd ? static_cast<DWORD>(GetWindowLongPtrA(hWnd, GWL_STYLE)) : nStyle;
    return (style & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) != 0;
}

void TListBox::SetSel(int n, bool on) {
    if (!hWnd || n < 1 || n > Len()) return;
    if (IsMultipleSel())
        SendMessageA(hWnd, LB_SETSEL, on ? TRUE : FALSE, static_cast<LPARAM>(n - 1));
    else if (on)
        SendMessageA(hWnd, LB_SETCURSEL, static_cast<WPARAM>(n - 1), 0);
}

int TListBox::GetSel() const {
    if (!hWnd) return 0;
    return static_cast<int>(SendMessageA(hWnd, LB_GETSEL, 0, 0)) + 1;
}

int TListBox::GetSelCount() const {
    if (!hWnd || !IsMultipleSel()) return 0;
    const LRESULT n = SendMessageA(hWnd, LB_GETSELCOUNT, 0, 0);
    return n == LB_ERR ? 0 : static_cast<int>(n);
}

std::vector<int> TListBox::GetSelItems() const {
    const int count = GetSelCount();
    if (count == 0) return {};
    std::vector<int> indexes(static_cast<std::size_t>(count));
    const LRESULT got = SendMessageA(hWnd, LB_GETSELITEMS, static_cast<WPARAM>(count),
                                     reinterpret_cast<LPARAM>(indexes.data()));
    indexes.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
    for (int& i : indexes) ++i;
    return indexes;
}

void TListBox::SetSelItems(const std::vector<int>& positions) {
    for (int n : positions) SetSel(n, true);
}

std::vector<std::string> TListBox::aSelections() const {
    std::vector<std::string> texts;
    if (IsMultipleSel()) {
        for (int n : GetSelItems()) texts.push_back(GetItem(n));
    } else if (const int n = GetPos()) {
        texts.push_back(GetItem(n));
    }
    return texts;
}

int TListBox::GetPos() const {
    if (!hWnd) return 0;
    const LRESULT r = SendMessageA(hWnd, LB_GETCURSEL, 0, 0);
    return r == LB_ERR ? 0 : static_cast<int>(r) + 1;
}

std::string TListBox::GetItem(int n) const {
    return hWnd ? itemTextOf(hWnd, LB_GETTEXTLEN, LB_GETTEXT, n - 1) : aItems.at(n);
}

int TListBox::Len() const { return hWnd ? static_cast<int>(SendMessageA(hWnd, LB_GETCOUNT, 0, 0)) : aItems.size(); }

void TListBox::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    Default();
}

Answer TListBox::LostFocus(HWND gaining) {
    Answer a = TControl::LostFocus(gaining);
    VarPut(selectionValue(VarGet(), GetPos(), aItems.empty() ? std::string() : GetSelText()));
    return a;
}

Answer TListBox::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    if (nMsg == LM_DRAWITEM) return lOwnerDraw ? DrawItem(w, l) : std::nullopt;
    return TControl::HandleEvent(nMsg, w, l);
}

// ---------------------------------------------------------------- TComboBox

TComboBox& TComboBox::New(const ListNew& a) {
    bSetGet = a.bSetGet ? a.bSetGet : bindTo(own_);
    comboSetItems(state_, a.aItems);  // the window is filled by Default
    nTop = a.lPixel ? static_cast<int>(a.nRow) : static_cast<int>(a.nRow * 14);
    nLeft = a.lPixel ? static_cast<int>(a.nCol) : static_cast<int>(a.nCol * 8);
    nBottom = nTop + (a.nHeight == 40 ? 60 : a.nHeight) - 1;
    nRight = nLeft + a.nWidth - 1;
    bChange = a.bChange;
    bValid = a.bValid;
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    comboStyle_ = a.nComboStyle;
    nStyle = static_cast<DWORD>(a.nComboStyle) | WS_TABSTOP | CBS_AUTOHSCROLL | WS_CHILD | WS_VISIBLE | WS_BORDER |
             WS_VSCROLL;
    nId = GetNewId();
    createOrDefer();
    if (hWnd) Default();
    return *this;
}

TComboBox& TComboBox::ReDefine(int id, SetGet setGet, std::vector<std::string> items, TWindow* parent, int style) {
    bSetGet = setGet ? std::move(setGet) : bindTo(own_);
    comboSetItems(state_, std::move(items));  // the dialog's control is filled by Initiate
    comboStyle_ = style;
    redefine(id, parent);
    return *this;
}

Answer TComboBox::CtlColor(HWND, HDC hDC) {
    const int style = comboStyle_ & 3;
    if ((style != CBS_DROPDOWN && style != CBS_DROPDOWNLIST) || !oBrush) return std::nullopt;
    SetTextColor(hDC, nClrText);
    SetBkColor(hDC, nClrPane);
    return reinterpret_cast<std::intptr_t>(oBrush->hBrush);
}

bool TComboBox::editable() const { return (comboStyle_ & 3) != CBS_DROPDOWNLIST; }

void TComboBox::apply(const ComboEffects& effects) {
    if (!hWnd) return;
    for (const ComboEffect& e : effects) {
        const auto at = static_cast<WPARAM>(e.index - 1);
        const auto text = reinterpret_cast<LPARAM>(e.text.c_str());
        switch (e.kind) {
        case ComboEffect::Kind::Clear: SendMessageA(hWnd, CB_RESETCONTENT, 0, 0); break;
        case ComboEffect::Kind::Append: SendMessageA(hWnd, CB_ADDSTRING, 0, text); break;
        case ComboEffect::Kind::Insert: SendMessageA(hWnd, CB_INSERTSTRING, at, text); break;
        case ComboEffect::Kind::Delete: SendMessageA(hWnd, CB_DELETESTRING, at, 0); break;
        case ComboEffect::Kind::Select: SendMessageA(hWnd, CB_SETCURSEL, at, 0); break;
        case ComboEffect::Kind::Text: SetWindowTextA(hWnd, e.text.c_str()); break;
        }
    }
}

int TComboBox::readSelection() {
    if (hWnd) {
        const LRESULT sel = SendMessageA(hWnd, CB_GETCURSEL, 0, 0);
        state_.sel = sel == CB_ERR ? 0 : static_cast<int>(sel) + 1;
    }
    return state_.sel;
}

void TComboBox::Default() {
    if (hWnd) comboStyle_ = static_cast<int>(GetWindowLongPtrA(hWnd, GWL_STYLE) & 3);
    if (TControl::VarGet().isNil()) VarPut(Value(aItems.at(1)));
    apply(comboFill(state_));
    const Value v = TControl::VarGet();
    Set(v);
    if (hWnd && editable() && !oGet) attachEdit();
}

// The edit part edits the item text in a buffer as wide as the longest
// item; the value keeps the text without the padding (or the position, for
// a numeric value).
void TComboBox::attachEdit() {
    HWND edit = GetWindow(hWnd, GW_CHILD);
    if (!edit) return;
    SetGet text = [this](const std::optional<Value>& v) -> Value {
        std::size_t width = 1;
        for (const std::string& s : aItems.items()) width = std::max(width, s.size());
        if (v) {
            std::string t = v->isText() ? v->text() : CVALTOCHAR(*v);
            while (!t.empty() && t.back() == ' ') t.pop_back();
            VarPut(TControl::VarGet().isNumber() ? Value(aItems.findExact(t)) : Value(t));
            return *v;
        }
        const Value now = TControl::VarGet();
        std::string t = now.isNumber() ? aItems.at(static_cast<int>(now.number())) : now.isText() ? now.text() : "";
        width = std::max(width, t.size());
        t.resize(width, ' ');
        return Value(t);
    };
    oGet = std::make_unique<TGet>();
    oGet->Attach(edit, std::move(text), this);
    oGet->bKeyChar = [this](WPARAM key, LPARAM) { return GetKeyChar(static_cast<int>(key)); };
    // Backspace completes too: it arrives as a character, not as a key.
    oGet->bKeyDown = [](WPARAM key, LPARAM, TWindow&) -> Answer {
        return key == VK_BACK ? Answer(0) : std::nullopt;
    };
    oGet->bLostFocus = [this](TWindow&, HWND gaining) { commitEdit(gaining); };
}

Answer TComboBox::GetKeyChar(int key) {
    if (!oGet) return std::nullopt;
    if (key == VK_TAB || key == VK_RETURN) {
        const bool back = key == VK_TAB && GETKEYSTATE(VK_SHIFT);
        if (oWnd) back ? oWnd->GoPrevCtrl(hWnd) : oWnd->GoNextCtrl(hWnd);
        return 0;
    }
    int start = 0, end = 0;
    oGet->GetSelPos(start, end);
    TClipGet& g = oGet->oGet;
    const ComboCompletion c = comboComplete(aItems, windowText(oGet->hWnd), start, key);
    switch (c.kind) {
    case ComboCompletion::Kind::Clear:
        g.buffer.assign(g.buffer.size(), ' ');
        oGet->Assign();
        oGet->DispText();
        oGet->SetPos(1);
        return 0;
    case ComboCompletion::Kind::Fill: {
        std::string shown = c.text;
        shown.resize(std::max(shown.size(), g.buffer.size()), ' ');
        g.buffer = shown;
        g.changed = true;
        oGet->Assign();
        oGet->DispText();
        oGet->SetPos(c.caret + 1);
        g.pos = c.caret + 1;
        return 0;
    }
    case ComboCompletion::Kind::PassOn:
        if (key == VK_BACK) {  // no item: an ordinary Backspace
            g.pos = start + 1;
            getBackSpace(g);
            oGet->Assign();
            oGet->EditUpdate();
            return 0;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

void TComboBox::commitEdit(HWND gaining) {
    if (!oGet || !hWnd) return;
    std::string text = windowText(oGet->hWnd);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    apply(comboCommit(state_, text));
    VarPut(TControl::VarGet().isNumber() ? Value(nAt) : Value(text));
    if (bValid && oWnd && gaining && GetParent(gaining) == GetParent(hWnd) && !bValid(*oGet))
        ChangeFocus();  // the combo box takes the focus back
}

void TComboBox::Set(const Value& v) {
    apply(comboShow(state_, v.isNumber() || v.isText() ? v : Value(CVALTOCHAR(v))));
    VarPut(v);
}

void TComboBox::Select(int n) { apply(comboSelect(state_, n)); }

void TComboBox::storeSelection() {
    if (!hWnd) return;
    if (readSelection()) {
        const std::string text = editable() ? windowText(hWnd) : aItems.at(nAt);
        VarPut(selectionValue(TControl::VarGet(), nAt, text));
    } else {
        // No item selected: a numeric value stays numeric (no position).
        const Value v = TControl::VarGet();
        VarPut(v.isNumber() ? Value(0) : Value(windowText(hWnd)));
    }
}

Answer TComboBox::Change() {
    if (!hWnd) return std::nullopt;
    const std::string before = windowText(hWnd);
    const int was = nAt;
    const int pos = readSelection();
    const Value v = TControl::VarGet();
    if (pos == was && !(v.isNil() || (v.isText() && v.text().empty()))) return std::nullopt;
    if (pos >= 1 && pos <= aItems.size()) VarPut(selectionValue(v, pos, aItems.at(pos)));
    if (bChange) bChange(*this);
    if (bChangeText) bChangeText(*this, before);
    return std::nullopt;
}

void TComboBox::Reset(bool change) {
    VarPut(resetValue(TControl::VarGet()));
    apply(comboReset(state_));
    if (change) Change();
}

void TComboBox::SetItems(std::vector<std::string> items, bool change) {
    Reset(false);
    comboSetItems(state_, std::move(items));  // Default fills the window
    Default();
    if (change) Change();
}

void TComboBox::Add(const std::string& text, int pos) {
    readSelection();
    apply(comboAdd(state_, text, pos));
}

void TComboBox::Insert(const std::string& text, int pos) {
    if (pos == 0) return;
    Add(text, pos);
}

void TComboBox::Modify(const std::string& text, int pos) {
    readSelection();
    apply(comboModify(state_, text, pos));
}

void TComboBox::Del(int pos) {
    readSelection();
    apply(comboDel(state_, pos));
}

bool TComboBox::IsOpen() const { return hWnd && SendMessageA(hWnd, CB_GETDROPPEDSTATE, 0, 0) != 0; }
int TComboBox::GetMinVisible() const {
    if (!hWnd || !ISAPPTHEMED()) return 0;
    return static_cast<int>(SendMessageA(hWnd, CB_GETMINVISIBLE, 0, 0));
}
bool TComboBox::SetMinVisible(int n) {
    if (!hWnd || !ISAPPTHEMED()) return false;
    return SendMessageA(hWnd, CB_SETMINVISIBLE, static_cast<WPARAM>(n), 0) != 0;
}
void TComboBox::Open() {
    if (hWnd) SendMessageA(hWnd, CB_SHOWDROPDOWN, TRUE, 0);
}
void TComboBox::Close() {
    if (hWnd) SendMessageA(hWnd, CB_SHOWDROPDOWN, FALSE, 0);
}

Value TComboBox::VarGet() const {
    if (!hWnd) return TControl::VarGet();
    const LRESULT sel = SendMessageA(hWnd, CB_GETCURSEL, 0, 0);
    if (sel == CB_ERR) return Value(windowText(hWnd));
    const int pos = static_cast<int>(sel) + 1;
    return Value(editable() ? windowText(hWnd) : aItems.at(pos));
}

void TComboBox::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    Default();
}

Answer TComboBox::LostFocus(HWND gaining) {
    Answer a = TControl::LostFocus(gaining);
    storeSelection();
    return a;
}

Answer TComboBox::GotFocus(HWND lost) {
    cSearchKey.clear();
    return TControl::GotFocus(lost);
}

Answer TComboBox::KeyChar(WPARAM key, LPARAM flags) {
    if (aItems.empty()) return 0;
    if (!lIncSearch) return TControl::KeyChar(key, flags);
    if (key == VK_RETURN) {
        if (oWnd) oWnd->GoNextCtrl(hWnd);
        return 0;
    }
    bool first = false;
    if (key == ' ' && !editable()) {
        cSearchKey.clear();
        first = true;
    } else {
        cSearchKey = incrementalSearchText(cSearchKey, static_cast<int>(key), lCaseSensitive);
    }
    const int found = first ? 1 : aItems.findPrefix(cSearchKey, 0, lCaseSensitive);
    const int pos = found ? found : std::max(nAt, 1);
    const bool moved = found != 0 && found != nAt;
    if (editable() && !found)
        Set(TControl::VarGet().isNumber() ? Value(0) : Value(cSearchKey));
    else
        Set(TControl::VarGet().isNumber() ? Value(pos) : Value(aItems.at(pos)));
    if (bChange && (editable() || moved)) bChange(*this);
    return 0;
}

Answer TComboBox::onCommand(ControlCommand code) {
    if (code != ControlCommand::ClosedUp) return TControl::onCommand(code);
    if (bCloseUp) bCloseUp(*this);
    return 0;
}

Answer TComboBox::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    if (nMsg == WM_KEYDOWN && w == VK_ESCAPE && IsOpen()) {
        Close();
        return 1;
    }
    return TControl::HandleEvent(nMsg, w, l);
}

}  // namespace wl
