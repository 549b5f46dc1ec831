// The conversion dialog CTLD48401 "X12 Torvel Parser": the type (through
// the two pickers), the source file or folder, the destination folder and
// the option words of one conversion request.
#pragma once

#include <functional>
#include <string>

#include "conversion_dialog_model.hpp"
#include "conversion_driver.hpp"

namespace zr {

struct ConversionDialogContext {
    std::string currentFolder;
    std::string workingFolder;
    std::string separator = "\\";
    // None: the real CGETDIR and CGETFILE.
    ConversionChoosers choosers;
    // The program's state (the dialog sets the viewer state).
    Application* app = &application();
};

// CTLD48401: the request as edited (its type emptied unless "Begin").
// Sets the viewer state to 1.
ConversionItems CTLD48401(const ConversionItems& request, const ConversionDialogContext& context);

// The driver's dialog hook: the driver's request through CTLD48401.
std::function<void(DriverRequest&)> conversionDialogHook(ConversionDialogContext context);

}  // namespace zr
