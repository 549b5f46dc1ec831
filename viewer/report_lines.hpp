// The report forms of a screen's text lines: plain text, HTML and RTF
// paragraphs, as the report writer collects them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zr {

// "&", "<", ">" (and the quote) as entities.
std::string htmlEscape(std::string_view text);
// "\", "{", "}" escaped and bytes of 0x80 and above as \'hh.
std::string rtfEscape(std::string_view text);
// A line in a report mode's own form: escaped for HTML in 101 and for RTF
// in 102, as it is in 100 and any other mode.
std::string reportEscaped(std::string_view line, int mode);

// Mode 100 ends each line with CR LF, 101 with "<BR>", 102 with "\par" and
// CR LF; a trailing empty line is left out (a real last line never is).
// Each line is escaped for its mode, so a value holding markup cannot break
// the report. None for any other mode.
std::optional<std::string> reportLines(const std::vector<std::string>& lines, int mode);

// The text blanked out to a column: blanks appended until it is `column`
// characters long; a longer text is kept whole.
std::string fillToColumn(std::string_view text, std::size_t column);

}  // namespace zr

namespace zr {

// A listing field fitted to its width (a number as text): a longer value
// is cut to the width and followed by a blank, a shorter one is padded with
// blanks to the width; without a width above 0, the value and a blank.
std::string fitToWidth(std::string_view value, std::string_view width);

// A field list's item n (from 0) as a number; 0 when absent or not a number.
int listNumber(const std::vector<std::string>& list, std::size_t n);

}  // namespace zr
