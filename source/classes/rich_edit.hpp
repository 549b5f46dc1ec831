// TRichEdit: the system's rich edit window (class "RichEdit20A"; the caller
// loads "riched20.dll") as a control of the library: RTF in and out,
// character and paragraph formats, find, zoom, links and the colouring of
// source text.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include <richedit.h>
#include <commdlg.h>

#include "control.hpp"
#include "gtf_rtf.hpp"
#include "rich_edit_model.hpp"

namespace wl {

// The commands of the context menu.
enum RichEditCommand : int {
    kRichEditUndo = 1,
    kRichEditRedo,
    kRichEditCut,
    kRichEditCopy,
    kRichEditPaste,
    kRichEditDelete,
    kRichEditFont,
    kRichEditAlignLeft,
    kRichEditAlignCenter,
    kRichEditAlignRight,
    kRichEditAlignJustify,
    kRichEditPrint,
    kRichEditSelectAll,
};

struct RichEditNew {
    double nRow = 0, nCol = 0;
    SetGet bSetGet;
    TWindow* oWnd = nullptr;
    std::optional<int> nWidth, nHeight;  // default: the owner's client size
    std::shared_ptr<TFont> oFont;
    bool lPixel = false;
    std::string cMsg;
    bool lHScroll = false;
    bool lReadOnly = false;
    std::function<bool()> bWhen;
    std::function<bool(TWindow&)> bValid;
    std::function<void(TControl&)> bChange;
    bool lDesign = false;
    bool lHighlight = false;
    std::string cFileName;
    int nRTFSize = 1048576;
    bool lNoURL = false;
    bool lNoHideSel = false;  // no disabled scroll bars
    bool lNoBorder = false;
};

class TRichEdit : public TControl {
public:
    std::string ClassName() const override { return "TRICHEDIT"; }
    std::string WindowClass() const override { return "RichEdit20A"; }
    std::string cToChar(const std::string& = {}) override { return TControl::cToChar("RichEdit20A"); }
    double rowPixels() const override { return 15; }
    double colPixels() const override { return 6; }

    std::string cFileName;
    int nRTFSize = 1048576;
    bool lURL = true;
    bool lRE30 = false;
    bool lReadOnly = false;
    bool lHighlight = false;
    HighlightScheme oScheme;  // the keyword lists and colours of the source colouring
    // Opens a clicked link; by default the shell's "open" (tests replace it).
    std::function<void(const std::string&)> bOpenLink;

    TRichEdit& New(const RichEditNew& a = {});
    // Binds the object to the rich edit item `id` of a dialog resource.
    TRichEdit& ReDefine(int id, SetGet setGet, TWindow* parent = nullptr, const RichEditNew& a = {});
    void Initiate(HWND hDlg) override;
    void Default() override;
    void DLLVersion();

    // Text.
    std::string cText(std::optional<std::string> text = std::nullopt);
    void SetText(const std::string& text);
    int Len() const;
    std::string GetLine(std::optional<int> nLine = std::nullopt) const;
    int GetLineCount() const { return static_cast<int>(send(EM_GETLINECOUNT)); }
    int GetLineFromChar(int nChar) const { return static_cast<int>(send(EM_EXLINEFROMCHAR, 0, nChar)); }
    int LineIndex(int nLine) const { return static_cast<int>(send(EM_LINEINDEX, nLine)); }
    int GetRow() const { return GetLineFromChar(GetSelection().second) + 1; }
    int GetCol() const { return GetSelection().second - LineIndex(GetRow() - 1) + 1; }
    int GetPos() const { return GetSelection().first; }
    bool IsModify() const { return send(EM_GETMODIFY) != 0; }
    void SetModify(bool on = true) const { send(EM_SETMODIFY, on); }
    void SetClear() const { SetModify(false); }

    // Selection.
    std::pair<int, int> GetSelection() const;
    std::string GetSel() const;
    bool IsSelection() const;
    void SetSel(int nStart = 1, std::optional<int> nEnd = std::nullopt) const;
    void SetPos(int nPos) const { SetSel(nPos, nPos); }
    void HideSel(bool on = true) const { send(EM_HIDESELECTION, on); }
    void SelectAll() const { SetSel(0, -1); }
    void GoToLine(int nLine) const;
    void GoTo(int nLine) const { GoToLine(nLine); }
    void ScrollCaret() const { send(EM_SCROLLCARET); }

