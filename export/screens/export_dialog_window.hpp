// The export dialog "Export Data to CSV" / "Export Data to XML" and its
// second kind "Print Field Select", opened by the viewer's screens.
#pragma once

#include <string>

#include "export_dialog_model.hpp"
#include "paged_print_window.hpp"
#include "viewer_dialog.hpp"
#include "viewer_entry.hpp"

namespace zr {

// What a transaction screen hands the dialog.
ExportDialogCall exportDialogCall(const TransactionScreenCall& call, int kind);

// The engine's questions answered by the program's boxes, its save dialog
// and its ODBC connection.
ExportPrompts exportWindowPrompts();

// CTL39404A: kind 1 runs the export ("Begin": the run log, the engine, the
// export log); kind 2 prints the listing of the sub-mode through the paged
// printer in its landscape layout ("Fields", "Totals", "Listing"; an empty
// listing prints nothing) and answers its text for the fields listing
// (sub-mode 1), "" otherwise.
std::string CTL39404A(const ExportDialogCall& call, ExportLetter letter, const std::vector<std::string>& fields,
                      const std::string& headerFlag, int subMode, const ExportDictionary& dictionary,
                      const ExportPrompts& prompts, const PrintTarget& print = {});

// CTLD39404: the dialog (output mode 109: the batch export, no dialog).
// Answers the listing (kind 2) or "".
std::string CTLD39404(const ExportDialogCall& call, const ViewerUi& ui = {});

}  // namespace zr
