// The grid browse's own state and logic, apart from its window: the bound
// source as one set of navigation closures, the columns, the selected row
// and column, multiple selection, totals, sorting, incremental seek and
// filter, clipboard text, Eval, saved layouts, merged rows and the export
// to a dBASE table. TXBrowse (source/classes/xbrowse.*) paints it and turns
// messages into these calls.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "dbf_area.hpp"
#include "dbf_file.hpp"
#include "link_list.hpp"
#include "value.hpp"
#include "xbrw_column.hpp"

namespace wl {

// Kinds of source (bit flags, nDataType).
enum XbrDataType { DATATYPE_RDD = 1, DATATYPE_ARRAY = 2, DATATYPE_ODBF = 16, DATATYPE_TREE = 32 };

// The navigation closures every source is bound through.
struct XbrSource {
    std::function<void()> bGoTop, bGoBottom;
    std::function<int(int)> bSkip;  // rows moved
    std::function<bool()> bBof, bEof;
    std::function<int()> bKeyNo;         // logical position, 0 when empty
    std::function<void(int)> bKeyGoTo;   // go to a logical position
    std::function<int()> bKeyCount;
    std::function<Value()> bBookMark;
    std::function<void(const Value&)> bBookGoTo;
    std::function<bool()> bLock = [] { return true; };
    std::function<void()> bUnLock = [] {};
    std::function<bool()> bSaveData = [] { return true; };
    std::function<void()> bDelete;
    // A new blank row at the end, made current; false when it cannot be.
    std::function<bool()> bAppend;
    std::function<void()> bPastEof;
    std::function<void()> bOnSkip = [] {};
};

class TXbrRow;

// The source a browse is bound to (uDataSource): a table file, an outline,
// a work area's alias or the array; nothing when none is bound.
using XbrDataSource = std::variant<std::monostate, std::shared_ptr<DbfFile>, TLinkList*, std::string, const ValueList*>;

class XBrowseModel {
public:
    XBrowseModel();

    // Binding. An array's rows are lists (or single values). With
    // addColumns, one column per element of the widest row, headed "A",
    // "B", ...; with autoSort every column sorts by its element.
    void SetArray(ValueList rows, bool addColumns = true, bool autoSort = false);
    // A dBASE table: one column per field, values read and written through
    // the file; deleting marks the record.
    void SetDbf(std::shared_ptr<DbfFile> table, bool addColumns = true);

    // A work area (the selected one when none is given; nothing happens
    // when no table is open): one column per field read and written on the
    // area's current record, the record number as bookmark and position
    // (record-number positions), record locks as Lock and UnLock,
    // deleting marks the record under its lock.
    // With records given, the browse walks that list of record numbers
    // instead (kinds 1 + 2): each move puts the area on the row's record
    // (a row that is a list holds it first).
    void SetRDD(std::shared_ptr<DbfArea> area = nullptr, bool addColumns = true, ValueList records = {});
    std::shared_ptr<DbfArea> Area() const { return area_; }

    // An outline: one visible item per row, a first column "Item" showing
    // the prompt (frozen); moves run onMove with the new current item.
    void SetTree(std::unique_ptr<TLinkList> tree, std::function<void(TTreeItem&)> onMove = {});
    TTreeItem* oTreeItem = nullptr;
    TLinkList* Tree() const { return tree_.get(); }

    // The bound source, in that order of precedence.
    XbrDataSource uDataSource() const;

    // Columns.
    TXBrwColumn& AddCol();
    // One field (TXBrwColumn::Field names) of every column, in creation
    // order or display order; nothing for an unknown name.
    std::optional<ValueList> GetColsData(const std::string& name, bool displayOrder = false) const;
    // Writes the field of each column from the values in that order
    // (columns past the values stay); false for an unknown name or a value
    // of the wrong kind (the columns before it keep theirs).
    bool SetColsData(const std::string& name, const ValueList& values, bool displayOrder = false);
    // The data alignment per creation number: true right, false left, 2
    // centre. Setting takes a logical or 0 to 3 per column (clamped to
    // 0..2); values past the columns are ignored.
    ValueList aJustify() const;
    void aJustify(const ValueList& values);
    // A new column at creation position n (default: last), the later ones
    // renumbered; it is shown in display order after the one before it.
    TXBrwColumn& InsCol(int n = 0);
    // Removes column n (creation number); never the last one.
    bool DelCol(int n);
    // Exchanges the display positions of columns a and b (creation numbers).
    bool SwapCols(int a, int b);
    // The listed columns (creation numbers) first in display order; the
    // others follow, or, without keepOthers, leave the display.
    void ReArrangeCols(const std::vector<int>& cols, bool keepOthers = true);
    // Widens one column to fill nClientWidth: nStretchCol > 0 a creation
    // number, -1 the last display column, -2 the widest text column.
    void ColStretch();
    int nStretchCol = 0;
    TXBrwColumn* oCol(const Value& x);
    // Display order: creation numbers of the visible columns.
    std::vector<int> Display() const;
    TXBrwColumn* SelectedCol();
    // Moves a column in display order (positions from 1). Refused across
    // the frozen columns when respectFreeze, and between different group
    // headers unless lAllowColReGroup (then the column takes the target's
    // group header); bOnSwapCol (from, to) runs after a move.
    bool MoveCol(int from, int to, bool respectFreeze = false);
    bool lAllowColReGroup = false;
    std::function<void(int from, int to)> bOnSwapCol;
    TXBrwColumn& SetGroupHeader(const std::string& text, int first, int last);
    // The sum (type 1), minimum (2) or maximum (4) of the numeric values of
    // the columns (creation numbers) in the current row.
    double SumOfCols(const std::vector<int>& cols, int type = AGGR_SUM) const;
    // The creation numbers of the columns under a group header.
    std::vector<int> GroupCols(const std::string& group) const;
    // Adds after the columns (in display order) a read-only column whose
    // value is their SumOfCols; returns it.
    TXBrwColumn& SetGroupTotal(const std::vector<int>& cols, const std::string& header = "Total", int type = AGGR_SUM);
    TXBrwColumn& SetGroupTotal(const std::string& group, const std::string& header = "Total", int type = AGGR_SUM);

