// The "ZR.INI Editor" CTLD28100: "zr.ini" of the current folder in a
// multi-line edit, "Save" writes it back and closes, "Exit" leaves it.
#pragma once

#include <string>

namespace zr {

// No menu offers the editor; it is entered by calling it.
void CTLD28100(const std::string& currentFolder);

}  // namespace zr
