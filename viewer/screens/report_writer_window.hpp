// The X12 report writer's windows: the format question, the save dialog and
// the progress meter around the report the screens' report modes give, the
// file written (text, HTML and RTF as assembled, PDF through the printer
// object and the PDF writer) and opened in its program.
#pragma once

#include <string>

#include "viewer_dialog.hpp"
#include "viewer_entry.hpp"

namespace zr {

// CTL394RPTA: the report of the screen's set in the format the user picks.
// `request`'s second comma-separated item names the file ("" asks for it);
// `kind` 1 is an 837 set, 2 a 277 set, any other a set reported by its
// segment data only. "Format File <name> Complete" (CR LF after it for
// text) once written and opened; "" when nothing was written (a screen in
// a report mode, a cancelled question or dialog, a failed write).
std::string CTL394RPTA(const std::string& request, const TransactionScreenCall& call, int kind,
                       const ViewerUi& ui = {});

// CTL394RPTB: opens the finished report by its kind (1 text in Notepad, 2
// HTML and 3 RTF through the shell's "open", 4 PDF not at all); when the
// program does not start, "<file> is Ready." tells the user where it is.
void CTL394RPTB(const std::string& fileName, int kind, const ViewerUi& ui = {});

}  // namespace zr
