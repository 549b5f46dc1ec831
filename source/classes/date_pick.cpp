#include "date_pick.hpp"

#include <cstdlib>

#include "common_controls.hpp"
#include "date_pickers.hpp"
#include "picker_texts.hpp"

namespace wl {
namespace {

SYSTEMTIME today() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return st;
}

}  // namespace

// ----------------------------------------------------------------- TPickBase

void TPickBase::adopt(const PickNew& a) {
    bSetGet = a.bSetGet ? a.bSetGet : bindTo(own_);
    if (a.oFont) {
        oFont = a.oFont;
        ++oFont->nCount;
    }
    if (a.oCursor) oCursor = a.oCursor;
    cMsg = a.cMsg;
    lUpdate = a.lUpdate;
    bWhen = a.bWhen;
    bChange = a.bChange;
    nHelpId = a.nHelpId;
    bValid = a.bValid;
}

void TPickBase::place(const PickNew& a, DWORD extraStyle) {
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    std::shared_ptr<TFont> font = a.oFont ? a.oFont : (oWnd ? oWnd->oFont : nullptr);
    const int height = a.nHeight.value_or(font ? std::abs(font->nHeight()) : 22);
    nTop = static_cast<int>(a.lPixel ? a.nRow : a.nRow * rowPixels());
    nLeft = static_cast<int>(a.lPixel ? a.nCol : a.nCol * colPixels());
    nBottom = nTop + height;
    nRight = nLeft + a.nWidth;
    nStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | extraStyle | (a.lDesign ? WS_CLIPSIBLINGS : 0);
    lDesign = a.lDesign;
    INITCOMMON();
    nId = GetNewId();
}

Answer TPickBase::Change() {
    if (bChange) bChange(*this);
    return std::nullopt;
}

void TPickBase::Open() {
    if (hWnd) PostMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(nWidth() - 5, 3));
}

Answer TPickBase::KeyChar(WPARAM key, LPARAM flags) {
    if (key == VK_RETURN) {
        if (oWnd) oWnd->GoNextCtrl(hWnd);
        return 0;
    }
    return TControl::KeyChar(key, flags);
}

Answer TPickBase::KillFocus(HWND gaining) {
    store();
    return TControl::KillFocus(gaining);
}

// ----------------------------------------------------------------- TDatePick

TDatePick& TDatePick::New(const PickNew& a) {
    adopt(a);
    cPicture = a.cPicture;
    if (a.bValid) {
        // The focus cannot leave while the calendar is open.
        bValid = [this, valid = a.bValid](TWindow&) { return lClosed && valid(*this); };
    }
    place(a, 0);
    createOrDefer();
    if (hWnd) {
        FormatDate();
        cText(value());
    }
    return *this;
}

TDatePick& TDatePick::ReDefine(int id, const PickNew& a) {
    adopt(a);
    cPicture = a.cPicture;
    if (a.bValid) bValid = [this, valid = a.bValid](TWindow&) { return lClosed && valid(*this); };
    INITCOMMON();
    Register();
    redefine(id, a.oWnd);
    return *this;
}

Date TDatePick::value() const {
    const Value v = VarGet();
    return v.isDate() ? std::get<Date>(v.storage()) : Date{};
}

void TDatePick::FormatDate() {
    const std::string format = datePickFormat(cPicture, cDateSetting);
    if (!format.empty() && hWnd) SendMessageA(hWnd, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(format.c_str()));
}

Date TDatePick::cText(std::optional<Date> date) {
    if (date) {
        VarPut(Value(*date));
        SetDate(*date);
        TWindow::Refresh();
        Change();
    }
    return GetDate();
}

void TDatePick::SetDate(const Date& date, bool lEmpty) {
    if (!hWnd) return;
    if (lEmpty || date.blank()) {
        const SYSTEMTIME now = today();
        SETDATEPICK(hWnd, now.wYear, now.wMonth, now.wDay, GDT_NONE);
    } else {
        SETDATEPICK(hWnd, date.year, date.month, date.day, GDT_VALID);
    }
}

Date TDatePick::GetDate() const { return hWnd ? GETDATEPICK(hWnd) : value(); }

Answer TDatePick::Notify(WPARAM, LPARAM header) {
    const auto* nm = reinterpret_cast<const NMHDR*>(header);
    if (!nm) return std::nullopt;
    switch (nm->code) {
    case DTN_DATETIMECHANGE: Changed(); break;
    case DTN_DROPDOWN: lClosed = false; break;
    case DTN_CLOSEUP: lClosed = true; break;
    default: break;
    }
    return std::nullopt;
}

void TDatePick::Changed() {
    store();
    Change();
}

void TDatePick::Refresh(bool erase) {
    SetDate(value());
    TControl::Refresh(erase);
}

void TDatePick::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    FormatDate();
    SetDate(value());
}

// ----------------------------------------------------------------- TTimePick

TTimePick& TTimePick::New(const PickNew& a) {
    adopt(a);
    place(a, DTS_UPDOWN | DTS_TIMEFORMAT);
    createOrDefer();
    if (hWnd) cText(VarGet().isText() ? VarGet().text() : std::string());
    return *this;
}

TTimePick& TTimePick::ReDefine(int id, const PickNew& a) {
    adopt(a);
    INITCOMMON();
    Register();
    redefine(id, a.oWnd);
    return *this;
}

void TTimePick::SetTime(const std::string& text) {
    if (!hWnd) return;
    const std::optional<TimeOfDay> parsed = timeFromText(text);
    const TimeOfDay t = parsed ? *parsed : *timeFromText(HORA());
    const SYSTEMTIME d = today();
    SETTIMEPICK(hWnd, d.wYear, d.wMonth, d.wDay, t.hour, t.minute, t.second, GDT_VALID);
    if (!parsed) SETTIMEPICK(hWnd, d.wYear, d.wMonth, d.wDay, t.hour, t.minute, t.second, GDT_NONE);
}

std::string TTimePick::GetTime() const {
    if (hWnd) return GETTIMEPICK(hWnd);
    const Value v = VarGet();
    const auto t = timeFromText(v.isText() ? v.text() : std::string());
    return t ? timeDigits(*t) : std::string();
}

std::string TTimePick::cText(std::optional<std::string> text) {
    if (text) {
        VarPut(Value(*text));
        SetTime(*text);
        TWindow::Refresh();
        Change();
    }
    return timeWithColons(GetTime());
}

void TTimePick::Changed() {
    store();
    Change();
}

void TTimePick::Refresh(bool erase) {
    SetTime(VarGet().isText() ? VarGet().text() : std::string());
    TControl::Refresh(erase);
}

void TTimePick::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    Refresh();
}

}  // namespace wl
