// TBar: a button bar docked to one edge of a window (or floating in a small
// tool window) holding TBtnBmp buttons in a row or a column, with gaps
// between button groups. TBtnBmp: an owner-painted button with up to four
// bitmaps (normal, pressed, disabled, mouse-over), an optional caption and
// an optional drop-down arrow that opens a pop-up menu.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "button_bar_model.hpp"
#include "control.hpp"

namespace wl {

class TBtnBmp;

// The gradient of a bar or button face (argument: pressed or mouse over).
using GradientSource = std::function<GradientSpec(bool)>;

struct BarNew {
    TWindow* oWnd = nullptr;  // default window when none
    int nBtnWidth = 28, nBtnHeight = 28;
    bool l3D = false;
    std::string cMode = "TOP";
    std::shared_ptr<TCursor> oCursor;
    bool l2007 = false, l2010 = false;
};

class TBar : public TControl {
public:
    std::string ClassName() const override { return "TBAR"; }
    bool holdsBarButtons() const override { return true; }

    int nGroups = 0;
    int nMode = kBarTop;
    int nBtnWidth = 28, nBtnHeight = 28;
    bool l3D = false, l2007 = false, l2010 = false;
    GradientSource bClrGrad;

    TBar& New(const BarNew& a = {});
    // A bar at an explicit rectangle, in no slot of its window.
    TBar& NewAt(int row, int col, int width, int height, int btnWidth, int btnHeight, TWindow* window, bool l3D);

    bool classic3D() const { return l3D && !l2007 && !l2010; }
    bool vertical() const { return nMode == kBarLeft || nMode == kBarRight; }
    BarLook look() const { return {nBtnWidth, nBtnHeight, classic3D(), l2007 || l2010}; }
    TBtnBmp* button(int position) const;  // from 1
    int count() const { return static_cast<int>(aControls.size()); }

    void Add(TBtnBmp& btn, std::optional<int> position = std::nullopt);
    void AddGroup(int position);
    void DelGroup(int position);
    void Del(int position);
    int GetBtnTop(bool group) const;
    int GetBtnLeft(bool group, std::optional<int> position = std::nullopt);
    void BtnAdjust();
    void GoTop() { dock(kBarTop); }
    void GoDown() { dock(kBarBottom); }
    void GoLeft() { dock(kBarLeft); }
    void GoRight() { dock(kBarRight); }
    void Float();
    // Docks a floating bar again (the float window's menu choice).
    void FloatClick(int mode);
    // Whether the bar may dock to the mode's edge of its window now.
    bool canDock(int mode) const;
    void Adjust() override;
    void AdjTop() override { Adjust(); }
    void AdjBottom() override { Adjust(); }
    void AdjLeft() override { Adjust(); }
    void AdjRight() override { Adjust(); }
    void SaveIni(const std::string& name, const std::string& profile) const;

    Answer RButtonDown(int row, int col, WPARAM flags) override;
    Answer Command(WPARAM w, LPARAM l) override;
    Answer Paint() override;
    Answer EraseBkGnd(HDC) override { return 1; }
    Answer MouseMove(int row, int col, WPARAM flags) override;
    std::string cGenPRG() const;

    // The float window while the bar floats.
    std::unique_ptr<TWindow> oFloat;

private:
    void dock(int mode);
    void clearSlot();
    void takeSlot();
    std::vector<BarButton> layoutButtons() const;
};

struct BtnBmpNew {
    int nTop = 0, nLeft = 0, nWidth = 20, nHeight = 20;
    std::string cResName1, cResName2, cBmpFile1, cBmpFile2;
    std::function<void(TBtnBmp&)> bAction;
    TWindow* oWnd = nullptr;
    std::string cMsg = " ";
    std::function<bool()> bWhen;
    bool lAdjust = false, lUpdate = false;
    std::optional<std::string> cCaption;
    std::shared_ptr<TFont> oFont;
    std::string cResName3, cBmpFile3;
    bool lBorder = true;
    std::string cLayout = "TOP";
    bool lOffice = false;
    std::string cResName4, cBmpFile4;
    bool lTransparent = false;
    std::string cToolTip;
    bool lRound = true;
    GradientSource bClrGrad;
};

struct BarBtnNew {
    std::string cResName1, cResName2, cBmpFile1, cBmpFile2;
    std::string cMsg;
    std::function<void(TBtnBmp&)> bAction;
    bool lGroup = false;
    TBar* oBar = nullptr;
    bool lAdjust = false;
    std::function<bool()> bWhen;
    std::string cToolTip;
    bool lPressed = false;
    std::string cAction;
    std::optional<int> nPosition;
    std::optional<std::string> cCaption;
    std::shared_ptr<TFont> oFont;
    std::string cResName3, cBmpFile3;
    bool lBorder = true;
    std::function<std::shared_ptr<TMenu>(TBtnBmp&)> oPopup;
    std::string cLayout = "TOP";
    std::string cResName4, cBmpFile4;
    bool lTransparent = false;
};

class TBtnBmp : public TControl {
public:
    ~TBtnBmp() override;
    std::string ClassName() const override { return "TBTNBMP"; }
    bool isPushButton() const override { return true; }

