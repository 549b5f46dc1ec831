// The source-code editor's portable parts: its argument-free commands by
// name (each one Scintilla message) and the lines of its printed listing.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wl {

// The Scintilla message of a command ("Undo", "Linedelete", ...), compared
// without regard to case; nullopt for an unknown name.
std::optional<int> scintillaCommand(std::string_view name);

// The printed listing: each line of the text as its 1-based number in five
// digits with leading zeros, two blanks and the line without its line end
// (CR LF, LF or CR), tabs as three blanks. Every line of the text is listed,
// empty ones included. A row longer than `width` characters goes on in the
// next rows, so nothing is cut.
std::vector<std::string> sourceListing(std::string_view text, size_t width = 76);

}  // namespace wl
