// TToolBar wraps the system toolbar control: buttons with images from an
// image list and optional texts, tool tips, message-bar texts, enable
// conditions and drop-down buttons that open a pop-up menu. TReBar wraps
// the system rebar control that holds a toolbar in a band.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control.hpp"

namespace wl {

class TToolBar;

class TMenu;

// Yields the pop-up menu a drop-down button opens (nullptr: none); it runs
// through TMenu::Activate on the toolbar's window, which ends it afterwards.
using ToolMenu = std::function<std::shared_ptr<TMenu>(TToolBar&)>;

struct ToolButton {
    std::function<void(TToolBar&, int)> bAction;  // with the toolbar and the button id
    std::string cToolTip;
    std::string cMsg;
    ToolMenu bMenu;
    std::function<bool()> bWhen;
};

class TToolBar : public TControl {
public:
    std::string ClassName() const override { return "TTOOLBAR"; }
    std::string WindowClass() const override { return "ToolbarWindow32"; }

    int nBtnWidth = 33, nBtnHeight = 33;
    // One entry per button; the position (from 1) is the button's command
    // id and its image number. Deleted buttons keep their entries.
    std::vector<ToolButton> aButtons;
    HIMAGELIST oImageList = nullptr;  // the caller's
    bool lTTBalloon = false;

    TToolBar& New(TWindow* parent = nullptr, int btnWidth = 33, int btnHeight = 33, HIMAGELIST imageList = nullptr,
                  bool balloon = false);
    void Create();

    // Appends a button (text empty: none); answers its id.
    int AddButton(std::function<void(TToolBar&, int)> action, const std::string& tooltip = {},
                  const std::string& text = {}, std::function<bool()> when = nullptr, const std::string& msg = {});
    int AddMenu(std::function<void(TToolBar&, int)> action, const std::string& tooltip, const std::string& text,
                std::function<bool()> when, const std::string& msg, ToolMenu menu);
    void AddSeparator();

    Answer Command(WPARAM w, LPARAM l) override;
    Answer Notify(WPARAM id, LPARAM header) override;
    HWND helperWindow() const override;
    void AEvalWhen();
    void EnableButton(int n, bool enable);
    bool IsButtonEnabled(int n) const;
    void DelButton(int n);
    void HideButton(int n);
    void ShowButton(int n);
    bool IsButtonHidden(int n) const;
    void ChangeBitmap(int n, int image);
    void SetTextRows(int n);
    void SetPressed(int n, bool pressed);
    void SetChecked(int n, bool checked);
    bool IsChecked(int n) const;
    bool ToggleCheck(int n);
    void SetText(int n, const std::string& text);
    // The text the control holds for button id n ("" when it has none).
    std::string GetText(int n) const;
    void SetMessage(int n, const std::string& text);
    void SetTooltip(int n, const std::string& text);

    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;
    Answer Paint() override;
    Answer EraseBkGnd(HDC) override { return 1; }
    Answer GotFocus(HWND) override { return 1; }
    Answer MouseMove(int row, int col, WPARAM flags) override;
    void AdjTop() override;
    Answer RButtonDown(int, int, WPARAM) override { return std::nullopt; }

private:
    ToolButton* entry(int id);
    int addEntry(ToolButton b, const std::string& text, bool dropDown);
};

class TReBar : public TControl {
public:
    std::string ClassName() const override { return "TREBAR"; }
    bool holdsBands() const override { return true; }
    std::string WindowClass() const override { return "ReBarWindow32"; }

    TReBar& New(TWindow* parent = nullptr);
    void InsertBand(TWindow& control, const std::string& text = {});
    Answer Command(WPARAM w, LPARAM l) override;
    Answer MouseMove(int, int, WPARAM) override { return std::nullopt; }
};

}  // namespace wl
