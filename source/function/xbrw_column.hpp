// A column of the grid browse: its value closure, display text, blank
// value, sort indicator and footer total. The column needs no window; the
// browse window paints what it gives.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tree_pictures.hpp"
#include "value.hpp"

namespace wl {

// Footer kinds of a totalled column.
enum XbrFooterType {
    AGGR_SUM = 1,
    AGGR_MIN = 2,
    AGGR_MAX = 4,
    AGGR_COUNT = 8,
    AGGR_AVG = 9,
    AGGR_STDEV = 25,
    AGGR_STDEVP = 57,
};

// Per row of a vertically merged column: equal rows above and below.
struct XbrMerge {
    int above = 0;
    int below = 0;
    int keyNo = 0;
};

class TXBrwColumn {
public:
    // Reads with no argument, writes with one.
    using ValueBlock = std::function<Value(const Value* newValue)>;

    std::string cHeader, cGrpHdr, cFooter;
    int nCreationOrder = 0;
    int nWidth = 0;
    bool lHide = false;
    int nArrayCol = 0;          // element of an array row, from 1
    char cDataType = 0;         // C N D L M T P F; 0 until known
    int nDataLen = 0, nDataDec = 0;
    bool lReadOnly = false;
    bool lDisplayZeros = true;
    int nEditType = 0;
    ValueBlock bEditValue;
    std::function<std::string()> bStrData;
    // Called after an edit with the value and the key that ended it.
    std::function<void(TXBrwColumn&, const Value&, int key)> bOnPostEdit;
    // Editing: the picture, the validation of an edited value, whether the
    // cell may be edited now; list editors (type 2 and 4) show the texts and
    // give the bound value of the chosen entry (the text when none); button
    // editors (types 3 to 5) ask bEditBlock (row, column, column, key) for
    // the new value (nil: nothing changes).
    std::string cEditPicture;
    std::function<bool(const Value&)> bEditValid;
    std::function<bool()> bEditWhen;
    std::vector<std::string> aEditListTxt;
    ValueList aEditListBound;
    std::function<Value(int row, int col, TXBrwColumn&, int key)> bEditBlock;
    std::string cBtnCaption = "...";
    bool lAutoSave = false;  // an editor that loses the focus keeps its value
    std::string cEditKeys;  // the characters that start an edit, when set

    // A check column shows a check mark (true), an empty box (false) or
    // nothing (other values); texts only when three were given.
    bool hChecked = false;
    std::vector<std::string> aCheckTexts;

    // Mouse events on the column: (row, col pixels, flags).
    using XbrMouse = std::function<void(int row, int col, unsigned flags)>;
    XbrMouse bLClickHeader, bRClickHeader, bLClickFooter, bRClickFooter, bLDClickData, bRClickData;
    // Tool tips: over the header the fixed text, over a cell the closure's
    // (row, col pixels) text; "" shows none.
    std::string cToolTip;
    std::function<std::string(int row, int col)> bToolTip;
    // A pop-up menu for the column's cells (its handle, shown below the
    // cell and destroyed afterwards); none: the browse's.
    std::function<std::uintptr_t(TXBrwColumn&)> bPopUp;

    // Sorting: an element number, a field name or tag; cOrder "", "A", "D".
    Value cSortOrder;
    std::string cOrder;
    bool lCaseSensitive = false;

    // Totals.
    bool lTotal = false;
    int nFooterType = 0;
    double nTotal = 0.0, nTotalSq = 0.0;
    int nCount = 0;
    std::optional<double> extreme;  // minimum or maximum seen
    std::function<bool(const Value&, const TXBrwColumn&)> bSumCondition;
    std::function<std::string(const TXBrwColumn&)> bFooter;

    bool lMergeVert = false;
    std::vector<XbrMerge> aMerge;
    // How many screen rows the cell of row keyNo spans when painted on a
    // line with rowsLeft rows from it to the bottom (itself included): 1
    // for an unmerged cell, 0 when a run begun on a line above covers it
    // (topLine: no line above on screen, so the run is painted from here).
    int MergeRows(int keyNo, bool topLine, int rowsLeft) const;

