// TCheckBox (a check box bound to a logical value), TRadio (one radio
// button) and TRadMenu (the group object binding radios to one option).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "control.hpp"

namespace wl {

struct CheckBoxNew {
    double nRow = 0, nCol = 0;
    std::string cCaption = "&CheckBox";
    SetGet bSetGet;  // none: a private logical starting false
    TWindow* oWnd = nullptr;
    int nWidth = 0, nHeight = 19;  // width 0: caption length x 7
    std::function<void(const Value&, TControl&)> bChange;
    std::function<bool(TWindow&)> bValid;
    bool lPixel = false;
    std::function<bool()> bWhen;
    std::string cVarName;
};

class TCheckBox : public TControl {
public:
    std::string ClassName() const override { return "TCHECKBOX"; }
    std::string WindowClass() const override { return "BUTTON"; }

    std::function<void(const Value&, TControl&)> bChangeValue;

    TCheckBox& New(const CheckBoxNew& a = {});
    TCheckBox& ReDefine(int id, SetGet setGet, TWindow* parent = nullptr);
    Answer Click() override;
    void Refresh(bool erase = true) override;
    void Check();
    void UnCheck();
    void SetCheck(bool on) { on ? Check() : UnCheck(); }
    bool lChecked() const { return VarGet().logical(); }
    void Reset();
    void Initiate(HWND hDlg) override;
    Answer Colors(HDC dc) override { return TControl::Colors(dc); }
    // Up and Down move to the previous and next control, Enter to the next.
    Answer KeyDown(WPARAM key, LPARAM flags) override;
    Answer KeyChar(WPARAM key, LPARAM flags) override;
    // The form designer's texts: the locals, the source and the
    // resource-script line.
    std::string GenLocals() const override;
    std::string cGenPrg() const;
    std::string SaveToRC(int indent) const;

private:
    // The designer's variable: "l" and the name without its first letter.
    std::string varOfName() const;
    Value own_ = Value(false);
};

class TRadMenu;

class TRadio : public TControl {
public:
    std::string ClassName() const override { return "TRADIO"; }
    std::string WindowClass() const override { return "BUTTON"; }

    bool lChecked = false;
    TRadMenu* oRadMenu = nullptr;
    int nPos = 1;

    TRadio& New(double row, double col, const std::string& caption, bool first, bool checked, int pos,
                TWindow* parent, TRadMenu* menu, bool pixel = false, int width = 0, int height = 0);
    TRadio& Redefine(int id, bool checked, int pos, TWindow* parent, TRadMenu* menu);
    Answer Click() override;
    void SetCheck(bool on);
    bool lIsChecked();
    void Initiate(HWND hDlg) override;
    // The arrows move the menu's option and the focus with it; Enter goes
    // on to the next control.
    Answer KeyDown(WPARAM key, LPARAM flags) override;
    Answer KeyChar(WPARAM key, LPARAM flags) override;
    std::string SaveToRC(int indent) const;
};

struct RadMenuNew {
    double nRow = 0, nCol = 0;
    std::vector<std::string> aCaptions;
    SetGet bSetGet;
    TWindow* oWnd = nullptr;
    std::function<void(TRadMenu&)> bChange;
    int nWidth = 0, nHeight = 0;
    bool lPixel = false;
};

class TRadMenu {
public:
    std::vector<std::unique_ptr<TRadio>> aItems;
    SetGet bSetGet;
    std::function<void(TRadMenu&)> bChange;
    std::string cMsg;
    bool lUpdate = false;

    TRadMenu& New(const RadMenuNew& a);
    TRadMenu& Redefine(SetGet setGet, TWindow* parent, const std::vector<int>& ids,
                       std::function<void(TRadMenu&)> change = nullptr);
    int nOption() const;
    void nOption(int n);
    void SetOption(int n);
    void Select(const TRadio& radio);
    void Refresh();
    void GoPrevNext(bool forward);
    void GoNext() { GoPrevNext(true); }
    void GoPrev() { GoPrevNext(false); }
    // An empty menu; radios join it with AddRadio.
    TRadMenu& Define(SetGet setGet, std::function<void(TRadMenu&)> change = nullptr, const std::string& msg = {},
                     bool update = false);
    // Takes the radio into the menu as its last position.
    TRadio& AddRadio(std::unique_ptr<TRadio> radio);
    // Each applied to every radio in order.
    void Enable();
    void Disable();
    void Show();
    void Hide();
    void End();
    void Set3DLook(bool on = true);
    void SetFont(std::shared_ptr<TFont> font);
};

}  // namespace wl
