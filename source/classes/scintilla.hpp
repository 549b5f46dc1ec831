// TScintilla: the Scintilla source-code editor as a control of the library.
// The component comes from "SciLexer.DLL" beside the program, its lexers
// from "Lexilla.dll". When the component cannot be loaded the control is a
// static text that says so, and every operation does nothing.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// commdlg.h maps FindText to FindTextA; every user of this class must see the
// same mapping, whichever headers come first. commdlg.h needs windows.h
// before it.
#include <windows.h>
#include <commdlg.h>

#include <memory>

#include "control.hpp"
#include "printer.hpp"

namespace wl {

class TDlgFind;

class TScintilla : public TControl {
public:
    std::string ClassName() const override { return "TSCINTILLA"; }
    std::string WindowClass() const override { return Loaded() ? "Scintilla" : "STATIC"; }

    // What the control shows in place of the editor without its component.
    static constexpr const char* kNotLoaded =
        "The source editor is not available: SciLexer.DLL could not be loaded.";

    std::string cFileName;
    std::string cLastFind;
    TControl* oRowItem = nullptr;  // optional items that show the caret's row and column
    TControl* oColItem = nullptr;
    std::vector<std::pair<int, std::function<void(TScintilla&)>>> aKey;
    int nSetStyle = 0;
    static std::vector<std::string> aMrus;
    static std::string cLineBuffer;

    // Loads the component once per process; true when it is there.
    static bool Load();
    static bool Loaded();

    TScintilla();
    ~TScintilla() override;

    TScintilla& New(int nTop = 0, int nLeft = 0, int nWidth = 100, int nHeight = 100, TWindow* oWnd = nullptr);
    // Binds the object to the "Scintilla" item `id` of a dialog resource
    // (the component is loaded first so that the dialog can make it).
    TScintilla& ReDefine(int id, TWindow* parent = nullptr);
    void Initiate(HWND hDlg) override;
    void Default() override;

