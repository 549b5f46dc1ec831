// XBROWSE: almost any data source in a grid browse on a modal dialog, with
// Print, spreadsheet export, an optional Select and incremental search;
// FITSIZES fits such a dialog to its browse's columns.
#pragma once

#include <functional>
#include <string>

#include "dialog.hpp"
#include "xbrowse.hpp"

namespace wl {

struct XBrowseArgs {
    // A list, a work area's alias, a table file name, or any single value
    // (see XBRWSETDATASOURCE); nil: the selected work area.
    Value uData;
    std::string cTitle;
    bool lAutoSearch = false;
    std::function<void(TXBrowse&)> bSetUp;
    ValueList aCols;
    // With a select closure: a "Select" button (and Enter or a double
    // click) runs it with the browse and its selected column, then closes.
    std::function<void(TXBrowse&, TXBrwColumn*)> bSelect;
    bool lExcel = true;  // the export button: "Excel", else "Calc"
    bool lFastEdit = false;
    std::function<bool(TWindow&)> bValid;
};

void XBROWSE(const XBrowseArgs& args = {});

// Fits the dialog to the browse's columns (the browse at least 300 pixels
// wide, the dialog growing or shrinking with it), stretches the last column
// and keeps the current row visible.
void FITSIZES(TDialog& dialog, TXBrowse& browse);

}  // namespace wl
