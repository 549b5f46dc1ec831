#include "checkbox.hpp"

#include "selection_values.hpp"

namespace wl {

// ---------------------------------------------------------------- TCheckBox

TCheckBox& TCheckBox::New(const CheckBoxNew& a) {
    bSetGet = a.bSetGet ? a.bSetGet : bindTo(own_);
    if (!VarGet().isLogical()) VarPut(Value(false));
    const int width = a.nWidth ? a.nWidth : static_cast<int>(a.cCaption.size()) * 7;
    nTop = a.lPixel ? static_cast<int>(a.nRow) : static_cast<int>(a.nRow * 13);
    nLeft = a.lPixel ? static_cast<int>(a.nCol) : static_cast<int>(a.nCol * 7);
    nBottom = nTop + a.nHeight;
    nRight = nLeft + width - (a.lPixel ? 0 : 24);
    cCaption = a.cCaption;
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    bChangeValue = a.bChange;
    bValid = a.bValid;
    bWhen = a.bWhen;
    nStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP;
    if (oWnd) {
        nClrText = oWnd->nClrText;
        nClrPane = oWnd->nClrPane;
    }
    nId = GetNewId();
    createOrDefer();
    if (hWnd) Refresh();
    cVarName = a.cVarName.empty() ? "oChk" + GetCtrlIndex() : a.cVarName;
    return *this;
}

TCheckBox& TCheckBox::ReDefine(int id, SetGet setGet, TWindow* parent) {
    bSetGet = setGet ? std::move(setGet) : bindTo(own_);
    if (!VarGet().isLogical()) VarPut(Value(false));
    redefine(id, parent);
    return *this;
}

void TCheckBox::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    if (cCaption.empty())
        cCaption = GetText();
    else
        SetWindowTextA(hWnd, cCaption.c_str());
    Refresh();
}

Answer TCheckBox::Click() {
    if (bSetGet) {
        VarPut(Value(!VarGet().logical()));
        Refresh();
    }
    if (bChangeValue) bChangeValue(VarGet(), *this);
    return TControl::Click();
}

void TCheckBox::Refresh(bool erase) {
    if (hWnd) SendMessageA(hWnd, BM_SETCHECK, lChecked() ? BST_CHECKED : BST_UNCHECKED, 0);
    TControl::Refresh(erase);
}

void TCheckBox::Check() {
    VarPut(Value(true));
    Refresh();
}

void TCheckBox::UnCheck() {
    VarPut(Value(false));
    Refresh();
}

void TCheckBox::Reset() {
    // A check box holds a logical: a reset stores false, so that the next
    // click negates a logical and not a text.
    VarPut(resetValue(VarGet()));
    if (hWnd) SendMessageA(hWnd, WM_USER + 11, 0, 0);
    Refresh();
}

// ------------------------------------------------------------------- TRadio

TRadio& TRadio::New(double row, double col, const std::string& caption, bool first, bool checked, int pos,
                    TWindow* parent, TRadMenu* menu, bool pixel, int width, int height) {
    nTop = pixel ? static_cast<int>(row) : static_cast<int>(row * (height ? height : 13));
    nLeft = pixel ? static_cast<int>(col) : static_cast<int>(col * 7) + 4;
    nBottom = nTop + (height ? height : 12);
    nRight = nLeft + (width ? width : static_cast<int>(caption.size()) * 5);
    cCaption = caption;
    lChecked = checked;
    nPos = pos;
    oWnd = parent ? parent : GETWNDDEFAULT();
    oRadMenu = menu;
    if (oWnd) nClrPane = oWnd->nClrPane;
    nStyle = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | (first ? WS_GROUP : 0);
    nId = GetNewId();
    createOrDefer();
    if (hWnd) SetCheck(lChecked);
    return *this;
}

TRadio& TRadio::Redefine(int id, bool checked, int pos, TWindow* parent, TRadMenu* menu) {
    lChecked = checked;
    nPos = pos;
    oRadMenu = menu;
    redefine(id, parent);
    return *this;
}

Answer TRadio::Click() {
    if (oRadMenu) {
        oRadMenu->Select(*this);
        oRadMenu->Refresh();
    }
    return TControl::Click();
}

