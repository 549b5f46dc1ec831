// TWindow: the base of every window, dialog and control of the library.
// An object owns one window handle, the actions the application attaches
// to it, its geometry, colours, font, brush and cursor. The window registry
// ties handles to objects; the library's window procedure hands every
// message to the object's HandleEvent, which turns it into a method call.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "action.hpp"
#include "brush.hpp"
#include "colors.hpp"
#include "control_notify.hpp"  // LM_ messages, ControlCommand
#include "cursor.hpp"
#include "drawing.hpp"
#include "form_records.hpp"
#include "font.hpp"
#include "rect.hpp"
#include "tooltips.hpp"
#include "library_messages.hpp"  // LM_DRAWITEM, LM_HELPF1
#include "value.hpp"

namespace wl {


// Last navigation key after a mouse click in a control.
inline constexpr int kLastKeyMouse = 1002;

// The arguments of TWindow::New; every one may be left at its default.
struct WindowNew {
    double nTop = 2, nLeft = 2, nBottom = 20, nRight = 70;
    std::string cTitle;
    DWORD nStyle = 0;  // 0: built from the flags below
    std::shared_ptr<TBrush> oBrush;
    HICON oIcon = nullptr;
    class TWindow* oWnd = nullptr;  // parent
    bool lVScroll = false, lHScroll = false;
    std::optional<Color> nClrFore, nClrBack;
    std::shared_ptr<TCursor> oCursor;
    std::string cBorder = "SINGLE";
    bool lSysMenu = true, lCaption = true, lMin = true, lMax = true;
    bool lPixel = false;
    DWORD nExStyle = 0;
    std::string cVarName;
};

class TWindow;
class TMenu;
class TMenuItem;
class TScrollBar;
using MouseAction = Action<int, int, WPARAM, TWindow&>;
using KeyAction = Action<WPARAM, LPARAM, TWindow&>;
using PaintAction = Action<HDC, const PAINTSTRUCT*, TWindow&>;

// The arguments of TWindow::Activate. The init, moved, resized, key-down
// and left-button-up actions are not among them: assign those fields
// before activating (a batch start-up action lives in bInit).
struct WindowActivate {
    std::string cShow = "NORMAL";
    MouseAction bLClicked, bRClicked;
    PaintAction bPainted;
    std::function<bool(TWindow&)> bValid;
    Action<int, int, std::vector<std::string>> bDropFiles;
    // Run after each step of the window's own scroll bars.
    std::function<void()> bUp, bDown, bPgUp, bPgDn;     // vertical bar
    std::function<void()> bLeft, bRight, bPgLeft, bPgRight;  // horizontal bar
};

// A window's tooltip: none, a text, a closure giving the text, or a text
// with title, icon and colours.
using ToolTip = std::variant<std::monostate, std::string, std::function<std::string()>, ToolTipText>;

// What a cToolTip shows; nothing for none or an empty text.
std::optional<ToolTipText> toolTipOf(const ToolTip& t);
// The text a tooltip shows (a closure is asked); "" for none.
std::string toolTipString(const ToolTip& tip);

struct SayOptions {
    std::optional<Color> fore, back;
    std::string colors;  // a colour attribute text ("W+/B") instead
    std::shared_ptr<TFont> font;
    bool pixel = false;
    bool transparent = false;
    UINT align = 0;  // 0: the context's current alignment
};

class TWindow {
public:
    TWindow();
    virtual ~TWindow();
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    // The object's class name, which is also its Windows class name.
    virtual std::string ClassName() const { return "TWINDOW"; }
    // Pixels per text row and column of the class.
    virtual double rowPixels() const { return 16; }
    virtual double colPixels() const { return 8; }

    // ---- class-wide data ----
    // One value for every window, kept with the library's bookkeeping in the
    // process state (not in a static) and reached through these names.
    // The menu item under the highlight, for context help.
    static TMenuItem*& oMItemSelect();
    // The tooltips' delay in milliseconds (900).
    static int& nToolTip();

    // ---- data ----
    HWND hWnd = nullptr;
    WNDPROC nOldProc = nullptr;

