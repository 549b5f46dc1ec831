// TWBrowse: the library-painted list every listing uses: one header line
// and as many data lines as fit, each made of the cells a line closure
// gives for the current item. It moves through its data only through the
// navigation closures (bGoTop, bGoBottom, bSkip, bLogicLen), so it works
// the same over a list of 3 or of a million items: painting visits only
// the visible items.
// The position (current line, ends, scroll position, columns) lives in a
// BrowseState changed by the free functions of browse_model.hpp; this
// class decodes the messages, applies the effects they answer and paints.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "browse_model.hpp"
#include "browse_table.hpp"
#include "browse_tree.hpp"
#include "control.hpp"

namespace wl {

class TWBrowse;
using BrowseLine = std::function<ValueList()>;
using BrowseHeaderAction = std::function<void(TWBrowse&, int row, int col)>;

struct WBrowseNew {
    double nRow = 0, nCol = 0;
    int nWidth = 100, nHeight = 100;
    BrowseLine bLine;
    std::vector<std::string> aHeaders;
    std::vector<int> aColSizes;
    TWindow* oWnd = nullptr;
    std::function<void(TControl&)> bChange;
    MouseAction bLDblClick, bRClicked, bLClicked;
    std::shared_ptr<TFont> oFont;
    std::optional<Color> nClrFore, nClrBack;
    bool lPixel = false;
    std::string cAlias;  // "": the selected table's alias
    std::string cField;  // the key field of a range, with its two values
    Value uValue1, uValue2;
    std::vector<BrowseHeaderAction> aActions;
};

// The modal in-cell editor's options: a picture, a valid closure, colours,
// the choices of a combo box (a logical is ".T."/".F." unless given), and
// an action whose result for (value, browse) fills the field.
using BrowseEditDone = std::function<void(const std::optional<Value>&, int key, TWBrowse&)>;

struct BrowseEditSpec {
    std::string cPicture;
    std::function<bool(TWindow&)> bValid;
    std::optional<Color> nClrFore, nClrBack;
    std::vector<std::string> aChoices;
    std::function<Value(const Value&, TWBrowse&)> bAction;
};

// The in-cell editor while one is open (a get field or a combo box).
class BrowseCellEditor {
public:
    virtual ~BrowseCellEditor() = default;
    virtual HWND hWnd() const = 0;
};

class TWBrowse : public TControl {
public:
    TWBrowse();
    ~TWBrowse() override;

    std::string ClassName() const override { return "TWBROWSE"; }

    // ---- data ----
    BrowseLine bLine;
    std::function<void()> bGoTop, bGoBottom;
    std::function<int(int)> bSkip;
    std::function<int()> bLogicLen;
    std::string cAlias;
    int nAt = 0;  // the current index of SetArray's closures
    std::vector<std::string> aHeaders;
    std::vector<bool> aJustify;  // true: right-aligned
    std::vector<BrowseHeaderAction> aActions;
    Color nClrBackHead = 0, nClrForeHead = 0, nClrBackFocus = 0, nClrForeFocus = 0;
    int nLineStyle = 2;
    bool lMChange = true, lDrawSelected = true, lAutoEdit = false;
    BrowseFlingParams fling;
    // Class-wide: a press starts a fling (kept in the process state).
    static bool& lKinetic();
    bool lAutoSkip = false;
    // The table range: the key field, its first and last values, and the
    // largest count read (none: unlimited).
    std::string cField;
    Value uValue1, uValue2;
    std::optional<int> nMaxFilter;
    // Append: a blank record and UpStable unless replaced.
    std::function<void(TWBrowse&)> bAdd;
    // Icon view of a table: the icon of each record (an index into aIcons)
    // and its label (the record number by default).
    bool lIconView = false;
    std::vector<HICON> aIcons;
    std::function<int()> bIconDraw;
    std::function<std::string()> bIconText;
    int nIconPos = 0;

    // The position, read-only: it changes through the moves below.
    const BrowseState& state() const { return state_; }
    int nRowPos() const { return state_.nRowPos; }
    int nColPos() const { return state_.nColPos; }
    int nColAct() const { return state_.nColAct; }
    int nLen() const { return state_.nLen; }
    bool lHitTop() const { return state_.lHitTop; }
    bool lHitBottom() const { return state_.lHitBottom; }
    int nVScrollPos() const { return state_.nVScrollPos; }
    bool lCellStyle() const { return state_.lCellStyle; }
    void lCellStyle(bool on) { state_.lCellStyle = on; }

    TWBrowse& New(const WBrowseNew& a);
    TWBrowse& ReDefine(int id, BrowseLine line, TWindow* parent, std::vector<std::string> headers = {},
                       std::vector<int> sizes = {});
    void Default() override;
    void Initiate(HWND hDlg) override;

    // Binds the browse to a list the caller owns: nAt is its index.
    void SetArray(std::function<int()> count);
    // Columns from value closures, with their headers and sizes.
    void SetCols(std::vector<std::function<Value()>> cols, std::vector<std::string> headers = {},
                 std::vector<int> sizes = {});
    // The column widths; an outline's come from its current item.
    std::vector<int> GetColSizes() const;

