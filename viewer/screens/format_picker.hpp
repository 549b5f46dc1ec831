// "Select Format": asks which output format (or print action) the user wants.
#pragma once

#include <functional>
#include <string>

#include "viewer_dialog.hpp"

namespace zr {

// Opens the form alignment with the value handed to the question.
using FormControl = std::function<void(const std::string& value)>;

// CTLD39417: the FormatChoice letter of the button pressed; "" for "Cancel"
// or when the dialog is closed. Kind 3's "Form Control" runs `formControl`
// with `value` and leaves the question open; without one it is greyed.
std::string CTLD39417(int kind, const std::string& value, const FormControl& formControl = {},
                      const ViewerUi& ui = {});

}  // namespace zr