    // Clipboard and undo.
    void Copy() const { send(WM_COPY); }
    void Cut();
    void Paste();
    // The system's Paste Special dialog over the clipboard's forms; the
    // chosen one is pasted. False when cancelled or nothing was pasted.
    bool PasteSpecial();
    void Del();
    bool CanCopy() const { return IsSelection(); }
    bool CanCut() const { return !lReadOnly && IsSelection(); }
    bool CanDel() const { return CanCut(); }
    bool CanPaste(UINT format = 0) const { return !lReadOnly && send(EM_CANPASTE, format) != 0; }
    bool CanUndo() const { return !lReadOnly && send(EM_CANUNDO) != 0; }
    bool CanRedo() const { return !lReadOnly && send(EM_CANREDO) != 0; }
    void UnDo();
    void ReDo();
    void LimitUnDo(int n) const { send(EM_SETUNDOLIMIT, n); }

    // Characters (on the selection, or the word at the caret).
    void SetAttribute(bool lBold, bool lItalic, bool lUnderline, bool lStrikeOut, bool lOn) const;
    void SetBold(bool on = true) const { SetAttribute(true, false, false, false, on); }
    void SetItalic(bool on = true) const { SetAttribute(false, true, false, false, on); }
    void SetUnderline(bool on = true) const { SetAttribute(false, false, true, false, on); }
    void SetStrikeOut(bool on = true) const { SetAttribute(false, false, false, true, on); }
    void SetFontName(const std::string& face) const;
    void SetFontSize(int points) const;
    void SetTextColor(Color color) const;
    CHARFORMAT2 GetCharFormat() const;
    // The font dialog over the selection's format; a chosen face is applied.
    bool SetCharFormat();

    // Paragraphs: 1 left, 2 right, 3 centre, 4 justify.
    void SetAlign(int nAlign) const;
    int GetAlign() const;
    // Indents and spacing in centimetres.
    void SetIndent(double nFirst, double nRight, double nOffset) const;
    std::tuple<double, double, double> GetIndent() const;
    void SetParagraph(double nBefore, double nAfter) const;
    std::pair<double, double> GetParagraph() const;
    void SetBullet(bool on) const;
    bool GetBullet() const;
    void SetNumbering(bool on) const;
    bool GetNumbering() const;
    void PageBreak();

    // The page setup dialog with margins in hundredths of a millimetre
    // (absent ones: the current margins); true when confirmed.
    bool PageSetup(std::optional<int> nLeft = {}, std::optional<int> nTop = {}, std::optional<int> nRight = {},
                   std::optional<int> nBottom = {});

    // RTF and files.
    void LoadRTF(const std::string& rtf);
    void InsertRTF(const std::string& text);
    std::string SaveAsRTF() const;
    bool LoadFromRTFFile(const std::string& file);
    bool SaveToRTFFile(const std::string& file) const;
    bool SaveToFile(std::optional<std::string> file = std::nullopt) const;

    // Search: the match is selected with the caret at its start.
    bool Find(const std::string& text, bool lDown = true, bool lCase = false, bool lWord = false);
    // Searches down and tells what it found: the line number of the match
    // (1-based), or 0.
    int Search(const std::string& text);

    // View.
    void SetZoom(int nNum, int nDen) const;
    std::pair<int, int> GetZoom() const;
    void SetAutoUrlDetect(bool on = true);
    bool GetAutoURLDetect() const { return send(EM_GETAUTOURLDETECT) != 0; }
    void SetReadOnly(bool on = true);
    void Colorize(int nStart, int nEnd, Color color) const;
    void HighLightLine(std::optional<int> nLine = std::nullopt) const;
    void HighLightAllText() const;

    Answer Change() override;
    Answer KeyDown(WPARAM key, LPARAM flags) override;
    Answer KeyChar(WPARAM key, LPARAM flags) override;
    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;
    Answer onNotify(WPARAM id, const NMHDR& header) override;
    Answer GetDlgCode(WPARAM key) override;
    Answer RButtonDown(int row, int col, WPARAM flags) override;
    Answer Command(WPARAM w, LPARAM l) override;

private:
    LRESULT send(UINT msg, WPARAM w = 0, LPARAM l = 0) const {
        return hWnd ? SendMessageA(hWnd, msg, w, l) : 0;
    }
    void streamIn(const std::string& text, UINT format) const;
    std::string streamOut(UINT format) const;
    void store();
    std::string textRange(int from, int to) const;
    Value own_;
};

}  // namespace wl
