// TDatePick and TTimePick: the system date-and-time picker bound to a date
// value or a time text through a get/set link.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "control.hpp"

namespace wl {

// The arguments shared by both pickers; every one may be left at its default.
struct PickNew {
    double nRow = 0, nCol = 0;
    SetGet bSetGet;  // none: a private value
    TWindow* oWnd = nullptr;
    int nWidth = 100;
    std::optional<int> nHeight;  // the font's height, else 22
    std::function<bool(TWindow&)> bValid;
    std::optional<Color> nClrFore, nClrBack;  // kept; the control paints in system colours
    std::shared_ptr<TFont> oFont;             // the parent's
    bool lDesign = false;
    std::shared_ptr<TCursor> oCursor;
    bool lPixel = false;
    std::string cMsg;
    bool lUpdate = false;
    std::function<bool()> bWhen;
    std::function<void(TControl&)> bChange;
    int nHelpId = 100;
    std::string cPicture;  // date picker only: "@d", "@e" or the control's own format
};

// What both pickers share: placement, the closed-calendar flag, Enter to
// the next control, the change action.
class TPickBase : public TControl {
public:
    std::string WindowClass() const override { return "SysDateTimePick32"; }
    double rowPixels() const override { return 18; }
    double colPixels() const override { return 6; }

    bool lClosed = true;  // the drop-down calendar is closed

    Answer Change() override;
    // Opens the calendar (a click near the right edge).
    void Open();
    Answer KeyChar(WPARAM key, LPARAM flags) override;
    // The control loses the focus: the shown value is stored first.
    Answer KillFocus(HWND gaining) override;

protected:
    void place(const PickNew& a, DWORD extraStyle);
    void adopt(const PickNew& a);
    virtual void store() = 0;
    Value own_;
};

class TDatePick : public TPickBase {
public:
    std::string ClassName() const override { return "TDATEPICK"; }

    std::string cPicture;
    // The program's date setting that "@d" and "@e" follow.
    std::string cDateSetting = "MM/DD/YY";

    TDatePick& New(const PickNew& a = {});
    TDatePick& ReDefine(int id, const PickNew& a = {});
    void FormatDate();
    // With a date: stores and shows it and runs Change. Always the shown date.
    Date cText(std::optional<Date> date = std::nullopt);
    // The blank date (or lEmpty) shows no date.
    void SetDate(const Date& date, bool lEmpty = false);
    Date GetDate() const;
    Answer Notify(WPARAM id, LPARAM header) override;
    void Changed();
    void Refresh(bool erase = true) override;
    void Initiate(HWND hDlg) override;

protected:
    void store() override { VarPut(Value(GetDate())); }

private:
    Date value() const;
};

class TTimePick : public TPickBase {
public:
    std::string ClassName() const override { return "TTIMEPICK"; }

    TTimePick& New(const PickNew& a = {});
    TTimePick& ReDefine(int id, const PickNew& a = {});
    // "HH:MM:SS" or "HHMMSS" on today's date; "" the current time, then
    // shown as no time.
    void SetTime(const std::string& text);
    // Six digits.
    std::string GetTime() const;
    // With a text: stores and shows it and runs Change. Always the shown
    // time as "HH:MM:SS".
    std::string cText(std::optional<std::string> text = std::nullopt);
    void Changed();
    void Refresh(bool erase = true) override;
    void Initiate(HWND hDlg) override;

protected:
    void store() override { VarPut(Value(GetTime())); }
};

}  // namespace wl
