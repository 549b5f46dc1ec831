// The ready-made table browse: BROWSE shows the selected table in a record
// browse on a modal dialog with New, Modify, Delete, Search, Print and Exit
// and edits cells in place (EDITCELL on a double-click).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "wbrowse.hpp"

namespace wl {

using BrowseAction = std::function<void(TWBrowse&)>;

struct BrowseArgs {
    std::string cTitle = "Browse";
    std::string cListName = "Fields";
    BrowseAction bNew, bModify, bDelete, bSearch, bList;
    std::vector<int> aColSizes;
};

// Runs the dialog over the selected table until Exit (nothing is shown
// when no table is selected).
void BROWSE(const BrowseArgs& args = {});

// Edits the field under the client point (row, col) on the current line:
// a confirmed value is written under a record lock ("DataBase non
// available" when the lock fails) and the line repainted. Memo fields are
// edited in the memo dialog (MemoEdit), the others over their cell.
void EDITCELL(TWBrowse& browse, int row, int col);

// The default actions of the dialog's buttons.
// New: a blank record appended; the browse goes to the bottom.
void browseAppendRecord(TWBrowse& browse);
// Modify: the fields from the first edited one after the other (memos in
// the memo dialog, the others in place) until the last or until one is
// cancelled, each written under a lock.
void browseModifyRecord(TWBrowse& browse);
// Delete: asks "Delete this record ?", deletes, packs and repaints.
void browseDeleteRecord(TWBrowse& browse);
// Print: the table's report, "Report: " and the alias; back to the top.
void browsePrintTable(TWBrowse& browse);

}  // namespace wl
