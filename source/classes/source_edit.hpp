// SourceEdit: a ready-made dialog that edits a source text in the
// Scintilla editor.
#pragma once

#include <optional>
#include <string>

#include "colors.hpp"

namespace wl {

// Edits `text`; true, with the edited text stored back, when closed with
// "&Ok"; false and `text` unchanged otherwise.
bool SourceEdit(std::string& text, const std::string& title = {}, std::optional<Color> background = std::nullopt);

}  // namespace wl
