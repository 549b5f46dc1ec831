// The window-free part of the multi-line field: the go-to-line number, the
// line a cut of one line takes, the longest line handed out, and where each
// line lands when the text is printed.
#pragma once

#include <string>
#include <vector>

namespace wl {

// GetLine hands out at most this many characters of a line.
inline constexpr int kMultiGetLineLimit = 255;
// Printed lines per page; the line height is the page's vertical
// resolution divided by the same number.
inline constexpr int kMultiGetPrintLines = 60;

// The 0-based line to go to for the 1-based row the Go To dialog shows
// and the user typed (rows below 1 go to the first line).
int multiGetGoToLine(int enteredRow);

// The 0-based character range [start, end) DelLine cuts for a line: from
// its start to the start of the next line, or to the end of the text for
// the last line (nextStart < 0).
struct CharRange {
    int start = 0, end = 0;
};
CharRange multiGetLineRange(int lineStart, int nextStart, int textLength);

// A line as GetLine answers it: at most kMultiGetLineLimit characters, the
// line break left out.
std::string multiGetLineText(const std::string& line);

// One printed line: the 1-based line number and its top in device pixels.
struct PrintedLine {
    int line = 0;
    int top = 0;
};
// The pages of a print of lineCount lines on a page of vertRes pixels.
std::vector<std::vector<PrintedLine>> multiGetPrintPages(int lineCount, int vertRes);

}  // namespace wl
