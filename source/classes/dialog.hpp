// TDialog: the dialog box of the library. Controls are defined on it before
// it opens; Activate runs it from a template built in memory, modal by
// default, until End gives it a result.
#pragma once

#include <exception>
#include <optional>
#include <string>
#include <variant>

#include "control.hpp"
#include "event_target.hpp"

namespace wl {

class TControl;

// A dialog template in the module's resources, by name or by number.
using DialogResource = std::variant<std::string, int>;
std::string resourceText(const DialogResource& r);

struct DialogNew {
    double nTop = 0, nLeft = 0, nBottom = 10, nRight = 40;
    std::string cCaption;
    std::optional<DialogResource> cResName;
    HINSTANCE hResources = nullptr;  // none: the program's resources
    DWORD nStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    std::optional<Color> nClrText, nClrBack;
    std::shared_ptr<TBrush> oBrush;
    TWindow* oWnd = nullptr;
    bool lPixel = false;
    std::shared_ptr<TFont> oFont;
    int nWidth = 0, nHeight = 0;  // either one set: pixels
    bool lTransparent = false;
    GradientSpec aGradColors;
    std::string cVarName = "oDlg";
};

struct DialogActivate {
    MouseAction bLClicked, bRClicked;
    Action<int, int> bMoved;
    PaintAction bPainted;
    bool lCentered = false;
    std::function<bool(TWindow&)> bValid;
    bool lModal = true;
    Action<TWindow&> bInit;
    std::function<bool()> bWhen;
    bool lCenterInWnd = false;
    bool lResize16 = false;  // widen a resource dialog by 1.16668
};

class TDialog : public TWindow {
public:
    TDialog();
    ~TDialog() override;

    std::string ClassName() const override { return "TDIALOG"; }
    bool isFrameWindow() const override { return false; }
    bool lendsPaneColor() const override { return false; }
    double rowPixels() const override { return 15.1; }
    double colPixels() const override { return 7.9; }

    bool lCentered = false, lCenterInWnd = false, lModal = true, lModify = true, lTransparent = false;
    bool lResize16 = false;
    // Where the template comes from: a resource of hResources, else the
    // bytes of cResData, else a template built from the controls.
    std::optional<DialogResource> cResName;
    std::string cResData;
    HINSTANCE hResources = nullptr;
    Action<TWindow&> bStart;
    // Context-help mode (the "?" of the title bar was pressed). Unset or
    // true also asks for that button when the dialog starts; false keeps
    // it away.
    std::optional<bool> lHelpIcon;
    bool inHelpMode() const { return lHelpIcon.value_or(false); }
    void helpModeOff();

    TDialog& New(const DialogNew& a = {});
    // Sets the bounds (pixels), caption, style and colours of a dialog
    // whose window is made later.
    TDialog& Define(int top, int left, int bottom, int right, const std::string& caption = {},
                    DWORD style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, bool vbx = false,
                    std::optional<Color> clrText = std::nullopt, std::optional<Color> clrBack = std::nullopt,
                    std::shared_ptr<TBrush> brush = nullptr);
    // Docks the control to the client area.
    void SetControl(TControl* oCtrl);
    // The gradient the dialog paints: its own, else the module's.
    const GradientSpec& gradient() const;
    void DefControl(TControl* oCtrl);
    void Activate(const DialogActivate& a = {});
    // Answer to WM_INITDIALOG, for modal and modeless dialogs alike.
    bool Initiate(HWND hWndFocus, HWND hDlg);
    // Ends the dialog with the result (2: cancelled) after validation.
    bool End(int result);
    bool End() override { return End(2); }
    Answer Close(WPARAM result) override;
    Answer Destroy() override;
    std::string cToChar(HWND hOwner);
    HWND GetItem(int id) const { return GetDlgItem(hWnd, id); }
    TControl* controlWithId(int id) const;

    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;
    Answer Command(WPARAM w, LPARAM l) override;
    Answer SysCommand(WPARAM cmd, LPARAM l) override;
    // Escape passed up from a control that takes every key itself (the
    // dialog manager never sees it) ends the dialog as the key would.
    Answer KeyChar(WPARAM key, LPARAM flags) override;
    // The topic of the control the request names, else the dialog's.
    Answer Help(WPARAM w, LPARAM l) override;
    Answer GotFocus(HWND) override { return std::nullopt; }
    Answer LostFocus(HWND) override { return std::nullopt; }
    Answer EraseBkGnd(HDC dc) override;
    Answer ReSize(WPARAM sizeType = 0, int width = 0, int height = 0) override;
    Answer Display();
    Answer MouseMove(int row, int col, WPARAM flags) override;
    // The dialog paints itself into another context; nothing of its own.
    Answer PrintClient() { return 1; }
    // Adds the title bar's context-help button when lHelpIcon asks for it.
    void Help95();

protected:
    // Every dialog's one error policy: the error ends the dialog; while
    // Activate runs (a modal dialog's whole run, a modeless one's start)
    // Activate raises it again, later it goes to the error hook as a
    // window's error does.
    void handlerFailed(UINT msg) override;

private:
    // Widens a resource dialog and its children by 1.16668.
    void widen();
    // Over a transparent dialog every control shows the dialog's
    // background, except those that paint a field or list of their own.
    void controlsOverBackground();
    struct Target : EventTarget {
        TDialog* dialog = nullptr;
        Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;
    } target_;
    std::exception_ptr startError_;
    bool activating_ = false;  // Activate is on the stack
    bool failed_ = false;      // ended by an error: no validation stops it
    friend struct Target;
};

bool SETDIALOGESC(std::optional<bool> on = std::nullopt);
bool SETCENTERONPARENT(std::optional<bool> on = std::nullopt);
GradientSpec SETDLGGRADIENT(const GradientSpec& grad);

}  // namespace wl