    Action<TWindow&> bInit;
    Action<int, int> bMoved;
    MouseAction bLClicked, bLButtonUp, bMButtonDown, bMButtonUp, bRClicked, bRButtonUp, bLDblClick, bMLeave;
    KeyAction bKeyDown;
    PaintAction bPainted;
    Action<int, int, int, int> bMouseWheel;
    Action<WPARAM, int, int> bResized;
    std::function<bool()> bWhen;
    std::function<bool(TWindow&)> bValid;
    Action<WPARAM, LPARAM> bKeyChar;
    Action<int, int, WPARAM> bMMoved;
    Action<TWindow&, HWND> bGotFocus, bLostFocus;
    Action<int, int, std::vector<std::string>> bDropFiles;
    Action<WPARAM, LPARAM> bCommNotify, bSocket, bTaskBar;
    // DDE server side: bDdeInit (client, application, topic) answers whether
    // to acknowledge (nothing counts as yes); bDdeExecute (client, command).
    std::function<std::optional<bool>(HWND, const std::string&, const std::string&)> bDdeInit;
    std::function<void(HWND, const std::string&)> bDdeExecute;
    Action<int, int, HMENU> bMenuSelect;
    Action<Value, int, int, WPARAM> bDropOver;
    Action<TWindow&> bZip, bUnZip, bCopy, bCut, bFind, bPaste, bPrint, bUnDo, bReDo, bDelete, bSelectAll, bFindNext,
        bReplace, bProperties;
    Action<HDC> bEraseBkGnd;
    std::function<Color()> bClrGrad;

    std::string cCaption;
    PAINTSTRUCT cPS{};
    std::string cVarName;
    int nPaintCount = 0;
    std::string cMsg;
    ToolTip cToolTip;
    Value Cargo;
    HDC hDC = nullptr;
    int nId = 0;
    bool lActive = true;
    bool lCancel = false, lFocused = false, lVisible = false, lDesign = false, lVbx = false, lValidating = false;
    std::optional<bool> lBalloon;
    int nTop = 0, nLeft = 0, nBottom = 0, nRight = 0;
    DWORD nStyle = 0, nExStyle = 0;
    int nChrHeight = 0, nChrWidth = 0, nLastKey = 0;
    Color nClrPane = 0, nClrText = 0;
    std::optional<INT_PTR> nResult;
    Value nHelpId;  // a topic text or number; nil: none
    HWND hCtlFocus = nullptr;
    std::vector<TWindow*> aControls;
    std::optional<std::array<int, 8>> aMinMaxInfo;
    std::shared_ptr<TBrush> oBrush;
    std::shared_ptr<TCursor> oCursor, oDragCursor;
    std::shared_ptr<TFont> oFont;
    HICON oIcon = nullptr;
    TWindow* oWnd = nullptr;
    TWindow* oCtlFocus = nullptr;
    TWindow *oTop = nullptr, *oLeft = nullptr, *oBottom = nullptr, *oRight = nullptr, *oClient = nullptr;
    TWindow* oMsgBar = nullptr;
    // The window's menu bar, the pop-up menu it shows, its system menu;
    // ended when the window is destroyed.
    std::shared_ptr<TMenu> oMenu, oPopup, oSysMenu;
    TWindow* oBar = nullptr;
    // The window's own scroll bars (WS_VSCROLL, WS_HSCROLL), owned until
    // the window is destroyed.
    std::unique_ptr<TScrollBar> oVScroll, oHScroll;
    std::function<void(TWindow&, int, int, WPARAM)> OnClick, OnMouseMove;
    std::function<void(TWindow&, WPARAM, LPARAM)> OnKeyDown;
    std::function<void(TWindow&)> OnMove, OnPaint, OnResize;
    std::optional<int> nPosition;
    bool lFastEdit = false;
    GradientSpec aGradColors;
    std::optional<Color> hAlphaColor;
    std::optional<int> hAlphaLevel;
    // A window object shown as this window's tooltip instead of the system's.
    TWindow* oToolTip = nullptr;

    // ---- life cycle ----
    TWindow& New(const WindowNew& a = {});
    bool Register(UINT classStyle = CS_VREDRAW | CS_HREDRAW);
    // Makes the Windows window and links it; throws LibraryError 6 when
    // Windows cannot create it.
    void Create(const std::string& className = {});
    void Activate(const WindowActivate& a = {});
    // Validates and posts WM_CLOSE; false (nothing posted) when refused.
    virtual bool End();
    virtual Answer Close(WPARAM) { return std::nullopt; }
    virtual Answer Destroy();

