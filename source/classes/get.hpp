// TGet: the single-line edit field. A native "EDIT" window shows the text
// and the caret; the edit buffer (get_model.hpp) holds the formatted value,
// applies the picture and decides where the caret may stand. The value
// itself is reached only through bSetGet. Keys, characters and clipboard
// messages go through the buffer first and the window is then redrawn from
// it, so the window never holds more than the buffer allows.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "control.hpp"
#include "get_model.hpp"

namespace wl {

class TGet;
class TButton;

// The change action: called with the key and flags (0, 0 when no key
// caused the change) and the field. A logical false keeps the focus on Tab,
// Enter and Shift+Tab and ends the handling of a typed character.
using GetChange = std::function<Value(int key, LPARAM flags, TGet&)>;
using GetAction = std::function<void(TGet&)>;
using GetBound = std::function<Value()>;
// A colour of disabled and read-only fields when the class-wide grey is
// off: a colour number, a closure answering one, or a negative number for
// the field's normal colour.
using GetDisColor = std::variant<long long, std::function<long long()>>;

// The arguments of TGet::New; each may be left at its default.
struct GetNew {
    double nRow = 0, nCol = 0;
    SetGet bSetGet;  // none: a private text of 50 blanks
    TWindow* oWnd = nullptr;
    std::optional<int> nWidth, nHeight;
    std::string cPicture;
    std::function<bool(TWindow&)> bValid;
    std::optional<Color> nClrFore, nClrBack;
    std::string cColors;  // a colour text ("B/W+*") instead of the two colours
    std::shared_ptr<TFont> oFont;
    bool lDesign = false;
    std::shared_ptr<TCursor> oCursor;
    bool lPixel = false;
    std::string cMsg;
    bool lUpdate = false;
    std::function<bool()> bWhen;
    bool lCenter = false, lRight = false;
    GetChange bChange;
    bool lReadOnly = false, lPassword = false, lNoBorder = false;
    Value nHelpId;
    bool lSpinner = false;
    GetAction bUp, bDown;  // spinner actions; none: step up and down
    GetBound bMin, bMax;
    GetAction bAction;
    std::string cBmpName;
    std::string cVarName;
    std::string cCueText;
};

// The edit buffer of a field: the value read through bSetGet, formatted by
// the picture. The row, column and colour of the old text-mode call are
// accepted and unused (the buffer never draws).
TClipGet WLGetNew(int row, int col, const SetGet& bSetGet, const std::string& cVarName,
                  const std::string& cPicture, const std::string& cColor = {});

class TGet : public TControl {
public:
    TGet();
    ~TGet() override;

    std::string ClassName() const override { return "TGET"; }
    std::string WindowClass() const override { return "EDIT"; }

    TClipGet oGet;
    std::unique_ptr<TControl> oBtn;  // a TButton, TButtonBmp or (transparent) TBtnBmp
    GetAction bAction;
    GetBound bMin, bMax;
    GetAction bUp, bDown;
    // Hides TControl::bChange: a field's change action sees the key and may
    // keep the focus.
    GetChange bChange;
    std::function<void(TGet&, const std::string&)> bPostKey;
    int nPos = 1;
    bool lReadOnly = false, lPassword = false, lSpinner = false;
    bool lAdjustBtn = false, lBtnTransparent = false, lKeepFocus = true;
    int nBmpWidth = 0;  // the action button's bitmap width, once read
    std::string cError, cBmpName, cPicture, cCueText;
    std::optional<Color> nOldClrPane;
    // The colours a disabled or read-only field paints itself in; `New`
    // sets them to the field's own colours.
    GetDisColor nClrTextDis = -1LL, nClrPaneDis = -1LL;
    // The text-output options of that painting (ETO_OPAQUE | ETO_CLIPPED).
    int nTxtStyle = 6;

    // Class-wide: disabled and read-only fields in grey; the focus colour.
    static inline bool lDisColors = true;
    static inline bool lClrFocus = false;
    static inline Color nClrFocus = RGB(235, 235, 145);
    // The program's editing switches and its beep, shared by every field;
    // tests set the switches and replace the beep to hear it.
    static inline GetSwitches oSwitches;
    static inline std::function<void()> bBeep;
    // The program's hot-key actions by character, shared by every field: an
    // extended key (bit 24 of the flags) with an action runs it instead of
    // typing.
    static inline std::map<int, std::function<void(TControl&)>> aHotKeys;

