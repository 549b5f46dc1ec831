// The lines of the viewer's lists: the segment list in its five views with
// their headings, the numbered lines of the pickers and screens, and the
// searches over segment texts.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "segment_table.hpp"

namespace zr {

// CTL39400A: the list line of a row in view 1 to 5 (the second argument is
// not used).
std::string CTL39400A(const SegmentTable& table, int ignored, std::size_t row, int view);
// The older line builders of the 837, acknowledgement, message and claim
// status families: views 1 to 4 as CTL39400A's (view 5 is no view of
// theirs: it gives view 2's line), each note as the text it is (trailing
// blanks count), the loop id filled to 16 characters, and every row
// numbered minus 2 (the envelope rows of an ISA-first table blank). Nothing
// the user reaches calls them.
std::string olderSegmentLine(const SegmentTable& table, std::size_t row, int view);
inline std::string CTL39408A(const SegmentTable& t, int, std::size_t row, int view) { return olderSegmentLine(t, row, view); }
inline std::string CTL39409A(const SegmentTable& t, int, std::size_t row, int view) { return olderSegmentLine(t, row, view); }
inline std::string CTL39410A(const SegmentTable& t, int, std::size_t row, int view) { return olderSegmentLine(t, row, view); }
inline std::string CTL39411A(const SegmentTable& t, int, std::size_t row, int view) { return olderSegmentLine(t, row, view); }
// CTL39400N: the heading of a view, "" for other numbers.
std::string CTL39400N(int view);
// CTL39400M: the view after this one: 1, 2, 3, 4, 5, then 1 again.
int CTL39400M(int view);

// Numbered list lines (list, 1-based n).
// CTL39405V (the interchange picker; also the 400, 407, 409 and 411
// families): n, a blank, item n.
std::string CTL39405V(const std::vector<std::string>& list, std::size_t n);
// CTL39406V (837 and 277 families): n filled to five characters, a blank, item n.
std::string CTL39406V(const std::vector<std::string>& list, std::size_t n);
// CTL39408V: item n alone.
std::string CTL39408V(const std::vector<std::string>& list, std::size_t n);
// CTL39412V: kind 1, two blanks and item n; other kinds as CTL39405V.
std::string CTL39412V(const std::vector<std::string>& list, std::size_t n, int kind);
inline std::string CTL39400V(const std::vector<std::string>& l, std::size_t n) { return CTL39405V(l, n); }
inline std::string CTL39407V(const std::vector<std::string>& l, std::size_t n) { return CTL39405V(l, n); }
inline std::string CTL39409V(const std::vector<std::string>& l, std::size_t n) { return CTL39405V(l, n); }
inline std::string CTL39411V(const std::vector<std::string>& l, std::size_t n) { return CTL39405V(l, n); }
inline std::string CTL39410V(const std::vector<std::string>& l, std::size_t n) { return CTL39406V(l, n); }

// True when `text` holds `what` at some position, compared without regard
// to case (what is used as given: callers trim it).
bool holdsNoCase(std::string_view text, std::string_view what);

// CTL39400R: the first row after `start` whose segment text holds the text
// (trimmed, any case); `start` when none does or the text is empty.
std::size_t CTL39400R(const SegmentTable& table, std::size_t rowCount, std::size_t start, const std::string& text);

// The screen families' copies of the search and of the view functions keep
// no logic of their own: the search is CTL39400R's, the views are the first
// four of CTL39400N/CTL39400M ("" for 5, and 4 is followed by 1).
inline std::string fourViewHeading(int view) { return view >= 1 && view <= 4 ? CTL39400N(view) : std::string(); }
inline int fourViewNext(int view) {
    const int next = CTL39400M(view);
    return next > 4 ? 1 : next;
}
inline std::size_t CTL39405R(const SegmentTable& t, std::size_t c, std::size_t s, const std::string& x) { return CTL39400R(t, c, s, x); }
inline std::size_t CTL39406R(const SegmentTable& t, std::size_t c, std::size_t s, const std::string& x) { return CTL39400R(t, c, s, x); }
inline std::size_t CTL39407R(const SegmentTable& t, std::size_t c, std::size_t s, const std::string& x) { return CTL39400R(t, c, s, x); }
inline std::size_t CTL39408R(const SegmentTable& t, std::size_t c, std::size_t s, const std::string& x) { return CTL39400R(t, c, s, x); }
inline std::size_t CTL39409R(const SegmentTable& t, std::size_t c, std::size_t s, const std::string& x) { return CTL39400R(t, c, s, x); }
inline std::size_t CTL39410R(const SegmentTable& t, std::size_t c, std::size_t s, const std::string& x) { return CTL39400R(t, c, s, x); }
inline std::size_t CTL39411R(const SegmentTable& t, std::size_t c, std::size_t s, const std::string& x) { return CTL39400R(t, c, s, x); }
inline std::size_t CTL39412R(const SegmentTable& t, std::size_t c, std::size_t s, const std::string& x) { return CTL39400R(t, c, s, x); }
inline std::string CTL39405N(int view) { return fourViewHeading(view); }
inline std::string CTL39406N(int view) { return fourViewHeading(view); }
inline std::string CTL39407N(int view) { return fourViewHeading(view); }
inline std::string CTL39408N(int view) { return fourViewHeading(view); }
inline std::string CTL39409N(int view) { return fourViewHeading(view); }
inline std::string CTL39410N(int view) { return fourViewHeading(view); }
inline std::string CTL39411N(int view) { return fourViewHeading(view); }
inline std::string CTL39412N(int view) { return fourViewHeading(view); }
inline int CTL39405M(int view) { return fourViewNext(view); }
inline int CTL39406M(int view) { return fourViewNext(view); }
inline int CTL39407M(int view) { return fourViewNext(view); }
inline int CTL39408M(int view) { return fourViewNext(view); }
inline int CTL39409M(int view) { return fourViewNext(view); }
inline int CTL39410M(int view) { return fourViewNext(view); }
inline int CTL39411M(int view) { return fourViewNext(view); }
inline int CTL39412M(int view) { return fourViewNext(view); }

// CTL394SEEK's offered text: filled with blanks to 40 characters (a longer
// text stays whole).
std::string seekPromptText(const std::string& text);

// CTL39401's lines: one per element of the segment text, "Element k = "
// and the element (with "n Subelements " before it when it has components).
std::vector<std::string> elementLines(const std::string& segmentText, const X12Delimiters& delimiters);

}  // namespace zr