    LRESULT Send(UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // An argument-free command by name ("Undo", "Linedelete", ...).
    bool Command(std::string_view name) const;
    void EmptyUndoBuffer() const { Command("EmptyUndoBuffer"); }
    void Undo() const { Command("Undo"); }
    void Redo() const { Command("Redo"); }

    // Text.
    void SetText(const std::string& text) const;
    std::string GetText() const;
    void AddText(const std::string& text) const;
    void AddTextCRLF(const std::string& text) const { AddText(text + "\r\n"); }
    void InsertText(int nPos, const std::string& text) const;
    void ReplaceSel(const std::string& text) const;
    void ClearAll() const { Send(2004); }
    std::string GetLine(int nLine) const;  // 1-based
    std::string GetTextRange(int nFirstLine = 1, int nFirstCol = 1, int nLastLine = -1, int nLastCol = -1) const;

    // Selection and caret.
    std::string GetSelText() const;
    int GetSelectionStart() const { return static_cast<int>(Send(2143)); }
    int GetAnchor() const { return static_cast<int>(Send(2009)); }
    int GetCurrentPos() const { return static_cast<int>(Send(2008)); }
    void SetSel(int nStart, int nEnd) const { Send(2160, nStart, nEnd); }
    void SelectAll() const { Send(2013); }
    int nPos() const { return GetCurrentPos(); }
    int nLine() const { return GetCurrentLineNumber() + 1; }
    int nCol() const { return static_cast<int>(Send(2129, GetCurrentPos())) + 1; }
    int GetCurrentLineNumber() const { return LineFromPosition(GetCurrentPos()); }
    int LineFromPosition(int nPos) const { return static_cast<int>(Send(2166, nPos)); }
    int PositionFromLine(int nLine) const { return static_cast<int>(Send(2167, nLine)); }
    int LineLength(int nLine) const { return static_cast<int>(Send(2350, nLine)); }
    int GetLineCount() const { return static_cast<int>(Send(2154)); }
    void GotoLine(int nLine) const { Send(2024, nLine > 0 ? nLine - 1 : 0); }
    void GotoPos(int nPos) const { Send(2025, nPos); }
    void GotoLineEnsureVisible(int nLine) const;  // 0-based, unfolded into view
    std::string GetCurLine() const;

    // View switches; without an argument each one toggles.
    void SetViewSpace(std::optional<bool> on = std::nullopt) const;
    void SetIndent(std::optional<bool> on = std::nullopt) const;
    void SetEOL(std::optional<bool> on = std::nullopt) const;

    // State.
    bool GetModify() const { return Send(2159) != 0; }
    void SetSavePoint() const { Send(2014); }
    bool GetReadOnly() const { return Send(2140) != 0; }
    bool IsReadOnly() const { return GetReadOnly(); }
    void SetReadOnly(bool on) const { Send(2171, on ? 1 : 0); }
    bool CanUndo() const { return Send(2174) != 0; }
    bool CanRedo() const { return Send(2016) != 0; }

    // Bookmarks (marker 1).
    void MarkerAdd(int nLine, int nMarker) const { Send(2043, nLine, nMarker); }
    void SetToggle() const;
    void BookmarkNext(bool lForward = true) const;
    void BookmarkClearAll() const { Send(2045, 1); }

    // Styles.
    void SetColor(Color nClrText, Color nClrPane);
    void Setup();
    void StyleSet(int n) { nSetStyle = n; }
    void StyleSetBold(bool on) const { Send(2053, nSetStyle, on); }
    void StyleSetItalic(bool on) const { Send(2054, nSetStyle, on); }
    void StyleSetUnderline(bool on) const { Send(2059, nSetStyle, on); }
    void StyleSetFont(const std::string& face) const;
    void StyleSetSize(int size) const { Send(2055, nSetStyle, size); }
    void StyleSetColor(Color fore, Color back) const;
    void SetAStyle(int style, Color fore, Color back = 0xFFFFFF, int size = 0, const std::string& face = {}) const;
    int GetCurrentStyle() const { return static_cast<int>(Send(2010, GetCurrentPos())); }
    void SetFixedFont() const;
    // The font dialog; the chosen font goes to the current style.
    void OptionSetFont() const;
    void SetMargin(bool on = true) const { Send(2242, 2, on ? 14 : 0); }

    // Search.
    bool FindText(const std::string& text, bool lForward = true);
    bool FindNext() { return FindText(findTarget(), true); }
    bool FindPrev() { return FindText(findTarget(), false); }
    // The find dialog over the selected text (or the last one searched);
    // Find Next searches and beeps when nothing is found.
    TDlgFind* DlgFindText();
    // The "Go To" dialog over the caret's line.
    void DlgGoToLine();

    // Files. Save answers whether the text was written; Close whether the
    // text was closed (a cancelled or failed save keeps it open).
    bool OpenFile(const std::string& file);
    // The open dialog for program, header and resource files; an existing
    // file chosen is loaded and its name handed to `saveTo` when given.
    // False when no existing file was chosen.
    bool Open(const std::function<void(const std::string&)>& saveTo = {});
    // Mails the file as an attachment, or the text as the body.
    void SendAsEmail(bool lAttach = false) const;
    // The numbered listing of the text on the default printer, every line
    // of it ("Printer not ready!" without one). `options` picks another
    // printer or a PDF file.
    void Print(PrinterOptions options = {}) const;
    bool Save();
    bool Close();

    void AddKey(int nKey, std::function<void(TScintilla&)> action) { aKey.emplace_back(nKey, std::move(action)); }
    Answer KeyDown(WPARAM key, LPARAM flags) override;
    Answer KeyChar(WPARAM key, LPARAM flags) override;
    Answer onNotify(WPARAM id, const NMHDR& header) override;

private:
    std::string findTarget() const;
    std::string textRange(int from, int to) const;
    std::unique_ptr<TDlgFind> oFind_;
};

}  // namespace wl