    TGet& New(const GetNew& a = {});
    TGet& ReDefine(int id, SetGet setGet, TWindow* parent = nullptr, const std::string& picture = {},
                   GetChange change = {}, bool readOnly = false, const std::string& cueText = {});
    void Initiate(HWND hDlg) override;
    // Takes over an edit window another control made (the edit part of a
    // combo box), bound through setGet, with the owner as its owner.
    void Attach(HWND edit, SetGet setGet, TWindow* owner, const std::string& picture = {});

    void Assign();
    // With a text: stored and shown. Answers the window text, or the buffer
    // when a cue text stands in for an empty window.
    std::string cText(const std::optional<std::string>& text = std::nullopt);
    // Re-reads the value; `Update` of the parent calls it for fields marked lUpdate.
    void Refresh(bool erase = true) override;
    void DispText();
    void EditUpdate();
    TGet& GoHome();
    void SetPos(int start = 1, std::optional<int> end = std::nullopt);
    void SetSel(int start = 1, std::optional<int> end = std::nullopt);
    void HideSel() { SetSel(-1, 0); }
    void SelectAll() { SetSel(0, -1); }
    std::string GetSel() const;
    void GetSelPos(int& start, int& end) const;
    void GetDelSel(int start, int end);
    void Copy();
    void Cut();
    void Paste(const std::optional<std::string>& text = std::nullopt);
    void UnDo();
    Value value() const { return VarGet(); }
    void LimitText();
    void SetMargins(int left = 0, int right = 0);
    std::pair<int, int> GetMargins() const;
    void SetCueBanner(bool showFocused, const std::string& text);
    // The file dialog; the choice is stored and shown. "" on Cancel.
    std::string SelFile(const std::optional<std::string>& mask = std::nullopt,
                        const std::string& title = "Please select a file");
    static Color SetColorFocus(std::optional<Color> colour = std::nullopt);

    void Spinner(GetAction up = {}, GetAction down = {}, GetBound min = {}, GetBound max = {});
    void Inc();  // the spinner's ++
    void Dec();  // the spinner's --
    void ScrollNumber(int n);
    void ScrollDate(int n);

    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;
    Answer KeyDown(WPARAM key, LPARAM flags) override;
    Answer KeyChar(WPARAM key, LPARAM flags) override;
    Answer GotFocus(HWND lost) override;
    Answer KillFocus(HWND gaining) override;
    Answer GetDlgCode(WPARAM key) override;
    Answer VScroll(WPARAM w, LPARAM l) override;
    Answer LButtonUp(int row, int col, WPARAM flags) override;
    Answer MouseMove(int row, int col, WPARAM flags) override;
    Answer KeyUp(WPARAM key, LPARAM flags);
    Answer Colors(HDC dc) override;
    // The background, then the text (the native control's, or the field's
    // own for a disabled or read-only one), then bPainted.
    Answer Paint() override;
    Answer EraseBkGnd(HDC) override { return 1; }

    // Design-mode source: the resource line, the local declaration and the
    // command that makes the field.
    std::string SaveToRC(int indent) const;
    std::string GenLocals() const override;
    std::string cGenPrg() const;

private:
    void setUp();
    void CreateButton();
    void beep() const;
    Value change(int key, LPARAM flags);
    bool changedSinceStart() const;
    // The buffer read back from the window, padded to its length.
    void bufferFromWindow();
    void spliceClipboard();
    LRESULT callNative(UINT nMsg, WPARAM w = 0, LPARAM l = 0);
    std::pair<int, int> selection() const;
    void moveFocus(bool forward);
    void paintOn(HDC dc, const PAINTSTRUCT* ps);
    void paintDisabled(HDC dc);
    // The name of the variable the field edits: cVarName with "c" for its
    // first letter.
    std::string valueName() const;
    Value own_;
};

// Reshapes an edit window's caret where it stands: `width` pixels wide and
// as high as a character of the window's font less `shorter` pixels. The
// insert mode's wide caret of the single- and multi-line fields.
void ShapeEditCaret(HWND edit, int width, int shorter = 0);

// SetGetColorFocus: switches the focus colour on for every field.
Color SetGetColorFocus(std::optional<Color> colour = std::nullopt);

}  // namespace wl
