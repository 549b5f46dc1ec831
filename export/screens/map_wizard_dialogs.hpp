// The map-file wizard's windows: "Select Transaction Type", the number
// question, "Select File Type", and the wizard asking through them.
#pragma once

#include <string>

#include "map_wizard.hpp"
#include "viewer_dialog.hpp"

namespace zr {

// CTL394MAPE: 1 to 8 for "837I" ... "277"; 1 when closed any other way.
int CTL394MAPE(const ViewerUi& ui = {});
// CTL394MAPB: a dialog captioned with the question, a number field holding
// the default and "Continue"; the text typed.
std::string CTL394MAPB(const std::string& defaultText, const std::string& question, const ViewerUi& ui = {});
// CTL394MAPC: "Select File Type": 2 for "XML (Preferred)", 1 for "CSV".
int CTL394MAPC(const ViewerUi& ui = {});

// The wizard's answers from these windows, the question boxes and Notepad.
MapWizardAnswers mapWizardWindows(const ViewerUi& ui);

}  // namespace zr