    // ---- registry ----
    void Link(bool subclass = true);
    void UnLink();

    // ---- dispatch ----
    virtual Answer HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam);

    virtual Answer Moved(int row, int col);
    virtual Answer ReSize(WPARAM sizeType = 0, int width = 0, int height = 0);
    virtual Answer GotFocus(HWND lost);
    virtual Answer LostFocus(HWND gaining);
    virtual Answer Paint();
    virtual Answer QueryEndSession();
    virtual Answer EraseBkGnd(HDC) { return 1; }
    virtual Answer GetMinMaxInfo(MINMAXINFO* info);
    virtual Answer DrawItem(WPARAM id, LPARAM item);
    virtual Answer MeasureItem(WPARAM id, LPARAM item);
    virtual Answer QueryDragIcon();
    virtual Answer CommNotify(WPARAM w, LPARAM l) { return bCommNotify(w, l); }
    virtual Answer Notify(WPARAM id, LPARAM header);
    // A window the control made for itself that notifies the parent in its
    // place (a toolbar's tool tip); none for most windows.
    virtual HWND helperWindow() const { return nullptr; }
    // What kind of window this is, asked instead of comparing class names.
    // A push button: focus leaving for it may skip validation (cancel).
    virtual bool isPushButton() const { return false; }
    // A control holding controls (folder pages): Update goes on into it.
    virtual bool isContainer() const { return false; }
    // Help asked in a child without a topic stops here instead of asking
    // further up (windows, dialogs, MDI frames and children, folders).
    virtual bool endsHelpSearch() const { return true; }
    // A bar whose buttons are its own (no tab stops).
    virtual bool holdsBarButtons() const { return false; }
    // A rebar: its bands hold the toolbars, it is the top bar itself.
    virtual bool holdsBands() const { return false; }
    // A window with a frame of its own (plain windows, MDI frames and
    // children): a toolbar on it is opaque, elsewhere it lets the parent's
    // background through.
    virtual bool isFrameWindow() const { return true; }
    // Labels on it take its pane colour as their background (plain windows
    // only: dialogs, MDI windows and controls leave labels the face colour).
    virtual bool lendsPaneColor() const { return true; }
    // A selection change reported by a tree view to its parent.
    virtual Answer SelChanged() { return std::nullopt; }
    virtual Answer Help(WPARAM, LPARAM) { return HelpTopic(); }
    virtual Answer HelpTopic();
    // The highlighted menu item's topic, else the window's.
    virtual Answer HelpF1();
    virtual std::string GenLocals() const;
    // Refreshes the children that follow their values.
    virtual void Update();
    virtual Answer NcActivate(bool active);
    virtual Answer GetDlgCode(WPARAM) { return std::nullopt; }
    virtual Answer NcMouseMove(WPARAM, int, int);
    virtual Answer KeyDown(WPARAM key, LPARAM flags);
    virtual Answer KeyChar(WPARAM key, LPARAM flags);
    virtual Answer Command(WPARAM w, LPARAM l);
    virtual Answer SysCommand(WPARAM cmd, LPARAM l);
    virtual Answer Timer(WPARAM id, LPARAM l);
    virtual Answer HScroll(WPARAM w, LPARAM l);
    virtual Answer VScroll(WPARAM w, LPARAM l);
    virtual Answer InitMenuPopup(HMENU menu, int pos, bool system);
    virtual Answer MenuSelect(int item, int flags, HMENU menu);
    virtual Answer MenuChar(int ch, int flags, HMENU menu);
    virtual Answer CtlColor(HWND hCtl, HDC hDC);
    virtual Answer MouseMove(int row, int col, WPARAM flags);
    virtual Answer LButtonDown(int row, int col, WPARAM flags) { return bLClicked(row, col, flags, *this); }
    virtual Answer LButtonUp(int row, int col, WPARAM flags);
    virtual Answer LDblClick(int row, int col, WPARAM flags) { return bLDblClick(row, col, flags, *this); }
    virtual Answer RButtonDown(int row, int col, WPARAM flags);
    virtual Answer RButtonUp(int row, int col, WPARAM flags);
    virtual Answer MButtonDown(int row, int col, WPARAM flags);
    virtual Answer MButtonUp(int row, int col, WPARAM flags);
    virtual Answer MouseLeave(int row, int col, WPARAM flags);
    virtual Answer MouseWheel(int keys, int delta, int x, int y);
    virtual Answer DropFiles(HDROP drop);
    virtual Answer DropOver(int row, int col, WPARAM flags);
    virtual Answer QueryNewPalette();
    virtual Answer PaletteChanged(WPARAM) { return std::nullopt; }
    virtual Answer DdeInitiate(WPARAM w, int lo, int hi);
    virtual Answer DdeTerminate(WPARAM w);
    virtual Answer DdeAck(WPARAM w, LPARAM l);
    virtual Answer DdeExecute(WPARAM w, LPARAM l);
    virtual Answer AsyncSelect(WPARAM w, LPARAM l) { return bSocket(w, l); }
    virtual Answer TaskBar(WPARAM w, LPARAM l) { return bTaskBar(w, l); }