    // Pictures in cells: the column's bitmaps (handles made through the
    // picture hooks of tree_pictures.hpp), and which one a cell shows:
    // bBmpData answers its number from 1 (0: none). Alignment 0 left, 1
    // right, 2 centre; a column with only pictures centres them.
    struct XbrBitmap {
        TreePicture handle = 0;
        bool owned = false;  // loaded here: released by ReleaseBitmaps
    };
    std::vector<XbrBitmap> aBitmaps;
    std::function<int()> bBmpData;
    int nDataBmpAlign = 0;
    // Bitmaps are drawn without the pixels of their top-left corner's
    // colour (an alpha channel, where there is one, blends instead).
    bool lBmpTransparent = true;
    // Adds a bitmap (loaded from a file or the program's resources, or a
    // handle someone else keeps); answers its number, 0 when it did not load.
    int AddBmpFile(const std::string& file);
    int AddResource(const std::string& name);
    int AddBmpHandle(TreePicture handle);
    int AddBitmap(const std::string& fileOrResource);
    TreePicture aBitmap(int n) const;
    // Replaces bitmap n (the old one released when it was loaded here).
    bool ChangeBitmap(int n, TreePicture handle);
    // The picture the current cell shows (0: none).
    TreePicture CellBitmap() const;
    void ReleaseBitmaps();

    // A progress-bar column: the value over nProgTot fills that part of the
    // cell in the first colour over the second (RGB values as 0xBBGGRR).
    bool lProgBar = false;
    double nProgTot = 1;
    std::uint32_t nClrProgBar = 0xFFC8C8, nClrProgBack = 0x00FFFF;
    void SetProgBar(double total, int width = 0, std::optional<std::uint32_t> bar = {},
                    std::optional<std::uint32_t> back = {});
    // The filled pixels of a cell `width` wide for the current value.
    int ProgFill(int width) const;

    // Stacked cells: the creation numbers of the columns painted one below
    // the other in this column's cell (itself first), see SetColsAsRows.
    std::vector<int> aRowCols;

    // The value (BlankValue when the closure is missing or gives nil).
    Value GetValue() const;
    // Writes through the closure; false for a read-only column or none.
    bool SetValue(const Value& v);
    Value BlankValue() const;
    // The display text of the current value.
    std::string StrData() const;
    // The value's type letter, from the value when not set.
    char DataType() const;
    // Same column: its creation number, or its header ignoring case and
    // blanks, tabs and line breaks.
    bool SameColAs(const Value& x) const;

    // Makes this a check column; editable with a post-edit closure, or by
    // an edit type (number) or a flag (true: type 1). Texts for true,
    // false and other values are shown only when all three are given.
    void SetCheck(std::function<void(TXBrwColumn&, const Value&, int)> postEdit = {}, std::optional<int> editType = {},
                  std::vector<std::string> texts = {});
    // The check column's text for the current value.
    std::string CheckText() const;
    bool IsMemo() const { return DataType() == 'M'; }
    // The cell can be edited: an edit type and not read-only.
    bool lEditable() const { return nEditType != 0 && !lReadOnly; }

    // Text alignment of the cells: 0 left, 1 right, 2 centre; -1 follows
    // the type (numbers, dates and timestamps right, the rest left).
    int nDataStrAlign = -1;
    int DataStrAlign() const;
    // Sets the alignment, clamped to 0..2.
    void SetAlign(int n) { nDataStrAlign = std::clamp(n, 0, 2); }

    // One field of the column by its name (ignoring case): the names of
    // the plain fields above (cHeader, nWidth, lHide, nEditType, ...).
    // Nothing for a name the column has no field of; SetField answers
    // false then, or when the value is not of the field's kind.
    std::optional<Value> Field(const std::string& name) const;
    bool SetField(const std::string& name, const Value& v);

    bool IsTotalled() const { return lTotal || nFooterType != 0; }
    void ResetTotal();
    // Adds one row's value to the footer total.
    void AddToTotal(const Value& v);
    // After an edit: true when the totals must be recomputed over the data
    // (the changed value was the extreme).
    bool RecalcTotal(const Value& oldValue, const Value& newValue);
    // The footer's value and text.
    double FooterValue() const;
    std::string FooterStr() const;
};

// A value as the browse shows it: numbers with `decimals` places, dates as
// MM/DD/YY, logical values .T./.F.
std::string xbrValueText(const Value& v, int decimals = -1);
// The type letter of a value: C N D L A (list), U (nil).
char xbrValueType(const Value& v);
// Whether a cell value is a list entry's code: the same type and the same
// text (a list column's editor and lookups match codes this way).
bool xbrSameCode(const Value& a, const Value& b);

}  // namespace wl