    // Navigation; each clears the seek text.
    int KeyCount();
    int KeyNo() const;
    void GoTop();
    void GoBottom();
    void GoUp(int n = 1);
    void GoDown(int n = 1);
    void PageUp();
    void PageDown();
    void GoLeft();
    void GoRight();
    // The first column, unscrolled; the last one, scrolled into view.
    void GoLeftMost();
    void GoRightMost();
    // Selects a visible column (header, creation number), scrolling it into
    // view; false for a hidden or unknown column.
    bool GoToCol(const Value& col);
    // Display column n selected (whole-row marquee styles: the columns
    // scrolled so that n comes first after the frozen ones).
    void SelectCol(int n);
    // The left pixel of display position i (from 1) as the columns stand
    // scrolled, -1 when scrolled out of sight.
    int ColLeft(int i) const;
    // Scrolls the columns until the selected one is fully visible in
    // nClientWidth (never past the frozen columns).
    void ScrollToSelected();
    void GoToRow(int keyNo);
    // Keys as the window receives them (virtual-key codes, Ctrl flag):
    // true when the key was handled. Ctrl+C only copies (into copied()).
    bool KeyDown(int vk, bool ctrl, bool shift);

    // Puts the source on each row the window shows (line from 1) in turn
    // and calls paint there, then returns to the current row: painting asks
    // the columns only for the visible rows.
    void EachVisibleRow(const std::function<void(int line)>& paint);

    // Multiple selection, modes 0 to 5.
    void Select(int mode);
    bool IsSelected() const;

    // Ends an edit of the current cell with the value and the key that
    // ended it: the column's bOnPostEdit when set; otherwise the value is
    // written only when the key was not Escape and the lock succeeds. The
    // footer follows. False when nothing was written.
    // With lFormulaEdit a numeric cell typed as "=" and arithmetic takes
    // the result; a text that is not arithmetic writes nothing.
    bool PostEdit(TXBrwColumn& col, const Value& value, int key);

    // Totals over every row, returning to the current row.
    void MakeTotals();
    // Sorting by a column (creation number); false when refused. A table's
    // column sorts by the index tag its cSortOrder names: the active tag
    // turns round, another becomes active ascending; the row stays.
    bool SetOrder(int col);
    void SortArrayData(int col, bool descending);

    // Incremental seek and filter on the sorted column (a table: on its
    // active order's key, soft: the nearest key; the filter keeps the
    // records whose key begins with the text, or holds it with
    // lSeekWild); false when the text matches nothing (the row does not
    // move).
    bool Seek(const std::string& text);

    // Clipboard: the current or selected rows as tab-separated lines
    // joined by CR LF; Paste reads the same form into the source.
    std::string ClpRow(bool allCols) const;
    // A cell's clipboard text (dates "YYYY-MM-DD", logicals as the
    // spreadsheet's words, line breaks " ; ", tabs blanks).
    std::string ClpText(const TXBrwColumn& col) const { return cellClipText(col); }
    std::string Copy();
    bool Paste(const std::string& text);

    // Runs block over the rows (from the top, at most count rows): rows
    // passing forBlock run the block, whileBlock stops the walk.
    void Eval(const std::function<void()>& block, const std::function<bool()>& forBlock = {},
              const std::function<bool()>& whileBlock = {}, int count = -1);

