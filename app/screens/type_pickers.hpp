// The conversion dialog's two type pickers: "Source Format" (CTLD48404)
// and "Parser Output Type" (CTLD48402), each a small modal dialog of
// buttons named after the formats.
#pragma once

#include <string>

namespace zr {

// CTLD48404: "X12", "CSV" or "XML" as chosen; the type unchanged when the
// picker is closed otherwise.
std::string CTLD48404(const std::string& type);
// CTLD48402: for an X12 source, ",CSV" or ",XML" appended as chosen (nothing
// when closed otherwise); ",X12" appended to any other source, no dialog.
std::string CTLD48402(const std::string& type);

}  // namespace zr