    // ---- outlines ----
    // Binds the browse to an outline the caller owns: one line per visible
    // item (its label), no column resizing and no horizontal bar; a
    // double-click or Enter opens or closes an item with children.
    void SetTree(TLinkList* tree);
    TLinkList* oTree = nullptr;
    TTreeItem* oTreeItem = nullptr;  // the current item

    // ---- tables ----
    // Binds the navigation closures to the table of cAlias, limited to the
    // records whose field lies from start to end (end: start) when a start
    // is given. Types that differ from the field's are told, and the
    // closures are installed all the same. A list or no alias counts 0.
    void SetFilter(const std::string& field = {}, const Value& start = Value(), const Value& end = Value());
    // The table bound by cAlias, nothing for a list.
    std::shared_ptr<DbfArea> area() const;
    int RecCount(const Value& start);
    void UpStable();
    void RecAdd();
    // Closes the table and forgets its alias; true.
    bool lCloseArea();
    void SetColSizes(std::vector<int> sizes);

    // ---- navigation ----
    int Skip(int n);
    void GoUp();
    void GoDown();
    void GoTop();
    void GoBottom();
    void PageUp();
    void PageDown();
    void GoLeft();
    void GoRight();
    // The count re-read (the scroll bar follows a change) and a repaint.
    void Display();

    int nRowCount() const { return state_.nRowCount; }
    int nLineHeight() const { return lineHeight_; }
    int nAtCol(int x) const { return browseAtCol(state_, x); }
    bool IsColVisible(int col) const { return browseColVisible(state_, col); }
    // The line under client y: 0 the header, 1.. data lines.
    int nAtRow(int y) const { return lineHeight_ ? y / lineHeight_ : 0; }

    // ---- in-cell editing ----
    // Opens the non-modal editor over the cell of column col on the
    // current line: a get field with the picture, or a combo box for a
    // logical or choices. Enter hands the value to `done` with 13, Escape
    // hands nothing with 27, losing the focus hands the value with 0; the
    // editor then ends. One at a time.
    void EditCol(int col, const Value& value, BrowseEditDone done, const BrowseEditSpec& spec = {});
    bool IsEditing() const { return static_cast<bool>(editor_); }
    // The modal editor over the cell of column col on the current line:
    // true when confirmed (Enter); Escape puts the value back.
    bool lEditCol(int col, Value& value, const BrowseEditSpec& spec = {});
    // Edits the cell's text in place; a table's field takes it in the
    // field's type under a record lock. With autoSkip the next cell follows.
    void Edit(int col = 1, bool autoSkip = false);

    // ---- report, icons, sizes ----
    // The report of every item, previewed unless preview is false; title:
    // the window's caption.
    void Report(std::string title = {}, bool preview = true);
    // Tells each header with its column width.
    void ShowSizes();
    int nAtIcon(int row, int col) const;
    void DrawIcons(HDC dc);
    void DrawIcon(HDC dc, int n, bool focused);

    // ---- events ----
    Answer KeyDown(WPARAM key, LPARAM flags) override;
    Answer GetDlgCode(WPARAM key) override;
    Answer VScroll(WPARAM w, LPARAM l) override;
    Answer HScroll(WPARAM w, LPARAM l) override;
    Answer MouseWheel(int keys, int delta, int x, int y) override;
    Answer LButtonDown(int row, int col, WPARAM flags) override;
    Answer LButtonUp(int row, int col, WPARAM flags) override;
    Answer MouseMove(int row, int col, WPARAM flags) override;
    Answer MouseLeave(int row, int col, WPARAM flags) override;
    Answer LDblClick(int row, int col, WPARAM flags) override;
    Answer Paint() override;
    Answer EraseBkGnd(HDC) override { return 1; }
    Answer ReSize(WPARAM type, int width, int height) override;
    Answer GotFocus(HWND lost) override;
    Answer LostFocus(HWND gaining) override;
    Answer Destroy() override;
    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;

private:
    BrowseSource source() const;
    // Makes the window match the state: the one place a move shows.
    void apply(const BrowseEffects& effects);
    void measure();
    // Paints the whole browse into dc (WM_PAINT's buffer, WM_PRINTCLIENT).
    BrowseEffects drawTo(HDC dc);
    void paintLine(HDC dc, int line, const ValueList& cells, bool header);
    RECT lineRect(int first, int last) const;
    void startFling(int rows, DWORD elapsed);
    bool isTable() const;
    RECT cellRect(int col) const;
    // The cell's text on the current line.
    std::string cellTextOf(int col);
    void endEdit(int key);

    BrowseState state_;
    int lineHeight_ = 16;
    // Kinetic drag and column resize in progress.
    bool lPressed_ = false, lMoved_ = false;
    int startRow_ = 0, endRow_ = 0, lastRow_ = 0, dragDir_ = 0;
    DWORD startTime_ = 0;
    int resizeCol_ = 0, resizeX_ = 0, resizeLastX_ = -1;
    // Cleared when the window goes: a fling draining messages stops there.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::unique_ptr<BrowseCellEditor> editor_;
    std::shared_ptr<DbfArea> area_;
    BrowseFilter filter_;
    int pressedHeader_ = 0;  // the header whose action is running
    bool treeMode_ = false;
    BrowseEditDone editDone_;
    int editKey_ = -1;  // the key that ends the editor, -1 while none did
};

}  // namespace wl
