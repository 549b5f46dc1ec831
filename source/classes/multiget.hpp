// TMultiGet: the multi-line text field. The native multi-line "EDIT" holds
// the text (there is no edit buffer); the bound value follows it after each
// change. A read-only field keeps the native style off and refuses every
// change in its key handlers, so the caret and selection still work.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "control.hpp"

namespace wl {

class TMultiGet;
class TDlgFind;

// The change action: the key and flags (0, 0 when no key caused it).
using MultiGetChange = std::function<void(int key, LPARAM flags, TMultiGet&)>;

struct MultiGetNew {
    double nRow = 0, nCol = 0;
    SetGet bSetGet;
    TWindow* oWnd = nullptr;
    std::optional<int> nWidth, nHeight;
    std::shared_ptr<TFont> oFont;
    bool lHScroll = false;
    std::optional<Color> nClrFore, nClrBack;
    std::string cColors;  // a colour text ("R/W+*") instead of the two colours
    std::shared_ptr<TCursor> oCursor;
    bool lPixel = false;
    std::string cMsg;
    bool lUpdate = false;
    std::function<bool()> bWhen;
    bool lCenter = false, lRight = false, lReadOnly = false;
    std::function<bool(TWindow&)> bValid;
    MultiGetChange bChange;
    bool lDesign = false, lNoBorder = false, lNoVScroll = false;
};

// The commands of the context menu.
enum MultiGetCommand : int {
    kMultiGetUndo = 1,
    kMultiGetCut,
    kMultiGetCopy,
    kMultiGetPaste,
    kMultiGetDelete,
    kMultiGetPrint,
    kMultiGetSelectAll,
};

class TMultiGet : public TControl {
public:
    TMultiGet();
    ~TMultiGet() override;

    std::string ClassName() const override { return "TMULTIGET"; }
    std::string WindowClass() const override { return "EDIT"; }

    bool lReadOnly = false;
    int nPos = 0;
    // Hides TControl::bChange: this one sees the key.
    MultiGetChange bChange;

    TMultiGet& New(const MultiGetNew& a = {});
    TMultiGet& ReDefine(int id, SetGet setGet, TWindow* parent = nullptr, bool readOnly = false,
                        MultiGetChange change = {});
    void Initiate(HWND hDlg) override;

    std::string cText(const std::optional<std::string>& text = std::nullopt);
    // Re-reads the value; `Update` of the parent calls it for fields marked lUpdate.
    void Refresh(bool erase = true) override;
    void Append(const std::string& text);
    void Replace(const std::string& text);
    int Len() const;
    std::string GetLine(int n) const;  // 1-based
    int GetLineCount() const;
    int LineIndex(int n) const;  // 0-based line
    int GetRow() const;          // 1-based
    int GetCol() const;          // 1-based
    void GoTo(int line);         // 0-based
    void GoBottom();
    void SetSel(int start = 1, std::optional<int> end = std::nullopt);
    void SetPos(int start, std::optional<int> end = std::nullopt) { SetSel(start, end.value_or(start)); }
    void HideSel() { SetSel(-1, 0); }
    void SelectAll() { SetSel(0, -1); }
    std::string GetSel() const;
    void GetSelPos(int& start, int& end) const;
    void LimitText(std::optional<int> n = std::nullopt);
    void Copy();
    void Cut();
    void Del();
    void Paste(const std::optional<std::string>& text = std::nullopt);
    void UnDo();
    void DelLine(std::optional<int> n = std::nullopt);
    // Writes the whole text, replacing the file only once all of it is
    // written; false when it could not be.
    bool SaveToFile(const std::string& file);
    // The find dialog over this field, without a search action.
    TDlgFind* Find(const std::string& text = {});
    void DlgGoLine();
    // Prints the text as the job "Notes" on the default printer, or on the
    // printer of the model ("device,driver,port") when one is given.
    void Print(const std::string& model = {});

    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;
    Answer KeyDown(WPARAM key, LPARAM flags) override;
    Answer KeyChar(WPARAM key, LPARAM flags) override;
    Answer GotFocus(HWND lost) override;
    // The background (oBrush, else the native control's), the native
    // text, then bPainted.
    Answer Paint() override;
    Answer EraseBkGnd(HDC) override { return 1; }
    Answer KillFocus(HWND gaining) override;
    Answer RButtonDown(int row, int col, WPARAM flags) override;
    Answer Command(WPARAM w, LPARAM l) override;
    Answer VScroll(WPARAM, LPARAM) override { return std::nullopt; }
    Answer HScroll(WPARAM, LPARAM) override { return std::nullopt; }
    Answer GetDlgCode(WPARAM key) override;

private:
    void store();
    void changed(int key, LPARAM flags);
    bool hasSelection() const;
    LRESULT callNative(UINT nMsg, WPARAM w = 0, LPARAM l = 0);
    void paintOn(HDC dc, const PAINTSTRUCT* ps);
    std::unique_ptr<TDlgFind> oFind_;
    Value own_;
};

}  // namespace wl
