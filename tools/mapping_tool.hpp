// The mapping tool window's portable half: the folder's map files, a map's
// lines, and the item-by-item description of a "FIELD=" row.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zr {

// CTLD48600J: the plain files of the current folder matching the mask
// ("*.cfg"; the extension compared without regard to case, as Windows
// does), in directory order, appended to the list.
std::vector<std::string> CTLD48600J(const std::string& mask, std::vector<std::string> list = {});

// CTLD48600K: the trimmed item at the 1-based index, "" when there is none.
std::string CTLD48600K(const std::string& name, const std::vector<std::string>& list, std::size_t index);

// CTLD48600N: the file's lines appended to the list: the text split at CR,
// vertical tabs dropped, an LF kept at the start of the line that follows
// it; text after the last CR is not a line.
std::vector<std::string> CTLD48600N(const std::string& file, std::vector<std::string> list = {});

// What the tool says when the file's last line has no line break, and so is
// not among its rows; "" when every line is listed.
std::string unlistedLastLineNote(const std::string& file);

// CTLD48600O: the description of row `index` (1-based): one line per item of
// a "FIELD=" row; "" for any other row.
std::string CTLD48600O(const std::vector<std::string>& rows, std::size_t index);

// CTLD48600P: the text followed by the description line of item
// `number` (1..19); items that are empty are left out unless always shown.
std::string CTLD48600P(int number, const std::string& item, const std::string& text);

// CTLD48600M and CTL48600F: the list item the browses show at the index.
std::string CTLD48600M(const std::vector<std::string>& list, std::size_t index);
std::string CTL48600F(const std::vector<std::string>& list, std::size_t index);

// CTL48600G: "Selected File : " + name, "" for an empty name.
std::string CTL48600G(const std::string& name);

// CTLD48600L: the file's text, "" when there is none.
std::string CTLD48600L(const std::string& file);

// CTL48600A: asks "Replace current configuration?"; on Yes the text of a
// chosen "*.cfg" file, otherwise (No, or no file chosen) the text given.
std::string CTL48600A(const std::string& text);

// Notepad's command line for a map: the Windows folder's notepad.exe with
// the name in quotes, so that a name with blanks reaches it whole.
std::string mapNotepadCommand(const std::string& windowsFolder, const std::string& name);

}  // namespace zr