    // The accelerator table of the window's menu (none without one).
    virtual HACCEL accelTable() const;
    // Attaches the menu, links it back to the window and makes its
    // accelerator table current; nullptr removes the menu bar.
    void SetMenu(std::shared_ptr<TMenu> menu);
    // For keys that reach a control: offers the message to the parent's
    // accelerator table. When it translates (the parent got its WM_COMMAND),
    // the answer is 0 and the control must not handle the key as well.
    Answer offerParentAccelerator(UINT nMsg, WPARAM wParam, LPARAM lParam);

    // Docking hooks of controls (no-ops for plain windows).
    virtual void AdjTop() {}
    virtual void AdjBottom() {}
    virtual void AdjLeft() {}
    virtual void AdjRight() {}
    virtual void AdjClient() {}
    virtual void Adjust() {}

    // ---- painting ----
    HDC GetDC();
    void ReleaseDC();
    HDC BeginPaint();
    Answer EndPaint();
    void DispBegin();
    void DispEnd();
    virtual Answer PaintBack(HDC dc);
    void Say(int row, int col, const std::string& text, const SayOptions& o = {});
    void SayRect(int row, int col, const std::string& text, Color fore = 0, Color back = 16777215, int width = 0);
    void Box(int top, int left, int bottom, int right, HPEN pen = nullptr);
    void Line(int top, int left, int bottom, int right, HPEN pen = nullptr);
    void Circle(int row, int col, int size, HPEN pen = nullptr);
    bool FloodFill(int row, int col, Color border, Color fill);
    Color SetPixel(int x, int y, Color c);
    void Gradient(const GradientSpec& grad = {});
    // Draws a bitmap (a handle, or a bitmap resource named by the text,
    // loaded and freed); width and height 0: the bitmap's own size.
    void SayBitmap(int row, int col, HBITMAP bitmap, int width = 0, int height = 0);
    void SayBitmap(int row, int col, const std::string& resource, int width = 0, int height = 0);
    // Finishes double buffering on another context.
    static HDC DBUFFEREND(HDC target, DispInfo& info);
    bool SaveToBmp(const std::string& file);

