// The "DBF STRUCTURE" dialog: the user edits a dBASE structure in a grid
// (name, type, length, decimals, the source's type number, include) before
// a table is made. The rules live in dbf_structure_edit; this is the window.
#pragma once

#include <vector>

#include "dbf_structure_edit.hpp"

namespace wl {

class TWindow;

// Edits rows in place when "OK" closes the dialog (names trimmed); false,
// the rows unchanged, when it is cancelled.
bool EDITDBFSTRUCT(std::vector<DbfStructRow>& rows, TWindow* owner = nullptr);

}  // namespace wl
