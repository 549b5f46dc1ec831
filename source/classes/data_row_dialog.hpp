// The row editor's "EDIT" dialog: a grid browse of the row's fields, the
// prompt frozen on the left and the value edited as text on the right,
// with "&Undo", "&Save" and "&Close" (which reads "Cancel" while the row
// holds changes). TDataRow holds every decision; this is its window.
#pragma once

#include <optional>
#include <vector>

#include "data_row.hpp"

namespace wl {

class TWindow;
class TDialog;
class TXBrowse;
class TButton;

// Lays the dialog out when it opens: the columns widened, the browse
// fitted to its rows (rows of them), the value column stretched, the
// buttons (left to right) placed from the right below it, the dialog sized
// to follow and centred, the browse focused.
void SETEDITDLG(TDialog& d, TXBrowse& browse, const std::vector<TButton*>& buttons, int rows);

// The dialog over row; true when the row was saved at least once.
bool DataRowEditDialog(TDataRow& row, bool readOnly, TWindow* owner = nullptr);

// The row's Edit with this dialog as its window.
bool EditDataRow(TDataRow& row, std::optional<bool> readOnly = std::nullopt);

}  // namespace wl