    // ---- appearance ----
    void SetColor(Color text, Color pane, std::shared_ptr<TBrush> brush = nullptr);
    void SetColor(const std::string& attribute, std::shared_ptr<TBrush> brush = nullptr);
    void SetBrush(std::shared_ptr<TBrush> brush);
    std::shared_ptr<TFont> GetFont();
    void SetFont(std::shared_ptr<TFont> font);
    void SetIcon(HICON icon);
    // Let the user choose a font or a colour with the system dialogs.
    void SelFont();
    void SelColor(bool fore = true);
    // Position and size from a rectangle, kept in the bounds.
    void SetCoors(const TRect& r);
    int ChildLevel(const std::string& className) const;
    void Inspect() {}
    std::optional<Color> nSeeThroClr() const { return hAlphaColor; }
    void _nSeeThroClr(std::optional<Color> c) {
        hAlphaColor = c;
        SetAlphaLevel();
    }
    std::optional<int> nOpacity() const { return hAlphaLevel; }
    void _nOpacity(std::optional<int> level) {
        hAlphaLevel = level;
        SetAlphaLevel();
    }
    void SetText(const std::string& text);
    std::string GetText() const;
    std::string cTitle() const { return GetText(); }
    void cTitle(const std::string& text) { SetText(text); }
    void Show();
    void Hide();
    void Maximize();
    void Minimize();
    void Normal();
    void Restore();
    void Iconize() { Minimize(); }
    bool IsIconic() const;
    bool IsVisible() const;
    void Enable();
    void Disable();
    // Controls re-read their values here first: Update relies on it.
    virtual void Refresh(bool erase = true);
    void GoTop();
    void Capture();
    // Gives the window the focus when its when-condition allows.
    virtual void SetFocus();
    bool PostMsg(UINT msg, WPARAM w = 0, LPARAM l = 0);
    LRESULT SendMsg(UINT msg, WPARAM w = 0, LPARAM l = 0);
    bool GetSetGWLStyle(bool extended, DWORD bits, std::optional<bool> set = std::nullopt);
    bool WinStyle(DWORD bits, std::optional<bool> set = std::nullopt) { return GetSetGWLStyle(false, bits, set); }
    bool WinExStyle(DWORD bits, std::optional<bool> set = std::nullopt) { return GetSetGWLStyle(true, bits, set); }
    void ClientEdge();
    void ToolWindow();
    void Shadow();
    void SetAlphaLevel();
    void AEvalWhen();
    bool lValid();
    bool lWhen() const { return bWhen ? bWhen() : true; }
    int nVertRes() const;
    int nHorzRes() const;
    int GetWidth(const std::string& text, std::shared_ptr<TFont> font = nullptr);
    int nGetChrHeight();
    TRect GetCliRect() const;
    TRect GetRect() const;
    // Shows the text in the window's message bar (a parent's when it has
    // none); message bars show it themselves.
    virtual void SetMsg(const std::string& text, bool lDefault = false);
    // How a window that serves as another's message bar shows a message: a
    // plain window takes it as its text.
    virtual void msgBarShow(const std::string& text) { SetText(text); }
    void AddControl(TWindow* control) { aControls.push_back(control); }
    // The child an Alt key reaches: the first enabled one whose caption has
    // the hot key ch (a label's goes to the control after it); none when
    // no caption has it.
    HWND GetHotPos(char ch, HWND from = nullptr) const;
    // The caption whose "&" gives the window's hot key: its text, unless
    // it paints a caption of its own.
    virtual std::string hotKeyCaption() const { return GetText(); }
    HWND FirstActiveCtrl() const;
    HWND LastActiveCtrl() const;
    void GoNextCtrl(HWND from);
    void GoPrevCtrl(HWND from);

    // Editing actions: each runs its action with the window.
    void Copy() { bCopy(*this); }
    void Cut() { bCut(*this); }
    void Find() { bFind(*this); }
    void Paste() { bPaste(*this); }
    void UnDo() { bUnDo(*this); }
    void ReDo() { bReDo(*this); }
    void Delete() { bDelete(*this); }
    void SelectAll() { bSelectAll(*this); }
    void FindNext() { bFindNext(*this); }
    void Replace() { bReplace(*this); }
    void Zip() { bZip(*this); }
    void UnZip() { bUnZip(*this); }
    void Properties() { bProperties(*this); }
    // Opening a file is a frame's business; a plain window does nothing.
    virtual void Open() {}

    // ---- children ----
    // The parent's bookkeeping of its controls changes only through these;
    // a control never writes its parent's fields.
    // The docking slots oTop, oLeft, oBottom, oRight, oClient, oBar, oMsgBar.
    enum class Dock { Top, Left, Bottom, Right, Client, Bar, MsgBar };
    TWindow*& dockSlot(Dock side);
    // Puts the control in the slot.
    void dock(Dock side, TWindow* control) { dockSlot(side) = control; }
    // Empties the slots among these that hold the control.
    void undock(const TWindow* control, std::initializer_list<Dock> sides);
    // Forgets a control that ends: the list and the focus.
    void forgetControl(const TWindow* control);
    // The control that has the focus now.
    void focusControl(TWindow* control);
    void setValidating(bool on) { lValidating = on; }
    void setLastKey(int key) { nLastKey = key; }
    // Run by the destructor: the remaining controls lose their parent.
    void detachChildren();

