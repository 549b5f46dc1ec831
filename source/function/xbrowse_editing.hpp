// What an in-place edit of a grid cell needs decided before any window is
// made: which editor the column's edit type asks for, what it starts with,
// which list entry is chosen, whether a typed key starts an edit, and where
// the selection goes once the edit ends. The browse window (TXBrowse) makes
// the editor the plan names and hands its result to XBrowseModel::PostEdit.
#pragma once

#include <string>
#include <string_view>

#include "value.hpp"
#include "xbrowse_model.hpp"

namespace wl {

// MemoDialog: a button column of memos without its own closure edits the
// value in the dialog its content asks for (XBREDITMEMO).
enum class XbrEditor { None, Get, Memo, List, Button, Date, Time, MemoDialog };

// What a memo holds, for the dialog that edits it: text (plain, rich or
// formatted), the bytes of an image (BMP, PNG, JPEG or GIF), or other
// binary data (control characters other than tab, CR and LF, or NUL).
enum class XbrMemoKind { Text, Image, Binary };
XbrMemoKind xbrMemoKind(std::string_view data);

struct XbrEditPlan {
    XbrEditor kind = XbrEditor::None;
    // The column is set up wrongly for its type: the message to show
    // (titled "Class TXBrwColumn") instead of editing.
    std::string error;
    Value start;           // the value the editor shows
    std::string picture;   // the edit field's picture
    bool withButton = false;  // types 4 and 5: an edit field beside a button
    bool withList = false;    // type 4: that button opens the list
    bool formula = false;     // started by "=": a formula of 128 characters
    int listIndex = 1;        // list editors: the entry shown chosen (from 1)
    // Typing past the end of the field ends the edit as Enter; passKeyOn:
    // the key then goes to the browse (fast edit: the next cell's edit).
    bool exitOnTypeOut = false, passKeyOn = false;
    // MemoDialog on a cell that may not be edited: the dialog only shows it.
    bool readOnly = false;
};

// Whether the selected cell may be edited at all now: browse and column
// writable, an edit type, rows present, and the column's bEditWhen agrees.
bool xbrCanEdit(const XBrowseModel& brw, const TXBrwColumn& col);

// A memo button column (type 3 without its own closure) whose cell may
// not be edited still opens its dialog, for viewing.
bool xbrViewsMemo(const XBrowseModel& brw, const TXBrwColumn& col);
// Whether Enter, a double click or the cell's button opens anything: the
// cell edits, or its memo is viewed.
bool xbrCanOpen(const XBrowseModel& brw, const TXBrwColumn& col);

// The editor of the column for an edit started by key (0: a double click
// or Enter; a character: typed into the cell).
XbrEditPlan xbrEditPlan(const XBrowseModel& brw, const TXBrwColumn& col, int key);

// The list entry (from 1) that shows value: the bound value when the
// column has bound values; else a text matched on ever shorter prefixes,
// else the first entry not smaller than the value's text.
int xbrListIndexOf(const TXBrwColumn& col, const Value& value);
// The value of list entry n (from 1): its bound value, else its text.
Value xbrListValue(const TXBrwColumn& col, int n);

// Whether a typed character starts an edit of the selected column: with
// lFastEdit, or "=" for a numeric column with lFormulaEdit; the column's
// own keys when set, numbers take digits, "-", "." (and "="), dates
// digits, other columns letters and digits.
bool xbrKeyStartsEdit(const XBrowseModel& brw, const TXBrwColumn& col, int ch, bool fastEdit);

// Where the selection goes after an edit ended with key: Tab counts as
// Enter; Up and Down move a row; Enter moves by moveType when fastEdit
// (1 right, 2 left, 3 up, 4 down, 5 stay, 6 next editable cell, 7 the
// previous one), else only types 1 to 4 move. Any other key stays.
void xbrGoNextCtrl(XBrowseModel& brw, int key, int moveType, bool fastEdit);

}  // namespace wl
