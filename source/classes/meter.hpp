// TMeter (a progress bar painted by the library), TScrollBar (a scroll-bar
// control or a window's own bar with an action per scroll step) and TGroup
// (a group box).
#pragma once

#include <functional>
#include <utility>
#include <string>

#include "control.hpp"

namespace wl {

struct MeterNew {
    double nRow = 0, nCol = 0;
    SetGet bSetGet;  // none: a private number starting at 0
    double nTotal = 10;
    TWindow* oWnd = nullptr;
    int nWidth = 300, nHeight = 20;
    bool lPixel = false;
    std::shared_ptr<TFont> oFont;
    std::string cText = std::string(1, '\0');
    bool lNoPercentage = false;
    std::optional<Color> nClrPane, nClrText;
    Color nClrBar = 0xFF0000;  // RGB(0, 0, 255)
    Color nClrBText = 0xFFFFFF;
};

class TMeter : public TControl {
public:
    std::string ClassName() const override { return "TMETER"; }

    double nTotal = 10;
    double nRefresh = 0;
    Color nClrBar = 0xFF0000, nClrBText = 0xFFFFFF;
    std::string cText;
    bool lPercentage = true;

    TMeter& New(const MeterNew& a = {});
    TMeter& ReDefine(int id, SetGet setGet, double total, TWindow* parent);
    // Stores the value clamped to 0..total; from 1 % on it repaints and
    // drains pending messages.
    void Set(std::optional<double> value = std::nullopt);
    void SetTotal(double n);
    void Default() override;
    void Initiate(HWND hDlg) override;
    Answer Paint() override;
    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;
    Answer EraseBkGnd(HDC) override { return 1; }

private:
    Value own_ = Value(0);
};

class TScrollBar : public TControl {
public:
    std::string ClassName() const override { return "TSCROLLBAR"; }
    std::string WindowClass() const override { return "SCROLLBAR"; }

    bool lVertical = true, lReDraw = true, lIsChild = false;
    int nMin = 0, nMax = 0, nPgStep = 1;
    std::function<void()> bGoUp, bGoDown, bGoTop, bGoBottom, bPageUp, bPageDown;
    std::function<void(int)> bPos, bTrack;

    TScrollBar& New(double row, double col, int min, int max, int pgStep, bool vertical, TWindow* parent,
                    int width = 0, int height = 0, bool pixel = false);
    TScrollBar& WinNew(int min, int max, int pgStep, bool vertical, TWindow* window);
    TScrollBar& ReDefine(int id, int min, int max, int pgStep, TWindow* parent);
    int GetPos() const;
    void SetPos(int n);
    void SetRange(int min, int max);
    // The range the bar itself holds (it may differ from nMin/nMax when
    // the window's own bar was changed behind this object's back).
    std::pair<int, int> GetRange() const;
    // 1 vertical, 2 horizontal, as the window style says.
    int nOrientation() const;
    void nOrientation(int orientation);
    void GoUp();
    void GoDown();
    void GoTop();
    void GoBottom();
    void PageUp();
    void PageDown();
    void ThumbPos(int n) {
        if (bPos) bPos(n);
    }
    void ThumbTrack(int n) {
        if (bTrack) bTrack(n);
    }
    void SetPage(int page, bool redraw = false);
    void Initiate(HWND hDlg) override;
    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;

private:
    HWND barWindow() const;
    int barKind() const;
};

class TGroup : public TControl {
public:
    std::string ClassName() const override { return "TGROUP"; }
    std::string WindowClass() const override { return "BUTTON"; }

    TGroup& New(double top, double left, double bottom, double right, const std::string& caption, TWindow* parent,
                bool pixel = false, int width = 0, int height = 0, bool transparent = false);
    TGroup& ReDefine(int id, const std::string& caption, TWindow* parent);
    void Initiate(HWND hDlg) override;
    // The system paints the frame; under visual styles the caption is
    // drawn again in the group's own font and colour.
    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;
    // The caption, transparent, at x 9, y 0, in the group's font (else the
    // parent's) and text colour.
    void PaintCaption(HDC dc);
    std::string cGenPRG(bool dialogUnits = false) const;
    std::string SaveToRC(int indent) const;
};

}  // namespace wl
