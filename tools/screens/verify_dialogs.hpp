// The map verify tool as the program runs it, with its source-type dialog.
#pragma once

#include <string>

namespace zr {

// CTL48600Y: "Set Source File Type": "837I", "837P", "837D" or "835", ""
// when the dialog is closed otherwise.
std::string CTL48600Y();

// CTL48600V: the map verify tool. No menu offers it.
void CTL48600V();

}  // namespace zr
