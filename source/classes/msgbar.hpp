// TMsgBar: the bar along the bottom of a window that shows one line of
// text (the message of whatever is under the mouse, or its default
// prompt), with TMsgItem panels at its right end (clock, date, keyboard
// toggles or any text with an action) and a resource monitor in the
// window's title. TStatusBar is the same idea on the system status bar.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control.hpp"

namespace wl {

class TMsgItem;

struct MsgBarNew {
    TWindow* oWnd = nullptr;  // default window when none
    std::string cPrompt;
    bool lCentered = false, lClock = false, lDate = false, lKeyboard = false;
    Color nClrText = 0;
    std::optional<Color> nClrBack;  // COLOR_BTNFACE when none
    std::shared_ptr<TFont> oFont;
    bool lInset = true, l2007 = false, l2010 = false;
};

class TMsgBar : public TControl {
public:
    ~TMsgBar() override;
    std::string ClassName() const override { return "TMSGBAR"; }

    std::string cMsgDef;
    bool lCentered = false, lInset = true;
    std::vector<TMsgItem*> aItems;
    int nItem = 0;
    TMsgItem *oKeyNum = nullptr, *oKeyCaps = nullptr, *oKeyIns = nullptr, *oClock = nullptr, *oDate = nullptr;
    int nSizeItem = 0;
    int nBarHeight = 0;
    bool lCheckRes = false, lInfoRes = true;
    bool l2007 = false, l2010 = false, lPainting = false, lPaint3L = true;

    TMsgBar& New(const MsgBarNew& a = {});

    // "" shows the default prompt again; a closure is evaluated.
    void SetMsg(const std::string& text, bool lDefault = false) override;
    void SetMsg(const std::function<std::string()>& text) { SetMsg(text ? text() : std::string()); }
    void msgBarShow(const std::string& text) override { SetMsg(text); }

    void AddItem(TMsgItem& item);
    void InsItem(TMsgItem& item, int position);
    void DelItem(TMsgItem& item);
    // One panel per text (the bar owns them).
    void SetItems(const std::vector<std::string>& texts);
    int GetItems() const { return static_cast<int>(aItems.size()); }
    int Height() const { return nBarHeight; }
    // The left edge of a panel of this bar.
    int itemLeft(const TMsgItem& item) const;

    void ClockOn();
    void ClockOff();
    void DateOn();
    void DateOff();
    void KeybOn();
    void KeybOff();
    void CheckTimer();
    void TimerEval();

    Answer LDblClick(int row, int col, WPARAM flags) override;
    Answer LButtonDown(int row, int col, WPARAM flags) override;
    Answer RButtonDown(int row, int col, WPARAM flags) override;
    Answer MouseMove(int row, int col, WPARAM flags) override;
    Answer Timer(WPARAM id, LPARAM l) override;
    Answer Paint() override;
    Answer EraseBkGnd(HDC) override { return 1; }
    void Adjust() override;
    Answer Destroy() override;
    // The office looks' skin over the columns from `left`, `width` wide
    // (0: to the right edge); nothing while the panels are painted.
    void PaintBar(HDC dc, int left = 0, int width = 0);
    // The tooltip of the panel under the mouse (nItem), when it has one.
    void ShowToolTip();
    using TWindow::ShowToolTip;
    // Bars show themselves: nothing to do.
    void ShowMsgBar() {}
    // Design mode's pop-up at the point: the default prompt, the date,
    // clock and keyboard panels (checked while on; a choice toggles) and
    // the bar's source.
    void FastEdit(int row, int col);

private:
    TMsgItem& ownItem(const std::string& text);
    void dropOwned(TMsgItem*& item);
    void paintMessage(HDC dc, bool full);
    bool timerOn_ = false;
    std::vector<std::unique_ptr<TMsgItem>> owned_;
};

// The library's default message bar: the last one created.
TMsgBar* GETMSGBARDEFAULT();
void SETMSGBARDEFAULT(TMsgBar* bar);

struct MsgItemNew {
    TMsgBar* oMsgBar = nullptr;  // the default message bar when none
    std::string cMsg;
    std::optional<int> nWidth;  // the bitmap's width + 7, else 40
    std::shared_ptr<TFont> oFont;
    std::optional<Color> nClrText, nClrBack;
    bool lAdd = false;
    std::function<void(int, int)> bAction;
    std::string cBmpActive, cBmpInactive;  // file or bitmap resource
    std::string cToolTip;
};

class TMsgItem {
public:
    TMsgItem() = default;
    ~TMsgItem();
    TMsgItem(const TMsgItem&) = delete;
    TMsgItem& operator=(const TMsgItem&) = delete;

    TMsgBar* oMsgBar = nullptr;
    std::string cMsg;
    int nWidth = 40;
    Color nClrText = 0, nClrPane = 0xFFFFFF, nClrDisabled = 0;
    std::function<std::string()> bMsg;
    std::function<void(int, int)> bAction, bRClicked;
    std::shared_ptr<TFont> oFont;
    bool lActive = true, lTimer = false, lWasActive = true;
    HBITMAP hBitmap1 = nullptr, hBitmap2 = nullptr;
    std::string cToolTip;

    TMsgItem& New(const MsgItemNew& a = {});
    int nLeft() const;
    bool IsOver(int row, int col) const;
    void Paint(HDC dc);
    void Refresh();
    void SetText(const std::string& text);
    void Click(int row, int col) {
        if (bAction) bAction(row, col);
    }
    void RClick(int row, int col) {
        if (bRClicked) bRClicked(row, col);
    }
    void SetFont(std::shared_ptr<TFont> font);
    void SetBitmap(const std::string& active, const std::string& inactive = {});
    void SetColor(Color text, Color pane);
    void End();
    // The designer's record of the panel: its text and width when they
    // differ from a new panel's.
    std::string Save() const;
    // Assigns the stored text and width; false for a record of another kind.
    bool Load(const std::string& data);

private:
    void paintNow();
};

struct StatusBarNew {
    TWindow* oWnd = nullptr;
    std::string cMsgDef;
    std::vector<int> aParts;  // right edges
    std::vector<std::string> aPrompts;
    bool lClock = false;
};

class TStatusBar : public TControl {
public:
    std::string ClassName() const override { return "TSTATUSBAR"; }
    std::string WindowClass() const override { return "msctls_statusbar32"; }

    std::string cMsgDef;
    std::optional<int> nPartTime;  // the clock part (from 1)

    TStatusBar& New(const StatusBarNew& a = {});
    // "" shows the default text.
    void SetMsg(const std::string& text, bool lDefault = false) override;
    void msgBarShow(const std::string& text) override { SetMsg(text); }
    std::vector<int> GetParts() const;
    bool SetParts(const std::vector<int>& edges);
    // The control copies the text before this returns.
    bool SetPartText(int n, const std::string& text);
    std::string GetPartText(int n) const;
    void SetPrompts(const std::vector<std::string>& texts);
    void ClockOn();
    void TimerEval();
    void AdjBottom() override;
    Answer Timer(WPARAM id, LPARAM l) override;
    Answer Destroy() override;

private:
    bool timerOn_ = false;
};

}  // namespace wl