    // ---- tooltips ----
    // Shows the tooltip once the mouse enters the window; none closes any.
    void CheckToolTip(int row, int col);
    void ShowToolTip(int row, int col, const ToolTipText& tip);
    void DestroyToolTip();

    // ---- printing, help and designer tools ----
    // Runs bPrint, or prints the window's image on the default printer
    // (scale: printer pixels per window pixel); false when nothing printed.
    bool Print(int row = 0, int col = 0, int scale = 4);
    // Prints the window's image, asking for the printer when lUser.
    bool HardCopy(int scale = 4, bool lUser = true);
    // Creates the designer's table of controls; false when not written.
    bool GenDbf(const std::string& file = {});
    // Asks for a new caption: the trimmed text (the given one on Cancel).
    std::string EditTitle(const std::string& title = {});
    // The designer's pop-up menu at the client point: true when "Source
    // code..." was chosen (the generated source is then shown).
    bool FastEdit(int row, int col);

    // ---- geometry ----
    void CoorsUpdate();
    void Move(std::optional<int> top = {}, std::optional<int> left = {}, std::optional<int> width = {},
              std::optional<int> height = {}, bool repaint = true);
    void SetPos(int top, int left) { Move(top, left); }
    void SetSize(int width, int height, bool repaint = true);
    void SetBounds(int left, int top, int right, int bottom);
    int nWidth() const;
    int nWidth(int width);
    int nHeight() const;
    int nHeight(int height);
    void Center(TWindow* over = nullptr);

    // ---- persistence and source generation ----
    // The byte record of the properties that differ from a new object.
    std::string Save() const;
    // Assigns the stored properties; false for a record of another kind.
    bool Load(const std::string& data);
    // Default file: the variable name without its first letter + ".ffm".
    bool SaveFile(const std::string& file = {}) const;
    bool LoadFile(const std::string& file = {});
    static std::string Property(std::size_t n);
    static std::size_t PropCount();
    static std::string Event(std::size_t n);
    static std::size_t EveCount();
    std::string SaveToText(int indent = 0) const;
    std::string SaveToRC(int indent = 0) const;
    std::string cGenPrg(const std::string& file = {}, bool dialog = false) const;

protected:
    // The objects of the window's own scroll bars (each made once).
    void makeScrollBars(bool vertical, bool horizontal);
    // A system command begins: bar buttons of the window (and its own
    // controls) held down by the mouse look released again; toggled ones
    // stay down.
    void releasePressedButtons();
    // The item of the window's pop-up, menu or system menu with that id.
    TMenuItem* menuItemOf(UINT_PTR id) const;
    void endMenus();
    // Shows the window in one of the four modes (nothing for another).
    void showIn(const std::string& mode);
    std::optional<DispInfo> dispInfo_;
    // An exception escaped the window's handler of message msg; called
    // inside the catch. A window hands it to the error hook and carries on.
    virtual void handlerFailed(UINT msg);

private:
    friend struct WindowBridgeAccess;
};

// The open system tooltip of a window's cToolTip (0 when none).
HWND openToolTip();

// Registry functions.
TWindow* OWNDFROMHWND(HWND hWnd);
TWindow* WNDMAIN();
std::size_t NWINDOWS();
const std::vector<TWindow*>& GETALLWIN();
std::vector<HWND> SCANPARENTS(HWND hWnd);
bool WNDPARENTS(HWND h1, HWND h2);
TWindow* GETWNDDEFAULT();
void SETWNDDEFAULT(TWindow* w);
bool SETBALLOON(bool on);
bool SETSKINS(bool on);
std::string BRWCLASSES(const std::string& name = {});
bool SETALPHA(bool on);
// The current state of the two switches.
bool skinsOn();
bool alphaOn();
void SETDROPINFO(Value v);
Value GETDROPINFO();

// Errors thrown by an event method never cross the window procedure: they
// are handed to this hook (stderr without one) and the message gets the
// default handling.
struct EventError {
    std::string what;
    UINT msg = 0;
    int libraryError = 0;   // the library's error number; 0 for other errors
    std::string operation;  // a library error's operation text
};
using EventErrorHook = std::function<void(const EventError&)>;
void setEventErrorHook(EventErrorHook hook);

}  // namespace wl
