// The "ZR.INI Editor"'s portable half: the file it edits and the choice of
// another initialization file to take the text from.
#pragma once

#include <string>

namespace zr {

// "zr.ini" in the current folder.
std::string iniEditorFile(const std::string& currentFolder);

// CTLD28100A: asks "Replace current initialization file" (title
// "WARNING "); on Yes the user chooses a "*.ini" file ("Select
// initialization file to use.") and its text is answered. No, or no file
// chosen, leaves the text as it was.
std::string CTLD28100A(const std::string& text);

}  // namespace zr
