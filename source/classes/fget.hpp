// TFGet: the multi-font text editor that the library draws itself. The
// document (paragraphs, wrap, caret, selection, undo) is FGetModel; this
// class measures and draws it in a device context, turns keys and mouse
// into the model's steps, and carries the clipboard forms "Get Text
// Format" and "Rich Text Format" beside plain text.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control.hpp"
#include "fget_model.hpp"

namespace wl {

class TFGet;

// The change action: the key and flags (0, 0 when no key caused it).
using FGetChange = std::function<void(int key, LPARAM flags, TFGet&)>;

struct FGetNew {
    double nRow = 0, nCol = 0;
    SetGet bSetGet;
    TWindow* oWnd = nullptr;
    std::optional<int> nWidth, nHeight;
    std::shared_ptr<TFont> oFont;
    bool lHScroll = false;
    std::optional<Color> nClrFore, nClrBack;
    std::shared_ptr<TCursor> oCursor;
    bool lPixel = false;
    std::string cMsg;
    bool lUpdate = false;
    std::function<bool()> bWhen;
    bool lCenter = false, lRight = false, lReadOnly = false;
    std::function<bool(TWindow&)> bValid;
    FGetChange bChange;
    bool lDesign = false, lNoBorder = false, lNoVScroll = false;
};

// The commands of the context menu.
enum FGetCommand : int {
    kFGetUndo = 1,
    kFGetCut,
    kFGetCopy,
    kFGetPaste,
    kFGetDelete,
    kFGetFont,
    kFGetAlignLeft,
    kFGetAlignCenter,
    kFGetAlignRight,
    kFGetPrint,
    kFGetSelectAll,
};

// The clipboard forms, whole: each block is read to its own size (or its
// first NUL), never through a 16-bit length.
bool SetFClipData(HWND owner, const std::string& text, const std::string& gtf, const std::string& rtf);
std::optional<std::string> GetFClipData(HWND owner, UINT format);
UINT gtfClipboardFormat();  // "Get Text Format"
UINT rtfClipboardFormat();  // "Rich Text Format"

// The client width less 2 (the editor's text width) and the client height.
int nClientWidth(HWND hWnd);
int nClientHeight(HWND hWnd);

// The mouse pointer's place in a window's client area.
POINT MousePos(HWND hWnd);

// Waits `seconds`, letting the thread's windows paint and answer meanwhile.
void Delay(double seconds);

class TFGet : public TControl {
public:
    TFGet();
    ~TFGet() override;

    std::string ClassName() const override { return "TFGET"; }

    // Class-wide: the selection is shown only while focused.
    static inline bool lFocusBlock = true;

    bool lReadOnly = false;
    FGetChange bChange;  // hides TControl::bChange: this one sees the key
    std::function<void(int line, int col)> bLocate;
    std::function<void()> bBof, bEof;
    std::function<void(HFONT, Color, int align)> bFormat;

    TFGet& New(const FGetNew& a = {});
    TFGet& ReDefine(int id, SetGet setGet, TWindow* parent = nullptr, bool readOnly = false, FGetChange change = {});
    void Initiate(HWND hDlg) override;
    void Default() override;
    void Refresh(bool erase = true) override;

    // The document; nullptr before the window exists.
    FGetModel* model() { return model_.get(); }
    std::string cText() const;             // plain text
    std::string GetTextFormat() const;     // GTF
    void SetTextFormat(const std::string& gtf);
    int GetLineCount() const { return model_ ? model_->GetLineCount() : 0; }
    int nLineRow() const { return model_ ? model_->nLineRow() : 1; }
    int nLineCol() const { return model_ ? model_->nLineCol() : 0; }

    // Editing steps (refused while read-only).
    void Copy();
    void Cut();
    void Paste();
    void Del();
    void UnDo();
    void SelectAll();
    bool Find(const std::string& text, bool next = false);
    bool FindNext() { return model_ && Find(model_->cLastFind, true); }
    void SetFormat(const GtfFont& font, Color color);
    void SetAlign(int align);
    // The font dialog over the current font and colour.
    void GetFontColor();
    void SelectFormat();
    // The job "Notes" on the default printer (or on the printer of the
    // model "device,driver,port").
    void Print(const std::string& printerModel = {});

    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;
    Answer Paint() override;
    Answer GotFocus(HWND lost) override;
    Answer KillFocus(HWND gaining) override;
    Answer ReSize(WPARAM sizeType = 0, int width = 0, int height = 0) override;
    Answer KeyDown(WPARAM key, LPARAM flags) override;
    Answer KeyChar(WPARAM key, LPARAM flags) override;
    Answer KeyUp(WPARAM key, LPARAM flags);
    Answer LButtonDown(int row, int col, WPARAM flags) override;
    Answer LButtonUp(int row, int col, WPARAM flags) override;
    Answer LDblClick(int row, int col, WPARAM flags) override;
    Answer MouseMove(int row, int col, WPARAM flags) override;
    Answer RButtonDown(int row, int col, WPARAM flags) override;
    Answer Command(WPARAM w, LPARAM l) override;
    Answer VScroll(WPARAM w, LPARAM l) override;
    Answer HScroll(WPARAM w, LPARAM l) override;
    Answer GetDlgCode(WPARAM key) override;
    Answer Timer(WPARAM id, LPARAM l) override;
    Answer EraseBkGnd(HDC) override { return 1; }

private:
    class Fonts;
    void makeModel();
    void loadValue();
    void store();
    void changed(int key, LPARAM flags);
    void afterMove();
    void redraw();
    void placeCaret();
    void adjustScrollBars();
    void beep() const;
    void draw(HDC dc);

    std::unique_ptr<Fonts> fonts_;
    std::unique_ptr<FGetModel> model_;
    GtfFont baseFont_;
    bool lHScroll_ = false, lVScroll_ = true;
    bool dragging_ = false;
    int dragStep_ = 0;  // -1 or +1 while a drag scrolls past the top or bottom
    bool caretShown_ = false;
    int caretFrom_ = 0;  // the click that anchored the selection
    Value own_;
};

}  // namespace wl
