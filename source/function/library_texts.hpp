// The translation table of the library's own texts. Each row holds a text
// in English, Spanish, French, Portuguese, German and Italian (language
// numbers 1 to 6); English is the key. This program shows English, for
// which WLSTRING answers its argument unchanged.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "source_place.hpp"

namespace wl {

// The current language number; decided from the run-time's language code
// the first time it is asked and remembered.
int LANGUAGEID();

// The text in the current language. A text the table lacks is reported in
// an information box naming the caller, remembered among the missing texts
// and answered unchanged.
std::string WLSTRING(std::string_view text, SourcePlace from = SourcePlace::current());

// Sets the language number (kept within 1 and the columns of the first row)
// when given; answers the previous one.
int WLSETLANGUAGE(std::optional<int> language = std::nullopt);
// Adds a column (or replaces column `language`) with the texts, one per row,
// and selects it; answers its number.
int WLADDLANGUAGE(const std::vector<std::string>& texts, std::optional<int> language = std::nullopt);
// Appends a row.
void WLADDSTRING(const std::vector<std::string>& row);
// The missing texts as source lines, shown in a box when there are any.
std::string WLMISSINGSTRINGS();

// Puts the table, the language and the missing list back as at start
// (the program never needs it; tests do).
void resetLibraryTexts();

}  // namespace wl
