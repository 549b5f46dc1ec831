// TButton (a push button with an action), TButtonBmp (a button that draws a
// bitmap over its face) and TSay (a static label showing a value).
#pragma once

#include <functional>
#include <string>

#include "control.hpp"

namespace wl {

struct ButtonNew {
    double nRow = 0, nCol = 0;
    std::string cCaption = "&Button";
    TWindow* oWnd = nullptr;
    std::function<void(TWindow&)> bAction;
    int nWidth = 0, nHeight = 13;  // width 0: 6 per caption character, at least 30
    std::optional<int> nHelpId;
    std::shared_ptr<TFont> oFont;
    bool lDefault = false, lPixel = false, lDesign = false;
    std::string cMsg;
    bool lUpdate = false;
    std::function<bool()> bWhen;
    std::function<bool(TWindow&)> bValid;
    bool lCancel = false;
    std::string cVarName;
    bool lMultiLine = false;
};

class TButton : public TControl {
public:
    std::string ClassName() const override { return "TBUTTON"; }
    bool isPushButton() const override { return true; }
    std::string WindowClass() const override { return "BUTTON"; }

    std::function<void(TWindow&)> bAction;
    bool lDefault = false;
    bool lProcessing = false;

    TButton& New(const ButtonNew& a = {});
    TButton& ReDefine(int id, std::function<void(TWindow&)> action, TWindow* parent = nullptr,
                      const std::string& caption = {}, bool cancel = false);

    Answer Click() override;
    Answer KeyDown(WPARAM key, LPARAM flags) override;
    Answer GotFocus(HWND lost) override;
    Answer KillFocus(HWND gaining) override;
    Answer Colors(HDC) override { return std::nullopt; }
    // OnClick runs with the button; the button's own procedure still gets
    // the release (it makes the click), except in design mode.
    Answer LButtonUp(int row, int col, WPARAM flags) override;
    // The button's own procedure tracks the mouse as well.
    Answer MouseMove(int row, int col, WPARAM flags) override;
    void Initiate(HWND hDlg) override;
    std::string SaveToRC(int indent) const;
    // The form designer's source of the button, in pixels or dialog units.
    std::string cGenPRG(bool dialogUnits = false) const;
};

class TButtonBmp : public TButton {
public:
    ~TButtonBmp() override;
    std::string ClassName() const override { return "TBUTTONBMP"; }

    HBITMAP hBitmap = nullptr;
    std::string cBitmap;
    std::string cPosText;
    bool lHasAlpha = false;
    std::function<int(TButtonBmp&)> bAlphaLevel;
    int hAlphaLevel = 255;

    // The bitmap: a file when one exists, else a resource of the program.
    TButtonBmp& New(const ButtonNew& a, const std::string& bitmap, const std::string& position = {},
                    const std::string& toolTip = {});
    TButtonBmp& NewFromHandle(const ButtonNew& a, HBITMAP bitmap, const std::string& position = {},
                              const std::string& toolTip = {});
    // The button of a dialog template, with its bitmap, placement and tooltip.
    TButtonBmp& ReDefine(int id, std::function<void(TWindow&)> action, TWindow* parent, const std::string& caption,
                         bool cancel, const std::string& bitmap, const std::string& position = {},
                         const std::string& toolTip = {});
    bool LoadBitmap(const std::string& bitmap);
    bool HasAlpha();
    int nAlphaLevel(std::optional<int> level = std::nullopt);
    // The bitmap's top-left corner on a face of this size.
    POINT bitmapOrigin(int width, int height, bool pushed) const;

    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;
    Answer EraseBkGnd(HDC) override { return 1; }
    // Shows cMsg in the message bar and repaints (unless skins are on).
    Answer MouseMove(int row, int col, WPARAM flags) override;
    // The standard face, then the picture: alpha-blended at nAlphaLevel
    // when the alpha switch is on and the picture has alpha, else masked
    // by its top-left colour; greyed when disabled.
    Answer Paint() override;
};

struct SayNew {
    double nRow = 0, nCol = 0;
    std::function<Value()> bText;
    TWindow* oWnd = nullptr;
    std::function<std::string(const Value&)> cPicture;  // formats the value; none: value as text
    std::shared_ptr<TFont> oFont;
    bool lCentered = false, lRight = false, lBorder = false, lPixel = false;
    std::optional<Color> nClrText, nClrBack;
    std::string cClrText;  // a colour attribute instead ("B/W+*")
    int nWidth = 0, nHeight = 0;
    bool lDesign = false, lUpdate = false, lShaded = false, lBox = false, lRaised = false;
    bool lAdjust = false, lTransparent = false;
    std::string cVarName;
};

class TSay : public TControl {
public:
    std::string ClassName() const override { return "TSAY"; }
    std::string WindowClass() const override { return "STATIC"; }

    bool l3D = false;
    std::function<std::string(const Value&)> cPicture;
    std::function<Value()> bGet;
    bool lWantClick = false, lAdjust = false;

    TSay& New(const SayNew& a = {});
    TSay& ReDefine(int id, std::function<Value()> text, TWindow* parent = nullptr);
    void SetText(const Value& v);
    void VarPut(const Value& v);
    void Refresh(bool erase = true) override;
    void Initiate(HWND hDlg) override;
    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;
    // A transparent or themed label lets the parent's background show.
    Answer EraseBkGnd(HDC dc) override;
    std::string cGenPrg() const;
    std::string SaveToRC(int indent) const;

private:
    std::string format(const Value& v) const;
};

}  // namespace wl
