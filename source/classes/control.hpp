// TControl: the base of every control. It adds to TWindow the identifier,
// the two births (created on a live parent, or kept by a dialog and bound to
// its item when the dialog starts), the value link, docking, and the focus
// and validation steps.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "window.hpp"

namespace wl {

// The library errors of dialogs and controls.
inline constexpr int kErrorNonDefinedId = 1;
inline constexpr int kErrorDuplicatedId = 2;
inline constexpr int kErrorCannotCreateDialog = 3;

// Called without a value to read, with one to write.
using SetGet = std::function<Value(const std::optional<Value>&)>;

class TControl;
using ControlAction = Action<TControl&>;

// A link to a variable the caller owns.
SetGet bindTo(Value& variable);
// A link to a text the caller owns; a value of another type is kept as its
// text (CVALTOCHAR).
SetGet bindTo(std::string& variable);

class TControl : public TWindow {
public:
    TControl();
    ~TControl() override;

    std::string ClassName() const override { return "TCONTROL"; }
    // The Windows class of the control's window ("BUTTON", "STATIC", ...).
    virtual std::string WindowClass() const { return ClassName(); }

    SetGet bSetGet;
    std::function<void(TControl&)> bChange;
    bool lCaptured = false, lDrag = false, lMouseDown = false, lUpdate = false;
    bool l3DLook = false, l97Look = false, lTransparent = false;
    int nLastRow = 0, nLastCol = 0, nMResize = 0, nClientBevel = 0;
    std::optional<int> nDlgCode;
    TControl* oJump = nullptr;
    // Every Alt key combination (key, flags, control) before the hot keys.
    Action<WPARAM, LPARAM, TControl&> bSysKeyDown;
    // Drag and drop: evaluated when a drag starts (row, col, flags, control).
    Action<int, int, WPARAM, TControl&> bDragBegin;
    // Design mode: around a deletion, while a move (top, left), before and
    // after it.
    ControlAction bPreDelControl, bPostDelControl, bPreDrag, bPostDrag;
    Action<int, int> bDrag;

    // Asked before a control is deleted in design mode; shared by every
    // control (the editing action of a window stays TWindow::bDelete) and
    // kept with the controls' shared state.
    static std::function<bool()>& bDelete();

    // Identifiers shared by every control of the process.
    static int GetNewId();

    // Binds the control to the item of a running dialog; throws error 1
    // when the dialog has no item with the identifier.
    virtual void Initiate(HWND hDlg);
    // The control's item of an in-memory dialog template.
    virtual std::string cToChar(const std::string& cClass = {});

    Value VarGet() const { return bSetGet ? bSetGet(std::nullopt) : Value(); }
    void VarPut(const Value& v) {
        if (bSetGet) bSetGet(v);
    }

    // The hooks through which the parent's notifications arrive, named
    // (control_notify.hpp). onCommand gets the WM_COMMAND codes the parent
    // reflects (LM_CLICK, LM_CHANGE, LM_CLOSEUP); by default Clicked runs
    // Click, Changed runs Change and ClosedUp nothing. onNotify gets the
    // control's WM_NOTIFY headers; by default a selection change runs
    // SelChanged and every other code Notify.
    virtual Answer onCommand(ControlCommand code);
    virtual Answer onNotify(WPARAM id, const NMHDR& header);
    bool endsHelpSearch() const override { return isContainer(); }
    bool isFrameWindow() const override { return false; }
    bool lendsPaneColor() const override { return false; }

    virtual Answer Click();
    virtual Answer Change() { return std::nullopt; }
    virtual Answer Colors(HDC dc);
    virtual void Default() {
        lDrag = false;
        lCaptured = false;
    }
    // Validates, then leaves the parent's lists and closes.
    bool End() override;
    void ChangeFocus() { PostMsg(LM_CHANGEFOCUS); }
    void SetFocus() override;

    // Docking: 1 none, 2 top, 3 left, 4 bottom, 5 right, 6 client.
    int nAlign() const;
    void nAlign(int n);
    void AdjTop() override;
    void AdjBottom() override;
    void AdjLeft() override;
    void AdjRight() override;
    void AdjClient() override;

    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;
    Answer GotFocus(HWND lost) override;
    virtual Answer KillFocus(HWND gaining);
    virtual Answer WLLostFocus(HWND gaining);
    void ForWhen();
    Answer GetDlgCode(WPARAM key) override;
    Answer KeyDown(WPARAM key, LPARAM flags) override;
    // Escape goes to the parent, Tab moves the focus, Enter presses the
    // parent's default button (or runs a bitmap button with identifier 1).
    Answer KeyChar(WPARAM key, LPARAM flags) override;
    virtual Answer KeyUp(WPARAM, LPARAM) { return std::nullopt; }
    // Alt key combinations: SC_KEYMENU clicks the sibling with that hot
    // key; bSysKeyDown sees every Alt key first.
    Answer SysCommand(WPARAM cmd, LPARAM l) override;
    virtual Answer SysKeyDown(WPARAM key, LPARAM flags);
    virtual Answer SysChar(WPARAM key, LPARAM flags);
    // The size of an owner-drawn item (MEASUREITEMSTRUCT); none here.
    virtual Answer FillMeasure(LPARAM) { return std::nullopt; }
    // The three-dimensional look of the window; l3DLook tells whether it
    // could be switched on.
    void Set3DLook(bool on = true);
    // The number, as text, of the parent's controls of this class (this
    // one included): the suffix of a default variable name.
    std::string GetCtrlIndex() const;
    // A resource-script line's numbers: identifier, top, left, width and
    // height, separated by ", ".
    std::string rcNumbers() const;
    // Top, left, width and height for the designer's source: pixels, or
    // dialog units (4 per base width across, 8 per base height down).
    struct DesignBounds {
        int top = 0, left = 0, width = 0, height = 0;
    };
    DesignBounds designBounds(bool dialogUnits) const;
    // A text topic is shown as a topic, a number as a pop-up at the control.
    Answer HelpTopic() override;
    std::string GenLocals() const override { return ", " + cVarName; }
    Answer LButtonDown(int row, int col, WPARAM flags) override;
    Answer LButtonUp(int row, int col, WPARAM flags) override;
    Answer MouseMove(int row, int col, WPARAM flags) override;

    // ---- drag and drop ----
    // Captures the mouse (once) and evaluates bDragBegin.
    void DragBegin(int row, int col, WPARAM flags);
    // The control a drag is under way from, or none.
    static TControl* dragging();

    // ---- design mode (lDrag) ----
    // Snaps the control to the grid and makes the eight handle windows.
    void CheckDots();
    // Places the handles around this control and shows them.
    void ShowDots();
    static void HideDots();
    // The handle windows (null before the first CheckDots).
    static std::array<HWND, 8> aDots();
    // Starts a resize through handle nType (1 to 8) from the point (row,
    // col) of the control's client area.
    void MResize(int nType, int row, int col);

    // Validates the control the focus left in this parent when that
    // validation is still pending; false when it refuses (the focus goes
    // back to it).
    static bool validatePending(TWindow* parent, TControl* except);

protected:
    // Creates the window on a live parent, or hands the control to the
    // parent's dialog for its template.
    void createOrDefer();
    // The other birth: the dialog item `id` of `parent`.
    void redefine(int id, TWindow* parent);
    // In design mode the handles follow a docked control.
    void dotsFollow();
};

}  // namespace wl