void TRadio::SetCheck(bool on) {
    lChecked = on;
    if (hWnd) SendMessageA(hWnd, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TRadio::lIsChecked() {
    if (hWnd) lChecked = SendMessageA(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    return lChecked;
}

std::string TRadio::SaveToRC(int indent) const {
    return std::string(static_cast<std::size_t>(indent), ' ') + "CONTROL \"" + cCaption + "\", " +
           std::to_string(nId) + ", \"BUTTON\", BS_AUTORADIOBUTTON | WS_CHILD | WS_VISIBLE, " + std::to_string(nTop) +
           ", " + std::to_string(nLeft) + ", " + std::to_string(nWidth()) + ", " + std::to_string(nHeight());
}

void TRadio::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    SetCheck(lChecked);
}

// ----------------------------------------------------------------- TRadMenu

namespace {
int optionOf(const Value& v) { return v.isNumber() ? static_cast<int>(v.number()) : 0; }
}  // namespace

TRadMenu& TRadMenu::New(const RadMenuNew& a) {
    aItems.clear();
    bSetGet = a.bSetGet;
    bChange = a.bChange;
    const double step = a.lPixel ? (a.nHeight ? a.nHeight : 13) : (a.nHeight ? a.nHeight / 13.0 : 1);
    if (!bSetGet || !bSetGet(std::nullopt).isNumber()) nOption(1);
    const int current = nOption();
    for (std::size_t i = 0; i < a.aCaptions.size(); ++i) {
        auto radio = std::make_unique<TRadio>();
        const int pos = static_cast<int>(i) + 1;
        radio->New(a.nRow + static_cast<double>(i) * step, a.nCol, a.aCaptions[i], i == 0, pos == current, pos,
                   a.oWnd, this, a.lPixel, a.nWidth, a.nHeight);
        aItems.push_back(std::move(radio));
    }
    return *this;
}

TRadMenu& TRadMenu::Redefine(SetGet setGet, TWindow* parent, const std::vector<int>& ids,
                             std::function<void(TRadMenu&)> change) {
    bSetGet = std::move(setGet);
    bChange = std::move(change);
    if (optionOf(bSetGet ? bSetGet(std::nullopt) : Value()) == 0 && bSetGet) bSetGet(Value(1));
    const int current = nOption();
    for (std::size_t i = 0; i < ids.size(); ++i) {
        auto radio = std::make_unique<TRadio>();
        const int pos = static_cast<int>(i) + 1;
        radio->Redefine(ids[i], pos == current, pos, parent, this);
        aItems.push_back(std::move(radio));
    }
    return *this;
}

int TRadMenu::nOption() const { return bSetGet ? optionOf(bSetGet(std::nullopt)) : 0; }

void TRadMenu::nOption(int n) {
    if (!bSetGet) return;
    const Value current = bSetGet(std::nullopt);
    if (current.isNumber() && optionOf(current) == n) return;
    bSetGet(Value(n));
    if (bChange) bChange(*this);
}

void TRadMenu::SetOption(int n) {
    const int count = static_cast<int>(aItems.size());
    const int current = nOption();
    if (count == 1 || n == current || n <= 0 || n > count) return;
    if (current >= 1 && current <= count) aItems[static_cast<std::size_t>(current - 1)]->SetCheck(false);
    nOption(n);
    aItems[static_cast<std::size_t>(n - 1)]->SetCheck(true);
}

void TRadMenu::Select(const TRadio& radio) {
    for (std::size_t i = 0; i < aItems.size(); ++i)
        if (aItems[i].get() == &radio || (radio.hWnd && aItems[i]->hWnd == radio.hWnd)) {
            SetOption(static_cast<int>(i) + 1);
            return;
        }
}

void TRadMenu::Refresh() {
    const int value = bSetGet && bSetGet(std::nullopt).isNumber() ? nOption() : 1;
    int checked = 0;
    for (std::size_t i = 0; i < aItems.size() && !checked; ++i)
        if (aItems[i]->lIsChecked()) checked = static_cast<int>(i) + 1;
    if (checked == value || aItems.empty()) return;
    if (checked) aItems[static_cast<std::size_t>(checked - 1)]->SetCheck(false);
    if (value >= 1 && value <= static_cast<int>(aItems.size()))
        aItems[static_cast<std::size_t>(value - 1)]->SetCheck(true);
    if (bChange) bChange(*this);
}

void TRadMenu::GoPrevNext(bool forward) {
    const int count = static_cast<int>(aItems.size());
    if (count == 0) return;
    int pos = nOption();
    int steps = 0;
    while (steps <= count) {
        ++steps;
        pos = forward ? (pos >= count ? 1 : pos + 1) : (pos <= 1 ? count : pos - 1);
        if (aItems[static_cast<std::size_t>(pos - 1)]->lWhen()) {
            nOption(pos);
            return;
        }
    }
    SetOption(pos);
}

void TRadMenu::Enable() {
    for (auto& r : aItems) r->Enable();
}
void TRadMenu::Disable() {
    for (auto& r : aItems) r->Disable();
}
void TRadMenu::Show() {
    for (auto& r : aItems) r->Show();
}
void TRadMenu::Hide() {
    for (auto& r : aItems) r->Hide();
}
void TRadMenu::End() {
    for (auto& r : aItems) r->End();
}
void TRadMenu::Set3DLook(bool on) {
    for (auto& r : aItems) r->Set3DLook(on);
}
void TRadMenu::SetFont(std::shared_ptr<TFont> font) {
    for (auto& r : aItems) r->SetFont(font);
}

TRadMenu& TRadMenu::Define(SetGet setGet, std::function<void(TRadMenu&)> change, const std::string& msg,
                           bool update) {
    aItems.clear();
    bSetGet = std::move(setGet);
    bChange = std::move(change);
    cMsg = msg;
    lUpdate = update;
    if (!bSetGet || !bSetGet(std::nullopt).isNumber()) nOption(1);
    return *this;
}

TRadio& TRadMenu::AddRadio(std::unique_ptr<TRadio> radio) {
    radio->oRadMenu = this;
    radio->nPos = static_cast<int>(aItems.size()) + 1;
    aItems.push_back(std::move(radio));
    return *aItems.back();
}

namespace {
// Enter goes on to the next control of the parent, as in a form.
void enterGoesNext(TControl& c, WPARAM key) {
    if (key == VK_RETURN && c.oWnd) c.oWnd->GoNextCtrl(c.hWnd);
}
}  // namespace

Answer TCheckBox::KeyDown(WPARAM key, LPARAM flags) {
    if (oWnd && oWnd->aControls.size() > 1) {
        if (key == VK_UP) oWnd->GoPrevCtrl(hWnd);
        if (key == VK_DOWN) oWnd->GoNextCtrl(hWnd);
    }
    return TControl::KeyDown(key, flags);
}

Answer TCheckBox::KeyChar(WPARAM key, LPARAM flags) {
    enterGoesNext(*this, key);
    return TControl::KeyChar(key, flags);
}

Answer TRadio::KeyDown(WPARAM key, LPARAM flags) {
    const bool next = key == VK_DOWN || key == VK_RIGHT, previous = key == VK_UP || key == VK_LEFT;
    if (!oRadMenu || (!next && !previous)) return TControl::KeyDown(key, flags);
    next ? oRadMenu->GoNext() : oRadMenu->GoPrev();
    const int option = oRadMenu->nOption();
    if (option >= 1 && static_cast<std::size_t>(option) <= oRadMenu->aItems.size())
        oRadMenu->aItems[static_cast<std::size_t>(option - 1)]->SetFocus();
    return 0;
}

Answer TRadio::KeyChar(WPARAM key, LPARAM flags) {
    enterGoesNext(*this, key);
    return TControl::KeyChar(key, flags);
}

std::string TCheckBox::varOfName() const { return "l" + (cVarName.empty() ? std::string() : cVarName.substr(1)); }

std::string TCheckBox::GenLocals() const {
    return ", " + cVarName + ", " + varOfName() + " := " + (lChecked() ? ".T." : ".F.");
}

std::string TCheckBox::cGenPrg() const {
    const std::string parent = oWnd ? oWnd->cVarName : std::string();
    return "\r\n   @ " + std::to_string(nTop) + ", " + std::to_string(nLeft) + " CHECKBOX " + cVarName + " VAR " +
           varOfName() + " PROMPT \"" + cCaption + "\" SIZE " + std::to_string(nRight - nLeft + 1) + ", " +
           std::to_string(nBottom - nTop + 1) + " PIXEL OF " + parent + "\r\n";
}

std::string TCheckBox::SaveToRC(int indent) const {
    return std::string(static_cast<std::size_t>(indent), ' ') + "CHECKBOX \"" + cCaption + "\", " + rcNumbers() +
           ", BS_AUTOCHECKBOX | WS_TABSTOP";
}

}  // namespace wl