    std::function<void(TBtnBmp&)> bAction;
    std::string cAction;
    bool lPressed = false, lAdjust = false, lGroup = false;
    bool lWorking = false, lBtnUp = false, lBtnDown = false;
    bool lProcessing = false, lBorder = true, lRound = true, lEllipse = false;
    HBITMAP hBitmap1 = nullptr, hBitmap2 = nullptr, hBitmap3 = nullptr, hBitmap4 = nullptr;
    std::string cResName1, cResName2, cResName3, cResName4;
    std::string cBmpFile1, cBmpFile2, cBmpFile3, cBmpFile4;
    // Yields the pop-up menu of the drop-down arrow, run through
    // TMenu::Activate (which ends it afterwards).
    std::function<std::shared_ptr<TMenu>(TBtnBmp&)> oPopup;
    int nLayout = 1;
    bool lMOver = false;
    GradientSource bClrGrad;
    bool l2007 = false, l2010 = false, lBarBtn = false;
    std::optional<std::string> cCaptionText;
    std::string hotKeyCaption() const override { return cCaptionText.value_or(GetText()); }
    // The office looks draw a box around the button under the mouse.
    bool lBoxSelect = true;
    // The window region of a round or elliptic office button (the window
    // owns it once set).
    HRGN hRgn = nullptr;
    // Alpha pictures: which of the four have alpha, and the level.
    std::array<bool, 4> aHasAlpha{};
    std::function<int(TBtnBmp&)> bAlphaLevel;
    int hAlphaLevel = 255;

    TBtnBmp& New(const BtnBmpNew& a);
    TBtnBmp& NewBar(const BarBtnNew& a);
    // The button of a dialog template with that identifier; the position
    // and size fields of `a` are not used.
    TBtnBmp& ReDefine(int id, const BtnBmpNew& a);

    Answer Click() override;
    Answer LButtonDown(int row, int col, WPARAM flags) override;
    Answer LButtonUp(int row, int col, WPARAM flags) override;
    Answer MouseMove(int row, int col, WPARAM flags) override;
    Answer MouseLeave(int row, int col, WPARAM flags) override;
    Answer KeyChar(WPARAM key, LPARAM flags) override;
    Answer KeyDown(WPARAM key, LPARAM flags) override;
    Answer GotFocus(HWND lost) override;
    Answer LostFocus(HWND gaining) override;
    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;
    Answer Paint() override;
    Answer EraseBkGnd(HDC) override { return 1; }
    Answer Destroy() override;

    void LoadBitmaps();
    // Replaces the normal and pressed bitmaps by these files.
    void SetFile(const std::string& file1, const std::string& file2 = {});
    void FreeBitmaps();
    void Toggle();
    void GoUp();
    void GoDown();
    void ShowPopup();
    void Enable() {
        TWindow::Enable();
        Refresh(false);
    }
    void Disable() {
        TWindow::Disable();
        Refresh(false);
    }
    GradientSpec aGrad() const;
    TBar* bar() const;
    // Border off, repainted.
    void ResetBorder();
    // Whether the picture has alpha, recorded for slot 1 to 4 (clamped).
    bool HasAlpha(HBITMAP bitmap, int slot = 1);
    int nAlphaLevel(std::optional<int> level = std::nullopt);
    // An unfilled one-pixel ellipse inside the button, inset by `inset`.
    void DrawEllipse(HDC dc, Color colour, int inset = 0);
    // The dotted focus mark of an elliptic button.
    void DrawFocusEllipse(HDC dc);
    std::string cGenPRG() const;

private:
    // What New and ReDefine take from their arguments alike.
    void settingsFrom(const BtnBmpNew& a);
    void showPopupBelow();
};

// The layout number of a word: 1 "TOP", 2 "LEFT", 3 "BOTTOM", 4 "RIGHT",
// 0 for any other.
int btnLayoutOf(const std::string& word);

}  // namespace wl