    // The record editor: bEdit gets the row to edit, whose Save writes it
    // back. DataRow is the current row, or, for a new row, blank values
    // that Save appends as a new row. Edit runs bEdit on it and counts the
    // rows again afterwards; false without bEdit.
    std::function<void(TXbrRow&)> bEdit;
    std::unique_ptr<TXbrRow> CurrentRow();
    // The source's services through the browse.
    bool Bof() const { return !src.bBof || src.bBof(); }
    bool Eof() const { return !src.bEof || src.bEof(); }
    bool Lock() { return !src.bLock || src.bLock(); }
    void UnLock() { if (src.bUnLock) src.bUnLock(); }
    bool SaveData() { return !src.bSaveData || src.bSaveData(); }
    // The current array row (nil for other sources or none).
    Value aRow() const;
    // The selected column's display position.
    int nAt() const { return nColSel; }
    // Forgets the navigation closures and the stretch column.
    void ClearBlocks();
    Value BookMark() const { return src.bBookMark ? src.bBookMark() : Value(); }
    void BookMark(const Value& mark) { if (src.bBookGoTo) src.bBookGoTo(mark); }
    std::unique_ptr<TXbrRow> DataRow(bool newRow = false);
    bool Edit(bool newRow = false);

    // Saved layout ("XS1:" literal pairs); RestoreState accepts only the
    // known names and leaves the browse unchanged on a refused text.
    std::string SaveState() const;
    bool RestoreState(const std::string& text);

    // Paints the columns (creation numbers) one below the other in the
    // first one's cell: the others are hidden as columns, all take the
    // widest width. False for fewer than two known columns.
    bool SetColsAsRows(const std::vector<int>& cols);
    // The most cells any column stacks (1 when none does).
    int StackedRows() const;

    // Per row of each vertically merged column, the equal rows above and
    // below; a nil value counts as blank.
    void WorkMergeData(TXBrwColumn& col);

    // The rows as a new dBASE table: one field per visible column, names
    // from the headers made valid and unique. An existing file is replaced
    // only when the question "Replace" is answered yes. Empty on success,
    // else the reason.
    // A structure given (one field per shown column, as edited by the user)
    // is made writable first: valid unique names, known types, lengths.
    std::string ToDbf(const std::string& path, const std::vector<DbfField>& structure = {});

    // Spreadsheet export needs a spreadsheet program through automation,
    // which this system does not drive: each answers with its alert and
    // false.
    bool ToExcel();
    bool ToCalc();

    // One field per column as ToDbf makes them.
    std::vector<DbfField> DbfStructure() const;

    XbrSource src;
    int nDataType = 0;
    ValueList aArrayData;
    int nArrayAt = 0;
    bool lReadOnly = false;
    std::vector<TXBrwColumn> aCols;
    std::vector<int> aDisplay;  // empty: all visible columns in creation order
    int nRowSel = 1, nColSel = 1, nColOffset = 1, nFreeze = 0;
    int nDataRows = 1;  // rows the window shows
    int nClientWidth = 0;  // pixels the window shows across (0: unknown)
    int nLen = 0;
    int nRowHeight = 20;
    int nMarqueeStyle = 2;
    bool lMultiSelect = false;
    std::vector<Value> aSelected;
    std::string cSeek;
    bool lIncrFilter = false, lSeekWild = false, lAutoSort = false, lSortDescend = true;
    bool lFormulaEdit = false;
    // Editing: typed keys start edits, Enter starts one, F2 starts one;
    // the move after an edit (see xbrGoNextCtrl); an edit is open.
    bool lFastEdit = false, lEnterKey2Edit = true, lF2KeyToEdit = false;
    int nMoveType = 6;
    bool lEditMode = false;
    // Typing past the end of an edit field ends the edit as Enter (and,
    // with lFastEdit, the key starts the next cell's edit).
    bool lExitGetOnTypeOut = false;
    bool lAllowCopy = true, lCanPaste = false, lAutoAppend = true;
    std::function<void(int)> bOnMultiSelect;
    // The last text Copy produced (the window puts it on the clipboard).
    const std::string& copied() const { return copied_; }

private:
    void bindArrayClosures();
    int sortColumnElement() const;
    bool arraySeek(const std::string& text);
    bool arrayFilter(const std::string& text);
    std::string tableOrder(const TXBrwColumn& c);
    bool tableSeek(const std::string& text);
    bool tableFilter(const std::string& text);
    void keepFoundOnScreen(int oldKeyNo);
    void clampRowSel();
    std::string cellClipText(const TXBrwColumn& c) const;
    int decimalsInData(const TXBrwColumn& col) const;

    std::shared_ptr<DbfFile> dbf_;
    std::shared_ptr<DbfArea> area_;
    std::unique_ptr<TLinkList> tree_;
    std::uint32_t recNo_ = 0;
    std::string copied_;
    int arrayFull_ = -1;  // the row count before an array filter
    DbfFilter tableFilter_;  // the table filter the seek text set last
};

}  // namespace wl
